// The running instance's settings file and live settings, and the window's
// side of loading, saving and applying them.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "app/hotkey_slots.h"
#include "core/ini.h"
#include "jumplist/jump_list.h"
#include "settings/app_settings.h"
#include "settings/settings_store.h"

namespace pathorama::app::win32 {

class MainWindow;

class AppSession : public settings::SettingsHost {
 public:
  AppSession(MainWindow& window, std::u16string exePath);

  // Converts the settings file to UTF-8 when it is in another encoding, then
  // reads it into memory (a missing file is an empty document).
  void OpenIniFile();
  const core::IniDocument& Ini() const { return ini_; }
  const std::u16string& IniFilePath() const { return iniFilePath_; }

  // `LoadAndUseAppSetting("All", "")` and `SaveAppSetting("All", "")`.
  // Nothing is saved before the first load: the defaults and an empty jump
  // list held until then would overwrite the user's file (a close or a
  // logoff during start-up).
  void LoadAll();
  void SaveAll();

  std::array<uint16_t, kHotKeySlotCount> HotKeyShortcuts() const;
  settings::AppSettings& Settings() { return settings_; }
  // The jump list the popup, the editor and the add dialog work on.
  jumplist::JumpList& JumpListItems() { return jumpList_; }

  // SettingsHost
  core::CalendarDate Today() const override;
  std::u16string AppVersion() const override;
  std::u16string ExecutablePath() const override { return exePath_; }
  void CreatePathListFromIni(core::IniDocument& ini) override;
  void SavePathListFromMenuToIni(core::IniDocument& ini) override;
  void ClearIniFileAttributes() override;
  bool WriteIniFile(const core::IniDocument& ini) override;
  std::optional<std::string> ReadFileBytes(const std::u16string& path) override;
  bool WriteFileBytes(const std::u16string& path, std::string_view bytes) override;
  std::optional<std::pair<int, int>> MainWindowPosition() const override;
  void CheckHideOffScreenMenuItem() override;
  void ApplyRegistry(const std::vector<settings::RegistryOperation>& operations) override;
  void SetVariableOptions(const variables::VariableOptions& options) override;
  void SetCaptionMaxLength(int32_t maxLength) override;
  void RegisterHotKeys(const settings::HotKeyShortcuts& shortcuts) override;

 private:
  MainWindow& window_;
  std::u16string exePath_;
  std::u16string iniFilePath_;
  core::IniDocument ini_;
  settings::AppSettings settings_;
  settings::SettingsStore store_;
  jumplist::JumpList jumpList_;
  variables::VariableOptions variableOptions_;
  bool loaded_ = false;
  bool iniUnreadable_ = false;  // the file exists but could not be read: never overwrite it
};

}  // namespace pathorama::app::win32
