// What the fuzz targets share: turning the fuzzer's bytes into UTF-16, the
// oracle's view of lone surrogates, and a loud stop on a broken invariant.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace pathorama::fuzz {

// Bytes read as UTF-16LE code units, with no validation: lone surrogates,
// NULs and a byte-order mark come through as they are. An odd last byte is
// dropped.
inline std::u16string Utf16FromBytes(const uint8_t* data, size_t size) {
  std::u16string text;
  text.reserve(size / 2);
  for (size_t i = 0; i + 1 < size; i += 2)
    text.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
  return text;
}

inline bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
inline bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// The text with every surrogate that is not half of a pair replaced by
// U+FFFD: what any text becomes once it has been through UTF-8.
inline std::u16string WithoutLoneSurrogates(std::u16string_view text) {
  std::u16string out(text);
  for (size_t i = 0; i < out.size(); ++i) {
    if (IsHighSurrogate(out[i]) && i + 1 < out.size() && IsLowSurrogate(out[i + 1])) {
      ++i;
    } else if (IsHighSurrogate(out[i]) || IsLowSurrogate(out[i])) {
      out[i] = 0xFFFD;
    }
  }
  return out;
}

inline bool HasLoneSurrogate(std::u16string_view text) {
  return WithoutLoneSurrogates(text) != text;
}

// True when the text has lone surrogates and all of them are high or all
// low. Only then does replacing them commute with the functions under test:
// a function that joins two texts could make a lone high and a lone low
// surrogate into a pair, which U+FFFD in their places never becomes.
inline bool LoneSurrogatesOfOneKind(std::u16string_view text) {
  bool high = false, low = false;
  for (size_t i = 0; i < text.size(); ++i) {
    if (IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      ++i;
    } else if (IsHighSurrogate(text[i])) {
      high = true;
    } else if (IsLowSurrogate(text[i])) {
      low = true;
    }
  }
  return high != low;
}

// The text as ASCII: printable characters as they are, the rest as \uXXXX,
// so a report shows exactly which code units broke the invariant.
inline std::string Printable(std::u16string_view text, size_t limit = 400) {
  std::string out;
  for (size_t i = 0; i < text.size() && i < limit; ++i) {
    char16_t c = text[i];
    if (c >= 0x20 && c < 0x7F && c != u'\\') {
      out.push_back(static_cast<char>(c));
    } else {
      char buffer[8];
      std::snprintf(buffer, sizeof buffer, "\\u%04X", static_cast<unsigned>(c));
      out += buffer;
    }
  }
  if (text.size() > limit) out += "...(" + std::to_string(text.size()) + " code units)";
  return out;
}

// Stops the run on a broken invariant; libFuzzer keeps the input as a crash.
[[noreturn]] inline void Fail(const char* invariant, const std::string& details) {
  std::fprintf(stderr, "\n==== invariant broken: %s\n%s\n", invariant, details.c_str());
  std::fflush(stderr);
  std::abort();
}

// Stops the run when `a` and `b` differ, showing both.
inline void ExpectEqual(const char* invariant, std::u16string_view a, std::u16string_view b,
                        const std::string& context) {
  if (a == b) return;
  Fail(invariant,
       context + "\n  first:  \"" + Printable(a) + "\"\n  second: \"" + Printable(b) + "\"");
}

}  // namespace pathorama::fuzz
