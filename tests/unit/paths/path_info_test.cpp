#include "paths/path_info.h"

#include <gtest/gtest.h>

#include "core/text.h"

namespace pathorama::paths {
namespace {

TEST(PathInfo, MarksDisabledAndVariables) {
  struct Case {
    const char16_t* text;
    bool disabled;
    bool variables;
  } cases[] = {
      {u"C:\\a", false, false},
      {u"/C:\\a", true, false},
      {u"  /*D:\\{YYYY}", true, true},
      {u" * D:\\{YYYY}", false, true},
      {u"*/C:\\a", false, true},  // a slash after the star is no mark
      {u"", false, false},
      {u"//", true, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsPathInfoDisabled(c.text), c.disabled) << core::Utf16ToUtf8(c.text);
    EXPECT_EQ(PathInfoUsesVariables(c.text), c.variables) << core::Utf16ToUtf8(c.text);
  }
}

TEST(PathInfo, NormalizePathSeparators) {
  struct Case {
    const char16_t* in;
    const char16_t* out;
  } cases[] = {
      {u"C:\\ a\\\\b", u"C:\\a\\b"},
      {u"C:\\a || C:\\b", u"C:\\a|C:\\b"},
      {u"C:\\a|  |C:\\b", u"C:\\a|C:\\b"},
      {u" D:\\(x | y)\\z ", u"D:\\(x | y)\\z"},  // bars of a group keep their spaces
      {u"D:\\(a||b)", u"D:\\(a||b)"},           // and are never collapsed
      {u"", u""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(NormalizePathSeparators(c.in), c.out) << core::Utf16ToUtf8(c.in);
}

TEST(PathInfo, SplitMultipliesGroupsAndDropsEmptyPieces) {
  struct Case {
    const char16_t* in;
    const char16_t* out;
  } cases[] = {
      {u"D:\\(a|b)\\(x|y)", u"D:\\a\\x|D:\\a\\y|D:\\b\\x|D:\\b\\y"},
      {u"C:\\Program Files (x86)\\Tool", u"C:\\Program Files (x86)\\Tool"},
      {u"C:\\a || C:\\b", u"C:\\a|C:\\b"},
      {u"C:\\a|  |C:\\b", u"C:\\a|C:\\b"},
      {u"C:\\a\rC:\\b", u"C:\\a|C:\\b"},
      {u"C:\\a\r\r|C:\\b\\", u"C:\\a|C:\\b"},
      {u"\\\\srv\\pub", u"srv\\pub"},
      {u"D:\\w\\(a|)", u"D:\\w\\a|D:\\w\\"},
      {u"/*<RegPath>HKCU\\Software", u"/*<RegPath>HKCU\\Software"},
      {u"E:\\(1|2) | F:\\x", u"E:\\1|E:\\2|F:\\x"},
      {u"", u""},
      {u" | | ", u""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(SplitPathInfo(c.in), c.out) << core::Utf16ToUtf8(c.in);
  EXPECT_EQ(SplitPathInfoPieces(u"D:\\(a|b)").size(), 2u);
  EXPECT_TRUE(SplitPathInfoPieces(u"").empty());
}

TEST(PathInfo, ExpandPathAlternation) {
  EXPECT_EQ(ExpandPathAlternation(u" \\D:\\(Docs|Music)\\2024\\ "),
            u"D:\\Docs\\2024|D:\\Music\\2024");
  EXPECT_EQ(ExpandPathAlternation(u"(a|b)(c|d|e)"), u"ac|ad|ae|bc|bd|be");
  EXPECT_EQ(ExpandPathAlternation(u"C:\\(x86)"), u"C:\\(x86)");
}

TEST(PathInfo, CompressPathList) {
  struct Case {
    const char16_t* list;
    const char16_t* base;
    const char16_t* out;
  } cases[] = {
      {u"D:\\w\\a|D:\\w\\b", u"D:\\w\\", u"D:\\w\\(a|b)"},
      {u"D:\\w\\a", u"D:\\w", u"D:\\w\\a"},            // no bar: unchanged
      {u"D:\\w\\a|D:\\w\\b", u" \\ ", u"D:\\w\\a|D:\\w\\b"},  // empty base: unchanged
      {u"D:\\w\\a|D:\\W\\b", u"D:\\w", u"D:\\w\\(a|D:\\W\\b)"},  // case-sensitive
  };
  for (const Case& c : cases) EXPECT_EQ(CompressPathList(c.list, c.base), c.out);
  // Round trip through the splitter.
  EXPECT_EQ(SplitPathInfo(CompressPathList(u"D:\\w\\a|D:\\w\\b", u"D:\\w")),
            u"D:\\w\\a|D:\\w\\b");
}

TEST(PathInfo, RemoveAndStripTags) {
  struct Case {
    const char16_t* text;
    bool knownHeadOnly;
    const char16_t* out;
  } cases[] = {
      {u"/*<RegPath>HKCU\\Software", false, u"HKCU\\Software"},
      {u"/*<RegPath>HKCU\\Software", true, u"HKCU\\Software"},
      {u"C:\\Tools\\t.exe </S /Wait 3>", false, u"C:\\Tools\\t.exe"},
      {u"C:\\Tools\\t.exe </S /Wait 3>", true, u"C:\\Tools\\t.exe </S /Wait 3>"},
      {u"<Foo>C:\\a", true, u"<Foo>C:\\a"},  // unknown type: kept when known only
      {u"<Foo>C:\\a", false, u"C:\\a"},
      {u"<Url>www.x.cn | <Url>https://y", true, u"www.x.cn | https://y"},
      {u"", false, u""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(StripPathTags(c.text, c.knownHeadOnly), c.out) << core::Utf16ToUtf8(c.text);
  EXPECT_EQ(RemovePathTags(u"a <x>|b <y>", kTailOfPerPath, false), u"a |b");
  EXPECT_EQ(RemovePathTags(u"<LocalPath>a <x>", u"Nonsense", false), u"<LocalPath>a <x>");
}

TEST(PathInfo, ExtraParameterOfTailTag) {
  EXPECT_EQ(ExtraPathParam(u"C:\\Tools\\t.exe </S /Wait 3>"), u"/S /Wait 3");
  EXPECT_EQ(ExtraPathParam(u"C:\\Tools\\t.exe <  /Hide>  "), u"/Hide");
  EXPECT_EQ(ExtraPathParam(u"C:\\Tools\\t.exe <S>"), u"");
  EXPECT_EQ(ExtraPathParam(u"C:\\a"), u"");
}

TEST(PathInfo, PlainPathsExpandOnlyWithTheMark) {
  auto expand = [](std::u16string_view t) { return core::ReplaceAllText(t, u"{YYYY}", u"2026"); };
  EXPECT_EQ(PathInfoToPlainPaths(u"/*<LocalPath>D:\\{YYYY} | E:\\x ", expand),
            u"D:\\2026|E:\\x");
  EXPECT_EQ(PathInfoToPlainPaths(u"D:\\{YYYY}", expand), u"D:\\{YYYY}");
  EXPECT_EQ(PathInfoToPlainPaths(u" | ", expand), u"");
  // No alternation expansion here, and tail tags stay.
  EXPECT_EQ(PathInfoToPlainPaths(u"D:\\(a|b) <x>", expand), u"D:\\(a|b) <x>");
}

TEST(PathInfo, GetCurPathType) {
  struct Case {
    const char16_t* text;
    bool autoUrl;
    const char16_t* type;
  } cases[] = {
      {u"C:\\a | <LocalPath>C:\\b", false, u"LocalPath"},
      {u"<LocalPath>C:\\b | C:\\a", false, u""},
      {u"C:\\a | <Url>x", false, u"MixedPath"},
      {u"<regpath>HKCU | <RegPath>HKLM", false, u"RegPath"},  // as the last piece writes it
      {u"/*<RegPath>HKCU", false, u"RegPath"},
      {u"*www.x.cn", true, u"Url"},
      {u"*www.x.cn", false, u""},
      {u"https://a | http://b", true, u"Url"},
      {u"https://a | C:\\b", true, u"MixedPath"},
      {u"", false, u""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(GetCurPathType(c.text, c.autoUrl), c.type) << core::Utf16ToUtf8(c.text);
}

TEST(PathInfo, ApplyPathType) {
  struct Case {
    const char16_t* text;
    const char16_t* type;
    const char16_t* out;
  } cases[] = {
      {u"HKCU\\a|<Url>HKLM\\b", u"RegPath", u"<RegPath>HKCU\\a | <RegPath>HKLM\\b"},
      {u"<RegPath>C:\\a|C:\\b", u"LocalPath", u"C:\\a | C:\\b"},
      {u"<RegPath>C:\\a|C:\\b", u"MixedPath", u"<RegPath>C:\\a | C:\\b"},
      {u"", u"Url", u""},
  };
  for (const Case& c : cases) EXPECT_EQ(ApplyPathTypeToPathInfo(c.text, c.type), c.out);
}

TEST(PathInfo, CanonicalForm) {
  struct Case {
    const char16_t* in;
    const char16_t* out;
  } cases[] = {
      {u" / * C:\\a|C:\\b | ", u"/*C:\\a | C:\\b"},
      {u"*/C:\\a", u"*C:\\a"},
      {u"C:\\a|   |C:\\b", u"C:\\a |  | C:\\b"},
      {u"< RegPath >HKCU||HKLM", u"<RegPath>HKCU | HKLM"},
      {u" | / | ", u""},
      {u"", u""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(CanonicalPathInfo(c.in), c.out) << core::Utf16ToUtf8(c.in);
  // The canonical form splits into the same paths as the original.
  EXPECT_EQ(SplitPathInfo(CanonicalPathInfo(u"C:\\a|   |C:\\b")),
            SplitPathInfo(u"C:\\a | C:\\b"));
}

TEST(PathInfo, ShellNamespacePath) {
  EXPECT_TRUE(IsShellNamespacePath(u"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}"));
  EXPECT_TRUE(IsShellNamespacePath(u"::{20d04fe0-3aea-1069-a2d8-08002b30309d}\\0"));
  EXPECT_FALSE(IsShellNamespacePath(u"C:\\::{20D04FE0-3AEA}"));
}

TEST(PathInfo, HostileInputStaysBoundedAndDefined) {
  // Thousands of bars, unbalanced brackets, deep tag nesting, a megabyte of text.
  std::u16string bars(20000, u'|');
  EXPECT_EQ(SplitPathInfo(bars), u"");
  EXPECT_EQ(CanonicalPathInfo(bars), u"");
  std::u16string nested = std::u16string(50000, u'<') + u"/x" + std::u16string(50000, u'>');
  EXPECT_EQ(ExtraPathParam(nested), u"");  // too deep to match: no parameter, no crash
  StripPathTags(nested, false);
  std::u16string open = u"C:\\" + std::u16string(30000, u'(') + u"a|b";
  EXPECT_EQ(SplitPathInfo(open), open.substr(0, open.size() - 2) + u"|b");
  // Groups that would multiply out to millions of paths stay as written.
  std::u16string explosive;
  for (int i = 0; i < 30; ++i) explosive += u"(a|b)";
  EXPECT_EQ(SplitPathInfo(explosive), explosive);
  std::u16string big(1 << 20, u'x');
  for (size_t i = 0; i < big.size(); i += 97) big[i] = u'|';
  std::u16string parts = SplitPathInfo(big);
  EXPECT_EQ(parts.size(), big.size() - (big[0] == u'|' ? 1 : 0));
  EXPECT_EQ(GetCurPathType(big, true), u"");
}

}  // namespace
}  // namespace pathorama::paths
