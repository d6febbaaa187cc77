// Processes behind windows: the program file of a window's process and the
// number of running processes of a given program file name.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace pathorama::windows::win32 {

// Number of running processes whose image name, with or without its
// directory part, equals `name` (ignoring case). A process counts once.
int CountProcessesByName(std::u16string_view name);

// File name (no directory) of the program of process `processId`; empty
// when the process is gone.
std::u16string GetProcessExeName(DWORD processId);

// Full path (drive form, "C:\...") of the program that owns `window`; empty
// when it cannot be read.
std::u16string GetWindowProcessPath(HWND window);

}  // namespace pathorama::windows::win32
