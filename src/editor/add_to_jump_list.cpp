#include "editor/add_to_jump_list.h"

#include <utility>

#include "core/text.h"
#include "editor/accelerator_keys.h"
#include "jumplist/caption_limit.h"
#include "jumplist/jump_menu.h"
#include "paths/path_info.h"

namespace pathorama::editor {

using jumplist::JumpItem;
using jumplist::JumpItemKind;
using jumplist::JumpList;

namespace {

constexpr std::u16string_view kSeparator = u" | ";

std::u16string NamePart(std::u16string_view path) {
  size_t slash = path.rfind(u'\\');
  return std::u16string(slash == std::u16string_view::npos ? path : path.substr(slash + 1));
}

std::u16string WithoutExtension(std::u16string_view name) {
  size_t dot = name.rfind(u'.');
  if (dot == std::u16string_view::npos || dot == 0) return std::u16string(name);
  return std::u16string(name.substr(0, dot));
}

std::vector<std::u16string> SelectionLines(std::u16string_view text) {
  std::u16string plain = core::ReplaceAllText(text, u"\n", u"");
  std::vector<std::u16string> lines;
  for (std::u16string& line : core::SplitText(plain, u"\r"))
    if (!core::TrimChars(line, u" ").empty()) lines.push_back(std::move(line));
  return lines;
}

bool CanBeDestination(const JumpItem& item) {
  return item.kind == JumpItemKind::kEntry || item.kind == JumpItemKind::kGroup;
}

// The sibling list that holds the item tagged `tag`, and its index there.
std::pair<std::vector<JumpItem>*, size_t> FindContainer(std::vector<JumpItem>& top, int32_t tag) {
  std::vector<std::vector<JumpItem>*> pending{&top};
  while (!pending.empty()) {
    std::vector<JumpItem>* level = pending.back();
    pending.pop_back();
    for (size_t i = 0; i < level->size(); ++i) {
      if ((*level)[i].tag == tag) return {level, i};
      if (!(*level)[i].children.empty()) pending.push_back(&(*level)[i].children);
    }
  }
  return {nullptr, 0};
}

// Entries go after a group's hidden placeholder, never before it.
size_t FirstStoredIndex(const std::vector<JumpItem>& level) {
  return !level.empty() && level.front().kind == JumpItemKind::kPlaceholder ? 1 : 0;
}

std::u16string TrimTitle(std::u16string_view title) { return core::TrimChars(title, u" -"); }

}  // namespace

std::u16string_view AddSourceCaption(AddSource source) {
  switch (source) {
    case AddSource::kOpenFolder: return u"当前已打开文件夹";
    case AddSource::kSelectedFolders: return u"当前已选文件夹";
    case AddSource::kSelectedFiles: return u"当前已选文件";
    case AddSource::kSelectedPaths: return u"当前已选文件（夹）";
  }
  return u"";
}

std::u16string AddDialogCaption(AddSource source) {
  return u"把" + std::u16string(AddSourceCaption(source)) + u"路径添加到路径跳转列表";
}

CollectedPaths CollectOpenFolder(std::u16string_view folder, std::u16string_view addressBarText) {
  CollectedPaths result;
  std::u16string path = core::TrimChars(folder, u" ");
  // "D:\Work\" (as Total Commander gives it) is "D:\Work"; a drive root
  // keeps its backslash.
  while (path.size() > 3 && path.back() == u'\\') path.pop_back();
  if (path.empty()) return result;
  result.list = path;
  result.count = 1;
  std::u16string title = paths::IsShellNamespacePath(path)
                             ? NamePart(core::TrimChars(addressBarText, u" \\"))
                             : NamePart(path);
  result.title = AddAcceleratorKey(core::TrimChars(title, u" "));
  return result;
}

CollectedPaths CollectSelection(std::u16string_view selectionText, AddSource source) {
  CollectedPaths result;
  std::vector<std::u16string> taken;
  std::u16string title;
  for (const std::u16string& line : SelectionLines(selectionText)) {
    const bool folder = !line.empty() && line.back() == u'\\';
    std::u16string path;
    std::u16string name;
    switch (source) {
      case AddSource::kSelectedFolders:
        if (!folder) continue;
        path = core::TrimCharsRight(line, u"\\");
        name = NamePart(path);
        break;
      case AddSource::kSelectedFiles:
        if (folder) continue;
        path = line;
        name = WithoutExtension(NamePart(path));
        break;
      case AddSource::kSelectedPaths:
      case AddSource::kOpenFolder:
        path = folder ? core::TrimCharsRight(line, u"\\") : line;
        name = folder ? NamePart(path) : WithoutExtension(NamePart(path));
        break;
    }
    if (taken.empty()) title = name;
    taken.push_back(std::move(path));
  }
  result.count = taken.size();
  result.list = core::JoinText(taken, kSeparator);
  result.title = AddAcceleratorKey(title);
  return result;
}

std::u16string PathCountText(size_t count) {
  if (count == 0) return std::u16string();
  return u"已获取到 " + core::IntToText(static_cast<long long>(count)) + u" 条路径";
}

bool TitleBoxEnabled(AddSource source, std::u16string_view list, bool sameEntryChecked) {
  return source == AddSource::kOpenFolder || list.find(u'|') == std::u16string_view::npos ||
         sameEntryChecked;
}

std::u16string PathListCopyText(std::u16string_view list) {
  return core::ReplaceAllText(list, kSeparator, u"\r\n");
}

std::u16string PathListHint(std::u16string_view list, bool cutOff) {
  constexpr std::u16string_view kHint = u"双击将把路径信息（蓝色文字部分）复制到剪贴板";
  if (!cutOff) return std::u16string(kHint);
  return PathListCopyText(list) + u"\r\r" + std::u16string(kHint);
}

std::u16string SimplifyPathList(std::u16string_view list) {
  std::vector<std::u16string> pathsOfList = core::SplitText(list, u"|");
  if (pathsOfList.size() < 2 || pathsOfList.size() > paths::kMaxAlternationPaths ||
      list.size() > paths::kMaxAlternationChars)
    return std::u16string(list);
  std::u16string first = core::TrimCharsRight(core::TrimChars(pathsOfList.front(), u" "), u"\\");
  size_t slash = first.rfind(u'\\');
  if (slash == std::u16string::npos || slash == 0) return std::u16string(list);
  const std::u16string base = first.substr(0, slash + 1);
  std::vector<std::u16string> names;
  for (const std::u16string& raw : pathsOfList) {
    std::u16string path = core::TrimChars(raw, u" ");
    if (path.size() <= base.size() || path.compare(0, base.size(), base) != 0)
      return std::u16string(list);
    std::u16string name = path.substr(base.size());
    // Blanks at a name's ends would be kept inside the group and make
    // other paths than the selected ones.
    if (name.find_first_of(u"\\()") != std::u16string::npos || name.front() == u' ' ||
        name.back() == u' ')
      return std::u16string(list);
    names.push_back(std::move(name));
  }
  // Alternatives keep their blanks when the group is expanded, so they are
  // joined by a bare "|".
  return base + u"(" + core::JoinText(names, u"|") + u")";
}

std::u16string ExpandSimplifiedPathList(std::u16string_view list) {
  size_t open = list.find(u"\\(");
  size_t bar = list.find(u'|');
  if (open == std::u16string_view::npos || open == 0 || list.empty() || list.back() != u')' ||
      (bar != std::u16string_view::npos && bar < open))
    return std::u16string(list);
  std::vector<std::u16string> pieces = paths::SplitPathInfoPieces(list);
  for (std::u16string& piece : pieces) piece = core::TrimChars(piece, u" ");
  return core::JoinText(pieces, kSeparator);
}

std::vector<DestinationChoice> DestinationChoices(const JumpList& list) {
  std::vector<DestinationChoice> choices;
  // Walk by hand so a hidden item hides what is below it as well.
  struct Pending {
    const JumpItem* item;
    size_t depth;
  };
  std::vector<Pending> pending;
  const auto& top = list.Items();
  for (auto it = top.rbegin(); it != top.rend(); ++it)
    if (!core::StartsWithIgnoreCase(it->name, jumplist::kFunctionItemPrefix))
      pending.push_back({&*it, 0});
  while (!pending.empty()) {
    Pending p = pending.back();
    pending.pop_back();
    if (!CanBeDestination(*p.item)) continue;
    std::u16string indent;
    for (size_t i = 0; i < p.depth; ++i) indent += u"　　";
    choices.push_back({indent + p.item->caption, p.item->tag});
    const auto& children = p.item->children;
    for (auto it = children.rbegin(); it != children.rend(); ++it)
      if (it->visible && !core::StartsWithIgnoreCase(it->name, jumplist::kCurrentFolderItemPrefix))
        pending.push_back({&*it, p.depth + 1});
  }
  return choices;
}

std::u16string DestinationCaption(std::u16string_view choiceText) {
  return core::TrimCharsLeft(choiceText, u" 　");
}

bool DestinationStillValid(const JumpList& list, int32_t tag, std::u16string_view caption) {
  if (tag == 0) return false;
  const JumpItem* item = list.FindByTag(tag);
  return item && CanBeDestination(*item) && item->caption == caption;
}

ConfirmPlan PlanConfirm(const ConfirmInput& input, const PathExistsQuery& exists,
                        const KeepMissingQuery& keepMissing) {
  ConfirmPlan plan;
  const std::u16string list = core::TrimChars(input.list, u" ");
  if (list.empty()) return plan;
  const bool several = list.find(u'|') != std::u16string::npos;
  const std::u16string title = TrimTitle(input.title);
  const bool titleTaken =
      input.source == AddSource::kOpenFolder || !several || input.sameEntryChecked;
  if (titleTaken && title.empty()) {
    plan.outcome = ConfirmPlan::Outcome::kTitleMissing;
    return plan;
  }
  plan.outcome = ConfirmPlan::Outcome::kAdd;
  if (!several || (input.simplifyChecked && input.sameEntryChecked)) {
    plan.entries.push_back({list, title});
    return plan;
  }
  std::vector<std::u16string> taken;
  for (const std::u16string& raw : paths::SplitPathInfoPieces(list)) {
    std::u16string path = core::TrimChars(raw, u" \t");
    if (path.empty()) continue;
    if (exists(path) || paths::IsShellNamespacePath(path) || keepMissing(path))
      taken.push_back(std::move(path));
  }
  if (input.sameEntryChecked) {
    if (!taken.empty()) plan.entries.push_back({core::JoinText(taken, kSeparator), title});
  } else {
    for (std::u16string& path : taken) {
      std::u16string name = NamePart(core::TrimCharsRight(path, u"\\"));
      std::u16string entryTitle = AddAcceleratorKey(name.empty() ? path : name);
      plan.entries.push_back({std::move(path), std::move(entryTitle)});
    }
  }
  if (plan.entries.empty()) plan.outcome = ConfirmPlan::Outcome::kClose;
  return plan;
}

bool InsertMenuItemAtPosition(JumpList& list, JumpItem item, int32_t destination,
                              InsertPosition position, size_t k, const InsertOptions& options) {
  if (k == 0) k = 1;
  const auto found = FindContainer(list.Items(), destination);
  // Named copies: a lambda may not capture a structured binding (C++20 as
  // clang 14 reads it).
  auto* const level = found.first;
  const size_t index = found.second;
  if (!level || !CanBeDestination((*level)[index])) return false;
  auto insertAt = [&](size_t at) {
    if (at > level->size()) at = level->size();
    level->insert(level->begin() + static_cast<std::ptrdiff_t>(at), std::move(item));
  };
  switch (position) {
    case InsertPosition::kInsertAfter:
      insertAt(index + k);
      return true;
    case InsertPosition::kInsertBefore:
      // The destination has moved down by the k-1 entries already placed.
      insertAt(index);
      return true;
    case InsertPosition::kAddFirstAtSibling:
      insertAt(FirstStoredIndex(*level) + k - 1);
      return true;
    case InsertPosition::kAddLastAtSibling: {
      size_t at = index;
      while (at < level->size() &&
             !core::StartsWithIgnoreCase((*level)[at].name, jumplist::kFunctionItemPrefix))
        ++at;
      insertAt(at);
      return true;
    }
    case InsertPosition::kInsertAsSubItem: {
      JumpItem& target = (*level)[index];
      if (!target.IsGroup()) {
        target.kind = JumpItemKind::kGroup;
        target.clickable = true;
        target.children.push_back(JumpList::NewPlaceholder());
      }
      size_t at = FirstStoredIndex(target.children) + k - 1;
      if (at > target.children.size()) at = target.children.size();
      target.children.insert(target.children.begin() + static_cast<std::ptrdiff_t>(at),
                             std::move(item));
      // The pair goes to every group only where the setting asks for it;
      // this also moves an existing pair back behind the new entry.
      if (options.currentFolderItems) jumplist::SetCurrentFolderItems(list, true);
      return true;
    }
  }
  return false;
}

int32_t AddJumpListEntry(JumpList& list, std::u16string_view pathInfo, std::u16string_view title,
                         size_t k, const InsertTarget& target, const InsertOptions& options) {
  if (k == 0) k = 1;
  JumpItem item = list.NewEntry(
      jumplist::LimitJumpListItemCaptionLength(TrimTitle(title), options.captionMaxLength, u"..."));
  item.clickable = true;
  const int32_t tag = item.tag;
  list.SetPathByTag(tag, pathInfo);
  if (target.toMenuItem && target.destinationTag != 0 &&
      InsertMenuItemAtPosition(list, item, target.destinationTag, target.position, k, options))
    return tag;
  auto& top = list.Items();
  size_t at = k - 1 < top.size() ? k - 1 : top.size();
  top.insert(top.begin() + static_cast<std::ptrdiff_t>(at), std::move(item));
  return tag;
}

void AddJumpListEntries(JumpList& list, const std::vector<NewEntry>& entries,
                        const InsertTarget& target, const InsertOptions& options) {
  size_t k = 0;
  for (const NewEntry& entry : entries)
    AddJumpListEntry(list, entry.pathInfo, entry.title, ++k, target, options);
}

}  // namespace pathorama::editor
