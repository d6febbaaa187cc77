// Points the program's trace (PATHORAMA_LOG) at a scratch file for the life
// of the object, so a test can read what the code under test traced.
#pragma once

#include <windows.h>

#include <string>

namespace pathorama::test_support {

class TraceLog {
 public:
  TraceLog() {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    path_ = std::wstring(temp) + L"pathorama-trace-" + std::to_wstring(GetCurrentProcessId()) +
            L"-" + std::to_wstring(++Count()) + L".log";
    DeleteFileW(path_.c_str());
    SetEnvironmentVariableW(L"PATHORAMA_LOG", path_.c_str());
  }
  ~TraceLog() {
    SetEnvironmentVariableW(L"PATHORAMA_LOG", nullptr);
    DeleteFileW(path_.c_str());
  }
  TraceLog(const TraceLog&) = delete;
  TraceLog& operator=(const TraceLog&) = delete;

  // Everything traced so far, as UTF-8.
  std::string Text() const {
    std::string text;
    HANDLE file = CreateFileW(path_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return text;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
      text.append(buffer, got);
    CloseHandle(file);
    return text;
  }

 private:
  static int& Count() {
    static int count = 0;
    return count;
  }
  std::wstring path_;
};

}  // namespace pathorama::test_support
