// Starting and stopping the stand-in programs from Windows-side tests, with
// every wait bounded.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace pathorama::test_support {

// A path of the build machine as Wine sees it ("/a/b" -> "Z:\a\b").
std::wstring WindowsPath(const char* unixPath);
// The folder holding the stand-in programs ("Z:\...\bin\").
std::wstring StandinDir();
// Runs `commandLine`, waiting up to 60 s; returns its standard output.
std::string RunAndCapture(const std::wstring& commandLine, DWORD* exitCode = nullptr);

// A running stand-in; closed (and killed if need be) when it goes away.
class Standin {
 public:
  // Starts `program` (a file in StandinDir) with `arguments` and waits up to
  // 10 s for its top-level window of `windowClass` (none: no wait).
  Standin(const std::wstring& program, const std::wstring& arguments,
          const wchar_t* windowClass = nullptr);
  ~Standin();
  Standin(const Standin&) = delete;
  Standin& operator=(const Standin&) = delete;

  HWND Window() const { return window_; }
  DWORD ProcessId() const { return info_.dwProcessId; }
  // The top-level window of `windowClass` owned by this process, waiting up to `ms`.
  HWND WaitForWindow(const wchar_t* windowClass, int ms = 10000);
  // Whether the process ended on its own within `ms`.
  bool WaitForExit(int ms = 10000) const {
    return info_.hProcess && WaitForSingleObject(info_.hProcess, ms) == WAIT_OBJECT_0;
  }

 private:
  PROCESS_INFORMATION info_{};
  HWND window_ = nullptr;
};

// Pumps this thread's messages for `ms` milliseconds.
void PumpFor(int ms);
// Pumps this thread's messages until `done` holds, up to `ms` milliseconds;
// whether it came to hold.
bool PumpUntil(const std::function<bool()>& done, int ms = 10000);

}  // namespace pathorama::test_support
