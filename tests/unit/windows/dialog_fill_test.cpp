#include "windows/dialog_fill.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "core/text.h"

namespace pathorama::windows {
namespace {

std::string Narrow(std::u16string_view text) { return core::Utf16ToUtf8(text); }

TEST(DialogFill, OptionIndexesAndWordsName) {
  EXPECT_EQ(FillModeFromIndex(0), FillMode::CoverAll);
  EXPECT_EQ(FillModeFromIndex(1), FillMode::Insert);
  EXPECT_EQ(FillModeFromIndex(2), FillMode::ReplaceSel);
  EXPECT_EQ(FillModeFromIndex(3), FillMode::CoverAll);
  EXPECT_EQ(FillModeFromIndex(-1), FillMode::CoverAll);
  EXPECT_EQ(FillModeFromWord(u"insert"), FillMode::Insert);
  EXPECT_EQ(FillModeFromWord(u"REPLACESEL"), FillMode::ReplaceSel);
  EXPECT_EQ(FillModeFromWord(u"CoverAll"), FillMode::CoverAll);
  EXPECT_EQ(FillModeFromWord(u""), FillMode::CoverAll);
  EXPECT_EQ(FillModeFromWord(u"Append"), FillMode::CoverAll);
  EXPECT_EQ(SelectionAfterFillFromIndex(0), SelectionAfterFill::WholeText);
  EXPECT_EQ(SelectionAfterFillFromIndex(1), SelectionAfterFill::FilledFolder);
  EXPECT_EQ(SelectionAfterFillFromIndex(7), SelectionAfterFill::WholeText);
}

TEST(DialogFill, PlanOfEveryModeAndSelectionChoice) {
  using M = FillMode;
  using S = SelectionAfterFill;
  struct Case {
    const char* name;
    std::u16string oldText;
    TextRange oldSelection;
    std::u16string folder;
    M mode;
    S select;
    TextRange replaced;
    std::u16string text;
    TextRange selection;
  } cases[] = {
      {"cover, whole", u"abcdef", {2, 4}, u"D:\\W", M::CoverAll, S::WholeText, {0, 6}, u"D:\\W", {0, 4}},
      {"cover, folder", u"abcdef", {2, 4}, u"D:\\W", M::CoverAll, S::FilledFolder, {0, 6}, u"D:\\W", {0, 4}},
      {"insert, whole", u"abcdef", {2, 4}, u"D:\\W", M::Insert, S::WholeText, {4, 4}, u"abcdD:\\Wef", {0, 10}},
      {"insert at the selection's end", u"abcdef", {2, 4}, u"D:\\W", M::Insert, S::FilledFolder, {4, 4}, u"abcdD:\\Wef", {4, 8}},
      {"replace, whole", u"abcdef", {2, 4}, u"D:\\W", M::ReplaceSel, S::WholeText, {2, 4}, u"abD:\\Wef", {0, 8}},
      {"replace, folder", u"abcdef", {2, 4}, u"D:\\W", M::ReplaceSel, S::FilledFolder, {2, 4}, u"abD:\\Wef", {2, 6}},
      {"selection given backwards", u"abcdef", {4, 2}, u"D:\\W", M::ReplaceSel, S::FilledFolder, {2, 4}, u"abD:\\Wef", {2, 6}},
      {"caret only", u"abcdef", {3, 3}, u"X", M::ReplaceSel, S::FilledFolder, {3, 3}, u"abcXdef", {3, 4}},
      {"selection past the text", u"abc", {5, 9}, u"X", M::Insert, S::FilledFolder, {3, 3}, u"abcX", {3, 4}},
      {"empty box", u"", {0, 0}, u"D:\\W", M::Insert, S::FilledFolder, {0, 0}, u"D:\\W", {0, 4}},
      {"units, not characters", u"中文", {1, 1}, u"D:\\😀", M::Insert, S::FilledFolder, {1, 1}, u"中D:\\😀文", {1, 6}},
  };
  for (const Case& c : cases) {
    EditFillPlan plan = PlanEditFill(c.oldText, c.oldSelection, c.folder, c.mode, c.select);
    EXPECT_EQ(plan.replaced, c.replaced) << c.name;
    EXPECT_EQ(Narrow(plan.text), Narrow(c.text)) << c.name;
    EXPECT_EQ(plan.selection, c.selection) << c.name;
  }
}

TEST(DialogFill, LongTextKeepsEveryCharacter) {
  // A document far longer than a file name is filled without losing a thing.
  std::u16string text(300, u'a');
  text += u"TAIL";
  EditFillPlan plan = PlanEditFill(text, {280, 280}, u"C:\\x", FillMode::Insert,
                                   SelectionAfterFill::FilledFolder);
  EXPECT_EQ(plan.text.size(), 308u);
  EXPECT_EQ(plan.text.substr(280, 4), u"C:\\x");
  EXPECT_EQ(plan.text.substr(304), u"TAIL");
  EXPECT_EQ(plan.selection, (TextRange{280, 284}));
}

TEST(DialogFill, FieldShowsFolderAndDialogTookIt) {
  struct Case {
    std::u16string field, folder;
    bool shows, took;
  } cases[] = {
      {u"D:\\Work", u"D:\\Work", true, false},
      {u"D:\\Work\\", u"D:\\Work", true, false},
      {u"d:\\work", u"D:\\WORK\\", true, false},
      {u"\\\\server\\share\\", u"\\\\server\\share", true, false},
      {u"D:\\Work\\a", u"D:\\Work", false, false},  // still a path: not taken
      {u"E:\\Other", u"D:\\Work", false, false},
      {u"", u"D:\\Work", false, true},
      {u"report.docx", u"D:\\Work", false, true},
      {u"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}", u"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}",
       true, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FieldShowsFolder(c.field, c.folder), c.shows) << Narrow(c.field);
    EXPECT_EQ(DialogTookFolder(c.field, c.folder), c.took) << Narrow(c.field);
  }
}

PathKindProbe ProbeOf(std::map<std::u16string, PathKind> kinds) {
  return [kinds = std::move(kinds)](const std::u16string& path) {
    auto it = kinds.find(path);
    return it == kinds.end() ? PathKind::Missing : it->second;
  };
}

TEST(DialogFill, SwitchableFolders) {
  PathKindProbe probe = ProbeOf({{u"D:\\Work", PathKind::Folder}, {u"D:\\a.txt", PathKind::File}});
  struct Case {
    std::u16string folder;
    bool want;
  } cases[] = {
      {u"D:\\Work", true},
      {u"D:\\a.txt", false},
      {u"D:\\Gone", false},
      {u"", false},
      {u"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}", true},
      {u"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\0", true},
      {u"::{not a class}", false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsSwitchableFolder(c.folder, probe), c.want) << Narrow(c.folder);
}

TEST(DialogFill, RouteOfEveryRequest) {
  using R = DialogRoute;
  using W = SwitchReason;
  struct Case {
    const char* name;
    DialogFacts facts;
    W reason;
    bool fillOption;
    R want;
  } cases[] = {
      {"own dialog first", {true, true, true}, W::JumpListItem, true, R::ReopenOwnDialog},
      {"file name field", {false, true, true}, W::JumpListItem, true, R::FileNameField},
      {"file name field, watch", {false, true, false}, W::Timer, false, R::FileNameField},
      {"hotkey fills the focused box", {false, false, true}, W::DialogHotKey, true, R::FocusedEdit},
      {"hotkey, filling off", {false, false, true}, W::DialogHotKey, false, R::Fallback},
      {"hotkey, no text box", {false, false, false}, W::DialogHotKey, true, R::Fallback},
      // A jump-list entry is no dialog-hotkey request: no box filled, no clipboard.
      {"jump list, text box", {false, false, true}, W::JumpListItem, true, R::Nothing},
      {"jump list, nothing", {false, false, false}, W::JumpListItem, true, R::Nothing},
      {"watch, text box", {false, false, true}, W::Timer, true, R::Nothing},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ChooseDialogRoute(c.facts, c.reason, c.fillOption), c.want) << c.name;
}

TEST(DialogFill, FocusedBoxModeAndClasses) {
  using M = FillMode;
  EXPECT_EQ(FocusedEditFillMode(M::Insert, false, false), M::Insert);
  EXPECT_EQ(FocusedEditFillMode(M::ReplaceSel, false, false), M::ReplaceSel);
  EXPECT_EQ(FocusedEditFillMode(M::Insert, true, false), M::CoverAll);
  EXPECT_EQ(FocusedEditFillMode(M::ReplaceSel, false, true), M::CoverAll);
  EXPECT_TRUE(IsFillableTextBoxClass(u"Edit"));
  EXPECT_TRUE(IsFillableTextBoxClass(u"edit"));
  EXPECT_TRUE(IsFillableTextBoxClass(u"TEdit"));
  EXPECT_FALSE(IsFillableTextBoxClass(u"RichEdit20W"));
  EXPECT_FALSE(IsFillableTextBoxClass(u"ComboBox"));
}

TEST(DialogFill, ConfirmationUnlessTheWatchFillsADteBox) {
  struct Case {
    SwitchReason reason;
    std::u16string ownerClass;
    bool want;
  } cases[] = {
      {SwitchReason::Timer, u"DTE", false},
      {SwitchReason::Timer, u"dte", false},
      {SwitchReason::Timer, u"#32770", true},
      {SwitchReason::DialogHotKey, u"DTE", true},
      {SwitchReason::JumpListItem, u"DTE", true},
      {SwitchReason::JumpListItem, u"", true},
  };
  for (const Case& c : cases)
    EXPECT_EQ(WantsConfirmation(c.reason, c.ownerClass), c.want) << Narrow(c.ownerClass);
}

TEST(DialogFill, NamesOfferedOnlyFromTheTargetFolder) {
  PathKindProbe probe = ProbeOf({
      {u"C:\\Work\\a.txt", PathKind::File},
      {u"C:\\Work\\my report.docx", PathKind::File},
      {u"C:\\Other\\b.txt", PathKind::File},
      {u"C:\\Work\\sub", PathKind::Folder},
      {u"C:\\Work\\sub\\c.txt", PathKind::File},
      {u"C:\\Workshop\\d.txt", PathKind::File},
      {u"C:\\e.txt", PathKind::File},
  });
  std::u16string selection =
      u"C:\\Work\\a.txt\r\nC:\\Work\\my report.docx\r\nC:\\Other\\b.txt\r\nC:\\Work\\sub\r\n"
      u"C:\\Work\\sub\\c.txt\r\nC:\\Workshop\\d.txt\r\nC:\\Work\\gone.txt\r\n";
  struct Case {
    std::u16string selection, folder, want;
  } cases[] = {
      {selection, u"C:\\Work", u"a.txt \"my report.docx\""},
      {selection, u"c:\\work\\", u"a.txt \"my report.docx\""},
      {selection, u"C:\\Work\\sub", u"c.txt"},
      {selection, u"C:\\Other", u"b.txt"},
      {selection, u"C:\\", u""},  // nothing selected lies in the root
      {u"C:\\e.txt\r\nC:\\Work\\a.txt", u"C:\\", u"e.txt"},
      {u"C:\\e.txt\nC:\\Work\\a.txt", u"C:\\", u""},  // one line once line feeds are dropped
      {selection, u"D:\\Elsewhere", u""},
      {u"", u"C:\\Work", u""},
      {selection, u"", u""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Narrow(OfferedFileNames(c.selection, c.folder, probe)), Narrow(c.want))
        << Narrow(c.folder) << " from " << Narrow(c.selection);
}

TEST(DialogFill, WatchedManagersAndFileDialogLayouts) {
  struct Case {
    std::u16string className;
    bool want;
  } managers[] = {
      {u"CabinetWClass", true}, {u"cabinetwclass", true},     {u"TTOTAL_CMD", true},
      {u"dopus.lister", true},  {u"ThunderRT6FormDC", true},  {u"ATL:ExplorerFrame", true},
      {u"#32770", false},       {u"FreeCommanderXE.SingleInst.1", false},
      {u"Notepad", false},      {u"", false},
  };
  for (const Case& c : managers)
    EXPECT_EQ(IsWatchedFolderManagerClass(c.className), c.want) << Narrow(c.className);

  EXPECT_TRUE(WatchLooksAt(u"TTOTAL_CMD", u"#32770"));
  EXPECT_TRUE(WatchLooksAt(u"CabinetWClass", u"#32770"));
  EXPECT_FALSE(WatchLooksAt(u"#32770", u"#32770"));   // one dialog after another
  EXPECT_FALSE(WatchLooksAt(u"TTOTAL_CMD", u"Notepad"));
  EXPECT_FALSE(WatchLooksAt(u"Notepad", u"#32770"));
  EXPECT_FALSE(WatchLooksAt(u"", u"#32770"));

  struct Layout {
    const char* name;
    std::vector<std::u16string> classes;
    bool want;
  } layouts[] = {
      {"open dialog", {u"ComboBox", u"Edit", u"SHELLDLL_DefView", u"SysListView32"}, true},
      {"folder picker", {u"Static", u"SysTreeView32", u"Button"}, true},
      {"message box", {u"Static", u"Button"}, false},
      {"name field only", {u"ComboBox", u"Edit", u"Button"}, false},
      {"empty", {}, false},
  };
  for (const Layout& l : layouts) EXPECT_EQ(IsFileDialogLayout(l.classes), l.want) << l.name;
}

}  // namespace
}  // namespace pathorama::windows
