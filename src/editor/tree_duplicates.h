// The duplicate-path test: whether a path of one entry is already a path of
// another entry of the same tree.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/prompts.h"
#include "editor/jump_tree.h"
#include "paths/path_info.h"

namespace pathorama::editor {

// The paths an entry is compared by: its path info without the marks,
// variables expanded through `expand` when it carries the variables mark,
// split at every "|", each piece trimmed of " \/*", empty pieces left out.
// Kind tags stay part of the path.
std::vector<std::u16string> ComparedPaths(std::u16string_view pathInfo,
                                          const paths::VariableExpander& expand);

struct PathDuplicate {
  std::u16string path;  // the node's path that another entry holds too
  NodeId other;         // the first such entry in depth-first order
};

// The first of the node's paths (in order) that another normal item of the
// tree holds too, compared without regard to ASCII case; none when the
// node is no normal item or no path is shared.
std::optional<PathDuplicate> FindPathAssociatedWithOtherNode(const JumpTree& tree, NodeId node,
                                                             const paths::VariableExpander& expand);

// The warning that names the path, the node and the other entry with the
// chain of groups above it. Deeper than a few levels the chain is shortened
// and the indentation stops growing, so a deep tree gives a short message.
std::u16string DuplicatePathMessage(const JumpTree& tree, NodeId node,
                                    const PathDuplicate& duplicate);
inline constexpr std::u16string_view kDuplicatePathCaption = u"路径重复";

// `IsPathAssociateOtherNode`: true when a path of the node is a path of
// another entry; the warning is shown through `prompts` when it is given
// (the editor passes it while its window is visible).
bool IsPathAssociateOtherNode(const JumpTree& tree, NodeId node,
                              const paths::VariableExpander& expand, core::UserPrompts* prompts);

}  // namespace pathorama::editor
