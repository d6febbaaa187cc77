#include "editor/tree_conversions.h"

#include <utility>

#include "core/text.h"
#include "paths/path_info.h"

namespace pathorama::editor {

namespace {

constexpr std::u16string_view kSection = u"PathMenu";

using jumplist::JumpItem;
using jumplist::JumpItemKind;

// Items the file never holds: placeholders, function items and the
// current-folder items at the end of groups.
bool IsStoredItem(const JumpItem& item) {
  switch (item.kind) {
    case JumpItemKind::kPlaceholder:
    case JumpItemKind::kFunction:
    case JumpItemKind::kCurrentFolder:
      return false;
    default:
      break;
  }
  return !core::StartsWithIgnoreCase(item.name, jumplist::kCurrentFolderItemPrefix);
}

bool IsKeptFunctionItem(const JumpItem& item) {
  return core::StartsWithIgnoreCase(item.name, jumplist::kFunctionItemPrefix) &&
         !core::StartsWithIgnoreCase(item.name, jumplist::kCurrentFolderItemPrefix) &&
         item.kind != JumpItemKind::kCurrentFolder;
}

bool HoldsLineBreak(std::u16string_view text) {
  return text.find_first_of(u"\r\n") != std::u16string_view::npos;
}

}  // namespace

JumpTree::FreshId FreshIdsFrom(jumplist::JumpList& list) {
  return [&list] { return list.NewTag(); };
}

void BuildTreeFromJumpListMenu(const jumplist::JumpList& list, JumpTree& tree) {
  tree.Clear();
  struct Frame {
    const std::vector<JumpItem>* items;
    size_t next;
    std::optional<NodeId> parent;
  };
  std::vector<Frame> open{{&list.Items(), 0, std::nullopt}};
  while (!open.empty()) {
    Frame& frame = open.back();
    if (frame.next == frame.items->size()) {
      open.pop_back();
      continue;
    }
    const JumpItem& item = (*frame.items)[frame.next++];
    const std::optional<NodeId> parent = frame.parent;  // `frame` may move below
    if (!IsStoredItem(item)) continue;
    if (!parent && core::StartsWithIgnoreCase(item.name, jumplist::kFunctionItemPrefix)) continue;
    const Place place = Place::LastChildOf(parent);
    if (parent) tree.SetExpanded(*parent, true);
    switch (item.kind) {
      case JumpItemKind::kSeparator:
        tree.Insert(place, kSeparatorText, std::nullopt);
        break;
      case JumpItemKind::kGroup: {
        // A group without path info gets the editor's "no path", so that
        // saving it writes no path line, as the list's own save does.
        NodeId head = tree.Insert(
            place, u"-" + item.caption,
            NodeRecord{item.tag, list.HasPathByTag(item.tag) ? list.PathByTag(item.tag)
                                                             : std::u16string(kNoPathInfo)});
        tree.Insert(Place::After(head), kEndMarkerText,
                    NodeRecord{tree.FreshRecordId(), std::u16string(kNoPathInfo)});
        open.push_back({&item.children, 0, head});
        break;
      }
      default: {
        // An entry whose caption reads as a group head or end marker (only
        // code can make one) would unpair the tree: it loses its dashes.
        std::u16string text = CleanNodeText(item.caption);
        if (NodeKindOf(text) != NodeKind::NormalItem) text = core::TrimCharsLeft(text, u"-");
        tree.Insert(place, text,
                    NodeRecord{item.tag, core::TrimChars(list.PathByTag(item.tag), u" \t\r\n")});
        break;
      }
    }
  }
}

void RebuildJumpListMenuFromTree(JumpTree& tree, jumplist::JumpList& list, bool hideDisabledItems) {
  std::vector<JumpItem> functionItems;
  for (JumpItem& item : list.Items())
    if (IsKeptFunctionItem(item)) functionItems.push_back(std::move(item));
  std::vector<JumpItem> items;
  list.ClearPathByTag();

  // The children lists of the open groups, innermost last; only the
  // innermost grows, so the pointers to the outer ones stay valid.
  std::vector<std::vector<JumpItem>*> open{&items};
  int32_t number = 0;
  for (auto node = tree.FirstRoot(); node; node = tree.NextInOrder(*node)) {
    const std::u16string& text = tree.Text(*node);
    if (core::TrimChars(text, u" ").empty()) continue;
    const NodeKind kind = NodeKindOf(text);
    if (kind == NodeKind::EndMarker) {
      if (open.size() > 1) open.pop_back();
      continue;
    }
    JumpItem item;
    item.tag = ++number;
    if (kind == NodeKind::Separator) {
      item.kind = JumpItemKind::kSeparator;
      item.caption = kSeparatorText;
      open.back()->push_back(std::move(item));
      continue;
    }
    if (kind == NodeKind::GroupHead) {
      item.kind = JumpItemKind::kGroup;
      item.caption = text.substr(1);
      item.clickable = true;
      item.children.push_back(jumplist::JumpList::NewPlaceholder());
    } else {
      item.kind = JumpItemKind::kEntry;
      item.caption = text;
    }
    // Mapped exactly when a path line is saved, so the list is the one the
    // saved file loads to at the next start.
    const NodeRecord* record = tree.Record(*node);
    if (record && record->pathInfo != kNoPathInfo) {
      item.clickable = true;
      list.SetPathByTag(item.tag, record->pathInfo);
      if (paths::IsPathInfoDisabled(record->pathInfo)) {
        item.enabled = false;
        item.visible = !hideDisabledItems;
      }
    }
    open.back()->push_back(std::move(item));
    if (kind == NodeKind::GroupHead) open.push_back(&open.back()->back().children);
  }
  tree.Clear();
  list.SetItemCounter(number);
  for (JumpItem& item : functionItems) items.push_back(std::move(item));
  list.Items() = std::move(items);
}

std::vector<StoredLine> StoredLinesOfTree(const JumpTree& tree) {
  std::vector<StoredLine> lines;
  lines.reserve(tree.Size());
  for (auto node = tree.FirstRoot(); node; node = tree.NextInOrder(*node)) {
    StoredLine line{tree.Text(*node), std::nullopt};
    if (const NodeRecord* record = tree.Record(*node); record && record->pathInfo != kNoPathInfo)
      line.path = record->pathInfo;
    lines.push_back(std::move(line));
  }
  return lines;
}

bool WriteStoredLines(const std::vector<StoredLine>& lines, core::IniDocument& doc) {
  for (const StoredLine& line : lines)
    if (HoldsLineBreak(line.menu) || (line.path && HoldsLineBreak(*line.path))) return false;
  // Rewritten where it stands, as the list's own save does.
  core::IniSection& section = doc.Section(kSection);
  section.Clear();
  long long k = 0;
  for (const StoredLine& line : lines) {
    std::u16string number = core::IntToText(++k);
    section.Append(core::IniEntry(u"menu" + number, line.menu));
    if (line.path) section.Append(core::IniEntry(u"path" + number, *line.path));
  }
  return true;
}

bool SavePathListFromTreeViewToIni(const JumpTree& tree, core::IniDocument& doc) {
  return WriteStoredLines(StoredLinesOfTree(tree), doc);
}

bool SaveTreeToIniFile(const JumpTree& tree, core::IniDocument& doc,
                       settings::SettingsFiles& files) {
  files.ClearIniFileAttributes();
  const core::IniSection* before = doc.FindSection(kSection);
  std::optional<std::vector<core::IniEntry>> saved;
  if (before) saved = before->Entries();
  if (!SavePathListFromTreeViewToIni(tree, doc)) return false;
  if (files.WriteIniFile(doc)) return true;
  if (!saved) {
    doc.EraseSection(kSection);
  } else {
    core::IniSection& section = doc.Section(kSection);
    section.Clear();
    for (core::IniEntry& entry : *saved) section.Append(std::move(entry));
  }
  return false;
}

}  // namespace pathorama::editor
