// The hotkeys with real keys: a press injected with SendInput reaches the
// WM_HOTKEY handler, a key given back reaches the focused edit as the
// combination (and a modifier the user holds stays held), and switching the
// hotkeys off releases the keys for other programs.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/win32/global_hotkeys.h"
#include "hotkeys/win32/give_back.h"
#include "hotkeys/win32/hotkey_press.h"
#include "settings/apply_step.h"
#include "key_input.h"
#include "standin_process.h"
#include "trace_log.h"
#include "windows/win32/window_facts.h"

namespace pathorama::hotkeys::win32 {
namespace {

using test_support::Keys;
using test_support::PumpFor;

constexpr uint16_t kCtrlD = 0x4044, kCtrlG = 0x4047;
constexpr int kTestHotKeyId = 0x2F00;

bool WaitFor(const std::function<bool()>& done, int ms) {
  for (int waited = 0;; waited += 20) {
    if (done()) return true;
    if (waited >= ms) return false;
    PumpFor(20);
  }
}

void PressCtrl(WORD key) {
  Keys({{VK_CONTROL, false}, {key, false}, {key, true}, {VK_CONTROL, true}});
}

// Characters the edit received, and the WM_HOTKEY messages of the hotkey window.
std::vector<wchar_t> typed;
std::vector<LPARAM> hotKeyMessages;
WNDPROC editProc = nullptr;
std::function<void(WPARAM, LPARAM)> onHotKey;

LRESULT CALLBACK LoggingEditProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_CHAR) typed.push_back(static_cast<wchar_t>(wp));
  return CallWindowProcW(editProc, hwnd, msg, wp, lp);
}

LRESULT CALLBACK HotKeyWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_HOTKEY) {
    hotKeyMessages.push_back(lp);
    if (onHotKey) onHotKey(wp, lp);
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

// A frame with a focused multi-line edit that logs its characters, and a
// hidden window that holds the hotkeys.
class HotKeyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    static bool registered = false;
    if (!registered) {
      WNDCLASSW wc{};
      wc.lpfnWndProc = HotKeyWindowProc;
      wc.hInstance = GetModuleHandleW(nullptr);
      wc.lpszClassName = L"PathoramaHotKeyTestHolder";
      RegisterClassW(&wc);
      wc.lpfnWndProc = DefWindowProcW;
      wc.lpszClassName = L"PathoramaHotKeyTestFrame";
      RegisterClassW(&wc);
      registered = true;
    }
    holder_ = CreateWindowExW(0, L"PathoramaHotKeyTestHolder", L"", WS_POPUP, 0, 0, 1, 1, nullptr,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
    frame_ = MakeFrame(L"frame", L"keep me");
    edit_ = GetWindow(frame_, GW_CHILD);
    typed.clear();
    hotKeyMessages.clear();
    onHotKey = nullptr;
    Focus(frame_);
  }
  void TearDown() override {
    onHotKey = nullptr;
    UnregisterHotKey(holder_, kTestHotKeyId);
    // No key may stay down for the next test.
    Keys({{VK_CONTROL, true}, {VK_SHIFT, true}, {VK_MENU, true}});
    PumpFor(50);
    DestroyWindow(frame_);
    DestroyWindow(holder_);
  }

  static HWND MakeFrame(const wchar_t* title, const wchar_t* text) {
    HWND frame = CreateWindowExW(0, L"PathoramaHotKeyTestFrame", title, WS_OVERLAPPEDWINDOW, 50, 50,
                                 400, 200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    HWND edit = CreateWindowExW(0, L"Edit", text, WS_CHILD | WS_VISIBLE | ES_MULTILINE, 5, 5, 380,
                                150, frame, nullptr, GetModuleHandleW(nullptr), nullptr);
    editProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(LoggingEditProc)));
    ShowWindow(frame, SW_SHOW);
    return frame;
  }
  static void Focus(HWND frame) {
    SetForegroundWindow(frame);
    SetFocus(GetWindow(frame, GW_CHILD));
    PumpFor(100);
  }
  static bool Typed(wchar_t c) {
    for (wchar_t t : typed)
      if (t == c) return true;
    return false;
  }
  static std::wstring EditText(HWND edit) {
    wchar_t buffer[256] = {};
    GetWindowTextW(edit, buffer, 256);
    return buffer;
  }
  // Whether another window can register `modifiers`+`key` now (released again).
  static bool FreeForOthers(UINT modifiers, UINT key) {
    HWND other = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    bool free = RegisterHotKey(other, 0x3100, modifiers, key) != FALSE;
    if (free) UnregisterHotKey(other, 0x3100);
    DestroyWindow(other);
    return free;
  }

  HWND holder_ = nullptr, frame_ = nullptr, edit_ = nullptr;
};

TEST_F(HotKeyTest, AnInjectedPressArrivesAsWmHotKey) {
  ASSERT_TRUE(RegisterHotKey(holder_, kTestHotKeyId, MOD_CONTROL, 'D'));
  PressCtrl('D');
  ASSERT_TRUE(WaitFor([] { return !hotKeyMessages.empty(); }, 3000));
  EXPECT_EQ(LOWORD(hotKeyMessages[0]), MOD_CONTROL);
  EXPECT_EQ(HIWORD(hotKeyMessages[0]), 'D');
  EXPECT_FALSE(Typed(L'\x04'));  // the hotkey took it
}

TEST_F(HotKeyTest, AKeyGivenBackReachesTheEditAsTheCombinationWithoutLooping) {
  ASSERT_TRUE(RegisterHotKey(holder_, kTestHotKeyId, MOD_CONTROL, 'D'));
  ASSERT_TRUE(TempUseHotKeyOrigFunc(holder_, kCtrlD, kTestHotKeyId));
  EXPECT_TRUE(WaitFor([] { return Typed(L'\x04'); }, 3000)) << "Ctrl+D never reached the edit";
  PumpFor(200);
  EXPECT_TRUE(hotKeyMessages.empty()) << "the key given back came back as a hotkey";
  EXPECT_FALSE(Typed(L'd'));
  EXPECT_GE(GetAsyncKeyState(VK_CONTROL), 0) << "Ctrl left down";
  EXPECT_FALSE(FreeForOthers(MOD_CONTROL, 'D')) << "not registered again";
}

TEST_F(HotKeyTest, ACtrlHeldAcrossTheGiveBackStaysHeld) {
  ASSERT_TRUE(RegisterHotKey(holder_, kTestHotKeyId, MOD_CONTROL, 'D'));
  Keys({{VK_CONTROL, false}});  // the user holds Ctrl
  ASSERT_TRUE(WaitFor([] { return GetAsyncKeyState(VK_CONTROL) < 0; }, 2000));
  ASSERT_TRUE(TempUseHotKeyOrigFunc(holder_, kCtrlD, kTestHotKeyId));
  EXPECT_TRUE(WaitFor([] { return Typed(L'\x04'); }, 3000));
  EXPECT_LT(GetAsyncKeyState(VK_CONTROL), 0) << "the give-back released the held Ctrl";
  // The next D with Ctrl still held is the hotkey again, not a plain "d".
  Keys({{'D', false}, {'D', true}});
  EXPECT_TRUE(WaitFor([] { return !hotKeyMessages.empty(); }, 3000));
  EXPECT_FALSE(Typed(L'd'));
  Keys({{VK_CONTROL, true}});
}

class RecordingPrompts : public core::UserPrompts {
 public:
  void Tell(std::u16string_view text, std::u16string_view, core::PromptIcon) override {
    told.emplace_back(text);
  }
  bool AskYesNo(std::u16string_view text, std::u16string_view, core::PromptIcon) override {
    told.emplace_back(text);
    return false;
  }
  std::vector<std::u16string> told;
};

class CountingQuestion : public core::ThreeWayQuestion {
 public:
  core::PromptAnswer Ask(std::u16string_view, std::u16string_view, core::PromptIcon) override {
    ++asked;
    return core::PromptAnswer::No;
  }
  int asked = 0;
};

// The press handler with the program's own hotkey registration.
class HotKeyPressTest : public HotKeyTest {
 protected:
  void SetUp() override {
    HotKeyTest::SetUp();
    hotKeys_.CreateAtoms();
    settings_.SetBool(settings::Setting::ShowMessageWhenHotKeyIgnored, false);
    settings_.SetBool(settings::Setting::DirectJumpListWhenCapsLock, false);
    settings_.SetIgnoreListLines(settings::IgnoreList::AppName1, {});
    settings_.SetIgnoreListLines(settings::IgnoreList::WindowClass1, {});
    context_.mainWindow = holder_;
    context_.hotKeyIds = hotKeys_.HotKeyIds();
    context_.settings = &settings_;
    context_.values = {&targetWindow_, &targetClass_, &slot_, &lastTick_, &askMismatch_};
    context_.state = &runState_;
    context_.question = &question_;
    context_.prompts = &prompts_;
    context_.showJumpList = [this] {
      ++popups_;
      if (duringPopup_) duringPopup_();
    };
    context_.closeJumpList = [this] { ++closes_; };
    context_.ownWindow = [](OwnWindow) -> HWND { return nullptr; };
    onHotKey = [this](WPARAM wp, LPARAM lp) { HotKeyPress(wp, lp, context_); };
    Use(true);
  }
  void TearDown() override {
    hotKeys_.UnregisterAll(holder_);
    hotKeys_.DeleteAtoms();
    HotKeyTest::TearDown();
  }
  void Use(bool on) {
    const settings::HotKeyShortcuts s = settings::HotKeyShortcutsFrom(settings_);
    hotKeys_.Use(holder_, HotKeyRange::All, {s.jumpMenu1, s.jumpMenu2, s.openSaveDialog,
                                             s.captureOfficeFolderPath},
                 on);
    context_.globalHotKeysOn = on;
  }
  // A press, then time for what follows it.
  void PressAndSettle(WORD key) {
    const size_t before = hotKeyMessages.size();
    PressCtrl(key);
    WaitFor([&] { return hotKeyMessages.size() > before; }, 3000);
    PumpFor(300);
  }

  settings::AppSettings settings_{core::CalendarDate{2026, 1, 1}};
  app::win32::GlobalHotKeys hotKeys_;
  HotKeyContext context_;
  HotKeyRunState runState_;
  HWND targetWindow_ = nullptr;
  std::u16string targetClass_;
  int slot_ = 0;
  uint64_t lastTick_ = 0;
  bool askMismatch_ = true;
  RecordingPrompts prompts_;
  CountingQuestion question_;
  int popups_ = 0, closes_ = 0;
  std::function<void()> duringPopup_;
};

TEST_F(HotKeyPressTest, CtrlDPopsTheListUpOverTheWindowInFront) {
  PressAndSettle('D');
  EXPECT_EQ(popups_, 1);
  EXPECT_EQ(targetWindow_, frame_);
  EXPECT_EQ(targetClass_, u"PathoramaHotKeyTestFrame");
  EXPECT_EQ(slot_, 1);
  EXPECT_FALSE(Typed(L'\x04'));
}

TEST_F(HotKeyPressTest, AListedProgramGetsCtrlDItself) {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring exe = path;
  exe = exe.substr(exe.find_last_of(L'\\') + 1);
  settings_.SetIgnoreListLines(settings::IgnoreList::AppName1,
                               {u"other.exe, " + std::u16string(exe.begin(), exe.end()) + u" // us"});
  PressAndSettle('D');
  EXPECT_EQ(popups_, 0);
  EXPECT_TRUE(WaitFor([] { return Typed(L'\x04'); }, 3000)) << "Ctrl+D not given to the edit";
}

TEST_F(HotKeyPressTest, AListedWindowClassGetsCtrlDItself) {
  settings_.SetIgnoreListLines(settings::IgnoreList::WindowClass1,
                               {u"XLMAIN", u"pathoramahotkeytestframe"});
  PressAndSettle('D');
  EXPECT_EQ(popups_, 0);
  EXPECT_TRUE(WaitFor([] { return Typed(L'\x04'); }, 3000));
  EXPECT_EQ(question_.asked, 0) << "asked although the message is switched off";
}

TEST_F(HotKeyPressTest, AfterNoTheListedWindowIsNotAskedAgain) {
  settings_.SetBool(settings::Setting::ShowMessageWhenHotKeyIgnored, true);
  settings_.SetIgnoreListLines(settings::IgnoreList::WindowClass1,
                               {u"PathoramaHotKeyTestFrame // the test's frame"});
  PressAndSettle('D');
  EXPECT_EQ(question_.asked, 1);
  EXPECT_TRUE(WaitFor([] { return Typed(L'\x04'); }, 3000));
  PumpFor(300);  // past the debounce
  typed.clear();
  Focus(frame_);
  PressAndSettle('D');
  EXPECT_EQ(question_.asked, 1) << "asked again after No";
  EXPECT_TRUE(WaitFor([] { return Typed(L'\x04'); }, 3000));
  EXPECT_EQ(popups_, 0);
  EXPECT_EQ(settings_.IgnoreListLines(settings::IgnoreList::WindowClass1)[0],
            u"PathoramaHotKeyTestFrame // the test's frame");
}

TEST_F(HotKeyPressTest, TwoPressesWithinHalfASecondPopUpOnce) {
  lastTick_ = 0;
  PressCtrl('D');
  PressCtrl('D');
  WaitFor([] { return hotKeyMessages.size() >= 2; }, 3000);
  PumpFor(300);
  EXPECT_EQ(hotKeyMessages.size(), 2u);
  EXPECT_EQ(popups_, 1);
}

TEST_F(HotKeyPressTest, APressWhileAnEarlierOneIsAtWorkLeavesItsTargetAlone) {
  HWND second = MakeFrame(L"second", L"");
  duringPopup_ = [&] {
    // While the first press is at work, the user goes to another window and
    // presses again after the debounce time.
    Focus(second);
    PumpFor(600);
    PressCtrl('D');
    WaitFor([] { return hotKeyMessages.size() >= 2; }, 3000);
    PumpFor(100);
  };
  Focus(frame_);  // the new frame took the foreground when it was shown
  PressAndSettle('D');
  EXPECT_EQ(hotKeyMessages.size(), 2u);
  EXPECT_EQ(popups_, 1);
  EXPECT_EQ(targetWindow_, frame_);
  EXPECT_FALSE(runState_.pressRunning);
  DestroyWindow(second);
}

TEST_F(HotKeyPressTest, ASecondPressWhileTheListIsOpenClosesIt) {
  context_.popupOpen = true;
  targetWindow_ = frame_;
  PressAndSettle('D');
  EXPECT_EQ(closes_, 1);
  EXPECT_EQ(popups_, 0);
  EXPECT_TRUE(runState_.returnAfterPopup);
  EXPECT_EQ(targetWindow_, frame_) << "the popup's target is where the user goes back to";
}

TEST_F(HotKeyPressTest, SwitchedOffTheKeysBelongToOtherPrograms) {
  ASSERT_FALSE(FreeForOthers(MOD_CONTROL, 'D'));
  Use(false);
  EXPECT_TRUE(FreeForOthers(MOD_CONTROL, 'D'));
  EXPECT_TRUE(FreeForOthers(MOD_CONTROL, 'G'));
  EXPECT_TRUE(FreeForOthers(MOD_CONTROL, 'Q'));
  PressCtrl('D');
  EXPECT_TRUE(WaitFor([] { return Typed(L'\x04'); }, 3000)) << "the edit did not get Ctrl+D";
  EXPECT_EQ(popups_, 0);
  EXPECT_TRUE(hotKeyMessages.empty());
  Use(true);
  EXPECT_FALSE(FreeForOthers(MOD_CONTROL, 'D'));
}

TEST_F(HotKeyPressTest, AShortcutWithoutModifierIsNotTakenFromOtherPrograms) {
  test_support::TraceLog log;
  settings_.SetInt(settings::Setting::JumpMenuHotKey2, 0x0070);  // F1 alone
  Use(true);
  EXPECT_TRUE(FreeForOthers(0, VK_F1));
  EXPECT_NE(log.Text().find("F1 (GloabalHotKey_JumpMenu2, shortcut 0x0070) not registered"),
            std::string::npos)
      << log.Text();
}

TEST_F(HotKeyPressTest, CtrlGInATextBoxWithNoFolderLeavesTheTextAndGivesTheKeyBack) {
  settings_.SetBool(settings::Setting::FillOpenedFolderIntoFocusedEdit, true);
  settings_.SetBool(settings::Setting::SaveOpenedFolderPathToClipboard, true);
  PressAndSettle('G');
  EXPECT_TRUE(WaitFor([] { return Typed(L'\x07'); }, 3000)) << "Ctrl+G not given back";
  EXPECT_EQ(EditText(edit_), L"keep me");
  EXPECT_EQ(targetWindow_, frame_);
  EXPECT_TRUE(prompts_.told.empty());
}

}  // namespace
}  // namespace pathorama::hotkeys::win32
