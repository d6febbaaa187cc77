// The proleptic Gregorian calendar shared by the settings (stored dates) and
// the date variables: leap years, month lengths, day numbers.
#pragma once

namespace pathorama::core {

struct CalendarDate {
  int year = 0, month = 0, day = 0;
  friend bool operator==(const CalendarDate&, const CalendarDate&) = default;
};

// a / b rounded towards negative infinity.
long long FloorDiv(long long a, long long b);

// The years a date may have anywhere in the program.
inline constexpr int kMinYear = 1, kMaxYear = 9999;

bool IsLeapYear(long long year);
int DaysInMonth(long long year, int month);  // 0 for a month outside 1 … 12
bool IsValidDate(long long year, int month, int day);  // within kMinYear … kMaxYear
bool IsValidDate(const CalendarDate& date);

// Days since 1970-01-01; any year, no range check.
long long DaysFromCivil(long long year, int month, int day);
// The inverse for the years kMinYear … kMaxYear; `days` must lie in
// [kFirstDay, kLastDay].
CalendarDate CivilFromDays(long long days);
inline constexpr long long kFirstDay = -719162;  // 0001-01-01
inline constexpr long long kLastDay = 2932896;   // 9999-12-31

// The same day and month in `year`; 29 February becomes 28 February in a
// year without it.
CalendarDate MoveToYear(const CalendarDate& date, int year);

}  // namespace pathorama::core
