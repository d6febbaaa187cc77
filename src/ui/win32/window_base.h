// The base of every window of the program: one window procedure that finds
// the C++ object behind a window handle and hands it every message.
//
//   class MainWindow : public ui::win32::WindowBase<MainWindow> {
//     friend WindowBase;  // or a public HandleMessage
//     LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
//   };
//
// The object is stored in GWLP_USERDATA at WM_NCCREATE, so even the first
// messages reach it; the pointer is cleared at WM_NCDESTROY. An exception from
// the handler is traced and the message gets DefWindowProc's answer instead: no
// exception crosses into the system's dispatcher.
#pragma once

#include <windows.h>

#include "ui/win32/window_boundary.h"

namespace pathorama::ui::win32 {

template <typename Derived>
class WindowBase {
 public:
  WindowBase(const WindowBase&) = delete;
  WindowBase& operator=(const WindowBase&) = delete;

  // Null before creation and once the window is destroyed.
  HWND Handle() const { return hwnd_; }

  // The object behind a window of this kind; null for any other window.
  static Derived* FromHandle(HWND hwnd) {
    if (!hwnd || GetWindowLongPtrW(hwnd, GWLP_WNDPROC) !=
                     reinterpret_cast<LONG_PTR>(&WindowBase::WindowProc))
      return nullptr;
    return reinterpret_cast<Derived*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  }

  // The procedure of every window class a Derived creates windows of.
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam,
                                     LPARAM lParam) noexcept {
    Derived* self = nullptr;
    if (message == WM_NCCREATE) {
      self = static_cast<Derived*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
      if (self) {
        static_cast<WindowBase*>(self)->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
      }
    } else {
      self = reinterpret_cast<Derived*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    }
    if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
    LRESULT result = 0;
    try {
      result = self->HandleMessage(message, wParam, lParam);
    } catch (...) {
      TraceExceptionAtBoundary(hwnd, message);
      result = DefWindowProcW(hwnd, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
      static_cast<WindowBase*>(self)->hwnd_ = nullptr;
    }
    return result;
  }

 protected:
  WindowBase() = default;
  // A window that outlives its object no longer reaches it. A Derived that
  // owns its window destroys it in its own destructor, while it is whole.
  ~WindowBase() {
    if (hwnd_) SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
  }

  // A class description with this base's window procedure, the arrow cursor
  // and `className`; the caller adds icons, brush and styles, then registers it.
  static WNDCLASSEXW WindowClass(HINSTANCE instance, const wchar_t* className) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &WindowBase::WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = className;
    return windowClass;
  }

  // CreateWindowExW with this object behind the new window. The class must
  // have been registered with WindowProc.
  HWND CreateWindowFor(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style,
                       int x, int y, int width, int height, HWND parent, HMENU menu,
                       HINSTANCE instance) {
    return CreateWindowExW(exStyle, className, title, style, x, y, width, height, parent, menu,
                           instance, static_cast<Derived*>(this));
  }

 private:
  HWND hwnd_ = nullptr;
};

}  // namespace pathorama::ui::win32
