#include "app/win32/window_spy.h"

#include <commctrl.h>

#include <string>

#include "app/win32/window_spy_ids.h"
#include "core/win32/wide_text.h"
#include "ui/win32/background_drag.h"
#include "ui/win32/common_controls.h"
#include "ui/win32/hints.h"
#include "windows/win32/processes.h"

namespace pathorama::app::win32 {

namespace {

constexpr UINT_PTR kTimerId = 1;
constexpr UINT kTickMs = 200;

const wchar_t kIntro[] =
    L"\r\n鼠标点击任意窗口\r\n将在此处显示该窗口的相关信息\r\n若不能及时更新，请多点击几次即可";

std::wstring OwnExeName() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring text = path;
  return text.substr(text.find_last_of(L"\\/") + 1);
}

}  // namespace

WindowSpy& WindowSpy::Uncreated() {
  static WindowSpy spy;
  return spy;
}

HWND WindowSpy::ShownWindow() {
  const WindowSpy& spy = Uncreated();
  return spy.Visible() ? spy.Handle() : nullptr;
}

WindowSpy& WindowSpy::Instance() {
  WindowSpy& spy = Uncreated();
  if (!spy.Handle()) {
    ui::win32::LoadCommonControls(ICC_WIN95_CLASSES);
    // Owned by the desktop: no owner window.
    spy.CreateModeless(GetModuleHandleW(nullptr), IDD_WINDOW_SPY, nullptr);
  }
  return spy;
}

HWND WindowSpy::InfoEdit() const { return GetDlgItem(Handle(), IDC_SPY_WINDOW_INFO); }

void WindowSpy::Show() {
  HWND hwnd = Handle();
  if (!hwnd) return;
  SetWindowTextW(InfoEdit(), kIntro);
  RECT rect{};
  GetWindowRect(hwnd, &rect);
  int width = rect.right - rect.left, height = rect.bottom - rect.top;
  SetWindowPos(hwnd, HWND_TOPMOST, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
               (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0, 0, SWP_NOSIZE);
  SetTimer(hwnd, kTimerId, kTickMs, nullptr);
  clickSeen_ = false;
  ShowWindow(hwnd, SW_SHOW);
}

void WindowSpy::Hide() {
  if (!Handle()) return;
  KillTimer(Handle(), kTimerId);
  clickSeen_ = false;
  ShowWindow(Handle(), SW_HIDE);
}

void WindowSpy::Tick() {
  HWND hwnd = Handle();
  POINT cursor{};
  GetCursorPos(&cursor);
  HWND w = WindowFromPoint(cursor);
  if (!Visible()) {
    clickSeen_ = false;
    return;
  }
  int leftButton = GetSystemMetrics(SM_SWAPBUTTON) ? VK_RBUTTON : VK_LBUTTON;
  if (GetAsyncKeyState(leftButton) & 0x8000) clickSeen_ = true;

  wchar_t title[256] = {}, className[256] = {};
  InternalGetWindowText(w, title, 256);
  GetClassNameW(w, className, 256);
  DWORD processId = 0;
  GetWindowThreadProcessId(w, &processId);
  std::u16string program = windows::win32::GetProcessExeName(processId);

  // The spy's own edit and window never describe themselves.
  if (_wcsicmp(core::win32::AsWide(program), OwnExeName().c_str()) == 0 &&
      (w == hwnd || IsChild(hwnd, w))) {
    clickSeen_ = false;
    return;
  }
  RECT own{};
  GetWindowRect(hwnd, &own);
  if (PtInRect(&own, cursor)) {
    clickSeen_ = false;
    return;
  }
  bool followMouse = IsDlgButtonChecked(hwnd, IDC_SPY_FOLLOW_MOUSE) == BST_CHECKED;
  if (!followMouse && !clickSeen_) return;
  std::wstring text = L"窗口标题： " + std::wstring(title) + L"\r\n窗口类名： " + className +
                      L"\r\n进 程  名 ： " + core::win32::AsWide(program) + L"\r\n进 程  ID ： " +
                      std::to_wstring(processId);
  SetWindowTextW(InfoEdit(), text.c_str());
  clickSeen_ = false;
}

void WindowSpy::AddFollowMouseTooltip() {
  HWND hwnd = Handle();
  tooltip_ = ui::win32::CreateHintWindow(hwnd);
  ui::win32::AddHint(tooltip_, hwnd, GetDlgItem(hwnd, IDC_SPY_FOLLOW_MOUSE), L"不勾选时，长按鼠标方可更新");
}

INT_PTR WindowSpy::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      AddFollowMouseTooltip();
      return TRUE;
    case WM_TIMER:
      if (wParam == kTimerId) Tick();
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDC_SPY_FOLLOW_MOUSE && HIWORD(wParam) == BN_CLICKED)
        clickSeen_ = false;
      if (LOWORD(wParam) == IDCANCEL) Hide();
      return TRUE;
    case WM_CLOSE:
      Hide();
      return TRUE;
    case WM_CTLCOLORSTATIC:
      // The read-only edit shows its text in blue on the window colour.
      if (reinterpret_cast<HWND>(lParam) == InfoEdit()) {
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, RGB(0, 0, 255));
        SetBkColor(dc, GetSysColor(COLOR_WINDOW));
        return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_WINDOW));
      }
      return FALSE;
    case WM_NCHITTEST:
      // Dragging the background moves the window.
      SetResult(ui::win32::HitTestWithBackgroundAsCaption(Handle(), wParam, lParam));
      return TRUE;
  }
  return FALSE;
}

}  // namespace pathorama::app::win32
