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

}  // namespace pathorama::ui
