#include "editor/imports.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>

#include "unit/editor/tree_outline.h"

namespace pathorama::editor {
namespace {

using test::CountingIds;
using test::TreeFromOutline;
using test::U;
using test::U8;

constexpr unsigned kGbk = 936;

// Every group head is followed by its end marker and every end marker
// follows a group head: what the editor and the loader rely on.
bool GroupsPaired(const JumpTree& tree) {
  for (NodeId node : tree.NodesInOrder()) {
    const std::optional<NodeId> next = tree.NextSibling(node), prev = tree.PrevSibling(node);
    if (tree.Kind(node) == NodeKind::GroupHead &&
        (!next || tree.Kind(*next) != NodeKind::EndMarker))
      return false;
    if (tree.Kind(node) == NodeKind::EndMarker &&
        (!prev || tree.Kind(*prev) != NodeKind::GroupHead || tree.HasChildren(node)))
      return false;
  }
  return true;
}

// The tree as an outline; normal items with their path info.
std::string Imported(const JumpTree& tree) {
  std::string out;
  for (NodeId node : tree.NodesInOrder()) {
    out += std::string(2 * (tree.PathFromRoot(node).size() - 1), ' ') + U8(tree.Text(node));
    if (tree.Kind(node) == NodeKind::NormalItem)
      out += "\t" + U8(tree.PathInfo(node));
    else if (tree.PathInfo(node) != u"<>")
      out += "\t(path " + U8(tree.PathInfo(node)) + ")";
    out += "\n";
  }
  return out;
}

std::string Utf16LeBytes(std::u16string_view text) {
  std::string bytes;
  for (char16_t c : text) {
    bytes += static_cast<char>(c & 0xFF);
    bytes += static_cast<char>(c >> 8);
  }
  return bytes;
}

// ---- the text file ---------------------------------------------------------------------------

struct TextCase {
  const char* name;
  const char* text;
  const char* outline;  // with path infos
};

TEST(ImportPathList, LinesBecomeEntriesGroupsAndSeparators) {
  const TextCase cases[] = {
      {"a path alone is titled by its file name without extension", "D:\\Docs\\报告.txt\r\n",
       "报告\tD:\\Docs\\报告.txt\n"},
      {"caption, tab and path", "Music\tD:\\Music\n", "Music\tD:\\Music\n"},
      {"the first path of a path info names the entry", "D:\\Docs\\Work | E:\\Backup\n",
       "Work\tD:\\Docs\\Work | E:\\Backup\n"},
      {"a group head goes through the file-name step", "-Docs 2.0\n", "-Docs 2\n--\n"},
      {"a group head with a tab keeps its caption", "-Docs 2.0\t\n", "-Docs 2.0\n--\n"},
      {"a caption that trims to nothing is taken from the path", "*\tD:\\Music\n",
       "Music\tD:\\Music\n"},
      {"type tags leave the caption", "<LocalPath>D:\\Tools\\bin\n",
       "bin\t<LocalPath>D:\\Tools\\bin\n"},
      {"groups nest and keep the file's order",
       "-Work\nD:\\a\n-Inner\nD:\\b\n--\nD:\\c\n--\n-\nD:\\d\n",
       "-Work\n  a\tD:\\a\n  -Inner\n    b\tD:\\b\n  --\n  c\tD:\\c\n--\n-\nd\tD:\\d\n"},
      {"an empty group is closed directly", "-Empty\n--\nD:\\x\n", "-Empty\n--\nx\tD:\\x\n"},
      {"blank lines and lines of only separators are skipped", "\n  \r\n | \\ \nD:\\x\n",
       "x\tD:\\x\n"},
      // Mended: a drive root has no name; it is its own caption instead of
      // an entry with an empty caption that the next load would drop.
      {"a drive root is titled by itself", "D:\\\n", "D:\tD:\n"},
      // Mended: a network path keeps the backslashes that make it one.
      {"a network path keeps its leading backslashes", "\\\\srv\\pub\\\n", "pub\t\\\\srv\\pub\n"},
      // Mended: unbalanced groups still give a sound tree.
      {"a stray end marker is dropped", "--\nD:\\x\n", "x\tD:\\x\n"},
      {"groups open at the end are closed", "-A\n-B\nD:\\x\n",
       "-A\n  -B\n    x\tD:\\x\n  --\n--\n"},
  };
  for (const TextCase& c : cases) {
    SCOPED_TRACE(c.name);
    JumpTree tree(CountingIds());
    const ImportResult result = ImportPathListBytes(c.text, std::nullopt, kGbk, tree);
    EXPECT_EQ(result.status, ImportStatus::kOk);
    EXPECT_EQ(Imported(tree), c.outline);
    EXPECT_EQ(result.nodeCount, tree.Size());
    EXPECT_TRUE(GroupsPaired(tree));
    for (NodeId node : tree.NodesInOrder())
      EXPECT_EQ(tree.IsExpanded(node), tree.Kind(node) == NodeKind::GroupHead) << U8(tree.Text(node));
  }
}

TEST(ImportPathList, EncodingsDetectedOrChosen) {
  const std::u16string text = u"文档\tD:\\文档\r\n";
  const std::string gbk = core::EncodeAnsi(text, kGbk);
  struct Case {
    const char* name;
    std::string bytes;
    std::optional<ImportEncoding> encoding;
  } cases[] = {
      {"UTF-8 detected", core::Utf16ToUtf8(text), std::nullopt},
      {"UTF-16LE without byte-order mark detected", Utf16LeBytes(text), std::nullopt},
      {"GBK as the system code page", gbk, std::nullopt},
      {"GBK chosen", gbk, ImportEncodingOfCodePage(936)},
      {"UTF-8 chosen", core::Utf16ToUtf8(text), ImportEncodingOfCodePage(65001)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    JumpTree tree(CountingIds());
    ImportPathListBytes(c.bytes, c.encoding, kGbk, tree);
    EXPECT_EQ(Imported(tree), "文档\tD:\\文档\n");
  }
}

// ---- the hot list ------------------------------------------------------------------------------

TEST(ImportHotList, MenuAndCdLinesBecomeTheTree) {
  const TextCase cases[] = {
      {"the example: entries, a group, its end and a separator",
       "[DirMenu]\r\nmenu1=Docs\r\ncmd1=cd D:\\Docs\\\r\nmenu2=-Tools\r\nmenu3=Bin\r\n"
       "cmd3=cd C:\\Bin\r\nmenu4=--\r\nmenu5=-\r\n",
       "Docs\tD:\\Docs\n-Tools\n  Bin\tC:\\Bin\n--\n-\n"},
      {"a cmd that is no cd leaves the entry without path",
       "[DirMenu]\nmenu1=Run\ncmd1=em_run\nmenu2=Up\ncmd2=CD ..\\x\n", "Run\t<>\nUp\t..\\x\n"},
      {"nested groups, each with its end marker after its head",
       "[DirMenu]\nmenu1=-A\nmenu2=-B\nmenu3=x\ncmd3=cd X:\\\nmenu4=--\nmenu5=--\nmenu6=y\n",
       "-A\n  -B\n    x\tX:\n  --\n--\ny\t<>\n"},
      {"other sections and keys are ignored",
       "[Configuration]\nmenu1=no\n[DirMenu]\nmenu1=a\ncmd1=cd "
       "A:\\a\nparam1=x\n[Other]\nmenu9=no\n",
       "a\tA:\\a\n"},
      // Mended: network paths keep their backslashes; a cmd before any menu
      // and a stray end marker are ignored; open groups are closed.
      {"a network folder", "[DirMenu]\nmenu1=pub\ncmd1=cd \\\\srv\\pub\n", "pub\t\\\\srv\\pub\n"},
      {"unbalanced lines", "[DirMenu]\ncmd1=cd D:\\lost\nmenu1=--\nmenu2=-Open\nmenu3=a\n",
       "-Open\n  a\t<>\n--\n"},
      {"an empty menu line adds nothing, and its cd goes nowhere",
       "[DirMenu]\nmenu1=a\nmenu2= \ncmd2=cd D:\\x\n", "a\t<>\n"},
  };
  for (const TextCase& c : cases) {
    SCOPED_TRACE(c.name);
    JumpTree tree(CountingIds());
    const ImportResult result =
        ImportFavoritesBytes(c.text, FavoritesKind::TotalCommander, std::nullopt, kGbk, tree);
    EXPECT_EQ(result.status, ImportStatus::kOk);
    EXPECT_EQ(Imported(tree), c.outline);
    EXPECT_TRUE(GroupsPaired(tree));
  }
}

TEST(ImportHotList, ReadsTheFileInTheEncodingItHas) {
  const std::u16string text = u"[DirMenu]\r\nmenu1=工作\r\ncmd1=cd D:\\工作\r\n";
  for (const std::string& bytes :
       {core::EncodeAnsi(text, kGbk), Utf16LeBytes(u"\uFEFF" + text), core::Utf16ToUtf8(text)}) {
    JumpTree tree(CountingIds());
    ImportFavoritesBytes(bytes, FavoritesKind::TotalCommander, std::nullopt, kGbk, tree);
    EXPECT_EQ(Imported(tree), "工作\tD:\\工作\n");
  }
}

// ---- the favourites XML ------------------------------------------------------------------------

TEST(ImportFavoritesXml, PathsAndFoldersBecomeEntriesAndGroups) {
  const TextCase cases[] = {
      {"the example",
       "<?xml version=\"1.0\"?><favorites>"
       "<path label=\"Docs\"><pathstring>D:\\Docs</pathstring></path>"
       "<folder label=\"Work\"><path label=\"Rep\"><pathstring>E:\\Rep</pathstring></path></folder>"
       "</favorites>",
       "Docs\tD:\\Docs\n-Work\n  Rep\tE:\\Rep\n--\n"},
      {"an empty folder is followed by the next element at its own level",
       "<f><folder label=\"Empty\"/><path label=\"a\"><pidl>A:\\a</pidl></path></f>",
       "-Empty\n--\na\tA:\\a\n"},
      {"nested folders",
       "<f>\n  <FOLDER label=\"A\">\n    <folder label=\"B\">\n      <Path label=\"x\">"
       "<PathString>X:\\x</PathString></Path>\n    </folder>\n  </FOLDER>\n</f>",
       "-A\n  -B\n    x\tX:\\x\n  --\n--\n"},
      {"a path without label, other elements and a label without path",
       "<f><path><pathstring>Q:\\q</pathstring></path><separator/><other label=\"o\"/>"
       "<path label=\"nothing\"/></f>",
       "nothing\t<>\n"},
      {"the path string must be the innermost first child",
       "<f><path label=\"a\"><note>n</note><pathstring>A:\\a</pathstring></path></f>", "a\t<>\n"},
      // Mended: a label never turns into a reserved text.
      {"labels that would read as group heads, separators or end markers",
       "<f><path label=\"-x\"><pathstring>D:\\x</pathstring></path>"
       "<path label=\"--\"><pathstring>D:\\Music</pathstring></path>"
       "<folder label=\"-\"/><folder label=\"\"/><folder label=\"-y\"/></f>",
       "x\tD:\\x\nMusic\tD:\\Music\n-未命名分组\n--\n-未命名分组\n--\n--y\n--\n"},
  };
  for (const TextCase& c : cases) {
    SCOPED_TRACE(c.name);
    JumpTree tree(CountingIds());
    const ImportResult result =
        ImportFavoritesBytes(c.text, FavoritesKind::DirectoryOpus, std::nullopt, kGbk, tree);
    EXPECT_EQ(result.status, ImportStatus::kOk) << U8(result.message);
    EXPECT_EQ(Imported(tree), c.outline);
    EXPECT_TRUE(GroupsPaired(tree));
  }
}

TEST(ImportFavoritesXml, LegacyEncodingsAreDecodedFirst) {
  const std::u16string text =
      u"<favorites><path label=\"报告\"><pathstring>D:\\报告</pathstring></path></favorites>";
  struct Case {
    const char* name;
    std::string bytes;
    unsigned ansiCodePage;
  } cases[] = {
      {"GBK named by the declaration",
       core::EncodeAnsi(u"<?xml version=\"1.0\" encoding=\"gb2312\"?>" + text, kGbk), 1252},
      {"GBK as the system code page", core::EncodeAnsi(text, kGbk), kGbk},
      {"UTF-16 with byte-order mark", Utf16LeBytes(u"\uFEFF" + text), 1252},
      {"UTF-8 declared", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>" + core::Utf16ToUtf8(text),
       1252},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    JumpTree tree(CountingIds());
    ImportFavoritesBytes(c.bytes, FavoritesKind::DirectoryOpus, std::nullopt, c.ansiCodePage, tree);
    EXPECT_EQ(Imported(tree), "报告\tD:\\报告\n");
  }
}

TEST(ImportFavoritesXml, DeepFoldersAreWalkedWithoutRecursion) {
  constexpr int kDepth = 100000;
  std::string xml = "<f>";
  for (int i = 0; i < kDepth; ++i) xml += "<folder label=\"g\">";
  xml += "<path label=\"deep\"><pathstring>D:\\deep</pathstring></path>";
  for (int i = 0; i < kDepth; ++i) xml += "</folder>";
  xml += "</f>";
  JumpTree tree(CountingIds());
  const ImportResult result =
      ImportFavoritesBytes(xml, FavoritesKind::DirectoryOpus, std::nullopt, kGbk, tree);
  ASSERT_EQ(result.status, ImportStatus::kOk) << U8(result.message);
  EXPECT_EQ(tree.Size(), size_t{2 * kDepth + 1});
  EXPECT_EQ(tree.Text(*tree.LastRoot()), u"--");
}

// ---- failures ----------------------------------------------------------------------------------

// Mended: what cannot be read or understood leaves the tree as it was (a
// save afterwards would otherwise wipe the jump list).
TEST(Imports, WhatCannotBeReadLeavesTheTreeAsItWas) {
  const std::filesystem::path dir = std::filesystem::temp_directory_path() /
                                    ("pathorama-imports-" + std::to_string(std::random_device{}()));
  std::filesystem::create_directories(dir);
  const auto write = [&](const char* name, std::string_view bytes) {
    std::ofstream(dir / name, std::ios::binary) << bytes;
    return U((dir / name).string());
  };
  const std::u16string broken = write("broken.xml", "<favorites><path label=\"a\">");
  const std::u16string notHotList = write("other.ini", "[Configuration]\nx=1\n");
  const std::u16string missing = U((dir / "missing.txt").string());
  const std::u16string folder = U(dir.string());

  struct Case {
    const char* name;
    std::function<ImportResult(JumpTree&)> run;
    ImportStatus status;
    const char* message;
  } cases[] = {
      {"broken XML",
       [&](JumpTree& t) {
         return ImportFavoritesFile(broken, FavoritesKind::DirectoryOpus, std::nullopt, kGbk, t);
       },
       ImportStatus::kNotParsed, "无法解析收藏夹文件（XML）"},
      {"an INI file without [DirMenu]",
       [&](JumpTree& t) {
         return ImportFavoritesFile(notHotList, FavoritesKind::TotalCommander, std::nullopt, kGbk,
                                    t);
       },
       ImportStatus::kNotParsed, "[DirMenu]"},
      {"a missing text file",
       [&](JumpTree& t) { return ImportPathListText(missing, std::nullopt, kGbk, t); },
       ImportStatus::kNotFound, "文件不存在"},
      {"a folder in place of a file",
       [&](JumpTree& t) { return ImportPathListText(folder, std::nullopt, kGbk, t); },
       ImportStatus::kNotFound, "文件不存在"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    JumpTree tree = TreeFromOutline("keep\tD:\\keep\n-G\n  g\tD:\\g\n--\n");
    const std::string before = Imported(tree);
    const ImportResult result = c.run(tree);
    EXPECT_EQ(result.status, c.status);
    EXPECT_NE(U8(result.message).find(c.message), std::string::npos) << U8(result.message);
    EXPECT_EQ(Imported(tree), before);
  }
  std::filesystem::remove_all(dir);
}

TEST(Imports, KindsByName) {
  EXPECT_EQ(FavoritesKindFromName(u"totalcommander"), FavoritesKind::TotalCommander);
  EXPECT_EQ(FavoritesKindFromName(u"DIRECTORYOPUS"), FavoritesKind::DirectoryOpus);
  EXPECT_EQ(FavoritesKindFromName(u"text"), std::nullopt);
}

}  // namespace
}  // namespace pathorama::editor
