// The Windows side of image_file.cpp: reading, mapping and replacing files through the
// wide-character API, so every name the UTF-8 path can hold opens.
#if defined(_WIN32)
#include <windows.h>

#include <string>

#include "codec/image_file.h"
#include "platform/utf8_path.h"

namespace vemora::codec {

namespace {

[[noreturn]] void FailOn(const std::filesystem::path& path, const std::string& reason) {
  throw CodecError(platform::Utf8FromPath(path) + ": " + reason);
}

std::string SystemReason(DWORD error) { return "Windows error " + std::to_string(error); }

class Handle {
 public:
  explicit Handle(HANDLE handle) : handle_(handle) {}
  ~Handle() {
    if (handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE) ::CloseHandle(handle_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

// Anything but a regular file on a disk is refused with the real reason.
HANDLE OpenRegularFile(const std::filesystem::path& path, size_t& size) {
  std::error_code ignored;
  if (std::filesystem::is_directory(path, ignored)) FailOn(path, "is a folder, not a file");
  const HANDLE handle = ::CreateFileW(path.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    const DWORD error = ::GetLastError();
    FailOn(path, error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND
                     ? "no such file"
                     : "cannot open the file (" + SystemReason(error) + ")");
  }
  LARGE_INTEGER length{};
  if (::GetFileType(handle) != FILE_TYPE_DISK || !::GetFileSizeEx(handle, &length)) {
    ::CloseHandle(handle);
    FailOn(path, "not a regular file");
  }
  size = static_cast<size_t>(length.QuadPart);
  return handle;
}

}  // namespace

std::vector<uint8_t> ReadFileBytes(const std::filesystem::path& path) {
  size_t size = 0;
  const Handle file(OpenRegularFile(path, size));
  std::vector<uint8_t> bytes(size);
  size_t done = 0;
  while (done < bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
    DWORD got = 0;
    if (!::ReadFile(file.get(), bytes.data() + done, chunk, &got, nullptr) || got == 0) {
      FailOn(path, got == 0 ? "the file became shorter while it was read"
                            : "cannot read the file (" + SystemReason(::GetLastError()) + ")");
    }
    done += got;
  }
  return bytes;
}

MappedFile::MappedFile(const std::filesystem::path& path) {
  const Handle file(OpenRegularFile(path, size_));
  if (size_ == 0) return;  // an empty file cannot be mapped, and has nothing to map
  const Handle mapping(::CreateFileMappingW(file.get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
  void* view =
      mapping.get() != nullptr ? ::MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, 0) : nullptr;
  if (view == nullptr)
    FailOn(path, "cannot read the file (" + SystemReason(::GetLastError()) + ")");
  data_ = static_cast<const uint8_t*>(view);  // the view outlives both handles
}

MappedFile::~MappedFile() {
  if (data_ != nullptr) ::UnmapViewOfFile(data_);
}

void WriteFileAtomically(const std::filesystem::path& path, std::span<const uint8_t> bytes) {
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) FailOn(path, "is a folder, not a file");
  std::filesystem::path temporary = path;
  temporary += ".tmp" + std::to_string(::GetCurrentProcessId());
  DWORD writeError = 0;
  {
    const Handle file(::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE)
      FailOn(path, "cannot write the file (" + SystemReason(::GetLastError()) + ")");
    size_t done = 0;
    while (done < bytes.size() && writeError == 0) {
      const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
      DWORD put = 0;
      if (!::WriteFile(file.get(), bytes.data() + done, chunk, &put, nullptr) || put == 0)
        writeError = ::GetLastError() != 0 ? ::GetLastError() : ERROR_WRITE_FAULT;
      done += put;
    }
  }
  if (writeError == 0 && !::MoveFileExW(temporary.c_str(), path.c_str(),
                                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    writeError = ::GetLastError();
  if (writeError != 0) {
    ::DeleteFileW(temporary.c_str());
    FailOn(path, "cannot write the file (" + SystemReason(writeError) + ")");
  }
}

}  // namespace vemora::codec
#endif
