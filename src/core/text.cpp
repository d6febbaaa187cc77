#include "core/text.h"

#include <algorithm>
#include <climits>

namespace pathorama::core {

namespace {

constexpr char16_t kReplacement = 0xFFFD;

void AppendCodePoint(std::u16string& out, char32_t cp) {
  if (cp < 0x10000) {
    out.push_back(static_cast<char16_t>(cp));
  } else {
    cp -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
  }
}

bool InSet(char16_t c, std::u16string_view chars, bool ignoreCase) {
  if (!ignoreCase) return chars.find(c) != std::u16string_view::npos;
  char16_t lc = ToLowerChar(c);
  return std::any_of(chars.begin(), chars.end(),
                     [lc](char16_t s) { return ToLowerChar(s) == lc; });
}

}  // namespace

std::u16string Utf8ToUtf16(std::string_view utf8) {
  std::u16string out;
  out.reserve(utf8.size());
  size_t i = 0;
  const size_t n = utf8.size();
  while (i < n) {
    unsigned char b = static_cast<unsigned char>(utf8[i]);
    if (b < 0x80) {
      out.push_back(b);
      ++i;
      continue;
    }
    int extra;
    char32_t cp;
    char32_t minimum;
    if ((b & 0xE0) == 0xC0) { extra = 1; cp = b & 0x1F; minimum = 0x80; }
    else if ((b & 0xF0) == 0xE0) { extra = 2; cp = b & 0x0F; minimum = 0x800; }
    else if ((b & 0xF8) == 0xF0) { extra = 3; cp = b & 0x07; minimum = 0x10000; }
    else { out.push_back(kReplacement); ++i; continue; }
    size_t j = i + 1;
    bool ok = true;
    for (int k = 0; k < extra; ++k, ++j) {
      if (j >= n || (static_cast<unsigned char>(utf8[j]) & 0xC0) != 0x80) { ok = false; break; }
      cp = (cp << 6) | (static_cast<unsigned char>(utf8[j]) & 0x3F);
    }
    if (!ok || cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
      out.push_back(kReplacement);
      i = ok ? j : std::max(i + 1, j);  // skip the malformed sequence
      continue;
    }
    AppendCodePoint(out, cp);
    i = j;
  }
  return out;
}

std::string Utf16ToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    char32_t cp = text[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = kReplacement;
    }
    if (cp < 0x80) {
      out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
  }
  return out;
}

std::vector<std::u16string_view> CodePoints(std::u16string_view text) {
  std::vector<std::u16string_view> out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    const size_t n = CodePointLength(text, i);
    out.push_back(text.substr(i, n));
    i += n;
  }
  return out;
}

std::u16string_view TruncateUnits(std::u16string_view text, size_t units) {
  if (units >= text.size()) return text;
  if (units > 0 && IsHighSurrogate(text[units - 1]) && IsLowSurrogate(text[units])) --units;
  return text.substr(0, units);
}

std::u16string TrimCharsLeft(std::u16string_view text, std::u16string_view chars,
                             bool ignoreCase) {
  size_t b = 0;
  while (b < text.size() && InSet(text[b], chars, ignoreCase)) ++b;
  return std::u16string(text.substr(b));
}

std::u16string TrimCharsRight(std::u16string_view text, std::u16string_view chars,
                              bool ignoreCase) {
  size_t e = text.size();
  while (e > 0 && InSet(text[e - 1], chars, ignoreCase)) --e;
  return std::u16string(text.substr(0, e));
}

std::u16string TrimChars(std::u16string_view text, std::u16string_view chars, bool ignoreCase) {
  return TrimCharsRight(TrimCharsLeft(text, chars, ignoreCase), chars, ignoreCase);
}

char16_t ToLowerChar(char16_t c) {
  if (c < 0x80) return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c;
  if ((c >= 0xC0 && c <= 0xDE && c != 0xD7)) return static_cast<char16_t>(c + 32);
  if (c >= 0x100 && c <= 0x17F && c != 0x130 && c != 0x131 && c != 0x138 && c != 0x149) {
    // Latin Extended-A pairs: even upper/odd lower, except 0x139..0x148 and 0x179..0x17E.
    bool oddUpper = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
    if (oddUpper ? (c & 1) : !(c & 1)) return static_cast<char16_t>(c + 1);
    return c;
  }
  if (c >= 0x391 && c <= 0x3AB && c != 0x3A2) return static_cast<char16_t>(c + 32);
  if (c >= 0x410 && c <= 0x42F) return static_cast<char16_t>(c + 32);
  if (c >= 0x400 && c <= 0x40F) return static_cast<char16_t>(c + 80);
  if (c >= 0xFF21 && c <= 0xFF3A) return static_cast<char16_t>(c + 32);
  return c;
}

char16_t ToUpperChar(char16_t c) {
  if (c < 0x80) return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c;
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<char16_t>(c - 32);
  if (c >= 0x100 && c <= 0x17F && c != 0x130 && c != 0x131 && c != 0x138 && c != 0x149) {
    bool oddUpper = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
    if (oddUpper ? !(c & 1) : (c & 1)) return static_cast<char16_t>(c - 1);
    return c;
  }
  if (c >= 0x3B1 && c <= 0x3CB && c != 0x3C2) return static_cast<char16_t>(c - 32);
  if (c >= 0x430 && c <= 0x44F) return static_cast<char16_t>(c - 32);
  if (c >= 0x450 && c <= 0x45F) return static_cast<char16_t>(c - 80);
  if (c >= 0xFF41 && c <= 0xFF5A) return static_cast<char16_t>(c - 32);
  return c;
}

std::u16string ToLower(std::u16string_view text) {
  std::u16string out(text);
  for (auto& c : out) c = ToLowerChar(c);
  return out;
}

std::u16string ToUpper(std::u16string_view text) {
  std::u16string out(text);
  for (auto& c : out) c = ToUpperChar(c);
  return out;
}

bool EqualsIgnoreCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (ToLowerChar(a[i]) != ToLowerChar(b[i])) return false;
  return true;
}

bool StartsWithIgnoreCase(std::u16string_view text, std::u16string_view prefix) {
  return text.size() >= prefix.size() && EqualsIgnoreCase(text.substr(0, prefix.size()), prefix);
}

bool EndsWithIgnoreCase(std::u16string_view text, std::u16string_view suffix) {
  return text.size() >= suffix.size() &&
         EqualsIgnoreCase(text.substr(text.size() - suffix.size()), suffix);
}

size_t FindIgnoreCase(std::u16string_view text, std::u16string_view needle, size_t from) {
  if (needle.empty()) return from <= text.size() ? from : std::u16string_view::npos;
  for (size_t i = from; i + needle.size() <= text.size(); ++i)
    if (EqualsIgnoreCase(text.substr(i, needle.size()), needle)) return i;
  return std::u16string_view::npos;
}

std::vector<std::u16string> SplitText(std::u16string_view text, std::u16string_view separator) {
  std::vector<std::u16string> parts;
  if (separator.empty()) {
    parts.emplace_back(text);
    return parts;
  }
  size_t start = 0;
  for (;;) {
    size_t pos = text.find(separator, start);
    if (pos == std::u16string_view::npos) break;
    parts.emplace_back(text.substr(start, pos - start));
    start = pos + separator.size();
  }
  parts.emplace_back(text.substr(start));
  return parts;
}

std::u16string JoinText(const std::vector<std::u16string>& parts, std::u16string_view separator) {
  std::u16string out;
  for (size_t i = 0; i < parts.size(); ++i) {
    if (i) out += separator;
    out += parts[i];
  }
  return out;
}

std::u16string ReplaceAllText(std::u16string_view text, std::u16string_view from,
                              std::u16string_view to) {
  if (from.empty()) return std::u16string(text);
  std::u16string out;
  size_t start = 0;
  for (;;) {
    size_t pos = text.find(from, start);
    if (pos == std::u16string_view::npos) break;
    out.append(text.substr(start, pos - start));
    out.append(to);
    start = pos + from.size();
  }
  out.append(text.substr(start));
  return out;
}

std::optional<long long> ParseInt(std::u16string_view text) {
  size_t i = 0;
  while (i < text.size() && text[i] == u' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) negative = text[i++] == u'-';
  if (i >= text.size() || text[i] < u'0' || text[i] > u'9') return std::nullopt;
  unsigned long long magnitude = 0;
  const unsigned long long limit =
      negative ? static_cast<unsigned long long>(LLONG_MAX) + 1 : LLONG_MAX;
  for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
    unsigned digit = text[i] - u'0';
    if (magnitude > (limit - digit) / 10) return std::nullopt;
    magnitude = magnitude * 10 + digit;
  }
  while (i < text.size() && text[i] == u' ') ++i;
  if (i != text.size()) return std::nullopt;
  return negative ? static_cast<long long>(0 - magnitude) : static_cast<long long>(magnitude);
}

std::u16string MagnitudeText(long long value) {
  const unsigned long long magnitude = value < 0 ? 0ULL - static_cast<unsigned long long>(value)
                                                 : static_cast<unsigned long long>(value);
  std::string s = std::to_string(magnitude);
  return std::u16string(s.begin(), s.end());
}

std::u16string IntToText(long long value) {
  std::string s = std::to_string(value);
  return std::u16string(s.begin(), s.end());
}

}  // namespace pathorama::core
