// Changes to the jump tree that keep every group head paired with its end
// marker: adding a node for a path, moving the selection, and turning
// groups into entries and back.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/prompts.h"
#include "editor/jump_tree.h"
#include "paths/path_info.h"

namespace pathorama::editor {

// What adding a node needs to know about the computer.
class FileSystemFacts {
 public:
  virtual ~FileSystemFacts() = default;
  virtual bool IsExistingFile(std::u16string_view path) = 0;
  virtual bool IsExistingFolder(std::u16string_view path) = 0;
  // The target of a shortcut file (".lnk"); empty when it has none.
  virtual std::u16string ResolveShortcutTarget(std::u16string_view path) = 0;
};

// A caption with an accelerator added (the accelerator-key rules).
using CaptionTransform = std::function<std::u16string(std::u16string_view caption)>;

struct AddNodeOptions {
  // Set when accelerators are added automatically ("自动添加加速键").
  CaptionTransform addAcceleratorKey;
  // "禁止添加重复路径": a path another entry holds is not given to the new node.
  bool forbidDuplicatePaths = false;
  paths::VariableExpander expand;  // for the duplicate test
  // The duplicate warning is shown through it when set (while the window
  // that owns the tree is visible).
  core::UserPrompts* prompts = nullptr;
};

// Turns a normal item into a group head: "-" before its text, an end marker
// after it, its path info "<>". An item without text stays as it is (its
// head would read as a separator): false.
bool MakeGroupHeadOf(JumpTree& tree, NodeId item);

// `AddNodeForPath`: adds one node next to or into `dest` (at the end of the
// root level without it) and makes it the only selected node, focused and
// visible. The caption is `nodeText`, or when that is empty the file name of
// `path` (without extension for an existing file), with an accelerator
// added when asked; "-" adds a separator, and leading dashes of any other
// caption are dropped (they would make it a group head without end
// marker). Its path info is `path` when the caption was given; a caption
// taken from the path gets the path only when it exists (a shortcut file
// its target, when it has one), else an empty path info.
NodeId AddNodeForPath(JumpTree& tree, std::optional<NodeId> dest, bool asSubNode,
                      std::u16string_view nodeText, std::u16string_view path,
                      FileSystemFacts& facts, const AddNodeOptions& options);

enum class MoveOutcome {
  Moved,
  NothingDone,  // no destination, nothing selected, or a destination that is itself moved
  Refused,      // the destination lies inside a selected group: the user was told
};

// `MoveSelectedItems`: moves the selected nodes (after NormalizeTreeSelection),
// each with its subtree, so that they stand together in their former order
// as the first children of `dest` (a group head that is expanded or empty)
// or right after it; a drop on a collapsed group lands after its end marker.
// With `asSubNode` a normal item becomes a group that receives them. The
// moved nodes stay selected.
inline constexpr std::u16string_view kMoveRefusedCaption = u"无法移动";
MoveOutcome MoveSelectedItems(JumpTree& tree, std::optional<NodeId> dest, bool asSubNode,
                              core::UserPrompts& prompts);

// `InterConvertGroupAndNormalItem`: every selected group head becomes a
// normal item (its end marker goes, its children follow it at its level),
// every selected normal item with a text becomes an empty group. Path infos
// stay; afterwards the same nodes are selected and the focus stays.
void InterConvertGroupAndNormalItem(JumpTree& tree);

}  // namespace pathorama::editor
