// Folder-layer variables ({pFolder}, {gFolder}, {2Folder}, {-1Folder},
// {+1Folder}): a layer of the path the variable stands in, read after every
// other variable of the path has its value.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "variables/variable_environment.h"

namespace pathorama::variables {

// The layer the variable names; an empty text when there is no such layer.
// Nothing (the variable stays as written for a later pass) while that layer
// is itself an unexpanded layer variable, or when the passes come back to
// the same place unresolved: the driver's layer state records the places
// and ends the passes.
std::optional<std::u16string> EvaluateFolderLayer(const VariableRequest& request);

// Layer `index` (from 1) of a context path, its first text followed by its
// second; with `carriageReturnAsBackslash` a carriage return cuts too.
// Nothing when the path has fewer layers.
std::optional<std::u16string> LayerOfContext(const ContextText& context, long long index);

}  // namespace pathorama::variables
