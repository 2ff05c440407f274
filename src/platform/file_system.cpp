#include "platform/file_system.h"

#include <filesystem>

#include "platform/file_io.h"
#include "platform/utf8_path.h"

namespace vemora::platform {
namespace {

class Local final : public FileSystem {
 public:
  std::string ReadWholeFile(const std::string& path) const override {
    return platform::ReadWholeFile(path);
  }
  void WriteWholeFile(const std::string& path, const std::string& bytes) const override {
    platform::WriteWholeFile(path, bytes);
  }
  std::optional<std::uintmax_t> FileSize(const std::string& path) const override {
    std::error_code error;
    const std::filesystem::path file = PathFromUtf8(path);
    if (!std::filesystem::is_regular_file(file, error)) return std::nullopt;
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    if (error) return std::nullopt;
    return size;
  }
  bool Exists(const std::string& path) const override {
    std::error_code error;
    return std::filesystem::exists(PathFromUtf8(path), error);
  }
  bool IsFolder(const std::string& path) const override {
    std::error_code error;
    return std::filesystem::is_directory(PathFromUtf8(path), error);
  }
};

}  // namespace

const FileSystem& LocalFileSystem() {
  static const Local local;
  return local;
}

}  // namespace vemora::platform
