#include "hotkeys/hotkey_keys.h"

#include <gtest/gtest.h>

#include "core/text.h"

namespace pathorama::hotkeys {
namespace {

using app::HotKeySlot;

constexpr uint16_t kCtrlD = 0x4044, kCtrlG = 0x4047, kCtrlQ = 0x4051;

TEST(HotKeyKeysTest, RangeWords) {
  struct Case {
    std::u16string word;
    std::optional<HotKeyRange> want;
  } cases[] = {
      {u"All", HotKeyRange::All},
      {u"all", HotKeyRange::All},
      {u"JUMPMENU", HotKeyRange::JumpMenu},
      {u"OpenSaveDialog", HotKeyRange::OpenSaveDialog},
      {u"captureofficefolderpath", HotKeyRange::CaptureOfficeFolderPath},
      {u"JumpMenu1", std::nullopt},
      {u"", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(HotKeyRangeFromWord(c.word), c.want) << core::Utf16ToUtf8(c.word);
}

TEST(HotKeyKeysTest, RegistrationFollowsRangeShortcutsAndSwitch) {
  const Shortcuts shortcuts = {kCtrlD, 0, kCtrlG, 0x0051 /* Q alone */};
  struct Want {
    HotKeySlot slot;
    bool reregister;
    SkipReason skipped;
  };
  struct Case {
    const char* name;
    HotKeyRange range;
    bool on;
    std::vector<Want> want;
  } cases[] = {
      {"all, switched on", HotKeyRange::All, true,
       {{HotKeySlot::kJumpMenu1, true, SkipReason::None},
        {HotKeySlot::kJumpMenu2, false, SkipReason::NoKey},
        {HotKeySlot::kOpenSaveDialog, true, SkipReason::None},
        {HotKeySlot::kCaptureOfficeFolderPath, false, SkipReason::NoModifier}}},
      {"all, switched off: every slot only unregistered", HotKeyRange::All, false,
       {{HotKeySlot::kJumpMenu1, false, SkipReason::None},
        {HotKeySlot::kJumpMenu2, false, SkipReason::NoKey},
        {HotKeySlot::kOpenSaveDialog, false, SkipReason::None},
        {HotKeySlot::kCaptureOfficeFolderPath, false, SkipReason::NoModifier}}},
      {"jump lists", HotKeyRange::JumpMenu, true,
       {{HotKeySlot::kJumpMenu1, true, SkipReason::None},
        {HotKeySlot::kJumpMenu2, false, SkipReason::NoKey}}},
      {"dialog", HotKeyRange::OpenSaveDialog, true,
       {{HotKeySlot::kOpenSaveDialog, true, SkipReason::None}}},
      {"capture", HotKeyRange::CaptureOfficeFolderPath, true,
       {{HotKeySlot::kCaptureOfficeFolderPath, false, SkipReason::NoModifier}}},
  };
  for (const Case& c : cases) {
    std::vector<RegistrationStep> steps = PlanUseGlobalHotKey(c.range, shortcuts, c.on);
    ASSERT_EQ(steps.size(), c.want.size()) << c.name;
    for (size_t i = 0; i < steps.size(); ++i) {
      EXPECT_EQ(steps[i].slot, c.want[i].slot) << c.name << " " << i;
      EXPECT_EQ(steps[i].reregister, c.want[i].reregister) << c.name << " " << i;
      EXPECT_EQ(steps[i].skipped, c.want[i].skipped) << c.name << " " << i;
    }
  }
  std::vector<RegistrationStep> steps = PlanUseGlobalHotKey(HotKeyRange::All, shortcuts, true);
  EXPECT_EQ(steps[0].keys.modifiers, 2u);
  EXPECT_EQ(steps[0].keys.virtualKey, 0x44u);
  EXPECT_EQ(steps[2].keys.virtualKey, 0x47u);
}

TEST(HotKeyKeysTest, UnregisteringARange) {
  std::vector<RegistrationStep> all = PlanDelGlobalHotKey(HotKeyRange::All);
  ASSERT_EQ(all.size(), 4u);
  for (const RegistrationStep& s : all) EXPECT_FALSE(s.reregister);
  std::vector<RegistrationStep> jump = PlanDelGlobalHotKey(HotKeyRange::JumpMenu);
  ASSERT_EQ(jump.size(), 2u);
  EXPECT_EQ(jump[1].slot, HotKeySlot::kJumpMenu2);
}

TEST(HotKeyKeysTest, AShortcutWithoutAModifierIsNeverRegistered) {
  struct Case {
    uint16_t shortcut;
    SkipReason want;
  } cases[] = {
      {0, SkipReason::NoKey},       {0x4000, SkipReason::NoKey},     {0x0044, SkipReason::NoModifier},
      {0x0070, SkipReason::NoModifier}, {0x2070, SkipReason::None}, {0x8051, SkipReason::None},
      {kCtrlD, SkipReason::None},
  };
  for (const Case& c : cases) EXPECT_EQ(RegistrationSkipReason(c.shortcut), c.want) << c.shortcut;
}

TEST(HotKeyKeysTest, AMessageMatchesTheFirstSlotWithItsKeys) {
  struct Case {
    const char* name;
    Shortcuts shortcuts;
    unsigned modifiers, key;
    std::optional<HotKeySlot> want;
  } cases[] = {
      {"jump list 1", {kCtrlD, 0, kCtrlG, kCtrlQ}, 2, 0x44, HotKeySlot::kJumpMenu1},
      {"dialog", {kCtrlD, 0, kCtrlG, kCtrlQ}, 2, 0x47, HotKeySlot::kOpenSaveDialog},
      {"capture", {kCtrlD, 0, kCtrlG, 0x4051}, 2, 0x51, HotKeySlot::kCaptureOfficeFolderPath},
      {"jump list 2", {kCtrlD, 0x6045 /* Ctrl+Shift+E */, kCtrlG, 0}, 6, 0x45, HotKeySlot::kJumpMenu2},
      {"other modifiers", {kCtrlD, 0, kCtrlG, 0}, 6, 0x44, std::nullopt},
      {"a repeat-free flag is not a modifier", {kCtrlD, 0, kCtrlG, 0}, 0x4002, 0x44,
       HotKeySlot::kJumpMenu1},
      {"one shortcut in two slots: one action", {kCtrlG, 0, kCtrlG, 0}, 2, 0x47, HotKeySlot::kJumpMenu1},
      {"a key without modifier matches no slot", {0x0044, 0, 0, 0}, 0, 0x44, std::nullopt},
      {"no shortcut for key 0", {0, 0, 0, 0}, 0, 0, std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(MatchHotKey(c.modifiers, c.key, c.shortcuts), c.want) << c.name;
}

TEST(HotKeyKeysTest, Debounce) {
  struct Press {
    HotKeySlot slot;
    uint64_t at;
    bool swallowed;
  };
  // The window was created at 1000.
  const Press presses[] = {
      {HotKeySlot::kJumpMenu1, 1200, true},   // within 500 ms of the start
      {HotKeySlot::kJumpMenu1, 1800, false},
      {HotKeySlot::kJumpMenu1, 2100, true},   // 300 ms later
      {HotKeySlot::kJumpMenu1, 2500, true},   // a held key: 400 ms after the last repeat
      {HotKeySlot::kOpenSaveDialog, 3000, false},
      {HotKeySlot::kCaptureOfficeFolderPath, 3100, false},  // never debounced
      {HotKeySlot::kCaptureOfficeFolderPath, 3150, false},
      {HotKeySlot::kJumpMenu2, 3400, true},    // the capture presses did not move the tick
      {HotKeySlot::kJumpMenu2, 3900, false},   // exactly 500 ms
  };
  uint64_t last = 1000;
  for (const Press& p : presses) EXPECT_EQ(SwallowedByDebounce(p.slot, p.at, last), p.swallowed) << p.at;
  EXPECT_EQ(last, 3900u);
}

TEST(HotKeyKeysTest, GiveBackPressesOnlyModifiersNotHeld) {
  using E = KeyEvent;
  struct Case {
    const char* name;
    uint16_t shortcut;
    HeldModifiers held;
    std::vector<KeyEvent> want;
  } cases[] = {
      {"Ctrl+Alt+X, nothing held", 0xC058, {},
       {E{kVkMenu, false}, E{kVkControl, false}, E{0x58, false}, E{0x58, true}, E{kVkMenu, true},
        E{kVkControl, true}}},
      {"Ctrl+D with Ctrl held", kCtrlD, {false, true, false}, {E{0x44, false}, E{0x44, true}}},
      {"Ctrl+Shift+F1 with Shift held", 0x6070, {false, false, true},
       {E{kVkControl, false}, E{0x70, false}, E{0x70, true}, E{kVkControl, true}}},
      {"Alt+Ctrl+Shift+Z, nothing held", 0xE05A, {},
       {E{kVkMenu, false}, E{kVkControl, false}, E{kVkShift, false}, E{0x5A, false}, E{0x5A, true},
        E{kVkMenu, true}, E{kVkControl, true}, E{kVkShift, true}}},
      {"a held modifier the shortcut lacks is left alone", kCtrlG, {true, false, false},
       {E{kVkControl, false}, E{0x47, false}, E{0x47, true}, E{kVkControl, true}}},
      {"no key", 0x4000, {}, {}},
  };
  for (const Case& c : cases) EXPECT_EQ(PlanGiveBack(c.shortcut, c.held), c.want) << c.name;
}

}  // namespace
}  // namespace pathorama::hotkeys
