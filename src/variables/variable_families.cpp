#include "variables/variable_families.h"

#include "variables/date_time.h"
#include "variables/numbering.h"

namespace pathorama {

const std::vector<VariableFamily>& VariableFamilies() {
  // Asked in this order; the first that gives a value decides. The name sets
  // hardly overlap, but the order is the language's: dates and times, number
  // sequences, special folders and other path names, folder layers, random
  // text, fixed strings, Run keys and system names.
  static const std::vector<VariableFamily> families = {
      EvaluateDateTime,
      EvaluateSequence,
      EvaluateRandom,
      EvaluateFixedString,
  };
  return families;
}

}  // namespace pathorama
