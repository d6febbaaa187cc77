// Stands in for an Explorer window: a top-level "CabinetWClass" window with
// the address bar chain msctls_progress32 > "Breadcrumb Parent" >
// ToolbarWindow32 ("地址: <folder>"). Its folder and selection are published
// in a named file mapping "PathoramaShellView.<window>" that the shell window
// collection stand-in (shellwindows.cpp) serves to readers; it navigates when
// that collection hands it a folder (WM_COPYDATA).
// Options: --folder=, --select=a|b (full names), --hosted (the Explorer view
// sits inside a window of another program, class "PathoramaHostFrame"),
// --hang=MS (stops answering for MS milliseconds shortly after the start),
// --tabs=a|b|c (one "ShellTabWindowClass" child per folder, each with its own
// shell window item; only the active one is visible) and --active=N (the
// active tab, from 1; default 1). A tab logs "navigate tab N <folder>".
#include <cstdio>
#include <string>
#include <vector>

#include "standin_common.h"

#include <commctrl.h>

namespace {

constexpr size_t kStateBytes = 65536;
std::wstring folder, selection;
HWND explorer, addressBar;
HANDLE mapping;

struct Tab {
  HWND window;
  HANDLE mapping;
  std::wstring folder;
};
std::vector<Tab> tabs;

// The state that the shell window collection stand-in serves for `window`.
HANDLE CreateState(HWND window) {
  wchar_t name[64];
  swprintf(name, 64, L"PathoramaShellView.%llx",
           static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(window)));
  return CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, kStateBytes, name);
}

void WriteState(HANDLE state, const std::wstring& text) {
  if (!state) return;
  auto* view = static_cast<wchar_t*>(MapViewOfFile(state, FILE_MAP_WRITE, 0, 0, kStateBytes));
  if (!view) return;
  std::wstring t = text;
  t.resize(std::min(t.size(), kStateBytes / sizeof(wchar_t) - 1));
  memcpy(view, t.c_str(), (t.size() + 1) * sizeof(wchar_t));
  UnmapViewOfFile(view);
}

void Publish() {
  SetWindowTextW(addressBar, (L"地址: " + folder).c_str());
  if (!GetParent(explorer)) SetWindowTextW(explorer, folder.c_str());
  WriteState(mapping, folder + L"\n" + selection);
  for (const Tab& tab : tabs) WriteState(tab.mapping, tab.folder + L"\n");
}

LRESULT CALLBACK TabProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_COPYDATA) {
    auto* data = reinterpret_cast<COPYDATASTRUCT*>(lp);
    for (size_t i = 0; i < tabs.size(); ++i) {
      if (tabs[i].window != hwnd) continue;
      tabs[i].folder.assign(static_cast<const wchar_t*>(data->lpData), data->cbData / sizeof(wchar_t));
      standin::Log(L"navigate tab " + std::to_wstring(i + 1) + L" " + tabs[i].folder);
      if (IsWindowVisible(hwnd)) folder = tabs[i].folder;
    }
    Publish();
    return TRUE;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COPYDATA: {
      auto* data = reinterpret_cast<COPYDATASTRUCT*>(lp);
      folder.assign(static_cast<const wchar_t*>(data->lpData), data->cbData / sizeof(wchar_t));
      selection.clear();
      standin::Log(L"navigate " + folder);
      Publish();
      return TRUE;
    }
    case WM_TIMER:
      // --hang=MS: the window stops answering for a while, once.
      KillTimer(hwnd, wp);
      standin::Log(L"hanging");
      Sleep(_wtoi(standin::Option(L"hang").c_str()));
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  standin::LogCommandLine();
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES | ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&icc);
  folder = standin::Option(L"folder", L"C:\\windows");
  selection = standin::ListOption(L"select");
  standin::RegisterPlainClass(L"CabinetWClass", Proc);
  standin::RegisterPlainClass(L"Breadcrumb Parent");
  standin::RegisterPlainClass(L"PathoramaHostFrame", Proc);
  standin::RegisterPlainClass(L"ShellTabWindowClass", TabProc);
  HWND top;
  if (standin::HasFlag(L"hosted")) {
    top = CreateWindowExW(0, L"PathoramaHostFrame", L"Host with an Explorer view (stand-in)",
                          WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 240, 240, 640, 420, nullptr,
                          nullptr, nullptr, nullptr);
    explorer = standin::Child(top, L"CabinetWClass", L"", WS_CLIPCHILDREN, 10, 10, 600, 360);
  } else {
    top = explorer = CreateWindowExW(0, L"CabinetWClass", L"", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                                     30, 30, 640, 420, nullptr, nullptr, nullptr, nullptr);
  }
  HWND progress = standin::Child(explorer, PROGRESS_CLASSW, L"", 0, 10, 6, 560, 28);
  HWND crumbs = standin::Child(progress, L"Breadcrumb Parent", L"", 0, 0, 0, 560, 28);
  addressBar = standin::Child(crumbs, TOOLBARCLASSNAMEW, L"", CCS_NORESIZE | CCS_NOPARENTALIGN, 0, 0,
                              560, 28);
  mapping = CreateState(explorer);
  const std::wstring tabFolders = standin::Option(L"tabs");
  const int active = _wtoi(standin::Option(L"active", L"1").c_str());
  for (size_t start = 0; !tabFolders.empty() && start <= tabFolders.size();) {
    size_t end = tabFolders.find(L'|', start);
    if (end == std::wstring::npos) end = tabFolders.size();
    const bool visible = static_cast<int>(tabs.size()) + 1 == active;
    HWND tab = standin::Child(explorer, L"ShellTabWindowClass", L"", visible ? WS_VISIBLE : 0, 10,
                              40, 580, 300);
    if (!visible) ShowWindow(tab, SW_HIDE);
    tabs.push_back({tab, CreateState(tab), tabFolders.substr(start, end - start)});
    if (visible) folder = tabs.back().folder;
    start = end + 1;
  }
  Publish();
  ShowWindow(top, SW_SHOWNORMAL);
  if (standin::HasFlag(L"hang")) SetTimer(explorer, 1, 300, nullptr);
  return standin::RunMessageLoop();
}
