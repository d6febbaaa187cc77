// Turning what a folder manager hands over (clipboard text, dropped-file
// names, an address bar text) into folders and selection lists.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pathorama::windows {

// "Folder", "File" or "Path" (both), compared without regard to case.
enum class SelectionMode { Folder, File, Path };
std::optional<SelectionMode> ParseSelectionMode(std::u16string_view word);

enum class PathKind { Missing, File, Folder };
using PathKindProbe = std::function<PathKind(const std::u16string&)>;

// Total Commander's list of selected names: with Path the text as it is;
// otherwise the lines (split at CR, line feeds dropped) that name an existing
// folder (Folder) or file (File), joined with CR LF.
std::u16string FilterSelectionText(std::u16string_view text, SelectionMode mode,
                                   const PathKindProbe& probe);

// Explorer's dropped-file names: existing folders get a trailing backslash
// (Folder, Path), existing files are kept as they are (File, Path); joined
// with CR LF.
std::u16string JoinDroppedNames(const std::vector<std::u16string>& names, SelectionMode mode,
                                const PathKindProbe& probe);

// Directory Opus's list of selected names (split at CR, line feeds
// dropped): existing folders get a trailing backslash; Folder keeps only
// them, File only existing files, Path every line; joined with CR LF.
std::u16string MarkDirectoryOpusSelection(std::u16string_view text, SelectionMode mode,
                                          const PathKindProbe& probe);

// The folder in a hosted Explorer's address bar ("地址: C:\x"): the text after
// the first space; empty when there is none.
std::u16string FolderFromAddressText(std::u16string_view text);

// Directory Opus puts the path on the clipboard, perhaps in double quotes.
std::u16string DirectoryOpusAnswer(std::u16string_view clipboardText);

}  // namespace pathorama::windows
