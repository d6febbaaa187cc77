#include "variables/date_time.h"

#include <algorithm>
#include <optional>

#include "core/regex.h"
#include "core/text.h"
#include "variables/date_calendar.h"
#include "variables/date_format.h"
#include "variables/date_locale.h"
#include "variables/index_list.h"
#include "variables/lunar.h"
#include "variables/numerals.h"
#include "variables/variable_patterns.h"

namespace pathorama::variables {
namespace {

using S = std::u16string;
using patterns::D8;
using patterns::DateFormatBody;

// The anchored tests, in the order they are tried. Each is looked up once:
// a lookup compares the long pattern texts.
const core::Regex& MomentTest() {
  static const core::Regex& re = core::Regex::Get(
      uR"(^(?:[\+\-]\d+[ymwdhns]){0,7}Now(?:<(?<=Now<)(?<Format>[^<>{}:/\|\\]*?[ymdhnsztacegp]+[^<>{}:/\|\\]*?)>)?$)");
  return re;
}
// One offset ("+1d", "-2h") at the start of a text: `Count` and `Unit`.
const core::Regex& MomentStep() {
  static const core::Regex& re = core::Regex::Get(uR"(^(?<Count>[\+\-]\d+)(?<Unit>[ymwdhns]))");
  return re;
}

const core::Regex& ClockTimeTest() {
  static const core::Regex& re = core::Regex::Get(
      uR"(^(?:[\+\-]\d+[hns]){0,3}Time(?:<(?<=Time<|HHour<|Hour<|MMin<|Min<|SSec<|Sec<|HH<|H<)(?<Format>[^<>{}:/\|\\]*?[hnsztacegp]+[^<>{}:/\|\\]*?)>)?$)");
  return re;
}
const core::Regex& ClockTimeStep() {
  static const core::Regex& re = core::Regex::Get(uR"(^(?<Count>[\+\-]\d+)(?<Unit>[hns]))");
  return re;
}

const core::Regex& TodayTest() {
  static const S p = uR"(^(?:[\+\-]\d+[ymwd]?){0,4}Today(?:<)" + DateFormatBody() + u">)?$";
  static const core::Regex& re = core::Regex::Get(p);
  return re;
}
const core::Regex& TodayFormat() {
  static const S p = u"<" + DateFormatBody() + u">$";
  static const core::Regex& re = core::Regex::Get(p);
  return re;
}

const core::Regex& CurWeekDayTest() {
  static const S p =
      uR"(^(?:[\+\-]\d+[ymwd]?){0,4}CurWeekDay\b(?:<)" + DateFormatBody() + u">)?$";
  static const core::Regex& re = core::Regex::Get(p);
  return re;
}

const core::Regex& WeekDayTest() {
  static const S p = uR"(^(?:[\+\-]\d+[ymwd]?){0,4}(?<Form>WeekDay<(?<Date>)" + D8() +
                     uR"()>|WeekDay<>|WeekDay)(?:<(?<Language>Chn|Eng|ShortEng)>)?$)";
  static const core::Regex& re = core::Regex::Get(p);
  return re;
}

const core::Regex& DatePartsTest() {
  static const S p =
      uR"(^(?:[\+\-]\d+(?<Unit>[ymwd])?){0,4}(?<Name>Day|YYYY|YY|MM|M|DD|D|DInY|QInY|WInY|DInW|WeekDay|WeekNum)\b(?<DateParam><(?<Date>)" +
      D8() + uR"(|)>|)(?:<)" + DateFormatBody() + u">)?$";
  static const core::Regex& re = core::Regex::Get(p);
  return re;
}

// The parameter of the other names, searched anywhere in the name text.
const core::Regex& ParameterFormat() {
  static const S p = u"<" + DateFormatBody() + u">";
  static const core::Regex& re = core::Regex::Get(p);
  return re;
}

const core::Regex& WeekNumWithDate() {
  static const S p = u"WeekNum(?:<(?<Date>" + D8() + u")>)?";
  static const core::Regex& re = core::Regex::Get(p);
  return re;
}

const core::Regex& ClockPartsTest() {
  static const core::Regex& re = core::Regex::Get(
      uR"(^(?<Offset>[\+\-]\d+)?(?<Name>Time|HHour|Hour|MMin|Min|SSec|Sec|HH|H)(?<Chinese><chn>)?$)");
  return re;
}

const core::Regex& DateOffsets() {
  static const core::Regex& re = core::Regex::Get(
      uR"(^(?<Offsets>(?:[\+\-]\d+[ymwd]?){1,4})(?<Name>Today|CurWeekDay|Day|YYYY|YY|MM|M|DD|D|DInY|QInY|WInY|DInW|WeekDay|WeekNum))");
  return re;
}
const core::Regex& DateOffsetStep() {
  static const core::Regex& re = core::Regex::Get(uR"(^(?<Count>[\+\-]\d+)(?<Unit>[ymwd]?))");
  return re;
}

const core::Regex& WeekdaySet() {
  static const core::Regex& re = core::Regex::Get(uR"(^<-?(?<Days>[1-7]{1,7})(?<Range>-[1-7]{0,6})?>$)");
  return re;
}

// The date parts that no earlier test takes, written alone (any case).
bool IsBareDatePartName(std::u16string_view nameText) {
  static constexpr std::u16string_view kNames[] = {u"Day",  u"YYYY", u"YY",   u"MM",
                                                   u"M",    u"DD",   u"D",    u"DInY",
                                                   u"QInY", u"WInY", u"DInW", u"WeekNum"};
  for (std::u16string_view name : kNames)
    if (core::EqualsIgnoreCase(nameText, name)) return true;
  return false;
}

// An offset count; beyond any date distance it can only fail, so it fails
// before the arithmetic could overflow.
long long OffsetCount(std::u16string_view text) {
  std::optional<long long> n = core::ParseInt(text);
  if (!n || *n > 1'000'000'000'000LL || *n < -1'000'000'000'000LL) throw DateRangeError();
  return *n;
}

LocalDateTime ShiftDate(const LocalDateTime& t, char16_t unit, long long n) {
  switch (core::ToLowerChar(unit)) {
    case u'y': return AddMonths(t, 12 * n);
    case u'm': return AddMonths(t, n);
    case u'q': return AddMonths(t, 3 * n);
    case u'w': return AddDays(t, 7 * n);
    case u'd': return AddDays(t, n);
    case u'h': return AddMilliseconds(t, n * 3'600'000);
    case u'n': return AddMilliseconds(t, n * 60'000);
    case u's': return AddMilliseconds(t, n * 1'000);
  }
  return t;
}

// Offsets at the start of `text`, each matched by `step`, applied in order.
LocalDateTime ApplySteps(LocalDateTime t, std::u16string_view text, const core::Regex& step) {
  size_t at = 0;
  while (auto m = step.Search(text.substr(at))) {
    t = ShiftDate(t, m->NamedView(u"Unit")[0], OffsetCount(m->NamedView(u"Count")));
    at += m->End();
  }
  return t;
}

// A run of digits the pattern already matched; too long a run reads as 0,
// which no date accepts.
long long DigitsValue(std::u16string_view digits) { return core::ParseInt(digits).value_or(0); }

// "yyyymmdd" of a date parameter; nothing when the date does not exist.
std::optional<LocalDateTime> ParseD8(std::u16string_view digits) {
  if (digits.size() != 8) return std::nullopt;
  const long long y = DigitsValue(digits.substr(0, 4)), m = DigitsValue(digits.substr(4, 2)),
                  d = DigitsValue(digits.substr(6, 2));
  if (!core::IsValidDate(y, static_cast<int>(m), static_cast<int>(d))) return std::nullopt;
  LocalDateTime t;
  t.year = static_cast<int>(y);
  t.month = static_cast<int>(m);
  t.day = static_cast<int>(d);
  return t;
}

std::u16string NameFromTable(std::u16string_view table, long long n, long long count) {
  const auto names = core::SplitText(table, u"|");
  const long long index = ((n - 1) % count + count) % count;
  return names[static_cast<size_t>(index)];
}

std::u16string MonthName(std::u16string_view language, int month) {
  if (core::EqualsIgnoreCase(language, u"Chn") || core::EqualsIgnoreCase(language, u"Chinese"))
    return NameFromTable(u"一|二|三|四|五|六|七|八|九|十|十一|十二", month, 12);
  if (core::EqualsIgnoreCase(language, u"Eng") || core::EqualsIgnoreCase(language, u"English"))
    return NameFromTable(
        u"January|February|March|April|May|June|July|August|September|October|November|December",
        month, 12);
  if (core::EqualsIgnoreCase(language, u"ShortEng") ||
      core::EqualsIgnoreCase(language, u"ShortEnglish"))
    return NameFromTable(u"Jan|Feb|Mar|Apr|May|Jun|Jul|Aug|Sept|Oct|Nov|Dec", month, 12);
  return u"";
}

std::u16string WeekdayName(std::u16string_view language, int isoWeekday) {
  if (core::EqualsIgnoreCase(language, u"Chn") || core::EqualsIgnoreCase(language, u"Chinese"))
    return NameFromTable(u"一|二|三|四|五|六|日", isoWeekday, 7);
  if (core::EqualsIgnoreCase(language, u"Eng") || core::EqualsIgnoreCase(language, u"English"))
    return NameFromTable(u"Monday|Tuesday|Wednesday|Thursday|Friday|Saturday|Sunday",
                         isoWeekday, 7);
  if (core::EqualsIgnoreCase(language, u"ShortEng") ||
      core::EqualsIgnoreCase(language, u"ShortEnglish"))
    return NameFromTable(u"Mon.|Tue.|Wed.|Thu.|Fri.|Sat.|Sun.", isoWeekday, 7);
  return u"";
}

// A group's text, or nothing when it did not take part.
std::optional<S> NamedOrNone(const core::RegexMatch& m, std::u16string_view name) {
  if (!m.NamedMatched(name)) return std::nullopt;
  return m.Named(name);
}

std::u16string Positional(long long n) { return ChineseNumeral(core::IntToText(n), u"零"); }

// Everything one evaluation reads: the clock once, the options, the locale.
class DateEvaluation {
 public:
  DateEvaluation(const VariableRequest& request, const LocalDateTime& now)
      : name_(request.nameText),
        options_(request.env.options ? *request.env.options : defaultOptions_),
        locale_(LocaleOf(request.env)),
        now_(now),
        today_(DateOnly(now)) {}

  std::optional<S> Evaluate() {
    const S lower = core::ToLower(name_);
    // The name decides which tests can match at all: a test whose word the
    // name lacks is not run. Only for ASCII names, where lowering the name
    // is exactly the tests' caseless matching.
    const bool ascii = std::all_of(name_.begin(), name_.end(), [](char16_t c) { return c < 0x80; });
    auto mayBe = [&](std::u16string_view word) { return !ascii || lower.find(word) != S::npos; };
    if (mayBe(u"now"))
      if (auto m = MomentTest().Search(name_)) return Moment(*m);
    if (mayBe(u"time"))
      if (auto m = ClockTimeTest().Search(name_)) return ClockTime(*m);
    if (mayBe(u"today") && TodayTest().IsMatch(name_)) return Today();
    if (mayBe(u"curweekday") && CurWeekDayTest().IsMatch(name_)) return CurWeekDay();
    if (mayBe(u"weekday"))
      if (auto m = WeekDayTest().Search(name_)) return WeekDay(*m);
    // A date part on its own is its test's match as it stands: the name,
    // and no unit, date or format.
    if (IsBareDatePartName(name_)) return DatePart({S(name_), S(), {}, {}, std::nullopt});
    if (auto m = DatePartsTest().Search(name_)) return DatePart(FormOf(*m));
    if (auto m = ClockPartsTest().Search(name_)) return ClockPart(*m);
    if (lower.find(u"monthdays") != S::npos) return MonthDays();
    if (lower.find(u"weekdays") != S::npos) return WeekDays();
    return std::nullopt;
  }

 private:
  bool SundayBased() const { return options_.weekStartsWith == 1; }
  S Format(std::u16string_view format, const LocalDateTime& t) const {
    return FormatDateTime(format, t, locale_);
  }
  // The invalid-format rule: a format whose output is the format itself.
  std::optional<S> FormatChecked(std::u16string_view format, const LocalDateTime& t) const {
    S value = Format(core::ToLower(format), t);
    if (u"<" + value + u">" == u"<" + S(format) + u">") return std::nullopt;
    return value;
  }
  std::optional<S> ChnEra(const LocalDateTime& t) const {
    const int year = YearGanZhiOfDate(t.year, t.month, t.day);
    const int month = MonthGanZhi(t.year, t.month, t.day);
    const int day = DayGanZhi(t.year, t.month, t.day);
    if (year < 0 || month < 0 || day < 0) return std::nullopt;
    return GanZhiName(year) + u"年" + GanZhiName(month) + u"月" + GanZhiName(day) + u"日";
  }
  S DefaultDateFormat() const {
    return u"yyyy" + options_.yearMonthDayDelimiter + u"mm" + options_.yearMonthDayDelimiter +
           u"dd";
  }

  std::optional<S> Moment(const core::RegexMatch& m) {
    const LocalDateTime t = ApplySteps(now_, name_, MomentStep());
    if (!m.NamedMatched(u"Format")) return Format(u"yyyymmddhhnnss", t);
    const S format = m.Named(u"Format");
    if (core::EqualsIgnoreCase(format, u"Chn")) return ChineseDigits(Format(u"yyyymmddhhnnss", t));
    return Format(core::ToLower(format), t);
  }

  std::optional<S> ClockTime(const core::RegexMatch& m) {
    const LocalDateTime t = ApplySteps(now_, name_, ClockTimeStep());
    if (!m.NamedMatched(u"Format")) return Format(u"hhnnss", t);
    const S format = m.Named(u"Format");
    if (core::EqualsIgnoreCase(format, u"Chn")) return ChineseDigits(Format(u"hhnnss", t));
    return Format(core::ToLower(format), t);
  }

  std::optional<S> Today() {
    const LocalDateTime t = ApplyDateOffsets(now_, name_, today_);
    const auto format = TodayFormat().Search(name_);
    if (!format) return Format(DefaultDateFormat(), t);
    const S param = format->Named(u"DateFormat");
    if (core::EqualsIgnoreCase(param, u"Chn")) return ChineseDigits(Format(u"yyyymmdd", t));
    if (core::EqualsIgnoreCase(param, u"ChnEra")) return ChnEra(t);
    return FormatChecked(param, t);
  }

  // The weekday as a number, or as a name in the language of the parameter.
  std::optional<S> WeekdayValue(const LocalDateTime& t, std::optional<S> language) {
    if (!language) return core::IntToText(IsoWeekday(t));
    return WeekdayName(*language, IsoWeekday(t));
  }

  std::optional<S> CurWeekDay() {
    const LocalDateTime t = ApplyDateOffsets(today_, name_, today_);
    std::optional<S> language;
    if (auto p = ParameterFormat().Search(name_)) language = p->Named(u"DateFormat");
    return WeekdayValue(t, language);
  }

  LocalDateTime ExplicitDate(std::u16string_view digits) const {
    if (auto d = ParseD8(digits)) return *d;
    return today_;  // an impossible explicit date stands for today
  }

  std::optional<S> WeekDay(const core::RegexMatch& m) {
    LocalDateTime date = today_;
    if (m.NamedMatched(u"Date"))
      date = ExplicitDate(m.NamedView(u"Date"));
    else if (core::EqualsIgnoreCase(m.NamedView(u"Form"), u"WeekDay<>"))
      date = EmptyParamDate(options_, today_);
    const LocalDateTime t = ApplyDateOffsets(date, name_, today_);
    std::optional<S> language;
    if (m.NamedMatched(u"Language")) language = m.Named(u"Language");
    return WeekdayValue(t, language);
  }

  // What a date part's test reads from the name.
  struct DatePartForm {
    S name;
    S unit;
    std::u16string_view date;
    std::u16string_view dateParam;
    std::optional<S> dateFormat;
  };
  static DatePartForm FormOf(const core::RegexMatch& m) {
    DatePartForm form{m.Named(u"Name"), m.Named(u"Unit"), m.NamedView(u"Date"),
                      m.NamedView(u"DateParam"), std::nullopt};
    if (m.NamedMatched(u"DateFormat")) form.dateFormat = m.Named(u"DateFormat");
    return form;
  }

  std::optional<S> DatePart(DatePartForm form) {
    S name = std::move(form.name);
    const S unit = std::move(form.unit);
    LocalDateTime date = today_;
    if (!form.date.empty())
      date = ExplicitDate(form.date);
    else if (form.dateParam == u"<>")
      date = EmptyParamDate(options_, today_);
    // "+1mm" reads as one month ahead written with two digits.
    if (core::EqualsIgnoreCase(unit, u"m") && core::EqualsIgnoreCase(name, u"M")) name = u"MM";
    if (core::EqualsIgnoreCase(unit, u"d") && core::EqualsIgnoreCase(name, u"D")) name = u"DD";
    const LocalDateTime t = ApplyDateOffsets(date, name_, today_);
    const std::optional<S> param = std::move(form.dateFormat);
    const auto is = [&](std::u16string_view word) { return core::EqualsIgnoreCase(name, word); };
    const auto paramIs = [&](std::u16string_view word) {
      return param && core::EqualsIgnoreCase(*param, word);
    };

    if (is(u"Day")) {
      if (!param) return Format(u"yyyymmdd", t);
      if (paramIs(u"Chn")) return ChineseDigits(Format(u"yyyymmdd", t));
      if (paramIs(u"ChnEra")) return ChnEra(t);
      return FormatChecked(*param, t);
    }
    const bool year = is(u"YYYY") || is(u"YY");
    const bool month = is(u"MM") || is(u"M");
    const bool day = is(u"DD") || is(u"D");
    if (year || month || day) {
      const S plain = Format(core::ToLower(name), t);
      if (!param) return plain;
      if (month && (paramIs(u"Chn") || paramIs(u"Eng") || paramIs(u"ShortEng")))
        return MonthName(*param, t.month);
      if (day && paramIs(u"Chn")) return ChineseNumeral(plain, u"零");
      if (year && paramIs(u"Chn")) return ChineseDigits(plain);
      if (paramIs(u"ChnEra")) {
        int index = YearGanZhi(t.year);
        S suffix = u"年";
        if (month) {
          index = MonthGanZhi(t.year, t.month, t.day);
          suffix = u"月";
        } else if (day) {
          index = DayGanZhi(t.year, t.month, t.day);
          suffix = u"日";
        }
        if (index < 0) return std::nullopt;
        return GanZhiName(index) + suffix;
      }
      if (year && paramIs(u"ShengXiao"))
        return NameFromTable(u"鼠|牛|虎|兔|龙|蛇|马|羊|猴|鸡|狗|猪", ZodiacIndex(t.year) + 1, 12) +
               u"年";
      return std::nullopt;
    }

    long long number = 0;
    if (is(u"DInY")) {
      number = DayOfYear(t);
    } else if (is(u"QInY")) {
      number = (t.month + 2) / 3;
    } else if (is(u"WInY")) {
      number = WeekInYear(t);
    } else if (is(u"WeekNum")) {
      number = WeekNum();
    } else if (is(u"DInW")) {
      number = SundayBased() ? SundayWeekday(t) : IsoWeekday(t);
    } else {
      return std::nullopt;  // `WeekDay` with a parameter its own test refused
    }
    if (!param) return core::IntToText(number);
    if (paramIs(u"Chn")) return Positional(number);
    return std::nullopt;
  }

  long long WeekInYear(const LocalDateTime& t) const {
    if (options_.firstDayAsFirstWeek)
      return WeekNumberFrom(SundayBased(), false, t, WeekOneStart(options_, today_));
    if (SundayBased() && IsoWeekday(t) == 7)
      return t.month == 1 && t.day == 1 ? 1 : IsoWeekNumber(t) + 1;
    return IsoWeekNumber(t);
  }

  // Counted from the configured week 1; offsets and `<>` take no part, and
  // the week before week 1 is -1.
  long long WeekNum() const {
    LocalDateTime date = today_;
    if (auto m = WeekNumWithDate().Search(name_); m && m->NamedMatched(u"Date"))
      date = ExplicitDate(m->NamedView(u"Date"));
    long long n = WeekNumberFrom(SundayBased(), true, date, WeekOneStart(options_, today_));
    return n < 1 ? n - 1 : n;
  }

  std::optional<S> ClockPart(const core::RegexMatch& m) {
    const S name = m.Named(u"Name");
    if (core::EqualsIgnoreCase(name, u"Time")) return std::nullopt;
    const char16_t first = core::ToLowerChar(name[0]);
    const char16_t unit = first == u'h' ? u'h' : first == u'm' ? u'n' : u's';
    const LocalDateTime t =
        m.NamedMatched(u"Offset") ? ShiftDate(now_, unit, OffsetCount(m.NamedView(u"Offset"))) : now_;
    long long number = unit == u'h' ? t.hour : unit == u'n' ? t.minute : t.second;
    if (core::EqualsIgnoreCase(name, u"H") || core::EqualsIgnoreCase(name, u"HH")) number %= 12;
    const bool twoDigits = name.size() == 2 || core::EqualsIgnoreCase(name, u"HHour") ||
                           core::EqualsIgnoreCase(name, u"MMin") ||
                           core::EqualsIgnoreCase(name, u"SSec");
    S text = core::IntToText(number);
    if (twoDigits && text.size() < 2) text.insert(0, u"0");
    if (m.NamedMatched(u"Chinese")) return ChineseNumeral(text, u"零");
    return text;
  }

  // The days kept by the weekday filter, formatted and joined as branches.
  S DayList(const LocalDateTime& first, int count, const std::optional<S>& filter,
            const std::optional<S>& format) const {
    std::u16string set;
    bool dropList = false;
    if (filter) {
      set = WeekdaySetFromParam(*filter);
      dropList = filter->starts_with(u"<-");
    }
    const S dayFormat = format ? core::ToLower(*format) : DefaultDateFormat();
    std::vector<S> days;
    for (int i = 0; i < count; ++i) {
      const LocalDateTime t = AddDays(first, i);
      if (filter) {
        const bool listed = set.find(static_cast<char16_t>(u'0' + IsoWeekday(t))) != S::npos;
        if (listed == dropList) continue;
      }
      days.push_back(Format(dayFormat, t));
    }
    S value = core::JoinText(days, u"|");
    if (value.find(u'|') != S::npos) value = u"(" + value + u")";
    return value;
  }

  std::optional<S> MonthDays() {
    static const core::Regex& form = core::Regex::Get(patterns::MonthDays());
    const auto m = form.Search(name_);
    if (!m) return std::nullopt;
    LocalDateTime first = today_;
    first.day = 1;
    if (m->NamedMatched(u"MonthDaysMonth")) {
      const S monthText = m->Named(u"MonthDaysMonth");
      const long long n = DigitsValue(monthText);
      if (monthText[0] == u'+' || monthText[0] == u'-') {
        first = AddMonths(first, OffsetCount(monthText));
      } else if (monthText.size() == 6) {
        first.year = static_cast<int>(DigitsValue(std::u16string_view(monthText).substr(0, 4)));
        first.month = static_cast<int>(DigitsValue(std::u16string_view(monthText).substr(4)));
      } else if (n >= 1 && n <= 12) {
        first.month = static_cast<int>(n);
      } else {
        return std::nullopt;
      }
    }
    return DayList(first, core::DaysInMonth(first.year, first.month), NamedOrNone(*m, u"MonthDaysFilter"),
                   NamedOrNone(*m, u"MonthDaysFormat"));
  }

  // The start day of the week that holds `date`.
  LocalDateTime StartOfWeek(const LocalDateTime& date) const {
    const LocalDateTime monday = AddDays(date, 1 - IsoWeekday(date));
    if (!SundayBased()) return monday;
    return IsoWeekday(date) == 7 ? date : AddDays(monday, -1);
  }

  // Week `week` of `year`, counted from the week-1 start when it lies in
  // that year, else from the week of 1 January.
  LocalDateTime WeekOfYear(long long year, long long week) const {
    const LocalDateTime weekOne = WeekOneStart(options_, today_);
    LocalDateTime base = weekOne;
    if (weekOne.year != year) {
      if (year < core::kMinYear || year > core::kMaxYear) throw DateRangeError();
      base = LocalDateTime{};
      base.year = static_cast<int>(year);
    }
    return AddDays(StartOfWeek(base), 7 * (week - 1));
  }

  std::optional<S> WeekDays() {
    static const core::Regex& form = core::Regex::Get(patterns::WeekDays());
    const auto m = form.Search(name_);
    if (!m) return std::nullopt;
    const LocalDateTime current = StartOfWeek(today_);
    LocalDateTime start = current;
    if (m->NamedMatched(u"WeekDaysWeek")) {
      const S weekText = m->Named(u"WeekDaysWeek");
      if (weekText[0] == u'+' || weekText[0] == u'-') {
        start = AddDays(current, 7 * OffsetCount(weekText));
      } else if (weekText.size() == 8) {
        const auto date = ParseD8(weekText);
        if (!date) return std::nullopt;
        start = StartOfWeek(*date);
      } else if (weekText.size() == 5 || weekText.size() == 6) {
        start = WeekOfYear(DigitsValue(std::u16string_view(weekText).substr(0, 4)),
                           DigitsValue(std::u16string_view(weekText).substr(4)));
      } else {
        const long long week = DigitsValue(weekText);
        if (WeekOneStart(options_, today_).year == today_.year)
          start = WeekOfYear(today_.year, week);
        else
          start = AddDays(current, 7 * (week - IsoWeekNumber(today_)));
      }
    }
    return DayList(start, 7, NamedOrNone(*m, u"WeekDaysFilter"), NamedOrNone(*m, u"WeekDaysFormat"));
  }

  static inline const VariableOptions defaultOptions_{};
  std::u16string_view name_;
  const VariableOptions& options_;
  const DateLocale& locale_;
  LocalDateTime now_;
  LocalDateTime today_;
};

}  // namespace

LocalDateTime ApplyDateOffsets(const LocalDateTime& date, std::u16string_view nameText,
                               const LocalDateTime& today) {
  LocalDateTime t = IsValidDateTime(date) ? date : DateOnly(today);
  // Offsets lead the name: without a sign first there are none.
  if (nameText.empty() || (nameText[0] != u'+' && nameText[0] != u'-')) return t;
  const auto m = DateOffsets().Search(nameText);
  if (!m) return t;
  const S name = m->Named(u"Name");
  char16_t nameUnit = u'd';
  const char16_t first = core::ToLowerChar(name[0]);
  if (first == u'y')
    nameUnit = u'y';
  else if (first == u'm')
    nameUnit = u'm';
  else if (first == u'w' && !core::EqualsIgnoreCase(name, u"WeekDay"))
    nameUnit = u'w';
  else if (core::EqualsIgnoreCase(name, u"QInY"))
    nameUnit = u'q';
  const S offsets = m->Named(u"Offsets");
  size_t at = 0;
  while (auto step = DateOffsetStep().Search(std::u16string_view(offsets).substr(at))) {
    const std::u16string_view unit = step->NamedView(u"Unit");
    t = ShiftDate(t, unit.empty() ? nameUnit : unit[0], OffsetCount(step->NamedView(u"Count")));
    at += step->End();
  }
  return t;
}

LocalDateTime WeekStartOf(bool sundayBased, const LocalDateTime& date, const LocalDateTime& today) {
  if (date.year != 0 && date.year == today.year && core::IsValidDate(date.year, date.month, date.day)) {
    const LocalDateTime day = DateOnly(date);
    const LocalDateTime monday = AddDays(day, 1 - IsoWeekday(day));
    if (!sundayBased) return monday;
    return IsoWeekday(day) == 7 ? day : AddDays(monday, -1);
  }
  const LocalDateTime monday = IsoWeekOneMonday(today.year);
  return sundayBased ? AddDays(monday, 6) : monday;
}

long long WeekNumberFrom(bool sundayBased, bool useWeekOneStart, const LocalDateTime& date,
                         const LocalDateTime& weekOneStart) {
  LocalDateTime base = weekOneStart;
  if (!useWeekOneStart) {
    base = LocalDateTime{};
    base.year = date.year;
  }
  const auto weekday = [&](const LocalDateTime& t) {
    return sundayBased ? SundayWeekday(t) : IsoWeekday(t);
  };
  const long long baseWeekEnd = DayNumber(base) + (7 - weekday(base));
  const long long dateWeekEnd = DayNumber(date) + (7 - weekday(date));
  return (dateWeekEnd - baseWeekEnd) / 7 + 1;
}

std::u16string WeekdaySetFromParam(std::u16string_view param) {
  const auto m = WeekdaySet().Search(param);
  if (!m) return u"";
  S set = m->Named(u"Days");
  if (!m->NamedMatched(u"Range")) return set;
  const S range = m->Named(u"Range");  // "-" and up to six digits
  const char16_t from = set.back();
  set.pop_back();
  S list = S(1, from) + u"-";
  if (range.size() > 1) list += range[1];
  set += core::ReplaceAllText(ExpandIndexList(7, list), u",", u"");
  if (range.size() > 2) set += range.substr(2);
  return set;
}

LocalDateTime WeekOneStart(const VariableOptions& options, const LocalDateTime& today) {
  LocalDateTime date = options.asFirstWeek;
  if (date.year == 0) {
    date = LocalDateTime{};
    date.year = today.year;
  }
  return WeekStartOf(options.weekStartsWith == 1, date, today);
}

LocalDateTime EmptyParamDate(const VariableOptions& options, const LocalDateTime& today) {
  const LocalDateTime& chosen = options.dayForEmptyParam;
  // Off, the date is today at each evaluation, so it cannot go stale when the
  // program runs past midnight.
  if (options.setDayForEmptyParam && core::IsValidDate(chosen.year, chosen.month, chosen.day))
    return DateOnly(chosen);
  return DateOnly(today);
}

std::optional<std::u16string> EvaluateDateTime(const VariableRequest& request) {
  if (!request.env.clock) return std::nullopt;
  try {
    const LocalDateTime now = request.env.clock->Now();
    if (!IsValidDateTime(now)) return std::nullopt;
    return DateEvaluation(request, now).Evaluate();
  } catch (const DateRangeError&) {
    // An impossible date or a number out of range: the variable keeps its braces.
    return std::nullopt;
  }
}

}  // namespace pathorama::variables
