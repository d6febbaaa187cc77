// The single-instance lock and the global hotkeys of pathorama.exe, on real
// kernel objects and windows.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/win32/global_hotkeys.h"
#include "app/win32/single_instance.h"
#include "core/text.h"

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
  hotKeys.UseGlobalHotKey(window, {uint16_t(kAll | VK_F9), 0, uint16_t(kAll | VK_F10), 0});
  EXPECT_FALSE(FreeForOthers(VK_F9));
  EXPECT_FALSE(FreeForOthers(VK_F10));
  // Registering again with other shortcuts replaces the earlier ones.
  hotKeys.UseGlobalHotKey(window, {uint16_t(kAll | VK_F11), 0, 0, 0});
  EXPECT_TRUE(FreeForOthers(VK_F9));
  EXPECT_TRUE(FreeForOthers(VK_F10));
  EXPECT_FALSE(FreeForOthers(VK_F11));
  hotKeys.DelGlobalHotKey(window);
  EXPECT_TRUE(FreeForOthers(VK_F11));

  hotKeys.DeleteAtoms();
  EXPECT_EQ(GlobalFindAtomW(L"GloabalHotKey_JumpMenu1"), 0);
  DestroyWindow(window);
}

}  // namespace
}  // namespace pathorama::app::win32
