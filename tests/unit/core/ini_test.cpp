#include "core/ini.h"

#include <gtest/gtest.h>

namespace pathorama::core {
namespace {

TEST(Ini, ParseKeepsOrderAndComparesNamesWithoutCase) {
  IniDocument doc = IniDocument::Parse(
      u"\uFEFF[Main]\r\nVer=1.0\r\n\r\n[PathMenu]\nmenu1=Docs(&D)\npath1=D:\\Docs\nmenu2=-Work\n"
      u"menu3=--\n  [ Option ]  \r\nRandomLength = 7\rKey=a=b\n");
  ASSERT_EQ(doc.Sections().size(), 3u);
  EXPECT_EQ(doc.Sections()[1].Name(), u"PathMenu");
  EXPECT_EQ(doc.Sections()[2].Name(), u"Option");
  EXPECT_EQ(doc.ReadString(u"main", u"VER", u"?"), u"1.0");
  EXPECT_EQ(doc.ReadString(u"option", u"randomlength", u"?"), u" 7");
  EXPECT_EQ(doc.ReadString(u"Option", u"Key", u"?"), u"a=b");
  EXPECT_EQ(doc.ReadString(u"Option", u"Missing", u"dflt"), u"dflt");
  const auto& menu = doc.FindSection(u"pathmenu")->Entries();
  ASSERT_EQ(menu.size(), 4u);
  EXPECT_EQ(menu[0].Key(), u"menu1");
  EXPECT_EQ(menu[3].Value(), u"--");
}

// Line ends are found a block of units at a time: every line length and
// every line end, next to tabs, other control units and units above 0x8000,
// must split exactly where a unit-by-unit reading splits.
TEST(Ini, LinesEndExactlyAtEveryPosition) {
  const std::u16string pieces[] = {u"a", u"\t", u"资", u"\x0B", u"\x01", u"\xFFFF", u"\x0E"};
  const std::u16string ends[] = {u"\n", u"\r\n", u"\r"};
  std::u16string text = u"[S]\n";
  std::vector<std::u16string> values;
  for (int i = 0; i < 60; ++i) {
    std::u16string value;
    for (int k = 0; k < i % 9; ++k) value += pieces[(i + k) % 7];
    value += u"z";  // a line's outer blanks are trimmed; this keeps them inner
    values.push_back(value);
    text += u"k" + std::u16string(1, static_cast<char16_t>(u'A' + i % 26)) + u"=" + value + ends[i % 3];
  }
  const IniDocument doc = IniDocument::Parse(text);
  const auto& entries = doc.FindSection(u"S")->Entries();
  ASSERT_EQ(entries.size(), values.size());
  for (size_t i = 0; i < values.size(); ++i) EXPECT_EQ(entries[i].Value(), values[i]) << i;
}

TEST(Ini, WriteReplacesOrAppendsAndSerializeRoundTrips) {
  IniDocument doc;
  doc.Write(u"Option", u"A", u"1");
  doc.Write(u"Main", u"Ver", u"1.0");
  doc.Write(u"option", u"a", u"2");  // same key, other case: replaced in place
  doc.Write(u"Option", u"B", u"中文");
  EXPECT_EQ(doc.Serialize(), u"[Option]\r\nA=2\r\nB=中文\r\n\r\n[Main]\r\nVer=1.0\r\n");
  IniDocument again = IniDocument::Parse(doc.Serialize());
  EXPECT_EQ(again.Serialize(), doc.Serialize());
  doc.DeleteKey(u"OPTION", u"a");
  EXPECT_FALSE(doc.Read(u"Option", u"A"));
  EXPECT_EQ(doc.ReadString(u"Option", u"B", u""), u"中文");
  doc.EraseSection(u"option");
  EXPECT_FALSE(doc.HasSection(u"Option"));
  EXPECT_TRUE(doc.HasSection(u"MAIN"));
}

TEST(Ini, OddLinesSurviveARewrite) {
  IniDocument doc =
      IniDocument::Parse(u"orphan=1\n[S]\njust words\n;comment\nk=v\n[broken\nx=1\n");
  EXPECT_FALSE(doc.Read(u"S", u"just words"));
  EXPECT_EQ(doc.ReadString(u"S", u"x", u""), u"1");  // "[broken" is a line, not a section
  EXPECT_EQ(doc.Serialize(), u"[S]\r\njust words\r\n;comment\r\nk=v\r\n[broken\r\nx=1\r\n");
}

TEST(Ini, BulkAppendStaysLinear) {
  IniDocument doc;
  IniSection& s = doc.Section(u"PathMenu");
  for (int i = 1; i <= 20000; ++i) s.Append({u"menu" + std::u16string(1, u'0' + i % 10), u"x", true});
  EXPECT_EQ(s.Entries().size(), 20000u);
  EXPECT_EQ(s.Find(u"MENU1")->Value(), u"x");
}

// The key index follows appends, erasures and clearing whenever they come
// between look-ups: the first line of a key is the one found and replaced.
TEST(Ini, LookUpsSeeEveryChangeBetweenThem) {
  IniDocument doc = IniDocument::Parse(u"[S]\nk=1\nK=2\n");
  IniSection& s = doc.Section(u"s");
  EXPECT_EQ(s.Find(u"k")->Value(), u"1");
  s.Append({u"late", u"3", true});
  s.Append({u"LATE", u"4", true});
  EXPECT_EQ(s.Find(u"Late")->Value(), u"3");
  s.Set(u"late", u"5");
  EXPECT_EQ(s.Entries()[2].Value(), u"5");
  EXPECT_EQ(s.Entries()[3].Value(), u"4");
  EXPECT_TRUE(s.Erase(u"K"));  // the first "k" goes; the second is found now
  EXPECT_EQ(s.Find(u"k")->Value(), u"2");
  EXPECT_EQ(s.Find(u"late")->Value(), u"5");
  s.Clear();
  EXPECT_EQ(s.Find(u"k"), nullptr);
  s.Append({u"k", u"6", true});
  EXPECT_EQ(s.Find(u"K")->Value(), u"6");
  EXPECT_EQ(doc.Serialize(), u"[S]\r\nk=6\r\n");
}

// Parsed lines view the document's text: they must stay readable when the
// document moves (a short text too), when lines are copied out of it and the
// document goes, and when a value is set from a piece of itself.
TEST(Ini, ParsedLinesOutliveMovesAndCopies) {
  std::vector<IniEntry> copied;
  IniDocument moved;
  {
    IniDocument doc = IniDocument::Parse(u"[S]\nk=v");
    moved = std::move(doc);
    IniDocument other = IniDocument::Parse(u"[T]\na=bcd\nplain");
    copied = other.FindSection(u"T")->Entries();
  }
  EXPECT_EQ(moved.ReadString(u"S", u"k", u""), u"v");
  ASSERT_EQ(copied.size(), 2u);
  EXPECT_EQ(copied[0].Value(), u"bcd");
  EXPECT_FALSE(copied[1].HasValue());
  EXPECT_EQ(copied[1].Key(), u"plain");
  IniSection section(u"T");
  for (IniEntry& e : copied) section.Append(std::move(e));
  section.Set(u"a", section.Find(u"a")->Value().substr(1));
  EXPECT_EQ(section.Find(u"a")->Value(), u"cd");
  copied.assign(section.Entries().begin(), section.Entries().end());
  EXPECT_EQ(copied[0].Key(), u"a");
}

}  // namespace
}  // namespace pathorama::core
