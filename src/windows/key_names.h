// Key names ("Ctrl", "LShift", "F5", "PageDown", ...) and the keystroke plan
// that presses named keys, types characters while they are held, and releases
// the keys again.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pathorama::windows {

// Virtual-key code of a key name (case-insensitive), or 0 for an unknown name.
int VirtualKeyOfName(std::u16string_view name);

struct KeyStroke {
  uint16_t code = 0;     // virtual-key code, or the character for `unicode`
  bool up = false;
  bool unicode = false;  // typed as a character, not as a key
  int waitMs = 0;        // pause after this event
};

// The events for `names` joined by "+" and `characters`, both trimmed of
// spaces first. Unknown names are ignored; empty when there is nothing to do.
std::vector<KeyStroke> PlanKeystrokes(std::u16string_view names, std::u16string_view characters);

}  // namespace pathorama::windows
