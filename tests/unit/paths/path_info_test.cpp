#include "paths/path_info.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "core/regex.h"
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
      {u"a\u001Eb|c", u"a\u001Eb|c"},  // a control character is no separator
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
      {u"C:\\a\r\nC:\\b", u"C:\\a|C:\\b"},  // a line break of a text box
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
  EXPECT_EQ(RemovePathTags(u"a <x>|b <y>", TagMode::TailOfPerPath, false), u"a |b");
  EXPECT_EQ(RemovePathTags(u"<x>a <y>", TagMode::HeadOfPerPath, false), u"a <y>");
  // A piece that is one tag loses it as a head tag; none is left for the tail.
  EXPECT_EQ(RemovePathTags(u"a|<x>", TagMode::HeadTailOfPerPath, false), u"a|");
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
    PathType type;
  } cases[] = {
      {u"C:\\a | <LocalPath>C:\\b", false, PathType::Local},
      {u"<LocalPath>C:\\b | C:\\a", false, PathType::Untagged},
      {u"C:\\a | <Url>x", false, PathType::Mixed},
      {u"<regpath>HKCU | <RegPath>HKLM", false, PathType::Registry},
      {u"/*<RegPath>HKCU", false, PathType::Registry},
      {u"*www.x.cn", true, PathType::Url},
      {u"*www.x.cn", false, PathType::Untagged},
      {u"https://a | http://b", true, PathType::Url},
      {u"https://a | C:\\b", true, PathType::Mixed},
      {u"<SharedFolder>srv\\pub | <NetworkMappingFolder>Z:\\", false, PathType::Mixed},
      {u"", false, PathType::Untagged},
  };
  for (const Case& c : cases)
    EXPECT_EQ(GetCurPathType(c.text, c.autoUrl), c.type) << core::Utf16ToUtf8(c.text);
}

TEST(PathInfo, ApplyPathType) {
  struct Case {
    const char16_t* text;
    PathType type;
    const char16_t* out;
  } cases[] = {
      {u"HKCU\\a|<Url>HKLM\\b", PathType::Registry, u"<RegPath>HKCU\\a | <RegPath>HKLM\\b"},
      {u"<RegPath>C:\\a|C:\\b", PathType::Local, u"C:\\a | C:\\b"},
      {u"<RegPath>C:\\a|C:\\b", PathType::Mixed, u"<RegPath>C:\\a | C:\\b"},
      {u"srv\\pub", PathType::SharedFolder, u"<SharedFolder>srv\\pub"},
      {u"", PathType::Url, u""},
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
      // A bar before the marks makes them part of a piece, not marks.
      {u"| /a", u"a"},
      {u"|*x", u"x"},
      // Nothing but the marks at the ends, however the text ends.
      {u"a|/", u"a"},
      {u" /| *", u""},
      // Brackets with blanks between them are one run.
      {u"a< <b", u"a<b"},
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
  EXPECT_EQ(GetCurPathType(big, true), PathType::Untagged);
}

}  // namespace
}  // namespace pathorama::paths

namespace pathorama::paths {
namespace {

// Large groups, many empty pieces and deep brackets get the answer a small
// case gets: the structure is scanned, never left to a backtracking limit.
TEST(PathInfo, StructureDoesNotDependOnSize) {
  // A selection of 1,250 names simplified into one group.
  std::u16string group = u"D:\\(";
  std::u16string want;
  for (int i = 0; i < 1250; ++i) {
    if (i) group += u'|';
    group += core::IntToText(i);
    if (i) want += u'|';
    want += u"D:\\" + core::IntToText(i) + u"\\x";
  }
  group += u")\\x";
  EXPECT_EQ(SplitPathInfo(group), want);

  // An unpaired surrogate (a legal NTFS name) does not stop the group rule.
  const std::u16string lone(1, char16_t(0xD800));
  EXPECT_EQ(SplitPathInfoPieces(u"D:\\(a|b)\\x" + lone),
            (std::vector<std::u16string>{u"D:\\a\\x" + lone, u"D:\\b\\x" + lone}));
  EXPECT_EQ(StripPathTags(u"<RegPath>HKCU\\" + lone + u" </S>", false), u"HKCU\\" + lone);

  // Thousands of empty pieces between two paths.
  std::u16string emptyPieces = u"C:\\a";
  for (int i = 0; i < 5000; ++i) emptyPieces += u" |";
  emptyPieces += u" C:\\b";
  EXPECT_EQ(CanonicalPathInfo(emptyPieces), u"C:\\a | C:\\b");
  EXPECT_EQ(CanonicalPathInfo(u"C:\\a" + std::u16string(50000, u'|') + u"C:\\b"),
            u"C:\\a | C:\\b");

  // A head tag followed by deeply nested brackets: the head tag goes, the
  // brackets are no tail tag.
  const std::u16string deep = std::u16string(50000, u'<') + u"x" + std::u16string(50000, u'>');
  EXPECT_EQ(StripPathTags(u"<LocalPath>" + deep, false), deep);
  EXPECT_EQ(StripPathTags(u"<LocalPath>" + deep, true), deep);
}

// The scanners against the patterns the format is defined by, run through
// the regular expression library on short random texts (far below any
// limit): every answer must be the same.
class QuotedPatterns {
 public:
  static std::u16string Normalize(std::u16string_view text) {
    if (text.empty()) return u"";
    std::u16string t = Get(uR"( *\\+ *)").ReplaceAll(text, u"\\", true);
    t = core::Regex::Get(uR"(\\{2,})", core::Regex::kCaseSensitive).ReplaceAll(t, u"\\", true);
    size_t lastOpen = std::u16string::npos, lastBar = std::u16string::npos, upTo = 0;
    for (size_t i = 0; i < t.size(); ++i) {
      if (t[i] == u'(') lastOpen = i;
      else if (t[i] == u'|') lastBar = i;
      else if (t[i] == u')' && lastOpen != std::u16string::npos &&
               lastBar != std::u16string::npos && lastOpen < lastBar) {
        for (size_t j = std::max(lastOpen, upTo); j < i; ++j)
          if (t[j] == u'|') t[j] = 0x1E;
        upTo = i;
      }
    }
    t = Get(uR"( *\|+ *)").ReplaceAll(t, u"|", true);
    t = Get(uR"(\|{2,})").ReplaceAll(t, u"|", true);
    std::replace(t.begin(), t.end(), char16_t(0x1E), u'|');
    return core::TrimChars(t, u" ");
  }
  static std::vector<std::pair<size_t, size_t>> Groups(std::u16string_view line) {
    std::vector<std::pair<size_t, size_t>> spans;
    for (const core::RegexMatch& m : Get(uR"((\(([^\(\)\|]*)\|((?2)\|)*(?2)\)))").FindAll(line))
      spans.push_back({m.Start(), m.End()});
    return spans;
  }
  static std::u16string RemoveTags(std::u16string_view piece, TagMode mode) {
    const char16_t* pattern = mode == TagMode::HeadOfPerPath   ? uR"(^ *<([^<>]+|(?R)+)> *)"
                              : mode == TagMode::TailOfPerPath ? uR"( *<([^<>]+|(?R)+)> *$)"
                                                               : uR"((^ *<([^<>]+|(?R)+)> *| *<([^<>]+|(?R)+)> *$))";
    return Get(pattern).ReplaceAll(piece, u" ", true);
  }
  static std::u16string ExtraParam(std::u16string_view piece) {
    auto m = Get(uR"(< *(/[^<>]+|(?R)+)> *$)").Search(piece);
    return m ? m->Group(1) : u"";
  }

 private:
  static const core::Regex& Get(const char16_t* pattern) { return core::Regex::Get(pattern); }
};

TEST(PathInfo, ScannersAgreeWithTheQuotedPatterns) {
  const std::u16string alphabet = u"ab (|)<>/\\ *\n";
  std::mt19937 random(20261210);
  for (int round = 0; round < 20000; ++round) {
    std::u16string text;
    const size_t length = random() % 14;
    for (size_t i = 0; i < length; ++i) text += alphabet[random() % alphabet.size()];
    SCOPED_TRACE(core::Utf16ToUtf8(text));
    ASSERT_EQ(NormalizePathSeparators(text), QuotedPatterns::Normalize(text));
    // The group spans decide which bars separate pieces.
    std::vector<std::u16string> splitByGroups;
    {
      const std::u16string line = NormalizePathSeparators(text);
      std::vector<bool> inGroup(line.size(), false);
      for (auto [start, end] : QuotedPatterns::Groups(line))
        std::fill(inGroup.begin() + start, inGroup.begin() + end, true);
      size_t start = 0;
      for (size_t i = 0; i <= line.size(); ++i) {
        if (i < line.size() && (line[i] != u'|' || inGroup[i])) continue;
        if (i > start)
          splitByGroups.push_back(
              ExpandPathAlternation(std::u16string_view(line).substr(start, i - start)));
        start = i + 1;
      }
    }
    ASSERT_EQ(SplitPathInfo(text), core::JoinText(splitByGroups, u"|"));
    // The canonical form keeps the marks and is its own canonical form.
    const std::u16string canonical = CanonicalPathInfo(text);
    ASSERT_EQ(CanonicalPathInfo(canonical), canonical);
    if (!canonical.empty()) {
      ASSERT_EQ(IsPathInfoDisabled(canonical), IsPathInfoDisabled(text));
      ASSERT_EQ(PathInfoUsesVariables(canonical), PathInfoUsesVariables(text));
    }
    for (TagMode mode : {TagMode::HeadOfPerPath, TagMode::TailOfPerPath, TagMode::HeadTailOfPerPath}) {
      std::u16string want = core::TrimChars(core::TrimCharsLeft(text, u" /"), u" /\\*");
      std::vector<std::u16string> pieces = core::SplitText(want, u"|");
      for (std::u16string& piece : pieces) piece = QuotedPatterns::RemoveTags(piece, mode);
      ASSERT_EQ(RemovePathTags(text, mode, false), core::TrimChars(core::JoinText(pieces, u"|"), u" "))
          << static_cast<int>(mode);
    }
    ASSERT_EQ(ExtraPathParam(text), QuotedPatterns::ExtraParam(text));
  }
}

}  // namespace
}  // namespace pathorama::paths
