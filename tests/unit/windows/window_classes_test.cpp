#include "windows/window_classes.h"

#include <gtest/gtest.h>

namespace pathorama::windows {
namespace {

constexpr size_t kNone = static_cast<size_t>(-1);

TEST(WindowClasses, ManagerOfTopLevelWindow) {
  struct Case {
    const char16_t* className;
    const char16_t* title;
    FolderManager want;
  } cases[] = {
      {u"CabinetWClass", u"", FolderManager::Explorer},
      {u"cabinetwclass", u"", FolderManager::Explorer},
      {u"TTOTAL_CMD", u"Total", FolderManager::TotalCommander},
      {u"dopus.lister", u"", FolderManager::DirectoryOpus},
      {u"ATL:ExplorerFrame", u"", FolderManager::Xplorer2},
      {u"FreeCommanderXE.SingleInst.1", u"", FolderManager::FreeCommander},
      {u"freecommanderxe.other", u"", FolderManager::FreeCommander},
      {u"ThunderRT6FormDC", u"C:\\ - xyplorer 20", FolderManager::XYplorer},
      {u"ThunderRT6FormDC", u"Some VB program", FolderManager::None},
      {u"FreeCommander", u"", FolderManager::None},  // prefix is FreeCommanderXE
      {u"dopus.filedisplay", u"", FolderManager::None},
      {u"#32770", u"打开", FolderManager::None},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ManagerOfTopLevelWindow(c.className, c.title), c.want)
        << std::string(c.className, c.className + std::char_traits<char16_t>::length(c.className));
}

TEST(WindowClasses, ManagerWordsRoundTripIgnoringCase) {
  for (FolderManager m : {FolderManager::Explorer, FolderManager::TotalCommander,
                          FolderManager::DirectoryOpus, FolderManager::XYplorer,
                          FolderManager::Xplorer2, FolderManager::FreeCommander}) {
    std::u16string word = ManagerWord(m);
    ASSERT_FALSE(word.empty());
    EXPECT_EQ(ManagerFromWord(word), m);
  }
  EXPECT_EQ(ManagerFromWord(u"totalcommander"), FolderManager::TotalCommander);
  EXPECT_EQ(ManagerFromWord(u"Finder"), FolderManager::None);
  EXPECT_EQ(ManagerWord(FolderManager::None), u"");
}

TEST(WindowClasses, TopmostManagerInZOrder) {
  std::vector<TopLevelFacts> z = {
      {u"Shell_TrayWnd", u""},
      {u"ThunderRT6FormDC", u"VB app"},    // not XYplorer: passed over
      {u"Notepad", u"hosts an explorer"},  // index 2
      {u"TTOTAL_CMD", u"Total"},
      {u"CabinetWClass", u"C:\\"},
  };
  std::vector<size_t> asked;
  auto noHost = [&](size_t i) { asked.push_back(i); return false; };
  EXPECT_EQ(ChooseTopmostFolderManager(z, noHost), 3u);
  // The VB form is never asked whether it hosts Explorer.
  EXPECT_EQ(asked, (std::vector<size_t>{0, 2}));

  auto hostAt2 = [](size_t i) { return i == 2; };
  EXPECT_EQ(ChooseTopmostFolderManager(z, hostAt2), 2u);
  EXPECT_EQ(ChooseTopmostFolderManager({{u"Notepad", u""}}, noHost), kNone);
  EXPECT_EQ(ChooseTopmostFolderManager({}, noHost), kNone);
}

TEST(WindowClasses, ClassChains) {
  std::vector<std::u16string_view> xplorer2 = {u"Edit", u"ComboBox", u"ToolbarWindow32"};
  EXPECT_TRUE(MatchesClassChain({u"Edit", u"ComboBox", u"ToolbarWindow32", u"ATL:ExplorerFrame"},
                                xplorer2));
  EXPECT_TRUE(MatchesClassChain({u"edit", u"combobox", u"toolbarwindow32"}, xplorer2));
  EXPECT_FALSE(MatchesClassChain({u"Edit", u"ComboBox", u"ReBarWindow32"}, xplorer2));
  EXPECT_FALSE(MatchesClassChain({u"Edit", u"ComboBox"}, xplorer2));  // chain runs out
  EXPECT_FALSE(MatchesClassChain({u"Static", u"ComboBox", u"ToolbarWindow32"}, xplorer2));
}

TEST(WindowClasses, DialogTypeAndFileNameEdit) {
  DialogControlFacts comboEdit{u"Edit", u"ComboBox", u"#32770", u"", false};
  DialogControlFacts dialogEdit{u"Edit", u"#32770", u"", u"", true};
  DialogControlFacts button{u"Button", u"#32770", u"", u"", true};
  DialogControlFacts hiddenEdit = dialogEdit;
  hiddenEdit.visible = false;
  DialogControlFacts disabledEdit = comboEdit;
  disabledEdit.enabled = false;
  DialogControlFacts searchEdit{u"Edit", u"SearchBox", u"#32770", u"", false};
  DialogControlFacts systemDialogEdit{u"Edit", u"ComboBox", u"ComboBoxEx32", u"#32770", false};
  DialogControlFacts itemDialogEdit{u"Edit", u"ComboBox", u"FloatNotifySink", u"DirectUIHWND", false};
  DialogControlFacts strayComboEdit{u"Edit", u"ComboBox", u"ComboBoxEx32", u"ReBarWindow32", false};

  using enum DialogType;
  struct Case {
    const char* name;
    std::vector<DialogControlFacts> controls;
    DialogType type;
    size_t nameEdit;
  } cases[] = {
      {"classic open dialog", {button, comboEdit}, OpenFile, 1},
      {"folder picker", {button, dialogEdit}, OpenFolder, 1},
      {"edit first in the dialog is not a name field", {dialogEdit, button}, OpenFolder, kNone},
      {"the first telling edit decides", {button, comboEdit, dialogEdit}, OpenFile, 1},
      {"hidden and disabled edits are passed over", {button, hiddenEdit, disabledEdit, comboEdit},
       OpenFolder, 3},
      {"another kind of edit first", {button, searchEdit, comboEdit}, OpenFile, kNone},
      {"no edit", {button}, None, kNone},
      {"system dialog: combo in a ComboBoxEx32", {button, systemDialogEdit}, OpenFile, 1},
      {"item dialog: combo in a FloatNotifySink", {itemDialogEdit}, OpenFile, 0},
      {"a combo elsewhere is not the name field", {button, strayComboEdit}, OpenFile, kNone},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DialogTypeOf(c.controls), c.type) << c.name;
    EXPECT_EQ(ChooseDialogFileNameEdit(c.controls), c.nameEdit) << c.name;
  }
}

TEST(WindowClasses, DialogTypeWords) {
  EXPECT_EQ(DialogTypeWord(DialogType::OpenFile), u"OpenFile");
  EXPECT_EQ(DialogTypeWord(DialogType::OpenFolder), u"OpenFolder");
  EXPECT_EQ(DialogTypeWord(DialogType::None), u"");
}

}  // namespace
}  // namespace pathorama::windows

namespace pathorama::windows {
namespace {

TEST(ChooseShellWindowItem, ActiveTabElseFirstItem) {
  struct Case {
    const char* what;
    std::vector<bool> isActiveTab;
    size_t want;
  };
  const Case cases[] = {
      {"no item", {}, static_cast<size_t>(-1)},
      {"one item without tabs", {false}, 0},
      {"three tabs, the middle one active", {false, true, false}, 1},
      {"last of three active", {false, false, true}, 2},
      {"tabs but none visible: the first", {false, false, false}, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(ChooseShellWindowItem(c.isActiveTab), c.want) << c.what;
}

}  // namespace
}  // namespace pathorama::windows
