// The base of every dialog of the program, built like WindowBase: one dialog
// procedure that finds the C++ object behind the dialog and hands it every
// message.
//
//   class AboutBox : public ui::win32::DialogBase<AboutBox> {
//     friend DialogBase;  // or a public HandleMessage
//     INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
//   };
//
// HandleMessage answers as a dialog procedure does: TRUE for a message it
// handled (a result other than the return value goes through SetResult),
// FALSE to leave it to the dialog manager. The object is stored in DWLP_USER
// at WM_INITDIALOG and cleared at WM_NCDESTROY. An exception from the handler
// is traced and the message counts as not handled. A dialog created modeless
// is served by the message loop (message_loop.h) for as long as it exists.
// Moved to a monitor of another scaling (WM_DPICHANGED), a dialog whose
// handler leaves that message alone is scaled as a whole (dpi_scaling.h); one
// with a layout of its own handles it and calls DpiScaling().OnDpiChanged.
#pragma once

#include <windows.h>

#include "ui/win32/dpi_scaling.h"
#include "ui/win32/message_loop.h"
#include "ui/win32/window_boundary.h"

namespace pathorama::ui::win32 {

template <typename Derived>
class DialogBase {
 public:
  DialogBase(const DialogBase&) = delete;
  DialogBase& operator=(const DialogBase&) = delete;

  // Null before creation and once the dialog is destroyed.
  HWND Handle() const { return hwnd_; }

  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam,
                                     LPARAM lParam) noexcept {
    Derived* self = nullptr;
    if (message == WM_INITDIALOG) {
      self = reinterpret_cast<Derived*>(lParam);
      if (self) {
        static_cast<DialogBase*>(self)->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
        if (static_cast<DialogBase*>(self)->modeless_) AddModelessDialog(hwnd);
      }
    } else {
      self = reinterpret_cast<Derived*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    }
    if (!self) return FALSE;
    INT_PTR result = FALSE;
    try {
      if (message == WM_INITDIALOG) static_cast<DialogBase*>(self)->dpiScaling_.Attach(hwnd);
      result = self->HandleMessage(message, wParam, lParam);
      if (message == WM_DPICHANGED && !result) {
        static_cast<DialogBase*>(self)->dpiScaling_.OnDpiChanged(hwnd, wParam, lParam);
        result = TRUE;
      }
    } catch (...) {
      TraceExceptionAtBoundary(hwnd, message);
      result = FALSE;
    }
    if (message == WM_NCDESTROY) {
      RemoveModelessDialog(hwnd);
      SetWindowLongPtrW(hwnd, DWLP_USER, 0);
      static_cast<DialogBase*>(self)->hwnd_ = nullptr;
    }
    return result;
  }

 protected:
  DialogBase() = default;
  // A dialog that outlives its object no longer reaches it. A Derived that
  // owns a modeless dialog destroys it in its own destructor, while it is whole.
  ~DialogBase() {
    if (!hwnd_) return;
    RemoveModelessDialog(hwnd_);
    SetWindowLongPtrW(hwnd_, DWLP_USER, 0);
  }

  // Runs the dialog of template `templateId` modally; returns what EndDialog
  // was given, or -1 when the dialog could not be created.
  INT_PTR ShowModal(HINSTANCE instance, int templateId, HWND owner) {
    modeless_ = false;
    return DialogBoxParamW(instance, MAKEINTRESOURCEW(templateId), owner, &DialogBase::DialogProc,
                           reinterpret_cast<LPARAM>(static_cast<Derived*>(this)));
  }

  // The same for a template built in memory (DWORD-aligned, as the system
  // requires).
  INT_PTR ShowModalIndirect(HINSTANCE instance, const DLGTEMPLATE* dialogTemplate, HWND owner) {
    modeless_ = false;
    return DialogBoxIndirectParamW(instance, dialogTemplate, owner, &DialogBase::DialogProc,
                                   reinterpret_cast<LPARAM>(static_cast<Derived*>(this)));
  }

  // Creates the dialog of template `templateId` modeless (hidden unless the
  // template says WS_VISIBLE); null on failure.
  HWND CreateModeless(HINSTANCE instance, int templateId, HWND owner) {
    modeless_ = true;
    return CreateDialogParamW(instance, MAKEINTRESOURCEW(templateId), owner,
                              &DialogBase::DialogProc,
                              reinterpret_cast<LPARAM>(static_cast<Derived*>(this)));
  }

  // The dialog's DPI and its scaling when it moves to another monitor.
  DialogDpiScaling& DpiScaling() { return dpiScaling_; }

  // The result of a message whose answer is not the dialog procedure's
  // return value (WM_NCHITTEST, notifications); the handler then returns TRUE.
  void SetResult(LRESULT result) { SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, result); }

 private:
  HWND hwnd_ = nullptr;
  bool modeless_ = false;
  DialogDpiScaling dpiScaling_;
};

}  // namespace pathorama::ui::win32
