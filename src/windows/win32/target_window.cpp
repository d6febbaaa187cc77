#include "windows/win32/target_window.h"

#include "windows/win32/window_facts.h"

namespace pathorama::windows::win32 {

TargetWindow CaptureTarget(HWND window) {
  if (!window || !IsWindow(window)) return {};
  return {window, ClassNameOf(window)};
}

TargetWindow Revalidated(const TargetWindow& target) {
  if (!target.window || !IsWindow(target.window)) return {};
  if (ClassNameOf(target.window) != target.className) return {};
  return target;
}

}  // namespace pathorama::windows::win32
