// pathorama.exe: one resident instance per executable name; a later start
// hands its command to that instance and ends.
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "app/startup.h"
#include "app/win32/main_window.h"
#include "app/win32/single_instance.h"
#include "core/win32/wide_text.h"
#include "ui/win32/message_loop.h"

namespace {

std::u16string ExecutablePath() {
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return {};
    if (length < buffer.size()) return pathorama::core::win32::FromWide(buffer.data(), length);
    buffer.resize(buffer.size() * 2);
  }
}

// The arguments after the program name.
std::vector<std::u16string> CommandLineArguments() {
  std::vector<std::u16string> args;
  int count = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!argv) return args;
  for (int i = 1; i < count; ++i) args.push_back(pathorama::core::win32::FromWide(argv[i]));
  LocalFree(argv);
  return args;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
  using namespace pathorama::app;
  const std::u16string exePath = ExecutablePath();
  const std::vector<std::u16string> args = CommandLineArguments();

  win32::SingleInstanceLock lock;
  if (!lock.Acquire(ExecutableFileName(exePath))) return win32::ForwardToRunningInstance(args);

  win32::MainWindow window(instance, exePath, args);
  if (!window.Create()) return 1;
  window.Show();
  pathorama::ui::win32::RunMessageLoop();
  return 0;
}
