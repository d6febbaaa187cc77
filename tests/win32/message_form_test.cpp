// The program's own message box on a real screen: shown on a thread of its
// own and driven from the test's thread as a person would, with keys and
// clicks: its buttons and captions, the answers of Enter, Escape, the close
// box and the access keys, Ctrl+C, long messages, and where it stands. A
// screenshot of the ignore-list question is left as message_form.bmp in the
// build folder.
#include "ui/win32/message_form.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "key_input.h"
#include "screenshot.h"
#include "shown_dialog.h"
#include "standin_process.h"
#include "ui/win32/message_form_ids.h"
#include "windows/win32/clipboard.h"
#include "window_helpers.h"

namespace pathorama::ui::win32 {
namespace {

using test_support::TextOf;
using test_support::ClassOf;
using test_support::WindowRect;
using test_support::PrimaryWorkArea;

using B = MessageButton;
using test_support::Keys;

// The ignore-list question as the hotkeys ask it for a program.
const std::u16string kQuestion =
    u"全局热键 Ctrl+D 在 WINWORD.EXE 中已不再弹出路径跳转列表\r而是执行它在该程序中的原有功能\r\r"
    u"下次运行期间是否仍然弹出本提示信息？\r\r　　取消 = 下次在该软件中执行弹出路径跳转列表功能，不再提示";
const std::u16string kQuestionCaption = u"全局热键失效";

std::wstring Wide(const std::u16string& text) { return std::wstring(text.begin(), text.end()); }

// A box shown on a thread of its own, with its buttons from left to right.
class ShownBox : public test_support::ShownDialog<std::optional<MessageButton>> {
 public:
  explicit ShownBox(std::function<std::optional<MessageButton>()> show)
      : ShownDialog(std::move(show), [](HWND box) {
          // A test that failed half way: any button of the box ends it.
          for (int i = 0; i < kMessageButtonCount; ++i)
            PostMessageW(box, WM_COMMAND, IDC_MESSAGE_FORM_BUTTON0 + i, 0);
        }) {}

  std::optional<MessageButton> Answer() { return Result(); }

  // The box's push buttons from left to right.
  std::vector<HWND> Buttons() const {
    std::vector<HWND> buttons;
    for (HWND child = GetWindow(Window(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
      if (ClassOf(child) == L"Button") buttons.push_back(child);
    std::sort(buttons.begin(), buttons.end(),
              [](HWND a, HWND b) { return WindowRect(a).left < WindowRect(b).left; });
    return buttons;
  }
  std::vector<std::wstring> ButtonCaptions() const {
    std::vector<std::wstring> captions;
    for (HWND b : Buttons()) captions.push_back(TextOf(b));
    return captions;
  }
};

std::function<std::optional<MessageButton>()> Question() {
  return [] {
    MessageFormQuestion question;
    switch (question.Ask(kQuestion, kQuestionCaption, core::PromptIcon::Information)) {
      case core::PromptAnswer::Yes: return std::optional<MessageButton>(B::Yes);
      case core::PromptAnswer::No: return std::optional<MessageButton>(B::No);
      case core::PromptAnswer::Cancel: return std::optional<MessageButton>(B::Cancel);
    }
    return std::optional<MessageButton>();
  };
}

std::function<std::optional<MessageButton>()> Box(std::u16string message, std::u16string caption,
                                                  MessageType type, bool closeBox,
                                                  MessageButtons buttons) {
  return [=] { return ShowMessageForm(message, caption, type, closeBox, buttons); };
}

void Tap(WORD key) { Keys({{key, false}, {key, true}}); }

void Click(HWND control) {
  RECT r = WindowRect(control);
  SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  INPUT inputs[2] = {};
  inputs[0].type = inputs[1].type = INPUT_MOUSE;
  inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, inputs, sizeof(INPUT));
}

// Waits up to 3 s for the box to be the window in front, as keys need.
bool InFront(HWND box) {
  for (int waited = 0; waited < 3000; waited += 20) {
    if (GetForegroundWindow() == box) return true;
    Sleep(20);
  }
  return false;
}

TEST(MessageForm, TheQuestionShowsItsTextIconAndThreeChineseButtonsOnTopInTheCentre) {
  ShownBox box(Question());
  ASSERT_TRUE(box.Window());
  EXPECT_EQ(TextOf(box.Window()), Wide(kQuestionCaption));
  EXPECT_EQ(box.ButtonCaptions(), (std::vector<std::wstring>{L"是(&Y)", L"否(&N)", L"取消(&C)"}));
  // The label shows the question's lone CRs as line breaks it understands.
  HWND text = box.Item(IDC_MESSAGE_FORM_TEXT);
  ASSERT_TRUE(text);
  EXPECT_EQ(ClassOf(text), L"Static");
  EXPECT_EQ(TextOf(text),
            L"全局热键 Ctrl+D 在 WINWORD.EXE 中已不再弹出路径跳转列表\r\n而是执行它在该程序中的原有功能\r\n\r\n"
            L"下次运行期间是否仍然弹出本提示信息？\r\n\r\n　　取消 = 下次在该软件中执行弹出路径跳转列表功能，不再提示");
  HWND icon = box.Item(IDC_MESSAGE_FORM_ICON);
  ASSERT_TRUE(icon);
  EXPECT_EQ(reinterpret_cast<HICON>(SendMessageW(icon, STM_GETICON, 0, 0)),
            LoadIconW(nullptr, IDI_ASTERISK));
  // The default button is Yes; the close box is there and enabled.
  EXPECT_EQ(LOWORD(SendMessageW(box.Window(), DM_GETDEFID, 0, 0)),
            IDC_MESSAGE_FORM_BUTTON0 + static_cast<int>(B::Yes));
  const LONG_PTR style = GetWindowLongPtrW(box.Window(), GWL_STYLE);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(GetMenuState(GetSystemMenu(box.Window(), FALSE), SC_CLOSE, MF_BYCOMMAND) & MF_GRAYED);
  EXPECT_TRUE(GetWindowLongPtrW(box.Window(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(GetWindow(box.Window(), GW_OWNER), nullptr);

  // Centred on the work area, within a pixel of rounding.
  RECT r = WindowRect(box.Window()), area = PrimaryWorkArea();
  EXPECT_LE(std::abs((r.left + r.right) - (area.left + area.right)), 1);
  EXPECT_LE(std::abs((r.top + r.bottom) - (area.top + area.bottom)), 1);
  // The row is below the text, centred in the box, and inside it.
  RECT client{};
  GetClientRect(box.Window(), &client);
  MapWindowPoints(box.Window(), nullptr, reinterpret_cast<POINT*>(&client), 2);
  std::vector<HWND> buttons = box.Buttons();
  ASSERT_EQ(buttons.size(), 3u);
  RECT first = WindowRect(buttons.front()), last = WindowRect(buttons.back());
  EXPECT_GE(first.top, WindowRect(text).bottom);
  EXPECT_GE(first.left, client.left);
  EXPECT_LE(last.right, client.right);
  EXPECT_LE(last.bottom, client.bottom);
  EXPECT_LE(std::abs((first.left - client.left) - (client.right - last.right)), 1);

  // What a person sees: dark text on the label, a coloured icon.
  Sleep(300);
  test_support::Screenshot shot = test_support::CaptureScreen();
  std::wstring file = test_support::WindowsPath(PATHORAMA_SCREENSHOT_DIR) + L"\\message_form.bmp";
  EXPECT_TRUE(test_support::SaveBmp(shot, file));
  EXPECT_GT(test_support::CountPixels(shot, WindowRect(text),
                                      [](int b, int g, int r) { return b < 90 && g < 90 && r < 90; }),
            200)
      << "no text on the label";
  EXPECT_GT(test_support::CountPixels(shot, WindowRect(icon),
                                      [](int b, int g, int r) { return b > 150 && r < 120; }),
            20)
      << "no blue in the information icon";
  PostMessageW(box.Window(), WM_CLOSE, 0, 0);
  EXPECT_EQ(box.Answer(), B::Cancel);
}

TEST(MessageForm, TheQuestionIsAnsweredByKeysClicksAndTheCloseBox) {
  struct Case {
    const char* name;
    std::function<void(ShownBox&)> act;
    MessageButton answer;
  } cases[] = {
      {"Enter presses the default Yes", [](ShownBox&) { Tap(VK_RETURN); }, B::Yes},
      {"Escape cancels", [](ShownBox&) { Tap(VK_ESCAPE); }, B::Cancel},
      {"WM_CLOSE cancels", [](ShownBox& b) { PostMessageW(b.Window(), WM_CLOSE, 0, 0); },
       B::Cancel},
      {"the close box cancels",
       [](ShownBox& b) { PostMessageW(b.Window(), WM_SYSCOMMAND, SC_CLOSE, 0); }, B::Cancel},
      {"a click on No", [](ShownBox& b) { Click(b.Buttons()[1]); }, B::No},
      {"the access key N", [](ShownBox&) { Tap('N'); }, B::No},
      {"Tab to No, then Enter",
       [](ShownBox&) {
         Tap(VK_TAB);
         Tap(VK_RETURN);
       },
       B::No},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ShownBox box(Question());
    ASSERT_TRUE(box.Window());
    ASSERT_TRUE(InFront(box.Window()));
    c.act(box);
    EXPECT_EQ(box.Answer(), c.answer);
  }
}

TEST(MessageForm, CtrlCPutsTheFivePartsOnTheClipboardWithTheChineseCaptions) {
  ASSERT_TRUE(windows::win32::SetClipboardText(u"before"));
  ShownBox box(Question());
  ASSERT_TRUE(box.Window());
  ASSERT_TRUE(InFront(box.Window()));
  Keys({{VK_CONTROL, false}, {'C', false}, {'C', true}, {VK_CONTROL, true}});
  const std::u16string dashes = u"---------------------------\r\n";
  const std::u16string want = dashes + kQuestionCaption + u"\r\n" + dashes + kQuestion + u"\r\n" +
                              dashes + u"是(Y)   否(N)   取消(C)   \r\n" + dashes;
  std::u16string seen;
  for (int waited = 0; waited < 3000 && seen != want; waited += 50) {
    Sleep(50);
    seen = windows::win32::GetClipboardText();
  }
  EXPECT_EQ(Wide(seen), Wide(want));
  // The copy answered nothing: the box is still open and answers Escape.
  EXPECT_TRUE(IsWindowVisible(box.Window()));
  Tap(VK_ESCAPE);
  EXPECT_EQ(box.Answer(), B::Cancel);
}

std::u16string Words(int count) {
  std::u16string text;
  for (int i = 0; i < count; ++i) text += u"跳转列表 folder ";
  return text;
}

TEST(MessageForm, ALongMessageWrapsAtHalfTheScreenAndTheBoxNeverOutgrowsTheWorkArea) {
  const RECT area = PrimaryWorkArea();
  const int halfScreen = GetSystemMetrics(SM_CXSCREEN) / 2;
  int oneLineHeight = 0;
  struct Case {
    const char* name;
    std::u16string message;
    const wchar_t* control;
    bool scrolls;
  } cases[] = {
      {"one line", u"一行", L"Static", false},
      {"a paragraph wraps and the box grows", Words(60), L"Static", false},
      {"a path with no blank breaks too", u"C:\\" + std::u16string(600, u'x'), L"Static", false},
      {"too long for the screen: it scrolls", Words(3000), L"Edit", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ShownBox box(Box(c.message, u"长消息", MessageType::Warning, true, {B::Ok}));
    ASSERT_TRUE(box.Window());
    HWND text = box.Item(IDC_MESSAGE_FORM_TEXT);
    ASSERT_TRUE(text);
    EXPECT_EQ(ClassOf(text), c.control);
    EXPECT_EQ(TextOf(text), Wide(c.message));
    RECT r = WindowRect(box.Window()), t = WindowRect(text);
    EXPECT_LE(r.bottom - r.top, area.bottom - area.top);
    EXPECT_GE(r.top, area.top);
    EXPECT_LE(r.bottom, area.bottom);
    EXPECT_LE(r.right - r.left, area.right - area.left);
    EXPECT_EQ((GetWindowLongPtrW(text, GWL_STYLE) & WS_VSCROLL) != 0, c.scrolls);
    if (!c.scrolls) EXPECT_LE(t.right - t.left, halfScreen);
    if (oneLineHeight == 0) {
      oneLineHeight = t.bottom - t.top;
    } else {
      EXPECT_GT(t.bottom - t.top, 3 * oneLineHeight) << "the message did not wrap";
    }
    // OK is reachable: Enter answers it.
    ASSERT_TRUE(InFront(box.Window()));
    Tap(VK_RETURN);
    EXPECT_EQ(box.Answer(), B::Ok);
  }
}

// Posted commands are handled in order: a command that did not end the box
// is followed by one that does, and the answer tells which one ended it.
TEST(MessageForm, OnlyOfferedButtonsAnswerAndHelpLeavesTheBoxOpen) {
  auto command = [](ShownBox& box, MessageButton b) {
    const int id = IDC_MESSAGE_FORM_BUTTON0 + static_cast<int>(b);
    PostMessageW(box.Window(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(box.Item(id)));
  };
  struct Case {
    const char* name;
    MessageButtons buttons;
    bool closeBox;
    std::vector<std::wstring> captions;
    std::function<void(ShownBox&)> ignored;
    MessageButton then, answer;
  } cases[] = {
      {"no cancel button: WM_CLOSE and Escape do nothing",
       {B::Abort, B::Retry, B::Ignore},
       true,
       {L"终止(&A)", L"重试(&R)", L"忽略(&I)"},
       [](ShownBox& b) {
         PostMessageW(b.Window(), WM_CLOSE, 0, 0);
         PostMessageW(b.Window(), WM_COMMAND, IDCANCEL, 0);
       },
       B::Ignore,
       B::Ignore},
      {"Help has no help to show and leaves the box open",
       {B::Ok, B::Help},
       false,
       {L"确定(&O)", L"帮助(&H)"},
       [command](ShownBox& b) { command(b, B::Help); },
       B::Ok,
       B::Ok},
      {"a button that is not shown is not an answer",
       {B::Yes, B::No},
       true,
       {L"是(&Y)", L"否(&N)"},
       [command](ShownBox& b) { command(b, B::Exit); },
       B::No,
       B::No},
      {"the last buttons of the table",
       {B::ForceClose, B::Continue, B::Exit},
       true,
       {L"强制关闭(&F)", L"继续(&C)", L"退出(&E)"},
       [](ShownBox& b) { PostMessageW(b.Window(), WM_CLOSE, 0, 0); },
       B::Continue,
       B::Continue},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ShownBox box(Box(u"消息", u"按钮", MessageType::Custom, c.closeBox, c.buttons));
    ASSERT_TRUE(box.Window());
    EXPECT_EQ(box.ButtonCaptions(), c.captions);
    EXPECT_FALSE(box.Item(IDC_MESSAGE_FORM_ICON)) << "a custom box has no icon";
    const LONG_PTR style = GetWindowLongPtrW(box.Window(), GWL_STYLE);
    EXPECT_EQ((style & WS_SYSMENU) != 0, c.closeBox);
    if (c.closeBox)
      EXPECT_EQ((GetMenuState(GetSystemMenu(box.Window(), FALSE), SC_CLOSE, MF_BYCOMMAND) &
                 MF_GRAYED) != 0,
                !CancelButton(c.buttons));
    c.ignored(box);
    command(box, c.then);
    EXPECT_EQ(box.Answer(), c.answer);
  }
}

TEST(MessageForm, AnEmptyButtonSetShowsOk) {
  ShownBox box(Box(u"没有按钮", u"空", MessageType::Error, true, {}));
  ASSERT_TRUE(box.Window());
  EXPECT_EQ(box.ButtonCaptions(), std::vector<std::wstring>{L"确定(&O)"});
  EXPECT_EQ(reinterpret_cast<HICON>(
                SendMessageW(box.Item(IDC_MESSAGE_FORM_ICON), STM_GETICON, 0, 0)),
            LoadIconW(nullptr, IDI_HAND));
  PostMessageW(box.Window(), WM_CLOSE, 0, 0);
  EXPECT_EQ(box.Answer(), B::Ok);
}

}  // namespace
}  // namespace pathorama::ui::win32
