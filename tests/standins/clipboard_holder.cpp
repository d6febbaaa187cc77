// Stands in for a program that keeps the clipboard open: opens it, creates
// the named event "PathoramaClipboardHeld", keeps it until the named event
// "PathoramaClipboardRelease" is set (at most 60 s) and closes it.
#include "standin_common.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  standin::LogCommandLine();
  standin::RegisterPlainClass(L"PathoramaClipboardHolder");
  HWND owner = CreateWindowExW(0, L"PathoramaClipboardHolder", L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                               nullptr, nullptr, nullptr);
  HANDLE release = CreateEventW(nullptr, TRUE, FALSE, L"PathoramaClipboardRelease");
  if (!OpenClipboard(owner)) return 1;
  HANDLE held = CreateEventW(nullptr, TRUE, TRUE, L"PathoramaClipboardHeld");
  WaitForSingleObject(release, 60000);
  CloseClipboard();
  CloseHandle(held);
  CloseHandle(release);
  return 0;
}
