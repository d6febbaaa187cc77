#include "windows/dialog_fill.h"

#include <algorithm>

#include "core/text.h"
#include "paths/path_info.h"
#include "windows/window_classes.h"

namespace pathorama::windows {

FillMode FillModeFromIndex(int index) {
  switch (index) {
    case 1:
      return FillMode::Insert;
    case 2:
      return FillMode::ReplaceSel;
    default:
      return FillMode::CoverAll;
  }
}

FillMode FillModeFromWord(std::u16string_view word) {
  if (core::EqualsIgnoreCase(word, u"Insert")) return FillMode::Insert;
  if (core::EqualsIgnoreCase(word, u"ReplaceSel")) return FillMode::ReplaceSel;
  return FillMode::CoverAll;
}

SelectionAfterFill SelectionAfterFillFromIndex(int index) {
  return index == 1 ? SelectionAfterFill::FilledFolder : SelectionAfterFill::WholeText;
}

EditFillPlan PlanEditFill(std::u16string_view oldText, TextRange oldSelection,
                          std::u16string_view folder, FillMode mode, SelectionAfterFill select) {
  size_t start = std::min({oldSelection.start, oldSelection.end, oldText.size()});
  size_t end = std::min(std::max(oldSelection.start, oldSelection.end), oldText.size());
  TextRange replaced;
  switch (mode) {
    case FillMode::CoverAll:
      replaced = {0, oldText.size()};
      break;
    case FillMode::Insert:
      replaced = {end, end};
      break;
    case FillMode::ReplaceSel:
      replaced = {start, end};
      break;
  }
  EditFillPlan plan;
  plan.replaced = replaced;
  plan.text.reserve(oldText.size() - (replaced.end - replaced.start) + folder.size());
  plan.text.append(oldText.substr(0, replaced.start));
  plan.text.append(folder);
  plan.text.append(oldText.substr(replaced.end));
  plan.selection = select == SelectionAfterFill::WholeText
                       ? TextRange{0, plan.text.size()}
                       : TextRange{replaced.start, replaced.start + folder.size()};
  return plan;
}

bool FieldShowsFolder(std::u16string_view fieldText, std::u16string_view folder) {
  return core::EqualsIgnoreCase(core::TrimChars(fieldText, u"\\"), core::TrimChars(folder, u"\\"));
}

bool DialogTookFolder(std::u16string_view fieldText, std::u16string_view folder) {
  return !FieldShowsFolder(fieldText, folder) && fieldText.find(u":\\") == std::u16string_view::npos;
}

bool IsSwitchableFolder(std::u16string_view folder, const PathKindProbe& probe) {
  if (folder.empty()) return false;
  return paths::IsShellNamespacePath(folder) || probe(std::u16string(folder)) == PathKind::Folder;
}

DialogRoute ChooseDialogRoute(const DialogFacts& facts, SwitchReason reason,
                              bool fillFocusedEditOption) {
  if (facts.ownDialog) return DialogRoute::ReopenOwnDialog;
  if (facts.hasFileNameField) return DialogRoute::FileNameField;
  if (reason != SwitchReason::DialogHotKey) return DialogRoute::Nothing;
  if (facts.focusIsTextBox && fillFocusedEditOption) return DialogRoute::FocusedEdit;
  return DialogRoute::Fallback;
}

FillMode FocusedEditFillMode(FillMode option, bool isFileNameField, bool isNamespacePath) {
  return isFileNameField || isNamespacePath ? FillMode::CoverAll : option;
}

bool IsFillableTextBoxClass(std::u16string_view className) {
  return IsClass(className, u"Edit") || IsClass(className, u"TEdit");
}

bool WantsConfirmation(SwitchReason reason, std::u16string_view ownerOfParentClass) {
  return !(reason == SwitchReason::Timer && IsClass(ownerOfParentClass, kDteClass));
}

std::u16string OfferedFileNames(std::u16string_view selectionText, std::u16string_view folder,
                                const PathKindProbe& probe) {
  std::u16string wantedFolder = core::TrimCharsRight(folder, u"\\/");
  std::u16string flat = core::ReplaceAllText(selectionText, u"\n", u"");
  std::vector<std::u16string> names;
  for (const std::u16string& line : core::SplitText(flat, u"\r")) {
    size_t slash = line.find_last_of(u"\\/");
    if (slash == std::u16string::npos || slash + 1 == line.size()) continue;
    std::u16string_view lineFolder = std::u16string_view(line).substr(0, slash);
    if (wantedFolder.empty() || !core::EqualsIgnoreCase(lineFolder, wantedFolder)) continue;
    if (probe(line) != PathKind::File) continue;
    std::u16string name = line.substr(slash + 1);
    if (name.find(u' ') != std::u16string::npos) name = u"\"" + name + u"\"";
    names.push_back(std::move(name));
  }
  return core::JoinText(names, u" ");
}

bool IsWatchedFolderManagerClass(std::u16string_view className) {
  for (std::u16string_view watched :
       {kExplorerClass, kTotalCommanderClass, kDirectoryOpusClass, kXYplorerClass, kXplorer2Class})
    if (IsClass(className, watched)) return true;
  return false;
}

bool WatchLooksAt(std::u16string_view previousForegroundClass, std::u16string_view foregroundClass) {
  return IsWatchedFolderManagerClass(previousForegroundClass) && IsClass(foregroundClass, kDialogClass);
}

bool IsFileDialogLayout(const std::vector<std::u16string>& descendantClasses) {
  for (const std::u16string& c : descendantClasses)
    if (IsClass(c, u"SHELLDLL_DefView") || IsClass(c, u"SysTreeView32")) return true;
  return false;
}

}  // namespace pathorama::windows
