#include "variables/lunar.h"

#include <cmath>

namespace pathorama::variables {
namespace {

constexpr char16_t kStems[] = u"甲乙丙丁戊己庚辛壬癸";
constexpr char16_t kBranches[] = u"子丑寅卯辰巳午未申酉戌亥";

constexpr int kDaysBeforeMonth[2][12] = {
    {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334},
    {0, 31, 60, 91, 121, 152, 182, 213, 244, 274, 305, 335}};

enum class CalendarKind { kJulian, kGregorian, kMissing };

CalendarKind KindOf(long long y, int m, int d) {
  if (y > 1582) return CalendarKind::kGregorian;
  if (y < 1582 || m < 10) return CalendarKind::kJulian;
  if (m > 10 || d >= 15) return CalendarKind::kGregorian;
  return d >= 5 ? CalendarKind::kMissing : CalendarKind::kJulian;
}

bool IsLeap(long long y, CalendarKind kind) {
  if (y < 0) y -= 3;  // no year 0 in this count: -1 is the leap year before 4
  if (kind == CalendarKind::kGregorian) return y % 4 == 0 && (y % 100 != 0 || y % 400 == 0);
  return y % 4 == 0;
}

// Callers check the month first.
int DayOfYear(long long y, int m, int d) {
  return kDaysBeforeMonth[IsLeap(y, KindOf(y, m, d)) ? 1 : 0][m - 1] + d;
}

bool ValidMonth(int m) { return m >= 1 && m <= 12; }

// Absolute day number; 0 for the days dropped by the reform.
long long AbsoluteDay(long long y, int m, int d) {
  const CalendarKind kind = KindOf(y, m, d);
  if (kind == CalendarKind::kMissing) return 0;
  const long long e = y - 1;  // C++ division truncates toward zero, as intended
  if (kind == CalendarKind::kGregorian)
    return DayOfYear(y, m, d) + 365 * e + e / 4 + e / 400 - e / 100;
  return DayOfYear(y, m, d) + 365 * e + e / 4 - 2;
}

int NonNegativeMod(long long value, int modulus) {
  const long long r = value % modulus;
  return static_cast<int>(r < 0 ? r + modulus : r);
}

int IndexOf(int stem, int branch) {
  for (int i = stem; i < 60; i += 10)
    if (i % 12 == branch) return i;
  return -1;
}

}  // namespace

std::u16string GanZhiName(int index) {
  if (index < 0 || index > 59) return u"";
  return {kStems[index % 10], kBranches[index % 12]};
}

int YearGanZhi(long long year) { return NonNegativeMod(year > 0 ? year - 4 : year - 3, 60); }

int ZodiacIndex(long long year) { return NonNegativeMod(year > 0 ? year - 4 : year - 3, 12); }

double SolarTermDay(int year, int n) {
  const long long y = year <= 0 ? static_cast<long long>(year) + 1 : year;
  const double c = static_cast<double>(y);
  const double d = n;
  const double e = 0.0003 * c - 0.372781384 - 0.2617913325 * d;
  const double f = std::sin(e);
  const double g = std::sin(2 * e);
  const double h = std::sin(2.313908653 * c - 0.439822951 - 3.0443 * d);
  const double m = c - 100;
  double result = -0.0018 * h + (365.2423112 - 6.4e-14 * m * m - 3.047e-8 * m) * c +
                  15.218427 * d + 1721050.71301 +
                  (1.945 * f - 0.01206 * g) * (1.048994 - 2.583e-5 * c) -
                  static_cast<double>(AbsoluteDay(y, 1, 0)) - 1721425;
  if (y <= 1582) result += 10;
  return result;
}

int YearGanZhiOfDate(int year, int month, int day) {
  if (ValidMonth(month) &&
      DayOfYear(year, month, day) < std::floor(SolarTermDay(year, 3)))
    return YearGanZhi(static_cast<long long>(year) - 1);
  return YearGanZhi(year);
}

int MonthGanZhi(int year, int month, int day) {
  if (!ValidMonth(month)) return -1;
  const int x = DayOfYear(year, month, day);
  long long monthYear = year;
  int k = month;
  if (x < std::floor(SolarTermDay(year, 1))) {
    k = 12;
    monthYear = static_cast<long long>(year) - 1;
  } else if (x < std::floor(SolarTermDay(year, 2 * month - 1))) {
    k = month - 1;
  }
  // The stem of the 寅 month follows the year's stem: 甲/己 → 丙, 乙/庚 → 戊, …
  const int yearStem = YearGanZhi(monthYear) % 10;
  const int base = (2 + 2 * (yearStem % 5)) % 10;
  const int stem = (base + (k < 2 ? k + 8 : (k - 2) % 10)) % 10;
  return IndexOf(stem, k % 12);
}

int DayGanZhi(int year, int month, int day) {
  if (!ValidMonth(month)) return -1;
  const long long y = year;
  const CalendarKind kind = KindOf(y, month, day);
  if (kind == CalendarKind::kMissing) return -1;
  long long days = (y < 1 ? 365 * y : 365 * (y - 1)) + DayOfYear(y, month, day);
  if (y < 0) {
    days += (3 - y) / -4;
  } else {
    long long correction = 0;
    if (kind == CalendarKind::kGregorian)
      correction = y <= 1700 ? 10 : (y - 1701) / 100 - (y - 1601) / 400 + 11;
    days += (y - 1) / 4 - correction;
  }
  return NonNegativeMod(days + 12, 60);
}

}  // namespace pathorama::variables
