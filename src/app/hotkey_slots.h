// The four global hotkeys: their global atom names, provisional shortcuts
// and how a stored shortcut becomes a registration.
#pragma once

#include <cstdint>
#include <string>

namespace pathorama::app {

enum class HotKeySlot { kJumpMenu1, kJumpMenu2, kOpenSaveDialog, kCaptureOfficeFolderPath };
constexpr int kHotKeySlotCount = 4;

struct HotKeySlotInfo {
  const char16_t* atomName;
  uint16_t provisionalShortcut;  // registered at window creation, before the settings load
};

// In slot order; the atom names keep their historical spelling.
inline constexpr HotKeySlotInfo kHotKeySlots[kHotKeySlotCount] = {
    {u"GloabalHotKey_JumpMenu1", 0x4044},               // Ctrl+D
    {u"GloabalHotKey_JumpMenu2", 0},                    // none
    {u"GloabalHotKey_OpenSaveDialog", 0x4047},          // Ctrl+G
    {u"GloabalHotKey_CaptureOfficeFolderPath", 0x4051}  // Ctrl+Q
};

// What RegisterHotKey takes: MOD_ALT 1, MOD_CONTROL 2, MOD_SHIFT 4.
struct HotKeyRegistration {
  unsigned modifiers = 0;
  unsigned virtualKey = 0;
};

// Low byte = virtual key; 0x2000 Shift, 0x4000 Ctrl, 0x8000 Alt.
HotKeyRegistration RegistrationForShortcut(uint16_t shortcut);

// The shortcut as the user reads it: "Ctrl+D", "Ctrl+Shift+F1" (modifiers in
// the order the system's hotkey control shows them, then the key); empty
// when it names no key.
std::u16string ShortcutText(uint16_t shortcut);

// A registration identifier from a global atom: atom - 0xC000, which lies in
// 0x0000..0x3FFF for string atoms.
inline uint16_t HotKeyIdForAtom(uint16_t atom) { return static_cast<uint16_t>(atom - 0xC000); }

}  // namespace pathorama::app
