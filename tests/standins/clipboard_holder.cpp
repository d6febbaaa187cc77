// Stands in for a program that keeps the clipboard open: opens it, creates
// the named event "PathoramaClipboardHeld", keeps it for --hold=MS and closes it.
#include "standin_common.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  standin::LogCommandLine();
  standin::RegisterPlainClass(L"PathoramaClipboardHolder");
  HWND owner = CreateWindowExW(0, L"PathoramaClipboardHolder", L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                               nullptr, nullptr, nullptr);
  if (!OpenClipboard(owner)) return 1;
  HANDLE held = CreateEventW(nullptr, TRUE, TRUE, L"PathoramaClipboardHeld");
  Sleep(_wtoi(standin::Option(L"hold", L"1000").c_str()));
  CloseClipboard();
  CloseHandle(held);
  return 0;
}
