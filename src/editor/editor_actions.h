// What the editor's commands do to its tree: adding entries, sub-entries and
// groups from the titles the user typed, renaming, enabling and disabling,
// deleting (all selected, or the entries whose local paths are gone, or
// those without a path), the four moves, the accelerator commands on the
// selection, and how each node is drawn. The window asks the user and shows
// the result; every change to the tree is made here.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/prompts.h"
#include "editor/jump_tree.h"
#include "editor/tree_moves.h"
#include "paths/path_info.h"

namespace pathorama::editor {

// The editor's check boxes that the commands read. They decide over the
// matching fields of AddNodeOptions, which the adds take for the rest.
struct EditorOptions {
  bool forbidDuplicatePaths = false;    // "禁止添加重复路径"
  bool recognizeWebAddresses = true;    // "自动识别网络地址"
  bool autoAcceleratorKey = true;       // "自动添加加速键"
  int32_t captionMaxLength = 0;         // the caption limit; 0: none
};

// The titles of an input box answer: trimmed of " |" at both ends, split at
// "|", each trimmed of spaces and cut to the caption limit (with "...");
// empty titles are dropped.
std::vector<std::u16string> SplitTitles(std::u16string_view answer, int32_t captionMaxLength);

// "添加同级条目": each title after the focused node (at the end of the root
// level without one), in the order typed; "-" adds a separator (path "<>"),
// any other title loses leading "-" and spaces and becomes a normal item
// with an empty path. Returns the nodes added, in tree order.
std::vector<NodeId> AddItems(JumpTree& tree, std::u16string_view answer,
                             const EditorOptions& options, FileSystemFacts& facts,
                             const AddNodeOptions& addOptions);

// "添加子条目": the titles inside the focused node (nothing without one): at
// the end of its group when it is an end marker, else at the front of its
// children in the order typed; a normal item becomes a group head and loses
// its path.
std::vector<NodeId> AddSubItems(JumpTree& tree, std::u16string_view answer,
                                const EditorOptions& options, FileSystemFacts& facts,
                                const AddNodeOptions& addOptions);

// "添加分组": each title (split at "|", in order, leading "-" and spaces
// removed, empty ones skipped) becomes a group head "-" + title (with an
// automatic accelerator when asked) with an end marker after it, both with
// path "<>", placed as the editor places groups; the last group added is
// focused and the only one selected. Returns the group heads added.
std::vector<NodeId> AddGroups(JumpTree& tree, std::u16string_view answer, const EditorOptions& options);

// "更改标题": what the input box starts with (the node text without its
// leading "-", cut to the caption limit), and the node's new text for an
// answer (trimmed, leading "-" and spaces removed; none for an empty answer
// or a node that is no normal item or group head); a group head keeps its
// "-".
std::u16string RenamePrefill(std::u16string_view nodeText, int32_t captionMaxLength);
std::optional<std::u16string> RenamedText(std::u16string_view nodeText, std::u16string_view answer,
                                          const EditorOptions& options);

// "启用/禁用已选条目": after NormalizeTreeSelection, every selected normal
// item and group head changes: a disabled path info loses its leading spaces
// and slashes, any other gets "/" in front. The last changed node becomes the
// focused node; the selection stays. Returns whether anything changed.
bool ToggleEnabledOfSelection(JumpTree& tree);

// "删除已选条目": whether the selection holds an end marker (a second
// question), and the deletion itself: NormalizeTreeSelection, then every
// selected node with its subtree.
bool SelectionHasEndMarker(const JumpTree& tree);
void DeleteSelection(JumpTree& tree);

// What "删除本地路径不存在的条目" asks of the computer.
class PathExistence {
 public:
  virtual ~PathExistence() = default;
  virtual bool IsExistingFolder(std::u16string_view path) = 0;
  virtual bool IsExistingFile(std::u16string_view path) = 0;
  // Whether the drive or share a path lies on can be reached at all (an
  // unplugged drive, a server that does not answer: nothing is known of
  // its paths).
  virtual bool IsReachable(std::u16string_view root) = 0;
};

// "删除本地路径不存在的条目": deletes the normal items known to be missing:
// items of another type than a local path (as activation decides the type,
// web addresses recognised when asked) stay; a local item stays when one of
// its paths is an existing folder or file, a shell namespace path, a piece
// that expanded empty or kept braces, or lies on a drive or share that
// cannot be reached (each root asked once); an item without any path goes.
// Returns how many were deleted.
int DeleteItemsWithMissingLocalPaths(JumpTree& tree, bool recognizeWebAddresses,
                                     const paths::VariableExpander& expand, PathExistence& facts);

// "删除未关联路径或网址的条目": deletes every normal item whose path info is
// empty. Returns how many were deleted.
int DeleteItemsWithoutPath(JumpTree& tree);

// The four moves of the selection. The level moves need every selected node
// at the focused node's level; otherwise nothing moves and the answer says so
// (the caller shows NotOneLevelMessage; `prompts` only serves the move).
enum class SelectionMove { ToTop, ToBottom, ToTopOfLevel, ToBottomOfLevel };
enum class SelectionMoveResult { Moved, NothingDone, NotOneLevel };
SelectionMoveResult MoveSelection(JumpTree& tree, SelectionMove move, core::UserPrompts& prompts);
// The message when the selection is not on one level.
std::u16string_view NotOneLevelMessage(SelectionMove move);
inline constexpr std::u16string_view kCannotMoveCaption = u"无法移动条目";

// "自动添加加速键" (F4) and "删除加速键" (F6) on every selected node; only
// nodes whose text holds a letter or a Chinese character change, and no
// node changes its kind. Return whether anything changed.
bool AddAcceleratorKeysToSelection(JumpTree& tree);
bool RemoveAcceleratorKeysFromSelection(JumpTree& tree);

// How a node is drawn.
enum class NodeColour { Default, Black, Blue, Red, Fuchsia, Gray };
struct NodeStyle {
  bool bold = false;
  bool strikeOut = false;
  NodeColour colour = NodeColour::Default;
  friend bool operator==(const NodeStyle&, const NodeStyle&) = default;
};
// Normal item: struck out when disabled; bold with several paths; red
// without a path, else blue with the variables mark, else black. Group head:
// bold, struck out when disabled, black when expanded, fuchsia when
// collapsed. End marker: gray. Separator: default.
NodeStyle StyleOfNode(const JumpTree& tree, NodeId node);

// The tree's hint for a node ("实时显示关联路径"): its path info trimmed,
// the leading " *" run removed and the variables expanded when it had the
// mark, "|" shown as "｜"; none for a node without record, for "<>" and
// for an empty hint.
std::optional<std::u16string> PathHintOfNode(const JumpTree& tree, NodeId node,
                                             const paths::VariableExpander& expand);

}  // namespace pathorama::editor
