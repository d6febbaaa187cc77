// `menu`: the jump-list popup as the program prepares it for a settings file,
// with a given folder open.
#include <ctime>
#include <optional>

#include "app/cli/cli.h"
#include "app/cli/quiet_settings_host.h"
#include "core/encoding.h"
#include "core/file_io.h"
#include "core/ini.h"
#include "core/text.h"
#include "jumplist/jump_list.h"
#include "jumplist/jump_menu.h"
#include "jumplist/jump_menu_settings.h"
#include "settings/apply_step.h"
#include "settings/settings_store.h"
#include "variables/clocks.h"
#include "variables/numbering.h"
#include "variables/system_facts.h"
#include "variables/variable_expansion.h"

namespace pathorama::app::cli {

int RunMenu(const std::vector<std::u16string>& args, Output& output) {
  std::optional<variables::LocalDateTime> now;
  std::u16string folder;
  std::optional<std::u16string> path;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::u16string& arg = args[i];
    auto value = [&]() -> const std::u16string& {
      if (i + 1 >= args.size()) throw UsageError{arg + u" needs a value"};
      return args[++i];
    };
    if (arg == u"--folder") {
      folder = value();
    } else if (arg == u"--now") {
      now = variables::ParseLocalDateTime(value());
      if (!now) throw UsageError{u"--now takes \"YYYY-MM-DD HH:MM:SS\""};
    } else if (path) {
      throw UsageError{u"too many arguments"};
    } else {
      path = arg;
    }
  }
  if (!path) throw UsageError{u"missing FILE"};

  core::LoadedIni file = core::LoadIniDocument(*path, core::SystemAnsiCodePage());
  if (file.status != core::FileStatus::kOk) {
    output.ErrLine(u"pathorama-cli menu: cannot read " + *path + u": " +
                   core::FileStatusText(file.status));
    return 1;
  }
  variables::SystemClock systemClock;
  variables::FixedClock fixedClock(now.value_or(variables::LocalDateTime{}));
  const variables::Clock& clock =
      now ? static_cast<const variables::Clock&>(fixedClock) : systemClock;
  const variables::LocalDateTime t = clock.Now();
  const core::CalendarDate today{t.year, t.month, t.day};

  core::IniDocument& ini = file.document;
  settings::AppSettings settings(today);
  QuietSettingsHost host(today);
  settings::SettingsStore store(ini, settings, host.Host());
  store.LoadAppSetting(settings::LoadRange::All);

  // As at start-up: the list is read before the caption limit is in force,
  // then the function block and the groups' current-folder items are added.
  jumplist::JumpList list;
  list.CreatePathListFromIni(
      ini, {jumplist::kNoCaptionLimit, settings.Bool(settings::Setting::HideDisabledItems)});
  jumplist::CopyFunctionItemsIntoJumpList(list, 1);
  const jumplist::MenuOptions options = jumplist::MenuOptionsFromSettings(settings);
  jumplist::SetCurrentFolderItems(list, options.currentFolderItemInEveryGroup);

  const variables::VariableOptions variableOptions =
      settings::VariableOptionsFromSettings(settings, today);
  variables::SeededRandom random;
  // One preparation asks other programs once, however many entries ask.
  variables::BatchSystemFacts facts(variables::PlatformSystemFacts());
  variables::VariableEnvironment env{&clock, &random, &variableOptions};
  env.system = &facts;
  jumplist::PreparedMenu prepared = jumplist::PrepareJumpMenu(
      list, folder, options,
      [&](std::u16string_view text) { return variables::ExpandPathVariables(text, env); });
  output.out += jumplist::PreparedMenuText(list, prepared);
  return 0;
}

}  // namespace pathorama::app::cli
