// Stands in for dopusrt.exe: passes its command line (after the program) to
// the topmost Directory Opus lister and ends.
#include "standin_common.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR args, int) {
  standin::LogCommandLine();
  HWND lister = FindWindowW(L"dopus.lister", nullptr);
  if (!lister) return 1;
  std::wstring command = args ? args : L"";
  COPYDATASTRUCT data{1, static_cast<DWORD>(command.size() * sizeof(wchar_t)),
                      const_cast<wchar_t*>(command.c_str())};
  DWORD_PTR result = 0;
  SendMessageTimeoutW(lister, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG,
                      2000, &result);
  return 0;
}
