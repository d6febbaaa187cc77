#include "ui/control_anchors.h"

#include <gtest/gtest.h>

namespace pathorama::ui {
namespace {

TEST(ControlAnchors, GrowthGoesToStretchedWidthsAndRightBoundPositions) {
  const ControlBox box{10, 20, 100, 24};
  struct Case {
    Anchor anchor;
    int growth;
    ControlBox want;
  } cases[] = {
      {Anchor::kLeft, 50, {10, 20, 100, 24}},
      {Anchor::kStretch, 50, {10, 20, 150, 24}},
      {Anchor::kRight, 50, {60, 20, 100, 24}},
      // Narrower than the template: everything stays where it was laid out.
      {Anchor::kStretch, -30, {10, 20, 100, 24}},
      {Anchor::kRight, -30, {10, 20, 100, 24}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(AnchoredBox(box, c.growth, c.anchor), c.want)
        << "anchor " << static_cast<int>(c.anchor) << " growth " << c.growth;
}

}  // namespace
}  // namespace pathorama::ui
