// The running instance's settings file and live settings, and the window's
// side of loading, saving and applying them.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "app/hotkey_slots.h"
#include "core/ini.h"
#include "editor/jump_tree.h"
#include "jumplist/jump_list.h"
#include "settings/app_settings.h"
#include "settings/settings_file.h"
#include "settings/settings_store.h"

namespace pathorama::app::win32 {

class MainWindow;

class AppSession : public settings::ProgramFacts,
                   public settings::MainWindowHooks,
                   public settings::SettingsFiles,
                   public settings::ApplyEffects {
 public:
  AppSession(MainWindow& window, std::u16string exePath);

  // Reads the settings file into memory (a missing file is an empty
  // document) and, when it is readable but not UTF-8, rewrites it as UTF-8.
  // A file that could not be read, or holds none of the program's sections,
  // is kept as it is (settings_file.h).
  void OpenIniFile();
  const core::IniDocument& Ini() const { return ini_; }
  const std::u16string& IniFilePath() const { return iniFilePath_; }

  // First activation: load everything, then the apply step (which saves
  // [Option] and the ignore lists and writes the registry). Exit and logoff:
  // save everything. Nothing is saved before the first load: the defaults
  // and an empty jump list held until then would overwrite the user's file
  // (a close or a logoff during start-up).
  void LoadAll();
  void SaveAll();
  // The jump list into [PathMenu] and the file, for the parts that change it.
  bool SaveJumpList();
  // The editor's tree into [PathMenu] and the file; false when it could not
  // be written (the document is then as the file is).
  bool SaveJumpListTree(const editor::JumpTree& tree);

  std::array<uint16_t, kHotKeySlotCount> HotKeyShortcuts() const;
  // The folder-manager setting follows a captured window: `FolderManagerName`
  // := index and that manager's own keys from the file.
  bool SelectFolderManager(int index);
  // The options dialog's close: the apply step (OK) or the steps after its
  // restore (cancel); both end by saving [Option].
  void ApplySettings(settings::ApplyMode mode) { store_.ApplyAppSetting(mode, *this); }
  settings::AppSettings& Settings() { return settings_; }
  // The jump list the popup, the editor and the add dialog work on.
  jumplist::JumpList& JumpListItems() { return jumpList_; }
  const settings::FunctionItemVisibility& FunctionItemsVisible() const {
    return functionItemsVisible_;
  }

  // ProgramFacts
  core::CalendarDate Today() const override;
  std::u16string AppVersion() const override;
  std::u16string ExecutablePath() const override { return exePath_; }
  unsigned AnsiCodePage() const override;
  // MainWindowHooks
  void CreatePathListFromIni(core::IniDocument& ini) override;
  void SavePathListFromMenuToIni(core::IniDocument& ini) override;
  std::optional<std::pair<int, int>> MainWindowPosition() const override;
  void CheckHideOffScreenMenuItem() override;
  // SettingsFiles
  void ClearIniFileAttributes() override;
  bool WriteIniFile(const core::IniDocument& ini) override;
  core::FileBytes ReadFileBytes(const std::u16string& path) override;
  core::FileStatus WriteFileBytes(const std::u16string& path, std::string_view bytes) override;
  // ApplyEffects
  void ApplyRegistry(const std::vector<settings::RegistryOperation>& operations) override;
  void SetVariableOptions(const variables::VariableOptions& options) override;
  void SetFunctionItemsVisible(const settings::FunctionItemVisibility& visible) override;
  void SetCaptionMaxLength(int32_t maxLength) override;
  void RegisterHotKeys(const settings::HotKeyShortcuts& shortcuts) override;
  void RefreshFunctionItemIcons() override;

 private:
  MainWindow& window_;
  std::u16string exePath_;
  std::u16string iniFilePath_;
  core::IniDocument ini_;
  settings::AppSettings settings_;
  settings::SettingsStore store_;
  jumplist::JumpList jumpList_;
  variables::VariableOptions variableOptions_;
  settings::FunctionItemVisibility functionItemsVisible_;
  bool loaded_ = false;
  // How the file was found; Unrecognised turns into Readable once the file
  // has been kept aside.
  settings::SettingsFileState iniState_ = settings::SettingsFileState::Missing;
  core::FileStatus iniReadStatus_ = core::FileStatus::kOk;
};

}  // namespace pathorama::app::win32
