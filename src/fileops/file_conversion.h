// "Konvertieren in BMP" and "Konvertieren in JPEG": the focused record's file on disk is
// written again beside itself in the other format, and the record points at the new file.
// The catalogue table is not written, and the source file stays.
#pragma once

#include <string>

#include "catalogue/grid_record.h"
#include "catalogue/prompter.h"
#include "platform/file_system.h"

namespace vemora {

enum class FileTarget { Bmp, Jpeg };

// Converts the focused record's file (a JPEG to a 24-bit BMP, a BMP to a JPEG with the
// encoder's defaults), overwriting a file of the target name, sets the record's path to
// the new file and tells the user. Returns the focused index, or -1 when nothing is focused.
// A file that is not of the expected kind, or a target that cannot be written, throws with
// a German message; the record is then unchanged.
int ConvertFocusedFile(CatalogueGrid& grid, Prompter& prompter, FileTarget target,
                       const platform::FileSystem& files = platform::LocalFileSystem());

}  // namespace vemora
