#include "settings/apply_step.h"

#include <limits>

#include "core/text.h"

namespace pathorama::settings {

namespace {

// Removes every space: the verb names earlier releases used.
std::u16string WithoutSpaces(std::u16string_view text) {
  return core::ReplaceAllText(text, u" ", u"");
}

std::u16string Quoted(std::u16string_view path) { return u"\"" + std::u16string(path) + u"\""; }

std::u16string VerbKey(const ShellVerbTarget& target, std::u16string_view verb) {
  return std::u16string(kClassesKey) + u"\\" + std::u16string(target.shellKey) + u"\\" +
         std::u16string(verb);
}

variables::LocalDateTime ToLocalDate(const core::CalendarDate& date) {
  variables::LocalDateTime result;
  result.year = date.year;
  result.month = date.month;
  result.day = date.day;
  return result;
}

}  // namespace

std::vector<ShellVerbTarget> ShellVerbTargets() {
  return {
      {u"Directory\\shell", u" /AddToJumpList \"%1\""},
      {u"*\\shell", u" /AddToJumpList \"%1\""},
      {u"Directory\\Background\\shell", u" /AddToJumpList \"%V\\\""},
  };
}

std::vector<RegistryOperation> RegistryOperationsFor(const AppSettings& settings,
                                                     std::u16string_view executablePath) {
  using A = RegistryAction;
  const auto user = RegistryRoot::CurrentUser;
  const std::u16string exe = Quoted(executablePath);
  std::vector<RegistryOperation> ops;

  if (settings.Bool(Setting::AutoRunWhenSystemStart))
    ops.push_back({user, std::u16string(kRunKey), std::u16string(kRunValueName), exe, A::SetString});
  else
    ops.push_back({user, std::u16string(kRunKey), std::u16string(kRunValueName), u"", A::DeleteValue});

  const std::vector<ShellVerbTarget> targets = ShellVerbTargets();
  const bool verbsOn = settings.Bool(Setting::AddSelectedItemToJumpListFromContextMenu);
  for (const ShellVerbTarget& target : targets) {
    const std::u16string verbKey = VerbKey(target, kVerbName);
    if (verbsOn) {
      ops.push_back({user, verbKey + u"\\command", u"", exe + std::u16string(target.argumentsAfter),
                     A::SetString});
      ops.push_back({user, verbKey, u"Icon", exe, A::SetString});
    } else {
      ops.push_back({user, verbKey, u"", u"", A::DeleteTree});
    }
  }
  const std::u16string legacyVerb = WithoutSpaces(kVerbName);
  for (const ShellVerbTarget& target : targets)
    ops.push_back({user, VerbKey(target, legacyVerb), u"", u"", A::DeleteTree});

  // Machine-wide values written by earlier releases would start a second copy
  // at logon and show a second, elevating verb.
  const auto machine = RegistryRoot::LocalMachine;
  ops.push_back({machine, std::u16string(kRunKey), std::u16string(kRunValueName), u"",
                 A::DeleteValue, true});
  for (std::u16string_view verb : {kVerbName, std::u16string_view(legacyVerb)})
    for (const ShellVerbTarget& target : targets)
      ops.push_back({machine, VerbKey(target, verb), u"", u"", A::DeleteTree, true});
  return ops;
}

std::u16string RandomCharacterSet(const AppSettings& settings) {
  struct CharacterClass {
    Setting option;
    std::u16string_view characters;
  };
  static constexpr CharacterClass kClasses[] = {
      {Setting::UpperEnglishLetterAsRandom, u"ABCDEFGHIJKLMNOPQRSTUVWXYZ"},
      {Setting::LowerEnglishLetterAsRandom, u"abcdefghijklmnopqrstuvwxyz"},
      {Setting::RomanNumeralsAsRandom, u"\u2160XCMVLD"},
      {Setting::ArabicNumberAsRandom, u"0123456789"},
      {Setting::ChineseNumeralsAsRandom, u"〇一二三四五六七八九"},
      {Setting::CapitalChineseNumeralsAsRandom, u"零壹贰叁肆伍陆柒捌玖"},
      {Setting::CircledNumberAsRandom,
       u"①②③④⑤⑥⑦⑧⑨⑩⑪⑫⑬⑭⑮⑯⑰⑱⑲⑳㉑㉒㉓㉔㉕㉖㉗㉘㉙㉚㉛㉜㉝㉞㉟㊱㊲㊳㊴㊵㊶㊷㊸㊹㊺㊻㊼㊽㊾㊿"},
  };
  std::u16string set;
  for (const CharacterClass& c : kClasses)
    if (settings.Bool(c.option)) set += c.characters;
  if (settings.Bool(Setting::CustomCharactersAsRandom))
    set += settings.Text(Setting::CustomRandomCharacters);
  return set;
}

variables::VariableOptions VariableOptionsFromSettings(const AppSettings& settings,
                                                       core::CalendarDate today) {
  variables::VariableOptions options;
  options.randomCharacters = RandomCharacterSet(settings);
  options.randomLength = settings.Int(Setting::RandomLength);
  options.weekStartsWith = settings.Int(Setting::WeekStartsWith);
  options.asFirstWeek = ToLocalDate(settings.Date(Setting::AsFirstWeek));
  options.firstDayAsFirstWeek = settings.Bool(Setting::FirstDayAsFirstWeek);
  options.yearMonthDayDelimiter = settings.Text(Setting::YearMonthDayDelimiter);
  options.setDayForEmptyParam = settings.Bool(Setting::SetDayForEmptyDateParameter);
  options.dayForEmptyParam = ToLocalDate(
      options.setDayForEmptyParam ? settings.Date(Setting::DayForEmptyDateParameter) : today);
  return options;
}

FunctionItemVisibility FunctionItemVisibilityFrom(const AppSettings& settings) {
  FunctionItemVisibility v;
  v.addOrDeleteCurrentFolder = !settings.Bool(Setting::HideAddCurrentFolder);
  v.configureJumpList = !settings.Bool(Setting::HideConfigureJumpList);
  v.batchDeleteItems = !settings.Bool(Setting::HideBatchDeleteItems);
  v.appSettings = !settings.Bool(Setting::HideAppSettings);
  v.disableJumpListHotKey = !settings.Bool(Setting::HideDisableJumpListHotKey);
  return v;
}

int32_t CaptionMaxLengthFrom(const AppSettings& settings) {
  if (settings.Bool(Setting::LimitItemCaptionLength))
    return settings.Int(Setting::ItemCaptionMaxLength);
  return std::numeric_limits<int32_t>::max();
}

HotKeyShortcuts HotKeyShortcutsFrom(const AppSettings& settings) {
  return {settings.Shortcut(Setting::JumpMenuHotKey1), settings.Shortcut(Setting::JumpMenuHotKey2),
          settings.Shortcut(Setting::OpenSaveDialogHotKey),
          settings.Shortcut(Setting::CaptureOfficeOrWindowFolderPathHotKey)};
}

}  // namespace pathorama::settings
