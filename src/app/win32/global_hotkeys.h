// Registration of the four global hotkeys on the main window under
// identifiers taken from global atoms.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>

#include "app/hotkey_slots.h"
#include "hotkeys/hotkey_keys.h"

namespace pathorama::app::win32 {

class GlobalHotKeys {
 public:
  // Adds the four global atoms and takes the identifiers from them.
  void CreateAtoms();
  // Removes the atoms again (at window destruction).
  void DeleteAtoms();
  const std::array<uint16_t, kHotKeySlotCount>& HotKeyIds() const { return hotKeyIds_; }

  // `UseGlobalHotKey(range)`: unregisters every slot of the range and, while
  // the global hotkeys are switched on, registers it again with its
  // shortcut. A shortcut of 0, one without a modifier, or one taken by
  // another program stays unregistered without a message to the user; the
  // last two are traced.
  void Use(HWND window, hotkeys::HotKeyRange range, const hotkeys::Shortcuts& shortcuts,
           bool globalHotKeysOn);
  // `DelGlobalHotKey(range)`.
  void Delete(HWND window, hotkeys::HotKeyRange range);

  // Use("All") while switched on, Delete("All").
  void RegisterAll(HWND window, const std::array<uint16_t, kHotKeySlotCount>& shortcuts) {
    Use(window, hotkeys::HotKeyRange::All, shortcuts, true);
  }
  void UnregisterAll(HWND window) { Delete(window, hotkeys::HotKeyRange::All); }

 private:
  std::array<ATOM, kHotKeySlotCount> atoms_{};
  std::array<uint16_t, kHotKeySlotCount> hotKeyIds_{};
};

}  // namespace pathorama::app::win32
