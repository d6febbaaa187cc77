// Tracing on Windows: the debugger always, the log file when asked.
#include "core/win32/diagnostics.h"

#include <windows.h>

#include <cstdlib>
#include <cwchar>

#include "core/diagnostics.h"
#include "core/text.h"
#include "core/win32/wide_text.h"

namespace pathorama::core {

void Trace(std::u16string_view message) {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  wchar_t stamp[32];
  std::swprintf(stamp, 32, L"%04u-%02u-%02u %02u:%02u:%02u.%03u", now.wYear, now.wMonth, now.wDay,
                now.wHour, now.wMinute, now.wSecond, now.wMilliseconds);
  std::u16string line = TraceLine(win32::FromWide(stamp), GetCurrentProcessId(), message) + u"\r\n";
  OutputDebugStringW(win32::AsWide(line));

  wchar_t path[MAX_PATH * 4];
  DWORD length = GetEnvironmentVariableW(L"PATHORAMA_LOG", path, MAX_PATH * 4);
  if (length == 0 || length >= MAX_PATH * 4) return;
  // FILE_APPEND_DATA writes at the end even when several processes log.
  HANDLE file = CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  std::string bytes = Utf16ToUtf8(line);
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

namespace win32 {

std::u16string SystemErrorText(unsigned long error) {
  std::u16string text = IntToText(static_cast<long long>(error));
  wchar_t* message = nullptr;
  DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<wchar_t*>(&message), 0, nullptr);
  if (length > 0 && message) {
    std::u16string said = TrimChars(FromWide(message, length), u" \t\r\n");
    said = TrimCharsRight(said, u".。");
    if (!said.empty()) text += u" (" + said + u")";
  }
  if (message) LocalFree(message);
  return text;
}

}  // namespace win32

}  // namespace pathorama::core
