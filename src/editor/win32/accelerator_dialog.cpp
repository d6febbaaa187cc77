#include "editor/win32/accelerator_dialog.h"

#include "core/win32/wide_text.h"
#include "editor/accelerator_dialog.h"
#include "editor/win32/accelerator_dialog_ids.h"
#include "ui/win32/background_drag.h"

namespace pathorama::editor::win32 {

namespace {

using core::win32::AsWide;
using core::win32::FromWide;

std::u16string DialogItemText(HWND dialog, int id) {
  HWND item = GetDlgItem(dialog, id);
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(item)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(item, text.data(), static_cast<int>(text.size()))));
  return FromWide(text);
}

}  // namespace

std::optional<std::u16string> AcceleratorDialog::Run(HWND owner) {
  result_.reset();
  ShowModal(GetModuleHandleW(nullptr), IDD_ACCELERATOR_KEY, owner);
  return result_;
}

void AcceleratorDialog::Place() {
  RECT window{};
  GetWindowRect(Handle(), &window);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromPoint(topLeft_, MONITOR_DEFAULTTONEAREST), &monitor);
  const RECT& work = monitor.rcWork;
  DialogBounds placed = PlaceAcceleratorDialog(
      topLeft_.x, topLeft_.y, window.right - window.left, window.bottom - window.top,
      {work.left, work.top, work.right, work.bottom});
  SetWindowPos(Handle(), HWND_TOPMOST, placed.left, placed.top, 0, 0, SWP_NOSIZE);
}

void AcceleratorDialog::SelectBox() {
  HWND box = GetDlgItem(Handle(), IDC_ACCEL_NEW_KEY);
  SetFocus(box);
  SendMessageW(box, EM_SETSEL, 0, -1);
}

void AcceleratorDialog::Ok() {
  AcceleratorDialogOk ok =
      DecideAcceleratorDialogOk(nodeText_, isGroupHead_, DialogItemText(Handle(), IDC_ACCEL_NEW_KEY));
  if (!ok.close) {
    SelectBox();
    return;
  }
  result_ = ok.newText;
  EndDialog(Handle(), IDOK);
}

INT_PTR AcceleratorDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      const std::u16string label = AcceleratorDialogLabel(nodeText_, isGroupHead_);
      SetDlgItemTextW(Handle(), IDC_ACCEL_ITEM_CAPTION, AsWide(label));
      SendDlgItemMessageW(Handle(), IDC_ACCEL_NEW_KEY, EM_LIMITTEXT, 1, 0);
      SetDlgItemTextW(Handle(), IDC_ACCEL_NEW_KEY, AsWide(ProposedAcceleratorKey(label)));
      Place();
      SelectBox();
      return FALSE;  // the focus is set
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        Ok();
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(Handle(), IDCANCEL);
        return TRUE;
      }
      return FALSE;
    case WM_CTLCOLORSTATIC:
      // The node's caption in blue.
      if (reinterpret_cast<HWND>(lParam) == GetDlgItem(Handle(), IDC_ACCEL_ITEM_CAPTION)) {
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, RGB(0, 0, 255));
        SetBkMode(dc, TRANSPARENT);
        return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
      }
      return FALSE;
    case WM_NCHITTEST:
      // Dragging the background moves the dialog.
      SetResult(ui::win32::HitTestWithBackgroundAsCaption(Handle(), wParam, lParam));
      return TRUE;
  }
  return FALSE;
}

std::optional<std::u16string> SetAcceleratorKey(HWND owner, std::u16string_view nodeText,
                                                bool isGroupHead, POINT topLeft) {
  AcceleratorDialog dialog{std::u16string(nodeText), isGroupHead, topLeft};
  return dialog.Run(owner);
}

}  // namespace pathorama::editor::win32
