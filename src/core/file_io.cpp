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
    case FileStatus::kAlreadyExists: return u"a file of that name already exists";
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

LoadedIni LoadIniDocument(const std::u16string& path, unsigned ansiCodePage) {
  LoadedIni result;
  FileBytes file = ReadFileBytes(path);
  result.status = file.status;
  if (file.status != FileStatus::kOk) return result;
  result.encoding = DetectTextEncoding(file.bytes);
  result.document = IniDocument::Parse(DecodeText(file.bytes, result.encoding, ansiCodePage));
  return result;
}

IniConversion ConvertIniFileToUtf8(const std::u16string& path, unsigned ansiCodePage) {
  IniConversion result;
  if (!FileExists(path)) return result;
  FileBytes file = ReadFileBytes(path);
  result.status = file.status;
  if (file.status != FileStatus::kOk) return result;
  result.encoding = DetectTextEncoding(file.bytes);
  if (result.encoding == TextEncoding::Utf8) return result;
  // The text is converted as it stands, not parsed: nothing of the file,
  // not even a line the INI reader would drop, is lost by the conversion.
  std::string utf8 =
      "\xEF\xBB\xBF" + Utf16ToUtf8(DecodeText(file.bytes, result.encoding, ansiCodePage));
  result.status = SaveFileSafely(path, utf8);
  return result;
}

}  // namespace pathorama::core
