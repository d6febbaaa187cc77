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

namespace pathorama::windows::win32 {

struct TOpenedFolderInfo {
  HWND hFolderManager = nullptr;
  std::u16string FolderPath;  // empty: unknown
};

// Total Commander's command messages.
inline constexpr UINT kTotalCommanderCommand = WM_USER + 51;
inline constexpr UINT kTotalCommanderPanel = WM_USER + 50;
inline constexpr WPARAM kTotalCommanderCopySourcePath = 2029;
inline constexpr WPARAM kTotalCommanderCopyFullNames = 2018;

// How long the Directory Opus answer is waited for, in 10 ms rounds.
inline constexpr int kDirectoryOpusWaitMs = 60;

HWND FindTopmostFolderManagerWindow();
std::u16string GetTopmostFolderManagerName();
HWND FindExplorerWindow(HWND window = nullptr);
bool IsExplorerHostWindow(HWND window = nullptr);

void GetExplorerFolder(HWND window, TOpenedFolderInfo& info);
void GetTotalCommanderFolder(TOpenedFolderInfo& info);
// Runs "dopusrt.exe" beside the lister's program with `parameters`; the
// answer is clipboard text that arrived after the command was started.
void RunDirectoryOpusCommand(std::u16string_view parameters, TOpenedFolderInfo& info,
                             int waitMs = kDirectoryOpusWaitMs);
void GetDirectoryOpusFolder(TOpenedFolderInfo& info, int waitMs = kDirectoryOpusWaitMs);
void GetXYplorerFolder(TOpenedFolderInfo& info);
void GetXplorer2Folder(TOpenedFolderInfo& info);
void GetFreeCommanderFolder(TOpenedFolderInfo& info);

void GetFolderOfManager(std::u16string_view managerWord, TOpenedFolderInfo& info);
void GetFolderOfTopmostManager(TOpenedFolderInfo& info);

// Selected items as full paths, one per line (CR LF); `mode` is "Folder",
// "File" or "Path".
std::u16string GetExplorerSelection(HWND window, std::u16string_view mode);
std::u16string GetTotalCommanderSelection(HWND window, std::u16string_view mode);
std::u16string GetDirectoryOpusSelection(int waitMs = kDirectoryOpusWaitMs);

// Every folder manager window, topmost first: top-level manager windows and
// Explorer views hosted in other programs' windows.
std::vector<HWND> FindFolderManagerWindows();

// The folder shown by one particular manager window (top-level, or the
// Explorer view hosted in another window), and how many items it has
// selected; for listing every manager window. Directory Opus answers only
// for its topmost lister.
void GetFolderOfWindow(HWND window, TOpenedFolderInfo& info, int waitMs = kDirectoryOpusWaitMs);
int CountSelectedItems(HWND window, int waitMs = kDirectoryOpusWaitMs);

// The XYplorer window: topmost visible ThunderRT6FormDC titled "...XYplorer...".
HWND FindXYplorerWindow();
// The topmost top-level window of `className`, visible or not; null if none.
HWND FindTopmostWindowOfClass(std::u16string_view className);

}  // namespace pathorama::windows::win32
