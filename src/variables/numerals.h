// Numeral writers shared by the numbering and the date variables: Chinese
// digits (digit by digit or positional), capital Chinese numbers, Roman
// numerals and circled numbers.
#pragma once

#include <string>
#include <string_view>

namespace pathorama::variables {

// Digit by digit: "2026" gives "二零二六"; a leading "-" is dropped. A text
// that is not an optionally signed run of decimal digits comes back unchanged.
std::u16string ChineseDigits(std::u16string_view text);

// Positional, with units from "个" up to "万" of the 13th place: "12345" gives
// "一万二千三百四十五", "-5" gives "负五", "0" an empty text. With `zeroSign`
// "零" every zero is written "〇". Non-integer text comes back unchanged.
std::u16string ChineseNumeral(std::u16string_view text, std::u16string_view zeroSign);

// Capital digits with units, the currency words removed: 105 gives "壹佰零伍",
// 0 "零", -3 "负叁". Not-a-number and infinities give an empty text.
std::u16string ChineseCapitalNumber(double x);

// "MCMXCIV" style; 0 and negatives give an empty text, 4000 and above repeat
// "M". Beyond kRomanNumeralMax the text would run to megabytes: empty text.
inline constexpr long long kRomanNumeralMax = 10'000'000;
std::u16string RomanNumeral(long long n);

// "①" … "㊿" for 1 … 50, otherwise an empty text.
std::u16string CircledNumber(long long n);

}  // namespace pathorama::variables
