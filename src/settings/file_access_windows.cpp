// The Windows side of file_access.cpp: the same temporary-and-rename replacement, with
// MoveFileExW as the rename (it replaces an existing target, which rename() there won't).
#if defined(_WIN32)
#include <windows.h>

#include <fstream>
#include <iterator>
#include <random>

#include "platform/utf8_path.h"
#include "settings/file_access.h"
#include "settings/settings_errors.h"

namespace vemora {
namespace {

[[noreturn]] void Fail(std::string_view what, const std::filesystem::path& path, DWORD error) {
  throw IniFileError(std::string(what) + " '" + platform::Utf8FromPath(path) + "': Windows error " +
                     std::to_string(error));
}

}  // namespace

std::optional<std::string> ReadFileIfExists(const std::filesystem::path& path) {
  std::error_code error;
  if (!std::filesystem::exists(path, error)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) Fail("cannot read settings file", path, ::GetLastError());
  std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (in.bad()) Fail("cannot read settings file", path, ::GetLastError());
  return bytes;
}

void ReplaceFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
  std::random_device seed;
  std::filesystem::path temporary = path;
  temporary +=
      ".tmp" + std::to_string(::GetCurrentProcessId()) + "-" + std::to_string(seed() % 1000000);
  const HANDLE file = ::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) Fail("cannot write settings file", path, ::GetLastError());
  DWORD error = 0;
  std::size_t written = 0;
  while (written < bytes.size() && error == 0) {
    DWORD count = 0;
    if (!::WriteFile(file, bytes.data() + written, static_cast<DWORD>(bytes.size() - written),
                     &count, nullptr))
      error = ::GetLastError();
    written += count;
  }
  // Flushed before the rename, so that a crash cannot leave an empty file under the name.
  if (error == 0 && !::FlushFileBuffers(file)) error = ::GetLastError();
  ::CloseHandle(file);
  if (error == 0 && !::MoveFileExW(temporary.c_str(), path.c_str(),
                                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    error = ::GetLastError();
  if (error != 0) {
    ::DeleteFileW(temporary.c_str());
    Fail("cannot write settings file", path, error);
  }
}

}  // namespace vemora
#endif
