// The expansion driver: finds the variables of a path in the order the
// language fixes, gives each the context of its position, asks the value
// families for a value and applies the extraction, restructuring and
// grouping sections.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "variables/variable_environment.h"

namespace pathorama::variables {

// Replaces every variable of a path info (pieces separated by "|", head and
// tail tags already removed). Never fails: what is not a variable, or has no
// value, stays as written. Empty in, empty out.
std::u16string ExpandPathVariables(std::u16string_view text, const VariableEnvironment& env);

// One pass of the master pattern for `alternation` over `text`.
std::u16string ExpandVariableList(std::u16string_view text, std::u16string_view alternation,
                                  const VariableEnvironment& env);

// The value of one variable: the first family that claims the name text
// decides; without a value the result is "{" name text "}".
std::u16string EvaluateVariable(const VariableRequest& request);
// The same, but no value at all when no family claims the name.
std::optional<std::u16string> EvaluateClaimedVariable(const VariableRequest& request);

// The path a layer variable counts in. `whole` is the text produced so far
// followed by the rest of the pass text (the variable still in place),
// `passText` the text given to the pass, `matchStart` where the variable
// starts in it, `prefix` its layer prefix ("", ":" or "::"). Without a
// carriage return in the pass text that is the whole text; with one, ":"
// takes the part before it, "::" the whole text reading it as "\", and no
// prefix the part the variable stands in.
std::u16string ContextPath(std::u16string_view whole, std::u16string_view passText,
                           size_t matchStart, std::u16string_view prefix);

// Folder-layer names ("pFolder", "gFolder", "[:|::][+|-]NFolder"): the only
// variables that read the context path.
bool IsFolderLayerName(std::u16string_view nameText);

// What the layer passes of one piece share: the layer counts already visited
// (",N," entries) and the flag that ends the passes. Owned by the driver,
// cleared after every piece; the folder-layer family reads and writes it.
struct LayerState {
  std::u16string visitedPositions;
  bool stop = false;
};
LayerState& CurrentLayerState();

}  // namespace pathorama::variables
