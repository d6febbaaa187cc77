// Opening paths on Windows: the effects the opening decisions
// (paths/opening.h) ask for. Every message to another program has a bound.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

#include "core/prompts.h"
#include "paths/opening.h"

namespace pathorama::paths::win32 {

// The facts of this machine: files and folders on disk, registry keys, the
// program's folder, Caps Lock, the folder managers' open folders.
class Win32OpeningFacts : public OpeningFacts {
 public:
  explicit Win32OpeningFacts(FolderManagerChoice manager) : manager_(manager) {}
  windows::PathKind KindOf(const std::u16string& path) override;
  bool RegistryKeyExists(const RegistryKeyPath& key) override;
  std::u16string BaseFolder() override;
  std::u16string WindowsFolder() override;
  bool CapsLockLit() override;
  ManagerFolder CurrentManagerFolder(bool topmostOfAnyKind) override;
  bool CreateFolders(const std::u16string& path) override;

 private:
  FolderManagerChoice manager_;
};

// What the rest of the program lends to an opening.
struct OpeningHooks {
  // Switches an Open/Save dialog to a folder, filling in a file name;
  // missing: the dialog is left alone (traced).
  std::function<void(HWND dialog, const std::u16string& folder, const std::u16string& fileName)>
      switchDialog;
  // Shows the options dialog at the folder manager's program path.
  std::function<void()> showFolderManagerOptions;
};

// `OpenPath`: starts `path` as PlanOpenPath decides, with `show` for every
// start that is not hidden. A start the system refuses is told with its
// reason. `target` is the window the user works in (the "DTE" box).
void OpenPath(PathType type, std::u16string_view path, std::u16string_view extra, bool reuse,
              HWND target, ShowCommand show, const OpeningOptions& options, OpeningFacts& facts,
              core::UserPrompts& prompts, const OpeningHooks& hooks);

// Starts `start` through the shell; on failure the system's error code.
bool ShellStartFile(const ShellStart& start, ShowCommand show, DWORD* error = nullptr);

// `OpenRegistryPath`: the other registry editor ("RegWorkshopWndClass")
// when it runs, else the registry editor at "LastKey". A running registry
// editor is closed first and waited for (bounded), so that its own exit
// does not write its key over ours.
void OpenRegistryPath(std::u16string_view path, core::UserPrompts& prompts);
inline constexpr DWORD kRegistryEditorCloseWaitMs = 5000;

// `ChangeConsoleFolder`: types `cls && cd /d "<folder>"` into the console
// through the clipboard (a right click pastes in quick-edit mode, else opens
// the menu whose "P" pastes: exactly one of them). False when the folder is
// missing, the console went away, or the clipboard was changed by someone
// else meanwhile. The clipboard is restored while it still holds the command.
bool ChangeConsoleFolder(HWND console, std::u16string_view path);

// `FillDtePathBox`: a folder into the "DTE" window's path box, confirmed
// with Enter; anything else is told the user.
void FillDtePathBox(HWND dte, std::u16string_view path, core::UserPrompts& prompts);

// `ForceForegroundWindow`.
void ForceForegroundWindow(HWND window);

// The pause that "/Wait N" asks for: messages keep flowing meanwhile (the
// program stays usable). While one wait runs, another is refused (false)
// and returns at once; a WM_QUIT ends the wait and is posted again.
bool WaitWithMessages(int seconds);

}  // namespace pathorama::paths::win32
