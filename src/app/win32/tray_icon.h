// The tray icon that stands for the program, with its popup menu. It is
// removed when its owner object goes; an icon the shell refused is tried
// again (see TrayAddAttempts).
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string>

#include "app/tray_add_attempts.h"

namespace pathorama::app::win32 {

class TrayIcon {
 public:
  // Shell_NotifyIconW, or a stand-in in tests.
  using NotifyFunction = BOOL(WINAPI*)(DWORD action, PNOTIFYICONDATAW data);
  // The owner's timer that paces the attempts at a refused icon.
  static constexpr UINT_PTR kRetryTimerId = 0x7A1;
  static constexpr UINT kRetryIntervalMs = 2000;

  explicit TrayIcon(NotifyFunction notify = &Shell_NotifyIconW) : notify_(notify) {}
  ~TrayIcon() { Remove(); }
  TrayIcon(const TrayIcon&) = delete;
  TrayIcon& operator=(const TrayIcon&) = delete;

  // Adds the icon; its mouse messages reach `owner` as kTrayIconMessage.
  // False when the shell refused it (traced; tried again later).
  bool Add(HWND owner, HICON icon, const std::u16string& tip);
  void Remove();
  bool Added() const { return attempts_.Added(); }

  // The owner's window procedure hands every message here first. A refused
  // icon is tried again on WM_WINDOWPOSCHANGING and on the retry timer; after
  // "TaskbarCreated" the icon is added again. True when the message was the
  // tray icon's alone: the owner then answers 0 and does nothing else.
  bool HandleOwnerMessage(UINT message, WPARAM wParam);

  // Shows `menu` at the mouse; returns the chosen command or 0.
  UINT TrackMenu(HMENU menu);

 private:
  void Attempt();

  NotifyFunction notify_;
  NOTIFYICONDATAW data_{};
  TrayAddAttempts attempts_;
};

}  // namespace pathorama::app::win32
