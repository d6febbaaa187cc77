#include "app/win32/window_spy.h"

#include <commctrl.h>

#include <string>

#include "resources/window_spy_ids.h"
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

std::wstring Wide(const std::u16string& text) { return std::wstring(text.begin(), text.end()); }

}  // namespace

TfrmWindowSpy& TfrmWindowSpy::Instance() {
  static TfrmWindowSpy spy;
  if (!spy.hwnd_) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
    // Owned by the desktop: no owner window.
    CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_WINDOW_SPY), nullptr,
                       DialogProc, reinterpret_cast<LPARAM>(&spy));
  }
  return spy;
}

HWND TfrmWindowSpy::Memo() const { return GetDlgItem(hwnd_, IDC_MMO_WINDOWINFO); }

void TfrmWindowSpy::Show() {
  if (!hwnd_) return;
  SetWindowTextW(Memo(), kIntro);
  RECT rect{};
  GetWindowRect(hwnd_, &rect);
  int width = rect.right - rect.left, height = rect.bottom - rect.top;
  SetWindowPos(hwnd_, HWND_TOPMOST, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
               (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0, 0, SWP_NOSIZE);
  SetTimer(hwnd_, kTimerId, kTickMs, nullptr);
  ClickSeen = false;
  ShowWindow(hwnd_, SW_SHOW);
}

void TfrmWindowSpy::Hide() {
  if (!hwnd_) return;
  KillTimer(hwnd_, kTimerId);
  ClickSeen = false;
  ShowWindow(hwnd_, SW_HIDE);
}

void TfrmWindowSpy::Tick() {
  POINT cursor{};
  GetCursorPos(&cursor);
  HWND w = WindowFromPoint(cursor);
  if (!Visible()) {
    ClickSeen = false;
    return;
  }
  int leftButton = GetSystemMetrics(SM_SWAPBUTTON) ? VK_RBUTTON : VK_LBUTTON;
  if (GetAsyncKeyState(leftButton) & 0x8000) ClickSeen = true;

  wchar_t title[256] = {}, className[256] = {};
  InternalGetWindowText(w, title, 256);
  GetClassNameW(w, className, 256);
  DWORD processId = 0;
  GetWindowThreadProcessId(w, &processId);
  std::wstring program = Wide(windows::win32::GetProcessExeName(processId));

  // The spy's own memo and window never describe themselves.
  if (_wcsicmp(program.c_str(), OwnExeName().c_str()) == 0 && (w == hwnd_ || IsChild(hwnd_, w))) {
    ClickSeen = false;
    return;
  }
  RECT own{};
  GetWindowRect(hwnd_, &own);
  if (PtInRect(&own, cursor)) {
    ClickSeen = false;
    return;
  }
  bool followMouse = IsDlgButtonChecked(hwnd_, IDC_CHK_REFRESSWITHMOUSEMOVE) == BST_CHECKED;
  if (!followMouse && !ClickSeen) return;
  std::wstring text = L"窗口标题： " + std::wstring(title) + L"\r\n窗口类名： " + className +
                      L"\r\n进 程  名 ： " + program + L"\r\n进 程  ID ： " +
                      std::to_wstring(processId);
  SetWindowTextW(Memo(), text.c_str());
  ClickSeen = false;
}

INT_PTR CALLBACK TfrmWindowSpy::DialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  TfrmWindowSpy* self = nullptr;
  if (msg == WM_INITDIALOG) {
    self = reinterpret_cast<TfrmWindowSpy*>(lp);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, DWLP_USER, lp);
  } else {
    self = reinterpret_cast<TfrmWindowSpy*>(GetWindowLongPtrW(hwnd, DWLP_USER));
  }
  if (!self) return FALSE;
  try {
    return self->Handle(msg, wp, lp);
  } catch (...) {
    return FALSE;  // nothing may escape into the system's dispatcher
  }
}

INT_PTR TfrmWindowSpy::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_INITDIALOG: {
      tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_,
                                 nullptr, GetModuleHandleW(nullptr), nullptr);
      TTTOOLINFOW tool{};
      tool.cbSize = sizeof tool;
      tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
      tool.hwnd = hwnd_;
      tool.uId = reinterpret_cast<UINT_PTR>(GetDlgItem(hwnd_, IDC_CHK_REFRESSWITHMOUSEMOVE));
      tool.lpszText = const_cast<wchar_t*>(L"不勾选时，长按鼠标方可更新");
      SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
      return TRUE;
    }
    case WM_TIMER:
      if (wp == kTimerId) Tick();
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wp) == IDC_CHK_REFRESSWITHMOUSEMOVE && HIWORD(wp) == BN_CLICKED) ClickSeen = false;
      if (LOWORD(wp) == IDCANCEL) Hide();
      return TRUE;
    case WM_CLOSE:
      Hide();
      return TRUE;
    case WM_CTLCOLORSTATIC:
      // The read-only memo shows its text in blue on the window colour.
      if (reinterpret_cast<HWND>(lp) == Memo()) {
        HDC dc = reinterpret_cast<HDC>(wp);
        SetTextColor(dc, RGB(0, 0, 255));
        SetBkColor(dc, GetSysColor(COLOR_WINDOW));
        return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_WINDOW));
      }
      return FALSE;
    case WM_NCHITTEST: {
      // Dragging the background moves the window.
      LRESULT hit = DefWindowProcW(hwnd_, msg, wp, lp);
      SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, hit == HTCLIENT ? HTCAPTION : hit);
      return TRUE;
    }
  }
  return FALSE;
}

}  // namespace pathorama::app::win32
