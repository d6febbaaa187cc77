// Where a control of a dialog stands when the dialog grows in width (left-
// bound controls stay, stretched ones take the growth, right-bound ones move
// by it) and when the dialog moves to a monitor of another DPI.
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

// `box` laid out at `fromDpi` as it stands at `toDpi`: edges are scaled and
// rounded, so neighbouring controls stay neighbours.
ControlBox ScaledBox(ControlBox box, int fromDpi, int toDpi);
// A length (a font height, a margin) at `toDpi`, rounded half away from zero.
int ScaledLength(int length, int fromDpi, int toDpi);

}  // namespace pathorama::ui
