// Where the main window goes at first activation (`MainWindowAt`), in screen
// pixels relative to the work area's origin.
#pragma once

#include <string>
#include <string_view>

#include "core/ini.h"

namespace pathorama::app {

constexpr int kOffScreenTop = -1000;  // parks the main window above the screen
constexpr int kEdgeStrip = 2;         // pixels left visible when docked at an edge
constexpr int kMainWindowWidth = 240;

struct MainWindowPlace {
  int left = 0;
  int top = 0;
  // Placement 1 ("隐藏到屏幕外") takes screen-edge auto-hide off first.
  bool parkedOffScreen = false;
};

// The default of `MainWindowPos`: horizontal centre and `kOffScreenTop`.
std::u16string DefaultMainWindowPos(int workAreaWidth, int windowWidth);

// Places by `mainWindowAt` (0 last position from `mainWindowPos` "Left,Top",
// 1 parked above the screen, 2 top centre, 3 top left, 4 top right, 5 left
// middle, 6 right middle, 7 centre). A position text that does not read as
// two numbers, or a value outside 0..7, gives the fallback: centre, top 0.
MainWindowPlace PlaceMainWindow(int mainWindowAt, std::u16string_view mainWindowPos,
                                int workAreaWidth, int workAreaHeight, int windowWidth,
                                int windowHeight);

// Reads `Option`/`MainWindowAt` (default 1) and `Option`/`MainWindowPos`
// (default `DefaultMainWindowPos`) and places by them; a value that does not
// read as a number gives the fallback of `PlaceMainWindow`.
MainWindowPlace PlaceMainWindowFromSettings(const core::IniDocument& ini, int workAreaWidth,
                                            int workAreaHeight, int windowWidth, int windowHeight);

}  // namespace pathorama::app
