// The program's prompts as real message boxes: the exact text and caption,
// the buttons, and the answer the user gives.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>

#include "ui/win32/message_box_prompts.h"

namespace pathorama::ui::win32 {
namespace {

struct Search {
  const wchar_t* caption;
  HWND found = nullptr;
};

BOOL CALLBACK FindBox(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  wchar_t className[32] = {}, caption[128] = {};
  GetClassNameW(window, className, 32);
  GetWindowTextW(window, caption, 128);
  if (process == GetCurrentProcessId() && std::wstring(className) == L"#32770" &&
      std::wstring(caption) == search->caption && IsWindowVisible(window)) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

// Waits up to 5 s for this process's message box with `caption`.
HWND WaitForBox(const wchar_t* caption) {
  for (int waited = 0; waited < 5000; waited += 50) {
    Search search{caption};
    EnumWindows(FindBox, reinterpret_cast<LPARAM>(&search));
    if (search.found) return search.found;
    Sleep(50);
  }
  return nullptr;
}

BOOL CALLBACK CollectStatic(HWND child, LPARAM param) {
  wchar_t className[32] = {}, text[256] = {};
  GetClassNameW(child, className, 32);
  GetWindowTextW(child, text, 256);
  if (std::wstring(className) == L"Static" && text[0]) *reinterpret_cast<std::wstring*>(param) += text;
  return TRUE;
}

TEST(MessageBoxPrompts, ShowTheTextWithTheirButtonsAndReturnTheAnswer) {
  struct Case {
    const char* name;
    bool question;
    int press;  // the button the user presses
    bool want;
    int presentButton, absentButton;
  } cases[] = {
      {"told", false, IDOK, true, IDOK, IDNO},
      {"asked, yes", true, IDYES, true, IDYES, IDOK},
      {"asked, no", true, IDNO, false, IDNO, IDOK},
  };
  for (const Case& c : cases) {
    // Shared with the thread that shows the box, which is left behind (not
    // waited for without end) should the box never close.
    struct Shown {
      MessageBoxPrompts prompts;
      std::atomic<bool> done{false};
      bool answer = false;
    };
    auto shown = std::make_shared<Shown>();
    shown->answer = !c.want;
    bool question = c.question;
    std::thread shower([shown, question] {
      if (question) {
        shown->answer =
            shown->prompts.AskYesNo(u"是否修改程序中的相关设置？", u"询问", core::PromptIcon::Question);
      } else {
        shown->prompts.Tell(u"当前待打开的不是本地文件夹路径，无法切换", u"文件夹路径不存在",
                            core::PromptIcon::Warning);
        shown->answer = true;
      }
      shown->done = true;
    });
    HWND box = WaitForBox(c.question ? L"询问" : L"文件夹路径不存在");
    EXPECT_TRUE(box) << c.name;
    if (box) {
      std::wstring text;
      EnumChildWindows(box, CollectStatic, reinterpret_cast<LPARAM>(&text));
      EXPECT_EQ(text, c.question ? L"是否修改程序中的相关设置？"
                                 : L"当前待打开的不是本地文件夹路径，无法切换")
          << c.name;
      EXPECT_TRUE(GetDlgItem(box, c.presentButton)) << c.name;
      EXPECT_FALSE(GetDlgItem(box, c.absentButton)) << c.name;
      PostMessageW(box, WM_COMMAND, c.press, 0);
    }
    for (int waited = 0; waited < 5000 && !shown->done; waited += 20) Sleep(20);
    if (!shown->done) {
      ADD_FAILURE() << c.name << ": the box did not close";
      shower.detach();
      continue;
    }
    shower.join();
    EXPECT_EQ(shown->answer, c.want) << c.name;
  }
}

}  // namespace
}  // namespace pathorama::ui::win32
