// The window spy (caption "WindowSpy"): shows title, class, program and
// process id of the window under the mouse, so the user can copy them into
// the ignore lists. A modeless, always-on-top dialog created once and hidden
// when closed; the message loop serves its keys (ui/win32/message_loop.h).
#pragma once

#include <windows.h>

#include "ui/win32/dialog_base.h"

namespace pathorama::app::win32 {

class WindowSpy : public ui::win32::DialogBase<WindowSpy> {
 public:
  // Creates the (hidden) window on first use.
  static WindowSpy& Instance();
  // The spy's window while it is shown; null when hidden or never created.
  // Creates nothing: a question asked at every hotkey press must not make
  // the dialog and load the common controls for it.
  static HWND ShownWindow();

  void Show();
  void Hide();
  // The read-only edit that shows what was found.
  HWND InfoEdit() const;
  bool Visible() const { return Handle() && IsWindowVisible(Handle()); }

  // One 200 ms tick (public so a caller can drive it without waiting).
  void Tick();

 private:
  friend DialogBase;
  WindowSpy() = default;
  static WindowSpy& Uncreated();
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void AddFollowMouseTooltip();

  HWND tooltip_ = nullptr;
  // The left button went down since the last tick: the spy updates even
  // when it does not follow the mouse.
  bool clickSeen_ = false;
};

}  // namespace pathorama::app::win32
