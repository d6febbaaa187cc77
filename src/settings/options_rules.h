// The decisions of the options dialog "选项", apart from its window: which
// shortcuts the hotkey fields take, the duplicate check, the ignore-list
// sub-pages, the Caps Lock conflict, the accelerator boxes of the function
// items, which boxes enable which settings, and what cancel puts back.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "settings/app_settings.h"

namespace pathorama::settings {

// --- Shortcut fields -----------------------------------------------------------

enum class ShortcutField { JumpMenu1, JumpMenu2, OpenSaveDialog, CaptureOfficeFolderPath };
inline constexpr int kShortcutFieldCount = 4;
Setting SettingOfShortcutField(ShortcutField field);
// "弹出路径跳转列表", "在 打开/另存为 对话框中切换到已打开文件夹", ...
std::u16string_view ShortcutFieldPurpose(ShortcutField field);

// A bare key, or a key with Shift alone or Alt alone, would take a key that
// programs need for typing: the field puts Ctrl in place of those modifiers.
// 0 (no shortcut) stays 0.
uint16_t AcceptedShortcut(uint16_t shortcut);

// The common hotkey control's value (virtual key in the low byte, HOTKEYF_*
// flags in the next) and the stored shortcut code (0x2000 Shift, 0x4000
// Ctrl, 0x8000 Alt) from one to the other; the extended-key flag is dropped.
uint16_t ShortcutFromHotKeyControl(uint16_t controlValue);
uint16_t HotKeyControlFromShortcut(uint16_t shortcut);

using ShortcutValues = std::array<uint16_t, kShortcutFieldCount>;

struct ShortcutChangeResult {
  // The value the field holds afterwards: the new one, or the last good one
  // when the new one is taken.
  uint16_t fieldValue = 0;
  uint16_t lastGood = 0;
  // Set when the shortcut is taken by another field: the warning to show.
  std::optional<std::u16string> duplicateMessage;
};
// Field `changed` now holds `newValue` (already through AcceptedShortcut);
// `current` holds every field's value before the change.
ShortcutChangeResult CheckShortcutChange(const ShortcutValues& current, ShortcutField changed,
                                         uint16_t newValue, uint16_t lastGood);
inline constexpr std::u16string_view kDuplicateShortcutCaption = u"快捷键已被占用";

// --- Ignore-list sub-pages ---------------------------------------------------------

struct IgnoreSubPage {
  std::u16string caption;  // "热键 Ctrl+D"
  bool visible = false;    // hidden while the hotkey has no shortcut
};
IgnoreSubPage IgnoreSubPageFor(uint16_t jumpMenuShortcut);

// --- Caps Lock conflict ------------------------------------------------------------

// The two options that both bind Caps Lock.
enum class CapsLockOption { DirectJumpList, AnotherOpenMethod };
inline constexpr std::u16string_view kCapsLockConflictCaption = u"设置有冲突";
std::u16string CapsLockConflictQuestion(CapsLockOption checking);
// The option to uncheck after the answer: Yes keeps the one being checked.
CapsLockOption CapsLockOptionToUncheck(CapsLockOption checking, bool answeredYes);
// Checking `checking` conflicts when the other option is on.
bool CapsLockConflicts(const AppSettings& settings, CapsLockOption checking);

// --- Accelerator boxes of the function items ------------------------------------------

enum class AcceleratorItem {
  AddCurrentFolder,
  DeleteCurrentFolder,
  ConfigureJumpList,
  BatchDelete,
  AppSettings,
  ForbidJumpListHotKey
};
inline constexpr int kAcceleratorItemCount = 6;
// In this order; the jump list's preparation puts them into the function
// items' captions at every showing (jumplist::FunctionAccelerators).
using AcceleratorLetters = std::array<char16_t, kAcceleratorItemCount>;
// "A", "R", "C", "D", "S", "J".
AcceleratorLetters DefaultAcceleratorLetters();

inline constexpr std::u16string_view kInvalidAcceleratorMessage = u"加速键只能是单个字母或数字，请重新设置";
inline constexpr std::u16string_view kInvalidAcceleratorCaption = u"加速键设置有误";
// Exactly one ASCII letter or digit.
bool IsValidAcceleratorText(std::u16string_view text);
// The letter a box's text stands for (upper case); none for an invalid text.
std::optional<char16_t> AcceleratorLetterOf(std::u16string_view text);
// The first box whose text is not a valid letter, for the check on OK.
std::optional<int> FirstInvalidAcceleratorBox(std::span<const std::u16string> boxTexts);

// --- Dependencies between controls ---------------------------------------------------

// The settings whose controls a check box enables while it is checked
// (empty for any other setting).
std::span<const Setting> SettingsEnabledBy(Setting box);

// --- Dates -------------------------------------------------------------------------

// The day whose week is week 1 always lies in the current year: a date
// picked in another year becomes the same day and month of `year` (29
// February of a year without it becomes the 28th).
core::CalendarDate FirstWeekDayInYear(core::CalendarDate picked, int year);

// --- Show and cancel -------------------------------------------------------------------

// What cancel puts back: the whole settings object and the accelerator
// letters as they were when the dialog was shown. Nothing is read back from
// the controls, so a control that was never filled cannot blank a setting.
struct OptionsSnapshot {
  AppSettings settings;
  AcceleratorLetters accelerators;
};

}  // namespace pathorama::settings
