#include "windows/selection_text.h"

#include <gtest/gtest.h>

#include <map>

#include "windows/clip_formats.h"

namespace pathorama::windows {
namespace {

// A small file system: what exists and what it is.
PathKind Probe(const std::u16string& path) {
  static const std::map<std::u16string, PathKind> fs = {
      {u"C:\\Data", PathKind::Folder},
      {u"C:\\Data\\Sub", PathKind::Folder},
      {u"C:\\Data\\a.txt", PathKind::File},
      {u"C:\\Data\\报告.doc", PathKind::File},
  };
  auto it = fs.find(path);
  return it == fs.end() ? PathKind::Missing : it->second;
}

TEST(SelectionText, ModesParseIgnoringCase) {
  EXPECT_EQ(ParseSelectionMode(u"folder"), SelectionMode::Folder);
  EXPECT_EQ(ParseSelectionMode(u"FILE"), SelectionMode::File);
  EXPECT_EQ(ParseSelectionMode(u"Path"), SelectionMode::Path);
  EXPECT_FALSE(ParseSelectionMode(u"Paths").has_value());
}

TEST(SelectionText, TotalCommanderListFilteredByMode) {
  const std::u16string list = u"C:\\Data\\Sub\r\nC:\\Data\\a.txt\r\nC:\\Gone\r\nC:\\Data\\报告.doc\r\n";
  EXPECT_EQ(FilterSelectionText(list, SelectionMode::Path, Probe), list);
  EXPECT_EQ(FilterSelectionText(list, SelectionMode::Folder, Probe), u"C:\\Data\\Sub");
  EXPECT_EQ(FilterSelectionText(list, SelectionMode::File, Probe),
            u"C:\\Data\\a.txt\r\nC:\\Data\\报告.doc");
  // Bare line feeds are dropped, not taken as separators.
  EXPECT_EQ(FilterSelectionText(u"C:\\Data\\a.\ntxt", SelectionMode::File, Probe),
            u"C:\\Data\\a.txt");
  EXPECT_EQ(FilterSelectionText(u"", SelectionMode::File, Probe), u"");
}

TEST(SelectionText, DroppedNamesGetFolderBackslash) {
  std::vector<std::u16string> names = {u"C:\\Data\\Sub", u"C:\\Data\\a.txt", u"C:\\Gone",
                                       u"C:\\Data"};
  EXPECT_EQ(JoinDroppedNames(names, SelectionMode::Path, Probe),
            u"C:\\Data\\Sub\\\r\nC:\\Data\\a.txt\r\nC:\\Data\\");
  EXPECT_EQ(JoinDroppedNames(names, SelectionMode::Folder, Probe), u"C:\\Data\\Sub\\\r\nC:\\Data\\");
  EXPECT_EQ(JoinDroppedNames(names, SelectionMode::File, Probe), u"C:\\Data\\a.txt");
  EXPECT_EQ(JoinDroppedNames({}, SelectionMode::Path, Probe), u"");
}

TEST(SelectionText, DirectoryOpusSelectionMarksFoldersAndKeepsMissingLinesAsPaths) {
  // Line feeds inside a name are dropped; a name that no longer exists is a
  // path still, but neither a folder nor a file.
  const std::u16string text = u"C:\\Data\\Sub\r\nC:\\Data\\a.\ntxt\r\nC:\\Gone\r\n\r\n";
  EXPECT_EQ(MarkDirectoryOpusSelection(text, SelectionMode::Path, Probe),
            u"C:\\Data\\Sub\\\r\nC:\\Data\\a.txt\r\nC:\\Gone");
  EXPECT_EQ(MarkDirectoryOpusSelection(text, SelectionMode::Folder, Probe), u"C:\\Data\\Sub\\");
  EXPECT_EQ(MarkDirectoryOpusSelection(text, SelectionMode::File, Probe), u"C:\\Data\\a.txt");
}

TEST(SelectionText, AddressAndDirectoryOpusTexts) {
  EXPECT_EQ(FolderFromAddressText(u"地址: C:\\Program Files\\x"), u"C:\\Program Files\\x");
  EXPECT_EQ(FolderFromAddressText(u"Address: D:\\"), u"D:\\");
  EXPECT_EQ(FolderFromAddressText(u"NoSpaceHere"), u"");
  EXPECT_EQ(DirectoryOpusAnswer(u"\"C:\\Data\\\""), u"C:\\Data\\");
  EXPECT_EQ(DirectoryOpusAnswer(u"C:\\Data"), u"C:\\Data");
}

TEST(ClipFormats, HandleFormatsAreNeverByteCopied) {
  struct Case {
    unsigned format;
    bool unsafe;
  } cases[] = {
      {1, false},       // CF_TEXT
      {13, false},      // CF_UNICODETEXT
      {8, false},       // CF_DIB: a global block
      {15, false},      // CF_HDROP
      {16, false},      // CF_LOCALE
      {0xC123, false},  // a registered private format
      {2, true},        // CF_BITMAP
      {3, true},        // CF_METAFILEPICT
      {9, true},        // CF_PALETTE
      {14, true},       // CF_ENHMETAFILE
      {0x80, true},     // CF_OWNERDISPLAY
      {0x82, true},     // CF_DSPBITMAP
      {0x83, true},     // CF_DSPMETAFILEPICT
      {0x8E, true},     // CF_DSPENHMETAFILE
      {0x200, true},    // CF_PRIVATEFIRST
      {0x2FF, true},
      {0x300, true},    // CF_GDIOBJFIRST
      {0x3FF, true},
      {0x400, false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsUnsafeClipFormat(c.format), c.unsafe) << c.format;
}

}  // namespace
}  // namespace pathorama::windows
