#include "app/win32/app_session.h"

#include <windows.h>

#include "app/startup.h"
#include "app/win32/main_window.h"
#include "core/diagnostics.h"
#include "core/encoding.h"
#include "core/file_io.h"
#include "editor/tree_conversions.h"
#include "settings/win32/registry_effects.h"

namespace pathorama::app::win32 {

namespace {

core::CalendarDate LocalToday() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return {now.wYear, now.wMonth, now.wDay};
}

settings::LocalTimestamp LocalNow() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return {{now.wYear, now.wMonth, now.wDay}, now.wHour, now.wMinute, now.wSecond};
}

}  // namespace

AppSession::AppSession(MainWindow& window, std::u16string exePath)
    : window_(window),
      exePath_(std::move(exePath)),
      iniFilePath_(IniPathForExecutable(exePath_)),
      settings_(LocalToday()),
      store_(ini_, settings_, {*this, *this, *this}) {}

void AppSession::OpenIniFile() {
  const unsigned codePage = AnsiCodePage();
  settings::OpenedSettingsFile opened = settings::OpenSettingsFile(iniFilePath_, codePage);
  iniState_ = opened.state;
  iniReadStatus_ = opened.status;
  switch (opened.state) {
    case settings::SettingsFileState::Missing:
      break;
    case settings::SettingsFileState::Readable:
      ini_ = std::move(opened.document);
      if (opened.encoding != core::TextEncoding::Utf8) {
        // A file in the code page or UTF-16 becomes UTF-8 with byte-order
        // mark, so its non-ASCII captions survive. One that cannot be
        // rewritten (read-only medium) has been read in its own encoding.
        core::IniConversion conversion = core::ConvertIniFileToUtf8(iniFilePath_, codePage);
        if (conversion.status != core::FileStatus::kOk)
          core::Trace(u"settings file not converted to UTF-8: " + iniFilePath_ + u": " +
                      core::FileStatusText(conversion.status));
      }
      break;
    case settings::SettingsFileState::Unreadable:
      // It still holds the user's settings and jump list: this run works
      // with the defaults and never writes over it.
      core::Trace(u"settings file could not be read: " + iniFilePath_ + u": " +
                  core::FileStatusText(opened.status) +
                  u"; working with the defaults, the file will not be written");
      break;
    case settings::SettingsFileState::Unrecognised:
      core::Trace(u"settings file holds none of the program's sections: " + iniFilePath_ +
                  u" (read as " + core::TextEncodingName(opened.encoding) +
                  u"); working with the defaults, the file is kept aside before the first save");
      break;
  }
}

void AppSession::LoadAll() {
  store_.LoadAppSetting(settings::LoadRange::All);
  // Before the apply step, which registers the hotkeys only while checked.
  window_.SetUseGlobalHotKeyChecked(settings_.Bool(settings::Setting::UseGlobalHotKey));
  // A window parked above the screen must not dock: auto-hide goes off
  // before the apply step saves the options, so the file says so too.
  if (window_.ParkedAtStart()) settings_.SetBool(settings::Setting::AutoHideAtScreenEdge, false);
  store_.ApplyAppSetting(settings::ApplyMode::Accepted, *this);
  loaded_ = true;
}

void AppSession::SaveAll() {
  if (!loaded_) return;
  settings_.SetBool(settings::Setting::UseGlobalHotKey, window_.UseGlobalHotKeyChecked());
  store_.SaveAppSetting(settings::SaveRange::All);
}

bool AppSession::SaveJumpList() {
  ClearIniFileAttributes();
  jumpList_.SavePathListFromMenuToIni(ini_);
  return WriteIniFile(ini_);
}

bool AppSession::SaveJumpListTree(const editor::JumpTree& tree) {
  return editor::SaveTreeToIniFile(tree, ini_, *this);
}

bool AppSession::SelectFolderManager(int index) { return store_.SelectFolderManager(index); }

std::array<uint16_t, kHotKeySlotCount> AppSession::HotKeyShortcuts() const {
  settings::HotKeyShortcuts s = HotKeyShortcutsFrom(settings_);
  return {s.jumpMenu1, s.jumpMenu2, s.openSaveDialog, s.captureOfficeFolderPath};
}

core::CalendarDate AppSession::Today() const { return LocalToday(); }

std::u16string AppSession::AppVersion() const {
  return const_cast<MainWindow&>(window_).State().appVersion;
}

unsigned AppSession::AnsiCodePage() const { return core::SystemAnsiCodePage(); }

void AppSession::CreatePathListFromIni(core::IniDocument& ini) {
  jumplist::JumpList::LoadOptions options;
  options.captionMaxLength = window_.State().captionMaxLength;
  options.hideDisabledItems = settings_.Bool(settings::Setting::HideDisabledItems);
  // A legacy "DirMenu" section moved to "PathMenu" is written by the next
  // save, which at start-up is the apply step's right after the load.
  jumpList_.CreatePathListFromIni(ini, options);
}

void AppSession::SavePathListFromMenuToIni(core::IniDocument& ini) {
  jumpList_.SavePathListFromMenuToIni(ini);
}

std::optional<std::pair<int, int>> AppSession::MainWindowPosition() const {
  return window_.Position();
}

void AppSession::CheckHideOffScreenMenuItem() { window_.CheckHideOffScreenMenuItem(); }

void AppSession::ClearIniFileAttributes() {
  // Only a file this run writes over: an unreadable or unrecognised one is
  // left exactly as it is. A failure shows in the save that follows.
  if (iniState_ == settings::SettingsFileState::Unreadable ||
      iniState_ == settings::SettingsFileState::Unrecognised)
    return;
  core::ClearReadOnly(iniFilePath_);
}

bool AppSession::WriteIniFile(const core::IniDocument& ini) {
  using settings::SettingsFileState;
  if (iniState_ == SettingsFileState::Unreadable) {
    core::Trace(u"settings not saved: " + iniFilePath_ +
                u": the file could not be read at start (" + core::FileStatusText(iniReadStatus_) +
                u") and is not written over");
    return false;
  }
  if (iniState_ == SettingsFileState::Unrecognised) {
    settings::KeptAside kept = settings::KeepSettingsFileAside(iniFilePath_, LocalNow());
    if (kept.status == core::FileStatus::kOk) {
      core::Trace(u"settings file kept aside as " + kept.path +
                  u": it held none of the program's sections; a new one is written");
    } else if (kept.status != core::FileStatus::kNotFound) {  // not gone since the start
      core::Trace(u"settings not saved: " + iniFilePath_ +
                  u": it holds none of the program's sections and could not be kept aside (" +
                  core::FileStatusText(kept.status) + u")");
      return false;
    }
    iniState_ = SettingsFileState::Readable;
  }
  // A failed save (locked, read-only medium) leaves the document in memory;
  // the next save tries again.
  core::FileStatus status = core::SaveIniDocument(iniFilePath_, ini);
  if (status != core::FileStatus::kOk) {
    core::Trace(u"settings not saved: " + iniFilePath_ + u": " + core::FileStatusText(status));
    return false;
  }
  return true;
}

core::FileBytes AppSession::ReadFileBytes(const std::u16string& path) {
  return core::ReadFileBytes(path);
}

core::FileStatus AppSession::WriteFileBytes(const std::u16string& path, std::string_view bytes) {
  return core::SaveFileSafely(path, bytes);
}

void AppSession::ApplyRegistry(const std::vector<settings::RegistryOperation>& operations) {
  if (!settings::win32::ExecuteRegistryOperations(operations))
    core::Trace(u"registry: the Run value or the Explorer verbs could not all be written");
}

void AppSession::SetVariableOptions(const variables::VariableOptions& options) {
  variableOptions_ = options;
}

void AppSession::SetFunctionItemsVisible(const settings::FunctionItemVisibility& visible) {
  // Read when the jump-list menu is built.
  functionItemsVisible_ = visible;
}

void AppSession::SetCaptionMaxLength(int32_t maxLength) {
  window_.State().captionMaxLength = maxLength;
}

void AppSession::RegisterHotKeys(const settings::HotKeyShortcuts& s) {
  window_.RegisterHotKeys({s.jumpMenu1, s.jumpMenu2, s.openSaveDialog, s.captureOfficeFolderPath});
}

void AppSession::RefreshFunctionItemIcons() {
  // The function items get their icons when the jump-list menu is built;
  // the session holds no menu to refresh.
}

}  // namespace pathorama::app::win32
