// The date formatter of the date variables. Letters are case-insensitive,
// other characters are copied:
//   y yy: two-digit year     yyy yyyy: four-digit year
//   m mm: month (the minute when the last letter before was h)
//   mmm mmmm: short and long month name    d dd: day
//   ddd dddd: short and long weekday name  ddddd dddddd: the locale's dates
//   e ee: era year           g gg: era name
//   c: short date and long time            t tt: the locale's times
//   h hh: hour (1-12 when an am/pm marker follows)   n nn: minute
//   s ss: second             z zz zzz: millisecond
//   am/pm a/p: the marker copied from the format     ampm: the locale's
//   aaa aaaa: short and long weekday name   "…" '…': copied as written
#pragma once

#include <string>
#include <string_view>

#include "variables/date_locale.h"
#include "variables/variable_environment.h"

namespace pathorama::variables {

// `t` must be a valid date-time (IsValidDateTime).
std::u16string FormatDateTime(std::u16string_view format, const LocalDateTime& t,
                              const DateLocale& locale);

}  // namespace pathorama::variables
