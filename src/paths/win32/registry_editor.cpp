// The registry editors: the other one ("RegWorkshopWndClass") through its
// address box, the system's own through its "LastKey".
#include <windows.h>

#include <vector>

#include "core/diagnostics.h"
#include "core/text.h"
#include "core/win32/diagnostics.h"
#include "core/win32/wide_text.h"
#include "paths/win32/open_path.h"
#include "windows/win32/handles.h"
#include "windows/win32/folder_managers.h"
#include "windows/win32/window_facts.h"

namespace pathorama::paths::win32 {

using core::win32::AsWide;
using core::win32::FromWide;

namespace {

constexpr wchar_t kRegeditKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Regedit";

bool SendToOtherEditor(const std::u16string& path) {
  HWND editor = windows::win32::FindTopmostWindowOfClass(u"RegWorkshopWndClass");
  if (!editor) return false;
  HWND edit =
      windows::win32::FindDescendantByChain(editor, {u"Edit", u"ComboBox", u"ToolbarWindow32"});
  if (!edit) {
    core::Trace(u"the other registry editor has no address box; the registry editor is used");
    return false;
  }
  SwitchToThisWindow(editor, TRUE);
  windows::win32::SendMessageBounded(edit, WM_SETTEXT, 0,
                                     reinterpret_cast<LPARAM>(AsWide(path)));
  windows::win32::SendMessageBounded(edit, WM_LBUTTONDOWN, 0, 0);
  PostMessageW(edit, WM_KEYDOWN, VK_RETURN, 0);
  return true;
}

// Closes the running registry editor and waits (bounded) until its process
// has ended: it writes its own "LastKey" as it exits.
void CloseRunningRegistryEditor() {
  HWND running = windows::win32::FindTopmostWindowOfClass(u"RegEdit_RegEdit");
  if (!running) return;
  DWORD processId = 0;
  GetWindowThreadProcessId(running, &processId);
  windows::win32::UniqueHandle process(OpenProcess(SYNCHRONIZE, FALSE, processId));
  PostMessageW(running, WM_CLOSE, 0, 0);
  if (process) {
    if (WaitForSingleObject(process.get(), kRegistryEditorCloseWaitMs) != WAIT_OBJECT_0)
      core::Trace(u"the registry editor did not end within " +
                  core::IntToText(kRegistryEditorCloseWaitMs) + u" ms");
    return;
  }
  const ULONGLONG deadline = GetTickCount64() + kRegistryEditorCloseWaitMs;
  while (IsWindow(running) && GetTickCount64() < deadline) Sleep(20);
}

std::u16string ReadText(HKEY key, const wchar_t* name) {
  DWORD type = 0, bytes = 0;
  if (RegQueryValueExW(key, name, nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ))
    return {};
  std::vector<wchar_t> buffer(bytes / sizeof(wchar_t) + 1, L'\0');
  if (RegQueryValueExW(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer.data()), &bytes) !=
      ERROR_SUCCESS)
    return {};
  return FromWide(buffer.data());
}

}  // namespace

void OpenRegistryPath(std::u16string_view givenPath, core::UserPrompts& prompts) {
  const std::u16string path = NormalizeRegistryPath(givenPath);
  if (SendToOtherEditor(path)) return;
  HKEY key = nullptr;
  const LSTATUS opened = RegCreateKeyExW(HKEY_CURRENT_USER, kRegeditKey, 0, nullptr, 0,
                                         KEY_READ | KEY_WRITE, nullptr, &key, nullptr);
  if (opened != ERROR_SUCCESS) {
    core::Trace(u"the registry editor's key could not be opened: " +
                core::win32::SystemErrorText(opened));
    return;
  }
  CloseRunningRegistryEditor();
  const std::u16string lastKey = RegeditLastKey(ReadText(key, L"LastKey"), path);
  const LSTATUS written =
      RegSetValueExW(key, L"LastKey", 0, REG_SZ, reinterpret_cast<const BYTE*>(AsWide(lastKey)),
                     static_cast<DWORD>((lastKey.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
  if (written != ERROR_SUCCESS)
    core::Trace(u"LastKey could not be written: " + core::win32::SystemErrorText(written));
  Win32OpeningFacts facts(FolderManagerChoice::Explorer);
  const ShellStart start{core::TrimCharsRight(facts.WindowsFolder(), u"\\") + u"\\RegEdit.exe", u"",
                         false};
  DWORD error = 0;
  if (!ShellStartFile(start, ShowCommand::Normal, &error)) {
    const std::u16string reason = core::win32::SystemErrorText(error);
    core::Trace(u"could not start the registry editor: " + reason);
    prompts.Tell(StartFailedMessage(start.file, reason), kStartFailedCaption, core::PromptIcon::Error);
  }
}

}  // namespace pathorama::paths::win32
