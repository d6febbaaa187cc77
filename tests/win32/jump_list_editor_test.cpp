// The editor window on a real screen with a program of its own (a fake
// host): files dropped on the tree and on the path box with real drop
// handles, what the tree view shows, and what 保存 hands to the program.
#include "editor/win32/jump_list_editor.h"
#include "variables/win32/variable_builder_dialog_ids.h"

#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/ini.h"
#include "core/text.h"
#include "core/win32/wide_text.h"
#include "editor/tree_conversions.h"
#include "editor/win32/jump_list_editor_ids.h"
#include "standin_process.h"
#include "window_helpers.h"

namespace pathorama::editor::win32 {
namespace {

using test_support::MakeDrop;

using core::win32::AsWide;
using core::win32::FromWide;

std::string U8(std::u16string_view s) { return core::Utf16ToUtf8(s); }

class FakeHost : public EditorHost {
 public:
  explicit FakeHost(std::vector<std::pair<std::u16string, std::u16string>> lines) {
    core::IniDocument doc;
    core::IniSection& menu = doc.Section(u"PathMenu");
    for (auto& [key, value] : lines) menu.Append({key, value, true});
    list_.CreatePathListFromIni(doc);
  }
  jumplist::JumpList& LiveJumpList() override { return list_; }
  bool HideDisabledItems() override { return true; }
  void SetHideDisabledItems(bool) override {}
  int32_t CaptionMaxLength() override { return 100; }
  bool SaveTreeToSettings(const JumpTree& tree) override {
    saved = StoredLinesOfTree(tree);
    return true;
  }
  paths::VariableExpander NewExpansionBatch() override {
    return [](std::u16string_view text) { return std::u16string(text); };
  }
  core::CalendarDate Today() override { return {2026, 3, 8}; }
  void OpenVariableOptions() override { ++variableOptionsOpened; }
  int variableOptionsOpened = 0;

  std::vector<StoredLine> saved;

 private:
  jumplist::JumpList list_;
};

// The middle of a control, in its dialog's client coordinates.
POINT MiddleOf(HWND dialog, int id) {
  RECT r{};
  GetWindowRect(GetDlgItem(dialog, id), &r);
  POINT p{(r.left + r.right) / 2, r.bottom - 4};
  ScreenToClient(dialog, &p);
  return p;
}

// The tree view's item texts, depth-first.
std::vector<std::string> TreeTexts(HWND tree) {
  std::vector<std::string> texts;
  std::vector<HTREEITEM> stack;
  for (HTREEITEM item = TreeView_GetRoot(tree); item; item = TreeView_GetNextSibling(tree, item))
    stack.insert(stack.begin(), item);
  while (!stack.empty()) {
    HTREEITEM item = stack.back();
    stack.pop_back();
    wchar_t text[512] = {};
    TVITEMW data{};
    data.mask = TVIF_TEXT;
    data.hItem = item;
    data.pszText = text;
    data.cchTextMax = 512;
    TreeView_GetItem(tree, &data);
    texts.push_back(U8(FromWide(text)));
    std::vector<HTREEITEM> children;
    for (HTREEITEM c = TreeView_GetChild(tree, item); c; c = TreeView_GetNextSibling(tree, c))
      children.push_back(c);
    stack.insert(stack.end(), children.rbegin(), children.rend());
  }
  return texts;
}

struct Folder {
  std::wstring path;
  Folder() {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    path = std::wstring(temp) + L"pathorama-editor-" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(path.c_str(), nullptr);
    for (const wchar_t* name : {L"\\甲.txt", L"\\乙.txt"}) {
      HANDLE file = CreateFileW((path + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
      CloseHandle(file);
    }
    CreateDirectoryW((path + L"\\资料").c_str(), nullptr);
  }
  ~Folder() {
    DeleteFileW((path + L"\\甲.txt").c_str());
    DeleteFileW((path + L"\\乙.txt").c_str());
    RemoveDirectoryW((path + L"\\资料").c_str());
    RemoveDirectoryW(path.c_str());
  }
};

TEST(JumpListEditor, DroppedFilesOnTheTreeAndOnThePathBox) {
  Folder folder;
  FakeHost host({{u"menu1", u"文档(&D)"}, {u"path1", u"C:\\users"}, {u"menu2", u"-工作"},
                 {u"menu3", u"报告"}, {u"path3", u"C:\\windows"}, {u"menu4", u"--"}});
  JumpListEditor& editor = JumpListEditor::Instance();
  editor.Open(host);
  ASSERT_TRUE(editor.Visible());
  HWND dialog = editor.Handle();
  HWND tree = GetDlgItem(dialog, IDC_EDITOR_TREE);
  EXPECT_EQ(TreeTexts(tree), (std::vector<std::string>{"文档(&D)", "-工作", "报告", "--"}));

  // Below the last row: at the end of the root level, in the order dropped,
  // each named by its file name with an automatic accelerator.
  SendMessageW(dialog, WM_DROPFILES,
               reinterpret_cast<WPARAM>(MakeDrop({folder.path + L"\\资料", folder.path + L"\\甲.txt"},
                                                 MiddleOf(dialog, IDC_EDITOR_TREE))),
               0);
  EXPECT_EQ(TreeTexts(tree), (std::vector<std::string>{"文档(&D)", "-工作", "报告", "--", "资料[&Z]",
                                                        "甲.txt[&T]"}));

  // On the path box of the focused entry (the last one dropped, whose path
  // is its file): two files of one folder as one group, covering the box.
  HWND mode = GetDlgItem(dialog, IDC_EDITOR_INSERT_MODE);
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_EDITOR_INSERT_MODE, BN_CLICKED), reinterpret_cast<LPARAM>(mode));
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_EDITOR_INSERT_MODE, BN_CLICKED), reinterpret_cast<LPARAM>(mode));
  SendMessageW(dialog, WM_DROPFILES,
               reinterpret_cast<WPARAM>(MakeDrop({folder.path + L"\\甲.txt", folder.path + L"\\乙.txt"},
                                                 MiddleOf(dialog, IDC_EDITOR_PATHS))),
               0);
  wchar_t box[1024] = {};
  GetDlgItemTextW(dialog, IDC_EDITOR_PATHS, box, 1024);
  const std::u16string group = FromWide(folder.path) + u"\\(甲.txt | 乙.txt)";
  EXPECT_EQ(U8(FromWide(box)), U8(group));

  // 保存 hands the tree to the program and hides the window.
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_EDITOR_SAVE, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_EDITOR_SAVE)));
  EXPECT_FALSE(editor.Visible());
  ASSERT_EQ(host.saved.size(), 6u);
  EXPECT_EQ(U8(host.saved[4].menu), "资料[&Z]");
  EXPECT_EQ(U8(host.saved[4].path.value_or(u"(none)")), U8(FromWide(folder.path) + u"\\资料"));
  EXPECT_EQ(U8(host.saved[5].menu), "甲.txt[&T]");
  EXPECT_EQ(U8(host.saved[5].path.value_or(u"(none)")), U8(group));
  // The live list is the saved one now.
  EXPECT_EQ(host.LiveJumpList().PathByTagMap().size(), 4u);
}

// The variable builder writes into the path box of the focused entry, and
// nowhere while no entry is focused (the box is then disabled).
TEST(JumpListEditor, TheVariableBuilderWritesIntoThePathBox) {
  FakeHost host({{u"menu1", u"文档"}, {u"path1", u"C:\\users"}, {u"menu2", u"-工作"}, {u"menu3", u"--"}});
  JumpListEditor& editor = JumpListEditor::Instance();
  editor.Open(host);
  ASSERT_TRUE(editor.Visible());
  HWND dialog = editor.Handle();
  HWND tree = GetDlgItem(dialog, IDC_EDITOR_TREE);
  HWND box = GetDlgItem(dialog, IDC_EDITOR_PATHS);
  auto boxText = [box] {
    wchar_t text[1024] = {};
    GetWindowTextW(box, text, 1024);
    return U8(FromWide(text));
  };
  // The group: no path box to write into.
  TreeView_SelectItem(tree, TreeView_GetNextSibling(tree, TreeView_GetRoot(tree)));
  ASSERT_FALSE(IsWindowEnabled(box));
  const std::string groupBox = boxText();
  editor.OpenVariableBuilder(u"NFolder");
  variables::win32::VariableBuilderDialog& builder = variables::win32::VariableBuilderDialog::Instance();
  ASSERT_TRUE(builder.Visible());
  EXPECT_EQ(U8(builder.Expression()), "{1Folder}");
  HWND append = GetDlgItem(builder.Handle(), IDC_VB_APPEND);
  SendMessageW(append, BM_CLICK, 0, 0);
  EXPECT_EQ(boxText(), groupBox);
  // The entry: appended, and the entry uses variables now.
  TreeView_SelectItem(tree, TreeView_GetRoot(tree));
  ASSERT_TRUE(IsWindowEnabled(box));
  SendMessageW(append, BM_CLICK, 0, 0);
  EXPECT_EQ(boxText(), "C:\\users{1Folder}");
  EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_EDITOR_USE_VARIABLES), BST_CHECKED);
  // 变量选项 goes to the program.
  SendMessageW(GetDlgItem(builder.Handle(), IDC_VB_OPTIONS), BM_CLICK, 0, 0);
  EXPECT_EQ(host.variableOptionsOpened, 1);
  // Closing the editor closes the builder.
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_EDITOR_CANCEL, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_EDITOR_CANCEL)));
  EXPECT_FALSE(editor.Visible());
  EXPECT_FALSE(builder.Visible());
}

// The import window is a caller of the builder as the editor is: the
// builder stands over it and writes into its own path box; closing the
// import window closes the builder, and the editor takes it back.
TEST(JumpListEditor, TheImportWindowCallsTheVariableBuilderToo) {
  Folder folder;
  FakeHost host({{u"menu1", u"文档"}, {u"path1", u"C:\\users"}});
  JumpListEditor& editor = JumpListEditor::Instance();
  editor.Open(host);
  ASSERT_TRUE(editor.Visible());
  HWND dialog = editor.Handle();
  SendMessageW(dialog, WM_COMMAND,
               MAKEWPARAM(IDM_EDITOR_COMMAND_FIRST + static_cast<int>(EditorCommand::ImportTotalCommander), 0), 0);
  JumpListEditor& import = JumpListEditor::ImportWindow();
  ASSERT_TRUE(import.Visible());
  ASSERT_FALSE(IsWindowVisible(dialog));
  HWND window = import.Handle();
  // An entry of the import window's own, focused.
  SendMessageW(window, WM_DROPFILES,
               reinterpret_cast<WPARAM>(MakeDrop({folder.path + L"\\资料"}, MiddleOf(window, IDC_EDITOR_TREE))), 0);
  HWND box = GetDlgItem(window, IDC_EDITOR_PATHS);
  ASSERT_TRUE(IsWindowEnabled(box));
  auto textOf = [](HWND control) {
    wchar_t text[1024] = {};
    GetWindowTextW(control, text, 1024);
    return U8(FromWide(text));
  };
  const std::string before = textOf(box);
  ASSERT_EQ(before, U8(FromWide(folder.path) + u"\\资料"));

  import.OpenVariableBuilder(u"NFolder");
  variables::win32::VariableBuilderDialog& builder = variables::win32::VariableBuilderDialog::Instance();
  ASSERT_TRUE(builder.Visible());
  EXPECT_EQ(GetWindow(builder.Handle(), GW_OWNER), window);
  SendMessageW(GetDlgItem(builder.Handle(), IDC_VB_APPEND), BM_CLICK, 0, 0);
  EXPECT_EQ(textOf(box), before + "{1Folder}");
  EXPECT_EQ(IsDlgButtonChecked(window, IDC_EDITOR_USE_VARIABLES), BST_CHECKED);
  EXPECT_EQ(textOf(GetDlgItem(dialog, IDC_EDITOR_PATHS)), "C:\\users") << "written into the hidden editor";
  SendMessageW(GetDlgItem(builder.Handle(), IDC_VB_OPTIONS), BM_CLICK, 0, 0);
  EXPECT_EQ(host.variableOptionsOpened, 1);

  // Closed with the import window; the editor is its caller again.
  SendMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_FALSE(import.Visible());
  EXPECT_FALSE(builder.Visible());
  ASSERT_TRUE(IsWindowVisible(dialog));
  editor.OpenVariableBuilder(u"NFolder");
  ASSERT_TRUE(builder.Visible());
  EXPECT_EQ(GetWindow(builder.Handle(), GW_OWNER), dialog);
  TreeView_SelectItem(GetDlgItem(dialog, IDC_EDITOR_TREE), TreeView_GetRoot(GetDlgItem(dialog, IDC_EDITOR_TREE)));
  SendMessageW(GetDlgItem(builder.Handle(), IDC_VB_COVER), BM_CLICK, 0, 0);
  EXPECT_EQ(textOf(GetDlgItem(dialog, IDC_EDITOR_PATHS)), "{1Folder}");
  EXPECT_EQ(textOf(box), before + "{1Folder}");
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_EDITOR_CANCEL, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_EDITOR_CANCEL)));
  EXPECT_FALSE(builder.Visible());
}

}  // namespace
}  // namespace pathorama::editor::win32
