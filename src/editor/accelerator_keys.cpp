#include "editor/accelerator_keys.h"

#include <array>

#include "core/encoding.h"
#include "core/regex.h"
#include "core/text.h"
#include "editor/pinyin_table.h"

namespace pathorama::editor {

namespace {

constexpr unsigned kGbk = 936;

constexpr std::u16string_view kAcceleratorPattern = uR"([\(\[]?&.[\)\]]?)";
constexpr std::u16string_view kAcceleratorPartsPattern =
    uR"((?<open>[\(\[])?&(?<key>.)(?<close>[\)\]])?)";

// GBK row 0xA6: capitals at trails 0xA1-0xB8, small letters at 0xC1-0xD8.
constexpr std::array<std::u16string_view, 24> kGreekLatin = {
    u"A", u"B", u"G", u"D", u"E", u"Z", u"E",  u"TH", u"I",  u"K",  u"L",  u"M",
    u"N", u"X", u"O", u"P", u"R", u"S", u"T",  u"U",  u"PH", u"KH", u"PS", u"O",
};

bool IsAsciiLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }
bool IsAsciiLetterOrDigit(char16_t c) { return IsAsciiLetter(c) || (c >= u'0' && c <= u'9'); }
char16_t AsciiUpper(char16_t c) { return c >= u'a' && c <= u'z' ? c - u'a' + u'A' : c; }

// A single-byte character of the GBK text; the walk only hands over bytes
// below 0x81, or a lead byte that has no trail after it.
void AppendSingleByte(unsigned char b, unsigned flags, std::u16string& out) {
  if (IsAsciiLetterOrDigit(b))
    out.push_back(AsciiUpper(b));
  else if (flags & kPinyinKeepAllSingleBytes)
    out.push_back(b < 0x80 ? char16_t{b} : b == 0x80 ? u'\u20AC' : u'?');
}

void AppendDoubleByte(unsigned lead, unsigned trail, unsigned flags, std::u16string& out) {
  const bool markUnknown = flags & kPinyinMarkUnknown;
  if (lead == 0xA2) {
    if (trail >= 0xA1 && trail <= 0xFE)
      out += kGbkNumberedSymbols[trail - 0xA1];
    else if (markUnknown)
      out.push_back(u'?');
    return;
  }
  if (lead == 0xA3) {
    // Full-width ASCII at 0xA3A1-0xA3FE, in ASCII order from "!".
    if (trail < 0xA1 || trail > 0xFE) return;
    char16_t c = static_cast<char16_t>(trail - 0x80);
    if (IsAsciiLetterOrDigit(c))
      out.push_back(AsciiUpper(c));
    else if (flags & kPinyinKeepAllSingleBytes)
      out.push_back(c);
    return;
  }
  if (lead == 0xA6) {
    if (trail >= 0xA1 && trail <= 0xB8)
      out += kGreekLatin[trail - 0xA1];
    else if (trail >= 0xC1 && trail <= 0xD8)
      out += kGreekLatin[trail - 0xC1];
    return;
  }
  size_t index = GbkTableIndex(lead, trail);
  unsigned number = index < kGbkSyllableNumbers.size() ? kGbkSyllableNumbers[index] : 0;
  std::u16string_view syllable =
      number >= 1 && number <= kPinyinSyllables.size() ? kPinyinSyllables[number - 1] : u"";
  if (syllable.empty()) {
    if (markUnknown) out.push_back(u'?');
    return;
  }
  syllable = syllable.substr(0, (flags & kPinyinFullSyllables) ? 6 : 1);
  for (char16_t c : syllable) out.push_back(AsciiUpper(c));
}

enum class NodeKind { GroupHead, EndMarker, Separator, NormalItem };

NodeKind KindOf(std::u16string_view trimmed) {
  if (trimmed == u"-") return NodeKind::Separator;
  if (trimmed == u"--") return NodeKind::EndMarker;
  if (!trimmed.empty() && trimmed[0] == u'-') return NodeKind::GroupHead;
  return NodeKind::NormalItem;
}

}  // namespace

std::u16string PinyinInitials(std::u16string_view text, unsigned flags, size_t maxLength) {
  return PinyinInitialsOfGbk(core::EncodeAnsi(text, kGbk), flags, maxLength);
}

std::u16string PinyinInitialsOfGbk(std::string_view bytes, unsigned flags, size_t maxLength) {
  auto byteAt = [&](size_t i) { return static_cast<unsigned char>(bytes[i]); };
  std::u16string out;
  for (size_t i = 0; i < bytes.size() && out.size() < maxLength;) {
    unsigned char b = byteAt(i);
    if (b < 0x81 || i + 1 >= bytes.size() || byteAt(i + 1) < 0x40) {
      AppendSingleByte(b, flags, out);
      ++i;
      continue;
    }
    AppendDoubleByte(b, byteAt(i + 1), flags, out);
    i += 2;
  }
  if (out.size() > maxLength) out.resize(maxLength);
  return out;
}

bool HasAcceleratorKey(std::u16string_view caption) {
  return core::Regex::Get(kAcceleratorPattern).IsMatch(caption);
}

std::u16string ChooseAcceleratorKey(std::u16string_view caption) {
  // A letter anywhere wins over a Chinese character before it. Only ASCII:
  // a caseless [a-z] would also take the Kelvin sign and the long s.
  for (char16_t c : caption)
    if (IsAsciiLetter(c)) return std::u16string(1, AsciiUpper(c));
  std::optional<core::RegexMatch> han = core::Regex::Get(uR"(\p{Han})").Search(caption);
  if (!han) return {};
  // \p{Han} also takes the ideographs in parentheses (U+3220-U+3229), which
  // GBK keeps among the numbered symbols: their number is no key, as digits
  // are never chosen, and "10" would not even be one character.
  std::u16string key = PinyinInitials(han->GroupView(), kPinyinMarkUnknown, 255);
  if (key.size() != 1 || !(IsAsciiLetter(key[0]) || key[0] == u'?')) return {};
  return key;
}

std::u16string AddAcceleratorKey(std::u16string_view caption) {
  if (caption.empty() || HasAcceleratorKey(caption)) return std::u16string(caption);
  std::u16string key = ChooseAcceleratorKey(caption);
  if (key.empty()) return std::u16string(caption);
  return std::u16string(caption) + u"[&" + key + u"]";
}

std::u16string RemoveAcceleratorKeys(std::u16string_view caption) {
  std::u16string out;
  size_t copied = 0;
  for (const core::RegexMatch& m : core::Regex::Get(kAcceleratorPartsPattern).FindAll(caption)) {
    out.append(caption.substr(copied, m.Start() - copied));
    copied = m.End();
    std::u16string_view open = m.NamedView(u"open");
    std::u16string_view close = m.NamedView(u"close");
    if (m.NamedView(u"key") == u"&") {
      out.append(m.GroupView());  // "&&" is a written ampersand
    } else if ((open == u"(" && close == u")") || (open == u"[" && close == u"]")) {
      // The whole accelerator goes.
    } else {
      out.append(open).append(m.NamedView(u"key")).append(close);
    }
  }
  out.append(caption.substr(copied));
  return out;
}

std::u16string KeepNodeKind(std::u16string_view original, std::u16string_view edited) {
  const std::u16string before = core::TrimChars(original, u" ");
  const std::u16string after = core::TrimChars(edited, u" ");
  const NodeKind kind = KindOf(before);
  if (KindOf(after) != kind) return std::u16string(original);
  if (kind == NodeKind::NormalItem && after.empty()) return std::u16string(original);
  if (kind == NodeKind::GroupHead && core::TrimChars(after.substr(1), u" ").empty())
    return std::u16string(original);
  return std::u16string(edited);
}

std::u16string RemoveNodeAcceleratorKeys(std::u16string_view nodeText) {
  return KeepNodeKind(nodeText, RemoveAcceleratorKeys(nodeText));
}

}  // namespace pathorama::editor
