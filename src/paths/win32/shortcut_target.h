// The target of a shortcut (".lnk") file, as a dropped or chosen shortcut
// stands for the file or folder it points at.
#pragma once

#include <string>
#include <string_view>

namespace pathorama::paths::win32 {

// The shortcut's target path with its environment variables expanded
// ("%windir%\notepad.exe" → "C:\windows\notepad.exe"); empty when the file
// is no shortcut, cannot be read, or points at no file system path.
std::u16string ResolveShortcutTarget(std::u16string_view shortcutFile);

// Whether a path names a shortcut file: the extension ".lnk" in any case.
bool IsShortcutFile(std::u16string_view path);

}  // namespace pathorama::paths::win32
