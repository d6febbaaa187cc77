#include "variables/date_calendar.h"

namespace pathorama::variables {
bool IsValidDateTime(const LocalDateTime& t) {
  return core::IsValidDate(t.year, t.month, t.day) && t.hour >= 0 && t.hour < 24 &&
         t.minute >= 0 && t.minute < 60 && t.second >= 0 && t.second < 60 &&
         t.millisecond >= 0 && t.millisecond < 1000;
}

LocalDateTime DateFromDayNumber(long long days) {
  if (days < core::kFirstDay || days > core::kLastDay) throw DateRangeError();
  const core::CalendarDate date = core::CivilFromDays(days);
  LocalDateTime t;
  t.year = date.year;
  t.month = date.month;
  t.day = date.day;
  return t;
}

long long DayNumber(const LocalDateTime& t) { return core::DaysFromCivil(t.year, t.month, t.day); }

long long MillisecondsOfDay(const LocalDateTime& t) {
  return ((t.hour * 60LL + t.minute) * 60 + t.second) * 1000 + t.millisecond;
}

LocalDateTime AddDays(const LocalDateTime& t, long long days) {
  // Any shift beyond the whole representable span fails before it can overflow.
  if (days < core::kFirstDay - core::kLastDay || days > core::kLastDay - core::kFirstDay) throw DateRangeError();
  LocalDateTime r = DateFromDayNumber(DayNumber(t) + days);
  r.hour = t.hour;
  r.minute = t.minute;
  r.second = t.second;
  r.millisecond = t.millisecond;
  return r;
}

LocalDateTime AddMilliseconds(const LocalDateTime& t, long long milliseconds) {
  const long long span = (core::kLastDay - core::kFirstDay + 1) * kMillisecondsPerDay;
  if (milliseconds < -span || milliseconds > span) throw DateRangeError();
  const long long total = MillisecondsOfDay(t) + milliseconds;
  const long long dayShift = core::FloorDiv(total, kMillisecondsPerDay);
  long long ms = total - dayShift * kMillisecondsPerDay;
  LocalDateTime r = DateFromDayNumber(DayNumber(t) + dayShift);
  r.millisecond = static_cast<int>(ms % 1000);
  ms /= 1000;
  r.second = static_cast<int>(ms % 60);
  ms /= 60;
  r.minute = static_cast<int>(ms % 60);
  r.hour = static_cast<int>(ms / 60);
  return r;
}

LocalDateTime AddMonths(const LocalDateTime& t, long long months) {
  if (months < -12LL * core::kMaxYear || months > 12LL * core::kMaxYear) throw DateRangeError();
  const long long index = t.year * 12LL + (t.month - 1) + months;
  const long long year = core::FloorDiv(index, 12);
  if (year < core::kMinYear || year > core::kMaxYear) throw DateRangeError();
  LocalDateTime r = t;
  r.year = static_cast<int>(year);
  r.month = static_cast<int>(index - year * 12) + 1;
  const int length = core::DaysInMonth(r.year, r.month);
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
  return static_cast<int>(DayNumber(t) - core::DaysFromCivil(t.year, 1, 1) + 1);
}

LocalDateTime IsoWeekOneMonday(long long year) {
  // Week 1 holds 4 January.
  const long long jan4 = core::DaysFromCivil(year, 1, 4);
  const long long weekday = ((jan4 % 7 + 7 + 3) % 7) + 1;
  return DateFromDayNumber(jan4 - (weekday - 1));
}

int IsoWeekNumber(const LocalDateTime& t) {
  const long long day = DayNumber(t);
  // The ISO year is the calendar year of the Thursday of the date's week.
  const long long thursday = day - (IsoWeekday(t) - 1) + 3;
  const long long isoYear = DateFromDayNumber(thursday).year;
  const long long week1 = core::DaysFromCivil(isoYear, 1, 4);
  const long long week1Monday = week1 - (((week1 % 7 + 7 + 3) % 7));
  return static_cast<int>((day - week1Monday) / 7 + 1);
}

}  // namespace pathorama::variables
