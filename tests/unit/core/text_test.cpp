#include "core/text.h"

#include <gtest/gtest.h>

namespace pathorama::core {
namespace {

TEST(Text, Utf8RoundTripAndInvalidBytes) {
  EXPECT_EQ(Utf8ToUtf16("C:\\跳转\xF0\x9F\x98\x80"), u"C:\\跳转\U0001F600");
  EXPECT_EQ(Utf16ToUtf8(u"C:\\跳转\U0001F600"), "C:\\跳转\xF0\x9F\x98\x80");
  struct Case {
    const char* bytes;
    const char16_t* text;
  } cases[] = {
      {"a\xFFz", u"a\uFFFDz"},            // byte that never starts a sequence
      {"a\xE8\xB7", u"a\uFFFD"},          // truncated at the end
      {"\xC0\xAF", u"\uFFFD"},            // overlong slash
      {"\xED\xA0\x80x", u"\uFFFDx"},      // encoded surrogate
      {"\xE8z", u"\uFFFDz"},              // continuation missing: z survives
  };
  for (const Case& c : cases) EXPECT_EQ(Utf8ToUtf16(c.bytes), c.text) << c.bytes;
  // A lone surrogate in UTF-16 becomes U+FFFD in UTF-8.
  EXPECT_EQ(Utf16ToUtf8(std::u16string(1, char16_t(0xD800)) + u"a"),
            "\xEF\xBF\xBD"
            "a");
}

TEST(Text, TrimCharSets) {
  struct Case {
    const char16_t* text;
    const char16_t* set;
    const char16_t* left;
    const char16_t* right;
    const char16_t* both;
  } cases[] = {
      {u" /*C:\\a\\ ", u" /\\*", u"C:\\a\\ ", u" /*C:\\a", u"C:\\a"},
      {u"|| a | ", u" |", u"a | ", u"|| a", u"a"},
      {u"", u" ", u"", u"", u""},
      {u"    ", u" ", u"", u"", u""},
      {u"abc", u"", u"abc", u"abc", u"abc"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TrimCharsLeft(c.text, c.set), c.left);
    EXPECT_EQ(TrimCharsRight(c.text, c.set), c.right);
    EXPECT_EQ(TrimChars(c.text, c.set), c.both);
  }
  EXPECT_EQ(TrimChars(u"xXaXx", u"x"), u"XaX");
  EXPECT_EQ(TrimChars(u"xXaXx", u"x", true), u"a");
}

TEST(Text, CaseInsensitiveNames) {
  EXPECT_TRUE(EqualsIgnoreCase(u"CabinetWClass", u"cabinetwclass"));
  EXPECT_TRUE(EqualsIgnoreCase(u"ÄÖÜ", u"äöü"));
  EXPECT_TRUE(EqualsIgnoreCase(u"ＡＢ", u"ａｂ"));
  EXPECT_FALSE(EqualsIgnoreCase(u"Total", u"Totals"));
  EXPECT_TRUE(StartsWithIgnoreCase(u"/OpenJumpList", u"/open"));
  EXPECT_TRUE(EndsWithIgnoreCase(u"Totalcmd.EXE", u".exe"));
  EXPECT_EQ(FindIgnoreCase(u"x-MonthDays<1>", u"monthdays"), 2u);
  EXPECT_EQ(ToUpper(u"straße"), u"STRAßE");
}

TEST(Text, SplitJoinReplace) {
  EXPECT_EQ(SplitText(u"a||b", u"|"), (std::vector<std::u16string>{u"a", u"", u"b"}));
  EXPECT_EQ(JoinText({u"a", u"b"}, u" | "), u"a | b");
  EXPECT_EQ(ReplaceAllText(u"零零零", u"零零", u"零"), u"零零");
}

TEST(Text, ParseIntRejectsJunkAndOverflow) {
  struct Case {
    const char16_t* text;
    bool ok;
    long long value;
  } cases[] = {
      {u"42", true, 42},       {u" -7 ", true, -7},   {u"+3", true, 3},
      {u"", false, 0},         {u"1x", false, 0},     {u"- 1", false, 0},
      {u"9223372036854775807", true, 9223372036854775807LL},
      {u"9223372036854775808", false, 0},
      {u"-9223372036854775808", true, -9223372036854775807LL - 1},
  };
  for (const Case& c : cases) {
    std::optional<long long> v = ParseInt(c.text);
    EXPECT_EQ(v.has_value(), c.ok);
    if (c.ok && v) {
      EXPECT_EQ(*v, c.value);
    }
  }
  EXPECT_EQ(IntToText(-12), u"-12");
}

}  // namespace
}  // namespace pathorama::core
