#include "fileops/file_menu.h"

#include <algorithm>
#include <cctype>

#include "platform/paths.h"

namespace vemora {

std::string FileExtension(const std::string& path) {
  const std::string name = platform::FileNamePart(path);
  const auto dot = name.find_last_of('.');
  return dot == std::string::npos ? std::string() : name.substr(dot);
}

std::string WithFileExtension(const std::string& path, const std::string& extension) {
  const std::string current = FileExtension(path);
  return path.substr(0, path.size() - current.size()) + extension;
}

std::string RenamedPath(const std::string& oldPath, const std::string& name) {
  return platform::FolderPart(oldPath) + name + FileExtension(oldPath);
}

FileMenuState ComputeFileMenuState(const CatalogueGrid& grid) {
  FileMenuState state;
  const GridRecord* record = grid.Focused();
  if (record == nullptr) return state;
  const std::string extension = FileExtension(record->filePath.value_or(""));
  std::string upper = extension;
  std::transform(upper.begin(), upper.end(), upper.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  state.convertToJpeg = upper == ".BMP";
  state.convertToBmp = upper == ".JPG" || upper == ".JPEG";
  state.rename = true;
  state.renameCaption = "Ändere Name zu " + record->name + extension;
  return state;
}

}  // namespace vemora
