// Stands in for a program with an ordinary text box: an "EditorStandin"
// window holding one multi-line "Edit" that has the focus.
// Options: --class=NAME (the window class, e.g. Progman for the shell's
// desktop), --text= (the first text), --hang=MS (from 300 ms after the start
// the program stops answering for MS milliseconds), --log-keys (logs
// "char N" for every character the edit receives, N in decimal: Ctrl+D is 4).
#include "standin_common.h"

namespace {

LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_TIMER:
      KillTimer(hwnd, 1);
      standin::Log(L"hanging");
      Sleep(static_cast<DWORD>(_wtoi(standin::Option(L"hang").c_str())));
      return 0;
    case WM_SETFOCUS:
      // As a real editor does: the text box gets the keys again whenever
      // the window is activated, also after another program had the focus.
      if (HWND edit = GetDlgItem(hwnd, 100)) SetFocus(edit);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

WNDPROC editProc = nullptr;

LRESULT CALLBACK KeyLoggingEditProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_CHAR) standin::Log(L"char " + std::to_wstring(wp));
  return CallWindowProcW(editProc, hwnd, msg, wp, lp);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  const std::wstring className = standin::Option(L"class", L"EditorStandin");
  standin::RegisterPlainClass(className.c_str(), Proc);
  HWND main = CreateWindowExW(0, className.c_str(), L"Editor (stand-in)", WS_OVERLAPPEDWINDOW, 120,
                              120, 560, 360, nullptr, nullptr, nullptr, nullptr);
  HWND edit = standin::Child(main, L"Edit", standin::Option(L"text").c_str(),
                             WS_BORDER | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL, 10, 10, 520,
                             290, 100);
  if (standin::HasFlag(L"log-keys"))
    editProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(KeyLoggingEditProc)));
  ShowWindow(main, SW_SHOWNORMAL);
  SetForegroundWindow(main);
  SetFocus(edit);
  if (standin::HasFlag(L"hang")) SetTimer(main, 1, 300, nullptr);
  return standin::RunMessageLoop();
}
