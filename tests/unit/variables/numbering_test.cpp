#include "variables/numbering.h"

#include <gtest/gtest.h>

#include <set>

#include "core/text.h"
#include "test_environment.h"

namespace pathorama::variables {
namespace {

std::string U8(const std::u16string& s) { return core::Utf16ToUtf8(s); }

TEST(EvaluateSequence, WritesEveryFormOfSequence) {
  struct Case {
    const char16_t* name;
    const char16_t* want;  // nullptr: no value (the variable stays in braces)
  } cases[] = {
      {u"1-3Number", u"(1|2|3)"},
      {u"3-1Number", u"(1|2|3)"},           // a positive step counts up
      {u"1-3:-1Number", u"(3|2|1)"},        // a negative step counts down
      {u"1,3:5Number", u"(1|6|11)"},        // from, count, step
      {u"5,3:-2Number", u"(5|3|1)"},
      {u"8-12:1:3Number", u"(008|009|010|011|012)"},
      {u"12-8:-1:3Number", u"(012|011|010|009|008)"},
      {u"98-101:1:2Number", u"(98|99|100|101)"},  // wider numbers are not cut
      {u"-2-1:1:3Number", u"(-02|-01|000|001)"},  // zeros after the sign
      {u"0-10:0Number", u"10"},             // step 0: the start alone
      {u"5-5Number", u"5"},                 // one value: no parentheses
      {u"1-4RomaNum", u"(I|II|III|IV)"},
      {u"9-11ChineseNum", u"(九|十|十一)"},
      {u"0-2ChineseNum", u"(|一|二)"},      // empty values keep their place
      {u"1-2ChineseNum_Caps", u"(壹|贰)"},
      {u"49-51CircledNum", u"(㊾|㊿|)"},
      {u"1-3number", u"(1|2|3)"},           // names ignore case
      {u"0-10000Number", nullptr},          // 10,001 values
      {u"1,10001Number", nullptr},
      {u"1-99999999999999999999Number", nullptr},  // beyond 64 bits
      {u"1,9223372036854775807:9Number", nullptr}, // the end overflows
      {u"1-2:1:256Number", nullptr},        // wider than any path component
      {u"9999000-9999999RomaNum", nullptr}, // a thousand values of ten thousand "M"
      {u"Number", nullptr},
  };
  for (const Case& c : cases) {
    std::optional<std::u16string> got = EvaluateSequence(c.name);
    SCOPED_TRACE(U8(c.name));
    if (c.want == nullptr) {
      EXPECT_FALSE(got.has_value()) << U8(got.value_or(u""));
    } else {
      ASSERT_TRUE(got.has_value());
      EXPECT_EQ(U8(*got), U8(c.want));
    }
  }
}

TEST(EvaluateSequence, TenThousandValuesIsTheMost) {
  std::optional<std::u16string> got = EvaluateSequence(u"1-10000Number");
  ASSERT_TRUE(got.has_value());
  EXPECT_EQ(core::SplitText(got->substr(1, got->size() - 2), u"|").size(), 10000u);
  EXPECT_TRUE(got->ends_with(u"|10000)"));
}

TEST(EvaluateRandom, DrawsLengthsAndCharactersFromTheSet) {
  TestEnvironment t;
  t.options.randomCharacters = u"ab①";  // a character outside ASCII counts as one
  t.options.randomLength = 3;
  struct Case {
    const char16_t* name;
    size_t low, high;
  } cases[] = {
      {u"8Random", 8, 8},   {u"8-Random", 1, 8}, {u"2+Random", 2, 3},  // up to the set size
      {u"4-8Random", 4, 8}, {u"8-4Random", 4, 8}, {u"Random", 3, 3},   // the default length
      {u"0Random", 0, 0},   {u"10000Random", 10000, 10000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(U8(c.name));
    std::set<size_t> lengths;
    for (int i = 0; i < 200; ++i) {
      std::optional<std::u16string> got = EvaluateRandom(c.name, t.random, t.options);
      ASSERT_TRUE(got.has_value());
      for (char16_t ch : *got) ASSERT_NE(std::u16string_view(u"ab①").find(ch), std::u16string_view::npos);
      lengths.insert(got->size());
    }
    EXPECT_EQ(*lengths.begin(), c.low);
    EXPECT_EQ(*lengths.rbegin(), c.high);
  }
}

TEST(EvaluateRandom, RefusesWhatCannotBeDrawn) {
  TestEnvironment t;
  EXPECT_FALSE(EvaluateRandom(u"10001Random", t.random, t.options));
  EXPECT_FALSE(EvaluateRandom(u"1-99999999999999999999Random", t.random, t.options));
  t.options.randomCharacters.clear();
  EXPECT_FALSE(EvaluateRandom(u"8Random", t.random, t.options));
}

TEST(EvaluateRandom, RepeatedCharactersAreDrawnMoreOften) {
  TestEnvironment t;
  t.options.randomCharacters = u"aaab";
  std::u16string drawn = *EvaluateRandom(u"4000Random", t.random, t.options);
  size_t as = std::count(drawn.begin(), drawn.end(), u'a');
  EXPECT_GT(as, 2700u);  // three in four, with a wide margin
  EXPECT_LT(as, 3300u);
}

TEST(SeededRandom, SameSeedSameDraws) {
  SeededRandom a(7), b(7), c(8);
  std::vector<uint32_t> da, db, dc;
  for (int i = 0; i < 20; ++i) {
    da.push_back(a.Below(1000));
    db.push_back(b.Below(1000));
    dc.push_back(c.Below(1000));
  }
  EXPECT_EQ(da, db);
  EXPECT_NE(da, dc);
}

TEST(FixedString, NamesIgnoreCase) {
  EXPECT_EQ(FixedString(u"ABC_Lower"), u"abcdefghijklmnopqrstuvwxyz");
  EXPECT_EQ(FixedString(u"abc_lower"), FixedString(u"ABC_LOWER"));
  EXPECT_EQ(FixedString(u"ABC_Upper"), u"ABCDEFGHIJKLMNOPQRSTUVWXYZ");
  EXPECT_EQ(FixedString(u"TianGan"), u"甲乙丙丁戊己庚辛壬癸");
  EXPECT_EQ(FixedString(u"DiZhi"), u"子丑寅卯辰巳午未申酉戌亥");
  EXPECT_EQ(FixedString(u"shengxiao"), u"鼠牛虎兔龙蛇马羊猴鸡狗猪");
  EXPECT_FALSE(FixedString(u"ABC"));
}

}  // namespace
}  // namespace pathorama::variables
