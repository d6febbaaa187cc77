// The value families as the driver sees them: each claims the names it
// computes and gives their values. Adding a family is one entry in the table
// of variable_families.cpp.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "variables/variable_environment.h"

namespace pathorama::variables {

struct VariableFamily {
  const char* name;
  // Whether the name text is one of this family's forms. The first family
  // that claims a variable decides it.
  bool (*claims)(std::u16string_view nameText);
  // True when the variable has a value (written to `value`); a claimed
  // variable without one keeps "{" name text "}".
  bool (*evaluate)(const VariableRequest& request, std::u16string& value);
};

// The families in the order they are asked.
const std::vector<VariableFamily>& VariableFamilies();

}  // namespace pathorama::variables
