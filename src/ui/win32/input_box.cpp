#include "ui/win32/input_box.h"

#include "core/win32/wide_text.h"
#include "ui/win32/dialog_base.h"
#include "ui/win32/input_box_ids.h"

namespace pathorama::ui::win32 {

namespace {

using core::win32::AsWide;

class InputBox : public DialogBase<InputBox> {
 public:
  InputBox(std::u16string_view title, std::u16string_view prompt, std::u16string_view initial)
      : title_(title), prompt_(prompt), text_(initial) {}

  std::optional<std::u16string> Show(HWND owner) {
    if (ShowModal(GetModuleHandleW(nullptr), IDD_INPUT_BOX, owner) != IDOK) return std::nullopt;
    return text_;
  }

  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
      case WM_INITDIALOG: {
        SetWindowTextW(Handle(), AsWide(title_));
        SetDlgItemTextW(Handle(), IDC_INPUT_BOX_PROMPT, AsWide(prompt_));
        HWND edit = GetDlgItem(Handle(), IDC_INPUT_BOX_EDIT);
        SetWindowTextW(edit, AsWide(text_));
        SendMessageW(edit, EM_SETSEL, 0, -1);
        SetFocus(edit);
        return FALSE;  // the focus is set
      }
      case WM_COMMAND:
        switch (LOWORD(wParam)) {
          case IDOK: {
            HWND edit = GetDlgItem(Handle(), IDC_INPUT_BOX_EDIT);
            std::u16string text(static_cast<size_t>(GetWindowTextLengthW(edit)) + 1, u'\0');
            text.resize(static_cast<size_t>(
                GetWindowTextW(edit, core::win32::AsWide(text.data()), static_cast<int>(text.size()))));
            text_ = std::move(text);
            EndDialog(Handle(), IDOK);
            return TRUE;
          }
          case IDCANCEL:
            EndDialog(Handle(), IDCANCEL);
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
  }

 private:
  std::u16string title_, prompt_, text_;
};

}  // namespace

std::optional<std::u16string> ShowInputBox(HWND owner, std::u16string_view title,
                                           std::u16string_view prompt, std::u16string_view initial) {
  InputBox box(title, prompt, initial);
  return box.Show(owner);
}

}  // namespace pathorama::ui::win32
