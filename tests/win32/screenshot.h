// Screenshots for Windows-side tests: the screen as it is now, saved as a
// BMP in the build folder for a person to look at, and counted by colour.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace pathorama::test_support {

struct Screenshot {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> pixels;  // top-down rows, 4 bytes a pixel: B G R A
};

// The whole primary screen.
Screenshot CaptureScreen();
// Writes `shot` as a 32-bit BMP; false when the file could not be written.
bool SaveBmp(const Screenshot& shot, const std::wstring& file);
// The pixels inside `area` (screen coordinates) whose blue, green and red
// satisfy `wanted`.
int CountPixels(const Screenshot& shot, RECT area, bool (*wanted)(int b, int g, int r));

}  // namespace pathorama::test_support
