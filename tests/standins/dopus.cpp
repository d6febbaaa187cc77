// Stands in for a Directory Opus lister: a "dopus.lister" window with two
// "dopus.filedisplay" panels. dopusrt.exe hands it its command (WM_COPYDATA);
// "Clipboard SET {sourcepath$}" puts the folder on the clipboard,
// "Clipboard COPYNAMES" the selected names, "Go ..." is logged.
// Options: --folder=, --select=a|b, --quote (folder in double quotes),
// --silent (answers nothing).
#include "standin_common.h"

namespace {

std::wstring folder;

LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COPYDATA: {
      auto* data = reinterpret_cast<COPYDATASTRUCT*>(lp);
      std::wstring command(static_cast<const wchar_t*>(data->lpData), data->cbData / sizeof(wchar_t));
      standin::Log(L"command " + command);
      if (standin::HasFlag(L"silent")) return TRUE;
      if (command.find(L"Clipboard SET {sourcepath$}") != std::wstring::npos) {
        std::wstring text = standin::HasFlag(L"quote") ? L"\"" + folder + L"\"" : folder;
        standin::PutClipboardText(hwnd, text);
      } else if (command.find(L"Clipboard COPYNAMES") != std::wstring::npos) {
        standin::PutClipboardText(hwnd, standin::ListOption(L"select"));
      }
      return TRUE;
    }
    case WM_KILLFOCUS:
    case WM_SETFOCUS:
      standin::Log(msg == WM_KILLFOCUS ? L"killfocus" : L"setfocus");
      break;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  standin::LogCommandLine();
  folder = standin::Option(L"folder", L"C:\\");
  standin::RegisterPlainClass(L"dopus.lister", Proc);
  standin::RegisterPlainClass(L"dopus.filedisplay");
  HWND main = CreateWindowExW(0, L"dopus.lister", L"Directory Opus (stand-in)", WS_OVERLAPPEDWINDOW,
                              90, 90, 640, 420, nullptr, nullptr, nullptr, nullptr);
  standin::Child(main, L"dopus.filedisplay", L"", WS_BORDER, 10, 40, 300, 320);
  standin::Child(main, L"dopus.filedisplay", L"", WS_BORDER, 320, 40, 300, 320);
  ShowWindow(main, SW_SHOWNORMAL);
  return standin::RunMessageLoop();
}
