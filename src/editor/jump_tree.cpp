#include "editor/jump_tree.h"

#include <stdexcept>
#include <unordered_set>
#include <utility>

#include "core/text.h"

namespace pathorama::editor {

NodeKind NodeKindOf(std::u16string_view text) {
  if (text == kEndMarkerText) return NodeKind::EndMarker;
  if (text == kSeparatorText) return NodeKind::Separator;
  if (!text.empty() && text[0] == u'-') return NodeKind::GroupHead;
  return NodeKind::NormalItem;
}

std::u16string CleanNodeText(std::u16string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (char16_t c : text)
    if (c != u'\r' && c != u'\n') out += c;
  return core::TrimCharsRight(out, u" \t");
}

std::u16string CleanPathInfo(std::u16string_view pathInfo) {
  std::u16string out;
  out.reserve(pathInfo.size());
  for (size_t i = 0; i < pathInfo.size(); ++i) {
    char16_t c = pathInfo[i];
    if (c == u'\r' || c == u'\n') {
      if (c == u'\r' && i + 1 < pathInfo.size() && pathInfo[i + 1] == u'\n') ++i;
      out += u" | ";
    } else {
      out += c;
    }
  }
  return out;
}

JumpTree::JumpTree(FreshId freshId) : freshId_(std::move(freshId)) { Clear(); }

bool JumpTree::Contains(NodeId node) const {
  auto index = static_cast<uint32_t>(node);
  return index != kRoot && index < nodes_.size() && nodes_[index].alive;
}

const JumpTree::Node& JumpTree::At(NodeId node) const {
  if (!Contains(node)) throw std::out_of_range("no such node in the jump tree");
  return nodes_[static_cast<uint32_t>(node)];
}

JumpTree::Node& JumpTree::At(NodeId node) {
  return const_cast<Node&>(static_cast<const JumpTree*>(this)->At(node));
}

std::optional<NodeId> JumpTree::Parent(NodeId node) const {
  uint32_t parent = At(node).parent;
  return parent == kRoot ? std::nullopt : Link(parent);
}

std::optional<NodeId> JumpTree::NextInOrder(NodeId node) const {
  auto index = static_cast<uint32_t>(node);
  const Node& n = At(node);
  if (n.firstChild != kNone) return NodeId{n.firstChild};
  // Climbing costs one step per level left; over a whole walk every level is
  // left once, so a walk stays linear.
  while (index != kRoot) {
    if (nodes_[index].next != kNone) return NodeId{nodes_[index].next};
    index = nodes_[index].parent;
  }
  return std::nullopt;
}

NodeId JumpTree::LastInSubtree(NodeId node) const {
  auto index = static_cast<uint32_t>(node);
  At(node);
  while (nodes_[index].lastChild != kNone) index = nodes_[index].lastChild;
  return NodeId{index};
}

std::vector<NodeId> JumpTree::NodesInOrder() const {
  std::vector<NodeId> out;
  out.reserve(liveCount_);
  for (auto node = FirstRoot(); node; node = NextInOrder(*node)) out.push_back(*node);
  return out;
}

std::vector<NodeId> JumpTree::PathFromRoot(NodeId node) const {
  std::vector<NodeId> out;
  for (auto index = static_cast<uint32_t>(node); index != kRoot; index = nodes_[index].parent) {
    At(NodeId{index});
    out.push_back(NodeId{index});
  }
  return {out.rbegin(), out.rend()};
}

bool JumpTree::IsSelfOrAncestor(NodeId ancestor, NodeId node) const {
  At(ancestor);
  for (auto index = static_cast<uint32_t>(node); index != kRoot; index = nodes_[index].parent)
    if (index == static_cast<uint32_t>(ancestor)) return true;
  return false;
}

const NodeRecord* JumpTree::Record(NodeId node) const {
  const Node& n = At(node);
  return n.record ? &*n.record : nullptr;
}

std::u16string_view JumpTree::PathInfo(NodeId node) const {
  const Node& n = At(node);
  return n.record ? std::u16string_view(n.record->pathInfo) : std::u16string_view();
}

void JumpTree::SetText(NodeId node, std::u16string_view text) {
  At(node).text = CleanNodeText(text);
}

bool JumpTree::SetPathInfo(NodeId node, std::u16string_view pathInfo) {
  NodeKind kind = Kind(node);
  if (kind != NodeKind::NormalItem && kind != NodeKind::GroupHead) return false;
  Node& n = At(node);
  if (!n.record) n.record = NodeRecord{freshId_(), {}};
  n.record->pathInfo = CleanPathInfo(pathInfo);
  return true;
}

void JumpTree::AttachNewRecord(NodeId node, std::u16string_view pathInfo) {
  Node& n = At(node);
  n.record = NodeRecord{freshId_(), CleanPathInfo(pathInfo)};
}

std::pair<uint32_t, uint32_t> JumpTree::Resolve(Place place) const {
  uint32_t anchor = kRoot;
  if (place.anchor) {
    At(*place.anchor);
    anchor = static_cast<uint32_t>(*place.anchor);
  } else if (place.how == Place::How::After || place.how == Place::How::Before) {
    throw std::invalid_argument("a place before or after needs a node");
  }
  switch (place.how) {
    case Place::How::After:
      return {nodes_[anchor].parent, anchor};
    case Place::How::Before:
      return {nodes_[anchor].parent, nodes_[anchor].prev};
    case Place::How::FirstChild:
      return {anchor, kNone};
    case Place::How::LastChild:
      return {anchor, nodes_[anchor].lastChild};
  }
  return {kRoot, kNone};
}

void JumpTree::Unlink(uint32_t index) {
  Node& n = nodes_[index];
  Node& parent = nodes_[n.parent];
  (n.prev == kNone ? parent.firstChild : nodes_[n.prev].next) = n.next;
  (n.next == kNone ? parent.lastChild : nodes_[n.next].prev) = n.prev;
  n.prev = n.next = n.parent = kNone;
}

void JumpTree::LinkAfter(uint32_t index, uint32_t parent, uint32_t after) {
  Node& n = nodes_[index];
  Node& p = nodes_[parent];
  n.parent = parent;
  n.prev = after;
  n.next = after == kNone ? p.firstChild : nodes_[after].next;
  (after == kNone ? p.firstChild : nodes_[after].next) = index;
  (n.next == kNone ? p.lastChild : nodes_[n.next].prev) = index;
}

NodeId JumpTree::Insert(Place place, std::u16string_view text, std::optional<NodeRecord> record) {
  auto [parent, after] = Resolve(place);
  if (record) record->pathInfo = CleanPathInfo(record->pathInfo);
  Node node;
  node.text = CleanNodeText(text);
  node.record = std::move(record);
  nodes_.push_back(std::move(node));
  auto index = static_cast<uint32_t>(nodes_.size() - 1);
  LinkAfter(index, parent, after);
  ++liveCount_;
  return NodeId{index};
}

bool JumpTree::MoveBlock(const std::vector<NodeId>& nodes, Place place) {
  if (nodes.empty()) return true;
  auto [parent, after] = Resolve(place);
  // The place must not lie inside a moved subtree: mark the new parent and
  // its ancestors once, then test each moved node against the marks.
  // Sets sized by the depth and the block, not by the tree: a command that
  // moves the children of many groups one group at a time stays linear.
  std::unordered_set<uint32_t> onPath;
  std::unordered_set<uint32_t> inBlock;
  for (uint32_t index = parent; index != kNone; index = nodes_[index].parent) onPath.insert(index);
  for (NodeId node : nodes) {
    auto index = static_cast<uint32_t>(node);
    At(node);
    if (onPath.count(index) || !inBlock.insert(index).second) return false;
  }
  // The block goes after the nearest sibling that stays where it is.
  while (after != kNone && inBlock.count(after)) after = nodes_[after].prev;
  for (NodeId node : nodes) Unlink(static_cast<uint32_t>(node));
  for (NodeId node : nodes) {
    LinkAfter(static_cast<uint32_t>(node), parent, after);
    after = static_cast<uint32_t>(node);
  }
  return true;
}

void JumpTree::Remove(NodeId node) {
  At(node);
  auto top = static_cast<uint32_t>(node);
  const uint32_t last = static_cast<uint32_t>(LastInSubtree(node));
  // Everything from `top` to the last node of its subtree in depth-first
  // order is the subtree: mark it dead before unlinking the top.
  for (uint32_t index = top;;) {
    Node& n = nodes_[index];
    n.alive = false;
    n.selected = false;
    if (focused_ && static_cast<uint32_t>(*focused_) == index) focused_.reset();
    --liveCount_;
    if (index == last) break;
    if (n.firstChild != kNone) {
      index = n.firstChild;
      continue;
    }
    while (nodes_[index].next == kNone) index = nodes_[index].parent;
    index = nodes_[index].next;
  }
  Unlink(top);
  // The dead nodes keep their slots (handles are never reused), but not
  // their text.
  for (uint32_t index = top;;) {
    Node& n = nodes_[index];
    n.text.clear();
    n.text.shrink_to_fit();
    n.record.reset();
    if (index == last) break;
    if (n.firstChild != kNone) {
      index = n.firstChild;
      continue;
    }
    while (nodes_[index].next == kNone) index = nodes_[index].parent;
    index = nodes_[index].next;
  }
}

void JumpTree::Clear() {
  nodes_.clear();
  nodes_.push_back(Node{});  // the hidden root
  nodes_[kRoot].alive = false;
  liveCount_ = 0;
  focused_.reset();
}

void JumpTree::SetSelected(NodeId node, bool selected) { At(node).selected = selected; }

std::vector<NodeId> JumpTree::SelectedNodes() const {
  std::vector<NodeId> out;
  for (auto node = FirstRoot(); node; node = NextInOrder(*node))
    if (nodes_[static_cast<uint32_t>(*node)].selected) out.push_back(*node);
  return out;
}

void JumpTree::ClearSelection() {
  for (Node& n : nodes_) n.selected = false;
}

void JumpTree::SelectOnly(NodeId node) {
  At(node);
  ClearSelection();
  At(node).selected = true;
  focused_ = node;
  MakeVisible(node);
}

void JumpTree::SetFocused(std::optional<NodeId> node) {
  if (node) At(*node);
  focused_ = node;
}

void JumpTree::SetExpanded(NodeId node, bool expanded) { At(node).expanded = expanded; }

void JumpTree::MakeVisible(NodeId node) {
  for (uint32_t index = At(node).parent; index != kRoot; index = nodes_[index].parent)
    nodes_[index].expanded = true;
}

}  // namespace pathorama::editor
