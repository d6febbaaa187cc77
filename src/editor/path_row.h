// The row under the editor's tree that edits the focused entry's path info:
// the path type list, the path box, "启"/"禁", "变量", the insertion mode and
// the blue label of expanded paths. What the controls show and what they
// store is decided here; the windows only copy it to and from the controls.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/calendar.h"
#include "paths/path_info.h"

namespace pathorama::editor {

// The entries of the path type list, in the list's order.
enum class PathTypeEntry { Local, Url, Registry, Mixed };
std::u16string_view PathTypeEntryCaption(PathTypeEntry entry);  // "本地路径"...
// The entry of a type; none for the types the list does not offer
// (SharedFolder, NetworkMappingFolder).
std::optional<PathTypeEntry> EntryOfPathType(paths::PathType type);
paths::PathType PathTypeOfEntry(PathTypeEntry entry);

// What the row shows.
struct PathRowState {
  bool enabled = false;  // the path controls: only for a focused normal item
  PathTypeEntry typeEntry = PathTypeEntry::Local;
  // A type the list has no entry for, loaded with the entry and written back
  // until the user picks a type from the list.
  std::optional<paths::PathType> unlistedType;
  bool disabled = false;       // "禁" instead of "启"
  bool usesVariables = false;  // "变量"
  std::u16string boxText;
  std::u16string label;  // the expanded paths, only with "变量"
  friend bool operator==(const PathRowState&, const PathRowState&) = default;
};

enum class FocusedNode { None, NormalItem, Other };

// The row for the focused node (`ShowItemInControls`); `listEntry` is the
// type list's selection, which a type without an entry leaves as it is.
// `expand` gives a path its variables' values.
PathRowState ShowItemInControls(FocusedNode focused, std::u16string_view pathInfo,
                                PathTypeEntry listEntry, bool recognizeWebAddresses,
                                const paths::VariableExpander& expand);

// The list entry to select for `pathInfo` (`AutoChangePathType`); none when
// the list stays as it is. Typed into the path box, an untagged path never
// overrides the type the user chose.
std::optional<PathTypeEntry> AutoChangePathType(std::u16string_view pathInfo,
                                                bool recognizeWebAddresses, bool fromPathBox,
                                                PathTypeEntry current);

// Which control changed.
enum class RowSender { PathBox, TypeList, UsableButton, VariablesBox };

// The path info the row stores into the focused normal item
// (`RefreshCurItemPathInfo`); updates the buttons a typed mark switches.
std::u16string RefreshCurItemPathInfo(PathRowState& row, RowSender sender,
                                      bool recognizeWebAddresses);

// The label as the user reads it: the box text split into its paths, their
// variables expanded, with " | " between them; empty without "变量".
std::u16string PathRowLabel(const PathRowState& row, const paths::VariableExpander& expand);
// What double-clicking the label puts on the clipboard: one path a line.
std::u16string LabelClipboardText(std::u16string_view label);

// The insertion mode button: "插" → "追" → "覆" → "插".
enum class InsertMode { Insert, Append, Cover };
InsertMode NextInsertMode(InsertMode mode);
std::u16string_view InsertModeCaption(InsertMode mode);

// An edit box's text and selection, in UTF-16 units.
struct EditText {
  std::u16string text;
  size_t selectionStart = 0;
  size_t selectionEnd = 0;
  friend bool operator==(const EditText&, const EditText&) = default;
};

// Puts a list of paths (" | " between them) into the box by the mode
// (`AddPathsListToPathEdit`); none for an empty list.
std::optional<EditText> AddPathsListToPathEdit(const EditText& box, std::u16string_view list,
                                               InsertMode mode);

// Puts a variable chosen from a menu into the box (`InputCustomVar`); none
// for an empty variable.
std::optional<EditText> InsertVariableText(const EditText& box, std::u16string_view variable,
                                           InsertMode mode, bool boxFocused);

// What an entry of the variable menus does (`ClickCustomVarMenuItem`).
struct MenuVariable {
  enum class Action { None, Insert, OpenBuilder } action = Action::None;
  std::u16string text;  // the variable to insert, or the builder's variable name
  friend bool operator==(const MenuVariable&, const MenuVariable&) = default;
};
MenuVariable VariableOfMenuCaption(std::u16string_view caption, core::CalendarDate today);

// The text files dropped on the path box give: shortcut targets joined with
// "|"; other paths as their folder and names: one name "D:\a\x.txt", several
// of one folder "D:\a\(x.txt | y.txt)". Names that would break the group
// ("(", ")", "|") and names of another folder stay whole paths.
struct DroppedPath {
  std::u16string path;
  std::optional<std::u16string> shortcutTarget;  // a ".lnk" file's target
};
std::u16string DroppedPathsText(const std::vector<DroppedPath>& dropped);

// Where the file or folder dialog of "..." starts: the first piece of the
// box (split at "|", trimmed of " \") that exists as a folder or, in file
// mode, as a file (a file counts through its folder in folder mode).
struct PathFacts {
  std::function<bool(std::u16string_view)> isFolder;
  std::function<bool(std::u16string_view)> isFile;
};
std::optional<std::u16string> FileDialogStartFolder(std::u16string_view boxPaths, bool folderMode,
                                                    const PathFacts& facts);
// Joins what the dialog returned, " | " between the items.
std::u16string ChosenPathsList(const std::vector<std::u16string>& chosen);

// The duplicate message comes once for a text at the moment the edit is
// committed, not at every keystroke: remembers the text last reported.
class DuplicateReportGate {
 public:
  // Whether `text` (a duplicate) is to be reported now.
  bool ShouldReport(std::u16string_view text);
  void Reset() { reported_.reset(); }

 private:
  std::optional<std::u16string> reported_;
};

}  // namespace pathorama::editor
