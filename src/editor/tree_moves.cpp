#include "editor/tree_moves.h"

#include <vector>

#include "core/text.h"
#include "editor/tree_duplicates.h"
#include "editor/tree_selection.h"

namespace pathorama::editor {

namespace {

std::optional<NodeId> EndMarkerAfter(const JumpTree& tree, NodeId head) {
  auto next = tree.NextSibling(head);
  return next && tree.Kind(*next) == NodeKind::EndMarker ? next : std::nullopt;
}

NodeId InsertEndMarker(JumpTree& tree, NodeId head) {
  return tree.Insert(Place::After(head), kEndMarkerText,
                     NodeRecord{tree.FreshRecordId(), std::u16string(kNoPathInfo)});
}

// The file name part of a path: after the last "\", "/" or ":".
std::u16string_view FileNamePart(std::u16string_view path) {
  size_t cut = path.find_last_of(u"\\/:");
  return cut == std::u16string_view::npos ? path : path.substr(cut + 1);
}

std::u16string_view WithoutExtension(std::u16string_view name) {
  size_t dot = name.rfind(u'.');
  return dot == std::u16string_view::npos || dot == 0 ? name : name.substr(0, dot);
}

Place PlaceForNewNode(JumpTree& tree, std::optional<NodeId> dest, bool asSubNode) {
  if (!dest) return Place::LastChildOf(std::nullopt);
  const NodeId d = *dest;
  switch (tree.Kind(d)) {
    case NodeKind::GroupHead:
      if (asSubNode) return Place::FirstChildOf(d);
      if (auto end = EndMarkerAfter(tree, d)) return Place::After(*end);
      return Place::After(d);
    case NodeKind::EndMarker:
      if (asSubNode) {
        auto head = tree.PrevSibling(d);
        if (head && tree.Kind(*head) == NodeKind::GroupHead) return Place::LastChildOf(*head);
      }
      return Place::After(d);
    case NodeKind::Separator:
      return Place::After(d);
    case NodeKind::NormalItem:
      if (asSubNode && MakeGroupHeadOf(tree, d)) return Place::FirstChildOf(d);
      return Place::After(d);
  }
  return Place::After(d);
}

}  // namespace

bool MakeGroupHeadOf(JumpTree& tree, NodeId item) {
  if (tree.Kind(item) != NodeKind::NormalItem || tree.Text(item).empty()) return false;
  tree.SetText(item, u"-" + tree.Text(item));
  if (tree.Record(item))
    tree.SetPathInfo(item, kNoPathInfo);
  else
    tree.AttachNewRecord(item, kNoPathInfo);
  InsertEndMarker(tree, item);
  return true;
}

NodeId AddNodeForPath(JumpTree& tree, std::optional<NodeId> dest, bool asSubNode,
                      std::u16string_view nodeText, std::u16string_view path,
                      FileSystemFacts& facts, const AddNodeOptions& options) {
  std::u16string caption = CleanNodeText(nodeText);
  const bool separator = caption == kSeparatorText;
  if (!separator && NodeKindOf(caption) != NodeKind::NormalItem)
    caption = core::TrimCharsLeft(caption, u"-");
  const bool captionGiven = !caption.empty();
  if (!captionGiven && !path.empty()) {
    std::u16string_view name = FileNamePart(path);
    caption = facts.IsExistingFile(path) ? WithoutExtension(name) : name;
    caption = CleanNodeText(core::TrimCharsLeft(caption, u"-"));
  }
  if (!separator && options.addAcceleratorKey) caption = options.addAcceleratorKey(caption);

  std::u16string pathInfo;
  if (separator) {
    pathInfo = kNoPathInfo;
  } else if (captionGiven || path.empty()) {
    pathInfo = path;
  } else if (facts.IsExistingFolder(path)) {
    pathInfo = path;
  } else if (facts.IsExistingFile(path)) {
    pathInfo = path;
    if (core::EndsWithIgnoreCase(path, u".lnk")) {
      std::u16string target = facts.ResolveShortcutTarget(path);
      if (!target.empty()) pathInfo = std::move(target);
    }
  }

  const Place place = PlaceForNewNode(tree, dest, asSubNode);
  const NodeId node =
      tree.Insert(place, separator ? std::u16string(kSeparatorText) : caption, std::nullopt);
  tree.AttachNewRecord(node, pathInfo);
  // A caption the accelerator rules turned into something else than an
  // entry must not unpair the tree either.
  if (!separator && tree.Kind(node) != NodeKind::NormalItem)
    tree.SetText(node, core::TrimCharsLeft(tree.Text(node), u"-"));
  if (options.forbidDuplicatePaths && !separator &&
      IsPathAssociateOtherNode(tree, node, options.expand, options.prompts))
    tree.SetPathInfo(node, u"");
  tree.SelectOnly(node);
  return node;
}

MoveOutcome MoveSelectedItems(JumpTree& tree, std::optional<NodeId> dest, bool asSubNode,
                              core::UserPrompts& prompts) {
  if (!dest) return MoveOutcome::NothingDone;
  NodeId d = *dest;
  const std::optional<NodeId> focused = tree.Focused();
  if (focused && *focused == d) return MoveOutcome::NothingDone;
  if (focused && tree.Kind(*focused) == NodeKind::GroupHead && EndMarkerAfter(tree, *focused) == d)
    return MoveOutcome::NothingDone;

  NormalizeTreeSelection(tree);
  // A destination that is moved itself (a selected node, the end marker of
  // a selected group) has no place to receive the others: moving there
  // would put an end marker before its group head or a node into itself.
  // Nothing selected: nothing to move, and no group to make.
  if (tree.IsSelected(d)) return MoveOutcome::NothingDone;
  const std::vector<NodeId> moved = tree.SelectedNodes();
  if (moved.empty()) return MoveOutcome::NothingDone;

  if (auto ancestor = FindSelectedAncestor(tree, d)) {
    prompts.Tell(u"目的节点 『" + tree.Text(d) + u"』 位于已选父节点 『" + tree.Text(*ancestor) +
                     u"』 内部\r\n无法移动所选条目",
                 kMoveRefusedCaption, core::PromptIcon::Warning);
    return MoveOutcome::Refused;
  }

  if (asSubNode) {
    if (tree.HasChildren(d))
      tree.SetExpanded(d, true);
    else if (tree.Kind(d) == NodeKind::NormalItem)
      MakeGroupHeadOf(tree, d);
  }
  if (tree.HasChildren(d) && !tree.IsExpanded(d)) {
    if (auto end = EndMarkerAfter(tree, d)) d = *end;
  }
  tree.MakeVisible(d);

  Place place = Place::After(d);
  if (tree.HasChildren(d)) {
    tree.SetExpanded(d, true);
    place = Place::FirstChildOf(d);
  } else if (tree.Kind(d) == NodeKind::GroupHead) {
    place = Place::FirstChildOf(d);
  }
  return tree.MoveBlock(moved, place) ? MoveOutcome::Moved : MoveOutcome::NothingDone;
}

void InterConvertGroupAndNormalItem(JumpTree& tree) {
  NormalizeTreeSelection(tree);
  const std::vector<NodeId> remembered = tree.SelectedNodes();
  std::optional<NodeId> focused = tree.Focused();
  for (auto it = remembered.rbegin(); it != remembered.rend(); ++it) {
    const NodeId node = *it;
    if (!tree.Contains(node)) continue;
    switch (tree.Kind(node)) {
      case NodeKind::GroupHead: {
        if (auto end = EndMarkerAfter(tree, node)) {
          if (focused == end) focused = node;
          tree.Remove(*end);
        }
        tree.SetText(node, core::TrimCharsLeft(tree.Text(node), u"-"));
        std::vector<NodeId> children;
        for (auto child = tree.FirstChild(node); child; child = tree.NextSibling(*child))
          children.push_back(*child);
        tree.MoveBlock(children, Place::After(node));
        break;
      }
      case NodeKind::NormalItem:
        if (tree.Text(node).empty() || tree.HasChildren(node)) break;
        tree.SetText(node, u"-" + tree.Text(node));
        InsertEndMarker(tree, node);
        break;
      case NodeKind::EndMarker:
      case NodeKind::Separator:
        break;
    }
  }
  tree.ClearSelection();
  for (NodeId node : remembered)
    if (tree.Contains(node)) tree.SetSelected(node, true);
  tree.SetFocused(focused && tree.Contains(*focused) ? focused : std::nullopt);
}

}  // namespace pathorama::editor
