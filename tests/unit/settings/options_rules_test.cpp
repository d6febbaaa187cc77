#include "settings/options_rules.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/text.h"

namespace pathorama::settings {
namespace {

constexpr uint16_t kShift = 0x2000, kCtrl = 0x4000, kAlt = 0x8000;
constexpr uint16_t kD = 'D', kG = 'G', kQ = 'Q', kF5 = 0x74;

std::string U8(std::u16string_view text) { return core::Utf16ToUtf8(text); }

TEST(ShortcutFieldTest, BareKeysAndShiftOrAltAloneGetCtrlInstead) {
  struct Case {
    const char* name;
    uint16_t entered, accepted;
  } cases[] = {
      {"none stays none", 0, 0},
      {"modifiers without a key are none", kCtrl, 0},
      {"bare key", kD, kCtrl | kD},
      {"Shift alone", kShift | kF5, kCtrl | kF5},
      {"Alt alone", kAlt | kG, kCtrl | kG},
      {"Ctrl kept", kCtrl | kD, kCtrl | kD},
      {"Ctrl+Shift kept", kCtrl | kShift | kD, kCtrl | kShift | kD},
      {"Shift+Alt kept", kShift | kAlt | kD, kShift | kAlt | kD},
      {"Ctrl+Alt kept", kCtrl | kAlt | kQ, kCtrl | kAlt | kQ},
  };
  for (const Case& c : cases) EXPECT_EQ(AcceptedShortcut(c.entered), c.accepted) << c.name;
}

TEST(ShortcutFieldTest, HotKeyControlValuesConvertBothWays) {
  struct Case {
    uint16_t control, shortcut;
  } cases[] = {
      {0x0244, kCtrl | kD},                   // HOTKEYF_CONTROL
      {0x0174, kShift | kF5},                 // HOTKEYF_SHIFT
      {0x0447, kAlt | kG},                    // HOTKEYF_ALT
      {0x0751, kCtrl | kShift | kAlt | kQ},  // all three
      {0, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ShortcutFromHotKeyControl(c.control), c.shortcut) << std::hex << c.control;
    EXPECT_EQ(HotKeyControlFromShortcut(c.shortcut), c.control) << std::hex << c.shortcut;
  }
  // The extended-key flag (HOTKEYF_EXT) is not part of a shortcut.
  EXPECT_EQ(ShortcutFromHotKeyControl(0x0A2E), kCtrl | 0x2E);
}

TEST(ShortcutFieldTest, DuplicateNamesTheOtherFieldsPurposeAndPutsBackTheLastGoodValue) {
  const ShortcutValues defaults = {kCtrl | kD, 0, kCtrl | kG, kCtrl | kQ};
  struct Case {
    const char* name;
    ShortcutField field;
    uint16_t entered;
    const char16_t* purpose;  // null: no duplicate
  } cases[] = {
      {"Ctrl+G in jump list 1", ShortcutField::JumpMenu1, kCtrl | kG,
       u"在 打开/另存为 对话框中切换到已打开文件夹"},
      {"Ctrl+D in jump list 2", ShortcutField::JumpMenu2, kCtrl | kD, u"弹出路径跳转列表"},
      {"Ctrl+D in the dialog field", ShortcutField::OpenSaveDialog, kCtrl | kD, u"弹出路径跳转列表"},
      {"Ctrl+G in the capture field", ShortcutField::CaptureOfficeFolderPath, kCtrl | kG,
       u"在 打开/另存为 对话框中切换到已打开文件夹"},
      {"Ctrl+Q in jump list 1", ShortcutField::JumpMenu1, kCtrl | kQ,
       u"捕获 MS Word/Excel/PPT 文件所在的文件夹路径"},
      {"the field's own value", ShortcutField::JumpMenu1, kCtrl | kD, nullptr},
      {"a free shortcut", ShortcutField::JumpMenu2, kCtrl | kShift | kD, nullptr},
  };
  for (const Case& c : cases) {
    const uint16_t lastGood = defaults[static_cast<size_t>(c.field)];
    const ShortcutChangeResult r = CheckShortcutChange(defaults, c.field, c.entered, lastGood);
    if (c.purpose) {
      ASSERT_TRUE(r.duplicateMessage) << c.name;
      const std::u16string keyText = c.entered == (kCtrl | kG)   ? u"Ctrl+G"
                                     : c.entered == (kCtrl | kD) ? u"Ctrl+D"
                                                                 : u"Ctrl+Q";
      EXPECT_EQ(U8(*r.duplicateMessage),
                U8(u"快捷键 " + keyText + u" 已被用于" + c.purpose + u"\x0d请返回后重新设置"))
          << c.name;
      EXPECT_EQ(r.fieldValue, lastGood) << c.name;
      EXPECT_EQ(r.lastGood, lastGood) << c.name;
    } else {
      EXPECT_FALSE(r.duplicateMessage) << c.name;
      EXPECT_EQ(r.fieldValue, c.entered) << c.name;
      EXPECT_EQ(r.lastGood, c.entered) << c.name;
    }
  }
}

TEST(ShortcutFieldTest, ClearingAFieldIsNoDuplicateAndKeepsTheLastGoodValue) {
  // Two empty jump-list fields do not collide.
  const ShortcutValues values = {kCtrl | kD, 0, kCtrl | kG, kCtrl | kQ};
  const ShortcutChangeResult r = CheckShortcutChange(values, ShortcutField::JumpMenu1, 0, kCtrl | kD);
  EXPECT_FALSE(r.duplicateMessage);
  EXPECT_EQ(r.fieldValue, 0);
  EXPECT_EQ(r.lastGood, kCtrl | kD);
}

TEST(IgnoreSubPageTest, CaptionFollowsTheShortcutAndAnEmptyOneHidesThePage) {
  const IgnoreSubPage shown = IgnoreSubPageFor(kCtrl | kShift | kF5);
  EXPECT_TRUE(shown.visible);
  EXPECT_EQ(U8(shown.caption), "热键 Ctrl+Shift+F5");
  EXPECT_FALSE(IgnoreSubPageFor(0).visible);
  EXPECT_EQ(U8(IgnoreSubPageFor(kCtrl | kD).caption), "热键 Ctrl+D");
}

TEST(CapsLockConflictTest, QuestionsAndWhichBoxGoes) {
  const std::u16string direct = CapsLockConflictQuestion(CapsLockOption::DirectJumpList);
  EXPECT_EQ(U8(direct),
            U8(u"当前试图设置 『当点亮 CapsLock 键时，不受忽略选项的设置，直接弹出路径跳转列表』\x0d\x0d"
               u"但已经在 『文件夹管理器』 页面设置了以下选项：\x0d\x3000\x3000"
               u"当点亮 CapsLock 键时，临时使用另一种方式打开\x0d\x0d"
               u"二者都绑定了 CapsLock 键，不能同时兼顾，只能选择其一\x0d\x0d"
               u"是否选择直接弹出路径跳转列表、放弃 『文件夹管理器』 页面中与它有冲突的选项？"));
  const std::u16string another = CapsLockConflictQuestion(CapsLockOption::AnotherOpenMethod);
  EXPECT_EQ(another.find(u"当前试图设置『在点亮 CapsLock 键时，临时使用另外一种方式打开文件夹管理器』\r\r"), 0u);
  EXPECT_NE(another.find(u"\r\x3000\x3000例外：当 CapsLock 键点亮时，忽略以下设置，直接弹出路径跳转列表\r\r"),
            std::u16string::npos);
  EXPECT_EQ(another.find(u"\n"), std::u16string::npos);

  using O = CapsLockOption;
  EXPECT_EQ(CapsLockOptionToUncheck(O::DirectJumpList, true), O::AnotherOpenMethod);
  EXPECT_EQ(CapsLockOptionToUncheck(O::DirectJumpList, false), O::DirectJumpList);
  EXPECT_EQ(CapsLockOptionToUncheck(O::AnotherOpenMethod, true), O::DirectJumpList);
  EXPECT_EQ(CapsLockOptionToUncheck(O::AnotherOpenMethod, false), O::AnotherOpenMethod);

  AppSettings settings({2026, 12, 10});
  settings.SetBool(Setting::DirectJumpListWhenCapsLock, true);
  settings.SetBool(Setting::UseAnotherOpenMethodWhenCapsLock, false);
  EXPECT_TRUE(CapsLockConflicts(settings, O::AnotherOpenMethod));
  EXPECT_FALSE(CapsLockConflicts(settings, O::DirectJumpList));
  settings.SetBool(Setting::DirectJumpListWhenCapsLock, false);
  settings.SetBool(Setting::UseAnotherOpenMethodWhenCapsLock, true);
  EXPECT_TRUE(CapsLockConflicts(settings, O::DirectJumpList));
  EXPECT_FALSE(CapsLockConflicts(settings, O::AnotherOpenMethod));
}

TEST(AcceleratorBoxTest, OnlyOneLetterOrDigitIsALetter) {
  struct Case {
    const char16_t* text;
    char16_t letter;  // 0: refused
  } cases[] = {
      {u"a", u'A'}, {u"Z", u'Z'}, {u"7", u'7'}, {u"", 0},   {u"ab", 0},  {u"7 ", 0},
      {u" ", 0},    {u"&", 0},    {u"中", 0},   {u"é", 0},  {u"a\n", 0},
  };
  for (const Case& c : cases) {
    const std::optional<char16_t> letter = AcceleratorLetterOf(c.text);
    EXPECT_EQ(IsValidAcceleratorText(c.text), c.letter != 0) << U8(c.text);
    EXPECT_EQ(letter.value_or(0), c.letter) << U8(c.text);
  }
  const AcceleratorLetters defaults = DefaultAcceleratorLetters();
  EXPECT_EQ(U8(std::u16string(defaults.begin(), defaults.end())), "ARCDSJ");
}

TEST(AcceleratorBoxTest, OkFindsTheFirstInvalidBox) {
  std::vector<std::u16string> boxes = {u"A", u"R", u"C", u"D", u"S", u"J"};
  EXPECT_FALSE(FirstInvalidAcceleratorBox(boxes));
  boxes[4] = u"77";
  boxes[5] = u"";
  EXPECT_EQ(FirstInvalidAcceleratorBox(boxes), 4);
  boxes[1] = u"-";
  EXPECT_EQ(FirstInvalidAcceleratorBox(boxes), 1);
}

TEST(ControlDependencyTest, BoxesEnableTheirSettings) {
  struct Case {
    Setting box;
    std::vector<Setting> enabled;
  } cases[] = {
      {Setting::AutoHideAtScreenEdge, {Setting::AutoHideDistance}},
      {Setting::FillOpenedFolderIntoFocusedEdit,
       {Setting::FillFolderPathMethod, Setting::SelectionAfterFillPath}},
      {Setting::CaptureOfficeOrWindowFolderPath,
       {Setting::CaptureOfficeOrWindowFolderPathHotKey, Setting::CapturedFolderPathAction}},
      {Setting::SetDayForEmptyDateParameter, {Setting::DayForEmptyDateParameter}},
      {Setting::CustomCharactersAsRandom, {Setting::CustomRandomCharacters}},
      {Setting::DirectoryOpusOpenInNewTab,
       {Setting::DirectoryOpusNewTabPosition, Setting::DirectoryOpusActivateNewTab}},
      {Setting::LimitItemCaptionLength, {Setting::ItemCaptionMaxLength}},
      {Setting::AutoRunWhenSystemStart, {}},
  };
  for (const Case& c : cases) {
    const std::span<const Setting> got = SettingsEnabledBy(c.box);
    EXPECT_EQ(std::vector<Setting>(got.begin(), got.end()), c.enabled) << static_cast<int>(c.box);
  }
}

TEST(FirstWeekDayTest, PickedDateMovesIntoTheGivenYear) {
  struct Case {
    core::CalendarDate picked;
    int year;
    core::CalendarDate expected;
  } cases[] = {
      {{2019, 9, 2}, 2026, {2026, 9, 2}},
      {{2026, 3, 15}, 2026, {2026, 3, 15}},
      {{2024, 2, 29}, 2026, {2026, 2, 28}},
      {{2023, 2, 28}, 2028, {2028, 2, 28}},
      {{2024, 2, 29}, 2028, {2028, 2, 29}},
      {{2031, 12, 31}, 2026, {2026, 12, 31}},
  };
  for (const Case& c : cases) {
    const core::CalendarDate got = FirstWeekDayInYear(c.picked, c.year);
    EXPECT_EQ(got, c.expected) << c.picked.year << "-" << c.picked.month << "-" << c.picked.day
                               << " into " << c.year << ": " << got.year << "-" << got.month
                               << "-" << got.day;
  }
}

}  // namespace
}  // namespace pathorama::settings
