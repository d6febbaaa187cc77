// The calls into the common-controls library, which is loaded at the first
// of them instead of imported: under Wine, loading it keeps 0.8 MB in the
// process (three 256-pixel message icons made at its start), which the idle
// program that opened no dialog need not pay. A dialog needs no call first:
// the system loads the library for its window classes (on Windows through
// the manifest's class redirection; Wine does the same).
#pragma once

#include <windows.h>
#include <commctrl.h>

namespace pathorama::ui::win32 {

// InitCommonControlsEx for `classes` (ICC_ bits); false when the library or
// the call failed.
bool LoadCommonControls(DWORD classes);

// SetWindowSubclass; false when the library or the call failed.
bool SetSubclass(HWND window, SUBCLASSPROC proc, UINT_PTR id, DWORD_PTR data);

// DefSubclassProc, for the subclass procedures installed by SetSubclass.
LRESULT DefaultSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace pathorama::ui::win32
