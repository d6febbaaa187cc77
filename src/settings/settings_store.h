// Moving settings between the INI document and the live settings object, and
// the apply step that makes them take effect.
//
// How the program uses it (API kept stable):
//
//   IniDocument ini = ...;                 // opened once at start
//   AppSettings settings(today);
//   SettingsStore store(ini, settings, host);
//   store.LoadAndUseAppSetting(u"All", u"");   // first activation
//   ...
//   store.SaveAppSetting(u"All", u"");         // exit, WM_QUERYENDSESSION
//   store.SelectFolderManager(n);              // another manager chosen (dialog, auto-match)
//   store.ApplyAppSetting(ApplyMode::Accepted);   // dialog closed with OK
//   store.ApplyAppSetting(ApplyMode::Cancelled);  // closed otherwise, after restoring
//                                                 // (both end by saving "Option")
//
// Ranges ("All", "MainForm", "Option", "FolderManager", "SetJumpList") and
// IgnoreOptions (comma-separated group names) are compared without regard to
// case. Unknown ranges do nothing. Nothing here throws for bad file content:
// a block stops silently at its first unreadable value.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/ini.h"
#include "settings/app_settings.h"
#include "settings/apply_step.h"

namespace pathorama::settings {

// What the store needs from the running program. Every call has a harmless
// default so a host implements only what it has.
class SettingsHost {
 public:
  virtual ~SettingsHost() = default;

  virtual core::CalendarDate Today() const = 0;
  // `AppVersion`, written as [Main] Ver.
  virtual std::u16string AppVersion() const { return u"1.0"; }
  // Full path of the running executable: quoted into the Run value and the
  // verbs, and its folder holds the ignore-list files.
  virtual std::u16string ExecutablePath() const = 0;

  // The jump list ([PathMenu]); rebuilt by load "MainForm", written by save
  // "MainForm". Until the jump list exists these do nothing.
  virtual void CreatePathListFromIni(core::IniDocument& ini) {}
  virtual void SavePathListFromMenuToIni(core::IniDocument& ini) {}
  // Before the jump list is saved the INI file's read-only and other
  // attributes are cleared.
  virtual void ClearIniFileAttributes() {}
  // Every save ends here: the whole document to disk. False when it could not
  // be written (the document in memory stays as it is).
  virtual bool WriteIniFile(const core::IniDocument& ini) { return false; }

  // Whole-file access for the ignore lists (bytes). nullopt: missing or
  // unreadable.
  virtual std::optional<std::string> ReadFileBytes(const std::u16string& path) {
    return std::nullopt;
  }
  virtual bool WriteFileBytes(const std::u16string& path, std::string_view bytes) {
    return false;
  }

  // Left and top of the main window, saved as MainWindowPos; nullopt leaves
  // the stored value alone.
  virtual std::optional<std::pair<int, int>> MainWindowPosition() const { return std::nullopt; }
  // Loading MainWindowAt = 1 checks the main menu item "隐藏到屏幕外".
  virtual void CheckHideOffScreenMenuItem() {}

  // The apply step's effects, in this order.
  virtual void ApplyRegistry(const std::vector<RegistryOperation>& operations) {}
  virtual void SetVariableOptions(const variables::VariableOptions& options) {}
  virtual void SetFunctionItemsVisible(const FunctionItemVisibility& visible) {}
  virtual void SetCaptionMaxLength(int32_t maxLength) {}
  // `UseGlobalHotKey("All")`: unregister and register the four hotkeys.
  virtual void RegisterHotKeys(const HotKeyShortcuts& shortcuts) {}
  virtual void RefreshFunctionItemIcons() {}
};

// IgnoreOptions: is `group` in the comma-separated list (case-insensitive,
// whole names only)?
bool IsGroupIgnored(std::u16string_view ignoreOptions, std::u16string_view group);

// Path of an ignore-list file: the executable's folder plus its file name.
std::u16string IgnoreListFilePath(std::u16string_view executablePath, IgnoreList id);
// File bytes <-> lines: UTF-8, byte-order mark optional on reading and
// written; every line ends with CR LF.
std::vector<std::u16string> IgnoreListLinesFromBytes(std::string_view bytes);
std::string IgnoreListBytesFromLines(const std::vector<std::u16string>& lines);

// The text a key is stored as: "1"/"0", decimal numbers, dates as
// "yyyy-mm-dd" (AsFirstWeek moved into the year of `today`), texts with the
// key's save trimming. MainWindowPos is the host's and gives "".
std::u16string SettingValueText(const AppSettings& settings, const SettingDefinition& def,
                                core::CalendarDate today);

enum class ApplyMode {
  Accepted,   // all steps
  Cancelled,  // only the steps after restoring: hotkeys, random pool, save, icons
};

class SettingsStore {
 public:
  SettingsStore(core::IniDocument& ini, AppSettings& settings, SettingsHost& host)
      : ini_(ini), settings_(settings), host_(host) {}

  // Returns false for an unknown range.
  bool LoadAndUseAppSetting(std::u16string_view loadRange, std::u16string_view ignoreOptions);
  // Returns false for an unknown range or when the file could not be written.
  bool SaveAppSetting(std::u16string_view saveRange, std::u16string_view ignoreOptions);
  void ApplyAppSetting(ApplyMode mode);

  // The change of folder manager: `FolderManagerName` := index, then that
  // manager's own keys from the document (load "FolderManager" ignoring
  // "FolderManagerName"). False for an index outside 0-6.
  bool SelectFolderManager(int index);

 private:
  enum class ReadResult { Done, Skipped, Bad };
  ReadResult ReadKey(const SettingDefinition& def, std::u16string_view ignoreOptions);
  void WriteKey(const SettingDefinition& def, std::u16string_view ignoreOptions);
  void LoadBlock(SettingBlock block, std::u16string_view ignoreOptions);
  void LoadMainForm(std::u16string_view ignoreOptions);
  void LoadOption(std::u16string_view ignoreOptions);
  void LoadFolderManager(std::u16string_view ignoreOptions);
  void LoadIgnoreLists(std::u16string_view ignoreOptions);
  void SaveSection(SettingBlock block, std::u16string_view ignoreOptions);
  void SaveOption(std::u16string_view ignoreOptions);
  void SaveMainForm(bool withUseGlobalHotKey, std::u16string_view ignoreOptions);
  void EnforceCapsLockExclusion();

  core::IniDocument& ini_;
  AppSettings& settings_;
  SettingsHost& host_;
};

}  // namespace pathorama::settings
