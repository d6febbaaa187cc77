// The options dialog "选项" with a fake program: shown on a thread of its
// own and driven by messages to its controls as the controls themselves
// would send them.
#include "settings/win32/options_dialog.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "core/text.h"
#include "settings/win32/options_dialog_ids.h"
#include "shown_dialog.h"

namespace pathorama::settings::win32 {
namespace {

constexpr core::CalendarDate kToday{2026, 12, 10};
constexpr uint16_t kCtrl = 0x4000, kShift = 0x2000;

class FakeHost final : public OptionsHost {
 public:
  AppSettings settings{kToday};
  std::vector<ApplyMode> applied;
  std::vector<bool> currentFolderItems;
  std::vector<std::u16string> messages;
  std::vector<std::u16string> questions;
  bool answer = false;
  int unregistered = 0;

  AppSettings& LiveSettings() override { return settings; }
  void UnregisterHotKeys() override { ++unregistered; }
  void ApplySettings(ApplyMode mode) override { applied.push_back(mode); }
  void SelectFolderManager(int index) override { settings.SetInt(Setting::ChosenFolderManager, index); }
  void ShowWindowSpy() override {}
  void SetCurrentFolderItems(bool on) override { currentFolderItems.push_back(on); }
  void AutoHideChanged(bool) override {}
  void ClearIgnoredHotKeyNotices() override {}
  bool AskYesNo(std::u16string_view text, std::u16string_view) override {
    questions.emplace_back(text);
    return answer;
  }
  void ShowMessage(std::u16string_view text, std::u16string_view caption, Icon) override {
    messages.push_back(std::u16string(caption) + u": " + std::u16string(text));
  }
};

std::string Describe(const AppSettings& s) {
  std::string text;
  for (const SettingDefinition& def : SettingDefinitions())
    text += core::Utf16ToUtf8(def.key) + "=" + core::Utf16ToUtf8(SettingValueText(s, def, kToday)) + "\n";
  for (const IgnoreListDefinition& list : IgnoreListDefinitions())
    text += core::Utf16ToUtf8(list.fileName) + ":" +
            std::to_string(s.IgnoreListLines(list.id).size()) + "\n";
  return text;
}

class Shown : public test_support::ShownDialog<bool> {
 public:
  explicit Shown(FakeHost& host, int page = 0)
      : ShownDialog([&host, page] { return OptionsDialog::Instance().Open(host, page); },
                    [](HWND w) { PostMessageW(w, WM_COMMAND, IDCANCEL, 0); }) {}

  HWND Control(int id) const {
    struct Search {
      int id;
      HWND found;
    } search{id, nullptr};
    EnumChildWindows(
        Window(),
        [](HWND child, LPARAM param) -> BOOL {
          auto* s = reinterpret_cast<Search*>(param);
          if (GetDlgCtrlID(child) != s->id) return TRUE;
          s->found = child;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
  }
  void Click(int id) const { SendMessageW(Control(id), BM_CLICK, 0, 0); }
  bool Checked(int id) const { return SendMessageW(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
  // As the hotkey control reports a shortcut the user typed.
  void TypeShortcut(int id, uint16_t controlValue) const {
    HWND field = Control(id);
    SendMessageW(field, HKM_SETHOTKEY, controlValue, 0);
    SendMessageW(GetParent(field), WM_COMMAND, MAKEWPARAM(id, EN_CHANGE), reinterpret_cast<LPARAM>(field));
  }
  uint16_t ShortcutShown(int id) const {
    return static_cast<uint16_t>(SendMessageW(Control(id), HKM_GETHOTKEY, 0, 0));
  }
  void SetText(int id, const wchar_t* text) const { SendMessageW(Control(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)); }
  void Focus(HWND control) const {
    SendMessageW(Window(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
  }
  HWND FocusOfDialogThread() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(Window(), nullptr), &info);
    return info.hwndFocus;
  }
  std::vector<std::wstring> IgnoreTabCaptions() const {
    HWND tabs = Control(IDC_OPT_IGNORE_TABS);
    std::vector<std::wstring> captions;
    const int count = static_cast<int>(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      wchar_t text[64] = {};
      TCITEMW item{};
      item.mask = TCIF_TEXT;
      item.pszText = text;
      item.cchTextMax = 64;
      SendMessageW(tabs, TCM_GETITEMW, i, reinterpret_cast<LPARAM>(&item));
      captions.emplace_back(text);
    }
    return captions;
  }
};

TEST(OptionsDialogTest, TakenShortcutIsRefusedAndTheIgnorePagesFollowTheShortcuts) {
  FakeHost host;
  Shown dialog(host);
  ASSERT_TRUE(dialog.Window());
  EXPECT_EQ(dialog.IgnoreTabCaptions(), std::vector<std::wstring>{L"热键 Ctrl+D"});

  // Ctrl+G, the dialog hotkey, into the first jump-list field.
  dialog.TypeShortcut(IDC_OPT_JUMP_HOTKEY1, MAKEWORD('G', HOTKEYF_CONTROL));
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(core::Utf16ToUtf8(host.messages[0]),
            "快捷键已被占用: 快捷键 Ctrl+G 已被用于在 打开/另存为 对话框中切换到已打开文件夹\r请返回后重新设置");
  EXPECT_EQ(dialog.ShortcutShown(IDC_OPT_JUMP_HOTKEY1), MAKEWORD('D', HOTKEYF_CONTROL));
  EXPECT_EQ(host.settings.Shortcut(Setting::JumpMenuHotKey1), kCtrl | 'D');
  EXPECT_GE(host.unregistered, 1);

  // A bare key becomes Ctrl+key; the second field's page appears.
  dialog.TypeShortcut(IDC_OPT_JUMP_HOTKEY2, MAKEWORD(VK_F5, HOTKEYF_SHIFT | HOTKEYF_CONTROL));
  EXPECT_EQ(host.settings.Shortcut(Setting::JumpMenuHotKey2), kCtrl | kShift | VK_F5);
  EXPECT_EQ(dialog.IgnoreTabCaptions(), (std::vector<std::wstring>{L"热键 Ctrl+D", L"热键 Ctrl+Shift+F5"}));
  dialog.TypeShortcut(IDC_OPT_JUMP_HOTKEY1, 0);
  EXPECT_EQ(dialog.IgnoreTabCaptions(), std::vector<std::wstring>{L"热键 Ctrl+Shift+F5"});
  EXPECT_EQ(host.messages.size(), 1u);

  dialog.Click(IDOK);
  EXPECT_TRUE(dialog.Result());
  EXPECT_EQ(host.applied, std::vector<ApplyMode>{ApplyMode::Accepted});
  EXPECT_EQ(host.settings.Shortcut(Setting::JumpMenuHotKey1), 0);
}

TEST(OptionsDialogTest, CancelPutsBackTheSettingsAsTheyWereAtShowing) {
  FakeHost host;
  host.settings.SetInt(Setting::AutoHideDistance, 7);
  host.settings.SetText(Setting::CustomRandomCharacters, u"xyz");
  const std::string before = Describe(host.settings);
  {
    Shown dialog(host);
    ASSERT_TRUE(dialog.Window());
    dialog.Click(IDC_OPT_UNDER_CURSOR);
    dialog.Click(IDC_OPT_AUTO_RUN);
    dialog.Click(IDC_OPT_RANDOM_ROMAN);
    dialog.SetText(IDC_OPT_AUTO_HIDE_DISTANCE, L"9");
    dialog.SetText(IDC_OPT_RANDOM_CUSTOM_CHARS, L"");
    dialog.SetText(IDC_OPT_ACCEL_BASE + 4, L"7");
    dialog.TypeShortcut(IDC_OPT_DIALOG_HOTKEY, MAKEWORD('E', HOTKEYF_CONTROL));
    for (int i = 0; i < 3; ++i) dialog.Click(IDC_OPT_CURDIR_EVERY_GROUP);
    SendMessageW(dialog.Control(IDC_OPT_IGNORE_APP1), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"one.exe"));
    // The edits reached the live settings.
    EXPECT_TRUE(host.settings.Bool(Setting::JumpMenuUnderCursor));
    EXPECT_EQ(host.settings.Int(Setting::AutoHideDistance), 9);
    EXPECT_EQ(OptionsDialog::Instance().Accelerators()[4], u'7');
    EXPECT_EQ(host.currentFolderItems, (std::vector<bool>{false, true, false}));
    // Closed as with the close box.
    SendMessageW(dialog.Window(), WM_COMMAND, IDCANCEL, 0);
    EXPECT_FALSE(dialog.Result());
  }
  EXPECT_EQ(Describe(host.settings), before);
  EXPECT_EQ(host.applied, std::vector<ApplyMode>{ApplyMode::Cancelled});
  EXPECT_EQ(OptionsDialog::Instance().Accelerators()[4], u'S');
  // The list gets its current-folder items back.
  EXPECT_EQ(host.currentFolderItems, (std::vector<bool>{false, true, false, true}));
}

TEST(OptionsDialogTest, AcceleratorBoxesAreCheckedOnLeavingAndOnOkButNeverHoldCancel) {
  FakeHost host;
  Shown dialog(host, 4);
  ASSERT_TRUE(dialog.Window());
  HWND settingsBox = dialog.Control(IDC_OPT_ACCEL_BASE + 4);
  dialog.Focus(settingsBox);
  dialog.SetText(IDC_OPT_ACCEL_BASE + 4, L"77");
  // Leaving for another control of the dialog: the message, focus back.
  dialog.Focus(dialog.Control(IDC_OPT_CURDIR_EVERY_GROUP));
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(core::Utf16ToUtf8(host.messages[0]), "加速键设置有误: 加速键只能是单个字母或数字，请重新设置");
  EXPECT_EQ(dialog.FocusOfDialogThread(), settingsBox);
  // OK checks every box and stays open.
  dialog.Click(IDOK);
  EXPECT_EQ(host.messages.size(), 2u);
  EXPECT_TRUE(IsWindow(dialog.Window()));
  EXPECT_TRUE(host.applied.empty());
  // Leaving for Cancel asks nothing, and Cancel closes.
  dialog.Focus(dialog.Control(IDCANCEL));
  EXPECT_EQ(host.messages.size(), 2u);
  dialog.Click(IDCANCEL);
  EXPECT_FALSE(dialog.Result());
  EXPECT_EQ(host.applied, std::vector<ApplyMode>{ApplyMode::Cancelled});
  EXPECT_EQ(OptionsDialog::Instance().Accelerators()[4], u'S');
}

TEST(OptionsDialogTest, ValidAcceleratorIsKeptOnOkAndResetPutsTheDefaultBack) {
  FakeHost host;
  {
    Shown dialog(host, 4);
    ASSERT_TRUE(dialog.Window());
    dialog.SetText(IDC_OPT_ACCEL_BASE + 4, L"7");
    dialog.SetText(IDC_OPT_ACCEL_BASE + 2, L"x");
    dialog.Click(IDOK);
    EXPECT_TRUE(dialog.Result());
  }
  EXPECT_TRUE(host.messages.empty());
  EXPECT_EQ(OptionsDialog::Instance().Accelerators()[4], u'7');
  EXPECT_EQ(OptionsDialog::Instance().Accelerators()[2], u'X');
  {
    Shown dialog(host, 4);
    ASSERT_TRUE(dialog.Window());
    dialog.Click(IDC_OPT_RESET_BASE + 4);
    dialog.Click(IDC_OPT_RESET_BASE + 2);
    dialog.Click(IDOK);
    EXPECT_TRUE(dialog.Result());
  }
  EXPECT_EQ(OptionsDialog::Instance().Accelerators()[4], u'S');
  EXPECT_EQ(OptionsDialog::Instance().Accelerators()[2], u'C');
}

TEST(OptionsDialogTest, CapsLockConflictAnsweredNoKeepsTheOtherOption) {
  struct Case {
    const char* name;
    int box;
    bool answer;
    bool directAfter, anotherAfter;
  } cases[] = {
      {"例外 checked, No", IDC_OPT_DIRECT_CAPS_LOCK, false, false, true},
      {"例外 checked, Yes", IDC_OPT_DIRECT_CAPS_LOCK, true, true, false},
  };
  for (const Case& c : cases) {
    FakeHost host;
    host.answer = c.answer;
    host.settings.SetBool(Setting::DirectJumpListWhenCapsLock, false);
    host.settings.SetBool(Setting::UseAnotherOpenMethodWhenCapsLock, true);
    Shown dialog(host, 2);
    ASSERT_TRUE(dialog.Window()) << c.name;
    dialog.Click(c.box);
    EXPECT_EQ(host.questions.size(), 1u) << c.name;
    EXPECT_EQ(dialog.Checked(IDC_OPT_DIRECT_CAPS_LOCK), c.directAfter) << c.name;
    EXPECT_EQ(dialog.Checked(IDC_OPT_FM_CAPS_LOCK), c.anotherAfter) << c.name;
    EXPECT_EQ(host.settings.Bool(Setting::DirectJumpListWhenCapsLock), c.directAfter) << c.name;
    EXPECT_EQ(host.settings.Bool(Setting::UseAnotherOpenMethodWhenCapsLock), c.anotherAfter) << c.name;
    dialog.Click(IDOK);
    EXPECT_TRUE(dialog.Result()) << c.name;
  }
}

TEST(OptionsDialogTest, SecondRequestWhileOpenDoesNotNestAndBoxesEnableTheirControls) {
  FakeHost host;
  Shown dialog(host);
  ASSERT_TRUE(dialog.Window());
  FakeHost other;
  EXPECT_FALSE(OptionsDialog::Instance().Open(other));
  EXPECT_TRUE(IsWindow(dialog.Window()));

  EXPECT_TRUE(IsWindowEnabled(dialog.Control(IDC_OPT_CAPTURE_HOTKEY)));
  dialog.Click(IDC_OPT_CAPTURE);
  EXPECT_FALSE(IsWindowEnabled(dialog.Control(IDC_OPT_CAPTURE_HOTKEY)));
  EXPECT_FALSE(IsWindowEnabled(dialog.Control(IDC_OPT_CAPTURE_ACTION)));
  // The two hide boxes of the add and delete items are one setting.
  dialog.Click(IDC_OPT_HIDE_BASE + 1);
  EXPECT_TRUE(dialog.Checked(IDC_OPT_HIDE_BASE));
  EXPECT_TRUE(host.settings.Bool(Setting::HideAddCurrentFolder));
  dialog.Click(IDOK);
  EXPECT_TRUE(dialog.Result());
  EXPECT_FALSE(host.settings.Bool(Setting::CaptureOfficeOrWindowFolderPath));
}

// A number typed beyond the box's range is stored clamped at once; the box
// shows the stored number once it is left (a text that is no number leaves
// the setting as it was, and the box shows that).
TEST(OptionsDialogTest, NumberBoxShowsTheClampedValueWhenLeft) {
  FakeHost host;
  Shown dialog(host, 4);
  ASSERT_TRUE(dialog.Window());
  HWND box = dialog.Control(IDC_OPT_CAPTION_LENGTH);
  auto shown = [box] {
    wchar_t text[32] = {};
    GetWindowTextW(box, text, 32);
    return std::wstring(text);
  };
  dialog.Focus(box);
  dialog.SetText(IDC_OPT_CAPTION_LENGTH, L"250");
  EXPECT_EQ(host.settings.Int(Setting::ItemCaptionMaxLength), 100);
  EXPECT_EQ(shown(), L"250") << "rewritten while typing";
  dialog.Focus(dialog.Control(IDC_OPT_HIDE_BASE));
  EXPECT_EQ(shown(), L"100");
  dialog.Focus(box);
  dialog.SetText(IDC_OPT_CAPTION_LENGTH, L"0");
  dialog.Focus(dialog.Control(IDC_OPT_HIDE_BASE));
  EXPECT_EQ(host.settings.Int(Setting::ItemCaptionMaxLength), 1);
  EXPECT_EQ(shown(), L"1");
  dialog.Focus(box);
  dialog.SetText(IDC_OPT_CAPTION_LENGTH, L"");
  dialog.Focus(dialog.Control(IDC_OPT_HIDE_BASE));
  EXPECT_EQ(shown(), L"1");
  dialog.Click(IDCANCEL);
  EXPECT_FALSE(dialog.Result());
}

TEST(OptionsDialogTest, FolderManagerPageShowsTheChosenManagersTemplate) {
  FakeHost host;
  Shown dialog(host, 1);
  ASSERT_TRUE(dialog.Window());
  HWND list = dialog.Control(IDC_OPT_FM_NAME);
  SendMessageW(list, CB_SETCURSEL, 1, 0);  // TotalCommander
  SendMessageW(GetParent(list), WM_COMMAND, MAKEWPARAM(IDC_OPT_FM_NAME, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(list));
  auto params = [&] {
    wchar_t text[256] = {};
    GetWindowTextW(dialog.Control(IDC_OPT_FM_PARAMS), text, 256);
    return std::wstring(text);
  };
  EXPECT_EQ(params(), L"/O /S /L=\"%1\" /T");
  EXPECT_TRUE(IsWindowVisible(dialog.Control(IDC_OPT_FM_TC_SOURCE)));
  EXPECT_FALSE(IsWindowVisible(dialog.Control(IDC_OPT_FM_MAXIMIZE)));
  dialog.Click(IDC_OPT_FM_NEW_WINDOW);
  EXPECT_EQ(params().substr(0, 3), L"/N ");
  EXPECT_FALSE(IsWindowEnabled(dialog.Control(IDC_OPT_FM_TC_SOURCE)));
  EXPECT_TRUE(IsWindowEnabled(dialog.Control(IDC_OPT_FM_TC_PANEL)));
  const std::wstring shown = params();
  EXPECT_EQ(core::Utf16ToUtf8(host.settings.Text(Setting::FolderManagerParameters)),
            core::Utf16ToUtf8(std::u16string(shown.begin(), shown.end())));
  dialog.Click(IDCANCEL);
  EXPECT_FALSE(dialog.Result());
  EXPECT_EQ(host.settings.FolderManagerIndex(), 0);
  EXPECT_TRUE(host.settings.Text(Setting::FolderManagerParameters).empty());
}

TEST(OptionsDialogTest, FirstWeekDatePickedInAnotherYearMovesIntoThisYear) {
  FakeHost host;
  Shown dialog(host, 3);
  ASSERT_TRUE(dialog.Window());
  HWND picker = dialog.Control(IDC_OPT_AS_FIRST_WEEK);
  SYSTEMTIME picked{};
  picked.wYear = 2019;
  picked.wMonth = 9;
  picked.wDay = 2;
  SendMessageW(picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&picked));
  // As the picker reports the user's choice.
  NMDATETIMECHANGE change{};
  change.nmhdr = {picker, static_cast<UINT_PTR>(IDC_OPT_AS_FIRST_WEEK), DTN_DATETIMECHANGE};
  change.st = picked;
  SendMessageW(GetParent(picker), WM_NOTIFY, IDC_OPT_AS_FIRST_WEEK, reinterpret_cast<LPARAM>(&change));
  SYSTEMTIME now{};
  GetLocalTime(&now);
  EXPECT_EQ(host.settings.Date(Setting::AsFirstWeek), (core::CalendarDate{now.wYear, 9, 2}));
  SYSTEMTIME shown{};
  SendMessageW(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&shown));
  EXPECT_EQ(shown.wYear, now.wYear);
  dialog.Click(IDCANCEL);
  EXPECT_FALSE(dialog.Result());
  EXPECT_EQ(host.settings.Date(Setting::AsFirstWeek), (core::CalendarDate{2026, 1, 1}));
}

}  // namespace
}  // namespace pathorama::settings::win32
