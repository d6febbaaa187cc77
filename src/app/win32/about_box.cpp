#include "app/win32/about_box.h"

#include <string>

#include "resources/about_box_ids.h"

namespace pathorama::app::win32 {

namespace {

INT_PTR CALLBACK AboutProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM) {
  switch (msg) {
    case WM_INITDIALOG: {
      std::wstring version = L"版本 " PATHORAMA_VERSION_TEXT L"（" __DATE__ L"）";
      SetDlgItemTextW(hwnd, IDC_ABOUT_VERSION, version.c_str());
      return TRUE;
    }
    case WM_COMMAND:
      if (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL) {
        EndDialog(hwnd, LOWORD(wp));
        return TRUE;
      }
      return FALSE;
  }
  return FALSE;
}

}  // namespace

void ShowAboutBox(HWND owner) {
  DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_ABOUT), owner, AboutProc, 0);
}

}  // namespace pathorama::app::win32
