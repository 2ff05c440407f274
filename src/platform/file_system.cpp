#include "platform/file_system.h"

#include <filesystem>

#include "platform/file_io.h"

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
    if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error) return std::nullopt;
    return size;
  }
  bool Exists(const std::string& path) const override {
    std::error_code error;
    return std::filesystem::exists(path, error);
  }
  bool IsFolder(const std::string& path) const override {
    std::error_code error;
    return std::filesystem::is_directory(path, error);
  }
};

}  // namespace

const FileSystem& LocalFileSystem() {
  static const Local local;
  return local;
}

}  // namespace vemora::platform
