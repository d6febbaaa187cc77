#include "editor/path_row.h"

#include <gtest/gtest.h>

#include "core/text.h"

namespace pathorama::editor {
namespace {

std::string U8(std::u16string_view s) { return core::Utf16ToUtf8(s); }

// Expansion as a test sees it: "{YYYY}" is 2026.
const paths::VariableExpander kExpand = [](std::u16string_view text) {
  return core::ReplaceAllText(text, u"{YYYY}", u"2026");
};

TEST(PathRow, ShowsTheFocusedEntry) {
  struct Case {
    const char* what;
    FocusedNode focused;
    const char16_t* pathInfo;
    PathRowState want;
  } cases[] = {
      {"plain folder", FocusedNode::NormalItem, u"D:\\Work",
       {true, PathTypeEntry::Local, {}, false, false, u"D:\\Work", u""}},
      {"marks go to the buttons, the label expands", FocusedNode::NormalItem, u"/*D:\\{YYYY}|E:\\x",
       {true, PathTypeEntry::Local, {}, true, true, u"D:\\{YYYY}|E:\\x", u"D:\\2026 | E:\\x"}},
      {"a registry path loses its head tag in the box", FocusedNode::NormalItem,
       u"<RegPath>HKEY_CURRENT_USER\\Software",
       {true, PathTypeEntry::Registry, {}, false, false, u"HKEY_CURRENT_USER\\Software", u""}},
      {"a web address by its look", FocusedNode::NormalItem, u"https://x.cn",
       {true, PathTypeEntry::Url, {}, false, false, u"https://x.cn", u""}},
      {"a mixed entry keeps each piece's tag", FocusedNode::NormalItem,
       u"D:\\a | <Url>http://x.cn | <RegPath>HKCU\\y",
       {true, PathTypeEntry::Mixed, {}, false, false, u"D:\\a | <Url>http://x.cn | <RegPath>HKCU\\y", u""}},
      {"a type the list does not offer is kept aside", FocusedNode::NormalItem,
       u"<SharedFolder>\\\\srv\\pub",
       {true, PathTypeEntry::Url, paths::PathType::SharedFolder, false, false, u"\\\\srv\\pub", u""}},
      {"a group head shows its raw text, disabled", FocusedNode::Other, u"<>",
       {false, PathTypeEntry::Url, {}, false, false, u"<>", u""}},
      {"no node", FocusedNode::None, u"D:\\x", {false, PathTypeEntry::Url, {}, false, false, u"", u""}},
  };
  for (const Case& c : cases) {
    // The list stands on "网络地址" before: an unlisted type leaves it there.
    const PathRowState got = ShowItemInControls(c.focused, c.pathInfo, PathTypeEntry::Url, true, kExpand);
    EXPECT_TRUE(got == c.want) << c.what << ": box " << U8(got.boxText) << ", label " << U8(got.label)
                               << ", entry " << static_cast<int>(got.typeEntry);
  }
}

TEST(PathRow, StoresWhatTheControlsShow) {
  struct Case {
    const char* what;
    const char16_t* shown;  // the entry loaded into the row
    RowSender sender;
    const char16_t* typed;  // the box text when the box is the sender
    PathTypeEntry chosen;   // the list entry when the list is the sender
    const char16_t* stored;
    bool disabled, variables;
  } cases[] = {
      {"typed marks switch their buttons", u"", RowSender::PathBox, u"/*C:\\x", {}, u"/*C:\\x", true, true},
      {"a typed head tag picks the type", u"", RowSender::PathBox, u"<RegPath>HKCU", {},
       u"<RegPath>HKCU", false, false},
      {"an untagged path under a chosen type gets its tag", u"<RegPath>HKCU\\a", RowSender::PathBox,
       u"HKCU\\b", {}, u"<RegPath>HKCU\\b", false, false},
      {"a share keeps its leading backslashes", u"", RowSender::PathBox, u"\\\\server\\share", {},
       u"\\\\server\\share", false, false},
      {"choosing a type tags every piece", u"D:\\a|D:\\b", RowSender::TypeList, nullptr,
       PathTypeEntry::Url, u"<Url>D:\\a | <Url>D:\\b", false, false},
      {"toggling 禁 on a mixed entry keeps every tag", u"D:\\a | <Url>http://x.cn",
       RowSender::UsableButton, nullptr, {}, u"/D:\\a | <Url>http://x.cn", true, false},
      {"toggling 变量 on an unlisted type keeps it", u"<NetworkMappingFolder>Z:\\x",
       RowSender::VariablesBox, nullptr, {}, u"*<NetworkMappingFolder>Z:\\x", false, true},
  };
  for (const Case& c : cases) {
    PathRowState row = ShowItemInControls(FocusedNode::NormalItem, c.shown, PathTypeEntry::Local, true, kExpand);
    if (c.typed) row.boxText = c.typed;
    if (c.sender == RowSender::TypeList) row.typeEntry = c.chosen;
    if (c.sender == RowSender::UsableButton) row.disabled = !row.disabled;
    if (c.sender == RowSender::VariablesBox) row.usesVariables = !row.usesVariables;
    EXPECT_EQ(U8(RefreshCurItemPathInfo(row, c.sender, true)), U8(c.stored)) << c.what;
    EXPECT_EQ(row.disabled, c.disabled) << c.what;
    EXPECT_EQ(row.usesVariables, c.variables) << c.what;
  }
}

TEST(PathRow, TypingAnUntaggedPathNeverOverridesTheChosenType) {
  EXPECT_EQ(AutoChangePathType(u"HKCU\\x", true, true, PathTypeEntry::Registry), std::nullopt);
  EXPECT_EQ(AutoChangePathType(u"<Url>x", true, true, PathTypeEntry::Registry), PathTypeEntry::Url);
  // Loading an entry: untagged is local.
  EXPECT_EQ(AutoChangePathType(u"D:\\x", true, false, PathTypeEntry::Registry), PathTypeEntry::Local);
  EXPECT_EQ(AutoChangePathType(u"D:\\x", true, false, PathTypeEntry::Local), std::nullopt);
}

TEST(PathRow, AddsPathListsByTheInsertionMode) {
  struct Case {
    const char* what;
    EditText box;
    const char16_t* list;
    InsertMode mode;
    std::optional<EditText> want;
  } cases[] = {
      {"insert between two paths", {u"C:\\a | C:\\b", 4, 4}, u"D:\\x", InsertMode::Insert,
       EditText{u"C:\\a | D:\\x | C:\\b", 4, 14}},
      {"insert after the last", {u"C:\\a | ", 7, 7}, u"D:\\x", InsertMode::Insert,
       EditText{u"C:\\a | D:\\x", 4, 11}},
      {"insert before the first", {u"C:\\b", 0, 0}, u"D:\\x", InsertMode::Insert,
       EditText{u"D:\\x | C:\\b", 0, 7}},
      {"insert replaces the selection", {u"C:\\a | C:\\b", 0, 4}, u"D:\\x", InsertMode::Insert,
       EditText{u"D:\\x | C:\\b", 0, 7}},
      {"insert into nothing", {u"", 0, 0}, u" | D:\\x\\ | ", InsertMode::Insert, EditText{u"D:\\x", 0, 4}},
      {"append", {u"C:\\a | ", 0, 0}, u"D:\\x", InsertMode::Append, EditText{u"C:\\a | D:\\x", 4, 11}},
      {"append to bars only", {u" | ", 0, 0}, u"D:\\x", InsertMode::Append, EditText{u" | D:\\x", 0, 7}},
      {"cover", {u"C:\\a", 0, 0}, u"\\\\srv\\pub\\", InsertMode::Cover, EditText{u"\\\\srv\\pub", 0, 9}},
      {"an empty list does nothing", {u"C:\\a", 0, 0}, u" |\\ ", InsertMode::Cover, std::nullopt},
  };
  for (const Case& c : cases) {
    const std::optional<EditText> got = AddPathsListToPathEdit(c.box, c.list, c.mode);
    EXPECT_TRUE(got == c.want) << c.what << ": " << (got ? U8(got->text) : "none") << " ["
                               << (got ? got->selectionStart : 0) << "," << (got ? got->selectionEnd : 0) << "]";
  }
  EXPECT_EQ(NextInsertMode(InsertMode::Insert), InsertMode::Append);
  EXPECT_EQ(NextInsertMode(InsertMode::Append), InsertMode::Cover);
  EXPECT_EQ(NextInsertMode(InsertMode::Cover), InsertMode::Insert);
}

TEST(PathRow, VariablesFromTheMenus) {
  const core::CalendarDate today{2026, 3, 8};
  using A = MenuVariable::Action;
  struct Case {
    const char16_t* caption;
    MenuVariable want;
  } cases[] = {
      {u"{YYYY} 四位数年份", {A::Insert, u"{YYYY}"}},
      {u"{DD<8位数字年月日>} 指定日期的日", {A::Insert, u"{DD<20260308>}"}},
      {u"{NFolder} 第N层文件夹", {A::OpenBuilder, u"NFolder"}},
      {u"{romanum} 罗马数字序列", {A::OpenBuilder, u"RomaNum"}},
      {u"{1-3Number}", {A::Insert, u"{1-3Number}"}},
      {u"变量选项", {}},
      {u"{broken", {}},
  };
  for (const Case& c : cases)
    EXPECT_TRUE(VariableOfMenuCaption(c.caption, today) == c.want) << U8(c.caption);

  const EditText box{u"D:\\Log\\x", 7, 8};
  EXPECT_EQ(InsertVariableText(box, u"{YYYY}", InsertMode::Insert, true),
            (EditText{u"D:\\Log\\{YYYY}", 7, 13}));
  EXPECT_EQ(InsertVariableText(box, u"{YYYY}", InsertMode::Insert, false),
            (EditText{u"D:\\Log\\x{YYYY}", 14, 14}));
  EXPECT_EQ(InsertVariableText(box, u"{YYYY}", InsertMode::Append, true),
            (EditText{u"D:\\Log\\x{YYYY}", 14, 14}));
  EXPECT_EQ(InsertVariableText(box, u"{YYYY}", InsertMode::Cover, true), (EditText{u"{YYYY}", 0, 6}));
  EXPECT_EQ(InsertVariableText(box, u"", InsertMode::Cover, true), std::nullopt);
}

TEST(PathRow, FilesDroppedOnThePathBox) {
  struct Case {
    const char* what;
    std::vector<DroppedPath> dropped;
    const char16_t* want;
  } cases[] = {
      {"one file", {{u"D:\\a\\x.txt", {}}}, u"D:\\a\\x.txt"},
      {"three of one folder", {{u"D:\\a\\x", {}}, {u"D:\\a\\y", {}}, {u"D:\\A\\z", {}}},
       u"D:\\a\\(x | y | z)"},
      {"another folder and a name with brackets stay whole",
       {{u"D:\\a\\x", {}}, {u"E:\\b\\y", {}}, {u"D:\\a\\(1).txt", {}}, {u"D:\\a\\z", {}}},
       u"D:\\a\\(x | z) | E:\\b\\y | D:\\a\\(1).txt"},
      {"shortcuts give their targets, after the files",
       {{u"D:\\a\\p.lnk", u"C:\\Program Files\\P"}, {u"D:\\a\\x", {}}},
       u"D:\\a\\x | C:\\Program Files\\P"},
      {"a drive root stays whole", {{u"E:\\", {}}}, u"E:\\"},
  };
  for (const Case& c : cases) EXPECT_EQ(U8(DroppedPathsText(c.dropped)), U8(c.want)) << c.what;
}

TEST(PathRow, WhereTheFileDialogStarts) {
  PathFacts facts;
  facts.isFolder = [](std::u16string_view p) { return p == u"D:\\Work" || p == u"C:\\"; };
  facts.isFile = [](std::u16string_view p) { return p == u"D:\\Work\\a.txt"; };
  EXPECT_EQ(FileDialogStartFolder(u"X:\\gone | D:\\Work\\ ", true, facts), u"D:\\Work");
  EXPECT_EQ(FileDialogStartFolder(u"D:\\Work\\a.txt|D:\\Work", true, facts), u"D:\\Work");
  EXPECT_EQ(FileDialogStartFolder(u"D:\\Work|D:\\Work\\a.txt", false, facts), u"D:\\Work");
  EXPECT_EQ(FileDialogStartFolder(u"C:", true, facts), u"C:\\");
  EXPECT_EQ(FileDialogStartFolder(u"X:\\gone", true, facts), std::nullopt);
  EXPECT_EQ(U8(ChosenPathsList({u"D:\\a\\", u"\\\\srv\\pub"})), U8(u"D:\\a\\ | \\\\srv\\pub"));
}

TEST(PathRow, LabelCopyAndTheDuplicateMessageOncePerText) {
  EXPECT_EQ(LabelClipboardText(u"D:\\a | E:\\b"), u"D:\\a\r\nE:\\b");
  DuplicateReportGate gate;
  EXPECT_TRUE(gate.ShouldReport(u"D:\\a"));
  EXPECT_FALSE(gate.ShouldReport(u"D:\\a"));
  EXPECT_TRUE(gate.ShouldReport(u"D:\\b"));
  gate.Reset();
  EXPECT_TRUE(gate.ShouldReport(u"D:\\b"));
}

}  // namespace
}  // namespace pathorama::editor
