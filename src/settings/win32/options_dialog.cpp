#include "settings/win32/options_dialog.h"

#include <commctrl.h>

#include <algorithm>
#include <span>
#include <vector>

#include "core/text.h"
#include "core/win32/wide_text.h"
#include "paths/folder_manager_commands.h"
#include "paths/folder_manager_settings.h"
#include "settings/win32/options_dialog_ids.h"
#include "ui/win32/background_drag.h"
#include "ui/win32/common_controls.h"
#include "ui/win32/window_boundary.h"

namespace pathorama::settings::win32 {

namespace {

using core::win32::AsWide;
using core::win32::FromWide;

// How a control shows its setting.
enum class Kind { Check, Radio, Combo, Number, HotKey, Text, Date };

constexpr int kAllManagers = -1;

struct Binding {
  int id;
  Setting setting;
  Kind kind;
};

// One table drives loading, storing and the dependencies of every control
// that has a key; the two "隐藏" boxes of the add and delete items share one.
constexpr Binding kBindings[] = {
    {IDC_OPT_UNDER_CURSOR, Setting::JumpMenuUnderCursor, Kind::Radio},
    {IDC_OPT_UNDER_APP, Setting::JumpMenuUnderApp, Kind::Radio},
    {IDC_OPT_UNDER_ADDRESS_BAR, Setting::JumpMenuUnderAddressBar, Kind::Radio},
    {IDC_OPT_AT_CENTER, Setting::JumpMenuAtCenter, Kind::Radio},
    {IDC_OPT_JUMP_HOTKEY1, Setting::JumpMenuHotKey1, Kind::HotKey},
    {IDC_OPT_JUMP_HOTKEY2, Setting::JumpMenuHotKey2, Kind::HotKey},
    {IDC_OPT_DIALOG_HOTKEY, Setting::OpenSaveDialogHotKey, Kind::HotKey},
    {IDC_OPT_FILL_EDIT, Setting::FillOpenedFolderIntoFocusedEdit, Kind::Check},
    {IDC_OPT_FILL_METHOD, Setting::FillFolderPathMethod, Kind::Combo},
    {IDC_OPT_SELECT_AFTER_FILL, Setting::SelectionAfterFillPath, Kind::Combo},
    {IDC_OPT_SAVE_TO_CLIP, Setting::SaveOpenedFolderPathToClipboard, Kind::Check},
    {IDC_OPT_GET_FOLDER_FROM, Setting::GetFolderFromManager, Kind::Combo},
    {IDC_OPT_CAPTURE, Setting::CaptureOfficeOrWindowFolderPath, Kind::Check},
    {IDC_OPT_CAPTURE_HOTKEY, Setting::CaptureOfficeOrWindowFolderPathHotKey, Kind::HotKey},
    {IDC_OPT_CAPTURE_ACTION, Setting::CapturedFolderPathAction, Kind::Combo},
    {IDC_OPT_AUTO_HIDE, Setting::AutoHideAtScreenEdge, Kind::Check},
    {IDC_OPT_AUTO_HIDE_DISTANCE, Setting::AutoHideDistance, Kind::Number},
    {IDC_OPT_AUTO_RUN, Setting::AutoRunWhenSystemStart, Kind::Check},
    {IDC_OPT_MAIN_WINDOW_AT, Setting::MainWindowAt, Kind::Combo},
    {IDC_OPT_CONTEXT_MENU, Setting::AddSelectedItemToJumpListFromContextMenu, Kind::Check},
    {IDC_OPT_SHOW_IGNORED, Setting::ShowMessageWhenHotKeyIgnored, Kind::Check},
    {IDC_OPT_DIRECT_CAPS_LOCK, Setting::DirectJumpListWhenCapsLock, Kind::Check},
    {IDC_OPT_WEEK_START, Setting::WeekStartsWith, Kind::Combo},
    {IDC_OPT_AS_FIRST_WEEK, Setting::AsFirstWeek, Kind::Date},
    {IDC_OPT_FIRST_DAY_FIRST_WEEK, Setting::FirstDayAsFirstWeek, Kind::Check},
    {IDC_OPT_DATE_DELIMITER, Setting::YearMonthDayDelimiter, Kind::Text},
    {IDC_OPT_SET_EMPTY_DAY, Setting::SetDayForEmptyDateParameter, Kind::Check},
    {IDC_OPT_EMPTY_DAY, Setting::DayForEmptyDateParameter, Kind::Date},
    {IDC_OPT_RANDOM_UPPER, Setting::UpperEnglishLetterAsRandom, Kind::Check},
    {IDC_OPT_RANDOM_LOWER, Setting::LowerEnglishLetterAsRandom, Kind::Check},
    {IDC_OPT_RANDOM_ROMAN, Setting::RomanNumeralsAsRandom, Kind::Check},
    {IDC_OPT_RANDOM_ARABIC, Setting::ArabicNumberAsRandom, Kind::Check},
    {IDC_OPT_RANDOM_CAPITAL_CN, Setting::CapitalChineseNumeralsAsRandom, Kind::Check},
    {IDC_OPT_RANDOM_CN, Setting::ChineseNumeralsAsRandom, Kind::Check},
    {IDC_OPT_RANDOM_CIRCLED, Setting::CircledNumberAsRandom, Kind::Check},
    {IDC_OPT_RANDOM_CUSTOM, Setting::CustomCharactersAsRandom, Kind::Check},
    {IDC_OPT_RANDOM_CUSTOM_CHARS, Setting::CustomRandomCharacters, Kind::Text},
    {IDC_OPT_RANDOM_LENGTH, Setting::RandomLength, Kind::Number},
    {IDC_OPT_HIDE_BASE + 0, Setting::HideAddCurrentFolder, Kind::Check},
    {IDC_OPT_HIDE_BASE + 1, Setting::HideAddCurrentFolder, Kind::Check},
    {IDC_OPT_HIDE_BASE + 2, Setting::HideConfigureJumpList, Kind::Check},
    {IDC_OPT_HIDE_BASE + 3, Setting::HideBatchDeleteItems, Kind::Check},
    {IDC_OPT_HIDE_BASE + 4, Setting::HideAppSettings, Kind::Check},
    {IDC_OPT_HIDE_BASE + 5, Setting::HideDisableJumpListHotKey, Kind::Check},
    {IDC_OPT_CURDIR_EVERY_GROUP, Setting::AddCurrentFolderItemToEveryGroup, Kind::Check},
    {IDC_OPT_LIMIT_CAPTION, Setting::LimitItemCaptionLength, Kind::Check},
    {IDC_OPT_CAPTION_LENGTH, Setting::ItemCaptionMaxLength, Kind::Number},
    // The folder-manager page.
    {IDC_OPT_FM_AUTO_MATCH, Setting::FolderManagerAutoMatch, Kind::Check},
    {IDC_OPT_FM_PATH, Setting::FolderManagerPath, Kind::Text},
    {IDC_OPT_FM_PARAMS, Setting::FolderManagerParameters, Kind::Text},
    {IDC_OPT_FM_REUSE, Setting::ReuseFolderManagerWindow, Kind::Radio},
    {IDC_OPT_FM_NEW_WINDOW, Setting::OpenNewFolderManagerWindow, Kind::Radio},
    {IDC_OPT_FM_CAPS_LOCK, Setting::UseAnotherOpenMethodWhenCapsLock, Kind::Check},
    {IDC_OPT_FM_MAXIMIZE, Setting::MaximizeFolderManager, Kind::Radio},
    {IDC_OPT_FM_MINIMIZE, Setting::MinimizeFolderManager, Kind::Radio},
    {IDC_OPT_FM_NORMAL, Setting::NormalFolderManager, Kind::Radio},
    {IDC_OPT_FM_ACTIVATE_ONLY, Setting::ActivateOnlyWhenFolderAlreadyOpen, Kind::Check},
    {IDC_OPT_FM_EP_MULTI, Setting::ExplorerOpensFurtherFoldersInNewWindows, Kind::Check},
    {IDC_OPT_FM_TC_LEFT, Setting::TotalCommanderOpenAtLeftPanel, Kind::Radio},
    {IDC_OPT_FM_TC_RIGHT, Setting::TotalCommanderOpenAtRightPanel, Kind::Radio},
    {IDC_OPT_FM_TC_SOURCE, Setting::TotalCommanderOpenAtSourcePanel, Kind::Radio},
    {IDC_OPT_FM_TC_TARGET, Setting::TotalCommanderOpenAtTargetPanel, Kind::Radio},
    {IDC_OPT_FM_TC_ACTIVATE_TAB, Setting::TotalCommanderActivateNewTab, Kind::Combo},
    {IDC_OPT_FM_TC_PANEL, Setting::TotalCommanderPanelToActivate, Kind::Combo},
    {IDC_OPT_FM_DO_LEFT, Setting::DirectoryOpusOpenAtLeftPanel, Kind::Radio},
    {IDC_OPT_FM_DO_RIGHT, Setting::DirectoryOpusOpenAtRightPanel, Kind::Radio},
    {IDC_OPT_FM_DO_SOURCE, Setting::DirectoryOpusOpenAtSourcePanel, Kind::Radio},
    {IDC_OPT_FM_DO_TARGET, Setting::DirectoryOpusOpenAtTargetPanel, Kind::Radio},
    {IDC_OPT_FM_DO_NEW_TAB, Setting::DirectoryOpusOpenInNewTab, Kind::Check},
    {IDC_OPT_FM_DO_TAB_POS, Setting::DirectoryOpusNewTabPosition, Kind::Combo},
    {IDC_OPT_FM_DO_ACTIVATE_TAB, Setting::DirectoryOpusActivateNewTab, Kind::Combo},
    {IDC_OPT_FM_DO_EXPAND, Setting::DirectoryOpusExpandFolderTree, Kind::Check},
    {IDC_OPT_FM_DO_EXISTING_TAB, Setting::DirectoryOpusActivateOpenFolderTab, Kind::Check},
    {IDC_OPT_FM_DO_VIEW, Setting::DirectoryOpusNewTabView, Kind::Combo},
    {IDC_OPT_FM_XY_EXPAND, Setting::XYplorerExpandFolderTree, Kind::Check},
    {IDC_OPT_FM_XY_NO_SAVE, Setting::XYplorerDoNotSaveSettings, Kind::Check},
    {IDC_OPT_FM_XP_SINGLE, Setting::Xplorer2SinglePanel, Kind::Radio},
    {IDC_OPT_FM_XP_DUAL, Setting::Xplorer2DualPanels, Kind::Radio},
    {IDC_OPT_FM_XP_NO_TABS, Setting::Xplorer2DoNotRestoreTabs, Kind::Check},
    {IDC_OPT_FM_FC_LEFT, Setting::FreeCommanderOpenAtLeftPanel, Kind::Radio},
    {IDC_OPT_FM_FC_RIGHT, Setting::FreeCommanderOpenAtRightPanel, Kind::Radio},
    {IDC_OPT_FM_FC_SOURCE, Setting::FreeCommanderOpenAtSourcePanel, Kind::Radio},
    {IDC_OPT_FM_FC_TARGET, Setting::FreeCommanderOpenAtTargetPanel, Kind::Radio},
    {IDC_OPT_FM_FC_ACTIVATE_TAB, Setting::FreeCommanderActivateNewTab, Kind::Combo},
    {IDC_OPT_FM_FC_PANEL, Setting::FreeCommanderPanelToActivate, Kind::Combo},
};

// The managers' own controls; only the chosen manager's are shown.
struct ManagerControl {
  int id;
  int manager;
};
constexpr ManagerControl kManagerControls[] = {
    {IDC_OPT_FM_MAXIMIZE, 0}, {IDC_OPT_FM_MINIMIZE, 0}, {IDC_OPT_FM_NORMAL, 0},
    {IDC_OPT_FM_EP_MULTI, 0},
    {IDC_OPT_FM_TC_LEFT, 1}, {IDC_OPT_FM_TC_RIGHT, 1}, {IDC_OPT_FM_TC_SOURCE, 1},
    {IDC_OPT_FM_TC_TARGET, 1}, {IDC_OPT_FM_TC_NEW_TAB, 1}, {IDC_OPT_FM_TC_ACTIVATE_TAB, 1},
    {IDC_OPT_FM_TC_PANEL, 1},
    {IDC_OPT_FM_DO_LEFT, 2}, {IDC_OPT_FM_DO_RIGHT, 2}, {IDC_OPT_FM_DO_SOURCE, 2},
    {IDC_OPT_FM_DO_TARGET, 2}, {IDC_OPT_FM_DO_NEW_TAB, 2}, {IDC_OPT_FM_DO_TAB_POS, 2},
    {IDC_OPT_FM_DO_ACTIVATE_TAB, 2}, {IDC_OPT_FM_DO_EXPAND, 2}, {IDC_OPT_FM_DO_EXISTING_TAB, 2},
    {IDC_OPT_FM_DO_VIEW, 2}, {IDC_OPT_FM_DO_VIEW_LABEL, 2},
    {IDC_OPT_FM_XY_EXPAND, 3}, {IDC_OPT_FM_XY_NO_SAVE, 3},
    {IDC_OPT_FM_XP_SINGLE, 4}, {IDC_OPT_FM_XP_DUAL, 4}, {IDC_OPT_FM_XP_NO_TABS, 4},
    {IDC_OPT_FM_FC_LEFT, 5}, {IDC_OPT_FM_FC_RIGHT, 5}, {IDC_OPT_FM_FC_SOURCE, 5},
    {IDC_OPT_FM_FC_TARGET, 5}, {IDC_OPT_FM_FC_NEW_TAB, 5}, {IDC_OPT_FM_FC_ACTIVATE_TAB, 5},
    {IDC_OPT_FM_FC_PANEL, 5},
    {IDC_OPT_FM_OTHER_NOTE, 6},
};

struct ComboItems {
  int id;
  std::vector<std::u16string_view> items;
};
const std::vector<ComboItems>& ComboTable() {
  static const std::vector<ComboItems> table = {
      {IDC_OPT_FILL_METHOD, {u"全新覆盖", u"在光标处插入", u"替换已选内容"}},
      {IDC_OPT_SELECT_AFTER_FILL, {u"整个文本框内容", u"填充的文件夹路径"}},
      {IDC_OPT_GET_FOLDER_FROM,
       {u"位于最上层的文件夹管理器", u"TotalCommander", u"DirectoryOpus", u"XYplorer",
        u"xplorer2", u"FreeCommander", u"自带的资源管理器"}},
      {IDC_OPT_CAPTURE_ACTION, {u"打开文件夹", u"复制到剪贴板"}},
      {IDC_OPT_MAIN_WINDOW_AT,
       {u"上次退出时位置", u"隐藏到屏幕外", u"屏幕顶部居中", u"屏幕左上角", u"屏幕右上角",
        u"屏幕左侧中部", u"屏幕右侧中部", u"屏幕中央"}},
      {IDC_OPT_WEEK_START, {u"周一", u"周日"}},
      {IDC_OPT_DATE_DELIMITER, {u"", u"-", u"－", u"_"}},
      {IDC_OPT_FM_NAME,
       {u"自带的资源管理器 Explorer", u"TotalCommander", u"DirectoryOpus", u"XYplorer",
        u"Xplorer2", u"FreeCommander", u"其它文件夹管理器"}},
      {IDC_OPT_FM_TC_ACTIVATE_TAB, {u"激活新标签", u"不激活新标签"}},
      {IDC_OPT_FM_TC_PANEL, {u"激活左侧面板", u"激活右侧面板"}},
      {IDC_OPT_FM_DO_TAB_POS, {u"当前标签之前", u"当前标签之后", u"第一个标签前", u"最后一个标签后"}},
      {IDC_OPT_FM_DO_ACTIVATE_TAB, {u"激活新标签", u"不激活新标签"}},
      {IDC_OPT_FM_DO_VIEW,
       {u"大图标模式", u"小图标模式", u"缩略图模式", u"列表模式", u"标题模式", u"详细视图"}},
      {IDC_OPT_FM_FC_ACTIVATE_TAB, {u"激活新标签", u"不激活新标签"}},
      {IDC_OPT_FM_FC_PANEL, {u"激活左侧面板", u"激活右侧面板"}},
  };
  return table;
}

// The controls each setting that enables others stands for.
int ControlOf(Setting setting) {
  for (const Binding& b : kBindings)
    if (b.setting == setting) return b.id;
  return 0;
}
// Labels enabled together with a control.
int LabelOf(int id) {
  if (id == IDC_OPT_FILL_METHOD) return IDC_OPT_FILL_METHOD_LABEL;
  if (id == IDC_OPT_SELECT_AFTER_FILL) return IDC_OPT_SELECT_AFTER_FILL_LABEL;
  if (id == IDC_OPT_AUTO_HIDE_DISTANCE) return IDC_OPT_AUTO_HIDE_DISTANCE_SPIN;
  if (id == IDC_OPT_CAPTION_LENGTH) return IDC_OPT_CAPTION_LENGTH_SPIN;
  if (id == IDC_OPT_RANDOM_LENGTH) return IDC_OPT_RANDOM_LENGTH_SPIN;
  return 0;
}

bool IsFolderManagerControl(int id) { return id >= IDC_OPT_FM_NAME && id <= IDC_OPT_FM_OTHER_NOTE; }

std::u16string WindowText(HWND window) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return FromWide(text);
}

void SetText(HWND window, const std::u16string& text) { SetWindowTextW(window, AsWide(text)); }

constexpr std::array<IgnoreList, 4> kIgnoreLists = {IgnoreList::AppName1, IgnoreList::WindowClass1,
                                                     IgnoreList::AppName2, IgnoreList::WindowClass2};
constexpr std::array<int, 4> kIgnoreMemos = {IDC_OPT_IGNORE_APP1, IDC_OPT_IGNORE_CLASS1,
                                             IDC_OPT_IGNORE_APP2, IDC_OPT_IGNORE_CLASS2};

constexpr std::array<int, 4> kShortcutControls = {IDC_OPT_JUMP_HOTKEY1, IDC_OPT_JUMP_HOTKEY2,
                                                  IDC_OPT_DIALOG_HOTKEY, IDC_OPT_CAPTURE_HOTKEY};

constexpr std::array<int, 5> kPageTemplates = {IDD_OPTIONS_GENERAL, IDD_OPTIONS_FOLDER_MANAGER,
                                               IDD_OPTIONS_IGNORE, IDD_OPTIONS_VARIABLES,
                                               IDD_OPTIONS_OTHERS};
constexpr std::array<const char16_t*, 5> kPageCaptions = {u"常规", u"文件夹管理器",
                                                          u"不使用全局热键的窗口", u"变量", u"杂项"};

// The pages hand their notifications to the dialog.
INT_PTR CALLBACK PageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  if (message == WM_INITDIALOG) return TRUE;
  if (message == WM_LBUTTONDOWN) {
    // The page's background moves the dialog as its caption would.
    ui::win32::MoveByPress(GetParent(page));
    return TRUE;
  }
  if (message != WM_COMMAND && message != WM_NOTIFY) return FALSE;
  try {
    return OptionsDialog::Instance().HandleMessage(message, wParam, lParam);
  } catch (...) {
    ui::win32::TraceExceptionAtBoundary(page, message);
    return FALSE;
  }
}

// A press on a tab chooses it as usual and then moves the dialog, as a press
// on the rest of the strip does (the tab control lets those through to the
// dialog's background).
LRESULT CALLBACK TabStripDrag(HWND tabs, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                              DWORD_PTR) {
  if (message != WM_LBUTTONDOWN) return ui::win32::DefaultSubclassProc(tabs, message, wParam, lParam);
  const LRESULT result = ui::win32::DefaultSubclassProc(tabs, message, wParam, lParam);
  ui::win32::MoveByPress(GetParent(tabs));
  return result;
}

}  // namespace

OptionsDialog& OptionsDialog::Instance() {
  static OptionsDialog dialog;
  return dialog;
}

bool OptionsDialog::Open(OptionsHost& host, int page) {
  if (Handle()) {
    // Already open: a second modal loop would run inside the first.
    if (IsIconic(Handle())) ShowWindow(Handle(), SW_RESTORE);
    SetForegroundWindow(Handle());
    return false;
  }
  host_ = &host;
  initialPage_ = page;
  const INT_PTR result = ShowModal(GetModuleHandleW(nullptr), IDD_OPTIONS, nullptr);
  pages_ = {};
  return result == IDOK;
}

HWND OptionsDialog::PageHandle(int page) const {
  return page >= 0 && page < static_cast<int>(pages_.size()) ? pages_[static_cast<size_t>(page)]
                                                             : nullptr;
}

HWND OptionsDialog::Control(int id) const {
  if (HWND own = GetDlgItem(Handle(), id)) return own;
  for (HWND page : pages_)
    if (page)
      if (HWND control = GetDlgItem(page, id)) return control;
  return nullptr;
}

void OptionsDialog::OnInit() {
  closing_ = false;
  validatingAccelerator_ = false;
  HWND tabs = GetDlgItem(Handle(), IDC_OPT_TABS);
  ui::win32::SetSubclass(tabs, TabStripDrag, 1, 0);
  for (size_t i = 0; i < kPageTemplates.size(); ++i) {
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(AsWide(kPageCaptions[i]));
    SendMessageW(tabs, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
    pages_[i] = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kPageTemplates[i]),
                                   Handle(), PageProc, 0);
  }
  RECT area{};
  GetWindowRect(tabs, &area);
  MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&area), 2);
  SendMessageW(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
  for (HWND page : pages_)
    SetWindowPos(page, tabs, area.left, area.top, area.right - area.left, area.bottom - area.top,
                 SWP_NOACTIVATE);

  for (const ComboItems& combo : ComboTable()) {
    HWND box = Control(combo.id);
    for (std::u16string_view text : combo.items)
      SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(AsWide(std::u16string(text))));
  }
  for (const Binding& b : kBindings) {
    HWND control = Control(b.id);
    const SettingDefinition& def = DefinitionOf(b.setting);
    if (b.kind == Kind::HotKey)
      // A bare key, Shift+key and Alt+key become Ctrl+key.
      SendMessageW(control, HKM_SETRULES, HKCOMB_NONE | HKCOMB_S | HKCOMB_A,
                   MAKELPARAM(HOTKEYF_CONTROL, 0));
    if (b.kind == Kind::Number)
      SendDlgItemMessageW(GetParent(control), LabelOf(b.id), UDM_SETRANGE32,
                          static_cast<WPARAM>(def.minimum), static_cast<LPARAM>(def.maximum));
  }
  for (int i = 0; i < kAcceleratorItemCount; ++i)
    SendMessageW(Control(IDC_OPT_ACCEL_BASE + i), EM_LIMITTEXT, 2, 0);

  // The copy cancel assigns back, and the shortcuts a duplicate falls back to.
  const AppSettings& live = host_->LiveSettings();
  snapshot_.emplace(OptionsSnapshot{live, accelerators_});
  for (size_t i = 0; i < kShortcutControls.size(); ++i)
    lastGood_[i] = live.Shortcut(SettingOfShortcutField(static_cast<ShortcutField>(i)));
  LoadControls();
  ShowPage(initialPage_);
}

void OptionsDialog::ShowPage(int page) {
  if (page < 0 || page >= static_cast<int>(pages_.size())) page = 0;
  SendDlgItemMessageW(Handle(), IDC_OPT_TABS, TCM_SETCURSEL, page, 0);
  for (size_t i = 0; i < pages_.size(); ++i)
    ShowWindow(pages_[i], static_cast<int>(i) == page ? SW_SHOW : SW_HIDE);
}

void OptionsDialog::LoadControls() {
  loading_ = true;
  const AppSettings& s = host_->LiveSettings();
  for (const Binding& b : kBindings) {
    HWND control = Control(b.id);
    switch (b.kind) {
      case Kind::Check:
      case Kind::Radio:
        SendMessageW(control, BM_SETCHECK, s.Bool(b.setting) ? BST_CHECKED : BST_UNCHECKED, 0);
        break;
      case Kind::Combo: SendMessageW(control, CB_SETCURSEL, s.Int(b.setting), 0); break;
      case Kind::Number: SetText(control, core::IntToText(s.Int(b.setting))); break;
      case Kind::HotKey:
        SendMessageW(control, HKM_SETHOTKEY, HotKeyControlFromShortcut(s.Shortcut(b.setting)), 0);
        break;
      case Kind::Text: SetText(control, s.Text(b.setting)); break;
      case Kind::Date: {
        const core::CalendarDate d = s.Date(b.setting);
        SYSTEMTIME t{};
        t.wYear = static_cast<WORD>(d.year);
        t.wMonth = static_cast<WORD>(d.month);
        t.wDay = static_cast<WORD>(d.day);
        SendMessageW(control, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&t));
        break;
      }
    }
  }
  SendMessageW(Control(IDC_OPT_FM_NAME), CB_SETCURSEL, s.FolderManagerIndex(), 0);
  SendMessageW(Control(IDC_OPT_FM_TC_NEW_TAB), BM_SETCHECK, totalCommanderNewTab_, 0);
  SendMessageW(Control(IDC_OPT_FM_FC_NEW_TAB), BM_SETCHECK, freeCommanderNewTab_, 0);
  SendMessageW(Control(IDC_OPT_FM_MANUAL_PARAMS), BM_SETCHECK, manualParams_, 0);
  for (size_t i = 0; i < kIgnoreLists.size(); ++i) {
    std::u16string text;
    for (const std::u16string& line : s.IgnoreListLines(kIgnoreLists[i])) text += line + u"\r\n";
    SetText(Control(kIgnoreMemos[i]), text);
  }
  for (int i = 0; i < kAcceleratorItemCount; ++i)
    SetText(Control(IDC_OPT_ACCEL_BASE + i), std::u16string(1, accelerators_[static_cast<size_t>(i)]));
  loading_ = false;
  LoadFolderManagerControls();
  RefreshIgnoreTabs();
  ApplyDependencies();
}

void OptionsDialog::LoadFolderManagerControls() {
  const int manager = host_->LiveSettings().FolderManagerIndex();
  for (const ManagerControl& c : kManagerControls)
    ShowWindow(Control(c.id), c.manager == manager ? SW_SHOWNA : SW_HIDE);
  // Explorer takes no program or parameters; the other program has no
  // options to build them from.
  const bool explorer = manager == 0, other = manager == paths::kFolderManagerChoiceCount - 1;
  EnableWindow(Control(IDC_OPT_FM_PATH), !explorer);
  EnableWindow(Control(IDC_OPT_FM_PARAMS), other || (!explorer && manualParams_));
  EnableWindow(Control(IDC_OPT_FM_MANUAL_PARAMS), !explorer && !other);
  EnableWindow(Control(IDC_OPT_FM_REUSE), !other);
  EnableWindow(Control(IDC_OPT_FM_NEW_WINDOW), !other);
  EnableWindow(Control(IDC_OPT_FM_ACTIVATE_ONLY), !other);
  // A new window has no tabs and no source or target panel yet; the panel
  // to activate matters only for it.
  const bool reuse = host_->LiveSettings().Bool(Setting::ReuseFolderManagerWindow);
  for (int id : {IDC_OPT_FM_EP_MULTI, IDC_OPT_FM_TC_NEW_TAB, IDC_OPT_FM_TC_SOURCE, IDC_OPT_FM_TC_TARGET,
                 IDC_OPT_FM_FC_NEW_TAB, IDC_OPT_FM_FC_SOURCE, IDC_OPT_FM_FC_TARGET})
    EnableWindow(Control(id), reuse);
  EnableWindow(Control(IDC_OPT_FM_TC_ACTIVATE_TAB), reuse && totalCommanderNewTab_);
  EnableWindow(Control(IDC_OPT_FM_FC_ACTIVATE_TAB), reuse && freeCommanderNewTab_);
  EnableWindow(Control(IDC_OPT_FM_TC_PANEL), !reuse);
  EnableWindow(Control(IDC_OPT_FM_FC_PANEL), !reuse);
}

void OptionsDialog::ApplyDependencies() {
  const AppSettings& s = host_->LiveSettings();
  for (const Binding& b : kBindings) {
    for (Setting dependent : SettingsEnabledBy(b.setting)) {
      const int id = ControlOf(dependent);
      EnableWindow(Control(id), s.Bool(b.setting));
      if (int label = LabelOf(id)) EnableWindow(Control(label), s.Bool(b.setting));
    }
  }
}

void OptionsDialog::RefreshIgnoreTabs() {
  HWND tabs = Control(IDC_OPT_IGNORE_TABS);
  const int selected = static_cast<int>(SendMessageW(tabs, TCM_GETCURSEL, 0, 0));
  LPARAM selectedHotKey = 0;
  if (selected >= 0) {
    TCITEMW item{};
    item.mask = TCIF_PARAM;
    if (SendMessageW(tabs, TCM_GETITEMW, selected, reinterpret_cast<LPARAM>(&item)))
      selectedHotKey = item.lParam;
  }
  SendMessageW(tabs, TCM_DELETEALLITEMS, 0, 0);
  const AppSettings& s = host_->LiveSettings();
  int index = 0, newSelection = 0;
  for (int hotKey = 0; hotKey < 2; ++hotKey) {
    const IgnoreSubPage page = IgnoreSubPageFor(
        s.Shortcut(hotKey == 0 ? Setting::JumpMenuHotKey1 : Setting::JumpMenuHotKey2));
    if (!page.visible) continue;
    std::u16string caption = page.caption;
    TCITEMW item{};
    item.mask = TCIF_TEXT | TCIF_PARAM;
    item.pszText = AsWide(caption.data());
    item.lParam = hotKey;
    SendMessageW(tabs, TCM_INSERTITEMW, index, reinterpret_cast<LPARAM>(&item));
    if (hotKey == selectedHotKey) newSelection = index;
    ++index;
  }
  SendMessageW(tabs, TCM_SETCURSEL, newSelection, 0);
  ShowIgnoreLists();
}

void OptionsDialog::ShowIgnoreLists() {
  HWND tabs = Control(IDC_OPT_IGNORE_TABS);
  const int selected = static_cast<int>(SendMessageW(tabs, TCM_GETCURSEL, 0, 0));
  int hotKey = -1;
  if (selected >= 0) {
    TCITEMW item{};
    item.mask = TCIF_PARAM;
    if (SendMessageW(tabs, TCM_GETITEMW, selected, reinterpret_cast<LPARAM>(&item)))
      hotKey = static_cast<int>(item.lParam);
  }
  for (size_t i = 0; i < kIgnoreMemos.size(); ++i) {
    HWND memo = Control(kIgnoreMemos[i]);
    ShowWindow(memo, static_cast<int>(i / 2) == hotKey ? SW_SHOWNA : SW_HIDE);
    // The memos lie on the tab control: above it in the drawing order.
    SetWindowPos(memo, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

void OptionsDialog::StoreControl(int id) {
  AppSettings& s = host_->LiveSettings();
  for (const Binding& b : kBindings) {
    if (b.id != id) continue;
    HWND control = Control(id);
    switch (b.kind) {
      case Kind::Check:
        s.SetBool(b.setting, SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED);
        break;
      case Kind::Radio:
        if (SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED) s.SetBool(b.setting, true);
        break;
      case Kind::Combo: s.SetInt(b.setting, SendMessageW(control, CB_GETCURSEL, 0, 0)); break;
      case Kind::Number: {
        BOOL ok = FALSE;
        const UINT value = GetDlgItemInt(GetParent(control), id, &ok, FALSE);
        if (ok) s.SetInt(b.setting, value);
        break;
      }
      case Kind::HotKey: break;  // OnShortcutChanged
      case Kind::Text: s.SetText(b.setting, WindowText(control)); break;
      case Kind::Date: {
        SYSTEMTIME t{};
        if (SendMessageW(control, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&t)) != GDT_VALID) break;
        core::CalendarDate date{t.wYear, t.wMonth, t.wDay};
        if (b.setting == Setting::AsFirstWeek) {
          // Week 1 is a day of the current year, whatever year was picked.
          SYSTEMTIME now{};
          GetLocalTime(&now);
          if (date.year != now.wYear) {
            date = FirstWeekDayInYear(date, now.wYear);
            t.wYear = static_cast<WORD>(date.year);
            t.wDay = static_cast<WORD>(date.day);
            SendMessageW(control, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&t));
          }
        }
        s.SetDate(b.setting, date);
        break;
      }
    }
    // Another control of the same setting follows (the two hide boxes).
    loading_ = true;
    for (const Binding& other : kBindings)
      if (other.setting == b.setting && other.id != id)
        SendMessageW(Control(other.id), BM_SETCHECK, s.Bool(b.setting) ? BST_CHECKED : BST_UNCHECKED, 0);
    loading_ = false;
    if (!SettingsEnabledBy(b.setting).empty()) ApplyDependencies();
    return;
  }
}

void OptionsDialog::OnShortcutChanged(int id) {
  size_t field = 0;
  while (field < kShortcutControls.size() && kShortcutControls[field] != id) ++field;
  if (field == kShortcutControls.size()) return;
  host_->UnregisterHotKeys();
  HWND control = Control(id);
  AppSettings& s = host_->LiveSettings();
  ShortcutValues current{};
  for (size_t i = 0; i < current.size(); ++i)
    current[i] = s.Shortcut(SettingOfShortcutField(static_cast<ShortcutField>(i)));
  const uint16_t entered = AcceptedShortcut(
      ShortcutFromHotKeyControl(static_cast<uint16_t>(SendMessageW(control, HKM_GETHOTKEY, 0, 0))));
  const ShortcutChangeResult result =
      CheckShortcutChange(current, static_cast<ShortcutField>(field), entered, lastGood_[field]);
  lastGood_[field] = result.lastGood;
  s.SetInt(SettingOfShortcutField(static_cast<ShortcutField>(field)), result.fieldValue);
  if (result.duplicateMessage) {
    host_->ShowMessage(*result.duplicateMessage, kDuplicateShortcutCaption, OptionsHost::Icon::Warning);
    loading_ = true;
    SendMessageW(control, HKM_SETHOTKEY, HotKeyControlFromShortcut(result.fieldValue), 0);
    loading_ = false;
  }
  if (field <= 1) RefreshIgnoreTabs();
}

void OptionsDialog::OnCapsLockBox(int id) {
  const bool direct = id == IDC_OPT_DIRECT_CAPS_LOCK;
  HWND box = Control(id);
  const CapsLockOption checking = direct ? CapsLockOption::DirectJumpList : CapsLockOption::AnotherOpenMethod;
  AppSettings& s = host_->LiveSettings();
  if (SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED && CapsLockConflicts(s, checking)) {
    const bool yes = host_->AskYesNo(CapsLockConflictQuestion(checking), kCapsLockConflictCaption);
    const CapsLockOption drop = CapsLockOptionToUncheck(checking, yes);
    const int dropId = drop == CapsLockOption::DirectJumpList ? IDC_OPT_DIRECT_CAPS_LOCK : IDC_OPT_FM_CAPS_LOCK;
    SendMessageW(Control(dropId), BM_SETCHECK, BST_UNCHECKED, 0);
    if (dropId != id) StoreControl(dropId);
  }
  StoreControl(id);
}

void OptionsDialog::OnAcceleratorLeft(int index) {
  if (closing_ || validatingAccelerator_) return;
  HWND box = Control(IDC_OPT_ACCEL_BASE + index);
  if (IsValidAcceleratorText(WindowText(box))) return;
  // Leaving for Cancel, or for another program, is no reason to hold the
  // user: cancel puts the letter back anyway. OK checks every box itself.
  HWND next = GetFocus();
  if (!next || next == GetDlgItem(Handle(), IDCANCEL) || next == GetDlgItem(Handle(), IDOK) ||
      !IsChild(Handle(), next))
    return;
  validatingAccelerator_ = true;
  host_->ShowMessage(kInvalidAcceleratorMessage, kInvalidAcceleratorCaption, OptionsHost::Icon::Error);
  validatingAccelerator_ = false;
  if (closing_ || !Handle()) return;
  SetFocus(box);
  SendMessageW(box, EM_SETSEL, 0, -1);
}

void OptionsDialog::RebuildFolderManagerParams() {
  const AppSettings& s = host_->LiveSettings();
  const int manager = s.FolderManagerIndex();
  if (manualParams_ || manager == 0 || manager == paths::kFolderManagerChoiceCount - 1) return;
  paths::FolderManagerOptions options = paths::FolderManagerOptionsFrom(s);
  options.totalCommanderNewTab = totalCommanderNewTab_;
  options.freeCommanderNewTab = freeCommanderNewTab_;
  const std::u16string params = core::TrimChars(paths::BuildFolderManagerParams(options), u" \t\r\n");
  host_->LiveSettings().SetText(Setting::FolderManagerParameters, params);
  loading_ = true;
  SetText(Control(IDC_OPT_FM_PARAMS), params);
  loading_ = false;
}

void OptionsDialog::OnCommand(int id, int code, HWND) {
  if (loading_) return;
  if (id == IDC_OPT_FM_NAME && code == CBN_SELCHANGE) {
    host_->SelectFolderManager(static_cast<int>(SendMessageW(Control(id), CB_GETCURSEL, 0, 0)));
    LoadControls();
    RebuildFolderManagerParams();
    return;
  }
  for (int i = 0; i < kAcceleratorItemCount; ++i) {
    if (id == IDC_OPT_ACCEL_BASE + i) {
      HWND box = Control(id);
      if (code == EN_SETFOCUS) PostMessageW(box, EM_SETSEL, 0, -1);
      if (code == EN_CHANGE)
        if (auto letter = AcceleratorLetterOf(WindowText(box))) accelerators_[static_cast<size_t>(i)] = *letter;
      if (code == EN_KILLFOCUS) OnAcceleratorLeft(i);
      return;
    }
    if (id == IDC_OPT_RESET_BASE + i && code == BN_CLICKED) {
      accelerators_[static_cast<size_t>(i)] = DefaultAcceleratorLetters()[static_cast<size_t>(i)];
      SetText(Control(IDC_OPT_ACCEL_BASE + i), std::u16string(1, accelerators_[static_cast<size_t>(i)]));
      return;
    }
  }
  for (size_t i = 0; i < kIgnoreMemos.size(); ++i) {
    if (id == kIgnoreMemos[i] && code == EN_CHANGE) {
      std::vector<std::u16string> lines =
          core::SplitText(core::ReplaceAllText(WindowText(Control(id)), u"\r\n", u"\n"), u"\n");
      while (!lines.empty() && lines.back().empty()) lines.pop_back();
      host_->LiveSettings().SetIgnoreListLines(kIgnoreLists[i], std::move(lines));
      return;
    }
  }
  switch (id) {
    case IDC_OPT_SPY_PROGRAM:
    case IDC_OPT_SPY_WINDOW:
      if (code == BN_CLICKED) host_->ShowWindowSpy();
      return;
    case IDC_OPT_FM_MANUAL_PARAMS:
      manualParams_ = SendMessageW(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
      LoadFolderManagerControls();
      RebuildFolderManagerParams();
      return;
    case IDC_OPT_FM_TC_NEW_TAB:
      totalCommanderNewTab_ = SendMessageW(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
      LoadFolderManagerControls();
      RebuildFolderManagerParams();
      return;
    case IDC_OPT_FM_FC_NEW_TAB:
      freeCommanderNewTab_ = SendMessageW(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
      LoadFolderManagerControls();
      RebuildFolderManagerParams();
      return;
    case IDC_OPT_DIRECT_CAPS_LOCK:
    case IDC_OPT_FM_CAPS_LOCK:
      if (code == BN_CLICKED) OnCapsLockBox(id);
      return;
  }
  if (std::find(kShortcutControls.begin(), kShortcutControls.end(), id) != kShortcutControls.end()) {
    if (code == EN_CHANGE) OnShortcutChanged(id);
    return;
  }
  if (code == EN_KILLFOCUS) {
    ShowStoredNumber(id);
    return;
  }
  const bool changed = code == BN_CLICKED || code == EN_CHANGE || code == CBN_SELCHANGE ||
                       code == CBN_EDITCHANGE;
  if (!changed) return;
  if (id == IDC_OPT_DATE_DELIMITER && code == CBN_SELCHANGE) {
    // The box's text changes only after this notice.
    HWND box = Control(id);
    const LRESULT index = SendMessageW(box, CB_GETCURSEL, 0, 0);
    std::wstring text(static_cast<size_t>(SendMessageW(box, CB_GETLBTEXTLEN, index, 0)) + 1, L'\0');
    SendMessageW(box, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    host_->LiveSettings().SetText(Setting::YearMonthDayDelimiter, FromWide(text.c_str()));
    return;
  }
  StoreControl(id);
  switch (id) {
    case IDC_OPT_AUTO_HIDE:
      host_->AutoHideChanged(host_->LiveSettings().Bool(Setting::AutoHideAtScreenEdge));
      break;
    case IDC_OPT_SHOW_IGNORED:
      if (host_->LiveSettings().Bool(Setting::ShowMessageWhenHotKeyIgnored))
        host_->ClearIgnoredHotKeyNotices();
      break;
    case IDC_OPT_CURDIR_EVERY_GROUP:
      host_->SetCurrentFolderItems(host_->LiveSettings().Bool(Setting::AddCurrentFolderItemToEveryGroup));
      break;
  }
  if (id == IDC_OPT_FM_REUSE || id == IDC_OPT_FM_NEW_WINDOW) LoadFolderManagerControls();
  if (IsFolderManagerControl(id) && id != IDC_OPT_FM_PARAMS && id != IDC_OPT_FM_PATH)
    RebuildFolderManagerParams();
}

// A number typed beyond the box's range was stored clamped; once the box is
// left it shows what was stored.
void OptionsDialog::ShowStoredNumber(int id) {
  for (const Binding& b : kBindings) {
    if (b.id != id || b.kind != Kind::Number) continue;
    const std::u16string stored = core::IntToText(host_->LiveSettings().Int(b.setting));
    HWND box = Control(id);
    if (WindowText(box) == stored) return;
    loading_ = true;
    SetText(box, stored);
    loading_ = false;
    return;
  }
}

void OptionsDialog::OnNotify(const NMHDR& header) {
  if (header.idFrom == IDC_OPT_TABS && header.code == TCN_SELCHANGE)
    ShowPage(static_cast<int>(SendMessageW(header.hwndFrom, TCM_GETCURSEL, 0, 0)));
  else if (header.idFrom == IDC_OPT_IGNORE_TABS && header.code == TCN_SELCHANGE)
    ShowIgnoreLists();
  else if (header.code == DTN_DATETIMECHANGE && !loading_)
    StoreControl(static_cast<int>(header.idFrom));
  else if (header.code == UDN_DELTAPOS)
    // The number box's own EN_CHANGE stores the new value.
    return;
}

bool OptionsDialog::Ok() {
  std::vector<std::u16string> texts;
  for (int i = 0; i < kAcceleratorItemCount; ++i) texts.push_back(WindowText(Control(IDC_OPT_ACCEL_BASE + i)));
  if (const std::optional<int> bad = FirstInvalidAcceleratorBox(texts)) {
    ShowPage(4);
    validatingAccelerator_ = true;
    host_->ShowMessage(kInvalidAcceleratorMessage, kInvalidAcceleratorCaption, OptionsHost::Icon::Error);
    validatingAccelerator_ = false;
    HWND box = Control(IDC_OPT_ACCEL_BASE + *bad);
    SetFocus(box);
    SendMessageW(box, EM_SETSEL, 0, -1);
    return false;
  }
  closing_ = true;
  host_->ApplySettings(ApplyMode::Accepted);
  snapshot_.reset();
  EndDialog(Handle(), IDOK);
  return true;
}

void OptionsDialog::Cancel() {
  closing_ = true;
  if (snapshot_) {
    AppSettings& live = host_->LiveSettings();
    const bool itemsWere = live.Bool(Setting::AddCurrentFolderItemToEveryGroup);
    const bool autoHideWas = live.Bool(Setting::AutoHideAtScreenEdge);
    live = snapshot_->settings;
    accelerators_ = snapshot_->accelerators;
    if (live.Bool(Setting::AddCurrentFolderItemToEveryGroup) != itemsWere)
      host_->SetCurrentFolderItems(live.Bool(Setting::AddCurrentFolderItemToEveryGroup));
    if (live.Bool(Setting::AutoHideAtScreenEdge) != autoHideWas)
      host_->AutoHideChanged(live.Bool(Setting::AutoHideAtScreenEdge));
    snapshot_.reset();
  }
  host_->ApplySettings(ApplyMode::Cancelled);
  EndDialog(Handle(), IDCANCEL);
}

void OptionsDialog::SettingsChangedOutside() {
  if (Handle() && host_) LoadControls();
}

INT_PTR OptionsDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      OnInit();
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK && HIWORD(wParam) == BN_CLICKED) {
        Ok();
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        Cancel();
        return TRUE;
      }
      OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
      return TRUE;
    case WM_NOTIFY:
      OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
      return FALSE;
    case WM_NCHITTEST:
      // Dragging the background moves the dialog.
      SetResult(ui::win32::HitTestWithBackgroundAsCaption(Handle(), wParam, lParam));
      return TRUE;
  }
  return FALSE;
}

}  // namespace pathorama::settings::win32
