#include "editor/tree_duplicates.h"

#include <gtest/gtest.h>

#include "unit/editor/tree_outline.h"

namespace pathorama::editor {
namespace {

using test::Find;
using test::TreeFromOutline;
using test::U;
using test::U8;

TEST(ComparedPathsTest, MarksTrimmedPiecesSplitVariablesExpanded) {
  paths::VariableExpander expand = [](std::u16string_view text) {
    return core::ReplaceAllText(text, u"{Year}", u"2026");
  };
  struct Case {
    const char* pathInfo;
    std::vector<std::u16string> paths;
  } cases[] = {
      {" /C:\\Data\\ | D:\\x\\* ", {u"C:\\Data", u"D:\\x"}},
      {"*E:\\{Year}\\|  |", {u"E:\\2026"}},
      {"F:\\{Year}", {u"F:\\{Year}"}},  // no variables mark: left as written
      {"<Url>http://a.b/ | <LocalPath>C:\\", {u"<Url>http://a.b", u"<LocalPath>C:"}},
      {"<>", {u"<>"}},
      {"", {}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ComparedPaths(U(c.pathInfo), expand), c.paths) << c.pathInfo;
}

TEST(FindPathAssociatedWithOtherNodeTest, SharedPathsOfOtherEntries) {
  JumpTree tree = TreeFromOutline(
      "one\tC:\\Data\\\n"
      "-G\tc:\\data\n"  // a group's path is not compared
      "  two\tx:\\y | c:\\data\n"
      "--\n"
      "web\t<Url>c:\\data\n"
      "three\tC:\\Other|x:\\Y\n");
  struct Case {
    const char* node;
    const char* path;   // the shared path, "" when none
    const char* other;  // the first other entry holding it
  } cases[] = {
      {"one", "C:\\Data", "two"},
      // The first of the node's paths that is shared decides, and for it the
      // first entry in depth-first order.
      {"two", "x:\\y", "three"},
      {"three", "x:\\Y", "two"},
      {"web", "", ""},  // a kind tag is part of the path
      {"-G", "", ""},   // only normal items are tested
  };
  for (const Case& c : cases) {
    auto duplicate = FindPathAssociatedWithOtherNode(tree, Find(tree, c.node), {});
    if (*c.path == 0) {
      EXPECT_FALSE(duplicate) << c.node;
      continue;
    }
    ASSERT_TRUE(duplicate) << c.node;
    EXPECT_EQ(U8(duplicate->path), c.path) << c.node;
    EXPECT_EQ(duplicate->other, Find(tree, c.other)) << c.node;
  }
}

TEST(FindPathAssociatedWithOtherNodeTest, ComparesIgnoringAsciiCaseOnly) {
  // Windows would treat these as one folder, but the test compares ASCII case only.
  JumpTree tree = TreeFromOutline("a\tC:\\Ärger\nb\tc:\\ärger\nc\tC:\\äRGER\n");
  EXPECT_FALSE(FindPathAssociatedWithOtherNode(tree, Find(tree, "a"), {}));
  auto duplicate = FindPathAssociatedWithOtherNode(tree, Find(tree, "b"), {});
  ASSERT_TRUE(duplicate);
  EXPECT_EQ(duplicate->other, Find(tree, "c"));
}

TEST(IsPathAssociateOtherNodeTest, MessageNamesThePathTheNodeAndTheOtherEntrysGroups) {
  class Prompts : public core::UserPrompts {
   public:
    std::string text, caption;
    void Tell(std::u16string_view t, std::u16string_view c, core::PromptIcon icon) override {
      text = U8(t);
      caption = U8(c);
      EXPECT_EQ(icon, core::PromptIcon::Warning);
    }
    bool AskYesNo(std::u16string_view, std::u16string_view, core::PromptIcon) override {
      return false;
    }
  } prompts;
  JumpTree tree = TreeFromOutline("-A\n  -B\n    old\tD:\\p\n  --\n--\nnew\tD:\\P\\\n");
  EXPECT_TRUE(IsPathAssociateOtherNode(tree, Find(tree, "new"), {}, &prompts));
  EXPECT_EQ(prompts.caption, "路径重复");
  EXPECT_EQ(prompts.text,
            "拟添加的路径已关联到其它条目下，不能再添加到当前条目下\r\r『拟添加路径』：D:\\P"
            "\r\r『当前条目』：new\r\r『与该条目重复』：\r\r-A\r  -B\r    old");
  EXPECT_TRUE(IsPathAssociateOtherNode(tree, Find(tree, "new"), {}, nullptr));
  EXPECT_FALSE(IsPathAssociateOtherNode(tree, Find(tree, "-A"), {}, &prompts));
}

TEST(IsPathAssociateOtherNodeTest, AnEntryUnderThousandsOfGroupsGivesAShortMessage) {
  constexpr int kDepth = 60000;
  JumpTree tree(test::CountingIds());
  std::optional<NodeId> parent;
  for (int i = 0; i < kDepth; ++i) {
    NodeId head = tree.Insert(Place::LastChildOf(parent), u"-g" + core::IntToText(i), std::nullopt);
    tree.Insert(Place::After(head), u"--", std::nullopt);
    parent = head;
  }
  tree.Insert(Place::LastChildOf(parent), u"deep", NodeRecord{1, u"C:\\x"});
  NodeId top = tree.Insert(Place::LastChildOf(std::nullopt), u"top", NodeRecord{2, u"c:\\X"});
  auto duplicate = FindPathAssociatedWithOtherNode(tree, top, {});
  ASSERT_TRUE(duplicate);
  std::u16string message = DuplicatePathMessage(tree, top, *duplicate);
  EXPECT_LT(message.size(), 4000u);
  EXPECT_NE(message.find(u"\r-g0\r  -g1"), std::u16string::npos);
  EXPECT_NE(message.find(u"…"), std::u16string::npos);
  EXPECT_NE(message.find(u"[59999] -g59999\r"), std::u16string::npos);
  EXPECT_EQ(message.substr(message.size() - 12), u"[60000] deep");
}

}  // namespace
}  // namespace pathorama::editor
