#include "variables/date_calendar.h"

namespace pathorama::variables {
namespace {

long long FloorDiv(long long a, long long b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

// Day numbers of 1-01-01 and 9999-12-31.
constexpr long long kMinDay = -719162;
constexpr long long kMaxDay = 2932896;

}  // namespace

bool IsLeapYear(long long year) {
  return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysInMonth(long long year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool IsValidDate(long long year, int month, int day) {
  return year >= kMinYear && year <= kMaxYear && day >= 1 && day <= DaysInMonth(year, month);
}

bool IsValidDateTime(const LocalDateTime& t) {
  return IsValidDate(t.year, t.month, t.day) && t.hour >= 0 && t.hour < 24 && t.minute >= 0 &&
         t.minute < 60 && t.second >= 0 && t.second < 60 && t.millisecond >= 0 &&
         t.millisecond < 1000;
}

// After Howard Hinnant's days_from_civil.
long long DaysFromCivil(long long year, int month, int day) {
  const long long y = year - (month <= 2);
  const long long era = FloorDiv(y, 400);
  const long long yoe = y - era * 400;
  const long long mp = (month + 9) % 12;
  const long long doy = (153 * mp + 2) / 5 + day - 1;
  const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

LocalDateTime CivilFromDays(long long days) {
  if (days < kMinDay || days > kMaxDay) throw DateRangeError();
  const long long z = days + 719468;
  const long long era = FloorDiv(z, 146097);
  const long long doe = z - era * 146097;
  const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const long long mp = (5 * doy + 2) / 153;
  LocalDateTime t;
  t.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  t.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  t.year = static_cast<int>(yoe + era * 400 + (t.month <= 2));
  return t;
}

long long DayNumber(const LocalDateTime& t) { return DaysFromCivil(t.year, t.month, t.day); }

long long MillisecondsOfDay(const LocalDateTime& t) {
  return ((t.hour * 60LL + t.minute) * 60 + t.second) * 1000 + t.millisecond;
}

LocalDateTime AddDays(const LocalDateTime& t, long long days) {
  // Any shift beyond the whole representable span fails before it can overflow.
  if (days < kMinDay - kMaxDay || days > kMaxDay - kMinDay) throw DateRangeError();
  LocalDateTime r = CivilFromDays(DayNumber(t) + days);
  r.hour = t.hour;
  r.minute = t.minute;
  r.second = t.second;
  r.millisecond = t.millisecond;
  return r;
}

LocalDateTime AddMilliseconds(const LocalDateTime& t, long long milliseconds) {
  const long long span = (kMaxDay - kMinDay + 1) * kMillisecondsPerDay;
  if (milliseconds < -span || milliseconds > span) throw DateRangeError();
  const long long total = MillisecondsOfDay(t) + milliseconds;
  const long long dayShift = FloorDiv(total, kMillisecondsPerDay);
  long long ms = total - dayShift * kMillisecondsPerDay;
  LocalDateTime r = CivilFromDays(DayNumber(t) + dayShift);
  r.millisecond = static_cast<int>(ms % 1000);
  ms /= 1000;
  r.second = static_cast<int>(ms % 60);
  ms /= 60;
  r.minute = static_cast<int>(ms % 60);
  r.hour = static_cast<int>(ms / 60);
  return r;
}

LocalDateTime AddMonths(const LocalDateTime& t, long long months) {
  if (months < -12LL * kMaxYear || months > 12LL * kMaxYear) throw DateRangeError();
  const long long index = t.year * 12LL + (t.month - 1) + months;
  const long long year = FloorDiv(index, 12);
  if (year < kMinYear || year > kMaxYear) throw DateRangeError();
  LocalDateTime r = t;
  r.year = static_cast<int>(year);
  r.month = static_cast<int>(index - year * 12) + 1;
  const int length = DaysInMonth(r.year, r.month);
  if (r.day > length) r.day = length;
  return r;
}

LocalDateTime DateOnly(const LocalDateTime& t) {
  LocalDateTime r;
  r.year = t.year;
  r.month = t.month;
  r.day = t.day;
  return r;
}

int IsoWeekday(const LocalDateTime& t) {
  // 1970-01-01 was a Thursday.
  return static_cast<int>(((DayNumber(t) % 7 + 7 + 3) % 7) + 1);
}

int SundayWeekday(const LocalDateTime& t) { return IsoWeekday(t) % 7 + 1; }

int DayOfYear(const LocalDateTime& t) {
  return static_cast<int>(DayNumber(t) - DaysFromCivil(t.year, 1, 1) + 1);
}

LocalDateTime IsoWeekOneMonday(long long year) {
  // Week 1 holds 4 January.
  const long long jan4 = DaysFromCivil(year, 1, 4);
  const long long weekday = ((jan4 % 7 + 7 + 3) % 7) + 1;
  return CivilFromDays(jan4 - (weekday - 1));
}

int IsoWeekNumber(const LocalDateTime& t) {
  const long long day = DayNumber(t);
  // The ISO year is the calendar year of the Thursday of the date's week.
  const long long thursday = day - (IsoWeekday(t) - 1) + 3;
  const long long isoYear = CivilFromDays(thursday).year;
  const long long week1 = DaysFromCivil(isoYear, 1, 4);
  const long long week1Monday = week1 - (((week1 % 7 + 7 + 3) % 7));
  return static_cast<int>((day - week1Monday) / 7 + 1);
}

}  // namespace pathorama::variables
