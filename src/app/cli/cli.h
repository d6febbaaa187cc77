// pathorama-cli: a command-line window onto the portable core, for scripts
// and for checking what Pathorama makes of a path info.
#pragma once

#include <string>
#include <vector>

namespace pathorama::app::cli {

// Where a command writes. Text is UTF-16 here; the process edge converts.
struct Output {
  std::u16string out;
  std::u16string err;
  void Line(std::u16string_view text) { out.append(text).push_back(u'\n'); }
  void ErrLine(std::u16string_view text) { err.append(text).push_back(u'\n'); }
};

// Thrown by a command for a wrong call; RunCli prints it with the usage and
// returns 2.
struct UsageError {
  std::u16string message;
};

struct Command {
  const char16_t* name;
  const char16_t* usage;  // the arguments after the name, for --help
  int (*run)(const std::vector<std::u16string>& args, Output& output);
};

// The command table; each subsystem's commands live in their own cmd_*.cpp.
const std::vector<Command>& Commands();

// Runs one invocation (args without the program name); returns the exit code.
int RunCli(const std::vector<std::u16string>& args, Output& output);

std::u16string UsageText();

}  // namespace pathorama::app::cli
