#include "windows/selection_text.h"

#include "core/text.h"

namespace pathorama::windows {

std::optional<SelectionMode> ParseSelectionMode(std::u16string_view word) {
  if (core::EqualsIgnoreCase(word, u"Folder")) return SelectionMode::Folder;
  if (core::EqualsIgnoreCase(word, u"File")) return SelectionMode::File;
  if (core::EqualsIgnoreCase(word, u"Path")) return SelectionMode::Path;
  return std::nullopt;
}

std::u16string FilterSelectionText(std::u16string_view text, SelectionMode mode,
                                   const PathKindProbe& probe) {
  if (mode == SelectionMode::Path) return std::u16string(text);
  std::u16string flat = core::ReplaceAllText(text, u"\n", u"");
  PathKind wanted = mode == SelectionMode::Folder ? PathKind::Folder : PathKind::File;
  std::vector<std::u16string> kept;
  for (std::u16string& line : core::SplitText(flat, u"\r")) {
    if (line.empty()) continue;
    if (probe(line) == wanted) kept.push_back(std::move(line));
  }
  return core::JoinText(kept, u"\r\n");
}

std::u16string JoinDroppedNames(const std::vector<std::u16string>& names, SelectionMode mode,
                                const PathKindProbe& probe) {
  std::vector<std::u16string> kept;
  for (const std::u16string& name : names) {
    if (name.empty()) continue;
    PathKind kind = probe(name);
    if (kind == PathKind::Folder && mode != SelectionMode::File)
      kept.push_back(core::TrimCharsRight(name, u"\\") + u"\\");
    else if (kind == PathKind::File && mode != SelectionMode::Folder)
      kept.push_back(name);
  }
  return core::JoinText(kept, u"\r\n");
}

std::u16string MarkDirectoryOpusSelection(std::u16string_view text, SelectionMode mode,
                                          const PathKindProbe& probe) {
  std::vector<std::u16string> kept;
  for (std::u16string& line : core::SplitText(core::ReplaceAllText(text, u"\n", u""), u"\r")) {
    if (line.empty()) continue;
    const PathKind kind = probe(line);
    if (kind == PathKind::Folder && mode != SelectionMode::File)
      kept.push_back(core::TrimCharsRight(line, u"\\") + u"\\");
    else if (kind == PathKind::File && mode != SelectionMode::Folder)
      kept.push_back(std::move(line));
    else if (kind == PathKind::Missing && mode == SelectionMode::Path)
      kept.push_back(std::move(line));
  }
  return core::JoinText(kept, u"\r\n");
}

std::u16string FolderFromAddressText(std::u16string_view text) {
  size_t space = text.find(u' ');
  if (space == std::u16string_view::npos) return {};
  return std::u16string(text.substr(space + 1));
}

std::u16string DirectoryOpusAnswer(std::u16string_view clipboardText) {
  return core::TrimChars(clipboardText, u"\"");
}

}  // namespace pathorama::windows
