#include "app/main_window_placement.h"

#include <gtest/gtest.h>

namespace pathorama::app {
namespace {

// Work area 1280 x 1000, window 240 x 41: centre x = 520, centre y = 479.
constexpr int kW = 1280, kH = 1000, kWinW = 240, kWinH = 41;

TEST(MainWindowPlacement, EachValuePlacesAsItsOptionSays) {
  struct Case {
    int at;
    const char16_t* pos;
    int left, top;
    bool parked;
  };
  const Case cases[] = {
      {0, u"100,200", 100, 200, false},
      {0, u" -5 , -1000", -5, -1000, false},
      {1, u"100,200", 520, kOffScreenTop, true},
      {2, u"", 520, 0, false},
      {3, u"", 0, 0, false},
      {4, u"", 1040, 0, false},
      {5, u"", 0, 479, false},
      {6, u"", 1040, 479, false},
      {7, u"", 520, 479, false},
      // Unreadable position or value: centre, top 0.
      {0, u"100", 520, 0, false},
      {0, u"100;200", 520, 0, false},
      {0, u"1x,2", 520, 0, false},
      {0, u"100,", 520, 0, false},
      {0, u"99999999999,0", 520, 0, false},
      {8, u"", 520, 0, false},
      {-1, u"", 520, 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.at << " / " << std::u16string(c.pos).size());
    MainWindowPlace p = PlaceMainWindow(c.at, c.pos, kW, kH, kWinW, kWinH);
    EXPECT_EQ(p.left, c.left);
    EXPECT_EQ(p.top, c.top);
    EXPECT_EQ(p.parkedOffScreen, c.parked);
  }
}

TEST(MainWindowPlacement, CentreRoundsTowardZero) {
  // (1001 - 240) / 2 = 380.5 -> 380; a window wider than the area: (100 - 240) / 2 = -70.
  EXPECT_EQ(PlaceMainWindow(7, u"", 1001, 101, kWinW, kWinH).left, 380);
  EXPECT_EQ(PlaceMainWindow(7, u"", 1001, 101, kWinW, kWinH).top, 30);
  EXPECT_EQ(PlaceMainWindow(2, u"", 100, 100, kWinW, kWinH).left, -70);
  EXPECT_EQ(PlaceMainWindow(7, u"", 100, 20, kWinW, 41).top, -10);  // -10.5 -> -10
  EXPECT_EQ(DefaultMainWindowPos(1001, 240), u"380,-1000");
}

TEST(MainWindowPlacement, FromSettingsUsesItsOwnDefaults) {
  struct Case {
    const char16_t* ini;
    int left, top;
  };
  const Case cases[] = {
      // No keys: MainWindowAt counts as 1 here, so a fresh start parks the window.
      {u"", 520, kOffScreenTop},
      {u"[Option]\nMainWindowAt=0\n", 520, kOffScreenTop},  // default position text
      {u"[Option]\nMainWindowAt=0\nMainWindowPos=10,20\n", 10, 20},
      {u"[option]\nmainwindowat=3\nMainWindowPos=10,20\n", 0, 0},
      {u"[Option]\nMainWindowAt=0\nMainWindowPos=1020\n", 520, 0},
      {u"[Option]\nMainWindowAt=zwei\n", 520, 0},
      {u"[Option]\nMainWindowAt=\n", 520, 0},
  };
  for (const Case& c : cases) {
    core::IniDocument ini = core::IniDocument::Parse(c.ini);
    MainWindowPlace p = PlaceMainWindowFromSettings(ini, kW, kH, kWinW, kWinH);
    EXPECT_EQ(p.left, c.left) << std::u16string(c.ini).size();
    EXPECT_EQ(p.top, c.top) << std::u16string(c.ini).size();
  }
}

}  // namespace
}  // namespace pathorama::app
