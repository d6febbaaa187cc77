#include "ui/win32/work_area.h"

#include <algorithm>

namespace pathorama::ui::win32 {

RECT WorkAreaOf(HWND window) {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (!GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor)) {
    RECT area{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    return area;
  }
  return monitor.rcWork;
}

void CentreInWorkArea(HWND window, const RECT& area, int width, int height) {
  const int left = area.left + std::max(0, static_cast<int>(area.right - area.left - width) / 2);
  const int top = area.top + std::max(0, static_cast<int>(area.bottom - area.top - height) / 2);
  SetWindowPos(window, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace pathorama::ui::win32
