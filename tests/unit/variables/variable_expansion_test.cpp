#include "variables/variable_expansion.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/text.h"
#include "test_environment.h"
#include "variables/folder_layers.h"
#include "variables/variable_patterns.h"

namespace pathorama::variables {
namespace {

std::string U8(std::u16string_view s) { return core::Utf16ToUtf8(s); }

TEST(ExpandPathVariables, ReplacesVariablesPieceByPiece) {
  struct Case {
    const char16_t* text;
    const char16_t* want;
  } cases[] = {
      {u"", u""},
      {u"D:\\Work", u"D:\\Work"},
      {u"D:\\{1-3Number}", u"D:\\(1|2|3)"},
      {u"{abc_upper}", u"ABCDEFGHIJKLMNOPQRSTUVWXYZ"},
      {u"{TianGan}{DiZhi}", u"甲乙丙丁戊己庚辛壬癸子丑寅卯辰巳午未申酉戌亥"},
      // Escapes drop one backslash and the sections.
      {u"{\\ABC_Upper}", u"{ABC_Upper}"},
      {u"{\\\\ABC_Upper}", u"{\\ABC_Upper}"},
      {u"{\\ABC_Upper1-3:x<2>}", u"{ABC_Upper}"},
      {u"{\\1-3Number}", u"{1-3Number}"},
      // Not variables, or no value yet: as written.
      {u"{Tomorrow}", u"{Tomorrow}"},
      {u"{ABC_Upper", u"{ABC_Upper"},
      {u"{WorkGroup}", u"{WorkGroup}"},
      {u"{{ABC_Upper1-2}}", u"{AB}"},
      {u"{1-3Number<2>}", u"{1-3Number<2>}"},
      // Pieces: leading spaces and stars go, empty results drop out.
      {u" *{DiZhi1-2}", u"子丑"},
      {u"C:\\a|{TianGan1-2}", u"C:\\a|甲乙"},
      {u"C:\\a||  |{ABC_Upper0}|D:\\b", u"C:\\a|D:\\b"},
      // Sections: extraction, restructuring, grouping, in that order.
      {u"{ABC_Upper-3}", u"XYZ"},
      {u"{ABC_Upper1-6<2>}", u"(AB|CD|EF)"},
      {u"{ABC_Upper1-7<-3/.>}", u"A.BCD.EFG"},
      {u"{ABC_Upper1-6:*[AEIOU]}", u"BCDF"},
      {u"{ABC_Lower1-5:c:-}", u"ab-de"},
      {u"{ABC_Lower1-5:c::2,1}", u"deab"},
      {u"{ABC_Upper<0>}", u"ABCDEFGHIJKLMNOPQRSTUVWXYZ"},  // group size 0: unchanged
      // A regular expression of the user's that cannot run: as written.
      {u"{ABC_Upper*'(['}", u"{ABC_Upper*'(['}"},
      {u"D:\\{ABC_Upper:*(:x}\\e", u"D:\\{ABC_Upper:*(:x}\\e"},
      // Over-large values stay in braces.
      {u"{0-10000Number}", u"{0-10000Number}"},
      {u"{10001Random}", u"{10001Random}"},
  };
  TestEnvironment t;
  for (const Case& c : cases)
    EXPECT_EQ(U8(ExpandPathVariables(c.text, t.env)), U8(c.want))
        << "text " << U8(c.text);
}

// The date family through the driver, on Sunday 2026-03-08 09:03:07.
TEST(ExpandPathVariables, DatesWithTheirSections) {
  struct Case {
    const char16_t* delimiter;
    const char16_t* text;
    const char16_t* want;
  } cases[] = {
      {u"", u"D:\\Log\\{YYYY}\\{MM}", u"D:\\Log\\2026\\03"},
      {u"", u"{today}|{YYYY}{MM}", u"20260308|202603"},
      {u"", u" *D:\\{YYYY}", u"D:\\2026"},
      {u"", u"{Today1-4}|{Today5,2}|{Today-2}|{Today1-4*}", u"2026|03|08|0308"},
      {u"", u"{Today<2>}", u"(20|26|03|08)"},
      {u"", u"{Today<-3>}", u"(20|260|308)"},
      {u"", u"{Today<4/->}", u"2026-0308"},
      {u"", u"{YYYY:0*}", u"226"},
      {u"-", u"{Today}", u"2026-03-08"},
      {u"-", u"{Today:-::1,3}", u"202608"},
      {u"-", u"{Today:-:_}", u"2026_03_08"},
      {u"-", u"{Today:-}", u"20260308"},
      {u"-", u"{Today:-:/:3,2,1<4>}", u"(08/0|3/20|26)"},
      {u"", u"{\\Today}|{\\\\Today}|{\\Today:x}", u"{Today}|{\\Today}|{Today}"},
      {u"", u"{Tomorrow}|{Today", u"{Tomorrow}|{Today"},
      {u"", u"{YYYY<Eng>}", u"{YYYY<Eng>}"},
      // Names in any case, and letters that match caselessly beyond ASCII
      // (the Kelvin sign for "k"), decide as their plain spelling does.
      {u"", u"{yyyy}{mM}{dd}|{wEEKdAY}|{CurWee\u212ADay}|{+1Dtoday}", u"20260308|7|7|20260309"},
      {u"", u"{DInY}{Sec}{Min}|{MonthDays<7>}", u"6773|(20260301|20260308|20260315|20260322|20260329)"},
      // Claimed without a value: the sections still apply to the text in braces.
      {u"", u"{HHour<hh>1-3}|{Day<pp>:D:d}", u"{HH|{day<pp>}"},
      // Without the computer's facts the path names have no value either.
      {u"", u"{Temp1-3}|{MyDocuments<2>}|{WorkGroup}", u"{Te|{WorkGroup}"},
  };
  for (const Case& c : cases) {
    TestEnvironment t;
    t.options.yearMonthDayDelimiter = c.delimiter;
    EXPECT_EQ(U8(ExpandPathVariables(c.text, t.env)), U8(c.want))
        << "text " << U8(c.text);
  }
}

TEST(ExpandPathVariables, RandomTextComesFromTheSeededSource) {
  TestEnvironment a, b;
  std::u16string x = ExpandPathVariables(u"D:\\{8Random}\\{Random}", a.env);
  ASSERT_EQ(x.size(), 3 + 8 + 1 + 5u);  // the default length is 5
  EXPECT_EQ(x, ExpandPathVariables(u"D:\\{8Random}\\{Random}", b.env));
  for (char16_t c : x.substr(3, 8))
    EXPECT_NE(a.options.randomCharacters.find(c), std::u16string::npos);
}

TEST(ExpandPathVariables, AUserExpressionThatHitsTheMatchLimitLeavesTheVariable) {
  TestEnvironment t;
  t.options.randomCharacters = u"a";  // forty "a" and no "b": exponential backtracking
  for (const char16_t* text : {u"D:\\{40Random*'(a|aa)+[bc]'}", u"D:\\{40Random:*(a|aa)+[bc]:x}",
                               u"D:\\{40Random:x:y::*(a|aa)+[bc]}"}) {
    EXPECT_EQ(U8(ExpandPathVariables(text, t.env)), U8(text));
  }
}

TEST(ExpandPathVariables, LayerStateBelongsToOnePiece) {
  TestEnvironment t;
  // The first piece's layers refer to each other and stop its passes; the
  // next piece starts afresh and counts in the values of the first pass.
  EXPECT_EQ(
      ExpandPathVariables(u"D:\\{+1Folder}\\{-1Folder}|{1-2Number}\\{pFolder}", t.env),
      u"D:\\{+1Folder}\\{-1Folder}|(1|2)\\(1|2)");
  // The layer state of one piece never reaches the next call.
  CurrentLayerState() = {{3}, true};
  ExpandPathVariables(u"D:\\{gFolder}", t.env);
  EXPECT_TRUE(CurrentLayerState().visitedPositions.empty());
  EXPECT_FALSE(CurrentLayerState().stop);
}

TEST(ContextPath, DependsOnCarriageReturnAndPrefix) {
  struct Case {
    const char16_t* whole;
    const char16_t* pass;
    size_t start;
    const char16_t* prefix;
    const char16_t* want;
  } cases[] = {
      // No carriage return: the whole text, whatever the prefix.
      {u"D:\\2026\\{2Folder}", u"D:\\{YYYY}\\{2Folder}", 11, u"", u"D:\\2026\\{2Folder}"},
      {u"D:\\a\\{:2Folder}", u"D:\\a\\{:2Folder}", 5, u":", u"D:\\a\\{:2Folder}"},
      // With one: no prefix takes the part the variable stands in...
      {u"D:\\a\rE:\\b\\{2Folder}", u"D:\\a\rE:\\b\\{2Folder}", 11, u"", u"E:\\b\\{2Folder}"},
      {u"D:\\{2Folder}\rE:\\b", u"D:\\{2Folder}\rE:\\b", 3, u"", u"D:\\{2Folder}"},
      // ...":" the part before it, "::" all of it with the return as "\".
      {u"D:\\a\rE:\\{:2Folder}", u"D:\\a\rE:\\{:2Folder}", 9, u":", u"D:\\a"},
      {u"D:\\a\rE:\\{::2Folder}", u"D:\\a\rE:\\{::2Folder}", 9, u"::", u"D:\\a\\E:\\{::2Folder}"},
      // Values already in place count where they stand; the position is the
      // variable's place in the pass text.
      {u"D:\\2026\\x\rE:\\{2Folder}", u"D:\\{YYYY}\\x\rE:\\{2Folder}", 16, u"",
       u"E:\\{2Folder}"},
  };
  for (const Case& c : cases) {
    // What the driver knows at the variable: what it produced so far, and the
    // pass text from the variable on (the rest of the whole text).
    const std::u16string_view pass = c.pass, whole = c.whole;
    LayerPosition at;
    at.rest = pass.substr(c.start);
    ASSERT_TRUE(whole.ends_with(at.rest)) << U8(c.pass);
    at.produced = whole.substr(0, whole.size() - at.rest.size());
    at.producedCr = at.produced.find(u'\r');
    at.restCr = at.rest.find(u'\r');
    at.passHasCr = pass.find(u'\r') != std::u16string_view::npos;
    at.beforePassCr = c.start < pass.find(u'\r');
    // Read as the folder layers read it: layer by layer, and no layer more.
    const ContextText context = ContextPath(at, c.prefix);
    const std::vector<std::u16string> want = core::SplitText(c.want, u"\\");
    for (size_t layer = 1; layer <= want.size(); ++layer)
      EXPECT_EQ(U8(LayerOfContext(context, layer).value_or(u"(none)")), U8(want[layer - 1]))
          << U8(c.pass) << " layer " << layer;
    EXPECT_FALSE(LayerOfContext(context, want.size() + 1)) << U8(c.pass);
  }
}

TEST(ExpandVariableList, OnePassNeverRescansValues) {
  TestEnvironment t;
  // "{\\\\ABC_Upper}" becomes "{\\ABC_Upper}", which the same pass does not
  // read again; neither does a value that happens to look like a variable.
  EXPECT_EQ(ExpandVariableList(u"{\\\\ABC_Upper}", patterns::AllVariables(), t.env),
            u"{\\ABC_Upper}");
  EXPECT_EQ(
      ExpandVariableList(u"{{\\ABC_Upper}1-2Number}", patterns::AllVariables(), t.env),
      u"{{ABC_Upper}1-2Number}");
}

// Expansion never runs away: each of these ends with a defined result (a
// runaway would hit the test runner's time limit; speed lives in bench/).
TEST(ExpandPathVariables, LargeAndHostileTextsEndWithADefinedResult) {
  TestEnvironment t;
  std::u16string plain(1 << 20, u'a');
  std::u16string many, manyValues;
  for (int i = 0; i < 5000; ++i) {
    many += u"{1-2Number}\\";
    manyValues += u"(1|2)\\";
  }
  std::u16string format = u"{Day<" + std::u16string(20000, u'y');  // never closed
  for (int i = 0; i < 50; ++i) format += u"{Day<" + std::u16string(200, u'y') + u"|";
  struct Case {
    const char* what;
    std::u16string text;
    std::optional<std::u16string> want;
  } cases[] = {
      {"1 MB without variables", plain, plain},
      {"thousands of braces",
       std::u16string(5000, u'{') + u"ABC_Upper" + std::u16string(5000, u'}'),
       std::u16string(4999, u'{') + u"ABCDEFGHIJKLMNOPQRSTUVWXYZ" + std::u16string(4999, u'}')},
      {"five thousand sequences", many, manyValues},
      // The last, empty piece after the final bar is dropped.
      {"unclosed date formats stay as written", format, format.substr(0, format.size() - 1)},
      {"a hundred thousand empty pieces", std::u16string(100000, u'|'), u""},
  };
  for (const Case& c : cases) {
    std::u16string got = ExpandPathVariables(c.text, t.env);
    EXPECT_TRUE(got == c.want.value_or(c.text)) << c.what;
  }
}

}  // namespace
}  // namespace pathorama::variables
