// Stands in for Total Commander: a "TTOTAL_CMD" window with two file panels
// that answers the command messages WM_USER+51 (2029: source path, 2018:
// selected names, both through the clipboard before the call returns) and
// WM_USER+50 (1, 2: the panels; 1000: 1 when the left panel is active).
// Options: --left= --right= (folders; /L= and /R= set them too), --active=right,
// --select=a|b, --silent (answers nothing), --hang=MS (stalls every command).
#include "standin_common.h"

namespace {

std::wstring leftFolder, rightFolder;
bool leftActive = true;
HWND leftPanel, rightPanel;

LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_USER + 51 || msg == WM_USER + 50) {
    standin::Log(L"message " + std::to_wstring(msg - WM_USER) + L" " + std::to_wstring(wp));
    int hang = _wtoi(standin::Option(L"hang", L"0").c_str());
    if (hang > 0) Sleep(hang);
  }
  switch (msg) {
    case WM_USER + 51:
      if (standin::HasFlag(L"silent")) return 0;
      if (wp == 2029) standin::PutClipboardText(hwnd, leftActive ? leftFolder : rightFolder);
      if (wp == 2018) standin::PutClipboardText(hwnd, standin::ListOption(L"select") + L"\r\n");
      return 0;
    case WM_USER + 50:
      if (wp == 1) return reinterpret_cast<LRESULT>(leftPanel);
      if (wp == 2) return reinterpret_cast<LRESULT>(rightPanel);
      if (wp == 1000) return leftActive ? 1 : 0;
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
  leftFolder = standin::Option(L"left", L"C:\\");
  rightFolder = standin::Option(L"right", L"C:\\windows\\");
  for (const std::wstring& w : standin::Words()) {
    if (w.compare(0, 3, L"/L=") == 0) leftFolder = w.substr(3);
    if (w.compare(0, 3, L"/R=") == 0) rightFolder = w.substr(3);
  }
  leftActive = standin::Option(L"active", L"left") != L"right";
  standin::RegisterPlainClass(L"TTOTAL_CMD", Proc);
  standin::RegisterPlainClass(L"TMyListBox");
  HWND main = CreateWindowExW(0, L"TTOTAL_CMD", L"Total Commander (stand-in)",
                              WS_OVERLAPPEDWINDOW, 60, 60, 640, 420, nullptr, nullptr, nullptr, nullptr);
  leftPanel = standin::Child(main, L"TMyListBox", L"left", WS_BORDER, 10, 40, 300, 320);
  rightPanel = standin::Child(main, L"TMyListBox", L"right", WS_BORDER, 320, 40, 300, 320);
  ShowWindow(main, standin::HasFlag(L"minimized") ? SW_SHOWMINNOACTIVE : SW_SHOWNORMAL);
  return standin::RunMessageLoop();
}
