// Playing a key combination into a window brought to the front.
#pragma once

#include <windows.h>

#include <string_view>

namespace pathorama::windows::win32 {

// `keyNames` joined by "+" ("Ctrl+Shift") are held while `characters` are
// typed, then released. Nothing happens for a vanished window or when both
// are blank.
void SendKeysToWindow(HWND window, std::u16string_view keyNames, std::u16string_view characters);

}  // namespace pathorama::windows::win32
