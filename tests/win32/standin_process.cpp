#include "standin_process.h"

namespace pathorama::test_support {

std::wstring WindowsPath(const char* unixPath) {
  std::wstring wide = L"Z:";
  for (const char* c = unixPath; *c; ++c) wide += *c == '/' ? L'\\' : static_cast<wchar_t>(*c);
  return wide;
}

std::wstring StandinDir() { return WindowsPath(PATHORAMA_STANDIN_DIR) + L"\\"; }

std::string RunAndCapture(const std::wstring& commandLine, DWORD* exitCode) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE readEnd = nullptr, writeEnd = nullptr;
  if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return {};
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = writeEnd;
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  PROCESS_INFORMATION info{};
  std::wstring line = commandLine;
  BOOL started = CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                &startup, &info);
  CloseHandle(writeEnd);
  std::string out;
  if (started) {
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got > 0) out.append(buffer, got);
    if (WaitForSingleObject(info.hProcess, 60000) != WAIT_OBJECT_0) TerminateProcess(info.hProcess, 1);
    if (exitCode) GetExitCodeProcess(info.hProcess, exitCode);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
  }
  CloseHandle(readEnd);
  return out;
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

bool PumpUntil(const std::function<bool()>& done, int ms) {
  for (int waited = 0;; waited += 50) {
    if (done()) return true;
    if (waited >= ms) return false;
    PumpFor(50);
  }
}

}  // namespace pathorama::test_support
