// Dates as the search and the saved sets count them: the date serial, a number of days
// whose day 0 is 30 December 1899 and whose fraction is the time of day.
//
// File dates are full serials (local time); the dialog's dates and the age cut-off are
// whole days. Texts are German: "dd.mm.yyyy" and "dd.mm.yyyy hh:nn:ss".
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/file_times.h"

namespace vemora {

// Whole days of the date (no check that the day exists).
int32_t DaySerial(int year, int month, int day);
double DateTimeSerial(const platform::LocalDateTime& moment);
// The calendar date and time of a serial (the fraction rounded to the second).
platform::LocalDateTime DateTimeOfSerial(double serial);

// "dd.mm.yyyy" of a whole-day serial.
std::string FormatDate(int32_t daySerial);
// "dd.mm.yyyy hh:nn:ss".
std::string FormatDateTime(double serial);

// A date typed in German order: "d.m.yyyy" or "d.m.yy" (years below 50 in this century),
// optionally followed by a time, which is dropped. None when the text is no existing date.
std::optional<int32_t> ParseDate(std::string_view text);

// The day that an age test compares with: `count` units back from `today`. Months and years
// keep the day of month; a day that the target month lacks becomes the month's last day.
int32_t AgeCutoffDate(int32_t today, int32_t unit, int32_t count);

// Today in local time, as whole days.
int32_t TodaySerial();

}  // namespace vemora
