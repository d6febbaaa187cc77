// Between the editor's tree and the rest of the program: the tree built
// from the live jump list when the editor opens, and on save the tree
// written into section "PathMenu" of the settings document and made the
// live list again.
//
//   JumpTree tree(FreshIdsFrom(list));
//   BuildTreeFromJumpListMenu(list, tree);
//   ... the user edits ...
//   if (!SaveTreeToIniFile(tree, ini, files)) ... tell the user; the file is as it was ...
//   RebuildJumpListMenuFromTree(tree, list, hideDisabledItems);
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/ini.h"
#include "editor/jump_tree.h"
#include "jumplist/jump_list.h"
#include "settings/settings_store.h"

namespace pathorama::editor {

// Fresh record numbers from the list's ItemCounter.
JumpTree::FreshId FreshIdsFrom(jumplist::JumpList& list);

// Empties the tree and fills it from the list's stored items (function and
// current-folder items and placeholders are left out). An entry becomes a
// node with its caption and a record (its tag, its path info trimmed); a
// separator a node "-" without record; a group a node "-" + caption with a
// record (its tag, its path info or "<>" when it has none), its items as
// children, and after it an end marker "--" with a fresh record "<>". Groups that hold nodes are
// expanded. Selection and focus are left empty.
void BuildTreeFromJumpListMenu(const jumplist::JumpList& list, JumpTree& tree);

// Replaces the list's stored items and PathByTag by the tree's content and
// empties the tree. The list becomes what loading the tree's saved lines
// gives (CreatePathListFromIni): entries and groups numbered 1, 2, ... in
// depth-first order, separators included, ItemCounter the last number; an
// end marker closes the open group (a stray one at the top level is
// ignored); a node whose text is blank is left out; an entry or group is
// mapped in PathByTag (and an entry clickable) when its record's path info
// is not exactly "<>", as its path line is saved. Disabled entries are
// greyed, and hidden with `hideDisabledItems`. Function items stay, after
// the entries; current-folder items go (the menu adds them again).
void RebuildJumpListMenuFromTree(JumpTree& tree, jumplist::JumpList& list, bool hideDisabledItems);

// One stored entry: a "menu<k>" line and, when present, its "path<k>" line.
struct StoredLine {
  std::u16string menu;
  std::optional<std::u16string> path;
};

// The tree's lines in depth-first order: every node's text unchanged, and a
// path line for each record whose path info is not exactly "<>".
std::vector<StoredLine> StoredLinesOfTree(const JumpTree& tree);

// Replaces section "PathMenu" of `doc` with the lines, numbered from 1. A
// value holding a line break would plant a line of its own in the file: then
// nothing is written and the answer is false.
bool WriteStoredLines(const std::vector<StoredLine>& lines, core::IniDocument& doc);

// `SavePathListFromTreeViewToIni` into the document only; false (and the
// document unchanged) when it could not be written.
bool SavePathListFromTreeViewToIni(const JumpTree& tree, core::IniDocument& doc);

// The editor's save: the file's read-only attribute cleared, the tree into
// the document, the document to disk through the program's settings writer
// (which never writes over a settings file it could not read). On failure
// the section is restored, so the document still holds what the file does,
// and the answer is false.
bool SaveTreeToIniFile(const JumpTree& tree, core::IniDocument& doc,
                       settings::SettingsFiles& files);

}  // namespace pathorama::editor
