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
#include <optional>
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
// a time. Nothing for anything else and for a day that does not exist.
std::optional<core::CalendarDate> ParseSettingDate(std::u16string_view text);

// One enumerator per stored key (per-manager keys stand for the key of the
// chosen manager); the key as stored is in the definition table, whose order
// this is.
enum class Setting : int {
  // [Main]
  Version,
  UseGlobalHotKey,
  // [SetJumpList]
  HideDisabledItems,
  // [Option], general keys
  JumpMenuUnderCursor,
  JumpMenuUnderApp,
  JumpMenuUnderAddressBar,
  JumpMenuAtCenter,
  JumpMenuHotKey1,
  JumpMenuHotKey2,
  OpenSaveDialogHotKey,
  FillOpenedFolderIntoFocusedEdit,
  FillFolderPathMethod,
  SelectionAfterFillPath,
  SaveOpenedFolderPathToClipboard,
  GetFolderFromManager,
  CaptureOfficeOrWindowFolderPath,
  CaptureOfficeOrWindowFolderPathHotKey,
  CapturedFolderPathAction,
  MainWindowAt,
  MainWindowPosition,
  AutoHideAtScreenEdge,
  AutoHideDistance,
  AutoRunWhenSystemStart,
  AddSelectedItemToJumpListFromContextMenu,
  DirectJumpListWhenCapsLock,
  ShowMessageWhenHotKeyIgnored,
  WeekStartsWith,
  AsFirstWeek,
  FirstDayAsFirstWeek,
  YearMonthDayDelimiter,
  SetDayForEmptyDateParameter,
  DayForEmptyDateParameter,
  UpperEnglishLetterAsRandom,
  LowerEnglishLetterAsRandom,
  RomanNumeralsAsRandom,
  ArabicNumberAsRandom,
  CapitalChineseNumeralsAsRandom,
  ChineseNumeralsAsRandom,
  CircledNumberAsRandom,
  CustomCharactersAsRandom,
  CustomRandomCharacters,
  RandomLength,
  HideAddCurrentFolder,
  HideConfigureJumpList,
  HideBatchDeleteItems,
  HideAppSettings,
  HideDisableJumpListHotKey,
  AddCurrentFolderItemToEveryGroup,
  LimitItemCaptionLength,
  ItemCaptionMaxLength,
  // [Option], folder-manager keys
  FolderManagerAutoMatch,
  ChosenFolderManager,
  FolderManagerPath,                 // _<n>
  FolderManagerParameters,           // _<n>
  ReuseFolderManagerWindow,          // _<n>
  OpenNewFolderManagerWindow,        // _<n>
  UseAnotherOpenMethodWhenCapsLock,  // _<n>
  MaximizeFolderManager,             // _<n>
  MinimizeFolderManager,             // _<n>
  NormalFolderManager,               // _<n>
  ActivateOnlyWhenFolderAlreadyOpen,
  ExplorerOpensFurtherFoldersInNewWindows,
  TotalCommanderOpenAtLeftPanel,
  TotalCommanderOpenAtRightPanel,
  TotalCommanderOpenAtSourcePanel,
  TotalCommanderOpenAtTargetPanel,
  TotalCommanderActivateNewTab,
  TotalCommanderPanelToActivate,
  DirectoryOpusOpenAtLeftPanel,
  DirectoryOpusOpenAtRightPanel,
  DirectoryOpusOpenAtSourcePanel,
  DirectoryOpusOpenAtTargetPanel,
  DirectoryOpusOpenInNewTab,
  DirectoryOpusNewTabPosition,
  DirectoryOpusActivateNewTab,
  DirectoryOpusExpandFolderTree,
  DirectoryOpusActivateOpenFolderTab,
  DirectoryOpusNewTabView,
  XYplorerExpandFolderTree,
  XYplorerDoNotSaveSettings,
  Xplorer2SinglePanel,
  Xplorer2DualPanels,
  Xplorer2DoNotRestoreTabs,
  FreeCommanderOpenAtLeftPanel,
  FreeCommanderOpenAtRightPanel,
  FreeCommanderOpenAtSourcePanel,
  FreeCommanderOpenAtTargetPanel,
  FreeCommanderActivateNewTab,
  FreeCommanderPanelToActivate,
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
  std::u16string_view group;  // keys skipped together (IgnoreOptions); empty: the key alone
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

// The four ignore lists (held as lines of text; stored in files beside the
// executable, written as UTF-8).
enum class IgnoreList { AppName1, WindowClass1, AppName2, WindowClass2, kCount };
struct IgnoreListDefinition {
  IgnoreList id;
  std::u16string_view fileName;  // "IgnoreAppName1.lst", ...
  std::u16string_view group;     // "IgnoreAppName" or "IgnoreWindowClass": skipped together
};
std::span<const IgnoreListDefinition> IgnoreListDefinitions();
// The built-in lines used while the file does not exist.
std::vector<std::u16string> DefaultIgnoreListLines(IgnoreList id);

// Indexes of `ChosenFolderManager`.
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

  // The folder manager whose per-manager keys are held (`ChosenFolderManager`).
  int FolderManagerIndex() const { return Int(Setting::ChosenFolderManager); }

  // For loaders, which take a file as they find it and tidy up afterwards:
  // ResetToDefault gives a key its default as a file without the key would
  // (a date default taken from `today`); SetLoadedBool may also uncheck a
  // member of a radio group. Either may leave a radio group with no member
  // checked; EnsureRadioChoices then checks the default member of every such
  // group. The other setters never leave a group empty.
  void ResetToDefault(Setting id, core::CalendarDate today);
  void SetLoadedBool(Setting id, bool value);
  void EnsureRadioChoices();

  const std::vector<std::u16string>& IgnoreListLines(IgnoreList id) const {
    return ignoreLists_[static_cast<size_t>(id)];
  }
  void SetIgnoreListLines(IgnoreList id, std::vector<std::u16string> lines) {
    ignoreLists_[static_cast<size_t>(id)] = std::move(lines);
  }

 private:
  struct Value {
    long long number = 0;
    std::u16string text;
    core::CalendarDate date;
  };
  static size_t index(Setting id) { return static_cast<size_t>(id); }
  long long number(Setting id) const { return values_[index(id)].number; }
  void SetRadioMember(Setting id, bool value);  // unchecking allowed
  std::vector<Value> values_;
  std::vector<std::vector<std::u16string>> ignoreLists_;
};

}  // namespace pathorama::settings
