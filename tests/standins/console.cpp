// Stands in for a console window: class "ConsoleWindowClass" with an input
// line. --mode=quickedit: a right click pastes the clipboard text into the
// input line. --mode=menu (the default): a right click opens a menu whose
// "P" ("粘贴(&P)") pastes. Typed characters go into the input line; Ctrl+C
// and Esc clear it; Enter logs "command <line>" and clears it. Every paste
// is logged ("paste <text>"). --steal=TEXT: at the right click another
// program's TEXT takes the clipboard first (once).
#include "standin_common.h"

namespace {

constexpr UINT kPasteCommand = 1;
std::wstring input;

std::wstring ClipboardText(HWND owner) {
  std::wstring text;
  for (int attempt = 0; attempt < 20 && !OpenClipboard(owner); ++attempt) Sleep(20);
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
      text = chars;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

void Paste(HWND hwnd) {
  const std::wstring text = ClipboardText(hwnd);
  standin::Log(L"paste " + text);
  input += text;
  SetWindowTextW(hwnd, (L"> " + input).c_str());
}

LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_RBUTTONUP:
      if (static bool stolen = false; !stolen && standin::HasFlag(L"steal")) {
        stolen = true;
        standin::PutClipboardText(hwnd, standin::Option(L"steal"));
      }
      if (standin::Option(L"mode") == L"quickedit") {
        Paste(hwnd);
      } else {
        HMENU menu = CreatePopupMenu();
        AppendMenuW(menu, MF_STRING, kPasteCommand, L"粘贴(&P)");
        POINT at{};
        GetCursorPos(&at);
        SetForegroundWindow(hwnd);
        const UINT chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, hwnd, nullptr);
        DestroyMenu(menu);
        if (chosen == kPasteCommand) Paste(hwnd);
      }
      return 0;
    case WM_KEYDOWN:
      if (wp == VK_RETURN) {
        standin::Log(L"command " + input);
        input.clear();
      } else if (wp == VK_ESCAPE || (wp == 'C' && GetKeyState(VK_CONTROL) < 0)) {
        standin::Log(wp == VK_ESCAPE ? L"escape" : L"interrupt");
        input.clear();
      }
      SetWindowTextW(hwnd, (L"> " + input).c_str());
      return 0;
    case WM_CHAR:
      if (wp >= 0x20) {
        input += static_cast<wchar_t>(wp);
        SetWindowTextW(hwnd, (L"> " + input).c_str());
      }
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
  input = standin::Option(L"typed");
  standin::RegisterPlainClass(L"ConsoleWindowClass", Proc);
  HWND window = CreateWindowExW(0, L"ConsoleWindowClass", L"> ", WS_OVERLAPPEDWINDOW, 120, 120, 560,
                                320, nullptr, nullptr, nullptr, nullptr);
  ShowWindow(window, SW_SHOWNORMAL);
  SetForegroundWindow(window);
  return standin::RunMessageLoop();
}
