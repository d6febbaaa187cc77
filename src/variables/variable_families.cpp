#include "variables/variable_families.h"

#include "core/regex.h"
#include "core/text.h"
#include "variables/date_time.h"
#include "variables/folder_layers.h"
#include "variables/numbering.h"
#include "variables/path_names.h"
#include "variables/variable_expansion.h"
#include "variables/variable_patterns.h"

namespace pathorama::variables {

namespace {

// The forms of the grammar a family owns, anchored over the whole name text.
const core::Regex& Whole(const std::u16string& alternation) {
  return core::Regex::Get(u"^(?:" + alternation + u")$");
}

// The date and time names on their own, without offsets or parameters:
// each is one of the forms below as it stands.
bool IsBareDateTimeName(std::u16string_view nameText) {
  static constexpr std::u16string_view kNames[] = {
      u"Today", u"CurWeekDay", u"Day",   u"YYYY", u"YY",      u"MM",      u"M",
      u"DD",    u"D",          u"DInY",  u"QInY", u"WInY",    u"DInW",    u"WeekDay",
      u"WeekNum", u"Time",     u"HHour", u"Hour", u"MMin",    u"Min",     u"SSec",
      u"Sec",   u"HH",         u"H",     u"Now",  u"MonthDays", u"WeekDays"};
  for (std::u16string_view name : kNames)
    if (core::EqualsIgnoreCase(nameText, name)) return true;
  return false;
}

bool ClaimsDateTime(std::u16string_view nameText) {
  // The most common names are decided without running the forms.
  if (IsBareDateTimeName(nameText)) return true;
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
  // keys and system names.
  static const std::vector<VariableFamily> families = {
      {"date and time", ClaimsDateTime, EvaluateDateTime},
      {"number sequence", ClaimsSequence, EvaluateSequence},
      {"path name", IsPathName, EvaluatePathName},
      {"folder layer", IsFolderLayerName, EvaluateFolderLayer},
      {"random text", ClaimsRandom, EvaluateRandom},
      {"fixed string", ClaimsFixedString, EvaluateFixedString},
      {"system name", IsSystemName, EvaluatePathName},
  };
  return families;
}

}  // namespace pathorama::variables
