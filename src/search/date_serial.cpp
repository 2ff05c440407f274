#include "search/date_serial.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "search/search_options.h"

namespace vemora {
namespace {

// Days from 1 January 1970 of a proleptic Gregorian date (Howard Hinnant's algorithm).
constexpr int64_t DaysFromCivil(int64_t year, int month, int day) {
  year -= month <= 2 ? 1 : 0;
  const int64_t era = (year >= 0 ? year : year - 399) / 400;
  const int64_t yearOfEra = year - era * 400;
  const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

void CivilFromDays(int64_t days, int& year, int& month, int& day) {
  days += 719468;
  const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const int64_t dayOfEra = days - era * 146097;
  const int64_t yearOfEra =
      (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const int64_t monthIndex = (5 * dayOfYear + 2) / 153;
  day = static_cast<int>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
  month = static_cast<int>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
  year = static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
}

constexpr int64_t kSerialEpoch = DaysFromCivil(1899, 12, 30);

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kDays[month - 1];
}

// Reads digits at `text[pos]`; advances pos. None without a digit.
std::optional<int> ReadNumber(std::string_view text, size_t& pos, size_t maxDigits) {
  const size_t start = pos;
  while (pos < text.size() && pos - start < maxDigits && text[pos] >= '0' && text[pos] <= '9') {
    ++pos;
  }
  int value = 0;
  if (pos == start) return std::nullopt;
  std::from_chars(text.data() + start, text.data() + pos, value);
  return value;
}

}  // namespace

int32_t DaySerial(int year, int month, int day) {
  return static_cast<int32_t>(DaysFromCivil(year, month, day) - kSerialEpoch);
}

double DateTimeSerial(const platform::LocalDateTime& moment) {
  const int seconds = moment.hour * 3600 + moment.minute * 60 + moment.second;
  return DaySerial(moment.year, moment.month, moment.day) + seconds / 86400.0;
}

platform::LocalDateTime DateTimeOfSerial(double serial) {
  const auto totalSeconds = static_cast<int64_t>(std::llround(serial * 86400.0));
  int64_t days = totalSeconds / 86400;
  int64_t seconds = totalSeconds % 86400;
  if (seconds < 0) {
    seconds += 86400;
    --days;
  }
  platform::LocalDateTime moment;
  CivilFromDays(days + kSerialEpoch, moment.year, moment.month, moment.day);
  moment.hour = static_cast<int>(seconds / 3600);
  moment.minute = static_cast<int>(seconds / 60 % 60);
  moment.second = static_cast<int>(seconds % 60);
  return moment;
}

std::string FormatDate(int32_t daySerial) {
  const platform::LocalDateTime date = DateTimeOfSerial(daySerial);
  char text[32];
  std::snprintf(text, sizeof text, "%02d.%02d.%04d", date.day, date.month, date.year);
  return text;
}

std::string FormatDateTime(double serial) {
  const platform::LocalDateTime moment = DateTimeOfSerial(serial);
  char text[48];
  std::snprintf(text, sizeof text, "%02d.%02d.%04d %02d:%02d:%02d", moment.day, moment.month,
                moment.year, moment.hour, moment.minute, moment.second);
  return text;
}

std::optional<int32_t> ParseDate(std::string_view text) {
  size_t pos = 0;
  while (pos < text.size() && text[pos] == ' ') ++pos;
  const auto day = ReadNumber(text, pos, 2);
  if (!day || pos >= text.size() || text[pos++] != '.') return std::nullopt;
  const auto month = ReadNumber(text, pos, 2);
  if (!month || pos >= text.size() || text[pos++] != '.') return std::nullopt;
  const size_t yearStart = pos;
  auto year = ReadNumber(text, pos, 4);
  if (!year) return std::nullopt;
  if (pos - yearStart <= 2) *year += *year < 50 ? 2000 : 1900;
  // A time may follow after a blank; the date alone counts.
  if (pos < text.size() && text[pos] != ' ') return std::nullopt;
  if (*month < 1 || *month > 12 || *day < 1 || *day > DaysInMonth(*year, *month)) {
    return std::nullopt;
  }
  return DaySerial(*year, *month, *day);
}

int32_t AgeCutoffDate(int32_t today, int32_t unit, int32_t count) {
  switch (unit) {
    case kAgeWeeks:
      return today - 7 * count;
    case kAgeMonths:
    case kAgeYears: {
      const platform::LocalDateTime date = DateTimeOfSerial(today);
      const int months = unit == kAgeMonths ? count : 12 * count;
      const int monthIndex = date.year * 12 + (date.month - 1) - months;
      const int year = monthIndex / 12;
      const int month = monthIndex % 12 + 1;
      const int day = std::min(date.day, DaysInMonth(year, month));
      return DaySerial(year, month, day);
    }
    default:
      return today - count;
  }
}

int32_t TodaySerial() {
  const platform::LocalDateTime now = platform::LocalNow();
  return DaySerial(now.year, now.month, now.day);
}

}  // namespace vemora
