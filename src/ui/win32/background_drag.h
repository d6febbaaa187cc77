// Windows that the user moves by pressing anywhere on their background, as
// on their caption.
#pragma once

#include <windows.h>

namespace pathorama::ui::win32 {

// The answer to WM_NCHITTEST: the client area counts as the caption.
inline LRESULT HitTestWithBackgroundAsCaption(HWND window, WPARAM wParam, LPARAM lParam) {
  const LRESULT hit = DefWindowProcW(window, WM_NCHITTEST, wParam, lParam);
  return hit == HTCLIENT ? HTCAPTION : hit;
}

// For a press that a child (a page, a tab strip) or the window itself
// received: the move loop that a press on the caption would start.
inline void MoveByPress(HWND window) {
  const DWORD at = GetMessagePos();
  ReleaseCapture();
  SendMessageW(window, WM_NCLBUTTONDOWN, HTCAPTION, static_cast<LPARAM>(at));
}

}  // namespace pathorama::ui::win32
