#include "windows/win32/send_keys.h"

#include <vector>

#include "windows/key_names.h"

namespace pathorama::windows::win32 {

void SendKeysToWindow(HWND window, std::u16string_view keyNames, std::u16string_view characters) {
  if (!window || !IsWindow(window)) return;
  std::vector<KeyStroke> plan = PlanKeystrokes(keyNames, characters);
  if (plan.empty()) return;
  SwitchToThisWindow(window, TRUE);
  for (const KeyStroke& k : plan) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    if (k.unicode) {
      input.ki.wScan = k.code;
      input.ki.dwFlags = KEYEVENTF_UNICODE | (k.up ? KEYEVENTF_KEYUP : 0);
    } else {
      input.ki.wVk = k.code;
      input.ki.dwFlags = k.up ? KEYEVENTF_KEYUP : 0;
    }
    SendInput(1, &input, sizeof input);
    if (k.waitMs > 0) Sleep(k.waitMs);
  }
}

}  // namespace pathorama::windows::win32
