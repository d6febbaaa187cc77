// The window spy (TfrmWindowSpy, caption "WindowSpy"): shows title, class,
// program and process id of the window under the mouse, so the user can copy
// them into the ignore lists. A modeless, always-on-top window created once
// and hidden when closed; its owner's message loop must pass its messages
// through IsDialogMessage.
#pragma once

#include <windows.h>

namespace pathorama::app::win32 {

class TfrmWindowSpy {
 public:
  // Creates the (hidden) window on first use.
  static TfrmWindowSpy& Instance();

  void Show();
  void Hide();
  HWND Handle() const { return hwnd_; }
  HWND Memo() const;  // mmo_WindowInfo
  bool Visible() const { return hwnd_ && IsWindowVisible(hwnd_); }

  // One 200 ms tick (public so a caller can drive it without waiting).
  void Tick();

 private:
  TfrmWindowSpy() = default;
  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  INT_PTR Handle(UINT msg, WPARAM wp, LPARAM lp);

  HWND hwnd_ = nullptr;
  HWND tooltip_ = nullptr;
  bool ClickSeen = false;
};

}  // namespace pathorama::app::win32
