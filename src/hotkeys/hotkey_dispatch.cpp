#include "hotkeys/hotkey_dispatch.h"

#include <array>

#include "hotkeys/hotkey_keys.h"
#include "windows/window_classes.h"

namespace pathorama::hotkeys {

using app::HotKeySlot;
using paths::FolderManagerChoice;

namespace {

constexpr std::array kOwnWindows = {
    OwnWindow::AddToJumpListDialog, OwnWindow::AboutBox,       OwnWindow::WindowSpy,
    OwnWindow::OptionsDialog,       OwnWindow::JumpListEditor, OwnWindow::AcceleratorKeysDialog,
};

}  // namespace

bool IsJumpListSlot(HotKeySlot slot) {
  return slot == HotKeySlot::kJumpMenu1 || slot == HotKeySlot::kJumpMenu2;
}

int JumpListSlotNumber(HotKeySlot slot) {
  if (slot == HotKeySlot::kJumpMenu1) return 1;
  if (slot == HotKeySlot::kJumpMenu2) return 2;
  return 0;
}

PressStart StartPress(std::optional<HotKeySlot> slot, uint64_t now, uint64_t& lastHotKeyTick,
                      bool popupOpen, bool earlierPressRunning) {
  if (!slot) return PressStart::Ignore;
  if (SwallowedByDebounce(*slot, now, lastHotKeyTick)) return PressStart::Debounced;
  // The open jump list belongs to an earlier press (or to the tray): a
  // second jump-list press closes it; nothing else may take its target.
  if (popupOpen) return IsJumpListSlot(*slot) ? PressStart::ClosePopup : PressStart::Busy;
  if (earlierPressRunning) return PressStart::Busy;
  return PressStart::Handle;
}

std::span<const OwnWindow> OwnWindowsByPriority() { return kOwnWindows; }

JumpListDecision DecideJumpListHotKey(JumpListHotKeyFacts& facts) {
  if (!facts.GlobalHotKeysOn()) return {JumpListAction::Swallow, std::nullopt};
  const bool popUp = facts.CapsLockBypassesIgnoreLists() || !facts.IgnoreListsPassOn();
  if (!popUp) return {JumpListAction::GiveBack, std::nullopt};
  std::optional<OwnWindow> inFront;
  for (OwnWindow window : kOwnWindows)
    if (facts.OwnWindowVisible(window)) inFront = window;  // the last visible has the highest priority
  if (inFront) {
    if (facts.TargetIsDialogOfOwnWindow()) return {JumpListAction::PopUp, std::nullopt};
    return {JumpListAction::BringOwnWindowToFront, inFront};
  }
  if (facts.CheckFolderManager() == ManagerMatch::OptionsOpened)
    return {JumpListAction::Nothing, std::nullopt};
  return {JumpListAction::PopUp, std::nullopt};
}

std::optional<FolderManagerChoice> ManagerChoiceOfClass(std::u16string_view className) {
  using windows::IsClass;
  if (IsClass(className, windows::kExplorerClass)) return FolderManagerChoice::Explorer;
  if (IsClass(className, windows::kTotalCommanderClass)) return FolderManagerChoice::TotalCommander;
  if (IsClass(className, windows::kDirectoryOpusClass)) return FolderManagerChoice::DirectoryOpus;
  if (IsClass(className, windows::kXYplorerClass)) return FolderManagerChoice::XYplorer;
  if (IsClass(className, windows::kXplorer2Class)) return FolderManagerChoice::Xplorer2;
  if (windows::IsFreeCommanderClass(className)) return FolderManagerChoice::FreeCommander;
  return std::nullopt;
}

std::u16string ManagerMismatchQuestion(FolderManagerChoice chosen) {
  return u"程序设置的文件夹管理器是 " + std::u16string(paths::InfoOf(chosen).listText) + u"\r" +
         u"与当前捕获到的程序窗口不一致" + u"\r\r" + u"是否修改程序中的相关设置？" + u"\r\r" +
         u"\u3000\u3000\u3000\u3000取消 = 此后不再提示";
}

ManagerMatch CheckFolderManagerMatch(std::u16string_view targetClass, FolderManagerChoice chosen,
                                     bool autoMatch, bool& askAgain,
                                     core::ThreeWayQuestion& question,
                                     ManagerMatchEffects& effects) {
  const std::optional<FolderManagerChoice> captured = ManagerChoiceOfClass(targetClass);
  if (!captured || *captured == chosen) return ManagerMatch::Matched;
  if (autoMatch) {
    askAgain = true;
    effects.SelectFolderManager(*captured);
    return ManagerMatch::Matched;
  }
  if (!askAgain) return ManagerMatch::Mismatched;
  switch (question.Ask(ManagerMismatchQuestion(chosen), kManagerMismatchCaption,
                       core::PromptIcon::Warning)) {
    case core::PromptAnswer::Yes:
      effects.OpenFolderManagerOptions();
      return ManagerMatch::OptionsOpened;
    case core::PromptAnswer::Cancel:
      askAgain = false;
      return ManagerMatch::Mismatched;
    case core::PromptAnswer::No:
      break;
  }
  return ManagerMatch::Mismatched;
}

}  // namespace pathorama::hotkeys
