// Stands in for FreeCommander: a "FreeCommanderXE.SingleInst.1" window with
// two "TfcDragdropFileListView" file lists (the first is the right panel).
#include "standin_common.h"

namespace {


}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  standin::LogCommandLine();
  standin::RegisterPlainClass(L"FreeCommanderXE.SingleInst.1", standin::QuitOnDestroyProc);
  standin::RegisterPlainClass(L"TfcDragdropFileListView");
  HWND main = CreateWindowExW(0, L"FreeCommanderXE.SingleInst.1", L"FreeCommander (stand-in)",
                              WS_OVERLAPPEDWINDOW, 180, 180, 640, 420, nullptr, nullptr, nullptr,
                              nullptr);
  standin::Child(main, L"TfcDragdropFileListView", L"", WS_BORDER, 330, 40, 300, 320);
  standin::Child(main, L"TfcDragdropFileListView", L"", WS_BORDER, 10, 40, 300, 320);
  ShowWindow(main, standin::HasFlag(L"minimized") ? SW_SHOWMINNOACTIVE : SW_SHOWNORMAL);
  return standin::RunMessageLoop();
}
