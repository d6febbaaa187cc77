// Points the stand-ins' log (PATHORAMA_STANDIN_LOG) at a scratch file for the
// life of the object, so a test can read what the stand-ins it started, and
// the programs they start, logged.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "standin_process.h"

namespace pathorama::test_support {

class StandinLog {
 public:
  explicit StandinLog(const wchar_t* name = L"standins") {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    path_ = std::wstring(temp) + L"pathorama-" + name + L"-" + std::to_wstring(GetCurrentProcessId()) +
            L"-" + std::to_wstring(++Count()) + L".log";
    DeleteFileW(path_.c_str());
    SetEnvironmentVariableW(L"PATHORAMA_STANDIN_LOG", path_.c_str());
  }
  ~StandinLog() {
    SetEnvironmentVariableW(L"PATHORAMA_STANDIN_LOG", nullptr);
    DeleteFileW(path_.c_str());
  }
  StandinLog(const StandinLog&) = delete;
  StandinLog& operator=(const StandinLog&) = delete;

  std::vector<std::string> Lines() const {
    std::string text;
    HANDLE file = CreateFileW(path_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      char buffer[4096];
      DWORD got = 0;
      while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) text.append(buffer, got);
      CloseHandle(file);
    }
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
      lines.push_back(text.substr(start, end - start));
    return lines;
  }
  // The lines that begin with `prefix` ("OfficeStandin.exe: get "), without it.
  std::vector<std::string> LinesStarting(const std::string& prefix) const {
    std::vector<std::string> found;
    for (const std::string& line : Lines())
      if (line.rfind(prefix, 0) == 0) found.push_back(line.substr(prefix.size()));
    return found;
  }
  // Waits (pumping messages) up to `ms` for `count` lines beginning with `prefix`.
  std::vector<std::string> WaitFor(const std::string& prefix, size_t count = 1,
                                   int ms = 10000) const {
    for (int waited = 0;; waited += 50) {
      std::vector<std::string> found = LinesStarting(prefix);
      if (found.size() >= count || waited >= ms) return found;
      PumpFor(50);
    }
  }

 private:
  static int& Count() {
    static int count = 0;
    return count;
  }
  std::wstring path_;
};

}  // namespace pathorama::test_support
