#include "app/win32/global_hotkeys.h"

#include "app/win32/win32_text.h"

namespace pathorama::app::win32 {

void GlobalHotKeys::CreateAtoms() {
  for (int i = 0; i < kHotKeySlotCount; ++i) {
    atoms_[i] = GlobalAddAtomW(W(kHotKeySlots[i].atomName));
    hotKeyIds_[i] = HotKeyIdForAtom(atoms_[i]);
  }
}

void GlobalHotKeys::DeleteAtoms() {
  for (ATOM& atom : atoms_) {
    if (atom) GlobalDeleteAtom(atom);
    atom = 0;
  }
}

void GlobalHotKeys::UseGlobalHotKey(HWND window,
                                    const std::array<uint16_t, kHotKeySlotCount>& shortcuts) {
  for (int i = 0; i < kHotKeySlotCount; ++i) {
    if (!atoms_[i]) continue;
    UnregisterHotKey(window, hotKeyIds_[i]);
    HotKeyRegistration r = RegistrationForShortcut(shortcuts[i]);
    if (r.virtualKey != 0) RegisterHotKey(window, hotKeyIds_[i], r.modifiers, r.virtualKey);
  }
}

void GlobalHotKeys::DelGlobalHotKey(HWND window) {
  for (int i = 0; i < kHotKeySlotCount; ++i)
    if (atoms_[i]) UnregisterHotKey(window, hotKeyIds_[i]);
}

}  // namespace pathorama::app::win32
