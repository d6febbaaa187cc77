// The add dialog as a real window over a fake program and fake folder
// managers: what each opening collects, what 确定 adds and saves, the
// questions and refusals, and how the window grows.
#include "editor/win32/add_to_jump_list_dialog.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "core/ini.h"
#include "core/text.h"
#include "core/win32/wide_text.h"
#include "editor/win32/add_to_jump_list_dialog_ids.h"
#include "jumplist/jump_menu.h"
#include "ui/win32/dpi_scaling.h"
#include "window_helpers.h"

namespace pathorama::editor::win32 {
namespace {

using test_support::TextOf;
using test_support::WindowRect;

std::string U8(std::u16string_view text) { return core::Utf16ToUtf8(text); }
std::string U8(const std::wstring& text) { return U8(core::win32::FromWide(text.c_str())); }

class FakeProgram final : public AddDialogHost, public core::UserPrompts {
 public:
  explicit FakeProgram(std::u16string_view pathMenu) {
    core::IniDocument doc = core::IniDocument::Parse(u"[PathMenu]\n" + std::u16string(pathMenu));
    list.CreatePathListFromIni(doc);
  }
  jumplist::JumpList& LiveJumpList() override { return list; }
  int32_t CaptionMaxLength() override { return jumplist::kNoCaptionLimit; }
  bool CurrentFolderItemsOn() override { return false; }
  bool SaveJumpList() override {
    ++saves;
    return saveSucceeds;
  }
  bool EditorHoldsJumpList() override { return editorOpen; }
  core::UserPrompts* Prompts() override { return this; }

  void Tell(std::u16string_view text, std::u16string_view caption, core::PromptIcon) override {
    told.push_back(U8(caption) + ": " + U8(text));
  }
  bool AskYesNo(std::u16string_view text, std::u16string_view caption, core::PromptIcon) override {
    asked.push_back(U8(caption) + ": " + U8(text));
    return answerYes;
  }

  // The stored lines of [PathMenu], one "key=value" per line.
  std::string Stored() const {
    core::IniDocument doc;
    list.SavePathListFromMenuToIni(doc);
    std::string out;
    if (const core::IniSection* section = doc.FindSection(u"PathMenu"))
      for (const core::IniEntry& entry : section->Entries())
        out += U8(std::u16string(entry.Key()) + u"=" + std::u16string(entry.Value())) + "\n";
    return out;
  }
  int32_t TagOf(std::u16string_view caption) const {
    int32_t tag = 0;
    jumplist::ForEachItem(list.Items(), [&](const jumplist::JumpItem& item, size_t) {
      if (tag == 0 && item.caption == caption) tag = item.tag;
    });
    return tag;
  }

  jumplist::JumpList list;
  int saves = 0;
  bool saveSucceeds = true;
  bool editorOpen = false;
  bool answerYes = false;
  std::vector<std::string> told, asked;
};

class FakeManagers final : public AddDialogFacts {
 public:
  windows::FolderManager TopmostManager() override { return manager; }
  std::u16string OpenFolder() override { return folder; }
  std::u16string ExplorerAddressText() override { return addressText; }
  std::u16string Selection(windows::SelectionMode mode) override {
    modes.push_back(mode);
    return selection;
  }
  bool PathExists(std::u16string_view path) override { return !missing.count(std::u16string(path)); }

  windows::FolderManager manager = windows::FolderManager::Explorer;
  std::u16string folder = u"C:\\Work\\Plans";
  std::u16string addressText;
  std::u16string selection = u"C:\\f\\a.txt\r\nC:\\f\\b.txt\r\nC:\\f\\c.txt\r\n";
  std::map<std::u16string, bool> missing;
  std::vector<windows::SelectionMode> modes;
};

// The opening of "/AddToJumpList".
AddDialogRequest FromSelection() {
  AddDialogRequest request;
  request.source = AddSource::kSelectedPaths;
  request.onTop = true;
  request.simplifyEnabled = true;
  request.simplifyChecked = true;
  return request;
}

class AddDialogTest : public ::testing::Test {
 protected:
  void TearDown() override { dialog.Close(); }
  HWND Item(int id) { return GetDlgItem(dialog.Handle(), id); }
  std::string Text(int id) { return U8(TextOf(Item(id))); }
  void Click(int id) { SendMessageW(Item(id), BM_CLICK, 0, 0); }
  bool Checked(int id) { return SendMessageW(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
  bool Shown(int id) { return IsWindowVisible(Item(id)) != FALSE; }

  FakeProgram program{u"menu1=Top\npath1=D:\\top\nmenu2=-G\nmenu3=g1\npath3=D:\\g1\nmenu4=--\n"};
  FakeManagers managers;
  AddToJumpListDialog& dialog = AddToJumpListDialog::Instance();
};

TEST_F(AddDialogTest, SelectionIsSimplifiedIntoOneEntryAtTheTopAndSaved) {
  dialog.Show(program, managers, FromSelection());
  ASSERT_TRUE(dialog.Visible());
  EXPECT_EQ(U8(TextOf(dialog.Handle())), "把当前已选文件（夹）路径添加到路径跳转列表");
  EXPECT_EQ(Text(IDC_ADD_PATHS), "C:\\f\\(a.txt|b.txt|c.txt)");
  EXPECT_EQ(Text(IDC_ADD_PATH_COUNT), "已获取到 3 条路径");
  EXPECT_TRUE(Shown(IDC_ADD_PATH_COUNT));
  EXPECT_TRUE(Shown(IDC_ADD_SAME_ENTRY));
  EXPECT_EQ(Text(IDC_ADD_TITLE), "a[&A]");
  EXPECT_TRUE(GetWindowLongW(dialog.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  ASSERT_EQ(managers.modes.size(), 1u);
  EXPECT_EQ(managers.modes[0], windows::SelectionMode::Path);

  Click(IDOK);
  EXPECT_FALSE(dialog.Visible());
  EXPECT_EQ(program.saves, 1);
  EXPECT_EQ(program.Stored(),
            "menu1=a[&A]\npath1=C:\\f\\(a.txt|b.txt|c.txt)\nmenu2=Top\npath2=D:\\top\n"
            "menu3=-G\nmenu4=g1\npath4=D:\\g1\nmenu5=--\n");
  EXPECT_TRUE(program.told.empty());
}

TEST_F(AddDialogTest, EntryPerPathAsksForEachMissingPathAndSkipsOnlyThoseAnsweredNo) {
  managers.missing[u"C:\\f\\b.txt"] = true;
  dialog.Show(program, managers, FromSelection());
  Click(IDC_ADD_SIMPLIFY);  // unchecked: the full list again
  EXPECT_EQ(Text(IDC_ADD_PATHS), "C:\\f\\a.txt | C:\\f\\b.txt | C:\\f\\c.txt");
  Click(IDC_ADD_SAME_ENTRY);  // unchecked: an entry per path, titled by its name
  EXPECT_FALSE(IsWindowEnabled(Item(IDC_ADD_TITLE)));

  Click(IDOK);
  EXPECT_EQ(program.asked, std::vector<std::string>{"本地路径不存在: 以下本地路径不存在\rC:\\f\\b.txt\r\r是否仍然添加？"});
  EXPECT_EQ(program.Stored(),
            "menu1=a.txt[&A]\npath1=C:\\f\\a.txt\nmenu2=c.txt[&C]\npath2=C:\\f\\c.txt\n"
            "menu3=Top\npath3=D:\\top\nmenu4=-G\nmenu5=g1\npath5=D:\\g1\nmenu6=--\n");
  EXPECT_EQ(program.saves, 1);

  // The boxes keep their states for the next showing.
  AddDialogRequest selection;
  selection.source = AddSource::kSelectedPaths;
  dialog.Show(program, managers, selection);
  EXPECT_FALSE(Checked(IDC_ADD_SIMPLIFY));
  EXPECT_FALSE(Checked(IDC_ADD_SAME_ENTRY));
  Click(IDC_ADD_SIMPLIFY);  // checked again: compressed again
  EXPECT_EQ(Text(IDC_ADD_PATHS), "C:\\f\\(a.txt|b.txt|c.txt)");
}

TEST_F(AddDialogTest, GroupsCurrentFolderItemAddsTheOpenFolderInsideTheGroup) {
  AddDialogRequest request;
  request.source = AddSource::kOpenFolder;
  request.simplifyEnabled = false;
  request.toMenuItem = true;
  request.position = InsertPosition::kInsertAsSubItem;
  request.destination = std::make_pair(program.TagOf(u"G"), std::u16string(u"-G"));
  dialog.Show(program, managers, request);
  EXPECT_EQ(U8(TextOf(dialog.Handle())), "把当前已打开文件夹路径添加到路径跳转列表");
  EXPECT_EQ(Text(IDC_ADD_PATHS), "C:\\Work\\Plans");
  EXPECT_FALSE(Shown(IDC_ADD_PATH_COUNT));
  EXPECT_FALSE(Shown(IDC_ADD_SAME_ENTRY));
  EXPECT_FALSE(IsWindowEnabled(Item(IDC_ADD_SIMPLIFY)));
  EXPECT_EQ(Text(IDC_ADD_DESTINATION), "G");
  EXPECT_TRUE(Checked(IDC_ADD_INSIDE));
  EXPECT_EQ(Text(IDC_ADD_TITLE), "Plans[&P]");

  Click(IDOK);
  EXPECT_EQ(program.Stored(),
            "menu1=Top\npath1=D:\\top\nmenu2=-G\nmenu3=Plans[&P]\npath3=C:\\Work\\Plans\n"
            "menu4=g1\npath4=D:\\g1\nmenu5=--\n");
}

TEST_F(AddDialogTest, MissingTitleWarnsAndKeepsTheWindow) {
  managers.folder = u"D:\\";  // a drive root has no name
  dialog.Show(program, managers, AddDialogRequest{});
  EXPECT_EQ(Text(IDC_ADD_TITLE), "");
  Click(IDOK);
  EXPECT_EQ(program.told, std::vector<std::string>{"未填写标题: 尚未填写新菜单项的标题，请完善"});
  EXPECT_TRUE(dialog.Visible());
  EXPECT_EQ(program.saves, 0);
  EXPECT_EQ(GetFocus(), Item(IDC_ADD_TITLE));
}

TEST_F(AddDialogTest, RefusalsAndFailures) {
  // While the editor holds the list nothing is added behind its back.
  program.editorOpen = true;
  dialog.Show(program, managers, FromSelection());
  EXPECT_FALSE(dialog.Visible());
  ASSERT_EQ(program.told.size(), 1u);
  EXPECT_NE(program.told[0].find("无法添加到路径跳转列表"), std::string::npos);

  // A manager that cannot tell its selection: only the open folder.
  program.editorOpen = false;
  program.told.clear();
  managers.manager = windows::FolderManager::XYplorer;
  dialog.Show(program, managers, FromSelection());
  EXPECT_FALSE(IsWindowEnabled(Item(IDC_ADD_SOURCE)));
  EXPECT_EQ(Text(IDC_ADD_PATHS), "C:\\Work\\Plans");
  EXPECT_TRUE(managers.modes.empty());

  // A save that fails is reported; the entry stays in the running list.
  program.saveSucceeds = false;
  Click(IDOK);
  ASSERT_EQ(program.told.size(), 1u);
  EXPECT_NE(program.told[0].find("保存失败"), std::string::npos);
  EXPECT_NE(program.TagOf(u"Plans[&P]"), 0);
}

TEST_F(AddDialogTest, RememberedDestinationIsForgottenOnceItNamesAnotherEntry) {
  AddDialogRequest request;
  request.toMenuItem = true;
  request.position = InsertPosition::kInsertAfter;
  request.destination = std::make_pair(program.TagOf(u"Top"), std::u16string(u"Top"));
  dialog.Show(program, managers, request);
  EXPECT_EQ(Text(IDC_ADD_DESTINATION), "Top");
  dialog.Close();

  // Another save renumbered the list: the tag now names another entry.
  ASSERT_EQ(program.list.Items()[0].caption, u"Top");
  program.list.Items()[0].caption = u"Elsewhere";
  dialog.Show(program, managers, AddDialogRequest{});
  EXPECT_EQ(Text(IDC_ADD_DESTINATION), "");
  Click(IDOK);
  // No destination: the new entry goes to the top, not after that entry.
  EXPECT_EQ(program.Stored().substr(0, 16), "menu1=Plans[&P]\n");
}

TEST_F(AddDialogTest, GrowsInWidthOnly) {
  dialog.Show(program, managers, FromSelection());
  const RECT before = WindowRect(dialog.Handle());
  const RECT ok = WindowRect(Item(IDOK)), paths = WindowRect(Item(IDC_ADD_PATHS)),
             collect = WindowRect(Item(IDC_ADD_COLLECT));
  SetWindowPos(dialog.Handle(), nullptr, 0, 0, before.right - before.left + 120,
               before.bottom - before.top + 80, SWP_NOMOVE | SWP_NOZORDER);
  const RECT after = WindowRect(dialog.Handle());
  EXPECT_EQ(after.right - after.left, before.right - before.left + 120);
  EXPECT_EQ(after.bottom - after.top, before.bottom - before.top) << "the height is fixed";
  EXPECT_EQ(WindowRect(Item(IDOK)).left - ok.left, 120);
  EXPECT_EQ((WindowRect(Item(IDC_ADD_PATHS)).right - WindowRect(Item(IDC_ADD_PATHS)).left) -
                (paths.right - paths.left),
            120);
  EXPECT_EQ(WindowRect(Item(IDC_ADD_COLLECT)).left, collect.left);

  SetWindowPos(dialog.Handle(), nullptr, 0, 0, 100, 50, SWP_NOMOVE | SWP_NOZORDER);
  const RECT narrow = WindowRect(dialog.Handle());
  EXPECT_EQ(narrow.right - narrow.left, before.right - before.left) << "never narrower than laid out";
}

TEST_F(AddDialogTest, MovedToAMonitorOfAnotherScalingItKeepsItsLayout) {
  dialog.Show(program, managers, FromSelection());
  const RECT before = WindowRect(dialog.Handle());
  const RECT ok = WindowRect(Item(IDOK)), paths = WindowRect(Item(IDC_ADD_PATHS));
  const UINT dpi = ui::win32::WindowDpi(dialog.Handle());
  RECT suggested{before.left, before.top, before.left + (before.right - before.left) * 3 / 2,
                 before.top + (before.bottom - before.top) * 3 / 2};
  SendMessageW(dialog.Handle(), WM_DPICHANGED, MAKEWPARAM(dpi * 3 / 2, dpi * 3 / 2),
               reinterpret_cast<LPARAM>(&suggested));
  const RECT after = WindowRect(dialog.Handle());
  // Within a pixel: its smallest size is the scaled one, rounded.
  EXPECT_NEAR(after.right - after.left, suggested.right - suggested.left, 1);
  EXPECT_NEAR(after.bottom - after.top, suggested.bottom - suggested.top, 1);
  // The buttons keep their place at the right, 1.5 times as large; the list
  // still spans the window.
  const RECT okAfter = WindowRect(Item(IDOK)), pathsAfter = WindowRect(Item(IDC_ADD_PATHS));
  EXPECT_NEAR(okAfter.right - okAfter.left, (ok.right - ok.left) * 3 / 2, 2);
  EXPECT_NEAR(after.right - okAfter.right, (before.right - ok.right) * 3 / 2, 3);
  // (The frame is not scaled by a message sent by hand, so the client is a
  // few pixels wider than 1.5 times; the list takes them.)
  EXPECT_NEAR(pathsAfter.left - after.left, (paths.left - before.left) * 3 / 2, 3);
  EXPECT_NEAR(after.right - pathsAfter.right, (before.right - paths.right) * 3 / 2, 3);
  // Wider still by hand: the new layout grows from the scaled one.
  SetWindowPos(dialog.Handle(), nullptr, 0, 0, after.right - after.left + 60, after.bottom - after.top,
               SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_EQ(WindowRect(Item(IDOK)).left - okAfter.left, 60);
  // Back to where it came from, for the tests after this one.
  SendMessageW(dialog.Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&before));
  EXPECT_NEAR(WindowRect(Item(IDOK)).right - WindowRect(Item(IDOK)).left, ok.right - ok.left, 1);
}

}  // namespace
}  // namespace pathorama::editor::win32
