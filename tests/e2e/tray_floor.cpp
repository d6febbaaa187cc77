// tray_floor.exe FILE [SECONDS [GROUPS]]: the floor of the program's start for
// the measurements under Wine: an empty Win32 program that makes a hidden
// window and a tray icon, writes the wall-clock milliseconds (FILETIME /
// 10,000) at which the icon was there into FILE, and ends; with a number of
// seconds it stays that long first, so that its memory can be read. With a
// number of GROUPS it also shows its window with a menu bar of Chinese
// captions and shows once, and closes, a popup menu of GROUPS submenus of
// ten entries: what Wine keeps for a window, a menu and their text, which
// any program with a jump-list popup pays.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

// The popup of the menu mode, of the shape of the jump list's, closed as soon
// as it is up.
void ShowMenuOnce(HWND window, int groups) {
  HMENU bar = CreateMenu();
  HMENU options = CreatePopupMenu();
  AppendMenuW(options, MF_STRING, 2, L"设置(&S)");
  AppendMenuW(options, MF_STRING | MF_CHECKED, 3, L"启用全局热键(&H)");
  AppendMenuW(bar, MF_STRING, 1, L"路径跳转列表(&L)");
  AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(options), L"选项(&O)");
  AppendMenuW(bar, MF_STRING, 4, L"关于(&A)");
  SetMenu(window, bar);
  SetWindowPos(window, HWND_TOPMOST, 400, 0, 420, 60, SWP_SHOWWINDOW);
  HMENU popup = CreatePopupMenu();
  int id = 10;
  AppendMenuW(popup, MF_STRING, id++, L"用户(&U)");
  for (int g = 0; g < groups; ++g) {
    HMENU sub = CreatePopupMenu();
    for (int i = 0; i < 10; ++i)
      AppendMenuW(sub, MF_STRING, id++,
                  (L"条目 " + std::to_wstring(g) + L"-" + std::to_wstring(i)).c_str());
    AppendMenuW(popup, MF_POPUP, reinterpret_cast<UINT_PTR>(sub),
                (L"分组 " + std::to_wstring(g)).c_str());
  }
  SetForegroundWindow(window);
  TrackPopupMenu(popup, TPM_RETURNCMD | TPM_LEFTALIGN, 400, 300, 0, window, nullptr);
  DestroyMenu(popup);
}

LRESULT CALLBACK FloorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // The popup is up once its loop idles.
  if (message == WM_ENTERIDLE) EndMenu();
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  WNDCLASSW windowClass{};
  windowClass.lpszClassName = L"PathoramaTrayFloor";
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpfnWndProc = FloorProc;
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
  if (argc > 3) ShowMenuOnce(window, _wtoi(argv[3]));
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
