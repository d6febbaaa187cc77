#include "core/encoding.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "core/text.h"

namespace pathorama::core {
namespace {

using std::string_literals::operator""s;

TEST(Encoding, DetectionFollowsMarksThenUtf8ScanThenZeroBytes) {
  struct Case {
    const char* name;
    std::string bytes;
    TextEncoding want;
  };
  const Case cases[] = {
      {"empty file is UTF-8", "", TextEncoding::Utf8},
      {"ASCII is UTF-8", "[Main]\r\nVer=1\r\n", TextEncoding::Utf8},
      {"UTF-16LE mark", "\xFF\xFE[\0M\0"s, TextEncoding::Utf16LE},
      {"UTF-16BE mark", "\xFE\xFF\0[\0M"s, TextEncoding::Utf16BE},
      {"UTF-8 mark", "\xEF\xBB\xBF\xD6\xD0", TextEncoding::Utf8},
      {"two- and three-byte sequences", "caf\xC3\xA9 \xE4\xB8\xAD\xE6\x96\x87",
       TextEncoding::Utf8},
      {"four-byte sequence accepted", "a\xF0\x9F\x98\x80z", TextEncoding::Utf8},
      {"overlong four-byte lead is not UTF-8", "\xF0\x80\x80\x80", TextEncoding::Ansi},
      {"F5 and above is not UTF-8", "a\xF5\x80\x80\x80", TextEncoding::Ansi},
      {"GBK text is ANSI", "menu1=\xD6\xD0\xCE\xC4", TextEncoding::Ansi},
      {"continuation byte in lead position", "a\x80z", TextEncoding::Ansi},
      {"sequence cut off at the end", "a\xE4\xB8", TextEncoding::Ansi},
      {"two-byte lead without continuation", "\xC3(", TextEncoding::Ansi},
      {"zero after a low byte is UTF-16LE", "\x87\x65\x61\x00"s, TextEncoding::Utf16LE},
      {"zero after a high byte is UTF-16BE", "\x65\x87\x00\x61"s, TextEncoding::Utf16BE},
      {"zero as first byte is UTF-16BE", "\x00\x61\x87\x65"s, TextEncoding::Utf16BE},
      {"odd length with a zero byte is ANSI", "\x87\x65\x61\x00\x41"s, TextEncoding::Ansi},
      // A zero byte is never UTF-8, though it is below 0x80: ASCII-only
      // UTF-16 without a mark passed the scan once and read as empty text.
      {"ASCII UTF-16LE without mark", "a\0b\0"s, TextEncoding::Utf16LE},
      {"ASCII UTF-16BE without mark", "\0a\0b"s, TextEncoding::Utf16BE},
      {"settings file in UTF-16LE without mark",
       "[\0M\0a\0i\0n\0]\0\r\0\n\0V\0e\0r\0=\0001\0\r\0\n\0"s, TextEncoding::Utf16LE},
      {"settings file in UTF-16BE without mark",
       "\0[\0M\0a\0i\0n\0]\0\r\0\n\0V\0e\0r\0=\0001\0\r\0\n"s, TextEncoding::Utf16BE},
      {"a zero byte among UTF-8 text, even length", "ab\0\xC3\xA9z"s, TextEncoding::Utf16BE},
      {"a zero byte among UTF-8 text, odd length", "ab\0\xC3\xA9"s, TextEncoding::Ansi},
      // The order follows where most zero bytes stand, not the first one:
      // little-endian text may begin with U+4E00 (00 4E), big-endian text
      // with U+4E2D (4E 2D) followed by ASCII.
      {"UTF-16LE beginning with U+4E00", "\x00\x4E=\0a\0\r\0\n\0"s, TextEncoding::Utf16LE},
      {"UTF-16BE beginning with U+4E2D", "\x4E\x2D\0=\0a\0\r\0\n"s, TextEncoding::Utf16BE},
      {"UTF-16LE beginning with a Latin-1 letter", "\xE9\0=\0a\0"s, TextEncoding::Utf16LE},
  };
  for (const Case& c : cases)
    EXPECT_EQ(DetectTextEncoding(c.bytes), c.want)
        << c.name << ": got "
        << Utf16ToUtf8(TextEncodingName(DetectTextEncoding(c.bytes)));
}

TEST(Encoding, DecodeGivesUtf16WithoutMarkAndMarksBadInput) {
  struct Case {
    const char* name;
    std::string bytes;
    TextEncoding encoding;
    std::u16string want;
  };
  const Case cases[] = {
      {"UTF-16LE", "\xFF\xFE\x2D\x4E\x61\x00"s, TextEncoding::Utf16LE, u"中a"},
      {"UTF-16BE", "\xFE\xFF\x4E\x2D\x00\x61"s, TextEncoding::Utf16BE, u"中a"},
      {"UTF-16LE without mark", "\x2D\x4E"s, TextEncoding::Utf16LE, u"中"},
      {"odd trailing byte", "\xFF\xFE\x61\x00\x62"s, TextEncoding::Utf16LE, u"a\uFFFD"},
      {"single byte", "\x62", TextEncoding::Utf16BE, u"\uFFFD"},
      {"lone surrogate kept", "\xFF\xFE\x3D\xD8\x61\x00"s, TextEncoding::Utf16LE,
       std::u16string{0xD83D, u'a'}},
      {"UTF-8 mark dropped", "\xEF\xBB\xBF\xE4\xB8\xAD", TextEncoding::Utf8, u"中"},
      {"UTF-8 four bytes", "\xF0\x9F\x98\x80", TextEncoding::Utf8, u"\U0001F600"},
      {"malformed UTF-8", "a\xE4\xB8", TextEncoding::Utf8, u"a\uFFFD"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(DecodeText(c.bytes, c.encoding, 936), c.want) << c.name;
}

TEST(Encoding, AnsiUsesTheGivenCodePage) {
  EXPECT_EQ(DecodeText("menu1=\xD6\xD0\xCE\xC4(&A)", TextEncoding::Ansi, 936),
            u"menu1=中文(&A)");
  EXPECT_EQ(DecodeAnsi("caf\xE9", 1252), u"café");
  EXPECT_EQ(DecodeAnsi("", 936), u"");
  // An unknown code page still gives a defined result: the bytes as Latin-1.
  EXPECT_EQ(DecodeAnsi("a\xE9", 12345), u"a\u00E9");
  // Bytes GBK does not know: the text around them survives.
  for (const char* bad : {"A\x81\x20" "B", "A\xD6"}) {
    std::u16string text = DecodeAnsi(bad, 936);
    ASSERT_FALSE(text.empty()) << bad;
    EXPECT_EQ(text.front(), u'A') << bad;
    EXPECT_LE(text.size(), 4u) << bad;
  }
  // Slices of a long text are joined without losing a character.
  std::string many;
  for (int i = 0; i < 20000; ++i) many += "\xD6\xD0";
  EXPECT_EQ(DecodeAnsi(many, 936), std::u16string(20000, u'中'));
}

// Under Wine the Windows conversion runs, natively iconv: both must give the
// same bytes, "?" for what the code page cannot hold and no look-alikes.
TEST(Encoding, EncodeAnsiMarksWhatTheCodePageCannotHold) {
  struct Case {
    const char* name;
    std::u16string text;
    unsigned codePage;
    std::string want;
  };
  const Case cases[] = {
      {"GBK", u"中文a(&B)", 936, "\xD6\xD0\xCE\xC4" "a(&B)"},
      {"traditional characters in GBK", u"電腦", 936, "\xEB\x8A\xC4\x58"},
      {"pinyin letters are in GBK", u"\u0101\u00E9", 936, "\xA8\xA1\xA8\xA6"},
      {"euro sign", u"\u20AC", 936, "\x80"},
      {"no best fit for a w with circumflex", u"\u0175x", 936, "?x"},
      {"CJK Extension B is one ?", u"\U00020000\u6587", 936, "?\xCE\xC4"},
      {"emoji is one ?", u"a\U0001F600b", 936, "a?b"},
      {"unpaired surrogates", std::u16string{u'a', 0xD800, u'b', 0xDC00}, 936, "a?b?"},
      {"empty", u"", 936, ""},
      {"Western", u"caf\u00E9\u4E2D", 1252, "caf\xE9?"},
      {"UTF-8", u"\u4E2D\U0001F600", 65001, "\xE4\xB8\xAD\xF0\x9F\x98\x80"},
      {"unknown code page as Latin-1", u"a\u00E9\u4E2D", 12345, "a\xE9?"},
  };
  for (const Case& c : cases) EXPECT_EQ(EncodeAnsi(c.text, c.codePage), c.want) << c.name;
  // What is encoded decodes back.
  EXPECT_EQ(DecodeAnsi(EncodeAnsi(u"文档[&W] 電腦", 936), 936), u"文档[&W] 電腦");
}

#ifndef _WIN32
// Natively the code page follows the locale the way Windows picks it.
TEST(Encoding, NativeSystemCodePageFollowsTheLocale) {
  struct Saved {
    const char* name;
    std::optional<std::string> value;
  };
  Saved saved[] = {{"LC_ALL", {}}, {"LC_CTYPE", {}}, {"LANG", {}}};
  for (Saved& s : saved)
    if (const char* v = std::getenv(s.name)) s.value = v;
  struct Case {
    const char* lcAll;
    const char* lang;
    unsigned want;
  };
  const Case cases[] = {
      {"", "zh_CN.UTF-8", 936}, {"", "zh_TW.UTF-8", 950}, {"", "ja_JP", 932},
      {"", "en_US.UTF-8", 1252}, {"", "C", 1252},        {"", "", 1252},
      {"zh_CN.utf8", "en_US.UTF-8", 936}, {"ru_RU.UTF-8", "zh_CN.UTF-8", 1251},
      {"", "jav", 1252},  // a longer language code is not "ja"
  };
  unsetenv("LC_CTYPE");
  for (const Case& c : cases) {
    setenv("LC_ALL", c.lcAll, 1);
    setenv("LANG", c.lang, 1);
    EXPECT_EQ(SystemAnsiCodePage(), c.want) << c.lcAll << " / " << c.lang;
  }
  for (const Saved& s : saved) {
    if (s.value) setenv(s.name, s.value->c_str(), 1);
    else unsetenv(s.name);
  }
}
#endif

}  // namespace
}  // namespace pathorama::core
