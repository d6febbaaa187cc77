// The environment `pathorama-cli expand --now ... --seed 42` builds: a fixed
// moment (Sunday 2026-03-08 09:03:07), a seeded random source, the defaults.
#pragma once

#include "variables/clocks.h"
#include "variables/numbering.h"
#include "variables/variable_environment.h"

namespace pathorama::variables {

struct TestEnvironment {
  FixedClock clock{LocalDateTime{2026, 3, 8, 9, 3, 7, 0}};
  SeededRandom random{42};
  VariableOptions options;
  VariableEnvironment env{&clock, &random, &options};
};

}  // namespace pathorama::variables
