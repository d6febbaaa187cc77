#include "app/win32/main_window.h"

#include <shellapi.h>

#include <array>
#include <optional>

#include "app/edge_docking.h"
#include "app/main_window_placement.h"
#include "app/startup.h"
#include "app/win32/app_messages.h"
#include "app/win32/app_session.h"
#include "app/win32/feature_entry_points.h"
#include "core/win32/wide_text.h"
#include "resources/resource_ids.h"
#include "ui/win32/background_drag.h"

namespace pathorama::app::win32 {

using core::win32::AsWide;

namespace {

// The dialog watch's timer; the tray icon's retry timer has its own id.
constexpr UINT_PTR kDialogWatchTimerId = 0x7A2;
// The exit waits for the modal dialogs it asked to close: it is tried again
// this often, at most this many times (then it goes on regardless).
constexpr UINT_PTR kCloseRetryTimerId = 0x7A3;
constexpr UINT kCloseRetryMs = 50;
constexpr int kCloseRetries = 100;
// Screen-edge auto-hide looks at the pointer this often while it is on.
constexpr UINT_PTR kAutoHideTimerId = 0x7A4;
constexpr UINT kAutoHideTickMs = 200;

app::ScreenRect ScreenRectOf(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

// Every monitor's work area, without allocating: the timer asks at each tick.
struct WorkAreas {
  std::array<app::ScreenRect, 16> areas;
  int count = 0;
};
BOOL CALLBACK AddWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM param) {
  auto& found = *reinterpret_cast<WorkAreas*>(param);
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (GetMonitorInfoW(monitor, &info)) found.areas[found.count++] = ScreenRectOf(info.rcWork);
  return found.count < static_cast<int>(found.areas.size());
}

windows::win32::FillOptions FillOptionsFrom(const settings::AppSettings& settings) {
  windows::win32::FillOptions options;
  options.fillFocusedEdit = settings.Bool(settings::Setting::FillOpenedFolderIntoFocusedEdit);
  options.focusedEditMode = windows::FillModeFromIndex(settings.Int(settings::Setting::FillFolderPathMethod));
  options.selectionAfterFill =
      windows::SelectionAfterFillFromIndex(settings.Int(settings::Setting::SelectionAfterFillPath));
  return options;
}

// Repeated requests to add the selection (one per selected file) within this
// time are one request.
constexpr ULONGLONG kAddRequestDebounceMs = 1000;

std::u16string VersionOfExecutable(const std::u16string& exePath) {
  DWORD handle = 0;
  DWORD size = GetFileVersionInfoSizeW(AsWide(exePath), &handle);
  if (size == 0) return AppVersionFromFileVersion(u"");
  std::vector<BYTE> block(size);
  if (!GetFileVersionInfoW(AsWide(exePath), 0, size, block.data()))
    return AppVersionFromFileVersion(u"");
  VS_FIXEDFILEINFO* info = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&info), &length) || !info ||
      length < sizeof(VS_FIXEDFILEINFO))
    return AppVersionFromFileVersion(u"");
  return AppVersionFromFileVersion(FileVersionText(info->dwFileVersionMS, info->dwFileVersionLS));
}

}  // namespace

MainWindow::MainWindow(HINSTANCE instance, std::u16string exePath,
                       std::vector<std::u16string> args)
    : instance_(instance), exePath_(std::move(exePath)), args_(std::move(args)) {}

MainWindow::~MainWindow() {
  if (Handle()) DestroyWindow(Handle());
}

bool MainWindow::Create() {
  WNDCLASSEXW wc = WindowClass(instance_, AsWide(kMainWindowClass));
  wc.hIcon = LoadIconW(instance_, MAKEINTRESOURCEW(IDI_PATHORAMA));
  wc.hIconSm = static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(IDI_PATHORAMA),
                                             IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                             GetSystemMetrics(SM_CYSMICON), LR_SHARED));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  if (!RegisterClassExW(&wc)) return false;

  menu_ = LoadMenuW(instance_, MAKEINTRESOURCEW(IDM_MAIN));
  // A tool window is not shown on the taskbar; the tray icon stands for it.
  // Created above the screen so nothing flashes before it is placed.
  const int left = (GetSystemMetrics(SM_CXSCREEN) - kMainWindowWidth) / 2;
  return CreateWindowFor(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, AsWide(kMainWindowClass), L"Pathorama",
                         WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, left,
                         state_.offScreenTop, kMainWindowWidth, 60, nullptr, menu_,
                         instance_) != nullptr;
}

void MainWindow::Show() {
  ShowWindow(Handle(), SW_SHOW);
  SetForegroundWindow(Handle());
  PostMessageW(Handle(), kFirstActivationMessage, 0, 0);
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (tray_.HandleOwnerMessage(message, wParam)) return 0;
  if (message == WM_TIMER && wParam == kDialogWatchTimerId) {
    if (dialogWatch_) dialogWatch_->Tick();
    return 0;
  }
  if (message == WM_TIMER && wParam == kAutoHideTimerId) {
    AutoHideTick();
    return 0;
  }
  if (message == WM_TIMER && wParam == kCloseRetryTimerId) {
    KillTimer(Handle(), kCloseRetryTimerId);
    PostMessageW(Handle(), WM_CLOSE, 0, 0);
    return 0;
  }
  if (HandleJumpListMenuMessage(Handle(), message, wParam, lParam)) return 0;
  switch (message) {
    case WM_CREATE:
      OnCreate();
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE && state_.firstActivationPending) OnFirstActivation();
      break;
    case kFirstActivationMessage:
      if (state_.firstActivationPending) OnFirstActivation();
      return 0;
    case kOpenJumpListMessage:
    case kSetJumpListMessage:
    case kAddToJumpListMessage:
    case kOpenSettingMessage:
      // The sending start waits for no result: release it before a modal
      // dialog keeps this handler busy.
      if (InSendMessage()) ReplyMessage(0);
      OnCommandMessage(message);
      return 0;
    case kMenuClosedMessage:
    case kMenuLoopExitMessage:
      state_.menuLoopActive = false;
      return 0;
    case kMenuLoopEnterMessage:
      state_.menuLoopActive = true;
      return 0;
    case WM_COMMAND:
      if (HIWORD(wParam) == 0) OnMenuCommand(LOWORD(wParam));
      return 0;
    case WM_HOTKEY:
      if (session_) HotKeyPress(Handle(), wParam, lParam);
      return 0;
    case kTrayIconMessage:
      OnTrayIcon(lParam);
      return 0;
    case WM_NCHITTEST:
      // A drag anywhere in the client area moves the window like its caption.
      return ui::win32::HitTestWithBackgroundAsCaption(Handle(), wParam, lParam);
    case WM_DRAWCLIPBOARD:
      OnDrawClipboard(wParam, lParam);
      return 0;
    case WM_CHANGECBCHAIN:
      OnChangeClipboardChain(reinterpret_cast<HWND>(wParam), reinterpret_cast<HWND>(lParam));
      return 0;
    case WM_QUERYENDSESSION:
      if (session_) session_->SaveAll();
      return TRUE;
    case WM_EXITSIZEMOVE:
      // The end of a drag docks the window at an edge it was dropped near.
      if (MenuChecked(ID_MAIN_AUTO_HIDE_AT_EDGE)) {
        const app::ScreenRect window = WindowRectOnScreen();
        if (std::optional<app::ScreenPoint> to =
                app::EdgeHide(window, DockingWorkArea(window), AutoHideDistance()))
          MoveTo(to->x, to->y);
      }
      return 0;
    case WM_CLOSE:
      OnClose();
      return 0;
    case WM_DESTROY:
      OnDestroy();
      return 0;
  }
  return DefWindowProcW(Handle(), message, wParam, lParam);
}

void MainWindow::OnTrayIcon(LPARAM mouseMessage) {
  switch (LOWORD(mouseMessage)) {
    case WM_LBUTTONUP:
      ShowJumpListMenu(Handle());
      break;
    case WM_RBUTTONUP:
    case WM_CONTEXTMENU:
      if (HMENU tray = LoadMenuW(instance_, MAKEINTRESOURCEW(IDM_TRAY))) {
        HMENU popup = GetSubMenu(tray, 0);
        CheckMenuItem(popup, ID_TRAY_USE_GLOBAL_HOTKEY,
                      MenuChecked(ID_MAIN_USE_GLOBAL_HOTKEY) ? MF_CHECKED : MF_UNCHECKED);
        UINT chosen = tray_.TrackMenu(popup);
        DestroyMenu(tray);
        if (chosen) OnMenuCommand(chosen);
      }
      break;
  }
}

void MainWindow::OnCreate() {
  // Joining the chain sends the first WM_DRAWCLIPBOARD at once; it sets
  // clipboardHasText from the clipboard as it is now.
  state_.clipboardHasText = false;
  state_.nextClipboardViewer = SetClipboardViewer(Handle());
  state_.lastHotKeyTick = GetTickCount64();

  state_.appVersion = VersionOfExecutable(exePath_);
  SetWindowTextW(Handle(), AsWide(MainWindowCaption(state_.appVersion)));

  state_.addItemCursor = LoadCursorW(instance_, L"Cursor_AddItem");

  FitHeightToCaptionAndMenu();
  HICON small = static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(IDI_PATHORAMA),
                                              IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                              GetSystemMetrics(SM_CYSMICON), LR_SHARED));
  tray_.Add(Handle(), small, MainWindowCaption(state_.appVersion));

  // Provisional hotkeys: the defaults, until the settings are applied.
  hotKeys_.CreateAtoms();
  std::array<uint16_t, kHotKeySlotCount> provisional{};
  for (int i = 0; i < kHotKeySlotCount; ++i) provisional[i] = kHotKeySlots[i].provisionalShortcut;
  hotKeys_.RegisterAll(Handle(), provisional);

  session_ = std::make_unique<AppSession>(*this, exePath_);
  session_->OpenIniFile();
}

void MainWindow::FitHeightToCaptionAndMenu() {
  // Only the caption and the menu bar show: a client area of height 0.
  RECT window{}, client{};
  GetWindowRect(Handle(), &window);
  GetClientRect(Handle(), &client);
  int height = (window.bottom - window.top) - (client.bottom - client.top);
  SetWindowPos(Handle(), nullptr, 0, 0, kMainWindowWidth, height,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  // The menu bar may wrap once the width is final: measure again.
  GetWindowRect(Handle(), &window);
  GetClientRect(Handle(), &client);
  if (client.bottom - client.top != 0) {
    height = (window.bottom - window.top) - (client.bottom - client.top);
    SetWindowPos(Handle(), nullptr, 0, 0, kMainWindowWidth, height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

RECT MainWindow::WorkArea() const {
  // The monitor the window is on, with its origin.
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (GetMonitorInfoW(MonitorFromWindow(Handle(), MONITOR_DEFAULTTONEAREST), &monitor))
    return monitor.rcWork;
  RECT area{};
  if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0))
    area = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  return area;
}

app::ScreenRect MainWindow::WindowRectOnScreen() const {
  RECT window{};
  GetWindowRect(Handle(), &window);
  return ScreenRectOf(window);
}

app::ScreenRect MainWindow::DockingWorkArea(const app::ScreenRect& window) {
  WorkAreas found;
  EnumDisplayMonitors(nullptr, nullptr, AddWorkArea, reinterpret_cast<LPARAM>(&found));
  if (found.count == 0) return ScreenRectOf(WorkArea());
  dockingArea_ = app::WorkAreaOfWindow(window, found.areas.data(), found.count, dockingArea_);
  return *dockingArea_;
}

int MainWindow::AutoHideDistance() const {
  return session_ ? session_->Settings().Int(settings::Setting::AutoHideDistance) : 5;
}

void MainWindow::SetAutoHide(bool on) {
  if (on) {
    SetTimer(Handle(), kAutoHideTimerId, kAutoHideTickMs, nullptr);
    return;
  }
  KillTimer(Handle(), kAutoHideTimerId);
  // Switched off, a docked window never stays out of sight.
  const app::ScreenRect window = WindowRectOnScreen();
  if (std::optional<app::ScreenPoint> to =
          app::ShowTheAutoHideWindow(window, DockingWorkArea(window)))
    MoveTo(to->x, to->y);
}

void MainWindow::AutoHideTick() {
  app::AutoHideFacts facts;
  facts.window = WindowRectOnScreen();
  facts.area = DockingWorkArea(facts.window);
  POINT mouse{};
  GetCursorPos(&mouse);
  facts.mouse = {mouse.x, mouse.y};
  facts.distance = AutoHideDistance();
  facts.autoHide = MenuChecked(ID_MAIN_AUTO_HIDE_AT_EDGE);
  facts.parkedOffScreen = MenuChecked(ID_MAIN_HIDE_OFF_SCREEN);
  // The physical button that acts as the left one.
  facts.leftButtonDown =
      GetAsyncKeyState(GetSystemMetrics(SM_SWAPBUTTON) ? VK_RBUTTON : VK_LBUTTON) < 0;
  facts.windowShown = IsWindowVisible(Handle()) != FALSE;
  const app::AutoHideTick tick = app::AutoHideTimerTick(facts);
  if (tick.moveTo) MoveTo(tick.moveTo->x, tick.moveTo->y);
  if (!tick.keepTimer) KillTimer(Handle(), kAutoHideTimerId);
}

void MainWindow::MoveTo(int left, int top) {
  SetWindowPos(Handle(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::PlaceAtFirstActivation() {
  RECT area = WorkArea();
  RECT window{};
  GetWindowRect(Handle(), &window);
  MainWindowPlace place = PlaceMainWindowFromSettings(
      session_->Ini(), area.right - area.left, area.bottom - area.top, window.right - window.left,
      window.bottom - window.top);
  parkedAtStart_ = place.parkedOffScreen;
  MoveTo(area.left + place.left, area.top + place.top);
}

void MainWindow::StartAutoHide() {
  // The loaded setting (off for a window parked at start).
  const bool on = session_->Settings().Bool(settings::Setting::AutoHideAtScreenEdge);
  SetMenuCheck(ID_MAIN_AUTO_HIDE_AT_EDGE, on);
  if (on) SetAutoHide(true);
}

void MainWindow::OnFirstActivation() {
  state_.firstActivationPending = false;
  PlaceAtFirstActivation();
  session_->LoadAll();
  StartAutoHide();
  CopyFunctionItemsIntoJumpList(Handle());
  StartDialogWatch();
  // The first instance acts on its own command line as a second start would.
  if (UINT message = MessageForCommand(CommandForFirstActivation(args_)))
    SendMessageW(Handle(), message, 0, 0);
}

void MainWindow::StartDialogWatch() {
  windows::win32::DialogSwitchContext context;
  prompts_ = std::make_unique<ui::win32::MessageBoxPrompts>(Handle());
  context.prompts = prompts_.get();
  context.options = FillOptionsFrom(session_->Settings());
  dialogWatch_ = std::make_unique<windows::win32::DialogWatch>(std::move(context));
  SetTimer(Handle(), kDialogWatchTimerId, windows::win32::DialogWatch::kIntervalMs, nullptr);
}

void MainWindow::OnCommandMessage(UINT message) {
  if (message == kAddToJumpListMessage) {
    OnAddToJumpList();
    return;
  }
  // A command that arrives while the window is hidden is dropped.
  if (!IsWindowVisible(Handle())) return;
  switch (message) {
    case kOpenJumpListMessage: ShowJumpListMenu(Handle()); break;
    case kSetJumpListMessage: OpenJumpListEditor(Handle()); break;
    case kOpenSettingMessage: OpenOptionsDialog(Handle()); break;
  }
}

void MainWindow::OnAddToJumpList() {
  ULONGLONG now = GetTickCount64();
  if (now - state_.lastAddRequestTick <= kAddRequestDebounceMs && state_.lastAddRequestTick != 0)
    return;
  state_.lastAddRequestTick = now;
  if (!IsWindowVisible(Handle())) return;
  AddToJumpListFromSelection(Handle());
}

void MainWindow::OnMenuCommand(UINT id) {
  switch (id) {
    case ID_MAIN_JUMP_LIST: ShowJumpListMenu(Handle()); break;
    case ID_MAIN_SETTINGS:
    case ID_TRAY_SETTINGS: OpenOptionsDialog(Handle()); break;
    case ID_MAIN_ABOUT:
    case ID_TRAY_ABOUT: OpenAboutBox(Handle()); break;
    case ID_MAIN_USE_GLOBAL_HOTKEY:
    case ID_TRAY_USE_GLOBAL_HOTKEY:
      SetUseGlobalHotKey(!MenuChecked(ID_MAIN_USE_GLOBAL_HOTKEY));
      break;
    case ID_MAIN_AUTO_HIDE_AT_EDGE: {
      bool checked = !MenuChecked(ID_MAIN_AUTO_HIDE_AT_EDGE);
      SetMenuCheck(ID_MAIN_AUTO_HIDE_AT_EDGE, checked);
      AutoHideWhenScreenEdgeChanged(Handle(), checked);
      SetAutoHide(checked);
      break;
    }
    case ID_MAIN_HIDE_OFF_SCREEN: {
      bool checked = !MenuChecked(ID_MAIN_HIDE_OFF_SCREEN);
      SetMenuCheck(ID_MAIN_HIDE_OFF_SCREEN, checked);
      if (checked) {
        RECT area = WorkArea(), window{};
        GetWindowRect(Handle(), &window);
        MoveTo(area.left + (area.right - area.left - (window.right - window.left)) / 2,
               area.top + state_.offScreenTop);
      }
      break;
    }
    case ID_TRAY_SHOW_AT_CENTRE: ShowAtCentre(); break;
    case ID_TRAY_EXIT: PostMessageW(Handle(), WM_CLOSE, 0, 0); break;
  }
}

void MainWindow::ShowAtCentre() {
  SetMenuCheck(ID_MAIN_HIDE_OFF_SCREEN, false);
  RECT area = WorkArea(), window{};
  GetWindowRect(Handle(), &window);
  MoveTo(area.left + (area.right - area.left - (window.right - window.left)) / 2,
         area.top + (area.bottom - area.top - (window.bottom - window.top)) / 2);
}

void MainWindow::SetUseGlobalHotKey(bool on) {
  SetMenuCheck(ID_MAIN_USE_GLOBAL_HOTKEY, on);
  if (on)
    hotKeys_.RegisterAll(Handle(), session_->HotKeyShortcuts());
  else
    hotKeys_.UnregisterAll(Handle());
}

void MainWindow::RegisterHotKeys(const std::array<uint16_t, kHotKeySlotCount>& shortcuts) {
  // Switched off, other programs keep their keys: nothing is registered.
  hotKeys_.Use(Handle(), hotkeys::HotKeyRange::All, shortcuts, UseGlobalHotKeyChecked());
}

bool MainWindow::MenuChecked(UINT id) const {
  return (GetMenuState(menu_, id, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

void MainWindow::SetMenuCheck(UINT id, bool checked) {
  CheckMenuItem(menu_, id, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void MainWindow::CheckHideOffScreenMenuItem() { SetMenuCheck(ID_MAIN_HIDE_OFF_SCREEN, true); }

bool MainWindow::UseGlobalHotKeyChecked() const { return MenuChecked(ID_MAIN_USE_GLOBAL_HOTKEY); }

void MainWindow::SetUseGlobalHotKeyChecked(bool checked) {
  SetMenuCheck(ID_MAIN_USE_GLOBAL_HOTKEY, checked);
}

std::pair<int, int> MainWindow::Position() const {
  RECT window{};
  GetWindowRect(Handle(), &window);
  return {window.left, window.top};
}

void MainWindow::OnDrawClipboard(WPARAM wParam, LPARAM lParam) {
  if (state_.nextClipboardViewer)
    SendMessageW(state_.nextClipboardViewer, WM_DRAWCLIPBOARD, wParam, lParam);
  state_.clipboardHasText =
      IsClipboardFormatAvailable(CF_UNICODETEXT) || IsClipboardFormatAvailable(CF_TEXT);
}

void MainWindow::OnChangeClipboardChain(HWND removed, HWND next) {
  if (removed == state_.nextClipboardViewer)
    state_.nextClipboardViewer = next;
  else if (state_.nextClipboardViewer)
    SendMessageW(state_.nextClipboardViewer, WM_CHANGECBCHAIN, reinterpret_cast<WPARAM>(removed),
                 reinterpret_cast<LPARAM>(next));
}

void MainWindow::LeaveClipboardChain() {
  if (leftClipboardChain_) return;
  // ChangeClipboardChain itself tells the chain (WM_CHANGECBCHAIN).
  ChangeClipboardChain(Handle(), state_.nextClipboardViewer);
  leftClipboardChain_ = true;
}

void MainWindow::OnClose() {
  // Open dialogs close first, as if cancelled; modal ones end their own
  // message loops, so the exit comes back once they have.
  if (CloseOpenDialogs(Handle()) && closeRetries_++ < kCloseRetries) {
    SetTimer(Handle(), kCloseRetryTimerId, kCloseRetryMs, nullptr);
    return;
  }
  LeaveClipboardChain();
  if (session_) session_->SaveAll();
  hotKeys_.UnregisterAll(Handle());
  DestroyWindow(Handle());
}

void MainWindow::OnDestroy() {
  LeaveClipboardChain();
  hotKeys_.UnregisterAll(Handle());
  hotKeys_.DeleteAtoms();
  // The tray icon goes with this object (TrayIcon's destructor).
  PostQuitMessage(0);
}

}  // namespace pathorama::app::win32
