// Every private window message of pathorama.exe, in one place.
#pragma once

#include <windows.h>

#include "app/startup.h"

namespace pathorama::app::win32 {

// Commands of a later start (WM_USER + 1 .. 4), sent by
// ForwardToRunningInstance. Their values live in app/startup.h, where the
// portable start-up decisions map start arguments to them.
using app::kAddToJumpListMessage;
using app::kOpenJumpListMessage;
using app::kOpenSettingMessage;
using app::kSetJumpListMessage;
static_assert(kOpenJumpListMessage == WM_USER + 1 && kOpenSettingMessage == WM_USER + 4);

// The jump-list popup tells the main window when its menu loop starts and
// ends, and when the menu has closed.
inline constexpr UINT kMenuClosedMessage = 0xB3E9;
inline constexpr UINT kMenuLoopEnterMessage = 0xB3EA;
inline constexpr UINT kMenuLoopExitMessage = 0xB3EB;

// The tray icon's callback to its owner; lParam holds the mouse message.
inline constexpr UINT kTrayIconMessage = WM_APP + 1;

// Posted after the main window is shown: the start-up work must also run
// when Windows refuses to activate a window started in the background.
inline constexpr UINT kFirstActivationMessage = WM_APP + 2;

}  // namespace pathorama::app::win32
