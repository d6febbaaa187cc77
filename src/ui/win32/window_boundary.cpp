#include "ui/win32/window_boundary.h"

#include <exception>
#include <string>

#include "core/diagnostics.h"
#include "core/text.h"
#include "core/win32/wide_text.h"

namespace pathorama::ui::win32 {

namespace {

std::u16string WhatOfCurrentException() {
  try {
    throw;
  } catch (const std::exception& e) {
    return core::Utf8ToUtf16(e.what());
  } catch (...) {
    return u"an exception that is not a std::exception";
  }
}

}  // namespace

void TraceExceptionAtBoundary(HWND window, UINT message) noexcept {
  try {
    // Neither call sends a message: the window is not asked anything while
    // its own handler has just failed.
    wchar_t className[128] = {};
    wchar_t caption[128] = {};
    if (window) {
      GetClassNameW(window, className, 128);
      InternalGetWindowText(window, caption, 128);
    }
    core::Trace(u"exception caught in the window procedure of \"" + core::win32::FromWide(caption) +
                u"\" (class " + core::win32::FromWide(className) + u", window " +
                core::HexText(reinterpret_cast<UINT_PTR>(window), 8) + u") at message " +
                core::HexText(message, 4) + u": " + WhatOfCurrentException());
  } catch (...) {
    // Tracing must never be the second failure.
  }
}

}  // namespace pathorama::ui::win32
