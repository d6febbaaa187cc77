// Stands in for the program with window class "DTE": its path box is an
// "Edit" inside a "SysTabControl32" inside a "Button" of the "DTE" window.
// Enter in the path box is logged with the box's text.
#include "standin_common.h"

#include <commctrl.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  standin::LogCommandLine();
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_TAB_CLASSES};
  InitCommonControlsEx(&icc);
  standin::RegisterPlainClass(L"DTE", standin::QuitOnDestroyProc);
  HWND main = CreateWindowExW(0, L"DTE", L"DTE (stand-in)", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                              260, 260, 520, 300, nullptr, nullptr, nullptr, nullptr);
  HWND group = standin::Child(main, L"Button", L"", BS_GROUPBOX, 10, 10, 480, 200);
  HWND tabs = standin::Child(group, WC_TABCONTROLW, L"", 0, 10, 20, 460, 160);
  HWND edit = standin::Child(tabs, L"Edit", standin::Option(L"folder").c_str(),
                             WS_BORDER | ES_AUTOHSCROLL, 10, 40, 420, 24);
  standin::LogEnterInEdit(edit, L"enter");
  ShowWindow(main, SW_SHOWNORMAL);
  return standin::RunMessageLoop();
}
