// Where a window is placed when it opens: in the middle of the work area of
// the monitor the user is working on.
#pragma once

#include <windows.h>

namespace pathorama::ui::win32 {

// The work area of the monitor that shows `window`; the primary monitor's
// when no monitor shows it (or `window` is null).
RECT WorkAreaOf(HWND window);

// Moves `window` to the middle of `area` at `width` by `height`; a window
// larger than the area keeps its top left corner inside it. The z-order and
// the activation stay as they are.
void CentreInWorkArea(HWND window, const RECT& area, int width, int height);

}  // namespace pathorama::ui::win32
