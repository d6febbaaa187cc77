#include "editor/path_row.h"

#include "core/text.h"

namespace pathorama::editor {

namespace {

using paths::PathType;

constexpr std::u16string_view kBar = u" | ";

// A path list as it goes into the box: no blanks or bars around it and no
// trailing "\", but the leading "\\" of a share stays.
std::u16string TrimPathList(std::u16string_view list) {
  return core::TrimCharsRight(core::TrimCharsLeft(list, u" |"), u" |\\");
}

std::u16string TwoDigits(int n) {
  std::u16string s = core::IntToText(n);
  return s.size() < 2 ? u"0" + s : s;
}

bool StartsWithStar(std::u16string_view text) {
  const std::u16string t = core::TrimCharsLeft(text, u" ");
  return !t.empty() && t[0] == u'*';
}

}  // namespace

std::u16string_view PathTypeEntryCaption(PathTypeEntry entry) {
  switch (entry) {
    case PathTypeEntry::Local: return u"本地路径";
    case PathTypeEntry::Url: return u"网络地址";
    case PathTypeEntry::Registry: return u"注册表路径";
    case PathTypeEntry::Mixed: return u"混合路径";
  }
  return u"";
}

std::optional<PathTypeEntry> EntryOfPathType(PathType type) {
  switch (type) {
    case PathType::Untagged:
    case PathType::Local: return PathTypeEntry::Local;
    case PathType::Url: return PathTypeEntry::Url;
    case PathType::Registry: return PathTypeEntry::Registry;
    case PathType::Mixed: return PathTypeEntry::Mixed;
    case PathType::SharedFolder:
    case PathType::NetworkMappingFolder: return std::nullopt;
  }
  return std::nullopt;
}

PathType PathTypeOfEntry(PathTypeEntry entry) {
  switch (entry) {
    case PathTypeEntry::Local: return PathType::Local;
    case PathTypeEntry::Url: return PathType::Url;
    case PathTypeEntry::Registry: return PathType::Registry;
    case PathTypeEntry::Mixed: return PathType::Mixed;
  }
  return PathType::Local;
}

std::optional<PathTypeEntry> AutoChangePathType(std::u16string_view pathInfo,
                                                bool recognizeWebAddresses, bool fromPathBox,
                                                PathTypeEntry current) {
  const PathType type = paths::GetCurPathType(pathInfo, recognizeWebAddresses);
  if (fromPathBox && type == PathType::Untagged) return std::nullopt;
  const std::optional<PathTypeEntry> entry = EntryOfPathType(type);
  if (!entry || *entry == current) return std::nullopt;
  return entry;
}

PathRowState ShowItemInControls(FocusedNode focused, std::u16string_view pathInfo,
                                PathTypeEntry listEntry, bool recognizeWebAddresses,
                                const paths::VariableExpander& expand) {
  PathRowState row;
  row.typeEntry = listEntry;
  if (focused == FocusedNode::None) return row;
  if (focused == FocusedNode::Other) {
    row.boxText = pathInfo;
    return row;
  }
  row.enabled = true;
  const PathType type = paths::GetCurPathType(pathInfo, recognizeWebAddresses);
  if (std::optional<PathTypeEntry> entry = EntryOfPathType(type))
    row.typeEntry = *entry;
  else
    row.unlistedType = type;
  row.disabled = paths::IsPathInfoDisabled(pathInfo);
  row.usesVariables = paths::PathInfoUsesVariables(pathInfo);
  // The marks are shown by the buttons. A mixed entry keeps each piece's
  // type tag in the box, or writing it back would lose them.
  const std::u16string unmarked = core::TrimCharsLeft(pathInfo, u" /*");
  row.boxText = type == PathType::Mixed ? unmarked : paths::StripPathTags(unmarked, true);
  row.label = PathRowLabel(row, expand);
  return row;
}

std::u16string RefreshCurItemPathInfo(PathRowState& row, RowSender sender,
                                      bool recognizeWebAddresses) {
  std::u16string t = row.boxText;
  if (sender == RowSender::PathBox) {
    // Marks typed into the box switch their buttons; they are read before
    // a type tag goes in front of the text.
    if (paths::IsPathInfoDisabled(t)) row.disabled = true;
    if (StartsWithStar(core::TrimChars(t, u" /"))) row.usesVariables = true;
    t = core::TrimCharsLeft(t, u" /*");
    const PathType typed = paths::GetCurPathType(t, recognizeWebAddresses);
    if (typed != PathType::Untagged) {
      if (std::optional<PathTypeEntry> entry = EntryOfPathType(typed)) {
        row.typeEntry = *entry;
        row.unlistedType.reset();
      } else {
        row.unlistedType = typed;
      }
    }
  } else if (sender == RowSender::TypeList) {
    row.unlistedType.reset();
  }
  const PathType type = row.unlistedType ? *row.unlistedType : PathTypeOfEntry(row.typeEntry);
  if (sender != RowSender::PathBox && type != PathType::Mixed) t = paths::StripPathTags(t, true);
  t = paths::ApplyPathTypeToPathInfo(t, type);
  t = core::TrimChars(t, u" /");
  if (row.usesVariables) t.insert(0, u"*");
  if (row.disabled) t.insert(0, u"/");
  return paths::CanonicalPathInfo(t);
}

std::u16string PathRowLabel(const PathRowState& row, const paths::VariableExpander& expand) {
  if (!row.usesVariables) return u"";
  std::u16string label;
  for (const std::u16string& piece : paths::SplitPathInfoPieces(row.boxText)) {
    std::u16string path = expand ? expand(piece) : piece;
    if (path.empty()) continue;
    if (!label.empty()) label += kBar;
    label += path;
  }
  return label;
}

std::u16string LabelClipboardText(std::u16string_view label) {
  return core::ReplaceAllText(label, kBar, u"\r\n");
}

InsertMode NextInsertMode(InsertMode mode) {
  switch (mode) {
    case InsertMode::Insert: return InsertMode::Append;
    case InsertMode::Append: return InsertMode::Cover;
    case InsertMode::Cover: return InsertMode::Insert;
  }
  return InsertMode::Insert;
}

std::u16string_view InsertModeCaption(InsertMode mode) {
  switch (mode) {
    case InsertMode::Insert: return u"插";
    case InsertMode::Append: return u"追";
    case InsertMode::Cover: return u"覆";
  }
  return u"插";
}

std::optional<EditText> AddPathsListToPathEdit(const EditText& box, std::u16string_view rawList,
                                               InsertMode mode) {
  const std::u16string list = TrimPathList(rawList);
  if (list.empty()) return std::nullopt;
  EditText out;
  switch (mode) {
    case InsertMode::Cover:
      out = {list, 0, list.size()};
      break;
    case InsertMode::Insert: {
      const size_t start = std::min(box.selectionStart, box.text.size());
      const size_t end = std::min(std::max(box.selectionEnd, start), box.text.size());
      const std::u16string left = core::TrimChars(std::u16string_view(box.text).substr(0, start), u" |");
      const std::u16string right = core::TrimChars(std::u16string_view(box.text).substr(end), u" |");
      if (!left.empty() && !right.empty()) {
        out.text = left + std::u16string(kBar) + list + std::u16string(kBar) + right;
        out.selectionStart = left.size();
        out.selectionEnd = left.size() + 2 * kBar.size() + list.size();
      } else if (!left.empty()) {
        out.text = left + std::u16string(kBar) + list;
        out = {out.text, left.size(), out.text.size()};
      } else if (!right.empty()) {
        out.text = list + std::u16string(kBar) + right;
        out = {out.text, 0, list.size() + kBar.size()};
      } else {
        out = {list, 0, list.size()};
      }
      break;
    }
    case InsertMode::Append: {
      const std::u16string base = core::TrimChars(box.text, u" |");
      if (!base.empty()) {
        out.text = base + std::u16string(kBar) + list;
        out = {out.text, base.size(), out.text.size()};
      } else {
        out.text = box.text + list;
        out = {out.text, 0, out.text.size()};
      }
      break;
    }
  }
  return out;
}

std::optional<EditText> InsertVariableText(const EditText& box, std::u16string_view variable,
                                           InsertMode mode, bool boxFocused) {
  if (variable.empty()) return std::nullopt;
  const std::u16string var(variable);
  if (mode == InsertMode::Cover) return EditText{var, 0, var.size()};
  if (mode == InsertMode::Insert && boxFocused) {
    const size_t start = std::min(box.selectionStart, box.text.size());
    const size_t end = std::min(std::max(box.selectionEnd, start), box.text.size());
    std::u16string text = box.text.substr(0, start) + var + box.text.substr(end);
    return EditText{std::move(text), start, start + var.size()};
  }
  std::u16string text = box.text + var;
  const size_t caret = text.size();
  return EditText{std::move(text), caret, caret};
}

MenuVariable VariableOfMenuCaption(std::u16string_view caption, core::CalendarDate today) {
  if (caption.empty() || caption[0] != u'{') return {};
  static constexpr std::u16string_view kDateParam = u"<8位数字年月日>";
  if (caption.find(kDateParam, 1) != std::u16string_view::npos) {
    const size_t lt = caption.find(u'<');
    const size_t gt = caption.find(u'>');
    const size_t brace = caption.find(u'}', gt);
    if (brace == std::u16string_view::npos) return {};
    std::u16string text(caption.substr(0, lt));
    text += u"<" + core::IntToText(today.year) + TwoDigits(today.month) + TwoDigits(today.day) + u">";
    text += caption.substr(gt + 1, brace - gt);
    return {MenuVariable::Action::Insert, std::move(text)};
  }
  const size_t brace = caption.find(u'}');
  if (brace == std::u16string_view::npos) return {};
  const std::u16string_view variable = caption.substr(0, brace + 1);
  // The sequences and the numbered folder layer are set up in the builder.
  if (core::StartsWithIgnoreCase(caption, u"{NFolder}"))
    return {MenuVariable::Action::OpenBuilder, u"NFolder"};
  const std::u16string_view name = variable.substr(1, variable.size() - 2);
  for (std::u16string_view sequence :
       {u"Number", u"RomaNum", u"ChineseNum", u"ChineseNum_Caps", u"CircledNum"}) {
    if (core::EqualsIgnoreCase(name, sequence))
      return {MenuVariable::Action::OpenBuilder, std::u16string(sequence)};
  }
  return {MenuVariable::Action::Insert, std::u16string(variable)};
}

std::u16string DroppedPathsText(const std::vector<DroppedPath>& dropped) {
  std::u16string folder;
  std::vector<std::u16string> names, whole, targets;
  for (const DroppedPath& d : dropped) {
    if (d.shortcutTarget) {
      targets.push_back(*d.shortcutTarget);
      continue;
    }
    const size_t slash = d.path.rfind(u'\\');
    const std::u16string here = slash == std::u16string::npos ? u"" : d.path.substr(0, slash + 1);
    const std::u16string name = slash == std::u16string::npos ? d.path : d.path.substr(slash + 1);
    if (names.empty() && whole.empty() && folder.empty()) folder = here;
    // Only plain names of the first path's folder join its group: a name
    // with "(", ")" or "|" would change what the group means.
    const bool groupable = !here.empty() && core::EqualsIgnoreCase(here, folder) && !name.empty() &&
                           name.find_first_of(u"()|") == std::u16string::npos;
    (groupable ? names : whole).push_back(groupable ? name : d.path);
  }
  std::vector<std::u16string> pieces;
  if (names.size() == 1) pieces.push_back(folder + names[0]);
  if (names.size() > 1) pieces.push_back(folder + u"(" + core::JoinText(names, kBar) + u")");
  pieces.insert(pieces.end(), whole.begin(), whole.end());
  pieces.insert(pieces.end(), targets.begin(), targets.end());
  return core::JoinText(pieces, kBar);
}

std::optional<std::u16string> FileDialogStartFolder(std::u16string_view boxPaths, bool folderMode,
                                                    const PathFacts& facts) {
  for (const std::u16string& raw : core::SplitText(boxPaths, u"|")) {
    std::u16string piece = core::TrimCharsRight(core::TrimChars(raw, u" "), u" \\");
    if (piece.empty()) continue;
    // "C:" alone names the drive's current folder, not its root.
    if (piece.back() == u':') piece += u'\\';
    const size_t slash = piece.rfind(u'\\');
    const std::u16string parent = slash == std::u16string::npos ? u"" : piece.substr(0, slash);
    if (folderMode && facts.isFolder && facts.isFolder(piece)) return piece;
    if (facts.isFile && facts.isFile(piece) && !parent.empty()) return parent;
  }
  return std::nullopt;
}

std::u16string ChosenPathsList(const std::vector<std::u16string>& chosen) {
  return TrimPathList(core::JoinText(chosen, kBar));
}

bool DuplicateReportGate::ShouldReport(std::u16string_view text) {
  if (reported_ && *reported_ == text) return false;
  reported_ = std::u16string(text);
  return true;
}

}  // namespace pathorama::editor
