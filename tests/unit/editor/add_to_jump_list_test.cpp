#include "editor/add_to_jump_list.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "jumplist/jump_menu.h"
#include "unit/editor/tree_outline.h"

namespace pathorama::editor {
namespace {

using jumplist::JumpItem;
using jumplist::JumpItemKind;
using jumplist::JumpList;
using test::U;
using test::U8;

JumpList ListFrom(std::string_view pathMenuLines) {
  core::IniDocument doc = core::IniDocument::Parse(U("[PathMenu]\n" + std::string(pathMenuLines)));
  JumpList list;
  list.CreatePathListFromIni(doc);
  return list;
}

std::string StoredLines(const JumpList& list) {
  core::IniDocument doc;
  list.SavePathListFromMenuToIni(doc);
  std::string out;
  if (const core::IniSection* s = doc.FindSection(u"PathMenu"))
    for (const core::IniEntry& e : s->Entries()) out += U8(std::u16string(e.Key()) + u"=" + std::u16string(e.Value())) + "\n";
  return out;
}

// The live tree in one line: "G/(g1 n1 *)" where "*" is the current-folder
// entry of a group and "fn" a function item; separators and placeholders
// are left out.
std::string Shape(const std::vector<JumpItem>& items) {
  std::string out;
  for (const JumpItem& item : items) {
    if (item.kind == JumpItemKind::kPlaceholder || item.caption == u"-") continue;
    if (!out.empty()) out += " ";
    if (item.kind == JumpItemKind::kCurrentFolder) {
      out += "*";
    } else if (item.kind == JumpItemKind::kFunction) {
      out += "fn";
    } else if (item.IsGroup()) {
      out += U8(item.caption) + "/(" + Shape(item.children) + ")";
    } else {
      out += U8(item.caption);
    }
  }
  return out;
}

int32_t TagOf(const JumpList& list, std::u16string_view caption) {
  int32_t tag = 0;
  jumplist::ForEachItem(list.Items(), [&](const JumpItem& item, size_t) {
    if (tag == 0 && item.caption == caption) tag = item.tag;
  });
  return tag;
}

bool Exists(std::u16string_view) { return true; }

// --- collecting ---------------------------------------------------------

TEST(AddToJumpListCollect, SelectionLinesGiveListTitleAndCountPerSource) {
  const std::string selection = "D:\\Work\\Plans\\\r\nD:\\Work\\report.final.docx\r\nD:\\Work\\b.txt\r\n";
  struct Case {
    const char* name;
    AddSource source;
    const char* list;
    const char* title;
    size_t count;
  } cases[] = {
      {"folders keep only lines with a trailing backslash", AddSource::kSelectedFolders,
       "D:\\Work\\Plans", "Plans[&P]", 1},
      {"files drop folders; the title loses the last extension", AddSource::kSelectedFiles,
       "D:\\Work\\report.final.docx | D:\\Work\\b.txt", "report.final[&R]", 2},
      {"paths take every line without its trailing backslash", AddSource::kSelectedPaths,
       "D:\\Work\\Plans | D:\\Work\\report.final.docx | D:\\Work\\b.txt", "Plans[&P]", 3},
  };
  for (const Case& c : cases) {
    CollectedPaths got = CollectSelection(U(selection), c.source);
    EXPECT_EQ(U8(got.list), c.list) << c.name;
    EXPECT_EQ(U8(got.title), c.title) << c.name;
    EXPECT_EQ(got.count, c.count) << c.name;
  }
  CollectedPaths none = CollectSelection(u"D:\\Work\\Plans\\\r\n", AddSource::kSelectedFiles);
  EXPECT_EQ(none.count, 0u);
  EXPECT_EQ(none.list, u"");
  EXPECT_EQ(PathCountText(none.count), u"");
  EXPECT_EQ(U8(PathCountText(3)), "已获取到 3 条路径");
}

TEST(AddToJumpListCollect, OpenFolderTitleIsTheLastNameOrTheAddressBar) {
  EXPECT_EQ(U8(CollectOpenFolder(u"D:\\Work\\文档", u"").title), "文档[&W]");
  // Total Commander gives its folder with a trailing backslash: the same
  // folder, the same title.
  CollectedPaths trailing = CollectOpenFolder(u"D:\\Work\\文档\\", u"");
  EXPECT_EQ(U8(trailing.list), "D:\\Work\\文档");
  EXPECT_EQ(U8(trailing.title), "文档[&W]");
  CollectedPaths root = CollectOpenFolder(u"C:\\", u"");
  EXPECT_EQ(root.list, u"C:\\");
  EXPECT_EQ(root.title, u"");
  CollectedPaths shell = CollectOpenFolder(u"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}", U("此电脑"));
  EXPECT_EQ(U8(shell.title), "此电脑[&C]");
  EXPECT_EQ(CollectOpenFolder(u"", u"").count, 0u);
  EXPECT_EQ(U8(AddDialogCaption(AddSource::kSelectedPaths)),
            "把当前已选文件（夹）路径添加到路径跳转列表");
}

// --- simplification -------------------------------------------------------

TEST(AddToJumpListCollect, TitleBoxCopyTextAndHint) {
  // The open folder always takes a title; several paths only as one entry.
  EXPECT_TRUE(TitleBoxEnabled(AddSource::kOpenFolder, u"D:\\a", false));
  EXPECT_TRUE(TitleBoxEnabled(AddSource::kSelectedFiles, u"D:\\a.txt", false));
  EXPECT_TRUE(TitleBoxEnabled(AddSource::kSelectedFiles, u"D:\\a | D:\\b", true));
  EXPECT_FALSE(TitleBoxEnabled(AddSource::kSelectedPaths, u"D:\\a | D:\\b", false));

  EXPECT_EQ(U8(PathListCopyText(u"D:\\a | D:\\b c | E:\\")), "D:\\a\r\nD:\\b c\r\nE:\\");
  EXPECT_EQ(U8(PathListHint(u"D:\\a | D:\\b", false)), "双击将把路径信息（蓝色文字部分）复制到剪贴板");
  EXPECT_EQ(U8(PathListHint(u"D:\\a | D:\\b", true)),
            "D:\\a\r\nD:\\b\r\r双击将把路径信息（蓝色文字部分）复制到剪贴板");
}

TEST(AddToJumpListSimplify, GroupsOnlyNamesDirectlyInOneFolderWithoutBrackets) {
  struct Case {
    const char* name;
    const char* list;
    const char* simplified;  // the list itself when it must stay a full list
  } cases[] = {
      {"three files of one folder", "D:\\f\\a.txt | D:\\f\\b.txt | D:\\f\\c d.txt",
       "D:\\f\\(a.txt|b.txt|c d.txt)"},
      {"files of a drive root", "C:\\a | C:\\b", "C:\\(a|b)"},
      {"a name beginning with a blank", "D:\\f\\ a | D:\\f\\b", "D:\\f\\ a | D:\\f\\b"},
      {"a name with parentheses would read as alternation", "D:\\f\\a (1).txt | D:\\f\\b.txt",
       "D:\\f\\a (1).txt | D:\\f\\b.txt"},
      {"paths from two folders", "D:\\f\\a | E:\\g\\b", "D:\\f\\a | E:\\g\\b"},
      {"a path deeper than the first one's folder", "D:\\f\\a | D:\\f\\sub\\b",
       "D:\\f\\a | D:\\f\\sub\\b"},
      {"a single path", "D:\\f\\a", "D:\\f\\a"},
  };
  for (const Case& c : cases) {
    std::u16string simplified = SimplifyPathList(U(c.list));
    EXPECT_EQ(U8(simplified), c.simplified) << c.name;
    // Whatever it shows, the list must still stand for exactly the selected paths.
    EXPECT_EQ(U8(paths::SplitPathInfo(simplified)), U8(paths::SplitPathInfo(U(c.list))))
        << c.name;
    EXPECT_EQ(U8(ExpandSimplifiedPathList(simplified)), c.list) << c.name;
  }
}

TEST(AddToJumpListSimplify, ListBeyondTheAlternationLimitStaysFull) {
  std::u16string list;
  for (size_t i = 0; i <= paths::kMaxAlternationPaths; ++i)
    list += (i ? u" | D:\\f\\n" : u"D:\\f\\n") + core::IntToText(static_cast<long long>(i));
  EXPECT_EQ(SimplifyPathList(list), list);
}

// --- destinations -----------------------------------------------------------

constexpr std::string_view kTree =
    "menu1=a\npath1=C:\\a\nmenu2=-\nmenu3=-G\nmenu4=g1\npath4=C:\\g1\nmenu5=-\n"
    "menu6=-H\nmenu7=h1\npath7=C:\\h1\nmenu8=--\nmenu9=g2\npath9=C:\\g2\nmenu10=--\n"
    "menu11=b\npath11=C:\\b\n";

TEST(AddToJumpListDestination, ChoicesListEntriesAndGroupsIndentedNeverSeparators) {
  JumpList list = ListFrom(kTree);
  jumplist::SetCurrentFolderItems(list, true);
  jumplist::CopyFunctionItemsIntoJumpList(list, 1);
  std::string shown;
  for (const DestinationChoice& c : DestinationChoices(list)) {
    shown += U8(c.text) + "\n";
    EXPECT_NE(list.FindByTag(c.tag), nullptr);
    EXPECT_EQ(list.FindByTag(c.tag)->caption, DestinationCaption(c.text));
  }
  EXPECT_EQ(shown, U8(u"a\nG\n　　g1\n　　H\n　　　　h1\n　　g2\nb\n"));
}

TEST(AddToJumpListDestination, RememberedTagMustStillNameTheSameItem) {
  JumpList list = ListFrom(kTree);
  const int32_t g1 = TagOf(list, u"g1");
  EXPECT_TRUE(DestinationStillValid(list, g1, u"g1"));
  EXPECT_FALSE(DestinationStillValid(list, g1, u"a")) << "tag renumbered by another save";
  EXPECT_FALSE(DestinationStillValid(list, 9999, u"g1"));
  EXPECT_FALSE(DestinationStillValid(list, 0, u""));
  int32_t separator = 0;
  jumplist::ForEachItem(list.Items(), [&](const JumpItem& item, size_t) {
    if (separator == 0 && item.kind == JumpItemKind::kSeparator) separator = item.tag;
  });
  ASSERT_NE(separator, 0);
  EXPECT_FALSE(DestinationStillValid(list, separator, u"-"));
}

// --- placing entries ------------------------------------------------------------

TEST(AddToJumpListInsert, EveryPositionKeepsTheOrderOfOneConfirmation) {
  struct Case {
    const char* name;
    const char16_t* destination;  // nullptr: none
    InsertPosition position;
    bool currentFolderItems;
    const char* shape;
  } cases[] = {
      {"no destination: the top of the list", nullptr, InsertPosition::kInsertAfter, false,
       "n1 n2 a G/(g1 H/(h1) g2) b fn"},
      {"after an entry inside a group", u"g1", InsertPosition::kInsertAfter, false,
       "a G/(g1 n1 n2 H/(h1) g2) b fn"},
      {"after the last top-level entry, before the function items", u"b",
       InsertPosition::kInsertAfter, false, "a G/(g1 H/(h1) g2) b n1 n2 fn"},
      {"before", u"g2", InsertPosition::kInsertBefore, false, "a G/(g1 H/(h1) n1 n2 g2) b fn"},
      {"head of the level, after the hidden placeholder", u"g2",
       InsertPosition::kAddFirstAtSibling, false, "a G/(n1 n2 g1 H/(h1) g2) b fn"},
      {"tail of a level with current-folder entries: before them", u"g1",
       InsertPosition::kAddLastAtSibling, true, "a G/(g1 H/(h1 *) g2 n1 n2 *) b fn"},
      {"tail of a level without them: its end", u"h1", InsertPosition::kAddLastAtSibling, false,
       "a G/(g1 H/(h1 n1 n2) g2) b fn"},
      {"tail of the top level: before the function items", u"a",
       InsertPosition::kAddLastAtSibling, false, "a G/(g1 H/(h1) g2) b n1 n2 fn"},
      {"inside a group", u"G", InsertPosition::kInsertAsSubItem, false,
       "a G/(n1 n2 g1 H/(h1) g2) b fn"},
      {"inside an entry, current-folder entries on", u"b", InsertPosition::kInsertAsSubItem,
       true, "a G/(g1 H/(h1 *) g2 *) b/(n1 n2 *) fn"},
      {"inside an entry, current-folder entries off", u"b", InsertPosition::kInsertAsSubItem,
       false, "a G/(g1 H/(h1) g2) b/(n1 n2) fn"},
  };
  for (const Case& c : cases) {
    JumpList list = ListFrom(kTree);
    if (c.currentFolderItems) jumplist::SetCurrentFolderItems(list, true);
    jumplist::CopyFunctionItemsIntoJumpList(list, 1);
    InsertTarget target;
    target.toMenuItem = c.destination != nullptr;
    target.destinationTag = c.destination ? TagOf(list, c.destination) : 0;
    target.position = c.position;
    InsertOptions options;
    options.currentFolderItems = c.currentFolderItems;
    AddJumpListEntries(list, {{u"D:\\n1", u"n1"}, {u"D:\\n2", u"n2"}}, target, options);
    std::string shape = Shape(list.Items());
    // Function items are one group of several; show them once.
    for (size_t at; (at = shape.find("fn fn")) != std::string::npos;) shape.erase(at, 3);
    EXPECT_EQ(shape, c.shape) << c.name;
    EXPECT_EQ(U8(list.PathByTag(TagOf(list, u"n2"))), "D:\\n2") << c.name;
  }
}

TEST(AddToJumpListInsert, EntryTurnedGroupIsStoredWithItsPathAndChildren) {
  JumpList list = ListFrom("menu1=a\npath1=C:\\a\nmenu2=b\npath2=C:\\b\n");
  InsertTarget target{true, TagOf(list, u"a"), InsertPosition::kInsertAsSubItem};
  AddJumpListEntries(list, {{u"D:\\n1", u"n1"}}, target, {});
  EXPECT_EQ(StoredLines(list),
            "menu1=-a\npath1=C:\\a\nmenu2=n1\npath2=D:\\n1\nmenu3=--\nmenu4=b\npath4=C:\\b\n");
}

TEST(AddToJumpListInsert, UnusableDestinationsSendTheEntryToTheTop) {
  for (std::string_view kind : {"missing tag", "separator"}) {
    JumpList list = ListFrom("menu1=a\npath1=C:\\a\nmenu2=-\nmenu3=b\npath3=C:\\b\n");
    int32_t tag = 9999;
    if (kind == "separator") tag = list.Items()[1].tag;
    InsertTarget target{true, tag, InsertPosition::kInsertAsSubItem};
    AddJumpListEntries(list, {{u"D:\\n", u"n"}}, target, {});
    EXPECT_EQ(StoredLines(list),
              "menu1=n\npath1=D:\\n\nmenu2=a\npath2=C:\\a\nmenu3=-\nmenu4=b\npath4=C:\\b\n")
        << kind;
  }
}

TEST(AddToJumpListInsert, TitleIsTrimmedAndShortened) {
  JumpList list;
  InsertOptions options;
  options.captionMaxLength = 10;
  AddJumpListEntry(list, u"D:\\x", u" - Documents archive(&A) -", 1, {}, options);
  EXPECT_EQ(U8(list.Items().at(0).caption), "Docu...(&A)");
  EXPECT_TRUE(list.Items().at(0).clickable);
}

// --- confirming ----------------------------------------------------------------

TEST(AddToJumpListConfirm, TitleIsRequiredWheneverAnEntryTakesIt) {
  struct Case {
    const char* name;
    AddSource source;
    const char* list;
    bool sameEntry;
    ConfirmPlan::Outcome outcome;
  } cases[] = {
      {"open folder", AddSource::kOpenFolder, "C:\\", true, ConfirmPlan::Outcome::kTitleMissing},
      {"a single selected path takes the title", AddSource::kSelectedFiles, "D:\\a.txt", false,
       ConfirmPlan::Outcome::kTitleMissing},
      {"several paths in one entry", AddSource::kSelectedFiles, "D:\\a | D:\\b", true,
       ConfirmPlan::Outcome::kTitleMissing},
      {"one entry per path needs no title", AddSource::kSelectedFiles, "D:\\a | D:\\b", false,
       ConfirmPlan::Outcome::kAdd},
      {"nothing collected just closes", AddSource::kSelectedFiles, "", true,
       ConfirmPlan::Outcome::kClose},
  };
  for (const Case& c : cases) {
    ConfirmInput input{c.source, U(c.list), u" - ", false, c.sameEntry};
    EXPECT_EQ(PlanConfirm(input, Exists, Exists).outcome, c.outcome) << c.name;
  }
}

TEST(AddToJumpListConfirm, EntriesPerChoiceAndMissingPathsAsked) {
  const std::set<std::u16string> existing = {u"D:\\f\\a.txt", u"D:\\f\\c.txt", u"C:"};
  auto exists = [&](std::u16string_view p) { return existing.count(std::u16string(p)) != 0; };
  struct Case {
    const char* name;
    const char* list;
    bool simplify;
    bool sameEntry;
    bool keepMissing;
    const char* entries;  // "path=title;" each
    const char* asked;
  } cases[] = {
      {"simplified, one entry, as shown", "D:\\f\\(a.txt|b.txt|c.txt)", true, true, false,
       "D:\\f\\(a.txt|b.txt|c.txt)=T;", ""},
      {"one entry per path, missing one refused", "D:\\f\\(a.txt|b.txt|c.txt)", false, false,
       false, "D:\\f\\a.txt=a.txt[&A];D:\\f\\c.txt=c.txt[&C];", "D:\\f\\b.txt;"},
      {"one entry per path, missing one kept", "D:\\f\\a.txt | D:\\f\\b.txt", false, false, true,
       "D:\\f\\a.txt=a.txt[&A];D:\\f\\b.txt=b.txt[&B];", "D:\\f\\b.txt;"},
      {"all in one entry, missing one refused", "D:\\f\\a.txt | D:\\f\\b.txt | D:\\f\\c.txt",
       false, true, false, "D:\\f\\a.txt | D:\\f\\c.txt=T;", "D:\\f\\b.txt;"},
      {"a drive root (split without its backslash) is titled by its path", "C:\\ | D:\\f\\a.txt", false, false, false,
       "C:=C:[&C];D:\\f\\a.txt=a.txt[&A];", ""},
      {"every path refused adds nothing", "D:\\x | D:\\y", false, true, false, "",
       "D:\\x;D:\\y;"},
  };
  for (const Case& c : cases) {
    std::string asked;
    auto keep = [&](std::u16string_view p) {
      asked += U8(p) + ";";
      return c.keepMissing;
    };
    ConfirmInput input{AddSource::kSelectedFiles, U(c.list), u"T", c.simplify, c.sameEntry};
    ConfirmPlan plan = PlanConfirm(input, exists, keep);
    std::string entries;
    for (const NewEntry& e : plan.entries) entries += U8(e.pathInfo + u"=" + e.title) + ";";
    EXPECT_EQ(entries, c.entries) << c.name;
    EXPECT_EQ(asked, c.asked) << c.name;
    EXPECT_EQ(plan.outcome,
              plan.entries.empty() ? ConfirmPlan::Outcome::kClose : ConfirmPlan::Outcome::kAdd)
        << c.name;
  }
}

}  // namespace
}  // namespace pathorama::editor
