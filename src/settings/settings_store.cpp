#include "settings/settings_store.h"

#include "core/diagnostics.h"
#include "core/encoding.h"
#include "core/text.h"

namespace pathorama::settings {

namespace {

constexpr std::u16string_view kUtf8Bom = u"\uFEFF";

std::u16string ExecutableFolder(std::u16string_view executablePath) {
  size_t slash = executablePath.find_last_of(u"\\/");
  if (slash == std::u16string_view::npos) return u"";
  return std::u16string(executablePath.substr(0, slash + 1));
}

}  // namespace

IgnoreOptions::IgnoreOptions(std::initializer_list<Setting> settings) {
  for (Setting id : settings) Add(id);
}

IgnoreOptions& IgnoreOptions::Add(Setting id) {
  const SettingDefinition& added = DefinitionOf(id);
  settings_.set(static_cast<size_t>(id));
  if (!added.group.empty())
    for (const SettingDefinition& def : SettingDefinitions())
      if (def.group == added.group) settings_.set(static_cast<size_t>(def.id));
  return *this;
}

IgnoreOptions& IgnoreOptions::Add(IgnoreList id) {
  const std::u16string_view group = IgnoreListDefinitions()[static_cast<size_t>(id)].group;
  for (const IgnoreListDefinition& list : IgnoreListDefinitions())
    if (list.group == group) lists_.set(static_cast<size_t>(list.id));
  return *this;
}

std::u16string IgnoreListFilePath(std::u16string_view executablePath, IgnoreList id) {
  return ExecutableFolder(executablePath) +
         std::u16string(IgnoreListDefinitions()[static_cast<size_t>(id)].fileName);
}

std::vector<std::u16string> IgnoreListLinesFromBytes(std::string_view bytes,
                                                     unsigned ansiCodePage) {
  // DecodeText drops the byte-order mark of every encoding.
  const std::u16string text =
      core::DecodeText(bytes, core::DetectTextEncoding(bytes), ansiCodePage);
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

void SettingsStore::LoadAppSetting(LoadRange range, const IgnoreOptions& ignore) {
  switch (range) {
    case LoadRange::All:
      LoadBlock(SettingBlock::SetJumpList, ignore);
      LoadMainForm(ignore);
      LoadOption(ignore);
      break;
    case LoadRange::MainForm:
      LoadMainForm(ignore);
      break;
    case LoadRange::Option:
      LoadOption(ignore);
      break;
    case LoadRange::FolderManager:
      LoadBlock(SettingBlock::FolderManager, ignore);
      EnforceCapsLockExclusion();
      break;
    case LoadRange::SetJumpList:
      LoadBlock(SettingBlock::SetJumpList, ignore);
      break;
  }
}

bool SettingsStore::SaveAppSetting(SaveRange range, const IgnoreOptions& ignore) {
  switch (range) {
    case SaveRange::All:
      SaveMainForm(true, ignore);
      SaveOption(ignore);
      SaveSection(SettingBlock::SetJumpList, ignore);
      break;
    case SaveRange::MainForm:
      SaveMainForm(false, ignore);
      break;
    case SaveRange::Option:
      SaveOption(ignore);
      break;
    case SaveRange::SetJumpList:
      SaveSection(SettingBlock::SetJumpList, ignore);
      break;
  }
  return host_.files.WriteIniFile(ini_);
}

void SettingsStore::ApplyAppSetting(ApplyMode mode, ApplyEffects& effects) {
  const core::CalendarDate today = host_.facts.Today();
  if (mode == ApplyMode::Accepted) {
    effects.ApplyRegistry(RegistryOperationsFor(settings_, host_.facts.ExecutablePath()));
    effects.SetVariableOptions(VariableOptionsFromSettings(settings_, today));
    effects.SetFunctionItemsVisible(FunctionItemVisibilityFrom(settings_));
    effects.SetCaptionMaxLength(CaptionMaxLengthFrom(settings_));
    effects.RegisterHotKeys(HotKeyShortcutsFrom(settings_));
  } else {
    effects.RegisterHotKeys(HotKeyShortcutsFrom(settings_));
    effects.SetVariableOptions(VariableOptionsFromSettings(settings_, today));
  }
  SaveAppSetting(SaveRange::Option);
  effects.RefreshFunctionItemIcons();
}

bool SettingsStore::SelectFolderManager(int index) {
  if (!settings_.SetInt(Setting::ChosenFolderManager, index)) return false;
  LoadBlock(SettingBlock::FolderManager, IgnoreOptions{Setting::ChosenFolderManager});
  EnforceCapsLockExclusion();
  return true;
}

SettingsStore::ReadResult SettingsStore::ReadKey(const SettingDefinition& def,
                                                 const IgnoreOptions& ignore) {
  if (ignore.Skips(def.id)) return ReadResult::Skipped;
  // Read only at first activation, by the main window's placement.
  if (def.type == SettingType::WindowPos || def.id == Setting::Version) return ReadResult::Skipped;

  const int manager = settings_.FolderManagerIndex();
  std::optional<std::u16string> raw = ini_.Read(def.section, StoredKeyName(def, manager));
  if (!raw) {
    settings_.ResetToDefault(def.id, host_.facts.Today());
    return ReadResult::Done;
  }

  switch (def.type) {
    case SettingType::Bool: {
      std::optional<long long> n = core::ParseInt(*raw);
      if (!n) return ReadResult::Bad;
      settings_.SetLoadedBool(def.id, *n != 0);
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
      std::optional<core::CalendarDate> date = ParseSettingDate(*raw);
      if (!date) return ReadResult::Bad;
      settings_.SetDate(def.id, *date);
      break;
    }
    case SettingType::WindowPos:
      break;
  }
  return ReadResult::Done;
}

void SettingsStore::LoadBlock(SettingBlock block, const IgnoreOptions& ignore) {
  for (const SettingDefinition& def : SettingDefinitions()) {
    if (def.block != block) continue;
    const ReadResult result = ReadKey(def, ignore);
    if (result == ReadResult::Bad) break;
    if (result != ReadResult::Done) continue;
    if (def.id == Setting::MainWindowAt && settings_.Int(Setting::MainWindowAt) == 1)
      host_.window.CheckHideOffScreenMenuItem();
    if (def.id == Setting::AsFirstWeek) {
      // Week 1 is always counted in the current year.
      settings_.SetDate(Setting::AsFirstWeek, core::MoveToYear(settings_.Date(Setting::AsFirstWeek),
                                                               host_.facts.Today().year));
    }
  }
  // A file that switched off every member of a radio group gets its default.
  settings_.EnsureRadioChoices();
}

void SettingsStore::LoadMainForm(const IgnoreOptions& ignore) {
  LoadBlock(SettingBlock::Main, ignore);
  host_.window.CreatePathListFromIni(ini_);
}

void SettingsStore::LoadIgnoreLists(const IgnoreOptions& ignore) {
  const std::u16string exe = host_.facts.ExecutablePath();
  for (const IgnoreListDefinition& list : IgnoreListDefinitions()) {
    if (ignore.Skips(list.id)) continue;
    const size_t at = static_cast<size_t>(list.id);
    core::FileBytes file = host_.files.ReadFileBytes(IgnoreListFilePath(exe, list.id));
    if (file.status == core::FileStatus::kOk) {
      settings_.SetIgnoreListLines(
          list.id, IgnoreListLinesFromBytes(file.bytes, host_.facts.AnsiCodePage()));
      linesOfUnreadLists_[at].reset();
    } else if (file.status == core::FileStatus::kNotFound) {
      // The built-in lines until a file has been read; the first save writes it.
      linesOfUnreadLists_[at].reset();
    } else {
      // Locked, too large, no access: the file still holds the user's list.
      linesOfUnreadLists_[at] = settings_.IgnoreListLines(list.id);
      core::Trace(u"ignore list not read: " + IgnoreListFilePath(exe, list.id) + u": " +
                  core::FileStatusText(file.status) + u"; it will not be written over");
    }
  }
}

void SettingsStore::LoadOption(const IgnoreOptions& ignore) {
  LoadBlock(SettingBlock::General, ignore);
  LoadBlock(SettingBlock::FolderManager, {});
  LoadBlock(SettingBlock::CapsLock, ignore);
  EnforceCapsLockExclusion();
  LoadIgnoreLists(ignore);
  LoadBlock(SettingBlock::DateAndRandom, ignore);
  LoadBlock(SettingBlock::FunctionItems, ignore);
}

void SettingsStore::EnforceCapsLockExclusion() {
  // Both options are bound to CapsLock; the direct jump list wins.
  if (settings_.Bool(Setting::DirectJumpListWhenCapsLock))
    settings_.SetBool(Setting::UseAnotherOpenMethodWhenCapsLock, false);
}

void SettingsStore::WriteKey(const SettingDefinition& def, const IgnoreOptions& ignore) {
  if (ignore.Skips(def.id)) return;
  std::u16string text;
  if (def.type == SettingType::WindowPos) {
    std::optional<std::pair<int, int>> pos = host_.window.MainWindowPosition();
    if (!pos) return;
    text = core::IntToText(pos->first) + u"," + core::IntToText(pos->second);
  } else {
    text = SettingValueText(settings_, def, host_.facts.Today());
  }
  ini_.Write(def.section, StoredKeyName(def, settings_.FolderManagerIndex()), text);
}

void SettingsStore::SaveSection(SettingBlock block, const IgnoreOptions& ignore) {
  for (const SettingDefinition& def : SettingDefinitions())
    if (def.block == block) WriteKey(def, ignore);
}

void SettingsStore::SaveOption(const IgnoreOptions& ignore) {
  // Table order within the section: the general keys, then the folder manager's.
  for (const SettingDefinition& def : SettingDefinitions())
    if (def.section == u"Option" && def.block != SettingBlock::FolderManager) WriteKey(def, ignore);
  SaveSection(SettingBlock::FolderManager, ignore);
  SaveIgnoreLists(ignore);
}

void SettingsStore::SaveIgnoreLists(const IgnoreOptions& ignore) {
  const std::u16string exe = host_.facts.ExecutablePath();
  for (const IgnoreListDefinition& list : IgnoreListDefinitions()) {
    if (ignore.Skips(list.id)) continue;
    const size_t at = static_cast<size_t>(list.id);
    const std::u16string path = IgnoreListFilePath(exe, list.id);
    const std::vector<std::u16string>& lines = settings_.IgnoreListLines(list.id);
    if (linesOfUnreadLists_[at] && *linesOfUnreadLists_[at] == lines) {
      core::Trace(u"ignore list not saved: " + path +
                  u": it could not be read and holds the user's list, not these lines");
      continue;
    }
    core::FileStatus status = host_.files.WriteFileBytes(path, IgnoreListBytesFromLines(lines));
    if (status == core::FileStatus::kOk)
      linesOfUnreadLists_[at].reset();
    else
      core::Trace(u"ignore list not saved: " + path + u": " + core::FileStatusText(status));
  }
}

void SettingsStore::SaveMainForm(bool withUseGlobalHotKey, const IgnoreOptions& ignore) {
  const SettingDefinition& version = DefinitionOf(Setting::Version);
  if (!ignore.Skips(Setting::Version))
    ini_.Write(version.section, version.key, host_.facts.AppVersion());
  if (withUseGlobalHotKey) WriteKey(DefinitionOf(Setting::UseGlobalHotKey), ignore);
  host_.files.ClearIniFileAttributes();
  host_.window.SavePathListFromMenuToIni(ini_);
}

}  // namespace pathorama::settings
