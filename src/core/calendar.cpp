#include "core/calendar.h"

namespace pathorama::core {

long long FloorDiv(long long a, long long b) {
  return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

bool IsLeapYear(long long year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

int DaysInMonth(long long year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool IsValidDate(long long year, int month, int day) {
  return year >= kMinYear && year <= kMaxYear && day >= 1 && day <= DaysInMonth(year, month);
}

bool IsValidDate(const CalendarDate& date) { return IsValidDate(date.year, date.month, date.day); }

// After Howard Hinnant's days_from_civil and civil_from_days.
long long DaysFromCivil(long long year, int month, int day) {
  const long long y = year - (month <= 2);
  const long long era = FloorDiv(y, 400);
  const long long yoe = y - era * 400;
  const long long mp = (month + 9) % 12;
  const long long doy = (153 * mp + 2) / 5 + day - 1;
  const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

CalendarDate CivilFromDays(long long days) {
  const long long z = days + 719468;
  const long long era = FloorDiv(z, 146097);
  const long long doe = z - era * 146097;
  const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const long long mp = (5 * doy + 2) / 153;
  CalendarDate date;
  date.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  date.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  date.year = static_cast<int>(yoe + era * 400 + (date.month <= 2));
  return date;
}

CalendarDate MoveToYear(const CalendarDate& date, int year) {
  CalendarDate moved{year, date.month, date.day};
  if (moved.month == 2 && moved.day == 29 && !IsLeapYear(year)) moved.day = 28;
  return moved;
}

}  // namespace pathorama::core
