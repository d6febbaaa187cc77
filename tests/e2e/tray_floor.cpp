// tray_floor.exe FILE [SECONDS]: the floor of the program's start for the
// measurements under Wine: an empty Win32 program that makes a hidden window
// and a tray icon, writes the wall-clock milliseconds (FILETIME / 10,000) at
// which the icon was there into FILE, and ends; with a number of seconds it
// stays that long first, so that its memory can be read.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cwchar>

int wmain(int argc, wchar_t** argv) {
  WNDCLASSW windowClass{};
  windowClass.lpszClassName = L"PathoramaTrayFloor";
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpfnWndProc = DefWindowProcW;
  RegisterClassW(&windowClass);
  HWND window = CreateWindowExW(0, L"PathoramaTrayFloor", L"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
  NOTIFYICONDATAW icon{};
  icon.cbSize = sizeof icon;
  icon.hWnd = window;
  icon.uID = 1;
  icon.uFlags = NIF_ICON | NIF_TIP;
  icon.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
  wcscpy(icon.szTip, L"floor");
  if (!Shell_NotifyIconW(NIM_ADD, &icon)) return 1;
  FILETIME now{};
  GetSystemTimeAsFileTime(&now);
  if (argc < 2) return 2;
  if (FILE* file = _wfopen(argv[1], L"w")) {
    std::fprintf(file, "%llu\n",
                 ((static_cast<unsigned long long>(now.dwHighDateTime) << 32) | now.dwLowDateTime) /
                     10000);
    std::fclose(file);
  }
  if (argc > 2) {
    const DWORD until = GetTickCount() + static_cast<DWORD>(_wtoi(argv[2])) * 1000;
    MSG message;
    while (GetTickCount() < until) {
      while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
      Sleep(20);
    }
  }
  Shell_NotifyIconW(NIM_DELETE, &icon);
  DestroyWindow(window);
  return 0;
}
