// Selections in the jump tree: the form in which a group is always handled
// as a whole, and the editor's "select all / to top / to bottom / reverse"
// commands over the whole tree or one level.
#pragma once

#include <optional>
#include <string_view>

#include "editor/jump_tree.h"

namespace pathorama::editor {

// Brings the selection to the form every command on it expects: a selected
// end marker selects its group head, a selected group head selects its end
// marker, and a selected node below another selected node is deselected
// (the selected ancestor carries it along). Other selections stay.
void NormalizeTreeSelection(JumpTree& tree);

enum class SelectMode { All, ToTop, ToBottom, Reverse };
// The stored names "SelecteAll", "SelecteToTop", "SelecteToBottom",
// "ReverseSelecte", without regard to case; none for any other text.
std::optional<SelectMode> SelectModeFromText(std::u16string_view text);

// Over every node in depth-first order, collapsed ones included. ToTop and
// ToBottom select up to (from) the focused node and deselect the rest; they
// do nothing without a focused node. The focus stays where it was.
void SelectNodesInTree(JumpTree& tree, SelectMode mode);

// Over the focused node's siblings (itself included), after every other
// selection is cleared; nothing without a focused node. Reverse selects the
// siblings but not the focused node.
void SelectNodesInLevel(JumpTree& tree, SelectMode mode);

// The nearest selected ancestor of `node` (not `node` itself), or none.
std::optional<NodeId> FindSelectedAncestor(const JumpTree& tree, NodeId node);

}  // namespace pathorama::editor
