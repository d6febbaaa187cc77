// Moving settings between the INI document and the live settings object, and
// the apply step that makes them take effect.
//
// How the program uses it:
//
//   IniDocument ini = ...;                 // opened once at start
//   AppSettings settings(today);
//   SettingsStore store(ini, settings, {facts, window, files});
//   store.LoadAppSetting(LoadRange::All);                  // first activation,
//   store.ApplyAppSetting(ApplyMode::Accepted, effects);   // then the apply step
//   ...
//   store.SaveAppSetting(SaveRange::All);                  // exit, WM_QUERYENDSESSION
//   store.SelectFolderManager(n);          // another manager chosen (dialog, auto-match)
//   store.ApplyAppSetting(ApplyMode::Accepted, effects);   // dialog closed with OK
//   store.ApplyAppSetting(ApplyMode::Cancelled, effects);  // closed otherwise, after
//                                                          // restoring (both save "Option")
//
// Loading only reads: it writes neither the settings file nor the ignore-list
// files nor the registry. Nothing here throws for bad file content: a block
// stops silently at its first unreadable value.
#pragma once

#include <array>
#include <bitset>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/file_io.h"
#include "core/ini.h"
#include "settings/app_settings.h"
#include "settings/apply_step.h"

namespace pathorama::settings {

// What the store needs of the running program, one interface per concern.
// Each is pure virtual, so a host that forgets a call does not compile.

// Facts of the running program.
class ProgramFacts {
 public:
  virtual ~ProgramFacts() = default;
  virtual core::CalendarDate Today() const = 0;
  // Written as [Main] Ver.
  virtual std::u16string AppVersion() const = 0;
  // Full path of the running executable: quoted into the Run value and the
  // verbs; its folder holds the ignore-list files.
  virtual std::u16string ExecutablePath() const = 0;
  // The code page of ignore-list files that are neither UTF-8 nor UTF-16
  // (GBK on a Chinese system).
  virtual unsigned AnsiCodePage() const = 0;
};

// The main window's part: the jump list ([PathMenu]), rebuilt by a load of
// "MainForm" and written by its save, and the window's own place.
class MainWindowHooks {
 public:
  virtual ~MainWindowHooks() = default;
  virtual void CreatePathListFromIni(core::IniDocument& ini) = 0;
  virtual void SavePathListFromMenuToIni(core::IniDocument& ini) = 0;
  // Left and top of the main window, saved as MainWindowPos; nothing leaves
  // the stored value alone.
  virtual std::optional<std::pair<int, int>> MainWindowPosition() const = 0;
  // Loading MainWindowAt = 1 checks the main menu item "隐藏到屏幕外".
  virtual void CheckHideOffScreenMenuItem() = 0;
};

// The disk.
class SettingsFiles {
 public:
  virtual ~SettingsFiles() = default;
  // Before the jump list is saved the settings file's read-only and other
  // attributes are cleared.
  virtual void ClearIniFileAttributes() = 0;
  // Every save ends here: the whole document to disk. False when it was not
  // written (the document in memory stays as it is).
  virtual bool WriteIniFile(const core::IniDocument& ini) = 0;
  // Whole-file access for the ignore lists.
  virtual core::FileBytes ReadFileBytes(const std::u16string& path) = 0;
  virtual core::FileStatus WriteFileBytes(const std::u16string& path, std::string_view bytes) = 0;
};

// The apply step's effects, called in this order.
class ApplyEffects {
 public:
  virtual ~ApplyEffects() = default;
  virtual void ApplyRegistry(const std::vector<RegistryOperation>& operations) = 0;
  virtual void SetVariableOptions(const variables::VariableOptions& options) = 0;
  virtual void SetFunctionItemsVisible(const FunctionItemVisibility& visible) = 0;
  virtual void SetCaptionMaxLength(int32_t maxLength) = 0;
  // `UseGlobalHotKey("All")`: unregister and register the four hotkeys.
  virtual void RegisterHotKeys(const HotKeyShortcuts& shortcuts) = 0;
  virtual void RefreshFunctionItemIcons() = 0;
};

struct SettingsHost {
  ProgramFacts& facts;
  MainWindowHooks& window;
  SettingsFiles& files;
};

// What a load reads.
enum class LoadRange {
  All,            // SetJumpList, MainForm, Option
  MainForm,       // UseGlobalHotKey, then the jump list is rebuilt
  Option,         // the general keys, the folder manager's, the ignore lists, ...
  FolderManager,  // only the folder-manager keys
  SetJumpList,    // HideItemWhenForbid
};

// What a save writes; every save ends by writing the whole document.
enum class SaveRange {
  All,          // MainForm with UseGlobalHotKey, Option, SetJumpList
  MainForm,     // Ver, then the jump list
  Option,       // every key of [Option] and the four ignore-list files
  SetJumpList,  // HideItemWhenForbid
};

// Keys a load or save leaves alone. Keys are skipped by group: adding one
// key adds every key that shares its group (the four positions of the jump
// menu, both jump-list hotkeys, the panel choices of one file manager, ...),
// adding one ignore list adds the other list of its kind.
class IgnoreOptions {
 public:
  IgnoreOptions() = default;
  IgnoreOptions(std::initializer_list<Setting> settings);
  IgnoreOptions& Add(Setting id);
  IgnoreOptions& Add(IgnoreList id);
  bool Skips(Setting id) const { return settings_[static_cast<size_t>(id)]; }
  bool Skips(IgnoreList id) const { return lists_[static_cast<size_t>(id)]; }

 private:
  std::bitset<static_cast<size_t>(Setting::kCount)> settings_;
  std::bitset<static_cast<size_t>(IgnoreList::kCount)> lists_;
};

// Path of an ignore-list file: the executable's folder plus its file name.
std::u16string IgnoreListFilePath(std::u16string_view executablePath, IgnoreList id);
// File bytes -> lines: UTF-8 (byte-order mark optional), UTF-16 or, failing
// both, the code page `ansiCodePage`, detected as for the settings file.
std::vector<std::u16string> IgnoreListLinesFromBytes(std::string_view bytes, unsigned ansiCodePage);
// Lines -> file bytes: UTF-8 with byte-order mark, every line ending in CR LF.
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
  SettingsStore(core::IniDocument& ini, AppSettings& settings, SettingsHost host)
      : ini_(ini), settings_(settings), host_(host) {}

  void LoadAppSetting(LoadRange range, const IgnoreOptions& ignore = {});
  // False when the settings file was not written.
  bool SaveAppSetting(SaveRange range, const IgnoreOptions& ignore = {});
  // Ends by saving "Option".
  void ApplyAppSetting(ApplyMode mode, ApplyEffects& effects);

  // The change of folder manager: `ChosenFolderManager` := index, then that
  // manager's own keys from the document (load "FolderManager" leaving
  // `ChosenFolderManager` alone). False for an index outside 0-6.
  bool SelectFolderManager(int index);

 private:
  enum class ReadResult { Done, Skipped, Bad };
  ReadResult ReadKey(const SettingDefinition& def, const IgnoreOptions& ignore);
  void WriteKey(const SettingDefinition& def, const IgnoreOptions& ignore);
  void LoadBlock(SettingBlock block, const IgnoreOptions& ignore);
  void LoadMainForm(const IgnoreOptions& ignore);
  void LoadOption(const IgnoreOptions& ignore);
  void LoadIgnoreLists(const IgnoreOptions& ignore);
  void SaveSection(SettingBlock block, const IgnoreOptions& ignore);
  void SaveOption(const IgnoreOptions& ignore);
  void SaveIgnoreLists(const IgnoreOptions& ignore);
  void SaveMainForm(bool withUseGlobalHotKey, const IgnoreOptions& ignore);
  void EnforceCapsLockExclusion();

  core::IniDocument& ini_;
  AppSettings& settings_;
  SettingsHost host_;
  // An ignore-list file that exists but could not be read keeps its content
  // on disk: the lines held then (the built-in ones, or those of an earlier
  // read) are never written over it. Lines edited since are.
  std::array<std::optional<std::vector<std::u16string>>, static_cast<size_t>(IgnoreList::kCount)>
      linesOfUnreadLists_;
};

}  // namespace pathorama::settings
