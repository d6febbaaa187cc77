#include "settings/app_settings.h"

#include <array>
#include <cassert>

#include "core/text.h"

namespace pathorama::settings {

namespace {

constexpr std::u16string_view kMain = u"Main";
constexpr std::u16string_view kSetJumpList = u"SetJumpList";
constexpr std::u16string_view kOption = u"Option";

using S = Setting;
using B = SettingBlock;

// Builders keep the table one line per key.
constexpr SettingDefinition Bool(S id, std::u16string_view section, std::u16string_view key,
                                 bool def, B block, std::u16string_view group = {},
                                 int radio = 0, bool perManager = false) {
  return {id, section, key, group, SettingType::Bool, def ? 1 : 0, {}, DateDefault::None, 0, 1,
          false, block, perManager, radio, TextSaveTrim::None};
}
constexpr SettingDefinition Opt(S id, std::u16string_view key, bool def, B block,
                                std::u16string_view group = {}, int radio = 0) {
  return Bool(id, kOption, key, def, block, group, radio);
}
constexpr SettingDefinition PerManager(S id, std::u16string_view key, bool def, int radio = 0) {
  return Bool(id, kOption, key, def, B::FolderManager, {}, radio, true);
}
// A combo box index (0..maximum): a value outside keeps the previous one.
constexpr SettingDefinition Choice(S id, std::u16string_view key, int def, int maximum, B block,
                                   std::u16string_view group = {}) {
  return {id, kOption, key, group, SettingType::Int, def, {}, DateDefault::None, 0, maximum,
          false, block, false, 0, TextSaveTrim::None};
}
// A number box: a value outside takes the nearest bound.
constexpr SettingDefinition Number(S id, std::u16string_view key, int def, int minimum,
                                   int maximum, B block) {
  return {id, kOption, key, {}, SettingType::Int, def, {}, DateDefault::None, minimum, maximum,
          true, block, false, 0, TextSaveTrim::None};
}
constexpr SettingDefinition Shortcut(S id, std::u16string_view key, int def,
                                     std::u16string_view group = {}) {
  return {id, kOption, key, group, SettingType::Shortcut, def, {}, DateDefault::None, 0, 0xFFFF,
          false, B::General, false, 0, TextSaveTrim::None};
}
constexpr SettingDefinition Text(S id, std::u16string_view section, std::u16string_view key,
                                 B block, bool perManager = false,
                                 TextSaveTrim trim = TextSaveTrim::None) {
  return {id, section, key, {}, SettingType::Text, 0, {}, DateDefault::None, 0, 0,
          false, block, perManager, 0, trim};
}
constexpr SettingDefinition Date(S id, std::u16string_view key, DateDefault def) {
  return {id, kOption, key, {}, SettingType::Date, 0, {}, def, 0, 0,
          false, B::DateAndRandom, false, 0, TextSaveTrim::None};
}

// Radio groups.
enum : int {
  kJumpMenuPos = 1,
  kOpenMethod,
  kWindowState,
  kPanelTC,
  kPanelDO,
  kPanelXp,
  kPanelFC,
};

constexpr std::array kDefinitions = {
    Text(S::Version, kMain, u"Ver", B::Main),
    Bool(S::UseGlobalHotKey, kMain, u"UseGlobalHotKey", true, B::Main),
    Bool(S::HideDisabledItems, kSetJumpList, u"HideItemWhenForbid", true, B::SetJumpList),

    Opt(S::JumpMenuUnderCursor, u"JumpMenuUnderCursor", false, B::General, u"JumpMenuPos", kJumpMenuPos),
    Opt(S::JumpMenuUnderApp, u"JumpMenuUnderApp", false, B::General, u"JumpMenuPos", kJumpMenuPos),
    Opt(S::JumpMenuUnderAddressBar, u"JumpMenuUnderAddressBar", true, B::General, u"JumpMenuPos", kJumpMenuPos),
    Opt(S::JumpMenuAtCenter, u"JumpMenuAtCenter", false, B::General, u"JumpMenuPos", kJumpMenuPos),
    Shortcut(S::JumpMenuHotKey1, u"JumpMenuHotKey1", 16452, u"JumpMenuHotKey"),
    Shortcut(S::JumpMenuHotKey2, u"JumpMenuHotKey2", 0, u"JumpMenuHotKey"),
    Shortcut(S::OpenSaveDialogHotKey, u"OpenSaveDialogHotKey", 16455),
    Opt(S::FillOpenedFolderIntoFocusedEdit, u"FillOpenedFolderInActivateEdit", true, B::General),
    Choice(S::FillFolderPathMethod, u"FillFolderPathMethod", 0, 2, B::General),
    Choice(S::SelectionAfterFillPath, u"SelTextAfterFillPath", 0, 1, B::General),
    Opt(S::SaveOpenedFolderPathToClipboard, u"SaveOpendFolderPathToClip", true, B::General),
    Choice(S::GetFolderFromManager, u"GetFolderFromManager", 0, 6, B::General),
    Opt(S::CaptureOfficeOrWindowFolderPath, u"chkCaptureOfficeOrWindowFolderPath", true, B::General),
    Shortcut(S::CaptureOfficeOrWindowFolderPathHotKey, u"hkCaptureOfficeOrWindowFolderPath", 16465),
    Choice(S::CapturedFolderPathAction, u"OperateOfficeOrWindowFolderPathCaptured", 0, 1, B::General),
    Choice(S::MainWindowAt, u"MainWindowAt", 0, 7, B::General),
    SettingDefinition{S::MainWindowPosition, kOption, u"MainWindowPos", {}, SettingType::WindowPos, 0, {},
                      DateDefault::None, 0, 0, false, B::General, false, 0, TextSaveTrim::None},
    Opt(S::AutoHideAtScreenEdge, u"AutoHideWhenScreenEdge", true, B::General),
    Number(S::AutoHideDistance, u"AutoHideDistance", 5, 1, 10, B::General),
    Opt(S::AutoRunWhenSystemStart, u"AutoRunWhenSystemStart", true, B::General),
    Opt(S::AddSelectedItemToJumpListFromContextMenu, u"AddSeledItemToJumpListForRMenu", true, B::General),
    Opt(S::DirectJumpListWhenCapsLock, u"DirectJumpListWhenCapsLock", true, B::CapsLock),
    Opt(S::ShowMessageWhenHotKeyIgnored, u"ShowMsgWhenIgnoreGlobalHotKey", true, B::CapsLock),

    Choice(S::WeekStartsWith, u"WeekStartsWith", 0, 1, B::DateAndRandom, u"WeekStart"),
    Date(S::AsFirstWeek, u"AsFirstWeek", DateDefault::StartOfYear),
    Opt(S::FirstDayAsFirstWeek, u"FirstDayAsFirstWeek", true, B::DateAndRandom),
    Text(S::YearMonthDayDelimiter, kOption, u"YearMonthDayDelimiter", B::DateAndRandom),
    Opt(S::SetDayForEmptyDateParameter, u"chkSetDayForDayCustomVarEmptyParam", false, B::DateAndRandom),
    Date(S::DayForEmptyDateParameter, u"dtpDayForDayCustomVarEmptyParam", DateDefault::Today),
    Opt(S::UpperEnglishLetterAsRandom, u"UpperEnglishLetterAsRandom", true, B::DateAndRandom),
    Opt(S::LowerEnglishLetterAsRandom, u"LowerEnglishLetterAsRandom", true, B::DateAndRandom),
    Opt(S::RomanNumeralsAsRandom, u"RomaAsRandom", false, B::DateAndRandom),
    Opt(S::ArabicNumberAsRandom, u"ArabicNumberAsRandom", true, B::DateAndRandom),
    Opt(S::CapitalChineseNumeralsAsRandom, u"CapitalChineseNumAsRandom", false, B::DateAndRandom),
    Opt(S::ChineseNumeralsAsRandom, u"chk_NormalChineseNumAsRandom", false, B::DateAndRandom, u"NormalChineseNumAsRandom"),
    Opt(S::CircledNumberAsRandom, u"CircledNumberAsRandom", false, B::DateAndRandom),
    Opt(S::CustomCharactersAsRandom, u"chkCustomCharsAsRandom", false, B::DateAndRandom),
    Text(S::CustomRandomCharacters, kOption, u"edtCustomCharsAsRandom", B::DateAndRandom),
    Number(S::RandomLength, u"RandomLength", 5, 1, 100, B::DateAndRandom),

    Opt(S::HideAddCurrentFolder, u"HideAddCurFolder", false, B::FunctionItems),
    Opt(S::HideConfigureJumpList, u"HideSetJumpList", false, B::FunctionItems),
    Opt(S::HideBatchDeleteItems, u"HideBatchDelItems", false, B::FunctionItems),
    Opt(S::HideAppSettings, u"HideAppSetting", false, B::FunctionItems),
    Opt(S::HideDisableJumpListHotKey, u"HideForbidJumpListHotkey", false, B::FunctionItems),
    Opt(S::AddCurrentFolderItemToEveryGroup, u"AddCurDirForEverySubJumplist", true, B::FunctionItems),
    Opt(S::LimitItemCaptionLength, u"chkJumpListItemCaptionMaxLength", true, B::FunctionItems),
    Number(S::ItemCaptionMaxLength, u"nbxJumpListItemCaptionMaxLength", 100, 1, 100, B::FunctionItems),

    Opt(S::FolderManagerAutoMatch, u"FolderManagerAutoMatch", true, B::FolderManager),
    Choice(S::ChosenFolderManager, u"FolderManagerName", 0, kFolderManagerCount - 1, B::FolderManager),
    Text(S::FolderManagerPath, kOption, u"FolderManagerPath", B::FolderManager, true,
         TextSaveTrim::SpacesAndBackslashes),
    Text(S::FolderManagerParameters, kOption, u"FolderManagerParam", B::FolderManager, true,
         TextSaveTrim::WhiteSpace),
    PerManager(S::ReuseFolderManagerWindow, u"UseOldFolderManager", true, kOpenMethod),
    PerManager(S::OpenNewFolderManagerWindow, u"OpenNewFolderManager", false, kOpenMethod),
    PerManager(S::UseAnotherOpenMethodWhenCapsLock, u"UseAnotherOpenMethodWhenCapsLock", true),
    PerManager(S::MaximizeFolderManager, u"MaxmizeFolderManager", true, kWindowState),
    PerManager(S::MinimizeFolderManager, u"MinmizeFolderManager", false, kWindowState),
    PerManager(S::NormalFolderManager, u"NormalFolderManager", false, kWindowState),
    Opt(S::ActivateOnlyWhenFolderAlreadyOpen, u"ActiveOnlyWhenCurFolderReOpen", true, B::FolderManager),
    Opt(S::ExplorerOpensFurtherFoldersInNewWindows, u"MultiFoldersOpenMethod_EP", true, B::FolderManager),
    Opt(S::TotalCommanderOpenAtLeftPanel, u"OpenAtLeftPanel_TC", false, B::FolderManager, u"OpenAtPanel_TC", kPanelTC),
    Opt(S::TotalCommanderOpenAtRightPanel, u"OpenAtRightPanel_TC", false, B::FolderManager, u"OpenAtPanel_TC", kPanelTC),
    Opt(S::TotalCommanderOpenAtSourcePanel, u"OpenAtSourcePanel_TC", true, B::FolderManager, u"OpenAtPanel_TC", kPanelTC),
    Opt(S::TotalCommanderOpenAtTargetPanel, u"OpenAtDestPanel_TC", false, B::FolderManager, u"OpenAtPanel_TC", kPanelTC),
    Choice(S::TotalCommanderActivateNewTab, u"ActivateNewTab_TC", 0, 1, B::FolderManager),
    Choice(S::TotalCommanderPanelToActivate, u"ActivatePanelWhenNewOpen_TC", 0, 1, B::FolderManager, u"ActivatePanel_TC"),
    Opt(S::DirectoryOpusOpenAtLeftPanel, u"OpenAtLeftPanel_DO", false, B::FolderManager, u"OpenAtPanel_DO", kPanelDO),
    Opt(S::DirectoryOpusOpenAtRightPanel, u"OpenAtRightPanel_DO", false, B::FolderManager, u"OpenAtPanel_DO", kPanelDO),
    Opt(S::DirectoryOpusOpenAtSourcePanel, u"OpenAtSourcePanel_DO", true, B::FolderManager, u"OpenAtPanel_DO", kPanelDO),
    Opt(S::DirectoryOpusOpenAtTargetPanel, u"OpenAtDestPanel_DO", false, B::FolderManager, u"OpenAtPanel_DO", kPanelDO),
    Opt(S::DirectoryOpusOpenInNewTab, u"OpenAtNewTab_DO", true, B::FolderManager),
    Choice(S::DirectoryOpusNewTabPosition, u"NewTabPos_DO", 1, 3, B::FolderManager),
    Choice(S::DirectoryOpusActivateNewTab, u"ActivateNewTab_DO", 0, 1, B::FolderManager),
    Opt(S::DirectoryOpusExpandFolderTree, u"ExpandFolderTree_DO", false, B::FolderManager),
    Opt(S::DirectoryOpusActivateOpenFolderTab, u"ActiveExistFolderTab", true, B::FolderManager),
    Choice(S::DirectoryOpusNewTabView, u"NewTabView_DO", 2, 5, B::FolderManager),
    Opt(S::XYplorerExpandFolderTree, u"ExpandFolderTree_XY", true, B::FolderManager),
    Opt(S::XYplorerDoNotSaveSettings, u"NotSaveSetting_XY", true, B::FolderManager),
    Opt(S::Xplorer2SinglePanel, u"SinglePanel_Xp", false, B::FolderManager, {}, kPanelXp),
    Opt(S::Xplorer2DualPanels, u"DublePanels_Xp", true, B::FolderManager, {}, kPanelXp),
    Opt(S::Xplorer2DoNotRestoreTabs, u"NotRestoreTabs_Xp", false, B::FolderManager),
    Opt(S::FreeCommanderOpenAtLeftPanel, u"OpenAtLeftPanel_FC", false, B::FolderManager, u"OpenAtPanel_FC", kPanelFC),
    Opt(S::FreeCommanderOpenAtRightPanel, u"OpenAtRightPanel_FC", false, B::FolderManager, u"OpenAtPanel_FC", kPanelFC),
    Opt(S::FreeCommanderOpenAtSourcePanel, u"OpenAtSourcePanel_FC", true, B::FolderManager, u"OpenAtPanel_FC", kPanelFC),
    Opt(S::FreeCommanderOpenAtTargetPanel, u"OpenAtDestPanel_FC", false, B::FolderManager, u"OpenAtPanel_FC", kPanelFC),
    Choice(S::FreeCommanderActivateNewTab, u"ActivateNewTab_FC", 0, 1, B::FolderManager),
    Choice(S::FreeCommanderPanelToActivate, u"ActivatePanelWhenNewOpen_FC", 0, 1, B::FolderManager, u"ActivatePanel_FC"),
};

static_assert(kDefinitions.size() == static_cast<size_t>(Setting::kCount));

constexpr bool TableInEnumOrder() {
  for (size_t i = 0; i < kDefinitions.size(); ++i)
    if (static_cast<size_t>(kDefinitions[i].id) != i) return false;
  return true;
}
static_assert(TableInEnumOrder(), "the definition table must follow the order of Setting");

constexpr std::array kIgnoreLists = {
    IgnoreListDefinition{IgnoreList::AppName1, u"IgnoreAppName1.lst", u"IgnoreAppName"},
    IgnoreListDefinition{IgnoreList::WindowClass1, u"IgnoreWinClass1.lst", u"IgnoreWindowClass"},
    IgnoreListDefinition{IgnoreList::AppName2, u"IgnoreAppName2.lst", u"IgnoreAppName"},
    IgnoreListDefinition{IgnoreList::WindowClass2, u"IgnoreWinClass2.lst", u"IgnoreWindowClass"},
};

core::CalendarDate DefaultDate(const SettingDefinition& def, core::CalendarDate today) {
  switch (def.defaultDate) {
    case DateDefault::StartOfYear: return {today.year, 1, 1};
    case DateDefault::Today: return today;
    case DateDefault::None: break;
  }
  return {};
}

// Digits only, at most `maxDigits` of them.
bool ParseDigits(std::u16string_view text, size_t maxDigits, int& value) {
  if (text.empty() || text.size() > maxDigits) return false;
  value = 0;
  for (char16_t c : text) {
    if (c < u'0' || c > u'9') return false;
    value = value * 10 + (c - u'0');
  }
  return true;
}

std::u16string Padded(int value, size_t width) {
  std::u16string digits = core::IntToText(value);
  if (digits.size() < width) digits.insert(0, width - digits.size(), u'0');
  return digits;
}

}  // namespace

std::u16string FormatSettingDate(const core::CalendarDate& date) {
  return Padded(date.year, 4) + u"-" + Padded(date.month, 2) + u"-" + Padded(date.day, 2);
}

std::optional<core::CalendarDate> ParseSettingDate(std::u16string_view text) {
  std::u16string trimmed = core::TrimChars(text, u" \t");
  std::u16string_view rest = trimmed;
  // A time after the date (a date-time written by another tool) is ignored.
  if (size_t space = rest.find(u' '); space != std::u16string_view::npos) rest = rest.substr(0, space);
  size_t sepPos = rest.find_first_of(u"-/.");
  if (sepPos == std::u16string_view::npos) return std::nullopt;
  char16_t sep = rest[sepPos];
  std::vector<std::u16string> parts = core::SplitText(rest, std::u16string_view(&sep, 1));
  if (parts.size() != 3) return std::nullopt;
  int a = 0, b = 0, c = 0;
  if (!ParseDigits(parts[0], 4, a) || !ParseDigits(parts[1], 2, b) || !ParseDigits(parts[2], 4, c))
    return std::nullopt;
  core::CalendarDate parsed;
  if (parts[0].size() == 4) {
    if (parts[2].size() > 2) return std::nullopt;
    parsed = {a, b, c};
  } else if (parts[2].size() == 4 && parts[0].size() <= 2) {
    // Year last: month first with "/" (as the United States write it) unless
    // that cannot be a month, day first otherwise.
    if (sep == u'/' && a <= 12)
      parsed = {c, a, b};
    else
      parsed = {c, b, a};
  } else {
    return std::nullopt;
  }
  if (!core::IsValidDate(parsed)) return std::nullopt;
  return parsed;
}

std::span<const SettingDefinition> SettingDefinitions() { return kDefinitions; }

const SettingDefinition& DefinitionOf(Setting id) { return kDefinitions[static_cast<size_t>(id)]; }

std::u16string StoredKeyName(const SettingDefinition& def, int managerIndex) {
  std::u16string name(def.key);
  if (def.perManager) name += u"_" + core::IntToText(managerIndex);
  return name;
}

std::span<const IgnoreListDefinition> IgnoreListDefinitions() { return kIgnoreLists; }

std::vector<std::u16string> DefaultIgnoreListLines(IgnoreList id) {
  switch (id) {
    case IgnoreList::AppName1:
      return {u"WINWORD.EXE                  // MS-Word",
              u"// 64位或32位的 Everything",
              u"Everything64.exe; Everything.exe",
              u"XYplorer.exe, Q-Dir.exe",
              u"FreeCommander.exe, doublecmd.exe",
              u"Listary.exe",
              u"Photoshop.exe",
              u"firefox.exe",
              u"FSViewer.exe      // FastStone Image Viewer",
              u"FSCapture.exe    // FastStone Capture",
              u"Snipaste.exe",
              u"FoxitPDFEditor.exe",
              u"EverEdit.exe",
              u"sublime_text.exe"};
    case IgnoreList::WindowClass1:
      return {u"XLMAIN                 // MS-Excel",
              u"PPTFrameClass     // MS-PPT",
              u"TTOTAL_CMD       // TotalCommander",
              u"dopus.lister           // Directory Opus",
              u"ExplorerFrame      // xplorer2 ",
              u"IrfanView",
              u"classFoxitPhantom             // 福昕PDF工具",
              u"SUMATRA_PDF_FRAME     // SumatraPDF",
              u"EmEditorMainFrame3         // 文本编辑器 EmEditor"};
    case IgnoreList::AppName2:
      return {u""};
    case IgnoreList::WindowClass2:
    case IgnoreList::kCount:
      break;
  }
  return {};
}

AppSettings::AppSettings(core::CalendarDate today) { ResetToDefaults(today); }

void AppSettings::ResetToDefaults(core::CalendarDate today) {
  values_.assign(kDefinitions.size(), Value{});
  for (const SettingDefinition& def : kDefinitions) {
    Value& v = values_[index(def.id)];
    v.number = def.defaultNumber;
    v.text.assign(def.defaultText);
    v.date = DefaultDate(def, today);
  }
  ignoreLists_.clear();
  for (const IgnoreListDefinition& list : kIgnoreLists)
    ignoreLists_.push_back(DefaultIgnoreListLines(list.id));
}

bool AppSettings::SetBool(Setting id, bool value) {
  const SettingDefinition& def = DefinitionOf(id);
  if (def.type != SettingType::Bool) return false;
  if (def.radioGroup != 0) {
    if (!value) return false;  // a radio group is changed by checking another member
    SetRadioMember(id, true);
    return true;
  }
  values_[index(id)].number = value ? 1 : 0;
  return true;
}

bool AppSettings::SetInt(Setting id, long long value) {
  const SettingDefinition& def = DefinitionOf(id);
  if (def.type != SettingType::Int && def.type != SettingType::Shortcut) return false;
  if (value < def.minimum || value > def.maximum) {
    if (!def.clampToRange) return false;
    value = value < def.minimum ? def.minimum : def.maximum;
  }
  values_[index(id)].number = value;
  return true;
}

bool AppSettings::SetText(Setting id, std::u16string_view value) {
  const SettingDefinition& def = DefinitionOf(id);
  if (def.type != SettingType::Text && def.type != SettingType::WindowPos) return false;
  std::u16string& text = values_[index(id)].text;
  text.clear();
  for (char16_t c : value)
    if (c != u'\r' && c != u'\n') text += c;
  return true;
}

bool AppSettings::SetDate(Setting id, core::CalendarDate value) {
  if (DefinitionOf(id).type != SettingType::Date || !core::IsValidDate(value)) return false;
  values_[index(id)].date = value;
  return true;
}

void AppSettings::SetRadioMember(Setting id, bool value) {
  const int group = DefinitionOf(id).radioGroup;
  if (value)
    for (const SettingDefinition& def : kDefinitions)
      if (def.radioGroup == group) values_[index(def.id)].number = 0;
  values_[index(id)].number = value ? 1 : 0;
}

void AppSettings::ResetToDefault(Setting id, core::CalendarDate today) {
  const SettingDefinition& def = DefinitionOf(id);
  if (def.radioGroup != 0) {
    SetRadioMember(id, def.defaultNumber != 0);
    return;
  }
  Value& v = values_[index(id)];
  v.number = def.defaultNumber;
  v.text.assign(def.defaultText);
  v.date = DefaultDate(def, today);
}

void AppSettings::SetLoadedBool(Setting id, bool value) {
  if (DefinitionOf(id).type != SettingType::Bool) return;
  if (DefinitionOf(id).radioGroup != 0)
    SetRadioMember(id, value);
  else
    values_[index(id)].number = value ? 1 : 0;
}

void AppSettings::EnsureRadioChoices() {
  for (const SettingDefinition& member : kDefinitions) {
    if (member.radioGroup == 0) continue;
    const SettingDefinition* fallback = nullptr;
    bool checked = false;
    for (const SettingDefinition& def : kDefinitions) {
      if (def.radioGroup != member.radioGroup) continue;
      checked = checked || Bool(def.id);
      if (def.defaultNumber != 0) fallback = &def;
    }
    if (!checked && fallback) values_[index(fallback->id)].number = 1;
  }
}

}  // namespace pathorama::settings
