// The date and time variables: `Now`, `Time`, `Today`, `CurWeekDay`,
// `WeekDay`, the date parts (`Day`, `YYYY` … `WeekNum`), the clock parts
// (`HHour` … `Sec`) and the day lists `MonthDays` and `WeekDays`.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "variables/variable_environment.h"

namespace pathorama::variables {

// The value of a date or time variable; none when the name text has none
// (the driver keeps "{" name text "}"). Never throws.
std::optional<std::u16string> EvaluateDateTime(const VariableRequest& request);

// The offsets written before a date name ("+1m-2dDD"), applied in order. An
// offset without a unit takes it from the name: years for Y…, months for M…,
// weeks for `WeekNum` and `WInY`, quarters for `QInY`, days otherwise.
// Throws DateRangeError when the date leaves the years 1 … 9999.
LocalDateTime ApplyDateOffsets(const LocalDateTime& date, std::u16string_view nameText,
                               const LocalDateTime& today);

// The start of the week that holds `date` when it lies in today's year;
// otherwise the week start day of ISO week 1 of today's year (its Monday, or
// the Sunday that ends it). `date` of year 0 stands for no date.
LocalDateTime WeekStartOf(bool sundayBased, const LocalDateTime& date, const LocalDateTime& today);

// Weeks from the week of the base (the week-1 start, or 1 January of the
// date's year) to the week of the date, the base's week being 1.
long long WeekNumberFrom(bool sundayBased, bool useWeekOneStart, const LocalDateTime& date,
                         const LocalDateTime& weekOneStart);

// "<1-5>" gives "12345", "<13-57>" "13457", "<5-2>" "5432", "<-67>" "67";
// anything else an empty set.
std::u16string WeekdaySetFromParam(std::u16string_view param);

// What the options stand for on a given day: the start of week 1 and the
// date of an empty date parameter `<>` (today unless a date is set).
LocalDateTime WeekOneStart(const VariableOptions& options, const LocalDateTime& today);
LocalDateTime EmptyParamDate(const VariableOptions& options, const LocalDateTime& today);

}  // namespace pathorama::variables
