// The "Datei" submenu's rules: which of "Konvertieren in BMP", "Konvertieren in JPEG" and the
// rename entry are enabled for the focused record, the rename entry's caption, and the
// paths the three commands write to.
#pragma once

#include <string>

#include "catalogue/grid_record.h"

namespace vemora {

struct FileMenuState {
  bool convertToBmp = false;
  bool convertToJpeg = false;
  bool rename = false;
  std::string renameCaption = "Ändere Name zu";
};

// Without a focused record all three are off. Otherwise ".BMP" files may become JPEG,
// ".JPG"/".JPEG" files BMP (in any case), and every file may be renamed; the caption shows
// the name with the file's extension as written.
FileMenuState ComputeFileMenuState(const CatalogueGrid& grid);

// The extension of the path's file name, from its last "." on ("" when it has none).
std::string FileExtension(const std::string& path);

// The path with its file name's extension replaced (or, without one, appended).
std::string WithFileExtension(const std::string& path, const std::string& extension);

// The rename target: the old path's folder, the name, the old extension as written.
std::string RenamedPath(const std::string& oldPath, const std::string& name);

}  // namespace vemora
