#include "editor/tree_selection.h"

#include <array>
#include <vector>

#include "core/text.h"

namespace pathorama::editor {

namespace {

// The end marker of a group head: its next sibling, when that is one.
std::optional<NodeId> EndMarkerOf(const JumpTree& tree, NodeId head) {
  auto next = tree.NextSibling(head);
  return next && tree.Kind(*next) == NodeKind::EndMarker ? next : std::nullopt;
}

}  // namespace

void NormalizeTreeSelection(JumpTree& tree) {
  // Pairs first, so that a group whose end marker alone was selected also
  // carries its entries.
  for (NodeId node : tree.SelectedNodes()) {
    NodeKind kind = tree.Kind(node);
    if (kind == NodeKind::EndMarker) {
      auto head = tree.PrevSibling(node);
      if (head && tree.Kind(*head) == NodeKind::GroupHead) tree.SetSelected(*head, true);
    } else if (kind == NodeKind::GroupHead) {
      if (auto end = EndMarkerOf(tree, node)) tree.SetSelected(*end, true);
    }
  }
  // One walk in depth-first order: a subtree is entered right after its
  // top, so "below a selected node" ends at the top's last descendant.
  std::optional<NodeId> coveredUpTo;  // last node of the selected subtree being walked
  for (auto node = tree.FirstRoot(); node; node = tree.NextInOrder(*node)) {
    if (coveredUpTo) {
      tree.SetSelected(*node, false);
      if (*node == *coveredUpTo) coveredUpTo.reset();
      continue;
    }
    if (tree.IsSelected(*node) && tree.HasChildren(*node)) coveredUpTo = tree.LastInSubtree(*node);
  }
}

std::optional<SelectMode> SelectModeFromText(std::u16string_view text) {
  struct Name {
    std::u16string_view text;
    SelectMode mode;
  };
  static constexpr std::array<Name, 4> kNames = {{
      {u"SelecteAll", SelectMode::All},
      {u"SelecteToTop", SelectMode::ToTop},
      {u"SelecteToBottom", SelectMode::ToBottom},
      {u"ReverseSelecte", SelectMode::Reverse},
  }};
  for (const Name& name : kNames)
    if (core::EqualsIgnoreCase(text, name.text)) return name.mode;
  return std::nullopt;
}

void SelectNodesInTree(JumpTree& tree, SelectMode mode) {
  const std::optional<NodeId> focused = tree.Focused();
  if ((mode == SelectMode::ToTop || mode == SelectMode::ToBottom) && !focused) return;
  bool beforeFocus = true;  // in depth-first order, up to and including the focused node
  for (auto node = tree.FirstRoot(); node; node = tree.NextInOrder(*node)) {
    const bool isFocused = focused && *node == *focused;
    switch (mode) {
      case SelectMode::All:
        tree.SetSelected(*node, true);
        break;
      case SelectMode::Reverse:
        tree.SetSelected(*node, !tree.IsSelected(*node));
        break;
      case SelectMode::ToTop:
        tree.SetSelected(*node, beforeFocus);
        break;
      case SelectMode::ToBottom:
        tree.SetSelected(*node, !beforeFocus || isFocused);
        break;
    }
    if (isFocused) beforeFocus = false;
  }
  tree.SetFocused(focused);
}

void SelectNodesInLevel(JumpTree& tree, SelectMode mode) {
  const std::optional<NodeId> focused = tree.Focused();
  if (!focused) return;
  for (NodeId node : tree.SelectedNodes())
    if (node != *focused) tree.SetSelected(node, false);
  auto parent = tree.Parent(*focused);
  bool beforeFocus = true;
  for (auto node = parent ? tree.FirstChild(*parent) : tree.FirstRoot(); node;
       node = tree.NextSibling(*node)) {
    const bool isFocused = *node == *focused;
    switch (mode) {
      case SelectMode::All:
        tree.SetSelected(*node, true);
        break;
      case SelectMode::Reverse:
        tree.SetSelected(*node, !isFocused);
        break;
      case SelectMode::ToTop:
        tree.SetSelected(*node, beforeFocus);
        break;
      case SelectMode::ToBottom:
        tree.SetSelected(*node, !beforeFocus || isFocused);
        break;
    }
    if (isFocused) beforeFocus = false;
  }
  tree.SetFocused(focused);
}

std::optional<NodeId> FindSelectedAncestor(const JumpTree& tree, NodeId node) {
  for (auto parent = tree.Parent(node); parent; parent = tree.Parent(*parent))
    if (tree.IsSelected(*parent)) return parent;
  return std::nullopt;
}

}  // namespace pathorama::editor
