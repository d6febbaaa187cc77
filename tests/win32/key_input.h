// Keys as the keyboard sends them, to the window in front: each pair is a
// virtual key and whether it goes up.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <utility>
#include <vector>

namespace pathorama::test_support {

inline void Keys(std::initializer_list<std::pair<WORD, bool>> keys) {
  std::vector<INPUT> inputs;
  for (auto [key, up] : keys) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    inputs.push_back(input);
  }
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

}  // namespace pathorama::test_support
