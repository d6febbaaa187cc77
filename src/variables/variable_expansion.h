// The expansion driver: finds the variables of a path in the order the
// language fixes, gives each the context of its position, asks the value
// families for a value and applies the extraction, restructuring and
// grouping sections.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>

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

// The path a layer variable counts in: the text produced so far followed by
// the rest of the pass text (the variable still in place), the "whole" text.
// Without a carriage return in the pass text that is the whole text; with
// one, the prefix ":" takes the part before the first carriage return of the
// whole text, "::" all of it reading the return as "\", and no prefix the
// part the variable stands in (before or after the pass text's first one).
//
// The driver calls it once per layer variable, so it takes where the
// carriage returns lie instead of searching for them.
struct LayerPosition {
  std::u16string_view produced;  // the text produced so far
  std::u16string_view rest;      // the pass text from the variable on
  size_t producedCr = std::u16string_view::npos;  // first carriage return in `produced`
  size_t restCr = std::u16string_view::npos;      // first carriage return in `rest`
  bool passHasCr = false;
  bool beforePassCr = false;  // the variable starts before the pass text's first one
};
ContextText ContextPath(const LayerPosition& at, std::u16string_view prefix);

// Folder-layer names ("pFolder", "gFolder", "[:|::][+|-]NFolder"): the only
// variables that read the context path.
bool IsFolderLayerName(std::u16string_view nameText);

// What the layer passes of one piece share: the layer counts already visited
// (",N," entries) and the flag that ends the passes. Owned by the driver,
// cleared after every piece; the folder-layer family reads and writes it.
struct LayerState {
  std::unordered_set<long long> visitedPositions;
  bool stop = false;
};
LayerState& CurrentLayerState();

}  // namespace pathorama::variables
