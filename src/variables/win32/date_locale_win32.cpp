// The user's locale for the date letters of the Windows build.
#include <windows.h>

#include "variables/date_locale.h"

namespace pathorama::variables {
namespace {

std::u16string LocaleText(LCTYPE type) {
  wchar_t buffer[128];
  const int n = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, type, buffer, 128);
  if (n <= 1) return u"";
  return std::u16string(reinterpret_cast<const char16_t*>(buffer), n - 1);
}

// Windows writes the 12-hour marker as "t" or "tt"; here it is "ampm" (and
// a "t" would mean the time format again).
std::u16string TimeFormatFromWindows(std::u16string format) {
  std::u16string out;
  bool quoted = false;
  for (size_t i = 0; i < format.size(); ++i) {
    const char16_t c = format[i];
    if (c == u'\'') quoted = !quoted;
    if (!quoted && (c == u't' || c == u'T')) {
      while (i + 1 < format.size() && (format[i + 1] == u't' || format[i + 1] == u'T')) ++i;
      out += u"ampm";
      continue;
    }
    out += c;
  }
  return out;
}

class WindowsLocale final : public DateLocale {
 public:
  std::u16string MonthName(int month, bool longName) const override {
    if (month < 1 || month > 12) return u"";
    return LocaleText((longName ? LOCALE_SMONTHNAME1 : LOCALE_SABBREVMONTHNAME1) + month - 1);
  }
  std::u16string DayName(int isoWeekday, bool longName) const override {
    if (isoWeekday < 1 || isoWeekday > 7) return u"";
    // LOCALE_SDAYNAME1 is Monday, as ISO counts.
    return LocaleText((longName ? LOCALE_SDAYNAME1 : LOCALE_SABBREVDAYNAME1) + isoWeekday - 1);
  }
  std::u16string DateFormat(bool longFormat) const override {
    return LocaleText(longFormat ? LOCALE_SLONGDATE : LOCALE_SSHORTDATE);
  }
  std::u16string TimeFormat(bool longFormat) const override {
    return TimeFormatFromWindows(LocaleText(longFormat ? LOCALE_STIMEFORMAT : LOCALE_SSHORTTIME));
  }
  std::u16string AmPm(bool pm) const override { return LocaleText(pm ? LOCALE_S2359 : LOCALE_S1159); }
  std::u16string EraName(const LocalDateTime& date, bool longName) const override {
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(date.year);
    st.wMonth = static_cast<WORD>(date.month);
    st.wDay = static_cast<WORD>(date.day);
    wchar_t buffer[64];
    const int n = GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, 0, &st, longName ? L"gg" : L"g",
                                  buffer, 64, nullptr);
    if (n <= 1) return u"";
    return std::u16string(reinterpret_cast<const char16_t*>(buffer), n - 1);
  }
  long long EraYear(const LocalDateTime& date) const override { return date.year; }
};

}  // namespace

const DateLocale& DefaultDateLocale() {
  static const WindowsLocale locale;
  return locale;
}

}  // namespace pathorama::variables
