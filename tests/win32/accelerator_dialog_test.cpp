// The dialog "设置加速键" on a real screen: shown on a thread of its own and
// driven with keys as a person would. Leaves a screenshot as
// accelerator_dialog.bmp in the build folder.
#include "editor/win32/accelerator_dialog.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "editor/win32/accelerator_dialog_ids.h"
#include "key_input.h"
#include "screenshot.h"
#include "standin_process.h"
#include "window_helpers.h"

namespace pathorama::editor::win32 {
namespace {

using test_support::TextOf;
using test_support::WindowRect;
using test_support::PrimaryWorkArea;

using test_support::Keys;

void Tap(WORD key) { Keys({{key, false}, {key, true}}); }

// The dialog run on a thread of its own; the state is shared with that
// thread, which is left behind (never waited for without end) should the
// dialog not close.
class ShownDialog {
 public:
  ShownDialog(std::u16string nodeText, bool isGroupHead, POINT topLeft)
      : state_(std::make_shared<State>()) {
    auto state = state_;
    thread_ = std::thread([state, nodeText, isGroupHead, topLeft] {
      state->threadId = GetCurrentThreadId();
      state->result = SetAcceleratorKey(nullptr, nodeText, isGroupHead, topLeft);
      state->done = true;
    });
    for (int waited = 0; waited < 5000 && !window_; waited += 50) {
      Sleep(50);
      if (state_->threadId) EnumThreadWindows(state_->threadId, FindDialog, reinterpret_cast<LPARAM>(&window_));
    }
  }
  ~ShownDialog() {
    if (!thread_.joinable()) return;
    if (!WaitUntilClosed() && window_) PostMessageW(window_, WM_COMMAND, IDCANCEL, 0);
    if (WaitUntilClosed())
      thread_.join();
    else
      thread_.detach();
  }
  ShownDialog(const ShownDialog&) = delete;
  ShownDialog& operator=(const ShownDialog&) = delete;

  HWND Window() const { return window_; }
  HWND Item(int id) const { return GetDlgItem(window_, id); }

  // Up to 5 s.
  bool WaitUntilClosed() {
    for (int waited = 0; waited < 5000 && !state_->done; waited += 20) Sleep(20);
    return state_->done;
  }
  bool Closed() const { return state_->done; }
  std::optional<std::u16string> Result() {
    if (!WaitUntilClosed()) {
      ADD_FAILURE() << "the dialog did not close";
      return std::nullopt;
    }
    return state_->result;
  }

  // Up to 3 s for the dialog to be in front with the focus in its box, as
  // typed keys need.
  bool ReadyForKeys() {
    SetForegroundWindow(window_);
    for (int waited = 0; waited < 3000; waited += 20) {
      GUITHREADINFO info{};
      info.cbSize = sizeof info;
      if (GetForegroundWindow() == window_ && GetGUIThreadInfo(state_->threadId, &info) &&
          info.hwndFocus == Item(IDC_ACCEL_NEW_KEY))
        return true;
      Sleep(20);
    }
    return false;
  }

 private:
  struct State {
    std::atomic<DWORD> threadId{0};
    std::atomic<bool> done{false};
    std::optional<std::u16string> result;
  };
  static BOOL CALLBACK FindDialog(HWND window, LPARAM param) {
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    if (std::wstring(name) != L"#32770" || !IsWindowVisible(window)) return TRUE;
    *reinterpret_cast<HWND*>(param) = window;
    return FALSE;
  }
  std::shared_ptr<State> state_;
  std::thread thread_;
  HWND window_ = nullptr;
};

TEST(AcceleratorDialog, ShowsTheCaptionAndProposalAndTakesATypedKey) {
  ShownDialog dialog(u"-Work[&W]", true, POINT{200, 150});
  ASSERT_TRUE(dialog.Window());
  EXPECT_EQ(TextOf(dialog.Window()), L"设置加速键");
  EXPECT_EQ(TextOf(dialog.Item(IDC_ACCEL_CURRENT_LABEL)), L"当前条目:");
  EXPECT_EQ(TextOf(dialog.Item(IDC_ACCEL_ITEM_CAPTION)), L"Work[&W]");
  EXPECT_EQ(TextOf(dialog.Item(IDC_ACCEL_NEW_KEY_LABEL)), L"设置加速键(单字母或单数字)留空表示删除加速键");
  EXPECT_EQ(TextOf(dialog.Item(IDOK)), L"确定(&O)");
  EXPECT_EQ(TextOf(dialog.Item(IDCANCEL)), L"取消(&C)");
  EXPECT_EQ(TextOf(dialog.Item(IDC_ACCEL_NEW_KEY)), L"W");
  EXPECT_TRUE(GetWindowLongW(dialog.Window(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  RECT r = WindowRect(dialog.Window());
  EXPECT_EQ(r.left, 200);
  EXPECT_EQ(r.top, 150);
  // A press on the free surface (below the buttons' left end) drags it.
  RECT client{};
  GetClientRect(dialog.Window(), &client);
  POINT free{client.left + 4, client.bottom - 4};
  ClientToScreen(dialog.Window(), &free);
  EXPECT_EQ(SendMessageW(dialog.Window(), WM_NCHITTEST, 0, MAKELPARAM(free.x, free.y)), HTCAPTION);

  Sleep(300);
  test_support::Screenshot shot = test_support::CaptureScreen();
  std::wstring file =
      test_support::WindowsPath(PATHORAMA_SCREENSHOT_DIR) + L"\\accelerator_dialog.bmp";
  EXPECT_TRUE(test_support::SaveBmp(shot, file));
  EXPECT_GT(test_support::CountPixels(shot, WindowRect(dialog.Item(IDC_ACCEL_ITEM_CAPTION)),
                                      [](int b, int g, int r) { return b > 150 && g < 90 && r < 90; }),
            10)
      << "the caption is not blue";

  // The proposal is selected: a typed key replaces it; Enter is OK.
  ASSERT_TRUE(dialog.ReadyForKeys());
  Tap('7');
  for (int waited = 0; waited < 2000 && TextOf(dialog.Item(IDC_ACCEL_NEW_KEY)) != L"7"; waited += 20)
    Sleep(20);
  EXPECT_EQ(TextOf(dialog.Item(IDC_ACCEL_NEW_KEY)), L"7");
  Tap(VK_RETURN);
  EXPECT_EQ(dialog.Result(), std::optional<std::u16string>(u"-Work[&7]"));
}

TEST(AcceleratorDialog, ABadKeyKeepsItOpenAnEmptyBoxRemovesCancelChangesNothing) {
  {
    ShownDialog dialog(u"Docs[&D]", false, POINT{100, 100});
    ASSERT_TRUE(dialog.Window());
    ASSERT_TRUE(dialog.ReadyForKeys());
    // A box one character long, shown in upper case.
    Tap('K');
    for (int waited = 0; waited < 2000 && TextOf(dialog.Item(IDC_ACCEL_NEW_KEY)) != L"K"; waited += 20)
      Sleep(20);
    Tap('X');
    Sleep(200);
    EXPECT_EQ(TextOf(dialog.Item(IDC_ACCEL_NEW_KEY)), L"K");
    SetWindowTextW(dialog.Item(IDC_ACCEL_NEW_KEY), L"!");
    SendMessageW(dialog.Window(), WM_COMMAND, IDOK, 0);
    EXPECT_FALSE(dialog.Closed());
    EXPECT_TRUE(IsWindowVisible(dialog.Window()));
    SetWindowTextW(dialog.Item(IDC_ACCEL_NEW_KEY), L"");
    SendMessageW(dialog.Window(), WM_COMMAND, IDOK, 0);
    EXPECT_EQ(dialog.Result(), std::optional<std::u16string>(u"Docs"));
  }
  {
    ShownDialog dialog(u"Docs[&D]", false, POINT{100, 100});
    ASSERT_TRUE(dialog.Window());
    ASSERT_TRUE(dialog.ReadyForKeys());
    Tap(VK_ESCAPE);
    EXPECT_EQ(dialog.Result(), std::nullopt);
  }
}

TEST(AcceleratorDialog, ANodeNearTheCornerKeepsTheDialogOnTheWorkArea) {
  RECT work = PrimaryWorkArea();
  ShownDialog dialog(u"文档", false, POINT{work.right - 5, work.bottom - 5});
  ASSERT_TRUE(dialog.Window());
  EXPECT_EQ(TextOf(dialog.Item(IDC_ACCEL_NEW_KEY)), L"W");
  RECT r = WindowRect(dialog.Window());
  EXPECT_EQ(r.right, work.right);
  EXPECT_EQ(r.bottom, work.bottom);
  EXPECT_GE(r.left, work.left);
  EXPECT_GE(r.top, work.top);
  SendMessageW(dialog.Window(), WM_COMMAND, IDCANCEL, 0);
  EXPECT_EQ(dialog.Result(), std::nullopt);
}

}  // namespace
}  // namespace pathorama::editor::win32
