#include "paths/item_run.h"

#include <gtest/gtest.h>

#include "core/text.h"
#include "unit/paths/opening_fakes.h"

namespace pathorama::paths {
namespace {

using testing::FakeFacts;
using testing::FakePrompts;
using Kind = PieceAction::Kind;

std::string U8(std::u16string_view s) { return core::Utf16ToUtf8(s); }

class RecordingActions : public PieceActions {
 public:
  TargetKind target = TargetKind::Other;
  std::vector<PieceAction> performed;
  void Perform(const PieceAction& action) override { performed.push_back(action); }
  TargetKind CurrentTarget() override { return target; }
};

// {YYYY} stands for the year; nothing else is a variable here.
std::u16string ExpandYear(std::u16string_view text) {
  return core::ReplaceAllText(text, u"{YYYY}", u"2026");
}

TEST(PrepareItemPieces, TypeTagsVariablesAndParameters) {
  struct Case {
    const char* what;
    const char16_t* info;
    bool autoUrl;
    std::vector<PreparedPiece> want;
  };
  const Case cases[] = {
      {"tail tag", u"C:\\Tools\\t.exe </S /Wait 3>", false,
       {{PathType::Local, u"C:\\Tools\\t.exe", u"/S /Wait 3"}}},
      {"marks and a registry tag", u"/*<RegPath>HKCU\\Software", false,
       {{PathType::Registry, u"HKCU\\Software", u""}}},
      {"web address recognised only when asked", u"www.example.org", true,
       {{PathType::Url, u"www.example.org", u""}}},
      {"web address not recognised", u"www.example.org", false,
       {{PathType::Local, u"www.example.org", u""}}},
      {"variables with the mark", u"*D:\\Log\\{YYYY}", false,
       {{PathType::Local, u"D:\\Log\\2026", u""}}},
      {"no mark: braces are literal", u"D:\\Log\\{YYYY}", false,
       {{PathType::Local, u"D:\\Log\\{YYYY}", u""}}},
      {"untagged UNC keeps its backslashes", u"\\\\srv\\share | C:\\x", false,
       {{PathType::Local, u"\\\\srv\\share", u""}, {PathType::Local, u"C:\\x", u""}}},
      {"UNC with an alternation", u" \\\\srv\\(a|b)", false,
       {{PathType::Local, u"\\\\srv\\a", u""}, {PathType::Local, u"\\\\srv\\b", u""}}},
      {"UNC after marks and a local tag", u"/*<LocalPath>\\\\srv\\x\rD:\\y", false,
       {{PathType::Local, u"\\\\srv\\x", u""}, {PathType::Local, u"D:\\y", u""}}},
      {"a share's leading backslashes come back through the tag", u"<SharedFolder>\\\\srv\\pub",
       false, {{PathType::SharedFolder, u"\\\\srv\\pub", u""}}},
      {"a single leading backslash is no UNC", u"\\Windows", false,
       {{PathType::Local, u"Windows", u""}}},
  };
  for (const Case& c : cases) {
    const std::vector<PreparedPiece> got = PrepareItemPieces(c.info, c.autoUrl, ExpandYear);
    ASSERT_EQ(got.size(), c.want.size()) << c.what;
    for (size_t i = 0; i < got.size(); ++i) {
      EXPECT_EQ(got[i].type, c.want[i].type) << c.what << " #" << i;
      EXPECT_EQ(U8(got[i].path), U8(c.want[i].path)) << c.what << " #" << i;
      EXPECT_EQ(U8(got[i].extra), U8(c.want[i].extra)) << c.what << " #" << i;
    }
  }
}

TEST(ItemShowCommand, ExplorerWindowStateElseNormal) {
  struct Case {
    FolderManagerChoice manager;
    WindowState state;
    ShowCommand want;
  };
  const Case cases[] = {
      {FolderManagerChoice::Explorer, WindowState::Maximized, ShowCommand::Maximized},
      {FolderManagerChoice::Explorer, WindowState::Minimized, ShowCommand::MinimizedNoActivate},
      {FolderManagerChoice::Explorer, WindowState::Normal, ShowCommand::Normal},
      {FolderManagerChoice::DirectoryOpus, WindowState::Maximized, ShowCommand::Normal},
  };
  for (const Case& c : cases) {
    OpeningOptions o;
    o.manager = c.manager;
    o.windowState = c.state;
    EXPECT_EQ(ItemShowCommand(o), c.want);
  }
}

struct RunCase {
  const char* what;
  const char16_t* info;
  TargetKind target;
  windows::DialogType dialogType;
  std::vector<Kind> actions;
  std::vector<std::u16string> messages;  // texts told or asked, in order
};

TEST(RunItem, PathsMessagesAndTheEnd) {
  using windows::DialogType;
  const std::u16string missing(kItemPathMissingMessage);
  const std::u16string notLocal(kNotLocalFolderMessage);
  const RunCase cases[] = {
      {"two folders: the second in a new window", u"D:\\Work | D:\\Docs", TargetKind::Other,
       DialogType::None, {Kind::NavigateExplorer, Kind::OpenPath}, {}},
      {"folder and address from a dialog: only the folder", u"www.example.org | D:\\Work | D:\\Docs",
       TargetKind::Dialog, DialogType::OpenFile, {Kind::SwitchDialog}, {}},
      {"console: the first folder ends the item", u"D:\\Work | D:\\Docs", TargetKind::Console,
       DialogType::None, {Kind::ChangeConsoleFolder}, {}},
      {"only a missing folder, declined", u"D:\\Gone", TargetKind::Other, DialogType::None, {},
       {CreateFolderQuestion(u"D:\\Gone"), missing}},
      {"missing then existing: no message", u"D:\\Gone | D:\\Work", TargetKind::Other,
       DialogType::None, {Kind::NavigateExplorer}, {CreateFolderQuestion(u"D:\\Gone")}},
      {"folder picker given an address only", u"<Url>www.example.org", TargetKind::Dialog,
       DialogType::OpenFolder, {}, {notLocal}},
      {"folder picker given a missing folder", u"D:\\Gone", TargetKind::Dialog,
       DialogType::OpenFolder, {}, {missing, notLocal}},
      {"empty path info: silence", u" | ", TargetKind::Other, DialogType::None, {}, {}},
      {"registry key that is missing", u"<RegPath>HKLM\\Nothing", TargetKind::Other,
       DialogType::None, {}, {missing}},
      {"variables expanded before the existence check", u"*D:\\Log\\{YYYY}", TargetKind::Other,
       DialogType::None, {Kind::NavigateExplorer}, {}},
  };
  for (const RunCase& c : cases) {
    OpeningOptions options;
    FakeFacts facts;
    facts.AddFolder(u"D:\\Work").AddFolder(u"D:\\Docs").AddFolder(u"D:\\Log\\2026");
    FakePrompts prompts;
    RecordingActions actions;
    actions.target = c.target;
    ItemRunRequest request;
    request.pathInfo = c.info;
    request.expand = ExpandYear;
    request.dialogType = c.dialogType;
    const ItemRunResult result = RunItem(request, options, facts, actions, prompts);
    std::vector<Kind> kinds;
    for (const PieceAction& a : actions.performed) kinds.push_back(a.kind);
    EXPECT_EQ(kinds, c.actions) << c.what;
    std::vector<std::string> shown, want;
    for (const auto& p : prompts.shown) shown.push_back(U8(p.text));
    for (const auto& m : c.messages) want.push_back(U8(m));
    EXPECT_EQ(shown, want) << c.what;
    EXPECT_EQ(result.targetWasDialog, c.target == TargetKind::Dialog) << c.what;
  }
}

TEST(RunItem, MessageCaptionsAndIcons) {
  OpeningOptions options;
  FakeFacts facts;
  FakePrompts prompts;
  RecordingActions actions;
  actions.target = TargetKind::Dialog;
  ItemRunRequest request;
  request.pathInfo = u"D:\\Gone";
  request.dialogType = windows::DialogType::OpenFolder;
  RunItem(request, options, facts, actions, prompts);
  ASSERT_EQ(prompts.shown.size(), 2u);
  EXPECT_EQ(U8(prompts.shown[0].caption), "文件（夹）不存在");
  EXPECT_EQ(prompts.shown[0].icon, core::PromptIcon::Error);
  EXPECT_EQ(U8(prompts.shown[1].caption), "文件夹路径不存在");
  EXPECT_EQ(prompts.shown[1].icon, core::PromptIcon::Warning);
}

// The target is asked again before every path: a console that went away
// in the middle of an item is "any other window" for the rest.
class VanishingConsole : public RecordingActions {
 public:
  int asked = 0;
  TargetKind CurrentTarget() override {
    return ++asked <= 1 ? TargetKind::Console : TargetKind::Other;
  }
};

TEST(RunItem, TargetIsRevalidatedBeforeEachPath) {
  OpeningOptions options;
  FakeFacts facts;
  facts.AddFolder(u"D:\\Work");
  FakePrompts prompts;
  VanishingConsole actions;
  ItemRunRequest request;
  request.pathInfo = u"D:\\Work";
  RunItem(request, options, facts, actions, prompts);
  ASSERT_EQ(actions.performed.size(), 1u);
  EXPECT_EQ(actions.performed[0].kind, Kind::NavigateExplorer);
}

TEST(RunItem, ThousandsOfPiecesRunOnceEach) {
  std::u16string info;
  for (int i = 0; i < 5000; ++i) info += u"<Url>www.example.org/" + core::IntToText(i) + u" | ";
  OpeningOptions options;
  FakeFacts facts;
  FakePrompts prompts;
  RecordingActions actions;
  ItemRunRequest request;
  request.pathInfo = info;
  RunItem(request, options, facts, actions, prompts);
  ASSERT_EQ(actions.performed.size(), 5000u);
  EXPECT_EQ(U8(actions.performed[4999].path), "www.example.org/4999");
  EXPECT_TRUE(prompts.shown.empty());
}

}  // namespace
}  // namespace pathorama::paths
