// The pinyin syllable of each GBK double-byte code. The tables are generated
// from Unicode's Han database by scripts/make_pinyin_table.py.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace pathorama::editor {

inline constexpr size_t kPinyinSyllableCount = 405;
// Leads 0x81-0xFE, trails 0x40-0xFE.
inline constexpr size_t kGbkDoubleByteCount = 126 * 191;

// Syllable number n (1..405) is kPinyinSyllables[n - 1]; lower case, "v"
// for u-umlaut; number 394 is empty.
extern const std::array<std::u16string_view, kPinyinSyllableCount> kPinyinSyllables;
// By GbkTableIndex: the syllable number of the code, 0 when it has none.
extern const std::array<uint16_t, kGbkDoubleByteCount> kGbkSyllableNumbers;
// Row 0xA2 by trail - 0xA1: the decimal value of a numbered symbol, or empty.
extern const std::array<std::u16string_view, 94> kGbkNumberedSymbols;

// Position of a double-byte code in kGbkSyllableNumbers, or none (npos) for
// a lead or trail outside the table.
inline constexpr size_t GbkTableIndex(unsigned lead, unsigned trail) {
  if (lead < 0x81 || lead > 0xFE || trail < 0x40 || trail > 0xFE) return static_cast<size_t>(-1);
  return (lead - 0x81) * 191 + (trail - 0x40);
}

}  // namespace pathorama::editor
