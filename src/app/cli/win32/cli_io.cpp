#include <windows.h>

#include "app/cli/cli_io.h"
#include "core/text.h"

namespace pathorama::app::cli {

namespace {

// A console gets UTF-16 through WriteConsoleW so every character shows; a
// pipe or file gets UTF-8 bytes, unchanged (LF stays LF).
void Write(DWORD which, std::u16string_view text) {
  HANDLE handle = GetStdHandle(which);
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return;
  DWORD mode = 0;
  DWORD written = 0;
  if (GetConsoleMode(handle, &mode)) {
    WriteConsoleW(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    return;
  }
  std::string bytes = core::Utf16ToUtf8(text);
  const char* p = bytes.data();
  size_t left = bytes.size();
  while (left > 0) {
    if (!WriteFile(handle, p, static_cast<DWORD>(left), &written, nullptr) || written == 0) return;
    p += written;
    left -= written;
  }
}

}  // namespace

void WriteStdout(std::u16string_view text) { Write(STD_OUTPUT_HANDLE, text); }
void WriteStderr(std::u16string_view text) { Write(STD_ERROR_HANDLE, text); }

}  // namespace pathorama::app::cli
