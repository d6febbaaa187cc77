#include "variables/numbering.h"

#include <algorithm>
#include <vector>

#include "core/regex.h"
#include "core/text.h"
#include "variables/numerals.h"
#include "variables/variable_patterns.h"

namespace pathorama::variables {

namespace {

std::u16string PaddedNumber(long long r, long long width) {
  std::u16string digits = core::MagnitudeText(r);
  std::u16string sign = r < 0 ? u"-" : u"";
  // Zeros go between the sign and the digits: "-05", never "0-5".
  if (width > 0 && static_cast<size_t>(width) >= sign.size() + digits.size())
    digits.insert(0, static_cast<size_t>(width) - sign.size() - digits.size(), u'0');
  return sign + digits;
}

}  // namespace

std::optional<std::u16string> EvaluateSequence(std::u16string_view nameText) {
  static const core::Regex& sequence = core::Regex::Get(patterns::NumberSequence());
  std::optional<core::RegexMatch> m = sequence.Search(nameText);
  if (!m) return std::nullopt;
  const bool hasWidth = m->NamedMatched(u"SequenceWidth");
  std::optional<long long> first = core::ParseInt(m->NamedView(u"SequenceFrom"));
  std::optional<long long> second = core::ParseInt(m->NamedView(u"SequenceTo"));
  std::optional<long long> stepText =
      m->NamedMatched(u"SequenceStep") ? core::ParseInt(m->NamedView(u"SequenceStep")) : 1;
  std::optional<long long> widthText =
      hasWidth ? core::ParseInt(m->NamedView(u"SequenceWidth")) : 0;
  if (!first || !second || !stepText || !widthText || *widthText > kMaxNumberWidth)
    return std::nullopt;
  long long a = *first, third = *second, step = *stepText, width = *widthText;
  long long b = third;
  if (m->NamedView(u"SequenceKind") == u",") {
    long long span = 0;
    if (__builtin_mul_overflow(third - 1, step, &span) || __builtin_add_overflow(a, span, &b))
      return std::nullopt;
  }
  // A positive step counts up from the smaller end, any other step down from
  // the larger one.
  if ((step >= 1 && b < a) || (step < 1 && a < b)) std::swap(a, b);
  unsigned long long distance = a <= b ? static_cast<unsigned long long>(b) - a
                                       : static_cast<unsigned long long>(a) - b;
  unsigned long long stride =
      step == 0 ? 0 : (step < 0 ? 0ULL - static_cast<unsigned long long>(step) : step);
  unsigned long long count = stride == 0 ? 1 : distance / stride + 1;
  if (count > static_cast<unsigned long long>(kMaxSequenceValues)) return std::nullopt;

  enum class Writer { kNumber, kRoman, kChinese, kChineseCaps, kCircled } writer = Writer::kNumber;
  if (core::EndsWithIgnoreCase(nameText, u"ChineseNum_Caps"))
    writer = Writer::kChineseCaps;
  else if (core::EndsWithIgnoreCase(nameText, u"ChineseNum"))
    writer = Writer::kChinese;
  else if (core::EndsWithIgnoreCase(nameText, u"RomaNum"))
    writer = Writer::kRoman;
  else if (core::EndsWithIgnoreCase(nameText, u"CircledNum"))
    writer = Writer::kCircled;

  std::u16string out;
  for (unsigned long long k = 0; k < count; ++k) {
    // Between a and b, so the wrapping unsigned sum is the exact value.
    const long long r = static_cast<long long>(static_cast<unsigned long long>(a) +
                                               k * static_cast<unsigned long long>(step));
    if (k) out += u'|';
    switch (writer) {
      case Writer::kNumber: out += PaddedNumber(r, hasWidth ? width : 0); break;
      case Writer::kRoman: out += RomanNumeral(r); break;
      case Writer::kChinese:
        out += ChineseNumeral(core::IntToText(r), u"零");
        break;
      case Writer::kChineseCaps: out += ChineseCapitalNumber(static_cast<double>(r)); break;
      case Writer::kCircled: out += CircledNumber(r); break;
    }
    if (out.size() > kMaxSequenceText) return std::nullopt;
  }
  if (out.find(u'|') != std::u16string::npos) out = u"(" + out + u")";
  return out;
}

std::optional<std::u16string> EvaluateSequence(const VariableRequest& request) {
  return EvaluateSequence(request.nameText);
}

std::optional<std::u16string> EvaluateRandom(std::u16string_view nameText, RandomSource& random,
                                             const VariableOptions& options) {
  if (!core::EndsWithIgnoreCase(nameText, u"Random")) return std::nullopt;
  std::vector<std::u16string_view> set = core::CodePoints(options.randomCharacters);
  if (set.empty()) return std::nullopt;  // nothing to draw from: stays as written
  long long low = std::max(options.randomLength, 0), high = low;
  static const core::Regex& lengths =
      core::Regex::Get(uR"(^(?<From>\d+)(?:-(?<To>\d+)|(?<Open>\+|-))?)");
  if (std::optional<core::RegexMatch> m = lengths.Search(nameText)) {
    std::optional<long long> from = core::ParseInt(m->NamedView(u"From"));
    std::optional<long long> to = m->NamedMatched(u"To") ? core::ParseInt(m->NamedView(u"To")) : from;
    if (!from || !to) return std::nullopt;
    low = *from;
    high = *to;
    if (m->NamedView(u"Open") == u"+") high = static_cast<long long>(set.size());
    if (m->NamedView(u"Open") == u"-") high = 1;
    if (high < low) std::swap(low, high);
  }
  if (high > kMaxRandomLength) return std::nullopt;
  long long length = low + random.Below(static_cast<uint32_t>(high - low + 1));
  std::u16string out;
  for (long long i = 0; i < length; ++i)
    out += set[random.Below(static_cast<uint32_t>(set.size()))];
  return out;
}

std::optional<std::u16string> EvaluateRandom(const VariableRequest& request) {
  if (!request.env.random || !request.env.options) return std::nullopt;
  return EvaluateRandom(request.nameText, *request.env.random, *request.env.options);
}

std::optional<std::u16string> FixedString(std::u16string_view name) {
  static const struct {
    const char16_t* name;
    const char16_t* text;
  } kStrings[] = {
      {u"ABC_Upper", u"ABCDEFGHIJKLMNOPQRSTUVWXYZ"},
      {u"ABC_Lower", u"abcdefghijklmnopqrstuvwxyz"},
      {u"TianGan", u"甲乙丙丁戊己庚辛壬癸"},
      {u"DiZhi", u"子丑寅卯辰巳午未申酉戌亥"},
      {u"ShengXiao", u"鼠牛虎兔龙蛇马羊猴鸡狗猪"},
  };
  for (const auto& s : kStrings)
    if (core::EqualsIgnoreCase(name, s.name)) return std::u16string(s.text);
  return std::nullopt;
}

std::optional<std::u16string> EvaluateFixedString(const VariableRequest& request) {
  return FixedString(request.nameText);
}

SeededRandom::SeededRandom() : engine_(std::random_device{}()) {}

uint32_t SeededRandom::Below(uint32_t bound) {
  if (bound <= 1) return 0;
  // Rejection of the few low draws that would favour small values. Written
  // out rather than left to a library distribution, so that a seed gives the
  // same text with every standard library (mt19937 itself is fixed).
  const uint32_t threshold = (0u - bound) % bound;
  for (;;) {
    uint32_t r = static_cast<uint32_t>(engine_());
    if (r >= threshold) return r % bound;
  }
}

}  // namespace pathorama::variables
