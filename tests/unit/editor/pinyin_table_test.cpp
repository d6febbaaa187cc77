#include "editor/pinyin_table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/text.h"

namespace pathorama::editor {
namespace {

TEST(PinyinTable, SyllablesAreSortedThenEmptyThenTheLaterOnes) {
  ASSERT_EQ(kPinyinSyllables.size(), 405u);
  EXPECT_EQ(kPinyinSyllables[0], u"a");
  EXPECT_EQ(kPinyinSyllables[1], u"ai");
  EXPECT_EQ(kPinyinSyllables[2], u"an");
  EXPECT_EQ(kPinyinSyllables[392], u"zuo");
  for (size_t i = 1; i < 393; ++i)
    EXPECT_LT(kPinyinSyllables[i - 1], kPinyinSyllables[i]) << "number " << i + 1;
  EXPECT_EQ(kPinyinSyllables[393], u"");
  const std::vector<std::u16string_view> later = {u"ei",  u"m",  u"n",  u"dia", u"cen", u"nou",
                                                  u"jv",  u"qv", u"xv", u"lv",  u"nv"};
  EXPECT_EQ(std::vector<std::u16string_view>(kPinyinSyllables.begin() + 394,
                                             kPinyinSyllables.end()),
            later);
  for (size_t i = 0; i < 393; ++i)
    for (std::u16string_view l : later)
      EXPECT_NE(kPinyinSyllables[i], l) << "number " << i + 1;
}

TEST(PinyinTable, CodesGiveTheirSyllables) {
  struct Case {
    unsigned lead, trail;
    const char16_t* want;
  };
  const Case cases[] = {
      {0xD6, 0xD0, u"zhong"},  // 中
      {0xCE, 0xC4, u"wen"},    // 文
      {0xB5, 0xB5, u"dang"},   // 档
      {0xB0, 0xB8, u"an"},     // 案
      {0xCE, 0xD2, u"wo"},     // 我
      {0xEB, 0x8A, u"dian"},   // 電
      {0xC4, 0x58, u"nao"},    // 腦
      {0xD7, 0xC0, u"zhuo"},   // 桌
      {0xB0, 0xA1, u"a"},      // 啊, the first code of GB2312's level 1
      {0xC5, 0xAE, u"nv"},     // 女
      {0xC2, 0xCC, u"lv"},     // 绿
      {0xF1, 0xAE, u"lai"},    // 癞, level 2
      {0xCB, 0xAD, u"she"},    // 谁, "shei" by the closest syllable
      {0xD7, 0xA7, u"zhua"},   // 拽, "zhuai" likewise
  };
  for (const Case& c : cases) {
    size_t index = GbkTableIndex(c.lead, c.trail);
    ASSERT_LT(index, kGbkSyllableNumbers.size());
    unsigned number = kGbkSyllableNumbers[index];
    ASSERT_GE(number, 1u) << std::hex << c.lead << c.trail;
    EXPECT_EQ(kPinyinSyllables[number - 1], c.want) << std::hex << c.lead << c.trail;
  }
  EXPECT_EQ(kGbkSyllableNumbers[GbkTableIndex(0xA1, 0xA2)], 0u);  // 、 has none
  EXPECT_EQ(GbkTableIndex(0xFE, 0xFE), kGbkSyllableNumbers.size() - 1);
  EXPECT_EQ(GbkTableIndex(0xFE, 0xFF), static_cast<size_t>(-1));
  EXPECT_EQ(GbkTableIndex(0x80, 0x40), static_cast<size_t>(-1));
}

// Every character of GB2312's level 1 (the 3,755 common ones, 0xB0A1 to
// 0xD7F9) has a syllable (lv and nv among the later ones), and no code
// points at the empty entry.
TEST(PinyinTable, EveryCommonCharacterHasASyllable) {
  for (unsigned lead = 0xB0; lead <= 0xD7; ++lead)
    for (unsigned trail = 0xA1; trail <= (lead == 0xD7 ? 0xF9u : 0xFEu); ++trail) {
      unsigned number = kGbkSyllableNumbers[GbkTableIndex(lead, trail)];
      EXPECT_TRUE(number >= 1 && number != 394) << std::hex << lead << trail;
    }
  for (uint16_t number : kGbkSyllableNumbers) EXPECT_TRUE(number <= 405 && number != 394);
}

}  // namespace
}  // namespace pathorama::editor
