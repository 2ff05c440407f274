#include "fileops/free_file_name.h"

#include "platform/paths.h"

namespace vemora {

std::string FreeFilePath(const platform::FileSystem& files, const std::string& folder,
                         const std::string& fileName) {
  const std::string base = platform::WithTrailingSeparator(folder);
  const std::string name = fileName.empty() ? std::string("Bild") : fileName;
  if (!files.Exists(base + name)) return base + name;
  // A leading dot (".bashrc") is part of the stem, not an extension.
  const auto dot = name.find_last_of('.');
  const bool hasExtension = dot != std::string::npos && dot > 0;
  const std::string stem = hasExtension ? name.substr(0, dot) : name;
  const std::string extension = hasExtension ? name.substr(dot) : "";
  for (int number = 2;; ++number) {
    const std::string candidate = base + stem + "_" + std::to_string(number) + extension;
    if (!files.Exists(candidate)) return candidate;
  }
}

}  // namespace vemora
