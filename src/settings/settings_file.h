// The settings file as the program finds it at start-up, and the rule that
// keeps the user's data: a file that exists but could not be read, or in
// which none of the program's sections was found, is never written over.
//
//   Missing       no file: the defaults; the first save creates it.
//   Readable      read, and it holds a known section (or nothing at all).
//   Unreadable    it exists but could not be read (locked, too large, no
//                 access): this run works with the defaults and never
//                 writes it.
//   Unrecognised  read, but it holds text and no known section (a damaged
//                 file, another program's file, an encoding not recognised):
//                 before the first save it is renamed to a name of its own
//                 beside it (KeepSettingsFileAside), so the save creates a
//                 new file and the old content stays recoverable.
#pragma once

#include <string>
#include <string_view>

#include "core/calendar.h"
#include "core/encoding.h"
#include "core/file_io.h"
#include "core/ini.h"

namespace pathorama::settings {

enum class SettingsFileState { Missing, Readable, Unreadable, Unrecognised };

struct OpenedSettingsFile {
  SettingsFileState state = SettingsFileState::Missing;
  core::FileStatus status = core::FileStatus::kNotFound;   // of the read
  core::TextEncoding encoding = core::TextEncoding::Utf8;  // as detected, once read
  core::IniDocument document;                              // empty unless Readable
};

// [Main], [Option], [SetJumpList], [PathMenu] or the legacy [DirMenu].
bool HasKnownSection(const core::IniDocument& doc);

// Reads, detects the encoding (ANSI in `ansiCodePage`), parses and judges
// the file. Text of nothing but blanks, line ends, byte-order marks and zero
// bytes (what a power loss may leave) counts as empty, so as Readable.
OpenedSettingsFile OpenSettingsFile(const std::u16string& path, unsigned ansiCodePage);

struct LocalTimestamp {
  core::CalendarDate date;
  int hour = 0, minute = 0, second = 0;
};

// "<path>.unreadable-20261210-123456"; from the second attempt on "-2", "-3",
// ... is added.
std::u16string KeptAsideFilePath(std::u16string_view path, const LocalTimestamp& at, int attempt);

struct KeptAside {
  core::FileStatus status = core::FileStatus::kOk;
  std::u16string path;  // the name the file now has, when status is kOk
};

// Renames the file at `path` to the first KeptAsideFilePath not taken yet,
// never replacing a file kept before.
KeptAside KeepSettingsFileAside(const std::u16string& path, const LocalTimestamp& at);

}  // namespace pathorama::settings
