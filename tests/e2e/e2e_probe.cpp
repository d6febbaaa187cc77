// e2e_probe.exe: looks at and drives the running pathorama.exe from inside
// Wine for the end-to-end scenarios. Prints UTF-8; exit code 0 on success,
// 1 when the window or value asked for is not there, 2 for a wrong call.
//
//   window            hwnd, left, top, right, bottom and caption of the main window
//   count-windows     top-level windows of class TfrmPathorama
//   popups            left, top, right and bottom of every shown popup menu
//                     window (class "#32768"), one per line
//   zorder            class, handle, left, top, right, bottom and caption of every
//                     shown top-level window, topmost first, separated by tabs
//   box-text CAPTION  the text of the shown dialog box (class "#32770") titled
//                     CAPTION, its static texts joined, CR written as \r and LF as \n
//   press-button CAPTION ID
//                     clicks the button with the control ID in that box
//   file-name-field   the text of the file-name field of the topmost shown
//                     Open/Save dialog
//   get-clipboard     the clipboard's text
//   foreground        class, a tab and caption of the foreground window
//   close-class CLASS WM_CLOSE to every top-level window of CLASS; 1 when none
//   count-processes NAME
//   send MESSAGE      SendMessageTimeout to the main window, prints the result
//   close             WM_CLOSE to the main window
//   menu-command ID   posts WM_COMMAND ID to the main window (a menu item chosen)
//   now-ms            wall-clock milliseconds (FILETIME / 10,000), as the start logger writes
//   start-stamped PROGRAM [ARGS]
//                     prints the wall-clock milliseconds, then starts PROGRAM
//   press-stamped MODIFIERS KEY
//                     as press, printing the wall-clock milliseconds of the injection
//   time-menu GROUPS ITEMS
//                     the floor of a popup: milliseconds from TrackPopupMenu of a
//                     prepared menu (GROUPS submenus of ITEMS entries) until it is up
//   atoms             the hotkey atoms that exist, one per line
//   reg KEY [VALUE]   a per-user string value (default value when VALUE is omitted)
//   clipboard-watch FILE SECONDS
//                     joins the clipboard-viewer chain for SECONDS and appends a
//                     line to FILE for every WM_DRAWCLIPBOARD that reaches it
//   set-clipboard TEXT
//   hold FILE SECONDS  opens FILE without sharing it, prints "held", keeps it
//                     open for SECONDS (a program holding the settings file)
//   hold-hotkey MODIFIERS KEY SECONDS
//                     registers the hotkey (RegisterHotKey's MOD_ bits and virtual
//                     key), prints "held", keeps it for SECONDS (a program that
//                     took the program's shortcut first)
//   try-hotkey MODIFIERS KEY
//                     prints "free" when the hotkey could be registered now (it is
//                     released again at once), "taken" when another program has it
//   class-window CLASS hwnd, left, top, right and bottom of the topmost shown
//                     top-level window of CLASS
//   message-boxes     caption, a tab and the static texts (joined by "|") of every
//                     shown top-level dialog (class "#32770"), one per line
//   pings SECONDS     for SECONDS, every 100 ms: the wall-clock milliseconds of a
//                     WM_NULL sent to the main window and "answered" or
//                     "unanswered" (no answer within one second), one per line
//   front CLASS       brings the top-level window of CLASS to the front and waits
//                     until its thread has handled the activation
//   press MODIFIERS KEY [TIMES]
//                     SendInput of the combination (MOD_ bits: 1 Alt, 2 Ctrl, 4 Shift),
//                     TIMES times in one go (a key pressed twice within milliseconds)
//   set-text CLASS TEXT
//                     sets the text of the first "Edit" of the window of CLASS
//   select CLASS START END
//                     selects START..END in the first "Edit" of the window of CLASS
//   time-popup MODIFIERS KEY SECONDS
//                     presses the combination and prints the milliseconds until a
//                     popup menu is shown (exit 1 when none within SECONDS)
//   set-big-clipboard MEGABYTES
//                     puts that much Unicode text on the clipboard
//   find-window TITLE hwnd, class and left top right bottom of the shown top-level
//                     window titled TITLE
//   click TITLE CAPTION
//                     clicks the shown button captioned CAPTION (e.g. "否(&N)") in the
//                     window titled TITLE
//   tree-row TITLE ID ROW
//                     x and y on the screen of the middle of row ROW (from 0) of
//                     the tree view with control ID in the dialog titled TITLE
//   item-center TITLE ID
//                     x and y on the screen of the middle of the control with ID
//                     in the dialog titled TITLE
//   set-text-in TITLE TEXT
//                     sets the text of the first "Edit" of the dialog titled TITLE
//   edit-text CLASS   the text of the first "Edit" in the top-level window of CLASS
//   control-rect CLASS MESSAGE WPARAM
//                     left, top, right, bottom of the window that the top-level
//                     window of CLASS returns for MESSAGE (WPARAM, 0)
#include <windows.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

namespace {

constexpr wchar_t kClass[] = L"TfrmPathorama";

void Print(const std::wstring& text) {
  int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr,
                                 0, nullptr, nullptr);
  std::string bytes(size, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), bytes.data(), size,
                      nullptr, nullptr);
  bytes.push_back('\n');
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), bytes.data(), static_cast<DWORD>(bytes.size()),
            &written, nullptr);
}

BOOL CALLBACK CountWindow(HWND hwnd, LPARAM counter) {
  wchar_t name[256] = {};
  GetClassNameW(hwnd, name, 256);
  if (wcscmp(name, kClass) == 0) ++*reinterpret_cast<int*>(counter);
  return TRUE;
}

std::wstring watchFile;
HWND nextViewer = nullptr;

LRESULT CALLBACK WatchProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_DRAWCLIPBOARD: {
      HANDLE file = CreateFileW(watchFile.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                                OPEN_ALWAYS, 0, nullptr);
      if (file != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        WriteFile(file, "draw\n", 5, &written, nullptr);
        CloseHandle(file);
      }
      if (nextViewer) SendMessageW(nextViewer, message, wParam, lParam);
      return 0;
    }
    case WM_CHANGECBCHAIN:
      if (reinterpret_cast<HWND>(wParam) == nextViewer)
        nextViewer = reinterpret_cast<HWND>(lParam);
      else if (nextViewer)
        SendMessageW(nextViewer, message, wParam, lParam);
      return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

int WatchClipboard(const wchar_t* file, int seconds) {
  watchFile = file;
  WNDCLASSW wc{};
  wc.lpfnWndProc = WatchProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"PathoramaE2eClipboardWatch";
  RegisterClassW(&wc);
  HWND hwnd = CreateWindowW(wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                            wc.hInstance, nullptr);
  if (!hwnd) return 1;
  nextViewer = SetClipboardViewer(hwnd);
  SetTimer(hwnd, 1, seconds * 1000, nullptr);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (msg.message == WM_TIMER) break;
    DispatchMessageW(&msg);
  }
  ChangeClipboardChain(hwnd, nextViewer);
  DestroyWindow(hwnd);
  return 0;
}

// A window of this process for RegisterHotKey.
HWND HotKeyWindow() {
  return CreateWindowW(L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                       GetModuleHandleW(nullptr), nullptr);
}

int SetClipboardText(const wchar_t* text) {
  size_t bytes = (wcslen(text) + 1) * sizeof(wchar_t);
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (!block) return 1;
  memcpy(GlobalLock(block), text, bytes);
  GlobalUnlock(block);
  for (int attempt = 0; attempt < 50; ++attempt) {
    if (OpenClipboard(nullptr)) {
      EmptyClipboard();
      bool ok = SetClipboardData(CF_UNICODETEXT, block) != nullptr;
      CloseClipboard();
      if (!ok) GlobalFree(block);
      return ok ? 0 : 1;
    }
    Sleep(20);
  }
  GlobalFree(block);
  return 1;
}

// Text of another process's control, with a bounded wait.
std::wstring ControlText(HWND control) {
  wchar_t text[4096] = {};
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutW(control, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(text),
                           SMTO_ABORTIFHUNG, 5000, &copied))
    return L"";
  return text;
}

std::wstring ClassOf(HWND hwnd) {
  wchar_t name[256] = {};
  GetClassNameW(hwnd, name, 256);
  return name;
}

// The shown top-level dialog box titled `caption`; null when there is none.
HWND FindDialogBox(const wchar_t* caption) {
  for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
    if (ClassOf(w) != L"#32770" || !IsWindowVisible(w)) continue;
    wchar_t title[512] = {};
    GetWindowTextW(w, title, 512);
    if (wcscmp(title, caption) == 0) return w;
  }
  return nullptr;
}

BOOL CALLBACK JoinStaticText(HWND hwnd, LPARAM joined) {
  if (_wcsicmp(ClassOf(hwnd).c_str(), L"Static") != 0) return TRUE;
  *reinterpret_cast<std::wstring*>(joined) += ControlText(hwnd);
  return TRUE;
}

// CR and LF made visible, so that a line-based reader keeps them.
std::wstring Escaped(const std::wstring& text) {
  std::wstring shown;
  for (wchar_t c : text) {
    if (c == L'\r') shown += L"\\r";
    else if (c == L'\n') shown += L"\\n";
    else shown += c;
  }
  return shown;
}

// The file-name field of an Open/Save dialog: the first shown edit of a
// combo box that sits in the dialog, directly or in an extended combo box.
BOOL CALLBACK FindFileNameField(HWND hwnd, LPARAM found) {
  auto& field = *reinterpret_cast<HWND*>(found);
  if (ClassOf(hwnd) != L"Edit" || !IsWindowVisible(hwnd)) return TRUE;
  HWND combo = GetParent(hwnd);
  HWND holder = GetParent(combo);
  if (ClassOf(holder) == L"ComboBoxEx32") holder = GetParent(holder);
  if (ClassOf(combo) == L"ComboBox" && ClassOf(holder) == L"#32770") {
    field = hwnd;
    return FALSE;
  }
  return TRUE;
}

HWND FileNameField(HWND dialog) {
  HWND field = nullptr;
  EnumChildWindows(dialog, FindFileNameField, reinterpret_cast<LPARAM>(&field));
  return field;
}

int GetClipboardTextOut() {
  for (int attempt = 0; attempt < 50; ++attempt) {
    if (OpenClipboard(nullptr)) {
      std::wstring text;
      bool found = false;
      if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
          text = chars;
          found = true;
          GlobalUnlock(data);
        }
      }
      CloseClipboard();
      if (!found) return 1;
      Print(text);
      return 0;
    }
    Sleep(20);
  }
  return 1;
}

BOOL CALLBACK PrintPopup(HWND hwnd, LPARAM) {
  wchar_t name[256] = {};
  GetClassNameW(hwnd, name, 256);
  if (wcscmp(name, L"#32768") != 0 || !IsWindowVisible(hwnd)) return TRUE;
  RECT r{};
  GetWindowRect(hwnd, &r);
  Print(std::to_wstring(r.left) + L" " + std::to_wstring(r.top) + L" " + std::to_wstring(r.right) +
        L" " + std::to_wstring(r.bottom));
  return TRUE;
}

BOOL CALLBACK AppendStaticText(HWND hwnd, LPARAM texts) {
  wchar_t name[64] = {};
  GetClassNameW(hwnd, name, 64);
  if (_wcsicmp(name, L"Static") != 0 || !IsWindowVisible(hwnd)) return TRUE;
  wchar_t text[2048] = {};
  GetWindowTextW(hwnd, text, 2048);
  if (!*text) return TRUE;
  auto& joined = *reinterpret_cast<std::wstring*>(texts);
  if (!joined.empty()) joined += L"|";
  joined += text;
  return TRUE;
}

BOOL CALLBACK PrintMessageBox(HWND hwnd, LPARAM) {
  wchar_t name[64] = {};
  GetClassNameW(hwnd, name, 64);
  if (wcscmp(name, L"#32770") != 0 || !IsWindowVisible(hwnd)) return TRUE;
  wchar_t caption[512] = {};
  GetWindowTextW(hwnd, caption, 512);
  std::wstring texts;
  EnumChildWindows(hwnd, AppendStaticText, reinterpret_cast<LPARAM>(&texts));
  // One line per box: line breaks of the message become spaces.
  for (wchar_t& c : texts)
    if (c == L'\r' || c == L'\n') c = L' ';
  Print(std::wstring(caption) + L"\t" + texts);
  return TRUE;
}

unsigned long long WallClockMs() {
  FILETIME now{};
  GetSystemTimeAsFileTime(&now);
  return ((static_cast<unsigned long long>(now.dwHighDateTime) << 32) | now.dwLowDateTime) / 10000;
}

struct TitleSearch {
  const wchar_t* title;
  HWND found;
};

BOOL CALLBACK FindByTitle(HWND hwnd, LPARAM param) {
  auto* search = reinterpret_cast<TitleSearch*>(param);
  wchar_t title[512] = {};
  GetWindowTextW(hwnd, title, 512);
  if (IsWindowVisible(hwnd) && wcscmp(title, search->title) == 0) {
    search->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

HWND WindowTitled(const wchar_t* title) {
  TitleSearch search{title, nullptr};
  EnumWindows(FindByTitle, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

void AddKey(std::vector<INPUT>& inputs, WORD key, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  inputs.push_back(input);
}

BOOL CALLBACK FindShownPopup(HWND hwnd, LPARAM found) {
  wchar_t name[64] = {};
  GetClassNameW(hwnd, name, 64);
  if (wcscmp(name, L"#32768") == 0 && IsWindowVisible(hwnd)) {
    *reinterpret_cast<bool*>(found) = true;
    return FALSE;
  }
  return TRUE;
}

bool PopupShown() {
  bool found = false;
  EnumWindows(FindShownPopup, reinterpret_cast<LPARAM>(&found));
  return found;
}

// Wall-clock milliseconds (FILETIME / 10,000): the unit the start logger
// writes, so the two can be subtracted.
unsigned long long WallMilliseconds() {
  FILETIME now{};
  GetSystemTimeAsFileTime(&now);
  return ((static_cast<unsigned long long>(now.dwHighDateTime) << 32) | now.dwLowDateTime) / 10000;
}

// The floor of a popup's showing: a prepared menu of `groups` submenus of
// `items` entries each (or `items` entries when `groups` is 0) tracked by a
// window of this process; the time from TrackPopupMenu until the menu is
// up and idle, in milliseconds.
double TimeMenu(int groups, int items) {
  static LARGE_INTEGER frequency{}, start{};
  static double shownMs = -1;
  QueryPerformanceFrequency(&frequency);
  WNDCLASSW windowClass{};
  windowClass.lpszClassName = L"PathoramaMenuFloor";
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpfnWndProc = [](HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
    if (message == WM_ENTERIDLE && shownMs < 0) {
      LARGE_INTEGER now{};
      QueryPerformanceCounter(&now);
      shownMs = (now.QuadPart - start.QuadPart) * 1000.0 / frequency.QuadPart;
      EndMenu();
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
  };
  RegisterClassW(&windowClass);
  HWND owner = CreateWindowExW(WS_EX_TOOLWINDOW, L"PathoramaMenuFloor", L"", WS_POPUP | WS_VISIBLE,
                               0, 0, 1, 1, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  HMENU menu = CreatePopupMenu();
  int id = 1;
  auto caption = [](int n) { return L"条目 " + std::to_wstring(n); };
  if (groups == 0) {
    for (int i = 0; i < items; ++i) AppendMenuW(menu, MF_STRING, id++, caption(id).c_str());
  } else {
    for (int g = 0; g < groups; ++g) {
      HMENU sub = CreatePopupMenu();
      for (int i = 0; i < items; ++i) AppendMenuW(sub, MF_STRING, id++, caption(id).c_str());
      AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), (L"分组 " + std::to_wstring(g)).c_str());
    }
  }
  SetForegroundWindow(owner);
  shownMs = -1;
  QueryPerformanceCounter(&start);
  TrackPopupMenu(menu, TPM_RETURNCMD | TPM_LEFTALIGN, 400, 300, 0, owner, nullptr);
  DestroyMenu(menu);
  DestroyWindow(owner);
  return shownMs;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return 2;
  std::wstring command = argv[1];
  HWND main = FindWindowW(kClass, nullptr);

  if (command == L"window") {
    if (!main) return 1;
    RECT r{};
    GetWindowRect(main, &r);
    wchar_t caption[256] = {};
    GetWindowTextW(main, caption, 256);
    Print(std::to_wstring(reinterpret_cast<uintptr_t>(main)) + L" " + std::to_wstring(r.left) +
          L" " + std::to_wstring(r.top) + L" " + std::to_wstring(r.right) + L" " +
          std::to_wstring(r.bottom) + L" " + (IsWindowVisible(main) ? L"visible" : L"hidden") +
          L" " + caption);
    return 0;
  }
  if (command == L"count-windows") {
    int count = 0;
    EnumWindows(CountWindow, reinterpret_cast<LPARAM>(&count));
    Print(std::to_wstring(count));
    return 0;
  }
  if (command == L"popups") {
    EnumWindows(PrintPopup, 0);
    return 0;
  }
  if (command == L"zorder") {
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
      if (!IsWindowVisible(w)) continue;
      wchar_t title[256] = {};
      GetWindowTextW(w, title, 256);
      RECT r{};
      GetWindowRect(w, &r);
      Print(ClassOf(w) + L"\t" + std::to_wstring(reinterpret_cast<uintptr_t>(w)) + L"\t" +
            std::to_wstring(r.left) + L"\t" + std::to_wstring(r.top) + L"\t" +
            std::to_wstring(r.right) + L"\t" + std::to_wstring(r.bottom) + L"\t" + title);
    }
    return 0;
  }
  if (command == L"box-text" && argc == 3) {
    HWND box = FindDialogBox(argv[2]);
    if (!box) return 1;
    std::wstring text;
    EnumChildWindows(box, JoinStaticText, reinterpret_cast<LPARAM>(&text));
    Print(Escaped(text));
    return 0;
  }
  if (command == L"press-button" && argc == 4) {
    HWND box = FindDialogBox(argv[2]);
    int id = _wtoi(argv[3]);
    HWND button = box ? GetDlgItem(box, id) : nullptr;
    if (!button) return 1;
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
    return 0;
  }
  if (command == L"file-name-field") {
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
      if (ClassOf(w) != L"#32770" || !IsWindowVisible(w)) continue;
      if (HWND field = FileNameField(w)) {
        Print(ControlText(field));
        return 0;
      }
    }
    return 1;
  }
  if (command == L"get-clipboard") return GetClipboardTextOut();
  if (command == L"close-class" && argc == 3) {
    bool any = false;
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
      if (_wcsicmp(ClassOf(w).c_str(), argv[2]) != 0) continue;
      PostMessageW(w, WM_CLOSE, 0, 0);
      any = true;
    }
    return any ? 0 : 1;
  }
  if (command == L"foreground") {
    HWND w = GetForegroundWindow();
    if (!w) return 1;
    wchar_t title[256] = {};
    GetWindowTextW(w, title, 256);
    Print(ClassOf(w) + L"\t" + title);
    return 0;
  }
  if (command == L"count-processes" && argc == 3) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return 1;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    int count = 0;
    for (BOOL more = Process32FirstW(snapshot, &entry); more;
         more = Process32NextW(snapshot, &entry))
      if (_wcsicmp(entry.szExeFile, argv[2]) == 0) ++count;
    CloseHandle(snapshot);
    Print(std::to_wstring(count));
    return 0;
  }
  if (command == L"send" && argc == 3) {
    if (!main) return 1;
    UINT message = static_cast<UINT>(wcstoul(argv[2], nullptr, 0));
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(main, message, 0, 0, SMTO_ABORTIFHUNG, 20000, &result)) return 1;
    Print(std::to_wstring(result));
    return 0;
  }
  if (command == L"now-ms") {
    Print(std::to_wstring(WallMilliseconds()));
    return 0;
  }
  if (command == L"start-stamped" && argc >= 3) {
    // The wall-clock milliseconds, then the program started (not waited for).
    std::wstring line = L"\"" + std::wstring(argv[2]) + L"\"";
    for (int i = 3; i < argc; ++i) line += L" " + std::wstring(argv[i]);
    // Detached and without the probe's standard handles: under Wine the
    // program would otherwise hold the caller's output pipe open.
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    PROCESS_INFORMATION process{};
    const unsigned long long stamp = WallMilliseconds();
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, DETACHED_PROCESS, nullptr,
                        nullptr, &startup, &process))
      return 1;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    Print(std::to_wstring(stamp));
    return 0;
  }
  if (command == L"time-menu" && argc == 4) {
    const double ms = TimeMenu(_wtoi(argv[2]), _wtoi(argv[3]));
    if (ms < 0) return 1;
    wchar_t text[32];
    swprintf(text, 32, L"%.1f", ms);
    Print(text);
    return 0;
  }
  if (command == L"menu-command" && argc == 3) {
    // A menu item of the main window chosen: WM_COMMAND with its ID.
    if (!main) return 1;
    PostMessageW(main, WM_COMMAND, static_cast<WPARAM>(_wtoi(argv[2])), 0);
    return 0;
  }
  if (command == L"close") {
    if (!main) return 1;
    PostMessageW(main, WM_CLOSE, 0, 0);
    return 0;
  }
  if (command == L"atoms") {
    const wchar_t* names[] = {L"GloabalHotKey_JumpMenu1", L"GloabalHotKey_JumpMenu2",
                              L"GloabalHotKey_OpenSaveDialog",
                              L"GloabalHotKey_CaptureOfficeFolderPath"};
    for (const wchar_t* name : names)
      if (GlobalFindAtomW(name)) Print(name);
    return 0;
  }
  if (command == L"reg" && (argc == 3 || argc == 4)) {
    wchar_t data[2048] = {};
    DWORD size = sizeof(data);
    LSTATUS status = RegGetValueW(HKEY_CURRENT_USER, argv[2], argc == 4 ? argv[3] : nullptr,
                                  RRF_RT_REG_SZ, nullptr, data, &size);
    if (status != ERROR_SUCCESS) return 1;
    Print(data);
    return 0;
  }
  if (command == L"clipboard-watch" && argc == 4) return WatchClipboard(argv[2], _wtoi(argv[3]));
  if (command == L"set-clipboard" && argc == 3) return SetClipboardText(argv[2]);
  if (command == L"hold" && argc == 4) {
    HANDLE file = CreateFileW(argv[2], GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    Print(L"held");
    Sleep(static_cast<DWORD>(_wtoi(argv[3])) * 1000);
    CloseHandle(file);
    return 0;
  }
  if (command == L"hold-hotkey" && argc == 5) {
    HWND window = HotKeyWindow();
    UINT modifiers = static_cast<UINT>(wcstoul(argv[2], nullptr, 0));
    UINT key = static_cast<UINT>(wcstoul(argv[3], nullptr, 0));
    if (!window || !RegisterHotKey(window, 1, modifiers, key)) return 1;
    Print(L"held");
    Sleep(static_cast<DWORD>(_wtoi(argv[4])) * 1000);
    UnregisterHotKey(window, 1);
    return 0;
  }
  if (command == L"try-hotkey" && argc == 4) {
    HWND window = HotKeyWindow();
    if (!window) return 1;
    UINT modifiers = static_cast<UINT>(wcstoul(argv[2], nullptr, 0));
    UINT key = static_cast<UINT>(wcstoul(argv[3], nullptr, 0));
    bool free = RegisterHotKey(window, 1, modifiers, key) != FALSE;
    if (free) UnregisterHotKey(window, 1);
    Print(free ? L"free" : L"taken");
    return 0;
  }
  if (command == L"class-window" && argc == 3) {
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
      wchar_t name[256] = {};
      GetClassNameW(w, name, 256);
      if (_wcsicmp(name, argv[2]) != 0 || !IsWindowVisible(w)) continue;
      RECT r{};
      GetWindowRect(w, &r);
      Print(std::to_wstring(reinterpret_cast<uintptr_t>(w)) + L" " + std::to_wstring(r.left) +
            L" " + std::to_wstring(r.top) + L" " + std::to_wstring(r.right) + L" " +
            std::to_wstring(r.bottom));
      return 0;
    }
    return 1;
  }
  if (command == L"message-boxes") {
    EnumWindows(PrintMessageBox, 0);
    return 0;
  }
  if (command == L"pings" && argc == 3) {
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(_wtoi(argv[2])) * 1000;
    while (GetTickCount64() < end) {
      HWND window = FindWindowW(kClass, nullptr);
      const unsigned long long sent = WallClockMs();
      DWORD_PTR result = 0;
      const bool answered = window && SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG,
                                                          1000, &result);
      Print(std::to_wstring(sent) + (answered ? L" answered" : L" unanswered"));
      Sleep(100);
    }
    return 0;
  }
  if (command == L"front" && argc == 3) {
    HWND window = FindWindowW(argv[2], nullptr);
    if (!window) return 1;
    SwitchToThisWindow(window, TRUE);
    SetForegroundWindow(window);
    Sleep(200);
    // The window's thread has handled what the activation queued (its
    // message loop ran) before anyone types into it.
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result);
    return GetForegroundWindow() == window ? 0 : 1;
  }
  if ((command == L"press" && (argc == 4 || argc == 5)) ||
      (command == L"press-stamped" && argc == 4) || (command == L"time-popup" && argc == 5)) {
    UINT modifiers = static_cast<UINT>(wcstoul(argv[2], nullptr, 0));
    WORD key = static_cast<WORD>(wcstoul(argv[3], nullptr, 0));
    int times = command == L"press" && argc == 5 ? _wtoi(argv[4]) : 1;
    std::vector<INPUT> inputs;
    for (int i = 0; i < times; ++i) {
      if (modifiers & MOD_ALT) AddKey(inputs, VK_MENU, false);
      if (modifiers & MOD_CONTROL) AddKey(inputs, VK_CONTROL, false);
      if (modifiers & MOD_SHIFT) AddKey(inputs, VK_SHIFT, false);
      AddKey(inputs, key, false);
      AddKey(inputs, key, true);
      if (modifiers & MOD_SHIFT) AddKey(inputs, VK_SHIFT, true);
      if (modifiers & MOD_CONTROL) AddKey(inputs, VK_CONTROL, true);
      if (modifiers & MOD_ALT) AddKey(inputs, VK_MENU, true);
    }
    LARGE_INTEGER frequency{}, start{}, now{};
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    const unsigned long long stamp = WallMilliseconds();
    UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    if (sent != inputs.size()) return 1;
    if (command == L"press") return 0;
    if (command == L"press-stamped") {
      Print(std::to_wstring(stamp));
      return 0;
    }
    const double limitMs = _wtoi(argv[4]) * 1000.0;
    for (;;) {
      QueryPerformanceCounter(&now);
      const double ms = (now.QuadPart - start.QuadPart) * 1000.0 / frequency.QuadPart;
      if (PopupShown()) {
        wchar_t text[32];
        swprintf(text, 32, L"%.1f", ms);
        Print(text);
        return 0;
      }
      if (ms > limitMs) return 1;
      Sleep(1);
    }
  }
  if (command == L"set-text" && argc == 4) {
    HWND window = FindWindowW(argv[2], nullptr);
    HWND edit = window ? FindWindowExW(window, nullptr, L"Edit", nullptr) : nullptr;
    DWORD_PTR result = 0;
    return edit && SendMessageTimeoutW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[3]),
                                       SMTO_ABORTIFHUNG, 5000, &result)
               ? 0
               : 1;
  }
  if (command == L"select" && argc == 5) {
    HWND window = FindWindowW(argv[2], nullptr);
    HWND edit = window ? FindWindowExW(window, nullptr, L"Edit", nullptr) : nullptr;
    if (!edit) return 1;
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(edit, EM_SETSEL, _wtoi(argv[3]), _wtoi(argv[4]), SMTO_ABORTIFHUNG,
                               5000, &result)
               ? 0
               : 1;
  }
  if (command == L"set-big-clipboard" && argc == 3) {
    const size_t chars = static_cast<size_t>(_wtoi(argv[2])) * 1024 * 1024 / sizeof(wchar_t);
    std::wstring text(chars, L'x');
    for (size_t i = 79; i < chars; i += 80) text[i] = L'\n';
    return SetClipboardText(text.c_str());
  }
  if (command == L"find-window" && argc == 3) {
    HWND window = WindowTitled(argv[2]);
    if (!window) return 1;
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    RECT r{};
    GetWindowRect(window, &r);
    Print(std::to_wstring(reinterpret_cast<uintptr_t>(window)) + L" " + name + L" " +
          std::to_wstring(r.left) + L" " + std::to_wstring(r.top) + L" " +
          std::to_wstring(r.right) + L" " + std::to_wstring(r.bottom));
    return 0;
  }
  if (command == L"click" && argc == 4) {
    HWND window = WindowTitled(argv[2]);
    if (!window) return 1;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      wchar_t caption[256] = {};
      GetWindowTextW(child, caption, 256);
      if (wcscmp(caption, argv[3]) != 0 || !IsWindowVisible(child)) continue;
      PostMessageW(window, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(child), BN_CLICKED),
                   reinterpret_cast<LPARAM>(child));
      return 0;
    }
    return 1;
  }
  if (command == L"tree-row" && argc == 5) {
    // The screen point at the middle of row ROW (from 0, as shown) of the
    // tree view with control ID in the dialog titled argv[2].
    HWND box = FindDialogBox(argv[2]);
    HWND tree = box ? GetDlgItem(box, _wtoi(argv[3])) : nullptr;
    if (!tree) return 1;
    DWORD_PTR height = 0;
    if (!SendMessageTimeoutW(tree, 0x111C /* TVM_GETITEMHEIGHT */, 0, 0, SMTO_ABORTIFHUNG, 5000,
                             &height) ||
        !height)
      return 1;
    RECT client{};
    GetClientRect(tree, &client);
    POINT at{client.left + 40, static_cast<LONG>(_wtoi(argv[4]) * height + height / 2)};
    ClientToScreen(tree, &at);
    Print(std::to_wstring(at.x) + L" " + std::to_wstring(at.y));
    return 0;
  }
  if (command == L"item-center" && argc == 4) {
    HWND box = FindDialogBox(argv[2]);
    HWND item = box ? GetDlgItem(box, _wtoi(argv[3])) : nullptr;
    if (!item) return 1;
    RECT r{};
    GetWindowRect(item, &r);
    Print(std::to_wstring((r.left + r.right) / 2) + L" " + std::to_wstring((r.top + r.bottom) / 2));
    return 0;
  }
  if (command == L"set-text-in" && argc == 4) {
    // The first edit box of the dialog titled argv[2].
    HWND box = FindDialogBox(argv[2]);
    HWND edit = box ? FindWindowExW(box, nullptr, L"Edit", nullptr) : nullptr;
    DWORD_PTR result = 0;
    return edit && SendMessageTimeoutW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[3]),
                                       SMTO_ABORTIFHUNG, 5000, &result)
               ? 0
               : 1;
  }
  if (command == L"edit-text" && argc == 3) {
    HWND window = FindWindowW(argv[2], nullptr);
    HWND edit = window ? FindWindowExW(window, nullptr, L"Edit", nullptr) : nullptr;
    if (!edit) return 1;
    wchar_t text[2048] = {};
    DWORD_PTR got = 0;
    if (!SendMessageTimeoutW(edit, WM_GETTEXT, 2048, reinterpret_cast<LPARAM>(text),
                             SMTO_ABORTIFHUNG, 5000, &got))
      return 1;
    Print(text);
    return 0;
  }
  if ((command == L"descendant-rect" || command == L"descendant-text") && argc == 4) {
    // A control with this ID anywhere inside the dialog titled argv[2]
    // (also on a page that is a dialog of its own): its screen rectangle,
    // or its text.
    HWND box = FindDialogBox(argv[2]);
    if (!box) return 1;
    struct Search {
      int id;
      HWND found;
    } search{_wtoi(argv[3]), nullptr};
    EnumChildWindows(
        box,
        [](HWND child, LPARAM param) -> BOOL {
          auto* s = reinterpret_cast<Search*>(param);
          if (GetDlgCtrlID(child) != s->id) return TRUE;
          s->found = child;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    if (!search.found) return 1;
    if (command == L"descendant-text") {
      Print(ControlText(search.found));
      return 0;
    }
    RECT r{};
    GetWindowRect(search.found, &r);
    Print(std::to_wstring(r.left) + L" " + std::to_wstring(r.top) + L" " +
          std::to_wstring(r.right) + L" " + std::to_wstring(r.bottom));
    return 0;
  }
  if (command == L"control-rect" && argc == 5) {
    HWND window = FindWindowW(argv[2], nullptr);
    if (!window) return 1;
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, static_cast<UINT>(wcstoul(argv[3], nullptr, 0)),
                             wcstoul(argv[4], nullptr, 0), 0, SMTO_ABORTIFHUNG, 5000, &result) ||
        !result)
      return 1;
    RECT r{};
    GetWindowRect(reinterpret_cast<HWND>(result), &r);
    Print(std::to_wstring(r.left) + L" " + std::to_wstring(r.top) + L" " +
          std::to_wstring(r.right) + L" " + std::to_wstring(r.bottom));
    return 0;
  }
  if ((command == L"item-text" && argc == 4) || (command == L"set-item-text" && argc == 5) ||
      (command == L"press-item" && argc == 4)) {
    // The control with ID argv[3] of the dialog titled argv[2]: its text, a
    // new text (as typed: the dialog hears the change), or a click.
    HWND box = FindDialogBox(argv[2]);
    HWND item = box ? GetDlgItem(box, _wtoi(argv[3])) : nullptr;
    if (!item) return 1;
    DWORD_PTR result = 0;
    if (command == L"press-item")
      return SendMessageTimeoutW(item, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 5000, &result) ? 0 : 1;
    if (command == L"set-item-text")
      return SendMessageTimeoutW(item, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[4]),
                                 SMTO_ABORTIFHUNG, 5000, &result)
                 ? 0
                 : 1;
    wchar_t text[2048] = {};
    if (!SendMessageTimeoutW(item, WM_GETTEXT, 2048, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                             5000, &result))
      return 1;
    Print(text);
    return 0;
  }
  return 2;
}
