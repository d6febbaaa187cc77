#include "variables/extraction.h"

#include <gtest/gtest.h>

#include "core/regex.h"
#include "core/text.h"

namespace pathorama::variables {
namespace {

std::string U8(std::u16string_view s) { return core::Utf16ToUtf8(s); }

constexpr std::u16string_view kDocs = u"C:\\Users\\bob\\Documents";

TEST(ExtractRange, CutsAndDeletesCharacterAndLayerRanges) {
  struct Case {
    const char16_t* name;
    std::u16string_view value;
    const char16_t* range;
    const char16_t* want;
  } cases[] = {
      // Layers after a path name.
      {u"MyDocuments", kDocs, u"<2>", u"Users"},
      {u"MyDocuments", kDocs, u"<-1>", u"Documents"},
      {u"MyDocuments", kDocs, u"<1-2>", u"C:\\Users"},
      {u"MyDocuments", kDocs, u"<2*>", u"C:\\bob\\Documents"},
      {u"MyDocuments", kDocs, u"<2-3*>", u"C:\\Documents"},
      {u"MyDocuments", kDocs, u"<2,2>", u"Users\\bob"},
      {u"MyDocuments", kDocs, u"<9>", u""},                      // no such layer
      {u"MyDocuments", kDocs, u"<9*>", kDocs.data()},            // nothing to delete
      {u"MyDocuments", kDocs, u"<'bob'>", u"bob"},               // the layer holding the text
      {u"MyDocuments", kDocs, u"<2-'Doc'>", u"Users\\bob\\Documents"},
      {u"MyDocuments", kDocs, u"<-1>1-3", u"Doc"},               // then characters of it
      {u"MyDocuments", kDocs, u"<-1>1-3*", u"uments"},
      {u"DeskTop", u"D:\\a\\\\b", u"<3>", u""},                  // an empty layer
      // Characters after any other name.
      {u"Today", u"20260308", u"1-4", u"2026"},
      {u"Today", u"20260308", u"5,2", u"03"},
      {u"Today", u"20260308", u"-2", u"08"},
      {u"Today", u"20260308", u"1-4*", u"0308"},
      {u"Today", u"20260308", u"4-1", u"2026"},                  // ends in either order
      {u"Today", u"20260308", u"-2,2", u"08"},                   // count from a negative start
      {u"Today", u"20260308", u"3-99", u"260308"},               // clamped to the value
      {u"Today", u"20260308", u"9-12", u""},                     // beyond the value
      {u"Today", u"20260308", u"0", u""},
      {u"Today", u"20260308", u"0*", u"20260308"},
      {u"Today", u"20260308", u"12", u"8"},                      // a start past the end meets it
      {u"Today", u"20260308", u"99999999999999999999", u"8"},    // also beyond 64 bits
      {u"OpenedDir", u"C:\\Program Files\\Pro", u"'Pro'", u"Program Files\\Pro"},
      {u"OpenedDir", u"C:\\Program Files\\Pro", u"2'Pro'", u"Pro"},    // second occurrence
      {u"OpenedDir", u"C:\\Program Files\\Pro", u"-1'pro'?", u"Pro"},  // last, any case
      {u"OpenedDir", u"C:\\Program Files\\Pro", u"'pro'", u""},        // case counts
      {u"MyDocuments", kDocs, u"-2'\\'", u"\\bob\\Documents"},
      {u"MyDocuments", kDocs, u"'U'-2'\\'", u"Users\\"},
      {u"MyDocuments", kDocs, u"'U'-'bob'", u"Users\\bob"},     // the end covers its match
      {u"MyDocuments", kDocs, u"*'[a-z]+'", u"sers\\bob\\Documents"},  // a regular expression
      {u"MyDocuments", kDocs, u"-1*'\\\\\\w'", u"\\Documents"},   // ...counted from the end
      {u"MyDocuments", kDocs, u"'bob'*", u"C:\\Users\\"},        // delete from "bob" on
      {u"Today", u"aaaa", u"2'aa'", u"aaa"},                     // occurrences overlap
      {u"Today", u"aaaa", u"-2'aa'", u"aaaa"},                   // from the end they do not
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(U8(std::u16string(c.name) + c.range));
    EXPECT_EQ(U8(ExtractRange(c.value, c.name, c.range)), U8(c.want));
  }
}

TEST(ExtractRange, ABrokenRegularExpressionFails) {
  EXPECT_THROW(ExtractRange(kDocs, u"MyDocuments", u"*'(['"), core::RegexError);
  EXPECT_THROW(ExtractRange(kDocs, u"MyDocuments", u"<*'(['>"), core::RegexError);
  // Catastrophic backtracking hits a limit instead of hanging.
  std::u16string value(40, u'a');
  value += u'!';
  EXPECT_THROW(ExtractRange(value, u"Today", u"*'(a+)+$'"), core::RegexError);
}

// Searching from the end runs one search per suffix; the budget bounds the
// whole loop, so an expression that backtracks a little on each of hundreds
// of suffixes ends instead of running for minutes.
TEST(ExtractRange, TheBudgetBoundsEverySearchOfAVariableTogether) {
  std::u16string value;
  for (int i = 0; i < 200; ++i) value += u"aQ";  // many a "Q", never six digits after it
  EXPECT_THROW(ExtractRange(value, u"Random", u"-1*'\\w*\\w*Q\\d\\d\\d\\d\\d\\d'"),
               core::RegexError);
  // The same expression on a short text finds its match within the budget.
  EXPECT_EQ(U8(ExtractRange(u"abQ123456cd", u"Random", u"-1*'\\w*\\w*Q\\d\\d\\d\\d\\d\\d'")),
            "Q123456cd");
  // A budget shared by several calls runs out for all of them together.
  core::RegexBudget small(100);
  EXPECT_EQ(U8(ExtractRange(u"a1b2", u"Today", u"*'\\d'", &small)), "1b2");
  EXPECT_THROW(
      for (int i = 0; i < 100; ++i) ExtractRange(u"a1b2", u"Today", u"*'\\d'", &small),
      core::RegexError);
}

TEST(Layers, PositionsAndRanges) {
  EXPECT_EQ(LayerCount(u""), 0);
  EXPECT_EQ(LayerCount(kDocs), 4);
  EXPECT_EQ(LayerCount(u"D:\\a\\"), 2);  // trailing "\" ignored
  EXPECT_EQ(LayerOfPosition(kDocs, 1), 1);
  EXPECT_EQ(LayerOfPosition(kDocs, 3), 1);  // the "\" after a layer belongs to it
  EXPECT_EQ(LayerOfPosition(kDocs, 4), 2);
  EXPECT_EQ(LayerOfPosition(kDocs, -1), 4);
  EXPECT_EQ(LayerOfPosition(kDocs, 0), 0);
  EXPECT_EQ(LayerOfPosition(kDocs, 99), 0);
  EXPECT_EQ(LayerCharRange(kDocs, 2), (CharRange{4, 8}));
  EXPECT_EQ(LayerCharRange(kDocs, -1), (CharRange{14, 22}));
  EXPECT_EQ(LayerCharRange(kDocs, 5), CharRange{});
  EXPECT_EQ(LayerCharRange(kDocs, 0), CharRange{});
  EXPECT_EQ(LayerCharRange(u"", 1), CharRange{});
}

TEST(Restructure, DeletesReplacesAndRejoins) {
  using P = std::optional<std::u16string>;
  struct Case {
    const char16_t* value;
    P delimiter, connector, sections, deletion;
    const char16_t* want;
  } cases[] = {
      {u"2026-03-08", u"-", std::nullopt, std::nullopt, std::nullopt, u"20260308"},  // one part deletes
      {u"2026-03-08", u"-", u"_", std::nullopt, std::nullopt, u"2026_03_08"},
      {u"2026-03-08", u"-", u"", u"1,3", std::nullopt, u"202608"},
      {u"2026-03-08", u"-", u"/", u"3,2,1", std::nullopt, u"08/03/2026"},
      {u"2026-03-08", u"-", u"/", u"-1", std::nullopt, u"08"},
      {u"2026-03-08", u"-", u"+", u"0,2", std::nullopt, u"2026-03-08+03"},  // 0 is the whole value
      {u"2026-03-08", u"-", u"+", u"2-9", std::nullopt, u"03+08"},
      {u"a--b", u"-", u"+", u"1-3", std::nullopt, u"a+b"},       // empty sections are not joined
      {u"2026", u"0*", std::nullopt, std::nullopt, std::nullopt, u"226"},  // every character
      {u"aXbxc", u"x", u".", std::nullopt, std::nullopt, u"aXb.c"},        // case counts
      {u"aXbxc", u"x?", u".", std::nullopt, std::nullopt, u"a.b.c"},
      {u"a-b_c", u"-_*", u"+", std::nullopt, std::nullopt, u"a+b+c"},      // per character
      {u"aXbxc", u"x*?", u"", std::nullopt, std::nullopt, u"abc"},
      {u"a.b.c", u".", u"", std::nullopt, std::nullopt, u"abc"},           // plain text, not "any"
      {u"a1b22c", u"*\\d+", u"#", std::nullopt, std::nullopt, u"a#b#c"},   // regular expression
      {u"ab12", u"*([a-z]+)(\\d+)", u"$2$1", std::nullopt, std::nullopt, u"12ab"},  // groups
      {u"2026-03-08", u"-", u"", std::nullopt, u"0*", u"22638"},            // then delete
      {u"Ab-aB", u"-", u"", std::nullopt, u"ab?", u""},                    // any case
      {u"abc", u"", u"-", u"1", std::nullopt, u"abc"},                     // no delimiter: one section
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(U8(c.value) + " :" + U8(c.delimiter.value_or(u"-")) + ":" +
                 U8(c.connector.value_or(u"-")) + ":" + U8(c.sections.value_or(u"-")));
    EXPECT_EQ(U8(Restructure(c.value, {c.delimiter, c.connector, c.sections, c.deletion})),
              U8(c.want));
  }
  EXPECT_THROW(Restructure(u"abc", {u"*(", u"x", std::nullopt, std::nullopt}), core::RegexError);
  EXPECT_THROW(DeleteMarked(u"abc", u"*[z"), core::RegexError);
}

TEST(SplitToGroups, GroupsFromEitherEnd) {
  using Sep = std::optional<std::u16string>;
  struct Case {
    const char16_t* value;
    long long n;
    Sep separator;
    const char16_t* want;
  } cases[] = {
      {u"20260308", 2, std::nullopt, u"(20|26|03|08)"},
      {u"20260308", -3, std::nullopt, u"(20|260|308)"},
      {u"20260308", 3, std::nullopt, u"(202|603|08)"},
      {u"20260308", 4, u"-", u"2026-0308"},
      {u"20260308", 8, std::nullopt, u"20260308"},  // one group: unchanged
      {u"20260308", 99, u"-", u"20260308"},
      {u"20260308", 0, std::nullopt, u"20260308"},  // size 0: unchanged
      {u"20260308", 0, u"-", u"20260308"},
      {u"甲乙丙", 1, u" ", u"甲 乙 丙"},
      {u"", 2, std::nullopt, u""},
      {u"abcde", -9223372036854775807LL - 1, std::nullopt, u"abcde"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(U8(c.value) + " by " + std::to_string(c.n));
    EXPECT_EQ(U8(SplitToGroups(c.value, c.n, c.separator)), U8(c.want));
  }
}

}  // namespace
}  // namespace pathorama::variables
