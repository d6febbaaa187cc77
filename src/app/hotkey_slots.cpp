#include "app/hotkey_slots.h"

namespace pathorama::app {

HotKeyRegistration RegistrationForShortcut(uint16_t shortcut) {
  HotKeyRegistration r;
  r.virtualKey = shortcut & 0xFF;
  if (shortcut & 0x8000) r.modifiers |= 1;  // MOD_ALT
  if (shortcut & 0x4000) r.modifiers |= 2;  // MOD_CONTROL
  if (shortcut & 0x2000) r.modifiers |= 4;  // MOD_SHIFT
  return r;
}

}  // namespace pathorama::app
