#include "paths/opening.h"

#include <gtest/gtest.h>

#include <functional>

#include "core/text.h"
#include "unit/paths/opening_fakes.h"

namespace pathorama::paths {
namespace {

using testing::FakeFacts;
using testing::FakePrompts;
using Kind = PieceAction::Kind;
using windows::DialogType;

std::string U8(std::u16string_view s) { return core::Utf16ToUtf8(s); }

constexpr char16_t kComputer[] = u"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}";

TEST(NormalizeRegistryPath, ShortRootsAreWrittenLong) {
  struct Case {
    const char16_t* path;
    const char16_t* want;
  };
  const Case cases[] = {
      {u"HKLM\\Software", u"HKEY_LOCAL_MACHINE\\Software"},
      {u" \\hkcu\\Software\\Wine\\ ", u"HKEY_CURRENT_USER\\Software\\Wine"},
      {u"HKCR\\.txt", u"HKEY_CLASSES_ROOT\\.txt"},
      {u"HKU\\.DEFAULT", u"HKEY_USERS\\.DEFAULT"},
      {u"HkCc\\System", u"HKEY_CURRENT_CONFIG\\System"},
      {u"HKEY_USERS\\S-1-5-18", u"HKEY_USERS\\S-1-5-18"},
      {u"HKLM", u"HKLM"},  // no backslash: left as it is
      {u"Software\\Wine", u"Software\\Wine"},
  };
  for (const Case& c : cases) EXPECT_EQ(U8(NormalizeRegistryPath(c.path)), U8(c.want)) << U8(c.path);
}

TEST(RegistryKeyOf, RootAndKeyBelowIt) {
  struct Case {
    const char16_t* path;
    RegistryRoot root;
    const char16_t* subKey;
  };
  const Case cases[] = {
      {u"HKLM\\Software\\Wine", RegistryRoot::LocalMachine, u"Software\\Wine"},
      {u"hkey_classes_root\\*\\shell\\", RegistryRoot::ClassesRoot, u"*\\shell"},
      {u"HKU", RegistryRoot::Users, u""},
      {u"HKEY_CURRENT_CONFIG\\System", RegistryRoot::CurrentConfig, u"System"},
      {u"Software\\Wine", RegistryRoot::CurrentUser, u"Wine"},  // unknown root word
  };
  for (const Case& c : cases) {
    const RegistryKeyPath key = RegistryKeyOf(c.path);
    EXPECT_EQ(key.root, c.root) << U8(c.path);
    EXPECT_EQ(U8(key.subKey), U8(c.subKey)) << U8(c.path);
  }
}

TEST(RegeditLastKey, KeepsTheComputerNodeOfTheOldValue) {
  struct Case {
    const char16_t* previous;
    const char16_t* want;
  };
  const Case cases[] = {
      {u"我的电脑\\HKEY_LOCAL_MACHINE\\Software\\Wine", u"我的电脑\\HKEY_CURRENT_USER\\Software"},
      {u"Computer\\HKEY_USERS", u"Computer\\HKEY_CURRENT_USER\\Software"},
      // The editor left at its node writes the node alone (Wine's does at every exit).
      {u"Computer", u"Computer\\HKEY_CURRENT_USER\\Software"},
      {u"我的电脑", u"我的电脑\\HKEY_CURRENT_USER\\Software"},
      {u"", u"HKEY_CURRENT_USER\\Software"},
      // A value without node (written before the editor ever ran) gives none:
      // its root is no node.
      {u"HKEY_LOCAL_MACHINE\\Software", u"HKEY_CURRENT_USER\\Software"},
      {u"hkey_users", u"HKEY_CURRENT_USER\\Software"},
      {u"HKLM\\Software", u"HKEY_CURRENT_USER\\Software"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(U8(RegeditLastKey(c.previous, u"HKEY_CURRENT_USER\\Software")), U8(c.want))
        << U8(c.previous);
}

TEST(ParseExtraParams, WaitHideAndTheRest) {
  struct Case {
    const char16_t* extra;
    std::optional<int> wait;
    bool hide;
    const char16_t* rest;
  };
  const Case cases[] = {
      {u"/S /Wait 5 /Hide", 5, true, u"/S"},
      {u"/Wait 3", 3, false, u""},
      {u"/wait  12 /x", 12, false, u"/x"},
      {u"/HIDE /Wait 0", 0, true, u""},
      {u"/a /Hide /b", std::nullopt, true, u"/a /b"},
      {u"/Waiting 3", std::nullopt, false, u"/Waiting 3"},
      {u"/Wait x", std::nullopt, false, u"/Wait x"},
      {u"/Wait 3x", std::nullopt, false, u"/Wait 3x"},
      {u"/S/Hide", std::nullopt, false, u"/S/Hide"},
      {u"/Wait 99999999999999999999999999", kMaxWaitSeconds, false, u""},
      {u"/Wait 86401 /Hide", kMaxWaitSeconds, true, u""},
      {u"<>", std::nullopt, false, u""},
  };
  for (const Case& c : cases) {
    const ExtraParams p = ParseExtraParams(c.extra);
    EXPECT_EQ(p.waitSeconds, c.wait) << U8(c.extra);
    EXPECT_EQ(p.hide, c.hide) << U8(c.extra);
    EXPECT_EQ(U8(p.remainder), U8(c.rest)) << U8(c.extra);
  }
}

TEST(LocalPaths, TrimAndResolve) {
  struct Case {
    const char16_t* path;
    const char16_t* trimmed;
    const char16_t* resolved;  // against D:\App\ (with its backslash)
    bool absolute;             // as trimmed
  };
  const Case cases[] = {
      {u"C:", u"C:", u"C:\\", false},
      {u" c:\\ ", u"c:", u"c:\\", false},
      {u"D:\\Work\\", u"D:\\Work", u"D:\\Work", true},
      {u"docs\\a", u"docs\\a", u"D:\\App\\docs\\a", false},
      {u"\\docs", u"docs", u"D:\\App\\docs", false},
      {u" \\\\srv\\share\\ ", u"\\\\srv\\share", u"\\\\srv\\share", true},
      {u"\\\\\\srv\\x", u"\\\\srv\\x", u"\\\\srv\\x", true},
      {kComputer, kComputer, kComputer, false},
      {u" \\ ", u"", u"D:\\App\\", false},
  };
  for (const Case& c : cases) {
    const std::u16string trimmed = TrimOpeningPath(c.path);
    EXPECT_EQ(U8(trimmed), U8(c.trimmed)) << U8(c.path);
    EXPECT_EQ(U8(ResolvePath(trimmed, u"D:\\App\\")), U8(c.resolved)) << U8(c.path);
    EXPECT_EQ(IsAbsolutePath(trimmed), c.absolute) << U8(c.path);
  }
}

TEST(LocalPaths, FolderAndNameOfAFile) {
  EXPECT_EQ(U8(FolderOfFile(u"D:\\a\\r.txt")), "D:\\a");
  EXPECT_EQ(U8(FolderOfFile(u"C:\\boot.ini")), "C:\\");
  EXPECT_EQ(U8(FolderOfFile(u"\\\\srv\\pub\\x.doc")), "\\\\srv\\pub");
  EXPECT_EQ(U8(FileNameOf(u"D:\\a\\r.txt")), "r.txt");
}

TEST(ConsoleCommand, ClearsAndChangesDriveAndFolder) {
  EXPECT_EQ(U8(ConsoleCommand(u"D:\\Work Files")), "cls && cd /d \"D:\\Work Files\"");
}

TEST(TargetKindOf, ByClassWithoutRegardToCase) {
  EXPECT_EQ(TargetKindOf(u"#32770"), TargetKind::Dialog);
  EXPECT_EQ(TargetKindOf(u"consolewindowclass"), TargetKind::Console);
  EXPECT_EQ(TargetKindOf(u"DTE"), TargetKind::Dte);
  EXPECT_EQ(TargetKindOf(u"CabinetWClass"), TargetKind::Other);
  EXPECT_EQ(TargetKindOf(u""), TargetKind::Other);
}

// ---- OpenPathPiece ---------------------------------------------------------------------------

struct PieceCase {
  const char* what;
  PathType type;
  const char16_t* path;
  TargetKind target = TargetKind::Other;
  std::function<void(OpeningOptions&, FakeFacts&, FakePrompts&, ItemState&)> setUp;
  Kind kind;
  const char16_t* wantPath = u"";
  bool reuse = false;
  bool endsItem = false;
  bool anyOpenable = true;
  const char16_t* fileName = u"";
  int questions = 0;  // prompts asked or told
};

FakeFacts StandardFacts() {
  FakeFacts facts;
  facts.AddFolder(u"D:\\Work").AddFolder(u"C:\\").AddFolder(u"D:\\App\\docs");
  facts.AddFolder(u"\\\\srv\\share").AddFile(u"D:\\a\\r.txt").AddFile(u"D:\\Tools\\t.exe");
  facts.registryKeys.insert(FakeFacts::KeyText({RegistryRoot::LocalMachine, u"Software"}));
  return facts;
}

TEST(OpenPathPiece, DecisionTable) {
  auto none = [](OpeningOptions&, FakeFacts&, FakePrompts&, ItemState&) {};
  auto tc = [](bool reuse) {
    return [reuse](OpeningOptions& o, FakeFacts&, FakePrompts&, ItemState&) {
      o.manager = FolderManagerChoice::TotalCommander;
      o.reuseWindow = reuse;
    };
  };
  const PieceCase cases[] = {
      {"folder, Explorer reuse: navigate", PathType::Local, u"D:\\Work", TargetKind::Other, none,
       Kind::NavigateExplorer, u"D:\\Work", true},
      {"untagged counts as local", PathType::Untagged, u"D:\\Work", TargetKind::Other, none,
       Kind::NavigateExplorer, u"D:\\Work", true},
      {"second folder with the multi-folder option: new window", PathType::Local, u"D:\\Work",
       TargetKind::Other,
       [](OpeningOptions&, FakeFacts&, FakePrompts&, ItemState& s) { s.folderCount = 1; },
       Kind::OpenPath, u"D:\\Work", false},
      {"second folder without the option: navigate", PathType::Local, u"D:\\Work",
       TargetKind::Other,
       [](OpeningOptions& o, FakeFacts&, FakePrompts&, ItemState& s) {
         s.folderCount = 1;
         o.explorerFurtherFoldersInNewWindows = false;
       },
       Kind::NavigateExplorer, u"D:\\Work", true},
      {"drive root gets its backslash", PathType::Local, u"C:", TargetKind::Other, none,
       Kind::NavigateExplorer, u"C:\\", true},
      {"relative path lies in the program's folder", PathType::Local, u"docs", TargetKind::Other,
       none, Kind::NavigateExplorer, u"D:\\App\\docs", true},
      {"UNC folder stays absolute", PathType::Local, u"\\\\srv\\share", TargetKind::Other, none,
       Kind::NavigateExplorer, u"\\\\srv\\share", true},
      {"namespace path is a folder without a disk", PathType::Local, kComputer, TargetKind::Other,
       none, Kind::NavigateExplorer, kComputer, true},
      {"missing folder, No: nothing", PathType::Local, u"D:\\New", TargetKind::Other, none,
       Kind::None, u"", false, false, false, u"", 1},
      {"missing folder, Yes: created and opened", PathType::Local, u"D:\\New", TargetKind::Other,
       [](OpeningOptions&, FakeFacts&, FakePrompts& p, ItemState&) { p.answers = {true}; },
       Kind::NavigateExplorer, u"D:\\New", true, false, true, u"", 1},
      {"missing folder, Yes, creation fails: told", PathType::Local, u"D:\\N?w", TargetKind::Other,
       [](OpeningOptions&, FakeFacts& f, FakePrompts& p, ItemState&) {
         p.answers = {true};
         f.createSucceeds = false;
       },
       Kind::None, u"", false, false, false, u"", 2},
      {"missing folder in a dialog: not asked", PathType::Local, u"D:\\New", TargetKind::Dialog,
       none, Kind::None, u"", false, false, false},
      {"dialog, folder: switch", PathType::Local, u"D:\\Work", TargetKind::Dialog, none,
       Kind::SwitchDialog, u"D:\\Work", false, true},
      {"open dialog, file: switch to its folder with its name", PathType::Local, u"D:\\a\\r.txt",
       TargetKind::Dialog,
       [](OpeningOptions&, FakeFacts&, FakePrompts&, ItemState& s) {
         s.dialogType = DialogType::OpenFile;
       },
       Kind::SwitchDialog, u"D:\\a", false, true, true, u"r.txt"},
      {"folder picker, file: passed over", PathType::Local, u"D:\\a\\r.txt", TargetKind::Dialog,
       [](OpeningOptions&, FakeFacts&, FakePrompts&, ItemState& s) {
         s.dialogType = DialogType::OpenFolder;
       },
       Kind::None},
      {"dialog, web address: passed over", PathType::Url, u"www.example.org", TargetKind::Dialog,
       none, Kind::None},
      {"console, folder", PathType::Local, u"D:\\Work", TargetKind::Console, none,
       Kind::ChangeConsoleFolder, u"D:\\Work", false, true},
      {"console, file: its folder", PathType::Local, u"D:\\a\\r.txt", TargetKind::Console, none,
       Kind::ChangeConsoleFolder, u"D:\\a", false, true},
      {"console, web address: passed over", PathType::Url, u"www.example.org",
       TargetKind::Console, none, Kind::None},
      {"DTE, folder: into its box", PathType::Local, u"D:\\Work", TargetKind::Dte, none,
       Kind::FillDteBox, u"D:\\Work"},
      {"DTE, file: started", PathType::Local, u"D:\\Tools\\t.exe", TargetKind::Dte, none,
       Kind::OpenPath, u"D:\\Tools\\t.exe", true},
      {"registry key that exists", PathType::Registry, u"HKLM\\Software", TargetKind::Other, none,
       Kind::OpenRegistryPath, u"HKLM\\Software", true},
      {"registry key that does not", PathType::Registry, u"HKLM\\Nothing", TargetKind::Other, none,
       Kind::None, u"", false, false, false},
      {"web address", PathType::Url, u"https://example.org", TargetKind::Other, none,
       Kind::OpenPath, u"https://example.org", false},
      {"file: started with reuse", PathType::Local, u"D:\\Tools\\t.exe", TargetKind::Other,
       [](OpeningOptions& o, FakeFacts&, FakePrompts&, ItemState&) { o.reuseWindow = false; },
       Kind::OpenPath, u"D:\\Tools\\t.exe", true},
      {"folder already open: activate the manager", PathType::Local, u"D:\\Work",
       TargetKind::Other,
       [](OpeningOptions&, FakeFacts& f, FakePrompts&, ItemState&) {
         f.managerFolder = {0x42, u"d:\\work"};
       },
       Kind::ActivateManager, u"D:\\Work", true, true},
      {"folder already open, option off: navigate", PathType::Local, u"D:\\Work",
       TargetKind::Other,
       [](OpeningOptions& o, FakeFacts& f, FakePrompts&, ItemState&) {
         f.managerFolder = {0x42, u"D:\\Work"};
         o.activateOnlyWhenAlreadyOpen = false;
       },
       Kind::NavigateExplorer, u"D:\\Work", true},
      {"Total Commander, reuse", PathType::Local, u"D:\\Work", TargetKind::Other, tc(true),
       Kind::OpenPath, u"D:\\Work", true},
      {"Total Commander, new window", PathType::Local, u"D:\\Work", TargetKind::Other, tc(false),
       Kind::OpenPath, u"D:\\Work", false},
      {"Total Commander, new window, Caps Lock: reuse", PathType::Local, u"D:\\Work",
       TargetKind::Other,
       [](OpeningOptions& o, FakeFacts& f, FakePrompts&, ItemState&) {
         o.manager = FolderManagerChoice::TotalCommander;
         o.reuseWindow = false;
         o.otherMethodWithCapsLock = true;
         f.capsLock = true;
       },
       Kind::OpenPath, u"D:\\Work", true},
      {"Explorer reuse, Caps Lock: a new window", PathType::Local, u"D:\\Work", TargetKind::Other,
       [](OpeningOptions& o, FakeFacts& f, FakePrompts&, ItemState&) {
         o.otherMethodWithCapsLock = true;
         f.capsLock = true;
       },
       Kind::OpenPath, u"D:\\Work", false},
      {"Caps Lock lit without the option: unchanged", PathType::Local, u"D:\\Work",
       TargetKind::Other,
       [](OpeningOptions&, FakeFacts& f, FakePrompts&, ItemState&) { f.capsLock = true; },
       Kind::NavigateExplorer, u"D:\\Work", true},
      {"mapped network folder that exists: like a local folder", PathType::NetworkMappingFolder,
       u"D:\\Work", TargetKind::Other, none, Kind::NavigateExplorer, u"D:\\Work", true},
      {"mapped network folder that is missing: not asked", PathType::NetworkMappingFolder,
       u"Z:\\Gone", TargetKind::Other, none, Kind::None, u"", false, false, false},
      {"shared folder gets its backslashes", PathType::SharedFolder, u"srv\\pub",
       TargetKind::Other, none, Kind::NavigateExplorer, u"\\\\srv\\pub", true},
      {"mixed is no type of one path", PathType::Mixed, u"D:\\Work", TargetKind::Other, none,
       Kind::None, u"", false, false, false},
  };
  for (const PieceCase& c : cases) {
    OpeningOptions options;
    FakeFacts facts = StandardFacts();
    FakePrompts prompts;
    ItemState state;
    c.setUp(options, facts, prompts, state);
    const PieceAction action =
        OpenPathPiece(c.type, c.path, u"", state, c.target, options, facts, prompts);
    EXPECT_EQ(action.kind, c.kind) << c.what;
    EXPECT_EQ(state.anyOpenable, c.anyOpenable) << c.what;
    EXPECT_EQ(prompts.shown.size(), static_cast<size_t>(c.questions)) << c.what;
    if (action.kind == Kind::None) continue;
    EXPECT_EQ(U8(action.path), U8(c.wantPath)) << c.what;
    EXPECT_EQ(action.endsItem, c.endsItem) << c.what;
    EXPECT_EQ(U8(action.fileName), U8(c.fileName)) << c.what;
    if (action.kind == Kind::OpenPath || action.kind == Kind::NavigateExplorer) {
      EXPECT_EQ(action.reuse, c.reuse) << c.what;
    }
    if (action.kind == Kind::ActivateManager) {
      EXPECT_EQ(action.managerWindow, 0x42u) << c.what;
    }
  }
}

TEST(OpenPathPiece, CreationQuestionNamesTheResolvedPath) {
  struct Case {
    const char16_t* path;
    const char16_t* shown;
  };
  // A relative path is shown where it would be made; a UNC path as it is.
  const Case cases[] = {
      {u"new\\sub", u"D:\\App\\new\\sub"},
      {u"\\\\srv\\missing", u"\\\\srv\\missing"},
      {u"E:\\x", u"E:\\x"},
  };
  for (const Case& c : cases) {
    OpeningOptions options;
    FakeFacts facts = StandardFacts();
    FakePrompts prompts;
    prompts.answers = {true};
    ItemState state;
    const PieceAction action =
        OpenPathPiece(PathType::Local, c.path, u"", state, TargetKind::Other, options, facts, prompts);
    ASSERT_EQ(prompts.shown.size(), 1u) << U8(c.path);
    EXPECT_EQ(U8(prompts.shown[0].text), U8(CreateFolderQuestion(c.shown)));
    EXPECT_EQ(U8(prompts.shown[0].caption), U8(kCreateFolderCaption));
    EXPECT_EQ(prompts.shown[0].icon, core::PromptIcon::Error);
    ASSERT_EQ(facts.created.size(), 1u);
    EXPECT_EQ(U8(facts.created[0]), U8(c.shown));
    EXPECT_EQ(U8(action.path), U8(c.shown));
  }
  EXPECT_EQ(U8(CreateFolderQuestion(u"X:\\a")),
            "以下文件夹路径不存在\r\rX:\\a\r\r是否创建该文件夹？");
}

TEST(OpenPathPiece, FolderCountCountsFoldersHandedToExplorer) {
  OpeningOptions options;
  options.explorerFurtherFoldersInNewWindows = false;
  FakeFacts facts = StandardFacts();
  FakePrompts prompts;
  ItemState state;
  for (int i = 0; i < 3; ++i)
    OpenPathPiece(PathType::Local, u"D:\\Work", u"", state, TargetKind::Other, options, facts, prompts);
  OpenPathPiece(PathType::Url, u"www.example.org", u"", state, TargetKind::Other, options, facts,
                prompts);
  OpenPathPiece(PathType::Local, u"D:\\Tools\\t.exe", u"", state, TargetKind::Other, options, facts,
                prompts);
  EXPECT_EQ(state.folderCount, 4);  // three folders and the address; a file is not counted
}

TEST(OpenPathPiece, ManagerFolderIsReadOnlyWhenItMatters) {
  struct Case {
    const char* what;
    PathType type;
    const char16_t* path;
    bool autoMatch;
    FolderManagerChoice manager;
    int reads;
  };
  const Case cases[] = {
      {"folder", PathType::Local, u"D:\\Work", true, FolderManagerChoice::Explorer, 1},
      {"file", PathType::Local, u"D:\\Tools\\t.exe", true, FolderManagerChoice::Explorer, 0},
      {"web address", PathType::Url, u"www.example.org", true, FolderManagerChoice::Explorer, 0},
      {"other program, no auto-match: unreadable", PathType::Local, u"D:\\Work", false,
       FolderManagerChoice::Other, 0},
      {"other program with auto-match", PathType::Local, u"D:\\Work", true,
       FolderManagerChoice::Other, 1},
  };
  for (const Case& c : cases) {
    OpeningOptions options;
    options.autoMatchManager = c.autoMatch;
    options.manager = c.manager;
    FakeFacts facts = StandardFacts();
    FakePrompts prompts;
    ItemState state;
    OpenPathPiece(c.type, c.path, u"", state, TargetKind::Other, options, facts, prompts);
    EXPECT_EQ(facts.managerFolderReads, c.reads) << c.what;
  }
}

// ---- PlanOpenPath ----------------------------------------------------------------------------

struct PlanCase {
  const char* what;
  PathType type;
  const char16_t* path;
  const char16_t* extra;
  bool reuse;
  std::function<void(OpeningOptions&, FakeFacts&, FakePrompts&)> setUp;
  OpenPathPlan::Step step;
  ShellStart start = {};
  std::optional<int> wait = std::nullopt;
  bool front = false;
  int prompts = 0;
};

TEST(PlanOpenPath, DecisionTable) {
  auto none = [](OpeningOptions&, FakeFacts&, FakePrompts&) {};
  auto manager = [](FolderManagerChoice m, const char16_t* program, const char16_t* params,
                    bool exists = true, bool answer = false) {
    return [=](OpeningOptions& o, FakeFacts& f, FakePrompts& p) {
      o.manager = m;
      o.programPath = program;
      o.paramTemplate = params;
      if (exists) f.AddFile(TrimProgramPath(program));
      p.answers = {answer};
    };
  };
  using Step = OpenPathPlan::Step;
  const PlanCase cases[] = {
      {"Explorer, new window: brought to the front", PathType::Local, u"D:\\Work", u"", false,
       none, Step::Start, {u"C:\\windows\\Explorer.exe", u"D:\\Work"}, std::nullopt, true},
      {"Explorer, reuse", PathType::Local, u"D:\\Work\\", u"", true, none, Step::Start,
       {u"C:\\windows\\Explorer.exe", u"D:\\Work"}},
      {"drive root", PathType::Local, u"C:", u"", true, none, Step::Start,
       {u"C:\\windows\\Explorer.exe", u"C:\\"}},
      {"UNC folder", PathType::Local, u"\\\\srv\\share\\", u"", true, none, Step::Start,
       {u"C:\\windows\\Explorer.exe", u"\\\\srv\\share"}},
      {"shared folder", PathType::SharedFolder, u"srv\\pub", u"", true, none, Step::Start,
       {u"C:\\windows\\Explorer.exe", u"\\\\srv\\pub"}},
      {"Total Commander template", PathType::Local, u"D:\\Work", u"", true,
       manager(FolderManagerChoice::TotalCommander, u"\"C:\\TC\\Totalcmd64.exe\"",
               uR"(/O /S /L="%1" /T)"),
       Step::Start, {u"C:\\TC\\Totalcmd64.exe", uR"(/O /S /L="D:\Work\" /T)"}},
      {"Total Commander, Caps Lock asks for a new window", PathType::Local, u"D:\\Work", u"", false,
       [](OpeningOptions& o, FakeFacts& f, FakePrompts&) {
         o.manager = FolderManagerChoice::TotalCommander;
         o.programPath = u"C:\\TC\\Totalcmd64.exe";
         o.paramTemplate = uR"(/O /S /L="%1" /T)";
         o.otherMethodWithCapsLock = true;
         f.capsLock = true;
         f.AddFile(u"C:\\TC\\Totalcmd64.exe");
       },
       Step::Start, {u"C:\\TC\\Totalcmd64.exe", uR"(/N /S /L="D:\Work\" /T)"}},
      {"Directory Opus through dopusrt.exe", PathType::Local, u"D:\\Work", u"", true,
       manager(FolderManagerChoice::DirectoryOpus, u"C:\\GPSoft\\dopus.exe", uR"(/cmd Go "%1")"),
       Step::Start, {u"C:\\GPSoft\\dopusrt.exe", uR"(/cmd Go "D:\Work\")"}},
      {"another program: backslash before a quote doubled", PathType::Local, u"D:\\Work", u"", true,
       manager(FolderManagerChoice::Other, u"C:\\FM\\fm.exe", uR"(-open "%1")"), Step::Start,
       {u"C:\\FM\\fm.exe", uR"(-open "D:\Work\\")"}},
      {"empty template: the folder alone", PathType::Local, u"D:\\Work", u"", true,
       manager(FolderManagerChoice::XYplorer, u"C:\\XY\\XYplorer.exe", u""), Step::Start,
       {u"C:\\XY\\XYplorer.exe", u"D:\\Work"}},
      {"manager program missing, Yes: Explorer", PathType::Local, u"D:\\Work", u"", true,
       manager(FolderManagerChoice::TotalCommander, u"C:\\TC\\Totalcmd64.exe", u"/O", false, true),
       Step::Start, {u"C:\\windows\\Explorer.exe", u"D:\\Work"}, std::nullopt, false, 1},
      {"manager program missing, No: the options", PathType::Local, u"D:\\Work", u"", true,
       manager(FolderManagerChoice::TotalCommander, u"", u"/O", false, false),
       Step::OpenOptionsPage, {}, std::nullopt, false, 1},
      {"folder with parameters: to the shell, waiting", PathType::Local, u"D:\\Work",
       u"/Wait 2 /Hide", true, none, Step::Start, {u"D:\\Work", u"", true}, 2},
      {"file", PathType::Local, u"D:\\Tools\\t.exe", u"", true, none, Step::Start,
       {u"D:\\Tools\\t.exe", u""}},
      {"file with parameters", PathType::Local, u"D:\\Tools\\t.exe", u"/S /Wait 5 /Hide", true,
       none, Step::Start, {u"D:\\Tools\\t.exe", u"/S", true}, 5},
      {"relative file in the program's folder", PathType::Local, u"tools\\t.exe", u"/x", true,
       [](OpeningOptions&, FakeFacts& f, FakePrompts&) { f.AddFile(u"D:\\App\\tools\\t.exe"); },
       Step::Start, {u"D:\\App\\tools\\t.exe", u"/x"}},
      {"missing local path: nothing", PathType::Local, u"D:\\Gone", u"", true, none, Step::Nothing},
      {"web address", PathType::Url, u"https://example.org/a b", u"", true, none, Step::Start,
       {u"https://example.org/a b", u""}},
      {"folder for DTE", PathType::Local, u"D:\\Work", u"", true, none, Step::FillDteBox},
  };
  for (const PlanCase& c : cases) {
    OpeningOptions options;
    FakeFacts facts = StandardFacts();
    FakePrompts prompts;
    c.setUp(options, facts, prompts);
    const TargetKind target = c.step == Step::FillDteBox ? TargetKind::Dte : TargetKind::Other;
    const OpenPathPlan plan =
        PlanOpenPath(c.type, c.path, c.extra, c.reuse, target, options, facts, prompts);
    EXPECT_EQ(plan.step, c.step) << c.what;
    EXPECT_EQ(prompts.shown.size(), static_cast<size_t>(c.prompts)) << c.what;
    if (c.prompts) {
      EXPECT_EQ(U8(prompts.shown[0].text), U8(kManagerMissingQuestion)) << c.what;
      EXPECT_EQ(prompts.shown[0].icon, core::PromptIcon::Warning) << c.what;
    }
    if (plan.step != Step::Start) continue;
    EXPECT_EQ(U8(plan.start.file), U8(c.start.file)) << c.what;
    EXPECT_EQ(U8(plan.start.parameters), U8(c.start.parameters)) << c.what;
    EXPECT_EQ(plan.start.hidden, c.start.hidden) << c.what;
    EXPECT_EQ(plan.waitSeconds, c.wait) << c.what;
    EXPECT_EQ(plan.frontNewExplorerWindow, c.front) << c.what;
    EXPECT_FALSE(plan.explorerRetryOnFailure) << c.what;
  }
}

TEST(PlanOpenPath, NamespacePathGoesToTheShellWithAnExplorerRetry) {
  struct Case {
    bool reuse;
    FolderManagerChoice manager;
    bool frontAfterRetry;
  };
  const Case cases[] = {{true, FolderManagerChoice::Explorer, true},
                        {false, FolderManagerChoice::Explorer, false},
                        {true, FolderManagerChoice::TotalCommander, false}};
  for (const Case& c : cases) {
    OpeningOptions options;
    options.manager = c.manager;
    FakeFacts facts = StandardFacts();
    FakePrompts prompts;
    const OpenPathPlan plan = PlanOpenPath(PathType::Local, kComputer, u"", c.reuse,
                                           TargetKind::Other, options, facts, prompts);
    EXPECT_EQ(plan.step, OpenPathPlan::Step::Start);
    EXPECT_EQ(U8(plan.start.file), U8(kComputer));
    EXPECT_TRUE(plan.explorerRetryOnFailure);
    EXPECT_EQ(plan.frontNewExplorerWindowAfterRetry, c.frontAfterRetry);
    EXPECT_FALSE(plan.frontNewExplorerWindow);
  }
}

TEST(PlanOpenPath, ThousandsOfPlaceholdersInATemplate) {
  std::u16string params;
  for (int i = 0; i < 5000; ++i) params += u"\"%1\" ";
  OpeningOptions options;
  options.manager = FolderManagerChoice::TotalCommander;
  options.programPath = u"C:\\TC\\Totalcmd64.exe";
  options.paramTemplate = params;
  FakeFacts facts = StandardFacts();
  facts.AddFile(u"C:\\TC\\Totalcmd64.exe");
  FakePrompts prompts;
  const OpenPathPlan plan =
      PlanOpenPath(PathType::Local, u"D:\\Work", u"", true, TargetKind::Other, options, facts, prompts);
  const std::u16string one = u"\"D:\\Work\\\"";
  size_t count = 0;
  for (size_t at = 0; (at = plan.start.parameters.find(one, at)) != std::u16string::npos; at += one.size())
    ++count;
  EXPECT_EQ(count, 5000u);
  EXPECT_EQ(plan.start.parameters.find(u"%1"), std::u16string::npos);
}

}  // namespace
}  // namespace pathorama::paths
