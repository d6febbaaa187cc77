// Stands in for Xplorer2: an "ATL:ExplorerFrame" window whose
// "ToolbarWindow32" holds a "ComboBox" with the address "Edit".
// Options: --folder=.
#include "standin_common.h"

#include <commctrl.h>

namespace {


}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  standin::LogCommandLine();
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES};
  InitCommonControlsEx(&icc);
  std::wstring folder = standin::Option(L"folder", L"C:\\");
  standin::RegisterPlainClass(L"ATL:ExplorerFrame", standin::QuitOnDestroyProc);
  HWND main = CreateWindowExW(0, L"ATL:ExplorerFrame", L"xplorer2 (stand-in)", WS_OVERLAPPEDWINDOW,
                              150, 150, 640, 420, nullptr, nullptr, nullptr, nullptr);
  HWND bar = standin::Child(main, TOOLBARCLASSNAMEW, L"", CCS_NORESIZE | CCS_NOPARENTALIGN, 0, 0,
                            640, 36);
  HWND combo = standin::Child(bar, L"ComboBox", L"", CBS_DROPDOWN, 10, 6, 500, 200);
  SetWindowTextW(combo, folder.c_str());
  ShowWindow(main, SW_SHOWNORMAL);
  return standin::RunMessageLoop();
}
