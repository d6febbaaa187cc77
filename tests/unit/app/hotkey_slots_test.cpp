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
      {0x4044, 2, 0x44},                  // Ctrl+D
      {0x2000 | 0x70, 4, 0x70},           // Shift+F1
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

TEST(HotKeySlots, ShortcutTextNamesModifiersThenTheKey) {
  struct Case {
    uint16_t shortcut;
    const char16_t* text;
  };
  const Case cases[] = {
      {0x4044, u"Ctrl+D"},  // the first jump-list hotkey
      {0x4000 | 0x2000 | 0x70, u"Ctrl+Shift+F1"},
      {0xE000 | 0x41, u"Ctrl+Shift+Alt+A"},  // every modifier, in a fixed order
      {0x8000 | 0x39, u"Alt+9"},
      {0x2000 | 0x87, u"Shift+F24"},
      {0x4000 | 0x60, u"Ctrl+Num 0"},
      {0x4000 | 0x6B, u"Ctrl+Num +"},
      {0x4000 | 0x2E, u"Ctrl+Delete"},
      {0x4000 | 0x20, u"Ctrl+Space"},
      {0x8000 | 0x22, u"Alt+Page Down"},
      {0x4000 | 0xC0, u"Ctrl+`"},
      {0x4000 | 0xDC, u"Ctrl+\\"},
      {0x51, u"Q"},                       // no modifier
      {0x4000 | 0xFF, u"Ctrl+Key 0xFF"},  // a key without a name
      {0x4000, u""},                      // modifiers alone name no shortcut
      {0, u""},
  };
  for (const Case& c : cases) EXPECT_EQ(ShortcutText(c.shortcut), c.text) << c.shortcut;
}

TEST(HotKeySlots, StringAtomsGiveIdsInTheHotKeyRange) {
  EXPECT_EQ(HotKeyIdForAtom(0xC000), 0);
  EXPECT_EQ(HotKeyIdForAtom(0xC123), 0x123);
  EXPECT_EQ(HotKeyIdForAtom(0xFFFF), 0x3FFF);
}

}  // namespace
}  // namespace pathorama::app
