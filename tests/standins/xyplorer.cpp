// Stands in for XYplorer: a "ThunderRT6FormDC" window titled "... - XYplorer"
// whose "ThunderRT6PictureBoxDC" holds the address "Edit".
// Options: --folder=, --title= (replaces the whole title).
#include "standin_common.h"

namespace {


}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  standin::LogCommandLine();
  std::wstring folder = standin::Option(L"folder", L"C:\\");
  std::wstring title = standin::Option(L"title", folder + L" - XYplorer 24.0");
  standin::RegisterPlainClass(L"ThunderRT6FormDC", standin::QuitOnDestroyProc);
  standin::RegisterPlainClass(L"ThunderRT6PictureBoxDC");
  HWND main = CreateWindowExW(0, L"ThunderRT6FormDC", title.c_str(), WS_OVERLAPPEDWINDOW, 120, 120,
                              640, 420, nullptr, nullptr, nullptr, nullptr);
  HWND box = standin::Child(main, L"ThunderRT6PictureBoxDC", L"", 0, 0, 0, 640, 40);
  standin::Child(box, L"Edit", folder.c_str(), WS_BORDER | ES_AUTOHSCROLL, 10, 8, 500, 24);
  ShowWindow(main, SW_SHOWNORMAL);
  return standin::RunMessageLoop();
}
