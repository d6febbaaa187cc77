// Where the locale-dependent letters of a date format come from: month and
// weekday names, the locale's date and time formats, the 12-hour markers and
// the era. The built-in Chinese (zh-CN) locale gives the same text on every
// machine; the Windows build defaults to the user's locale.
#pragma once

#include <string>

#include "variables/variable_environment.h"

namespace pathorama::variables {

class DateLocale {
 public:
  virtual ~DateLocale() = default;
  virtual std::u16string MonthName(int month, bool longName) const = 0;      // 1 … 12
  virtual std::u16string DayName(int isoWeekday, bool longName) const = 0;   // 1 Monday … 7
  // Formats written in the letters of FormatDateTime ("yyyy/m/d", "h:mm:ss").
  virtual std::u16string DateFormat(bool longFormat) const = 0;
  virtual std::u16string TimeFormat(bool longFormat) const = 0;
  virtual std::u16string AmPm(bool pm) const = 0;
  virtual std::u16string EraName(const LocalDateTime& date, bool longName) const = 0;
  virtual long long EraYear(const LocalDateTime& date) const = 0;
};

// zh-CN as Windows describes it: "1月"/"一月", "周一"/"星期一", "yyyy/M/d",
// "yyyy'年'M'月'd'日'", "H:mm", "H:mm:ss", "上午"/"下午", era "公元".
const DateLocale& ChineseDateLocale();

// The user's locale on Windows (win32/date_locale_win32.cpp); elsewhere the
// built-in Chinese locale.
const DateLocale& DefaultDateLocale();

// The locale of an environment: its own when set, else the default.
const DateLocale& LocaleOf(const VariableEnvironment& env);

}  // namespace pathorama::variables
