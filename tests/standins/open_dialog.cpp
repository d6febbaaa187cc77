// Stands in for Open/Save dialogs: a "#32770" window whose file name field
// is an "Edit" inside a "ComboBox" (--mode=file, the classic Open dialog) or
// an "Edit" directly in the dialog (--mode=folder, a folder picker).
// --mode=common shows the system's own Open dialog instead. The file dialog
// has an "Address Band Root" above its name field, as the system's has.
// --mode=common takes --save (the Save dialog), --folder= (the first folder),
// --name= (the first file name) and --log (logs "folder: X" at every folder
// change and "result: ok NAME" or "result: cancel" at the end).
// --mode=file takes --navigate: Enter in the name field then acts as in a
// file dialog: an existing folder is logged as "navigated: X" and the field
// emptied, anything else logged as "confirmed: X"; with --refuse the field is
// left as it is and "refused: X" logged; with --slow=MS the key is acted on
// MS milliseconds after it came. --mode=message shows a message box
// (a "#32770" that is no file dialog).
#include "standin_common.h"

#include <commdlg.h>

namespace {

LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_CLOSE) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

WNDPROC editProc = nullptr;

std::wstring TextOf(HWND window) {
  std::wstring text(GetWindowTextLengthW(window) + 1, L'\0');
  text.resize(GetWindowTextW(window, text.data(), static_cast<int>(text.size())));
  return text;
}

// Acts on the field's text as it is when the dialog gets round to the key.
void HandleEnter(HWND edit) {
  std::wstring text = TextOf(edit);
  DWORD attributes = GetFileAttributesW(text.c_str());
  if (standin::HasFlag(L"refuse")) {
    standin::Log(L"refused: " + text);
  } else if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    standin::Log(L"navigated: " + text);
    SetWindowTextW(edit, L"");
  } else {
    standin::Log(L"confirmed: " + text);
  }
}

void CALLBACK EnterLater(HWND edit, UINT, UINT_PTR id, DWORD) {
  KillTimer(edit, id);
  HandleEnter(edit);
}

LRESULT CALLBACK NavigatingEditProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_KEYDOWN && wp == VK_RETURN) {
    // --slow=MS: a dialog that takes its time (a large folder, a network).
    int slow = _wtoi(standin::Option(L"slow", L"0").c_str());
    if (slow > 0)
      SetTimer(hwnd, 1, static_cast<UINT>(slow), EnterLater);
    else
      HandleEnter(hwnd);
    return 0;
  }
  return CallWindowProcW(editProc, hwnd, msg, wp, lp);
}

UINT_PTR CALLBACK LoggingHook(HWND hook, UINT msg, WPARAM, LPARAM lp) {
  if (msg == WM_NOTIFY && reinterpret_cast<NMHDR*>(lp)->code == CDN_FOLDERCHANGE) {
    wchar_t folder[MAX_PATH] = L"";
    SendMessageW(GetParent(hook), CDM_GETFOLDERPATH, MAX_PATH, reinterpret_cast<LPARAM>(folder));
    standin::Log(std::wstring(L"folder: ") + folder);
  }
  return 0;
}

int RunCommonDialog() {
  wchar_t name[MAX_PATH] = L"";
  std::wstring initialName = standin::Option(L"name");
  initialName.copy(name, MAX_PATH - 1);
  std::wstring folder = standin::Option(L"folder");
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.lpstrFile = name;
  ofn.nMaxFile = MAX_PATH;
  ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  ofn.Flags = OFN_EXPLORER;
  bool log = standin::HasFlag(L"log");
  if (log) {
    ofn.Flags |= OFN_ENABLEHOOK;
    ofn.lpfnHook = LoggingHook;
  }
  BOOL ok = standin::HasFlag(L"save") ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
  if (log) standin::Log(ok ? std::wstring(L"result: ok ") + name : L"result: cancel");
  return 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  standin::LogCommandLine();
  std::wstring mode = standin::Option(L"mode", L"file");
  if (mode == L"common") return RunCommonDialog();
  if (mode == L"message") {
    MessageBoxW(nullptr, L"这不是文件对话框", L"消息", MB_OK);
    return 0;
  }
  bool folder = mode == L"folder";
  HWND dialog = CreateWindowExW(WS_EX_DLGMODALFRAME, L"#32770", folder ? L"浏览文件夹" : L"打开",
                                WS_POPUP | WS_CAPTION | WS_SYSMENU, 200, 200, 460, 160, nullptr,
                                nullptr, nullptr, nullptr);
  SetWindowLongPtrW(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Proc));
  standin::RegisterPlainClass(L"Address Band Root");
  if (!folder) standin::Child(dialog, L"Address Band Root", L"", 0, 100, 0, 330, 16);
  standin::Child(dialog, L"Static", folder ? L"文件夹:" : L"文件名(&N):", 0, 10, 20, 90, 20);
  if (folder) {
    standin::Child(dialog, L"Edit", L"", WS_BORDER | WS_TABSTOP, 100, 18, 330, 24, 1152);
  } else {
    HWND combo =
        standin::Child(dialog, L"ComboBox", L"", CBS_DROPDOWN | WS_TABSTOP, 100, 18, 330, 200, 1148);
    HWND edit = FindWindowExW(combo, nullptr, L"Edit", nullptr);
    if (edit && standin::HasFlag(L"navigate"))
      editProc = reinterpret_cast<WNDPROC>(
          SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(NavigatingEditProc)));
  }
  standin::Child(dialog, L"Button", L"确定", BS_DEFPUSHBUTTON | WS_TABSTOP, 250, 80, 80, 26, IDOK);
  standin::Child(dialog, L"Button", L"取消", WS_TABSTOP, 340, 80, 80, 26, IDCANCEL);
  ShowWindow(dialog, SW_SHOWNORMAL);
  SetForegroundWindow(dialog);
  return standin::RunMessageLoop();
}
