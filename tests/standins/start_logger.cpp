// A program that only logs how it was started: its command line as Windows
// gave it ("cmdline: ..."), then "start <ms> show <n> args <arguments>":
// the wall-clock time in milliseconds, the show state it was asked for
// (STARTUPINFO wShowWindow; 0 is hidden) and the arguments after its own
// name, exactly as written; then the same as "created <ms> show <n> args
// <arguments>" with the time the process was created: unlike the time the
// logger got to run, it keeps the order of starts made one after the other.
// It ends at once.
#include "standin_common.h"

namespace {

unsigned long long Milliseconds(const FILETIME& time) {
  return ((static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime) /
         10000;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR arguments, int show) {
  standin::LogCommandLine();
  FILETIME now{};
  GetSystemTimeAsFileTime(&now);
  const std::wstring how =
      L" show " + std::to_wstring(show) + L" args " + std::wstring(arguments ? arguments : L"");
  standin::Log(L"start " + std::to_wstring(Milliseconds(now)) + how);
  FILETIME created{}, exited{}, kernel{}, user{};
  if (GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user))
    standin::Log(L"created " + std::to_wstring(Milliseconds(created)) + how);
  return 0;
}
