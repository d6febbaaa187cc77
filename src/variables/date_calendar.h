// Date and time arithmetic of the date variables on top of the shared
// calendar (core/calendar.h). Years run from 1 to 9999; arithmetic that
// leaves that range fails with DateRangeError instead of producing a date no
// formatter can write.
#pragma once

#include <stdexcept>

#include "core/calendar.h"
#include "variables/variable_environment.h"

namespace pathorama::variables {

struct DateRangeError : std::runtime_error {
  DateRangeError() : std::runtime_error("date out of range") {}
};

inline constexpr long long kMillisecondsPerDay = 86'400'000;

// A valid date (core::IsValidDate) and a valid time of day.
bool IsValidDateTime(const LocalDateTime& t);

// The date of a day number (days since 1970-01-01, core::DaysFromCivil);
// throws DateRangeError outside core::kMinYear … core::kMaxYear.
LocalDateTime DateFromDayNumber(long long days);

// A moment as days and the milliseconds of that day.
long long DayNumber(const LocalDateTime& t);  // date part only
long long MillisecondsOfDay(const LocalDateTime& t);
// Throws DateRangeError when the result leaves the year range.
LocalDateTime AddDays(const LocalDateTime& t, long long days);
LocalDateTime AddMilliseconds(const LocalDateTime& t, long long milliseconds);
// Keeps the day, clamped to the length of the target month (31 January + 1
// month is 28 or 29 February).
LocalDateTime AddMonths(const LocalDateTime& t, long long months);

LocalDateTime DateOnly(const LocalDateTime& t);  // time of day removed

int IsoWeekday(const LocalDateTime& t);     // 1 Monday … 7 Sunday
int SundayWeekday(const LocalDateTime& t);  // 1 Sunday … 7 Saturday
int DayOfYear(const LocalDateTime& t);      // 1 … 366
int IsoWeekNumber(const LocalDateTime& t);  // 1 … 53
// Monday of ISO week 1 of `year` (may lie in December of the year before).
LocalDateTime IsoWeekOneMonday(long long year);

}  // namespace pathorama::variables
