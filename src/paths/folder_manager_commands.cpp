#include "paths/folder_manager_commands.h"

#include <array>

#include "core/regex.h"
#include "core/text.h"

namespace pathorama::paths {

namespace {

using Choice = FolderManagerChoice;

const std::array<FolderManagerInfo, kFolderManagerChoiceCount>& Table() {
  static const std::array<FolderManagerInfo, kFolderManagerChoiceCount> table = {{
      {Choice::Explorer, u"自带的资源管理器 Explorer", u"Explorer", u"", {}, u"", u""},
      {Choice::TotalCommander, u"TotalCommander", u"TotalCommander", u"", {},
       u"程序名必须为 Totalcmd.exe 或 Totalcmd64.exe", u""},
      {Choice::DirectoryOpus, u"DirectoryOpus", u"DirectoryOpus", u"dopusrt.exe", {u"dopusrt.exe"},
       u"注意：程序名必须为 dopusrt.exe",
       u"DirectoryOpus 在此处必须使用 dopusrt.exe\r否则，将无法正确打开文件夹\r\r请重新选择"},
      {Choice::XYplorer, u"XYplorer", u"XYplorer", u"XYplorer.exe", {u"XYplorer.exe"},
       u"程序名必须为 XYplorer.exe",
       u"XYplorer 在此处必须使用 XYplorer.exe\r否则，将无法正确打开文件夹\r\r请重新选择"},
      {Choice::Xplorer2, u"Xplorer2", u"Xplorer2", u"xplorer2_UC.exe | xplorer2_64.exe",
       {u"xplorer2_UC.exe", u"xplorer2_64.exe"}, u"程序名必须为 xplorer2_UC.exe 或 xplorer2_64.exe",
       u"Xplorer2 在此处必须使用 xplorer2_UC.exe 或 xplorer2_64.exe\r否则，将无法正确打开文件夹\r\r"
       u"请重新选择"},
      {Choice::FreeCommander, u"FreeCommander", u"FreeCommander", u"FreeCommander.exe",
       {u"FreeCommander.exe"}, u"程序名必须为 FreeCommander.exe",
       u"FreeCommander 在此处必须使用 FreeCommander.exe\r否则，将无法正确打开文件夹\r\r请重新选择"},
      {Choice::Other, u"其它文件夹管理器", u"", u"", {}, u"", u""},
  }};
  return table;
}

// The folder as the whole parameter text. Unquoted, a blank splits it into
// several arguments for a program that reads its command line by the usual
// rules, and a comma separates Explorer's switches: such a folder is put in
// double quotes, with the backslashes before the closing quote doubled so
// that they do not escape it.
std::u16string FolderAsParameter(std::u16string_view folder) {
  if (folder.find_first_of(u" \t,") == std::u16string_view::npos) return std::u16string(folder);
  const size_t end = folder.find_last_not_of(u'\\') + 1;
  return u"\"" + std::u16string(folder) + std::u16string(folder.size() - end, u'\\') + u"\"";
}

std::u16string_view FileNameOf(std::u16string_view path) {
  const size_t slash = path.find_last_of(u"\\/");
  return slash == std::u16string_view::npos ? path : path.substr(slash + 1);
}

std::u16string_view WindowStateWord(WindowState state, std::u16string_view max,
                                    std::u16string_view min, std::u16string_view normal) {
  switch (state) {
    case WindowState::Maximized: return max;
    case WindowState::Minimized: return min;
    case WindowState::Normal: return normal;
  }
  return normal;
}

// Left/right/source/target panel fragments of Total Commander and
// FreeCommander (`sourceMark` "/S" or "/Z").
std::u16string PanelFragment(Panel panel, std::u16string_view sourceMark) {
  switch (panel) {
    case Panel::Left: return uR"(/L="%1")";
    case Panel::Right: return uR"(/R="%1")";
    case Panel::Source: return std::u16string(sourceMark) + uR"( /L="%1")";
    case Panel::Destination: return std::u16string(sourceMark) + uR"( /R="%1")";
  }
  return {};
}

// Replaces the first occurrence of `from` (without regard to case).
std::u16string ReplaceFirstIgnoreCase(std::u16string_view text, std::u16string_view from,
                                      std::u16string_view to) {
  const size_t at = core::FindIgnoreCase(text, from);
  if (at == std::u16string_view::npos) return std::u16string(text);
  return std::u16string(text.substr(0, at)) + std::u16string(to) +
         std::u16string(text.substr(at + from.size()));
}

// Replaces the first match of `pattern` by `replacement` ($1, $2 as in
// Regex::ReplaceAll); false when nothing matched.
bool ReplaceFirstMatch(std::u16string& text, const char16_t* pattern,
                       std::u16string_view replacement) {
  const core::Regex& re = core::Regex::Get(pattern);
  std::optional<core::RegexMatch> m = re.Search(text);
  if (!m) return false;
  const std::u16string replaced = re.ReplaceAll(m->Group(), replacement);
  text = text.substr(0, m->Start()) + replaced + text.substr(m->End());
  return true;
}

}  // namespace

std::span<const FolderManagerInfo> FolderManagerTable() { return Table(); }

const FolderManagerInfo& InfoOf(FolderManagerChoice choice) {
  return Table()[static_cast<size_t>(choice)];
}

std::optional<FolderManagerChoice> FolderManagerChoiceFromIndex(long long index) {
  if (index < 0 || index >= kFolderManagerChoiceCount) return std::nullopt;
  return static_cast<FolderManagerChoice>(index);
}

ProgramCheck CheckFolderManagerProgram(FolderManagerChoice choice,
                                       std::u16string_view programPath) {
  const std::u16string_view name = FileNameOf(programPath);
  if (!core::EndsWithIgnoreCase(name, u".exe")) return ProgramCheck::NotAnExe;
  const FolderManagerInfo& info = InfoOf(choice);
  if (info.acceptedFileNames.empty()) return ProgramCheck::Accepted;
  for (std::u16string_view accepted : info.acceptedFileNames)
    if (core::EqualsIgnoreCase(name, accepted)) return ProgramCheck::Accepted;
  return ProgramCheck::WrongProgram;
}

FolderManagerOptions EffectiveOptions(FolderManagerOptions options) {
  if (options.reuseWindow) return options;
  options.totalCommanderNewTab = false;
  options.freeCommanderNewTab = false;
  for (Panel* panel : {&options.totalCommanderPanel, &options.freeCommanderPanel}) {
    if (*panel == Panel::Source) *panel = Panel::Left;
    if (*panel == Panel::Destination) *panel = Panel::Right;
  }
  return options;
}

std::u16string BuildFolderManagerParams(const FolderManagerOptions& given) {
  const FolderManagerOptions o = EffectiveOptions(given);
  const bool reuse = o.reuseWindow;
  std::vector<std::u16string> f;
  switch (o.manager) {
    case Choice::TotalCommander:
      f.push_back(reuse ? u"/O" : u"/N");
      f.push_back(PanelFragment(o.totalCommanderPanel, u"/S"));
      if (o.totalCommanderNewTab) f.push_back(o.totalCommanderActivateNewTab ? u"/T" : u"/B");
      if (!reuse) f.push_back(o.totalCommanderActivateRightPanel ? u"/P=R" : u"/P=L");
      break;
    case Choice::DirectoryOpus: {
      f.push_back(uR"(/cmd Go "%1")");
      if (!reuse)
        f.push_back(u"New " + std::u16string(WindowStateWord(o.windowState, u"max", u"min", u"norm")));
      switch (o.directoryOpusPanel) {
        case Panel::Left: f.push_back(u"OpenInLeft"); break;
        case Panel::Right: f.push_back(u"OpenInRight"); break;
        case Panel::Destination: f.push_back(u"OpenInDest"); break;
        case Panel::Source: break;
      }
      if (o.directoryOpusNewTab) {
        static constexpr std::u16string_view kPositions[] = {u"-1", u"+1", u"First", u"Last"};
        f.push_back(u"NewTab");
        const int position = o.directoryOpusNewTabPosition;
        f.push_back(std::u16string(kPositions[position >= 0 && position < 4 ? position : 1]));
        f.push_back(o.directoryOpusActivateNewTab ? u"ToFront" : u"NoFocus");
      }
      static constexpr std::u16string_view kViews[] = {
          u"View LargeIcons", u"View SmallIcons", u"View Thumbnails",
          u"View List",       u"View Tiles",      u"View Details"};
      const int view = o.directoryOpusView;
      f.push_back(std::u16string(kViews[view >= 0 && view < 6 ? view : 2]));
      if (o.directoryOpusExpandTree) f.push_back(u"ExpandTree");
      if (o.directoryOpusActivateExistingTab) f.push_back(u"ExistingLister");
      break;
    }
    case Choice::XYplorer:
      if (reuse) {
        f.push_back(uR"("%1")");
        break;
      }
      f.push_back(uR"(/new "%1")");
      f.push_back(std::u16string(
          WindowStateWord(o.windowState, u"/win=max", u"/win=min", u"/win=normal")));
      if (o.xyplorerExpandTree) f.push_back(u"/exp");
      if (o.xyplorerReadOnly) f.push_back(u"/readonly");
      break;
    case Choice::Xplorer2:
      f.push_back(uR"("%1")");
      if (!reuse) {
        f.push_back(o.xplorer2DualPanels ? u"/2" : u"/1");
        if (o.xplorer2NotRestoreTabs) f.push_back(u"/T");
      }
      break;
    case Choice::FreeCommander:
      f.push_back(reuse ? u"/C" : u"/N");
      f.push_back(PanelFragment(o.freeCommanderPanel, u"/Z"));
      if (o.freeCommanderNewTab) f.push_back(o.freeCommanderActivateNewTab ? u"/T" : u"/B");
      if (!reuse) f.push_back(o.freeCommanderActivateRightPanel ? u"/Panel=R" : u"/Panel=L");
      break;
    case Choice::Explorer:
    case Choice::Other:
      break;
  }
  return core::TrimChars(core::JoinText(f, u" "), u" ");
}

std::u16string RewriteParamsForOpenMethod(std::u16string_view params, FolderManagerChoice manager,
                                          bool reuse) {
  std::u16string t(params);
  switch (manager) {
    case Choice::TotalCommander:
      return reuse ? ReplaceFirstIgnoreCase(t, u"/N", u"/O") : ReplaceFirstIgnoreCase(t, u"/O", u"/N");
    case Choice::FreeCommander:
      return reuse ? ReplaceFirstIgnoreCase(t, u"/N", u"/C") : ReplaceFirstIgnoreCase(t, u"/C", u"/N");
    case Choice::DirectoryOpus:
      if (reuse) {
        // A "New" before the quoted folder, then one after it that is not "NewTab".
        ReplaceFirstMatch(t, uR"(^([^"]+)New )", u"$1");
        ReplaceFirstMatch(t, uR"(("[^"]+)New(?!Tab)([^"]*)$)", u"$1$2");
        return t;
      }
      if (ReplaceFirstMatch(t, uR"(^([^"]+)NewTab )", u"$1New ")) return t;
      if (ReplaceFirstMatch(t, uR"(("[^"]+)NewTab([^"]*)$)", u"$1New$2")) return t;
      if (size_t go = core::FindIgnoreCase(t, u" go "); go != std::u16string::npos)
        t.insert(go + 4, u"New ");
      return t;
    default:
      return t;
  }
}

std::u16string TrimProgramPath(std::u16string_view programPath) {
  return core::TrimChars(programPath, u" \"\\");
}

ProgramStart FolderManagerStart(FolderManagerChoice manager, std::u16string_view programPath,
                                std::u16string_view paramTemplate, std::u16string_view folder,
                                bool capsLockRewrite, bool reuse) {
  ProgramStart start;
  start.program = TrimProgramPath(programPath);
  if (manager == Choice::DirectoryOpus &&
      !core::EqualsIgnoreCase(FileNameOf(start.program), u"dopusrt.exe")) {
    const size_t slash = start.program.find_last_of(u"\\/");
    start.program = (slash == std::u16string::npos ? u"" : start.program.substr(0, slash + 1)) +
                    u"dopusrt.exe";
  }
  const std::u16string params = core::TrimChars(paramTemplate, u" \t");
  if (params.empty()) {
    start.parameters = FolderAsParameter(folder);
  } else {
    // The folder with exactly one trailing backslash.
    const std::u16string withSlash = core::TrimCharsRight(folder, u"\\") + u"\\";
    // Another program reads its command line by the usual rules, where a
    // backslash before a double quote escapes the quote: "%1" would reach it
    // as an unterminated text. The backslash is doubled there.
    const bool doubleBeforeQuote = manager == Choice::Other;
    size_t at = 0;
    for (size_t found; (found = params.find(u"%1", at)) != std::u16string::npos; at = found + 2) {
      start.parameters.append(params, at, found - at);
      start.parameters += withSlash;
      if (doubleBeforeQuote && found + 2 < params.size() && params[found + 2] == u'"')
        start.parameters += u'\\';
    }
    start.parameters.append(params, at);
  }
  if (capsLockRewrite) start.parameters = RewriteParamsForOpenMethod(start.parameters, manager, reuse);
  return start;
}

ProgramStart ExplorerStart(std::u16string_view windowsFolder, std::u16string_view folder) {
  return {core::TrimCharsRight(windowsFolder, u"\\") + u"\\Explorer.exe", FolderAsParameter(folder)};
}

}  // namespace pathorama::paths
