// The file dialog of the imports: a common Open dialog for one existing
// file, hidden files shown, with a list of text encodings beside the name.
#pragma once

#include <windows.h>

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "editor/imports.h"

namespace pathorama::editor::win32 {

struct FileFilter {
  std::u16string_view name;     // "文本文件(*.txt)"
  std::u16string_view pattern;  // "*.txt"
};

struct ImportFileDialogOptions {
  std::u16string_view title;
  std::span<const FileFilter> filters;   // the first one is selected
  std::u16string_view defaultExtension;  // without the dot
  bool encodingList = true;              // the text encodings beside the name
  std::u16string startFolder;            // none: where the dialog was last
};

struct ChosenImportFile {
  std::u16string file;
  std::optional<ImportEncoding> encoding;  // none: detect it
};

// Shows the dialog modally over `owner`; none when it was cancelled or
// could not be shown.
std::optional<ChosenImportFile> ChooseImportFile(HWND owner,
                                                 const ImportFileDialogOptions& options);

}  // namespace pathorama::editor::win32
