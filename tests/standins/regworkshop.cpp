// Stands in for the other registry editor: a "RegWorkshopWndClass" window
// whose address box is an "Edit" in a "ComboBox" in a "ToolbarWindow32".
// Enter in the box is logged as "go <text>".
#include "standin_common.h"

#include <commctrl.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  standin::LogCommandLine();
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES};
  InitCommonControlsEx(&icc);
  standin::RegisterPlainClass(L"RegWorkshopWndClass", standin::QuitOnDestroyProc);
  HWND main = CreateWindowExW(0, L"RegWorkshopWndClass", L"Registry editor (stand-in)",
                              WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 200, 200, 600, 300, nullptr,
                              nullptr, nullptr, nullptr);
  HWND toolbar = standin::Child(main, TOOLBARCLASSNAMEW, L"", CCS_NORESIZE | CCS_NOPARENTALIGN, 0, 0,
                                580, 40);
  HWND combo = standin::Child(toolbar, L"ComboBox", L"", CBS_DROPDOWN, 10, 6, 500, 200);
  HWND edit = FindWindowExW(combo, nullptr, L"Edit", nullptr);
  standin::LogEnterInEdit(edit, L"go");
  ShowWindow(main, SW_SHOWNORMAL);
  return standin::RunMessageLoop();
}
