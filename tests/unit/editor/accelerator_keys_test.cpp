#include "editor/accelerator_keys.h"

#include <gtest/gtest.h>

#include <string>

#include "core/text.h"

namespace pathorama::editor {
namespace {

using std::string_literals::operator""s;

std::string Show(std::u16string_view text) { return core::Utf16ToUtf8(text); }

TEST(PinyinInitials, ReadsEachKindOfGbkCharacter) {
  struct Case {
    const char* name;
    const char16_t* text;
    unsigned flags;
    size_t maxLength;
    const char16_t* want;
  };
  const Case cases[] = {
      {"initials", u"中文档案我電腦桌", kPinyinInitials, 255, u"ZWDAWDNZ"},
      {"whole syllables", u"中文档案我電腦桌", kPinyinFullSyllables, 255,
       u"ZHONGWENDANGANWODIANNAOZHUO"},
      {"u-umlaut as v", u"女绿", kPinyinFullSyllables, 255, u"NVLV"},
      {"ASCII letters and digits only, upper case", u"a1-b 中", kPinyinInitials, 255, u"A1BZ"},
      {"every single byte kept", u"a1-b 中", kPinyinKeepAllSingleBytes, 255, u"A1-B Z"},
      {"full-width ASCII", u"Ａｂ１！", kPinyinInitials, 255, u"AB1"},
      {"full-width punctuation kept", u"Ａｂ１！", kPinyinKeepAllSingleBytes, 255, u"AB1!"},
      {"Greek transliterated", u"αΘψΩ", kPinyinInitials, 255, u"ATHPSO"},
      {"numbered symbols as numbers", u"①⑽Ⅻⅰ⒛㈩", kPinyinInitials, 255, u"1101212010"},
      {"cut to the max length", u"中文档案", kPinyinInitials, 2, u"ZW"},
      {"cut inside a syllable", u"中文", kPinyinFullSyllables, 3, u"ZHO"},
      {"a code without reading gives nothing", u"兙中", kPinyinInitials, 255, u"Z"},
      {"or a question mark", u"兙中", kPinyinMarkUnknown, 255, u"?Z"},
      {"a GBK symbol has no reading", u"、", kPinyinMarkUnknown, 255, u"?"},
      {"outside GBK: nothing", u"\U00020000\U0001F600", kPinyinMarkUnknown, 255, u""},
      // The code page's own "?" is a single-byte character like any other.
      {"outside GBK, single bytes kept", u"\U00020000", kPinyinKeepAllSingleBytes, 255, u"?"},
      {"empty", u"", kPinyinMarkUnknown, 255, u""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(PinyinInitials(c.text, c.flags, c.maxLength), c.want) << c.name;
}

// Bytes no GBK encoder makes still stay inside the tables.
TEST(PinyinInitials, ByteWalkStaysInsideItsTables) {
  struct Case {
    const char* name;
    std::string bytes;
    unsigned flags;
    const char16_t* want;
  };
  const Case cases[] = {
      {"lead byte at the end", "A\xD6", kPinyinMarkUnknown, u"A"},
      {"lead byte at the end, single bytes kept", "A\xD6", kPinyinKeepAllSingleBytes, u"A?"},
      {"lead before a low byte", "\xD6" "1", kPinyinInitials, u"1"},
      {"last lead with trail 0xFF", "\xFE\xFF", kPinyinMarkUnknown, u"?"},
      {"lead 0xFF", "\xFF\xFE", kPinyinMarkUnknown, u"?"},
      {"symbol row, trail 0xFF", "\xA2\xFF", kPinyinMarkUnknown, u"?"},
      {"symbol row, trail below 0xA1", "\xA2\x40", kPinyinMarkUnknown, u"?"},
      {"symbol row, code without symbol", "\xA2\xAB", kPinyinMarkUnknown, u""},
      {"full-width row below its letters", "\xA3\x41", kPinyinKeepAllSingleBytes, u""},
      {"full-width row, trail 0xFF", "\xA3\xFF", kPinyinKeepAllSingleBytes, u""},
      {"Greek row between the cases", "\xA6\xB9\xA6\xC1", kPinyinMarkUnknown, u"A"},
      {"a zero byte", "a\0b"s, kPinyinInitials, u"AB"},
      {"the euro sign's single byte", "\x80", kPinyinKeepAllSingleBytes, u"\u20AC"},
      {"trail 0x7F", "\xD6\x7F", kPinyinMarkUnknown, u"?"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(PinyinInitialsOfGbk(c.bytes, c.flags, 255), c.want) << c.name;
}

TEST(AcceleratorKeys, AddAppendsTheFirstLetterOrPinyinInitial) {
  struct Case {
    const char16_t* caption;
    const char16_t* want;
  };
  const Case cases[] = {
      {u"Docs", u"Docs[&D]"},
      {u"docs", u"docs[&D]"},
      {u"文档", u"文档[&W]"},
      {u"文档2", u"文档2[&W]"},
      {u"2024", u"2024"},  // digits are never chosen
      {u"中文Docs", u"中文Docs[&D]"},  // a later letter wins over Chinese
      {u"-Work", u"-Work[&W]"},        // a group head keeps its "-"
      {u"-工作", u"-工作[&G]"},
      {u"Docs(&O)", u"Docs(&O)"},  // already has one
      {u"R&D", u"R&D"},
      {u"A && B", u"A && B"},
      {u"", u""},
      {u"-", u"-"},
      {u"--", u"--"},
      {u"兙", u"兙[&?]"},                // in GBK without a reading
      {u"\U00020000文", u"\U00020000文"},  // the first Chinese character is outside GBK
      {u"\U0001F600 1", u"\U0001F600 1"},
      {u"\u212A\u017F 1", u"\u212A\u017F 1"},  // Kelvin sign and long s are no ASCII letters
      {u"Ｄocs", u"Ｄocs[&O]"},                 // the first ASCII letter, not the full-width D
      {u"㈩", u"㈩"},    // counts as Chinese, but its GBK code stands for the number 10
      {u"㈠文", u"㈠文"},
  };
  for (const Case& c : cases) EXPECT_EQ(AddAcceleratorKey(c.caption), c.want) << Show(c.caption);
}

TEST(AcceleratorKeys, RecognisesEveryAcceleratorForm) {
  for (const char16_t* yes : {u"Docs(&O)", u"Docs[&D]", u"R&D", u"&x", u"a&&b", u"(&1", u"&中"})
    EXPECT_TRUE(HasAcceleratorKey(yes)) << Show(yes);
  for (const char16_t* no : {u"Docs", u"Docs&", u"", u"[D]"})
    EXPECT_FALSE(HasAcceleratorKey(no)) << Show(no);
}

// Removal takes the accelerators out and never a letter of the caption.
TEST(AcceleratorKeys, RemoveTakesBracketedFormsWholeAndKeepsBareKeys) {
  struct Case {
    const char16_t* caption;
    const char16_t* want;
  };
  const Case cases[] = {
      {u"Docs[&D]", u"Docs"},
      {u"Docs(&O)", u"Docs"},
      {u"R&D", u"RD"},
      {u"&Open", u"Open"},
      {u"x[&1]y(&2)z", u"xyz"},
      {u"a(&b", u"a(b"},   // an unmatched bracket stays with its letter
      {u"&x)", u"x)"},
      {u"(&x]", u"(x]"},
      {u"A && B", u"A && B"},  // a written ampersand stays
      {u"(&&)", u"(&&)"},
      {u"&&&D", u"&&D"},
      {u"Tom && Jerry &Q", u"Tom && Jerry Q"},
      {u"Docs&", u"Docs&"},
      {u"文档[&W]", u"文档"},
      {u"&\U00020000", u"\U00020000"},
      {u"", u""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(RemoveAcceleratorKeys(c.caption), c.want) << Show(c.caption);
}

TEST(AcceleratorKeys, NodeRemovalKeepsTheKindAndACaption) {
  struct Case {
    const char16_t* text;
    const char16_t* want;
  };
  const Case cases[] = {
      {u"Docs[&D]", u"Docs"},
      {u"-Work[&W]", u"-Work"},
      {u"-[&W]", u"-[&W]"},    // would become a separator
      {u"- [&W] ", u"- [&W] "},
      {u"[&W]", u"[&W]"},      // would leave nothing
      {u"  (&W) ", u"  (&W) "},
      {u"--[&W]", u"--[&W]"},  // a group head that would become an end marker
      {u"&-x", u"&-x"},        // an item that would become a group head
      {u"-", u"-"},
      {u"--", u"--"},
      {u"R&D", u"RD"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(RemoveNodeAcceleratorKeys(c.text), c.want) << Show(c.text);
}

}  // namespace
}  // namespace pathorama::editor
