// The path and system names: the user's special folders, the program's own
// folder, the folders other programs have open, the newest and oldest
// subfolder of the folder before the variable, environment facts, the Run
// keys and the system names.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "variables/variable_environment.h"

namespace pathorama::variables {

// The names whose value is a path ({MyDocuments}, {OpenedDir}, {Temp}...).
bool IsPathName(std::u16string_view nameText);
// The Run keys and the system names ({RegAutoRun}, {UserName}, {SystemBits}...).
bool IsSystemName(std::u16string_view nameText);

// The value of a path or system name. Nothing (the variable stays in braces)
// where the environment has no source for it (no system facts, a platform
// without a "Shell Folders" key or other programs to ask) and for
// {WorkGroup}, which has none anywhere; an empty text where the source has
// no value.
std::optional<std::u16string> EvaluatePathName(const VariableRequest& request);

}  // namespace pathorama::variables
