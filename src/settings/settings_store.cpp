#include "settings/settings_store.h"

#include "core/text.h"

namespace pathorama::settings {

namespace {

constexpr std::u16string_view kUtf8Bom = u"\uFEFF";

std::u16string ExecutableFolder(std::u16string_view executablePath) {
  size_t slash = executablePath.find_last_of(u"\\/");
  if (slash == std::u16string_view::npos) return u"";
  return std::u16string(executablePath.substr(0, slash + 1));
}

core::CalendarDate DefaultDate(const SettingDefinition& def, core::CalendarDate today) {
  if (def.defaultDate == DateDefault::StartOfYear) return {today.year, 1, 1};
  return today;
}

}  // namespace

bool IsGroupIgnored(std::u16string_view ignoreOptions, std::u16string_view group) {
  if (group.empty()) return false;
  std::u16string list = u"," + core::ToLower(ignoreOptions) + u",";
  std::u16string needle = u"," + core::ToLower(group) + u",";
  return list.find(needle) != std::u16string::npos;
}

std::u16string IgnoreListFilePath(std::u16string_view executablePath, IgnoreList id) {
  return ExecutableFolder(executablePath) +
         std::u16string(IgnoreListDefinitions()[static_cast<size_t>(id)].fileName);
}

std::vector<std::u16string> IgnoreListLinesFromBytes(std::string_view bytes) {
  std::u16string text = core::Utf8ToUtf16(bytes);
  if (text.starts_with(kUtf8Bom)) text.erase(0, 1);
  std::vector<std::u16string> lines;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find_first_of(u"\r\n", pos);
    if (end == std::u16string::npos) {
      lines.push_back(text.substr(pos));
      break;
    }
    lines.push_back(text.substr(pos, end - pos));
    pos = end + 1;
    if (text[end] == u'\r' && pos < text.size() && text[pos] == u'\n') ++pos;
  }
  return lines;
}

std::string IgnoreListBytesFromLines(const std::vector<std::u16string>& lines) {
  std::u16string text(kUtf8Bom);
  for (const std::u16string& line : lines) text += line + u"\r\n";
  return core::Utf16ToUtf8(text);
}

std::u16string SettingValueText(const AppSettings& settings, const SettingDefinition& def,
                                core::CalendarDate today) {
  switch (def.type) {
    case SettingType::Bool:
      return settings.Bool(def.id) ? u"1" : u"0";
    case SettingType::Int:
    case SettingType::Shortcut:
      return core::IntToText(settings.Int(def.id));
    case SettingType::Text:
      if (def.saveTrim == TextSaveTrim::SpacesAndBackslashes)
        return core::TrimChars(settings.Text(def.id), u" \\");
      if (def.saveTrim == TextSaveTrim::WhiteSpace)
        return core::TrimChars(settings.Text(def.id), u" \t\v\f");
      return settings.Text(def.id);
    case SettingType::Date: {
      core::CalendarDate date = settings.Date(def.id);
      if (def.id == Setting::AsFirstWeek && date.year != today.year) date = core::MoveToYear(date, today.year);
      return FormatSettingDate(date);
    }
    case SettingType::WindowPos:
      break;
  }
  return u"";
}

bool SettingsStore::LoadAndUseAppSetting(std::u16string_view loadRange,
                                         std::u16string_view ignoreOptions) {
  if (core::EqualsIgnoreCase(loadRange, u"All")) {
    LoadBlock(SettingBlock::SetJumpList, ignoreOptions);
    LoadMainForm(ignoreOptions);
    LoadOption(ignoreOptions);
  } else if (core::EqualsIgnoreCase(loadRange, u"MainForm")) {
    LoadMainForm(ignoreOptions);
  } else if (core::EqualsIgnoreCase(loadRange, u"Option")) {
    LoadOption(ignoreOptions);
  } else if (core::EqualsIgnoreCase(loadRange, u"FolderManager")) {
    LoadFolderManager(ignoreOptions);
    EnforceCapsLockExclusion();
  } else if (core::EqualsIgnoreCase(loadRange, u"SetJumpList")) {
    LoadBlock(SettingBlock::SetJumpList, ignoreOptions);
  } else {
    return false;
  }
  return true;
}

bool SettingsStore::SaveAppSetting(std::u16string_view saveRange,
                                   std::u16string_view ignoreOptions) {
  if (core::EqualsIgnoreCase(saveRange, u"All")) {
    SaveMainForm(true, ignoreOptions);
    SaveOption(ignoreOptions);
    SaveSection(SettingBlock::SetJumpList, ignoreOptions);
  } else if (core::EqualsIgnoreCase(saveRange, u"MainForm")) {
    SaveMainForm(false, ignoreOptions);
  } else if (core::EqualsIgnoreCase(saveRange, u"Option")) {
    SaveOption(ignoreOptions);
  } else if (core::EqualsIgnoreCase(saveRange, u"SetJumpList")) {
    SaveSection(SettingBlock::SetJumpList, ignoreOptions);
  } else {
    return false;
  }
  return host_.WriteIniFile(ini_);
}

void SettingsStore::ApplyAppSetting(ApplyMode mode) {
  const core::CalendarDate today = host_.Today();
  if (mode == ApplyMode::Accepted) {
    host_.ApplyRegistry(RegistryOperationsFor(settings_, host_.ExecutablePath()));
    host_.SetVariableOptions(VariableOptionsFromSettings(settings_, today));
    host_.SetFunctionItemsVisible(FunctionItemVisibilityFrom(settings_));
    host_.SetCaptionMaxLength(CaptionMaxLengthFrom(settings_));
    host_.RegisterHotKeys(HotKeyShortcutsFrom(settings_));
  } else {
    host_.RegisterHotKeys(HotKeyShortcutsFrom(settings_));
    host_.SetVariableOptions(VariableOptionsFromSettings(settings_, today));
  }
  SaveAppSetting(u"Option", u"");
  host_.RefreshFunctionItemIcons();
}

bool SettingsStore::SelectFolderManager(int index) {
  if (!settings_.SetInt(Setting::FolderManagerName, index)) return false;
  LoadFolderManager(u"FolderManagerName");
  EnforceCapsLockExclusion();
  return true;
}

SettingsStore::ReadResult SettingsStore::ReadKey(const SettingDefinition& def,
                                                 std::u16string_view ignoreOptions) {
  const int manager = settings_.FolderManagerIndex();
  if (IsGroupIgnored(ignoreOptions, GroupName(def, manager))) return ReadResult::Skipped;
  // Read only at first activation, by the main window's placement.
  if (def.type == SettingType::WindowPos || def.id == Setting::Ver) return ReadResult::Skipped;

  AppSettings::Value& value = settings_.values_[static_cast<size_t>(def.id)];
  std::optional<std::u16string> raw = ini_.Read(def.section, StoredKeyName(def, manager));
  if (!raw) {
    if (def.radioGroup != 0)
      settings_.SetRadioMember(def.id, def.defaultNumber != 0);
    else if (def.type == SettingType::Date)
      value.date = DefaultDate(def, host_.Today());
    else if (def.type == SettingType::Text)
      value.text.assign(def.defaultText);
    else
      value.number = def.defaultNumber;
    return ReadResult::Done;
  }

  switch (def.type) {
    case SettingType::Bool: {
      std::optional<long long> n = core::ParseInt(*raw);
      if (!n) return ReadResult::Bad;
      if (def.radioGroup != 0)
        settings_.SetRadioMember(def.id, *n != 0);
      else
        value.number = *n != 0;
      break;
    }
    case SettingType::Int:
    case SettingType::Shortcut: {
      std::optional<long long> n = core::ParseInt(*raw);
      if (!n) return ReadResult::Bad;
      settings_.SetInt(def.id, *n);  // outside its range: clamped or left as it was
      break;
    }
    case SettingType::Text:
      settings_.SetText(def.id, *raw);
      break;
    case SettingType::Date: {
      core::CalendarDate date;
      if (!ParseSettingDate(*raw, date)) return ReadResult::Bad;
      value.date = date;
      break;
    }
    case SettingType::WindowPos:
      break;
  }
  return ReadResult::Done;
}

void SettingsStore::LoadBlock(SettingBlock block, std::u16string_view ignoreOptions) {
  for (const SettingDefinition& def : SettingDefinitions()) {
    if (def.block != block) continue;
    const ReadResult result = ReadKey(def, ignoreOptions);
    if (result == ReadResult::Bad) break;
    if (result != ReadResult::Done) continue;
    if (def.id == Setting::MainWindowAt && settings_.Int(Setting::MainWindowAt) == 1)
      host_.CheckHideOffScreenMenuItem();
    if (def.id == Setting::AsFirstWeek) {
      // Week 1 is always counted in the current year.
      settings_.values_[static_cast<size_t>(def.id)].date =
          core::MoveToYear(settings_.Date(Setting::AsFirstWeek), host_.Today().year);
    }
  }
  // A file that switched off every member of a radio group gets its default.
  for (const SettingDefinition& def : SettingDefinitions())
    if (def.block == block && def.radioGroup != 0) settings_.EnsureRadioChoice(def.radioGroup);
}

void SettingsStore::LoadMainForm(std::u16string_view ignoreOptions) {
  LoadBlock(SettingBlock::Main, ignoreOptions);
  host_.CreatePathListFromIni(ini_);
}

void SettingsStore::LoadFolderManager(std::u16string_view ignoreOptions) {
  LoadBlock(SettingBlock::FolderManager, ignoreOptions);
}

void SettingsStore::LoadIgnoreLists(std::u16string_view ignoreOptions) {
  const std::u16string exe = host_.ExecutablePath();
  for (const IgnoreListDefinition& list : IgnoreListDefinitions()) {
    if (IsGroupIgnored(ignoreOptions, list.group)) continue;
    // A missing or unreadable file leaves the list as it is (the built-in
    // lines until a file has been read).
    if (std::optional<std::string> bytes = host_.ReadFileBytes(IgnoreListFilePath(exe, list.id)))
      settings_.SetIgnoreListLines(list.id, IgnoreListLinesFromBytes(*bytes));
  }
}

void SettingsStore::LoadOption(std::u16string_view ignoreOptions) {
  LoadBlock(SettingBlock::General, ignoreOptions);
  LoadFolderManager(u"");
  LoadBlock(SettingBlock::CapsLock, ignoreOptions);
  EnforceCapsLockExclusion();
  LoadIgnoreLists(ignoreOptions);
  LoadBlock(SettingBlock::DateAndRandom, ignoreOptions);
  LoadBlock(SettingBlock::FunctionItems, ignoreOptions);
  ApplyAppSetting(ApplyMode::Accepted);
}

void SettingsStore::EnforceCapsLockExclusion() {
  // Both options are bound to CapsLock; the direct jump list wins.
  if (settings_.Bool(Setting::DirectJumpListWhenCapsLock))
    settings_.values_[static_cast<size_t>(Setting::UseAnotherOpenMethodWhenCapsLock)].number = 0;
}

void SettingsStore::WriteKey(const SettingDefinition& def, std::u16string_view ignoreOptions) {
  const int manager = settings_.FolderManagerIndex();
  if (IsGroupIgnored(ignoreOptions, GroupName(def, manager))) return;
  std::u16string text;
  if (def.type == SettingType::WindowPos) {
    std::optional<std::pair<int, int>> pos = host_.MainWindowPosition();
    if (!pos) return;
    text = core::IntToText(pos->first) + u"," + core::IntToText(pos->second);
  } else {
    text = SettingValueText(settings_, def, host_.Today());
  }
  ini_.Write(def.section, StoredKeyName(def, manager), text);
}

void SettingsStore::SaveSection(SettingBlock block, std::u16string_view ignoreOptions) {
  for (const SettingDefinition& def : SettingDefinitions())
    if (def.block == block) WriteKey(def, ignoreOptions);
}

void SettingsStore::SaveOption(std::u16string_view ignoreOptions) {
  // Table order within the section: the general keys, then the folder manager's.
  for (const SettingDefinition& def : SettingDefinitions())
    if (def.section == u"Option" && def.block != SettingBlock::FolderManager)
      WriteKey(def, ignoreOptions);
  SaveSection(SettingBlock::FolderManager, ignoreOptions);

  const std::u16string exe = host_.ExecutablePath();
  for (const IgnoreListDefinition& list : IgnoreListDefinitions()) {
    if (IsGroupIgnored(ignoreOptions, list.group)) continue;
    host_.WriteFileBytes(IgnoreListFilePath(exe, list.id),
                         IgnoreListBytesFromLines(settings_.IgnoreListLines(list.id)));
  }
}

void SettingsStore::SaveMainForm(bool withUseGlobalHotKey, std::u16string_view ignoreOptions) {
  const SettingDefinition& ver = DefinitionOf(Setting::Ver);
  if (!IsGroupIgnored(ignoreOptions, ver.key)) ini_.Write(ver.section, ver.key, host_.AppVersion());
  if (withUseGlobalHotKey) WriteKey(DefinitionOf(Setting::UseGlobalHotKey), ignoreOptions);
  host_.ClearIniFileAttributes();
  host_.SavePathListFromMenuToIni(ini_);
}

}  // namespace pathorama::settings
