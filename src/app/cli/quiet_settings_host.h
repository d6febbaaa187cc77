// The program around the settings store, for commands that only read a
// settings file: no jump list, no window, no ignore lists, nothing written.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "core/encoding.h"
#include "core/file_io.h"
#include "core/ini.h"
#include "settings/settings_store.h"

namespace pathorama::app::cli {

class QuietSettingsHost : public settings::ProgramFacts,
                          public settings::MainWindowHooks,
                          public settings::SettingsFiles {
 public:
  explicit QuietSettingsHost(core::CalendarDate today) : today_(today) {}
  settings::SettingsHost Host() { return {*this, *this, *this}; }

  core::CalendarDate Today() const override { return today_; }
  std::u16string AppVersion() const override { return u""; }
  std::u16string ExecutablePath() const override { return u""; }
  unsigned AnsiCodePage() const override { return core::SystemAnsiCodePage(); }

  void CreatePathListFromIni(core::IniDocument&) override {}
  void SavePathListFromMenuToIni(core::IniDocument&) override {}
  std::optional<std::pair<int, int>> MainWindowPosition() const override { return std::nullopt; }
  void CheckHideOffScreenMenuItem() override {}

  void ClearIniFileAttributes() override {}
  bool WriteIniFile(const core::IniDocument&) override { return false; }
  core::FileBytes ReadFileBytes(const std::u16string&) override {
    return {core::FileStatus::kNotFound, {}};
  }
  core::FileStatus WriteFileBytes(const std::u16string&, std::string_view) override {
    return core::FileStatus::kAccessDenied;
  }

 private:
  core::CalendarDate today_;
};

}  // namespace pathorama::app::cli
