#include "ui/win32/dropped_files.h"

#include "core/win32/wide_text.h"

namespace pathorama::ui::win32 {

namespace {

// What a drop from a process of another integrity level sends.
constexpr UINT kCopyGlobalData = 0x0049;

}  // namespace

void AcceptDroppedFiles(HWND window) {
  DragAcceptFiles(window, TRUE);
  for (UINT message : {static_cast<UINT>(WM_DROPFILES), static_cast<UINT>(WM_COPYDATA), kCopyGlobalData})
    ChangeWindowMessageFilterEx(window, message, MSGFLT_ALLOW, nullptr);
}

std::vector<std::u16string> DroppedFilePaths(HDROP drop) {
  std::vector<std::u16string> paths;
  const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    const UINT length = DragQueryFileW(drop, i, nullptr, 0);
    std::wstring path(static_cast<size_t>(length) + 1, L'\0');
    path.resize(DragQueryFileW(drop, i, path.data(), length + 1));
    if (!path.empty()) paths.push_back(core::win32::FromWide(path));
  }
  return paths;
}

}  // namespace pathorama::ui::win32
