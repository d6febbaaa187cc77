// A program that only logs how it was started: its command line as Windows
// gave it ("cmdline: ..."), then "start <ms> show <n> args <arguments>":
// the wall-clock time in milliseconds, the show state it was asked for
// (STARTUPINFO wShowWindow; 0 is hidden) and the arguments after its own
// name, exactly as written; then "created <ms>": when the process was
// created, which a slow start of the logger itself does not delay. It ends
// at once.
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
  standin::Log(L"start " + std::to_wstring(Milliseconds(now)) + L" show " + std::to_wstring(show) +
               L" args " + std::wstring(arguments ? arguments : L""));
  FILETIME created{}, exited{}, kernel{}, user{};
  if (GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user))
    standin::Log(L"created " + std::to_wstring(Milliseconds(created)));
  return 0;
}
