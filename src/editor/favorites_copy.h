// The import dialog's side of copying: the entries the user may pick as the
// base of the insertion (from the editor's tree), and the copy of the
// dialog's selected entries into the editor's tree at a position relative to
// that base. Both trees are the editor's tree model.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "editor/jump_tree.h"

namespace pathorama::editor {

enum class CopyPosition { Replace, After, Before, Inside, FirstInLevel, LastInLevel };

// One line of the base-entry list: every node except end markers, group
// heads without their "-", each level indented by two ideographic spaces.
// Separators are lines of their own that cannot be chosen.
struct BaseEntryChoice {
  std::u16string text;  // indented
  int32_t customId = 0;
  bool separator = false;
};
std::vector<BaseEntryChoice> BaseEntryChoices(const JumpTree& tree);

// The base entry as the dialog keeps it: the chosen node's number and the
// caption shown for it.
struct BaseEntry {
  int32_t customId = 0;
  std::u16string caption;
};
// The caption shown for a choice: its text without the indentation.
std::u16string BaseEntryCaption(const BaseEntryChoice& choice);
// The node of `tree` that still is `base` (the same number and caption),
// or none: a save of the editor renumbers its entries.
std::optional<NodeId> FindBaseEntry(const JumpTree& tree, const BaseEntry& base);

enum class CopyOutcome {
  kCopied,
  kNoBase,         // no base entry (or it is gone): the user is warned, nothing changes
  kNothingToCopy,  // no focused or selected node in the dialog's tree: nothing changes
};
struct CopyResult {
  CopyOutcome outcome = CopyOutcome::kCopied;
  size_t copied = 0;  // nodes made in the target
};

// "导入指定的收藏夹条目": the selection of `source` (normalised first) is
// copied into `target` at `position` relative to `base` (not needed for
// Replace, which empties `target` first). A selected group comes with its
// whole subtree and end marker; a selected node in an unselected group
// comes alone. Copies keep the source's order and texts and get fresh
// records with the same path infos. "Inside" a normal item first makes it
// a group head (keeping its path info). The first copy is selected and
// focused in `target`.
CopyResult CopySelectedNodes(JumpTree& source, JumpTree& target, CopyPosition position,
                             std::optional<BaseEntry> base);

inline constexpr std::u16string_view kNoBaseEntryText = u"没有指定插入位置处的基准条目\r请重新设定";
inline constexpr std::u16string_view kNoBaseEntryCaption = u"未指定基准条目";

}  // namespace pathorama::editor
