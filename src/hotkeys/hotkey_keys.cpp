#include "hotkeys/hotkey_keys.h"

#include "core/text.h"

namespace pathorama::hotkeys {

namespace {

using app::HotKeySlot;

constexpr uint16_t kShiftBit = 0x2000, kCtrlBit = 0x4000, kAltBit = 0x8000;

struct RangeWord {
  HotKeyRange range;
  std::u16string_view word;
};
constexpr RangeWord kRangeWords[] = {
    {HotKeyRange::All, u"All"},
    {HotKeyRange::JumpMenu, u"JumpMenu"},
    {HotKeyRange::OpenSaveDialog, u"OpenSaveDialog"},
    {HotKeyRange::CaptureOfficeFolderPath, u"CaptureOfficeFolderPath"},
};

}  // namespace

std::optional<HotKeyRange> HotKeyRangeFromWord(std::u16string_view word) {
  for (const RangeWord& r : kRangeWords)
    if (core::EqualsIgnoreCase(word, r.word)) return r.range;
  return std::nullopt;
}

bool RangeHasSlot(HotKeyRange range, HotKeySlot slot) {
  switch (range) {
    case HotKeyRange::All: return true;
    case HotKeyRange::JumpMenu:
      return slot == HotKeySlot::kJumpMenu1 || slot == HotKeySlot::kJumpMenu2;
    case HotKeyRange::OpenSaveDialog: return slot == HotKeySlot::kOpenSaveDialog;
    case HotKeyRange::CaptureOfficeFolderPath: return slot == HotKeySlot::kCaptureOfficeFolderPath;
  }
  return false;
}

SkipReason RegistrationSkipReason(uint16_t shortcut) {
  if ((shortcut & 0xFF) == 0) return SkipReason::NoKey;
  if ((shortcut & (kShiftBit | kCtrlBit | kAltBit)) == 0) return SkipReason::NoModifier;
  return SkipReason::None;
}

std::vector<RegistrationStep> PlanUseGlobalHotKey(HotKeyRange range, const Shortcuts& shortcuts,
                                                  bool globalHotKeysOn) {
  std::vector<RegistrationStep> steps = PlanDelGlobalHotKey(range);
  for (RegistrationStep& step : steps) {
    const uint16_t shortcut = shortcuts[static_cast<size_t>(step.slot)];
    step.skipped = RegistrationSkipReason(shortcut);
    step.reregister = globalHotKeysOn && step.skipped == SkipReason::None;
    if (step.reregister) step.keys = app::RegistrationForShortcut(shortcut);
  }
  return steps;
}

std::vector<RegistrationStep> PlanDelGlobalHotKey(HotKeyRange range) {
  std::vector<RegistrationStep> steps;
  for (int i = 0; i < app::kHotKeySlotCount; ++i) {
    const auto slot = static_cast<HotKeySlot>(i);
    if (!RangeHasSlot(range, slot)) continue;
    RegistrationStep step;
    step.slot = slot;
    steps.push_back(step);
  }
  return steps;
}

std::optional<HotKeySlot> MatchHotKey(unsigned modifiers, unsigned virtualKey,
                                      const Shortcuts& shortcuts) {
  // MOD_NOREPEAT (0x4000) and MOD_WIN never come from our registrations.
  modifiers &= 0x7;
  for (int i = 0; i < app::kHotKeySlotCount; ++i) {
    if (RegistrationSkipReason(shortcuts[i]) != SkipReason::None) continue;
    const app::HotKeyRegistration r = app::RegistrationForShortcut(shortcuts[i]);
    if (r.modifiers == modifiers && r.virtualKey == virtualKey) return static_cast<HotKeySlot>(i);
  }
  return std::nullopt;
}

bool IsDebounced(HotKeySlot slot) { return slot != HotKeySlot::kCaptureOfficeFolderPath; }

bool SwallowedByDebounce(HotKeySlot slot, uint64_t now, uint64_t& lastTick) {
  if (!IsDebounced(slot)) return false;
  const bool tooSoon = now >= lastTick && now - lastTick < kHotKeyDebounceMs;
  lastTick = now;
  return tooSoon;
}

std::vector<KeyEvent> PlanGiveBack(uint16_t shortcut, HeldModifiers held) {
  const uint16_t key = shortcut & 0xFF;
  if (key == 0) return {};
  const bool alt = (shortcut & kAltBit) && !held.alt;
  const bool control = (shortcut & kCtrlBit) && !held.control;
  const bool shift = (shortcut & kShiftBit) && !held.shift;
  std::vector<KeyEvent> events;
  if (alt) events.push_back({kVkMenu, false});
  if (control) events.push_back({kVkControl, false});
  if (shift) events.push_back({kVkShift, false});
  events.push_back({key, false});
  events.push_back({key, true});
  if (alt) events.push_back({kVkMenu, true});
  if (control) events.push_back({kVkControl, true});
  if (shift) events.push_back({kVkShift, true});
  return events;
}

}  // namespace pathorama::hotkeys
