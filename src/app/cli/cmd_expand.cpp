// `expand`: what the variables of a path info become when its entry is used.
#include <optional>

#include "app/cli/cli.h"
#include "app/cli/quiet_settings_host.h"
#include "core/encoding.h"
#include "core/file_io.h"
#include "core/ini.h"
#include "core/text.h"
#include "paths/path_info.h"
#include "settings/app_settings.h"
#include "settings/settings_store.h"
#include "variables/clocks.h"
#include "variables/numbering.h"
#include "variables/system_facts.h"
#include "variables/variable_expansion.h"

namespace pathorama::app::cli {

int RunExpand(const std::vector<std::u16string>& args, Output& output) {
  std::optional<variables::LocalDateTime> now;
  std::optional<uint32_t> seed;
  std::optional<std::u16string> iniPath;
  std::optional<std::u16string> text;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::u16string& arg = args[i];
    auto value = [&]() -> const std::u16string& {
      if (i + 1 >= args.size()) throw UsageError{arg + u" needs a value"};
      return args[++i];
    };
    if (arg == u"--now") {
      now = variables::ParseLocalDateTime(value());
      if (!now) throw UsageError{u"--now takes \"YYYY-MM-DD HH:MM:SS\""};
    } else if (arg == u"--seed") {
      std::optional<long long> n = core::ParseInt(value());
      if (!n || *n < 0 || *n > 0xFFFFFFFFLL)
        throw UsageError{u"--seed takes a number from 0 to 4294967295"};
      seed = static_cast<uint32_t>(*n);
    } else if (arg == u"--ini") {
      iniPath = value();
    } else if (text) {
      throw UsageError{u"too many arguments"};
    } else {
      text = arg;
    }
  }
  if (!text) throw UsageError{u"missing TEXT"};

  variables::SystemClock systemClock;
  variables::FixedClock fixedClock(now.value_or(variables::LocalDateTime{}));
  const variables::Clock& clock =
      now ? static_cast<const variables::Clock&>(fixedClock) : systemClock;
  variables::SeededRandom random =
      seed ? variables::SeededRandom(*seed) : variables::SeededRandom();

  variables::VariableOptions options;
  if (iniPath) {
    core::LoadedIni file = core::LoadIniDocument(*iniPath, core::SystemAnsiCodePage());
    if (file.status != core::FileStatus::kOk) {
      output.ErrLine(u"pathorama-cli expand: cannot read " + *iniPath + u": " +
                     core::FileStatusText(file.status));
      return 1;
    }
    core::IniDocument& ini = file.document;
    variables::LocalDateTime t = clock.Now();
    core::CalendarDate today{t.year, t.month, t.day};
    settings::AppSettings settings(today);
    QuietSettingsHost host(today);
    settings::SettingsStore store(ini, settings, host.Host());
    store.LoadAppSetting(settings::LoadRange::Option);
    // What the apply step hands to the variables.
    options = settings::VariableOptionsFromSettings(settings, today);
  }
  // Other programs are asked once for the whole text.
  variables::BatchSystemFacts facts(variables::PlatformSystemFacts());
  variables::VariableEnvironment env{&clock, &random, &options};
  env.system = &facts;

  // As an entry with the variables mark is used: split into its paths, the
  // tags stripped, each path expanded.
  std::u16string result;
  for (const std::u16string& piece : paths::SplitPathInfoPieces(*text)) {
    std::u16string expanded =
        variables::ExpandPathVariables(paths::StripPathTags(piece, false), env);
    if (expanded.empty()) continue;
    if (!result.empty()) result += u'|';
    result += expanded;
  }
  output.Line(result);
  return 0;
}

}  // namespace pathorama::app::cli
