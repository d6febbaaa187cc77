#include "paths/opening.h"

#include <array>
#include <limits>

#include "core/text.h"

namespace pathorama::paths {

namespace {

using windows::PathKind;
using Kind = PieceAction::Kind;

struct RootName {
  std::u16string_view shortName;
  std::u16string_view longName;
  RegistryRoot root;
};
constexpr std::array<RootName, 5> kRoots = {{
    {u"HKCR", u"HKEY_CLASSES_ROOT", RegistryRoot::ClassesRoot},
    {u"HKCU", u"HKEY_CURRENT_USER", RegistryRoot::CurrentUser},
    {u"HKLM", u"HKEY_LOCAL_MACHINE", RegistryRoot::LocalMachine},
    {u"HKU", u"HKEY_USERS", RegistryRoot::Users},
    {u"HKCC", u"HKEY_CURRENT_CONFIG", RegistryRoot::CurrentConfig},
}};

bool IsAsciiLetter(char16_t c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }
bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

bool IsUncPath(std::u16string_view path) { return path.size() >= 2 && path[0] == u'\\' && path[1] == u'\\'; }

// The word "/Wait" or "/Hide" (any case) at `at`, standing alone between
// blanks or the ends: the pseudo-options are whole words of the parameter.
bool WordAt(std::u16string_view text, size_t at, std::u16string_view word) {
  if (at + word.size() > text.size()) return false;
  if (at > 0 && text[at - 1] != u' ') return false;
  return core::EqualsIgnoreCase(text.substr(at, word.size()), word);
}

// Removes text[from, to) together with one of the blanks around it, so the
// words on both sides stay apart by one blank.
void RemoveWord(std::u16string& text, size_t from, size_t to) {
  if (to < text.size() && text[to] == u' ')
    ++to;
  else if (from > 0 && text[from - 1] == u' ')
    --from;
  text.erase(from, to - from);
}

}  // namespace

// ---- texts -------------------------------------------------------------------------------

std::u16string CreateFolderQuestion(std::u16string_view shownPath) {
  return u"以下文件夹路径不存在\r\r" + std::u16string(shownPath) + u"\r\r是否创建该文件夹？";
}

std::u16string CreateFolderFailedMessage(std::u16string_view path) {
  return u"以下文件夹路径无法创建，可能是因为包含了非法字符\r\r" + std::u16string(path);
}

std::u16string StartFailedMessage(std::u16string_view path, std::u16string_view reason) {
  return u"无法打开以下路径\r\r" + std::u16string(path) + u"\r\r" + std::u16string(reason);
}

// ---- registry ------------------------------------------------------------------------------

RegistryKeyPath RegistryKeyOf(std::u16string_view path) {
  const std::u16string trimmed = core::TrimChars(path, u" \\");
  const size_t slash = trimmed.find(u'\\');
  const std::u16string_view rootWord =
      std::u16string_view(trimmed).substr(0, slash == std::u16string::npos ? trimmed.size() : slash);
  RegistryKeyPath key;
  for (const RootName& r : kRoots) {
    if (core::EqualsIgnoreCase(rootWord, r.shortName) || core::EqualsIgnoreCase(rootWord, r.longName)) {
      key.root = r.root;
      break;
    }
  }
  if (slash != std::u16string::npos) key.subKey = core::TrimCharsLeft(trimmed.substr(slash), u"\\");
  return key;
}

std::u16string NormalizeRegistryPath(std::u16string_view path) {
  std::u16string trimmed = core::TrimChars(path, u" \\");
  const size_t slash = trimmed.find(u'\\');
  if (slash == std::u16string::npos) return trimmed;
  const std::u16string_view rootWord = std::u16string_view(trimmed).substr(0, slash);
  for (const RootName& r : kRoots)
    if (core::EqualsIgnoreCase(rootWord, r.shortName))
      return std::u16string(r.longName) + trimmed.substr(slash);
  return trimmed;
}

std::u16string RegeditLastKey(std::u16string_view previousLastKey,
                              std::u16string_view normalizedPath) {
  // The node is the old value's first name. An editor left at its node
  // writes the node alone; a value that begins with a root key has no node
  // (one written before the editor ever ran), and a root taken for the node
  // would make every later key unreachable.
  const std::u16string_view node = previousLastKey.substr(0, previousLastKey.find(u'\\'));
  bool isRoot = core::StartsWithIgnoreCase(node, u"HKEY_");
  for (const RootName& r : kRoots) isRoot = isRoot || core::EqualsIgnoreCase(node, r.shortName);
  if (node.empty() || isRoot) return std::u16string(normalizedPath);
  return std::u16string(node) + u"\\" + std::u16string(normalizedPath);
}

// ---- start parameters ------------------------------------------------------------------

ExtraParams ParseExtraParams(std::u16string_view extra) {
  ExtraParams result;
  std::u16string text(extra);
  // "/Wait" followed by blanks and digits, standing alone.
  for (size_t at = 0; (at = core::FindIgnoreCase(text, u"/Wait", at)) != std::u16string::npos; ++at) {
    if (!WordAt(text, at, u"/Wait")) continue;
    size_t p = at + 5;
    if (p >= text.size() || text[p] != u' ') continue;
    while (p < text.size() && text[p] == u' ') ++p;
    const size_t digits = p;
    long long seconds = 0;
    while (p < text.size() && IsDigit(text[p])) {
      // Saturates instead of overflowing: "/Wait 99999999999999999999".
      if (seconds < kMaxWaitSeconds) seconds = seconds * 10 + (text[p] - u'0');
      ++p;
    }
    if (p == digits || (p < text.size() && text[p] != u' ')) continue;
    result.waitSeconds = static_cast<int>(seconds < kMaxWaitSeconds ? seconds : kMaxWaitSeconds);
    RemoveWord(text, at, p);
    break;
  }
  for (size_t at = 0; (at = core::FindIgnoreCase(text, u"/Hide", at)) != std::u16string::npos; ++at) {
    if (!WordAt(text, at, u"/Hide") || (at + 5 < text.size() && text[at + 5] != u' ')) continue;
    result.hide = true;
    RemoveWord(text, at, at + 5);
    break;
  }
  result.remainder = text == u"<>" ? std::u16string() : text;
  return result;
}

// ---- local paths ---------------------------------------------------------------------------

bool IsDriveRoot(std::u16string_view path) {
  return (path.size() == 2 || (path.size() == 3 && path[2] == u'\\')) && IsAsciiLetter(path[0]) &&
         path[1] == u':';
}

bool IsAbsolutePath(std::u16string_view path) {
  return (path.size() >= 3 && IsAsciiLetter(path[0]) && path[1] == u':' && path[2] == u'\\') ||
         IsUncPath(path);
}

std::u16string TrimOpeningPath(std::u16string_view path) {
  const std::u16string spaced = core::TrimChars(path, u" ");
  std::u16string trimmed = core::TrimCharsRight(core::TrimCharsLeft(spaced, u"\\"), u"\\ ");
  if (IsUncPath(spaced) && !trimmed.empty()) return u"\\\\" + trimmed;
  return trimmed;
}

std::u16string ResolvePath(std::u16string_view path, std::u16string_view baseFolder) {
  if (IsDriveRoot(path)) return std::u16string(path.substr(0, 2)) + u"\\";
  if (IsAbsolutePath(path) || IsShellNamespacePath(path)) return std::u16string(path);
  return core::TrimCharsRight(baseFolder, u"\\") + u"\\" + std::u16string(path);
}

std::u16string FolderOfFile(std::u16string_view path) {
  const size_t slash = path.find_last_of(u'\\');
  if (slash == std::u16string_view::npos) return {};
  // "C:\a.txt" lies in "C:\", not in "C:".
  if (slash == 2 && path[1] == u':') return std::u16string(path.substr(0, 3));
  return std::u16string(path.substr(0, slash));
}

std::u16string FileNameOf(std::u16string_view path) {
  const size_t slash = path.find_last_of(u'\\');
  return std::u16string(slash == std::u16string_view::npos ? path : path.substr(slash + 1));
}

std::u16string ConsoleCommand(std::u16string_view folder) {
  return u"cls && cd /d \"" + std::u16string(folder) + u"\"";
}

TargetKind TargetKindOf(std::u16string_view className) {
  if (windows::IsClass(className, windows::kDialogClass)) return TargetKind::Dialog;
  if (windows::IsClass(className, windows::kConsoleClass)) return TargetKind::Console;
  if (windows::IsClass(className, windows::kDteClass)) return TargetKind::Dte;
  return TargetKind::Other;
}

// ---- one path of an item -------------------------------------------------------------------

PieceAction OpenPathPiece(PathType type, std::u16string_view givenPath, std::u16string_view extra,
                          ItemState& state, TargetKind target, const OpeningOptions& options,
                          OpeningFacts& facts, core::UserPrompts& prompts) {
  PieceAction action;
  if (type == PathType::Untagged) type = PathType::Local;
  std::u16string path(givenPath);
  PathKind kind = PathKind::Missing;  // for local paths: what lies there

  switch (type) {
    case PathType::Registry:
      if (!facts.RegistryKeyExists(RegistryKeyOf(path))) return action;
      break;
    case PathType::NetworkMappingFolder:
      // A mapped folder is a local folder once it is there; the creation
      // question makes no sense for a drive that is not connected.
      path = ResolvePath(TrimOpeningPath(path), facts.BaseFolder());
      kind = facts.KindOf(path);
      if (kind != PathKind::Folder) return action;
      type = PathType::Local;
      break;
    case PathType::Local: {
      path = TrimOpeningPath(path);
      if (path.empty()) return action;
      path = ResolvePath(path, facts.BaseFolder());
      kind = facts.KindOf(path);
      if (kind == PathKind::Missing && !IsShellNamespacePath(path)) {
        if (target == TargetKind::Dialog) return action;
        if (!prompts.AskYesNo(CreateFolderQuestion(path), kCreateFolderCaption,
                              core::PromptIcon::Error))
          return action;
        if (!facts.CreateFolders(path) || facts.KindOf(path) != PathKind::Folder) {
          prompts.Tell(CreateFolderFailedMessage(path), kCreateFailedCaption, core::PromptIcon::Error);
          return action;
        }
        kind = PathKind::Folder;
      }
      break;
    }
    case PathType::SharedFolder:
      path = u"\\\\" + core::TrimChars(path, u" \\");
      kind = facts.KindOf(path);
      break;
    case PathType::Url:
      break;
    default:
      return action;  // no other type is openable
  }
  state.anyOpenable = true;
  action.type = type;
  action.path = path;
  action.extra = std::u16string(extra);
  const bool isFolder = kind == PathKind::Folder;
  const bool isFile = kind == PathKind::File;

  switch (target) {
    case TargetKind::Dialog:
      if (isFolder) {
        action.kind = Kind::SwitchDialog;
      } else if (isFile && state.dialogType == windows::DialogType::OpenFile) {
        action.kind = Kind::SwitchDialog;
        action.path = FolderOfFile(path);
        action.fileName = FileNameOf(path);
      } else {
        return {};
      }
      state.dialogSwitched = true;
      action.endsItem = true;
      return action;
    case TargetKind::Console:
      if (!isFolder && !isFile) return {};
      action.kind = Kind::ChangeConsoleFolder;
      if (isFile) action.path = FolderOfFile(path);
      action.endsItem = true;
      return action;
    case TargetKind::Dte:
      // The "DTE" program wants folders in its path box, not in Explorer.
      if (isFolder || (type == PathType::Local && IsShellNamespacePath(path))) {
        action.kind = Kind::FillDteBox;
        return action;
      }
      break;
    case TargetKind::Other:
      break;
  }

  const bool reuse = options.reuseWindow != (options.otherMethodWithCapsLock && facts.CapsLockLit());
  action.reuse = reuse;
  if (isFile && type != PathType::SharedFolder) {
    action.kind = Kind::OpenPath;
    action.reuse = true;
    return action;
  }
  const bool folderLike = type == PathType::Local || type == PathType::SharedFolder;
  // The last manager is "any other program", whose folder cannot be read.
  const bool managerReadable = options.autoMatchManager || options.manager != FolderManagerChoice::Other;
  if (folderLike && options.activateOnlyWhenAlreadyOpen && managerReadable) {
    const OpeningFacts::ManagerFolder current = facts.CurrentManagerFolder(options.autoMatchManager);
    if (!current.path.empty() && core::EqualsIgnoreCase(current.path, path)) {
      action.kind = Kind::ActivateManager;
      action.managerWindow = current.window;
      action.endsItem = true;
      return action;
    }
  }
  if (reuse && folderLike) {
    if (options.manager != FolderManagerChoice::Explorer) {
      action.kind = Kind::OpenPath;
      return action;
    }
    ++state.folderCount;
    // The option can only be set while the stored method is the reuse one.
    if (options.reuseWindow && options.explorerFurtherFoldersInNewWindows && state.folderCount > 1) {
      action.kind = Kind::OpenPath;
      action.reuse = false;
      return action;
    }
    action.kind = Kind::NavigateExplorer;
    return action;
  }
  if (type == PathType::Registry) {
    action.kind = Kind::OpenRegistryPath;
    return action;
  }
  action.kind = Kind::OpenPath;
  action.reuse = false;
  ++state.folderCount;
  return action;
}

// ---- OpenPath ------------------------------------------------------------------------------

ShellStart ExplorerShellStart(std::u16string_view windowsFolder, std::u16string_view path) {
  const ProgramStart start = ExplorerStart(windowsFolder, path);
  return {start.program, start.parameters, false};
}

OpenPathPlan PlanOpenPath(PathType type, std::u16string_view givenPath, std::u16string_view extra,
                          bool reuse, TargetKind target, const OpeningOptions& options,
                          OpeningFacts& facts, core::UserPrompts& prompts) {
  enum class Route { Folder, File, Shell };
  OpenPathPlan plan;
  std::u16string path = TrimOpeningPath(givenPath);
  if (type == PathType::Untagged) type = PathType::Local;
  Route route = Route::Shell;
  switch (type) {
    case PathType::Local:
    case PathType::NetworkMappingFolder: {
      if (path.empty()) return plan;
      path = ResolvePath(path, facts.BaseFolder());
      const PathKind kind = facts.KindOf(path);
      if (kind == PathKind::Folder) {
        route = Route::Folder;
      } else if (kind == PathKind::File) {
        route = Route::File;
      } else if (!IsShellNamespacePath(path)) {
        return plan;  // nothing there
      }
      break;
    }
    case PathType::SharedFolder:
      path = u"\\\\" + core::TrimChars(path, u" \\");
      route = Route::Folder;
      break;
    default:
      break;
  }
  plan.path = path;
  const bool namespacePath = IsShellNamespacePath(path);

  if (route == Route::Folder) {
    if (target == TargetKind::Dte) {
      // Not silently dropped: the box says why it got nothing.
      plan.step = OpenPathPlan::Step::FillDteBox;
      return plan;
    }
    if (!extra.empty()) {
      // A folder with start parameters is handed to the shell with them.
      const ExtraParams params = ParseExtraParams(extra);
      plan.step = OpenPathPlan::Step::Start;
      plan.start = {path, params.remainder, params.hide};
      plan.waitSeconds = params.waitSeconds;
      return plan;
    }
    const std::u16string program = TrimProgramPath(options.programPath);
    const bool programExists = !program.empty() && facts.KindOf(program) == PathKind::File;
    const bool explorer = options.manager == FolderManagerChoice::Explorer;
    if (explorer || !programExists) {
      if (!explorer && !prompts.AskYesNo(kManagerMissingQuestion, kManagerMissingCaption,
                                         core::PromptIcon::Warning)) {
        plan.step = OpenPathPlan::Step::OpenOptionsPage;
        return plan;
      }
      plan.step = OpenPathPlan::Step::Start;
      plan.start = ExplorerShellStart(facts.WindowsFolder(), path);
      plan.frontNewExplorerWindow = !reuse;
      return plan;
    }
    const bool capsRewrite = options.otherMethodWithCapsLock && facts.CapsLockLit();
    const ProgramStart start = FolderManagerStart(options.manager, program, options.paramTemplate,
                                                  path, capsRewrite, reuse);
    plan.step = OpenPathPlan::Step::Start;
    plan.start = {start.program, start.parameters, false};
    return plan;
  }

  plan.step = OpenPathPlan::Step::Start;
  plan.explorerRetryOnFailure = namespacePath;
  plan.frontNewExplorerWindowAfterRetry =
      namespacePath && reuse && options.manager == FolderManagerChoice::Explorer;
  if (route == Route::File && !extra.empty()) {
    const ExtraParams params = ParseExtraParams(extra);
    plan.start = {path, params.remainder, params.hide};
    plan.waitSeconds = params.waitSeconds;
    return plan;
  }
  plan.start = {path, u"", false};
  return plan;
}

}  // namespace pathorama::paths
