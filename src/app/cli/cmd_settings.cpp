// `settings`: the value of every option as the program loads a Pathorama INI.
#include <ctime>
#include <optional>

#include "app/cli/cli.h"
#include "core/encoding.h"
#include "core/file_io.h"
#include "core/ini.h"
#include "settings/app_settings.h"
#include "settings/settings_store.h"

namespace pathorama::app::cli {

namespace {

// Loads without side effects: no registry, no files, no hotkeys.
class QuietHost : public settings::SettingsHost {
 public:
  explicit QuietHost(core::CalendarDate today) : today_(today) {}
  core::CalendarDate Today() const override { return today_; }
  std::u16string ExecutablePath() const override { return u""; }

 private:
  core::CalendarDate today_;
};

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

}  // namespace

// One line per key, "Section/Key=value", in the order of the key tables; the
// per-manager keys are those of the chosen manager. Keys the program only
// writes (Ver, MainWindowPos) are left out.
int RunSettings(const std::vector<std::u16string>& args, Output& output) {
  std::optional<core::CalendarDate> today;
  std::optional<std::u16string> path;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == u"--today") {
      core::CalendarDate date;
      if (i + 1 >= args.size() || !settings::ParseSettingDate(args[i + 1], date))
        throw UsageError{u"--today takes a date YYYY-MM-DD"};
      today = date;
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
  QuietHost host(day);
  settings::SettingsStore store(ini, settings, host);
  store.LoadAndUseAppSetting(u"All", u"");
  for (const settings::SettingDefinition& def : settings::SettingDefinitions()) {
    if (def.id == settings::Setting::Ver || def.type == settings::SettingType::WindowPos) continue;
    output.Line(std::u16string(def.section) + u"/" + StoredKeyName(def, settings.FolderManagerIndex()) +
                u"=" + SettingValueText(settings, def, day));
  }
  return 0;
}

}  // namespace pathorama::app::cli
