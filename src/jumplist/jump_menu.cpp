#include "jumplist/jump_menu.h"

#include <algorithm>
#include <array>
#include <type_traits>
#include <utility>

#include "core/text.h"
#include "paths/opening.h"

namespace pathorama::jumplist {

namespace {

constexpr std::u16string_view kFunctionSeparatorPrefix = u"mni_Separator";

constexpr std::array<FunctionTemplate, 11> kTemplates{{
    {FunctionItem::Separator, u"mni_Separator1", u"-", std::nullopt, false},
    {FunctionItem::AddOrDeleteCurrentFolder, u"mni_AddOrDelCurFolder", u"添加当前文件夹(&A)",
     std::nullopt, true},
    {FunctionItem::ConfigureJumpList, u"mni_SetPathsList", u"配置路径跳转列表(&C)", std::nullopt,
     true},
    {FunctionItem::BatchDelete, u"mni_DelSpecialItems", u"批量删除特定条目(&D)", std::nullopt,
     true},
    {FunctionItem::DeleteItemsLocalPathNotExist, u"mni_DelItemsLocalPathNotExist",
     u"本地路径不存在的条目(&D)", FunctionItem::BatchDelete, false},
    {FunctionItem::DeleteItemsAssociateNull, u"mni_DelItemsAssociateNull",
     u"未关联路径或网址的条目(&N)", FunctionItem::BatchDelete, false},
    {FunctionItem::ForbidJumpListHotKey, u"mni_ForbidJumpListHotkey", u"禁用弹出跳转列表的热键(&J)",
     std::nullopt, true},
    {FunctionItem::ForbidInCurrentWindowClass, u"mni_CurWinClassForbidJumpListHotKey",
     u"在当前类型的窗口中禁用(&W)", FunctionItem::ForbidJumpListHotKey, false},
    {FunctionItem::ForbidInCurrentProgram, u"mni_CurAppForbidJumpListHotKey",
     u"在当前软件中禁用(&S)", FunctionItem::ForbidJumpListHotKey, false},
    {FunctionItem::ForbidInGivenWindow, u"mni_ForbidJumpListHotKeyInGivenWindow",
     u"在特定窗口/程序中禁用(&F)", FunctionItem::ForbidJumpListHotKey, false},
    {FunctionItem::AppSettings, u"mni_AppOption", u"程序设置(&S)", std::nullopt, true},
}};

// The template caption with `letter` after its "(&".
std::u16string WithAccelerator(std::u16string_view caption, char16_t letter) {
  std::u16string result(caption);
  size_t at = result.find(u"(&");
  if (at != std::u16string::npos && at + 2 < result.size()) result[at + 2] = letter;
  return result;
}

// The accelerator of a caption: the character after its first "&" (the
// pattern [\(\[]?(&.)[\)\]]? finds nothing else), lower-cased; empty when none.
std::u16string AcceleratorOf(std::u16string_view caption) {
  size_t at = caption.find(u'&');
  if (at == std::u16string_view::npos || at + 1 >= caption.size() || caption[at + 1] == u'\n')
    return std::u16string();
  return core::ToLower(caption.substr(at + 1, core::CodePointLength(caption, at + 1)));
}

// Walks `items` and everything below in menu order without recursion;
// visit(item, ancestors) sees the groups above the item, outermost first,
// and returns whether to go below the item. `Items` is
// std::vector<JumpItem>, const or not.
template <typename Items, typename Visit>
void WalkWithAncestors(Items& items, Visit visit) {
  using Item = std::remove_reference_t<decltype(items[0])>;
  std::vector<std::pair<Items*, size_t>> open{{&items, 0}};
  std::vector<Item*> ancestors;
  while (!open.empty()) {
    auto& [siblings, next] = open.back();
    if (next == siblings->size()) {
      open.pop_back();
      if (!ancestors.empty()) ancestors.pop_back();
      continue;
    }
    Item& item = (*siblings)[next++];
    if (visit(item, ancestors) && !item.children.empty()) {
      ancestors.push_back(&item);
      open.push_back({&item.children, 0});
    }
  }
}

// Whether a path info, its pieces joined by "|", marks stripped and
// expanded when marked, is the folder `folderKey` (blanks and backslashes
// trimmed from both ends, compared without regard to case).
bool PathInfoPointsAt(std::u16string_view pathInfo, std::u16string_view folderKey,
                      const paths::VariableExpander& expand) {
  std::u16string text = paths::SplitPathInfo(pathInfo);
  size_t first = text.find_first_not_of(u' ');
  const bool marked = first != std::u16string::npos && text[first] == u'*';
  text = core::TrimCharsLeft(text, u" *");
  if (marked && expand) {
    // Expansion replaces variables, each from a "{" to a "}": the text
    // before the first brace and after the last one stays as written. A
    // text without a brace is its own expansion, and one whose written head
    // or tail already differs from the folder cannot match, so neither is
    // expanded.
    const size_t brace = text.find(u'{');
    if (brace != std::u16string::npos) {
      std::u16string_view head = std::u16string_view(text).substr(0, brace);
      head.remove_prefix(std::min(head.size(), head.find_first_not_of(u" \\")));
      if (!head.empty() && !core::StartsWithIgnoreCase(folderKey, head)) return false;
      const size_t close = text.rfind(u'}');
      if (close != std::u16string::npos && close > brace) {
        std::u16string_view tail = std::u16string_view(text).substr(close + 1);
        const size_t last = tail.find_last_not_of(u" \\");
        tail = last == std::u16string_view::npos ? std::u16string_view() : tail.substr(0, last + 1);
        if (!tail.empty() && !core::EndsWithIgnoreCase(folderKey, tail)) return false;
      }
      text = expand(text);
    }
  }
  std::u16string_view key = text;
  const size_t begin = key.find_first_not_of(u" \\");
  if (begin == std::u16string_view::npos) return false;
  key = key.substr(begin, key.find_last_not_of(u" \\") - begin + 1);
  return key.size() == folderKey.size() && core::EqualsIgnoreCase(key, folderKey);
}

// Where an item sits: its siblings and its index there, and its group (null
// at the top level).
struct Location {
  std::vector<JumpItem>* siblings = nullptr;
  size_t index = 0;
  JumpItem* parent = nullptr;
};

std::optional<Location> Locate(JumpList& list, int32_t tag) {
  std::vector<std::pair<std::vector<JumpItem>*, size_t>> open{{&list.Items(), 0}};
  std::vector<JumpItem*> parents{nullptr};
  while (!open.empty()) {
    auto& [siblings, next] = open.back();
    if (next == siblings->size()) {
      open.pop_back();
      parents.pop_back();
      continue;
    }
    size_t index = next++;
    JumpItem& item = (*siblings)[index];
    if (item.tag == tag && item.kind != JumpItemKind::kPlaceholder)
      return Location{siblings, index, parents.back()};
    if (!item.children.empty()) {
      std::vector<JumpItem>* below = &item.children;
      parents.push_back(&item);
      open.push_back({below, 0});
    }
  }
  return std::nullopt;
}

// A group with nothing stored left in it becomes a plain entry that keeps
// the group's path info.
void TurnEmptyGroupIntoEntry(JumpItem& group) {
  if (!group.IsGroup() || HasStoredChildren(group)) return;
  group.kind = JumpItemKind::kEntry;
  group.children.clear();
  group.clickable = true;
}

// Removes the checked item at `where`: a group loses only its own path info.
void RemoveCheckedItem(JumpList& list, const Location& where) {
  JumpItem& item = (*where.siblings)[where.index];
  if (item.IsGroup()) {
    list.ErasePathByTag(item.tag);
    return;
  }
  list.ErasePathByTag(item.tag);
  where.siblings->erase(where.siblings->begin() + static_cast<std::ptrdiff_t>(where.index));
  if (where.parent) TurnEmptyGroupIntoEntry(*where.parent);
}

bool IsFunctionItem(const JumpItem& item) {
  return item.kind == JumpItemKind::kFunction ||
         (item.kind != JumpItemKind::kCurrentFolder &&
          core::StartsWithIgnoreCase(item.name, kFunctionItemPrefix));
}

// The items the batch deletions look at: shown entries and groups of the user.
bool IsBatchCandidate(const JumpItem& item) {
  if (IsFunctionItem(item) || IsCurrentFolderItem(item)) return false;
  if (item.kind == JumpItemKind::kPlaceholder || item.kind == JumpItemKind::kSeparator)
    return false;
  if (item.caption == u"-") return false;
  return item.visible;
}

// Deletes, from the last item to the first and groups after their entries,
// every shown entry for which `doomed` holds, then every group left without
// stored entries. Works through a stack, so any depth is handled.
size_t BatchDelete(JumpList& list, const std::function<bool(const JumpItem&)>& doomed) {
  struct Frame {
    std::vector<JumpItem>* items;
    size_t next;  // items below this index are still to be visited
  };
  size_t removed = 0;
  std::vector<Frame> open{{&list.Items(), list.Items().size()}};
  while (!open.empty()) {
    if (open.back().next == 0) {
      open.pop_back();
      if (open.empty()) break;
      // The group whose entries were just visited sits at its parent's index.
      Frame& parent = open.back();
      JumpItem& group = (*parent.items)[parent.next];
      if (!HasStoredChildren(group)) {
        list.ErasePathByTag(group.tag);
        parent.items->erase(parent.items->begin() + static_cast<std::ptrdiff_t>(parent.next));
        ++removed;
      }
      continue;
    }
    Frame& frame = open.back();
    const size_t index = --frame.next;
    std::vector<JumpItem>* items = frame.items;
    JumpItem& item = (*items)[index];
    if (!IsBatchCandidate(item)) continue;
    if (item.IsGroup()) {
      std::vector<JumpItem>* children = &item.children;
      open.push_back({children, children->size()});  // `frame` is not used after this
      continue;
    }
    if (!doomed(item)) continue;
    list.ErasePathByTag(item.tag);
    items->erase(items->begin() + static_cast<std::ptrdiff_t>(index));
    ++removed;
  }
  return removed;
}

bool IsLocalType(paths::PathType type) {
  return type == paths::PathType::Untagged || type == paths::PathType::Local;
}

}  // namespace

// ---------------------------------------------------------------------------
// Function items

std::span<const FunctionTemplate> FunctionTemplates() { return kTemplates; }

const FunctionTemplate& TemplateOf(FunctionItem id) {
  return kTemplates[static_cast<size_t>(id) - 1];
}

std::optional<FunctionItem> FunctionItemOfTag(int32_t tag) {
  if (tag >= 0 || tag < -static_cast<int32_t>(kTemplates.size())) return std::nullopt;
  return static_cast<FunctionItem>(-tag);
}

void CopyFunctionItemsIntoJumpList(JumpList& list, int copyNumber) {
  const std::u16string suffix = u"_" + core::IntToText(copyNumber);
  for (const FunctionTemplate& t : kTemplates) {
    JumpItem copy;
    copy.kind = JumpItemKind::kFunction;
    copy.caption = t.caption;
    copy.tag = FunctionTag(t.id);
    copy.clickable = t.id != FunctionItem::Separator;
    if (!t.parent) {
      copy.name = std::u16string(t.name) + suffix;
      list.Items().push_back(std::move(copy));
      continue;
    }
    // A submenu's children follow their submenu in the table.
    copy.name = t.name;
    JumpItem& parent = list.Items().back();
    parent.clickable = false;
    parent.children.push_back(std::move(copy));
  }
}

std::u16string AddCurrentFolderCaption(const FunctionAccelerators& accelerators) {
  return u"添加当前文件夹(&" + std::u16string(1, accelerators.addCurrentFolder) + u")";
}

std::u16string DeleteCurrentFolderCaption(const FunctionAccelerators& accelerators) {
  return u"删除当前文件夹条目(&" + std::u16string(1, accelerators.deleteCurrentFolder) + u")";
}

// ---------------------------------------------------------------------------
// Current-folder items

bool IsCurrentFolderItem(const JumpItem& item) {
  return item.kind == JumpItemKind::kCurrentFolder ||
         core::StartsWithIgnoreCase(item.name, kCurrentFolderItemPrefix);
}

bool HasStoredChildren(const JumpItem& group) {
  return std::any_of(group.children.begin(), group.children.end(), [](const JumpItem& child) {
    return child.kind != JumpItemKind::kPlaceholder && !IsCurrentFolderItem(child);
  });
}

void SetCurrentFolderItems(JumpList& list, bool on) {
  std::vector<JumpItem*> groups;
  for (JumpItem& item : list.Items())
    if (item.IsGroup()) groups.push_back(&item);
  while (!groups.empty()) {
    JumpItem& group = *groups.back();
    groups.pop_back();
    // Take the pair out wherever it stands, to put it back once at the end.
    std::vector<JumpItem> pair;
    auto& children = group.children;
    for (auto it = children.begin(); it != children.end();) {
      if (IsCurrentFolderItem(*it)) {
        pair.push_back(std::move(*it));
        it = children.erase(it);
      } else {
        ++it;
      }
    }
    if (on && HasStoredChildren(group)) {
      auto take = [&](bool separator) {
        for (JumpItem& old : pair)
          if ((old.caption == u"-") == separator && old.tag != 0) {
            JumpItem kept = std::move(old);
            old.tag = 0;
            return kept;
          }
        JumpItem item;
        item.kind = JumpItemKind::kCurrentFolder;
        item.tag = list.NewTag();
        item.name = std::u16string(kCurrentFolderItemPrefix) + core::IntToText(item.tag);
        item.caption = separator ? u"-" : std::u16string(kAddCurrentFolderToGroupCaption);
        item.clickable = !separator;
        return item;
      };
      JumpItem separator = take(true);
      JumpItem add = take(false);
      children.push_back(std::move(separator));
      children.push_back(std::move(add));
    }
    for (JumpItem& child : children)
      if (child.IsGroup()) groups.push_back(&child);
  }
}

// ---------------------------------------------------------------------------
// Preparation

ItemView PreparedMenu::View(const JumpItem& item) const {
  ItemView view;
  view.caption = item.caption;
  view.visible = item.visible;
  view.enabled = item.enabled;
  switch (item.kind) {
    case JumpItemKind::kPlaceholder:
      view.visible = false;
      return view;
    case JumpItemKind::kSeparator:
      view.separator = true;
      return view;
    case JumpItemKind::kCurrentFolder:
      view.separator = item.caption == u"-";
      if (groupItemsOfferingDeletion_.count(item.tag)) view.caption = deleteCaption_;
      return view;
    case JumpItemKind::kFunction: {
      std::optional<FunctionItem> id = FunctionItemOfTag(item.tag);
      if (!id) return view;
      const FunctionItemsShown& shown = options_.shown;
      switch (*id) {
        case FunctionItem::Separator:
          view.separator = true;
          break;
        case FunctionItem::AddOrDeleteCurrentFolder:
          view.caption = addOrDeleteCaption_;
          view.visible = shown.addOrDeleteCurrentFolder;
          break;
        case FunctionItem::ConfigureJumpList:
          view.caption = configureCaption_;
          view.visible = shown.configureJumpList;
          break;
        case FunctionItem::BatchDelete:
          view.caption = batchDeleteCaption_;
          view.visible = shown.batchDelete;
          break;
        case FunctionItem::ForbidJumpListHotKey:
          view.caption = forbidCaption_;
          view.visible = shown.forbidJumpListHotKey;
          view.enabled = options_.forbidJumpListHotKeyEnabled;
          break;
        case FunctionItem::AppSettings:
          view.caption = appSettingsCaption_;
          view.visible = shown.appSettings;
          break;
        default:
          break;
      }
      view.icon = TemplateOf(*id).hasIcon && !iconsHidden_.count(item.tag);
      return view;
    }
    case JumpItemKind::kEntry:
    case JumpItemKind::kGroup:
      view.checked = checked_.count(item.tag) != 0;
      return view;
  }
  return view;
}

PreparedMenu PrepareJumpMenu(const JumpList& list, std::u16string_view currentFolder,
                             const MenuOptions& options, const paths::VariableExpander& expand) {
  PreparedMenu menu;
  menu.options_ = options;
  menu.currentFolder_ = core::TrimChars(currentFolder, u" ");
  const FunctionAccelerators& keys = options.accelerators;
  menu.deleteCaption_ = DeleteCurrentFolderCaption(keys);
  menu.configureCaption_ =
      WithAccelerator(TemplateOf(FunctionItem::ConfigureJumpList).caption, keys.configureJumpList);
  menu.batchDeleteCaption_ =
      WithAccelerator(TemplateOf(FunctionItem::BatchDelete).caption, keys.batchDelete);
  menu.appSettingsCaption_ =
      WithAccelerator(TemplateOf(FunctionItem::AppSettings).caption, keys.appSettings);
  menu.forbidCaption_ = WithAccelerator(TemplateOf(FunctionItem::ForbidJumpListHotKey).caption,
                                        keys.forbidJumpListHotKey);

  // Backslashes are stripped for comparing only: the folder itself keeps
  // them (a UNC path's leading pair).
  const std::u16string folderKey = core::TrimChars(currentFolder, u" \\");
  if (!folderKey.empty()) {
    const auto& paths = list.PathByTagMap();
    WalkWithAncestors(
        list.Items(), [&](const JumpItem& item, const std::vector<const JumpItem*>& ancestors) {
          if (item.kind != JumpItemKind::kEntry && item.kind != JumpItemKind::kGroup) return true;
          auto found = paths.find(item.tag);
          if (found == paths.end()) return true;
          if (!PathInfoPointsAt(found->second, folderKey, expand)) return true;
          menu.matched_.push_back(item.tag);
          menu.matchedSet_.insert(item.tag);
          menu.checked_.insert(item.tag);
          for (const JumpItem* group : ancestors) menu.checked_.insert(group->tag);
          if (options.currentFolderItemInEveryGroup && !ancestors.empty())
            for (const JumpItem& sibling : ancestors.back()->children)
              if (sibling.kind == JumpItemKind::kCurrentFolder && sibling.caption != u"-")
                menu.groupItemsOfferingDeletion_.insert(sibling.tag);
          return true;
        });
  }
  menu.addOrDeleteCaption_ =
      menu.matched_.empty() ? AddCurrentFolderCaption(keys) : menu.deleteCaption_;

  // A function item whose accelerator an entry of the top level already
  // takes shows no icon, so the two are told apart.
  std::unordered_set<std::u16string> taken;
  for (const JumpItem& item : list.Items())
    if (item.name.empty())
      if (std::u16string key = AcceleratorOf(item.caption); !key.empty()) taken.insert(key);
  for (const JumpItem& item : list.Items()) {
    if (item.kind != JumpItemKind::kFunction) continue;
    std::u16string key = AcceleratorOf(menu.View(item).caption);
    if (!key.empty() && taken.count(key)) menu.iconsHidden_.insert(item.tag);
  }
  return menu;
}

std::u16string PreparedMenuText(const JumpList& list, const PreparedMenu& prepared) {
  constexpr size_t kIndentedLevels = 100;
  std::u16string text;
  WalkWithAncestors(
      list.Items(), [&](const JumpItem& item, const std::vector<const JumpItem*>& ancestors) {
        const ItemView view = prepared.View(item);
        if (!view.visible) return false;
        const size_t depth = ancestors.size();
        if (depth <= kIndentedLevels) {
          text.append(2 * depth, u' ');
        } else {
          text.append(2 * kIndentedLevels, u' ');
          text += u"[" + core::IntToText(static_cast<long long>(depth)) + u"] ";
        }
        if (view.separator) {
          text += u"-\n";
          return false;
        }
        if (view.checked) text += u"[x] ";
        text += view.caption;
        const bool submenu =
            item.IsGroup() || (item.kind == JumpItemKind::kFunction && !item.children.empty());
        if (submenu) text += u'/';
        text += u'\n';
        return true;
      });
  return text;
}

// ---------------------------------------------------------------------------
// What the items do

AddCurrentFolderDecision DecideAddCurrentFolder(std::u16string_view folder) {
  std::u16string f = core::TrimChars(folder, u" ");
  if (core::TrimChars(f, u"\\").empty()) return AddCurrentFolderDecision::NoFolder;
  auto isLetter = [](char16_t c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); };
  if (f.size() >= 2 && isLetter(f[0]) && f[1] == u':' &&
      (f.size() == 2 || f[2] == u'\\' || f[2] == u'/'))
    return AddCurrentFolderDecision::OpenAddDialog;
  if (f.size() > 2 && f[0] == u'\\' && f[1] == u'\\' && f[2] != u'\\')
    return AddCurrentFolderDecision::OpenAddDialog;
  return AddCurrentFolderDecision::NotAFolder;
}

void TellAddCurrentFolderRefused(AddCurrentFolderDecision decision, std::u16string_view folder,
                                 core::UserPrompts& prompts) {
  switch (decision) {
    case AddCurrentFolderDecision::NoFolder:
      prompts.Tell(u"当前没有捕获到文件夹", u"没有捕获到文件夹", core::PromptIcon::Warning);
      break;
    case AddCurrentFolderDecision::NotAFolder:
      prompts.Tell(u"当前捕获到的以下路径不是一个有效的文件夹路径\r\r" + std::u16string(folder) +
                       u"\r\r您可能使用了资源管理器外壳增强软件（例如 Clover）\r"
                       u"并正在获取控制面板、我的电脑等处以 CLSID 格式保存的路径\r"
                       u"卸载资源管理器外壳增强软件可正常捕获此处的真实文件夹路径",
                   u"非法的文件夹路径", core::PromptIcon::Warning);
      break;
    case AddCurrentFolderDecision::OpenAddDialog:
      break;
  }
}

bool DeleteCurrentFolderEntry(JumpList& list, const PreparedMenu& prepared) {
  if (prepared.MatchedTags().empty()) return false;
  std::optional<Location> where = Locate(list, prepared.MatchedTags().front());
  if (!where) return false;
  RemoveCheckedItem(list, *where);
  return true;
}

const JumpItem* GroupOfCurrentFolderItem(const JumpList& list, int32_t itemTag) {
  std::optional<Location> where = Locate(const_cast<JumpList&>(list), itemTag);
  if (!where || !where->parent) return nullptr;
  if (!IsCurrentFolderItem((*where->siblings)[where->index])) return nullptr;
  return where->parent;
}

bool DeleteCurrentFolderFromGroup(JumpList& list, const PreparedMenu& prepared, int32_t itemTag) {
  auto* group = const_cast<JumpItem*>(GroupOfCurrentFolderItem(list, itemTag));
  if (!group) return false;
  for (size_t i = 0; i < group->children.size(); ++i) {
    const JumpItem& child = group->children[i];
    if (child.kind != JumpItemKind::kEntry && child.kind != JumpItemKind::kGroup) continue;
    if (!prepared.IsMatched(child.tag)) continue;
    RemoveCheckedItem(list, Location{&group->children, i, group});
    return true;
  }
  return false;
}

size_t DeleteItemsLocalPathNotExist(JumpList& list, const PathExists& exists,
                                    const BatchDeleteOptions& options) {
  return BatchDelete(list, [&](const JumpItem& item) {
    const std::u16string info = list.PathByTag(item.tag);
    const bool marked = paths::PathInfoUsesVariables(info);
    for (const std::u16string& piece : paths::SplitPathInfoPieces(info)) {
      if (!IsLocalType(paths::GetCurPathType(piece, options.recognizeWebAddresses))) return false;
      std::u16string path = paths::StripPathTags(piece, false);
      if (marked && options.expand) path = options.expand(path);
      path = core::TrimChars(path, u" ");
      if (path.empty()) continue;
      if (paths::IsShellNamespacePath(path) || (exists && exists(path))) return false;
    }
    return true;
  });
}

size_t DeleteItemsAssociateNull(JumpList& list) {
  return BatchDelete(list, [&](const JumpItem& item) {
    return core::TrimChars(list.PathByTag(item.tag), u" *").empty();
  });
}

std::vector<std::u16string> GroupRunPathInfos(const JumpList& list, const JumpItem& group) {
  std::vector<std::u16string> result;
  for (const JumpItem& child : group.children) {
    if (core::StartsWithIgnoreCase(child.name, kFunctionSeparatorPrefix)) break;
    if (!child.visible || !child.enabled) continue;
    if (child.kind == JumpItemKind::kPlaceholder || IsCurrentFolderItem(child)) continue;
    if (child.kind == JumpItemKind::kSeparator || child.caption.starts_with(u"-")) continue;
    std::u16string info = list.PathByTag(child.tag);
    if (!info.empty()) result.push_back(std::move(info));
  }
  return result;
}

bool RunsAsEntry(const JumpItem& item) {
  if (item.kind == JumpItemKind::kEntry) return true;
  if (!item.IsGroup()) return false;
  return std::none_of(item.children.begin(), item.children.end(),
                      [](const JumpItem& child) { return child.visible; });
}

// ---------------------------------------------------------------------------
// Where the popup appears

MenuPlacement MenuPlacementFrom(bool underCursor, bool underMainWindow, bool underAddressBar,
                                bool atCentre) {
  if (underCursor) return MenuPlacement::UnderCursor;
  if (underMainWindow) return MenuPlacement::UnderMainWindow;
  if (underAddressBar) return MenuPlacement::UnderAddressBar;
  if (atCentre) return MenuPlacement::AtCentre;
  return MenuPlacement::UnderAddressBar;
}

namespace {

struct AreaChoice {
  ManagerArea area = ManagerArea::None;
  int panel = 0;
  bool atTop = false;  // the file panel's top-left corner, not under an address bar
};

// Left and right name their panel; source and target have no fixed panel
// for Directory Opus and FreeCommander, so there is nothing to place at.
int FixedPanel(PanelChoice choice) {
  switch (choice) {
    case PanelChoice::Left:
      return 1;
    case PanelChoice::Right:
      return 2;
    default:
      return 0;
  }
}

AreaChoice ChooseManagerArea(const PlacementOptions& options, PopupPlaceFacts& facts) {
  switch (options.chosenFolderManager) {
    case 0:
      return {ManagerArea::ExplorerAddressBar, 0, false};
    case 1: {
      int panel = FixedPanel(options.totalCommanderPanel);
      if (panel == 0) {
        // Asked of Total Commander itself: which of its panels is active.
        bool leftActive = facts.TotalCommanderLeftPanelActive();
        bool source = options.totalCommanderPanel == PanelChoice::Source;
        panel = leftActive == source ? 1 : 2;
      }
      return {ManagerArea::TotalCommanderPanel, panel, true};
    }
    case 2: {
      int n = FixedPanel(options.directoryOpusPanel);
      if (n == 0) return {};
      return {ManagerArea::DirectoryOpusFileDisplay, n, true};
    }
    case 3:
      return {ManagerArea::XYplorerAddress, 0, false};
    case 4:
      return {ManagerArea::Xplorer2Address, 0, false};
    case 5: {
      int n = FixedPanel(options.freeCommanderPanel);
      if (n == 0) return {};
      return {ManagerArea::FreeCommanderFileList, n, true};
    }
    default:
      return {};
  }
}

}  // namespace

bool WindowBelowIsTarget(std::u16string_view className, windows::DialogType dialogType) {
  switch (paths::TargetKindOf(className)) {
    case paths::TargetKind::Dte:
    case paths::TargetKind::Console:
      return true;
    case paths::TargetKind::Dialog:
      return dialogType != windows::DialogType::None;
    case paths::TargetKind::Other:
      break;
  }
  return false;
}

PopupPlace DecidePopupPlace(std::u16string_view targetClass, const PlacementOptions& options,
                            PopupPlaceFacts& facts) {
  PopupPlace place;
  std::u16string cls(targetClass);
  if (core::EqualsIgnoreCase(cls, u"DTE")) {
    ScreenRect r = facts.DteEditRect();
    if (!r.Empty()) return {{r.left, r.bottom}, PlaceReason::DteEdit, false};
    cls = facts.TopmostManagerClass();
    place.retargetToTopmostManager = true;
  }
  if (core::EqualsIgnoreCase(cls, u"ConsoleWindowClass")) {
    ScreenRect r = facts.ConsoleRect();
    if (!r.Empty()) {
      place.at = {r.left + 15, r.top + 40};
      place.reason = PlaceReason::Console;
      return place;
    }
  } else if (cls == u"#32770") {
    ScreenRect r = facts.DialogAddressBandRect();
    if (!r.Empty()) {
      place.at = {r.left, r.bottom};
      place.reason = PlaceReason::DialogAddressBand;
      return place;
    }
  }
  switch (options.placement) {
    case MenuPlacement::UnderCursor:
      place.at = facts.Cursor();
      place.reason = PlaceReason::Cursor;
      return place;
    case MenuPlacement::UnderMainWindow: {
      ScreenRect r = facts.MainWindowRect();
      place.at = {r.left, r.bottom};
      place.reason = PlaceReason::MainWindow;
      return place;
    }
    case MenuPlacement::UnderAddressBar: {
      AreaChoice choice = ChooseManagerArea(options, facts);
      if (choice.area == ManagerArea::None) break;
      ScreenRect r = facts.ManagerAreaRect(choice.area, choice.panel);
      if (r.Empty()) break;
      place.at = {r.left, choice.atTop ? r.top : r.bottom};
      place.reason = PlaceReason::ManagerArea;
      return place;
    }
    case MenuPlacement::AtCentre:
      break;
  }
  place.at = facts.Centre();
  place.reason = PlaceReason::Centre;
  return place;
}

ScreenPoint EstimateCentre(const std::vector<TopLevelMeasure>& items, int itemHeight,
                           const ScreenRect& workArea) {
  int widest = 0;
  int shown = 0;
  bool separator = false;
  for (const TopLevelMeasure& item : items) {
    if (!item.visible) continue;
    ++shown;
    if (item.separator)
      separator = true;
    else
      widest = std::max(widest, item.captionWidth);
  }
  const long long width = widest + 9 + (separator ? 58 : 0);
  const long long height = static_cast<long long>(shown) * itemHeight;
  const long long areaWidth = workArea.right - workArea.left;
  const long long areaHeight = workArea.bottom - workArea.top;
  // A menu larger than the work area starts at its corner rather than above it.
  const long long x = workArea.left + std::max(0LL, (areaWidth - width) / 2);
  const long long y = workArea.top + std::max(0LL, (areaHeight - height) / 2);
  return {static_cast<int>(x), static_cast<int>(y)};
}

}  // namespace pathorama::jumplist
