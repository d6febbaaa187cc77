#include "core/file_io.h"

#include "core/text.h"

namespace pathorama::core {

const char16_t* FileStatusText(FileStatus status) {
  switch (status) {
    case FileStatus::kOk: return u"ok";
    case FileStatus::kNotFound: return u"no such file";
    case FileStatus::kReadOnly: return u"the file or medium is read-only";
    case FileStatus::kAccessDenied: return u"access denied";
    case FileStatus::kLocked: return u"the file is locked by another program";
    case FileStatus::kTooLarge: return u"the file is too large";
    case FileStatus::kFailed: return u"the file could not be read or written";
  }
  return u"?";
}

std::string IniDocumentBytes(const IniDocument& doc) {
  return "\xEF\xBB\xBF" + Utf16ToUtf8(doc.Serialize());
}

FileStatus SaveIniDocument(const std::u16string& path, const IniDocument& doc) {
  return SaveFileSafely(path, IniDocumentBytes(doc));
}

FileStatus LoadIniDocument(const std::u16string& path, unsigned ansiCodePage, IniDocument& doc,
                           TextEncoding* encoding) {
  doc = IniDocument();
  std::string bytes;
  FileStatus status = ReadFileBytes(path, bytes);
  if (status != FileStatus::kOk) return status;
  TextEncoding found = DetectTextEncoding(bytes);
  if (encoding) *encoding = found;
  doc = IniDocument::Parse(DecodeText(bytes, found, ansiCodePage));
  return FileStatus::kOk;
}

FileStatus ConvertIniFileToUtf8(const std::u16string& path, unsigned ansiCodePage,
                                TextEncoding* encoding) {
  if (encoding) *encoding = TextEncoding::Ansi;
  if (!FileExists(path)) return FileStatus::kOk;
  std::string bytes;
  FileStatus status = ReadFileBytes(path, bytes);
  if (status != FileStatus::kOk) return status;
  TextEncoding found = DetectTextEncoding(bytes);
  if (encoding) *encoding = found;
  if (found == TextEncoding::Utf8) return FileStatus::kOk;
  // The text is converted as it stands, not parsed: nothing of the file,
  // not even a line the INI reader would drop, is lost by the conversion.
  std::string utf8 = "\xEF\xBB\xBF" + Utf16ToUtf8(DecodeText(bytes, found, ansiCodePage));
  return SaveFileSafely(path, utf8);
}

}  // namespace pathorama::core
