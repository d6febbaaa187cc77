// What adding a jump-list node needs to know about files on Windows: whether
// a path exists as a file or a folder, and where a shortcut file points.
#pragma once

#include <string>
#include <string_view>

#include "editor/tree_moves.h"

namespace pathorama::editor::win32 {

// `ResolveShortcutTarget`: the path a shortcut file (".lnk") points at, read
// from the file without searching for a moved target; empty when the file
// is no shortcut or points at no file-system path (a control-panel item).
std::u16string ResolveShortcutTarget(std::u16string_view path);

class WindowsFileSystemFacts : public FileSystemFacts {
 public:
  bool IsExistingFile(std::u16string_view path) override;
  bool IsExistingFolder(std::u16string_view path) override;
  std::u16string ResolveShortcutTarget(std::u16string_view path) override {
    return win32::ResolveShortcutTarget(path);
  }
};

}  // namespace pathorama::editor::win32
