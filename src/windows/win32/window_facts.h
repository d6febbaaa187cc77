// Reading facts from windows of any process without ever waiting on them
// unboundedly: class names, texts, the Z order and descendants.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace pathorama::windows::win32 {

// How long a message to another program may take before it counts as no answer.
inline constexpr UINT kMessageTimeoutMs = 2000;
inline constexpr UINT kTextTimeoutMs = 500;

std::u16string ClassNameOf(HWND window);  // up to 255 characters
// A top-level window's title as the system keeps it (never blocks).
std::u16string TitleOf(HWND window, int maxChars = 255);
// A control's text, asked with a bounded WM_GETTEXT; empty on timeout.
std::u16string ControlTextOf(HWND window, int maxChars = 256);

// SendMessageTimeout that aborts for a hung window; false means no answer
// (traced, with the window and the wait).
bool SendMessageBounded(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                        LRESULT* result = nullptr, UINT timeoutMs = kMessageTimeoutMs);

// Top-level windows from the top, visible or not: the desktop's first child
// and its next-window links.
std::vector<HWND> TopLevelWindowsInZOrder();
// All descendants in the system's enumeration order.
std::vector<HWND> DescendantsOf(HWND window);
// The control's class, its parent's, ... up to `stopAt` (included) or the desktop.
std::vector<std::u16string> ClassesUpward(HWND control, HWND stopAt = nullptr);

// The first descendant whose class chain matches `chain` (bottom up), that is
// visible when asked, and whose text is non-empty when asked; null if none.
HWND FindDescendantByChain(HWND root, const std::vector<std::u16string_view>& chain,
                           bool mustBeVisible = false, bool needsText = false);

// The screen rectangle of a window; empty (all zero) for none.
RECT ScreenRectOf(HWND window);

}  // namespace pathorama::windows::win32
