// Open/Save dialogs, the desktop and the keyboard focus of the foreground window.
#pragma once

#include <windows.h>

#include <string>

#include "windows/window_classes.h"

namespace pathorama::windows::win32 {

// What kind of Open/Save dialog `dialog` is; None for no dialog or another kind.
DialogType GetDialogType(HWND dialog);
// The dialog's file name (or folder) edit, or null.
HWND FindDialogFileNameEdit(HWND dialog);
// Whether `edit` is the file name field of the dialog it sits in (up to `topDialog`).
bool IsDialogFileNameEdit(HWND edit, HWND topDialog);

bool IsDesktopWindow(HWND window);
// The "DeskTop" value of the user's Shell Folders key.
std::u16string GetDesktopFolder();
// The control with the keyboard focus in the foreground window, or null.
HWND GetForegroundFocus();

}  // namespace pathorama::windows::win32
