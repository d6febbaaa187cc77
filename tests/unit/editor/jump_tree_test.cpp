#include "editor/jump_tree.h"

#include <gtest/gtest.h>

#include "unit/editor/tree_outline.h"

namespace pathorama::editor {
namespace {

using test::Find;
using test::Outline;
using test::TreeFromOutline;
using test::U;

TEST(NodeKindOfTest, TellsKindsByTextAlone) {
  struct Case {
    const char* text;
    NodeKind kind;
  } cases[] = {
      {"--", NodeKind::EndMarker},  {"-", NodeKind::Separator},    {"-Work", NodeKind::GroupHead},
      {"---", NodeKind::GroupHead}, {"-- ", NodeKind::GroupHead},  {"Docs", NodeKind::NormalItem},
      {"", NodeKind::NormalItem},   {" --", NodeKind::NormalItem}, {"a-b", NodeKind::NormalItem},
  };
  for (const Case& c : cases) EXPECT_EQ(NodeKindOf(U(c.text)), c.kind) << "'" << c.text << "'";
}

TEST(CleanTextTest, NoValueCanCarryALineOrLoseItsKindInTheFile) {
  // Captions lose line breaks and the blanks the file would drop at the end.
  EXPECT_EQ(CleanNodeText(u"Docs\r\n[Main]\rx\n"), u"Docs[Main]x");
  EXPECT_EQ(CleanNodeText(u"- \t"), u"-");
  EXPECT_EQ(CleanNodeText(u"  lead"), u"  lead");
  // Line breaks in a path info separate pieces.
  EXPECT_EQ(CleanPathInfo(u"C:\\a\r\nD:\\b\rE:\\c\nF:\\d"), u"C:\\a | D:\\b | E:\\c | F:\\d");
  EXPECT_EQ(CleanPathInfo(u"\n\n"), u" |  | ");
}

TEST(JumpTreeTest, InsertsAtEveryKindOfPlaceAndWalksInDepthFirstOrder) {
  JumpTree tree(test::CountingIds());
  NodeId b = tree.Insert(Place::LastChildOf(std::nullopt), u"b", std::nullopt);
  NodeId a = tree.Insert(Place::FirstChildOf(std::nullopt), u"-a", std::nullopt);
  tree.Insert(Place::After(a), u"--", std::nullopt);
  NodeId x = tree.Insert(Place::LastChildOf(a), u"x", std::nullopt);
  tree.Insert(Place::Before(x), u"w", std::nullopt);
  tree.Insert(Place::After(x), u"y", std::nullopt);
  tree.Insert(Place::After(b), u"c", std::nullopt);
  EXPECT_EQ(Outline(tree), "-a\n  w\n  x\n  y\n--\nb\nc\n");
  EXPECT_EQ(tree.Size(), 7u);
  EXPECT_EQ(tree.Parent(x), a);
  EXPECT_EQ(tree.Parent(a), std::nullopt);
  EXPECT_EQ(tree.LastInSubtree(a), Find(tree, "y"));
  EXPECT_EQ(tree.PathFromRoot(x), (std::vector<NodeId>{a, x}));
  EXPECT_TRUE(tree.IsSelfOrAncestor(a, x));
  EXPECT_FALSE(tree.IsSelfOrAncestor(x, a));
}

TEST(JumpTreeTest, RemovingASubtreeInvalidatesItsHandlesAndItsFocus) {
  JumpTree tree = TreeFromOutline("-a\n  x\n  -b\n    y\n  --\n--\nz\n");
  NodeId a = Find(tree, "-a");
  NodeId y = Find(tree, "y");
  tree.SetFocused(y);
  tree.SetSelected(y, true);
  tree.Remove(a);
  EXPECT_EQ(Outline(tree), "--\nz\n");
  EXPECT_EQ(tree.Size(), 2u);
  EXPECT_FALSE(tree.Contains(a));
  EXPECT_FALSE(tree.Contains(y));
  EXPECT_EQ(tree.Focused(), std::nullopt);
  EXPECT_TRUE(tree.SelectedNodes().empty());
  EXPECT_THROW(tree.Text(y), std::out_of_range);
  // A handle of a removed node is never given to a new one.
  NodeId fresh = tree.Insert(Place::LastChildOf(std::nullopt), u"n", std::nullopt);
  EXPECT_NE(fresh, a);
  EXPECT_NE(fresh, y);
}

TEST(JumpTreeTest, MoveBlockKeepsOrderAndRefusesAPlaceInsideTheBlock) {
  JumpTree tree = TreeFromOutline("a\n-g\n  x\n--\nb\nc\n");
  NodeId a = Find(tree, "a"), g = Find(tree, "-g"), x = Find(tree, "x"), c = Find(tree, "c");
  EXPECT_FALSE(tree.MoveBlock({c, g}, Place::After(x)));  // into the moved group
  EXPECT_FALSE(tree.MoveBlock({g}, Place::FirstChildOf(g)));
  EXPECT_FALSE(tree.MoveBlock({a, a}, Place::After(c)));
  EXPECT_EQ(Outline(tree), "a\n-g\n  x\n--\nb\nc\n");
  ASSERT_TRUE(tree.MoveBlock({c, a}, Place::FirstChildOf(g)));
  EXPECT_EQ(Outline(tree), "-g\n  c\n  a\n  x\n--\nb\n");
  // After a node of the block: the block stays where that node was.
  ASSERT_TRUE(tree.MoveBlock({Find(tree, "b"), x}, Place::After(x)));
  EXPECT_EQ(Outline(tree), "-g\n  c\n  a\n  b\n  x\n--\n");
}

TEST(JumpTreeTest, SetPathInfoOnlyForEntriesAndGroups) {
  JumpTree tree = TreeFromOutline("-g\n--\n-\nitem\tC:\\a\n");
  EXPECT_FALSE(tree.SetPathInfo(Find(tree, "--"), u"C:\\x"));
  EXPECT_FALSE(tree.SetPathInfo(Find(tree, "-"), u"C:\\x"));
  EXPECT_TRUE(tree.SetPathInfo(Find(tree, "-g"), u"D:\\g"));
  EXPECT_TRUE(tree.SetPathInfo(Find(tree, "item"), u"C:\\b\r\nC:\\c"));
  EXPECT_EQ(Outline(tree, true), "-g\tD:\\g\n--\t<>\n-\t<>\nitem\tC:\\b | C:\\c\n");
}

TEST(JumpTreeTest, SixtyThousandNestedGroupsWithoutRecursion) {
  constexpr int kDepth = 60000;
  JumpTree tree(test::CountingIds());
  std::optional<NodeId> parent;
  NodeId top{};
  for (int i = 0; i < kDepth; ++i) {
    NodeId head = tree.Insert(Place::LastChildOf(parent), u"-g", std::nullopt);
    tree.Insert(Place::After(head), u"--", std::nullopt);
    if (!parent) top = head;
    parent = head;
  }
  NodeId leaf = tree.Insert(Place::LastChildOf(parent), u"leaf", std::nullopt);
  std::vector<NodeId> order = tree.NodesInOrder();
  ASSERT_EQ(order.size(), 2u * kDepth + 1);
  EXPECT_EQ(order[kDepth], leaf);
  EXPECT_EQ(tree.Text(order.back()), u"--");
  EXPECT_EQ(tree.PathFromRoot(leaf).size(), kDepth + 1u);
  tree.MakeVisible(leaf);
  EXPECT_TRUE(tree.IsExpanded(top));
  tree.Remove(top);
  EXPECT_EQ(tree.Size(), 1u);
}

}  // namespace
}  // namespace pathorama::editor
