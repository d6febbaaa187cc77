#include "settings/settings_file.h"

#include "core/text.h"

namespace pathorama::settings {

namespace {

bool HoldsOnlyBlanks(std::u16string_view text) {
  for (char16_t c : text)
    if (c != u' ' && c != u'\t' && c != u'\r' && c != u'\n' && c != 0xFEFF && c != 0) return false;
  return true;
}

std::u16string Padded(int value, size_t width) {
  std::u16string digits = core::IntToText(value);
  if (digits.size() < width) digits.insert(0, width - digits.size(), u'0');
  return digits;
}

// Enough for the same second many times over; the bound keeps the loop finite.
constexpr int kMaxKeepAsideAttempts = 1000;

}  // namespace

bool HasKnownSection(const core::IniDocument& doc) {
  for (std::u16string_view name : {u"Main", u"Option", u"SetJumpList", u"PathMenu", u"DirMenu"})
    if (doc.HasSection(name)) return true;
  return false;
}

OpenedSettingsFile OpenSettingsFile(const std::u16string& path, unsigned ansiCodePage) {
  OpenedSettingsFile opened;
  core::FileBytes file = core::ReadFileBytes(path);
  opened.status = file.status;
  if (file.status == core::FileStatus::kNotFound) {
    opened.state = SettingsFileState::Missing;
    return opened;
  }
  if (file.status != core::FileStatus::kOk) {
    opened.state = SettingsFileState::Unreadable;
    return opened;
  }
  opened.encoding = core::DetectTextEncoding(file.bytes);
  std::u16string text = core::DecodeText(file.bytes, opened.encoding, ansiCodePage);
  const bool blank = HoldsOnlyBlanks(text);
  core::IniDocument document = core::IniDocument::Parse(std::move(text));
  if (HasKnownSection(document) || blank) {
    opened.state = SettingsFileState::Readable;
    opened.document = std::move(document);
  } else {
    opened.state = SettingsFileState::Unrecognised;
  }
  return opened;
}

std::u16string KeptAsideFilePath(std::u16string_view path, const LocalTimestamp& at, int attempt) {
  std::u16string kept(path);
  kept += u".unreadable-" + Padded(at.date.year, 4) + Padded(at.date.month, 2) +
          Padded(at.date.day, 2) + u"-" + Padded(at.hour, 2) + Padded(at.minute, 2) +
          Padded(at.second, 2);
  if (attempt > 1) kept += u"-" + core::IntToText(attempt);
  return kept;
}

KeptAside KeepSettingsFileAside(const std::u16string& path, const LocalTimestamp& at) {
  KeptAside result;
  for (int attempt = 1; attempt <= kMaxKeepAsideAttempts; ++attempt) {
    result.path = KeptAsideFilePath(path, at, attempt);
    result.status = core::RenameFileNoReplace(path, result.path);
    if (result.status != core::FileStatus::kAlreadyExists) break;
  }
  if (result.status != core::FileStatus::kOk) result.path.clear();
  return result;
}

}  // namespace pathorama::settings
