// The single-instance lock, the global hotkeys and the tray icon of
// pathorama.exe, on real kernel objects and windows.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "app/win32/app_messages.h"
#include "app/win32/global_hotkeys.h"
#include "app/win32/single_instance.h"
#include "app/win32/tray_icon.h"
#include "core/text.h"
#include "trace_log.h"
#include "ui/win32/window_base.h"

namespace pathorama::app::win32 {
namespace {

TEST(SingleInstanceLock, OneHolderPerFileNameWithoutCase) {
  // A name no running process has, so only the mutex decides.
  const std::u16string name = u"pathorama-lock-test.exe";
  auto first = std::make_unique<SingleInstanceLock>();
  ASSERT_TRUE(first->Acquire(name));
  SingleInstanceLock second;
  EXPECT_FALSE(second.Acquire(name));
  SingleInstanceLock otherCase;
  EXPECT_FALSE(otherCase.Acquire(core::ToUpper(name)));
  SingleInstanceLock otherName;
  EXPECT_TRUE(otherName.Acquire(u"x" + name));
  first.reset();  // the resident instance ends: the next start may stay
  SingleInstanceLock later;
  EXPECT_TRUE(later.Acquire(name));
}

// A window of our own to register hotkeys on.
HWND MakeWindow() {
  return CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
}

// True when Ctrl+Alt+Shift+`key` can be registered elsewhere right now
// (then it is released again): the key is not held by GlobalHotKeys.
bool FreeForOthers(UINT key) {
  HWND other = MakeWindow();
  bool free = RegisterHotKey(other, 0x3000, MOD_CONTROL | MOD_ALT | MOD_SHIFT, key) != FALSE;
  if (free) UnregisterHotKey(other, 0x3000);
  DestroyWindow(other);
  return free;
}

TEST(GlobalHotKeys, RegistersUnderAtomIdsAndReleases) {
  HWND window = MakeWindow();
  ASSERT_NE(window, nullptr);
  GlobalHotKeys hotKeys;
  hotKeys.CreateAtoms();
  for (const wchar_t* atom : {L"GloabalHotKey_JumpMenu1", L"GloabalHotKey_JumpMenu2",
                              L"GloabalHotKey_OpenSaveDialog",
                              L"GloabalHotKey_CaptureOfficeFolderPath"})
    EXPECT_NE(GlobalFindAtomW(atom), 0) << atom;
  for (uint16_t id : hotKeys.HotKeyIds()) EXPECT_LE(id, 0x3FFF);

  // Unusual combinations so no other program holds them: Ctrl+Alt+Shift+F9..F11.
  const uint16_t kAll = 0x2000 | 0x4000 | 0x8000;
  ASSERT_TRUE(FreeForOthers(VK_F9));
  hotKeys.RegisterAll(window, {uint16_t(kAll | VK_F9), 0, uint16_t(kAll | VK_F10), 0});
  EXPECT_FALSE(FreeForOthers(VK_F9));
  EXPECT_FALSE(FreeForOthers(VK_F10));
  // Registering again with other shortcuts replaces the earlier ones.
  hotKeys.RegisterAll(window, {uint16_t(kAll | VK_F11), 0, 0, 0});
  EXPECT_TRUE(FreeForOthers(VK_F9));
  EXPECT_TRUE(FreeForOthers(VK_F10));
  EXPECT_FALSE(FreeForOthers(VK_F11));
  hotKeys.UnregisterAll(window);
  EXPECT_TRUE(FreeForOthers(VK_F11));

  hotKeys.DeleteAtoms();
  EXPECT_EQ(GlobalFindAtomW(L"GloabalHotKey_JumpMenu1"), 0);
  DestroyWindow(window);
}

TEST(GlobalHotKeys, AShortcutTakenElsewhereIsTracedAndTheOthersStillRegister) {
  const uint16_t kAll = 0x2000 | 0x4000 | 0x8000;
  HWND holder = MakeWindow();
  ASSERT_TRUE(RegisterHotKey(holder, 0x3001, MOD_CONTROL | MOD_ALT | MOD_SHIFT, VK_F12));
  HWND window = MakeWindow();
  GlobalHotKeys hotKeys;
  hotKeys.CreateAtoms();
  test_support::TraceLog log;
  hotKeys.RegisterAll(window, {uint16_t(kAll | VK_F12), uint16_t(kAll | VK_F11), 0, 0});
  EXPECT_FALSE(FreeForOthers(VK_F11));  // the refusal of one stops none of the others

  std::string trace = log.Text();
  EXPECT_NE(trace.find("RegisterHotKey failed for Ctrl+Shift+Alt+F12 (GloabalHotKey_JumpMenu1, "
                       "shortcut 0xE07B): system error 1409"),
            std::string::npos)
      << trace;
  EXPECT_EQ(trace.find("F11"), std::string::npos) << trace;

  hotKeys.UnregisterAll(window);
  hotKeys.DeleteAtoms();
  UnregisterHotKey(holder, 0x3001);
  DestroyWindow(window);
  DestroyWindow(holder);
}

// A shell that refuses the first `refusals` adds and records every call.
struct FakeShell {
  static inline int refusals = 0;
  static inline std::vector<DWORD> actions;
  static inline std::vector<UINT> callbackMessages;

  static BOOL WINAPI Notify(DWORD action, PNOTIFYICONDATAW data) {
    actions.push_back(action);
    callbackMessages.push_back(data->uCallbackMessage);
    if (action == NIM_ADD && refusals > 0) {
      --refusals;
      return FALSE;
    }
    return TRUE;
  }
  static int Adds() {
    int adds = 0;
    for (DWORD a : actions) adds += a == NIM_ADD;
    return adds;
  }
};

// A window that hands its messages to a tray icon first, as the main window does.
class TrayOwner : public ui::win32::WindowBase<TrayOwner> {
 public:
  explicit TrayOwner(TrayIcon& tray) : tray_(tray) {
    static const bool registered = [] {
      WNDCLASSEXW wc = WindowClass(GetModuleHandleW(nullptr), L"PathoramaTrayOwner");
      return RegisterClassExW(&wc) != 0;
    }();
    if (registered)
      CreateWindowFor(0, L"PathoramaTrayOwner", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                      GetModuleHandleW(nullptr));
  }
  ~TrayOwner() {
    if (Handle()) DestroyWindow(Handle());
  }
  void Nudge() {
    // A move is a WM_WINDOWPOSCHANGING, as when the user drags the window.
    RECT r{};
    GetWindowRect(Handle(), &r);
    SetWindowPos(Handle(), nullptr, r.left + 1, r.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }

 private:
  friend WindowBase;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (tray_.HandleOwnerMessage(message, wParam)) return 0;
    return DefWindowProcW(Handle(), message, wParam, lParam);
  }
  TrayIcon& tray_;
};

// Pumps messages until `done` or `ms` have passed.
template <typename Done>
bool PumpUntil(Done done, int ms) {
  for (DWORD start = GetTickCount(); !done(); Sleep(20)) {
    if (GetTickCount() - start > static_cast<DWORD>(ms)) return false;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  }
  return true;
}

TEST(TrayIcon, ARefusedIconIsTriedAgainAndTheOwnerObjectRemovesIt) {
  FakeShell::refusals = 2;
  FakeShell::actions.clear();
  FakeShell::callbackMessages.clear();
  test_support::TraceLog log;
  {
    TrayIcon tray(&FakeShell::Notify);
    TrayOwner owner(tray);
    ASSERT_NE(owner.Handle(), nullptr);
    EXPECT_FALSE(tray.Add(owner.Handle(), nullptr, u"Pathorama 1.0"));
    EXPECT_EQ(FakeShell::Adds(), 1);
    EXPECT_NE(log.Text().find("the shell refused the tray icon"), std::string::npos);

    owner.Nudge();  // too soon after the refusal: attempts are spaced
    EXPECT_EQ(FakeShell::Adds(), 1);
    Sleep(1100);
    owner.Nudge();  // the second attempt, refused too
    EXPECT_EQ(FakeShell::Adds(), 2);
    EXPECT_FALSE(tray.Added());
    // The third comes from the retry timer, without any move.
    EXPECT_TRUE(PumpUntil([&] { return tray.Added(); }, 6000));
    EXPECT_EQ(FakeShell::Adds(), 3);
    EXPECT_NE(log.Text().find("tray icon added at attempt 3"), std::string::npos) << log.Text();
    Sleep(1100);
    owner.Nudge();
    EXPECT_EQ(FakeShell::Adds(), 3);  // nothing more once it is there

    // A new taskbar has none of the old icons.
    SendMessageW(owner.Handle(), RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    EXPECT_EQ(FakeShell::Adds(), 4);
    EXPECT_TRUE(tray.Added());
    EXPECT_EQ(FakeShell::actions.back(), static_cast<DWORD>(NIM_ADD));
  }
  // The icon went with its owner object.
  EXPECT_EQ(FakeShell::actions.back(), static_cast<DWORD>(NIM_DELETE));
  for (UINT message : FakeShell::callbackMessages) EXPECT_EQ(message, kTrayIconMessage);
}

}  // namespace
}  // namespace pathorama::app::win32
