// Stands in for a running registry editor: a "RegEdit_RegEdit" window that,
// like the real one, writes its own "LastKey" (--lastkey=) as it exits. It
// takes --exit-ms= milliseconds to exit after WM_CLOSE, and logs "exit"
// once its key is written.
#include "standin_common.h"

namespace {

LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_CLOSE) {
    Sleep(_wtoi(standin::Option(L"exit-ms", L"0").c_str()));
    const std::wstring key = standin::Option(L"lastkey");
    HKEY regedit = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER,
                        L"Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Regedit", 0,
                        nullptr, 0, KEY_WRITE, nullptr, &regedit, nullptr) == ERROR_SUCCESS) {
      RegSetValueExW(regedit, L"LastKey", 0, REG_SZ, reinterpret_cast<const BYTE*>(key.c_str()),
                     static_cast<DWORD>((key.size() + 1) * sizeof(wchar_t)));
      RegCloseKey(regedit);
    }
    standin::Log(L"exit");
    DestroyWindow(hwnd);
    return 0;
  }
  if (msg == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  standin::LogCommandLine();
  standin::RegisterPlainClass(L"RegEdit_RegEdit", Proc);
  HWND window = CreateWindowExW(0, L"RegEdit_RegEdit", L"注册表编辑器 (stand-in)", WS_OVERLAPPEDWINDOW,
                                150, 150, 500, 300, nullptr, nullptr, nullptr, nullptr);
  ShowWindow(window, SW_SHOWNORMAL);
  return standin::RunMessageLoop();
}
