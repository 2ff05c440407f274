// File modification times and today's date as the user's local calendar shows them: what
// a search by file date compares.
#pragma once

#include <optional>
#include <string>

namespace vemora::platform {

// A moment of the local calendar, to the second.
struct LocalDateTime {
  int year = 1899;
  int month = 12;  // 1-12
  int day = 30;    // 1-31
  int hour = 0;
  int minute = 0;
  int second = 0;
};

// The last write time of the file in local time; none when there is no file (a folder is
// none either).
std::optional<LocalDateTime> LastWriteLocalTime(const std::string& path);

// The last write time counted in two-second slots (the resolution of the oldest file times a
// hand-off must still agree with): two writes within one slot look the same. None when
// there is no regular file.
std::optional<long long> LastWriteTwoSecondSlot(const std::string& path);

// Now, in local time.
LocalDateTime LocalNow();

}  // namespace vemora::platform
