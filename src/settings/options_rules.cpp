#include "settings/options_rules.h"

#include "app/hotkey_slots.h"
#include "core/regex.h"

namespace pathorama::settings {

namespace {

constexpr uint16_t kShift = 0x2000, kCtrl = 0x4000, kAlt = 0x8000;
// The common hotkey control's modifier flags (HOTKEYF_*).
constexpr uint16_t kControlShift = 0x01, kControlCtrl = 0x02, kControlAlt = 0x04;

}  // namespace

Setting SettingOfShortcutField(ShortcutField field) {
  switch (field) {
    case ShortcutField::JumpMenu1: return Setting::JumpMenuHotKey1;
    case ShortcutField::JumpMenu2: return Setting::JumpMenuHotKey2;
    case ShortcutField::OpenSaveDialog: return Setting::OpenSaveDialogHotKey;
    case ShortcutField::CaptureOfficeFolderPath: return Setting::CaptureOfficeOrWindowFolderPathHotKey;
  }
  return Setting::JumpMenuHotKey1;
}

std::u16string_view ShortcutFieldPurpose(ShortcutField field) {
  switch (field) {
    case ShortcutField::JumpMenu1:
    case ShortcutField::JumpMenu2: return u"弹出路径跳转列表";
    case ShortcutField::OpenSaveDialog: return u"在 打开/另存为 对话框中切换到已打开文件夹";
    case ShortcutField::CaptureOfficeFolderPath: return u"捕获 MS Word/Excel/PPT 文件所在的文件夹路径";
  }
  return {};
}

uint16_t AcceptedShortcut(uint16_t shortcut) {
  const uint16_t key = shortcut & 0xFF;
  if (key == 0) return 0;
  const uint16_t modifiers = shortcut & (kShift | kCtrl | kAlt);
  if (modifiers == 0 || modifiers == kShift || modifiers == kAlt) return key | kCtrl;
  return key | modifiers;
}

uint16_t ShortcutFromHotKeyControl(uint16_t controlValue) {
  const uint16_t key = controlValue & 0xFF;
  const uint16_t flags = controlValue >> 8;
  uint16_t shortcut = key;
  if (flags & kControlShift) shortcut |= kShift;
  if (flags & kControlCtrl) shortcut |= kCtrl;
  if (flags & kControlAlt) shortcut |= kAlt;
  return shortcut;
}

uint16_t HotKeyControlFromShortcut(uint16_t shortcut) {
  uint16_t flags = 0;
  if (shortcut & kShift) flags |= kControlShift;
  if (shortcut & kCtrl) flags |= kControlCtrl;
  if (shortcut & kAlt) flags |= kControlAlt;
  return static_cast<uint16_t>((shortcut & 0xFF) | (flags << 8));
}

ShortcutChangeResult CheckShortcutChange(const ShortcutValues& current, ShortcutField changed,
                                         uint16_t newValue, uint16_t lastGood) {
  ShortcutChangeResult result{newValue, lastGood, std::nullopt};
  if ((newValue & 0xFF) != 0) {
    for (int i = 0; i < kShortcutFieldCount; ++i) {
      if (i == static_cast<int>(changed) || current[static_cast<size_t>(i)] != newValue) continue;
      result.duplicateMessage = u"快捷键 " + app::ShortcutText(newValue) + u" 已被用于" +
                                std::u16string(ShortcutFieldPurpose(static_cast<ShortcutField>(i))) +
                                u"\r请返回后重新设置";
      result.fieldValue = lastGood;
      return result;
    }
    result.lastGood = newValue;
  }
  return result;
}

IgnoreSubPage IgnoreSubPageFor(uint16_t jumpMenuShortcut) {
  const std::u16string text = app::ShortcutText(jumpMenuShortcut);
  return {u"热键 " + text, !text.empty()};
}

std::u16string CapsLockConflictQuestion(CapsLockOption checking) {
  if (checking == CapsLockOption::DirectJumpList)
    return u"当前试图设置 『当点亮 CapsLock 键时，不受忽略选项的设置，直接弹出路径跳转列表』\r\r"
           u"但已经在 『文件夹管理器』 页面设置了以下选项：\r"
           u"\u3000\u3000当点亮 CapsLock 键时，临时使用另一种方式打开\r\r"
           u"二者都绑定了 CapsLock 键，不能同时兼顾，只能选择其一\r\r"
           u"是否选择直接弹出路径跳转列表、放弃 『文件夹管理器』 页面中与它有冲突的选项？";
  return u"当前试图设置『在点亮 CapsLock 键时，临时使用另外一种方式打开文件夹管理器』\r\r"
         u"但已经在 『不使用全局热键的窗口』 页面设置了以下选项：\r"
         u"\u3000\u3000例外：当 CapsLock 键点亮时，忽略以下设置，直接弹出路径跳转列表\r\r"
         u"二者都绑定了 CapsLock 键，不能同时兼顾，只能选择其一\r\r"
         u"是否选择临时使用另外一种方式打开文件夹管理器、放弃 『不使用全局热键的窗口』 页面中与它有冲突的选项？";
}

CapsLockOption CapsLockOptionToUncheck(CapsLockOption checking, bool answeredYes) {
  const CapsLockOption other = checking == CapsLockOption::DirectJumpList
                                   ? CapsLockOption::AnotherOpenMethod
                                   : CapsLockOption::DirectJumpList;
  return answeredYes ? other : checking;
}

bool CapsLockConflicts(const AppSettings& settings, CapsLockOption checking) {
  return settings.Bool(checking == CapsLockOption::DirectJumpList
                           ? Setting::UseAnotherOpenMethodWhenCapsLock
                           : Setting::DirectJumpListWhenCapsLock);
}

AcceleratorLetters DefaultAcceleratorLetters() { return {u'A', u'R', u'C', u'D', u'S', u'J'}; }

bool IsValidAcceleratorText(std::u16string_view text) {
  return core::Regex::Get(uR"(^[a-z\d]$)").IsMatch(text) && text.size() == 1;
}

std::optional<char16_t> AcceleratorLetterOf(std::u16string_view text) {
  if (!IsValidAcceleratorText(text)) return std::nullopt;
  const char16_t c = text[0];
  return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

std::optional<int> FirstInvalidAcceleratorBox(std::span<const std::u16string> boxTexts) {
  for (size_t i = 0; i < boxTexts.size(); ++i)
    if (!IsValidAcceleratorText(boxTexts[i])) return static_cast<int>(i);
  return std::nullopt;
}

std::span<const Setting> SettingsEnabledBy(Setting box) {
  static constexpr Setting kAutoHide[] = {Setting::AutoHideDistance};
  static constexpr Setting kFill[] = {Setting::FillFolderPathMethod, Setting::SelectionAfterFillPath};
  static constexpr Setting kCapture[] = {Setting::CaptureOfficeOrWindowFolderPathHotKey,
                                         Setting::CapturedFolderPathAction};
  static constexpr Setting kDay[] = {Setting::DayForEmptyDateParameter};
  static constexpr Setting kCustom[] = {Setting::CustomRandomCharacters};
  static constexpr Setting kOpusTab[] = {Setting::DirectoryOpusNewTabPosition,
                                         Setting::DirectoryOpusActivateNewTab};
  static constexpr Setting kCaption[] = {Setting::ItemCaptionMaxLength};
  switch (box) {
    case Setting::AutoHideAtScreenEdge: return kAutoHide;
    case Setting::FillOpenedFolderIntoFocusedEdit: return kFill;
    case Setting::CaptureOfficeOrWindowFolderPath: return kCapture;
    case Setting::SetDayForEmptyDateParameter: return kDay;
    case Setting::CustomCharactersAsRandom: return kCustom;
    case Setting::DirectoryOpusOpenInNewTab: return kOpusTab;
    case Setting::LimitItemCaptionLength: return kCaption;
    default: return {};
  }
}

core::CalendarDate FirstWeekDayInYear(core::CalendarDate picked, int year) {
  if (picked.year == year) return picked;
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  if (picked.month == 2 && picked.day == 29 && !leap) picked.day = 28;
  picked.year = year;
  return picked;
}

}  // namespace pathorama::settings
