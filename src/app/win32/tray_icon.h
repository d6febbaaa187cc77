// The tray icon that stands for the program, with its popup menu.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string>

namespace pathorama::app::win32 {

class TrayIcon {
 public:
  // Message the icon sends to `owner` (lParam holds the mouse message).
  static constexpr UINT kCallbackMessage = WM_APP + 1;

  void Add(HWND owner, HICON icon, const std::u16string& tip);
  // After Explorer restarts ("TaskbarCreated") the icon must be added again.
  void Readd();
  void Remove();
  // Shows `menu` at the mouse; returns the chosen command or 0.
  UINT TrackMenu(HMENU menu);

 private:
  NOTIFYICONDATAW data_{};
  bool added_ = false;
};

}  // namespace pathorama::app::win32
