// The about box (TfrmAbout, caption "关于"), shown modally.
#pragma once

#include <windows.h>

namespace pathorama::app::win32 {

void ShowAboutBox(HWND owner);

}  // namespace pathorama::app::win32
