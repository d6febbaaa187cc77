#include "hotkeys/win32/give_back.h"

#include "core/diagnostics.h"
#include "core/text.h"
#include "core/win32/diagnostics.h"

namespace pathorama::hotkeys::win32 {

HeldModifiers HeldModifiersNow() {
  HeldModifiers held;
  held.alt = GetAsyncKeyState(VK_MENU) < 0;
  held.control = GetAsyncKeyState(VK_CONTROL) < 0;
  held.shift = GetAsyncKeyState(VK_SHIFT) < 0;
  return held;
}

std::vector<INPUT> InputsFor(const std::vector<KeyEvent>& events) {
  std::vector<INPUT> inputs;
  for (const KeyEvent& e : events) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = e.virtualKey;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(e.virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = e.up ? KEYEVENTF_KEYUP : 0;
    inputs.push_back(input);
  }
  return inputs;
}

bool TempUseHotKeyOrigFunc(HWND window, uint16_t shortcut, uint16_t id) {
  std::vector<INPUT> inputs = InputsFor(PlanGiveBack(shortcut, HeldModifiersNow()));
  if (inputs.empty()) return false;
  UnregisterHotKey(window, id);
  const UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  const DWORD sendError = GetLastError();
  // Queued keys are matched against the hotkeys as they are delivered; they
  // are already in the stream, so registering now does not catch them.
  const app::HotKeyRegistration keys = app::RegistrationForShortcut(shortcut);
  if (RegistrationSkipReason(shortcut) == SkipReason::None &&
      !RegisterHotKey(window, id, keys.modifiers, keys.virtualKey))
    core::Trace(u"hotkey " + app::ShortcutText(shortcut) +
                u" could not be registered again after giving it back: system error " +
                core::win32::SystemErrorText(GetLastError()));
  if (sent != inputs.size()) {
    core::Trace(u"hotkey " + app::ShortcutText(shortcut) + u" not given back: SendInput queued " +
                core::IntToText(sent) + u" of " + core::IntToText(long(inputs.size())) +
                u" events: system error " + core::win32::SystemErrorText(sendError));
    return false;
  }
  return true;
}

}  // namespace pathorama::hotkeys::win32
