// The value families as the driver sees them: each looks at one variable and
// either gives its value or passes. Adding a family is one line in the table
// of variable_families.cpp.
#pragma once

#include <string>
#include <vector>

#include "variables/variable_environment.h"

namespace pathorama {

// True when the family gives the variable a value (written to `value`).
using VariableFamily = bool (*)(const VariableRequest& request, std::u16string& value);

// The families in the order they are asked.
const std::vector<VariableFamily>& VariableFamilies();

}  // namespace pathorama
