#include "standin_common.h"

#include <shellapi.h>

namespace standin {

namespace {

std::wstring ProgramPath() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  return path;
}

std::string ToUtf8(const std::wstring& text) {
  int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0,
                              nullptr, nullptr);
  std::string bytes(n, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), bytes.data(), n,
                      nullptr, nullptr);
  return bytes;
}

}  // namespace

void Log(const std::wstring& line) {
  wchar_t env[MAX_PATH] = {};
  std::wstring file = GetEnvironmentVariableW(L"PATHORAMA_STANDIN_LOG", env, MAX_PATH) ? env
                                                                                       : ProgramPath() + L".log";
  std::wstring program = ProgramPath();
  program = program.substr(program.find_last_of(L"\\/") + 1);
  HANDLE h = CreateFileW(file.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return;
  std::string bytes = ToUtf8(program + L": " + line + L"\n");
  DWORD written = 0;
  WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(h);
}

std::vector<std::wstring> Words() {
  int count = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::wstring> words;
  for (int i = 1; argv && i < count; ++i) words.emplace_back(argv[i]);
  LocalFree(argv);
  return words;
}

std::wstring Option(const std::wstring& name, const std::wstring& fallback) {
  std::wstring value = fallback;
  std::wstring prefix = L"--" + name + L"=";
  for (const std::wstring& w : Words())
    if (w.compare(0, prefix.size(), prefix) == 0) value = w.substr(prefix.size());
  return value;
}

bool HasFlag(const std::wstring& name) {
  std::wstring flag = L"--" + name;
  for (const std::wstring& w : Words())
    if (w == flag || w.compare(0, flag.size() + 1, flag + L"=") == 0) return true;
  return false;
}

std::wstring ListOption(const std::wstring& name) {
  std::wstring list = Option(name), out;
  for (wchar_t c : list) {
    if (c == L'|') out += L"\r\n";
    else out += c;
  }
  return out;
}

bool PutClipboardText(HWND owner, const std::wstring& text) {
  for (int attempt = 0; attempt < 20; ++attempt) {
    if (OpenClipboard(owner)) {
      EmptyClipboard();
      HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
      if (block) {
        memcpy(GlobalLock(block), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
        GlobalUnlock(block);
        if (!SetClipboardData(CF_UNICODETEXT, block)) GlobalFree(block);
      }
      CloseClipboard();
      return true;
    }
    Sleep(20);
  }
  return false;
}

HWND Child(HWND parent, const wchar_t* className, const wchar_t* text, DWORD style, int x, int y,
           int w, int h, int id) {
  return CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
                         nullptr);
}

void RegisterPlainClass(const wchar_t* name, WNDPROC proc) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = proc ? proc : DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = name;
  RegisterClassExW(&wc);
}

LRESULT CALLBACK QuitOnDestroyProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

namespace {

struct EditLog {
  WNDPROC previous;
  std::wstring word;
};

LRESULT CALLBACK LoggingEditProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* log = static_cast<EditLog*>(GetPropW(hwnd, L"PathoramaEditLog"));
  if (msg == WM_KEYDOWN && wp == VK_RETURN) {
    wchar_t text[1024] = {};
    GetWindowTextW(hwnd, text, 1024);
    Log(log->word + L" " + text);
  }
  return CallWindowProcW(log->previous, hwnd, msg, wp, lp);
}

}  // namespace

void LogEnterInEdit(HWND edit, const wchar_t* word) {
  auto* log = new EditLog{nullptr, word};  // lives as long as the stand-in
  SetPropW(edit, L"PathoramaEditLog", log);
  log->previous = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(LoggingEditProc)));
}

void LogCommandLine() { Log(L"cmdline: " + std::wstring(GetCommandLineW())); }

int RunMessageLoop() {
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}

}  // namespace standin
