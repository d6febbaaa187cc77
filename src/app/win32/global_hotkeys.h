// Registration of the four global hotkeys on the main window under
// identifiers taken from global atoms.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>

#include "app/hotkey_slots.h"

namespace pathorama::app::win32 {

class GlobalHotKeys {
 public:
  // Adds the four global atoms and takes the identifiers from them.
  void CreateAtoms();
  // Removes the atoms again (at window destruction).
  void DeleteAtoms();
  const std::array<uint16_t, kHotKeySlotCount>& HotKeyIds() const { return hotKeyIds_; }

  // Unregisters and registers every slot with its shortcut. A shortcut of 0
  // or one taken by another program stays unregistered without a message to
  // the user; a refused one is traced.
  void RegisterAll(HWND window, const std::array<uint16_t, kHotKeySlotCount>& shortcuts);
  // Unregisters every slot.
  void UnregisterAll(HWND window);

 private:
  std::array<ATOM, kHotKeySlotCount> atoms_{};
  std::array<uint16_t, kHotKeySlotCount> hotKeyIds_{};
};

}  // namespace pathorama::app::win32
