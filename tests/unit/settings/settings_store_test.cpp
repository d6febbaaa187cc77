#include "settings/settings_store.h"

#include <gtest/gtest.h>

#include <map>
#include <random>

#include "core/text.h"

namespace pathorama::settings {
namespace {

using std::string_literals::operator""s;

constexpr core::CalendarDate kToday{2026, 12, 9};
constexpr char16_t kExe[] = u"C:\\Apps\\Pathorama\\pathorama.exe";

// The program around the store: files in a map, effects recorded.
class RecordingHost : public ProgramFacts,
                      public MainWindowHooks,
                      public SettingsFiles,
                      public ApplyEffects {
 public:
  core::CalendarDate Today() const override { return kToday; }
  std::u16string AppVersion() const override { return u"3.7"; }
  std::u16string ExecutablePath() const override { return kExe; }
  unsigned AnsiCodePage() const override { return 936; }
  void CreatePathListFromIni(core::IniDocument&) override {
    ++jumpListBuilds;
    hideDisabledItemsAtBuild = settings->Bool(Setting::HideDisabledItems);
  }
  void SavePathListFromMenuToIni(core::IniDocument& ini) override {
    ++jumpListSaves;
    ini.Write(u"PathMenu", u"1", u"Docs=C:\\Docs");
  }
  void ClearIniFileAttributes() override { ++attributeClears; }
  bool WriteIniFile(const core::IniDocument& ini) override {
    written = ini.Serialize();
    ++iniWrites;
    return iniWritable;
  }
  core::FileBytes ReadFileBytes(const std::u16string& path) override {
    if (auto failure = readFailures.find(path); failure != readFailures.end())
      return {failure->second, {}};
    auto it = files.find(path);
    if (it == files.end()) return {core::FileStatus::kNotFound, {}};
    return {core::FileStatus::kOk, it->second};
  }
  core::FileStatus WriteFileBytes(const std::u16string& path, std::string_view bytes) override {
    ++fileWrites;
    if (auto failure = writeFailures.find(path); failure != writeFailures.end())
      return failure->second;
    files[path] = std::string(bytes);
    return core::FileStatus::kOk;
  }
  std::optional<std::pair<int, int>> MainWindowPosition() const override { return position; }
  void CheckHideOffScreenMenuItem() override { ++offScreenChecks; }
  void ApplyRegistry(const std::vector<RegistryOperation>& ops) override {
    registry = ops;
  }
  void SetVariableOptions(const variables::VariableOptions& options) override {
    variables = options;
  }
  void SetFunctionItemsVisible(const FunctionItemVisibility& v) override { items = v; }
  void SetCaptionMaxLength(int32_t n) override { captionMaxLength = n; }
  void RegisterHotKeys(const HotKeyShortcuts& s) override {
    hotkeys = s;
    ++hotkeyRegistrations;
  }
  void RefreshFunctionItemIcons() override { ++iconRefreshes; }

  const AppSettings* settings = nullptr;
  std::map<std::u16string, std::string> files;
  // Files that exist but cannot be read or written, and why.
  std::map<std::u16string, core::FileStatus> readFailures, writeFailures;
  int fileWrites = 0;
  std::optional<std::pair<int, int>> position;
  bool iniWritable = true;
  std::u16string written;
  int jumpListBuilds = 0, jumpListSaves = 0, attributeClears = 0, iniWrites = 0;
  int offScreenChecks = 0, hotkeyRegistrations = 0, iconRefreshes = 0;
  bool hideDisabledItemsAtBuild = false;
  std::vector<RegistryOperation> registry;
  std::optional<variables::VariableOptions> variables;
  FunctionItemVisibility items{false, false, false, false, false};
  int32_t captionMaxLength = 0;
  HotKeyShortcuts hotkeys;
};

struct Fixture {
  explicit Fixture(std::u16string_view iniText = u"")
      : ini(core::IniDocument::Parse(std::u16string(iniText))),
        settings(kToday),
        store(ini, settings, {host, host, host}) {
    host.settings = &settings;
  }
  core::IniDocument ini;
  AppSettings settings;
  RecordingHost host;
  SettingsStore store;
};

std::u16string ListPath(const char16_t* name) { return std::u16string(u"C:\\Apps\\Pathorama\\") + name; }

TEST(SettingsStore, FirstStartWithoutFileWritesOptionAndIgnoreListsInTheApplyStep) {
  Fixture f;
  f.store.LoadAppSetting(LoadRange::All);
  // Loading only reads: no file, no list, no registry, no hotkeys.
  EXPECT_EQ(f.host.iniWrites, 0);
  EXPECT_EQ(f.host.fileWrites, 0);
  EXPECT_TRUE(f.host.registry.empty());
  EXPECT_EQ(f.host.hotkeyRegistrations, 0);
  EXPECT_TRUE(f.ini.Sections().empty());
  // The first activation's apply step.
  f.store.ApplyAppSetting(ApplyMode::Accepted, f.host);
  // The two CapsLock options are both on by default: the direct jump list wins.
  EXPECT_TRUE(f.settings.Bool(Setting::DirectJumpListWhenCapsLock));
  EXPECT_FALSE(f.settings.Bool(Setting::UseAnotherOpenMethodWhenCapsLock));
  EXPECT_EQ(f.host.jumpListBuilds, 1);
  EXPECT_EQ(f.host.hotkeys, (HotKeyShortcuts{16452, 0, 16455, 16465}));
  EXPECT_EQ(f.host.captionMaxLength, 100);
  EXPECT_EQ(f.host.items, FunctionItemVisibility{});
  EXPECT_EQ(f.host.iconRefreshes, 1);
  EXPECT_FALSE(f.host.registry.empty());
  ASSERT_TRUE(f.host.variables);
  EXPECT_EQ(f.host.variables->randomLength, 5);
  // The apply step saved the options: [Option] and the four lists, nothing else.
  EXPECT_EQ(f.host.iniWrites, 1);
  EXPECT_TRUE(f.ini.HasSection(u"Option"));
  EXPECT_FALSE(f.ini.HasSection(u"Main"));
  EXPECT_FALSE(f.ini.HasSection(u"SetJumpList"));
  EXPECT_EQ(f.ini.Read(u"Option", u"UseAnotherOpenMethodWhenCapsLock_0"), u"0");
  EXPECT_EQ(f.ini.Read(u"Option", u"AsFirstWeek"), u"2026-01-01");
  EXPECT_EQ(f.ini.Read(u"Option", u"JumpMenuHotKey1"), u"16452");
  EXPECT_FALSE(f.ini.Read(u"Option", u"MainWindowPos"));  // no window position to write
  ASSERT_EQ(f.host.files.size(), 4u);
  EXPECT_EQ(f.host.files[ListPath(u"IgnoreWinClass2.lst")], "\xEF\xBB\xBF");
  EXPECT_EQ(f.host.files[ListPath(u"IgnoreAppName2.lst")], "\xEF\xBB\xBF\r\n");
  EXPECT_TRUE(f.host.files[ListPath(u"IgnoreAppName1.lst")].starts_with(
      "\xEF\xBB\xBFWINWORD.EXE                  // MS-Word\r\n"));

  // Exit adds [Main] and [SetJumpList] and the jump list.
  f.host.position = {{-12, -1000}};
  ASSERT_TRUE(f.store.SaveAppSetting(SaveRange::All));
  EXPECT_EQ(f.ini.Read(u"Main", u"Ver"), u"3.7");
  EXPECT_EQ(f.ini.Read(u"Main", u"UseGlobalHotKey"), u"1");
  EXPECT_EQ(f.ini.Read(u"SetJumpList", u"HideItemWhenForbid"), u"1");
  EXPECT_EQ(f.ini.Read(u"Option", u"MainWindowPos"), u"-12,-1000");
  EXPECT_EQ(f.host.jumpListSaves, 1);
  EXPECT_EQ(f.host.attributeClears, 1);
}

TEST(SettingsStore, LoadedValuesKeepTheirRanges) {
  struct Case {
    const char16_t* line;
    Setting id;
    long long expected;
  };
  const Case cases[] = {
      {u"AutoHideDistance=1", Setting::AutoHideDistance, 1},
      {u"AutoHideDistance=10", Setting::AutoHideDistance, 10},
      {u"AutoHideDistance=0", Setting::AutoHideDistance, 1},
      {u"AutoHideDistance=11", Setting::AutoHideDistance, 10},
      {u"RandomLength=100", Setting::RandomLength, 100},
      {u"RandomLength=101", Setting::RandomLength, 100},
      {u"nbxJumpListItemCaptionMaxLength=0", Setting::ItemCaptionMaxLength, 1},
      {u"MainWindowAt=7", Setting::MainWindowAt, 7},
      {u"MainWindowAt=8", Setting::MainWindowAt, 0},
      {u"GetFolderFromManager=6", Setting::GetFolderFromManager, 6},
      {u"GetFolderFromManager=-1", Setting::GetFolderFromManager, 0},
      {u"FolderManagerName=6", Setting::ChosenFolderManager, 6},
      {u"FolderManagerName=7", Setting::ChosenFolderManager, 0},
      {u"NewTabPos_DO=3", Setting::DirectoryOpusNewTabPosition, 3},
      {u"NewTabPos_DO=4", Setting::DirectoryOpusNewTabPosition, 1},
      {u"JumpMenuHotKey1=65535", Setting::JumpMenuHotKey1, 65535},
      {u"JumpMenuHotKey1=65536", Setting::JumpMenuHotKey1, 16452},
      {u"JumpMenuHotKey1= 16455 ", Setting::JumpMenuHotKey1, 16455},
      {u"AutoRunWhenSystemStart=0", Setting::AutoRunWhenSystemStart, 0},
      {u"AutoHideWhenScreenEdge=2", Setting::AutoHideAtScreenEdge, 1},
      {u"HideAppSetting=-1", Setting::HideAppSettings, 1},
      {u"WeekStartsWith=1", Setting::WeekStartsWith, 1},
      {u"WeekStartsWith=2", Setting::WeekStartsWith, 0},
  };
  for (const Case& c : cases) {
    Fixture f(std::u16string(u"[Option]\r\n") + c.line + u"\r\n");
    f.store.LoadAppSetting(LoadRange::Option);
    EXPECT_EQ(f.settings.Int(c.id), c.expected) << core::Utf16ToUtf8(c.line);
  }
}

TEST(SettingsStore, BadValueStopsOnlyItsOwnBlock) {
  struct Case {
    const char* name;
    const char16_t* ini;
    Setting before;  // read before the bad value: loaded
    long long beforeValue;
    Setting after;  // same block, after it: left at its default
    long long afterDefault;
    Setting nextBlock;  // a later block: loaded
    long long nextValue;
  };
  const Case cases[] = {
      {"general",
       u"[Option]\nJumpMenuAtCenter=1\nJumpMenuHotKey2=abc\nAutoHideDistance=3\n"
       u"ShowMsgWhenIgnoreGlobalHotKey=0\n",
       Setting::JumpMenuAtCenter, 1, Setting::AutoHideDistance, 5,
       Setting::ShowMessageWhenHotKeyIgnored, 0},
      {"folder manager",
       u"[Option]\nFolderManagerAutoMatch=0\nUseOldFolderManager_0=x\n"
       u"NewTabView_DO=4\nAutoHideDistance=3\nShowMsgWhenIgnoreGlobalHotKey=0\n",
       Setting::FolderManagerAutoMatch, 0, Setting::DirectoryOpusNewTabView, 2,
       Setting::ShowMessageWhenHotKeyIgnored, 0},
      {"date and random",
       u"[Option]\nWeekStartsWith=1\nAsFirstWeek=someday\nRandomLength=9\n"
       u"HideAppSetting=1\n",
       Setting::WeekStartsWith, 1, Setting::RandomLength, 5,
       Setting::HideAppSettings, 1},
      {"empty number",
       u"[Option]\nUpperEnglishLetterAsRandom=0\nRomaAsRandom=\nRandomLength=9\n"
       u"HideAppSetting=1\n",
       Setting::UpperEnglishLetterAsRandom, 0, Setting::RandomLength, 5,
       Setting::HideAppSettings, 1},
      {"function items",
       u"[Option]\nHideAddCurFolder=1\nHideSetJumpList=yes\n"
       u"nbxJumpListItemCaptionMaxLength=50\n[SetJumpList]\nHideItemWhenForbid=0\n",
       Setting::HideAddCurrentFolder, 1, Setting::ItemCaptionMaxLength,
       100, Setting::HideDisabledItems, 0},
      {"main", u"[Main]\nUseGlobalHotKey=on\n[Option]\nHideAppSetting=1\n",
       Setting::HideDisabledItems, 1, Setting::UseGlobalHotKey, 1,
       Setting::HideAppSettings, 1},
  };
  for (const Case& c : cases) {
    Fixture f(c.ini);
    f.store.LoadAppSetting(LoadRange::All);
    EXPECT_EQ(f.settings.Int(c.before), c.beforeValue) << c.name;
    EXPECT_EQ(f.settings.Int(c.after), c.afterDefault) << c.name;
    EXPECT_EQ(f.settings.Int(c.nextBlock), c.nextValue) << c.name;
    EXPECT_EQ(f.host.jumpListBuilds, 1) << c.name;
  }
}

TEST(SettingsStore, IgnoreOptionsSkipWholeGroups) {
  struct Case {
    const char* name;
    IgnoreOptions ignore;
    std::vector<Setting> skipped, kept;
    std::vector<IgnoreList> skippedLists, keptLists;
  };
  const Case cases[] = {
      {"nothing", {}, {}, {Setting::JumpMenuAtCenter, Setting::Version}, {},
       {IgnoreList::AppName1, IgnoreList::WindowClass2}},
      {"one position: all four",
       {Setting::JumpMenuAtCenter},
       {Setting::JumpMenuUnderCursor, Setting::JumpMenuUnderApp, Setting::JumpMenuUnderAddressBar,
        Setting::JumpMenuAtCenter},
       {Setting::JumpMenuHotKey1, Setting::OpenSaveDialogHotKey},
       {},
       {}},
      {"one jump-list hotkey: both",
       {Setting::JumpMenuHotKey2},
       {Setting::JumpMenuHotKey1, Setting::JumpMenuHotKey2},
       {Setting::OpenSaveDialogHotKey, Setting::CaptureOfficeOrWindowFolderPathHotKey},
       {},
       {}},
      {"a key without a group: itself",
       {Setting::FolderManagerPath},
       {Setting::FolderManagerPath},
       {Setting::FolderManagerParameters, Setting::ChosenFolderManager},
       {},
       {}},
      {"a radio group without a group name: itself",
       {Setting::Xplorer2SinglePanel},
       {Setting::Xplorer2SinglePanel},
       {Setting::Xplorer2DualPanels},
       {},
       {}},
      {"panels of one file manager",
       {Setting::TotalCommanderOpenAtTargetPanel},
       {Setting::TotalCommanderOpenAtLeftPanel, Setting::TotalCommanderOpenAtSourcePanel},
       {Setting::DirectoryOpusOpenAtLeftPanel, Setting::TotalCommanderPanelToActivate},
       {},
       {}},
      {"the version", {Setting::Version}, {Setting::Version}, {Setting::UseGlobalHotKey}, {}, {}},
      {"one program-name list: both",
       IgnoreOptions().Add(IgnoreList::AppName2),
       {},
       {Setting::RandomLength},
       {IgnoreList::AppName1, IgnoreList::AppName2},
       {IgnoreList::WindowClass1, IgnoreList::WindowClass2}},
  };
  for (const Case& c : cases) {
    for (Setting id : c.skipped) EXPECT_TRUE(c.ignore.Skips(id)) << c.name;
    for (Setting id : c.kept) EXPECT_FALSE(c.ignore.Skips(id)) << c.name;
    for (IgnoreList id : c.skippedLists) EXPECT_TRUE(c.ignore.Skips(id)) << c.name;
    for (IgnoreList id : c.keptLists) EXPECT_FALSE(c.ignore.Skips(id)) << c.name;
  }
}

TEST(SettingsStore, IgnoredGroupsAreNeitherLoadedNorSaved) {
  Fixture f(u"[Option]\nJumpMenuAtCenter=1\nJumpMenuUnderAddressBar=0\nRandomLength=9\n"
            u"FolderManagerName=3\nFolderManagerPath_3=C:\\XY\\XYplorer.exe\n");
  f.host.files[ListPath(u"IgnoreAppName1.lst")] = "Only.exe\r\n";
  f.host.files[ListPath(u"IgnoreWinClass1.lst")] = "OnlyClass\r\n";
  f.store.LoadAppSetting(LoadRange::Option, IgnoreOptions{Setting::JumpMenuUnderCursor,
                                                          Setting::FolderManagerPath}
                                                .Add(IgnoreList::AppName1));
  EXPECT_TRUE(f.settings.Bool(Setting::JumpMenuUnderAddressBar));
  EXPECT_FALSE(f.settings.Bool(Setting::JumpMenuAtCenter));
  EXPECT_EQ(f.settings.Int(Setting::RandomLength), 9);
  EXPECT_EQ(f.settings.IgnoreListLines(IgnoreList::AppName1),
            DefaultIgnoreListLines(IgnoreList::AppName1));
  EXPECT_EQ(f.settings.IgnoreListLines(IgnoreList::WindowClass1),
            std::vector<std::u16string>{u"OnlyClass"});
  // The folder-manager part of an "Option" load takes no exclusions.
  EXPECT_EQ(f.settings.Text(Setting::FolderManagerPath), u"C:\\XY\\XYplorer.exe");

  Fixture g;
  g.settings.SetInt(Setting::RandomLength, 42);
  g.settings.SetInt(Setting::AutoHideDistance, 7);
  g.store.SaveAppSetting(SaveRange::Option,
                         IgnoreOptions{Setting::RandomLength}.Add(IgnoreList::WindowClass2));
  EXPECT_FALSE(g.ini.Read(u"Option", u"RandomLength"));
  EXPECT_EQ(g.ini.Read(u"Option", u"AutoHideDistance"), u"7");
  EXPECT_EQ(g.host.files.count(ListPath(u"IgnoreWinClass1.lst")), 0u);
  EXPECT_EQ(g.host.files.count(ListPath(u"IgnoreWinClass2.lst")), 0u);
  EXPECT_EQ(g.host.files.count(ListPath(u"IgnoreAppName1.lst")), 1u);
}

TEST(SettingsStore, CapsLockOptionsExcludeEachOther) {
  struct Case {
    const char16_t* ini;
    bool direct, another;
  };
  const Case cases[] = {
      {u"DirectJumpListWhenCapsLock=1\nUseAnotherOpenMethodWhenCapsLock_0=1\n", true, false},
      {u"DirectJumpListWhenCapsLock=0\nUseAnotherOpenMethodWhenCapsLock_0=1\n", false, true},
      {u"DirectJumpListWhenCapsLock=1\nUseAnotherOpenMethodWhenCapsLock_0=0\n", true, false},
      {u"DirectJumpListWhenCapsLock=0\n", false, true},
      {u"", true, false},
      // The option of another manager is not the one in force.
      {u"DirectJumpListWhenCapsLock=0\nUseAnotherOpenMethodWhenCapsLock_1=0\n", false, true},
  };
  for (const Case& c : cases) {
    Fixture f(std::u16string(u"[Option]\n") + c.ini);
    f.store.LoadAppSetting(LoadRange::Option);
    EXPECT_EQ(f.settings.Bool(Setting::DirectJumpListWhenCapsLock), c.direct)
        << core::Utf16ToUtf8(c.ini);
    EXPECT_EQ(f.settings.Bool(Setting::UseAnotherOpenMethodWhenCapsLock), c.another)
        << core::Utf16ToUtf8(c.ini);
  }
  // Switching to a manager whose stored option is on keeps the exclusion.
  Fixture f(u"[Option]\nDirectJumpListWhenCapsLock=1\nUseAnotherOpenMethodWhenCapsLock_2=1\n");
  f.store.LoadAppSetting(LoadRange::Option);
  ASSERT_TRUE(f.store.SelectFolderManager(2));
  EXPECT_FALSE(f.settings.Bool(Setting::UseAnotherOpenMethodWhenCapsLock));
}

TEST(SettingsStore, AsFirstWeekIsKeptInTheCurrentYear) {
  struct Case {
    const char16_t* line;
    core::CalendarDate loaded;
  };
  const Case cases[] = {
      {u"AsFirstWeek=2019-09-02", {2026, 9, 2}},
      {u"AsFirstWeek=2019/9/2", {2026, 9, 2}},
      {u"AsFirstWeek=2024-02-29", {2026, 2, 28}},
      {u"AsFirstWeek=2026-03-04", {2026, 3, 4}},
      {u"", {2026, 1, 1}},
  };
  for (const Case& c : cases) {
    Fixture f(std::u16string(u"[Option]\n") + c.line + u"\n");
    f.store.LoadAppSetting(LoadRange::Option);
    EXPECT_EQ(f.settings.Date(Setting::AsFirstWeek), c.loaded)
        << core::Utf16ToUtf8(c.line);
    f.store.ApplyAppSetting(ApplyMode::Accepted, f.host);
    EXPECT_EQ(f.host.variables->asFirstWeek.month, c.loaded.month);
    EXPECT_EQ(f.host.variables->asFirstWeek.day, c.loaded.day);
  }
  // Saving: a date of another year is written in the current year.
  Fixture f;
  f.settings.SetDate(Setting::AsFirstWeek, {2019, 9, 2});
  f.settings.SetDate(Setting::DayForEmptyDateParameter, {2019, 9, 2});
  f.store.SaveAppSetting(SaveRange::Option);
  EXPECT_EQ(f.ini.Read(u"Option", u"AsFirstWeek"), u"2026-09-02");
  EXPECT_EQ(f.ini.Read(u"Option", u"dtpDayForDayCustomVarEmptyParam"), u"2019-09-02");
}

TEST(SettingsStore, RadioGroupsFromTheFile) {
  struct Case {
    const char16_t* ini;
    Setting chosen;
  };
  const Case cases[] = {
      {u"JumpMenuUnderCursor=1\nJumpMenuUnderApp=0\nJumpMenuUnderAddressBar=0\nJumpMenuAtCenter="
       u"0\n",
       Setting::JumpMenuUnderCursor},
      {u"JumpMenuUnderCursor=0\nJumpMenuUnderApp=0\nJumpMenuUnderAddressBar=1\nJumpMenuAtCenter="
       u"1\n",
       Setting::JumpMenuAtCenter},
      // Nothing chosen in the file: the default choice, not an empty group.
      {u"JumpMenuUnderCursor=0\nJumpMenuUnderApp=0\nJumpMenuUnderAddressBar=0\nJumpMenuAtCenter="
       u"0\n",
       Setting::JumpMenuUnderAddressBar},
      {u"JumpMenuUnderApp=1\nJumpMenuUnderAddressBar=0\n", Setting::JumpMenuUnderApp},
  };
  const Setting group[] = {
      Setting::JumpMenuUnderCursor, Setting::JumpMenuUnderApp,
      Setting::JumpMenuUnderAddressBar, Setting::JumpMenuAtCenter};
  for (const Case& c : cases) {
    Fixture f(std::u16string(u"[Option]\n") + c.ini);
    f.store.LoadAppSetting(LoadRange::Option);
    for (Setting s : group)
      EXPECT_EQ(f.settings.Bool(s), s == c.chosen) << core::Utf16ToUtf8(c.ini);
  }
  // Window state of the manager: the last checked one wins, the default is maximised.
  Fixture f(u"[Option]\nMaxmizeFolderManager_0=1\nMinmizeFolderManager_0=1\nNormalFolderManager_0=0\n");
  f.store.LoadAppSetting(LoadRange::FolderManager);
  EXPECT_TRUE(f.settings.Bool(Setting::MinimizeFolderManager));
  EXPECT_FALSE(f.settings.Bool(Setting::MaximizeFolderManager));
}

TEST(SettingsStore, SaveAndLoadRoundTrip) {
  Fixture a;
  a.settings.SetBool(Setting::UseGlobalHotKey, false);
  a.settings.SetBool(Setting::HideDisabledItems, false);
  a.settings.SetBool(Setting::JumpMenuAtCenter, true);
  a.settings.SetInt(Setting::JumpMenuHotKey2, 0x6045);
  a.settings.SetInt(Setting::FillFolderPathMethod, 2);
  a.settings.SetInt(Setting::MainWindowAt, 5);
  a.settings.SetInt(Setting::AutoHideDistance, 9);
  a.settings.SetBool(Setting::AutoRunWhenSystemStart, false);
  a.settings.SetBool(Setting::DirectJumpListWhenCapsLock, false);
  a.settings.SetInt(Setting::WeekStartsWith, 1);
  a.settings.SetDate(Setting::AsFirstWeek, {2026, 9, 7});
  a.settings.SetText(Setting::YearMonthDayDelimiter, u"－");
  a.settings.SetBool(Setting::SetDayForEmptyDateParameter, true);
  a.settings.SetDate(Setting::DayForEmptyDateParameter, {2020, 2, 29});
  a.settings.SetBool(Setting::CustomCharactersAsRandom, true);
  a.settings.SetText(Setting::CustomRandomCharacters, u"甲乙 丙=;");
  a.settings.SetInt(Setting::RandomLength, 17);
  a.settings.SetBool(Setting::HideDisableJumpListHotKey, true);
  a.settings.SetBool(Setting::LimitItemCaptionLength, false);
  a.settings.SetInt(Setting::ChosenFolderManager, 4);
  a.settings.SetText(Setting::FolderManagerPath, u"D:\\x2\\xplorer2_64.exe");
  a.settings.SetText(Setting::FolderManagerParameters, u"/T \"%1\"");
  a.settings.SetBool(Setting::OpenNewFolderManagerWindow, true);
  a.settings.SetBool(Setting::NormalFolderManager, true);
  a.settings.SetBool(Setting::DirectoryOpusOpenAtTargetPanel, true);
  a.settings.SetInt(Setting::DirectoryOpusNewTabView, 5);
  a.settings.SetBool(Setting::Xplorer2SinglePanel, true);
  a.settings.SetInt(Setting::FreeCommanderPanelToActivate, 1);
  a.settings.SetIgnoreListLines(IgnoreList::AppName2,
                                {u"Code.exe, devenv.exe  // IDEs", u"", u"<Disabled.exe>"});
  a.settings.SetIgnoreListLines(IgnoreList::WindowClass1, {});
  ASSERT_TRUE(a.store.SaveAppSetting(SaveRange::All));

  Fixture b(a.host.written);
  b.host.files = a.host.files;
  b.store.LoadAppSetting(LoadRange::All);
  b.store.ApplyAppSetting(ApplyMode::Accepted, b.host);
  for (const SettingDefinition& def : SettingDefinitions()) {
    const std::string key = core::Utf16ToUtf8(def.key);
    EXPECT_EQ(b.settings.Int(def.id), a.settings.Int(def.id)) << key;
    EXPECT_EQ(b.settings.Text(def.id), a.settings.Text(def.id)) << key;
    EXPECT_EQ(b.settings.Date(def.id), a.settings.Date(def.id)) << key;
  }
  for (const IgnoreListDefinition& list : IgnoreListDefinitions())
    EXPECT_EQ(b.settings.IgnoreListLines(list.id), a.settings.IgnoreListLines(list.id))
        << core::Utf16ToUtf8(list.fileName);
  // The reloaded values took effect.
  EXPECT_EQ(b.host.captionMaxLength, 2147483647);
  EXPECT_EQ(b.host.hotkeys.jumpMenu2, 0x6045);
  EXPECT_EQ(b.host.variables->yearMonthDayDelimiter, u"－");
}

TEST(SettingsStore, FolderManagerKeysFollowTheChosenManager) {
  Fixture f(u"[Option]\nFolderManagerName=1\nFolderManagerPath_1=C:\\TC\\TOTALCMD64.EXE\n"
            u"FolderManagerParam_1=/O /T\nOpenNewFolderManager_1=1\n"
            u"FolderManagerPath_3=C:\\XY\\XYplorer.exe\n");
  f.store.LoadAppSetting(LoadRange::All);
  EXPECT_EQ(f.settings.FolderManagerIndex(), 1);
  EXPECT_EQ(f.settings.Text(Setting::FolderManagerPath), u"C:\\TC\\TOTALCMD64.EXE");
  EXPECT_TRUE(f.settings.Bool(Setting::OpenNewFolderManagerWindow));

  ASSERT_TRUE(f.store.SelectFolderManager(3));
  EXPECT_EQ(f.settings.FolderManagerIndex(), 3);
  EXPECT_EQ(f.settings.Text(Setting::FolderManagerPath), u"C:\\XY\\XYplorer.exe");
  EXPECT_EQ(f.settings.Text(Setting::FolderManagerParameters), u"");
  EXPECT_TRUE(f.settings.Bool(Setting::ReuseFolderManagerWindow));

  ASSERT_TRUE(f.store.SelectFolderManager(1));
  EXPECT_EQ(f.settings.Text(Setting::FolderManagerParameters), u"/O /T");
  EXPECT_FALSE(f.store.SelectFolderManager(7));
  EXPECT_EQ(f.settings.FolderManagerIndex(), 1);

  // Saved under the chosen manager's index, trimmed; other managers' keys stay.
  f.settings.SetText(Setting::FolderManagerPath, u"  C:\\Tools\\TC\\ ");
  f.settings.SetText(Setting::FolderManagerParameters, u" \t/O /T  ");
  f.store.SaveAppSetting(SaveRange::Option);
  EXPECT_EQ(f.ini.Read(u"Option", u"FolderManagerPath_1"), u"C:\\Tools\\TC");
  EXPECT_EQ(f.ini.Read(u"Option", u"FolderManagerParam_1"), u"/O /T");
  EXPECT_EQ(f.ini.Read(u"Option", u"FolderManagerPath_3"), u"C:\\XY\\XYplorer.exe");
  EXPECT_FALSE(f.ini.Read(u"Option", u"FolderManagerPath_0"));
}

TEST(SettingsStore, RangesLoadAndSaveTheirOwnKeys) {
  const char16_t* iniText =
      u"[Main]\nUseGlobalHotKey=0\n[SetJumpList]\nHideItemWhenForbid=0\n"
      u"[Option]\nAutoHideDistance=3\nFolderManagerAutoMatch=0\n";
  {
    Fixture f(iniText);
    f.store.LoadAppSetting(LoadRange::MainForm);
    EXPECT_FALSE(f.settings.Bool(Setting::UseGlobalHotKey));
    EXPECT_TRUE(f.settings.Bool(Setting::HideDisabledItems));
    EXPECT_EQ(f.settings.Int(Setting::AutoHideDistance), 5);
    EXPECT_EQ(f.host.jumpListBuilds, 1);
    EXPECT_EQ(f.host.iniWrites, 0);
  }
  {
    Fixture f(iniText);
    f.store.LoadAppSetting(LoadRange::SetJumpList);
    EXPECT_FALSE(f.settings.Bool(Setting::HideDisabledItems));
    EXPECT_TRUE(f.settings.Bool(Setting::UseGlobalHotKey));
    EXPECT_EQ(f.host.jumpListBuilds, 0);
  }
  {
    Fixture f(iniText);
    f.store.LoadAppSetting(LoadRange::FolderManager);
    EXPECT_FALSE(f.settings.Bool(Setting::FolderManagerAutoMatch));
    EXPECT_EQ(f.settings.Int(Setting::AutoHideDistance), 5);
    EXPECT_EQ(f.host.hotkeyRegistrations, 0);  // no apply step
  }
  {
    // "All": the jump list is built after HideItemWhenForbid is known.
    Fixture f(iniText);
    f.store.LoadAppSetting(LoadRange::All);
    EXPECT_FALSE(f.host.hideDisabledItemsAtBuild);
    EXPECT_EQ(f.settings.Int(Setting::AutoHideDistance), 3);
    EXPECT_EQ(f.host.iniWrites, 0);
  }
  {
    // "MainForm" writes the version and the jump list, not UseGlobalHotKey.
    Fixture f;
    f.settings.SetBool(Setting::UseGlobalHotKey, false);
    EXPECT_TRUE(f.store.SaveAppSetting(SaveRange::MainForm));
    EXPECT_EQ(f.ini.Read(u"Main", u"Ver"), u"3.7");
    EXPECT_FALSE(f.ini.Read(u"Main", u"UseGlobalHotKey"));
    EXPECT_EQ(f.ini.Read(u"PathMenu", u"1"), u"Docs=C:\\Docs");
    EXPECT_EQ(f.host.attributeClears, 1);
    EXPECT_FALSE(f.ini.HasSection(u"Option"));
    EXPECT_TRUE(f.store.SaveAppSetting(SaveRange::SetJumpList));
    EXPECT_EQ(f.ini.Read(u"SetJumpList", u"HideItemWhenForbid"), u"1");
    EXPECT_EQ(f.host.iniWrites, 2);
  }
  {
    // A file that cannot be written is reported; the document keeps the values.
    Fixture f;
    f.host.iniWritable = false;
    EXPECT_FALSE(f.store.SaveAppSetting(SaveRange::SetJumpList));
    EXPECT_EQ(f.ini.Read(u"SetJumpList", u"HideItemWhenForbid"), u"1");
  }
}

TEST(SettingsStore, MainWindowPlacementHooks) {
  Fixture f(u"[Option]\nMainWindowAt=1\nMainWindowPos=10,20\n");
  f.store.LoadAppSetting(LoadRange::Option);
  EXPECT_EQ(f.host.offScreenChecks, 1);
  // Read by the window placement only; saving keeps it when there is no window.
  EXPECT_EQ(f.ini.Read(u"Option", u"MainWindowPos"), u"10,20");
  f.host.position = {{300, -1000}};
  f.store.SaveAppSetting(SaveRange::Option);
  EXPECT_EQ(f.ini.Read(u"Option", u"MainWindowPos"), u"300,-1000");

  Fixture g(u"[Option]\nMainWindowAt=2\n");
  g.store.LoadAppSetting(LoadRange::Option);
  EXPECT_EQ(g.host.offScreenChecks, 0);
}

TEST(SettingsStore, CancelledApplyRunsOnlyTheLaterSteps) {
  Fixture f;
  f.settings.SetInt(Setting::JumpMenuHotKey1, 0x4045);
  f.store.ApplyAppSetting(ApplyMode::Cancelled, f.host);
  EXPECT_TRUE(f.host.registry.empty());
  EXPECT_EQ(f.host.captionMaxLength, 0);
  EXPECT_EQ(f.host.hotkeys.jumpMenu1, 0x4045);
  EXPECT_TRUE(f.host.variables);
  EXPECT_EQ(f.host.iniWrites, 1);
  EXPECT_EQ(f.ini.Read(u"Option", u"JumpMenuHotKey1"), u"16453");
  EXPECT_EQ(f.host.iconRefreshes, 1);
}

// Whatever a damaged or hand-edited file holds, the live settings stay
// inside their ranges, every radio group keeps one choice and the CapsLock
// options never both hold.
TEST(SettingsStore, DamagedFilesLeaveConsistentSettings) {
  const std::u16string values[] = {u"", u"0", u"1", u"-1", u"7", u"99999999999999999999", u"x",
                                   u"2019-09-02", u"2023-02-29", u"65536", u"3", u" 12 ", u"\uFFFD",
                                   u"1/2/3/4", u"0x10"};
  std::mt19937 rng(20261209);
  for (int round = 0; round < 300; ++round) {
    std::u16string text = u"[Main]\n[Option]\n";
    for (int line = 0; line < 40; ++line) {
      const auto& defs = SettingDefinitions();
      const SettingDefinition& def = defs[rng() % defs.size()];
      if (rng() % 7 == 0) text += u"[" + std::u16string(def.section) + u"]\n";
      if (rng() % 11 == 0) text += u"stray line without equals\n";
      text += StoredKeyName(def, static_cast<int>(rng() % 8)) + u"=" +
              values[rng() % std::size(values)] + u"\n";
    }
    Fixture f(text);
    f.store.LoadAppSetting(LoadRange::All);
    std::map<int, int> radioChoices;
    for (const SettingDefinition& def : SettingDefinitions()) {
      if (def.type == SettingType::Int || def.type == SettingType::Shortcut) {
        EXPECT_GE(f.settings.Int(def.id), def.minimum) << core::Utf16ToUtf8(text);
        EXPECT_LE(f.settings.Int(def.id), def.maximum) << core::Utf16ToUtf8(text);
      }
      if (def.type == SettingType::Date) {
        EXPECT_TRUE(core::IsValidDate(f.settings.Date(def.id)));
      }
      if (def.radioGroup) radioChoices[def.radioGroup] += f.settings.Bool(def.id);
    }
    for (auto [group, checked] : radioChoices) EXPECT_EQ(checked, 1) << "group " << group;
    EXPECT_FALSE(f.settings.Bool(Setting::DirectJumpListWhenCapsLock) &&
                 f.settings.Bool(Setting::UseAnotherOpenMethodWhenCapsLock));
    EXPECT_EQ(f.settings.Date(Setting::AsFirstWeek).year, kToday.year);
    // A save after such a load keeps every section it found.
    ASSERT_TRUE(f.store.SaveAppSetting(SaveRange::All));
    EXPECT_TRUE(core::IniDocument::Parse(f.host.written).HasSection(u"Option"));
  }
}

TEST(IgnoreListFiles, BytesAndLines) {
  struct Case {
    const char* name;
    std::string bytes;
    std::vector<std::u16string> lines;
  };
  const Case cases[] = {
      {"empty file", "", {}},
      {"only a mark", "\xEF\xBB\xBF", {}},
      {"one empty line", "\xEF\xBB\xBF\r\n", {u""}},
      {"crlf", "\xEF\xBB\xBF" "a.exe\r\nb.exe // c\r\n", {u"a.exe", u"b.exe // c"}},
      {"lf without mark, no last break", "a\nb", {u"a", u"b"}},
      {"blank line inside", "a\r\n\r\nb\r\n", {u"a", u"", u"b"}},
      {"lone cr", "a\rb\r", {u"a", u"b"}},
      {"chinese", "\xEF\xBB\xBF" "福昕.exe\r\n", {u"福昕.exe"}},
      // Saved by hand in the system code page: the comments survive.
      {"GBK without mark", "classFoxitPhantom  // \xB8\xA3\xEA\xBF\r\nXLMAIN\r\n",
       {u"classFoxitPhantom  // 福昕", u"XLMAIN"}},
      {"UTF-16LE with mark", "\xFF\xFEX\0L\0\r\0\n\0\x8F\x79\r\0\n\0"s, {u"XL", u"福"}},
      {"UTF-16LE without mark", "a\0.\0e\0x\0e\0\r\0\n\0"s, {u"a.exe"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IgnoreListLinesFromBytes(c.bytes, 936), c.lines) << c.name;
    EXPECT_EQ(IgnoreListLinesFromBytes(IgnoreListBytesFromLines(c.lines), 936), c.lines)
        << c.name;
  }
  EXPECT_EQ(IgnoreListBytesFromLines({u"a", u""}),
            "\xEF\xBB\xBF"
            "a\r\n\r\n");
  EXPECT_EQ(
      IgnoreListFilePath(u"C:\\P\\pathorama.exe", IgnoreList::WindowClass2),
      u"C:\\P\\IgnoreWinClass2.lst");
  EXPECT_EQ(IgnoreListFilePath(u"/opt/p/pathorama", IgnoreList::AppName1),
            u"/opt/p/IgnoreAppName1.lst");
}

// A list file that exists but cannot be read still holds the user's list:
// the save does not write the built-in lines over it. Lines the user sets
// afterwards are written, and so is a list that could be read again.
TEST(IgnoreListFiles, AnUnreadableListIsNotWrittenOver) {
  Fixture f;
  const std::u16string locked = ListPath(u"IgnoreAppName1.lst");
  const std::u16string large = ListPath(u"IgnoreWinClass1.lst");
  f.host.files[locked] = "\xEF\xBB\xBF" "Mine.exe\r\n";
  f.host.files[large] = "\xEF\xBB\xBF" "MyClass\r\n";
  f.host.readFailures[locked] = core::FileStatus::kLocked;
  f.host.readFailures[large] = core::FileStatus::kTooLarge;
  f.store.LoadAppSetting(LoadRange::All);
  EXPECT_EQ(f.settings.IgnoreListLines(IgnoreList::AppName1),
            DefaultIgnoreListLines(IgnoreList::AppName1));
  f.store.ApplyAppSetting(ApplyMode::Accepted, f.host);
  ASSERT_TRUE(f.store.SaveAppSetting(SaveRange::All));
  EXPECT_EQ(f.host.files[locked], "\xEF\xBB\xBF" "Mine.exe\r\n");
  EXPECT_EQ(f.host.files[large], "\xEF\xBB\xBF" "MyClass\r\n");
  // The readable lists were written, the settings file too.
  EXPECT_EQ(f.host.files.count(ListPath(u"IgnoreAppName2.lst")), 1u);
  EXPECT_EQ(f.host.files.count(ListPath(u"IgnoreWinClass2.lst")), 1u);
  EXPECT_TRUE(f.ini.HasSection(u"Option"));

  // The user's own lines for one list (as the options dialog sets them).
  f.settings.SetIgnoreListLines(IgnoreList::AppName1, {u"New.exe"});
  ASSERT_TRUE(f.store.SaveAppSetting(SaveRange::Option));
  EXPECT_EQ(f.host.files[locked], "\xEF\xBB\xBF" "New.exe\r\n");
  EXPECT_EQ(f.host.files[large], "\xEF\xBB\xBF" "MyClass\r\n");

  // Readable again at the next load: what it holds is loaded and saved.
  f.host.readFailures.clear();
  f.store.LoadAppSetting(LoadRange::Option);
  EXPECT_EQ(f.settings.IgnoreListLines(IgnoreList::WindowClass1),
            std::vector<std::u16string>{u"MyClass"});
  f.settings.SetIgnoreListLines(IgnoreList::WindowClass1, DefaultIgnoreListLines(IgnoreList::WindowClass1));
  ASSERT_TRUE(f.store.SaveAppSetting(SaveRange::Option));
  EXPECT_TRUE(f.host.files[large].starts_with("\xEF\xBB\xBFXLMAIN"));
}

// A list file that cannot be written is reported, and the next save tries
// again.
TEST(IgnoreListFiles, AFailedWriteIsTriedAgain) {
  Fixture f;
  const std::u16string path = ListPath(u"IgnoreAppName2.lst");
  f.host.writeFailures[path] = core::FileStatus::kAccessDenied;
  f.settings.SetIgnoreListLines(IgnoreList::AppName2, {u"Code.exe"});
  f.store.SaveAppSetting(SaveRange::Option);
  EXPECT_EQ(f.host.files.count(path), 0u);
  f.host.writeFailures.clear();
  f.store.SaveAppSetting(SaveRange::Option);
  EXPECT_EQ(f.host.files[path], "\xEF\xBB\xBF" "Code.exe\r\n");
}

TEST(IgnoreListFiles, MissingFilesKeepTheBuiltInLines) {
  Fixture f;
  f.host.files[ListPath(u"IgnoreAppName2.lst")] = "\xEF\xBB\xBF" "Code.exe\r\n";
  f.store.LoadAppSetting(LoadRange::Option);
  EXPECT_EQ(f.settings.IgnoreListLines(IgnoreList::AppName1),
            DefaultIgnoreListLines(IgnoreList::AppName1));
  EXPECT_EQ(f.settings.IgnoreListLines(IgnoreList::WindowClass1),
            DefaultIgnoreListLines(IgnoreList::WindowClass1));
  EXPECT_EQ(f.settings.IgnoreListLines(IgnoreList::AppName2),
            std::vector<std::u16string>{u"Code.exe"});
}

}  // namespace
}  // namespace pathorama::settings
