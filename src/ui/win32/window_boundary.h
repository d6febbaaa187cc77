// The edge between the system's dispatcher and the program's handlers: no
// exception may cross it, and none is swallowed without a trace.
#pragma once

#include <windows.h>

namespace pathorama::ui::win32 {

// Traces the exception being handled (call it only inside a catch block):
// which window, which message, and what the exception said. Never throws.
void TraceExceptionAtBoundary(HWND window, UINT message) noexcept;

}  // namespace pathorama::ui::win32
