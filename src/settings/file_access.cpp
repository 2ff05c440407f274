#if !defined(_WIN32)  // the Windows side is file_access_windows.cpp
#include "settings/file_access.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <random>
#include <system_error>

#include "platform/utf8_path.h"
#include "settings/settings_errors.h"

namespace vemora {
namespace {

[[noreturn]] void Fail(std::string_view what, const std::filesystem::path& path, int error) {
  throw IniFileError(std::string(what) + " '" + platform::Utf8FromPath(path) +
                     "': " + std::strerror(error));
}

// Closes the descriptor and removes the temporary file unless the rename took it over.
class TemporaryFile {
 public:
  TemporaryFile(int descriptor, std::filesystem::path path)
      : descriptor_(descriptor), path_(std::move(path)) {}
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  ~TemporaryFile() {
    if (descriptor_ >= 0) ::close(descriptor_);
    if (!committed_) ::unlink(path_.c_str());
  }

  int descriptor() const { return descriptor_; }
  const std::filesystem::path& path() const { return path_; }

  // Closes the file; returns the errno of a failed close, else 0.
  int Close() {
    const int result = ::close(descriptor_);
    descriptor_ = -1;
    return result == 0 ? 0 : errno;
  }
  void Commit() { committed_ = true; }

 private:
  int descriptor_;
  std::filesystem::path path_;
  bool committed_ = false;
};

TemporaryFile CreateTemporaryBeside(const std::filesystem::path& target) {
  std::random_device seed;
  std::mt19937_64 random(seed());
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::filesystem::path candidate = target;
    candidate += ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(random() % 1000000);
    // 0666 and the process umask, as an ordinary new file would get.
    const int descriptor = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (descriptor >= 0) return TemporaryFile(descriptor, std::move(candidate));
    if (errno != EEXIST) Fail("cannot write settings file", target, errno);
  }
  Fail("cannot write settings file", target, EEXIST);
}

}  // namespace

std::optional<std::string> ReadFileIfExists(const std::filesystem::path& path) {
  const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (descriptor < 0) {
    if (errno == ENOENT || errno == ENOTDIR) return std::nullopt;
    Fail("cannot read settings file", path, errno);
  }
  std::string bytes;
  char buffer[8192];
  for (;;) {
    const ssize_t count = ::read(descriptor, buffer, sizeof buffer);
    if (count == 0) break;
    if (count < 0) {
      if (errno == EINTR) continue;
      const int error = errno;
      ::close(descriptor);
      Fail("cannot read settings file", path, error);
    }
    bytes.append(buffer, static_cast<std::size_t>(count));
  }
  ::close(descriptor);
  return bytes;
}

void ReplaceFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
  std::filesystem::path target = path;
  std::error_code error;
  if (std::filesystem::is_symlink(path, error)) {
    const auto resolved = std::filesystem::weakly_canonical(path, error);
    if (!error) target = resolved;
  }

  TemporaryFile temporary = CreateTemporaryBeside(target);
  struct stat existing {};
  if (::stat(target.c_str(), &existing) == 0) {
    ::fchmod(temporary.descriptor(), existing.st_mode & 07777);
  }
  std::size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t count =
        ::write(temporary.descriptor(), bytes.data() + written, bytes.size() - written);
    if (count < 0) {
      if (errno == EINTR) continue;
      Fail("cannot write settings file", target, errno);
    }
    written += static_cast<std::size_t>(count);
  }
  // Flushed before the rename, so that a crash cannot leave an empty file under the name.
  if (::fsync(temporary.descriptor()) != 0) Fail("cannot write settings file", target, errno);
  if (const int close_error = temporary.Close(); close_error != 0) {
    Fail("cannot write settings file", target, close_error);
  }
  if (::rename(temporary.path().c_str(), target.c_str()) != 0) {
    Fail("cannot write settings file", target, errno);
  }
  temporary.Commit();
}

}  // namespace vemora
#endif
