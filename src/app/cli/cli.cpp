#include "app/cli/cli.h"

#include "core/text.h"

namespace pathorama::app::cli {

// Declared by the cmd_*.cpp files.
int RunPaths(const std::vector<std::u16string>& args, Output& output);
int RunInfo(const std::vector<std::u16string>& args, Output& output);
int RunSettings(const std::vector<std::u16string>& args, Output& output);
int RunExpand(const std::vector<std::u16string>& args, Output& output);
int RunList(const std::vector<std::u16string>& args, Output& output);
int RunImport(const std::vector<std::u16string>& args, Output& output);
int RunMenu(const std::vector<std::u16string>& args, Output& output);
int RunParams(const std::vector<std::u16string>& args, Output& output);
int RunCommand(const std::vector<std::u16string>& args, Output& output);
int RunAccel(const std::vector<std::u16string>& args, Output& output);
#ifdef _WIN32
int RunWindows(const std::vector<std::u16string>& args, Output& output);
int RunOpen(const std::vector<std::u16string>& args, Output& output);
#endif

const std::vector<Command>& Commands() {
  static const std::vector<Command> commands = {
      {u"paths", u"[--auto-url] TEXT", RunPaths},
      {u"info", u"TEXT", RunInfo},
      {u"settings", u"[--today YYYY-MM-DD] FILE", RunSettings},
      {u"list", u"FILE", RunList},
      {u"import", u"--kind totalcommander|directoryopus|text [--encoding CODEPAGE] FILE", RunImport},
      {u"menu", u"[--folder DIR] [--now \"YYYY-MM-DD HH:MM:SS\"] FILE", RunMenu},
      {u"expand", u"[--now \"YYYY-MM-DD HH:MM:SS\"] [--seed N] [--ini FILE] TEXT", RunExpand},
      {u"params", u"FILE", RunParams},
      {u"command", u"[--caps-lock] FILE FOLDER", RunCommand},
      {u"accel", u"[--remove] TEXT", RunAccel},
#ifdef _WIN32
      {u"windows", u"", RunWindows},
      {u"open", u"[--ini FILE] [--yes] PATHINFO", RunOpen},
#endif
  };
  return commands;
}

std::u16string UsageText() {
  std::u16string text = u"usage:\n";
  for (const Command& c : Commands())
    text += u"  pathorama-cli " + std::u16string(c.name) + u" " + c.usage + u"\n";
  text += u"  pathorama-cli --help\n";
  return text;
}

int RunCli(const std::vector<std::u16string>& args, Output& output) {
  if (args.empty()) {
    output.err += u"pathorama-cli: no command given\n" + UsageText();
    return 2;
  }
  if (args[0] == u"--help" || args[0] == u"-h" || args[0] == u"help") {
    output.out += u"pathorama-cli: Pathorama's path info, jump list and variable tools\n" +
                  UsageText();
    return 0;
  }
  for (const Command& c : Commands()) {
    if (args[0] != c.name) continue;
    try {
      return c.run(std::vector<std::u16string>(args.begin() + 1, args.end()), output);
    } catch (const UsageError& e) {
      output.err += u"pathorama-cli " + std::u16string(c.name) + u": " + e.message + u"\n" +
                    UsageText();
      return 2;
    }
  }
  output.err += u"pathorama-cli: unknown command '" + args[0] + u"'\n" + UsageText();
  return 2;
}

}  // namespace pathorama::app::cli
