#include "variables/numerals.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/text.h"

namespace pathorama::variables {
namespace {

TEST(Numerals, ChineseNumeralPositional) {
  struct Case {
    const char16_t* text;
    const char16_t* zeroSign;
    const char16_t* want;
  } cases[] = {
      {u"0", u"零", u""},
      {u"5", u"零", u"五"},
      {u"10", u"零", u"十"},
      {u"15", u"零", u"十五"},
      {u"20", u"零", u"二十"},
      {u"101", u"零", u"一百〇一"},
      {u"110", u"零", u"一百一十"},
      {u"1010", u"零", u"一千〇一十"},
      {u"12345", u"零", u"一万二千三百四十五"},
      {u"100000", u"零", u"十万"},
      {u"100001", u"零", u"十万〇一"},
      {u"100000000", u"零", u"一亿〇"},
      {u"-5", u"零", u"负五"},
      {u"-15", u"零", u"负十五"},
      {u"08", u"零", u"〇八"},            // a two-digit day keeps its zero
      {u"101", u"", u"一百零一"},         // without the zero sign the zero stays 零
      {u"1000000000000", u"零", u"一万亿〇"},  // 13 places: the last unit
      {u"12345678901234", u"零", u"一二万三千四百五十六亿七千八百九十万一千二百三十四"},
      // Not an integer: unchanged.
      {u"", u"零", u""},
      {u"-", u"零", u"-"},
      {u"1.5", u"零", u"1.5"},
      {u"+3", u"零", u"+3"},
      {u"12a", u"零", u"12a"},
      {u"１２", u"零", u"１２"},  // fullwidth digits are not decimal digits here
  };
  for (const Case& c : cases)
    EXPECT_EQ(ChineseNumeral(c.text, c.zeroSign), c.want) << core::Utf16ToUtf8(c.text);
}

TEST(Numerals, ChineseDigitsDigitByDigit) {
  struct Case {
    const char16_t* text;
    const char16_t* want;
  } cases[] = {
      {u"2026", u"二零二六"},
      {u"20260105090307", u"二零二六零一零五零九零三零七"},
      {u"-12", u"一二"},  // the sign is dropped
      {u"0", u"零"},
      {u"abc", u"abc"},
      {u"", u""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ChineseDigits(c.text), c.want) << core::Utf16ToUtf8(c.text);
}

TEST(Numerals, ChineseCapitalNumber) {
  struct Case {
    double x;
    const char16_t* want;
  } cases[] = {
      {0, u"零"},
      {5, u"伍"},
      {10, u"壹拾"},
      {105, u"壹佰零伍"},
      {100001, u"壹拾万零壹"},
      {-3, u"负叁"},
      {1.5, u"壹点伍整"},  // the amount keeps its 整 after a 角
      {0.05, u"伍"},
      {12.34, u"壹拾贰点叁肆"},
      {100000000, u"壹亿零"},
      {1000010000, u"壹拾亿零壹万"},
      {2024, u"贰仟零贰拾肆"},
  };
  for (const Case& c : cases) EXPECT_EQ(ChineseCapitalNumber(c.x), c.want) << c.x;
  EXPECT_EQ(ChineseCapitalNumber(std::nan("")), u"");
  EXPECT_EQ(ChineseCapitalNumber(-HUGE_VAL), u"");
  // Far beyond the unit table: digits without units, and no crash.
  EXPECT_FALSE(ChineseCapitalNumber(1e300).empty());
}

TEST(Numerals, RomanAndCircled) {
  struct Case {
    long long n;
    const char16_t* roman;
    const char16_t* circled;
  } cases[] = {
      {-1, u"", u""},
      {0, u"", u""},
      {1, u"I", u"①"},
      {4, u"IV", u"④"},
      {9, u"IX", u"⑨"},
      {14, u"XIV", u"⑭"},
      {20, u"XX", u"⑳"},
      {21, u"XXI", u"㉑"},
      {35, u"XXXV", u"㉟"},
      {36, u"XXXVI", u"㊱"},
      {49, u"XLIX", u"㊾"},
      {50, u"L", u"㊿"},
      {51, u"LI", u""},
      {1994, u"MCMXCIV", u""},
      {3999, u"MMMCMXCIX", u""},
      {5000, u"MMMMM", u""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RomanNumeral(c.n), c.roman) << c.n;
    EXPECT_EQ(CircledNumber(c.n), c.circled) << c.n;
  }
  // A number whose numeral would fill gigabytes gives an empty text at once.
  EXPECT_EQ(RomanNumeral(kRomanNumeralMax).size(),
            size_t(kRomanNumeralMax / 1000));
  EXPECT_EQ(RomanNumeral(kRomanNumeralMax + 1), u"");
  EXPECT_EQ(RomanNumeral(999'999'999'999'999'999LL), u"");
}

}  // namespace
}  // namespace pathorama::variables
