#include "platform/file_times.h"

#include <sys/stat.h>

#include <ctime>

#if defined(_WIN32)
#include "platform/utf8_path.h"
#endif

namespace vemora::platform {
namespace {

LocalDateTime FromTimeT(std::time_t seconds) {
  std::tm local{};
#if defined(_WIN32)
  localtime_s(&local, &seconds);
#else
  localtime_r(&seconds, &local);
#endif
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
          local.tm_hour,        local.tm_min,     local.tm_sec};
}

// The last write of a regular file, in seconds since 1970.
std::optional<long long> LastWriteSeconds(const std::string& path) {
#if defined(_WIN32)
  struct _stat64 status {};
  if (::_wstat64(PathFromUtf8(path).c_str(), &status) != 0 || (status.st_mode & _S_IFREG) == 0)
    return std::nullopt;
  return status.st_mtime;
#else
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return std::nullopt;
  return status.st_mtim.tv_sec;
#endif
}

}  // namespace

std::optional<LocalDateTime> LastWriteLocalTime(const std::string& path) {
  const auto seconds = LastWriteSeconds(path);
  if (!seconds) return std::nullopt;
  return FromTimeT(static_cast<std::time_t>(*seconds));
}

std::optional<long long> LastWriteTwoSecondSlot(const std::string& path) {
  const auto written = LastWriteSeconds(path);
  if (!written) return std::nullopt;
  const long long seconds = *written;
  return seconds >= 0 ? seconds / 2 : (seconds - 1) / 2;
}

LocalDateTime LocalNow() { return FromTimeT(std::time(nullptr)); }

}  // namespace vemora::platform
