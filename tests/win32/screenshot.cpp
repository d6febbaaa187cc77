#include "screenshot.h"

#include <algorithm>
#include <cstring>

namespace pathorama::test_support {

Screenshot CaptureScreen() {
  Screenshot shot;
  shot.width = GetSystemMetrics(SM_CXSCREEN);
  shot.height = GetSystemMetrics(SM_CYSCREEN);
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = shot.width;
  info.bmiHeader.biHeight = -shot.height;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap && bits) {
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, shot.width, shot.height, screen, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    shot.pixels.resize(static_cast<size_t>(shot.width) * shot.height * 4);
    std::memcpy(shot.pixels.data(), bits, shot.pixels.size());
    for (size_t i = 3; i < shot.pixels.size(); i += 4) shot.pixels[i] = 255;  // opaque
  }
  if (bitmap) DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return shot;
}

bool SaveBmp(const Screenshot& shot, const std::wstring& file) {
  BITMAPINFOHEADER info{};
  info.biSize = sizeof info;
  info.biWidth = shot.width;
  info.biHeight = -shot.height;
  info.biPlanes = 1;
  info.biBitCount = 32;
  info.biCompression = BI_RGB;
  BITMAPFILEHEADER header{0x4D42, 0, 0, 0, sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
  const DWORD size = static_cast<DWORD>(shot.pixels.size());
  header.bfSize = header.bfOffBits + size;
  HANDLE out = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (out == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool ok = WriteFile(out, &header, sizeof header, &written, nullptr) &&
            WriteFile(out, &info, sizeof info, &written, nullptr) &&
            WriteFile(out, shot.pixels.data(), size, &written, nullptr) && written == size;
  CloseHandle(out);
  return ok;
}

int CountPixels(const Screenshot& shot, RECT area, bool (*wanted)(int b, int g, int r)) {
  if (shot.pixels.empty()) return 0;
  int count = 0;
  for (long y = std::max(0L, area.top); y < std::min<long>(shot.height, area.bottom); ++y)
    for (long x = std::max(0L, area.left); x < std::min<long>(shot.width, area.right); ++x) {
      const uint8_t* p = shot.pixels.data() + (static_cast<size_t>(y) * shot.width + x) * 4;
      if (wanted(p[0], p[1], p[2])) ++count;
    }
  return count;
}

}  // namespace pathorama::test_support
