// Whole-file reading and crash-safe saving of the settings file.
//
// A save never rewrites the file in place: the bytes go to a temporary file
// beside the target ("<target>.tmp"), which is flushed to disk and then moved
// over the target in one step (rename on POSIX, MoveFileExW with
// MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH on Windows). A crash or
// power loss therefore leaves the old file or the new one, never a truncated
// one. A failed save leaves the target untouched, removes the temporary file
// and reports why; the caller keeps its document in memory, so the next save
// simply tries again.
#pragma once

#include <string>
#include <string_view>

#include "core/encoding.h"
#include "core/ini.h"

namespace pathorama::core {

enum class FileStatus {
  kOk,
  kNotFound,       // the file (or its folder) does not exist
  kReadOnly,       // the file has the read-only attribute, or the medium is read-only
  kAccessDenied,   // no permission to write the file or its folder
  kLocked,         // another program holds the file open without sharing it
  kTooLarge,       // larger than kMaxFileBytes
  kAlreadyExists,  // RenameFileNoReplace: the new name is taken
  kFailed,         // anything else (a folder in the way, disk full, ...)
};

// A short English description for messages of the command-line tool.
const char16_t* FileStatusText(FileStatus status);

// Files larger than this are not read: no settings file is that big, and
// decoding it would take gigabytes of memory.
inline constexpr size_t kMaxFileBytes = size_t{256} << 20;

// The whole content of a file, or why it could not be read.
struct FileBytes {
  FileStatus status = FileStatus::kOk;
  std::string bytes;  // empty unless status is kOk
};

// Paths are UTF-16 (converted to UTF-8 for POSIX calls).
bool FileExists(const std::u16string& path);
FileBytes ReadFileBytes(const std::u16string& path);

// Writes `bytes` as the whole new content of `path`, safely as described at
// the top. A target that has the read-only attribute is not replaced
// (kReadOnly); see ClearReadOnly.
FileStatus SaveFileSafely(const std::u16string& path, std::string_view bytes);

// Gives `from` the name `to` in one step, never replacing a file that already
// has that name (kAlreadyExists). Both names in the same folder.
FileStatus RenameFileNoReplace(const std::u16string& from, const std::u16string& to);

// Gives the file normal attributes (clears read-only) so a following save
// may replace it. A missing file is kOk: there is nothing to clear.
FileStatus ClearReadOnly(const std::u16string& path);

// The bytes of a settings file: UTF-8 with byte-order mark.
std::string IniDocumentBytes(const IniDocument& doc);

// Saves `doc` as UTF-8 with byte-order mark through SaveFileSafely.
FileStatus SaveIniDocument(const std::u16string& path, const IniDocument& doc);

// A settings file as read: the parsed document and the encoding it was in.
struct LoadedIni {
  FileStatus status = FileStatus::kOk;
  IniDocument document;                        // empty unless status is kOk
  TextEncoding encoding = TextEncoding::Utf8;  // as detected, when status is kOk
};

// Reads a file in any encoding DetectTextEncoding knows and parses it.
// `ansiCodePage` is used when the file turns out to be ANSI (pass
// SystemAnsiCodePage()).
LoadedIni LoadIniDocument(const std::u16string& path, unsigned ansiCodePage);

struct IniConversion {
  FileStatus status = FileStatus::kOk;
  TextEncoding encoding = TextEncoding::Ansi;  // as detected; ANSI for a missing file
};

// Start-up conversion, run before the settings file is first read: a file in
// ANSI or UTF-16 is rewritten (safely) as UTF-8 with byte-order mark, so its
// captions survive. A UTF-8 file, with or without byte-order mark, is left
// as it is; a missing file is kOk and nothing is created. When the rewrite
// fails (read-only file), LoadIniDocument still reads the file in its own
// encoding, so the program starts with the settings all the same.
IniConversion ConvertIniFileToUtf8(const std::u16string& path, unsigned ansiCodePage);

}  // namespace pathorama::core
