#include "variables/variable_families.h"

#include "core/regex.h"
#include "core/text.h"
#include "variables/date_time.h"
#include "variables/numbering.h"
#include "variables/variable_patterns.h"

namespace pathorama::variables {

namespace {

// The forms of the grammar a family owns, anchored over the whole name text.
const core::Regex& Whole(const std::u16string& alternation) {
  return core::Regex::Get(u"^(?:" + alternation + u")$");
}

bool ClaimsDateTime(std::u16string_view nameText) {
  static const core::Regex& forms = Whole(
      patterns::DateNames() + u"|" + patterns::DateNameWithParam() + u"|" + patterns::ClockNames() +
      u"|" + patterns::Moment() + u"|" + patterns::MonthDays() + u"|" + patterns::WeekDays());
  return forms.IsMatch(nameText);
}

bool ClaimsSequence(std::u16string_view nameText) {
  static const core::Regex& forms = Whole(patterns::NumberSequence());
  return forms.IsMatch(nameText);
}

bool ClaimsRandom(std::u16string_view nameText) {
  return core::EndsWithIgnoreCase(nameText, u"Random");
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

}  // namespace pathorama::variables
