// Giving one press of a hotkey back to the program in front.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "hotkeys/hotkey_keys.h"

namespace pathorama::hotkeys::win32 {

// The modifier keys held down now.
HeldModifiers HeldModifiersNow();

// The input events of a planned give-back, each with its scan code.
std::vector<INPUT> InputsFor(const std::vector<KeyEvent>& events);

// `TempUseHotKeyOrigFunc`: unregisters the hotkey `id` of `window`, plays
// `shortcut` into the input stream (modifiers the user still holds are left
// as they are) and registers the hotkey again. False when the keys could not
// be queued.
bool TempUseHotKeyOrigFunc(HWND window, uint16_t shortcut, uint16_t id);

}  // namespace pathorama::hotkeys::win32
