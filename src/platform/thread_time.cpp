#include "platform/thread_time.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <time.h>
#endif

namespace vemora::platform {

std::chrono::nanoseconds ThisThreadCpuTime() {
#ifdef _WIN32
  FILETIME created, exited, kernel, user;
  if (!GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user)) return {};
  auto ticks = [](const FILETIME& time) {
    return (static_cast<long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
  };
  return std::chrono::nanoseconds((ticks(kernel) + ticks(user)) * 100);  // 100 ns ticks
#else
  timespec now{};
  if (clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now) != 0) return {};
  return std::chrono::seconds(now.tv_sec) + std::chrono::nanoseconds(now.tv_nsec);
#endif
}

}  // namespace vemora::platform
