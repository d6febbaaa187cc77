// UTF-16 text helpers shared by every subsystem: conversions at the edges,
// character-set trimming, case-insensitive comparison of names.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pathorama::core {

// UTF-8 <-> UTF-16. Invalid input never fails: a bad byte sequence or a lone
// surrogate becomes U+FFFD.
std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view text);

// Code points of UTF-16 text. A surrogate pair is one code point; an
// unpaired surrogate (legal in NTFS file names) counts as one of its own.
inline bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
inline bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }
// Units of the code point that starts at `at` (< text.size()): 2 or 1.
inline size_t CodePointLength(std::u16string_view text, size_t at) {
  return IsHighSurrogate(text[at]) && at + 1 < text.size() && IsLowSurrogate(text[at + 1]) ? 2
                                                                                            : 1;
}
// Each code point as a view into `text`.
std::vector<std::u16string_view> CodePoints(std::u16string_view text);
// The first `units` units of `text` (all of it when shorter), one fewer
// where the cut would split a surrogate pair.
std::u16string_view TruncateUnits(std::u16string_view text, size_t units);

// Removes from the given end(s) every character that belongs to `chars`.
std::u16string TrimCharsLeft(std::u16string_view text, std::u16string_view chars,
                             bool ignoreCase = false);
std::u16string TrimCharsRight(std::u16string_view text, std::u16string_view chars,
                              bool ignoreCase = false);
std::u16string TrimChars(std::u16string_view text, std::u16string_view chars,
                         bool ignoreCase = false);

// Simple case mapping: ASCII, Latin-1, Latin Extended-A, Greek, Cyrillic and
// fullwidth Latin. Enough for the names the program compares (window classes,
// file names, settings keys, variable names); CJK has no case.
char16_t ToLowerChar(char16_t c);
char16_t ToUpperChar(char16_t c);
std::u16string ToLower(std::u16string_view text);
std::u16string ToUpper(std::u16string_view text);
bool EqualsIgnoreCase(std::u16string_view a, std::u16string_view b);
bool StartsWithIgnoreCase(std::u16string_view text, std::u16string_view prefix);
bool EndsWithIgnoreCase(std::u16string_view text, std::u16string_view suffix);
// Position of `needle` in `text` from `from`, or npos.
size_t FindIgnoreCase(std::u16string_view text, std::u16string_view needle, size_t from = 0);

// Splits at every occurrence of `separator` (exact); keeps empty parts.
std::vector<std::u16string> SplitText(std::u16string_view text, std::u16string_view separator);
std::u16string JoinText(const std::vector<std::u16string>& parts, std::u16string_view separator);
// Replaces every occurrence of `from` (exact, non-overlapping, left to right).
std::u16string ReplaceAllText(std::u16string_view text, std::u16string_view from,
                              std::u16string_view to);

// Decimal conversions that never throw. ParseInt accepts optional spaces and
// a sign; anything else, or a number beyond 64 bits, gives no value.
std::optional<long long> ParseInt(std::u16string_view text);
std::u16string IntToText(long long value);
// The digits of |value| without a sign; defined for the most negative value
// too, whose magnitude has no signed 64-bit form.
std::u16string MagnitudeText(long long value);

}  // namespace pathorama::core
