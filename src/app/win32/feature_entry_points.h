// Where the main window hands work to features that live in other parts of
// the program: the jump-list popup, the jump-list editor, the options dialog,
// the add-to-jump-list dialog and the about box. Each call is made exactly
// where the user's action lands.
#pragma once

#include <windows.h>

namespace pathorama::app::win32 {

// Shows the jump list as for a click on the main menu's jump-list item.
void ShowJumpListMenu(HWND mainWindow);
// `HotKeyPress`: a WM_HOTKEY of the main window.
void HotKeyPress(HWND mainWindow, WPARAM wParam, LPARAM lParam);
// Opens the jump-list editor (modeless; brought forward when open).
void OpenJumpListEditor(HWND mainWindow);
// The options dialog's pages, in its order.
enum class OptionsPage { General = 0, FolderManager = 1, IgnoredWindows = 2, Variables = 3, Others = 4 };
// Opens the options dialog modally on `page` (brings it forward when open).
void OpenOptionsDialog(HWND mainWindow, OptionsPage page = OptionsPage::General);
// Opens the about box modally.
void OpenAboutBox(HWND mainWindow);
// Opens the add-to-jump-list dialog on the current selection of files and
// folders (after the running instance has debounced the request).
void AddToJumpListFromSelection(HWND mainWindow);
// Closes the program's open dialogs as their 取消 would. True while a modal
// one is still running its message loop (asked to end; it has not yet).
bool CloseOpenDialogs(HWND mainWindow);
// Copies the function items into the jump-list menu after the first load.
void CopyFunctionItemsIntoJumpList(HWND mainWindow);
// The main window's procedure hands every message here first: the menu-loop
// notifications of every popup become the private menu messages, and the
// jump list fills its submenus as they open. True when the message was the
// jump list's alone (answer 0).
bool HandleJumpListMenuMessage(HWND mainWindow, UINT message, WPARAM wParam, LPARAM lParam);
// The screen-edge auto-hide menu item changed its check mark; the options
// dialog's check box follows it.
void AutoHideWhenScreenEdgeChanged(HWND mainWindow, bool checked);

}  // namespace pathorama::app::win32
