#include "editor/favorites_copy.h"

#include "core/text.h"
#include "editor/tree_selection.h"

namespace pathorama::editor {
namespace {

constexpr std::u16string_view kLevelIndent = u"\u3000\u3000";

NodeRecord FreshRecord(JumpTree& target, const JumpTree& source, NodeId node) {
  return NodeRecord{target.FreshRecordId(), std::u16string(source.PathInfo(node))};
}

// Copies `node` and its subtree after `after` (or to `place` for the
// first); returns the copy of `node`. Iterative: a deep group is no deeper
// on the machine stack.
NodeId CopySubtree(const JumpTree& source, NodeId node, JumpTree& target, Place place,
                   size_t& copied) {
  const NodeId top = target.Insert(place, source.Text(node), FreshRecord(target, source, node));
  ++copied;
  target.SetExpanded(top, source.IsExpanded(node));
  // Pairs of (source parent, target parent) whose children are copied next.
  std::vector<std::pair<NodeId, NodeId>> pending{{node, top}};
  while (!pending.empty()) {
    const auto [from, to] = pending.back();
    pending.pop_back();
    for (std::optional<NodeId> child = source.FirstChild(from); child;
         child = source.NextSibling(*child)) {
      const NodeId made = target.Insert(Place::LastChildOf(to), source.Text(*child),
                                        FreshRecord(target, source, *child));
      ++copied;
      target.SetExpanded(made, source.IsExpanded(*child));
      if (source.HasChildren(*child)) pending.push_back({*child, made});
    }
  }
  return top;
}

// Where the first copy goes: a temporary node put at the position, which
// the caller removes at the end.
NodeId MarkPosition(JumpTree& target, CopyPosition position, std::optional<NodeId> base) {
  constexpr std::u16string_view kMark = u"";
  switch (position) {
    case CopyPosition::Replace:
      target.Clear();
      return target.Insert(Place::LastChildOf(std::nullopt), kMark, std::nullopt);
    case CopyPosition::After: {
      NodeId after = *base;
      // After a group comes after its end marker.
      if (target.Kind(after) == NodeKind::GroupHead)
        if (std::optional<NodeId> end = target.NextSibling(after);
            end && target.Kind(*end) == NodeKind::EndMarker)
          after = *end;
      return target.Insert(Place::After(after), kMark, std::nullopt);
    }
    case CopyPosition::Before:
      return target.Insert(Place::Before(*base), kMark, std::nullopt);
    case CopyPosition::Inside:
      if (target.Kind(*base) == NodeKind::NormalItem && !target.HasChildren(*base)) {
        // The entry becomes a group that keeps its path info.
        target.SetText(*base, u"-" + target.Text(*base));
        target.Insert(Place::After(*base), kEndMarkerText,
                      NodeRecord{target.FreshRecordId(), std::u16string(kNoPathInfo)});
      }
      target.SetExpanded(*base, true);
      return target.Insert(Place::FirstChildOf(*base), kMark, std::nullopt);
    case CopyPosition::FirstInLevel:
      return target.Insert(Place::FirstChildOf(target.Parent(*base)), kMark, std::nullopt);
    case CopyPosition::LastInLevel:
      return target.Insert(Place::LastChildOf(target.Parent(*base)), kMark, std::nullopt);
  }
  return target.Insert(Place::LastChildOf(std::nullopt), kMark, std::nullopt);
}

}  // namespace

std::vector<BaseEntryChoice> BaseEntryChoices(const JumpTree& tree) {
  std::vector<BaseEntryChoice> choices;
  for (NodeId node : tree.NodesInOrder()) {
    const NodeKind kind = tree.Kind(node);
    if (kind == NodeKind::EndMarker) continue;
    BaseEntryChoice choice;
    const NodeRecord* record = tree.Record(node);
    choice.customId = record ? record->customId : 0;
    choice.separator = kind == NodeKind::Separator;
    std::u16string indent;
    for (size_t level = 1; level < tree.PathFromRoot(node).size(); ++level) indent += kLevelIndent;
    const std::u16string& text = tree.Text(node);
    choice.text = indent + (kind == NodeKind::GroupHead ? text.substr(1) : text);
    choices.push_back(std::move(choice));
  }
  return choices;
}

std::u16string BaseEntryCaption(const BaseEntryChoice& choice) {
  return core::TrimCharsLeft(choice.text, u" \u3000");
}

std::optional<NodeId> FindBaseEntry(const JumpTree& tree, const BaseEntry& base) {
  if (base.customId == 0) return std::nullopt;
  for (NodeId node : tree.NodesInOrder()) {
    const NodeRecord* record = tree.Record(node);
    if (!record || record->customId != base.customId) continue;
    const NodeKind kind = tree.Kind(node);
    if (kind == NodeKind::EndMarker || kind == NodeKind::Separator) return std::nullopt;
    const std::u16string& text = tree.Text(node);
    const std::u16string caption =
        core::TrimCharsLeft(kind == NodeKind::GroupHead ? text.substr(1) : text, u" \u3000");
    return caption == base.caption ? std::optional<NodeId>(node) : std::nullopt;
  }
  return std::nullopt;
}

CopyResult CopySelectedNodes(JumpTree& source, JumpTree& target, CopyPosition position,
                             std::optional<BaseEntry> base) {
  CopyResult result;
  std::optional<NodeId> baseNode;
  if (position != CopyPosition::Replace) {
    baseNode = base ? FindBaseEntry(target, *base) : std::nullopt;
    if (!baseNode) {
      result.outcome = CopyOutcome::kNoBase;
      return result;
    }
  }
  if (!source.Focused()) {
    result.outcome = CopyOutcome::kNothingToCopy;
    return result;
  }
  NormalizeTreeSelection(source);
  const std::vector<NodeId> selected = source.SelectedNodes();
  if (selected.empty()) {
    // Replacing with nothing would only empty the editor's list.
    result.outcome = CopyOutcome::kNothingToCopy;
    return result;
  }

  const NodeId mark = MarkPosition(target, position, baseNode);
  NodeId previous = mark;
  std::optional<NodeId> first;
  for (NodeId node : selected) {
    const NodeKind kind = source.Kind(node);
    // An end marker comes with its selected group head.
    if (kind == NodeKind::EndMarker) continue;
    const NodeId copy = CopySubtree(source, node, target, Place::After(previous), result.copied);
    previous = copy;
    if (kind == NodeKind::GroupHead) {
      previous = target.Insert(Place::After(copy), kEndMarkerText,
                               NodeRecord{target.FreshRecordId(), std::u16string(kNoPathInfo)});
      ++result.copied;
    }
    if (!first) first = copy;
  }
  target.Remove(mark);
  if (first) {
    target.SelectOnly(*first);
  }
  return result;
}

}  // namespace pathorama::editor
