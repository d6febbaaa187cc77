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

TEST(ControlAnchors, BoxesAndLengthsScaleBetweenDpis) {
  // 96 -> 144 is 1.5 times; edges are rounded, so two boxes that touch at
  // 96 DPI still touch at 144.
  EXPECT_EQ(ScaledBox({10, 20, 100, 24}, 96, 144), (ControlBox{15, 30, 150, 36}));
  const ControlBox a = ScaledBox({0, 0, 33, 10}, 96, 144), b = ScaledBox({33, 0, 33, 10}, 96, 144);
  EXPECT_EQ(a.x + a.width, b.x);
  // Back again, and down to 96 from 192.
  EXPECT_EQ(ScaledBox({15, 30, 150, 36}, 144, 96), (ControlBox{10, 20, 100, 24}));
  EXPECT_EQ(ScaledBox({-20, 40, 200, 50}, 192, 96), (ControlBox{-10, 20, 100, 25}));
  // Font heights are negative; they round away from zero as well.
  EXPECT_EQ(ScaledLength(-12, 96, 144), -18);
  EXPECT_EQ(ScaledLength(-11, 96, 144), -17);
  EXPECT_EQ(ScaledLength(7, 96, 120), 9);
  // No DPI known: unchanged.
  EXPECT_EQ(ScaledLength(40, 0, 144), 40);
}

}  // namespace
}  // namespace pathorama::ui
