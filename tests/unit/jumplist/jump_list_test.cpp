#include "jumplist/jump_list.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <string>

#include "core/file_io.h"
#include "core/text.h"
#include "unit/support/scratch_folder.h"

namespace pathorama::jumplist {
namespace {

namespace fs = std::filesystem;

// The tree as text: two spaces per level; an entry "CAPTION<TAB>PATH", a
// group "CAPTION/" (and "<TAB>PATH" when mapped), a separator "-"; then
// " {disabled}", " {hidden}", " {inert}" (no item activation) as they apply.
// With `asStored`, what the file does not keep is left out: a group's path
// info of only blanks and angle brackets, a separator's flags.
void DumpItems(const JumpList& list, const std::vector<JumpItem>& items,
               int depth, std::string& out, bool asStored) {
  for (const JumpItem& item : items) {
    if (item.kind == JumpItemKind::kPlaceholder) {
      EXPECT_FALSE(item.visible);
      EXPECT_TRUE(item.caption.empty());
      continue;
    }
    out += std::string(2 * depth, ' ');
    switch (item.kind) {
      case JumpItemKind::kSeparator:
        out += "-";
        break;
      case JumpItemKind::kGroup:
        out += core::Utf16ToUtf8(item.caption) + "/";
        if (list.HasPathByTag(item.tag) &&
            !(asStored && core::TrimChars(list.PathByTag(item.tag), u" \t<>").empty()))
          out += "\t" + core::Utf16ToUtf8(list.PathByTag(item.tag));
        EXPECT_FALSE(item.children.empty());
        if (!item.children.empty()) {
          EXPECT_EQ(item.children[0].kind, JumpItemKind::kPlaceholder);
        }
        break;
      case JumpItemKind::kFunction:
        out += "fn " + core::Utf16ToUtf8(item.name);
        break;
      default:
        out += core::Utf16ToUtf8(item.caption) + "\t" + core::Utf16ToUtf8(list.PathByTag(item.tag));
        break;
    }
    // A path line after a separator may disable it, but a separator's path
    // line is never stored.
    if (asStored && item.kind == JumpItemKind::kSeparator) {
      out += "\n";
      continue;
    }
    if (!item.enabled) out += " {disabled}";
    if (!item.visible) out += " {hidden}";
    if (!item.clickable && item.kind != JumpItemKind::kSeparator &&
        item.kind != JumpItemKind::kFunction)
      out += " {inert}";
    out += "\n";
    DumpItems(list, item.children, depth + 1, out, asStored);
  }
}

std::string Dump(const JumpList& list, bool asStored = false) {
  std::string out;
  DumpItems(list, list.Items(), 0, out, asStored);
  return out;
}

// The lines of one section as "key=value\n".
std::string SectionText(const core::IniDocument& doc, std::u16string_view name) {
  std::string out;
  if (const core::IniSection* s = doc.FindSection(name))
    for (const core::IniEntry& e : s->Entries())
      out += core::Utf16ToUtf8(std::u16string(e.Key()) + u"=" + std::u16string(e.Value())) + "\n";
  return out;
}

core::IniDocument Doc(std::string_view utf8) {
  return core::IniDocument::Parse(core::Utf8ToUtf16(utf8));
}

// Saving what was loaded and loading it again must give the same tree: a
// save after any load never loses a loaded entry. (An entry that had no path
// line is written with an empty one, so it is no longer inert; a group's "<>"
// is not stored.)
void ExpectSaveKeepsEverything(const JumpList& loaded, const std::string& context,
                               bool hideDisabledItems = true) {
  core::IniDocument saved;
  loaded.SavePathListFromMenuToIni(saved);
  JumpList again;
  again.CreatePathListFromIni(saved, {kNoCaptionLimit, hideDisabledItems});
  auto withoutInert = [](std::string text) {
    for (size_t at; (at = text.find(" {inert}")) != std::string::npos;) text.erase(at, 8);
    return text;
  };
  EXPECT_EQ(withoutInert(Dump(again, true)), withoutInert(Dump(loaded, true)))
      << context << "\nsaved:\n" << SectionText(saved, u"PathMenu");
}

TEST(JumpList, SaveAndReloadGiveTheSameLinesNumberedWithoutGaps) {
  const std::string lines =
      "menu1=文档(&D)\n"
      "path1=D:\\Docs\n"
      "menu2=-工作\n"
      "path2=E:\\Work|F:\\Work\n"
      "menu3=Reports\n"
      "path3=E:\\Reports\n"
      "menu4=-Nested\n"
      "menu5=No path yet\n"
      "path5=\n"
      "menu6=-\n"
      "menu7=Old\n"
      "path7= /D:\\Old\n"
      "menu8=--\n"
      "menu9=--\n"
      "menu10=-\n"
      "menu11=-Empty group\n"
      "menu12=--\n"
      "menu13=Web\n"
      "path13=*<Url>https://example.com/{YYYY}\n";
  core::IniDocument doc = Doc("[Main]\nVer=1\n[PathMenu]\n" + lines + "[Option]\nA=1\n");
  JumpList list;
  ASSERT_EQ(list.CreatePathListFromIni(doc), JumpList::LoadResult::kLoaded);
  EXPECT_EQ(Dump(list),
            "文档(&D)\tD:\\Docs\n"
            "工作/\tE:\\Work|F:\\Work\n"
            "  Reports\tE:\\Reports\n"
            "  Nested/\n"
            "    No path yet\t\n"
            "    -\n"
            "    Old\t /D:\\Old {disabled} {hidden}\n"
            "-\n"
            "Empty group/\n"
            "Web\t*<Url>https://example.com/{YYYY}\n");

  core::IniDocument saved = doc;
  list.SavePathListFromMenuToIni(saved);
  EXPECT_EQ(SectionText(saved, u"PathMenu"), lines);
  EXPECT_EQ(SectionText(saved, u"Option"), "A=1\n");  // other sections untouched
  ExpectSaveKeepsEverything(list, "round trip");
}

TEST(JumpList, ReadingFollowsKeyOrderNotNumbers) {
  JumpList list;
  core::IniDocument doc =
      Doc("[pathmenu]\nmenu9=A\npath9=a\nMENU1=B\nPath1=b\nmenu5=-G\nmenu2=C\n"
          "path77=c\nmenu3=--\n");
  list.CreatePathListFromIni(doc);
  EXPECT_EQ(Dump(list), "A\ta\nB\tb\nG/\n  C\tc\n");
  core::IniDocument saved;
  list.SavePathListFromMenuToIni(saved);
  EXPECT_EQ(SectionText(saved, u"PathMenu"),
            "menu1=A\npath1=a\nmenu2=B\npath2=b\nmenu3=-G\nmenu4=C\npath4=c\nmenu5=--\n");
}

TEST(JumpList, GroupPathLinesAndDisabledEntries) {
  struct Case {
    const char* name;
    std::string section;
    bool hide;
    std::string tree;
    std::string saved;
  };
  const Case cases[] = {
      {"a group marked <> gets no path line", "menu1=-G\npath1=< >\nmenu2=--\n", true,
       "G/\t< >\n", "menu1=-G\nmenu2=--\n"},
      {"a group with real path info keeps it", "menu1=-G\npath1=<D:\\G>\nmenu2=--\n", true,
       "G/\t<D:\\G>\n", "menu1=-G\npath1=<D:\\G>\nmenu2=--\n"},
      {"disabled entry hidden", "menu1=A\npath1= /D:\\A\n", true,
       "A\t /D:\\A {disabled} {hidden}\n", "menu1=A\npath1= /D:\\A\n"},
      {"disabled entry greyed", "menu1=A\npath1=  /D:\\A\n", false,
       "A\t  /D:\\A {disabled}\n", "menu1=A\npath1=  /D:\\A\n"},
      // Only spaces stand before the mark, as in the editor, which would
      // otherwise show enabled an entry the menu greys out.
      {"a tab before the slash is no mark", "menu1=A\npath1=\t/D:\\A\n", false,
       "A\t\t/D:\\A\n", "menu1=A\npath1=\t/D:\\A\n"},
      {"a slash later is no mark", "menu1=A\npath1=D:/A\n", true, "A\tD:/A\n",
       "menu1=A\npath1=D:/A\n"},
      {"a disabled group", "menu1=-G\npath1=/D:\\G\nmenu2=x\npath2=y\n", true,
       "G/\t/D:\\G {disabled} {hidden}\n  x\ty\n", "menu1=-G\npath1=/D:\\G\nmenu2=x\npath2=y\nmenu3=--\n"},
      {"an entry without path line is inert but saved with an empty path", "menu1=A\nmenu2=B\npath2=b\n",
       true, "A\t {inert}\nB\tb\n", "menu1=A\npath1=\nmenu2=B\npath2=b\n"},
  };
  for (const Case& c : cases) {
    core::IniDocument doc = Doc("[PathMenu]\n" + c.section);
    JumpList list;
    list.CreatePathListFromIni(doc, {kNoCaptionLimit, c.hide});
    EXPECT_EQ(Dump(list), c.tree) << c.name;
    core::IniDocument saved;
    list.SavePathListFromMenuToIni(saved);
    EXPECT_EQ(SectionText(saved, u"PathMenu"), c.saved) << c.name;
  }
}

TEST(JumpList, DamagedSectionsLoadWhatCanBeLoadedAndSaveKeepsIt) {
  struct Case {
    const char* name;
    std::string section;
    std::string tree;
  };
  const Case cases[] = {
      {"a stray -- at the top level is ignored",
       "menu1=A\npath1=a\nmenu2=--\nmenu3=B\npath3=b\nmenu4=-G\nmenu5=C\npath5=c\nmenu6=--\nmenu7=--\n"
       "menu8=D\npath8=d\n",
       "A\ta\nB\tb\nG/\n  C\tc\nD\td\n"},
      {"groups never closed are closed at the end", "menu1=-G\nmenu2=-H\nmenu3=X\npath3=x\n",
       "G/\n  H/\n    X\tx\n"},
      {"a path line after -- does not land on another item",
       "menu1=-G\nmenu2=X\npath2=x\nmenu3=--\npath3=oops\nmenu4=Y\npath4=y\n",
       "G/\n  X\tx\nY\ty\n"},
      {"a line without = separates a path line from its menu line",
       "menu1=A\njunk line\npath1=a\nmenu2=B\npath2=b\n", "A\t {inert}\nB\tb\n"},
      {"a second path line is ignored", "menu1=A\npath1=a\npath1=other\npath2=more\n", "A\ta\n"},
      {"an empty caption drops the line and its path line", "menu1=\npath1=lost\nmenu2=A\npath2=a\n",
       "A\ta\n"},
      {"keys that are neither menu nor path lines", "x=1\nmenu1=A\npath1=a\n=b\nmenuX=B\n",
       "A\ta\nB\t {inert}\n"},
      {"a path line at the start", "path1=a\nmenu1=A\n", "A\t {inert}\n"},
      {"a group's own caption may begin with dashes", "menu1=---\nmenu2=X\npath2=x\nmenu3=--\nmenu4=-\n",
       "--/\n  X\tx\n-\n"},
  };
  for (const Case& c : cases) {
    core::IniDocument doc = Doc("[PathMenu]\n" + c.section);
    JumpList list;
    list.CreatePathListFromIni(doc);
    EXPECT_EQ(Dump(list), c.tree) << c.name;
    ExpectSaveKeepsEverything(list, c.name);
  }
}

TEST(JumpList, LegacySectionIsMigratedOnlyWhenAlone) {
  {
    core::IniDocument doc =
        Doc("[Main]\nVer=1\n[DirMenu]\nmenu1=A\npath1=a\nnote without value\nmenu2=-\n");
    JumpList list;
    EXPECT_EQ(list.CreatePathListFromIni(doc), JumpList::LoadResult::kMigrated);
    EXPECT_FALSE(doc.HasSection(u"DirMenu"));
    EXPECT_EQ(SectionText(doc, u"PathMenu"),
              "menu1=A\npath1=a\nnote without value=\nmenu2=-\n");
    EXPECT_EQ(doc.Sections().back().Name(), u"PathMenu");
    EXPECT_EQ(Dump(list), "A\ta\n-\n");
  }
  {
    core::IniDocument doc = Doc("[DirMenu]\nmenu1=Old\npath1=o\n[PathMenu]\nmenu1=New\npath1=n\n");
    JumpList list;
    EXPECT_EQ(list.CreatePathListFromIni(doc), JumpList::LoadResult::kLoaded);
    EXPECT_EQ(SectionText(doc, u"DirMenu"), "menu1=Old\npath1=o\n");
    EXPECT_EQ(Dump(list), "New\tn\n");
  }
  {
    core::IniDocument doc = Doc("[Main]\nVer=1\n");
    JumpList list;
    list.Items().push_back(list.NewEntry(u"kept"));
    EXPECT_EQ(list.CreatePathListFromIni(doc), JumpList::LoadResult::kNoSection);
    EXPECT_EQ(Dump(list), "kept\t {inert}\n");
    EXPECT_FALSE(doc.HasSection(u"PathMenu"));
  }
}

TEST(JumpList, ReloadKeepsFunctionItemsLastAndTagsUnique) {
  JumpList list;
  JumpItem function;
  function.kind = JumpItemKind::kFunction;
  function.name = u"mni_AppSetting";
  function.caption = u"程序设置(&S)";
  list.Items().push_back(function);
  core::IniDocument doc =
      Doc("[PathMenu]\nmenu1=A\npath1=a\nmenu2=-G\nmenu3=B\npath3=b\nmenu4=--\n");
  list.CreatePathListFromIni(doc);
  EXPECT_EQ(Dump(list), "A\ta\nG/\n  B\tb\nfn mni_AppSetting\n");
  EXPECT_EQ(list.ItemCounter(), 4);  // every menu line counts, "--" included
  const int32_t firstTag = list.Items()[0].tag;

  // Current-folder items stand at the end of groups and are never stored.
  JumpItem current;
  current.kind = JumpItemKind::kCurrentFolder;
  current.name = u"mni_AddCurFolder_7";
  current.tag = list.NewTag();
  list.Items()[1].children.push_back(current);
  core::IniDocument saved;
  list.SavePathListFromMenuToIni(saved);
  EXPECT_EQ(SectionText(saved, u"PathMenu"),
            "menu1=A\npath1=a\nmenu2=-G\nmenu3=B\npath3=b\nmenu4=--\n");

  list.CreatePathListFromIni(doc);
  EXPECT_EQ(Dump(list), "A\ta\nG/\n  B\tb\nfn mni_AppSetting\n");
  EXPECT_GT(list.Items()[0].tag, firstTag);
  EXPECT_EQ(list.PathByTagMap().size(), 2u);  // the old tags' paths are gone
  EXPECT_EQ(list.PathByTag(firstTag), u"");
  ASSERT_NE(list.FindByTag(list.Items()[1].children[1].tag), nullptr);
  EXPECT_EQ(list.FindByTag(list.Items()[1].children[1].tag)->caption, u"B");
  EXPECT_EQ(list.FindByTag(firstTag), nullptr);
}

TEST(JumpList, ItemsWithoutATagAreNotStoredAndLeaveNoGap) {
  JumpList list;
  list.Items().push_back(list.NewEntry(u"A"));
  JumpItem untagged;
  untagged.caption = u"not a list item";
  list.Items().push_back(untagged);
  list.Items().push_back(list.NewSeparator());
  JumpItem group = list.NewGroup(u"G");
  group.children.push_back(list.NewEntry(u"B"));
  list.SetPathByTag(group.children.back().tag, u"b");
  list.Items().push_back(group);
  core::IniDocument saved;
  list.SavePathListFromMenuToIni(saved);
  EXPECT_EQ(SectionText(saved, u"PathMenu"),
            "menu1=A\npath1=\nmenu2=-\nmenu3=-G\nmenu4=B\npath4=b\nmenu5=--\n");
}

TEST(JumpList, CaptionLimitAppliesToCaptionsButNeverToMarkers) {
  core::IniDocument doc =
      Doc("[PathMenu]\nmenu1=Documents archive(&A)\npath1=a\nmenu2=-Group of many things\n"
          "menu3=-\nmenu4=Documents archive\npath4=b\nmenu5=--\n");
  JumpList list;
  list.CreatePathListFromIni(doc, {1, true});
  // With the limit 1 even "-" and "--" are longer than allowed; they and
  // the group's "-" keep their meaning.
  EXPECT_EQ(Dump(list), "...(&A)\ta\n.../\n  -\n  ...\tb\n");
  ExpectSaveKeepsEverything(list, "limit 1");
  list.CreatePathListFromIni(doc, {10, true});
  EXPECT_EQ(Dump(list), "Docu...(&A)\ta\nGroup o.../\n  -\n  Documen...\tb\n");
}

std::string RandomBytes(size_t count, unsigned seed) {
  std::mt19937 random(seed);
  std::string bytes(count, '\0');
  for (char& c : bytes) c = static_cast<char>(random() & 0xFF);
  return bytes;
}

TEST(JumpList, BinaryGarbageAndOddFilesLoadWithoutHarm) {
  struct Case {
    const char* name;
    std::string bytes;
    std::string tree;  // empty: anything goes, as long as nothing breaks
  };
  using std::string_literals::operator""s;
  const std::string header = "[PathMenu]\r\nmenu1=A\r\npath1=a\r\n";
  const Case cases[] = {
      {"garbage", RandomBytes(65536, 1), ""},
      {"garbage after entries (odd length: ANSI)", header + RandomBytes(65535, 2) + "\r\n", ""},
      {"garbage with a UTF-16LE mark", "\xFF\xFE" + RandomBytes(65535, 3), ""},
      {"garbage with a UTF-8 mark", "\xEF\xBB\xBF" + RandomBytes(65536, 4), ""},
      {"odd-length UTF-16LE",
       "\xFF\xFE[\0P\0a\0t\0h\0M\0e\0n\0u\0]\0\n\0m\0e\0n\0u\0001\0=\0\x2D\x4E\n\0"
       "p\0a\0t\0h\0001\0=\0x\0\n\0m\0e\0n\0u\0002\0=\0B\0\x41"s,
       "中\tx\nB\ufffd\t {inert}\n"},
      // Zero bytes make a file UTF-16 (never UTF-8); NUL characters inside
      // its lines are kept as they are.
      {"NUL characters inside lines (UTF-16LE without mark)",
       "[\0P\0a\0t\0h\0M\0e\0n\0u\0]\0\n\0m\0e\0n\0u\0001\0=\0A\0\0\0B\0\n\0"
       "p\0a\0t\0h\0001\0=\0a\0\0\0\n\0"s,
       "A\0B\ta\0\n"s},
  };
  for (const Case& c : cases) {
    core::TextEncoding encoding = core::DetectTextEncoding(c.bytes);
    core::IniDocument doc = core::IniDocument::Parse(DecodeText(c.bytes, encoding, 936));
    JumpList list;
    list.CreatePathListFromIni(doc);
    if (!c.tree.empty()) {
      EXPECT_EQ(Dump(list), c.tree) << c.name;
    }
    if (c.name == std::string("garbage after entries (odd length: ANSI)")) {
      EXPECT_EQ(encoding, core::TextEncoding::Ansi);
      ASSERT_FALSE(list.Items().empty());
      EXPECT_EQ(list.Items()[0].caption, u"A");
    }
    ExpectSaveKeepsEverything(list, c.name);
  }
}

// Random sections built from the pieces of the format, damaged ones
// included: every save keeps what was loaded, numbers its menu lines 1, 2,
// 3, ... and gives each path line the number of the menu line above it.
TEST(JumpList, RandomSectionsSaveEverythingNumberedWithoutGaps) {
  const char* const kLines[] = {"menu=Entry", "menu=-Group", "menu=--", "menu=-", "path=D:\\x",
                                "path=", "path= /D:\\off", "menu=", "junk", "path=<>",
                                "Menu=文档(&D)", "PATH=*{YYYY}"};
  std::mt19937 random(7);
  for (int round = 0; round < 300; ++round) {
    std::string section = "[PathMenu]\n";
    const int count = static_cast<int>(random() % 30);
    for (int i = 0; i < count; ++i) {
      std::string line = kLines[random() % std::size(kLines)];
      size_t eq = line.find('=');
      if (eq != std::string::npos) line.insert(eq, std::to_string(random() % 50));
      section += line + "\n";
    }
    core::IniDocument doc = Doc(section);
    JumpList list;
    const bool hide = random() % 2 == 0;
    list.CreatePathListFromIni(doc, {kNoCaptionLimit, hide});
    ExpectSaveKeepsEverything(list, section, hide);

    core::IniDocument saved;
    list.SavePathListFromMenuToIni(saved);
    long long menus = 0;
    std::u16string above;
    for (const core::IniEntry& e : saved.FindSection(u"PathMenu")->Entries()) {
      if (core::StartsWithIgnoreCase(e.Key(), u"menu")) {
        EXPECT_EQ(e.Key(), u"menu" + core::IntToText(++menus)) << section;
      } else {
        EXPECT_EQ(e.Key(), u"path" + core::IntToText(menus)) << section;
        EXPECT_TRUE(core::StartsWithIgnoreCase(above, u"menu")) << section;
      }
      above = e.Key();
    }
    if (HasFailure()) break;
  }
}

using JumpListFile = test_support::ScratchFolderTest;

TEST_F(JumpListFile, AFiftyMegabyteFileLoadsWhatItCan) {
  const fs::path file = dir_ / "big.ini";
  {
    std::ofstream out(file, std::ios::binary);
    out << "[PathMenu]\r\nmenu1=\xD6\xD0\xCE\xC4\r\npath1=D:\\a\r\nmenu2=-G\r\nmenu3=B\r\npath3=b\r\n";
    std::mt19937 random(42);
    std::string block(1 << 20, '\0');
    for (int i = 0; i < 50; ++i) {
      for (size_t k = 0; k < block.size(); k += 4) {
        uint32_t r = random();
        for (size_t b = 0; b < 4; ++b) block[k + b] = static_cast<char>(r >> (8 * b));
      }
      out << block;
    }
    out << "x";  // odd length: the garbage rules out UTF-8 and UTF-16, so ANSI
  }
  core::LoadedIni loaded = core::LoadIniDocument(Path("big.ini"), 936);
  ASSERT_EQ(loaded.status, core::FileStatus::kOk);
  EXPECT_EQ(loaded.encoding, core::TextEncoding::Ansi);
  core::IniDocument& doc = loaded.document;
  JumpList list;
  list.CreatePathListFromIni(doc);
  ASSERT_GE(list.Items().size(), 2u);
  EXPECT_EQ(list.Items()[0].caption, u"中文");
  EXPECT_EQ(list.PathByTag(list.Items()[0].tag), u"D:\\a");
  ASSERT_TRUE(list.Items()[1].IsGroup());
  ASSERT_GE(list.Items()[1].children.size(), 2u);
  EXPECT_EQ(list.Items()[1].children[1].caption, u"B");
  list.SavePathListFromMenuToIni(doc);
  const std::string head = "menu1=中文\npath1=D:\\a\nmenu2=-G\nmenu3=B\npath3=b\n";
  EXPECT_EQ(SectionText(doc, u"PathMenu").substr(0, head.size()), head);
}

TEST_F(JumpListFile, SavingClearsReadOnlyAndMigrationIsWritten) {
  const fs::path file = dir_ / "p.ini";
  std::ofstream(file, std::ios::binary) << "[Main]\r\nVer=1\r\n[DirMenu]\r\nmenu1=A\r\npath1=a\r\n";
  core::LoadedIni loaded = core::LoadIniDocument(Path("p.ini"), 936);
  ASSERT_EQ(loaded.status, core::FileStatus::kOk);
  core::IniDocument& doc = loaded.document;
  JumpList list;
  ASSERT_EQ(list.CreatePathListFromIni(doc), JumpList::LoadResult::kMigrated);
  ASSERT_EQ(core::SaveIniDocument(Path("p.ini"), doc), core::FileStatus::kOk);

  fs::permissions(file, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  list.Items().push_back(list.NewEntry(u"新"));
  ASSERT_EQ(SavePathListToIniFile(list, doc, Path("p.ini")), core::FileStatus::kOk);
  std::ifstream in(file, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), {});
  EXPECT_EQ(bytes, "\xEF\xBB\xBF[Main]\r\nVer=1\r\n\r\n[PathMenu]\r\nmenu1=A\r\npath1=a\r\n"
                   "menu2=\xE6\x96\xB0\r\npath2=\r\n");

  // A save that cannot be written leaves the list as it was for the next try.
  EXPECT_EQ(SavePathListToIniFile(list, doc, Path("missing folder/p.ini")),
            core::FileStatus::kNotFound);
  EXPECT_EQ(Dump(list), "A\ta\n新\t {inert}\n");
}

TEST(JumpList, CopiesAreDeepAndIndependent) {
  core::IniDocument doc = Doc(
      "[PathMenu]\nmenu1=A\npath1=/a\nmenu2=-G\npath2=g\nmenu3=-H\nmenu4=B\npath4=b\n"
      "menu5=--\nmenu6=-\nmenu7=--\n");
  JumpList list;
  list.CreatePathListFromIni(doc, {kNoCaptionLimit, false});
  const std::string tree = Dump(list);
  JumpList copy(list);
  JumpList assigned;
  assigned.Items().push_back(assigned.NewEntry(u"replaced"));
  assigned = list;
  EXPECT_EQ(Dump(copy), tree);
  EXPECT_EQ(Dump(assigned), tree);
  copy.Items()[1].children[1].children[1].caption = u"changed";
  assigned.Items()[1].children.pop_back();
  EXPECT_EQ(Dump(list), tree);
}

// A settings file whose [PathMenu] nests `depth` groups (every thousandth
// with a path line) around one entry, as the program writes it.
std::string DeepFileBytes(int depth) {
  std::string text = "\xEF\xBB\xBF[PathMenu]\r\n";
  long long n = 0;
  auto line = [&](const char* kind, const std::string& value) {
    if (kind[0] == 'm') ++n;
    text += kind + std::to_string(n) + "=" + value + "\r\n";
  };
  for (int level = 0; level < depth; ++level) {
    line("menu", "-G" + std::to_string(level));
    if (level % 1000 == 0) line("path", "C:\\G" + std::to_string(level));
  }
  line("menu", "Deep");
  line("path", "D:\\Deep");
  for (int level = 0; level < depth; ++level) line("menu", "--");
  return text;
}

// The innermost item below `items` along the chain of groups, and how many
// groups lead to it; the chain holds each group's placeholder and one child.
std::pair<const JumpItem*, int> BottomOfChain(const std::vector<JumpItem>& items) {
  const JumpItem* item = &items.at(0);
  int levels = 0;
  while (item->IsGroup() && item->children.size() == 2) {
    item = &item->children[1];
    ++levels;
  }
  return {item, levels};
}

// Any depth that loads also saves, is searched, copied and freed, and none
// of these recurses on the machine stack: natively a recursive save failed at
// about 52,000 levels and freeing at about 400,000; the Windows program's
// main thread has 2 MB of stack, where this test runs under Wine too.
TEST_F(JumpListFile, DeepTreesSaveSearchCopyAndFreeWithoutRecursion) {
#ifdef _WIN32
  const int depths[] = {60000};
#else
  const int depths[] = {60000, 400000};
#endif
  for (int depth : depths) {
    SCOPED_TRACE(depth);
    const std::string bytes = DeepFileBytes(depth);
    std::ofstream(dir_ / "deep.ini", std::ios::binary) << bytes;
    core::LoadedIni loaded = core::LoadIniDocument(Path("deep.ini"), 936);
    ASSERT_EQ(loaded.status, core::FileStatus::kOk);
    auto list = std::make_unique<JumpList>();
    ASSERT_EQ(list->CreatePathListFromIni(loaded.document), JumpList::LoadResult::kLoaded);
    auto [bottom, levels] = BottomOfChain(list->Items());
    EXPECT_EQ(levels, depth);
    EXPECT_EQ(bottom->caption, u"Deep");
    EXPECT_EQ(list->PathByTag(bottom->tag), u"D:\\Deep");
    EXPECT_EQ(list->FindByTag(bottom->tag), bottom);
    // A tag no item has: the whole tree is searched.
    EXPECT_EQ(list->FindByTag(list->ItemCounter() + 1), nullptr);
    // The walk the listing prints from: every group, its placeholder, the entry.
    size_t visited = 0, entryDepth = 0;
    ForEachItem(list->Items(), [&](const JumpItem& item, size_t itemDepth) {
      ++visited;
      if (item.kind == JumpItemKind::kEntry) entryDepth = itemDepth;
    });
    EXPECT_EQ(visited, 2 * static_cast<size_t>(depth) + 1);
    EXPECT_EQ(entryDepth, static_cast<size_t>(depth));

    ASSERT_EQ(SavePathListToIniFile(*list, loaded.document, Path("saved.ini")),
              core::FileStatus::kOk);
    core::FileBytes saved = core::ReadFileBytes(Path("saved.ini"));
    EXPECT_TRUE(saved.bytes == bytes) << "saved " << saved.bytes.size() << " bytes of "
                                      << bytes.size();

    auto copy = std::make_unique<JumpList>(*list);
    list.reset();  // freed while its copy lives on
    auto [copiedBottom, copiedLevels] = BottomOfChain(copy->Items());
    EXPECT_EQ(copiedLevels, depth);
    EXPECT_EQ(copiedBottom->caption, u"Deep");
    EXPECT_EQ(copy->FindByTag(copiedBottom->tag), copiedBottom);
    copy.reset();
  }
}

}  // namespace
}  // namespace pathorama::jumplist
