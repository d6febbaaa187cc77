// The about box (caption "关于"): product, version and slogan, shown modally.
#pragma once

#include <windows.h>

#include "ui/win32/dialog_base.h"

namespace pathorama::app::win32 {

class AboutBox : public ui::win32::DialogBase<AboutBox> {
 public:
  // Returns when the user has closed it.
  void Show(HWND owner);

 private:
  friend DialogBase;
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
};

// Shows the about box over `owner` (may be null) until it is closed.
void ShowAboutBox(HWND owner);

}  // namespace pathorama::app::win32
