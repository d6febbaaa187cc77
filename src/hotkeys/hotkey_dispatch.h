// What a press of one of the four hotkeys does, decided over facts that the
// Win32 side reads only when asked: whether the press is handled at all
// (debounce, an earlier press still at work, the open jump list), and what
// the jump-list hotkeys do in the window in front.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "app/hotkey_slots.h"
#include "core/prompts.h"
#include "paths/folder_manager_commands.h"

namespace pathorama::hotkeys {

bool IsJumpListSlot(app::HotKeySlot slot);
// 1 for jump list 1, 2 for jump list 2 (the ignore lists' pair); 0 otherwise.
int JumpListSlotNumber(app::HotKeySlot slot);

// Whether a WM_HOTKEY is handled, before anything of the window in front is
// read.
enum class PressStart {
  Ignore,      // no slot has these keys
  Debounced,   // too soon after the previous press
  ClosePopup,  // a jump-list hotkey while the jump list is open: close it
  Busy,        // an earlier press is still at work (a question, a warning, a switch)
  Handle,      // capture the window in front and do the slot's work
};
PressStart StartPress(std::optional<app::HotKeySlot> slot, uint64_t now, uint64_t& lastHotKeyTick,
                      bool popupOpen, bool earlierPressRunning);

// The program's own windows that a jump-list hotkey brings to the front
// instead of popping the list up, from the lowest priority to the highest.
enum class OwnWindow {
  AddToJumpListDialog,
  AboutBox,
  WindowSpy,
  OptionsDialog,
  JumpListEditor,
  AcceleratorKeysDialog,
};
std::span<const OwnWindow> OwnWindowsByPriority();

// The answers of the folder-manager match check.
enum class ManagerMatch {
  Matched,        // no mismatch, or the setting followed the window
  OptionsOpened,  // the user chose to fix the setting: no popup
  Mismatched,     // the user keeps the setting: pop up all the same
};

// Facts for the jump-list hotkeys, read in the order the decision needs them.
class JumpListHotKeyFacts {
 public:
  virtual ~JumpListHotKeyFacts() = default;
  virtual bool GlobalHotKeysOn() = 0;  // "启用全局热键(&H)"
  // "DirectJumpListWhenCapsLock" is on and Caps Lock is lit.
  virtual bool CapsLockBypassesIgnoreLists() = 0;
  // The window-class test, then (only when it answered pop up) the
  // program-name test; true when one of them passes the key on.
  virtual bool IgnoreListsPassOn() = 0;
  virtual bool OwnWindowVisible(OwnWindow window) = 0;
  // The window in front is a "#32770" opened from one of the program's own
  // windows (a file dialog of the editor, say), not one of them itself.
  virtual bool TargetIsDialogOfOwnWindow() = 0;
  virtual ManagerMatch CheckFolderManager() = 0;
};

enum class JumpListAction {
  Swallow,               // global hotkeys switched off
  GiveBack,              // an ignore list passes the key on
  BringOwnWindowToFront, // `ownWindow`
  PopUp,
  Nothing,               // the options dialog was opened instead
};
struct JumpListDecision {
  JumpListAction action = JumpListAction::Nothing;
  std::optional<OwnWindow> ownWindow;
  friend bool operator==(const JumpListDecision&, const JumpListDecision&) = default;
};
JumpListDecision DecideJumpListHotKey(JumpListHotKeyFacts& facts);

// The folder manager whose window class this is, as the folder-manager
// setting names it; none for other windows.
std::optional<paths::FolderManagerChoice> ManagerChoiceOfClass(std::u16string_view className);

inline constexpr std::u16string_view kManagerMismatchCaption = u"文件夹管理器设置有误";
std::u16string ManagerMismatchQuestion(paths::FolderManagerChoice chosen);

// What the match check changes outside itself.
class ManagerMatchEffects {
 public:
  virtual ~ManagerMatchEffects() = default;
  // The setting follows the captured window (and loads that manager's keys).
  virtual void SelectFolderManager(paths::FolderManagerChoice choice) = 0;
  // The options dialog on its folder-manager page, modally.
  virtual void OpenFolderManagerOptions() = 0;
};

// The check before a hotkey pops the jump list up over a folder manager
// window of another kind than the one configured. `askAgain` is the run's
// "AskFolderManagerMismatch": Cancel clears it, auto-match sets it.
ManagerMatch CheckFolderManagerMatch(std::u16string_view targetClass,
                                     paths::FolderManagerChoice chosen, bool autoMatch,
                                     bool& askAgain, core::ThreeWayQuestion& question,
                                     ManagerMatchEffects& effects);

}  // namespace pathorama::hotkeys
