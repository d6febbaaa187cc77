#include "app/hotkey_slots.h"

#include <gtest/gtest.h>

namespace pathorama::app {
namespace {

TEST(HotKeySlots, ShortcutBitsBecomeRegistrationModifiers) {
  struct Case {
    uint16_t shortcut;
    unsigned modifiers, key;
  };
  const Case cases[] = {
      {0x4044, 2, 0x44},      // Ctrl+D
      {0x2000 | 0x70, 4, 0x70},  // Shift+F1
      {0x8000 | 0x4000 | 0x58, 3, 0x58},  // Ctrl+Alt+X
      {0xE000 | 0x41, 7, 0x41},
      {0, 0, 0},
  };
  for (const Case& c : cases) {
    HotKeyRegistration r = RegistrationForShortcut(c.shortcut);
    EXPECT_EQ(r.modifiers, c.modifiers) << c.shortcut;
    EXPECT_EQ(r.virtualKey, c.key) << c.shortcut;
  }
}

TEST(HotKeySlots, StringAtomsGiveIdsInTheHotKeyRange) {
  EXPECT_EQ(HotKeyIdForAtom(0xC000), 0);
  EXPECT_EQ(HotKeyIdForAtom(0xC123), 0x123);
  EXPECT_EQ(HotKeyIdForAtom(0xFFFF), 0x3FFF);
}

}  // namespace
}  // namespace pathorama::app
