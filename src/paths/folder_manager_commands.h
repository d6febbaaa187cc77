// The folder managers a folder can be opened in, and their command lines:
// the table of managers with the rules for their program files, the
// run-parameter template the options produce for each manager, the rewrite
// of a template when Caps Lock asks for the other open method, and the
// program and parameters that opening one folder starts.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace pathorama::paths {

// The stored index of `FolderManagerName`.
enum class FolderManagerChoice {
  Explorer = 0,
  TotalCommander = 1,
  DirectoryOpus = 2,
  XYplorer = 3,
  Xplorer2 = 4,
  FreeCommander = 5,
  Other = 6,
};
inline constexpr int kFolderManagerChoiceCount = 7;

struct FolderManagerInfo {
  FolderManagerChoice choice;
  std::u16string_view listText;  // as the options dialog lists it
  std::u16string_view word;      // "Explorer", "TotalCommander", ...; empty for Other
  // The program file: the name the chooser suggests, the names accepted
  // (none: any ".exe"), the hint in the empty path field, and the message
  // for a program of another name.
  std::u16string_view suggestedFileName;
  std::vector<std::u16string_view> acceptedFileNames;
  std::u16string_view pathHint;
  std::u16string_view wrongProgramMessage;
};

std::span<const FolderManagerInfo> FolderManagerTable();
const FolderManagerInfo& InfoOf(FolderManagerChoice choice);
// The choice of a stored index; none outside 0 … 6.
std::optional<FolderManagerChoice> FolderManagerChoiceFromIndex(long long index);

// Whether `programPath` may serve `choice`: an ".exe", and for the managers
// that insist on one of their own programs, one of those names (compared
// without regard to case).
enum class ProgramCheck { Accepted, NotAnExe, WrongProgram };
ProgramCheck CheckFolderManagerProgram(FolderManagerChoice choice, std::u16string_view programPath);

enum class Panel { Left, Right, Source, Destination };
enum class WindowState { Maximized, Minimized, Normal };

// The options of the folder-manager page that shape a template.
struct FolderManagerOptions {
  FolderManagerChoice manager = FolderManagerChoice::Explorer;
  bool reuseWindow = true;  // "沿用已有的文件夹管理器窗口"; false: "在新窗口中打开"
  WindowState windowState = WindowState::Maximized;

  Panel totalCommanderPanel = Panel::Source;
  bool totalCommanderNewTab = true;  // "在新标签中打开，且" (not stored)
  bool totalCommanderActivateNewTab = true;
  bool totalCommanderActivateRightPanel = false;

  Panel directoryOpusPanel = Panel::Source;
  bool directoryOpusNewTab = true;
  int directoryOpusNewTabPosition = 1;  // before, after, first, last
  bool directoryOpusActivateNewTab = true;
  int directoryOpusView = 2;  // large icons, small icons, thumbnails, list, tiles, details
  bool directoryOpusExpandTree = false;
  bool directoryOpusActivateExistingTab = true;

  bool xyplorerExpandTree = true;
  bool xyplorerReadOnly = true;

  bool xplorer2DualPanels = true;
  bool xplorer2NotRestoreTabs = false;

  Panel freeCommanderPanel = Panel::Source;
  bool freeCommanderNewTab = true;  // not stored
  bool freeCommanderActivateNewTab = true;
  bool freeCommanderActivateRightPanel = false;
};

// What the page makes of the options for a new window: the new-tab boxes
// of Total Commander and FreeCommander are off, and a source or target
// panel becomes the left or right one (their buttons are disabled then).
FolderManagerOptions EffectiveOptions(FolderManagerOptions options);

// `BuildFolderManagerParams`: the run-parameter template, "%1" standing for
// the folder; empty for Explorer and for any other program.
std::u16string BuildFolderManagerParams(const FolderManagerOptions& options);

// `RewriteParamsForOpenMethod`: the template with the other open method,
// for Caps Lock; `reuse` is the open method wanted now.
std::u16string RewriteParamsForOpenMethod(std::u16string_view params, FolderManagerChoice manager,
                                          bool reuse);

struct ProgramStart {
  std::u16string program;
  std::u16string parameters;
  friend bool operator==(const ProgramStart&, const ProgramStart&) = default;
};

// What opening `folder` in the configured manager starts. `programPath` is
// the configured program, already found to exist (callers that find it
// missing start Explorer: ExplorerStart); `paramTemplate` the stored
// template; `capsLockRewrite` whether Caps Lock asks for the other method,
// in which case `reuse` is the method wanted. Directory Opus is always
// driven through "dopusrt.exe" beside its program; "%1" becomes the folder
// with exactly one trailing backslash. An empty template passes the folder
// alone, in double quotes when it holds a blank or a comma.
ProgramStart FolderManagerStart(FolderManagerChoice manager, std::u16string_view programPath,
                                std::u16string_view paramTemplate, std::u16string_view folder,
                                bool capsLockRewrite, bool reuse);

// The built-in Explorer of the Windows folder `windowsFolder` on `folder`
// (quoted as for an empty template).
ProgramStart ExplorerStart(std::u16string_view windowsFolder, std::u16string_view folder);

// The program path as the options hold it, without the spaces, double
// quotes and backslashes around it.
std::u16string TrimProgramPath(std::u16string_view programPath);

}  // namespace pathorama::paths
