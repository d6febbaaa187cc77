// Changing a console's folder through the clipboard, and filling the "DTE"
// window's path box.
#include "core/diagnostics.h"
#include "core/text.h"
#include "core/win32/wide_text.h"
#include "paths/win32/open_path.h"
#include "windows/win32/clipboard.h"
#include "windows/win32/send_keys.h"
#include "windows/win32/window_facts.h"

namespace pathorama::paths::win32 {

using core::win32::AsWide;

namespace {

// How long the console's menu is looked for after the right click: a
// quick-edit console pastes instead and shows none.
constexpr DWORD kConsoleMenuWaitMs = 300;

void ClickRight(POINT at) {
  SetCursorPos(at.x, at.y);
  INPUT clicks[2] = {};
  clicks[0].type = clicks[1].type = INPUT_MOUSE;
  clicks[0].mi.dwFlags = MOUSEEVENTF_RIGHTDOWN;
  clicks[1].mi.dwFlags = MOUSEEVENTF_RIGHTUP;
  SendInput(2, clicks, sizeof(INPUT));
}

void PressKey(WORD key) {
  INPUT keys[2] = {};
  keys[0].type = keys[1].type = INPUT_KEYBOARD;
  keys[0].ki.wVk = keys[1].ki.wVk = key;
  keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, keys, sizeof(INPUT));
}

// The popup menu of the console's thread, if the right click opened one.
HWND ConsoleMenu(HWND console) {
  const DWORD thread = GetWindowThreadProcessId(console, nullptr);
  for (HWND menu = FindWindowW(L"#32768", nullptr); menu;
       menu = FindWindowExW(nullptr, menu, L"#32768", nullptr))
    if (IsWindowVisible(menu) && GetWindowThreadProcessId(menu, nullptr) == thread) return menu;
  return nullptr;
}

HWND WaitForConsoleMenu(HWND console) {
  const ULONGLONG deadline = GetTickCount64() + kConsoleMenuWaitMs;
  for (;;) {
    if (HWND menu = ConsoleMenu(console)) return menu;
    if (GetTickCount64() >= deadline || !IsWindow(console)) return nullptr;
    Sleep(10);
  }
}

bool ClipboardHolds(std::u16string_view command) {
  return core::EqualsIgnoreCase(windows::win32::GetClipboardText(), command);
}

}  // namespace

bool ChangeConsoleFolder(HWND console, std::u16string_view givenPath) {
  Win32OpeningFacts facts(FolderManagerChoice::Explorer);
  std::u16string folder = TrimOpeningPath(givenPath);
  if (IsDriveRoot(folder)) folder = ResolvePath(folder, u"");
  windows::PathKind kind = facts.KindOf(folder);
  if (kind == windows::PathKind::File) {
    folder = FolderOfFile(folder);
    kind = facts.KindOf(folder);
  }
  if (kind != windows::PathKind::Folder) return false;
  if (!console || !IsWindow(console)) {
    core::Trace(u"the console is gone; its folder was not changed to " + folder);
    return false;
  }
  const std::u16string command = ConsoleCommand(folder);
  windows::win32::ClipboardBackup backup;
  backup.Backup();
  if (!windows::win32::SetClipboardText(command)) {
    core::Trace(u"the clipboard could not take the console command");
    backup.Restore();
    return false;
  }
  POINT mouse{};
  GetCursorPos(&mouse);
  bool changed = false;
  // Discard what is being typed.
  windows::win32::SendKeysToWindow(console, u"Ctrl", u"C");
  RECT frame{};
  if (IsWindow(console) && GetWindowRect(console, &frame)) {
    ClickRight({frame.left + 20, frame.top + 50});
    Sleep(10);
    // A console in quick-edit mode has pasted on the click; otherwise its
    // menu is open, and "P" pastes. Never both: the command must arrive once.
    HWND menu = WaitForConsoleMenu(console);
    Sleep(30);
    if (!IsWindow(console)) {
      core::Trace(u"the console went away while its folder was changed");
    } else if (!ClipboardHolds(command)) {
      // Someone else took the clipboard meanwhile: what the console got is
      // not ours, so it must not run.
      windows::win32::SendKeysToWindow(console, u"Esc", u"");
      core::Trace(u"the clipboard changed while the console command was pasted; abandoned");
    } else {
      if (menu) PressKey('P');
      Sleep(20);
      PostMessageW(console, WM_KEYDOWN, VK_RETURN, 0);
      changed = true;
    }
  }
  SetCursorPos(mouse.x, mouse.y);
  // What another program put on the clipboard meanwhile stays there.
  if (ClipboardHolds(command)) backup.Restore();
  return changed;
}

void FillDtePathBox(HWND dte, std::u16string_view path, core::UserPrompts& prompts) {
  Win32OpeningFacts facts(FolderManagerChoice::Explorer);
  const std::u16string folder(path);
  const bool folderLike =
      facts.KindOf(folder) == windows::PathKind::Folder || IsShellNamespacePath(folder);
  HWND edit = folderLike ? windows::win32::FindDescendantByChain(
                               dte, {u"Edit", u"SysTabControl32", u"Button", windows::kDteClass}, true)
                         : nullptr;
  if (!edit) {
    if (folderLike) core::Trace(u"the DTE window has no path box");
    prompts.Tell(kNotLocalFolderMessage, kNotLocalFolderCaption, core::PromptIcon::Warning);
    if (dte && IsWindow(dte)) SwitchToThisWindow(dte, TRUE);
    return;
  }
  windows::win32::SendMessageBounded(edit, WM_SETFOCUS, 0, 0);
  windows::win32::SendMessageBounded(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(AsWide(folder)));
  PostMessageW(edit, WM_KEYDOWN, VK_RETURN, 0);
  SwitchToThisWindow(dte, TRUE);
  windows::win32::SendMessageBounded(edit, WM_SETFOCUS, 0, 0);
}

}  // namespace pathorama::paths::win32
