// `params` and `command`: the folder manager's run-parameter template that a
// settings file's options make, and what opening a folder with them starts.
#include <optional>

#include "app/cli/cli.h"
#include "app/cli/cli_prompts.h"
#include "app/cli/cli_settings.h"
#include "core/text.h"
#include "paths/folder_manager_settings.h"
#include "paths/opening.h"

#ifdef _WIN32
#include "paths/win32/open_path.h"
#endif

namespace pathorama::app::cli {

namespace {

// The folder given is taken as an existing folder and a configured manager
// program as installed, without looking at the disk, so a line can be
// checked on any machine.
class AssumedFacts : public paths::OpeningFacts {
 public:
  AssumedFacts(std::u16string folder, std::u16string program, std::u16string base, bool capsLock)
      : folder_(std::move(folder)), program_(std::move(program)), base_(std::move(base)),
        capsLock_(capsLock) {}
  windows::PathKind KindOf(const std::u16string& path) override {
    if (core::EqualsIgnoreCase(path, folder_)) return windows::PathKind::Folder;
    if (!program_.empty() && core::EqualsIgnoreCase(path, program_)) return windows::PathKind::File;
    return windows::PathKind::Missing;
  }
  bool RegistryKeyExists(const paths::RegistryKeyPath&) override { return false; }
  std::u16string BaseFolder() override { return base_; }
  std::u16string WindowsFolder() override {
#ifdef _WIN32
    return paths::win32::Win32OpeningFacts(paths::FolderManagerChoice::Explorer).WindowsFolder();
#else
    return u"%WinDir%";
#endif
  }
  bool CapsLockLit() override { return capsLock_; }
  ManagerFolder CurrentManagerFolder(bool) override { return {}; }
  bool CreateFolders(const std::u16string&) override { return false; }

 private:
  std::u16string folder_, program_, base_;
  bool capsLock_;
};

}  // namespace

int RunParams(const std::vector<std::u16string>& args, Output& output) {
  if (args.size() != 1) throw UsageError{args.empty() ? u"missing FILE" : u"too many arguments"};
  const std::optional<settings::AppSettings> settings = LoadSettingsFile(args[0], u"params", output);
  if (!settings) return 1;
  output.Line(paths::BuildFolderManagerParams(paths::FolderManagerOptionsFrom(*settings)));
  return 0;
}

int RunCommand(const std::vector<std::u16string>& args, Output& output) {
  bool capsLock = false;
  std::vector<std::u16string> rest;
  for (const std::u16string& arg : args) {
    if (arg == u"--caps-lock")
      capsLock = true;
    else
      rest.push_back(arg);
  }
  if (rest.size() < 2) throw UsageError{u"missing FILE or FOLDER"};
  if (rest.size() > 2) throw UsageError{u"too many arguments"};
  const std::optional<settings::AppSettings> settings = LoadSettingsFile(rest[0], u"command", output);
  if (!settings) return 1;
  const paths::OpeningOptions options = paths::OpeningOptionsFrom(*settings);
  // Relative folders lie beside the program, which keeps its settings file
  // beside itself.
  const std::u16string base = paths::FolderOfFile(core::ReplaceAllText(rest[0], u"/", u"\\"));
  const std::u16string folder = paths::ResolvePath(paths::TrimOpeningPath(rest[1]), base);
  AssumedFacts facts(folder, paths::TrimProgramPath(options.programPath), base, capsLock);
  CliPrompts prompts(output, false);
  const bool reuse = options.reuseWindow != (options.otherMethodWithCapsLock && capsLock);
  const paths::OpenPathPlan plan =
      paths::PlanOpenPath(paths::PathType::Local, folder, u"", reuse, paths::TargetKind::Other,
                          options, facts, prompts);
  if (plan.step != paths::OpenPathPlan::Step::Start) return 1;
  output.Line(plan.start.file + u"\t" + plan.start.parameters);
  return 0;
}

}  // namespace pathorama::app::cli
