// Stands in for an Explorer window: a top-level "CabinetWClass" window with
// the address bar chain msctls_progress32 > "Breadcrumb Parent" >
// ToolbarWindow32 ("地址: <folder>"). Its folder and selection are published
// in a named file mapping "PathoramaShellView.<window>" that the shell window
// collection stand-in (shellwindows.cpp) serves to readers; it navigates when
// that collection hands it a folder (WM_COPYDATA).
// Options: --folder=, --select=a|b (full names), --hosted (the Explorer view
// sits inside a window of another program, class "PathoramaHostFrame"),
// --hang=MS (stops answering for MS milliseconds shortly after the start).
#include <cstdio>

#include "standin_common.h"

#include <commctrl.h>

namespace {

constexpr size_t kStateBytes = 65536;
std::wstring folder, selection;
HWND explorer, addressBar;
HANDLE mapping;

void Publish() {
  SetWindowTextW(addressBar, (L"地址: " + folder).c_str());
  if (!GetParent(explorer)) SetWindowTextW(explorer, folder.c_str());
  if (!mapping) return;
  auto* view = static_cast<wchar_t*>(MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, kStateBytes));
  if (!view) return;
  std::wstring state = folder + L"\n" + selection;
  state.resize(std::min(state.size(), kStateBytes / sizeof(wchar_t) - 1));
  memcpy(view, state.c_str(), (state.size() + 1) * sizeof(wchar_t));
  UnmapViewOfFile(view);
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
  wchar_t name[64];
  swprintf(name, 64, L"PathoramaShellView.%llx",
           static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(explorer)));
  mapping = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, kStateBytes, name);
  Publish();
  ShowWindow(top, SW_SHOWNORMAL);
  if (standin::HasFlag(L"hang")) SetTimer(explorer, 1, 300, nullptr);
  return standin::RunMessageLoop();
}
