// A program that only logs how it was started: its command line as Windows
// gave it ("cmdline: ..."), then "start <ms> show <n> args <arguments>":
// the wall-clock time in milliseconds, the show state it was asked for
// (STARTUPINFO wShowWindow; 0 is hidden) and the arguments after its own
// name, exactly as written. It ends at once.
#include "standin_common.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR arguments, int show) {
  standin::LogCommandLine();
  FILETIME now{};
  GetSystemTimeAsFileTime(&now);
  const unsigned long long ms =
      ((static_cast<unsigned long long>(now.dwHighDateTime) << 32) | now.dwLowDateTime) / 10000;
  standin::Log(L"start " + std::to_wstring(ms) + L" show " + std::to_wstring(show) + L" args " +
               std::wstring(arguments ? arguments : L""));
  return 0;
}
