// The jump-list popup against real menus: the items a showing builds (ids,
// check marks, captions, icons) with a stand-in folder manager in front,
// and the real menu loop driven by keys: an entry with a tag above 65,535,
// a function item, a group opened with Ctrl held, and a second request
// while the popup is open.
#include "jumplist/win32/popup_menu.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "core/ini.h"
#include "core/text.h"
#include "core/win32/wide_text.h"
#include "jumplist/jump_list.h"
#include "jumplist/jump_menu.h"
#include "jumplist/win32/jump_list_popup.h"
#include "standin_process.h"

namespace pathorama::jumplist::win32 {
namespace {

using core::win32::FromWide;

JumpList Load(std::u16string_view pathMenuLines, int32_t firstTag = 0) {
  core::IniDocument doc = core::IniDocument::Parse(u"[PathMenu]\n" + std::u16string(pathMenuLines));
  JumpList list;
  list.SetItemCounter(firstTag);
  list.CreatePathListFromIni(doc);
  CopyFunctionItemsIntoJumpList(list, 1);
  SetCurrentFolderItems(list, true);
  return list;
}

struct MenuRow {
  std::u16string caption;  // "-" for a separator
  bool checked = false;
  bool disabled = false;
  bool submenu = false;
  bool bitmap = false;
  UINT id = 0;
};

std::vector<MenuRow> Rows(HMENU menu) {
  std::vector<MenuRow> rows;
  for (int i = 0, n = GetMenuItemCount(menu); i < n; ++i) {
    wchar_t text[256] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STRING | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_BITMAP;
    info.dwTypeData = text;
    info.cch = 255;
    EXPECT_TRUE(GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info));
    MenuRow row;
    row.caption = (info.fType & MFT_SEPARATOR) ? u"-" : FromWide(text);
    row.checked = (info.fState & MFS_CHECKED) != 0;
    row.disabled = (info.fState & MFS_DISABLED) != 0;
    row.submenu = info.hSubMenu != nullptr;
    row.bitmap = info.hbmpItem != nullptr;
    row.id = info.wID;
    rows.push_back(row);
  }
  return rows;
}

std::string Describe(const std::vector<MenuRow>& rows) {
  std::string text;
  for (const MenuRow& r : rows) {
    text += r.checked ? "[x] " : "";
    text += core::Utf16ToUtf8(r.caption);
    text += r.submenu ? "/" : "";
    text += r.disabled ? " {grey}" : "";
    text += r.bitmap ? " {icon}" : "";
    text += "\n";
  }
  return text;
}

TEST(PopupMenu, AShowingBuildsCheckedItemsCaptionsIconsAndCommandsForTheOpenFolder) {
  // The stand-in is the topmost folder manager; its address box holds the folder.
  test_support::Standin manager(L"xplorer2_64.exe", L"--folder=C:\\users\\", L"ATL:ExplorerFrame");
  ASSERT_NE(manager.Window(), nullptr);
  const std::u16string folder = ReadCurrentFolder();
  ASSERT_EQ(folder, u"C:\\users\\");

  JumpList list = Load(
      u"menu1=文档(&D)\npath1=C:\\windows\nmenu2=-工作\nmenu3=用户\npath3=c:\\USERS\nmenu4=报告\n"
      u"path4=C:\\reports\nmenu5=--\nmenu6=-\nmenu7=Off\npath7=/C:\\users\n");
  PreparedMenu prepared = PrepareJumpMenu(list, folder, {}, nullptr);
  MenuIcons icons(GetModuleHandleW(nullptr));
  PopupMenuBuild build(list, prepared, &icons);
  ASSERT_NE(build.Menu(), nullptr);

  std::vector<MenuRow> top = Rows(build.Menu());
  EXPECT_EQ(Describe(top),
            "文档(&D)\n"
            "[x] 工作/\n"
            "-\n"
            "-\n"
            "删除当前文件夹条目(&R) {icon}\n"
            "配置路径跳转列表(&C) {icon}\n"
            "批量删除特定条目(&D)/\n"  // its accelerator is the entry's: no icon
            "禁用弹出跳转列表的热键(&J)/ {grey} {icon}\n"
            "程序设置(&S) {icon}\n");
  // Identifiers are the showing's own, small and distinct; each leads back
  // to its item.
  EXPECT_EQ(build.CommandOf(top[0].id),
            (MenuCommand{MenuCommand::Kind::Item, list.Items()[0].tag}));
  EXPECT_EQ(build.CommandOf(top[4].id),
            (MenuCommand{MenuCommand::Kind::Function,
                         FunctionTag(FunctionItem::AddOrDeleteCurrentFolder)}));
  EXPECT_EQ(build.CommandOf(0), std::nullopt);
  EXPECT_EQ(build.CommandOf(9999), std::nullopt);

  // The group's submenu is filled when it opens.
  HMENU group = GetSubMenu(build.Menu(), 1);
  ASSERT_NE(group, nullptr);
  EXPECT_EQ(GetMenuItemCount(group), 0);
  const JumpItem* shown = build.OnInitMenuPopup(group);
  ASSERT_NE(shown, nullptr);
  EXPECT_EQ(shown->caption, u"工作");
  std::vector<MenuRow> inner = Rows(group);
  EXPECT_EQ(Describe(inner), "[x] 用户\n报告\n-\n删除当前文件夹条目(&R)\n");
  ASSERT_TRUE(build.CommandOf(inner[3].id).has_value());
  EXPECT_EQ(build.CommandOf(inner[3].id)->kind, MenuCommand::Kind::CurrentFolderItem);
  EXPECT_EQ(build.OnInitMenuPopup(group), shown);
  EXPECT_EQ(GetMenuItemCount(group), 4) << "filled once";
  EXPECT_EQ(build.OnInitMenuPopup(CreatePopupMenu()), nullptr);

  // The icon is the add-folder picture: yellow folder pixels.
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_BITMAP;
  ASSERT_TRUE(GetMenuItemInfoW(build.Menu(), 4, TRUE, &info));
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof bi.bmiHeader, 16, -16, 1, 32, BI_RGB};
  DWORD pixels[16 * 16] = {};
  HDC dc = GetDC(nullptr);
  ASSERT_EQ(GetDIBits(dc, info.hbmpItem, 0, 16, pixels, &bi, DIB_RGB_COLORS), 16);
  ReleaseDC(nullptr, dc);
  EXPECT_EQ(pixels[5 * 16 + 4] & 0xFFFFFF, 0xE8B830u);  // row 5, column 4 of the drawing
}

// The function items' icons follow the scaling of the monitor: 16 pixels at
// 96 DPI, 24 at 150 %, 32 at 200 %, made again when it changes.
TEST(PopupMenu, IconsAreMadeAtTheSizeOfTheMonitorsScaling) {
  auto side = [](HBITMAP bitmap) {
    BITMAP b{};
    return bitmap && GetObjectW(bitmap, sizeof b, &b) ? b.bmWidth : 0;
  };
  MenuIcons icons(GetModuleHandleW(nullptr));
  EXPECT_EQ(side(icons.For(FunctionItem::AppSettings)), 16);
  for (const auto& [dpi, size] : {std::pair{144, 24}, std::pair{192, 32}, std::pair{96, 16}}) {
    icons.UseDpi(dpi);
    EXPECT_EQ(icons.IconSize(), size) << dpi;
    EXPECT_EQ(side(icons.For(FunctionItem::AppSettings)), size) << dpi;
    EXPECT_EQ(side(icons.For(FunctionItem::ConfigureJumpList)), size) << dpi;
  }
}

// ---------------------------------------------------------------------------
// The real menu loop, driven by keys sent to it from a timer of the owner.

struct Recording : core::UserPrompts {
  std::vector<std::u16string> told;
  void Tell(std::u16string_view text, std::u16string_view, core::PromptIcon) override {
    told.emplace_back(text);
  }
  bool AskYesNo(std::u16string_view, std::u16string_view, core::PromptIcon) override {
    return false;
  }
};

JumpListPopup* activePopup = nullptr;
std::function<void()> onTimer;  // what the test does inside the menu loop
constexpr UINT_PTR kScriptTimer = 1, kGiveUpTimer = 2;

LRESULT CALLBACK OwnerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (activePopup && activePopup->HandleOwnerMessage(message, wParam, lParam)) return 0;
  if (message == WM_TIMER) {
    KillTimer(hwnd, wParam);
    if (wParam == kScriptTimer && onTimer) onTimer();
    if (wParam == kGiveUpTimer) EndMenu();  // a menu that did not close: bounded
    return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

class PopupLoop : public testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSW wc{};
    wc.lpfnWndProc = OwnerProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"PopupTestOwner";
    RegisterClassW(&wc);
    owner_ = CreateWindowExW(WS_EX_TOPMOST, L"PopupTestOwner", L"owner", WS_POPUP | WS_VISIBLE, 10,
                             10, 100, 30, nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(owner_, nullptr);
    popup_ = std::make_unique<JumpListPopup>(GetModuleHandleW(nullptr));
    activePopup = popup_.get();
    SetControl(false);
  }
  void TearDown() override {
    SetControl(false);
    activePopup = nullptr;
    onTimer = nullptr;
    popup_.reset();
    DestroyWindow(owner_);
  }

  static void SetControl(bool down) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = keys[VK_LCONTROL] = down ? 0x80 : 0;
    SetKeyboardState(keys);
  }

  // Shows the popup for `list`; `chars` are typed into the menu loop, one
  // per timer tick.
  bool Show(JumpList& list, std::u16string chars, const std::u16string& folder = u"") {
    keys_ = std::move(chars);
    onTimer = [this] { TypeNext(); };
    SetTimer(owner_, kScriptTimer, 300, nullptr);
    SetTimer(owner_, kGiveUpTimer, 8000, nullptr);
    request_.owner = owner_;
    request_.list = &list;
    request_.placement.placement = MenuPlacement::AtCentre;
    request_.captureTarget = false;
    request_.target = &target_;
    request_.prompts = &prompts_;
    request_.currentFolder = folder;
    hooks_.runItem = [this](const std::u16string& info) { ran_.push_back(info); };
    hooks_.saveJumpList = [this] {
      ++saves_;
      return true;
    };
    bool shown = popup_->Show(request_, hooks_);
    KillTimer(owner_, kScriptTimer);
    KillTimer(owner_, kGiveUpTimer);
    return shown;
  }

  void TypeNext() {
    if (extra_) {
      auto step = std::move(extra_);
      extra_ = nullptr;
      step();
    }
    if (keys_.empty()) return;
    // Escape is a key of its own to the menu; letters choose by accelerator.
    if (keys_[0] == u'\x1b')
      PostMessageW(owner_, WM_KEYDOWN, VK_ESCAPE, 0);
    else
      PostMessageW(owner_, WM_CHAR, keys_[0], 0);
    keys_.erase(0, 1);
    SetTimer(owner_, kScriptTimer, 300, nullptr);
  }

  HWND owner_ = nullptr;
  std::unique_ptr<JumpListPopup> popup_;
  windows::win32::TargetWindow target_;
  Recording prompts_;
  PopupRequest request_;
  PopupHooks hooks_;
  std::u16string keys_;
  std::function<void()> extra_;
  std::vector<std::u16string> ran_;
  int saves_ = 0;
};

TEST_F(PopupLoop, AnEntryWhoseTagExceedsSixteenBitsIsChosenByItsAccelerator) {
  JumpList list = Load(u"menu1=First(&F)\npath1=C:\\first\nmenu2=Big(&K)\npath2=C:\\big\n", 70000);
  ASSERT_GT(list.Items()[1].tag, 65535);
  ASSERT_TRUE(Show(list, u"k"));
  EXPECT_EQ(ran_, std::vector<std::u16string>{u"C:\\big"});
  EXPECT_FALSE(popup_->IsOpen());
}

TEST_F(PopupLoop, TheDeleteItemRemovesTheCheckedEntryAndSavesTheList) {
  JumpList list = Load(u"menu1=A\npath1=C:\\a\nmenu2=B\npath2=C:\\b\\\n", 70000);
  ASSERT_TRUE(Show(list, u"r", u"c:\\B"));
  EXPECT_TRUE(ran_.empty());
  EXPECT_EQ(saves_, 1);
  EXPECT_EQ(list.Items()[1].kind, JumpItemKind::kFunction) << "B is gone, A stays";
  EXPECT_EQ(list.PathByTag(list.Items()[0].tag), u"C:\\a");
  EXPECT_FALSE(list.HasPathByTag(70002));

  // Without a folder the same item adds, and says there is nothing to add.
  ASSERT_TRUE(Show(list, u"a"));
  EXPECT_EQ(prompts_.told, std::vector<std::u16string>{u"当前没有捕获到文件夹"});
  EXPECT_EQ(saves_, 1);

  // A UNC folder goes to the add dialog with its leading backslashes.
  std::vector<std::u16string> added;
  hooks_.openAddDialog = [&](const std::u16string& folder, int32_t group) {
    added.push_back(folder + u" " + core::IntToText(group));
  };
  ASSERT_TRUE(Show(list, u"a", u"\\\\srv\\share\\"));
  EXPECT_EQ(added, std::vector<std::u16string>{u"\\\\srv\\share\\ 0"});
  EXPECT_EQ(prompts_.told.size(), 1u);
}

TEST_F(PopupLoop, AGroupOpenedWithCtrlRunsItsEntriesInOrderAfterTheMenuClosed) {
  JumpList list = Load(
      u"menu1=-Work(&W)\npath1=C:\\work\nmenu2=A\npath2=C:\\a\nmenu3=Off\npath3=/C:\\off\n"
      u"menu4=-Sub\npath4=C:\\sub\nmenu5=S\npath5=C:\\s\nmenu6=--\nmenu7=B\npath7=C:\\b\nmenu8=--"
      u"\n");
  SetControl(true);
  ASSERT_TRUE(Show(list, u"w"));
  EXPECT_EQ(ran_, (std::vector<std::u16string>{u"C:\\a", u"C:\\sub", u"C:\\b"}));

  // Without Ctrl the group only opens; an entry of it is then chosen.
  SetControl(false);
  ran_.clear();
  JumpList again =
      Load(u"menu1=-Work(&W)\nmenu2=A(&A)\npath2=C:\\a\nmenu3=B(&B)\npath3=C:\\b\nmenu4=--\n");
  ASSERT_TRUE(Show(again, u"wb"));
  EXPECT_EQ(ran_, std::vector<std::u16string>{u"C:\\b"});

  // From an Open/Save dialog Ctrl does not run the group.
  SetControl(true);
  ran_.clear();
  target_.className = u"#32770";
  ASSERT_TRUE(Show(again, u"wb"));
  EXPECT_EQ(ran_, std::vector<std::u16string>{u"C:\\b"});
}

TEST_F(PopupLoop, ARequestWhileThePopupIsOpenIsRefused) {
  JumpList list = Load(u"menu1=A(&A)\npath1=C:\\a\n");
  bool nestedShown = true;
  bool openInside = false;
  extra_ = [&] {
    openInside = popup_->IsOpen();
    PopupRequest nested = request_;
    nestedShown = popup_->Show(nested, hooks_);
  };
  ASSERT_TRUE(Show(list, u"\x1b"));  // Escape closes it
  EXPECT_TRUE(openInside);
  EXPECT_FALSE(nestedShown);
  EXPECT_TRUE(ran_.empty());
  EXPECT_FALSE(popup_->IsOpen());
}

TEST_F(PopupLoop, AHugeListAndAPathInfoOfThousandsOfPiecesStillPopUpAndRun) {
  std::u16string lines = u"menu1=Many(&M)\npath1=";
  for (int i = 0; i < 5000; ++i) lines += u"C:\\p" + core::IntToText(i) + u"|";
  lines += u"\n";
  for (int i = 2; i <= 100001; ++i)
    lines += u"menu" + core::IntToText(i) + u"=E" + core::IntToText(i) + u"\npath" +
             core::IntToText(i) + u"=C:\\e" + core::IntToText(i) + u"\n";
  JumpList list = Load(lines);
  ASSERT_TRUE(Show(list, u"m", u"C:\\e99999"));
  ASSERT_EQ(ran_.size(), 1u);
  EXPECT_EQ(ran_[0].size(), list.PathByTag(list.Items()[0].tag).size());
}

TEST_F(PopupLoop, TheChosenEntryRunsAfterTheMenuClosedAndMayShowItAgain) {
  JumpList list = Load(u"menu1=A(&A)\npath1=C:\\a\nmenu2=B(&B)\npath2=C:\\b\n");
  bool openDuringRun = true;
  bool shownAgain = false;
  hooks_.runItem = [&](const std::u16string& info) {
    ran_.push_back(info);
    if (ran_.size() > 1) return;
    openDuringRun = popup_->IsOpen();
    // The item run asks for the jump list again: it shows, and B is chosen.
    keys_ = u"b";
    SetTimer(owner_, kScriptTimer, 300, nullptr);
    SetTimer(owner_, kGiveUpTimer, 8000, nullptr);
    shownAgain = popup_->Show(request_, hooks_);
  };
  // Shown directly: the fixture's Show() would set its own item run.
  keys_ = u"a";
  onTimer = [this] { TypeNext(); };
  SetTimer(owner_, kScriptTimer, 300, nullptr);
  SetTimer(owner_, kGiveUpTimer, 8000, nullptr);
  request_.owner = owner_;
  request_.list = &list;
  request_.placement.placement = MenuPlacement::AtCentre;
  request_.captureTarget = false;
  request_.target = &target_;
  request_.prompts = &prompts_;
  ASSERT_TRUE(popup_->Show(request_, hooks_));
  EXPECT_FALSE(openDuringRun);
  EXPECT_TRUE(shownAgain);
  EXPECT_EQ(ran_, (std::vector<std::u16string>{u"C:\\a", u"C:\\b"}));
}

}  // namespace
}  // namespace pathorama::jumplist::win32
