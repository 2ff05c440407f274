#include "platform/file_times.h"

#include <sys/stat.h>

#include <ctime>

namespace vemora::platform {
namespace {

LocalDateTime FromTimeT(std::time_t seconds) {
  std::tm local{};
  localtime_r(&seconds, &local);
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
          local.tm_hour,        local.tm_min,     local.tm_sec};
}

}  // namespace

std::optional<LocalDateTime> LastWriteLocalTime(const std::string& path) {
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return std::nullopt;
  return FromTimeT(status.st_mtim.tv_sec);
}

std::optional<long long> LastWriteTwoSecondSlot(const std::string& path) {
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return std::nullopt;
  const long long seconds = status.st_mtim.tv_sec;
  return seconds >= 0 ? seconds / 2 : (seconds - 1) / 2;
}

LocalDateTime LocalNow() { return FromTimeT(std::time(nullptr)); }

}  // namespace vemora::platform
