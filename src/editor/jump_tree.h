// The jump list as the editor holds it while the user edits: a tree of
// nodes whose texts are exactly the stored "menu<N>" lines, taken in
// depth-first order, and whose records hold the "path<N>" lines.
//
//   -Work        group head: "-" and the caption; its entries are its children
//     Docs       normal item
//   --           end marker: the next sibling of its group head, never its child
//   -            separator
//   Music
//
// Selection (any number of nodes), the focused node and which nodes are
// expanded live here too: the Win32 tree view only draws this model.
//
// Every walk is iterative (sibling and parent links, no recursion), so a
// tree as deep as the loader accepts can be built, edited and saved.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pathorama::editor {

enum class NodeKind { GroupHead, EndMarker, Separator, NormalItem };

// The one place that tells a node's kind from its text: "--" an end marker,
// "-" a separator, any other text starting with "-" a group head, anything
// else (the empty text too) a normal item.
NodeKind NodeKindOf(std::u16string_view text);

inline constexpr std::u16string_view kEndMarkerText = u"--";
inline constexpr std::u16string_view kSeparatorText = u"-";
// The path info of nodes that have no path: end markers, separators and
// groups made in the editor.
inline constexpr std::u16string_view kNoPathInfo = u"<>";

// A node text as the settings file can hold it: line breaks removed, and
// the blanks at the end too, which the file would lose on the next read
// (turning "- " from a group head into a separator).
std::u16string CleanNodeText(std::u16string_view text);
// A path info as the settings file can hold it: each line break (CR LF, CR
// or LF) becomes the piece separator " | ".
std::u16string CleanPathInfo(std::u16string_view pathInfo);

// What a node carries besides its text.
struct NodeRecord {
  int32_t customId = 0;  // the menu item's tag, or a fresh number
  std::u16string pathInfo;
};

// A handle to a node, valid until the node is removed or the tree cleared.
enum class NodeId : uint32_t {};

// Where a node goes: after or before `anchor`, or as the first or last child
// of `anchor` (the root level when it has none).
struct Place {
  enum class How { After, Before, FirstChild, LastChild };
  How how = How::LastChild;
  std::optional<NodeId> anchor;

  static Place After(NodeId node) { return {How::After, node}; }
  static Place Before(NodeId node) { return {How::Before, node}; }
  static Place FirstChildOf(std::optional<NodeId> parent) { return {How::FirstChild, parent}; }
  static Place LastChildOf(std::optional<NodeId> parent) { return {How::LastChild, parent}; }
};

class JumpTree {
 public:
  // Where fresh record numbers come from: the jump list's ItemCounter (see
  // ForJumpList in tree_conversions.h), so numbers stay unique across the
  // editor's tree and the import dialog's.
  using FreshId = std::function<int32_t()>;
  explicit JumpTree(FreshId freshId);

  // --- Structure
  bool Empty() const { return liveCount_ == 0; }
  size_t Size() const { return liveCount_; }
  bool Contains(NodeId node) const;
  std::optional<NodeId> FirstRoot() const { return Link(nodes_[kRoot].firstChild); }
  std::optional<NodeId> LastRoot() const { return Link(nodes_[kRoot].lastChild); }
  // None for a root node.
  std::optional<NodeId> Parent(NodeId node) const;
  std::optional<NodeId> FirstChild(NodeId node) const { return Link(At(node).firstChild); }
  std::optional<NodeId> LastChild(NodeId node) const { return Link(At(node).lastChild); }
  std::optional<NodeId> NextSibling(NodeId node) const { return Link(At(node).next); }
  std::optional<NodeId> PrevSibling(NodeId node) const { return Link(At(node).prev); }
  bool HasChildren(NodeId node) const { return At(node).firstChild != kNone; }
  // The node after `node` in depth-first order (parent before children,
  // children before the parent's next sibling).
  std::optional<NodeId> NextInOrder(NodeId node) const;
  // The last node of the subtree of `node` in depth-first order.
  NodeId LastInSubtree(NodeId node) const;
  std::vector<NodeId> NodesInOrder() const;
  // The ancestors of `node`, its root first, `node` itself last.
  std::vector<NodeId> PathFromRoot(NodeId node) const;
  // Whether `ancestor` is `node` or one of its ancestors.
  bool IsSelfOrAncestor(NodeId ancestor, NodeId node) const;

  // --- Content
  const std::u16string& Text(NodeId node) const { return At(node).text; }
  NodeKind Kind(NodeId node) const { return NodeKindOf(At(node).text); }
  // Null for a node without record (separators taken from the menu).
  const NodeRecord* Record(NodeId node) const;
  // The record's path info; "" without record.
  std::u16string_view PathInfo(NodeId node) const;
  // Sets the text as CleanNodeText gives it. Changing a node's kind breaks
  // the pairing of group heads and end markers unless the caller mends it.
  void SetText(NodeId node, std::u16string_view text);
  // Sets the path info (CleanPathInfo) of a normal item or group head,
  // attaching a fresh record when it has none. Separators and end markers
  // keep "<>": false, nothing changed.
  bool SetPathInfo(NodeId node, std::u16string_view pathInfo);
  // `AttachNewNodeItem`: a fresh record number and this path info.
  void AttachNewRecord(NodeId node, std::u16string_view pathInfo);
  int32_t FreshRecordId() { return freshId_(); }

  // --- Changes. Inserting and moving do not pair group heads with end
  // markers; the operations of tree_moves.h and tree_conversions.h do.
  NodeId Insert(Place place, std::u16string_view text, std::optional<NodeRecord> record);
  // Moves the nodes, each with its subtree, to `place`, where they stand
  // together in the order given. Refused (false, nothing moved) when the
  // place lies inside one of them or is one of them.
  bool MoveBlock(const std::vector<NodeId>& nodes, Place place);
  // Removes the node with its subtree.
  void Remove(NodeId node);
  // Removes every node; earlier handles are no longer valid.
  void Clear();

  // --- View state
  bool IsSelected(NodeId node) const { return At(node).selected; }
  void SetSelected(NodeId node, bool selected);
  // The selected nodes in depth-first order.
  std::vector<NodeId> SelectedNodes() const;
  void ClearSelection();
  // Makes `node` the only selected node and the focused one, and visible.
  void SelectOnly(NodeId node);
  std::optional<NodeId> Focused() const { return focused_; }
  // Refocusing: the selection stays as it is.
  void SetFocused(std::optional<NodeId> node);
  bool IsExpanded(NodeId node) const { return At(node).expanded; }
  void SetExpanded(NodeId node, bool expanded);
  // Expands every ancestor, as a tree view does to show a node.
  void MakeVisible(NodeId node);

 private:
  static constexpr uint32_t kNone = 0xFFFFFFFFu;
  static constexpr uint32_t kRoot = 0;  // the hidden parent of the root level

  struct Node {
    std::u16string text;
    std::optional<NodeRecord> record;
    uint32_t parent = kNone, firstChild = kNone, lastChild = kNone, prev = kNone, next = kNone;
    bool alive = true;
    bool selected = false;
    bool expanded = false;
  };

  static std::optional<NodeId> Link(uint32_t index) {
    return index == kNone ? std::nullopt : std::optional<NodeId>(NodeId{index});
  }
  const Node& At(NodeId node) const;
  Node& At(NodeId node);
  // The parent index and the sibling after which a node goes (kNone: first).
  std::pair<uint32_t, uint32_t> Resolve(Place place) const;
  void Unlink(uint32_t index);
  void LinkAfter(uint32_t index, uint32_t parent, uint32_t after);

  FreshId freshId_;
  std::vector<Node> nodes_;
  size_t liveCount_ = 0;
  std::optional<NodeId> focused_;
};

}  // namespace pathorama::editor
