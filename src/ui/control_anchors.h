// Where a control of a dialog that grows in width stands: left-bound
// controls stay, stretched ones take the growth, right-bound ones move by it.
#pragma once

namespace pathorama::ui {

enum class Anchor { kLeft, kStretch, kRight };

struct ControlBox {
  int x = 0, y = 0, width = 0, height = 0;
  friend bool operator==(const ControlBox&, const ControlBox&) = default;
};

// `box` as laid out in the template, for a client `growth` pixels wider than
// the template's (never narrower: a negative growth counts as none).
ControlBox AnchoredBox(ControlBox box, int growth, Anchor anchor);

}  // namespace pathorama::ui
