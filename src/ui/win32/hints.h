// Hints (tooltips) over a dialog's controls: one hint window per dialog,
// each control's text given, or asked for when the hint shows
// (LPSTR_TEXTCALLBACKW: the dialog answers TTN_GETDISPINFOW).
#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

namespace pathorama::ui::win32 {

// The hint window of `dialog`: on top, shown also while the dialog is
// inactive, "&" shown as written. Null when it could not be made.
HWND CreateHintWindow(HWND dialog);

// `text` over `control`, a child of `dialog`; the text must outlive the hint
// window (a literal), or be LPSTR_TEXTCALLBACKW.
void AddHint(HWND hints, HWND dialog, HWND control, const wchar_t* text);

}  // namespace pathorama::ui::win32
