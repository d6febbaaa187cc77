// Switching an Open/Save dialog to a folder and filling a folder into a text
// box: the decisions, as pure functions of what the Win32 side reads from
// the windows (texts, selections, class names, what exists on disk).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "windows/selection_text.h"

namespace pathorama::windows {

// How a folder goes into a text box: replacing the whole text, inserted at
// the caret, or replacing the selection.
enum class FillMode { CoverAll, Insert, ReplaceSel };
// The option "填充方式" by its index (0, 1, 2); any other index covers all.
FillMode FillModeFromIndex(int index);
// "CoverAll", "Insert", "ReplaceSel", compared without regard to case; an
// empty or unknown word covers all.
FillMode FillModeFromWord(std::u16string_view word);

// The option "填充后选中": the whole text (index 0) or the folder filled in (1).
enum class SelectionAfterFill { WholeText, FilledFolder };
SelectionAfterFill SelectionAfterFillFromIndex(int index);

// Who asks for a switch. A folder chosen from the jump list and the dialog
// hotkey's request are different requests: only the latter may fill the
// focused text box or fall back to the clipboard.
enum class SwitchReason { JumpListItem, DialogHotKey, Timer };

// A selection in UTF-16 units, start <= end.
struct TextRange {
  size_t start = 0;
  size_t end = 0;
  bool operator==(const TextRange&) const = default;
};

// What filling an ordinary text box does: which range of the old text the
// folder replaces (one undoable replacement), the text it ends with and the
// selection shown afterwards.
struct EditFillPlan {
  TextRange replaced;
  std::u16string text;
  TextRange selection;
};
// The old selection may come in either order and beyond the text (an edit
// that changed under us): it is ordered and clamped first.
EditFillPlan PlanEditFill(std::u16string_view oldText, TextRange oldSelection,
                          std::u16string_view folder, FillMode mode, SelectionAfterFill select);

// The file name field shows the folder: equal once backslashes are trimmed
// from both ends, without regard to case.
bool FieldShowsFolder(std::u16string_view fieldText, std::u16string_view folder);
// After the confirming Enter the dialog has taken the folder once the field
// neither shows it nor holds a path any more.
bool DialogTookFolder(std::u16string_view fieldText, std::u16string_view folder);

// A folder a dialog can be switched to: an existing folder or a shell
// namespace path.
bool IsSwitchableFolder(std::u16string_view folder, const PathKindProbe& probe);

// What ChangeDialogFolderPath does with a dialog.
enum class DialogRoute {
  ReopenOwnDialog,   // one of the program's own file dialogs: reopened in the folder
  FileNameField,     // typed into the dialog's file name field and confirmed
  FocusedEdit,       // filled into the focused text box (dialog hotkey only)
  Fallback,          // nothing to fill: the dialog hotkey's clipboard fallback
  Nothing,           // nothing to fill, and no fallback for this request
};
struct DialogFacts {
  bool ownDialog = false;
  bool hasFileNameField = false;
  bool focusIsTextBox = false;  // the focused control is an "Edit" or "TEdit"
};
DialogRoute ChooseDialogRoute(const DialogFacts& facts, SwitchReason reason,
                              bool fillFocusedEditOption);

// The mode for a focused text box of a dialog: its own file name field and
// a namespace path always cover all; otherwise the option's mode.
FillMode FocusedEditFillMode(FillMode option, bool isFileNameField, bool isNamespacePath);

// A text box of the classes the dialog hotkey fills ("Edit", "TEdit").
bool IsFillableTextBoxClass(std::u16string_view className);

// Confirming with Enter is wanted, except for the watch's switch of a box
// whose parent is owned by a "DTE" window (that program confirms itself).
bool WantsConfirmation(SwitchReason reason, std::u16string_view ownerOfParentClass);

// The names offered in a dialog's empty file name field from a file
// manager's selection (full paths, CR LF or CR between them): only files
// that exist and lie directly in `folder`; a name with a space in double
// quotes; joined with single spaces.
std::u16string OfferedFileNames(std::u16string_view selectionText, std::u16string_view folder,
                                const PathKindProbe& probe);

// Windows whose leaving for a dialog makes the dialog watch switch that
// dialog to the folder they show.
bool IsWatchedFolderManagerClass(std::u16string_view className);
// The watch looks closer when a "#32770" comes to the front right after one
// of those windows.
bool WatchLooksAt(std::u16string_view previousForegroundClass, std::u16string_view foregroundClass);
// A "#32770" is a file dialog when it shows a folder view or a folder tree.
bool IsFileDialogLayout(const std::vector<std::u16string>& descendantClasses);

}  // namespace pathorama::windows
