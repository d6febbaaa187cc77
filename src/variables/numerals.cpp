#include "variables/numerals.h"

#include <cmath>
#include <cstdio>

#include "core/text.h"

namespace pathorama::variables {
namespace {

constexpr std::u16string_view kChineseDigits = u"零一二三四五六七八九";
constexpr std::u16string_view kPositionalUnits = u"个十百千万十百千亿十百千万";
constexpr std::u16string_view kCapitalDigits = u"零壹贰叁肆伍陆柒捌玖";
constexpr std::u16string_view kCapitalUnits = u"分角元拾佰仟万拾佰仟亿拾佰仟万";
constexpr std::u16string_view kCircledNumbers =
    u"①②③④⑤⑥⑦⑧⑨⑩⑪⑫⑬⑭⑮⑯⑰⑱⑲⑳㉑㉒㉓㉔㉕㉖㉗㉘㉙㉚㉛㉜㉝㉞㉟㊱㊲㊳㊴㊵㊶㊷㊸㊹㊺㊻㊼㊽㊾㊿";

bool IsSignedDigits(std::u16string_view text) {
  size_t i = !text.empty() && text[0] == u'-' ? 1 : 0;
  if (i == text.size()) return false;
  for (; i < text.size(); ++i)
    if (text[i] < u'0' || text[i] > u'9') return false;
  return true;
}

// Replacements applied in order, each to every occurrence.
std::u16string ReplaceInOrder(
    std::u16string text,
    std::initializer_list<std::pair<std::u16string_view, std::u16string_view>> steps) {
  for (const auto& [from, to] : steps) text = core::ReplaceAllText(text, from, to);
  return text;
}

std::u16string ChineseNumberText(std::u16string_view text, std::u16string_view zeroSign,
                                 bool positional) {
  if (!IsSignedDigits(text)) return std::u16string(text);
  const bool negative = text[0] == u'-';
  std::u16string_view digits = negative ? text.substr(1) : text;
  std::u16string result;
  for (size_t i = 0; i < digits.size(); ++i) {
    result += kChineseDigits[digits[i] - u'0'];
    const size_t place = digits.size() - i;  // 1 for the rightmost digit
    if (positional && place <= kPositionalUnits.size()) result += kPositionalUnits[place - 1];
  }
  if (!positional) return result;
  result = ReplaceInOrder(std::move(result), {{u"零千", u"零"},
                                              {u"零百", u"零"},
                                              {u"零十", u"零"},
                                              {u"零零", u"零"},
                                              {u"零零", u"零"},
                                              {u"零亿", u"亿"},
                                              {u"零万", u"万"},
                                              {u"亿万", u"亿零"},
                                              {u"零个", u""},
                                              {u"个", u""}});
  if (result.starts_with(u"一十")) result.erase(0, 1);
  if (negative) result.insert(0, u"负");
  if (zeroSign == u"零") result = core::ReplaceAllText(result, u"零", u"〇");
  return result;
}

// x rounded half to even, as "%.0f" does, written without exponent.
std::u16string RoundedDecimal(double x) {
  const double r = std::nearbyint(x);
  if (r < 9.2e18) return core::IntToText(static_cast<long long>(r));
  char buffer[400];
  std::snprintf(buffer, sizeof buffer, "%.0f", r);
  std::u16string text;
  for (const char* p = buffer; *p; ++p) text += static_cast<char16_t>(*p);
  return text;
}

}  // namespace

std::u16string ChineseDigits(std::u16string_view text) {
  return ChineseNumberText(text, u"", false);
}

std::u16string ChineseNumeral(std::u16string_view text, std::u16string_view zeroSign) {
  return ChineseNumberText(text, zeroSign, true);
}

std::u16string ChineseCapitalNumber(double x) {
  if (!std::isfinite(x)) return u"";
  std::u16string result;
  if (x < 0) {
    result = u"负";
    x = -x;
  }
  const std::u16string digits = RoundedDecimal(x * 100);
  std::u16string text;
  for (size_t i = 0; i < digits.size(); ++i) {
    text += kCapitalDigits[digits[i] - u'0'];
    const size_t place = digits.size() - i;
    if (place <= kCapitalUnits.size()) text += kCapitalUnits[place - 1];
  }
  text = ReplaceInOrder(std::move(text), {{u"零仟", u"零"},
                                          {u"零佰", u"零"},
                                          {u"零拾", u"零"},
                                          {u"零角", u"零"},
                                          {u"零分", u"整"},
                                          {u"零零", u"零"},
                                          {u"零零", u"零"},
                                          {u"零亿", u"亿"},
                                          {u"零万", u"万"},
                                          {u"零元", u"元"}});
  if (text == u"整")
    text = u"零元整";
  else
    text = ReplaceInOrder(std::move(text), {{u"亿万", u"亿零"}, {u"零整", u"整"}});
  // The amount in words without its currency words.
  text = ReplaceInOrder(std::move(text),
                        {{u"元", u"点"}, {u"角", u""}, {u"分", u""}, {u"点整", u""}});
  return result + text;
}

std::u16string RomanNumeral(long long n) {
  static constexpr std::pair<long long, std::u16string_view> kValues[] = {
      {1000, u"M"}, {900, u"CM"}, {500, u"D"}, {400, u"CD"}, {100, u"C"}, {90, u"XC"}, {50, u"L"},
      {40, u"XL"},  {10, u"X"},   {9, u"IX"},  {5, u"V"},    {4, u"IV"},  {1, u"I"}};
  std::u16string text;
  if (n <= 0 || n > kRomanNumeralMax) return text;
  for (const auto& [value, letters] : kValues) {
    while (n >= value) {
      text += letters;
      n -= value;
    }
  }
  return text;
}

std::u16string CircledNumber(long long n) {
  if (n < 1 || n > static_cast<long long>(kCircledNumbers.size())) return u"";
  return std::u16string(1, kCircledNumbers[n - 1]);
}

}  // namespace pathorama::variables
