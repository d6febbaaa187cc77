#include "settings/app_settings.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "core/text.h"

namespace pathorama::settings {
namespace {

constexpr settings::CalendarDate kToday{2026, 12, 9};

TEST(AppSettings, DefaultsFollowTheKeyTables) {
  // Every Bool/Int/Shortcut key not listed here defaults to 0.
  const std::map<settings::Setting, long long> nonZero = {
      {settings::Setting::UseGlobalHotKey, 1},
      {settings::Setting::HideItemWhenForbid, 1},
      {settings::Setting::JumpMenuUnderAddressBar, 1},
      {settings::Setting::JumpMenuHotKey1, 16452},
      {settings::Setting::OpenSaveDialogHotKey, 16455},
      {settings::Setting::FillOpenedFolderInActivateEdit, 1},
      {settings::Setting::SaveOpendFolderPathToClip, 1},
      {settings::Setting::chkCaptureOfficeOrWindowFolderPath, 1},
      {settings::Setting::hkCaptureOfficeOrWindowFolderPath, 16465},
      {settings::Setting::AutoHideWhenScreenEdge, 1},
      {settings::Setting::AutoHideDistance, 5},
      {settings::Setting::AutoRunWhenSystemStart, 1},
      {settings::Setting::AddSeledItemToJumpListForRMenu, 1},
      {settings::Setting::DirectJumpListWhenCapsLock, 1},
      {settings::Setting::ShowMsgWhenIgnoreGlobalHotKey, 1},
      {settings::Setting::FirstDayAsFirstWeek, 1},
      {settings::Setting::UpperEnglishLetterAsRandom, 1},
      {settings::Setting::LowerEnglishLetterAsRandom, 1},
      {settings::Setting::ArabicNumberAsRandom, 1},
      {settings::Setting::RandomLength, 5},
      {settings::Setting::AddCurDirForEverySubJumplist, 1},
      {settings::Setting::chkJumpListItemCaptionMaxLength, 1},
      {settings::Setting::nbxJumpListItemCaptionMaxLength, 100},
      {settings::Setting::FolderManagerAutoMatch, 1},
      {settings::Setting::UseOldFolderManager, 1},
      {settings::Setting::UseAnotherOpenMethodWhenCapsLock, 1},
      {settings::Setting::MaxmizeFolderManager, 1},
      {settings::Setting::ActiveOnlyWhenCurFolderReOpen, 1},
      {settings::Setting::MultiFoldersOpenMethod_EP, 1},
      {settings::Setting::OpenAtSourcePanel_TC, 1},
      {settings::Setting::OpenAtSourcePanel_DO, 1},
      {settings::Setting::OpenAtNewTab_DO, 1},
      {settings::Setting::NewTabPos_DO, 1},
      {settings::Setting::ActiveExistFolderTab, 1},
      {settings::Setting::NewTabView_DO, 2},
      {settings::Setting::ExpandFolderTree_XY, 1},
      {settings::Setting::NotSaveSetting_XY, 1},
      {settings::Setting::DublePanels_Xp, 1},
      {settings::Setting::OpenAtSourcePanel_FC, 1},
  };
  settings::AppSettings s(kToday);
  for (const settings::SettingDefinition& def : settings::SettingDefinitions()) {
    const std::string key = core::Utf16ToUtf8(def.key);
    switch (def.type) {
      case settings::SettingType::Bool:
      case settings::SettingType::Int:
      case settings::SettingType::Shortcut: {
        auto it = nonZero.find(def.id);
        EXPECT_EQ(s.Int(def.id), it == nonZero.end() ? 0 : it->second) << key;
        break;
      }
      case settings::SettingType::Text:
      case settings::SettingType::WindowPos:
        EXPECT_TRUE(s.Text(def.id).empty()) << key;
        break;
      case settings::SettingType::Date:
        break;
    }
  }
  EXPECT_EQ(s.Date(settings::Setting::AsFirstWeek), (settings::CalendarDate{2026, 1, 1}));
  EXPECT_EQ(s.Date(settings::Setting::dtpDayForDayCustomVarEmptyParam), kToday);
}

TEST(AppSettings, KeyNamesAreUniqueAndGroupsAsDocumented) {
  std::set<std::u16string> seen;
  for (const settings::SettingDefinition& def : settings::SettingDefinitions())
    EXPECT_TRUE(
        seen.insert(core::ToLower(std::u16string(def.section) + u"/" + StoredKeyName(def, 0)))
            .second)
        << core::Utf16ToUtf8(def.key);

  struct Case {
    settings::Setting id;
    int manager;
    std::u16string key, group;
  };
  const Case cases[] = {
      {settings::Setting::JumpMenuUnderCursor, 0, u"JumpMenuUnderCursor", u"JumpMenuPos"},
      {settings::Setting::JumpMenuAtCenter, 0, u"JumpMenuAtCenter", u"JumpMenuPos"},
      {settings::Setting::JumpMenuHotKey2, 0, u"JumpMenuHotKey2", u"JumpMenuHotKey"},
      {settings::Setting::OpenSaveDialogHotKey, 0, u"OpenSaveDialogHotKey",
       u"OpenSaveDialogHotKey"},
      {settings::Setting::WeekStartsWith, 0, u"WeekStartsWith", u"WeekStart"},
      {settings::Setting::chk_NormalChineseNumAsRandom, 0, u"chk_NormalChineseNumAsRandom",
       u"NormalChineseNumAsRandom"},
      {settings::Setting::FolderManagerPath, 3, u"FolderManagerPath_3", u"FolderManagerPath_3"},
      {settings::Setting::NormalFolderManager, 6, u"NormalFolderManager_6",
       u"NormalFolderManager_6"},
      {settings::Setting::OpenAtDestPanel_TC, 2, u"OpenAtDestPanel_TC", u"OpenAtPanel_TC"},
      {settings::Setting::ActivatePanelWhenNewOpen_FC, 0, u"ActivatePanelWhenNewOpen_FC",
       u"ActivatePanel_FC"},
      {settings::Setting::DublePanels_Xp, 0, u"DublePanels_Xp", u"DublePanels_Xp"},
  };
  for (const Case& c : cases) {
    const settings::SettingDefinition& def = DefinitionOf(c.id);
    EXPECT_EQ(settings::StoredKeyName(def, c.manager), c.key);
    EXPECT_EQ(settings::GroupName(def, c.manager), c.group) << core::Utf16ToUtf8(c.key);
  }
}

TEST(AppSettings, SettersKeepRanges) {
  struct Case {
    const char* name;
    settings::Setting id;
    long long value;
    bool accepted;
    long long stored;  // value afterwards
  };
  const Case cases[] = {
      {"distance lower bound", settings::Setting::AutoHideDistance, 1, true, 1},
      {"distance upper bound", settings::Setting::AutoHideDistance, 10, true, 10},
      {"distance below clamps", settings::Setting::AutoHideDistance, 0, true, 1},
      {"distance above clamps", settings::Setting::AutoHideDistance, 11, true, 10},
      {"random length above clamps", settings::Setting::RandomLength, 101, true, 100},
      {"random length below clamps", settings::Setting::RandomLength, -3, true, 1},
      {"caption limit upper bound", settings::Setting::nbxJumpListItemCaptionMaxLength, 100, true,
       100},
      {"caption limit above clamps", settings::Setting::nbxJumpListItemCaptionMaxLength, 1000, true,
       100},
      {"placement last choice", settings::Setting::MainWindowAt, 7, true, 7},
      {"placement past the list", settings::Setting::MainWindowAt, 8, false, 0},
      {"placement negative", settings::Setting::MainWindowAt, -1, false, 0},
      {"fill method past the list", settings::Setting::FillFolderPathMethod, 3, false, 0},
      {"manager last index", settings::Setting::FolderManagerName, 6, true, 6},
      {"manager past the list", settings::Setting::FolderManagerName, 7, false, 0},
      {"view mode last", settings::Setting::NewTabView_DO, 5, true, 5},
      {"view mode past", settings::Setting::NewTabView_DO, 6, false, 2},
      {"shortcut 16 bits", settings::Setting::JumpMenuHotKey2, 0xFFFF, true, 0xFFFF},
      {"shortcut past 16 bits", settings::Setting::JumpMenuHotKey2, 0x10000, false, 0},
      {"int on a bool key", settings::Setting::AutoRunWhenSystemStart, 0, false, 1},
  };
  for (const Case& c : cases) {
    settings::AppSettings s(kToday);
    EXPECT_EQ(s.SetInt(c.id, c.value), c.accepted) << c.name;
    EXPECT_EQ(s.Int(c.id), c.stored) << c.name;
  }
}

TEST(AppSettings, RadioGroupsKeepExactlyOneChoice) {
  settings::AppSettings s(kToday);
  EXPECT_TRUE(s.SetBool(settings::Setting::JumpMenuAtCenter, true));
  EXPECT_TRUE(s.Bool(settings::Setting::JumpMenuAtCenter));
  EXPECT_FALSE(s.Bool(settings::Setting::JumpMenuUnderAddressBar));
  EXPECT_FALSE(s.SetBool(settings::Setting::JumpMenuAtCenter, false));
  EXPECT_TRUE(s.Bool(settings::Setting::JumpMenuAtCenter));
  // Groups are independent of each other.
  EXPECT_TRUE(s.SetBool(settings::Setting::OpenNewFolderManager, true));
  EXPECT_FALSE(s.Bool(settings::Setting::UseOldFolderManager));
  EXPECT_TRUE(s.Bool(settings::Setting::MaxmizeFolderManager));
  // Plain check boxes turn off.
  EXPECT_TRUE(s.SetBool(settings::Setting::AutoRunWhenSystemStart, false));
  EXPECT_FALSE(s.Bool(settings::Setting::AutoRunWhenSystemStart));
}

TEST(AppSettings, TextAndDateSetters) {
  settings::AppSettings s(kToday);
  // A line break would split the INI line and plant a key of its own.
  EXPECT_TRUE(
      s.SetText(settings::Setting::edtCustomCharsAsRandom, u"ab\r\n[Main]\nUseGlobalHotKey=0"));
  EXPECT_EQ(s.Text(settings::Setting::edtCustomCharsAsRandom), u"ab[Main]UseGlobalHotKey=0");
  EXPECT_FALSE(s.SetText(settings::Setting::RandomLength, u"7"));
  EXPECT_FALSE(s.SetDate(settings::Setting::AsFirstWeek, {2025, 2, 29}));
  EXPECT_EQ(s.Date(settings::Setting::AsFirstWeek), (settings::CalendarDate{2026, 1, 1}));
  EXPECT_TRUE(s.SetDate(settings::Setting::AsFirstWeek, {2024, 2, 29}));
  EXPECT_FALSE(s.SetDate(settings::Setting::HideAppSetting, {2024, 1, 1}));
}

TEST(SettingDate, ParsesStoredAndShortForms) {
  struct Case {
    const char16_t* text;
    bool ok;
    settings::CalendarDate date;
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
    settings::CalendarDate date{1, 1, 1};
    EXPECT_EQ(settings::ParseSettingDate(c.text, date), c.ok) << core::Utf16ToUtf8(c.text);
    if (c.ok) {
      EXPECT_EQ(date, c.date) << core::Utf16ToUtf8(c.text);
      EXPECT_TRUE(settings::ParseSettingDate(settings::FormatSettingDate(date), date));
      EXPECT_EQ(date, c.date);
    }
  }
  EXPECT_EQ(settings::FormatSettingDate({987, 3, 4}), u"0987-03-04");
}

TEST(SettingDate, MoveToYearKeepsDayAndMonth) {
  EXPECT_EQ(settings::MoveToYear({2019, 9, 2}, 2026), (settings::CalendarDate{2026, 9, 2}));
  EXPECT_EQ(settings::MoveToYear({2024, 2, 29}, 2026), (settings::CalendarDate{2026, 2, 28}));
  EXPECT_EQ(settings::MoveToYear({2024, 2, 29}, 2028), (settings::CalendarDate{2028, 2, 29}));
}

TEST(IgnoreLists, BuiltInDefaults) {
  const auto app1 = settings::DefaultIgnoreListLines(settings::IgnoreList::AppName1);
  ASSERT_EQ(app1.size(), 14u);
  EXPECT_EQ(app1.front(), u"WINWORD.EXE                  // MS-Word");
  EXPECT_EQ(app1[2], u"Everything64.exe; Everything.exe");
  EXPECT_EQ(app1.back(), u"sublime_text.exe");
  const auto class1 = DefaultIgnoreListLines(settings::IgnoreList::WindowClass1);
  ASSERT_EQ(class1.size(), 9u);
  EXPECT_EQ(class1[4], u"ExplorerFrame      // xplorer2 ");
  EXPECT_EQ(class1.back(), u"EmEditorMainFrame3         // 文本编辑器 EmEditor");
  EXPECT_EQ(DefaultIgnoreListLines(settings::IgnoreList::AppName2),
            std::vector<std::u16string>{u""});
  EXPECT_TRUE(DefaultIgnoreListLines(settings::IgnoreList::WindowClass2).empty());

  const char16_t* files[] = {u"IgnoreAppName1.lst", u"IgnoreWinClass1.lst", u"IgnoreAppName2.lst",
                             u"IgnoreWinClass2.lst"};
  const char16_t* groups[] = {u"IgnoreAppName", u"IgnoreWindowClass", u"IgnoreAppName",
                              u"IgnoreWindowClass"};
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(settings::IgnoreListDefinitions()[i].fileName, files[i]);
    EXPECT_EQ(settings::IgnoreListDefinitions()[i].group, groups[i]);
  }
  settings::AppSettings s(kToday);
  EXPECT_EQ(s.IgnoreListLines(settings::IgnoreList::AppName1), app1);
}

}  // namespace
}  // namespace pathorama::settings
