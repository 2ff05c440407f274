#include "codec/image_file.h"

#include <string>

#include "codec/decode.h"
#include "platform/utf8_path.h"

#if !defined(_WIN32)  // the Windows side is image_file_windows.cpp
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <system_error>
#endif

namespace vemora::codec {

#if !defined(_WIN32)
namespace {

[[noreturn]] void FailOn(const std::filesystem::path& path, const std::string& reason) {
  throw CodecError(platform::Utf8FromPath(path) + ": " + reason);
}

std::string SystemReason(int error) { return std::system_category().message(error); }

// Opens a file for reading without ever blocking: a pipe or device named like a picture
// would otherwise wait for a writer forever. Anything but a regular file is refused with
// the real reason.
int OpenRegularFile(const std::filesystem::path& path, struct stat& status) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    const int error = errno;
    FailOn(path,
           error == ENOENT ? "no such file" : "cannot open the file (" + SystemReason(error) + ")");
  }
  if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
    const bool folder = S_ISDIR(status.st_mode);
    ::close(fd);
    FailOn(path, folder ? "is a folder, not a file" : "not a regular file");
  }
  return fd;
}

}  // namespace

std::vector<uint8_t> ReadFileBytes(const std::filesystem::path& path) {
  struct stat status {};
  const int fd = OpenRegularFile(path, status);
  std::vector<uint8_t> bytes(static_cast<size_t>(status.st_size));
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t got = ::read(fd, bytes.data() + done, bytes.size() - done);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) {
      const int error = got < 0 ? errno : 0;
      ::close(fd);
      FailOn(path, error != 0 ? "cannot read the file (" + SystemReason(error) + ")"
                              : "the file became shorter while it was read");
    }
    done += static_cast<size_t>(got);
  }
  ::close(fd);
  return bytes;
}

MappedFile::MappedFile(const std::filesystem::path& path) {
  struct stat status {};
  const int fd = OpenRegularFile(path, status);
  size_ = static_cast<size_t>(status.st_size);
  if (size_ > 0) {
    void* mapped = ::mmap(nullptr, size_, PROT_READ, MAP_PRIVATE, fd, 0);
    if (mapped == MAP_FAILED) {
      const int error = errno;
      ::close(fd);
      FailOn(path, "cannot read the file (" + SystemReason(error) + ")");
    }
    data_ = static_cast<const uint8_t*>(mapped);
  }
  ::close(fd);  // the mapping stays valid without the descriptor
}

MappedFile::~MappedFile() {
  if (data_ != nullptr) ::munmap(const_cast<uint8_t*>(data_), size_);
}
#endif

Image DecodeImageFile(const std::filesystem::path& path) {
  const std::vector<uint8_t> bytes = ReadFileBytes(path);
  try {
    return DecodeImage(bytes);
  } catch (const CodecError& error) {
    throw CodecError(platform::Utf8FromPath(path) + ": " + error.what());
  }
}

#if !defined(_WIN32)
void WriteFileAtomically(const std::filesystem::path& path, std::span<const uint8_t> bytes) {
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) FailOn(path, "is a folder, not a file");
  // The process id keeps two writers of the same target from sharing a temporary file.
  std::filesystem::path temporary = path;
  temporary += ".tmp" + std::to_string(::getpid());
  const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) FailOn(path, "cannot write the file (" + SystemReason(errno) + ")");
  size_t done = 0;
  int writeError = 0;
  while (done < bytes.size()) {
    const ssize_t put = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) {
      writeError = put < 0 ? errno : EIO;
      break;
    }
    done += static_cast<size_t>(put);
  }
  if (::close(fd) != 0 && writeError == 0) writeError = errno;
  // The reason is taken before the clean-up, whose own calls would overwrite it.
  if (writeError == 0 && ::rename(temporary.c_str(), path.c_str()) != 0) writeError = errno;
  if (writeError != 0) {
    ::unlink(temporary.c_str());
    FailOn(path, "cannot write the file (" + SystemReason(writeError) + ")");
  }
}

#endif

}  // namespace vemora::codec
