#include "jumplist/jump_menu.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/ini.h"
#include "core/text.h"

namespace pathorama::jumplist {
namespace {

using core::Utf16ToUtf8;
using core::Utf8ToUtf16;

// A list read from "[PathMenu]" lines, as the program loads it.
JumpList Load(const std::string& pathMenuLines, bool functionItems = false,
              bool currentFolderItems = false) {
  core::IniDocument doc = core::IniDocument::Parse(u"[PathMenu]\n" + Utf8ToUtf16(pathMenuLines));
  JumpList list;
  list.CreatePathListFromIni(doc);
  if (functionItems) CopyFunctionItemsIntoJumpList(list, 1);
  if (currentFolderItems) SetCurrentFolderItems(list, true);
  return list;
}

// The stored tree: "CAPTION<TAB>PATH" per entry, "CAPTION/" (and
// "<TAB>PATH" when mapped) per group, "-" per separator, "+CAPTION" per
// current-folder item ("+-" for the separator of the pair); two spaces per
// level; function items left out.
std::string Dump(const JumpList& list) {
  std::string out;
  ForEachItem(list.Items(), [&](const JumpItem& item, size_t depth) {
    if (item.kind == JumpItemKind::kPlaceholder || item.kind == JumpItemKind::kFunction) return;
    out += std::string(2 * depth, ' ');
    switch (item.kind) {
      case JumpItemKind::kSeparator:
        out += "-";
        break;
      case JumpItemKind::kCurrentFolder:
        out += "+" + Utf16ToUtf8(item.caption);
        break;
      case JumpItemKind::kGroup:
        out += Utf16ToUtf8(item.caption) + "/";
        if (list.HasPathByTag(item.tag)) out += "\t" + Utf16ToUtf8(list.PathByTag(item.tag));
        break;
      default:
        out += Utf16ToUtf8(item.caption) + "\t" + Utf16ToUtf8(list.PathByTag(item.tag));
        break;
    }
    out += "\n";
  });
  return out;
}

// Replaces "{YYYY}" by 2026 and counts its calls.
struct FakeExpander {
  int calls = 0;
  paths::VariableExpander Function() {
    return [this](std::u16string_view text) {
      ++calls;
      return core::ReplaceAllText(text, u"{YYYY}", u"2026");
    };
  }
};

std::string Text(const JumpList& list, const PreparedMenu& prepared) {
  return Utf16ToUtf8(PreparedMenuText(list, prepared));
}

const JumpItem* FunctionCopy(const JumpList& list, FunctionItem id) {
  for (const JumpItem& item : list.Items())
    if (item.tag == FunctionTag(id)) return &item;
  return nullptr;
}

// ---------------------------------------------------------------------------

struct CheckCase {
  const char* name;
  std::string lines;
  std::string folder;
  std::string expected;  // PreparedMenuText without function items
};

TEST(JumpMenu, ChecksTheEntriesThatPointAtTheOpenFolderAndTheirGroups) {
  const CheckCase cases[] = {
      {"trailing backslash, nested groups: entry and every enclosing group",
       "menu1=-Outer\nmenu2=-Inner\nmenu3=Docs\npath3=D:\\Docs\\\nmenu4=Other\npath4=D:\\Other\n"
       "menu5=--\nmenu6=--\nmenu7=Top\npath7=E:\\\n",
       "D:\\Docs", "[x] Outer/\n  [x] Inner/\n    [x] Docs\n    Other\nTop\n"},
      {"case and blanks around the path do not matter", "menu1=Docs\npath1=  d:\\DOCS\\ \n",
       "D:\\Docs\\", "[x] Docs\n"},
      {"variables mark: expanded before comparing",
       "menu1=Log\npath1=*D:\\Log\\{YYYY}\nmenu2=Plain\npath2=D:\\Log\\{YYYY}\n", "D:\\Log\\2026",
       "[x] Log\nPlain\n"},
      {"a group's own path info checks the group",
       "menu1=-Work\npath1=E:\\Work\nmenu2=A\npath2=E:\\A\nmenu3=--\n", "E:\\Work",
       "[x] Work/\n  A\n"},
      {"UNC folder", "menu1=Share\npath1=\\\\srv\\share\\\n", "\\\\srv\\share", "[x] Share\n"},
      {"an empty folder matches nothing, not even empty path infos",
       "menu1=Empty\npath1=\nmenu2=-G\npath2=<>\nmenu3=A\npath3=\\\n", "", "Empty\nG/\n  A\n"},
      {"a folder of backslashes only is no folder", "menu1=Root\npath1=\\\n", "\\\\", "Root\n"},
      {"two paths are never one folder", "menu1=Two\npath1=D:\\Docs|E:\\Docs\n", "D:\\Docs",
       "Two\n"},
      {"an alternation is two paths", "menu1=Alt\npath1=D:\\(Docs|Old)\n", "D:\\Docs", "Alt\n"},
      {"a longer or shorter path is another folder",
       "menu1=Deeper\npath1=D:\\Docs\\Sub\nmenu2=Up\npath2=D:\\\n", "D:\\Docs", "Deeper\nUp\n"},
      {"a disabled entry is hidden and never checked",
       "menu1=Old\npath1=/D:\\Docs\nmenu2=New\npath2=D:\\Docs\n", "D:\\Docs", "[x] New\n"},
  };
  for (const CheckCase& c : cases) {
    SCOPED_TRACE(c.name);
    JumpList list = Load(c.lines);
    FakeExpander expander;
    PreparedMenu prepared = PrepareJumpMenu(list, Utf8ToUtf16(c.folder), {}, expander.Function());
    EXPECT_EQ(Text(list, prepared), c.expected);
    EXPECT_EQ(prepared.OffersDeletion(), c.expected.find("[x]") != std::string::npos);
  }
}

TEST(JumpMenu, TheFunctionBlockAndGroupItemsOfferDeletionWhenTheFolderIsListed) {
  JumpList list = Load(
      "menu1=-Work\nmenu2=Docs\npath2=D:\\Docs\\\nmenu3=-Sub\nmenu4=X\npath4=D:\\X\nmenu5=--\n"
      "menu6=--\nmenu7=S-Entry(&S)\npath7=D:\\S\n",
      true, true);
  FakeExpander expander;
  PreparedMenu prepared = PrepareJumpMenu(list, u"D:\\Docs", {}, expander.Function());
  EXPECT_EQ(Text(list, prepared),
            "[x] Work/\n"
            "  [x] Docs\n"
            "  Sub/\n"
            "    X\n"
            "    -\n"
            "    添加当前文件夹到本层(&A)\n"
            "  -\n"
            "  删除当前文件夹条目(&R)\n"
            "S-Entry(&S)\n"
            "-\n"
            "删除当前文件夹条目(&R)\n"
            "配置路径跳转列表(&C)\n"
            "批量删除特定条目(&D)/\n"
            "  本地路径不存在的条目(&D)\n"
            "  未关联路径或网址的条目(&N)\n"
            "禁用弹出跳转列表的热键(&J)/\n"
            "  在当前类型的窗口中禁用(&W)\n"
            "  在当前软件中禁用(&S)\n"
            "  在特定窗口/程序中禁用(&F)\n"
            "程序设置(&S)\n");
  // The entry that takes "S" leaves the settings item without its icon; the
  // others keep theirs; the forbid item is greyed outside a hotkey popup.
  EXPECT_FALSE(prepared.View(*FunctionCopy(list, FunctionItem::AppSettings)).icon);
  EXPECT_TRUE(prepared.View(*FunctionCopy(list, FunctionItem::ConfigureJumpList)).icon);
  EXPECT_TRUE(prepared.View(*FunctionCopy(list, FunctionItem::AddOrDeleteCurrentFolder)).icon);
  EXPECT_FALSE(prepared.View(*FunctionCopy(list, FunctionItem::Separator)).icon);
  EXPECT_FALSE(prepared.View(*FunctionCopy(list, FunctionItem::ForbidJumpListHotKey)).enabled);
  EXPECT_TRUE(prepared.View(*FunctionCopy(list, FunctionItem::ConfigureJumpList)).enabled);
}

TEST(JumpMenu, OptionsChooseAcceleratorsVisibilityAndTheGroupCaption) {
  JumpList list = Load("menu1=-Work\nmenu2=Docs\npath2=D:\\Docs\nmenu3=--\nmenu4=Run(&R)\npath4=\n",
                       true, true);
  MenuOptions options;
  options.accelerators = {u'Q', u'X', u'K', u'B', u'O', u'H'};
  options.shown.configureJumpList = false;
  options.shown.batchDelete = false;
  options.shown.forbidJumpListHotKey = false;
  options.forbidJumpListHotKeyEnabled = true;
  options.currentFolderItemInEveryGroup = false;  // the group item keeps its add caption
  FakeExpander expander;
  PreparedMenu prepared = PrepareJumpMenu(list, u"D:\\Docs", options, expander.Function());
  EXPECT_EQ(Text(list, prepared),
            "[x] Work/\n  [x] Docs\n  -\n  添加当前文件夹到本层(&A)\nRun(&R)\n-\n"
            "删除当前文件夹条目(&X)\n程序设置(&O)\n");
  EXPECT_TRUE(prepared.View(*FunctionCopy(list, FunctionItem::ForbidJumpListHotKey)).enabled);

  PreparedMenu nothing = PrepareJumpMenu(list, u"C:\\Elsewhere", options, expander.Function());
  EXPECT_EQ(nothing.View(*FunctionCopy(list, FunctionItem::AddOrDeleteCurrentFolder)).caption,
            u"添加当前文件夹(&Q)");
  // "R" of the entry is not the delete letter any more: the item keeps its icon.
  EXPECT_TRUE(nothing.View(*FunctionCopy(list, FunctionItem::AddOrDeleteCurrentFolder)).icon);
}

TEST(JumpMenu, MarkedPathInfosAreExpandedOnceAndOnlyWhenTheyCanMatch) {
  const struct {
    const char* name;
    std::string path;
    std::string folder;
    int calls;
    bool checked;
  } cases[] = {
      {"a variable after a head the folder begins with", "*D:\\A\\{YYYY}", "D:\\A\\2026", 1, true},
      {"... compared without case", "*d:\\a\\{YYYY}", "D:\\A\\2026", 1, true},
      {"a head that differs cannot match: not expanded", "*E:\\A\\{YYYY}", "D:\\A\\2026", 0, false},
      {"a tail that differs cannot match: not expanded", "*D:\\A\\{YYYY}\\B", "D:\\A\\2026\\C", 0,
       false},
      {"a tail the folder ends with: expanded", "*D:\\A\\{YYYY}\\b\\", "D:\\A\\2026\\B", 1, true},
      {"a brace that closes nothing is no tail", "*D:\\{YYYY}\\{x", "D:\\2026\\{x", 1, true},
      {"a variable first: expanded", "*{YYYY}", "2026", 1, true},
      {"only backslashes before it: expanded", " *\\\\{YYYY}\\x", "2026\\x", 1, true},
      {"no brace: its own expansion", "*D:\\A", "D:\\A", 0, true},
      {"not marked: never expanded", "D:\\A\\{YYYY}", "D:\\A\\2026", 0, false},
      {"disabled before the mark: not marked at its head", "/*D:\\A\\{YYYY}", "D:\\A\\2026", 0,
       false},
      {"no folder: nothing compared", "*D:\\A\\{YYYY}", "", 0, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    core::IniDocument doc =
        core::IniDocument::Parse(u"[PathMenu]\nmenu1=-G\npath1=" + Utf8ToUtf16(c.path) +
                                 u"\nmenu2=X\npath2=Y:\\\nmenu3=--\n");
    JumpList list;
    list.CreatePathListFromIni(doc, {kNoCaptionLimit, false});
    FakeExpander expander;
    PreparedMenu prepared = PrepareJumpMenu(list, Utf8ToUtf16(c.folder), {}, expander.Function());
    EXPECT_EQ(expander.calls, c.calls);
    EXPECT_EQ(prepared.IsChecked(list.Items()[0].tag), c.checked);
  }
}

// ---------------------------------------------------------------------------

TEST(JumpMenu, CurrentFolderItemsAreAddedOncePerGroupAtEveryDepthAndRemovedEverywhere) {
  const std::string lines =
      "menu1=-A\nmenu2=a1\npath2=D:\\a1\nmenu3=-B\nmenu4=-C\nmenu5=c1\npath5=D:\\c1\nmenu6=--\n"
      "menu7=--\nmenu8=--\nmenu9=-Empty\nmenu10=--\nmenu11=top\npath11=D:\\top\n";
  const std::string withPairs =
      "A/\n  a1\tD:\\a1\n  B/\n    C/\n      c1\tD:\\c1\n      +-\n      "
      "+添加当前文件夹到本层(&A)\n"
      "    +-\n    +添加当前文件夹到本层(&A)\n  +-\n  +添加当前文件夹到本层(&A)\n"
      "Empty/\ntop\tD:\\top\n";
  const std::string without =
      "A/\n  a1\tD:\\a1\n  B/\n    C/\n      c1\tD:\\c1\nEmpty/\ntop\tD:\\top\n";
  JumpList list = Load(lines, true);
  SetCurrentFolderItems(list, true);
  std::string once = Dump(list);
  EXPECT_EQ(once, withPairs);
  const int32_t counter = list.ItemCounter();
  SetCurrentFolderItems(list, true);
  EXPECT_EQ(Dump(list), withPairs);
  EXPECT_EQ(list.ItemCounter(), counter) << "kept pairs take no new tags";
  SetCurrentFolderItems(list, false);
  EXPECT_EQ(Dump(list), without);
  SetCurrentFolderItems(list, false);
  EXPECT_EQ(Dump(list), without);
  SetCurrentFolderItems(list, true);
  EXPECT_EQ(Dump(list), withPairs);
  // The function block is not touched by either.
  EXPECT_NE(FunctionCopy(list, FunctionItem::AppSettings), nullptr);
}

TEST(JumpMenu, FunctionItemsAreCopiedWithNegativeTagsAndSurviveRebuildsUnstored) {
  core::IniDocument doc = core::IniDocument::Parse(u"[PathMenu]\nmenu1=A\npath1=D:\\A\n");
  JumpList list;
  list.CreatePathListFromIni(doc);
  CopyFunctionItemsIntoJumpList(list, 1);
  std::vector<std::string> top;
  for (const JumpItem& item : list.Items())
    top.push_back(Utf16ToUtf8(item.name) + " " + std::to_string(item.tag));
  EXPECT_EQ(top,
            (std::vector<std::string>{" 1", "mni_Separator1_1 -1", "mni_AddOrDelCurFolder_1 -2",
                                      "mni_SetPathsList_1 -3", "mni_DelSpecialItems_1 -4",
                                      "mni_ForbidJumpListHotkey_1 -7", "mni_AppOption_1 -11"}));
  const JumpItem* batch = FunctionCopy(list, FunctionItem::BatchDelete);
  ASSERT_EQ(batch->children.size(), 2u);
  EXPECT_EQ(batch->children[1].name, u"mni_DelItemsAssociateNull");
  EXPECT_EQ(FunctionItemOfTag(batch->children[1].tag), FunctionItem::DeleteItemsAssociateNull);
  EXPECT_EQ(FunctionItemOfTag(5), std::nullopt);
  EXPECT_EQ(FunctionItemOfTag(-12), std::nullopt);

  core::IniDocument again =
      core::IniDocument::Parse(u"[PathMenu]\nmenu1=B\npath1=D:\\B\nmenu2=C\npath2=D:\\C\n");
  list.CreatePathListFromIni(again);
  EXPECT_EQ(list.Items().size(), 8u);
  EXPECT_EQ(list.Items()[2].name, u"mni_Separator1_1");
  core::IniDocument saved;
  list.SavePathListFromMenuToIni(saved);
  EXPECT_EQ(saved.Serialize(),
            u"[PathMenu]\r\nmenu1=B\r\npath1=D:\\B\r\nmenu2=C\r\npath2=D:\\C\r\n");
}

// ---------------------------------------------------------------------------

struct DeleteCase {
  const char* name;
  std::string lines;
  std::string folder;
  bool changed;
  std::string after;
};

TEST(JumpMenu, DeletingTheCurrentFolderRemovesExactlyTheFirstCheckedEntry) {
  const DeleteCase cases[] = {
      {"an entry of a group with other entries",
       "menu1=-G\npath1=E:\\G\nmenu2=A\npath2=D:\\A\nmenu3=B\npath3=D:\\B\nmenu4=--\n", "D:\\A",
       true, "G/\tE:\\G\n  B\tD:\\B\n  +-\n  +添加当前文件夹到本层(&A)\n"},
      {"the last entry of a group: the group becomes a plain entry",
       "menu1=-G\npath1=E:\\G\nmenu2=A\npath2=D:\\A\nmenu3=--\nmenu4=Z\npath4=D:\\Z\n", "D:\\A",
       true, "G\tE:\\G\nZ\tD:\\Z\n"},
      {"a checked group loses only its own path info, never its entries",
       "menu1=-G\npath1=D:\\A\nmenu2=A1\npath2=D:\\A1\nmenu3=--\n", "D:\\A", true,
       "G/\n  A1\tD:\\A1\n  +-\n  +添加当前文件夹到本层(&A)\n"},
      {"two entries for the folder: the first in menu order goes",
       "menu1=-G\nmenu2=Inner\npath2=D:\\A\nmenu3=Keep\npath3=D:\\K\nmenu4=--\nmenu5=Outer\n"
       "path5=D:\\A\\\n",
       "d:\\a", true, "G/\n  Keep\tD:\\K\n  +-\n  +添加当前文件夹到本层(&A)\nOuter\tD:\\A\\\n"},
      {"no entry for the folder: nothing changes", "menu1=A\npath1=D:\\A\n", "D:\\B", false,
       "A\tD:\\A\n"},
      {"no folder: the entry without path info stays", "menu1=Blank\npath1=\n", "", false,
       "Blank\t\n"},
  };
  for (const DeleteCase& c : cases) {
    SCOPED_TRACE(c.name);
    JumpList list = Load(c.lines, true, true);
    PreparedMenu prepared = PrepareJumpMenu(list, Utf8ToUtf16(c.folder), {}, nullptr);
    EXPECT_EQ(DeleteCurrentFolderEntry(list, prepared), c.changed);
    EXPECT_EQ(Dump(list), c.after);
  }
}

int32_t GroupItemTag(const JumpList& list, std::u16string_view groupCaption) {
  int32_t tag = 0;
  ForEachItem(list.Items(), [&](const JumpItem& item, size_t) {
    if (item.IsGroup() && item.caption == groupCaption)
      for (const JumpItem& child : item.children)
        if (child.kind == JumpItemKind::kCurrentFolder && child.caption != u"-") tag = child.tag;
  });
  return tag;
}

TEST(JumpMenu, AGroupsOwnItemDeletesTheCheckedEntryOfThatGroupOnly) {
  const std::string lines =
      "menu1=-G\npath1=E:\\G\nmenu2=-Sub\nmenu3=Deep\npath3=D:\\A\nmenu4=S2\npath4=D:\\S2\nmenu5=--"
      "\n"
      "menu6=A\npath6=D:\\A\nmenu7=--\nmenu8=Top\npath8=D:\\A\n";
  JumpList list = Load(lines, true, true);
  PreparedMenu prepared = PrepareJumpMenu(list, u"D:\\A", {}, nullptr);
  ASSERT_TRUE(DeleteCurrentFolderFromGroup(list, prepared, GroupItemTag(list, u"G")));
  // "Deep" sits in Sub, not directly in G: G's item removed G's own "A",
  // and Sub keeps G a group.
  EXPECT_EQ(Dump(list),
            "G/\tE:\\G\n  Sub/\n    Deep\tD:\\A\n    S2\tD:\\S2\n    +-\n"
            "    +添加当前文件夹到本层(&A)\n  +-\n  +添加当前文件夹到本层(&A)\nTop\tD:\\A\n");

  // The last entry of a group through its own item: the group becomes an entry.
  JumpList single = Load("menu1=-G\npath1=E:\\G\nmenu2=A\npath2=D:\\A\nmenu3=--\n", true, true);
  PreparedMenu p2 = PrepareJumpMenu(single, u"D:\\A", {}, nullptr);
  const int32_t item = GroupItemTag(single, u"G");
  EXPECT_EQ(p2.View(GroupOfCurrentFolderItem(single, item)->children.back()).caption,
            u"删除当前文件夹条目(&R)");
  ASSERT_TRUE(DeleteCurrentFolderFromGroup(single, p2, item));
  EXPECT_EQ(Dump(single), "G\tE:\\G\n");

  // Nothing checked directly in the group: nothing changes.
  JumpList other = Load("menu1=-G\nmenu2=A\npath2=D:\\A\nmenu3=--\n", true, true);
  PreparedMenu p3 = PrepareJumpMenu(other, u"D:\\B", {}, nullptr);
  EXPECT_FALSE(DeleteCurrentFolderFromGroup(other, p3, GroupItemTag(other, u"G")));
  EXPECT_FALSE(DeleteCurrentFolderFromGroup(other, p3, 12345));
}

// ---------------------------------------------------------------------------

struct BatchCase {
  const char* name;
  std::string lines;
  std::set<std::u16string> existing;
  bool recognizeWebAddresses;
  std::string after;
  size_t removed;
};

TEST(JumpMenu, DeletingMissingLocalPathsTestsEachPathAsActivationOpensIt) {
  const BatchCase cases[] = {
      {"missing folders go; existing ones, registry keys and tagged web addresses stay",
       "menu1=Gone\npath1=D:\\Gone\nmenu2=Here\npath2=D:\\Here\nmenu3=Reg\n"
       "path3=<RegPath>HKEY_CURRENT_USER\\Software\nmenu4=Web\npath4=<Url>https://example.com\n",
       {u"D:\\Here"},
       false,
       "Here\tD:\\Here\nReg\t<RegPath>HKEY_CURRENT_USER\\Software\n"
       "Web\t<Url>https://example.com\n",
       1},
      {"one existing path of an alternation keeps the entry",
       "menu1=Alt\npath1=D:\\(Old|New)\nmenu2=None\npath2=D:\\(X|Y)\n",
       {u"D:\\New"},
       false,
       "Alt\tD:\\(Old|New)\n",
       1},
      {"a tail tag is no part of the path",
       "menu1=Tool\npath1=D:\\t.exe </S /Wait 3>\n",
       {u"D:\\t.exe"},
       false,
       "Tool\tD:\\t.exe </S /Wait 3>\n",
       0},
      {"a piece of another type keeps a mixed entry",
       "menu1=Mixed\npath1=D:\\Gone|<Url>https://example.com\n",
       {},
       false,
       "Mixed\tD:\\Gone|<Url>https://example.com\n",
       0},
      {"an untagged web address is a web address when recognised",
       "menu1=Site\npath1=www.example.com\n",
       {},
       true,
       "Site\twww.example.com\n",
       0},
      {"... and a missing local path when not",
       "menu1=Site\npath1=www.example.com\n",
       {},
       false,
       "",
       1},
      {"variables are expanded when marked",
       "menu1=Year\npath1=*D:\\{YYYY}\n",
       {u"D:\\2026"},
       false,
       "Year\t*D:\\{YYYY}\n",
       0},
      {"a shell namespace path stays",
       "menu1=Computer\npath1=::{20D04FE0-3AEA-1069-A2D8-08002B30309D}\n",
       {},
       false,
       "Computer\t::{20D04FE0-3AEA-1069-A2D8-08002B30309D}\n",
       0},
      {"an entry without path info goes", "menu1=Blank\npath1=\n", {}, false, "", 1},
      {"a group emptied goes even with its current-folder pair, its path info with it",
       "menu1=-G\npath1=D:\\Here\nmenu2=A\npath2=D:\\Gone\nmenu3=-Inner\nmenu4=B\npath4=D:\\Gone2\n"
       "menu5=--\nmenu6=--\nmenu7=Z\npath7=D:\\Here\n",
       {u"D:\\Here"},
       false,
       "Z\tD:\\Here\n",
       4},
      {"a group keeps what still exists",
       "menu1=-G\nmenu2=A\npath2=D:\\Gone\nmenu3=-\nmenu4=B\npath4=D:\\Here\nmenu5=--\n",
       {u"D:\\Here"},
       false,
       "G/\n  -\n  B\tD:\\Here\n  +-\n  +添加当前文件夹到本层(&A)\n",
       1},
      {"a hidden disabled entry is not shown and stays",
       "menu1=-G\nmenu2=Off\npath2=/D:\\Gone\nmenu3=--\n",
       {},
       false,
       "G/\n  Off\t/D:\\Gone\n  +-\n  +添加当前文件夹到本层(&A)\n",
       0},
  };
  for (const BatchCase& c : cases) {
    SCOPED_TRACE(c.name);
    JumpList list = Load(c.lines, true, true);
    std::vector<std::u16string> asked;
    FakeExpander expander;
    BatchDeleteOptions options{c.recognizeWebAddresses, expander.Function()};
    size_t removed = DeleteItemsLocalPathNotExist(
        list,
        [&](std::u16string_view path) {
          asked.emplace_back(path);
          return c.existing.count(std::u16string(path)) != 0;
        },
        options);
    EXPECT_EQ(Dump(list), c.after);
    EXPECT_EQ(removed, c.removed);
    for (const std::u16string& path : asked)
      EXPECT_EQ(path.find_first_of(u"<>|()"), std::u16string::npos) << Utf16ToUtf8(path);
    EXPECT_NE(FunctionCopy(list, FunctionItem::AppSettings), nullptr);
  }
}

TEST(JumpMenu, DeletingEntriesWithoutPathInfoKeepsEverythingElse) {
  JumpList list = Load(
      "menu1=Blank\npath1=  \nmenu2=Star\npath2=*\nmenu3=Real\npath3=D:\\R\nmenu4=-G\nmenu5=E\n"
      "path5=\nmenu6=--\nmenu7=-H\npath7=D:\\H\nmenu8=Keep\npath8=x\nmenu9=--\nmenu10=-\n",
      true, true);
  EXPECT_EQ(DeleteItemsAssociateNull(list), 4u);
  EXPECT_EQ(Dump(list),
            "Real\tD:\\R\nH/\tD:\\H\n  Keep\tx\n  +-\n  +添加当前文件夹到本层(&A)\n-\n");
}

TEST(JumpMenu, ACtrlOpenedGroupRunsItsShownEnabledEntriesAndSubgroupsInOrder) {
  core::IniDocument doc = core::IniDocument::Parse(
      u"[SetJumpList]\n[PathMenu]\nmenu1=-G\npath1=D:\\G\nmenu2=A\npath2=D:\\A\nmenu3=-\n"
      u"menu4=Off\npath4=/D:\\Off\nmenu5=-Sub\npath5=D:\\Sub\nmenu6=S1\npath6=D:\\S1\nmenu7=--\n"
      u"menu8=Blank\npath8=\nmenu9=B\npath9=D:\\B\nmenu10=--\n");
  JumpList list;
  list.CreatePathListFromIni(doc, {kNoCaptionLimit, false});  // the disabled entry is shown greyed
  SetCurrentFolderItems(list, true);
  EXPECT_EQ(GroupRunPathInfos(list, list.Items()[0]),
            (std::vector<std::u16string>{u"D:\\A", u"D:\\Sub", u"D:\\B"}));
  EXPECT_FALSE(RunsAsEntry(list.Items()[0]));
  JumpList empty = Load("menu1=-E\npath1=D:\\E\nmenu2=--\nmenu3=X\npath3=D:\\X\n");
  EXPECT_TRUE(RunsAsEntry(empty.Items()[0]));
  EXPECT_TRUE(RunsAsEntry(empty.Items()[1]));
}

// ---------------------------------------------------------------------------

struct RecordingPrompts : core::UserPrompts {
  std::vector<std::u16string> told;
  void Tell(std::u16string_view text, std::u16string_view caption, core::PromptIcon icon) override {
    told.push_back(std::u16string(caption) + u"|" + std::u16string(text) + u"|" +
                   core::IntToText(static_cast<int>(icon)));
  }
  bool AskYesNo(std::u16string_view, std::u16string_view, core::PromptIcon) override {
    return false;
  }
};

TEST(JumpMenu, AddingTheCurrentFolderTakesDriveAndUncPathsAndExplainsTheRest) {
  const struct {
    std::u16string folder;
    AddCurrentFolderDecision decision;
  } cases[] = {
      {u"", AddCurrentFolderDecision::NoFolder},
      {u"  ", AddCurrentFolderDecision::NoFolder},
      {u"\\", AddCurrentFolderDecision::NoFolder},
      {u"D:\\Docs", AddCurrentFolderDecision::OpenAddDialog},
      {u"d:", AddCurrentFolderDecision::OpenAddDialog},
      {u"\\\\srv\\share", AddCurrentFolderDecision::OpenAddDialog},
      {u"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}", AddCurrentFolderDecision::NotAFolder},
      {u"Docs", AddCurrentFolderDecision::NotAFolder},
      {u"\\\\\\x", AddCurrentFolderDecision::NotAFolder},
  };
  for (const auto& c : cases)
    EXPECT_EQ(DecideAddCurrentFolder(c.folder), c.decision) << Utf16ToUtf8(c.folder);
  // Backslashes are stripped for comparing only: the folder to add keeps them.
  EXPECT_EQ(PrepareJumpMenu(JumpList(), u"\\\\srv\\share\\", {}, nullptr).CurrentFolder(),
            u"\\\\srv\\share\\");

  RecordingPrompts prompts;
  TellAddCurrentFolderRefused(AddCurrentFolderDecision::NoFolder, u"", prompts);
  TellAddCurrentFolderRefused(AddCurrentFolderDecision::OpenAddDialog, u"D:\\A", prompts);
  TellAddCurrentFolderRefused(AddCurrentFolderDecision::NotAFolder, u"::{X}", prompts);
  ASSERT_EQ(prompts.told.size(), 2u);
  EXPECT_EQ(prompts.told[0], u"没有捕获到文件夹|当前没有捕获到文件夹|1");
  EXPECT_EQ(prompts.told[1],
            u"非法的文件夹路径|当前捕获到的以下路径不是一个有效的文件夹路径\r\r::{X}\r\r"
            u"您可能使用了资源管理器外壳增强软件（例如 Clover）\r"
            u"并正在获取控制面板、我的电脑等处以 CLSID 格式保存的路径\r"
            u"卸载资源管理器外壳增强软件可正常捕获此处的真实文件夹路径|1");
}

// ---------------------------------------------------------------------------

// Facts with fixed answers that record what was asked.
struct FakePlaceFacts : PopupPlaceFacts {
  ScreenRect dte, console, dialog, mainWindow{100, 0, 340, 40};
  std::u16string topmostManager;
  bool leftActive = true;
  std::map<std::pair<ManagerArea, int>, ScreenRect> areas;
  std::vector<std::string> asked;

  ScreenRect DteEditRect() override {
    asked.push_back("dte");
    return dte;
  }
  std::u16string TopmostManagerClass() override {
    asked.push_back("topmost");
    return topmostManager;
  }
  ScreenRect ConsoleRect() override {
    asked.push_back("console");
    return console;
  }
  ScreenRect DialogAddressBandRect() override {
    asked.push_back("dialog");
    return dialog;
  }
  ScreenPoint Cursor() override {
    asked.push_back("cursor");
    return {7, 8};
  }
  ScreenRect MainWindowRect() override {
    asked.push_back("main");
    return mainWindow;
  }
  bool TotalCommanderLeftPanelActive() override {
    asked.push_back("tc-active");
    return leftActive;
  }
  ScreenRect ManagerAreaRect(ManagerArea area, int panel) override {
    asked.push_back("area" + std::to_string(static_cast<int>(area)) + "/" + std::to_string(panel));
    auto it = areas.find({area, panel});
    return it == areas.end() ? ScreenRect{} : it->second;
  }
  ScreenPoint Centre() override {
    asked.push_back("centre");
    return {500, 400};
  }
};

struct PlaceCase {
  const char* name;
  std::u16string target;
  PlacementOptions options;
  void (*arrange)(FakePlaceFacts&);
  ScreenPoint at;
  PlaceReason reason;
  bool retarget;
  std::vector<std::string> asked;
};

TEST(JumpMenu, ThePopupAppearsWhereTheTargetAndThePlacementOptionSay) {
  using MP = MenuPlacement;
  using PC = PanelChoice;
  auto opts = [](MP placement, int manager = 0, PC tc = PC::Source, PC dopus = PC::Source,
                 PC fc = PC::Source) {
    return PlacementOptions{placement, manager, tc, dopus, fc};
  };
  const std::string explorerArea = "area1/0";
  const PlaceCase cases[] = {
      {"DTE with its path box: under the box",
       u"DTE",
       opts(MP::UnderCursor),
       [](FakePlaceFacts& f) {
         f.dte = {10, 20, 110, 40};
       },
       {10, 40},
       PlaceReason::DteEdit,
       false,
       {"dte"}},
      {"DTE without it: the topmost manager is the target, here a console",
       u"DTE",
       opts(MP::AtCentre),
       [](FakePlaceFacts& f) {
         f.topmostManager = u"ConsoleWindowClass";
         f.console = {5, 6, 50, 60};
       },
       {20, 46},
       PlaceReason::Console,
       true,
       {"dte", "topmost", "console"}},
      {"DTE without it and no manager: by the option",
       u"DTE",
       opts(MP::UnderCursor),
       [](FakePlaceFacts&) {},
       {7, 8},
       PlaceReason::Cursor,
       true,
       {"dte", "topmost", "cursor"}},
      {"console: inside its top-left corner",
       u"consolewindowclass",
       opts(MP::AtCentre),
       [](FakePlaceFacts& f) {
         f.console = {100, 100, 400, 300};
       },
       {115, 140},
       PlaceReason::Console,
       false,
       {"console"}},
      {"console not measurable: by the option",
       u"ConsoleWindowClass",
       opts(MP::UnderMainWindow),
       [](FakePlaceFacts&) {},
       {100, 40},
       PlaceReason::MainWindow,
       false,
       {"console", "main"}},
      {"Open/Save dialog: under its address band",
       u"#32770",
       opts(MP::UnderCursor),
       [](FakePlaceFacts& f) {
         f.dialog = {30, 40, 300, 62};
       },
       {30, 62},
       PlaceReason::DialogAddressBand,
       false,
       {"dialog"}},
      {"at the mouse",
       u"CabinetWClass",
       opts(MP::UnderCursor),
       [](FakePlaceFacts&) {},
       {7, 8},
       PlaceReason::Cursor,
       false,
       {"cursor"}},
      {"centre",
       u"",
       opts(MP::AtCentre),
       [](FakePlaceFacts&) {},
       {500, 400},
       PlaceReason::Centre,
       false,
       {"centre"}},
      {"Explorer's address bar: under it",
       u"CabinetWClass",
       opts(MP::UnderAddressBar, 0),
       [](FakePlaceFacts& f) {
         f.areas[{ManagerArea::ExplorerAddressBar, 0}] = {50, 60, 400, 82};
       },
       {50, 82},
       PlaceReason::ManagerArea,
       false,
       {explorerArea}},
      {"no address bar: centre",
       u"CabinetWClass",
       opts(MP::UnderAddressBar, 0),
       [](FakePlaceFacts&) {},
       {500, 400},
       PlaceReason::Centre,
       false,
       {explorerArea, "centre"}},
      {"Total Commander, left panel: its top-left corner",
       u"TTOTAL_CMD",
       opts(MP::UnderAddressBar, 1, PC::Left),
       [](FakePlaceFacts& f) {
         f.areas[{ManagerArea::TotalCommanderPanel, 1}] = {0, 100, 300, 500};
       },
       {0, 100},
       PlaceReason::ManagerArea,
       false,
       {"area2/1"}},
      {"Total Commander, source panel with the right one active",
       u"TTOTAL_CMD",
       opts(MP::UnderAddressBar, 1, PC::Source),
       [](FakePlaceFacts& f) {
         f.leftActive = false;
         f.areas[{ManagerArea::TotalCommanderPanel, 2}] = {300, 100, 600, 500};
       },
       {300, 100},
       PlaceReason::ManagerArea,
       false,
       {"tc-active", "area2/2"}},
      {"Total Commander, target panel with the left one active",
       u"TTOTAL_CMD",
       opts(MP::UnderAddressBar, 1, PC::Target),
       [](FakePlaceFacts& f) {
         f.areas[{ManagerArea::TotalCommanderPanel, 2}] = {300, 100, 600, 500};
       },
       {300, 100},
       PlaceReason::ManagerArea,
       false,
       {"tc-active", "area2/2"}},
      {"Total Commander not running: centre",
       u"",
       opts(MP::UnderAddressBar, 1, PC::Source),
       [](FakePlaceFacts&) {},
       {500, 400},
       PlaceReason::Centre,
       false,
       {"tc-active", "area2/1", "centre"}},
      {"Directory Opus, right panel",
       u"dopus.lister",
       opts(MP::UnderAddressBar, 2, PC::Source, PC::Right),
       [](FakePlaceFacts& f) {
         f.areas[{ManagerArea::DirectoryOpusFileDisplay, 2}] = {400, 90, 800, 600};
       },
       {400, 90},
       PlaceReason::ManagerArea,
       false,
       {"area3/2"}},
      {"Directory Opus, source panel: no fixed panel, centre",
       u"dopus.lister",
       opts(MP::UnderAddressBar, 2),
       [](FakePlaceFacts&) {},
       {500, 400},
       PlaceReason::Centre,
       false,
       {"centre"}},
      {"XYplorer: under its address",
       u"ThunderRT6FormDC",
       opts(MP::UnderAddressBar, 3),
       [](FakePlaceFacts& f) {
         f.areas[{ManagerArea::XYplorerAddress, 0}] = {1, 2, 300, 22};
       },
       {1, 22},
       PlaceReason::ManagerArea,
       false,
       {"area4/0"}},
      {"Xplorer2: under its address",
       u"ATL:ExplorerFrame",
       opts(MP::UnderAddressBar, 4),
       [](FakePlaceFacts& f) {
         f.areas[{ManagerArea::Xplorer2Address, 0}] = {3, 4, 300, 30};
       },
       {3, 30},
       PlaceReason::ManagerArea,
       false,
       {"area5/0"}},
      {"FreeCommander, left panel: n = 1",
       u"FreeCommanderXE.SingleInst.1",
       opts(MP::UnderAddressBar, 5, PC::Source, PC::Source, PC::Left),
       [](FakePlaceFacts& f) {
         f.areas[{ManagerArea::FreeCommanderFileList, 1}] = {9, 80, 300, 500};
       },
       {9, 80},
       PlaceReason::ManagerArea,
       false,
       {"area6/1"}},
      {"another manager: centre",
       u"",
       opts(MP::UnderAddressBar, 6),
       [](FakePlaceFacts&) {},
       {500, 400},
       PlaceReason::Centre,
       false,
       {"centre"}},
  };
  for (const PlaceCase& c : cases) {
    SCOPED_TRACE(c.name);
    FakePlaceFacts facts;
    c.arrange(facts);
    PopupPlace place = DecidePopupPlace(c.target, c.options, facts);
    EXPECT_EQ(place.at, c.at);
    EXPECT_EQ(place.reason, c.reason);
    EXPECT_EQ(place.retargetToTopmostManager, c.retarget);
    EXPECT_EQ(facts.asked, c.asked);
  }
}

TEST(JumpMenu, TheWindowBelowTheMainWindowIsTheTargetWhenEntriesOpenIntoIt) {
  using windows::DialogType;
  const struct {
    const char* name;
    std::u16string className;
    DialogType dialogType;
    bool want;
  } cases[] = {
      {"an Open/Save dialog", u"#32770", DialogType::OpenFile, true},
      {"a folder picker", u"#32770", DialogType::OpenFolder, true},
      {"a message box", u"#32770", DialogType::None, false},
      {"a console", u"ConsoleWindowClass", DialogType::None, true},
      {"a console, class in other case", u"consolewindowclass", DialogType::None, true},
      {"a DTE window", u"DTE", DialogType::None, true},
      {"Explorer", u"CabinetWClass", DialogType::None, false},
      {"Total Commander", u"TTOTAL_CMD", DialogType::None, false},
      {"Wine's console", u"WineConsoleClass", DialogType::None, false},
      {"an editor", u"Notepad", DialogType::None, false},
      {"no class", u"", DialogType::None, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(WindowBelowIsTarget(c.className, c.dialogType), c.want);
  }
}

TEST(JumpMenu, PlacementComesFromTheFirstSetRadioOption) {
  EXPECT_EQ(MenuPlacementFrom(true, false, false, false), MenuPlacement::UnderCursor);
  EXPECT_EQ(MenuPlacementFrom(false, true, false, false), MenuPlacement::UnderMainWindow);
  EXPECT_EQ(MenuPlacementFrom(false, false, true, false), MenuPlacement::UnderAddressBar);
  EXPECT_EQ(MenuPlacementFrom(false, false, false, true), MenuPlacement::AtCentre);
  EXPECT_EQ(MenuPlacementFrom(false, false, false, false), MenuPlacement::UnderAddressBar);
}

TEST(JumpMenu, TheCentreEstimateCentresTheShownItemsOnTheWorkArea) {
  const struct {
    const char* name;
    std::vector<TopLevelMeasure> items;
    ScreenRect area;
    ScreenPoint at;
  } cases[] = {
      {"widest caption + 9, shown items only",
       {{100, true, false}, {191, true, false}, {900, false, false}},
       {0, 0, 1000, 800},
       {400, 381}},
      {"a separator widens it by 58",
       {{100, true, false}, {0, true, true}},
       {0, 0, 1000, 800},
       {416, 381}},
      {"the work area's origin counts", {{91, true, false}}, {200, 100, 1200, 900}, {650, 490}},
      {"taller than the work area: its top",
       std::vector<TopLevelMeasure>(1000, {50, true, false}),
       {0, 0, 1000, 800},
       {470, 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(EstimateCentre(c.items, 19, c.area), c.at);
  }
}

// ---------------------------------------------------------------------------

TEST(JumpMenu, HugeAndDeepListsArePreparedAndEditedWithoutRecursion) {
  // 100,000 entries in one level, then a chain of 20,000 nested groups.
  std::u16string text = u"[PathMenu]\n";
  int n = 0;
  for (int i = 0; i < 100000; ++i) {
    text += u"menu" + core::IntToText(++n) + u"=E" + core::IntToText(i) + u"\n";
    text += u"path" + core::IntToText(n) + u"=D:\\E" + core::IntToText(i % 1000) + u"\n";
  }
  constexpr int kDepth = 20000;
  for (int i = 0; i < kDepth; ++i) text += u"menu" + core::IntToText(++n) + u"=-G\n";
  ++n;
  text += u"menu" + core::IntToText(n) + u"=Deep\npath" + core::IntToText(n) + u"=D:\\E7\n";
  core::IniDocument doc = core::IniDocument::Parse(text);
  JumpList list;
  list.CreatePathListFromIni(doc);
  CopyFunctionItemsIntoJumpList(list, 1);
  SetCurrentFolderItems(list, true);
  PreparedMenu prepared = PrepareJumpMenu(list, u"D:\\E7", {}, nullptr);
  EXPECT_EQ(prepared.MatchedTags().size(), 101u);  // E7, E1007, ... and Deep
  const JumpItem* chain = &list.Items()[100000];
  EXPECT_TRUE(prepared.IsChecked(chain->tag));
  EXPECT_FALSE(PreparedMenuText(list, prepared).empty());
  EXPECT_TRUE(DeleteCurrentFolderEntry(list, prepared));
  EXPECT_EQ(DeleteItemsLocalPathNotExist(list, [](std::u16string_view) { return false; }, {}),
            100000u - 1 + 1 + kDepth);
  EXPECT_EQ(Dump(list), "");
}

TEST(JumpMenu, APathInfoOfThousandsOfPiecesIsPreparedAndTested) {
  std::string pieces;
  for (int i = 0; i < 4999; ++i) pieces += "D:\\p" + std::to_string(i) + "|";
  JumpList list = Load("menu1=Many\npath1=" + pieces + "\nmenu2=Last\npath2=D:\\p4999\n");
  PreparedMenu prepared = PrepareJumpMenu(list, u"D:\\p4999", {}, nullptr);
  EXPECT_EQ(Text(list, prepared), "Many\n[x] Last\n");
  size_t asked = 0;
  EXPECT_EQ(DeleteItemsLocalPathNotExist(
                list, [&](std::u16string_view p) { return ++asked, p == u"D:\\p4999"; }, {}),
            1u);
  EXPECT_EQ(asked, 5000u);
  EXPECT_EQ(Dump(list), "Last\tD:\\p4999\n");
}

}  // namespace
}  // namespace pathorama::jumplist
