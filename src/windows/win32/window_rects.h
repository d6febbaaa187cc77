// Screen rectangles of managers' address bars and file panels, for placing
// the jump list under them. Each is empty (all zero) when the window or
// control is missing or the manager is minimised.
#pragma once

#include <windows.h>

namespace pathorama::windows::win32 {

RECT GetExplorerAddressBarRect();
// Whether Total Commander's left panel is the active one (message 1000).
bool IsTotalCommanderLeftPanelActive();
// panel: 1 left, 2 right.
RECT GetTotalCommanderPanelRect(int panel);
// n: 1 for the first "dopus.filedisplay" in enumeration order.
RECT GetDirectoryOpusFileDisplayRect(int n);
RECT GetXYplorerAddressRect();
RECT GetXplorer2AddressRect();
// panel 2: the first file list; otherwise the last. A minimised window is
// shown maximised first.
RECT GetFreeCommanderFileListRect(int panel);
RECT GetConsoleRect(HWND console = nullptr);
RECT GetDialogAddressBandRect(HWND dialog = nullptr);
RECT GetDteEditRect();

}  // namespace pathorama::windows::win32
