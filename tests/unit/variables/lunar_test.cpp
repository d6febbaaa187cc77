#include "variables/lunar.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/text.h"

namespace pathorama::variables {
namespace {

TEST(Lunar, CycleNamesAndYears) {
  EXPECT_EQ(GanZhiName(0), u"甲子");
  EXPECT_EQ(GanZhiName(1), u"乙丑");
  EXPECT_EQ(GanZhiName(10), u"甲戌");
  EXPECT_EQ(GanZhiName(59), u"癸亥");
  EXPECT_EQ(GanZhiName(-1), u"");
  EXPECT_EQ(GanZhiName(60), u"");
  struct Case {
    long long year;
    const char16_t* name;
    int zodiac;
  } cases[] = {
      {1984, u"甲子", 0}, {2044, u"甲子", 0}, {2026, u"丙午", 6}, {2024, u"甲辰", 4},
      {1900, u"庚子", 0}, {2099, u"己未", 7}, {1, u"辛酉", 9},   {0, u"辛酉", 9},
      {-1, u"庚申", 8},   {4, u"甲子", 0},    {-3000000000LL, u"辛酉", 9},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(GanZhiName(YearGanZhi(c.year)), c.name) << c.year;
    EXPECT_EQ(ZodiacIndex(c.year), c.zodiac) << c.year;
  }
}

TEST(Lunar, SolarTermsOfKnownYears) {
  // Floors of the day of the year: 小寒 (1), 立春 (3), 冬至 of the year (24).
  struct Case {
    int year;
    int xiaohan;
    int lichun;
  } cases[] = {
      {2021, 5, 34},  // 3 February
      {2024, 6, 35},  // 4 February
      {2025, 5, 34},  // 3 February
      {2026, 5, 35},  // 4 February
      {1900, 6, 35},
      {2099, 5, 34},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(std::floor(SolarTermDay(c.year, 1)), c.xiaohan) << c.year;
    EXPECT_EQ(std::floor(SolarTermDay(c.year, 3)), c.lichun) << c.year;
  }
  EXPECT_NEAR(SolarTermDay(2026, 1), 5.68, 0.01);
  EXPECT_NEAR(SolarTermDay(2026, 3), 35.17, 0.01);
  // The winter solstice of the year stays on 21 or 22 December.
  for (int year : {1583, 1900, 2026, 2099}) {
    const double solstice = SolarTermDay(year, 24);
    EXPECT_GE(solstice, 354) << year;
    EXPECT_LT(solstice, 357) << year;
  }
}

TEST(Lunar, YearMonthAndDayOfDates) {
  struct Case {
    int y, m, d;
    const char16_t* year;
    const char16_t* month;
    const char16_t* day;
  } cases[] = {
      {2000, 1, 1, u"己卯", u"丙子", u"戊午"},
      {2024, 2, 10, u"甲辰", u"丙寅", u"甲辰"},
      {1949, 10, 1, u"己丑", u"癸酉", u"甲子"},  // before 寒露 still the 酉 month,
      // The year turns on the day of 立春, the month on each opening term.
      {2026, 2, 3, u"乙巳", u"己丑", u"戊申"},
      {2026, 2, 4, u"丙午", u"庚寅", u"己酉"},
      {2026, 1, 4, u"乙巳", u"戊子", u"戊寅"},
      {2026, 1, 5, u"乙巳", u"己丑", u"己卯"},
      {2026, 1, 10, u"乙巳", u"己丑", u"甲申"},
      {2026, 3, 8, u"丙午", u"辛卯", u"辛巳"},
      // Around a year end the 子 month runs on.
      {2025, 12, 31, u"乙巳", u"戊子", u"甲戌"},
      {2026, 1, 1, u"乙巳", u"戊子", u"乙亥"},
  };
  for (const Case& c : cases) {
    const std::string at = std::to_string(c.y) + "-" + std::to_string(c.m) + "-" +
                           std::to_string(c.d);
    EXPECT_EQ(GanZhiName(YearGanZhiOfDate(c.y, c.m, c.d)), c.year) << at;
    EXPECT_EQ(GanZhiName(MonthGanZhi(c.y, c.m, c.d)), c.month) << at;
    EXPECT_EQ(GanZhiName(DayGanZhi(c.y, c.m, c.d)), c.day) << at;
  }
}

// Day names advance by one from each day to the next, across month ends,
// leap days in both calendars and the reform.
TEST(Lunar, DayCycleIsContinuous) {
  struct Step {
    int y1, m1, d1, y2, m2, d2;
  } steps[] = {
      {1582, 10, 4, 1582, 10, 15},  // the reform skips ten dates, not ten days
      {1500, 2, 29, 1500, 3, 1},    // a Julian leap day
      {1500, 2, 28, 1500, 2, 29},
      {1700, 2, 28, 1700, 3, 1},    // no 29 February in the Gregorian 1700
      {1900, 2, 28, 1900, 3, 1},
      {2000, 2, 29, 2000, 3, 1},
      {2024, 2, 28, 2024, 2, 29},
      {1699, 12, 31, 1700, 1, 1},
      {1700, 12, 31, 1701, 1, 1},
      {1800, 12, 31, 1801, 1, 1},
      {2000, 12, 31, 2001, 1, 1},
      {1, 1, 1, 1, 1, 2},
  };
  for (const Step& s : steps) {
    const int a = DayGanZhi(s.y1, s.m1, s.d1);
    const int b = DayGanZhi(s.y2, s.m2, s.d2);
    ASSERT_GE(a, 0);
    EXPECT_EQ((a + 1) % 60, b) << s.y1 << "-" << s.m1 << "-" << s.d1;
  }
}

TEST(Lunar, MissingReformDaysAndBadMonthsHaveNoName) {
  for (int d = 5; d <= 14; ++d) EXPECT_EQ(DayGanZhi(1582, 10, d), -1) << d;
  EXPECT_GE(DayGanZhi(1582, 10, 4), 0);
  EXPECT_GE(DayGanZhi(1582, 10, 15), 0);
  for (int m : {0, 13, -5}) {
    EXPECT_EQ(DayGanZhi(2026, m, 1), -1);
    EXPECT_EQ(MonthGanZhi(2026, m, 1), -1);
    EXPECT_GE(YearGanZhiOfDate(2026, m, 1), 0);
  }
  // Far years and years before 1 still give names, without failing.
  for (int y : {-10000, -1, 0, 1, 9999, 200000}) {
    EXPECT_GE(MonthGanZhi(y, 6, 15), 0) << y;
    EXPECT_GE(DayGanZhi(y, 6, 15), 0) << y;
    EXPECT_GE(YearGanZhiOfDate(y, 6, 15), 0) << y;
  }
}

}  // namespace
}  // namespace pathorama::variables
