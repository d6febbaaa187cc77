#include "editor/tree_moves.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "editor/tree_selection.h"
#include "unit/editor/tree_outline.h"

namespace pathorama::editor {
namespace {

using test::Find;
using test::Outline;
using test::Select;
using test::TreeFromOutline;
using test::U;
using test::U8;

class RecordingPrompts : public core::UserPrompts {
 public:
  struct Told {
    std::string text, caption;
    core::PromptIcon icon;
  };
  std::vector<Told> told;
  void Tell(std::u16string_view text, std::u16string_view caption, core::PromptIcon icon) override {
    told.push_back({U8(text), U8(caption), icon});
  }
  bool AskYesNo(std::u16string_view, std::u16string_view, core::PromptIcon) override {
    ADD_FAILURE() << "no question expected";
    return false;
  }
};

// ---------------------------------------------------------------------------
// MoveSelectedItems

constexpr const char* kMoveTree =
    "a\n"
    "-G\n"
    "  g1\n"
    "  g2\n"
    "--\n"
    "-E\n"
    "--\n"
    "b\n"
    "c\n";

struct MoveCase {
  const char* name;
  std::vector<const char*> selected;
  const char* dest;
  int destNth;
  bool asSubNode;
  bool collapseG;
  const char* expected;
};

TEST(MoveSelectedItemsTest, DestinationDecidesThePlace) {
  const MoveCase cases[] = {
      {"after a normal item, in former order",
       {"c", "a"},
       "b",
       0,
       false,
       false,
       "-G\n  g1\n  g2\n--\n-E\n--\nb\na *\nc *\n"},
      {"into an expanded group: first children",
       {"a", "c"},
       "-G",
       0,
       false,
       false,
       "-G\n  a *\n  c *\n  g1\n  g2\n--\n-E\n--\nb\n"},
      {"onto a collapsed group: after its end marker",
       {"a"},
       "-G",
       0,
       false,
       true,
       "-G\n  g1\n  g2\n--\na *\n-E\n--\nb\nc\n"},
      {"as sub node onto a collapsed group: expanded, first child",
       {"a"},
       "-G",
       0,
       true,
       true,
       "-G\n  a *\n  g1\n  g2\n--\n-E\n--\nb\nc\n"},
      {"an empty group receives",
       {"b"},
       "-E",
       0,
       false,
       false,
       "a\n-G\n  g1\n  g2\n--\n-E\n  b *\n--\nc\n"},
      {"onto an end marker: after it",
       {"c"},
       "--",
       0,
       false,
       false,
       "a\n-G\n  g1\n  g2\n--\nc *\n-E\n--\nb\n"},
      {"as sub node onto a normal item: it becomes a group",
       {"a"},
       "b",
       0,
       true,
       false,
       "-G\n  g1\n  g2\n--\n-E\n--\n-b\n  a *\n--\nc\n"},
      {"a group with its end marker, its entries along",
       {"--"},
       "c",
       0,
       false,
       false,
       "a\n-E\n--\nb\nc\n-G *\n  g1\n  g2\n-- *\n"},
  };
  for (const MoveCase& c : cases) {
    JumpTree tree = TreeFromOutline(kMoveTree);
    for (NodeId node : tree.NodesInOrder())
      if (tree.HasChildren(node)) tree.SetExpanded(node, true);
    if (c.collapseG) tree.SetExpanded(Find(tree, "-G"), false);
    tree.ClearSelection();
    for (const char* text : c.selected) tree.SetSelected(Find(tree, text), true);
    RecordingPrompts prompts;
    EXPECT_EQ(MoveSelectedItems(tree, Find(tree, c.dest, c.destNth), c.asSubNode, prompts),
              MoveOutcome::Moved)
        << c.name;
    EXPECT_EQ(Outline(tree), c.expected) << c.name;
    EXPECT_TRUE(prompts.told.empty()) << c.name;
  }
}

TEST(MoveSelectedItemsTest, TheExampleGroupMovesWholeAfterZ) {
  JumpTree tree = TreeFromOutline("-A\n  x\n  y\n--\nz\n");
  Select(tree, {Find(tree, "--"), Find(tree, "y")});
  RecordingPrompts prompts;
  ASSERT_EQ(MoveSelectedItems(tree, Find(tree, "z"), false, prompts), MoveOutcome::Moved);
  EXPECT_EQ(Outline(tree, true), "z\t<>\n-A\t<> *\n  x\t<>\n  y\t<>\n--\t<> *\n");
}

TEST(MoveSelectedItemsTest, IntoAGroupThatIsMovedIsRefusedWithAMessage) {
  JumpTree tree = TreeFromOutline("-A\n  -B\n    c\n  --\n--\nz\n");
  Select(tree, {Find(tree, "-A")});
  tree.SetFocused(Find(tree, "z"));
  RecordingPrompts prompts;
  EXPECT_EQ(MoveSelectedItems(tree, Find(tree, "c"), true, prompts), MoveOutcome::Refused);
  EXPECT_EQ(Outline(tree), "-A *\n  -B\n    c\n  --\n-- *\nz @\n");
  ASSERT_EQ(prompts.told.size(), 1u);
  EXPECT_EQ(prompts.told[0].text, "目的节点 『c』 位于已选父节点 『-A』 内部\r\n无法移动所选条目");
  EXPECT_EQ(prompts.told[0].caption, "无法移动");
  EXPECT_EQ(prompts.told[0].icon, core::PromptIcon::Warning);
}

TEST(MoveSelectedItemsTest, ADestinationThatIsItselfMovedDoesNothing) {
  struct Case {
    const char* name;
    const char* dest;
    int destNth;
    bool asSubNode;
  } cases[] = {
      // The group's end marker would land before its head.
      {"the end marker of the selected group", "--", 0, false},
      {"the end marker of the selected group, as sub node", "--", 0, true},
      {"the selected group head", "-G", 0, false},
      {"a selected entry as sub node: it would become a group inside itself", "b", 0, true},
  };
  for (const Case& c : cases) {
    JumpTree tree = TreeFromOutline(kMoveTree);
    Select(tree, {Find(tree, "-G"), Find(tree, "b")});
    tree.SetFocused(Find(tree, "c"));  // the focus is elsewhere
    const std::string before = "a\n-G *\n  g1\n  g2\n-- *\n-E\n--\nb *\nc @\n";
    RecordingPrompts prompts;
    EXPECT_EQ(MoveSelectedItems(tree, Find(tree, c.dest, c.destNth), c.asSubNode, prompts),
              MoveOutcome::NothingDone)
        << c.name;
    EXPECT_EQ(Outline(tree), before) << c.name;
    EXPECT_TRUE(prompts.told.empty()) << c.name;
  }
}

TEST(MoveSelectedItemsTest, NoDestinationTheFocusedOneOrNothingSelectedDoesNothing) {
  JumpTree tree = TreeFromOutline(kMoveTree);
  RecordingPrompts prompts;
  tree.SetFocused(Find(tree, "b"));
  Select(tree, {Find(tree, "a")});
  EXPECT_EQ(MoveSelectedItems(tree, std::nullopt, false, prompts), MoveOutcome::NothingDone);
  EXPECT_EQ(MoveSelectedItems(tree, Find(tree, "b"), false, prompts), MoveOutcome::NothingDone);
  // The focused group's own end marker.
  tree.SetFocused(Find(tree, "-G"));
  EXPECT_EQ(MoveSelectedItems(tree, Find(tree, "--"), false, prompts), MoveOutcome::NothingDone);
  // Nothing to move: the entry is not turned into a group for nothing.
  tree.ClearSelection();
  EXPECT_EQ(MoveSelectedItems(tree, Find(tree, "c"), true, prompts), MoveOutcome::NothingDone);
  EXPECT_EQ(Outline(tree), "a\n-G @\n  g1\n  g2\n--\n-E\n--\nb\nc\n");
}

TEST(MoveSelectedItemsTest, AsSubNodeOntoAnUnnamedEntryPlacesAfterIt) {
  JumpTree tree = TreeFromOutline("a\nb\n");
  NodeId unnamed = tree.Insert(Place::After(Find(tree, "a")), u"", NodeRecord{1, u"C:\\x"});
  Select(tree, {Find(tree, "a")});
  RecordingPrompts prompts;
  ASSERT_EQ(MoveSelectedItems(tree, unnamed, true, prompts), MoveOutcome::Moved);
  // "-" would be a separator, and its end marker would close the wrong group.
  EXPECT_EQ(Outline(tree, true), "\tC:\\x\na\t<> *\nb\t<>\n");
}

TEST(MoveSelectedItemsTest, DeepTreeAndManySelectedNodes) {
  constexpr int kDepth = 60000;
  JumpTree tree(test::CountingIds());
  NodeId first = tree.Insert(Place::LastChildOf(std::nullopt), u"first", std::nullopt);
  std::optional<NodeId> parent;
  for (int i = 0; i < kDepth; ++i) {
    NodeId head = tree.Insert(Place::LastChildOf(parent), u"-g", std::nullopt);
    tree.Insert(Place::After(head), u"--", std::nullopt);
    parent = head;
  }
  std::vector<NodeId> leaves;
  for (int i = 0; i < 5000; ++i)
    leaves.push_back(tree.Insert(Place::LastChildOf(parent), u"leaf", std::nullopt));
  for (NodeId leaf : leaves) tree.SetSelected(leaf, true);
  RecordingPrompts prompts;
  ASSERT_EQ(MoveSelectedItems(tree, first, false, prompts), MoveOutcome::Moved);
  NodeId node = first;
  for (NodeId leaf : leaves) {
    node = *tree.NextSibling(node);
    ASSERT_EQ(node, leaf);
    ASSERT_TRUE(tree.IsSelected(leaf));
  }
  EXPECT_FALSE(tree.HasChildren(*parent));
}

// ---------------------------------------------------------------------------
// InterConvertGroupAndNormalItem

TEST(InterConvertTest, GroupsBecomeEntriesAndEntriesGroups) {
  JumpTree tree = TreeFromOutline(
      "a\tC:\\a\n"
      "-G\tD:\\g\n"
      "  g1\n"
      "  -H\n"
      "    h\n"
      "  --\n"
      "  g2\n"
      "--\n");
  NodeId a = Find(tree, "a"), g = Find(tree, "-G");
  Select(tree, {a, Find(tree, "--", 1)});  // the group by its end marker
  tree.SetFocused(g);
  InterConvertGroupAndNormalItem(tree);
  // The group was the last of its level: its entries follow it in order.
  EXPECT_EQ(Outline(tree, true),
            "-a\tC:\\a *\n"
            "--\t<>\n"
            "G\tD:\\g * @\n"
            "g1\t<>\n"
            "-H\t<>\n"
            "  h\t<>\n"
            "--\t<>\n"
            "g2\t<>\n");
  EXPECT_EQ(tree.Text(a), u"-a");
  EXPECT_EQ(tree.Text(g), u"G");
  // And back again.
  InterConvertGroupAndNormalItem(tree);
  EXPECT_EQ(Outline(tree), "a *\n-G * @\n--\ng1\n-H\n  h\n--\ng2\n");
}

TEST(InterConvertTest, SeparatorsWithoutRecordAndUnnamedEntriesStayAsTheyAre) {
  JumpTree tree = TreeFromOutline("x\n");
  NodeId separator = tree.Insert(Place::LastChildOf(std::nullopt), u"-", std::nullopt);
  NodeId unnamed = tree.Insert(Place::LastChildOf(std::nullopt), u"", NodeRecord{5, u"C:\\u"});
  Select(tree, {separator, unnamed});
  tree.SetFocused(unnamed);
  InterConvertGroupAndNormalItem(tree);
  EXPECT_EQ(Outline(tree, true), "x\t<>\n- *\n\tC:\\u * @\n");
  EXPECT_EQ(tree.Record(separator), nullptr);
}

TEST(InterConvertTest, ConvertingTheOutermostOfSixtyThousandNestedGroups) {
  constexpr int kDepth = 60000;
  JumpTree tree(test::CountingIds());
  std::optional<NodeId> parent;
  NodeId top{};
  for (int i = 0; i < kDepth; ++i) {
    NodeId head = tree.Insert(Place::LastChildOf(parent), u"-g", NodeRecord{i, u"<>"});
    tree.Insert(Place::After(head), u"--", NodeRecord{-i, u"<>"});
    if (!parent) top = head;
    parent = head;
  }
  tree.SetSelected(top, true);
  InterConvertGroupAndNormalItem(tree);
  EXPECT_EQ(tree.Text(top), u"g");
  EXPECT_EQ(tree.Size(), 2u * kDepth - 1);
  EXPECT_EQ(tree.Text(*tree.NextSibling(top)), u"-g");
  EXPECT_FALSE(tree.HasChildren(top));
}

// ---------------------------------------------------------------------------
// AddNodeForPath

class FakeFileSystemFacts : public FileSystemFacts {
 public:
  std::map<std::u16string, std::u16string> files;  // path -> shortcut target ("" for none)
  std::vector<std::u16string> folders;
  bool IsExistingFile(std::u16string_view path) override {
    return files.count(std::u16string(path)) != 0;
  }
  bool IsExistingFolder(std::u16string_view path) override {
    return std::find(folders.begin(), folders.end(), path) != folders.end();
  }
  std::u16string ResolveShortcutTarget(std::u16string_view path) override {
    auto it = files.find(std::u16string(path));
    return it == files.end() ? std::u16string() : it->second;
  }
};

TEST(AddNodeForPathTest, PlaceRelativeToTheDestination) {
  constexpr const char* kTree = "a\tC:\\a\n-G\n  g1\n--\n-E\n--\n-\n";
  struct Case {
    const char* name;
    const char* dest;  // nullptr: none
    int destNth;
    bool asSubNode;
    const char* expected;
  } cases[] = {
      {"no destination: last root node", nullptr, 0, false,
       "a\n-G\n  g1\n--\n-E\n--\n-\nnew * @\n"},
      {"group head: after its end marker", "-G", 0, false, "a\n-G\n  g1\n--\nnew * @\n-E\n--\n-\n"},
      {"group head as sub node: first child", "-G", 0, true,
       "a\n-G\n  new * @\n  g1\n--\n-E\n--\n-\n"},
      {"end marker as sub node: last child", "--", 0, true,
       "a\n-G\n  g1\n  new * @\n--\n-E\n--\n-\n"},
      {"end marker of an empty group as sub node", "--", 1, true,
       "a\n-G\n  g1\n--\n-E\n  new * @\n--\n-\n"},
      {"end marker: after it", "--", 0, false, "a\n-G\n  g1\n--\nnew * @\n-E\n--\n-\n"},
      {"separator as sub node: after it", "-", 0, true, "a\n-G\n  g1\n--\n-E\n--\n-\nnew * @\n"},
      {"normal item: after it", "a", 0, false, "a\nnew * @\n-G\n  g1\n--\n-E\n--\n-\n"},
      {"normal item as sub node: it becomes a group", "a", 0, true,
       "-a\n  new * @\n--\n-G\n  g1\n--\n-E\n--\n-\n"},
  };
  for (const Case& c : cases) {
    JumpTree tree = TreeFromOutline(kTree);
    Select(tree, {Find(tree, "g1")});
    FakeFileSystemFacts facts;
    std::optional<NodeId> dest;
    if (c.dest) dest = Find(tree, c.dest, c.destNth);
    NodeId node = AddNodeForPath(tree, dest, c.asSubNode, u"new", u"C:\\new", facts, {});
    EXPECT_EQ(Outline(tree), c.expected) << c.name;
    EXPECT_EQ(tree.PathInfo(node), u"C:\\new") << c.name;
    if (c.dest && c.asSubNode && std::string(c.dest) == "a") {
      EXPECT_EQ(tree.PathInfo(Find(tree, "-a")), u"<>");
    }
  }
}

TEST(AddNodeForPathTest, CaptionAndPathFromTheGivenPath) {
  FakeFileSystemFacts facts;
  facts.files = {{u"C:\\docs\\report.final.txt", u""},
                 {u"C:\\links\\Tools.lnk", u"D:\\Tools"},
                 {u"C:\\links\\Broken.LNK", u""}};
  facts.folders = {u"C:\\Music"};
  struct Case {
    const char* text;
    const char* path;
    const char* caption;
    const char* pathInfo;
  } cases[] = {
      {"", "C:\\docs\\report.final.txt", "report.final", "C:\\docs\\report.final.txt"},
      {"", "C:\\Music", "Music", "C:\\Music"},
      {"", "C:\\links\\Tools.lnk", "Tools", "D:\\Tools"},
      {"", "C:\\links\\Broken.LNK", "Broken", "C:\\links\\Broken.LNK"},
      {"", "C:\\gone\\old.txt", "old.txt", ""},  // a missing path is not taken
      {"Given", "C:\\gone\\old.txt", "Given", "C:\\gone\\old.txt"},
      {"Lines\r\nbroken", "C:\\a\r\nC:\\b", "Linesbroken", "C:\\a | C:\\b"},
      {"--Dashes", "C:\\x", "Dashes", "C:\\x"},  // would be a group head without end marker
      {"-", "C:\\x", "-", "<>"},                 // a separator
      {"", "", "", ""},
  };
  for (const Case& c : cases) {
    JumpTree tree(test::CountingIds());
    NodeId node = AddNodeForPath(tree, std::nullopt, false, U(c.text), U(c.path), facts, {});
    EXPECT_EQ(U8(tree.Text(node)), c.caption) << c.path;
    EXPECT_EQ(U8(tree.PathInfo(node)), c.pathInfo) << c.path;
    EXPECT_EQ(tree.Record(node)->customId, 1001) << c.path;
  }
}

TEST(AddNodeForPathTest, AcceleratorTransformAndDuplicates) {
  JumpTree tree = TreeFromOutline("-G\n  Data\tC:\\Data\\\n--\n");
  FakeFileSystemFacts facts;
  facts.folders = {u"c:\\data"};
  RecordingPrompts prompts;
  AddNodeOptions options;
  options.addAcceleratorKey = [](std::u16string_view caption) {
    return std::u16string(caption) + u"[&K]";
  };
  options.forbidDuplicatePaths = true;
  options.prompts = &prompts;
  NodeId node = AddNodeForPath(tree, std::nullopt, false, u"", u"c:\\data", facts, options);
  EXPECT_EQ(tree.Text(node), u"data[&K]");
  EXPECT_EQ(tree.PathInfo(node), u"");  // the path another entry holds is not given
  ASSERT_EQ(prompts.told.size(), 1u);
  EXPECT_EQ(prompts.told[0].caption, "路径重复");
  // Without a window to show it in, the path is still refused, silently.
  options.prompts = nullptr;
  NodeId quiet = AddNodeForPath(tree, std::nullopt, false, u"x", u"C:\\DATA", facts, options);
  EXPECT_EQ(tree.PathInfo(quiet), u"");
  EXPECT_EQ(prompts.told.size(), 1u);
  // Allowed when not forbidden; a separator never gets an accelerator.
  options.forbidDuplicatePaths = false;
  EXPECT_EQ(
      tree.PathInfo(AddNodeForPath(tree, std::nullopt, false, u"y", u"C:\\Data", facts, options)),
      u"C:\\Data");
  EXPECT_EQ(tree.Text(AddNodeForPath(tree, std::nullopt, false, u"-", u"<>", facts, options)),
            u"-");
}

}  // namespace
}  // namespace pathorama::editor
