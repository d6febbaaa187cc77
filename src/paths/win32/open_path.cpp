#include "paths/win32/open_path.h"

#include <shellapi.h>
#include <shlobj.h>

#include <set>
#include <vector>

#include "core/diagnostics.h"
#include "core/text.h"
#include "core/win32/diagnostics.h"
#include "core/win32/wide_text.h"
#include "ui/win32/message_loop.h"
#include "windows/window_classes.h"
#include "windows/win32/folder_managers.h"
#include "windows/win32/window_facts.h"

namespace pathorama::paths::win32 {

using core::win32::AsWide;
using core::win32::FromWide;

namespace {

std::u16string HandleText(HWND window) {
  return core::HexText(reinterpret_cast<UINT_PTR>(window), 8);
}

HKEY RootKey(RegistryRoot root) {
  switch (root) {
    case RegistryRoot::ClassesRoot: return HKEY_CLASSES_ROOT;
    case RegistryRoot::CurrentUser: return HKEY_CURRENT_USER;
    case RegistryRoot::LocalMachine: return HKEY_LOCAL_MACHINE;
    case RegistryRoot::Users: return HKEY_USERS;
    case RegistryRoot::CurrentConfig: return HKEY_CURRENT_CONFIG;
  }
  return HKEY_CURRENT_USER;
}

// Dispatches what is waiting in this thread's queue; false after WM_QUIT,
// which is posted again for the loop that owns it.
bool PumpPendingMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return false;
    }
    if (ui::win32::DispatchToModelessDialog(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return true;
}

// Waits up to `ms` while messages keep flowing, or until `done` holds.
template <class Done>
bool PumpUntil(DWORD ms, Done done) {
  const ULONGLONG deadline = GetTickCount64() + ms;
  for (;;) {
    if (done()) return true;
    const ULONGLONG now = GetTickCount64();
    if (now >= deadline) return false;
    const DWORD left = static_cast<DWORD>(deadline - now);
    MsgWaitForMultipleObjectsEx(0, nullptr, left < 50 ? left : 50, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    if (!PumpPendingMessages()) return done();
  }
}

std::set<HWND> ExplorerWindowsNow() {
  std::set<HWND> found;
  for (HWND w : windows::win32::TopLevelWindowsInZOrder())
    if (windows::IsClass(windows::win32::ClassNameOf(w), windows::kExplorerClass)) found.insert(w);
  return found;
}

// A new Explorer window takes a moment to appear; this is how long it is
// looked for before it is given up (it then stays where Windows put it).
constexpr DWORD kNewExplorerWindowWaitMs = 3000;

// Brings the Explorer window that appeared since `before` to the front; an
// Explorer window the user already had is never pulled forward.
void FrontNewExplorerWindow(const std::set<HWND>& before, ShowCommand show) {
  HWND fresh = nullptr;
  PumpUntil(kNewExplorerWindowWaitMs, [&] {
    // A window is created hidden and shown a moment later; fronting it
    // before that would leave no window in front at all.
    for (HWND w : ExplorerWindowsNow())
      if (!before.count(w) && IsWindowVisible(w)) {
        fresh = w;
        return true;
      }
    return false;
  });
  if (!fresh) {
    core::Trace(u"no new Explorer window appeared within " + core::IntToText(kNewExplorerWindowWaitMs) +
                u" ms; none is brought to the front");
    return;
  }
  ShowWindowAsync(fresh, static_cast<int>(show));
  // A window that has only just appeared may lose the front again while it
  // finishes showing itself: asked again until it holds (bounded).
  PumpUntil(kNewExplorerWindowWaitMs, [fresh] {
    ForceForegroundWindow(fresh);
    return GetForegroundWindow() == fresh || !IsWindow(fresh);
  });
}

void TellStartFailed(const std::u16string& path, DWORD error, core::UserPrompts& prompts) {
  const std::u16string reason = core::win32::SystemErrorText(error);
  core::Trace(u"could not open " + path + u": " + reason);
  prompts.Tell(StartFailedMessage(path, reason), kStartFailedCaption, core::PromptIcon::Error);
}

}  // namespace

// ---- facts -------------------------------------------------------------------------------------

windows::PathKind Win32OpeningFacts::KindOf(const std::u16string& path) {
  const DWORD attributes = GetFileAttributesW(AsWide(path));
  if (attributes == INVALID_FILE_ATTRIBUTES) return windows::PathKind::Missing;
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? windows::PathKind::Folder
                                                 : windows::PathKind::File;
}

bool Win32OpeningFacts::RegistryKeyExists(const RegistryKeyPath& key) {
  HKEY opened = nullptr;
  if (RegOpenKeyExW(RootKey(key.root), AsWide(key.subKey), 0, KEY_READ, &opened) != ERROR_SUCCESS)
    return false;
  RegCloseKey(opened);
  return true;
}

std::u16string Win32OpeningFacts::BaseFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return {};
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    path.resize(path.size() * 2);
  }
  return FolderOfFile(FromWide(path));
}

std::u16string Win32OpeningFacts::WindowsFolder() {
  wchar_t buffer[MAX_PATH] = {};
  const DWORD n = GetEnvironmentVariableW(L"WinDir", buffer, MAX_PATH);
  if (n > 0 && n < MAX_PATH) return FromWide(buffer, n);
  const UINT m = GetWindowsDirectoryW(buffer, MAX_PATH);
  return FromWide(buffer, m < MAX_PATH ? m : 0);
}

bool Win32OpeningFacts::CapsLockLit() { return (GetKeyState(VK_CAPITAL) & 1) != 0; }

OpeningFacts::ManagerFolder Win32OpeningFacts::CurrentManagerFolder(bool topmostOfAnyKind) {
  windows::win32::OpenedFolder folder;
  if (topmostOfAnyKind) {
    folder = windows::win32::GetFolderOfTopmostManager();
  } else {
    const windows::FolderManager manager = windows::ManagerFromWord(InfoOf(manager_).word);
    if (manager != windows::FolderManager::None) folder = windows::win32::GetFolderOfManager(manager);
  }
  return {reinterpret_cast<std::uintptr_t>(folder.window), folder.path};
}

bool Win32OpeningFacts::CreateFolders(const std::u16string& path) {
  const int result = SHCreateDirectoryExW(nullptr, AsWide(path), nullptr);
  if (result == ERROR_SUCCESS || result == ERROR_ALREADY_EXISTS) return true;
  core::Trace(u"could not create the folder " + path + u": " + core::win32::SystemErrorText(result));
  return false;
}

// ---- effects ----------------------------------------------------------------------------------

void ForceForegroundWindow(HWND window) {
  if (!window || !IsWindow(window)) return;
  const DWORD ours = GetCurrentThreadId();
  const HWND foreground = GetForegroundWindow();
  const DWORD theirs = foreground ? GetWindowThreadProcessId(foreground, nullptr) : 0;
  const bool attached = theirs && theirs != ours && AttachThreadInput(theirs, ours, TRUE);
  SetForegroundWindow(window);
  if (attached) AttachThreadInput(theirs, ours, FALSE);
}

bool ShellStartFile(const ShellStart& start, ShowCommand show, DWORD* error) {
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof info;
  // The failure is told by the caller, with the path; no box from the shell.
  info.fMask = SEE_MASK_FLAG_NO_UI;
  info.lpFile = AsWide(start.file);
  info.lpParameters = start.parameters.empty() ? nullptr : AsWide(start.parameters);
  info.nShow = start.hidden ? SW_HIDE : static_cast<int>(show);
  if (ShellExecuteExW(&info) && reinterpret_cast<INT_PTR>(info.hInstApp) > 32) return true;
  DWORD code = GetLastError();
  if (code == ERROR_SUCCESS) code = static_cast<DWORD>(reinterpret_cast<INT_PTR>(info.hInstApp));
  if (error) *error = code;
  return false;
}

bool WaitWithMessages(int seconds) {
  static bool waiting = false;
  if (waiting) {
    core::Trace(u"a wait of " + core::IntToText(seconds) +
                u" s was refused: another item is still waiting");
    return false;
  }
  waiting = true;
  struct Reset {
    ~Reset() { waiting = false; }
  } reset;
  // Ends early only for WM_QUIT.
  PumpUntil(static_cast<DWORD>(seconds) * 1000, [] { return false; });
  return true;
}

void OpenPath(PathType type, std::u16string_view path, std::u16string_view extra, bool reuse,
              HWND target, ShowCommand show, const OpeningOptions& options, OpeningFacts& facts,
              core::UserPrompts& prompts, const OpeningHooks& hooks) {
  const TargetKind targetKind =
      target ? TargetKindOf(windows::win32::ClassNameOf(target)) : TargetKind::Other;
  const OpenPathPlan plan =
      PlanOpenPath(type, path, extra, reuse, targetKind, options, facts, prompts);
  switch (plan.step) {
    case OpenPathPlan::Step::Nothing:
      return;
    case OpenPathPlan::Step::FillDteBox:
      FillDtePathBox(target, plan.path, prompts);
      return;
    case OpenPathPlan::Step::OpenOptionsPage:
      if (hooks.showFolderManagerOptions)
        hooks.showFolderManagerOptions();
      else
        core::Trace(u"the folder-manager options cannot be shown here");
      return;
    case OpenPathPlan::Step::Start:
      break;
  }
  const bool watchExplorer = plan.frontNewExplorerWindow || plan.frontNewExplorerWindowAfterRetry;
  const std::set<HWND> before = watchExplorer ? ExplorerWindowsNow() : std::set<HWND>();
  DWORD error = 0;
  if (ShellStartFile(plan.start, show, &error)) {
    if (plan.frontNewExplorerWindow) FrontNewExplorerWindow(before, show);
  } else if (plan.explorerRetryOnFailure &&
             ShellStartFile(ExplorerShellStart(facts.WindowsFolder(), plan.path), show, &error)) {
    if (plan.frontNewExplorerWindowAfterRetry) FrontNewExplorerWindow(before, show);
  } else {
    TellStartFailed(plan.start.file, error, prompts);
    return;
  }
  if (plan.waitSeconds && *plan.waitSeconds > 0) WaitWithMessages(*plan.waitSeconds);
}

}  // namespace pathorama::paths::win32
