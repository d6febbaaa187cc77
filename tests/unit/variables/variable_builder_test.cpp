#include "variables/variable_builder.h"

#include <gtest/gtest.h>

#include <functional>

#include "core/regex.h"
#include "core/text.h"
#include "fake_system_facts.h"
#include "test_environment.h"
#include "variables/variable_expansion.h"
#include "variables/variable_menu.h"
#include "variables/variable_patterns.h"

namespace pathorama::variables {
namespace {

std::string U8(std::u16string_view s) { return core::Utf16ToUtf8(s); }

// Whether the language reads the expression as one variable.
bool IsWholeVariable(const std::u16string& expression) {
  for (const std::u16string* alternation : {&patterns::AllVariables(), &patterns::LayerVariables()}) {
    std::optional<core::RegexMatch> m = MasterRegex(*alternation).Search(expression);
    if (m && m->Start() == 0 && m->End() == expression.size()) return true;
  }
  return false;
}

constexpr size_t Unit(OffsetUnit u) { return static_cast<size_t>(u); }
constexpr size_t Part(DatePart p) { return static_cast<size_t>(p); }

struct ComposeCase {
  const char* what;
  const char16_t* variable;
  std::function<void(BuilderState&)> set;
  const char16_t* expression;
  const char16_t* value;  // on Sunday 2026-03-08 09:03:07, inside "C:\Work\Sub\…" for layers
};

// The controls' state gives the expression, the language reads it as one
// variable, and it expands to what the controls meant.
TEST(VariableBuilder, ComposesExpressionsThatExpandAsMeant) {
  using P = DayListOptions::Period;
  const ComposeCase cases[] = {
      {"year offset without its own letter", u"YYYY",
       [](BuilderState& s) { s.date.offsets[Unit(OffsetUnit::Year)] = -1; }, u"{-1YYYY}", u"2025"},
      {"day offset with its letter", u"YYYY",
       [](BuilderState& s) { s.date.offsets[Unit(OffsetUnit::Day)] = -70; }, u"{-70dYYYY}", u"2025"},
      {"offsets in unit order, plus signs", u"Today",
       [](BuilderState& s) {
         s.date.offsets[Unit(OffsetUnit::Day)] = 2;
         s.date.offsets[Unit(OffsetUnit::Year)] = 1;
       },
       u"{+1y+2dToday}", u"20270310"},
      {"parts with a connector", u"Today",
       [](BuilderState& s) {
         s.date.format = DateOptions::Format::Parts;
         s.date.parts[Part(DatePart::Year)] = s.date.parts[Part(DatePart::Month)] = true;
         s.date.useConnector = true;
         s.date.connector = u"-";
       },
       u"{Today<yyyy-mm>}", u"2026-03"},
      {"grey zeros and a two-digit year", u"Day",
       [](BuilderState& s) {
         s.date.format = DateOptions::Format::Parts;
         s.date.parts[Part(DatePart::Year)] = s.date.parts[Part(DatePart::Month)] = true;
         s.date.parts[Part(DatePart::Day)] = true;
         s.date.fourDigitYear = false;
         s.date.twoDigits[Part(DatePart::Month)] = false;
         s.date.useConnector = true;
         s.date.connector = u".";
       },
       u"{Day<yy.m.dd>}", u"26.3.08"},
      {"moment with an hour offset and clock parts", u"Now",
       [](BuilderState& s) {
         s.date.offsets[Unit(OffsetUnit::Hour)] = 1;
         s.date.format = DateOptions::Format::Parts;
         s.date.parts[Part(DatePart::Hour)] = s.date.parts[Part(DatePart::Minute)] = true;
         s.date.useConnector = true;
         s.date.connector = u"_";
       },
       u"{+1hNow<hh_nn>}", u"10_03"},
      {"clock name's own unit", u"HHour",
       [](BuilderState& s) { s.date.offsets[Unit(OffsetUnit::Hour)] = -10; }, u"{-10HHour}", u"23"},
      {"a date unit is not offered to a clock name", u"Min",
       [](BuilderState& s) {
         s.date.offsets[Unit(OffsetUnit::Year)] = 3;
         s.date.offsets[Unit(OffsetUnit::Minute)] = 5;
       },
       u"{+5Min}", u"8"},
      {"quarters as months for a month name", u"MM",
       [](BuilderState& s) { s.date.offsets[Unit(OffsetUnit::Quarter)] = 1; }, u"{+3MM}", u"06"},
      {"quarters as months for a year name", u"YYYY",
       [](BuilderState& s) { s.date.offsets[Unit(OffsetUnit::Quarter)] = 4; }, u"{+12mYYYY}", u"2027"},
      {"quarters added to months", u"Today",
       [](BuilderState& s) {
         s.date.offsets[Unit(OffsetUnit::Quarter)] = -1;
         s.date.offsets[Unit(OffsetUnit::Month)] = 1;
       },
       u"{-2mToday}", u"20260108"},
      {"quarters of the quarter name stay quarters", u"QInY",
       [](BuilderState& s) { s.date.offsets[Unit(OffsetUnit::Quarter)] = 1; }, u"{+1QInY}", u"2"},
      {"quarters of the quarter name join its months", u"QInY",
       [](BuilderState& s) {
         s.date.offsets[Unit(OffsetUnit::Quarter)] = 1;
         s.date.offsets[Unit(OffsetUnit::Month)] = 1;
       },
       u"{+4mQInY}", u"3"},
      {"a word the name does not read is left out", u"DInY",
       [](BuilderState& s) {
         s.date.format = DateOptions::Format::Word;
         s.date.word = DateWord::ChineseEra;
       },
       u"{DInY}", u"67"},
      {"given date replaces the name's own, with a word", u"YYYY",
       [](BuilderState& s) {
         s.date.param = DateOptions::Param::Given;
         s.date.given = {2024, 2, 29};
         s.date.format = DateOptions::Format::Word;
         s.date.word = DateWord::Zodiac;
       },
       u"{YYYY<20240229><ShengXiao>}", u"龙年"},
      {"the name's own date", u"Day<20251231>", [](BuilderState&) {}, u"{Day<20251231>}", u"20251231"},
      {"preset date", u"Day<20251231>",
       [](BuilderState& s) { s.date.param = DateOptions::Param::Preset; }, u"{Day<>}", u"20260308"},
      {"typed date part", u"Today", [](BuilderState& s) { s.date.typed = u"-1MM<Chn>"; },
       u"{-1MM<Chn>}", u"二"},
      {"month list, hiding weekends", u"MonthDays<-67>",
       [](BuilderState& s) {
         s.dayList.period = P::Relative;
         s.dayList.relative = 1;
         s.dayList.format = 3;
       },
       u"{+1MonthDays<-67><yyyyMMdd>}",
       u"(20260401|20260402|20260403|20260406|20260407|20260408|20260409|20260410|20260413|"
       u"20260414|20260415|20260416|20260417|20260420|20260421|20260422|20260423|20260424|"
       u"20260427|20260428|20260429|20260430)"},
      {"week list of a given week, Mondays only", u"WeekDays",
       [](BuilderState& s) {
         s.dayList.period = P::YearAndNumber;
         s.dayList.year = 2026;
         s.dayList.number = 2;
         s.dayList.weekdays[0] = true;
         s.dayList.format = 0;
       },
       u"{202602WeekDays<1><yyyy-MM-dd>}", u"2026-01-05"},
      {"month of this year, months' names", u"MonthDays",
       [](BuilderState& s) {
         s.dayList.period = P::NumberThisYear;
         s.dayList.number = 2;
         s.dayList.weekdays[6] = true;
       },
       u"{2MonthDays<7>}", u"(20260201|20260208|20260215|20260222)"},
      {"sequence", u"Number", [](BuilderState&) {}, u"{1-10Number}", u"(1|2|3|4|5|6|7|8|9|10)"},
      {"sequence with a length", u"Number",
       [](BuilderState& s) {
         s.sequence.endOrCount = 3;
         s.sequence.useLength = true;
         s.sequence.length = 3;
       },
       u"{1-3:1:3Number}", u"(001|002|003)"},
      {"downward sequence turns its step", u"Number",
       [](BuilderState& s) {
         s.sequence.start = 10;
         s.sequence.endOrCount = 1;
         s.sequence.step = 3;
       },
       u"{10-1:-3Number}", u"(10|7|4|1)"},
      {"sequence by count; no length but for Number", u"ChineseNum",
       [](BuilderState& s) {
         s.sequence.byCount = true;
         s.sequence.endOrCount = 3;
         s.sequence.useLength = true;
       },
       u"{1,3ChineseNum}", u"(一|二|三)"},
      {"Roman numerals end at 3999", u"RomaNum",
       [](BuilderState& s) {
         s.sequence.start = 3998;
         s.sequence.endOrCount = 5000;
       },
       u"{3998-3999RomaNum}", u"(MMMCMXCVIII|MMMCMXCIX)"},
      {"layer N", u"NFolder", [](BuilderState& s) { s.folder.n = 2; }, u"{2Folder}", u"Work"},
      {"layer before", u"NFolder",
       [](BuilderState& s) {
         s.folder.layer = FolderOptions::Layer::Before;
         s.folder.n = 1;
       },
       u"{-1Folder}", u"Sub"},
      {"path layers to the end", u"SelfDir",
       [](BuilderState& s) {
         s.folder.layers.enabled = true;
         s.folder.layers.start.number = 2;
       },
       u"{SelfDir<2--1>}", u"Tools\\Pathorama"},
      {"path layers removed by a text end", u"SelfDir",
       [](BuilderState& s) {
         s.folder.layers.enabled = true;
         s.folder.layers.start.number = 1;
         s.folder.layers.stop = RangeStop::End;
         s.folder.layers.end.byText = true;
         s.folder.layers.end.text = u"tools";
         s.folder.layers.end.ignoreCase = true;
         s.folder.layers.remove = true;
       },
       u"{SelfDir<1-'tools'?*>}", u"Pathorama"},
      {"step 1 by count", u"ABC_Upper",
       [](BuilderState& s) {
         s.extract.enabled = true;
         s.extract.start.number = 3;
         s.extract.stop = RangeStop::Count;
         s.extract.count = 2;
       },
       u"{ABC_Upper3,2}", u"CD"},
      {"step 1 from the second match of a pattern, removed", u"ABC_Lower",
       [](BuilderState& s) {
         s.extract.enabled = true;
         s.extract.start = {1, true, 2, u"[aeiou]", true, false};
         s.extract.remove = true;
       },
       u"{ABC_Lower2*'[aeiou]'*}", u"abcd"},
      {"step 1 between two texts, the end counted from the last occurrence", u"ABC_Upper",
       [](BuilderState& s) {
         s.extract.enabled = true;
         s.extract.start = {1, true, 1, u"c", false, true};
         s.extract.stop = RangeStop::End;
         s.extract.end = {1, true, -1, u"U", false, false};
       },
       u"{ABC_Upper'c'?--1'U'}", u"CDEFGHIJKLMNOPQRSTU"},
      {"step 2: sections joined by a connector", u"Today",
       [](BuilderState& s) {
         s.restructure.enabled = true;
         s.restructure.delimiter = u"0";
         s.restructure.connector = u"-";
         s.restructure.sections = u"1, ,,3,,";
       },
       u"{Today:0:-:1,3}", u"2-3"},
      {"step 2: replacement", u"Today",
       [](BuilderState& s) {
         s.restructure.enabled = true;
         s.restructure.delimiter = u"0";
         s.restructure.connectorMode = false;
         s.restructure.replacement = u"_";
       },
       u"{Today:0:_}", u"2_26_3_8"},
      {"step 2: deleting every character listed", u"ABC_Upper",
       [](BuilderState& s) {
         s.restructure.enabled = true;
         s.restructure.deletion = u"aeiou";
         s.restructure.deletionIgnoreCase = true;
         s.restructure.deletionEveryCharacter = true;
       },
       u"{ABC_Upper::::aeiou?*}", u"BCDFGHJKLMNPQRSTVWXYZ"},
      {"step 2: a regular-expression delimiter", u"ABC_Lower",
       [](BuilderState& s) {
         s.extract.enabled = true;
         s.extract.start.number = 1;
         s.extract.stop = RangeStop::End;
         s.extract.end.number = 9;
         s.restructure.enabled = true;
         s.restructure.delimiter = u"[aeiou]";
         s.restructure.delimiterRegex = true;
         s.restructure.connector = u"+";
       },
       u"{ABC_Lower1-9:*[aeiou]:+}", u"+bcd+fgh+"},
      {"grouping with a separator", u"Today",
       [](BuilderState& s) {
         s.grouping.enabled = true;
         s.grouping.size = 4;
         s.grouping.separate = true;
         s.grouping.separator = u"-";
       },
       u"{Today<4/->}", u"2026-0308"},
      {"grouping without a separator text", u"TianGan",
       [](BuilderState& s) {
         s.grouping.enabled = true;
         s.grouping.size = 5;
         s.grouping.separate = true;
       },
       u"{TianGan<5>}", u"(甲乙丙丁戊|己庚辛壬癸)"},
      {"steps and grouping are not offered to lists", u"MonthDays",
       [](BuilderState& s) {
         s.extract.enabled = s.restructure.enabled = s.grouping.enabled = true;
         s.restructure.delimiter = u"0";
         s.dayList.period = P::YearAndNumber;
         s.dayList.year = 2026;
         s.dayList.number = 2;
         s.dayList.weekdays[0] = true;
       },
       u"{202602MonthDays<1>}", u"(20260202|20260209|20260216|20260223)"},
  };
  TestEnvironment t;
  FakeSystemFacts facts;
  t.env.system = &facts;
  for (const ComposeCase& c : cases) {
    BuilderState state = StateFor(c.variable);
    c.set(state);
    const std::u16string expression = ComposeExpression(state);
    EXPECT_EQ(U8(expression), U8(c.expression)) << c.what;
    EXPECT_TRUE(IsWholeVariable(expression)) << c.what << ": " << U8(expression);
    EXPECT_TRUE(BadFields(state).empty()) << c.what;
    const std::u16string path = u"C:\\Work\\Sub\\" + expression;
    std::u16string value = ExpandPathVariables(path, t.env);
    value = value.substr(value.find(u"Sub\\") + 4);
    EXPECT_EQ(U8(value), U8(c.value)) << c.what << ": " << U8(expression);
  }
}

// Whatever the menu offers, with every area the variable has switched on
// and set, the builder writes something the language reads as one variable.
TEST(VariableBuilder, EveryMenuVariableWithEveryAreaIsOneVariable) {
  std::function<void(const std::vector<VariableMenuEntry>&)> walk = [&](const auto& entries) {
    for (const VariableMenuEntry& e : entries) {
      if (!e.children.empty()) {
        walk(e.children);
        continue;
      }
      if (e.IsSeparator()) continue;
      const std::u16string name = VariableOfCaption(e.caption, {2026, 3, 8});
      for (int variant = 0; variant < 3; ++variant) {
        BuilderState s = StateFor(name);
        s.date.offsets = {1, -2, 3, -4, 5, -6, 7, 1};
        s.date.format = variant == 1 ? DateOptions::Format::Word : DateOptions::Format::Parts;
        s.date.word = DateWord::ChineseEra;
        s.date.parts = {true, true, true, variant == 2, true, true};
        s.date.param = variant == 2 ? DateOptions::Param::Given : DateOptions::Param::None;
        s.date.given = {2024, 2, 29};
        s.dayList.period = static_cast<DayListOptions::Period>(variant + 2);
        s.dayList.year = 2025;
        s.dayList.number = 7;
        s.dayList.given = {2025, 7, 7};
        s.dayList.weekdays = {true, variant == 1, true, false, false, false, true};
        s.dayList.format = variant * 3;
        s.folder.layer = static_cast<FolderOptions::Layer>(variant);
        s.folder.layers = {true, {2, variant == 1, 2, u"a", true, true}, RangeStop(variant), {3, false, 1, u"", false, false}, 2, variant == 2};
        s.sequence = {3, variant == 1, 9, 2, variant != 1, 2};
        s.extract = {true, {2, false, 1, u"", false, false}, RangeStop(variant), {1, true, 1, u"x", false, true}, 4, variant == 0};
        s.restructure.enabled = true;
        s.restructure.delimiter = u"-";
        s.restructure.connectorMode = variant != 1;
        s.restructure.connector = u"+";
        s.restructure.sections = u"2,1";
        s.restructure.replacement = u"=";
        s.restructure.deletion = variant == 2 ? u"x" : u"";
        s.grouping = {true, 3, true, u"."};
        ASSERT_TRUE(BadFields(s).empty()) << U8(name);
        const std::u16string expression = ComposeExpression(s);
        EXPECT_TRUE(IsWholeVariable(expression)) << U8(name) << " variant " << variant << ": " << U8(expression);
      }
    }
  };
  walk(VariableMenu());
}

TEST(VariableBuilder, AreasFollowTheVariable) {
  const BuilderAreas year = AreasOf(u"YYYY");
  EXPECT_TRUE(year.datePage && year.dateParam && year.dateWords && !year.dateFormat);
  EXPECT_TRUE(year.offsets[Unit(OffsetUnit::Quarter)] && !year.offsets[Unit(OffsetUnit::Hour)]);
  const BuilderAreas clock = AreasOf(u"Time");
  EXPECT_TRUE(clock.dateFormat && clock.formatParts[Part(DatePart::Second)] &&
              !clock.formatParts[Part(DatePart::Year)] && !clock.offsets[Unit(OffsetUnit::Day)]);
  EXPECT_FALSE(AreasOf(u"Today").dateParam);
  const BuilderAreas days = AreasOf(u"WeekDays<-67>");
  EXPECT_TRUE(days.dayList && days.weekList && !days.steps && !days.grouping);
  const BuilderAreas run = AreasOf(u"RegAutoRun");
  EXPECT_TRUE(run.folderPage && run.pathLayers && run.runKeyLayers && run.steps && !run.grouping);
  EXPECT_FALSE(AreasOf(u"Temp").runKeyLayers);
  const BuilderAreas layer = AreasOf(u"NFolder");
  EXPECT_TRUE(layer.folderPage && layer.layerNumber && !layer.pathLayers);
  const BuilderAreas circled = AreasOf(u"CircledNum");
  EXPECT_TRUE(circled.sequencePage && !circled.sequenceLength && !circled.steps);
  EXPECT_EQ(circled.sequenceLimit, 50);
  EXPECT_TRUE(AreasOf(u"Number").sequenceLength);
  const BuilderAreas user = AreasOf(u"UserName");
  EXPECT_TRUE(!user.datePage && !user.folderPage && !user.sequencePage && !user.dayList && user.steps);
}

TEST(VariableBuilder, MenuCaptionsAndResetStates) {
  EXPECT_EQ(U8(VariableOfCaption(u"{Day<8位数字年月日>}－今天/特定日期", {2026, 3, 8})), "Day<20260308>");
  EXPECT_EQ(U8(VariableOfCaption(u"{NFolder}－第N层文件夹", {2026, 3, 8})), "NFolder");
  EXPECT_EQ(VariableOfCaption(u"日期时间", {2026, 3, 8}), u"");
  // A day list chosen with its filter starts with those days hidden.
  const BuilderState weekdays = StateFor(u"MonthDays<-67>");
  EXPECT_EQ(U8(ComposeExpression(weekdays)), "{MonthDays<-67>}");
  EXPECT_TRUE(weekdays.dayList.hideChosen && weekdays.dayList.weekdays[5] && weekdays.dayList.weekdays[6] &&
              !weekdays.dayList.weekdays[0]);
}

// "表达式" starts from the built date part: typing it unchanged changes
// nothing, and what is typed replaces the whole date part.
TEST(VariableBuilder, TypedDatePartStartsFromTheBuiltOne) {
  BuilderState s = StateFor(u"Day<20251231>");
  s.date.offsets[Unit(OffsetUnit::Week)] = -2;
  s.date.format = DateOptions::Format::Word;
  s.date.word = DateWord::ChineseEra;
  const std::u16string built = BuiltDatePart(s);
  EXPECT_EQ(U8(built), "-2wDay<20251231><ChnEra>");
  const std::u16string expression = ComposeExpression(s);
  s.date.typed = built;
  EXPECT_EQ(ComposeExpression(s), expression);
  s.date.typed = u"YY";
  EXPECT_EQ(U8(ComposeExpression(s)), "{YY}");
  EXPECT_EQ(BuiltDatePart(StateFor(u"Temp")), u"");
}

// A field whose text the language would read as syntax is reported, and
// only that field.
TEST(VariableBuilder, FieldsThatWouldBreakTheExpression) {
  struct Case {
    const char* what;
    const char16_t* variable;
    std::function<void(BuilderState&)> set;
    std::vector<BuilderField> bad;
  } cases[] = {
      {"connector with a slash", u"Today",
       [](BuilderState& s) {
         s.date.format = DateOptions::Format::Parts;
         s.date.useConnector = true;
         s.date.connector = u"/";
       },
       {BuilderField::DateConnector}},
      {"connector unused", u"Today", [](BuilderState& s) { s.date.connector = u"/"; }, {}},
      {"typed with a brace", u"Today", [](BuilderState& s) { s.date.typed = u"Today}"; }, {BuilderField::DateTyped}},
      {"typed empty", u"Today", [](BuilderState& s) { s.date.typed = u""; }, {BuilderField::DateTyped}},
      {"range text with a quote and an empty one", u"SelfDir",
       [](BuilderState& s) {
         s.folder.layers.enabled = true;
         s.folder.layers.start = {1, true, 1, u"a'b"};
         s.folder.layers.stop = RangeStop::End;
         s.folder.layers.end = {1, true, 1, u""};
       },
       {BuilderField::LayerStartText, BuilderField::LayerEndText}},
      {"step 1 text with a colon", u"Temp",
       [](BuilderState& s) {
         s.extract.enabled = true;
         s.extract.start = {1, true, 1, u"C:"};
       },
       {BuilderField::ExtractStartText}},
      {"separators and marks in step 2", u"Temp",
       [](BuilderState& s) {
         s.restructure.enabled = true;
         s.restructure.delimiter = u"a|b";
         s.restructure.connector = u"x*";
         s.restructure.sections = u"1,a";
         s.restructure.deletion = u"<";
       },
       {BuilderField::Delimiter, BuilderField::Connector, BuilderField::Sections, BuilderField::Deletion}},
      {"regular expressions may hold stars, not end in a mark", u"Temp",
       [](BuilderState& s) {
         s.restructure.enabled = true;
         s.restructure.delimiter = u"a*b";
         s.restructure.delimiterRegex = true;
         s.restructure.deletion = u"x+?";
         s.restructure.deletionRegex = true;
       },
       {BuilderField::Deletion}},
      {"replacement with a colon", u"Temp",
       [](BuilderState& s) {
         s.restructure.enabled = true;
         s.restructure.connectorMode = false;
         s.restructure.replacement = u"a:b";
       },
       {BuilderField::Replacement}},
      {"group separator with a closing brace", u"Today",
       [](BuilderState& s) {
         s.grouping.enabled = s.grouping.separate = true;
         s.grouping.separator = u"}";
       },
       {BuilderField::GroupSeparator}},
      {"fields of areas the variable lacks are not read", u"Number",
       [](BuilderState& s) {
         s.restructure.enabled = true;
         s.restructure.delimiter = u"|";
         s.grouping.enabled = s.grouping.separate = true;
         s.grouping.separator = u"}";
       },
       {}},
  };
  for (const Case& c : cases) {
    BuilderState s = StateFor(c.variable);
    c.set(s);
    EXPECT_EQ(BadFields(s), c.bad) << c.what;
  }
}

TEST(VariableBuilder, PreviewKinds) {
  EXPECT_EQ(PreviewKindOf(u"pFolder"), PreviewKind::ByPosition);
  EXPECT_EQ(PreviewKindOf(u"NewestFolderC"), PreviewKind::ByPosition);
  EXPECT_EQ(PreviewKindOf(u"OpenedDir"), PreviewKind::OtherProgram);
  EXPECT_EQ(PreviewKindOf(u"OfficeFolderPath"), PreviewKind::OtherProgram);
  EXPECT_EQ(PreviewKindOf(u"Temp"), PreviewKind::Expand);
  EXPECT_EQ(U8(PositionMessage(u"pFolder")), "变量 {pFolder} 的值由它所处的位置决定，此处暂时无法获取");
}

}  // namespace
}  // namespace pathorama::variables
