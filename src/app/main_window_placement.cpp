#include "app/main_window_placement.h"

#include <cstdint>

#include "core/text.h"

namespace pathorama::app {

namespace {

// "div" of the placement rule rounds toward zero, as C++ division does.
int Centre(int extent, int windowExtent) { return (extent - windowExtent) / 2; }

bool ParsePosition(std::u16string_view text, int& left, int& top) {
  size_t comma = text.find(u',');
  if (comma == std::u16string_view::npos) return false;
  std::optional<long long> parsedLeft = core::ParseInt(text.substr(0, comma));
  std::optional<long long> parsedTop = core::ParseInt(text.substr(comma + 1));
  if (!parsedLeft || !parsedTop) return false;
  const long long l = *parsedLeft, t = *parsedTop;
  // A number outside 32 bits fails the conversion like any other non-number.
  if (l < INT32_MIN || l > INT32_MAX || t < INT32_MIN || t > INT32_MAX) return false;
  left = static_cast<int>(l);
  top = static_cast<int>(t);
  return true;
}

}  // namespace

std::u16string DefaultMainWindowPos(int workAreaWidth, int windowWidth) {
  return core::IntToText(Centre(workAreaWidth, windowWidth)) + u"," +
         core::IntToText(kOffScreenTop);
}

MainWindowPlace PlaceMainWindow(int mainWindowAt, std::u16string_view mainWindowPos,
                                int workAreaWidth, int workAreaHeight, int windowWidth,
                                int windowHeight) {
  const int centreX = Centre(workAreaWidth, windowWidth);
  const int centreY = Centre(workAreaHeight, windowHeight);
  const int right = workAreaWidth - windowWidth;
  MainWindowPlace place;
  switch (mainWindowAt) {
    case 0:
      if (!ParsePosition(mainWindowPos, place.left, place.top)) return {centreX, 0, false};
      return place;
    case 1: return {centreX, kOffScreenTop, true};
    case 2: return {centreX, 0, false};
    case 3: return {0, 0, false};
    case 4: return {right, 0, false};
    case 5: return {0, centreY, false};
    case 6: return {right, centreY, false};
    case 7: return {centreX, centreY, false};
    default: return {centreX, 0, false};
  }
}

MainWindowPlace PlaceMainWindowFromSettings(const core::IniDocument& ini, int workAreaWidth,
                                            int workAreaHeight, int windowWidth, int windowHeight) {
  long long at = 1;
  if (auto text = ini.Read(u"Option", u"MainWindowAt")) at = core::ParseInt(*text).value_or(-1);
  std::u16string pos = ini.ReadString(u"Option", u"MainWindowPos",
                                      DefaultMainWindowPos(workAreaWidth, windowWidth));
  int value = at < 0 || at > 7 ? -1 : static_cast<int>(at);
  return PlaceMainWindow(value, pos, workAreaWidth, workAreaHeight, windowWidth, windowHeight);
}

}  // namespace pathorama::app
