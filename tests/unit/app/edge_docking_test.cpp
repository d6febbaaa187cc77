#include "app/edge_docking.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace pathorama::app {
namespace {

// A main window of 240 x 50 with its top-left corner at x, y.
ScreenRect WindowAt(int x, int y) { return {x, y, x + 240, y + 50}; }

std::string Text(const std::optional<ScreenPoint>& p) {
  return p ? std::to_string(p->x) + "," + std::to_string(p->y) : "stays";
}

// The primary monitor, and a second one left of it whose work area starts
// below a taskbar at its top.
const ScreenRect kPrimary{0, 0, 1280, 984};
const ScreenRect kLeftMonitor{-1920, 40, 0, 1080};

TEST(EdgeDocking, EdgeHideDocksNearEachEdgeOfTheWindowsOwnWorkArea) {
  struct Case {
    const char* name;
    ScreenRect window, area;
    const char* want;
  } cases[] = {
      {"3 px from the left: docked, 2 px showing", WindowAt(3, 300), kPrimary, "-238,300"},
      {"at the distance itself", WindowAt(5, 300), kPrimary, "-238,300"},
      {"6 px from the left: free", WindowAt(6, 300), kPrimary, "stays"},
      {"near the right edge", WindowAt(1280 - 240 - 4, 300), kPrimary, "1278,300"},
      {"near the top", WindowAt(600, 4), kPrimary, "600,-48"},
      {"already docked", WindowAt(-238, 300), kPrimary, "stays"},
      {"parked above the screen", WindowAt(520, -1000), kPrimary, "stays"},
      // The second monitor: its own left edge and its own top (below its
      // taskbar), not the primary screen's.
      {"left edge of the left monitor", WindowAt(-1917, 500), kLeftMonitor, "-2158,500"},
      {"right edge of the left monitor", WindowAt(-243, 500), kLeftMonitor, "-2,500"},
      {"top of the left monitor", WindowAt(-1000, 43), kLeftMonitor, "-1000,-8"},
      {"middle of the left monitor", WindowAt(-1000, 500), kLeftMonitor, "stays"},
  };
  for (const Case& c : cases) EXPECT_EQ(Text(EdgeHide(c.window, c.area, 5)), c.want) << c.name;
}

TEST(EdgeDocking, ShowTheAutoHideWindowBringsEveryDockedWindowBack) {
  struct Case {
    ScreenRect window, area;
    const char* want;
  } cases[] = {
      {WindowAt(-238, 300), kPrimary, "0,300"},
      {WindowAt(1278, 300), kPrimary, "1040,300"},
      {WindowAt(600, -48), kPrimary, "600,0"},
      {WindowAt(-238, -48), kPrimary, "0,0"},
      {WindowAt(600, 300), kPrimary, "stays"},
      {WindowAt(520, -1000), kPrimary, "stays"},
      {WindowAt(-2158, 500), kLeftMonitor, "-1920,500"},
      {WindowAt(-1000, -8), kLeftMonitor, "-1000,40"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Text(ShowTheAutoHideWindow(c.window, c.area)), c.want)
        << c.window.left << "," << c.window.top;
}

TEST(EdgeDocking, TimerTickDocksRevealsAndStopsWithAutoHideOff) {
  auto facts = [](ScreenRect window, ScreenPoint mouse) {
    AutoHideFacts f;
    f.window = window;
    f.area = kPrimary;
    f.mouse = mouse;
    return f;
  };
  struct Case {
    const char* name;
    AutoHideFacts facts;
    const char* want;
    bool keepTimer;
  } cases[] = {
      {"the pointer left a window near the edge: docked", facts(WindowAt(3, 300), {600, 600}),
       "-238,300", true},
      {"the pointer over it: stays", facts(WindowAt(3, 300), {100, 310}), "stays", true},
      {"the pointer on the left strip: revealed", facts(WindowAt(-238, 300), {4, 320}), "0,300", true},
      {"on the left edge but below it: stays docked", facts(WindowAt(-238, 300), {4, 400}), "stays",
       true},
      {"on the right strip: revealed", facts(WindowAt(1278, 300), {1279, 320}), "1040,300", true},
      {"on the top strip: revealed", facts(WindowAt(600, -48), {700, 1}), "600,0", true},
      {"revealed and left again: docked again", facts(WindowAt(0, 300), {600, 600}), "-238,300", true},
  };
  for (const Case& c : cases) {
    const AutoHideTick tick = AutoHideTimerTick(c.facts);
    EXPECT_EQ(Text(tick.moveTo), c.want) << c.name;
    EXPECT_EQ(tick.keepTimer, c.keepTimer) << c.name;
  }

  // A held left button is a drag in progress: nothing moves.
  AutoHideFacts dragging = facts(WindowAt(3, 300), {600, 600});
  dragging.leftButtonDown = true;
  EXPECT_EQ(Text(AutoHideTimerTick(dragging).moveTo), "stays");
  AutoHideFacts hidden = facts(WindowAt(3, 300), {600, 600});
  hidden.windowShown = false;
  EXPECT_EQ(Text(AutoHideTimerTick(hidden).moveTo), "stays");

  // Auto-hide off: a docked window comes back once the pointer is away,
  // not while parked above the screen; the timer stops.
  AutoHideFacts off = facts(WindowAt(-238, 300), {600, 600});
  off.autoHide = false;
  EXPECT_EQ(Text(AutoHideTimerTick(off).moveTo), "0,300");
  EXPECT_FALSE(AutoHideTimerTick(off).keepTimer);
  off.window = WindowAt(520, -1000);
  off.parkedOffScreen = true;
  EXPECT_EQ(Text(AutoHideTimerTick(off).moveTo), "stays");
}

TEST(EdgeDocking, WindowKeepsTheWorkAreaOfTheMonitorItDockedOn) {
  const ScreenRect areas[] = {kPrimary, kLeftMonitor};
  auto area = [&](ScreenRect window, std::optional<ScreenRect> remembered) {
    const ScreenRect a = WorkAreaOfWindow(window, areas, 2, remembered);
    return a == kPrimary ? "primary" : a == kLeftMonitor ? "left" : "other";
  };
  // Free: the monitor it overlaps most.
  EXPECT_STREQ(area(WindowAt(100, 300), std::nullopt), "primary");
  EXPECT_STREQ(area(WindowAt(-500, 300), std::nullopt), "left");
  EXPECT_STREQ(area(WindowAt(-100, 300), std::nullopt), "primary") << "140 of 240 px on the primary";
  // Docked at the primary's left edge it lies almost wholly on the left
  // monitor, yet stays the primary's.
  EXPECT_STREQ(area(WindowAt(-238, 300), kPrimary), "primary");
  // A remembered area that is gone (the monitor was unplugged) is not kept,
  // though the window would be docked at its left edge.
  const ScreenRect gone{1280, 0, 2560, 1024};
  ASSERT_EQ(DockedAt(WindowAt(1042, 300), gone), DockedEdge::kLeft);
  EXPECT_STREQ(area(WindowAt(1042, 300), gone), "primary");
  // Wholly outside every monitor: the nearest.
  EXPECT_STREQ(area(WindowAt(-3000, 300), std::nullopt), "left");
}

}  // namespace
}  // namespace pathorama::app
