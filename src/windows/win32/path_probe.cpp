#include "windows/win32/path_probe.h"

#include <windows.h>

#include "core/win32/wide_text.h"

namespace pathorama::windows::win32 {

PathKind ProbePath(const std::u16string& path) {
  DWORD attributes = GetFileAttributesW(core::win32::AsWide(path));
  if (attributes == INVALID_FILE_ATTRIBUTES) return PathKind::Missing;
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? PathKind::Folder : PathKind::File;
}

}  // namespace pathorama::windows::win32
