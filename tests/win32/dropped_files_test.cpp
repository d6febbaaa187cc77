// Dropped files read from a real drop handle: every path at its full length.
#include "ui/win32/dropped_files.h"

#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "window_helpers.h"

namespace pathorama::ui::win32 {
namespace {

using test_support::MakeDrop;

TEST(DroppedFiles, EveryPathAtItsFullLength) {
  std::wstring deep = L"C:\\深";
  while (deep.size() < 400) deep += L"\\一个很长的文件夹名称";
  HDROP drop = MakeDrop({L"D:\\a.txt", deep, L"\\\\server\\share\\b"});
  const std::vector<std::u16string> paths = DroppedFilePaths(drop);
  GlobalFree(drop);
  ASSERT_EQ(paths.size(), 3u);
  EXPECT_EQ(paths[0], u"D:\\a.txt");
  EXPECT_EQ(paths[1], std::u16string(deep.begin(), deep.end()));
  EXPECT_EQ(paths[2], u"\\\\server\\share\\b");
}

TEST(DroppedFiles, AWindowThatAcceptsThem) {
  HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
  ASSERT_TRUE(window);
  EXPECT_FALSE(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
  AcceptDroppedFiles(window);
  EXPECT_TRUE(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
  DestroyWindow(window);
}

}  // namespace
}  // namespace pathorama::ui::win32
