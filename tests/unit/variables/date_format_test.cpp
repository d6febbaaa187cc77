#include "variables/date_format.h"

#include <gtest/gtest.h>

#include "core/text.h"
#include "variables/date_calendar.h"
#include "variables/date_locale.h"

namespace pathorama::variables {
namespace {

// Sunday 2026-03-08 21:05:09.045
constexpr LocalDateTime kEvening{2026, 3, 8, 21, 5, 9, 45};

TEST(DateFormat, LetterTable) {
  struct Case {
    const char16_t* format;
    const char16_t* want;
  } cases[] = {
      {u"yyyy-mm-dd", u"2026-03-08"},
      {u"YYYY-MM-DD", u"2026-03-08"},  // letters ignore case
      {u"y yy yyy yyyyy", u"26 26 2026 2026"},
      {u"m mm mmm mmmm", u"3 03 3月 三月"},
      {u"d dd ddd dddd", u"8 08 周日 星期日"},
      {u"ddddd", u"2026/3/8"},
      {u"dddddd", u"2026年3月8日"},
      {u"h hh n nn s ss", u"21 21 5 05 9 09"},
      {u"hhnnss", u"210509"},
      // m is the minute when the last letter before it was an h.
      {u"hh.mm", u"21.05"},
      {u"h m", u"21 5"},
      {u"hh-dd-mm", u"21-08-03"},
      {u"mm-hh", u"03-21"},
      {u"z zz zzz zzzz", u"45 45 045 045"},
      {u"h am/pm", u"9 pm"},
      {u"hh a/p", u"09 p"},
      {u"h ampm", u"9 下午"},
      {u"h 'am/pm'", u"21 am/pm"},  // a quoted marker does not count
      {u"t", u"21:05"},
      {u"tt", u"21:05:09"},
      {u"c", u"2026/3/8 21:05:09"},
      {u"g gg e ee", u"公元 公元 2026 2026"},
      {u"aaa aaaa", u"周日 星期日"},
      {u"'yyyy'\"mm\"dd", u"yyyymm08"},
      {u"'open", u"open"},  // a quote without its end runs to the end
      {u"x-b_q 文件", u"x-b_q 文件"},
      {u"a", u"a"},
      {u"", u""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(FormatDateTime(c.format, kEvening, ChineseDateLocale()), c.want)
        << core::Utf16ToUtf8(c.format);
}

TEST(DateFormat, TwelveHourClock) {
  struct Case {
    int hour;
    const char16_t* want;
  } cases[] = {
      {0, u"12 am 上午"}, {1, u"01 am 上午"}, {11, u"11 am 上午"},
      {12, u"12 pm 下午"}, {13, u"01 pm 下午"}, {23, u"11 pm 下午"},
  };
  for (const Case& c : cases) {
    LocalDateTime t = kEvening;
    t.hour = c.hour;
    EXPECT_EQ(FormatDateTime(u"hh am/pm ampm", t, ChineseDateLocale()),
              c.want)
        << c.hour;
  }
  // Without a marker the hour stays on the 24-hour clock.
  EXPECT_EQ(FormatDateTime(u"hh", LocalDateTime{2026, 1, 1, 0, 0, 0, 0},
                                      ChineseDateLocale()),
            u"00");
}

TEST(DateFormat, YearsAtTheEndsOfTheRange) {
  EXPECT_EQ(FormatDateTime(u"yyyy yy", LocalDateTime{1, 1, 1},
                                      ChineseDateLocale()),
            u"0001 01");
  EXPECT_EQ(FormatDateTime(u"yyyy yy", LocalDateTime{9999, 12, 31},
                                      ChineseDateLocale()),
            u"9999 99");
}

// A locale whose formats name themselves must not recurse without end.
class SelfNamingLocale final : public DateLocale {
 public:
  std::u16string MonthName(int, bool) const override { return u"M"; }
  std::u16string DayName(int, bool) const override { return u"D"; }
  std::u16string DateFormat(bool) const override { return u"ddddd c"; }
  std::u16string TimeFormat(bool) const override { return u"tt"; }
  std::u16string AmPm(bool) const override { return u"AP"; }
  std::u16string EraName(const LocalDateTime&, bool) const override { return u"E"; }
  long long EraYear(const LocalDateTime& d) const override { return d.year; }
};

TEST(DateFormat, LocaleFormatsNamingThemselvesEnd) {
  SelfNamingLocale locale;
  const std::u16string nested = FormatDateTime(u"ddddd", kEvening, locale);
  EXPECT_EQ(nested, std::u16string(4, u' '));  // two levels of "ddddd c", no more
  EXPECT_EQ(FormatDateTime(u"yyyy t", kEvening, locale), u"2026 ");
}

// Whatever the user's locale, its names and formats reach the formatter
// complete, and its 12-hour marker is not read as the time letter again.
TEST(DateFormat, DefaultLocaleIsComplete) {
  const DateLocale& locale = DefaultDateLocale();
  for (int m = 1; m <= 12; ++m) {
    EXPECT_FALSE(locale.MonthName(m, true).empty()) << m;
    EXPECT_FALSE(locale.MonthName(m, false).empty()) << m;
  }
  for (int d = 1; d <= 7; ++d) EXPECT_FALSE(locale.DayName(d, true).empty()) << d;
  EXPECT_EQ(locale.MonthName(13, true), u"");
  for (bool longFormat : {false, true}) {
    EXPECT_FALSE(locale.DateFormat(longFormat).empty());
    // "21:05", "9:05 PM", "下午 9:05" …: the hour and the minute, no letters left over.
    const std::u16string time =
        FormatDateTime(longFormat ? u"tt" : u"t", kEvening, locale);
    EXPECT_NE(time.find(u"05"), std::u16string::npos) << core::Utf16ToUtf8(time);
    EXPECT_TRUE(time.find(u"21") != std::u16string::npos || time.find(u"9") != std::u16string::npos)
        << core::Utf16ToUtf8(time);
    EXPECT_EQ(time.find_first_of(u"hHmsStT"), std::u16string::npos) << core::Utf16ToUtf8(time);
  }
  EXPECT_EQ(locale.DayName(1, true),
            FormatDateTime(u"dddd", LocalDateTime{2026, 3, 9}, locale));
  EXPECT_NE(FormatDateTime(u"c", kEvening, locale).find(u"05"), std::u16string::npos);
}

TEST(DateCalendar, MonthArithmeticClampsToTheMonth) {
  struct Case {
    LocalDateTime from;
    long long months;
    LocalDateTime want;
  } cases[] = {
      {{2026, 1, 31}, 1, {2026, 2, 28}},
      {{2024, 1, 31}, 1, {2024, 2, 29}},
      {{2024, 2, 29}, 12, {2025, 2, 28}},
      {{2024, 2, 29}, 48, {2028, 2, 29}},
      {{2026, 3, 31}, -1, {2026, 2, 28}},
      {{2026, 5, 31}, -1, {2026, 4, 30}},
      {{2026, 12, 15}, 1, {2027, 1, 15}},
      {{2026, 1, 15}, -1, {2025, 12, 15}},
      {{2026, 1, 15}, -13, {2024, 12, 15}},
      {{1900, 2, 28}, 1200, {2000, 2, 28}},
  };
  for (const Case& c : cases) {
    const LocalDateTime got = AddMonths(c.from, c.months);
    EXPECT_EQ(got.year, c.want.year) << c.from.year << "-" << c.from.month << " " << c.months;
    EXPECT_EQ(got.month, c.want.month) << c.from.year << "-" << c.from.month << " " << c.months;
    EXPECT_EQ(got.day, c.want.day) << c.from.year << "-" << c.from.month << " " << c.months;
  }
  EXPECT_THROW(AddMonths({9999, 12, 1}, 1), DateRangeError);
  EXPECT_THROW(AddMonths({1, 1, 1}, -1), DateRangeError);
  EXPECT_THROW(AddDays({2026, 1, 1}, 4'000'000), DateRangeError);
  EXPECT_THROW(AddMilliseconds({9999, 12, 31, 23, 59, 59, 999}, 1),
               DateRangeError);
}

TEST(DateCalendar, IsoWeeksAroundYearEnds) {
  struct Case {
    LocalDateTime date;
    int weekday;
    int week;
  } cases[] = {
      {{2026, 1, 1}, 4, 1},   {{2025, 12, 29}, 1, 1}, {{2025, 12, 28}, 7, 52},
      {{2027, 1, 1}, 5, 53},  {{2027, 1, 4}, 1, 1},   {{2021, 1, 3}, 7, 53},
      {{2024, 12, 30}, 1, 1}, {{2023, 1, 1}, 7, 52},  {{2026, 3, 8}, 7, 10},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsoWeekday(c.date), c.weekday)
        << c.date.year << "-" << c.date.month << "-" << c.date.day;
    EXPECT_EQ(IsoWeekNumber(c.date), c.week)
        << c.date.year << "-" << c.date.month << "-" << c.date.day;
  }
  EXPECT_EQ(DayOfYear({2024, 12, 31}), 366);
  EXPECT_EQ(DayOfYear({2026, 12, 31}), 365);
}

}  // namespace
}  // namespace pathorama::variables
