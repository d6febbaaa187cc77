// Small facts about windows that the Windows-side tests of dialogs ask, and
// the drop handle a file manager hands a window.
#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>  // HDROP
#include <shlobj.h>    // DROPFILES

#include <cstring>
#include <string>
#include <vector>

namespace pathorama::test_support {

inline std::wstring TextOf(HWND window) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

inline std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

inline RECT WindowRect(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return r;
}

inline RECT PrimaryWorkArea() {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  GetMonitorInfoW(MonitorFromWindow(nullptr, MONITOR_DEFAULTTOPRIMARY), &info);
  return info.rcWork;
}

// A drop handle as Explorer makes one: DROPFILES and the wide paths, each
// ended by a zero, the list by another; dropped at `point` (client
// coordinates of the window it is sent to).
inline HDROP MakeDrop(const std::vector<std::wstring>& paths, POINT point = {}) {
  size_t chars = 1;
  for (const std::wstring& p : paths) chars += p.size() + 1;
  HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + chars * sizeof(wchar_t));
  auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
  header->pFiles = sizeof(DROPFILES);
  header->pt = point;
  header->fWide = TRUE;
  auto* text = reinterpret_cast<wchar_t*>(header + 1);
  for (const std::wstring& p : paths) {
    std::memcpy(text, p.c_str(), (p.size() + 1) * sizeof(wchar_t));
    text += p.size() + 1;
  }
  GlobalUnlock(memory);
  return static_cast<HDROP>(memory);
}

}  // namespace pathorama::test_support
