#include "platform/file_io.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#if defined(__linux__)
#include <sys/syscall.h>
#endif

namespace vemora::platform {

std::string ReadWholeFile(const std::string& path) {
  // Sized up front and read in one go: image files are megabytes, and a string stream
  // would copy them twice more.
  std::error_code error;
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  if (!in || !std::filesystem::is_regular_file(path, error))
    throw std::runtime_error("Die Datei " + path + " kann nicht gelesen werden.");
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
  const std::string temporary =
      path + ".~" + std::to_string(::getpid()) + "_" + std::to_string(counter++);
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
  if (std::rename(temporary.c_str(), path.c_str()) != 0) fail();
}

bool RenameWithoutReplacing(const std::string& from, const std::string& to) {
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
}

std::string HomeFolder() {
  const char* home = std::getenv("HOME");
  if (home != nullptr && *home != '\0') return home;
  return std::filesystem::current_path().root_path().string();
}

}  // namespace vemora::platform
