#include "settings/apply_step.h"

#include <gtest/gtest.h>

#include "core/text.h"

namespace pathorama::settings {
namespace {

constexpr core::CalendarDate kToday{2026, 12, 9};
constexpr char16_t kExe[] = u"C:\\Program Files\\Pathorama\\pathorama.exe";
constexpr char16_t kQuoted[] = u"\"C:\\Program Files\\Pathorama\\pathorama.exe\"";

using A = RegistryAction;
constexpr auto kUser = RegistryRoot::CurrentUser;
constexpr auto kMachine = RegistryRoot::LocalMachine;

std::string Describe(const RegistryOperation& op) {
  return (op.root == kUser ? "HKCU\\" : "HKLM\\") + core::Utf16ToUtf8(op.key) + " [" +
         core::Utf16ToUtf8(op.valueName) + "]=" + core::Utf16ToUtf8(op.data) + " action " +
         std::to_string(static_cast<int>(op.action)) + (op.bestEffort ? " best-effort" : "");
}

void ExpectOperations(const std::vector<RegistryOperation>& actual,
                      const std::vector<RegistryOperation>& expected) {
  ASSERT_EQ(actual.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i)
    EXPECT_EQ(actual[i], expected[i]) << "#" << i << "\n  got  " << Describe(actual[i])
                                      << "\n  want " << Describe(expected[i]);
}

// The machine-wide leftovers of earlier releases are removed in every case.
std::vector<RegistryOperation> MachineWideCleanup() {
  const std::u16string q = kQuoted;
  std::vector<RegistryOperation> ops = {
      {kMachine, u"Software\\Microsoft\\Windows\\CurrentVersion\\Run", u"Pathorama", u"",
       A::DeleteValue, true}};
  for (const char16_t* verb : {u"添加到 Pathorama 列表中", u"添加到Pathorama列表中"})
    for (const char16_t* shell : {u"Directory\\shell\\", u"*\\shell\\", u"Directory\\Background\\shell\\"})
      ops.push_back({kMachine, std::u16string(u"Software\\Classes\\") + shell + verb, u"", u"",
                     A::DeleteTree, true});
  return ops;
}

std::vector<RegistryOperation> LegacyVerbRemoval() {
  return {
      {kUser, u"Software\\Classes\\Directory\\shell\\添加到Pathorama列表中", u"", u"", A::DeleteTree},
      {kUser, u"Software\\Classes\\*\\shell\\添加到Pathorama列表中", u"", u"", A::DeleteTree},
      {kUser, u"Software\\Classes\\Directory\\Background\\shell\\添加到Pathorama列表中", u"", u"",
       A::DeleteTree},
  };
}

TEST(ApplyRegistry, PerUserRunValueAndVerbsWhenOn) {
  AppSettings s(kToday);
  const std::u16string q = kQuoted;
  std::vector<RegistryOperation> expected = {
      {kUser, u"Software\\Microsoft\\Windows\\CurrentVersion\\Run", u"Pathorama", q, A::SetString},
      {kUser, u"Software\\Classes\\Directory\\shell\\添加到 Pathorama 列表中\\command", u"",
       q + u" /AddToJumpList \"%1\"", A::SetString},
      {kUser, u"Software\\Classes\\Directory\\shell\\添加到 Pathorama 列表中", u"Icon", q,
       A::SetString},
      {kUser, u"Software\\Classes\\*\\shell\\添加到 Pathorama 列表中\\command", u"",
       q + u" /AddToJumpList \"%1\"", A::SetString},
      {kUser, u"Software\\Classes\\*\\shell\\添加到 Pathorama 列表中", u"Icon", q, A::SetString},
      {kUser, u"Software\\Classes\\Directory\\Background\\shell\\添加到 Pathorama 列表中\\command",
       u"", q + u" /AddToJumpList \"%V\\\"", A::SetString},
      {kUser, u"Software\\Classes\\Directory\\Background\\shell\\添加到 Pathorama 列表中", u"Icon",
       q, A::SetString},
  };
  for (const auto& op : LegacyVerbRemoval()) expected.push_back(op);
  for (const auto& op : MachineWideCleanup()) expected.push_back(op);
  ExpectOperations(RegistryOperationsFor(s, kExe), expected);
  // The exact command line Explorer starts for a folder background.
  EXPECT_EQ(RegistryOperationsFor(s, kExe)[5].data,
            u"\"C:\\Program Files\\Pathorama\\pathorama.exe\" /AddToJumpList \"%V\\\"");
}

TEST(ApplyRegistry, RemovalsWhenOff) {
  AppSettings s(kToday);
  s.SetBool(Setting::AutoRunWhenSystemStart, false);
  s.SetBool(Setting::AddSelectedItemToJumpListFromContextMenu, false);
  std::vector<RegistryOperation> expected = {
      {kUser, u"Software\\Microsoft\\Windows\\CurrentVersion\\Run", u"Pathorama", u"",
       A::DeleteValue},
      {kUser, u"Software\\Classes\\Directory\\shell\\添加到 Pathorama 列表中", u"", u"",
       A::DeleteTree},
      {kUser, u"Software\\Classes\\*\\shell\\添加到 Pathorama 列表中", u"", u"", A::DeleteTree},
      {kUser, u"Software\\Classes\\Directory\\Background\\shell\\添加到 Pathorama 列表中", u"", u"",
       A::DeleteTree},
  };
  for (const auto& op : LegacyVerbRemoval()) expected.push_back(op);
  for (const auto& op : MachineWideCleanup()) expected.push_back(op);
  ExpectOperations(RegistryOperationsFor(s, kExe), expected);

  // Each switch acts on its own values only.
  s.SetBool(Setting::AutoRunWhenSystemStart, true);
  auto ops = RegistryOperationsFor(s, kExe);
  EXPECT_EQ(ops[0].action, A::SetString);
  EXPECT_EQ(ops[1].action, A::DeleteTree);
}

TEST(ApplyVariables, RandomCharacterSetInFixedOrder) {
  struct Case {
    const char* name;
    std::vector<Setting> on;
    std::u16string custom;
    std::u16string expected;
  };
  const std::u16string circled =
      u"①②③④⑤⑥⑦⑧⑨⑩⑪⑫⑬⑭⑮⑯⑰⑱⑲⑳㉑㉒㉓㉔㉕㉖㉗㉘㉙㉚㉛㉜㉝㉞㉟㊱㊲㊳㊴㊵㊶㊷㊸㊹㊺㊻㊼㊽㊾㊿";
  const Case cases[] = {
      {"nothing", {}, u"", u""},
      {"roman numerals", {Setting::RomanNumeralsAsRandom}, u"", u"\u2160XCMVLD"},
      {"chinese numerals, ordinary before capital",
       {Setting::CapitalChineseNumeralsAsRandom,
        Setting::ChineseNumeralsAsRandom},
       u"",
       u"〇一二三四五六七八九零壹贰叁肆伍陆柒捌玖"},
      {"circled", {Setting::CircledNumberAsRandom}, u"", circled},
      {"custom text needs its box", {}, u"xyz", u""},
      {"custom last",
       {Setting::CustomCharactersAsRandom, Setting::ArabicNumberAsRandom},
       u"xyzz",
       u"0123456789xyzz"},
      {"letters and digits",
       {Setting::UpperEnglishLetterAsRandom,
        Setting::LowerEnglishLetterAsRandom, Setting::ArabicNumberAsRandom},
       u"",
       u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789"},
  };
  const Setting all[] = {Setting::UpperEnglishLetterAsRandom,
                                   Setting::LowerEnglishLetterAsRandom,
                                   Setting::RomanNumeralsAsRandom,
                                   Setting::ArabicNumberAsRandom,
                                   Setting::CapitalChineseNumeralsAsRandom,
                                   Setting::ChineseNumeralsAsRandom,
                                   Setting::CircledNumberAsRandom,
                                   Setting::CustomCharactersAsRandom};
  for (const Case& c : cases) {
    AppSettings s(kToday);
    for (Setting id : all) s.SetBool(id, false);
    for (Setting id : c.on) s.SetBool(id, true);
    s.SetText(Setting::CustomRandomCharacters, c.custom);
    EXPECT_EQ(RandomCharacterSet(s), c.expected) << c.name;
  }
  // The defaults give the set the variable families start with.
  EXPECT_EQ(RandomCharacterSet(AppSettings(kToday)),
            variables::VariableOptions{}.randomCharacters);
}

TEST(ApplyVariables, OptionsFromSettings) {
  AppSettings s(kToday);
  variables::VariableOptions o = VariableOptionsFromSettings(s, kToday);
  EXPECT_EQ(o.randomLength, 5);
  EXPECT_EQ(o.weekStartsWith, 0);
  EXPECT_EQ((std::tuple{o.asFirstWeek.year, o.asFirstWeek.month, o.asFirstWeek.day}),
            (std::tuple{2026, 1, 1}));
  EXPECT_TRUE(o.firstDayAsFirstWeek);
  EXPECT_FALSE(o.setDayForEmptyParam);
  // Box off: the day the settings are applied.
  EXPECT_EQ((std::tuple{o.dayForEmptyParam.year, o.dayForEmptyParam.month, o.dayForEmptyParam.day}),
            (std::tuple{2026, 12, 9}));

  s.SetInt(Setting::RandomLength, 12);
  s.SetInt(Setting::WeekStartsWith, 1);
  s.SetDate(Setting::AsFirstWeek, {2026, 9, 2});
  s.SetBool(Setting::FirstDayAsFirstWeek, false);
  s.SetText(Setting::YearMonthDayDelimiter, u"_");
  s.SetBool(Setting::SetDayForEmptyDateParameter, true);
  s.SetDate(Setting::DayForEmptyDateParameter, {2025, 3, 31});
  s.SetBool(Setting::UpperEnglishLetterAsRandom, false);
  o = VariableOptionsFromSettings(s, kToday);
  EXPECT_EQ(o.randomLength, 12);
  EXPECT_EQ(o.weekStartsWith, 1);
  EXPECT_EQ((std::tuple{o.asFirstWeek.month, o.asFirstWeek.day}), (std::tuple{9, 2}));
  EXPECT_FALSE(o.firstDayAsFirstWeek);
  EXPECT_EQ(o.yearMonthDayDelimiter, u"_");
  EXPECT_TRUE(o.setDayForEmptyParam);
  EXPECT_EQ((std::tuple{o.dayForEmptyParam.year, o.dayForEmptyParam.month, o.dayForEmptyParam.day}),
            (std::tuple{2025, 3, 31}));
  EXPECT_EQ(o.randomCharacters, u"abcdefghijklmnopqrstuvwxyz0123456789");
}

TEST(ApplyMenuAndHotKeys, ValuesFromSettings) {
  AppSettings s(kToday);
  EXPECT_EQ(FunctionItemVisibilityFrom(s), FunctionItemVisibility{});
  EXPECT_EQ(CaptionMaxLengthFrom(s), 100);
  EXPECT_EQ(HotKeyShortcutsFrom(s), (HotKeyShortcuts{16452, 0, 16455, 16465}));

  s.SetBool(Setting::HideAddCurrentFolder, true);
  s.SetBool(Setting::HideAppSettings, true);
  s.SetInt(Setting::ItemCaptionMaxLength, 1);
  s.SetInt(Setting::CaptureOfficeOrWindowFolderPathHotKey, 0);
  EXPECT_EQ(FunctionItemVisibilityFrom(s),
            (FunctionItemVisibility{false, true, true, false, true}));
  EXPECT_EQ(CaptionMaxLengthFrom(s), 1);
  EXPECT_EQ(HotKeyShortcutsFrom(s).captureOfficeFolderPath, 0);
  s.SetBool(Setting::LimitItemCaptionLength, false);
  EXPECT_EQ(CaptionMaxLengthFrom(s), 2147483647);
}

}  // namespace
}  // namespace pathorama::settings
