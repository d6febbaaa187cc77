#include "editor/tree_conversions.h"

#include <gtest/gtest.h>

#include <functional>

#include "jumplist/jump_menu.h"
#include "unit/editor/tree_outline.h"

namespace pathorama::editor {
namespace {

using jumplist::JumpItem;
using jumplist::JumpItemKind;
using jumplist::JumpList;
using test::Find;
using test::Outline;
using test::U;
using test::U8;

core::IniDocument Doc(std::string_view utf8) { return core::IniDocument::Parse(U(utf8)); }

std::string SectionText(const core::IniDocument& doc) {
  std::string out;
  if (const core::IniSection* s = doc.FindSection(u"PathMenu"))
    for (const core::IniEntry& e : s->Entries()) out += U8(std::u16string(e.Key()) + u"=" + std::u16string(e.Value())) + "\n";
  return out;
}

// The live list as text: two spaces per level, "CAPTION/" for a group, "="
// and the mapped path info, then the flags that differ from an enabled,
// visible item. Placeholders are checked, not shown.
std::string DumpList(const JumpList& list) {
  std::string out;
  jumplist::ForEachItem(list.Items(), [&](const JumpItem& item, size_t depth) {
    if (item.kind == JumpItemKind::kPlaceholder) {
      EXPECT_FALSE(item.visible);
      return;
    }
    out += std::string(2 * depth, ' ');
    if (item.kind == JumpItemKind::kFunction) {
      out += "fn " + U8(item.name) + "\n";
      return;
    }
    out += U8(item.caption);
    if (item.IsGroup()) {
      out += "/";
      EXPECT_FALSE(item.children.empty());
      if (!item.children.empty()) {
        EXPECT_EQ(item.children[0].kind, JumpItemKind::kPlaceholder);
      }
    }
    if (list.HasPathByTag(item.tag)) out += "=" + U8(list.PathByTag(item.tag));
    if (!item.enabled) out += " {disabled}";
    if (!item.visible) out += " {hidden}";
    if (!item.clickable && item.kind == JumpItemKind::kEntry) out += " {inert}";
    out += "\n";
  });
  return out;
}

// A settings file as the program writes it.
constexpr const char* kStoredLines =
    "menu1=文档(&D)\n"
    "path1=D:\\Docs\n"
    "menu2=-工作[&G]\n"
    "path2=E:\\Work|F:\\Work\n"
    "menu3=Reports\n"
    "path3=E:\\Reports\n"
    "menu4=-Nested\n"
    "menu5=No path yet\n"
    "path5=\n"
    "menu6=-\n"
    "menu7=Old\n"
    "path7=/D:\\Old\n"
    "menu8=--\n"
    "menu9=--\n"
    "menu10=-\n"
    "menu11=-Empty group\n"
    "menu12=--\n"
    "menu13= Web\n"
    "path13=*<Url>https://example.com/{YYYY}\n";

struct Loaded {
  JumpList list;
  JumpTree tree{FreshIdsFrom(list)};
};

// The list loaded from the lines, and the editor's tree built from it.
std::unique_ptr<Loaded> LoadAndBuild(const std::string& lines) {
  auto loaded = std::make_unique<Loaded>();
  core::IniDocument doc = Doc("[PathMenu]\n" + lines);
  loaded->list.CreatePathListFromIni(doc);
  BuildTreeFromJumpListMenu(loaded->list, loaded->tree);
  return loaded;
}

TEST(TreeConversionsTest, FileToListToTreeToFileGivesTheSameLines) {
  auto loaded = LoadAndBuild(kStoredLines);
  EXPECT_EQ(Outline(loaded->tree),
            "文档(&D)\n-工作[&G]\n  Reports\n  -Nested\n    No path yet\n    -\n    Old\n"
            "  --\n--\n-\n-Empty group\n--\n Web\n");
  core::IniDocument doc = Doc("[Main]\nVer=1\n[PathMenu]\nmenu1=stale\n[Option]\nA=1\n");
  ASSERT_TRUE(SavePathListFromTreeViewToIni(loaded->tree, doc));
  EXPECT_EQ(SectionText(doc), kStoredLines);
  // Rewritten where it stands.
  EXPECT_EQ(U8(doc.Sections()[1].Name()), "PathMenu");
  EXPECT_EQ(doc.Sections().size(), 3u);
}

TEST(TreeConversionsTest, BuildGivesRecordsFromTagsAndFreshOnesToEndMarkers) {
  auto loaded =
      LoadAndBuild("menu1=-G\npath1=<>\nmenu2=a\npath2=  C:\\a  \nmenu3=-\nmenu4=--\nmenu5=-\n");
  const JumpList& list = loaded->list;
  const JumpTree& tree = loaded->tree;
  const JumpItem& group = list.Items()[0];
  NodeId head = Find(tree, "-G");
  ASSERT_NE(tree.Record(head), nullptr);
  EXPECT_EQ(tree.Record(head)->customId, group.tag);
  EXPECT_EQ(tree.PathInfo(head), u"<>");
  // The entry's path info is trimmed.
  EXPECT_EQ(tree.Record(Find(tree, "a"))->customId, group.children[1].tag);
  EXPECT_EQ(tree.PathInfo(Find(tree, "a")), u"C:\\a");
  // Separators from the menu carry no record; end markers a fresh one.
  EXPECT_EQ(tree.Record(Find(tree, "-", 0)), nullptr);
  EXPECT_EQ(tree.Record(Find(tree, "-", 1)), nullptr);
  const NodeRecord* end = tree.Record(Find(tree, "--"));
  ASSERT_NE(end, nullptr);
  EXPECT_EQ(end->pathInfo, u"<>");
  EXPECT_EQ(end->customId, list.ItemCounter());
  EXPECT_TRUE(tree.IsExpanded(head));
  EXPECT_TRUE(tree.SelectedNodes().empty());
  EXPECT_EQ(tree.Focused(), std::nullopt);
}

TEST(TreeConversionsTest, BuildLeavesOutFunctionAndCurrentFolderItems) {
  auto loaded = std::make_unique<Loaded>();
  core::IniDocument doc = Doc("[PathMenu]\nmenu1=-G\nmenu2=a\npath2=C:\\a\nmenu3=--\nmenu4=b\n");
  loaded->list.CreatePathListFromIni(doc);
  jumplist::CopyFunctionItemsIntoJumpList(loaded->list, 1);
  jumplist::SetCurrentFolderItems(loaded->list, true);
  BuildTreeFromJumpListMenu(loaded->list, loaded->tree);
  EXPECT_EQ(Outline(loaded->tree), "-G\n  a\n--\nb\n");
}

TEST(TreeConversionsTest, RebuildGivesWhatLoadingTheSavedLinesGives) {
  for (bool hide : {true, false}) {
    auto loaded = LoadAndBuild(kStoredLines);
    jumplist::CopyFunctionItemsIntoJumpList(loaded->list, 1);
    jumplist::SetCurrentFolderItems(loaded->list, true);
    core::IniDocument saved;
    ASSERT_TRUE(SavePathListFromTreeViewToIni(loaded->tree, saved));
    JumpList expected;
    expected.CreatePathListFromIni(saved, {jumplist::kNoCaptionLimit, hide});
    jumplist::CopyFunctionItemsIntoJumpList(expected, 1);

    RebuildJumpListMenuFromTree(loaded->tree, loaded->list, hide);
    EXPECT_EQ(DumpList(loaded->list), DumpList(expected)) << hide;
    EXPECT_TRUE(loaded->tree.Empty());
  }
}

TEST(TreeConversionsTest, RebuildNumbersEntriesOneToNSeparatorsIncluded) {
  auto loaded = LoadAndBuild(kStoredLines);
  RebuildJumpListMenuFromTree(loaded->tree, loaded->list, true);
  std::vector<int32_t> tags;
  jumplist::ForEachItem(loaded->list.Items(), [&](const JumpItem& item, size_t) {
    if (item.kind != JumpItemKind::kPlaceholder) tags.push_back(item.tag);
  });
  ASSERT_EQ(tags.size(), 10u);
  for (size_t i = 0; i < tags.size(); ++i) EXPECT_EQ(tags[i], static_cast<int32_t>(i + 1));
  EXPECT_EQ(loaded->list.ItemCounter(), 10);
  EXPECT_EQ(DumpList(loaded->list),
            "文档(&D)=D:\\Docs\n"
            "工作[&G]/=E:\\Work|F:\\Work\n"
            "  Reports=E:\\Reports\n"
            "  Nested/\n"
            "    No path yet=\n"
            "    -\n"
            "    Old=/D:\\Old {disabled} {hidden}\n"
            "-\n"
            "Empty group/\n"
            " Web=*<Url>https://example.com/{YYYY}\n");
}

TEST(TreeConversionsTest, RebuildIgnoresAStrayEndMarkerAndBlankNodes) {
  JumpTree tree = test::TreeFromOutline("--\na\tA\n-G\n  b\tB\n--\n--\nc\tC\n");
  tree.Insert(Place::After(Find(tree, "a")), u"   ", NodeRecord{7, u"X"});
  tree.Insert(Place::After(Find(tree, "a")), u"-", std::nullopt);  // a separator without record
  tree.Insert(Place::LastChildOf(std::nullopt), u"no record", std::nullopt);
  // Blanks before a text keep its kind: an entry " --" closes no group.
  tree.Insert(Place::FirstChildOf(Find(tree, "-G")), u" --", NodeRecord{8, u"D"});
  JumpList list;
  RebuildJumpListMenuFromTree(tree, list, true);
  // Without record: no path line, so unmapped, enabled and inert.
  EXPECT_EQ(DumpList(list), "a=A\n-\nG/\n   --=D\n  b=B\nc=C\nno record {inert}\n");
}

TEST(TreeConversionsTest, SaveWritesPathLinesByTheRecordAlone) {
  JumpTree tree = test::TreeFromOutline("-G\tD:\\G\n  none\t<>\n  empty\t\n--\n-\n-H\n--\n");
  tree.Insert(Place::LastChildOf(std::nullopt), u"-", std::nullopt);
  core::IniDocument doc;
  ASSERT_TRUE(SavePathListFromTreeViewToIni(tree, doc));
  EXPECT_EQ(SectionText(doc),
            "menu1=-G\npath1=D:\\G\nmenu2=none\nmenu3=empty\npath3=\nmenu4=--\nmenu5=-\n"
            "menu6=-H\nmenu7=--\nmenu8=-\n");
}

TEST(TreeConversionsTest, NoValueCanPlantALineInTheFile) {
  // Through the tree: captions lose line breaks, path infos get " | ".
  JumpTree tree(test::CountingIds());
  NodeId node = tree.Insert(Place::LastChildOf(std::nullopt), u"a\r\nmenu2=-Evil", std::nullopt);
  tree.SetPathInfo(node, u"C:\\a\r\n[Option]\r\nAutoRun=1");
  core::IniDocument doc;
  ASSERT_TRUE(SavePathListFromTreeViewToIni(tree, doc));
  core::IniDocument reread = core::IniDocument::Parse(doc.Serialize());
  EXPECT_EQ(SectionText(reread), "menu1=amenu2=-Evil\npath1=C:\\a | [Option] | AutoRun=1\n");
  EXPECT_FALSE(reread.HasSection(u"Option"));
  // The writer itself refuses line breaks, writing nothing.
  core::IniDocument kept = Doc("[PathMenu]\nmenu1=kept\n");
  for (const StoredLine& line : {StoredLine{u"a\nb", std::nullopt}, StoredLine{u"a", u"C:\\\r"}}) {
    EXPECT_FALSE(WriteStoredLines({StoredLine{u"ok", u"C:\\"}, line}, kept));
    EXPECT_EQ(SectionText(kept), "menu1=kept\n");
  }
}

// The settings writer of the program, as far as the editor's save uses it.
class FakeSettingsFiles : public settings::SettingsFiles {
 public:
  bool writeSucceeds = true;
  std::vector<std::string> calls;
  std::string written;

  void ClearIniFileAttributes() override { calls.push_back("clear"); }
  bool WriteIniFile(const core::IniDocument& ini) override {
    calls.push_back("write");
    written = SectionText(ini);
    return writeSucceeds;
  }
  core::FileBytes ReadFileBytes(const std::u16string&) override { return {}; }
  core::FileStatus WriteFileBytes(const std::u16string&, std::string_view) override {
    return core::FileStatus::kOk;
  }
};

TEST(SaveTreeToIniFileTest, AFailedWriteIsReportedAndTheDocumentKeepsWhatTheFileHolds) {
  JumpTree tree = test::TreeFromOutline("new\tC:\\new\n");
  for (bool sectionBefore : {true, false}) {
    core::IniDocument doc =
        Doc(sectionBefore ? "[PathMenu]\nmenu1=old\npath1=C:\\old\n" : "[Main]\n");
    FakeSettingsFiles files;
    files.writeSucceeds = false;
    EXPECT_FALSE(SaveTreeToIniFile(tree, doc, files));
    EXPECT_EQ(files.calls, (std::vector<std::string>{"clear", "write"}));
    EXPECT_EQ(files.written, "menu1=new\npath1=C:\\new\n");
    EXPECT_EQ(SectionText(doc), sectionBefore ? "menu1=old\npath1=C:\\old\n" : "");
    EXPECT_EQ(doc.HasSection(u"PathMenu"), sectionBefore);
  }
  core::IniDocument doc = Doc("[PathMenu]\nmenu1=old\n");
  FakeSettingsFiles files;
  EXPECT_TRUE(SaveTreeToIniFile(tree, doc, files));
  EXPECT_EQ(SectionText(doc), "menu1=new\npath1=C:\\new\n");
}

TEST(TreeConversionsTest, SixtyThousandNestedGroupsRoundTrip) {
  constexpr int kDepth = 60000;
  std::string lines;
  int n = 0;
  for (int i = 0; i < kDepth; ++i) lines += "menu" + std::to_string(++n) + "=-g\n";
  ++n;
  lines += "menu" + std::to_string(n) + "=leaf\npath" + std::to_string(n) + "=C:\\leaf\n";
  for (int i = 0; i < kDepth; ++i) lines += "menu" + std::to_string(++n) + "=--\n";
  auto loaded = LoadAndBuild(lines);
  EXPECT_EQ(loaded->tree.Size(), 2u * kDepth + 1);
  core::IniDocument doc;
  ASSERT_TRUE(SavePathListFromTreeViewToIni(loaded->tree, doc));
  EXPECT_EQ(SectionText(doc), lines);
  RebuildJumpListMenuFromTree(loaded->tree, loaded->list, true);
  EXPECT_EQ(loaded->list.ItemCounter(), kDepth + 1);
  BuildTreeFromJumpListMenu(loaded->list, loaded->tree);
  EXPECT_EQ(loaded->tree.Size(), 2u * kDepth + 1);
}

}  // namespace
}  // namespace pathorama::editor
