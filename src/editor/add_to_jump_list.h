// The decisions behind the add-to-jump-list dialog, which adds the folder
// open in the foreground file manager, or what is selected in it, to the
// live jump list without opening the editor. The dialog gathers the facts
// (selection text, open folder, answers) and performs the effects (showing,
// saving); everything between is here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "jumplist/jump_list.h"

namespace pathorama::editor {

// The entries of the source list, in list order.
enum class AddSource { kOpenFolder, kSelectedFolders, kSelectedFiles, kSelectedPaths };

std::u16string_view AddSourceCaption(AddSource source);  // "当前已打开文件夹", ...
// "把" + source + "路径添加到路径跳转列表".
std::u16string AddDialogCaption(AddSource source);

// What one collection found. `list` is the paths joined with " | ";
// `title` already carries an accelerator (or is empty).
struct CollectedPaths {
  std::u16string list;
  std::u16string title;
  size_t count = 0;
};

// The open folder: the title is its last name (empty for a drive root); a
// shell namespace folder is titled by the last part of the address bar.
CollectedPaths CollectOpenFolder(std::u16string_view folder, std::u16string_view addressBarText);
// A selection, one full path per line, folders ending in "\".
CollectedPaths CollectSelection(std::u16string_view selectionText, AddSource source);
// "已获取到 n 条路径"; empty for none.
std::u16string PathCountText(size_t count);

// The title box is for entries that take it: the open folder's, and the one
// entry of several paths while "所有待添加路径关联到同一条目" is checked (that
// box shows only while the list holds several paths).
bool TitleBoxEnabled(AddSource source, std::u16string_view list, bool sameEntryChecked);

// The list as copied by a double click on it: one path per line (CR LF).
std::u16string PathListCopyText(std::u16string_view list);
// The hint over the list; a list cut off by the window's width is shown
// whole, a path per line, before it.
std::u16string PathListHint(std::u16string_view list, bool cutOff);

// Simplification: "D:\f\a.txt | D:\f\b.txt" becomes "D:\f\(a.txt|b.txt)".
// Only when every path sits directly in the folder of the first one, no name
// holds "(", ")" or "|" (they would read as alternation) or
// begins or ends with a blank, and the list stays
// within the alternation limits; otherwise the list is returned unchanged,
// because any of those would stand for other paths than the ones selected.
std::u16string SimplifyPathList(std::u16string_view list);
// Undoes SimplifyPathList; other lists come back unchanged.
std::u16string ExpandSimplifiedPathList(std::u16string_view list);

// One entry of the destination popup. `text` is indented by two ideographic
// spaces per level.
struct DestinationChoice {
  std::u16string text;
  int32_t tag = 0;
};
// Every entry and group of the live list that can take new entries beside
// or inside it; separators, function items and current-folder items never.
std::vector<DestinationChoice> DestinationChoices(const jumplist::JumpList& list);
// The caption shown for a chosen entry: the text without its indentation.
std::u16string DestinationCaption(std::u16string_view choiceText);
// Whether a remembered destination still names the same item: its tag is in
// the list, it can be a destination and its caption is still `caption`.
// Another save (the editor's) renumbers tags, so an old tag may now belong
// to some other item.
bool DestinationStillValid(const jumplist::JumpList& list, int32_t tag,
                           std::u16string_view caption);

enum class InsertPosition {
  kInsertAfter,
  kInsertBefore,
  kInsertAsSubItem,
  kAddFirstAtSibling,
  kAddLastAtSibling,
};

// What the dialog shows when 确定 is pressed.
struct ConfirmInput {
  AddSource source = AddSource::kOpenFolder;
  std::u16string list;
  std::u16string title;
  bool simplifyChecked = false;
  bool sameEntryChecked = true;  // "所有待添加路径关联到同一条目"
};

struct NewEntry {
  std::u16string pathInfo;
  std::u16string title;
};

struct ConfirmPlan {
  enum class Outcome { kClose, kTitleMissing, kAdd };
  Outcome outcome = Outcome::kClose;
  std::vector<NewEntry> entries;  // in list order, for kAdd
};

// True when the path exists as a folder or a file.
using PathExistsQuery = std::function<bool(std::u16string_view path)>;
// Asked for a missing local path; true keeps it.
using KeepMissingQuery = std::function<bool(std::u16string_view path)>;

// The entries 确定 adds. A title is required whenever an entry takes it
// (the open folder, a single path, or all paths in one entry); an entry of
// its own per path is titled by its name, or by the path when the name is
// empty (a drive root), so no entry ever gets an empty caption.
ConfirmPlan PlanConfirm(const ConfirmInput& input, const PathExistsQuery& exists,
                        const KeepMissingQuery& keepMissing);

struct InsertTarget {
  bool toMenuItem = false;  // "添加到以下菜单项(&I)"
  int32_t destinationTag = 0;
  InsertPosition position = InsertPosition::kInsertAfter;
};

struct InsertOptions {
  int32_t captionMaxLength = jumplist::kNoCaptionLimit;
  bool currentFolderItems = false;  // Setting "AddCurDirForEverySubJumplist"
};

// Puts `item` at `position` relative to the item tagged `destination`; `k`
// (from 1) is its place among the entries of one confirmation, so they keep
// their order. False when the destination is not in the list or cannot take
// entries (a separator); the list is then unchanged.
bool InsertMenuItemAtPosition(jumplist::JumpList& list, jumplist::JumpItem item,
                              int32_t destination, InsertPosition position, size_t k,
                              const InsertOptions& options);

// `AddJumpListEntry`: a new entry with a fresh tag and `pathInfo`, placed by
// `target`; without a usable destination it goes to the top of the list
// (after the entries 1..k-1 of the same confirmation). Returns its tag.
int32_t AddJumpListEntry(jumplist::JumpList& list, std::u16string_view pathInfo,
                         std::u16string_view title, size_t k, const InsertTarget& target,
                         const InsertOptions& options);

// Adds every planned entry in order (k = 1, 2, ...).
void AddJumpListEntries(jumplist::JumpList& list, const std::vector<NewEntry>& entries,
                        const InsertTarget& target, const InsertOptions& options);

}  // namespace pathorama::editor
