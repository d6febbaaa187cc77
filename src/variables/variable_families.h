// The value families as the driver sees them: each claims the names it
// computes and gives their values. Adding a family is one entry in the table
// of variable_families.cpp.
#pragma once

#include <optional>
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
  // The variable's value; a claimed variable without one keeps
  // "{" name text "}".
  std::optional<std::u16string> (*evaluate)(const VariableRequest& request);
};

// The families in the order they are asked.
const std::vector<VariableFamily>& VariableFamilies();

}  // namespace pathorama::variables
