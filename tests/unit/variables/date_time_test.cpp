#include "variables/date_time.h"

#include <gtest/gtest.h>

#include <optional>

#include "core/text.h"
#include "variables/clocks.h"
#include "variables/date_calendar.h"
#include "variables/date_locale.h"

namespace pathorama::variables {
namespace {

// Option sets the cases refer to by name.
enum class Opt { kDefault, kDash, kSunday, kIsoWeeks, kSundayIso, kWeekOneMar2, kSundayMar2,
                 kEmptyParamSet };

VariableOptions OptionsFor(Opt opt) {
  VariableOptions o;
  switch (opt) {
    case Opt::kDefault: break;
    case Opt::kDash: o.yearMonthDayDelimiter.push_back(u'-'); break;
    case Opt::kSunday: o.weekStartsWith = 1; break;
    case Opt::kIsoWeeks: o.firstDayAsFirstWeek = false; break;
    case Opt::kSundayIso: o.weekStartsWith = 1; o.firstDayAsFirstWeek = false; break;
    case Opt::kWeekOneMar2:
      o.asFirstWeek = LocalDateTime{2026, 3, 2};
      break;
    case Opt::kSundayMar2:
      o.weekStartsWith = 1;
      o.asFirstWeek = LocalDateTime{2026, 3, 2};
      break;
    case Opt::kEmptyParamSet:
      o.setDayForEmptyParam = true;
      o.dayForEmptyParam = LocalDateTime{2025, 6, 15};
      break;
  }
  return o;
}

// Sunday 2026-03-08 14:30:45 unless a case says otherwise.
constexpr const char16_t* kSunday8March = u"2026-03-08 14:30:45";

std::optional<std::u16string> Evaluate(std::u16string_view name, std::u16string_view now,
                                       Opt opt = Opt::kDefault) {
  const auto moment = ParseLocalDateTime(now);
  EXPECT_TRUE(moment.has_value()) << core::Utf16ToUtf8(now);
  FixedClock clock(moment.value_or(LocalDateTime{}));
  const VariableOptions options = OptionsFor(opt);
  VariableEnvironment env{&clock, nullptr, &options, &ChineseDateLocale()};
  const VariableRequest request{u"", name, {}, u"", u"", env};
  return EvaluateDateTime(request);
}

struct Case {
  const char16_t* name;
  const char16_t* want;  // nullptr: no value, the variable keeps its braces
  const char16_t* now = kSunday8March;
  Opt opt = Opt::kDefault;
};

void Check(const Case* begin, const Case* end) {
  for (const Case* c = begin; c != end; ++c) {
    const auto got = Evaluate(c->name, c->now, c->opt);
    const std::string label = core::Utf16ToUtf8(c->name) + " at " + core::Utf16ToUtf8(c->now) +
                              " options " + std::to_string(static_cast<int>(c->opt));
    if (!c->want) {
      EXPECT_FALSE(got.has_value()) << label << " gave " << core::Utf16ToUtf8(got.value_or(u""));
    } else {
      ASSERT_TRUE(got.has_value()) << label;
      EXPECT_EQ(*got, c->want) << label;
    }
  }
}
template <size_t N>
void Check(const Case (&cases)[N]) {
  Check(cases, cases + N);
}

TEST(DateTime, MomentAndClockTime) {
  const Case cases[] = {
      {u"Now", u"20260308143045"},
      {u"now", u"20260308143045"},
      {u"Now<Chn>", u"二零二六零一零五零九零三零七", u"2026-01-05 09:03:07"},
      {u"+30sNow", u"20260308143115"},
      {u"+1y-1m+1w-2d+1h-30n+15sNow", u"20270213150100"},
      {u"+10hNow<yyyy-mm-dd hh.nn>", u"2026-03-09 00.30"},
      {u"-1mNow", u"20260228143045", u"2026-03-31 14:30:45"},
      {u"Now<dddd>", u"星期日"},
      {u"+1Now", nullptr},  // every offset of the moment needs its unit
      {u"Time", u"143045"},
      {u"Time<Chn>", u"一四三零四五"},
      {u"+2hTime<hh.nn>", u"16.30"},
      {u"-1h-30nTime", u"130045"},
      {u"+30sTime", u"143115"},
      {u"Time<h ampm>", u"2 下午"},
      {u"Time<h am/pm>", nullptr},  // "/" is not allowed in a format
  };
  Check(cases);
}

TEST(DateTime, TodayWithOffsetsAndFormats) {
  const Case cases[] = {
      {u"Today", u"20260308"},
      {u"Today", u"2026-03-08", kSunday8March, Opt::kDash},
      {u"today", u"20260308"},
      {u"-1dToday", u"20260307"},
      {u"-1Today", u"20260307"},  // a bare offset counts days
      {u"+1wToday", u"20260315"},
      {u"+1y+2m-3dToday", u"20270505"},
      {u"Today<yyyy.mm.dd hh>", u"2026.03.08 14"},  // the time of day is kept
      {u"Today<Chn>", u"二零二六零三零八"},
      {u"Today<ChnEra>", u"丙午年辛卯月辛巳日"},
      {u"Today<ChnEra>", u"乙巳年己丑月戊申日", u"2026-02-03 08:00:00"},
      {u"Today<p>", nullptr},  // the format gives itself back: invalid
      // Month ends, leap years and year ends.
      {u"+1mToday", u"20260228", u"2026-01-31 12:00:00"},
      {u"+1mToday", u"20240229", u"2024-01-31 12:00:00"},
      {u"-1mToday", u"20260228", u"2026-03-31 12:00:00"},
      {u"+1yToday", u"20250228", u"2024-02-29 12:00:00"},
      {u"+4yToday", u"20280229", u"2024-02-29 12:00:00"},
      {u"+1dToday", u"20270101", u"2026-12-31 12:00:00"},
      {u"-1dToday", u"20240229", u"2024-03-01 12:00:00"},
      {u"+1m+1mToday", u"20260328", u"2026-01-30 12:00:00"},  // the clamped day carries on
      // The edges of the date range: a value or braces, never a crash.
      {u"-2025yToday", u"00010308"},
      {u"+7973yToday", u"99990308"},
      {u"+7974yToday", nullptr},
      {u"-3000yToday", nullptr},
      {u"+1000000dToday", u"47640203"},
      {u"+4000000dToday", nullptr},
      {u"+99999999999999999999dToday", nullptr},
      {u"+999999999999999dToday", nullptr},
      // The days the 1582 reform dropped have no sexagenary day.
      {u"-443y-5mToday<ChnEra>", nullptr},
      {u"-443y-5mToday", u"15821008"},
      {u"-443y-5m+7dToday<ChnEra>", u"壬午年庚戌月甲戌日"},  // 15 October 1582
  };
  Check(cases);
}

TEST(DateTime, Weekdays) {
  const Case cases[] = {
      {u"CurWeekDay", u"7"},
      {u"CurWeekDay<Chn>", u"日"},
      {u"CurWeekDay<Eng>", u"Sunday"},
      {u"CurWeekDay<ShortEng>", u"Sun."},
      {u"CurWeekDay<Chinese>", u"日"},
      {u"CurWeekDay<ShortEnglish>", u"Sun."},
      {u"CurWeekDay<yyyy>", u""},  // accepted, but not a language
      {u"+1CurWeekDay", u"1"},
      {u"-1wCurWeekDay<Eng>", u"Sunday"},
      {u"WeekDay", u"7"},
      {u"WeekDay<20240229>", u"4"},
      {u"WeekDay<20240229><Eng>", u"Thursday"},
      {u"WeekDay<20230229>", u"7"},  // impossible: today
      {u"WeekDay<>", u"7"},
      {u"WeekDay<>", u"7", kSunday8March, Opt::kEmptyParamSet},  // 2025-06-15 was a Sunday too
      {u"+1WeekDay<>", u"1", kSunday8March, Opt::kEmptyParamSet},
      {u"+1dWeekDay<Chn>", u"一"},
      {u"+2WeekDay<ShortEng>", u"Tue."},
      {u"WeekDay<ChnEra>", nullptr},
      {u"WeekDay<Chinese>", nullptr},
  };
  Check(cases);
}

TEST(DateTime, DateParts) {
  const Case cases[] = {
      {u"YYYY", u"2026"},
      {u"YY", u"26"},
      {u"MM", u"03"},
      {u"M", u"3"},
      {u"DD", u"08"},
      {u"D", u"8"},
      {u"+1mMM", u"04"},
      {u"+1MM", u"04"},
      {u"+1M", u"4"},
      {u"+1mm", u"04"},  // read as one month ahead, two digits
      {u"+1dd", u"09"},
      {u"+1D", u"9"},
      {u"-1yYY", u"25"},
      {u"+1YYYY", u"2027"},
      {u"YYYY<ShengXiao>", u"马年"},
      {u"-1YYYY<ShengXiao>", u"蛇年"},
      {u"YYYY<Chn>", u"二零二六"},
      {u"YY<Chn>", u"二六"},
      {u"YYYY<ChnEra>", u"丙午年"},
      {u"YYYY<ChnEra>", u"丙午年", u"2026-01-10 00:00:00"},  // the calendar year
      {u"MM<ChnEra>", u"辛卯月"},
      {u"DD<ChnEra>", u"辛巳日"},
      {u"YYYY<Eng>", nullptr},
      {u"DD<Chn>", u"十", u"2026-03-10 00:00:00"},
      {u"DD<Chn>", u"〇八"},
      {u"D<Chn>", u"八"},
      {u"D<Chn>", u"三十一", u"2026-03-31 00:00:00"},
      {u"MM<Chn>", u"十二", u"2026-12-01 00:00:00"},
      {u"MM<Eng>", u"December", u"2026-12-01 00:00:00"},
      {u"M<ShortEng>", u"Sept", u"2026-09-01 00:00:00"},
      {u"+1MM<Eng>", u"April"},
      {u"Day", u"20260308"},
      {u"Day<yyyy年m月d日>", u"2026年3月8日"},
      {u"Day<Chn>", u"二零二六零三零八"},
      {u"Day<ChnEra>", u"丙午年辛卯月辛巳日"},
      {u"Day<20240229><yyyy.mm.dd>", u"2024.02.29"},
      {u"Day<20230229>", u"20260308"},
      {u"Day<>", u"20260308"},
      {u"Day<>", u"20250615", kSunday8March, Opt::kEmptyParamSet},
      {u"Day<20260203><ChnEra>", u"乙巳年己丑月戊申日"},
      {u"+1yDay<20240229>", u"20250228"},
      {u"+1Day<20241231>", u"20250101"},
      {u"-1mMM<20260131>", u"12"},
      {u"Day<p>", nullptr},
      {u"DInY", u"67"},
      {u"DInY<Chn>", u"六十七"},
      {u"DInY", u"366", u"2024-12-31 00:00:00"},
      {u"DInY", u"365", u"2026-12-31 00:00:00"},
      {u"DInY<20240301>", u"61"},
      {u"+1DInY", u"68"},
      {u"QInY", u"1"},
      {u"QInY", u"2", u"2026-05-20 00:00:00"},
      {u"-1QInY", u"4", u"2026-02-20 00:00:00"},
      {u"+1QInY", u"2"},
      {u"QInY<Chn>", u"四", u"2026-12-31 00:00:00"},
      {u"DInW", u"7"},
      {u"DInW", u"1", kSunday8March, Opt::kSunday},
      {u"+1DInW", u"1"},
      {u"+1DInW", u"2", kSunday8March, Opt::kSunday},
      {u"DInW<Chn>", u"七"},
      {u"WeekDay<yyyy>", nullptr},
  };
  Check(cases);
}

// Week numbers around year ends, for both week starts and the three ways of
// counting: from the week of 1 January, ISO weeks, from a chosen week 1.
TEST(DateTime, WeekNumbering) {
  const Case cases[] = {
      // WInY, counted from the week of 1 January.
      {u"WInY", u"1", u"2026-01-01 08:00:00"},
      {u"WInY", u"1", u"2026-01-04 08:00:00"},  // Sunday, last day of the first Monday week
      {u"WInY", u"2", u"2026-01-04 08:00:00", Opt::kSunday},  // first day of the second
      {u"WInY", u"2", u"2026-01-05 08:00:00"},
      {u"WInY", u"10", kSunday8March},
      {u"WInY", u"11", kSunday8March, Opt::kSunday},
      {u"WInY", u"53", u"2026-12-31 08:00:00"},
      {u"WInY", u"1", u"2027-01-01 08:00:00"},
      {u"WInY<Chn>", u"十"},
      {u"+1WInY", u"11"},  // a bare offset counts weeks here
      // ISO weeks; Sunday weeks shift each Sunday into the next week.
      {u"WInY", u"1", u"2026-01-01 08:00:00", Opt::kIsoWeeks},
      {u"WInY", u"53", u"2027-01-01 08:00:00", Opt::kIsoWeeks},
      {u"WInY", u"52", u"2023-01-01 08:00:00", Opt::kIsoWeeks},
      {u"WInY", u"1", u"2023-01-01 08:00:00", Opt::kSundayIso},
      {u"WInY", u"10", kSunday8March, Opt::kIsoWeeks},
      {u"WInY", u"11", kSunday8March, Opt::kSundayIso},
      {u"WInY", u"10", u"2026-03-07 08:00:00", Opt::kSundayIso},
      // WeekNum: week 1 is the week of 1 January by default.
      {u"WeekNum", u"10"},
      {u"WeekNum", u"11", kSunday8March, Opt::kSunday},
      {u"WeekNum", u"1", u"2026-01-01 08:00:00"},
      {u"WeekNum<20260105>", u"2"},
      {u"WeekNum<20251228>", u"-1"},  // the week before week 1 of this year
      {u"WeekNum<20251228>", u"1", kSunday8March, Opt::kSunday},
      {u"WeekNum<20230229>", u"10"},  // impossible: today
      {u"+5WeekNum", u"10"},          // offsets take no part
      {u"WeekNum<Chn>", u"十"},
      // A chosen week 1: the week of 2 March 2026.
      {u"WeekNum", u"1", u"2026-03-02 08:00:00", Opt::kWeekOneMar2},
      {u"WeekNum", u"1", kSunday8March, Opt::kWeekOneMar2},
      {u"WeekNum", u"-1", u"2026-03-01 08:00:00", Opt::kWeekOneMar2},
      {u"WeekNum", u"-2", u"2026-02-22 08:00:00", Opt::kWeekOneMar2},
      {u"WeekNum", u"2", u"2026-03-09 08:00:00", Opt::kWeekOneMar2},
      {u"WeekNum", u"1", u"2026-03-01 08:00:00", Opt::kSundayMar2},  // Sunday week of 1-7 March
      {u"WeekNum", u"2", kSunday8March, Opt::kSundayMar2},
      {u"WeekNum", u"-1", u"2026-02-28 08:00:00", Opt::kSundayMar2},
  };
  Check(cases);
}

TEST(DateTime, ClockParts) {
  const Case cases[] = {
      {u"Hour", u"14"},    {u"HHour", u"14"},   {u"H", u"2"},       {u"HH", u"02"},
      {u"Min", u"30"},     {u"MMin", u"30"},    {u"Sec", u"45"},    {u"SSec", u"45"},
      {u"+10Hour", u"0"},  {u"-15Min", u"15"},  {u"+20Sec", u"5"},  {u"+20SSec", u"05"},
      {u"Hour<chn>", u"十四"},
      {u"HH<chn>", u"〇二"},
      {u"SSec<chn>", u"四十五"},
      {u"H", u"0", u"2026-03-08 12:30:00"},
      {u"HH", u"09", u"2026-03-08 21:00:00"},
      {u"HHour", u"07", u"2026-03-08 07:00:00"},
      {u"Min<chn>", u"", u"2026-03-08 12:00:00"},
      {u"+1Time", nullptr},
      {u"HHour<hh>", nullptr},
  };
  Check(cases);
}

TEST(DateTime, DayLists) {
  const Case cases[] = {
      {u"MonthDays<-67><dd>",
       u"(02|03|04|05|06|09|10|11|12|13|16|17|18|19|20|23|24|25|26|27|30|31)"},
      {u"3MonthDays<1><dd>", u"(02|09|16|23|30)"},
      {u"12MonthDays<7><mm.dd>", u"(12.06|12.13|12.20|12.27)"},
      {u"-1MonthDays<1-3><dd>", u"(02|03|04|09|10|11|16|17|18|23|24|25)"},
      {u"+10MonthDays<6><yyyymmdd>", u"(20270102|20270109|20270116|20270123|20270130)"},
      {u"202402MonthDays<57><dd>", u"(02|04|09|11|16|18|23|25)"},
      {u"202402MonthDays<1-4><dd>", u"(01|05|06|07|08|12|13|14|15|19|20|21|22|26|27|28|29)"},
      {u"202302MonthDays<3>", u"(20230201|20230208|20230215|20230222)"},
      {u"202302MonthDays<3>", u"(2023-02-01|2023-02-08|2023-02-15|2023-02-22)", kSunday8March,
       Opt::kDash},
      {u"MonthDays<-1234567>", u""},
      {u"202403MonthDays<31>", u"(20240304|20240306|20240311|20240313|20240318|20240320|"
                               u"20240325|20240327)"},
      {u"MonthDays<5><mm-dd>", u"(03-06|03-13|03-20|03-27)"},
      // This week: Monday to Sunday, or (week start Sunday) Sunday to Saturday.
      {u"WeekDays<1-5><mm.dd>", u"(03.02|03.03|03.04|03.05|03.06)"},
      {u"WeekDays<dd>", u"(02|03|04|05|06|07|08)"},
      {u"WeekDays<dd>", u"(08|09|10|11|12|13|14)", kSunday8March, Opt::kSunday},
      {u"WeekDays<dd>", u"(01|02|03|04|05|06|07)", u"2026-03-07 10:00:00", Opt::kSunday},
      {u"+1WeekDays<dd>", u"(09|10|11|12|13|14|15)"},
      {u"-1WeekDays<7>", u"20260301"},
      {u"WeekDays<-6-7><dd>", u"(02|03|04|05|06)"},
      {u"20260101WeekDays<mm.dd>", u"(12.29|12.30|12.31|01.01|01.02|01.03|01.04)"},
      {u"20260101WeekDays<mm.dd>", u"(12.28|12.29|12.30|12.31|01.01|01.02|01.03)", kSunday8March,
       Opt::kSunday},
      {u"20240231WeekDays", nullptr},
      {u"202610WeekDays<1><mm.dd>", u"03.02"},
      {u"202601WeekDays<1><yyyy.mm.dd>", u"2025.12.29"},
      {u"10WeekDays<1><mm.dd>", u"03.02"},
      {u"11WeekDays<1><mm.dd>", u"03.09"},
      {u"1WeekDays<1><mm.dd>", u"03.02", kSunday8March, Opt::kWeekOneMar2},
      {u"202301WeekDays<1><yyyy.mm.dd>", u"2022.12.26"},
  };
  Check(cases);
}

TEST(DateTime, NotDateNames) {
  for (const char16_t* name : {u"Tomorrow", u"1-10Number", u"Temp", u"", u"Today<", u"{Today}",
                               u"8Random", u"ABC_Upper"}) {
    EXPECT_FALSE(Evaluate(name, kSunday8March).has_value()) << core::Utf16ToUtf8(name);
  }
}

// Offsets far beyond the years 1-9999, in every unit and before every name,
// end in braces at once; nothing throws, wraps round or loops.
TEST(DateTime, OffsetsBeyondTheCalendarLeaveBraces) {
  const char16_t* names[] = {u"Today", u"CurWeekDay", u"WeekDay", u"Day", u"YYYY", u"MM",
                             u"DD", u"DInY", u"QInY", u"WInY", u"DInW", u"Now"};
  const char16_t* offsets[] = {u"+10000y", u"-10000y", u"+120000m", u"-120000m",
                               u"+600000w", u"-600000w", u"+4000000d", u"-4000000d",
                               u"+9223372036854775807d", u"-9223372036854775808y",
                               u"+99999999999999999999999m"};
  for (const char16_t* name : names)
    for (const char16_t* offset : offsets) {
      const std::u16string text = std::u16string(offset) + name;
      EXPECT_FALSE(Evaluate(text, kSunday8March).has_value()) << core::Utf16ToUtf8(text);
    }
  for (const char16_t* text : {u"+100000000000hNow", u"-4000000000nTime", u"+999999999999sNow",
                               u"+99999999999999HHour", u"-9000000000000Sec",
                               u"+999999999MonthDays", u"-999999999WeekDays"})
    EXPECT_FALSE(Evaluate(text, kSunday8March).has_value()) << core::Utf16ToUtf8(text);
  // At the very ends of the calendar the neighbours still work.
  EXPECT_EQ(Evaluate(u"-1dToday", u"9999-12-31 23:59:59"), u"99991230");
  EXPECT_FALSE(Evaluate(u"+1dToday", u"9999-12-31 23:59:59").has_value());
  EXPECT_FALSE(Evaluate(u"+1WeekDays", u"9999-12-31 23:59:59").has_value());
  EXPECT_EQ(Evaluate(u"+1sNow", u"9999-12-31 23:59:58"), u"99991231235959");
}

TEST(DateTime, DerivedWeekOneAndEmptyParameterDate) {
  struct Case {
    LocalDateTime firstWeek;
    int weekStart;
    LocalDateTime today;
    LocalDateTime want;
  } cases[] = {
      {{0, 1, 1}, 0, {2026, 3, 8}, {2025, 12, 29}},      // the week of 1 January
      {{0, 1, 1}, 1, {2026, 3, 8}, {2025, 12, 28}},
      {{2026, 3, 4}, 0, {2026, 3, 8}, {2026, 3, 2}},
      {{2026, 3, 8}, 1, {2026, 3, 8}, {2026, 3, 8}},     // a Sunday starts its own week
      {{2025, 3, 4}, 0, {2026, 3, 8}, {2025, 12, 29}},   // another year: ISO week 1
      {{2025, 3, 4}, 1, {2026, 3, 8}, {2026, 1, 4}},     // the Sunday that ends it
      {{2026, 2, 30}, 0, {2026, 3, 8}, {2025, 12, 29}},  // no such date
  };
  for (const Case& c : cases) {
    VariableOptions o;
    o.asFirstWeek = c.firstWeek;
    o.weekStartsWith = c.weekStart;
    const LocalDateTime got = WeekOneStart(o, c.today);
    EXPECT_EQ(DayNumber(got), DayNumber(c.want))
        << c.firstWeek.year << "-" << c.firstWeek.month << "-" << c.firstWeek.day << " start "
        << c.weekStart << " got " << got.year << "-" << got.month << "-" << got.day;
  }

  VariableOptions o;
  const LocalDateTime monday{2026, 3, 9, 0, 0, 1};
  EXPECT_EQ(DayNumber(EmptyParamDate(o, monday)),
            DayNumber(monday));  // follows the day
  o.setDayForEmptyParam = true;
  o.dayForEmptyParam = {2025, 6, 15, 13, 0, 0};
  const LocalDateTime set = EmptyParamDate(o, monday);
  EXPECT_EQ(DayNumber(set), DayNumber(LocalDateTime{2025, 6, 15}));
  EXPECT_EQ(set.hour, 0);
  o.dayForEmptyParam = {0, 1, 1};  // no date chosen: today
  EXPECT_EQ(DayNumber(EmptyParamDate(o, monday)), DayNumber(monday));
}

// The empty parameter follows the clock: a program that runs past midnight
// does not keep the day its settings were applied.
TEST(DateTime, EmptyParameterDateFollowsMidnight) {
  EXPECT_EQ(Evaluate(u"Day<>", u"2026-03-08 23:59:59"), u"20260308");
  EXPECT_EQ(Evaluate(u"Day<>", u"2026-03-09 00:00:00"), u"20260309");
}

TEST(DateTime, WeekdaySetsAndApplyDateOffsets) {
  struct SetCase {
    const char16_t* param;
    const char16_t* want;
  } sets[] = {
      {u"<1-5>", u"12345"}, {u"<13-57>", u"13457"}, {u"<5-2>", u"5432"},
      {u"<-67>", u"67"},    {u"<7>", u"7"},         {u"<3->", u"34567"},
      {u"<8>", u""},        {u"<1-5", u""},         {u"", u""},
  };
  for (const SetCase& c : sets)
    EXPECT_EQ(WeekdaySetFromParam(c.param), c.want) << core::Utf16ToUtf8(c.param);

  const LocalDateTime today{2026, 3, 8};
  struct OffsetCase {
    const char16_t* name;
    LocalDateTime want;
  } offsets[] = {
      {u"Today", {2026, 3, 8}},        {u"+1YYYY", {2027, 3, 8}},  {u"+1MM", {2026, 4, 8}},
      {u"+1WInY", {2026, 3, 15}},      {u"+1WeekDay", {2026, 3, 9}}, {u"+1QInY", {2026, 6, 8}},
      {u"-1y+1m+1w+1dDD", {2025, 4, 16}}, {u"+1DInW", {2026, 3, 9}},
  };
  for (const OffsetCase& c : offsets) {
    const LocalDateTime got = ApplyDateOffsets(today, c.name, today);
    EXPECT_EQ(DayNumber(got), DayNumber(c.want)) << core::Utf16ToUtf8(c.name);
  }
  // An impossible date becomes today first.
  EXPECT_EQ(DayNumber(ApplyDateOffsets({2026, 2, 30}, u"+1dDay", today)),
            DayNumber(LocalDateTime{2026, 3, 9}));
}

}  // namespace
}  // namespace pathorama::variables
