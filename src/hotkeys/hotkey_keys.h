// The four hotkeys as keys: which slots a registration range names, which
// shortcuts are registered system-wide, which slot a WM_HOTKEY belongs to,
// the debounce, and the keys pressed to give one press back to the program
// in front.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/hotkey_slots.h"

namespace pathorama::hotkeys {

using Shortcuts = std::array<uint16_t, app::kHotKeySlotCount>;

// "All", "JumpMenu", "OpenSaveDialog", "CaptureOfficeFolderPath", compared
// without regard to case.
enum class HotKeyRange { All, JumpMenu, OpenSaveDialog, CaptureOfficeFolderPath };
std::optional<HotKeyRange> HotKeyRangeFromWord(std::u16string_view word);
bool RangeHasSlot(HotKeyRange range, app::HotKeySlot slot);

// Why a slot of a range is left unregistered.
enum class SkipReason { None, NoKey, NoModifier };
// A key without Ctrl, Alt or Shift (a hand-edited settings file) would take
// that key from every program on the machine: it is never registered.
SkipReason RegistrationSkipReason(uint16_t shortcut);

// One step of UseGlobalHotKey / DelGlobalHotKey for one slot.
struct RegistrationStep {
  app::HotKeySlot slot = app::HotKeySlot::kJumpMenu1;
  bool reregister = false;  // after unregistering; false: unregister only
  app::HotKeyRegistration keys;
  SkipReason skipped = SkipReason::None;
};
// `UseGlobalHotKey(range)`: every slot of the range is unregistered, and
// registered again with its shortcut while "启用全局热键" is checked.
std::vector<RegistrationStep> PlanUseGlobalHotKey(HotKeyRange range, const Shortcuts& shortcuts,
                                                  bool globalHotKeysOn);
// `DelGlobalHotKey(range)`.
std::vector<RegistrationStep> PlanDelGlobalHotKey(HotKeyRange range);

// The slot a WM_HOTKEY (modifiers MOD_ALT 1, MOD_CONTROL 2, MOD_SHIFT 4; the
// virtual key) stands for: the first slot whose shortcut has exactly these
// keys. One action per press, also when two slots hold the same shortcut.
std::optional<app::HotKeySlot> MatchHotKey(unsigned modifiers, unsigned virtualKey,
                                           const Shortcuts& shortcuts);

// Presses of the jump-list and dialog hotkeys within this time of the
// previous one are swallowed (a held key repeats).
inline constexpr uint64_t kHotKeyDebounceMs = 500;
bool IsDebounced(app::HotKeySlot slot);
// Every press of a debounced hotkey moves `lastTick` to `now`; true when the
// press comes too soon after the previous one.
bool SwallowedByDebounce(app::HotKeySlot slot, uint64_t now, uint64_t& lastTick);

// Modifier keys by their virtual-key codes.
inline constexpr uint16_t kVkShift = 0x10, kVkControl = 0x11, kVkMenu = 0x12;

struct HeldModifiers {
  bool alt = false, control = false, shift = false;
};

struct KeyEvent {
  uint16_t virtualKey = 0;
  bool up = false;
  friend bool operator==(const KeyEvent&, const KeyEvent&) = default;
};

// The keys that give `shortcut` to the program in front: Alt, Ctrl, Shift
// down as the shortcut has them, the key down and up, and the same
// modifiers up. A modifier the user still holds is neither pressed nor
// released: releasing it would turn the user's next key into a plain one.
std::vector<KeyEvent> PlanGiveBack(uint16_t shortcut, HeldModifiers held);

}  // namespace pathorama::hotkeys
