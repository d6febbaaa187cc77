#include "variables/variable_patterns.h"

#include <map>
#include <mutex>
#include <vector>

#include "core/regex.h"

namespace pathorama::variables::patterns {

namespace {

using S = std::u16string;

S Join(const std::vector<S>& parts, const S& separator) {
  S out;
  for (size_t i = 0; i < parts.size(); ++i) {
    if (i) out += separator;
    out += parts[i];
  }
  return out;
}

// L(names): a look-behind that accepts the parameter right after any of the
// names, with an explicit date, an empty date or no date before it.
S LookBehindAfter(const std::vector<S>& names) {
  std::vector<S> alternatives;
  for (const S& name : names) {
    if (name == u"CurWeekDay" || name == u"Today") {
      alternatives.push_back(name + u"<");
      continue;
    }
    alternatives.push_back(name + u"<" + D8() + u"><");
    alternatives.push_back(name + u"<><");
    alternatives.push_back(name + u"<");
  }
  return u"(?<=" + Join(alternatives, u"|") + u")";
}

}  // namespace

const S& D8() {
  static const S s = uR"((?:19|20)\d\d(?:0[1-9]|1[0-2])(?:0[1-9]|[1-2]\d|3[01]))";
  return s;
}

const S& FreeDateFormat() {
  static const S s = uR"((?:[^<>{}:/\|\\]*?[ymdhnsztacegp]+[^<>{}:/\|\\]*?))";
  return s;
}

const S& FreeTimeFormat() {
  static const S s = uR"((?:[^<>{}:/\|\\]*?[hnsztacegp]+[^<>{}:/\|\\]*?))";
  return s;
}

const S& DateFormatBody() {
  static const S s = u"(?<DateFormat>(?:" + LookBehindAfter({u"Day"}) + FreeDateFormat() + u"+|" +
                     LookBehindAfter({u"CurWeekDay", u"WeekDay", u"MM", u"M"}) +
                     u"(?:Chn|Eng|ShortEng)|" +
                     LookBehindAfter({u"YYYY", u"YY", u"DD", u"D", u"DInY", u"QInY", u"WInY",
                                      u"DInW", u"WeekNum"}) +
                     u"Chn|" +
                     LookBehindAfter({u"YYYY", u"YY", u"MM", u"M", u"DD", u"D", u"Today",
                                      u"Day"}) +
                     u"ChnEra|" + LookBehindAfter({u"YYYY", u"YY"}) + u"ShengXiao))";
  return s;
}

S Range(std::u16string_view prefix) {
  const S p(prefix);
  // An endpoint: a number, or a quoted text with its occurrence, its "*"
  // (a regular expression) and its "?" (ignoring case).
  auto endpoint = [&p](std::u16string_view name, std::u16string_view lookBehind) {
    const S n = p + S(name);
    return u"(?<" + n + u">(?<" + n + uR"(Occ>-?[1-9]\d*)?(?<)" + n + uR"(Regex>\*)?)" +
           S(lookBehind) + u"'(?<" + n + uR"(Text>[^'<>\|:]+)'\??|-?\d+))";
  };
  return endpoint(u"First", u"") + u"(?:(?<" + p + u"Sep>-|,)" + endpoint(u"Second", u"(?<!,)") +
         uR"(?)?\*?)";
}

const S& PathNames() {
  static const S s =
      u"NewestFolderC|NewestFolderW|OldestFolderC|OldestFolderW|OpenedDir|SelfDir|DeskTop|"
      u"MyDocuments|MyPictures|MyMusic|MyVideos|MyDownloads|UserProfile|DefaultProfile|"
      u"AllProfile|Public|Recent|AppData|Fonts|SendTo|Cookies|Favorites|History|Temp|Program|"
      u"x86Program|SysDrive|WinDir|DocFolderPath|XlsFolderPath|PptFolderPath|OfficeFolderPath|"
      u"RegAutoRun|RegAutoRunOnce|RegCurUserAutoRun|RegCurUserAutoRunOnce";
  return s;
}

const S& GroupablePathNames() {
  static const S s = [] {
    S all = PathNames();
    return all.substr(0, all.find(u"|RegAutoRun|"));
  }();
  return s;
}

const S& Extraction() {
  static const S s =
      u"(?<!MonthDays|WeekDays|Number|RomaNum|ChineseNum|ChineseNum_Caps|CircledNum)"
      u"(?<RangeText>" +
      Range(u"Plain") + u"|(?<=" + PathNames() + u")(?<LayerRange><" + Range(u"Layer") +
      u">)(?<After>" + Range(u"After") + u")?)";
  return s;
}

const S& Restructure() {
  static const S s =
      uR"((?::(?<Delimiter>[^:\|\{\}<>]*)(?::(?<Connector>[^:\|\{\}<>]*)(?::(?<Sections>-?\d+-?(?:-?\d+)?(?:,-?\d+-?(?:-?\d+)?)*)?(?::(?<Deletion>[^:\|\{\}<>]*))?)?)?)?)";
  return s;
}

const S& ExtractRestructure() {
  static const S s = u"(?:" + Extraction() + u")?" + Restructure();
  return s;
}

const S& Grouping() {
  static const S s = u"(?<!" + GroupablePathNames() +
                     u"|Number|RomaNum|ChineseNum|ChineseNum_Caps|CircledNum|MonthDays|WeekDays)"
                     uR"(<(?<GroupSize>-?\d+)(?:/(?<GroupSeparator>[^:\|\{\}<>]+))?>)";
  return s;
}

const S& DateNames() {
  static const S s =
      uR"((?:[\+\-]\d+[ymwd]?){0,4}(?:Today|CurWeekDay|(?:Day|YYYY|YY|MM|M|DD|D|DInY|QInY|WInY|DInW|WeekDay|WeekNum)(?:<(?:)" +
      D8() + u")?>)?)(?:<" + DateFormatBody() + u">)?";
  return s;
}

const S& DateNameWithParam() {
  static const S s =
      uR"((?:[\+\-]\d+)?(?:Day|YYYY|YY|MM|M|DD|D|DInY|QInY|WInY|DInW|WeekDay|WeekNum)(?=<(?:)" +
      D8() + u"|)>|)";
  return s;
}

const S& ClockNames() {
  static const S s =
      uR"((?:[\+\-]\d+[hns]?){0,3}(?:Time|HHour|Hour|MMin|Min|SSec|Sec|HH|H)(?:<(?<=Time<|HHour<|Hour<|MMin<|Min<|SSec<|Sec<|HH<|H<))" +
      FreeTimeFormat() + u">)?";
  return s;
}

const S& Moment() {
  static const S s =
      uR"((?:[\+\-]\d+[ymwdhns]?){0,7}Now(?:<(?<=Now<))" + FreeDateFormat() + u">)?";
  return s;
}

const S& MonthDays() {
  static const S s =
      uR"((?<MonthDaysMonth>(?:19|20)\d{2}(?:0[1-9]|1[0-2])|(?:[1-9]|1[0-2])|[\+\-]\d+)?MonthDays(?<MonthDaysFilter><-?[1-7]{1,7}(?:-[1-7]{0,6})?>)?(?:<(?<MonthDaysFormat>[^<>{}:/\|\\]*?[ymd]+[^<>{}:/\|\\]*?)>)?)";
  return s;
}

const S& WeekDays() {
  static const S s =
      uR"((?<WeekDaysWeek>(?:19|20)\d{2}(?:0[1-9]|1[0-2])(?:0[1-9]|[12]\d|30|31)|(?:19|20)\d{2}[0-5]?\d|(?:[0-5]?\d|[\+\-]\d+))?WeekDays(?<WeekDaysFilter><-?[1-7]{1,7}(?:-[1-7]{0,6})?>)?(?:<(?<WeekDaysFormat>[^<>{}:/\|\\]*?[ymd]+[^<>{}:/\|\\]*?)>)?)";
  return s;
}

const S& NumberSequence() {
  static const S s =
      uR"((?<SequenceFrom>-?\d+)(?<SequenceKind>-|,)(?<SequenceTo>(?:(?<!,)-)?\d+)(?::(?<SequenceStep>-?\d+)(?::(?<SequenceWidth>[1-9]\d*(?=Number)))?)?(?<OrdNum>Number|RomaNum|ChineseNum|ChineseNum_Caps|CircledNum))";
  return s;
}

const S& RandomText() {
  static const S s = uR"((?:\d+(?:\+|-|-\d+)?)?Random)";
  return s;
}

const S& BareNames() {
  static const S s =
      u"NewestFolderC|NewestFolderW|OldestFolderC|OldestFolderW|OpenedDir|SelfDir|DeskTop|"
      u"MyDocuments|MyPictures|MyMusic|MyVideos|MyDownloads|UserProfile|DefaultProfile|"
      u"AllProfile|Public|Recent|AppData|Fonts|SendTo|Cookies|Favorites|History|Temp|Program|"
      u"x86Program|SysDrive|WinDir|DocFolderPath|XlsFolderPath|PptFolderPath|OfficeFolderPath|"
      u"UserName|WorkGroup|PCName|OS|SystemBits|RegAutoRun|RegAutoRunOnce|RegCurUserAutoRun|"
      u"RegCurUserAutoRunOnce|ABC_Upper|ABC_Lower|TianGan|DiZhi|ShengXiao";
  return s;
}

const S& AllVariables() {
  static const S s = Join({DateNames(), DateNameWithParam(), ClockNames(), Moment(), MonthDays(),
                           WeekDays(), NumberSequence(), RandomText(), BareNames()},
                          u"|");
  return s;
}

const S& LayerVariables() {
  static const S s = uR"((?<LayerOffset>(?:|:|::)?)(?:[\+\-]?\d+Folder|pFolder|gFolder))";
  return s;
}

const S& LayerDetector() {
  static const S s = uR"(\{)" + LayerVariables() + u"(?:(?:" + Extraction() + u")?" +
                     Restructure() + u")?" + u"(?:" + Grouping() + u")?" + u"}";
  return s;
}

S MasterPattern(std::u16string_view alternation) {
  return uR"(\{(?<Escapes>\\*)(?:(?<VarListWithOptions>)" + S(alternation) + u")" +
         u"(?<StrExtractRestructure>" + ExtractRestructure() + u")?" + u"(?<StrSplitToGroup>" +
         Grouping() + u")?" + u")" + uR"(\})";
}

}  // namespace pathorama::variables::patterns

namespace pathorama::variables {

const core::Regex& MasterRegex(std::u16string_view alternation) {
  // Building the pattern text costs more than a search of a short path, so
  // each alternation's compiled pattern is remembered.
  static std::mutex mutex;
  static std::map<std::u16string, const core::Regex*, std::less<>> cache;
  std::lock_guard<std::mutex> lock(mutex);
  auto it = cache.find(alternation);
  if (it == cache.end())
    it = cache
             .emplace(std::u16string(alternation),
                      &core::Regex::Get(patterns::MasterPattern(alternation)))
             .first;
  return *it->second;
}

}  // namespace pathorama::variables
