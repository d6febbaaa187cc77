// Entry point of pathorama-cli: arguments in, exit code out.
#include "app/cli/cli.h"
#include "app/cli/cli_io.h"
#include "core/text.h"
#ifdef _WIN32
#include "core/win32/wide_text.h"
#endif

namespace {

int Run(std::vector<std::u16string> args) {
  pathorama::app::cli::Output output;
  int code = pathorama::app::cli::RunCli(args, output);
  pathorama::app::cli::WriteStdout(output.out);
  pathorama::app::cli::WriteStderr(output.err);
  return code;
}

}  // namespace

#ifdef _WIN32
// Windows hands the arguments over as UTF-16 already.
int wmain(int argc, wchar_t** argv) {
  std::vector<std::u16string> args;
  for (int i = 1; i < argc; ++i) args.push_back(pathorama::core::win32::FromWide(argv[i]));
  return Run(std::move(args));
}
#else
int main(int argc, char** argv) {
  std::vector<std::u16string> args;
  for (int i = 1; i < argc; ++i) args.push_back(pathorama::core::Utf8ToUtf16(argv[i]));
  return Run(std::move(args));
}
#endif
