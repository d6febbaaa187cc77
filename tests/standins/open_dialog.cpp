// Stands in for Open/Save dialogs: a "#32770" window whose file name field
// is an "Edit" inside a "ComboBox" (--mode=file, the classic Open dialog) or
// an "Edit" directly in the dialog (--mode=folder, a folder picker).
// --mode=common shows the system's own Open dialog instead. The file dialog
// has an "Address Band Root" above its name field, as the system's has.
#include "standin_common.h"

#include <commdlg.h>

namespace {

LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_CLOSE) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  standin::LogCommandLine();
  std::wstring mode = standin::Option(L"mode", L"file");
  if (mode == L"common") {
    wchar_t name[MAX_PATH] = L"";
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.lpstrFile = name;
    ofn.nMaxFile = MAX_PATH;
    ofn.Flags = OFN_EXPLORER;
    GetOpenFileNameW(&ofn);
    return 0;
  }
  bool folder = mode == L"folder";
  HWND dialog = CreateWindowExW(WS_EX_DLGMODALFRAME, L"#32770", folder ? L"浏览文件夹" : L"打开",
                                WS_POPUP | WS_CAPTION | WS_SYSMENU, 200, 200, 460, 160, nullptr,
                                nullptr, nullptr, nullptr);
  SetWindowLongPtrW(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Proc));
  standin::RegisterPlainClass(L"Address Band Root");
  if (!folder) standin::Child(dialog, L"Address Band Root", L"", 0, 100, 0, 330, 16);
  standin::Child(dialog, L"Static", folder ? L"文件夹:" : L"文件名(&N):", 0, 10, 20, 90, 20);
  if (folder) {
    standin::Child(dialog, L"Edit", L"", WS_BORDER | WS_TABSTOP, 100, 18, 330, 24, 1152);
  } else {
    standin::Child(dialog, L"ComboBox", L"", CBS_DROPDOWN | WS_TABSTOP, 100, 18, 330, 200, 1148);
  }
  standin::Child(dialog, L"Button", L"确定", BS_DEFPUSHBUTTON | WS_TABSTOP, 250, 80, 80, 26, IDOK);
  standin::Child(dialog, L"Button", L"取消", WS_TABSTOP, 340, 80, 80, 26, IDCANCEL);
  ShowWindow(dialog, SW_SHOWNORMAL);
  SetForegroundWindow(dialog);
  return standin::RunMessageLoop();
}
