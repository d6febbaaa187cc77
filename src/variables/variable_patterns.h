// The variable language as regular expressions: the building blocks, the
// name alternations and the master pattern that finds a variable in a path.
// Every block is quoted once here and the composites are built from them.
#pragma once

#include <string>
#include <string_view>

namespace pathorama::core {
class Regex;
}  // namespace pathorama::core

namespace pathorama::variables {

namespace patterns {

// Building blocks. Groups that code reads are named (listed after each
// block); every other group is non-capturing, so adding one never shifts
// what a reader gets.
const std::u16string& D8();                // eight-digit date 19000101 … 20991231
const std::u16string& FreeDateFormat();    // user date format text
const std::u16string& FreeTimeFormat();    // user time format text
// The <…> parameter of a date name; group `DateFormat` holds it.
const std::u16string& DateFormatBody();
// R: a character or layer range. Its groups carry `prefix` so that one
// pattern can hold several ranges: <prefix>First, <prefix>FirstOcc,
// <prefix>FirstRegex, <prefix>FirstText, <prefix>Sep, <prefix>Second,
// <prefix>SecondOcc, <prefix>SecondRegex, <prefix>SecondText.
std::u16string Range(std::u16string_view prefix);
const std::u16string& PathNames();           // P: names whose value is a path
const std::u16string& GroupablePathNames();  // P without the four Run keys
// X: `RangeText` (all of it), either the ranges `Plain…`, or `LayerRange`
// ("<" R ">" with the ranges `Layer…`) and `After` (the ranges `After…`).
const std::u16string& Extraction();
// S: `Delimiter`, `Connector`, `Sections`, `Deletion`.
const std::u16string& Restructure();
const std::u16string& ExtractRestructure();  // E: X? S
// G: `GroupSize`, `GroupSeparator`.
const std::u16string& Grouping();

// The alternatives of the all-variables alternation, in order.
const std::u16string& DateNames();          // 1
const std::u16string& DateNameWithParam();  // 2
const std::u16string& ClockNames();         // 3
const std::u16string& Moment();             // 4
// `MonthDaysMonth`, `MonthDaysFilter`, `MonthDaysFormat`.
const std::u16string& MonthDays();  // 5
// `WeekDaysWeek`, `WeekDaysFilter`, `WeekDaysFormat`.
const std::u16string& WeekDays();  // 6
// `SequenceFrom`, `SequenceKind`, `SequenceTo`, `SequenceStep`,
// `SequenceWidth`, `OrdNum`.
const std::u16string& NumberSequence();  // 7
const std::u16string& RandomText();      // 8
const std::u16string& BareNames();       // 9

const std::u16string& AllVariables();  // first pass
// Second passes; `LayerOffset` holds the "", ":" or "::" before the name.
const std::u16string& LayerVariables();
const std::u16string& LayerDetector();  // does a text still hold a layer variable

// "\{(?<Escapes>\\*)((?<VarListWithOptions>N)(?<StrExtractRestructure>E)?(?<StrSplitToGroup>G)?)\}"
std::u16string MasterPattern(std::u16string_view alternation);

}  // namespace patterns

// The compiled master pattern for an alternation, built and compiled once.
const core::Regex& MasterRegex(std::u16string_view alternation);

}  // namespace pathorama::variables
