#include "standin_process.h"

namespace pathorama::testing {

std::wstring StandinDir() {
  std::string dir = PATHORAMA_STANDIN_DIR;  // a path of the build machine
  std::wstring wide = L"Z:";
  for (char c : dir) wide += c == '/' ? L'\\' : static_cast<wchar_t>(c);
  return wide + L"\\";
}

Standin::Standin(const std::wstring& program, const std::wstring& arguments,
                 const wchar_t* windowClass) {
  std::wstring path = StandinDir() + program;
  std::wstring commandLine = L"\"" + path + L"\" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  if (!CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &info_))
    return;
  if (windowClass) window_ = WaitForWindow(windowClass);
}

namespace {

struct Search {
  DWORD processId;
  const wchar_t* className;
  HWND found;
};

BOOL CALLBACK Match(HWND w, LPARAM param) {
  auto* s = reinterpret_cast<Search*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  wchar_t cls[256] = {};
  GetClassNameW(w, cls, 256);
  if (pid == s->processId && _wcsicmp(cls, s->className) == 0) {
    s->found = w;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

HWND Standin::WaitForWindow(const wchar_t* windowClass, int ms) {
  for (int waited = 0; waited <= ms; waited += 50) {
    Search search{info_.dwProcessId, windowClass, nullptr};
    EnumWindows(Match, reinterpret_cast<LPARAM>(&search));
    if (search.found && IsWindowVisible(search.found)) return search.found;
    Sleep(50);
  }
  return nullptr;
}

Standin::~Standin() {
  if (!info_.hProcess) return;
  if (window_) PostMessageW(window_, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(info_.hProcess, window_ ? 2000 : 0) != WAIT_OBJECT_0) {
    TerminateProcess(info_.hProcess, 1);
    WaitForSingleObject(info_.hProcess, 5000);
  }
  CloseHandle(info_.hThread);
  CloseHandle(info_.hProcess);
}

void PumpFor(int ms) {
  DWORD end = GetTickCount() + ms;
  while (static_cast<int>(end - GetTickCount()) > 0) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    Sleep(10);
  }
}

}  // namespace pathorama::testing
