#include "command_support.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace vemora::cli {

bool IsHelpRequest(const std::vector<std::string>& args) {
  return args.size() == 1 && (args[0] == "--help" || args[0] == "-h");
}

std::optional<int> HandleUsage(const std::vector<std::string>& args, size_t count,
                               const char* help) {
  if (IsHelpRequest(args)) {
    std::fputs(help, stdout);
    return 0;
  }
  if (args.size() != count) {
    std::fputs(help, stderr);
    return 2;
  }
  return std::nullopt;
}

int Fail(std::string_view command, const std::string& file, const std::string& reason) {
  std::fprintf(stderr, "vemora %.*s: %s: %s\n", static_cast<int>(command.size()), command.data(),
               file.c_str(), reason.c_str());
  return 1;
}

codec::ImageKind KindByExtension(const std::filesystem::path& path) {
  std::string extension = path.extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (extension == ".bmp") return codec::ImageKind::Bmp;
  if (extension == ".jpg" || extension == ".jpeg") return codec::ImageKind::Jpeg;
  if (extension == ".tif" || extension == ".tiff") return codec::ImageKind::Tiff;
  return codec::ImageKind::Unknown;
}

}  // namespace vemora::cli
