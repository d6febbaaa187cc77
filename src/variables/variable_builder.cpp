#include "variables/variable_builder.h"

#include <algorithm>
#include <cstdlib>

#include "core/regex.h"
#include "core/text.h"
#include "variables/variable_patterns.h"

namespace pathorama::variables {

namespace {

using S = std::u16string;
using SV = std::u16string_view;

bool OneOf(SV name, std::initializer_list<SV> names) {
  for (SV n : names)
    if (core::EqualsIgnoreCase(name, n)) return true;
  return false;
}

// The name without a date of its own ("Day<20260308>" → "Day").
S BaseName(SV name) { return S(name.substr(0, name.find(u'<'))); }
// The date a name carries, "<20260308>" or empty.
S OwnDate(SV name) {
  const size_t lt = name.find(u'<');
  return lt == SV::npos ? S() : S(name.substr(lt));
}

bool IsDateName(SV base) {
  return OneOf(base, {u"Today", u"CurWeekDay", u"Day", u"YYYY", u"YY", u"MM", u"M", u"DD", u"D",
                      u"DInY", u"QInY", u"WInY", u"DInW", u"WeekDay", u"WeekNum"});
}
bool IsClockName(SV base) {
  return OneOf(base, {u"Time", u"HHour", u"Hour", u"MMin", u"Min", u"SSec", u"Sec", u"HH", u"H"});
}
bool IsSequenceName(SV base) {
  return OneOf(base, {u"Number", u"RomaNum", u"ChineseNum", u"ChineseNum_Caps", u"CircledNum"});
}
bool IsRunKey(SV base) {
  return OneOf(base, {u"RegAutoRun", u"RegAutoRunOnce", u"RegCurUserAutoRun", u"RegCurUserAutoRunOnce"});
}
bool IsPathName(SV base) {
  for (const S& n : core::SplitText(patterns::PathNames(), u"|"))
    if (core::EqualsIgnoreCase(base, n)) return true;
  return false;
}

// The unit a name counts in when its offset has no letter; none for names
// whose offsets always carry one.
std::optional<OffsetUnit> OwnUnit(SV base) {
  if (OneOf(base, {u"YYYY", u"YY"})) return OffsetUnit::Year;
  if (OneOf(base, {u"MM", u"M"})) return OffsetUnit::Month;
  if (OneOf(base, {u"DD", u"D"})) return OffsetUnit::Day;
  if (OneOf(base, {u"H", u"HH", u"HHour", u"Hour"})) return OffsetUnit::Hour;
  if (OneOf(base, {u"Min", u"MMin"})) return OffsetUnit::Minute;
  if (OneOf(base, {u"Sec", u"SSec"})) return OffsetUnit::Second;
  if (core::EqualsIgnoreCase(base, u"QInY")) return OffsetUnit::Quarter;
  return std::nullopt;
}

constexpr char16_t kUnitLetters[] = {u'y', u'm', u'w', u'd', u'h', u'n', u's'};

S Signed(long long value) { return (value > 0 ? u"+" : u"") + core::IntToText(value); }

S TwoDigits(int value) {
  S text = core::IntToText(value);
  return text.size() < 2 ? u"0" + text : text;
}

S EightDigits(core::CalendarDate d) {
  S year = core::IntToText(d.year);
  while (year.size() < 4) year.insert(0, 1, u'0');
  return year + TwoDigits(d.month) + TwoDigits(d.day);
}

S Offsets(const DateOptions& date, SV base, const BuilderAreas& areas) {
  std::array<long long, kOffsetUnits> counts{};
  for (size_t i = 0; i < kOffsetUnits; ++i)
    if (areas.offsets[i]) counts[i] = date.offsets[i];
  const std::optional<OffsetUnit> own = OwnUnit(base);
  // A quarter is three months wherever the name has no quarter of its own.
  const size_t quarter = static_cast<size_t>(OffsetUnit::Quarter);
  const size_t month = static_cast<size_t>(OffsetUnit::Month);
  // The quarter name keeps a quarter of its own only while the month box is
  // empty: date names take four offsets at most.
  if (counts[quarter] != 0 && (own != OffsetUnit::Quarter || counts[month] != 0)) {
    counts[month] += 3 * counts[quarter];
    counts[quarter] = 0;
  }
  S out;
  for (size_t i = 0; i < kOffsetUnits; ++i) {
    if (counts[i] == 0) continue;
    out += Signed(counts[i]);
    if (i != quarter && own != static_cast<OffsetUnit>(i)) out += kUnitLetters[i];
  }
  return out;
}

S DateFormatText(const DateOptions& date, const BuilderAreas& areas) {
  if (date.format == DateOptions::Format::Parts && areas.dateFormat) {
    static constexpr char16_t kLetters[] = {u'y', u'm', u'd', u'h', u'n', u's'};
    std::vector<S> parts;
    for (size_t i = 0; i < kDateParts; ++i) {
      if (!date.parts[i] || !areas.formatParts[i]) continue;
      if (i == 0)
        parts.push_back(date.fourDigitYear ? u"yyyy" : u"yy");
      else
        parts.push_back(S(date.twoDigits[i] ? 2 : 1, kLetters[i]));
    }
    if (parts.empty()) return {};
    return u"<" + core::JoinText(parts, date.useConnector ? SV(date.connector) : SV()) + u">";
  }
  if (date.format == DateOptions::Format::Word && areas.dateWords) {
    static constexpr const char16_t* kWords[] = {u"Chn", u"ChnEra", u"ShengXiao", u"Eng", u"ShortEng"};
    if (!areas.words[static_cast<size_t>(date.word)]) return {};
    return u"<" + S(kWords[static_cast<size_t>(date.word)]) + u">";
  }
  return {};
}

S BuiltDatePart(const BuilderState& state, const BuilderAreas& areas) {
  const S base = BaseName(state.name);
  S out = Offsets(state.date, base, areas) + base;
  S param = OwnDate(state.name);
  if (areas.dateParam) {
    if (state.date.param == DateOptions::Param::Given) param = u"<" + EightDigits(state.date.given) + u">";
    if (state.date.param == DateOptions::Param::Preset) param = u"<>";
  }
  return out + param + DateFormatText(state.date, areas);
}

S DatePartText(const BuilderState& state, const BuilderAreas& areas) {
  return state.date.typed ? *state.date.typed : BuiltDatePart(state, areas);
}

S DayListText(const BuilderState& state, bool weeks) {
  const DayListOptions& list = state.dayList;
  S out;
  switch (list.period) {
    case DayListOptions::Period::Current: break;
    case DayListOptions::Period::YearAndNumber:
      out = core::IntToText(list.year) + TwoDigits(list.number);
      break;
    case DayListOptions::Period::GivenDate:
      if (weeks) out = EightDigits(list.given);
      break;
    case DayListOptions::Period::NumberThisYear: out = core::IntToText(list.number); break;
    case DayListOptions::Period::Relative:
      out = list.relative < 0 ? core::IntToText(list.relative) : u"+" + core::IntToText(list.relative);
      break;
  }
  out += BaseName(state.name);
  S days;
  for (size_t i = 0; i < list.weekdays.size(); ++i)
    if (list.weekdays[i]) days += static_cast<char16_t>(u'1' + i);
  if (!days.empty()) out += u"<" + S(list.hideChosen ? u"-" : u"") + days + u">";
  if (list.format && *list.format >= 0 && static_cast<size_t>(*list.format) < DayListFormats().size())
    out += u"<" + DayListFormats()[static_cast<size_t>(*list.format)] + u">";
  return out;
}

S EndText(const RangeEnd& end) {
  if (!end.byText) return core::IntToText(end.number);
  S out;
  if (end.occurrence != 1) out += core::IntToText(end.occurrence);
  if (end.regex) out += u"*";
  out += u"'" + end.text + u"'";
  if (end.ignoreCase) out += u"?";
  return out;
}

// A layer range with one end is that layer alone, so "直到结尾" writes the
// last layer as its end.
S RangeText(const RangeOptions& range, bool layers) {
  S out = EndText(range.start);
  if (range.stop == RangeStop::End) out += u"-" + EndText(range.end);
  if (range.stop == RangeStop::ToEnd && layers) out += u"--1";
  if (range.stop == RangeStop::Count) out += u"," + core::IntToText(range.count);
  if (range.remove) out += u"*";
  return out;
}

S SequenceText(const BuilderState& state, const BuilderAreas& areas) {
  SequenceOptions s = state.sequence;
  if (areas.sequenceLimit > 0) {
    s.start = std::min(s.start, areas.sequenceLimit);
    s.endOrCount = std::min(s.endOrCount, areas.sequenceLimit);
  }
  int step = std::abs(s.step);
  if (step == 0) step = 1;
  // The step runs the way from start to end goes.
  if (!s.byCount && s.endOrCount < s.start) step = -step;
  S out = core::IntToText(s.start) + (s.byCount ? u"," : u"-") + core::IntToText(s.endOrCount);
  if (s.useLength && areas.sequenceLength)
    out += u":" + core::IntToText(step) + u":" + core::IntToText(std::max(1, s.length));
  else if (step != 1)
    out += u":" + core::IntToText(step);
  return out + BaseName(state.name);
}

S Sections(SV text) {
  S out = core::ReplaceAllText(text, u" ", u"");
  while (out.find(u",,") != S::npos) out = core::ReplaceAllText(out, u",,", u",");
  return core::TrimCharsRight(out, u",");
}

S RestructureText(const RestructureOptions& r) {
  S out = u":";
  if (r.delimiterRegex) out += u"*";
  out += r.delimiter;
  if (r.delimiterIgnoreCase) out += u"?";
  if (r.everyCharacter) out += u"*";
  if (r.connectorMode)
    out += u":" + r.connector + u":" + Sections(r.sections);
  else
    out += u":" + r.replacement + u":";
  if (r.deletion.empty()) return core::TrimCharsRight(out, u":");
  out += u":";
  if (r.deletionRegex) out += u"*";
  out += r.deletion;
  if (r.deletionIgnoreCase) out += u"?";
  if (r.deletionEveryCharacter) out += u"*";
  return out;
}

bool HasAny(SV text, SV chars) { return text.find_first_of(chars) != SV::npos; }

// A text of a restructuring field: never a section separator or a brace; a
// plain text also never a mark.
bool BadMarkedText(SV text, bool regex) {
  if (HasAny(text, u":|{}<>")) return true;
  if (regex) return !text.empty() && (text.back() == u'?' || text.back() == u'*');
  return HasAny(text, u"?*");
}

bool BadRangeText(const RangeEnd& end) {
  return end.byText && (end.text.empty() || HasAny(end.text, u"'<>|:{}"));
}

}  // namespace

const std::vector<std::u16string>& DayListFormats() {
  static const std::vector<std::u16string> formats = {u"yyyy-MM-dd", u"yyyy_MM_dd", u"yyyy.MM.dd",
                                                      u"yyyyMMdd",   u"yy-MM-dd",   u"yy_MM_dd",
                                                      u"yy.MM.dd",   u"yyMMdd"};
  return formats;
}

std::u16string BuiltDatePart(const BuilderState& state) {
  const BuilderAreas areas = AreasOf(state.name);
  return areas.datePage ? BuiltDatePart(state, areas) : std::u16string();
}

BuilderAreas AreasOf(std::u16string_view name) {
  const S base = BaseName(name);
  BuilderAreas a;
  a.steps = true;
  a.grouping = true;
  if (IsDateName(base) || IsClockName(base) || core::EqualsIgnoreCase(base, u"Now")) {
    a.datePage = true;
    const bool clock = IsClockName(base);
    const bool now = core::EqualsIgnoreCase(base, u"Now");
    for (size_t i = 0; i < kOffsetUnits; ++i) {
      const bool dateUnit = i <= 3 || i == 7;
      a.offsets[i] = now || (clock ? !dateUnit : dateUnit);
    }
    a.dateParam = IsDateName(base) && !OneOf(base, {u"Today", u"CurWeekDay"});
    // Free formats: any part for the day and the moment, the clock's parts
    // for the clock names.
    if (OneOf(base, {u"Today", u"Day", u"Now"}) || clock) {
      a.dateFormat = true;
      for (size_t i = 0; i < kDateParts; ++i) a.formatParts[i] = clock ? i >= 3 : (i < 3 || now);
    }
    // The words each name reads.
    const bool names = OneOf(base, {u"CurWeekDay", u"WeekDay", u"MM", u"M"});
    const bool years = OneOf(base, {u"YYYY", u"YY"});
    a.words[static_cast<size_t>(DateWord::Chinese)] =
        names || years || OneOf(base, {u"DD", u"D", u"DInY", u"QInY", u"WInY", u"DInW", u"WeekNum"});
    a.words[static_cast<size_t>(DateWord::ChineseEra)] =
        years || OneOf(base, {u"MM", u"M", u"DD", u"D", u"Today", u"Day"});
    a.words[static_cast<size_t>(DateWord::Zodiac)] = years;
    a.words[static_cast<size_t>(DateWord::English)] = names;
    a.words[static_cast<size_t>(DateWord::ShortEnglish)] = names;
    for (bool w : a.words) a.dateWords = a.dateWords || w;
  } else if (OneOf(base, {u"MonthDays", u"WeekDays"})) {
    a.dayList = true;
    a.weekList = core::EqualsIgnoreCase(base, u"WeekDays");
    a.steps = a.grouping = false;
  } else if (OneOf(base, {u"NFolder", u"pFolder", u"gFolder"})) {
    a.folderPage = true;
    a.layerNumber = core::EqualsIgnoreCase(base, u"NFolder");
  } else if (IsPathName(base)) {
    a.folderPage = a.pathLayers = true;
    a.runKeyLayers = IsRunKey(base);
    a.grouping = false;
  } else if (IsSequenceName(base)) {
    a.sequencePage = true;
    a.sequenceLength = core::EqualsIgnoreCase(base, u"Number");
    a.sequenceLimit = core::EqualsIgnoreCase(base, u"RomaNum")     ? 3999
                      : core::EqualsIgnoreCase(base, u"CircledNum") ? 50
                                                                     : 0;
    a.steps = a.grouping = false;
  }
  return a;
}

std::u16string VariableOfCaption(std::u16string_view caption, core::CalendarDate today) {
  if (caption.empty() || caption[0] != u'{') return {};
  const size_t close = caption.find(u'}');
  if (close == SV::npos) return {};
  return core::ReplaceAllText(caption.substr(1, close - 1), u"<8位数字年月日>",
                              u"<" + EightDigits(today) + u">");
}

BuilderState StateFor(std::u16string_view name) {
  BuilderState state;
  state.name = S(name);
  // A day list chosen with its weekdays ("MonthDays<-67>") starts with them.
  const S own = OwnDate(name);
  if (AreasOf(name).dayList && own.size() > 2) {
    state.name = BaseName(name);
    state.dayList.hideChosen = own[1] == u'-';
    for (char16_t c : own)
      if (c >= u'1' && c <= u'7') state.dayList.weekdays[c - u'1'] = true;
  }
  return state;
}

std::u16string ComposeExpression(const BuilderState& state) {
  const BuilderAreas areas = AreasOf(state.name);
  S body;
  if (areas.datePage) {
    body = DatePartText(state, areas);
  } else if (areas.dayList) {
    body = DayListText(state, areas.weekList);
  } else if (areas.layerNumber) {
    const S n = core::IntToText(std::max(0, state.folder.n));
    switch (state.folder.layer) {
      case FolderOptions::Layer::Nth: body = n + u"Folder"; break;
      case FolderOptions::Layer::Before: body = u"-" + n + u"Folder"; break;
      case FolderOptions::Layer::After: body = u"+" + n + u"Folder"; break;
    }
  } else if (areas.sequencePage) {
    body = SequenceText(state, areas);
  } else {
    body = state.name;
  }
  if (areas.pathLayers && state.folder.layers.enabled) body += u"<" + RangeText(state.folder.layers, true) + u">";
  if (areas.steps && state.extract.enabled) body += RangeText(state.extract, false);
  if (areas.steps && state.restructure.enabled) body += RestructureText(state.restructure);
  if (areas.grouping && state.grouping.enabled) {
    body += u"<" + core::IntToText(state.grouping.size);
    if (state.grouping.separate && !state.grouping.separator.empty()) body += u"/" + state.grouping.separator;
    body += u">";
  }
  return u"{" + body + u"}";
}

std::vector<BuilderField> BadFields(const BuilderState& state) {
  const BuilderAreas areas = AreasOf(state.name);
  std::vector<BuilderField> bad;
  auto mark = [&bad](bool isBad, BuilderField field) {
    if (isBad) bad.push_back(field);
  };
  if (areas.datePage) {
    const DateOptions& d = state.date;
    mark(d.format == DateOptions::Format::Parts && d.useConnector && HasAny(d.connector, u"<>{}:/|\\"),
         BuilderField::DateConnector);
    mark(d.typed && (d.typed->empty() || HasAny(*d.typed, u":{}|")), BuilderField::DateTyped);
  }
  if (areas.pathLayers && state.folder.layers.enabled) {
    const RangeOptions& r = state.folder.layers;
    mark(BadRangeText(r.start), BuilderField::LayerStartText);
    mark(r.stop == RangeStop::End && BadRangeText(r.end), BuilderField::LayerEndText);
  }
  if (areas.steps && state.extract.enabled) {
    const RangeOptions& r = state.extract;
    mark(BadRangeText(r.start), BuilderField::ExtractStartText);
    mark(r.stop == RangeStop::End && BadRangeText(r.end), BuilderField::ExtractEndText);
  }
  if (areas.steps && state.restructure.enabled) {
    const RestructureOptions& r = state.restructure;
    mark(BadMarkedText(r.delimiter, r.delimiterRegex), BuilderField::Delimiter);
    if (r.connectorMode) {
      mark(BadMarkedText(r.connector, false), BuilderField::Connector);
      static const core::Regex& sections = core::Regex::Get(uR"(^(?:-?\d+-?(?:-?\d+)?(?:,-?\d+-?(?:-?\d+)?)*)?$)");
      mark(!sections.IsMatch(Sections(r.sections)), BuilderField::Sections);
    } else {
      mark(BadMarkedText(r.replacement, false), BuilderField::Replacement);
    }
    mark(BadMarkedText(r.deletion, r.deletionRegex), BuilderField::Deletion);
  }
  if (areas.grouping && state.grouping.enabled && state.grouping.separate)
    mark(HasAny(state.grouping.separator, u":|{}<>"), BuilderField::GroupSeparator);
  return bad;
}

PreviewKind PreviewKindOf(std::u16string_view name) {
  const S base = BaseName(name);
  if (OneOf(base, {u"NFolder", u"pFolder", u"gFolder", u"NewestFolderW", u"NewestFolderC",
                   u"OldestFolderW", u"OldestFolderC"}))
    return PreviewKind::ByPosition;
  if (OneOf(base, {u"OpenedDir", u"DocFolderPath", u"XlsFolderPath", u"PptFolderPath", u"OfficeFolderPath"}))
    return PreviewKind::OtherProgram;
  return PreviewKind::Expand;
}

std::u16string PositionMessage(std::u16string_view name) {
  return u"变量 {" + BaseName(name) + u"} 的值由它所处的位置决定，此处暂时无法获取";
}

}  // namespace pathorama::variables
