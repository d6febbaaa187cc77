#include "variables/date_locale.h"

#include "variables/numerals.h"

namespace pathorama::variables {
namespace {

class ChineseLocale final : public DateLocale {
 public:
  std::u16string MonthName(int month, bool longName) const override {
    if (month < 1 || month > 12) return u"";
    if (!longName) return IntToText16(month) + u"月";
    return ChineseNumeral(IntToText16(month), u"") + u"月";
  }
  std::u16string DayName(int isoWeekday, bool longName) const override {
    static constexpr std::u16string_view kDays = u"一二三四五六日";
    if (isoWeekday < 1 || isoWeekday > 7) return u"";
    return (longName ? u"星期" : u"周") + std::u16string(1, kDays[isoWeekday - 1]);
  }
  std::u16string DateFormat(bool longFormat) const override {
    return longFormat ? u"yyyy'年'M'月'd'日'" : u"yyyy/M/d";
  }
  std::u16string TimeFormat(bool longFormat) const override {
    return longFormat ? u"H:mm:ss" : u"H:mm";
  }
  std::u16string AmPm(bool pm) const override { return pm ? u"下午" : u"上午"; }
  std::u16string EraName(const LocalDateTime&, bool) const override { return u"公元"; }
  long long EraYear(const LocalDateTime& date) const override { return date.year; }

 private:
  static std::u16string IntToText16(int n) {
    std::u16string text;
    if (n >= 10) text += static_cast<char16_t>(u'0' + n / 10);
    text += static_cast<char16_t>(u'0' + n % 10);
    return text;
  }
};

}  // namespace

const DateLocale& ChineseDateLocale() {
  static const ChineseLocale locale;
  return locale;
}

#if !defined(_WIN32)
const DateLocale& DefaultDateLocale() { return ChineseDateLocale(); }
#endif

const DateLocale& LocaleOf(const VariableEnvironment& env) {
  return env.dateLocale ? *env.dateLocale : DefaultDateLocale();
}

}  // namespace pathorama::variables
