// Small trees for the editor's tests, written and read as outlines: one
// node per line, two spaces per level, then the node text; "\t" and a path
// info give the node's record that path info. Every node built this way has
// a record (numbers from 1001 on); a dump marks selected nodes " *" and the
// focused node " @".
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/text.h"
#include "editor/jump_tree.h"

namespace pathorama::editor::test {

inline std::u16string U(std::string_view utf8) { return core::Utf8ToUtf16(utf8); }
inline std::string U8(std::u16string_view text) { return core::Utf16ToUtf8(text); }

// Fresh record numbers 1001, 1002, ... for a tree made in a test.
inline JumpTree::FreshId CountingIds() {
  auto counter = std::make_shared<int32_t>(1000);
  return [counter] { return ++*counter; };
}

inline JumpTree TreeFromOutline(std::string_view outline) {
  JumpTree tree(CountingIds());
  std::vector<NodeId> open;  // the last node seen at each level
  for (const std::u16string& raw : core::SplitText(U(outline), u"\n")) {
    if (core::TrimChars(raw, u" ").empty()) continue;
    size_t indent = raw.find_first_not_of(u' ');
    size_t level = indent / 2;
    std::u16string line = raw.substr(indent);
    std::u16string path = u"<>";
    if (size_t tab = line.find(u'\t'); tab != std::u16string::npos) {
      path = line.substr(tab + 1);
      line.resize(tab);
    }
    open.resize(level);
    Place place = Place::LastChildOf(level == 0 ? std::nullopt : std::optional(open.back()));
    NodeId node = tree.Insert(place, line, NodeRecord{tree.FreshRecordId(), path});
    open.push_back(node);
  }
  return tree;
}

inline std::string Outline(const JumpTree& tree, bool withPaths = false) {
  std::string out;
  for (NodeId node : tree.NodesInOrder()) {
    out += std::string(2 * (tree.PathFromRoot(node).size() - 1), ' ') + U8(tree.Text(node));
    if (withPaths && tree.Record(node)) out += "\t" + U8(tree.Record(node)->pathInfo);
    if (tree.IsSelected(node)) out += " *";
    if (tree.Focused() == node) out += " @";
    out += "\n";
  }
  return out;
}

// The n-th node (from 0) in depth-first order with this text.
inline NodeId Find(const JumpTree& tree, std::string_view text, int nth = 0) {
  for (NodeId node : tree.NodesInOrder())
    if (tree.Text(node) == U(text) && nth-- == 0) return node;
  ADD_FAILURE() << "no node " << text;
  return tree.NodesInOrder().front();
}

inline void Select(JumpTree& tree, std::initializer_list<NodeId> nodes) {
  tree.ClearSelection();
  for (NodeId node : nodes) tree.SetSelected(node, true);
}

}  // namespace pathorama::editor::test
