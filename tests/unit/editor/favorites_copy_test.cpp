#include "editor/favorites_copy.h"

#include <gtest/gtest.h>

#include "unit/editor/tree_outline.h"

namespace pathorama::editor {
namespace {

using test::Find;
using test::Outline;
using test::Select;
using test::TreeFromOutline;
using test::U8;

// The dialog's tree: a group with entries and an empty group among entries.
constexpr const char* kSource =
    "s1\tS:\\1\n"
    "-SG\n"
    "  g1\tS:\\g1\n"
    "  g2\tS:\\g2\n"
    "--\n"
    "-Empty\n"
    "--\n"
    "s2\tS:\\2\n";

// The editor's tree.
constexpr const char* kTarget =
    "a\tT:\\a\n"
    "-TG\n"
    "  t1\tT:\\t1\n"
    "--\n"
    "b\tT:\\b\n";

BaseEntry BaseOf(const JumpTree& tree, const char* text) {
  const NodeId node = Find(tree, text);
  const std::u16string caption =
      tree.Kind(node) == NodeKind::GroupHead ? tree.Text(node).substr(1) : tree.Text(node);
  return BaseEntry{tree.Record(node)->customId, caption};
}

// The outline without the marks of selection and focus.
std::string Plain(const JumpTree& tree) {
  std::string out = Outline(tree, true);
  for (const char* mark : {" * @", " *", " @"})
    for (size_t at; (at = out.find(mark)) != std::string::npos;)
      out.erase(at, std::string(mark).size());
  return out;
}

struct CopyCase {
  const char* name;
  std::vector<const char*> selected;  // in the source; the first is focused
  CopyPosition position;
  const char* base;  // in the target
  const char* expected;
};

TEST(CopySelectedNodes, EveryPositionKeepsTheOrderAndTheGroups) {
  const CopyCase cases[] = {
      {"after an entry: a group with its subtree and end marker, then an entry",
       {"-SG", "s2"},
       CopyPosition::After,
       "a",
       "a\tT:\\a\n-SG\t<>\n  g1\tS:\\g1\n  g2\tS:\\g2\n--\t<>\ns2\tS:\\2\n-TG\t<>\n  "
       "t1\tT:\\t1\n--\t<>\nb\tT:\\b\n"},
      {"after a group: after its end marker",
       {"s1"},
       CopyPosition::After,
       "-TG",
       "a\tT:\\a\n-TG\t<>\n  t1\tT:\\t1\n--\t<>\ns1\tS:\\1\nb\tT:\\b\n"},
      {"before",
       {"s1", "s2"},
       CopyPosition::Before,
       "b",
       "a\tT:\\a\n-TG\t<>\n  t1\tT:\\t1\n--\t<>\ns1\tS:\\1\ns2\tS:\\2\nb\tT:\\b\n"},
      {"an empty group comes as its head and end marker together",
       {"-Empty"},
       CopyPosition::After,
       "b",
       "a\tT:\\a\n-TG\t<>\n  t1\tT:\\t1\n--\t<>\nb\tT:\\b\n-Empty\t<>\n--\t<>\n"},
      {"inside a group: its first children",
       {"s1", "s2"},
       CopyPosition::Inside,
       "-TG",
       "a\tT:\\a\n-TG\t<>\n  s1\tS:\\1\n  s2\tS:\\2\n  t1\tT:\\t1\n--\t<>\nb\tT:\\b\n"},
      {"inside an entry: it becomes a group that keeps its path",
       {"s1"},
       CopyPosition::Inside,
       "b",
       "a\tT:\\a\n-TG\t<>\n  t1\tT:\\t1\n--\t<>\n-b\tT:\\b\n  s1\tS:\\1\n--\t<>\n"},
      {"head of the level",
       {"g2"},
       CopyPosition::FirstInLevel,
       "t1",
       "a\tT:\\a\n-TG\t<>\n  g2\tS:\\g2\n  t1\tT:\\t1\n--\t<>\nb\tT:\\b\n"},
      {"end of the level",
       {"g1", "g2"},
       CopyPosition::LastInLevel,
       "a",
       "a\tT:\\a\n-TG\t<>\n  t1\tT:\\t1\n--\t<>\nb\tT:\\b\ng1\tS:\\g1\ng2\tS:\\g2\n"},
      {"entries of an unselected group come alone",
       {"g2", "s2"},
       CopyPosition::After,
       "a",
       "a\tT:\\a\ng2\tS:\\g2\ns2\tS:\\2\n-TG\t<>\n  t1\tT:\\t1\n--\t<>\nb\tT:\\b\n"},
      {"a selected end marker brings its group",
       {"--"},
       CopyPosition::Before,
       "a",
       "-SG\t<>\n  g1\tS:\\g1\n  g2\tS:\\g2\n--\t<>\na\tT:\\a\n-TG\t<>\n  "
       "t1\tT:\\t1\n--\t<>\nb\tT:\\b\n"},
      {"replace",
       {"s2", "-SG"},
       CopyPosition::Replace,
       nullptr,
       "-SG\t<>\n  g1\tS:\\g1\n  g2\tS:\\g2\n--\t<>\ns2\tS:\\2\n"},
  };
  for (const CopyCase& c : cases) {
    SCOPED_TRACE(c.name);
    JumpTree source = TreeFromOutline(kSource);
    JumpTree target = TreeFromOutline(kTarget);
    source.ClearSelection();
    for (const char* text : c.selected) source.SetSelected(Find(source, text), true);
    source.SetFocused(Find(source, c.selected[0]));
    const std::optional<BaseEntry> base =
        c.base ? std::optional<BaseEntry>(BaseOf(target, c.base)) : std::nullopt;
    const size_t before = target.Size();
    const CopyResult result = CopySelectedNodes(source, target, c.position, base);
    EXPECT_EQ(result.outcome, CopyOutcome::kCopied);
    EXPECT_EQ(Plain(target), c.expected);
    if (c.position != CopyPosition::Replace && c.position != CopyPosition::Inside)
      EXPECT_EQ(target.Size(), before + result.copied);
    // The source keeps its entries.
    EXPECT_EQ(Plain(source), Plain(TreeFromOutline(kSource)));
    // The first copy alone is selected and focused.
    ASSERT_TRUE(target.Focused());
    EXPECT_EQ(target.SelectedNodes(), std::vector<NodeId>{*target.Focused()});
  }
}

// Mended: a missing or vanished base warns for every position but replace,
// and a replace with nothing selected leaves the editor's list alone.
TEST(CopySelectedNodes, NoBaseOrNothingSelectedChangesNothing) {
  struct Case {
    const char* name;
    CopyPosition position;
    std::optional<BaseEntry> base;
    bool selectSomething;
    CopyOutcome outcome;
  } cases[] = {
      {"no base, after", CopyPosition::After, std::nullopt, true, CopyOutcome::kNoBase},
      {"no base, inside", CopyPosition::Inside, std::nullopt, true, CopyOutcome::kNoBase},
      {"no base, end of level", CopyPosition::LastInLevel, std::nullopt, true,
       CopyOutcome::kNoBase},
      {"a base renumbered by a save", CopyPosition::Before, BaseEntry{9999, u"a"}, true,
       CopyOutcome::kNoBase},
      {"a base whose number now names another entry", CopyPosition::Before, BaseEntry{1001, u"x"},
       true, CopyOutcome::kNoBase},
      {"replace with nothing selected", CopyPosition::Replace, std::nullopt, false,
       CopyOutcome::kNothingToCopy},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    JumpTree source = TreeFromOutline(kSource);
    JumpTree target = TreeFromOutline(kTarget);
    source.ClearSelection();
    if (c.selectSomething) source.SelectOnly(Find(source, "s1"));
    const std::string before = Plain(target);
    EXPECT_EQ(CopySelectedNodes(source, target, c.position, c.base).outcome, c.outcome);
    EXPECT_EQ(Plain(target), before);
  }
}

TEST(BaseEntryChoices, EveryNodeButEndMarkersIndentedByLevel) {
  JumpTree tree = TreeFromOutline("a\n-G\n  b\n  -H\n    c\n  --\n--\n-\n");
  std::string lines;
  for (const BaseEntryChoice& choice : BaseEntryChoices(tree))
    lines += U8(choice.text) + (choice.separator ? " (separator)" : "") + "|" +
             U8(BaseEntryCaption(choice)) + "\n";
  EXPECT_EQ(lines, "a|a\nG|G\n　　b|b\n　　H|H\n　　　　c|c\n- (separator)|-\n");
  // A choice found again by number and caption; a group by its caption.
  const std::vector<BaseEntryChoice> choices = BaseEntryChoices(tree);
  EXPECT_EQ(FindBaseEntry(tree, {choices[3].customId, u"H"}), Find(tree, "-H"));
  EXPECT_EQ(FindBaseEntry(tree, {choices[5].customId, u"-"}), std::nullopt);
}

}  // namespace
}  // namespace pathorama::editor
