// The expansion driver: finds the variables of a path in the order the
// language fixes, gives each the context of its position, asks the value
// families for a value and applies the extraction, restructuring and
// grouping sections.
#pragma once

#include <string>
#include <string_view>

#include "variables/variable_environment.h"

namespace pathorama {

// Replaces every variable of a path info (pieces separated by "|", head and
// tail tags already removed). Never fails: what is not a variable, or has no
// value, stays as written. Empty in, empty out.
std::u16string ExpandPathVariables(std::u16string_view text, const VariableEnvironment& env);

// One pass of the master pattern for `alternation` over `text`.
std::u16string ExpandVariableList(std::u16string_view text, std::u16string_view alternation,
                                  const VariableEnvironment& env);

// The value of one variable: the first family that recognises the name text
// decides; without one the result is "{" name text "}".
std::u16string EvaluateVariable(const VariableRequest& request);

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

}  // namespace pathorama
