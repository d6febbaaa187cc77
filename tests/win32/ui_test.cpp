// The window and dialog bases and the message loop on real windows: the
// object behind a window gets every message from the first to the last, an
// exception stops at the window's edge and is traced, and a modeless dialog
// gets its keys through the loop only while it exists.
#include <gtest/gtest.h>
#include <windows.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "trace_log.h"
#include "ui/win32/dialog_base.h"
#include "ui/win32/dpi_scaling.h"
#include "ui/win32/message_loop.h"
#include "ui/win32/window_base.h"
#include "ui_test_ids.h"

namespace pathorama::ui::win32 {
namespace {

constexpr UINT kThrowStdMessage = WM_APP + 7;
constexpr UINT kThrowOtherMessage = WM_APP + 8;
constexpr UINT kAnswerMessage = WM_APP + 9;
constexpr wchar_t kClassName[] = L"PathoramaUiTestWindow";

class RecordingWindow : public WindowBase<RecordingWindow> {
 public:
  HWND Create() {
    static const bool registered = [] {
      WNDCLASSEXW wc = WindowClass(GetModuleHandleW(nullptr), kClassName);
      return RegisterClassExW(&wc) != 0;
    }();
    if (!registered) return nullptr;
    return CreateWindowFor(0, kClassName, L"Test window", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                           GetModuleHandleW(nullptr));
  }

  std::vector<UINT> seen;
  HWND handleAtCreate = nullptr;

 private:
  friend WindowBase;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    seen.push_back(message);
    switch (message) {
      case WM_CREATE:
        handleAtCreate = Handle();
        return 0;
      case kThrowStdMessage:
        throw std::runtime_error("the handler failed");
      case kThrowOtherMessage:
        throw 42;
      case kAnswerMessage:
        return 1234;
    }
    return DefWindowProcW(Handle(), message, wParam, lParam);
  }
};

bool Saw(const std::vector<UINT>& seen, UINT message) {
  for (UINT m : seen)
    if (m == message) return true;
  return false;
}

TEST(WindowBase, TheObjectGetsEveryMessageFromCreationToDestruction) {
  RecordingWindow window;
  HWND hwnd = window.Create();
  ASSERT_NE(hwnd, nullptr);
  EXPECT_EQ(window.Handle(), hwnd);
  ASSERT_FALSE(window.seen.empty());
  EXPECT_TRUE(Saw(window.seen, WM_NCCREATE));
  EXPECT_EQ(window.handleAtCreate, hwnd);  // the handle is known from WM_NCCREATE on
  EXPECT_EQ(SendMessageW(hwnd, kAnswerMessage, 0, 0), 1234);

  DestroyWindow(hwnd);
  EXPECT_TRUE(Saw(window.seen, WM_DESTROY));
  EXPECT_EQ(window.seen.back(), static_cast<UINT>(WM_NCDESTROY));
  EXPECT_EQ(window.Handle(), nullptr);
}

TEST(WindowBase, AnExceptionStopsAtTheWindowsEdgeAndIsTraced) {
  test_support::TraceLog log;
  RecordingWindow window;
  HWND hwnd = window.Create();
  ASSERT_NE(hwnd, nullptr);
  // DefWindowProc's answer stands in for the failed handler's.
  EXPECT_EQ(SendMessageW(hwnd, kThrowStdMessage, 0, 0), 0);
  EXPECT_EQ(SendMessageW(hwnd, kThrowOtherMessage, 0, 0), 0);
  // The window goes on working.
  EXPECT_EQ(SendMessageW(hwnd, kAnswerMessage, 0, 0), 1234);
  DestroyWindow(hwnd);

  std::string trace = log.Text();
  EXPECT_NE(trace.find("exception caught in the window procedure of \"Test window\" (class "
                       "PathoramaUiTestWindow, window 0x"),
            std::string::npos)
      << trace;
  EXPECT_NE(trace.find(") at message 0x8007: the handler failed"), std::string::npos) << trace;
  EXPECT_NE(trace.find(") at message 0x8008: an exception that is not a std::exception"),
            std::string::npos)
      << trace;
}

TEST(WindowBase, AWindowThatOutlivesItsObjectNoLongerReachesIt) {
  HWND hwnd = nullptr;
  {
    RecordingWindow window;
    hwnd = window.Create();
    ASSERT_NE(hwnd, nullptr);
  }
  // DefWindowProc answers now: 0, not the object's 1234.
  EXPECT_EQ(SendMessageW(hwnd, kAnswerMessage, 0, 0), 0);
  EXPECT_TRUE(DestroyWindow(hwnd));
}

class TestDialog : public DialogBase<TestDialog> {
 public:
  INT_PTR RunModal() { return ShowModal(GetModuleHandleW(nullptr), IDD_UI_TEST, nullptr); }
  HWND OpenModeless() { return CreateModeless(GetModuleHandleW(nullptr), IDD_UI_TEST, nullptr); }

  bool modeless = false;
  bool cancelled = false;
  HWND handleAtInit = nullptr;

 private:
  friend DialogBase;
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
      case WM_INITDIALOG:
        handleAtInit = Handle();
        // A modal dialog cannot be driven from outside its loop: it drives itself.
        PostMessageW(Handle(), kThrowStdMessage, 0, 0);
        PostMessageW(Handle(), kAnswerMessage, 0, 0);
        return TRUE;
      case kThrowStdMessage:
        throw std::runtime_error("the dialog handler failed");
      case kAnswerMessage:
        if (!modeless) EndDialog(Handle(), 42);
        return TRUE;
      case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL) {
          cancelled = true;
          if (modeless)
            DestroyWindow(Handle());
          else
            EndDialog(Handle(), IDCANCEL);
        }
        return TRUE;
    }
    return FALSE;
  }
};

TEST(DialogBase, AModalDialogRunsToItsEndThroughAFailedHandler) {
  test_support::TraceLog log;
  TestDialog dialog;
  // Bounded: a dialog that never ended by itself is ended by this timer.
  UINT_PTR guard = SetTimer(nullptr, 0, 10000, [](HWND, UINT, UINT_PTR, DWORD) {
    if (HWND stuck = FindWindowW(L"#32770", L"测试对话框")) EndDialog(stuck, -2);
  });
  DWORD start = GetTickCount();
  EXPECT_EQ(dialog.RunModal(), 42);
  KillTimer(nullptr, guard);
  EXPECT_LT(GetTickCount() - start, 10000u);
  EXPECT_NE(dialog.handleAtInit, nullptr);
  EXPECT_EQ(dialog.Handle(), nullptr);  // cleared when it was destroyed
  std::string trace = log.Text();
  EXPECT_NE(trace.find("exception caught in the window procedure of \"测试对话框\" (class #32770"),
            std::string::npos)
      << trace;
  EXPECT_NE(trace.find(") at message 0x8007: the dialog handler failed"), std::string::npos)
      << trace;
}

MSG KeyDown(HWND target, WPARAM key) {
  MSG message{};
  message.hwnd = target;
  message.message = WM_KEYDOWN;
  message.wParam = key;
  message.time = GetMessageTime();
  return message;
}

TEST(DialogBase, AModelessDialogGetsItsKeysThroughTheLoopWhileItExists) {
  TestDialog dialog;
  dialog.modeless = true;
  HWND hwnd = dialog.OpenModeless();
  ASSERT_NE(hwnd, nullptr);
  EXPECT_EQ(dialog.handleAtInit, hwnd);
  HWND edit = GetDlgItem(hwnd, IDC_UI_TEST_EDIT);
  ASSERT_NE(edit, nullptr);

  // A key for another window is not the dialog's.
  RecordingWindow other;
  ASSERT_NE(other.Create(), nullptr);
  MSG elsewhere = KeyDown(other.Handle(), VK_ESCAPE);
  EXPECT_FALSE(DispatchToModelessDialog(elsewhere));
  EXPECT_FALSE(dialog.cancelled);

  // Esc in the edit is the dialog manager's: IDCANCEL, which destroys it.
  MSG escape = KeyDown(edit, VK_ESCAPE);
  EXPECT_TRUE(DispatchToModelessDialog(escape));
  EXPECT_TRUE(dialog.cancelled);
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_EQ(dialog.Handle(), nullptr);

  // Gone from the loop's list: nothing is handed to it any more.
  MSG late = KeyDown(hwnd, VK_ESCAPE);
  EXPECT_FALSE(DispatchToModelessDialog(late));
  DestroyWindow(other.Handle());
}

// Moved to a monitor of 150 % (WM_DPICHANGED as the system sends it): the
// dialog takes the suggested rectangle, its controls 1.5 times their places
// and sizes, its text a font 1.5 times as high.
TEST(DialogBase, ADialogMovedToAMonitorOfAnotherScalingIsScaledAsAWhole) {
  TestDialog dialog;
  dialog.modeless = true;
  HWND hwnd = dialog.OpenModeless();
  ASSERT_NE(hwnd, nullptr);
  const UINT dpi = WindowDpi(hwnd);
  const UINT newDpi = dpi * 3 / 2;
  auto clientBox = [hwnd](int id) {
    RECT r{};
    GetWindowRect(GetDlgItem(hwnd, id), &r);
    MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&r), 2);
    return r;
  };
  auto fontHeight = [](HWND window) {
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font.lfHeight;
  };
  const RECT ok = clientBox(IDOK);
  const LONG height = fontHeight(GetDlgItem(hwnd, IDOK));
  RECT window{};
  GetWindowRect(hwnd, &window);
  RECT suggested{window.left, window.top, window.left + (window.right - window.left) * 3 / 2,
                 window.top + (window.bottom - window.top) * 3 / 2};
  SendMessageW(hwnd, WM_DPICHANGED, MAKEWPARAM(newDpi, newDpi), reinterpret_cast<LPARAM>(&suggested));

  RECT now{};
  GetWindowRect(hwnd, &now);
  EXPECT_EQ(now.right - now.left, suggested.right - suggested.left);
  EXPECT_EQ(now.bottom - now.top, suggested.bottom - suggested.top);
  const RECT scaled = clientBox(IDOK);
  EXPECT_NEAR(scaled.left, ok.left * 3 / 2, 1);
  EXPECT_NEAR(scaled.top, ok.top * 3 / 2, 1);
  EXPECT_NEAR(scaled.right - scaled.left, (ok.right - ok.left) * 3 / 2, 1);
  EXPECT_NEAR(fontHeight(GetDlgItem(hwnd, IDOK)), height * 3 / 2, 1);
  EXPECT_NEAR(fontHeight(GetDlgItem(hwnd, IDC_UI_TEST_EDIT)), height * 3 / 2, 1);

  // And back: the places it had.
  SendMessageW(hwnd, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&window));
  const RECT back = clientBox(IDOK);
  EXPECT_NEAR(back.left, ok.left, 1);
  EXPECT_NEAR(back.right, ok.right, 1);
  EXPECT_NEAR(fontHeight(GetDlgItem(hwnd, IDOK)), height, 1);
  DestroyWindow(hwnd);
}

TEST(MessageLoop, ServesModelessDialogsUntilQuit) {
  TestDialog dialog;
  dialog.modeless = true;
  HWND hwnd = dialog.OpenModeless();
  ASSERT_NE(hwnd, nullptr);
  HWND edit = GetDlgItem(hwnd, IDC_UI_TEST_EDIT);
  PostMessageW(edit, WM_KEYDOWN, VK_ESCAPE, 0);
  PostQuitMessage(7);
  // Bounded: a loop that never saw WM_QUIT would be ended by this timer.
  UINT_PTR guard =
      SetTimer(nullptr, 0, 10000, [](HWND, UINT, UINT_PTR, DWORD) { PostQuitMessage(99); });
  EXPECT_EQ(RunMessageLoop(), 7);
  KillTimer(nullptr, guard);
  EXPECT_TRUE(dialog.cancelled);  // the posted Esc went through IsDialogMessage
  EXPECT_FALSE(IsWindow(hwnd));
}

}  // namespace
}  // namespace pathorama::ui::win32
