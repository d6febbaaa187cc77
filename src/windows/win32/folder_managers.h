// Finding the folder managers the user has open and reading their current
// folder and selection: Explorer through the shell's window collection (or
// the address bar of an Explorer view hosted in another program), Total
// Commander through its command messages, Directory Opus through dopusrt.exe,
// XYplorer and Xplorer2 through their address edits.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "windows/selection_text.h"
#include "windows/window_classes.h"

namespace pathorama::windows::win32 {

// The folder a manager window shows.
struct OpenedFolder {
  HWND window = nullptr;  // the manager window that was asked; null when none was
  std::u16string path;    // empty: unknown
};

// Total Commander's command messages.
inline constexpr UINT kTotalCommanderCommand = WM_USER + 51;
inline constexpr UINT kTotalCommanderPanel = WM_USER + 50;
inline constexpr WPARAM kTotalCommanderCopySourcePath = 2029;
inline constexpr WPARAM kTotalCommanderCopyFullNames = 2018;

// How long the Directory Opus answer is waited for, in 10 ms rounds.
inline constexpr int kDirectoryOpusWaitMs = 60;

HWND FindTopmostFolderManagerWindow();
// The kind of the topmost folder manager window; None when there is none.
FolderManager GetTopmostFolderManager();
HWND FindExplorerWindow(HWND window = nullptr);
bool IsExplorerHostWindow(HWND window = nullptr);

// The folder of one Explorer window (top-level, or a view hosted in another
// program's window); nothing for a window that is not Explorer's.
OpenedFolder GetExplorerFolder(HWND window);
// The folder of each manager's topmost window.
OpenedFolder GetTotalCommanderFolder();
OpenedFolder GetDirectoryOpusFolder(int waitMs = kDirectoryOpusWaitMs);
OpenedFolder GetXYplorerFolder();
OpenedFolder GetXplorer2Folder();
// FreeCommander's folder cannot be read: always nothing.
OpenedFolder GetFreeCommanderFolder();
// Runs "dopusrt.exe" beside the topmost lister's program with `parameters`;
// the answer is clipboard text that arrived after the command was started.
OpenedFolder RunDirectoryOpusCommand(std::u16string_view parameters,
                                     int waitMs = kDirectoryOpusWaitMs);

// The folder of `manager`'s topmost window.
OpenedFolder GetFolderOfManager(FolderManager manager, int waitMs = kDirectoryOpusWaitMs);
// The folder of the topmost folder manager window of any kind.
OpenedFolder GetFolderOfTopmostManager(int waitMs = kDirectoryOpusWaitMs);

// Selected items as full paths, one per line (CR LF).
std::u16string GetExplorerSelection(HWND window, SelectionMode mode);
std::u16string GetTotalCommanderSelection(HWND window, SelectionMode mode);
std::u16string GetDirectoryOpusSelection(int waitMs = kDirectoryOpusWaitMs);

// Every folder manager window, topmost first: top-level manager windows and
// Explorer views hosted in other programs' windows.
std::vector<HWND> FindFolderManagerWindows();

// The folder shown by one particular manager window (top-level, or the
// Explorer view hosted in another window), and how many items it has
// selected; for listing every manager window. Directory Opus answers only
// for its topmost lister.
OpenedFolder GetFolderOfWindow(HWND window, int waitMs = kDirectoryOpusWaitMs);
int CountSelectedItems(HWND window, int waitMs = kDirectoryOpusWaitMs);

// The XYplorer window: topmost visible ThunderRT6FormDC titled "...XYplorer...".
HWND FindXYplorerWindow();
// The topmost top-level window of `className`, visible or not; null if none.
HWND FindTopmostWindowOfClass(std::u16string_view className);

}  // namespace pathorama::windows::win32
