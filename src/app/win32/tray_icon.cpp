#include "app/win32/tray_icon.h"

#include "app/win32/app_messages.h"
#include "core/diagnostics.h"
#include "core/text.h"
#include "core/win32/diagnostics.h"
#include "core/win32/wide_text.h"

namespace pathorama::app::win32 {

namespace {

UINT TaskbarCreatedMessage() {
  static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
  return message;
}

}  // namespace

bool TrayIcon::Add(HWND owner, HICON icon, const std::u16string& tip) {
  data_ = {};
  data_.cbSize = sizeof(data_);
  data_.hWnd = owner;
  data_.uID = 1;
  data_.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
  data_.uCallbackMessage = kTrayIconMessage;
  data_.hIcon = icon;
  lstrcpynW(data_.szTip, core::win32::AsWide(tip), ARRAYSIZE(data_.szTip));
  attempts_.Start();
  Attempt();
  return Added();
}

void TrayIcon::Attempt() {
  SetLastError(0);
  bool added = notify_(NIM_ADD, &data_) != FALSE;
  DWORD error = added ? 0 : GetLastError();
  attempts_.Record(added, GetTickCount64());
  if (added) {
    KillTimer(data_.hWnd, kRetryTimerId);
    // Traced at every start: the start-up measurement ends here.
    core::Trace(u"tray icon added at attempt " + core::IntToText(attempts_.Made()));
    return;
  }
  if (attempts_.Made() == 1) {
    core::Trace(u"the shell refused the tray icon" +
                (error ? u" (system error " + core::win32::SystemErrorText(error) + u")"
                       : std::u16string()) +
                u"; trying again, at most " + core::IntToText(TrayAddAttempts::kMaxAttempts - 1) +
                u" times");
  }
  if (attempts_.GaveUp()) {
    KillTimer(data_.hWnd, kRetryTimerId);
    core::Trace(u"the shell refused the tray icon " + core::IntToText(attempts_.Made()) +
                u" times; no icon until the taskbar is created again");
    return;
  }
  SetTimer(data_.hWnd, kRetryTimerId, kRetryIntervalMs, nullptr);
}

void TrayIcon::Remove() {
  if (!data_.hWnd) return;
  KillTimer(data_.hWnd, kRetryTimerId);
  // Also when no add was confirmed: a shell that timed out may have shown it.
  notify_(NIM_DELETE, &data_);
  attempts_.Stop();
  data_.hWnd = nullptr;
}

bool TrayIcon::HandleOwnerMessage(UINT message, WPARAM wParam) {
  if (!data_.hWnd) return false;
  if (message == WM_WINDOWPOSCHANGING) {
    if (attempts_.RetryDue(GetTickCount64())) Attempt();
    return false;  // the owner's own handling goes on
  }
  if (message == WM_TIMER && wParam == kRetryTimerId) {
    if (attempts_.RetryDue(GetTickCount64())) Attempt();
    return true;
  }
  if (message == TaskbarCreatedMessage() && message != 0) {
    // A new taskbar has none of the old icons.
    attempts_.Start();
    Attempt();
    return true;
  }
  return false;
}

UINT TrayIcon::TrackMenu(HMENU menu) {
  if (!menu || !data_.hWnd) return 0;
  POINT at{};
  GetCursorPos(&at);
  // Without the foreground the menu would not close when the user clicks
  // elsewhere.
  SetForegroundWindow(data_.hWnd);
  UINT chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x, at.y, 0,
                               data_.hWnd, nullptr);
  PostMessageW(data_.hWnd, WM_NULL, 0, 0);
  return chosen;
}

}  // namespace pathorama::app::win32
