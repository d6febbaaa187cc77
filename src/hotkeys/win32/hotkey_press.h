// `HotKeyPress`: the main window's WM_HOTKEY handler. It finds the slot of
// the press, captures the window the user works in and does that hotkey's
// work there: the jump list (or the key given back), an Open/Save dialog, a
// console or a text box switched to the open folder (or the folder offered
// on the clipboard), the folder of the Office document or program opened or
// copied.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "core/prompts.h"
#include "hotkeys/hotkey_dispatch.h"
#include "hotkeys/hotkey_keys.h"
#include "hotkeys/ignore_list.h"
#include "paths/folder_manager_commands.h"
#include "settings/app_settings.h"
#include "windows/win32/dialog_switch.h"
#include "windows/win32/target_window.h"

namespace pathorama::hotkeys::win32 {

// The main window's process-wide values that a press reads and sets.
struct MainWindowValues {
  HWND* targetWindow = nullptr;          // `TargetWindow`
  std::u16string* targetClassName = nullptr;
  int* hotKeySlot = nullptr;             // 1 or 2 after a jump-list press
  uint64_t* lastHotKeyTick = nullptr;
  bool* askFolderManagerMismatch = nullptr;
};

// What the hotkeys keep across presses for the whole run.
struct HotKeyRunState {
  NoShowTables noShow;
  // A press is being handled (its questions, warnings and switches run
  // message loops in which the next press may arrive).
  bool pressRunning = false;
  // A second jump-list press closed the popup: the window it was opened
  // over comes back once the popup has returned.
  bool returnAfterPopup = false;
};

// What the rest of the program lends to a press.
struct HotKeyContext {
  HWND mainWindow = nullptr;
  std::array<uint16_t, app::kHotKeySlotCount> hotKeyIds{};
  settings::AppSettings* settings = nullptr;
  MainWindowValues values;
  HotKeyRunState* state = nullptr;
  bool globalHotKeysOn = true;  // "启用全局热键(&H)"
  bool popupOpen = false;       // the jump list (or another menu of the program) is open
  core::ThreeWayQuestion* question = nullptr;  // the ignore and mismatch questions
  core::UserPrompts* prompts = nullptr;        // warnings and copy messages
  // The folder of the active document of the Office program of a window;
  // empty when there is none.
  std::function<std::u16string(HWND)> officeFolder;
  // The visible window of the program that a jump-list press brings
  // forward; null when that window is not shown.
  std::function<HWND(OwnWindow)> ownWindow;
  // Pops the jump list up over the target window (the forbid items enabled).
  std::function<void()> showJumpList;
  // Closes the open popup menu.
  std::function<void()> closeJumpList;
  std::function<void(paths::FolderManagerChoice)> selectFolderManager;
  std::function<void()> openFolderManagerOptions;
  // The dialog switching and filling of the dialog hotkey (its options;
  // the fallback is set by the press). Callers pause the dialog watch.
  windows::win32::DialogSwitchContext dialogSwitch;
};

void HotKeyPress(WPARAM wParam, LPARAM lParam, HotKeyContext& context);

// The forbid items of the jump list: the class name or the program name of
// `target` into the window-class or program-name list of jump-list slot
// `slot` (1 or 2), then `target` back to the front. True when the list
// changed.
enum class ForbidKind { WindowClass, Program };
bool ForbidJumpListHotKey(ForbidKind kind, const windows::win32::TargetWindow& target, int slot,
                          settings::AppSettings& settings);

// The ignore list that holds `kind` for jump-list slot `slot`.
settings::IgnoreList IgnoreListFor(ListKind kind, int slot);

// The program file name of the process that owns `window`.
std::u16string ProgramNameOf(HWND window);

}  // namespace pathorama::hotkeys::win32
