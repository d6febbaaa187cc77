// Opening one path where the user works: the decisions only. Whether a path
// can be opened, where it goes (an Open/Save dialog, a console, the "DTE"
// path box, the folder manager, the registry editor, the shell) and what is
// started are decided here over facts that the Win32 side gathers
// (paths/win32 performs the result).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/prompts.h"
#include "paths/folder_manager_commands.h"
#include "paths/path_info.h"
#include "windows/selection_text.h"
#include "windows/window_classes.h"

namespace pathorama::paths {

// ---- texts the user sees -------------------------------------------------------------
inline constexpr std::u16string_view kCreateFolderCaption = u"路径不存在";
inline constexpr std::u16string_view kCreateFailedCaption = u"无法创建文件夹";
inline constexpr std::u16string_view kManagerMissingQuestion =
    u"没有指定文件夹管理器，或者文件夹管理器路径不存在\r\r是否使用自带的资源管理器打开指定文件夹？"
    u"\r\r\u3000\u3000否 = 重新设置文件夹管理器";
inline constexpr std::u16string_view kManagerMissingCaption = u"文件夹管理器设置有误";
inline constexpr std::u16string_view kNotLocalFolderMessage =
    u"当前待打开的不是本地文件夹路径，无法切换";
inline constexpr std::u16string_view kNotLocalFolderCaption = u"文件夹路径不存在";
inline constexpr std::u16string_view kItemPathMissingMessage = u"当前条目关联的文件（夹）路径不存在";
inline constexpr std::u16string_view kItemPathMissingCaption = u"文件（夹）不存在";
inline constexpr std::u16string_view kStartFailedCaption = u"无法打开";

// "以下文件夹路径不存在\r\r<path>\r\r是否创建该文件夹？"
std::u16string CreateFolderQuestion(std::u16string_view shownPath);
// "以下文件夹路径无法创建，可能是因为包含了非法字符\r\r<path>"
std::u16string CreateFolderFailedMessage(std::u16string_view path);
// A start the system refused, with its reason.
std::u16string StartFailedMessage(std::u16string_view path, std::u16string_view reason);

// ---- registry paths --------------------------------------------------------------------
enum class RegistryRoot { ClassesRoot, CurrentUser, LocalMachine, Users, CurrentConfig };

struct RegistryKeyPath {
  RegistryRoot root = RegistryRoot::CurrentUser;
  std::u16string subKey;  // below the root, without a leading backslash; empty: the root
  friend bool operator==(const RegistryKeyPath&, const RegistryKeyPath&) = default;
};

// The root named before the first backslash ("HKLM", "HKEY_LOCAL_MACHINE",
// ... without regard to case; any other word counts as the current user's)
// and the key below it.
RegistryKeyPath RegistryKeyOf(std::u16string_view path);
// Spaces and backslashes trimmed; a short root word written long.
std::u16string NormalizeRegistryPath(std::u16string_view path);
// The registry editor's "LastKey" that opens it at `normalizedPath`: the
// localised computer node of the old value in front (its text up to the
// first backslash, or all of it without one), none when the old value is
// empty or begins with a root key.
std::u16string RegeditLastKey(std::u16string_view previousLastKey,
                              std::u16string_view normalizedPath);

// ---- start parameters ----------------------------------------------------------------
// A wait longer than a day is taken as a day: a slip of the keyboard must
// not keep an item waiting for years.
inline constexpr int kMaxWaitSeconds = 24 * 60 * 60;

// The tail-tag parameter of a piece with the pseudo-options taken out:
// "/Wait N" (seconds) and "/Hide"; a remainder of exactly "<>" is empty.
struct ExtraParams {
  std::optional<int> waitSeconds;
  bool hide = false;
  std::u16string remainder;
  friend bool operator==(const ExtraParams&, const ExtraParams&) = default;
};
ExtraParams ParseExtraParams(std::u16string_view extra);

// ---- local paths -----------------------------------------------------------------------
// "C:" or "C:\".
bool IsDriveRoot(std::u16string_view path);
// "C:\..." or a UNC path "\\server\share...": never resolved against a folder.
bool IsAbsolutePath(std::u16string_view path);
// Spaces trimmed at both ends, backslashes at the end; at the start the
// backslashes go too unless they begin a UNC path, which keeps exactly two.
std::u16string TrimOpeningPath(std::u16string_view path);
// An absolute or namespace path as it is; a drive root with its backslash;
// anything else below `baseFolder`.
std::u16string ResolvePath(std::u16string_view path, std::u16string_view baseFolder);
std::u16string FolderOfFile(std::u16string_view path);
std::u16string FileNameOf(std::u16string_view path);

// The text that makes a console change to `folder`: cls && cd /d "<folder>".
std::u16string ConsoleCommand(std::u16string_view folder);

// ---- where the user works ------------------------------------------------------------
enum class TargetKind { Dialog, Console, Dte, Other };
TargetKind TargetKindOf(std::u16string_view className);

// The show command of every start of an item: the built-in Explorer's window
// state, a normal window for any other manager (Win32 SW_ values).
enum class ShowCommand { Normal = 1, Maximized = 3, MinimizedNoActivate = 7 };

// The options an opening reads.
struct OpeningOptions {
  FolderManagerChoice manager = FolderManagerChoice::Explorer;
  std::u16string programPath;    // as stored
  std::u16string paramTemplate;  // as stored
  bool reuseWindow = true;       // "沿用已有的文件夹管理器窗口"
  bool otherMethodWithCapsLock = false;
  WindowState windowState = WindowState::Normal;
  bool activateOnlyWhenAlreadyOpen = true;
  bool autoMatchManager = true;
  bool explorerFurtherFoldersInNewWindows = true;
};

// The facts an opening asks. Paths handed in are already resolved.
class OpeningFacts {
 public:
  virtual ~OpeningFacts() = default;
  virtual windows::PathKind KindOf(const std::u16string& path) = 0;
  virtual bool RegistryKeyExists(const RegistryKeyPath& key) = 0;
  // Where relative paths lie: the program's own folder.
  virtual std::u16string BaseFolder() = 0;
  virtual std::u16string WindowsFolder() = 0;
  virtual bool CapsLockLit() = 0;
  // The folder open in the manager that counts (the topmost manager of any
  // kind, or the configured one), and its window; asked only when needed.
  struct ManagerFolder {
    std::uintptr_t window = 0;
    std::u16string path;
  };
  virtual ManagerFolder CurrentManagerFolder(bool topmostOfAnyKind) = 0;
  // Creates the folder and its missing parents (the answer to a question).
  virtual bool CreateFolders(const std::u16string& path) = 0;
};

// ---- one path of an item ---------------------------------------------------------------
// What the item run keeps from path to path.
struct ItemState {
  bool anyOpenable = false;
  bool dialogSwitched = false;
  int folderCount = 0;
  windows::DialogType dialogType = windows::DialogType::None;
};

// What opening one path should do.
struct PieceAction {
  enum class Kind {
    None,              // not openable, or nothing to do here
    SwitchDialog,      // path: folder; fileName: the file to fill in
    ChangeConsoleFolder,
    FillDteBox,
    ActivateManager,   // managerWindow; the folder is already open there
    NavigateExplorer,  // show path in the open Explorer window; if there is
                       // none or it refuses, OpenPath with reuse
    OpenPath,
    OpenRegistryPath,
  };
  Kind kind = Kind::None;
  PathType type = PathType::Local;
  std::u16string path;
  std::u16string fileName;
  std::u16string extra;
  bool reuse = false;
  std::uintptr_t managerWindow = 0;
  bool endsItem = false;  // the item's remaining paths are not opened
  friend bool operator==(const PieceAction&, const PieceAction&) = default;
};

// `OpenPathPiece`: the decision for one resolved path of an item; asks the
// creation question through `prompts` when a local folder is missing and the
// target is not a dialog. Updates `state`.
PieceAction OpenPathPiece(PathType type, std::u16string_view path, std::u16string_view extra,
                          ItemState& state, TargetKind target, const OpeningOptions& options,
                          OpeningFacts& facts, core::UserPrompts& prompts);

// ---- what OpenPath starts ----------------------------------------------------------------
struct ShellStart {
  std::u16string file;        // a program, a document, a folder or an address
  std::u16string parameters;
  bool hidden = false;        // else the item's show command
  friend bool operator==(const ShellStart&, const ShellStart&) = default;
};

struct OpenPathPlan {
  enum class Step {
    Nothing,           // not an openable path, or the user chose to fix the settings
    FillDteBox,        // path
    OpenOptionsPage,   // the folder manager was missing and the user said No
    Start,             // start
  };
  Step step = Step::Nothing;
  std::u16string path;
  ShellStart start;
  std::optional<int> waitSeconds;  // after the start, before the next path
  // A namespace path that the shell refused is started with Explorer.
  bool explorerRetryOnFailure = false;
  // A new Explorer window is expected: bring it (and only it) to the front,
  // after the start, or after the retry of a refused namespace path.
  bool frontNewExplorerWindow = false;
  bool frontNewExplorerWindowAfterRetry = false;
  friend bool operator==(const OpenPathPlan&, const OpenPathPlan&) = default;
};

// `OpenPath`'s decision: the kind of the path, the folder manager's program
// and parameters (asking through `prompts` when no manager program exists),
// the pseudo-options of `extra`.
OpenPathPlan PlanOpenPath(PathType type, std::u16string_view path, std::u16string_view extra,
                          bool reuse, TargetKind target, const OpeningOptions& options,
                          OpeningFacts& facts, core::UserPrompts& prompts);

// The Explorer of `windowsFolder` started on `path`.
ShellStart ExplorerShellStart(std::u16string_view windowsFolder, std::u16string_view path);

}  // namespace pathorama::paths
