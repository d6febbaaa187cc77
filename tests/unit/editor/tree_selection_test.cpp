#include "editor/tree_selection.h"

#include <gtest/gtest.h>

#include "unit/editor/tree_outline.h"

namespace pathorama::editor {
namespace {

using test::Find;
using test::Outline;
using test::Select;
using test::TreeFromOutline;

constexpr const char* kGroupAndItems = "-A\n  x\n  y\n--\nz\n";

TEST(NormalizeTreeSelectionTest, AGroupIsSelectedAsAWhole) {
  struct Case {
    const char* name;
    std::vector<std::pair<const char*, int>> selected;  // text, n-th node with it
    const char* expected;
  } cases[] = {
      {"end marker and an entry inside: the group, entries deselected",
       {{"--", 0}, {"y", 0}},
       "-A *\n  x\n  y\n-- *\nz\n"},
      {"group head alone: its end marker joins", {{"-A", 0}}, "-A *\n  x\n  y\n-- *\nz\n"},
      {"entries outside selected groups keep their selection",
       {{"x", 0}, {"z", 0}},
       "-A\n  x *\n  y\n--\nz *\n"},
  };
  for (const Case& c : cases) {
    JumpTree tree = TreeFromOutline(kGroupAndItems);
    tree.ClearSelection();
    for (auto [text, nth] : c.selected) tree.SetSelected(Find(tree, text, nth), true);
    NormalizeTreeSelection(tree);
    EXPECT_EQ(Outline(tree), c.expected) << c.name;
  }
}

TEST(NormalizeTreeSelectionTest, NestedGroupInsideASelectedGroupIsCarriedAlong) {
  JumpTree tree = TreeFromOutline("-A\n  -B\n    b\n  --\n  a\n--\n-C\n--\n");
  // The inner end marker alone: it selects -B, and both go inside selected -A.
  Select(tree, {Find(tree, "--", 0), Find(tree, "-A"), Find(tree, "b"), Find(tree, "--", 2)});
  NormalizeTreeSelection(tree);
  EXPECT_EQ(Outline(tree), "-A *\n  -B\n    b\n  --\n  a\n-- *\n-C *\n-- *\n");
}

TEST(SelectModeTest, StoredNamesWithoutRegardToCase) {
  EXPECT_EQ(SelectModeFromText(u"SelecteAll"), SelectMode::All);
  EXPECT_EQ(SelectModeFromText(u"selectetotop"), SelectMode::ToTop);
  EXPECT_EQ(SelectModeFromText(u"SELECTETOBOTTOM"), SelectMode::ToBottom);
  EXPECT_EQ(SelectModeFromText(u"ReverseSelecte"), SelectMode::Reverse);
  EXPECT_EQ(SelectModeFromText(u"SelectAll"), std::nullopt);
  EXPECT_EQ(SelectModeFromText(u""), std::nullopt);
}

// The tree "-A (x, y), --, z" with x selected and y focused.
JumpTree FocusedOnY() {
  JumpTree tree = TreeFromOutline(kGroupAndItems);
  Select(tree, {Find(tree, "x")});
  tree.SetFocused(Find(tree, "y"));
  return tree;
}

TEST(SelectNodesInTreeTest, EachModeOverTheWholeTree) {
  struct Case {
    SelectMode mode;
    const char* expected;
  } cases[] = {
      {SelectMode::All, "-A *\n  x *\n  y * @\n-- *\nz *\n"},
      {SelectMode::ToTop, "-A *\n  x *\n  y * @\n--\nz\n"},
      {SelectMode::ToBottom, "-A\n  x\n  y * @\n-- *\nz *\n"},
      {SelectMode::Reverse, "-A *\n  x\n  y * @\n-- *\nz *\n"},
  };
  for (const Case& c : cases) {
    JumpTree tree = FocusedOnY();
    tree.SetExpanded(Find(tree, "-A"), false);  // collapsed nodes count too
    SelectNodesInTree(tree, c.mode);
    EXPECT_EQ(Outline(tree), c.expected) << static_cast<int>(c.mode);
  }
}

TEST(SelectNodesInTreeTest, WithoutFocusOnlyAllAndReverseAct) {
  for (SelectMode mode : {SelectMode::ToTop, SelectMode::ToBottom}) {
    JumpTree tree = TreeFromOutline(kGroupAndItems);
    Select(tree, {Find(tree, "x")});
    SelectNodesInTree(tree, mode);
    EXPECT_EQ(Outline(tree), "-A\n  x *\n  y\n--\nz\n");
  }
  JumpTree tree = TreeFromOutline(kGroupAndItems);
  Select(tree, {Find(tree, "x")});
  SelectNodesInTree(tree, SelectMode::Reverse);
  EXPECT_EQ(Outline(tree), "-A *\n  x\n  y *\n-- *\nz *\n");
}

TEST(SelectNodesInLevelTest, EachModeOverTheFocusedNodesSiblings) {
  constexpr const char* kLevel = "a\n-G\n  p\n  q\n  r\n--\nb\n";
  struct Case {
    SelectMode mode;
    const char* expected;
  } cases[] = {
      {SelectMode::All, "a\n-G\n  p *\n  q * @\n  r *\n--\nb\n"},
      {SelectMode::ToTop, "a\n-G\n  p *\n  q * @\n  r\n--\nb\n"},
      {SelectMode::ToBottom, "a\n-G\n  p\n  q * @\n  r *\n--\nb\n"},
      // Exactly the siblings, the focused node left out.
      {SelectMode::Reverse, "a\n-G\n  p *\n  q @\n  r *\n--\nb\n"},
  };
  for (const Case& c : cases) {
    JumpTree tree = TreeFromOutline(kLevel);
    Select(tree, {Find(tree, "a"), Find(tree, "b"), Find(tree, "q")});
    tree.SetFocused(Find(tree, "q"));
    SelectNodesInLevel(tree, c.mode);
    EXPECT_EQ(Outline(tree), c.expected) << static_cast<int>(c.mode);
  }
  JumpTree tree = TreeFromOutline(kLevel);
  Select(tree, {Find(tree, "a")});
  SelectNodesInLevel(tree, SelectMode::All);  // no focused node
  EXPECT_EQ(Outline(tree), "a *\n-G\n  p\n  q\n  r\n--\nb\n");
}

TEST(SelectNodesInLevelTest, RootLevel) {
  JumpTree tree = TreeFromOutline(kGroupAndItems);
  tree.SetFocused(Find(tree, "z"));
  SelectNodesInLevel(tree, SelectMode::ToTop);
  EXPECT_EQ(Outline(tree), "-A *\n  x\n  y\n-- *\nz * @\n");
}

TEST(FindSelectedAncestorTest, NearestSelectedAncestorNotTheNodeItself) {
  JumpTree tree = TreeFromOutline("-A\n  -B\n    c\n  --\n--\n");
  NodeId c = Find(tree, "c");
  Select(tree, {c});
  EXPECT_EQ(FindSelectedAncestor(tree, c), std::nullopt);
  Select(tree, {Find(tree, "-A")});
  EXPECT_EQ(FindSelectedAncestor(tree, c), Find(tree, "-A"));
  tree.SetSelected(Find(tree, "-B"), true);
  EXPECT_EQ(FindSelectedAncestor(tree, c), Find(tree, "-B"));
  EXPECT_EQ(FindSelectedAncestor(tree, Find(tree, "-A")), std::nullopt);
}

TEST(NormalizeTreeSelectionTest, DeepTreeInLinearTimeWithoutRecursion) {
  constexpr int kDepth = 60000;
  JumpTree tree(test::CountingIds());
  std::optional<NodeId> parent;
  std::vector<NodeId> heads;
  for (int i = 0; i < kDepth; ++i) {
    NodeId head = tree.Insert(Place::LastChildOf(parent), u"-g", std::nullopt);
    tree.Insert(Place::After(head), u"--", std::nullopt);
    heads.push_back(head);
    parent = head;
  }
  // Every other group's end marker selected: only the outermost group stays.
  for (int i = 0; i < kDepth; i += 2) tree.SetSelected(*tree.NextSibling(heads[i]), true);
  NormalizeTreeSelection(tree);
  std::vector<NodeId> selected = tree.SelectedNodes();
  ASSERT_EQ(selected.size(), 2u);
  EXPECT_EQ(selected[0], heads[0]);
  EXPECT_EQ(FindSelectedAncestor(tree, heads.back()), heads[0]);
}

}  // namespace
}  // namespace pathorama::editor
