#include "app/win32/global_hotkeys.h"

#include "core/diagnostics.h"
#include "core/win32/diagnostics.h"
#include "core/win32/wide_text.h"

namespace pathorama::app::win32 {

void GlobalHotKeys::CreateAtoms() {
  for (int i = 0; i < kHotKeySlotCount; ++i) {
    atoms_[i] = GlobalAddAtomW(core::win32::AsWide(kHotKeySlots[i].atomName));
    hotKeyIds_[i] = HotKeyIdForAtom(atoms_[i]);
  }
}

void GlobalHotKeys::DeleteAtoms() {
  for (ATOM& atom : atoms_) {
    if (atom) GlobalDeleteAtom(atom);
    atom = 0;
  }
}

void GlobalHotKeys::RegisterAll(HWND window,
                                    const std::array<uint16_t, kHotKeySlotCount>& shortcuts) {
  for (int i = 0; i < kHotKeySlotCount; ++i) {
    if (!atoms_[i]) continue;
    UnregisterHotKey(window, hotKeyIds_[i]);
    HotKeyRegistration r = RegistrationForShortcut(shortcuts[i]);
    if (r.virtualKey == 0) continue;
    if (RegisterHotKey(window, hotKeyIds_[i], r.modifiers, r.virtualKey)) continue;
    // The user gets no message (another program may hold the keys on
    // purpose), but the failure is not hidden.
    DWORD error = GetLastError();
    core::Trace(u"RegisterHotKey failed for " + ShortcutText(shortcuts[i]) + u" (" +
                kHotKeySlots[i].atomName + u", shortcut " + core::HexText(shortcuts[i], 4) +
                u"): system error " + core::win32::SystemErrorText(error));
  }
}

void GlobalHotKeys::UnregisterAll(HWND window) {
  for (int i = 0; i < kHotKeySlotCount; ++i)
    if (atoms_[i]) UnregisterHotKey(window, hotKeyIds_[i]);
}

}  // namespace pathorama::app::win32
