// The window the user works in: captured when a hotkey is pressed or the
// jump list is opened, and what every opening decision depends on. Its
// class name always belongs to its window.
#pragma once

#include <windows.h>

#include <string>

namespace pathorama::windows::win32 {

struct TargetWindow {
  HWND window = nullptr;
  std::u16string className;  // at most 255 characters; empty without a window
};

// The window with its class name read now; empty for no window.
TargetWindow CaptureTarget(HWND window);

// The target as it stands now: a window that no longer exists, or that has
// another class than when it was captured (its handle was reused), counts as
// no target ("any other window").
TargetWindow Revalidated(const TargetWindow& target);

}  // namespace pathorama::windows::win32
