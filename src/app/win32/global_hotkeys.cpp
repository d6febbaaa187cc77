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

void GlobalHotKeys::Use(HWND window, hotkeys::HotKeyRange range,
                        const hotkeys::Shortcuts& shortcuts, bool globalHotKeysOn) {
  for (const hotkeys::RegistrationStep& step :
       hotkeys::PlanUseGlobalHotKey(range, shortcuts, globalHotKeysOn)) {
    const int i = static_cast<int>(step.slot);
    if (!atoms_[i]) continue;
    UnregisterHotKey(window, hotKeyIds_[i]);
    if (globalHotKeysOn && step.skipped == hotkeys::SkipReason::NoModifier)
      core::Trace(u"hotkey " + ShortcutText(shortcuts[i]) + u" (" + kHotKeySlots[i].atomName +
                  u", shortcut " + core::HexText(shortcuts[i], 4) +
                  u") not registered: a key without Ctrl, Alt or Shift would be taken from every "
                  u"program");
    if (!step.reregister) continue;
    if (RegisterHotKey(window, hotKeyIds_[i], step.keys.modifiers, step.keys.virtualKey)) continue;
    // The user gets no message (another program may hold the keys on
    // purpose), but the failure is not hidden.
    DWORD error = GetLastError();
    core::Trace(u"RegisterHotKey failed for " + ShortcutText(shortcuts[i]) + u" (" +
                kHotKeySlots[i].atomName + u", shortcut " + core::HexText(shortcuts[i], 4) +
                u"): system error " + core::win32::SystemErrorText(error));
  }
}

void GlobalHotKeys::Delete(HWND window, hotkeys::HotKeyRange range) {
  for (const hotkeys::RegistrationStep& step : hotkeys::PlanDelGlobalHotKey(range)) {
    const int i = static_cast<int>(step.slot);
    if (atoms_[i]) UnregisterHotKey(window, hotKeyIds_[i]);
  }
}

}  // namespace pathorama::app::win32
