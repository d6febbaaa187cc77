// The main window's screen-edge auto-hide: near a side or the top of its
// monitor's work area it docks there, leaving a strip of `kEdgeStrip`
// pixels, and slides back while the pointer touches that strip. Every rule
// works in the work area of one monitor, with its own origin, so a window on
// a second monitor docks at that monitor's edges.
#pragma once

#include <optional>

namespace pathorama::app {

struct ScreenRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  friend bool operator==(const ScreenRect&, const ScreenRect&) = default;
};

struct ScreenPoint {
  int x = 0, y = 0;
  friend bool operator==(const ScreenPoint&, const ScreenPoint&) = default;
};

// Where a docked window sits in `area`; None when it is free.
enum class DockedEdge { kNone, kLeft, kRight, kTop };
DockedEdge DockedAt(const ScreenRect& window, const ScreenRect& area);

// Edge hide: the window's new top-left corner when it is within `distance`
// pixels of the left, right or top edge of `area` (never for a window parked
// above the screen at `kOffScreenTop`); none when it stays where it is.
std::optional<ScreenPoint> EdgeHide(const ScreenRect& window, const ScreenRect& area,
                                    int distance);

// `ShowTheAutoHideWindow`: the top-left corner that brings a docked window
// fully back into `area`; none when it is not docked.
std::optional<ScreenPoint> ShowTheAutoHideWindow(const ScreenRect& window, const ScreenRect& area);

// What one tick of the auto-hide timer sees.
struct AutoHideFacts {
  ScreenRect window;
  ScreenRect area;  // the work area of the window's monitor
  ScreenPoint mouse;
  int distance = 5;  // "AutoHideDistance", 1..10
  bool autoHide = true;
  bool parkedOffScreen = false;  // "隐藏到屏幕外" is checked
  bool leftButtonDown = false;
  bool windowShown = true;
};

struct AutoHideTick {
  std::optional<ScreenPoint> moveTo;
  bool keepTimer = true;  // the timer runs only while auto-hide is on
};

// One tick (every 200 ms): docks a window the pointer has left, reveals a
// docked one whose strip the pointer touches, and with auto-hide off brings
// a docked window back; nothing while the left button is held (a drag).
AutoHideTick AutoHideTimerTick(const AutoHideFacts& facts);

// The work area a window belongs to among the monitors' work areas: the
// one `remembered` (where it was last free) while the window is docked
// there, else the one it overlaps most, else the nearest. Docked at a side,
// a window overlaps the neighbouring monitor more than its own.
ScreenRect WorkAreaOfWindow(const ScreenRect& window, const ScreenRect* areas, int count,
                            const std::optional<ScreenRect>& remembered);

}  // namespace pathorama::app
