#include "settings/app_settings.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "core/text.h"

namespace pathorama::settings {
namespace {

constexpr core::CalendarDate kToday{2026, 12, 9};

TEST(AppSettings, DefaultsFollowTheKeyTables) {
  // Every Bool/Int/Shortcut key not listed here defaults to 0.
  const std::map<Setting, long long> nonZero = {
      {Setting::UseGlobalHotKey, 1},
      {Setting::HideDisabledItems, 1},
      {Setting::JumpMenuUnderAddressBar, 1},
      {Setting::JumpMenuHotKey1, 16452},
      {Setting::OpenSaveDialogHotKey, 16455},
      {Setting::FillOpenedFolderIntoFocusedEdit, 1},
      {Setting::SaveOpenedFolderPathToClipboard, 1},
      {Setting::CaptureOfficeOrWindowFolderPath, 1},
      {Setting::CaptureOfficeOrWindowFolderPathHotKey, 16465},
      {Setting::AutoHideAtScreenEdge, 1},
      {Setting::AutoHideDistance, 5},
      {Setting::AutoRunWhenSystemStart, 1},
      {Setting::AddSelectedItemToJumpListFromContextMenu, 1},
      {Setting::DirectJumpListWhenCapsLock, 1},
      {Setting::ShowMessageWhenHotKeyIgnored, 1},
      {Setting::FirstDayAsFirstWeek, 1},
      {Setting::UpperEnglishLetterAsRandom, 1},
      {Setting::LowerEnglishLetterAsRandom, 1},
      {Setting::ArabicNumberAsRandom, 1},
      {Setting::RandomLength, 5},
      {Setting::AddCurrentFolderItemToEveryGroup, 1},
      {Setting::LimitItemCaptionLength, 1},
      {Setting::ItemCaptionMaxLength, 100},
      {Setting::FolderManagerAutoMatch, 1},
      {Setting::ReuseFolderManagerWindow, 1},
      {Setting::UseAnotherOpenMethodWhenCapsLock, 1},
      {Setting::MaximizeFolderManager, 1},
      {Setting::ActivateOnlyWhenFolderAlreadyOpen, 1},
      {Setting::ExplorerOpensFurtherFoldersInNewWindows, 1},
      {Setting::TotalCommanderOpenAtSourcePanel, 1},
      {Setting::DirectoryOpusOpenAtSourcePanel, 1},
      {Setting::DirectoryOpusOpenInNewTab, 1},
      {Setting::DirectoryOpusNewTabPosition, 1},
      {Setting::DirectoryOpusActivateOpenFolderTab, 1},
      {Setting::DirectoryOpusNewTabView, 2},
      {Setting::XYplorerExpandFolderTree, 1},
      {Setting::XYplorerDoNotSaveSettings, 1},
      {Setting::Xplorer2DualPanels, 1},
      {Setting::FreeCommanderOpenAtSourcePanel, 1},
  };
  AppSettings s(kToday);
  for (const SettingDefinition& def : SettingDefinitions()) {
    const std::string key = core::Utf16ToUtf8(def.key);
    switch (def.type) {
      case SettingType::Bool:
      case SettingType::Int:
      case SettingType::Shortcut: {
        auto it = nonZero.find(def.id);
        EXPECT_EQ(s.Int(def.id), it == nonZero.end() ? 0 : it->second) << key;
        break;
      }
      case SettingType::Text:
      case SettingType::WindowPos:
        EXPECT_TRUE(s.Text(def.id).empty()) << key;
        break;
      case SettingType::Date:
        break;
    }
  }
  EXPECT_EQ(s.Date(Setting::AsFirstWeek), (core::CalendarDate{2026, 1, 1}));
  EXPECT_EQ(s.Date(Setting::DayForEmptyDateParameter), kToday);
}

TEST(AppSettings, KeyNamesAreUniqueAndGroupsAsDocumented) {
  std::set<std::u16string> seen;
  for (const SettingDefinition& def : SettingDefinitions())
    EXPECT_TRUE(
        seen.insert(core::ToLower(std::u16string(def.section) + u"/" + StoredKeyName(def, 0)))
            .second)
        << core::Utf16ToUtf8(def.key);

  struct Case {
    Setting id;
    int manager;
    std::u16string key, group;
  };
  const Case cases[] = {
      {Setting::JumpMenuUnderCursor, 0, u"JumpMenuUnderCursor", u"JumpMenuPos"},
      {Setting::JumpMenuAtCenter, 0, u"JumpMenuAtCenter", u"JumpMenuPos"},
      {Setting::JumpMenuHotKey2, 0, u"JumpMenuHotKey2", u"JumpMenuHotKey"},
      {Setting::OpenSaveDialogHotKey, 0, u"OpenSaveDialogHotKey", u""},
      {Setting::WeekStartsWith, 0, u"WeekStartsWith", u"WeekStart"},
      {Setting::ChineseNumeralsAsRandom, 0, u"chk_NormalChineseNumAsRandom",
       u"NormalChineseNumAsRandom"},
      {Setting::FolderManagerPath, 3, u"FolderManagerPath_3", u""},
      {Setting::MaximizeFolderManager, 6, u"MaxmizeFolderManager_6", u""},
      {Setting::MinimizeFolderManager, 0, u"MinmizeFolderManager_0", u""},
      {Setting::TotalCommanderOpenAtTargetPanel, 2, u"OpenAtDestPanel_TC", u"OpenAtPanel_TC"},
      {Setting::FreeCommanderPanelToActivate, 0, u"ActivatePanelWhenNewOpen_FC",
       u"ActivatePanel_FC"},
      {Setting::Xplorer2DualPanels, 0, u"DublePanels_Xp", u""},
      {Setting::SaveOpenedFolderPathToClipboard, 0, u"SaveOpendFolderPathToClip", u""},
      {Setting::CaptureOfficeOrWindowFolderPathHotKey, 0, u"hkCaptureOfficeOrWindowFolderPath", u""},
      {Setting::ItemCaptionMaxLength, 0, u"nbxJumpListItemCaptionMaxLength", u""},
      {Setting::DayForEmptyDateParameter, 0, u"dtpDayForDayCustomVarEmptyParam", u""},
  };
  for (const Case& c : cases) {
    const SettingDefinition& def = DefinitionOf(c.id);
    EXPECT_EQ(StoredKeyName(def, c.manager), c.key);
    EXPECT_EQ(def.group, c.group) << core::Utf16ToUtf8(c.key);
  }
}

TEST(AppSettings, SettersKeepRanges) {
  struct Case {
    const char* name;
    Setting id;
    long long value;
    bool accepted;
    long long stored;  // value afterwards
  };
  const Case cases[] = {
      {"distance lower bound", Setting::AutoHideDistance, 1, true, 1},
      {"distance upper bound", Setting::AutoHideDistance, 10, true, 10},
      {"distance below clamps", Setting::AutoHideDistance, 0, true, 1},
      {"distance above clamps", Setting::AutoHideDistance, 11, true, 10},
      {"random length above clamps", Setting::RandomLength, 101, true, 100},
      {"random length below clamps", Setting::RandomLength, -3, true, 1},
      {"caption limit upper bound", Setting::ItemCaptionMaxLength, 100, true,
       100},
      {"caption limit above clamps", Setting::ItemCaptionMaxLength, 1000, true,
       100},
      {"placement last choice", Setting::MainWindowAt, 7, true, 7},
      {"placement past the list", Setting::MainWindowAt, 8, false, 0},
      {"placement negative", Setting::MainWindowAt, -1, false, 0},
      {"fill method past the list", Setting::FillFolderPathMethod, 3, false, 0},
      {"manager last index", Setting::ChosenFolderManager, 6, true, 6},
      {"manager past the list", Setting::ChosenFolderManager, 7, false, 0},
      {"view mode last", Setting::DirectoryOpusNewTabView, 5, true, 5},
      {"view mode past", Setting::DirectoryOpusNewTabView, 6, false, 2},
      {"shortcut 16 bits", Setting::JumpMenuHotKey2, 0xFFFF, true, 0xFFFF},
      {"shortcut past 16 bits", Setting::JumpMenuHotKey2, 0x10000, false, 0},
      {"int on a bool key", Setting::AutoRunWhenSystemStart, 0, false, 1},
  };
  for (const Case& c : cases) {
    AppSettings s(kToday);
    EXPECT_EQ(s.SetInt(c.id, c.value), c.accepted) << c.name;
    EXPECT_EQ(s.Int(c.id), c.stored) << c.name;
  }
}

TEST(AppSettings, RadioGroupsKeepExactlyOneChoice) {
  AppSettings s(kToday);
  EXPECT_TRUE(s.SetBool(Setting::JumpMenuAtCenter, true));
  EXPECT_TRUE(s.Bool(Setting::JumpMenuAtCenter));
  EXPECT_FALSE(s.Bool(Setting::JumpMenuUnderAddressBar));
  EXPECT_FALSE(s.SetBool(Setting::JumpMenuAtCenter, false));
  EXPECT_TRUE(s.Bool(Setting::JumpMenuAtCenter));
  // Groups are independent of each other.
  EXPECT_TRUE(s.SetBool(Setting::OpenNewFolderManagerWindow, true));
  EXPECT_FALSE(s.Bool(Setting::ReuseFolderManagerWindow));
  EXPECT_TRUE(s.Bool(Setting::MaximizeFolderManager));
  // Plain check boxes turn off.
  EXPECT_TRUE(s.SetBool(Setting::AutoRunWhenSystemStart, false));
  EXPECT_FALSE(s.Bool(Setting::AutoRunWhenSystemStart));
}

// What a loader does with a file that switches radio members on and off in
// any order: the group may be empty for a moment, never afterwards.
TEST(AppSettings, LoaderSettersLeaveRadioGroupsToEnsureRadioChoices) {
  const Setting positions[] = {Setting::JumpMenuUnderCursor, Setting::JumpMenuUnderApp,
                               Setting::JumpMenuUnderAddressBar, Setting::JumpMenuAtCenter};
  auto checked = [&](const AppSettings& s) {
    std::vector<Setting> on;
    for (Setting id : positions)
      if (s.Bool(id)) on.push_back(id);
    return on;
  };
  AppSettings s(kToday);
  s.SetLoadedBool(Setting::JumpMenuUnderAddressBar, false);
  EXPECT_TRUE(checked(s).empty());
  s.EnsureRadioChoices();
  EXPECT_EQ(checked(s), std::vector<Setting>{Setting::JumpMenuUnderAddressBar});
  s.SetLoadedBool(Setting::JumpMenuAtCenter, true);
  EXPECT_EQ(checked(s), std::vector<Setting>{Setting::JumpMenuAtCenter});
  // The default of a member that is off by default unchecks it.
  s.ResetToDefault(Setting::JumpMenuAtCenter, kToday);
  EXPECT_TRUE(checked(s).empty());
  s.EnsureRadioChoices();
  EXPECT_EQ(checked(s), std::vector<Setting>{Setting::JumpMenuUnderAddressBar});
  // The default of the default member checks it and no other.
  s.SetLoadedBool(Setting::JumpMenuUnderApp, true);
  s.ResetToDefault(Setting::JumpMenuUnderAddressBar, kToday);
  EXPECT_EQ(checked(s), std::vector<Setting>{Setting::JumpMenuUnderAddressBar});

  // Plain keys: a loaded bool, and defaults by type.
  s.SetLoadedBool(Setting::AutoRunWhenSystemStart, false);
  EXPECT_FALSE(s.Bool(Setting::AutoRunWhenSystemStart));
  s.SetLoadedBool(Setting::RandomLength, true);  // not a bool: left alone
  EXPECT_EQ(s.Int(Setting::RandomLength), 5);
  s.SetInt(Setting::RandomLength, 9);
  s.SetText(Setting::CustomRandomCharacters, u"xyz");
  s.ResetToDefault(Setting::RandomLength, kToday);
  s.ResetToDefault(Setting::CustomRandomCharacters, kToday);
  s.ResetToDefault(Setting::AsFirstWeek, {2030, 5, 6});
  s.ResetToDefault(Setting::DayForEmptyDateParameter, {2030, 5, 6});
  EXPECT_EQ(s.Int(Setting::RandomLength), 5);
  EXPECT_EQ(s.Text(Setting::CustomRandomCharacters), u"");
  EXPECT_EQ(s.Date(Setting::AsFirstWeek), (core::CalendarDate{2030, 1, 1}));
  EXPECT_EQ(s.Date(Setting::DayForEmptyDateParameter), (core::CalendarDate{2030, 5, 6}));
}

TEST(AppSettings, TextAndDateSetters) {
  AppSettings s(kToday);
  // A line break would split the INI line and plant a key of its own.
  EXPECT_TRUE(
      s.SetText(Setting::CustomRandomCharacters, u"ab\r\n[Main]\nUseGlobalHotKey=0"));
  EXPECT_EQ(s.Text(Setting::CustomRandomCharacters), u"ab[Main]UseGlobalHotKey=0");
  EXPECT_FALSE(s.SetText(Setting::RandomLength, u"7"));
  EXPECT_FALSE(s.SetDate(Setting::AsFirstWeek, {2025, 2, 29}));
  EXPECT_EQ(s.Date(Setting::AsFirstWeek), (core::CalendarDate{2026, 1, 1}));
  EXPECT_TRUE(s.SetDate(Setting::AsFirstWeek, {2024, 2, 29}));
  EXPECT_FALSE(s.SetDate(Setting::HideAppSettings, {2024, 1, 1}));
}

TEST(SettingDate, ParsesStoredAndShortForms) {
  struct Case {
    const char16_t* text;
    bool ok;
    core::CalendarDate date;
  };
  const Case cases[] = {
      {u"2024-01-05", true, {2024, 1, 5}},
      {u"2024/1/5", true, {2024, 1, 5}},
      {u"2024.01.05", true, {2024, 1, 5}},
      {u" 2024-01-05 10:11:12", true, {2024, 1, 5}},
      {u"5.1.2024", true, {2024, 1, 5}},
      {u"05-01-2024", true, {2024, 1, 5}},
      {u"1/5/2024", true, {2024, 1, 5}},
      {u"13/5/2024", true, {2024, 5, 13}},
      {u"2024-02-29", true, {2024, 2, 29}},
      {u"2023-02-29", false, {}},
      {u"2024-13-01", false, {}},
      {u"2024-00-10", false, {}},
      {u"20240105", false, {}},
      {u"2024-1", false, {}},
      {u"2024-01-05-07", false, {}},
      {u"24-01-05", false, {}},
      {u"abc", false, {}},
      {u"", false, {}},
      {u"2024-+1-05", false, {}},
  };
  for (const Case& c : cases) {
    std::optional<core::CalendarDate> date = ParseSettingDate(c.text);
    EXPECT_EQ(date.has_value(), c.ok) << core::Utf16ToUtf8(c.text);
    if (c.ok && date) {
      EXPECT_EQ(*date, c.date) << core::Utf16ToUtf8(c.text);
      EXPECT_EQ(ParseSettingDate(FormatSettingDate(*date)), c.date);
    }
  }
  EXPECT_EQ(FormatSettingDate({987, 3, 4}), u"0987-03-04");
}

TEST(SettingDate, MoveToYearKeepsDayAndMonth) {
  EXPECT_EQ(core::MoveToYear({2019, 9, 2}, 2026), (core::CalendarDate{2026, 9, 2}));
  EXPECT_EQ(core::MoveToYear({2024, 2, 29}, 2026), (core::CalendarDate{2026, 2, 28}));
  EXPECT_EQ(core::MoveToYear({2024, 2, 29}, 2028), (core::CalendarDate{2028, 2, 29}));
}

TEST(IgnoreLists, BuiltInDefaults) {
  const auto app1 = DefaultIgnoreListLines(IgnoreList::AppName1);
  ASSERT_EQ(app1.size(), 14u);
  EXPECT_EQ(app1.front(), u"WINWORD.EXE                  // MS-Word");
  EXPECT_EQ(app1[2], u"Everything64.exe; Everything.exe");
  EXPECT_EQ(app1.back(), u"sublime_text.exe");
  const auto class1 = DefaultIgnoreListLines(IgnoreList::WindowClass1);
  ASSERT_EQ(class1.size(), 9u);
  EXPECT_EQ(class1[4], u"ExplorerFrame      // xplorer2 ");
  EXPECT_EQ(class1.back(), u"EmEditorMainFrame3         // 文本编辑器 EmEditor");
  EXPECT_EQ(DefaultIgnoreListLines(IgnoreList::AppName2),
            std::vector<std::u16string>{u""});
  EXPECT_TRUE(DefaultIgnoreListLines(IgnoreList::WindowClass2).empty());

  const char16_t* files[] = {u"IgnoreAppName1.lst", u"IgnoreWinClass1.lst", u"IgnoreAppName2.lst",
                             u"IgnoreWinClass2.lst"};
  const char16_t* groups[] = {u"IgnoreAppName", u"IgnoreWindowClass", u"IgnoreAppName",
                              u"IgnoreWindowClass"};
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(IgnoreListDefinitions()[i].fileName, files[i]);
    EXPECT_EQ(IgnoreListDefinitions()[i].group, groups[i]);
  }
  AppSettings s(kToday);
  EXPECT_EQ(s.IgnoreListLines(IgnoreList::AppName1), app1);
}

}  // namespace
}  // namespace pathorama::settings
