#include "app/edge_docking.h"

#include <algorithm>

#include "app/main_window_placement.h"

namespace pathorama::app {

namespace {

// The window in coordinates of its work area: the area's top-left is 0, 0.
struct Relative {
  int left, top, width, height, areaWidth;
};

Relative RelativeTo(const ScreenRect& window, const ScreenRect& area) {
  return {window.left - area.left, window.top - area.top, window.Width(), window.Height(),
          area.Width()};
}

ScreenRect Moved(const ScreenRect& window, ScreenPoint to) {
  return {to.x, to.y, to.x + window.Width(), to.y + window.Height()};
}

bool Contains(const ScreenRect& r, ScreenPoint p) {
  return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

long long Overlap(const ScreenRect& a, const ScreenRect& b) {
  const long long w = std::min(a.right, b.right) - std::max(a.left, b.left);
  const long long h = std::min(a.bottom, b.bottom) - std::max(a.top, b.top);
  return w > 0 && h > 0 ? w * h : 0;
}

// Squared distance from `p` to the nearest point of `r`.
long long DistanceSquared(const ScreenRect& r, ScreenPoint p) {
  const long long dx = p.x < r.left ? r.left - p.x : p.x >= r.right ? p.x - r.right + 1 : 0;
  const long long dy = p.y < r.top ? r.top - p.y : p.y >= r.bottom ? p.y - r.bottom + 1 : 0;
  return dx * dx + dy * dy;
}

}  // namespace

DockedEdge DockedAt(const ScreenRect& window, const ScreenRect& area) {
  const Relative r = RelativeTo(window, area);
  if (r.left + r.width <= kEdgeStrip) return DockedEdge::kLeft;
  if (r.left >= r.areaWidth - kEdgeStrip) return DockedEdge::kRight;
  if (r.top + r.height <= kEdgeStrip && r.top > kOffScreenTop) return DockedEdge::kTop;
  return DockedEdge::kNone;
}

std::optional<ScreenPoint> EdgeHide(const ScreenRect& window, const ScreenRect& area,
                                    int distance) {
  const Relative r = RelativeTo(window, area);
  // Parked above the screen, it stays parked.
  if (r.top <= kOffScreenTop) return std::nullopt;
  int left = r.left, top = r.top;
  if (r.left <= distance)
    left = kEdgeStrip - r.width;
  else if (r.left + r.width >= r.areaWidth - distance)
    left = r.areaWidth - kEdgeStrip;
  else if (r.top <= distance)
    top = kEdgeStrip - r.height;
  if (left == r.left && top == r.top) return std::nullopt;
  return ScreenPoint{area.left + left, area.top + top};
}

std::optional<ScreenPoint> ShowTheAutoHideWindow(const ScreenRect& window, const ScreenRect& area) {
  const Relative r = RelativeTo(window, area);
  int left = r.left, top = r.top;
  if (left + r.width <= kEdgeStrip) left = 0;
  if (left + r.width >= r.areaWidth - kEdgeStrip) left = r.areaWidth - r.width;
  if (top + r.height <= kEdgeStrip && top > kOffScreenTop) top = 0;
  if (left == r.left && top == r.top) return std::nullopt;
  return ScreenPoint{area.left + left, area.top + top};
}

AutoHideTick AutoHideTimerTick(const AutoHideFacts& facts) {
  AutoHideTick tick;
  tick.keepTimer = facts.autoHide;
  // Hidden, or being dragged: the drag's end docks it.
  if (!facts.windowShown || facts.leftButtonDown) return tick;

  ScreenRect window = facts.window;
  const ScreenRect& area = facts.area;
  if (!facts.autoHide) {
    if (!facts.parkedOffScreen && !Contains(window, facts.mouse))
      tick.moveTo = ShowTheAutoHideWindow(window, area);
    return tick;
  }

  Relative r = RelativeTo(window, area);
  const bool dockedInCorner = r.left + r.width <= kEdgeStrip && r.top + r.height <= kEdgeStrip;
  if (!dockedInCorner && !Contains(window, facts.mouse)) {
    if (std::optional<ScreenPoint> to = EdgeHide(window, area, facts.distance)) {
      window = Moved(window, *to);
      tick.moveTo = to;
      r = RelativeTo(window, area);
    }
  }
  // The pointer on a docked window's strip reveals it.
  const int x = facts.mouse.x - area.left, y = facts.mouse.y - area.top;
  const bool besideIt = y >= r.top && y <= r.top + r.height;
  int left = r.left, top = r.top;
  if (r.left + r.width <= kEdgeStrip && x <= facts.distance && besideIt)
    left = 0;
  else if (r.left >= r.areaWidth - kEdgeStrip && x >= r.areaWidth - facts.distance && besideIt)
    left = r.areaWidth - r.width;
  else if (r.top + r.height == kEdgeStrip && y <= facts.distance && x >= r.left &&
           x <= r.left + r.width)
    top = 0;
  if (left != r.left || top != r.top) tick.moveTo = ScreenPoint{area.left + left, area.top + top};
  return tick;
}

ScreenRect WorkAreaOfWindow(const ScreenRect& window, const ScreenRect* areas, int count,
                            const std::optional<ScreenRect>& remembered) {
  if (count <= 0) return remembered.value_or(ScreenRect{});
  if (remembered && std::find(areas, areas + count, *remembered) != areas + count &&
      DockedAt(window, *remembered) != DockedEdge::kNone)
    return *remembered;
  const ScreenRect* best = nullptr;
  long long bestOverlap = 0;
  for (int i = 0; i < count; ++i)
    if (long long overlap = Overlap(window, areas[i]); overlap > bestOverlap) {
      bestOverlap = overlap;
      best = &areas[i];
    }
  if (best) return *best;
  const ScreenPoint centre{(window.left + window.right) / 2, (window.top + window.bottom) / 2};
  best = &areas[0];
  for (int i = 1; i < count; ++i)
    if (DistanceSquared(areas[i], centre) < DistanceSquared(*best, centre)) best = &areas[i];
  return *best;
}

}  // namespace pathorama::app
