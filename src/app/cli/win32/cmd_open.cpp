// `open`: opens a path info as choosing a jump-list entry with it does,
// with the topmost folder manager window as the place the user works.
#include <windows.h>

#include <optional>

#include "app/cli/cli.h"
#include "app/cli/cli_prompts.h"
#include "app/cli/cli_settings.h"
#include "paths/folder_manager_settings.h"
#include "paths/win32/item_run.h"
#include "settings/apply_step.h"
#include "variables/clocks.h"
#include "variables/numbering.h"
#include "variables/system_facts.h"
#include "variables/variable_expansion.h"
#include "windows/win32/folder_managers.h"

namespace pathorama::app::cli {

int RunOpen(const std::vector<std::u16string>& args, Output& output) {
  std::optional<std::u16string> iniPath, pathInfo;
  bool yes = false;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == u"--ini") {
      if (i + 1 >= args.size()) throw UsageError{u"--ini needs a value"};
      iniPath = args[++i];
    } else if (args[i] == u"--yes") {
      yes = true;
    } else if (pathInfo) {
      throw UsageError{u"too many arguments"};
    } else {
      pathInfo = args[i];
    }
  }
  if (!pathInfo) throw UsageError{u"missing PATHINFO"};
  const core::CalendarDate today = LocalToday();
  std::optional<settings::AppSettings> settings;
  if (iniPath) {
    settings = LoadSettingsFile(*iniPath, u"open", output);
    if (!settings) return 1;
  } else {
    settings.emplace(today);
  }
  variables::SystemClock clock;
  variables::SeededRandom random;
  const variables::VariableOptions variableOptions =
      settings::VariableOptionsFromSettings(*settings, today);
  variables::BatchSystemFacts facts(variables::PlatformSystemFacts());
  variables::VariableEnvironment env{&clock, &random, &variableOptions};
  env.system = &facts;

  paths::win32::OpenContext context;
  context.options = paths::OpeningOptionsFrom(*settings);
  context.expand = [&env](std::u16string_view text) {
    return variables::ExpandPathVariables(text, env);
  };
  const windows::win32::TargetWindow target =
      windows::win32::CaptureTarget(windows::win32::FindTopmostFolderManagerWindow());
  CliPrompts prompts(output, yes);
  const paths::ItemRunResult result =
      paths::win32::RunJumpListItem(*pathInfo, target, context, prompts);
  // Opened: something could be opened and no start was refused.
  return result.anyOpenable && prompts.Told() == 0 ? 0 : 1;
}

}  // namespace pathorama::app::cli
