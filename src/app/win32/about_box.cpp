#include "app/win32/about_box.h"

#include <string>

#include "app/win32/about_box_ids.h"

namespace pathorama::app::win32 {

void AboutBox::Show(HWND owner) { ShowModal(GetModuleHandleW(nullptr), IDD_ABOUT, owner); }

INT_PTR AboutBox::HandleMessage(UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG: {
      std::wstring version = L"版本 " PATHORAMA_VERSION_TEXT L"（" __DATE__ L"）";
      SetDlgItemTextW(Handle(), IDC_ABOUT_VERSION, version.c_str());
      return TRUE;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        EndDialog(Handle(), LOWORD(wParam));
        return TRUE;
      }
      return FALSE;
  }
  return FALSE;
}

void ShowAboutBox(HWND owner) {
  AboutBox box;
  box.Show(owner);
}

}  // namespace pathorama::app::win32
