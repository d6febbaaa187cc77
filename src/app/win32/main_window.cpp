#include "app/win32/main_window.h"

#include <shellapi.h>

#include "app/main_window_placement.h"
#include "app/startup.h"
#include "app/win32/app_session.h"
#include "app/win32/feature_entry_points.h"
#include "app/win32/win32_text.h"
#include "resources/resource_ids.h"

namespace pathorama::app::win32 {

namespace {

// Posted after the window is shown: the start-up work must also run when
// Windows refuses to activate a window started in the background.
constexpr UINT kFirstActivationMessage = WM_APP + 2;
// Menu-loop notifications of the jump-list popup.
constexpr UINT CM_MENU_CLOSED = 0xB3E9;
constexpr UINT CM_MENU_LOOP_ENTER = 0xB3EA;
constexpr UINT CM_MENU_LOOP_EXIT = 0xB3EB;
// Repeated requests to add the selection (one per selected file) within this
// time are one request.
constexpr ULONGLONG kAddRequestDebounceMs = 1000;

UINT TaskbarCreatedMessage() {
  static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
  return message;
}

std::u16string VersionOfExecutable(const std::u16string& exePath) {
  DWORD handle = 0;
  DWORD size = GetFileVersionInfoSizeW(W(exePath), &handle);
  if (size == 0) return AppVersionFromFileVersion(u"");
  std::vector<BYTE> block(size);
  if (!GetFileVersionInfoW(W(exePath), 0, size, block.data()))
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
  if (hwnd_) DestroyWindow(hwnd_);
}

bool MainWindow::Create() {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = &MainWindow::WindowProc;
  wc.hInstance = instance_;
  wc.hIcon = LoadIconW(instance_, MAKEINTRESOURCEW(IDI_PATHORAMA));
  wc.hIconSm = static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(IDI_PATHORAMA),
                                             IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                             GetSystemMetrics(SM_CYSMICON), LR_SHARED));
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = W(kMainWindowClass);
  if (!RegisterClassExW(&wc)) return false;

  menu_ = LoadMenuW(instance_, MAKEINTRESOURCEW(IDM_MAIN));
  // A tool window is not shown on the taskbar; the tray icon stands for it.
  // Created above the screen so nothing flashes before it is placed.
  const int left = (GetSystemMetrics(SM_CXSCREEN) - kMainWindowWidth) / 2;
  hwnd_ = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, W(kMainWindowClass), L"Pathorama",
                          WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, left,
                          state_.OffScreenTop, kMainWindowWidth, 60, nullptr, menu_, instance_,
                          this);
  return hwnd_ != nullptr;
}

void MainWindow::Show() {
  ShowWindow(hwnd_, SW_SHOW);
  SetForegroundWindow(hwnd_);
  PostMessageW(hwnd_, kFirstActivationMessage, 0, 0);
}

LRESULT CALLBACK MainWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  MainWindow* self = nullptr;
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    self = static_cast<MainWindow*>(create->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  }
  if (message == WM_NCDESTROY && self) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
  if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
  // No exception may cross the window procedure into the system.
  try {
    return self->HandleMessage(message, wParam, lParam);
  } catch (...) {
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      OnCreate();
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE && state_.FirstActivationPending) OnFirstActivation();
      break;
    case kFirstActivationMessage:
      if (state_.FirstActivationPending) OnFirstActivation();
      return 0;
    case WM_OPENJUMPLIST:
    case WM_SETJUMPLIST:
    case WM_ADDTOJUMPLIST:
    case WM_OPENSETTING:
      // The sending start waits for no result: release it before a modal
      // dialog keeps this handler busy.
      if (InSendMessage()) ReplyMessage(0);
      OnCommandMessage(message);
      return 0;
    case CM_MENU_CLOSED:
    case CM_MENU_LOOP_EXIT:
      state_.MenuLoopActive = false;
      return 0;
    case CM_MENU_LOOP_ENTER:
      state_.MenuLoopActive = true;
      return 0;
    case WM_COMMAND:
      if (HIWORD(wParam) == 0) OnMenuCommand(LOWORD(wParam));
      return 0;
    case TrayIcon::kCallbackMessage:
      switch (LOWORD(lParam)) {
        case WM_LBUTTONUP:
          ShowJumpListMenu(hwnd_);
          break;
        case WM_RBUTTONUP:
        case WM_CONTEXTMENU:
          if (HMENU tray = LoadMenuW(instance_, MAKEINTRESOURCEW(IDM_TRAY))) {
            HMENU popup = GetSubMenu(tray, 0);
            CheckMenuItem(popup, ID_MNI_GLOBALHOTKEY,
                          MenuChecked(ID_MNI_USEGLOBALHOTKEY) ? MF_CHECKED : MF_UNCHECKED);
            UINT chosen = tray_.TrackMenu(popup);
            DestroyMenu(tray);
            if (chosen) OnMenuCommand(chosen);
          }
          break;
      }
      return 0;
    case WM_NCHITTEST: {
      // A drag anywhere in the client area moves the window like its caption.
      LRESULT hit = DefWindowProcW(hwnd_, message, wParam, lParam);
      return hit == HTCLIENT ? HTCAPTION : hit;
    }
    case WM_DRAWCLIPBOARD:
      OnDrawClipboard(wParam, lParam);
      return 0;
    case WM_CHANGECBCHAIN:
      OnChangeClipboardChain(reinterpret_cast<HWND>(wParam), reinterpret_cast<HWND>(lParam));
      return 0;
    case WM_QUERYENDSESSION:
      if (session_) session_->SaveAll();
      return TRUE;
    case WM_CLOSE:
      OnClose();
      return 0;
    case WM_DESTROY:
      OnDestroy();
      return 0;
    default:
      if (message == TaskbarCreatedMessage() && message != 0) {
        tray_.Readd();
        return 0;
      }
      break;
  }
  return DefWindowProcW(hwnd_, message, wParam, lParam);
}

void MainWindow::OnCreate() {
  // Joining the chain sends the first WM_DRAWCLIPBOARD at once; it sets
  // ClipboardHasText from the clipboard as it is now.
  state_.ClipboardHasText = false;
  state_.NextClipboardViewer = SetClipboardViewer(hwnd_);
  state_.LastHotKeyTick = GetTickCount64();

  state_.AppVersion = VersionOfExecutable(exePath_);
  SetWindowTextW(hwnd_, W(MainWindowCaption(state_.AppVersion)));

  state_.AddItemCursor = LoadCursorW(instance_, L"Cursor_AddItem");

  FitHeightToCaptionAndMenu();
  HICON small = static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(IDI_PATHORAMA),
                                              IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                              GetSystemMetrics(SM_CYSMICON), LR_SHARED));
  tray_.Add(hwnd_, small, MainWindowCaption(state_.AppVersion));

  // Provisional hotkeys: the defaults, until the settings are applied.
  hotKeys_.CreateAtoms();
  std::array<uint16_t, kHotKeySlotCount> provisional{};
  for (int i = 0; i < kHotKeySlotCount; ++i) provisional[i] = kHotKeySlots[i].provisionalShortcut;
  hotKeys_.UseGlobalHotKey(hwnd_, provisional);

  session_ = std::make_unique<AppSession>(*this, exePath_);
  session_->OpenIniFile();
}

void MainWindow::FitHeightToCaptionAndMenu() {
  // Only the caption and the menu bar show: a client area of height 0.
  RECT window{}, client{};
  GetWindowRect(hwnd_, &window);
  GetClientRect(hwnd_, &client);
  int height = (window.bottom - window.top) - (client.bottom - client.top);
  SetWindowPos(hwnd_, nullptr, 0, 0, kMainWindowWidth, height,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  // The menu bar may wrap once the width is final: measure again.
  GetWindowRect(hwnd_, &window);
  GetClientRect(hwnd_, &client);
  if (client.bottom - client.top != 0) {
    height = (window.bottom - window.top) - (client.bottom - client.top);
    SetWindowPos(hwnd_, nullptr, 0, 0, kMainWindowWidth, height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

RECT MainWindow::WorkArea() const {
  RECT area{};
  if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0))
    area = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  return area;
}

void MainWindow::MoveTo(int left, int top) {
  SetWindowPos(hwnd_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::PlaceAtFirstActivation() {
  RECT area = WorkArea();
  RECT window{};
  GetWindowRect(hwnd_, &window);
  MainWindowPlace place = PlaceMainWindowFromSettings(
      session_->Ini(), area.right - area.left, area.bottom - area.top, window.right - window.left,
      window.bottom - window.top);
  if (place.parkedOffScreen && MenuChecked(ID_MNI_AUTOHIDEWHENSCREENEDGE)) {
    // As a click on the item: a window parked above the screen must not dock.
    SetMenuCheck(ID_MNI_AUTOHIDEWHENSCREENEDGE, false);
    AutoHideWhenScreenEdgeChanged(hwnd_, false);
  }
  MoveTo(place.left, place.top);
}

void MainWindow::OnFirstActivation() {
  state_.FirstActivationPending = false;
  PlaceAtFirstActivation();
  session_->LoadAll();
  CopyFunctionItemsIntoJumpList(hwnd_);
  // The first instance acts on its own command line as a second start would.
  if (UINT message = MessageForCommand(CommandForFirstActivation(args_)))
    SendMessageW(hwnd_, message, 0, 0);
}

void MainWindow::OnCommandMessage(UINT message) {
  if (message == WM_ADDTOJUMPLIST) {
    OnAddToJumpList();
    return;
  }
  // A command that arrives while the window is hidden is dropped.
  if (!IsWindowVisible(hwnd_)) return;
  switch (message) {
    case WM_OPENJUMPLIST: ShowJumpListMenu(hwnd_); break;
    case WM_SETJUMPLIST: OpenJumpListEditor(hwnd_); break;
    case WM_OPENSETTING: OpenOptionsDialog(hwnd_); break;
  }
}

void MainWindow::OnAddToJumpList() {
  ULONGLONG now = GetTickCount64();
  if (now - state_.LastAddRequestTick <= kAddRequestDebounceMs && state_.LastAddRequestTick != 0)
    return;
  state_.LastAddRequestTick = now;
  if (!IsWindowVisible(hwnd_)) return;
  AddToJumpListFromSelection(hwnd_);
}

void MainWindow::OnMenuCommand(UINT id) {
  switch (id) {
    case ID_MNI_PATHSLIST: ShowJumpListMenu(hwnd_); break;
    case ID_MNI_APPSET:
    case ID_MNI_SETTING: OpenOptionsDialog(hwnd_); break;
    case ID_MNI_ABOUT:
    case ID_MNI_ABOUTAPP: OpenAboutBox(hwnd_); break;
    case ID_MNI_USEGLOBALHOTKEY:
    case ID_MNI_GLOBALHOTKEY: SetUseGlobalHotKey(!MenuChecked(ID_MNI_USEGLOBALHOTKEY)); break;
    case ID_MNI_AUTOHIDEWHENSCREENEDGE: {
      bool checked = !MenuChecked(ID_MNI_AUTOHIDEWHENSCREENEDGE);
      SetMenuCheck(ID_MNI_AUTOHIDEWHENSCREENEDGE, checked);
      AutoHideWhenScreenEdgeChanged(hwnd_, checked);
      break;
    }
    case ID_MNI_MOVEMAINFORMOUTSCREEN: {
      bool checked = !MenuChecked(ID_MNI_MOVEMAINFORMOUTSCREEN);
      SetMenuCheck(ID_MNI_MOVEMAINFORMOUTSCREEN, checked);
      if (checked) {
        RECT area = WorkArea(), window{};
        GetWindowRect(hwnd_, &window);
        MoveTo((area.right - area.left - (window.right - window.left)) / 2, state_.OffScreenTop);
      }
      break;
    }
    case ID_MNI_SHOWMAINFORMATCENTER: ShowAtCentre(); break;
    case ID_MNI_EXITAPP: PostMessageW(hwnd_, WM_CLOSE, 0, 0); break;
  }
}

void MainWindow::ShowAtCentre() {
  SetMenuCheck(ID_MNI_MOVEMAINFORMOUTSCREEN, false);
  RECT area = WorkArea(), window{};
  GetWindowRect(hwnd_, &window);
  MoveTo((area.right - area.left - (window.right - window.left)) / 2,
         (area.bottom - area.top - (window.bottom - window.top)) / 2);
}

void MainWindow::SetUseGlobalHotKey(bool on) {
  SetMenuCheck(ID_MNI_USEGLOBALHOTKEY, on);
  if (on)
    hotKeys_.UseGlobalHotKey(hwnd_, session_->HotKeyShortcuts());
  else
    hotKeys_.DelGlobalHotKey(hwnd_);
}

void MainWindow::RegisterHotKeys(const std::array<uint16_t, kHotKeySlotCount>& shortcuts) {
  hotKeys_.UseGlobalHotKey(hwnd_, shortcuts);
}

bool MainWindow::MenuChecked(UINT id) const {
  return (GetMenuState(menu_, id, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

void MainWindow::SetMenuCheck(UINT id, bool checked) {
  CheckMenuItem(menu_, id, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void MainWindow::CheckHideOffScreenMenuItem() { SetMenuCheck(ID_MNI_MOVEMAINFORMOUTSCREEN, true); }

bool MainWindow::UseGlobalHotKeyChecked() const { return MenuChecked(ID_MNI_USEGLOBALHOTKEY); }

void MainWindow::SetUseGlobalHotKeyChecked(bool checked) {
  SetMenuCheck(ID_MNI_USEGLOBALHOTKEY, checked);
}

std::pair<int, int> MainWindow::Position() const {
  RECT window{};
  GetWindowRect(hwnd_, &window);
  return {window.left, window.top};
}

void MainWindow::OnDrawClipboard(WPARAM wParam, LPARAM lParam) {
  if (state_.NextClipboardViewer)
    SendMessageW(state_.NextClipboardViewer, WM_DRAWCLIPBOARD, wParam, lParam);
  state_.ClipboardHasText =
      IsClipboardFormatAvailable(CF_UNICODETEXT) || IsClipboardFormatAvailable(CF_TEXT);
}

void MainWindow::OnChangeClipboardChain(HWND removed, HWND next) {
  if (removed == state_.NextClipboardViewer)
    state_.NextClipboardViewer = next;
  else if (state_.NextClipboardViewer)
    SendMessageW(state_.NextClipboardViewer, WM_CHANGECBCHAIN, reinterpret_cast<WPARAM>(removed),
                 reinterpret_cast<LPARAM>(next));
}

void MainWindow::OnClose() {
  if (!leftClipboardChain_) {
    // ChangeClipboardChain itself tells the chain (WM_CHANGECBCHAIN).
    ChangeClipboardChain(hwnd_, state_.NextClipboardViewer);
    leftClipboardChain_ = true;
  }
  if (session_) session_->SaveAll();
  hotKeys_.DelGlobalHotKey(hwnd_);
  DestroyWindow(hwnd_);
}

void MainWindow::OnDestroy() {
  if (!leftClipboardChain_) {
    ChangeClipboardChain(hwnd_, state_.NextClipboardViewer);
    leftClipboardChain_ = true;
  }
  hotKeys_.DelGlobalHotKey(hwnd_);
  hotKeys_.DeleteAtoms();
  tray_.Remove();
  PostQuitMessage(0);
}

}  // namespace pathorama::app::win32
