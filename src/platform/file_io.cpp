#include "platform/file_io.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "platform/utf8_path.h"

#if defined(__linux__)
#include <sys/syscall.h>
#endif

namespace vemora::platform {

namespace {

unsigned long ProcessId() {
#if defined(_WIN32)
  return ::GetCurrentProcessId();
#else
  return static_cast<unsigned long>(::getpid());
#endif
}

}  // namespace

std::string ReadWholeFile(const std::string& path) {
  // Sized up front and read in one go: image files are megabytes, and a string stream
  // would copy them twice more.
  // Only a regular file is opened: opening a named pipe or a device would wait for a writer
  // or read forever.
  std::error_code error;
  const std::filesystem::path file = PathFromUtf8(path);
  if (!std::filesystem::is_regular_file(file, error))
    throw std::runtime_error("Die Datei " + path + " kann nicht gelesen werden.");
  std::ifstream in(file, std::ios::binary | std::ios::ate);
  if (!in) throw std::runtime_error("Die Datei " + path + " kann nicht gelesen werden.");
  const std::streamoff size = in.tellg();
  std::string bytes(size > 0 ? static_cast<size_t>(size) : 0, '\0');
  in.seekg(0);
  if (size < 0 || !in.read(bytes.data(), size))
    throw std::runtime_error("Die Datei " + path + " kann nicht gelesen werden.");
  return bytes;
}

void WriteWholeFile(const std::string& path, const std::string& bytes) {
  // The bytes go to a name of their own beside the target first: a full disk or a lost
  // folder then leaves the old file (or none), never half a picture under the real name.
  static std::atomic<unsigned> counter{0};
  const std::filesystem::path target = PathFromUtf8(path);
  const std::filesystem::path temporary =
      PathFromUtf8(path + ".~" + std::to_string(ProcessId()) + "_" + std::to_string(counter++));
  const auto fail = [&] {
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);
    throw std::runtime_error("Die Datei " + path + " kann nicht geschrieben werden.");
  };
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) fail();
  }
  // The library's rename replaces an existing target on Windows too.
  std::error_code renameError;
  std::filesystem::rename(temporary, target, renameError);
  if (renameError) fail();
}

bool RenameWithoutReplacing(const std::string& from, const std::string& to) {
#if defined(_WIN32)
  // Without MOVEFILE_REPLACE_EXISTING the move refuses an existing target.
  return ::MoveFileExW(PathFromUtf8(from).c_str(), PathFromUtf8(to).c_str(), 0) != 0;
#else
#if defined(__linux__) && defined(SYS_renameat2)
  constexpr unsigned kNoReplace = 1;  // RENAME_NOREPLACE
  if (::syscall(SYS_renameat2, AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), kNoReplace) == 0)
    return true;
  // File systems without the flag say so; everything else is a real refusal.
  if (errno != EINVAL && errno != ENOSYS) return false;
#endif
  // A hard link fails when the target exists, so the check and the move are one step.
  if (::link(from.c_str(), to.c_str()) != 0) return false;
  if (::unlink(from.c_str()) != 0) {
    ::unlink(to.c_str());
    return false;
  }
  return true;
#endif
}

std::string HomeFolder() {
#if defined(_WIN32)
  if (const wchar_t* profile = ::_wgetenv(L"USERPROFILE"); profile != nullptr && *profile != 0)
    return Utf8FromPath(profile);
#else
  const char* home = std::getenv("HOME");
  if (home != nullptr && *home != '\0') return home;
#endif
  return Utf8FromPath(std::filesystem::current_path().root_path());
}

}  // namespace vemora::platform
