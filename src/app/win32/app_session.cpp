#include "app/win32/app_session.h"

#include <windows.h>

#include "app/startup.h"
#include "app/win32/main_window.h"
#include "core/encoding.h"
#include "core/file_io.h"
#include "settings/win32/registry_effects.h"

namespace pathorama::app::win32 {

namespace {

core::CalendarDate LocalToday() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return {now.wYear, now.wMonth, now.wDay};
}

}  // namespace

AppSession::AppSession(MainWindow& window, std::u16string exePath)
    : window_(window),
      exePath_(std::move(exePath)),
      iniFilePath_(IniPathForExecutable(exePath_)),
      settings_(LocalToday()),
      store_(ini_, settings_, *this) {}

void AppSession::OpenIniFile() {
  const unsigned codePage = core::SystemAnsiCodePage();
  // Before anything reads it: a file in the code page or UTF-16 becomes
  // UTF-8 with byte-order mark, so its non-ASCII captions survive.
  core::ConvertIniFileToUtf8(iniFilePath_, codePage);
  // A file that could not be rewritten (read-only medium) is still read in
  // its own encoding.
  core::LoadedIni loaded = core::LoadIniDocument(iniFilePath_, codePage);
  core::FileStatus status = loaded.status;
  if (status == core::FileStatus::kOk) ini_ = std::move(loaded.document);
  // A file that exists but could not be read (locked, too large, no access)
  // still holds the user's settings and jump list: this run works with the
  // defaults and never writes over it.
  iniUnreadable_ = status != core::FileStatus::kOk && status != core::FileStatus::kNotFound;
}

void AppSession::LoadAll() {
  store_.LoadAndUseAppSetting(u"All", u"");
  window_.SetUseGlobalHotKeyChecked(settings_.Bool(settings::Setting::UseGlobalHotKey));
  loaded_ = true;
}

void AppSession::SaveAll() {
  if (!loaded_) return;
  settings_.SetBool(settings::Setting::UseGlobalHotKey, window_.UseGlobalHotKeyChecked());
  store_.SaveAppSetting(u"All", u"");
}

std::array<uint16_t, kHotKeySlotCount> AppSession::HotKeyShortcuts() const {
  settings::HotKeyShortcuts s = HotKeyShortcutsFrom(settings_);
  return {s.jumpMenu1, s.jumpMenu2, s.openSaveDialog, s.captureOfficeFolderPath};
}

core::CalendarDate AppSession::Today() const { return LocalToday(); }

std::u16string AppSession::AppVersion() const {
  return const_cast<MainWindow&>(window_).State().AppVersion;
}

void AppSession::CreatePathListFromIni(core::IniDocument& ini) {
  jumplist::JumpList::LoadOptions options;
  options.captionMaxLength = window_.State().CaptionMaxLength;
  options.hideItemWhenForbid = settings_.Bool(settings::Setting::HideItemWhenForbid);
  // A legacy "DirMenu" section moved to "PathMenu" is written at once.
  if (jumpList_.CreatePathListFromIni(ini, options) == jumplist::JumpList::LoadResult::kMigrated)
    WriteIniFile(ini);
}

void AppSession::SavePathListFromMenuToIni(core::IniDocument& ini) {
  jumpList_.SavePathListFromMenuToIni(ini);
}

void AppSession::ClearIniFileAttributes() { core::ClearReadOnly(iniFilePath_); }

bool AppSession::WriteIniFile(const core::IniDocument& ini) {
  // A failed save (locked, read-only medium) leaves the document in memory;
  // the next save tries again.
  if (iniUnreadable_) return false;
  return core::SaveIniDocument(iniFilePath_, ini) == core::FileStatus::kOk;
}

std::optional<std::string> AppSession::ReadFileBytes(const std::u16string& path) {
  core::FileBytes file = core::ReadFileBytes(path);
  if (file.status != core::FileStatus::kOk) return std::nullopt;
  return std::move(file.bytes);
}

bool AppSession::WriteFileBytes(const std::u16string& path, std::string_view bytes) {
  return core::SaveFileSafely(path, bytes) == core::FileStatus::kOk;
}

std::optional<std::pair<int, int>> AppSession::MainWindowPosition() const {
  return window_.Position();
}

void AppSession::CheckHideOffScreenMenuItem() { window_.CheckHideOffScreenMenuItem(); }

void AppSession::ApplyRegistry(const std::vector<settings::RegistryOperation>& operations) {
  settings::win32::ExecuteRegistryOperations(operations);
}

void AppSession::SetVariableOptions(const variables::VariableOptions& options) {
  variableOptions_ = options;
}

void AppSession::SetCaptionMaxLength(int32_t maxLength) {
  window_.State().CaptionMaxLength = maxLength;
}

void AppSession::RegisterHotKeys(const settings::HotKeyShortcuts& s) {
  window_.RegisterHotKeys({s.jumpMenu1, s.jumpMenu2, s.openSaveDialog, s.captureOfficeFolderPath});
}

}  // namespace pathorama::app::win32
