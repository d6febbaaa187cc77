// Tracing on Windows: the debugger always, the log file when asked.
#include <windows.h>

#include <cstdlib>
#include <cwchar>

#include "core/diagnostics.h"
#include "core/text.h"

namespace pathorama::core {

void Trace(std::u16string_view message) {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  wchar_t stamp[32];
  std::swprintf(stamp, 32, L"%04u-%02u-%02u %02u:%02u:%02u.%03u", now.wYear, now.wMonth,
                now.wDay, now.wHour, now.wMinute, now.wSecond, now.wMilliseconds);
  std::u16string line = TraceLine(reinterpret_cast<const char16_t*>(stamp),
                                  GetCurrentProcessId(), message) +
                        u"\r\n";
  OutputDebugStringW(reinterpret_cast<const wchar_t*>(line.c_str()));

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

}  // namespace pathorama::core
