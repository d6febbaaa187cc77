// A modal dialog of the program shown on a thread of its own, so the test's
// thread can drive it as a person would. The state is shared with that
// thread, which is left behind (never waited for without end) should the
// dialog not close.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

namespace pathorama::test_support {

template <typename Answer>
class ShownDialog {
 public:
  // `show` runs the dialog and gives its answer; `forceClose` ends a dialog
  // that a failed test left open.
  ShownDialog(std::function<Answer()> show, std::function<void(HWND)> forceClose)
      : state_(std::make_shared<State>()), forceClose_(std::move(forceClose)) {
    auto state = state_;
    thread_ = std::thread([state, show] {
      state->threadId = GetCurrentThreadId();
      state->answer = show();
      state->done = true;
    });
    // Up to 5 s for the dialog to be shown.
    for (int waited = 0; waited < 5000 && !window_; waited += 50) {
      Sleep(50);
      if (state_->threadId)
        EnumThreadWindows(state_->threadId, FindDialog, reinterpret_cast<LPARAM>(&window_));
    }
  }
  ~ShownDialog() {
    if (!thread_.joinable()) return;
    if (!WaitUntilClosed()) {
      if (window_ && forceClose_) forceClose_(window_);
      if (!WaitUntilClosed()) {
        thread_.detach();
        return;
      }
    }
    thread_.join();
  }
  ShownDialog(const ShownDialog&) = delete;
  ShownDialog& operator=(const ShownDialog&) = delete;

  HWND Window() const { return window_; }
  HWND Item(int id) const { return GetDlgItem(window_, id); }

  // Waits up to 5 s for the dialog to close; false if it stayed.
  bool WaitUntilClosed() {
    for (int waited = 0; waited < 5000 && !state_->done; waited += 20) Sleep(20);
    return state_->done;
  }
  // The answer, once the dialog has closed (up to 5 s); a failure otherwise.
  Answer Result() {
    if (!WaitUntilClosed()) {
      ADD_FAILURE() << "the dialog did not close";
      return Answer{};
    }
    return state_->answer;
  }

 private:
  struct State {
    std::atomic<DWORD> threadId{0};
    std::atomic<bool> done{false};
    Answer answer{};
  };
  static BOOL CALLBACK FindDialog(HWND window, LPARAM param) {
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    if (std::wstring_view(name) != L"#32770" || !IsWindowVisible(window)) return TRUE;
    *reinterpret_cast<HWND*>(param) = window;
    return FALSE;
  }
  std::shared_ptr<State> state_;
  std::function<void(HWND)> forceClose_;
  std::thread thread_;
  HWND window_ = nullptr;
};

}  // namespace pathorama::test_support
