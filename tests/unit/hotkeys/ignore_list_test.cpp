#include "hotkeys/ignore_list.h"

#include <gtest/gtest.h>

#include "core/text.h"
#include "unit/hotkeys/fake_question.h"
#include "settings/app_settings.h"

namespace pathorama::hotkeys {
namespace {

using core::PromptAnswer;
using testing::FakeQuestion;

std::string U8(std::u16string_view s) { return core::Utf16ToUtf8(s); }

TEST(IgnoreListTest, NamesOnALine) {
  struct Case {
    const char* name;
    std::u16string line;
    std::vector<ListedName> want;
  } cases[] = {
      {"comment after a name", u"WINWORD.EXE                  // MS-Word", {{0, u"WINWORD.EXE", false}}},
      {"a comment line", u"// 64位或32位的 Everything", {}},
      {"a comment line after blanks", u"   // XYplorer.exe", {}},
      {"semicolon", u"Everything64.exe; Everything.exe",
       {{0, u"Everything64.exe", false}, {18, u"Everything.exe", false}}},
      {"comma, blanks, empty names, a disabled entry, a blank inside a name",
       u"  a b , <c>;; d\t ",
       {{2, u"a b", false}, {8, u"<c>", true}, {14, u"d", false}}},
      {"comment glued to a name", u"x//y, z", {{0, u"x", false}}},
      {"empty line", u"", {}},
      {"a lone bracket is a name", u"<, >", {{0, u"<", false}, {3, u">", false}}},
  };
  for (const Case& c : cases) EXPECT_EQ(NamesOnLine(c.line), c.want) << c.name;
}

TEST(IgnoreListTest, MatchesOnTheDefaultProgramList) {
  const std::vector<std::u16string> lines =
      settings::DefaultIgnoreListLines(settings::IgnoreList::AppName1);
  struct Case {
    std::u16string candidate;
    std::vector<ListMatch> want;
  } cases[] = {
      {u"everything.exe", {{2, u"Everything.exe"}}},
      {u"EVERYTHING64.EXE", {{2, u"Everything64.exe"}}},
      {u"Q-Dir.exe", {{3, u"Q-Dir.exe"}}},
      {u"winword.exe", {{0, u"WINWORD.EXE"}}},
      {u"MyEverything.exe", {}},
      {u"WINWORD", {}},
      {u"MS-Word", {}},  // only in a comment
      {u"", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(FindListMatches(lines, c.candidate), c.want) << U8(c.candidate);
}

TEST(IgnoreListTest, MatchRules) {
  struct Case {
    const char* name;
    std::vector<std::u16string> lines;
    std::u16string candidate;
    std::vector<ListMatch> want;
  } cases[] = {
      {"a disabled entry matches nothing", {u"<Listary.exe>, x"}, u"Listary.exe", {}},
      {"one match per line", {u"a.exe, A.EXE"}, u"a.exe", {{0, u"a.exe"}}},
      {"a name on two lines matches twice", {u"a.exe", u"b, A.exe"}, u"a.exe",
       {{0, u"a.exe"}, {1, u"A.exe"}}},
      {"only ASCII letters ignore case", {u"ÄPP.exe"}, u"äpp.exe", {}},
      {"a bracketed candidate is not a disabled entry", {u"<x>"}, u"<x>", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(FindListMatches(c.lines, c.candidate), c.want) << c.name;
}

TEST(IgnoreListTest, CancelBracketsOnlyTheWholeNameAndLeavesTheCommentAlone) {
  struct Case {
    std::u16string line, name, want;
  } cases[] = {
      {u"MyEverything.exe, Everything.exe", u"Everything.exe", u"MyEverything.exe, <Everything.exe>"},
      {u"WINWORD.EXE                  // MS-Word", u"WINWORD.EXE",
       u"<WINWORD.EXE>                  // MS-Word"},
      {u"Everything64.exe; Everything.exe", u"everything.exe", u"Everything64.exe; <Everything.exe>"},
      {u"a.exe, b.exe // a.exe is old", u"a.exe", u"<a.exe>, b.exe // a.exe is old"},
      {u"a.exe;a.exe", u"a.exe", u"<a.exe>;<a.exe>"},
      {u"<a.exe>, a.exe", u"a.exe", u"<a.exe>, <a.exe>"},
      {u"Foo Bar.exe , x", u"Foo Bar.exe", u"<Foo Bar.exe> , x"},
      {u"a+b.exe, (c).exe", u"a+b.exe", u"<a+b.exe>, (c).exe"},
      {u"x.exe", u"y.exe", u"x.exe"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(U8(DisableNameOnLine(c.line, c.name)), U8(c.want)) << U8(c.line);
}

TEST(IgnoreListTest, AddingANameEnablesADisabledEntryOrAppendsALine) {
  struct Case {
    const char* name;
    std::vector<std::u16string> lines;
    std::u16string added;
    std::vector<std::u16string> want;
    bool changed;
  } cases[] = {
      {"a disabled entry comes back, comment kept", {u"XLMAIN", u"<IrfanView>  // viewer"},
       u"IrfanView", {u"XLMAIN", u"IrfanView  // viewer"}, true},
      {"the bracket compares without case", {u"a, <IRFANVIEW>"}, u"IrfanView", {u"a, IrfanView"}, true},
      {"only the first disabled entry", {u"a, <b>, <b>"}, u"b", {u"a, b, <b>"}, true},
      {"appended", {u"a"}, u"b", {u"a", u"b"}, true},
      {"to an empty list", {}, u"b", {u"b"}, true},
      {"a bracketed name in a comment is not an entry", {u"x // <b>"}, u"b", {u"x // <b>", u"b"}, true},
      {"an empty name", {u"a"}, u"", {u"a"}, false},
      {"already in force", {u"A.EXE"}, u"a.exe", {u"A.EXE"}, false},
  };
  for (const Case& c : cases) {
    std::vector<std::u16string> lines = c.lines;
    EXPECT_EQ(AddNameToList(lines, c.added), c.changed) << c.name;
    EXPECT_EQ(lines, c.want) << c.name;
  }
}

TEST(IgnoreListTest, NoShowTablesArePerKindAndSlot) {
  NoShowTables tables;
  tables.Add(ListKind::ProgramName, 1, u"Listary.EXE");
  EXPECT_TRUE(tables.Has(ListKind::ProgramName, 1, u"listary.exe"));
  EXPECT_FALSE(tables.Has(ListKind::WindowClass, 1, u"listary.exe"));
  EXPECT_FALSE(tables.Has(ListKind::ProgramName, 2, u"listary.exe"));
  EXPECT_FALSE(tables.Has(ListKind::ProgramName, 1, u"other.exe"));
  tables.Clear();
  EXPECT_FALSE(tables.Has(ListKind::ProgramName, 1, u"listary.exe"));
}

TEST(IgnoreListTest, QuestionTexts) {
  EXPECT_EQ(U8(IgnoreQuestionText(ListKind::WindowClass, u"Ctrl+D", u"XLMAIN")),
            "全局热键 Ctrl+D 在 XLMAIN 窗口类中已不再弹出路径跳转列表\r"
            "而是执行它在该类窗口中的原有功能\r\r下次是否仍然弹出本提示信息？\r\r"
            "\u3000\u3000取消 = 下次在该类窗口中执行弹出路径跳转列表功能，不再提示");
  EXPECT_EQ(U8(IgnoreQuestionText(ListKind::ProgramName, u"Ctrl+Shift+F1", u"WINWORD.EXE")),
            "全局热键 Ctrl+Shift+F1 在 WINWORD.EXE 中已不再弹出路径跳转列表\r"
            "而是执行它在该程序中的原有功能\r\r下次运行期间是否仍然弹出本提示信息？\r\r"
            "\u3000\u3000取消 = 下次在该软件中执行弹出路径跳转列表功能，不再提示");
  EXPECT_EQ(U8(kIgnoreQuestionCaption), "全局热键失效");
}

IgnoreTestInput ClassInput(std::u16string candidate) {
  IgnoreTestInput input;
  input.kind = ListKind::WindowClass;
  input.slot = 1;
  input.candidate = std::move(candidate);
  input.shortcutText = u"Ctrl+D";
  return input;
}

TEST(IgnoreListTest, EachAnswerHasItsEffect) {
  struct Case {
    const char* name;
    PromptAnswer answer;
    std::u16string lineAfter;
    bool askedAgain;     // a second press asks again
    bool passedOnAgain;  // a second press still passes the key on
  } cases[] = {
      {"Yes: asked again", PromptAnswer::Yes, u"XLMAIN, x // MS-Excel", true, true},
      {"No: not asked again this run", PromptAnswer::No, u"XLMAIN, x // MS-Excel", false, true},
      {"Cancel: the entry is disabled", PromptAnswer::Cancel, u"<XLMAIN>, x // MS-Excel", false,
       false},
  };
  for (const Case& c : cases) {
    std::vector<std::u16string> lines = {u"XLMAIN, x // MS-Excel"};
    NoShowTables noShow;
    FakeQuestion question({c.answer});
    IgnoreTestResult first = RunIgnoreTest(ClassInput(u"xlmain"), lines, noShow, question);
    EXPECT_TRUE(first.passOn) << c.name;
    EXPECT_TRUE(first.asked) << c.name;
    EXPECT_EQ(first.listChanged, c.answer == PromptAnswer::Cancel) << c.name;
    ASSERT_EQ(question.asked.size(), 1u) << c.name;
    EXPECT_EQ(question.asked[0].text, IgnoreQuestionText(ListKind::WindowClass, u"Ctrl+D", u"XLMAIN"))
        << c.name;
    EXPECT_EQ(question.asked[0].caption, kIgnoreQuestionCaption) << c.name;
    EXPECT_EQ(question.asked[0].icon, core::PromptIcon::Information) << c.name;
    EXPECT_EQ(U8(lines[0]), U8(c.lineAfter)) << c.name;

    IgnoreTestResult second = RunIgnoreTest(ClassInput(u"XLMAIN"), lines, noShow, question);
    EXPECT_EQ(question.asked.size(), c.askedAgain ? 2u : 1u) << c.name;
    EXPECT_EQ(second.passOn, c.passedOnAgain) << c.name;
  }
}

TEST(IgnoreListTest, WhenTheTestPassesOnAndWhenItAsks) {
  struct Case {
    const char* name;
    IgnoreTestInput input;
    std::vector<std::u16string> lines;
    bool passOn;
    size_t questions;
  };
  IgnoreTestInput silent = ClassInput(u"XLMAIN");
  silent.showMessage = false;
  IgnoreTestInput dialogOfListedProgram = ClassInput(u"WINWORD.EXE");
  dialogOfListedProgram.kind = ListKind::ProgramName;
  dialogOfListedProgram.targetIsDialog = true;
  IgnoreTestInput classOfADialog = ClassInput(u"#32770");
  classOfADialog.targetIsDialog = true;
  IgnoreTestInput program = ClassInput(u"winword.exe");
  program.kind = ListKind::ProgramName;
  const Case cases[] = {
      {"message off: passed on without a question", silent, {u"XLMAIN"}, true, 0},
      {"a listed program's dialog box pops up", dialogOfListedProgram, {u"WINWORD.EXE"}, false, 0},
      {"a listed dialog class still passes on", classOfADialog, {u"#32770"}, true, 1},
      {"a listed program", program, {u"WINWORD.EXE // MS-Word"}, true, 1},
      {"not listed", ClassInput(u"Notepad"), {u"XLMAIN"}, false, 0},
      {"empty list", ClassInput(u"XLMAIN"), {}, false, 0},
      {"no class", ClassInput(u""), {u"XLMAIN"}, false, 0},
      {"listed on two lines: asked twice", ClassInput(u"XLMAIN"), {u"XLMAIN", u"a; xlmain"}, true, 2},
  };
  for (const Case& c : cases) {
    std::vector<std::u16string> lines = c.lines;
    NoShowTables noShow;
    FakeQuestion question;
    IgnoreTestResult result = RunIgnoreTest(c.input, lines, noShow, question);
    EXPECT_EQ(result.passOn, c.passOn) << c.name;
    EXPECT_EQ(question.asked.size(), c.questions) << c.name;
    EXPECT_EQ(result.asked, c.questions > 0) << c.name;
  }
}

TEST(IgnoreListTest, NoForOneSlotStillAsksForTheOther) {
  std::vector<std::u16string> lines = {u"XLMAIN"};
  NoShowTables noShow;
  FakeQuestion question({PromptAnswer::No});
  RunIgnoreTest(ClassInput(u"XLMAIN"), lines, noShow, question);
  IgnoreTestInput slot2 = ClassInput(u"XLMAIN");
  slot2.slot = 2;
  RunIgnoreTest(slot2, lines, noShow, question);
  EXPECT_EQ(question.asked.size(), 2u);
}

}  // namespace
}  // namespace pathorama::hotkeys
