// Files dropped on a window from Explorer.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

namespace pathorama::ui::win32 {

// Lets `window` take dropped files, also from Explorer running at another
// integrity level (the messages of a drop pass the message filter).
void AcceptDroppedFiles(HWND window);

// Every path of a drop, each at its full length; the caller finishes the
// drop (DragFinish).
std::vector<std::u16string> DroppedFilePaths(HDROP drop);

}  // namespace pathorama::ui::win32
