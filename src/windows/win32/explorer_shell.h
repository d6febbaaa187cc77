// Explorer through the shell's window collection: the folder and selection
// of an Explorer window's active tab, and showing another folder in it.
// Every call runs with a bound: a hung Explorer gives no answer, not a hang.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "windows/selection_text.h"

namespace pathorama::windows::win32 {

std::u16string ReadShellViewFolder(HWND explorer);
std::u16string ReadShellViewSelection(HWND explorer, SelectionMode mode);

// `NavigateExplorerWindow`: shows `path` (a folder, drive or namespace path)
// in the active tab of the Explorer window `explorer`; false when the window
// has no shell window item, the path cannot be parsed, or Explorer refused
// or did not answer in time.
bool NavigateExplorerWindow(std::u16string_view path, HWND explorer);

}  // namespace pathorama::windows::win32
