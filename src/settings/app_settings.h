// The live settings object: the current value of every option of the
// program, independent of the options dialog that edits it. Every key is
// defined once, in the table of app_settings.cpp (section, key, group, type,
// default, range); loading and saving (settings_store.h) walk that table.
//
// Reading: Bool/Int/Shortcut/Text/Date by `Setting`. Keys kept per folder
// manager (`FolderManagerPath_<n>` and so on) hold the values of the manager
// selected by `FolderManagerName`; switching the manager means reloading
// them (SettingsStore::SelectFolderManager).
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/calendar.h"

namespace pathorama::settings {

// "yyyy-mm-dd": the stored form, the same on every locale.
std::u16string FormatSettingDate(const core::CalendarDate& date);
// Accepts the stored form and the usual short forms of a Windows date
// ("2024/1/5", "2024.01.05", "5.1.2024", "1/5/2024"), optionally followed by
// a time. Fails on anything else and on a day that does not exist.
bool ParseSettingDate(std::u16string_view text, core::CalendarDate& date);

// One enumerator per stored key, named as the key (per-manager keys without
// their "_<n>" ending). The order is the order of the definition table.
enum class Setting : int {
  // [Main]
  Ver,
  UseGlobalHotKey,
  // [SetJumpList]
  HideItemWhenForbid,
  // [Option], general keys
  JumpMenuUnderCursor,
  JumpMenuUnderApp,
  JumpMenuUnderAddressBar,
  JumpMenuAtCenter,
  JumpMenuHotKey1,
  JumpMenuHotKey2,
  OpenSaveDialogHotKey,
  FillOpenedFolderInActivateEdit,
  FillFolderPathMethod,
  SelTextAfterFillPath,
  SaveOpendFolderPathToClip,
  GetFolderFromManager,
  chkCaptureOfficeOrWindowFolderPath,
  hkCaptureOfficeOrWindowFolderPath,
  OperateOfficeOrWindowFolderPathCaptured,
  MainWindowAt,
  MainWindowPos,
  AutoHideWhenScreenEdge,
  AutoHideDistance,
  AutoRunWhenSystemStart,
  AddSeledItemToJumpListForRMenu,
  DirectJumpListWhenCapsLock,
  ShowMsgWhenIgnoreGlobalHotKey,
  WeekStartsWith,
  AsFirstWeek,
  FirstDayAsFirstWeek,
  YearMonthDayDelimiter,
  chkSetDayForDayCustomVarEmptyParam,
  dtpDayForDayCustomVarEmptyParam,
  UpperEnglishLetterAsRandom,
  LowerEnglishLetterAsRandom,
  RomaAsRandom,
  ArabicNumberAsRandom,
  CapitalChineseNumAsRandom,
  chk_NormalChineseNumAsRandom,
  CircledNumberAsRandom,
  chkCustomCharsAsRandom,
  edtCustomCharsAsRandom,
  RandomLength,
  HideAddCurFolder,
  HideSetJumpList,
  HideBatchDelItems,
  HideAppSetting,
  HideForbidJumpListHotkey,
  AddCurDirForEverySubJumplist,
  chkJumpListItemCaptionMaxLength,
  nbxJumpListItemCaptionMaxLength,
  // [Option], folder-manager keys
  FolderManagerAutoMatch,
  FolderManagerName,
  FolderManagerPath,                 // _<n>
  FolderManagerParam,                // _<n>
  UseOldFolderManager,               // _<n>
  OpenNewFolderManager,              // _<n>
  UseAnotherOpenMethodWhenCapsLock,  // _<n>
  MaxmizeFolderManager,              // _<n>
  MinmizeFolderManager,              // _<n>
  NormalFolderManager,               // _<n>
  ActiveOnlyWhenCurFolderReOpen,
  MultiFoldersOpenMethod_EP,
  OpenAtLeftPanel_TC,
  OpenAtRightPanel_TC,
  OpenAtSourcePanel_TC,
  OpenAtDestPanel_TC,
  ActivateNewTab_TC,
  ActivatePanelWhenNewOpen_TC,
  OpenAtLeftPanel_DO,
  OpenAtRightPanel_DO,
  OpenAtSourcePanel_DO,
  OpenAtDestPanel_DO,
  OpenAtNewTab_DO,
  NewTabPos_DO,
  ActivateNewTab_DO,
  ExpandFolderTree_DO,
  ActiveExistFolderTab,
  NewTabView_DO,
  ExpandFolderTree_XY,
  NotSaveSetting_XY,
  SinglePanel_Xp,
  DublePanels_Xp,
  NotRestoreTabs_Xp,
  OpenAtLeftPanel_FC,
  OpenAtRightPanel_FC,
  OpenAtSourcePanel_FC,
  OpenAtDestPanel_FC,
  ActivateNewTab_FC,
  ActivatePanelWhenNewOpen_FC,
  kCount
};

enum class SettingType { Bool, Int, Shortcut, Text, Date, WindowPos };

// Loading stops a block at its first unreadable value and carries on with
// the next block.
enum class SettingBlock {
  Main,
  SetJumpList,
  General,
  FolderManager,
  CapsLock,
  DateAndRandom,
  FunctionItems,
};

enum class DateDefault { None, StartOfYear, Today };
enum class TextSaveTrim { None, SpacesAndBackslashes, WhiteSpace };

struct SettingDefinition {
  Setting id;
  std::u16string_view section;
  std::u16string_view key;    // per-manager keys: without "_<n>"
  std::u16string_view group;  // empty: the key name (with "_<n>" for per-manager keys)
  SettingType type;
  long long defaultNumber;
  std::u16string_view defaultText;
  DateDefault defaultDate;
  long long minimum, maximum;  // Int and Shortcut
  // Number boxes take the nearest bound for a value outside their range;
  // combo indexes and shortcuts outside it keep their previous value.
  bool clampToRange;
  SettingBlock block;
  bool perManager;
  int radioGroup;  // 0: none; members of one group exclude each other
  TextSaveTrim saveTrim;
};

std::span<const SettingDefinition> SettingDefinitions();
const SettingDefinition& DefinitionOf(Setting id);
// The key as stored: per-manager keys get "_<n>" for manager `managerIndex`.
std::u16string StoredKeyName(const SettingDefinition& def, int managerIndex);
// The name by which IgnoreOptions skips the key.
std::u16string GroupName(const SettingDefinition& def, int managerIndex);

// The four ignore lists (held as lines of text; stored in files beside the
// executable, UTF-8).
enum class IgnoreList { AppName1, WindowClass1, AppName2, WindowClass2, kCount };
struct IgnoreListDefinition {
  IgnoreList id;
  std::u16string_view fileName;  // "IgnoreAppName1.lst", ...
  std::u16string_view group;     // "IgnoreAppName" or "IgnoreWindowClass"
};
std::span<const IgnoreListDefinition> IgnoreListDefinitions();
// The built-in lines used while the file does not exist.
std::vector<std::u16string> DefaultIgnoreListLines(IgnoreList id);

// Indexes of `FolderManagerName`.
inline constexpr int kFolderManagerCount = 7;

// A plain value: the options dialog may keep a copy when it is shown and
// assign it back when it is cancelled.
class AppSettings {
 public:
  // Every key at its default; date defaults are taken from `today`.
  explicit AppSettings(core::CalendarDate today);

  void ResetToDefaults(core::CalendarDate today);

  bool Bool(Setting id) const { return number(id) != 0; }
  int Int(Setting id) const { return static_cast<int>(number(id)); }
  uint16_t Shortcut(Setting id) const { return static_cast<uint16_t>(number(id)); }
  const std::u16string& Text(Setting id) const { return values_[index(id)].text; }
  core::CalendarDate Date(Setting id) const { return values_[index(id)].date; }

  // Setters refuse (return false, value unchanged) a value of the wrong type,
  // an Int/Shortcut outside its range (number boxes clamp instead) and an
  // invalid date. Checking a member of a radio group unchecks the others;
  // unchecking one is refused (check another member instead).
  bool SetBool(Setting id, bool value);
  bool SetInt(Setting id, long long value);
  // Line breaks are dropped: a value is one line of the INI file.
  bool SetText(Setting id, std::u16string_view value);
  bool SetDate(Setting id, core::CalendarDate value);

  // The folder manager whose per-manager keys are held (`FolderManagerName`).
  int FolderManagerIndex() const { return Int(Setting::FolderManagerName); }

  const std::vector<std::u16string>& IgnoreListLines(IgnoreList id) const {
    return ignoreLists_[static_cast<size_t>(id)];
  }
  void SetIgnoreListLines(IgnoreList id, std::vector<std::u16string> lines) {
    ignoreLists_[static_cast<size_t>(id)] = std::move(lines);
  }

 private:
  friend class SettingsStore;
  struct Value {
    long long number = 0;
    std::u16string text;
    core::CalendarDate date;
  };
  static size_t index(Setting id) { return static_cast<size_t>(id); }
  long long number(Setting id) const { return values_[index(id)].number; }
  void SetRadioMember(Setting id, bool value);  // loader: unchecking allowed
  void EnsureRadioChoice(int group);            // none checked: the default member
  std::vector<Value> values_;
  std::vector<std::vector<std::u16string>> ignoreLists_;
};

}  // namespace pathorama::settings
