// A window's DPI and what a dialog does when it moves to a monitor of
// another scaling (WM_DPICHANGED): it takes the rectangle the system
// suggests, its controls their places scaled, and its text a font of the
// new size. The program declares per-monitor awareness (v2), so nothing of
// this is done for it by the system's bitmap stretching.
#pragma once

#include <windows.h>

#include <vector>

namespace pathorama::ui::win32 {

// The DPI of the monitor `window` is on; 96 where the system cannot tell.
UINT WindowDpi(HWND window);

class DialogDpiScaling {
 public:
  DialogDpiScaling() = default;
  ~DialogDpiScaling();
  DialogDpiScaling(const DialogDpiScaling&) = delete;
  DialogDpiScaling& operator=(const DialogDpiScaling&) = delete;

  // At WM_INITDIALOG: the dialog's DPI now; the system's own rescaling of
  // dialogs is turned off for it, so it is never scaled twice.
  void Attach(HWND dialog);
  UINT Dpi() const { return dpi_; }

  // WM_DPICHANGED. With `scaleControls`, every control (and the controls
  // of child dialogs, such as property pages) is moved and sized by the
  // ratio of the DPIs; a dialog with a layout of its own passes false and
  // lays out again on the WM_SIZE that the suggested rectangle brings.
  void OnDpiChanged(HWND dialog, WPARAM wParam, LPARAM lParam, bool scaleControls = true);

 private:
  UINT dpi_ = 96;
  std::vector<HFONT> fonts_;  // the fonts made for the last change
};

}  // namespace pathorama::ui::win32
