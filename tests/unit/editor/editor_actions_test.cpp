#include "editor/editor_actions.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "editor/tree_conversions.h"
#include "unit/editor/tree_outline.h"

namespace pathorama::editor {
namespace {

using test::Find;
using test::Outline;
using test::Select;
using test::TreeFromOutline;
using test::U;
using test::U8;

// The tree as the settings file would hold it: "menu" or "menu=path" per
// line, in the stored order.
std::string Lines(const JumpTree& tree) {
  std::string out;
  for (const StoredLine& line : StoredLinesOfTree(tree)) {
    out += U8(line.menu);
    if (line.path) out += "=" + U8(*line.path);
    out += "\n";
  }
  return out;
}

std::vector<std::string> Texts(const JumpTree& tree, const std::vector<NodeId>& nodes) {
  std::vector<std::string> out;
  for (NodeId node : nodes) out.push_back(U8(tree.Text(node)));
  return out;
}

// Every group head is directly followed by its end marker and every end
// marker directly follows a group head.
void ExpectGroupsPaired(const JumpTree& tree, const std::string& name) {
  for (NodeId node : tree.NodesInOrder()) {
    if (tree.Kind(node) == NodeKind::GroupHead) {
      auto next = tree.NextSibling(node);
      EXPECT_TRUE(next && tree.Kind(*next) == NodeKind::EndMarker)
          << name << ": " << U8(tree.Text(node)) << " has no end marker";
    } else if (tree.Kind(node) == NodeKind::EndMarker) {
      auto prev = tree.PrevSibling(node);
      EXPECT_TRUE(prev && tree.Kind(*prev) == NodeKind::GroupHead) << name << ": stray end marker";
    }
  }
}

// Nothing on disk: the adds of typed titles never ask, and when they do the
// answer must not matter.
class NoFiles : public FileSystemFacts {
 public:
  bool IsExistingFile(std::u16string_view) override { return false; }
  bool IsExistingFolder(std::u16string_view) override { return false; }
  std::u16string ResolveShortcutTarget(std::u16string_view) override { return {}; }
};

class RecordingPrompts : public core::UserPrompts {
 public:
  std::vector<std::string> told;
  void Tell(std::u16string_view text, std::u16string_view, core::PromptIcon) override {
    told.push_back(U8(text));
  }
  bool AskYesNo(std::u16string_view, std::u16string_view, core::PromptIcon) override {
    ADD_FAILURE() << "no question expected";
    return false;
  }
};

EditorOptions NoAccelerators() {
  EditorOptions options;
  options.autoAcceleratorKey = false;
  return options;
}

// ---------------------------------------------------------------------------
// Titles

TEST(SplitTitlesTest, TrimmedSplitShortenedEmptyOnesDropped) {
  struct Case {
    const char* answer;
    int32_t limit;
    std::vector<std::string> titles;
  } cases[] = {
      {" | A |  B  | ", 0, {"A", "B"}},
      {"A||B", 0, {"A", "B"}},
      {" | |  ", 0, {}},
      {" - ", 0, {"-"}},
      {"Documents archive|ab", 8, {"Docum...", "ab"}},
      {"Documents archive", 0, {"Documents archive"}},  // 0: no limit
      {"Documents archive(&D)", 10, {"Docu...(&D)"}},   // the accelerator survives the cut
  };
  for (const Case& c : cases) {
    std::vector<std::string> titles;
    for (const std::u16string& t : SplitTitles(U(c.answer), c.limit)) titles.push_back(U8(t));
    EXPECT_EQ(titles, c.titles) << c.answer;
  }
}

// ---------------------------------------------------------------------------
// "添加同级条目"

constexpr const char* kSmallTree =
    "a\tC:\\a\n"
    "-G\n"
    "  g1\tC:\\g1\n"
    "--\n"
    "b\tC:\\b\n";

TEST(AddItemsTest, TitlesLandInTypedOrderNextToTheFocusedNode) {
  struct Case {
    const char* name;
    const char* focused;  // "" for none
    const char* answer;
    std::vector<std::string> added;
    const char* lines;
  } cases[] = {
      {"A|-|B after a normal item: an item, a separator, an item",
       "a",
       "A|-|B",
       {"A", "-", "B"},
       "a=C:\\a\nA=\n-\nB=\n-G\ng1=C:\\g1\n--\nb=C:\\b\n"},
      {"after a group: behind its end marker",
       "-G",
       "x|y",
       {"x", "y"},
       "a=C:\\a\n-G\ng1=C:\\g1\n--\nx=\ny=\nb=C:\\b\n"},
      {"after an end marker", "--", "x", {"x"}, "a=C:\\a\n-G\ng1=C:\\g1\n--\nx=\nb=C:\\b\n"},
      {"without a focused node: at the end of the root level, in order",
       "",
       "x|y",
       {"x", "y"},
       "a=C:\\a\n-G\ng1=C:\\g1\n--\nb=C:\\b\nx=\ny=\n"},
      {"leading dashes and spaces go; a title of dashes or blanks adds nothing",
       "b",
       "--x| - y|---| \t |\r\n",
       {"x", "y"},
       "a=C:\\a\n-G\ng1=C:\\g1\n--\nb=C:\\b\nx=\ny=\n"},
  };
  for (const Case& c : cases) {
    JumpTree tree = TreeFromOutline(kSmallTree);
    if (*c.focused) tree.SelectOnly(Find(tree, c.focused));
    NoFiles files;
    const std::vector<NodeId> added = AddItems(tree, U(c.answer), NoAccelerators(), files, {});
    EXPECT_EQ(Texts(tree, added), c.added) << c.name;
    EXPECT_EQ(Lines(tree), c.lines) << c.name;
    ExpectGroupsPaired(tree, c.name);
  }
}

TEST(AddItemsTest, AcceleratorsAndTheCaptionLimitFollowTheOptions) {
  JumpTree tree = TreeFromOutline("a\n");
  tree.SelectOnly(Find(tree, "a"));
  EditorOptions options;  // accelerators on
  options.captionMaxLength = 8;
  NoFiles files;
  AddItems(tree, U("文档|Documents archive|-|123"), options, files, {});
  EXPECT_EQ(Lines(tree), "a\n文档[&W]=\nDocum...[&D]=\n-\n123=\n");
}

// ---------------------------------------------------------------------------
// "添加子条目"

TEST(AddSubItemsTest, TitlesGoIntoTheFocusedNodeInTypedOrder) {
  struct Case {
    const char* name;
    const char* focused;
    const char* answer;
    const char* outline;
  } cases[] = {
      {"into a group: at the front", "-G", "x|-|y",
       "a\tC:\\a\n-G\t<>\n  x\t\n  -\t<>\n  y\t\n  g1\tC:\\g1\n--\t<>\nb\tC:\\b\n"},
      {"on its end marker: at the end of the group", "--", "x|y",
       "a\tC:\\a\n-G\t<>\n  g1\tC:\\g1\n  x\t\n  y\t\n--\t<>\nb\tC:\\b\n"},
      {"a normal item becomes a group and loses its path", "b", "x|y",
       "a\tC:\\a\n-G\t<>\n  g1\tC:\\g1\n--\t<>\n-b\t<>\n  x\t\n  y\t\n--\t<>\n"},
  };
  for (const Case& c : cases) {
    JumpTree tree = TreeFromOutline(kSmallTree);
    tree.SelectOnly(Find(tree, c.focused));
    NoFiles files;
    AddSubItems(tree, U(c.answer), NoAccelerators(), files, {});
    tree.ClearSelection();
    tree.SetFocused(std::nullopt);
    EXPECT_EQ(Outline(tree, true), c.outline) << c.name;
    ExpectGroupsPaired(tree, c.name);
  }
}

TEST(AddSubItemsTest, WithoutAFocusedNodeNothingIsAdded) {
  JumpTree tree = TreeFromOutline(kSmallTree);
  NoFiles files;
  EXPECT_TRUE(AddSubItems(tree, u"x", NoAccelerators(), files, {}).empty());
  EXPECT_EQ(tree.Size(), 5u);
}

// ---------------------------------------------------------------------------
// "添加分组"

TEST(AddGroupsTest, EachGroupGetsItsEndMarkerAndFollowsThePrevious) {
  struct Case {
    const char* name;
    const char* focused;  // "" for none
    bool expandG;
    const char* answer;
    const char* outline;
  } cases[] = {
      {"after a normal item, the second after the first's end marker", "a", false, "A|B",
       "a\n-A\n--\n-B *\n--\n-G\n  g1\n--\nb\n"},
      {"into an expanded group: first child", "-G", true, "A",
       "a\n-G\n  -A *\n  --\n  g1\n--\nb\n"},
      {"a collapsed group with children: after its end marker", "-G", false, "A",
       "a\n-G\n  g1\n--\n-A *\n--\nb\n"},
      {"without a focused node: at the end", "", false, "A|B",
       "a\n-G\n  g1\n--\nb\n-A\n--\n-B *\n--\n"},
      {"leading dashes go; blank and dash-only titles are skipped", "b", false, "--X| |---|\r\n|\t",
       "a\n-G\n  g1\n--\nb\n-X *\n--\n"},
  };
  for (const Case& c : cases) {
    JumpTree tree = TreeFromOutline("a\n-G\n  g1\n--\nb\n");
    tree.SetExpanded(Find(tree, "-G"), c.expandG);
    if (*c.focused) tree.SelectOnly(Find(tree, c.focused));
    tree.ClearSelection();
    AddGroups(tree, U(c.answer), NoAccelerators());
    std::string outline = Outline(tree);
    // Only the focus mark is dropped: the last group must be the only
    // selected node.
    std::string expected = c.outline;
    size_t at = outline.find(" @");
    ASSERT_NE(at, std::string::npos) << c.name;
    outline.erase(at, 2);
    EXPECT_EQ(outline, expected) << c.name;
    ExpectGroupsPaired(tree, c.name);
  }
}

TEST(AddGroupsTest, HeadAndEndMarkerCarryNoPathAndAcceleratorsFollowTheOption) {
  JumpTree tree = TreeFromOutline("");
  std::vector<NodeId> heads = AddGroups(tree, u"工作|Docs", EditorOptions{});
  EXPECT_EQ(Texts(tree, heads), (std::vector<std::string>{"-工作[&G]", "-Docs[&D]"}));
  EXPECT_EQ(Lines(tree), "-工作[&G]\n--\n-Docs[&D]\n--\n");
  for (NodeId node : tree.NodesInOrder()) EXPECT_EQ(tree.PathInfo(node), u"<>");
  EXPECT_TRUE(AddGroups(tree, u" - | \r ", EditorOptions{}).empty());
  EXPECT_EQ(tree.Size(), 4u);
}

// ---------------------------------------------------------------------------
// Renaming

TEST(RenameTest, PrefillWithoutDashesAndShortened) {
  EXPECT_EQ(RenamePrefill(u"-Work[&W]", 0), u"Work[&W]");
  EXPECT_EQ(RenamePrefill(u"Documents archive", 8), u"Docum...");
  EXPECT_EQ(RenamePrefill(u"--", 0), u"");
}

TEST(RenameTest, NewTextKeepsTheKindAndNeverAnEmptyCaption) {
  struct Case {
    const char* node;
    const char* answer;
    bool accelerators;
    std::optional<std::string> text;
  } cases[] = {
      {"Old", "  New  ", false, "New"},
      {"Old", " -- New", false, "New"},
      {"-Group", "New", false, "-New"},
      {"-Group", "--New", false, "-New"},
      {"Old", "工作", true, "工作[&G]"},
      {"-Group", "Docs", true, "-Docs[&D]"},
      {"Old", "123", true, "123"},  // nothing to make a key from
      // Nothing that would leave an empty caption or another kind of node.
      {"Old", "", false, std::nullopt},
      {"Old", "   ", false, std::nullopt},
      {"Old", "---", false, std::nullopt},
      {"-Group", "-", false, std::nullopt},
      {"-Group", "\r\n", false, std::nullopt},
      {"Old", "- \t", false, std::nullopt},
      {"Old", "\t", true, std::nullopt},
      // Only entries and group heads are renamed.
      {"--", "New", false, std::nullopt},
      {"-", "New", false, std::nullopt},
  };
  for (const Case& c : cases) {
    EditorOptions options;
    options.autoAcceleratorKey = c.accelerators;
    auto text = RenamedText(U(c.node), U(c.answer), options);
    std::optional<std::string> got;
    if (text) got = U8(*text);
    EXPECT_EQ(got, c.text) << c.node << " <- [" << c.answer << "]";
  }
}

// ---------------------------------------------------------------------------
// "启用/禁用已选条目"

TEST(ToggleEnabledTest, SelectedEntriesAndGroupsFlipTheirMark) {
  JumpTree tree = TreeFromOutline(
      "on\tC:\\a\n"
      "off\t / /C:\\b\n"
      "-G\n"
      "  inner\tC:\\c\n"
      "--\n"
      "-\n"
      "untouched\tC:\\d\n");
  Select(tree, {Find(tree, "on"), Find(tree, "off"), Find(tree, "--"), Find(tree, "-")});
  tree.SetFocused(Find(tree, "untouched"));
  ASSERT_TRUE(ToggleEnabledOfSelection(tree));
  // The end marker brought its group along (the group's entries stay as
  // they are); separators and end markers keep "<>".
  EXPECT_EQ(Outline(tree, true),
            "on\t/C:\\a *\n"
            "off\tC:\\b *\n"
            "-G\t/<> * @\n"
            "  inner\tC:\\c\n"
            "--\t<> *\n"
            "-\t<> *\n"
            "untouched\tC:\\d\n");
  ASSERT_TRUE(ToggleEnabledOfSelection(tree));
  EXPECT_EQ(tree.PathInfo(Find(tree, "on")), u"C:\\a");
  EXPECT_EQ(tree.PathInfo(Find(tree, "-G")), u"<>");
}

TEST(ToggleEnabledTest, NothingWithoutFocusOrWithoutEntries) {
  JumpTree tree = TreeFromOutline("a\tC:\\a\n-\n");
  Select(tree, {Find(tree, "a")});
  EXPECT_FALSE(ToggleEnabledOfSelection(tree));
  EXPECT_EQ(tree.PathInfo(Find(tree, "a")), u"C:\\a");
  Select(tree, {Find(tree, "-")});
  tree.SetFocused(Find(tree, "a"));
  EXPECT_FALSE(ToggleEnabledOfSelection(tree));
  EXPECT_EQ(tree.Focused(), Find(tree, "a"));
}

// ---------------------------------------------------------------------------
// "删除已选条目"

TEST(DeleteSelectionTest, GroupsGoWholeWhicheverPartIsSelected) {
  struct Case {
    const char* name;
    std::vector<std::pair<const char*, int>> selected;
    bool hasEndMarker;
    const char* lines;
  } cases[] = {
      {"only an end marker: the whole group", {{"--", 0}}, true, "a\n-H\n--\nb\n"},
      {"only a group head: with its entries and end marker", {{"-G", 0}}, false, "a\n-H\n--\nb\n"},
      {"an inner entry and its group", {{"g1", 0}, {"-G", 0}}, false, "a\n-H\n--\nb\n"},
      {"entries at two levels", {{"a", 0}, {"g2", 0}}, false, "-G\ng1\n--\n-H\n--\nb\n"},
      {"the end marker of an empty group", {{"--", 1}}, true, "a\n-G\ng1\ng2\n--\nb\n"},
  };
  for (const Case& c : cases) {
    JumpTree tree = TreeFromOutline("a\n-G\n  g1\n  g2\n--\n-H\n--\nb\n");
    tree.ClearSelection();
    for (auto [text, nth] : c.selected) tree.SetSelected(Find(tree, text, nth), true);
    EXPECT_EQ(SelectionHasEndMarker(tree), c.hasEndMarker) << c.name;
    DeleteSelection(tree);
    std::string lines;
    for (const StoredLine& line : StoredLinesOfTree(tree)) lines += U8(line.menu) + "\n";
    EXPECT_EQ(lines, c.lines) << c.name;
    ExpectGroupsPaired(tree, c.name);
  }
}

// ---------------------------------------------------------------------------
// "删除本地路径不存在的条目"

class FakeExistence : public PathExistence {
 public:
  std::set<std::u16string> folders{u"C:\\Exists", u"C:\\", u"\\\\server\\share\\there"};
  std::set<std::u16string> files{u"C:\\file.txt"};
  std::set<std::u16string> unreachable{u"x:\\", u"\\\\offline\\share"};
  std::map<std::u16string, int> rootsAsked;
  std::vector<std::u16string> pathsAsked;

  bool IsExistingFolder(std::u16string_view path) override {
    pathsAsked.emplace_back(path);
    return folders.count(std::u16string(path)) > 0;
  }
  bool IsExistingFile(std::u16string_view path) override {
    return files.count(std::u16string(path)) > 0;
  }
  bool IsReachable(std::u16string_view root) override {
    ++rootsAsked[std::u16string(root)];
    return unreachable.count(core::ToLower(root)) == 0;
  }
};

std::u16string FakeExpand(std::u16string_view text) {
  std::u16string out = core::ReplaceAllText(text, u"{Empty}", u"");
  return core::ReplaceAllText(out, u"{Year}", u"2026");
}

TEST(DeleteItemsWithMissingLocalPathsTest, OnlyWhatIsKnownToBeMissingGoes) {
  struct Case {
    const char* pathInfo;
    bool deleted;
  } cases[] = {
      {"C:\\Exists", false},
      {"C:\\Exists\\", false},
      {"C:\\file.txt", false},
      {"C:\\Missing", true},
      {"<LocalPath>C:\\Missing", true},
      {"C:\\Missing|C:\\Exists", false},
      {"C:\\(Missing|Exists)", false},
      {"C:\\(Missing|Gone)", true},
      {"C:", false},  // a drive root is a folder
      {"/C:\\Missing", true},
      {"/C:\\Exists", false},
      // Other types, as an entry's activation decides them, stay.
      {"<Url>C:\\Missing", false},
      {"<RegPath>HKCU\\Missing", false},
      {"<SharedFolder>server\\gone", false},
      {"<NetworkMappingFolder>Z:\\gone", false},
      {"http://example.com", false},
      {"C:\\Missing|<Url>example.com", false},
      {"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}", false},
      // No path at all.
      {"", true},
      {"<LocalPath>", true},
      {" / ", true},
      // Variables: a piece that expands to nothing or keeps a brace says
      // nothing about the disk.
      {"*C:\\Missing{Year}", true},
      {"*C:\\Ex{Empty}ists", false},
      {"*{Empty}", false},
      {"*C:\\{Unknown}", false},
      // Unreachable drives and shares, and paths relative to a folder the
      // editor does not know of.
      {"X:\\Gone", false},
      {"\\\\offline\\share\\gone", false},
      {"\\\\server\\share\\gone", true},
      {"\\\\server\\share\\there", false},
      {"Tools\\gone", false},
  };
  for (const Case& c : cases) {
    JumpTree tree = TreeFromOutline("-G\n  item\t\n--\n-\n");
    tree.SetPathInfo(Find(tree, "item"), U(c.pathInfo));
    FakeExistence facts;
    EXPECT_EQ(DeleteItemsWithMissingLocalPaths(tree, true, FakeExpand, facts), c.deleted ? 1 : 0)
        << c.pathInfo;
    // Groups, end markers and separators are never deleted.
    EXPECT_EQ(tree.Size(), c.deleted ? 3u : 4u) << c.pathInfo;
  }
}

TEST(DeleteItemsWithMissingLocalPathsTest, WebAddressesAreRecognisedOnlyWhenAsked) {
  // Without recognition "www.example.com" is a relative local path, which
  // the editor cannot find: it is kept either way, and never asked about.
  for (bool recognize : {true, false}) {
    JumpTree tree = TreeFromOutline("web\twww.example.com\n");
    FakeExistence facts;
    EXPECT_EQ(DeleteItemsWithMissingLocalPaths(tree, recognize, FakeExpand, facts), 0);
    EXPECT_TRUE(facts.pathsAsked.empty());
  }
}

TEST(DeleteItemsWithMissingLocalPathsTest, EachRootIsAskedOncePerCommand) {
  JumpTree tree = TreeFromOutline(
      "a\tC:\\Missing1\n"
      "b\tc:\\Missing2|X:\\one\n"
      "c\tx:\\two\n"
      "d\t\\\\Offline\\Share\\three|\\\\offline\\share\\four\n"
      "e\tC:\\Exists\n");
  FakeExistence facts;
  EXPECT_EQ(DeleteItemsWithMissingLocalPaths(tree, false, FakeExpand, facts), 1);
  EXPECT_EQ(Lines(tree),
            "b=c:\\Missing2|X:\\one\nc=x:\\two\n"
            "d=\\\\Offline\\Share\\three|\\\\offline\\share\\four\ne=C:\\Exists\n");
  for (const auto& [root, count] : facts.rootsAsked) EXPECT_EQ(count, 1) << U8(root);
  EXPECT_EQ(facts.rootsAsked.size(), 3u);
  // Nothing on an unreachable root is looked up.
  for (const std::u16string& path : facts.pathsAsked)
    EXPECT_FALSE(core::StartsWithIgnoreCase(path, u"X:") ||
                 core::StartsWithIgnoreCase(path, u"\\\\offline"))
        << U8(path);
}

// ---------------------------------------------------------------------------
// "删除未关联路径或网址的条目"

TEST(DeleteItemsWithoutPathTest, EntriesWithEmptyPathInfoGo) {
  JumpTree tree = TreeFromOutline(
      "none\t\n"
      "-G\n"
      "  inner\t\n"
      "  kept\tC:\\x\n"
      "--\n"
      "-Empty\t\n"
      "--\n"
      "-\n"
      "marked\t/\n"
      "carrier\t\n"  // an entry that carries others (a damaged list) stays with them
      "  child\tC:\\y\n");
  EXPECT_EQ(DeleteItemsWithoutPath(tree), 2);
  EXPECT_EQ(Lines(tree), "-G\nkept=C:\\x\n--\n-Empty=\n--\n-\nmarked=/\ncarrier=\nchild=C:\\y\n");
}

// ---------------------------------------------------------------------------
// The four moves

constexpr const char* kMoveTree =
    "a\n"
    "-G\n"
    "  g1\n"
    "  g2\n"
    "  g3\n"
    "--\n"
    "b\n"
    "c\n";

TEST(MoveSelectionTest, SelectionGoesToTheEndsOfTheTreeOrItsLevel) {
  struct Case {
    const char* name;
    SelectionMove move;
    std::vector<const char*> selected;
    const char* focused;
    const char* outline;
  } cases[] = {
      {"to the top, in former order",
       SelectionMove::ToTop,
       {"c", "g2"},
       "c",
       "g2 *\nc * @\na\n-G\n  g1\n  g3\n--\nb\n"},
      {"to the bottom, a group whole",
       SelectionMove::ToBottom,
       {"--", "a"},
       "a",
       "b\nc\na * @\n-G *\n  g1\n  g2\n  g3\n-- *\n"},
      {"to the top of the level",
       SelectionMove::ToTopOfLevel,
       {"g3", "g2"},
       "g3",
       "a\n-G\n  g2 *\n  g3 * @\n  g1\n--\nb\nc\n"},
      {"to the bottom of the level",
       SelectionMove::ToBottomOfLevel,
       {"g1"},
       "g1",
       "a\n-G\n  g2\n  g3\n  g1 * @\n--\nb\nc\n"},
      {"a root level move of a group",
       SelectionMove::ToBottomOfLevel,
       {"-G"},
       "-G",
       "a\nb\nc\n-G * @\n  g1\n  g2\n  g3\n-- *\n"},
  };
  for (const Case& c : cases) {
    JumpTree tree = TreeFromOutline(kMoveTree);
    tree.SetExpanded(Find(tree, "-G"), true);
    tree.ClearSelection();
    for (const char* text : c.selected) tree.SetSelected(Find(tree, text), true);
    tree.SetFocused(Find(tree, c.focused));
    RecordingPrompts prompts;
    EXPECT_EQ(MoveSelection(tree, c.move, prompts), SelectionMoveResult::Moved) << c.name;
    EXPECT_EQ(Outline(tree), c.outline) << c.name;
    EXPECT_TRUE(prompts.told.empty()) << c.name;
  }
}

TEST(MoveSelectionTest, RefusalsAndNoOpsLeaveNoTemporaryNode) {
  struct Case {
    const char* name;
    SelectionMove move;
    std::vector<const char*> selected;
    const char* focused;  // "" for none
    SelectionMoveResult result;
  } cases[] = {
      {"level move across levels",
       SelectionMove::ToTopOfLevel,
       {"g1", "b"},
       "g1",
       SelectionMoveResult::NotOneLevel},
      {"level move of nodes beside an unselected focus elsewhere",
       SelectionMove::ToBottomOfLevel,
       {"g1"},
       "a",
       SelectionMoveResult::NotOneLevel},
      {"nothing selected", SelectionMove::ToTop, {}, "b", SelectionMoveResult::NothingDone},
      {"nothing selected, level",
       SelectionMove::ToBottomOfLevel,
       {},
       "g2",
       SelectionMoveResult::NothingDone},
      {"no focused node", SelectionMove::ToBottom, {"a"}, "", SelectionMoveResult::NothingDone},
  };
  for (const Case& c : cases) {
    JumpTree tree = TreeFromOutline(kMoveTree);
    tree.SetExpanded(Find(tree, "-G"), true);
    tree.ClearSelection();
    for (const char* text : c.selected) tree.SetSelected(Find(tree, text), true);
    if (*c.focused) tree.SetFocused(Find(tree, c.focused));
    const std::string before = Outline(tree);
    RecordingPrompts prompts;
    EXPECT_EQ(MoveSelection(tree, c.move, prompts), c.result) << c.name;
    EXPECT_EQ(Outline(tree), before) << c.name;
    EXPECT_EQ(tree.Size(), 8u) << c.name;
  }
}

TEST(MoveSelectionTest, NotOneLevelMessages) {
  EXPECT_EQ(NotOneLevelMessage(SelectionMove::ToTopOfLevel),
            u"当前选中的条目并不全在同一层级，无法上移到本级顶部");
  EXPECT_EQ(NotOneLevelMessage(SelectionMove::ToBottomOfLevel),
            u"当前选中的条目并不全在同一层级，无法下移到本级底部");
  EXPECT_EQ(kCannotMoveCaption, u"无法移动条目");
}

// ---------------------------------------------------------------------------
// F4 and F6

TEST(AcceleratorKeysOfSelectionTest, OnlyCaptionsWithLettersOrChineseChange) {
  JumpTree tree = TreeFromOutline(
      "Docs\n"
      "工作\n"
      "123\n"
      "-Group\n"
      "  inner\n"
      "--\n"
      "-\n"
      "-[&W]\n"
      "--\n"
      "R&D\n"
      "other\n");
  tree.ClearSelection();
  for (NodeId node : tree.NodesInOrder())
    if (tree.Text(node) != u"other" && tree.Text(node) != u"inner") tree.SetSelected(node, true);
  ASSERT_TRUE(AddAcceleratorKeysToSelection(tree));
  EXPECT_EQ(Lines(tree),
            "Docs[&D]\n工作[&G]\n123\n-Group[&G]\ninner\n--\n-\n-[&W]\n--\nR&D\nother\n");
  EXPECT_FALSE(AddAcceleratorKeysToSelection(tree));  // all have keys now

  ASSERT_TRUE(RemoveAcceleratorKeysFromSelection(tree));
  // "-[&W]" would become the separator "-": it keeps its key.
  EXPECT_EQ(Lines(tree), "Docs\n工作\n123\n-Group\ninner\n--\n-\n-[&W]\n--\nRD\nother\n");
  ExpectGroupsPaired(tree, "F4/F6");
}

// ---------------------------------------------------------------------------
// Drawing

TEST(StyleOfNodeTest, EveryKindOfNode) {
  using C = NodeColour;
  struct Case {
    const char* text;
    const char* pathInfo;  // nullptr: the node has no record
    bool expanded;
    NodeStyle style;
  } cases[] = {
      {"item", "C:\\x", false, {false, false, C::Black}},
      {"item", "/C:\\x", false, {false, true, C::Black}},
      {"item", "C:\\x|D:\\y", false, {true, false, C::Black}},
      {"item", "*C:\\{Year}", false, {false, false, C::Blue}},
      {"item", "", false, {false, false, C::Red}},
      {"item", " /* ", false, {false, true, C::Red}},
      {"item", "<LocalPath>", false, {false, false, C::Red}},
      {"item", " <Url> ", false, {false, false, C::Red}},
      {"item", "<Other>", false, {false, false, C::Black}},  // not a type: a path
      {"item", "/<Url>", false, {false, true, C::Red}},
      {"item", nullptr, false, {false, false, C::Red}},
      {"-Group", "<>", true, {true, false, C::Black}},
      {"-Group", "<>", false, {true, false, C::Fuchsia}},
      {"-Group", "/<>", true, {true, true, C::Black}},
      {"--", "<>", false, {false, false, C::Gray}},
      {"-", "<>", false, {false, false, C::Default}},
      {"-", nullptr, false, {false, false, C::Default}},
  };
  for (const Case& c : cases) {
    JumpTree tree(test::CountingIds());
    std::optional<NodeRecord> record;
    if (c.pathInfo) record = NodeRecord{1, U(c.pathInfo)};
    NodeId node = tree.Insert(Place::LastChildOf(std::nullopt), U(c.text), record);
    tree.SetExpanded(node, c.expanded);
    const NodeStyle style = StyleOfNode(tree, node);
    EXPECT_EQ(style, c.style) << c.text << " " << (c.pathInfo ? c.pathInfo : "(no record)")
                              << ": bold " << style.bold << " strike " << style.strikeOut
                              << " colour " << static_cast<int>(style.colour);
  }
}

// ---------------------------------------------------------------------------
// Tree hint

TEST(PathHintOfNodeTest, TrimmedExpandedBarsShownFullWidth) {
  struct Case {
    const char* pathInfo;  // nullptr: no record
    std::optional<std::string> hint;
  } cases[] = {
      {"  C:\\a | D:\\b  ", "C:\\a ｜ D:\\b"},
      {"* *D:\\{Year}|E:\\{Year}", "D:\\2026｜E:\\2026"},
      {"D:\\{Year}", "D:\\{Year}"},  // no mark: not expanded
      {"/*D:\\{Year}", "/*D:\\{Year}"},
      {"<>", std::nullopt},
      {" <> ", std::nullopt},
      {"", std::nullopt},
      {nullptr, std::nullopt},
  };
  for (const Case& c : cases) {
    JumpTree tree(test::CountingIds());
    std::optional<NodeRecord> record;
    if (c.pathInfo) record = NodeRecord{1, U(c.pathInfo)};
    NodeId node = tree.Insert(Place::LastChildOf(std::nullopt), u"item", record);
    auto hint = PathHintOfNode(tree, node, FakeExpand);
    std::optional<std::string> got;
    if (hint) got = U8(*hint);
    EXPECT_EQ(got, c.hint) << (c.pathInfo ? c.pathInfo : "(no record)");
  }
}

}  // namespace
}  // namespace pathorama::editor
