#include "codec/image_file.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <system_error>

#include "codec/decode.h"

namespace vemora::codec {

std::vector<uint8_t> ReadFileBytes(const std::filesystem::path& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) {
    throw CodecError(path.string() + ": no such file");
  }
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  const std::streamoff size = in ? static_cast<std::streamoff>(in.tellg()) : -1;
  if (size < 0) throw CodecError(path.string() + ": cannot open the file");
  std::vector<uint8_t> bytes(static_cast<size_t>(size));
  in.seekg(0);
  if (!in.read(reinterpret_cast<char*>(bytes.data()), size)) {
    throw CodecError(path.string() + ": cannot read the file");
  }
  return bytes;
}

MappedFile::MappedFile(const std::filesystem::path& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw CodecError(path.string() + ": cannot open the file");
  struct stat status {};
  if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
    ::close(fd);
    throw CodecError(path.string() + ": not a readable file");
  }
  size_ = static_cast<size_t>(status.st_size);
  if (size_ > 0) {
    void* mapped = ::mmap(nullptr, size_, PROT_READ, MAP_PRIVATE, fd, 0);
    if (mapped == MAP_FAILED) {
      ::close(fd);
      throw CodecError(path.string() + ": cannot read the file");
    }
    data_ = static_cast<const uint8_t*>(mapped);
  }
  ::close(fd);  // the mapping stays valid without the descriptor
}

MappedFile::~MappedFile() {
  if (data_ != nullptr) ::munmap(const_cast<uint8_t*>(data_), size_);
}

Image DecodeImageFile(const std::filesystem::path& path) {
  const std::vector<uint8_t> bytes = ReadFileBytes(path);
  try {
    return DecodeImage(bytes);
  } catch (const CodecError& error) {
    throw CodecError(path.string() + ": " + error.what());
  }
}

void WriteFileAtomically(const std::filesystem::path& path, std::span<const uint8_t> bytes) {
  // The process id keeps two writers of the same target from sharing a temporary file.
  std::filesystem::path temporary = path;
  temporary += ".tmp" + std::to_string(::getpid());
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
      std::error_code ignored;
      std::filesystem::remove(temporary, ignored);
      throw CodecError(path.string() + ": cannot write the file");
    }
  }
  std::error_code error;
  std::filesystem::rename(temporary, path, error);
  if (error) {
    std::filesystem::remove(temporary, error);
    throw CodecError(path.string() + ": cannot write the file (" + error.message() + ")");
  }
}

}  // namespace vemora::codec
