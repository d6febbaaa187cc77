// `settings`: the value of every option as the program loads a Pathorama INI.
#include <ctime>
#include <optional>

#include "app/cli/cli.h"
#include "app/cli/cli_settings.h"
#include "app/cli/quiet_settings_host.h"
#include "core/encoding.h"
#include "core/file_io.h"
#include "core/ini.h"
#include "settings/app_settings.h"
#include "settings/settings_store.h"

namespace pathorama::app::cli {

core::CalendarDate LocalToday() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &now);
#else
  localtime_r(&now, &local);
#endif
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

std::optional<settings::AppSettings> LoadSettingsFile(const std::u16string& path,
                                                      std::u16string_view command, Output& output) {
  core::LoadedIni file = core::LoadIniDocument(path, core::SystemAnsiCodePage());
  if (file.status != core::FileStatus::kOk) {
    output.ErrLine(u"pathorama-cli " + std::u16string(command) + u": cannot read " + path + u": " +
                   core::FileStatusText(file.status));
    return std::nullopt;
  }
  const core::CalendarDate today = LocalToday();
  settings::AppSettings settings(today);
  QuietSettingsHost host(today);
  settings::SettingsStore store(file.document, settings, host.Host());
  store.LoadAppSetting(settings::LoadRange::All);
  return settings;
}

// One line per key, "Section/Key=value", in the order of the key tables; the
// per-manager keys are those of the chosen manager. Keys the program only
// writes (Ver, MainWindowPos) are left out.
int RunSettings(const std::vector<std::u16string>& args, Output& output) {
  std::optional<core::CalendarDate> today;
  std::optional<std::u16string> path;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == u"--today") {
      if (i + 1 < args.size()) today = settings::ParseSettingDate(args[i + 1]);
      if (!today) throw UsageError{u"--today takes a date YYYY-MM-DD"};
      ++i;
    } else if (path) {
      throw UsageError{u"too many arguments"};
    } else {
      path = args[i];
    }
  }
  if (!path) throw UsageError{u"missing FILE"};

  core::LoadedIni file = core::LoadIniDocument(*path, core::SystemAnsiCodePage());
  if (file.status != core::FileStatus::kOk) {
    output.ErrLine(u"pathorama-cli settings: cannot read " + *path + u": " +
                   core::FileStatusText(file.status));
    return 1;
  }
  core::IniDocument& ini = file.document;
  const core::CalendarDate day = today.value_or(LocalToday());
  settings::AppSettings settings(day);
  QuietSettingsHost host(day);
  settings::SettingsStore store(ini, settings, host.Host());
  store.LoadAppSetting(settings::LoadRange::All);
  for (const settings::SettingDefinition& def : settings::SettingDefinitions()) {
    if (def.id == settings::Setting::Version || def.type == settings::SettingType::WindowPos)
      continue;
    output.Line(std::u16string(def.section) + u"/" + StoredKeyName(def, settings.FolderManagerIndex()) +
                u"=" + SettingValueText(settings, def, day));
  }
  return 0;
}

}  // namespace pathorama::app::cli
