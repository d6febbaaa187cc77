// The program's message loop, and the modeless dialogs it must serve: without
// IsDialogMessage a modeless dialog gets no Tab, Enter or Esc handling.
#pragma once

#include <windows.h>

namespace pathorama::ui::win32 {

// The open modeless dialogs of the user-interface thread; DialogBase adds a
// dialog it created modeless and removes it when the dialog is destroyed.
void AddModelessDialog(HWND dialog);
void RemoveModelessDialog(HWND dialog);

// Hands `message` to the open modeless dialog it belongs to; true when that
// dialog has handled it (the message must then not be dispatched again).
bool DispatchToModelessDialog(MSG& message);

// Gets and dispatches messages until WM_QUIT; returns its exit code.
int RunMessageLoop();

}  // namespace pathorama::ui::win32
