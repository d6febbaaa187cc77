#include "ui/control_anchors.h"

namespace pathorama::ui {

ControlBox AnchoredBox(ControlBox box, int growth, Anchor anchor) {
  if (growth < 0) growth = 0;
  switch (anchor) {
    case Anchor::kLeft: break;
    case Anchor::kStretch: box.width += growth; break;
    case Anchor::kRight: box.x += growth; break;
  }
  return box;
}

int ScaledLength(int length, int fromDpi, int toDpi) {
  if (fromDpi <= 0 || toDpi <= 0 || fromDpi == toDpi) return length;
  const long long scaled = static_cast<long long>(length) * toDpi;
  const long long half = fromDpi / 2;
  return static_cast<int>(scaled >= 0 ? (scaled + half) / fromDpi : (scaled - half) / fromDpi);
}

ControlBox ScaledBox(ControlBox box, int fromDpi, int toDpi) {
  const int left = ScaledLength(box.x, fromDpi, toDpi);
  const int top = ScaledLength(box.y, fromDpi, toDpi);
  const int right = ScaledLength(box.x + box.width, fromDpi, toDpi);
  const int bottom = ScaledLength(box.y + box.height, fromDpi, toDpi);
  return {left, top, right - left, bottom - top};
}

}  // namespace pathorama::ui
