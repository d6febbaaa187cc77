// Sexagenary (干支) names of years, solar months and days, solar terms and
// the zodiac animal of a year. Dates are proleptic: Julian before the reform
// of October 1582, Gregorian from 15 October 1582; 5-14 October 1582 do not
// exist. Years before 1 follow the historical count without a year 0 only
// where the formulas below say so; nothing here fails or loops on any input.
#pragma once

#include <string>

namespace pathorama::variables {

// "甲子" … "癸亥" for 0 … 59, otherwise an empty text.
std::u16string GanZhiName(int index);

// Sexagenary index of a calendar year (1984 and 2044 give 0, "甲子").
int YearGanZhi(long long year);
// 0 … 11 in branch order of "鼠牛虎兔龙蛇马羊猴鸡狗猪" (2026 gives 6, "马").
int ZodiacIndex(long long year);

// The sexagenary year of a date: it turns on the day of the Start of Spring.
int YearGanZhiOfDate(int year, int month, int day);
// The solar month (opened by 小寒, 立春, …) as a sexagenary index; -1 for a
// month outside 1 … 12.
int MonthGanZhi(int year, int month, int day);
// -1 for a month outside 1 … 12 and for the days dropped by the reform.
int DayGanZhi(int year, int month, int day);

// Day of the year, with fraction, of solar term n counted from the winter
// solstice of the previous year (0); 1 is 小寒, 3 is 立春, 2k-1 opens solar
// month k.
double SolarTermDay(int year, int n);

}  // namespace pathorama::variables
