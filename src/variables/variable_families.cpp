#include "variables/variable_families.h"

#include "core/regex.h"
#include "core/text.h"
#include "variables/date_time.h"
#include "variables/numbering.h"
#include "variables/variable_patterns.h"

namespace pathorama {

namespace {

// The forms of the grammar a family owns, anchored over the whole name text.
const Regex& Whole(const std::u16string& alternation) {
  return Regex::Get(u"^(?:" + alternation + u")$");
}

bool ClaimsDateTime(std::u16string_view nameText) {
  static const Regex& forms =
      Whole(var_pattern::DateNames() + u"|" + var_pattern::DateNameWithParam() + u"|" +
            var_pattern::ClockNames() + u"|" + var_pattern::Moment() + u"|" +
            var_pattern::MonthDays() + u"|" + var_pattern::WeekDays());
  return forms.IsMatch(nameText);
}

bool ClaimsSequence(std::u16string_view nameText) {
  static const Regex& forms = Whole(var_pattern::NumberSequence());
  return forms.IsMatch(nameText);
}

bool ClaimsRandom(std::u16string_view nameText) {
  return EndsWithIgnoreCase(nameText, u"Random");
}

bool ClaimsFixedString(std::u16string_view nameText) {
  return FixedString(nameText).has_value();
}

}  // namespace

const std::vector<VariableFamily>& VariableFamilies() {
  // The language's order: dates and times, number sequences, special folders
  // and the other path names, folder layers, random text, fixed strings, Run
  // keys and system names. A name no family claims yet (the path, layer and
  // system names until their family exists) stays as written, sections and
  // all, as an unknown variable does.
  static const std::vector<VariableFamily> families = {
      {"date and time", ClaimsDateTime, EvaluateDateTime},
      {"number sequence", ClaimsSequence, EvaluateSequence},
      {"random text", ClaimsRandom, EvaluateRandom},
      {"fixed string", ClaimsFixedString, EvaluateFixedString},
  };
  return families;
}

}  // namespace pathorama
