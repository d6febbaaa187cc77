// The input box on a real screen, shown on a thread of its own and answered
// with keys and clicks as a person would. A screenshot is left as
// input_box.bmp in the build folder.
#include "ui/win32/input_box.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "key_input.h"
#include "screenshot.h"
#include "shown_dialog.h"
#include "standin_process.h"
#include "ui/win32/input_box_ids.h"
#include "window_helpers.h"

namespace pathorama::ui::win32 {
namespace {

using test_support::TextOf;

using Answer = std::optional<std::u16string>;
using test_support::Keys;

class ShownInputBox : public test_support::ShownDialog<Answer> {
 public:
  ShownInputBox(std::u16string title, std::u16string prompt, std::u16string initial)
      : ShownDialog([=] { return ShowInputBox(nullptr, title, prompt, initial); },
                    [](HWND box) { PostMessageW(box, WM_COMMAND, IDCANCEL, 0); }) {}
};

// Waits up to 3 s for the box to be in front with the focus in its edit.
bool ReadyForKeys(const ShownInputBox& box) {
  for (int waited = 0; waited < 3000; waited += 20) {
    SetForegroundWindow(box.Window());
    if (GetForegroundWindow() == box.Window()) {
      GUITHREADINFO info{};
      info.cbSize = sizeof info;
      if (GetGUIThreadInfo(GetWindowThreadProcessId(box.Window(), nullptr), &info) &&
          info.hwndFocus == box.Item(IDC_INPUT_BOX_EDIT))
        return true;
    }
    Sleep(20);
  }
  return false;
}

// Types `text` as the keyboard's Unicode packets.
void Type(std::u16string_view text) {
  for (char16_t c : text) {
    INPUT inputs[2] = {};
    for (INPUT& input : inputs) {
      input.type = INPUT_KEYBOARD;
      input.ki.wScan = c;
      input.ki.dwFlags = KEYEVENTF_UNICODE;
    }
    inputs[1].ki.dwFlags |= KEYEVENTF_KEYUP;
    SendInput(2, inputs, sizeof(INPUT));
  }
}

void Tap(WORD key) { Keys({{key, false}, {key, true}}); }

TEST(InputBox, ShowsTitlePromptAndTheTextToReplace) {
  ShownInputBox box(u"更改标题", u"新标题:", u"旧标题");
  ASSERT_TRUE(box.Window());
  EXPECT_EQ(TextOf(box.Window()), L"更改标题");
  EXPECT_EQ(TextOf(box.Item(IDC_INPUT_BOX_PROMPT)), L"新标题:");
  EXPECT_EQ(TextOf(box.Item(IDC_INPUT_BOX_EDIT)), L"旧标题");
  EXPECT_EQ(TextOf(box.Item(IDOK)), L"确定");
  EXPECT_EQ(TextOf(box.Item(IDCANCEL)), L"取消");
  // All of the text is selected, so typing replaces it.
  DWORD from = 1, to = 0;
  SendMessageW(box.Item(IDC_INPUT_BOX_EDIT), EM_GETSEL, reinterpret_cast<WPARAM>(&from),
               reinterpret_cast<LPARAM>(&to));
  EXPECT_EQ(from, 0u);
  EXPECT_EQ(to, 3u);
  // In the centre of the screen's work area.
  RECT r{}, work{};
  GetWindowRect(box.Window(), &r);
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_NEAR((r.left + r.right) / 2, (work.left + work.right) / 2, 2);
  EXPECT_NEAR((r.top + r.bottom) / 2, (work.top + work.bottom) / 2, 2);
  EXPECT_TRUE(test_support::SaveBmp(test_support::CaptureScreen(),
                                    test_support::WindowsPath(PATHORAMA_SCREENSHOT_DIR) + L"\\input_box.bmp"));
  PostMessageW(box.Window(), WM_COMMAND, IDCANCEL, 0);
  EXPECT_EQ(box.Result(), std::nullopt);
}

TEST(InputBox, EnterGivesWhatWasTypedAndEscapeGivesNothing) {
  {
    ShownInputBox box(u"添加同级条目", u"新条目标题:", u"");
    ASSERT_TRUE(box.Window());
    ASSERT_TRUE(ReadyForKeys(box));
    Type(u"文档|-|B");
    Tap(VK_RETURN);
    EXPECT_EQ(box.Result(), Answer(u"文档|-|B"));
  }
  {
    ShownInputBox box(u"添加分组", u"分组标题:", u"工作");
    ASSERT_TRUE(box.Window());
    ASSERT_TRUE(ReadyForKeys(box));
    Type(u"X");
    Tap(VK_ESCAPE);
    EXPECT_EQ(box.Result(), std::nullopt);
  }
  {
    // The close box is a cancel too; an emptied box is an empty answer.
    ShownInputBox closed(u"更改标题", u"新标题:", u"旧");
    ASSERT_TRUE(closed.Window());
    PostMessageW(closed.Window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(closed.Result(), std::nullopt);
    ShownInputBox emptied(u"更改标题", u"新标题:", u"旧");
    ASSERT_TRUE(emptied.Window());
    ASSERT_TRUE(ReadyForKeys(emptied));
    Tap(VK_DELETE);
    Tap(VK_RETURN);
    EXPECT_EQ(emptied.Result(), Answer(u""));
  }
}

}  // namespace
}  // namespace pathorama::ui::win32
