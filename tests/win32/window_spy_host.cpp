// Shows the window spy (or, with --about, the about box) on its own, for
// looking at them under Wine.
#include <windows.h>

#include <cwchar>

#include "app/win32/about_box.h"
#include "app/win32/window_spy.h"
#include "ui/win32/message_loop.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR args, int) {
  if (args && wcsstr(args, L"--about")) {
    pathorama::app::win32::ShowAboutBox(nullptr);
    return 0;
  }
  pathorama::app::win32::WindowSpy& spy = pathorama::app::win32::WindowSpy::Instance();
  spy.Show();
  MSG msg;
  while (spy.Visible() && GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (pathorama::ui::win32::DispatchToModelessDialog(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
