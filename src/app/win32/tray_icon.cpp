#include "app/win32/tray_icon.h"

#include <shellapi.h>

#include "app/win32/win32_text.h"

namespace pathorama::app::win32 {

void TrayIcon::Add(HWND owner, HICON icon, const std::u16string& tip) {
  data_ = {};
  data_.cbSize = sizeof(data_);
  data_.hWnd = owner;
  data_.uID = 1;
  data_.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
  data_.uCallbackMessage = kCallbackMessage;
  data_.hIcon = icon;
  lstrcpynW(data_.szTip, W(tip), ARRAYSIZE(data_.szTip));
  added_ = Shell_NotifyIconW(NIM_ADD, &data_) != FALSE;
}

void TrayIcon::Readd() {
  if (data_.hWnd) added_ = Shell_NotifyIconW(NIM_ADD, &data_) != FALSE;
}

void TrayIcon::Remove() {
  if (added_) Shell_NotifyIconW(NIM_DELETE, &data_);
  added_ = false;
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
