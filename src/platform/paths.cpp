#include "platform/paths.h"

namespace vemora::platform {

std::string WithTrailingSeparator(std::string folder) {
  if (!folder.empty() && kPathSeparators.find(folder.back()) == std::string_view::npos)
    folder += kPathSeparator;
  return folder;
}

std::string FileNamePart(std::string_view path) {
  const auto cut = path.find_last_of(kPathSeparators);
  return std::string(cut == std::string_view::npos ? path : path.substr(cut + 1));
}

std::string FolderPart(std::string_view path) {
  const auto cut = path.find_last_of(kPathSeparators);
  return std::string(cut == std::string_view::npos ? std::string_view() : path.substr(0, cut + 1));
}

}  // namespace vemora::platform
