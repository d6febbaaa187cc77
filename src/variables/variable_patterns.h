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

// Building blocks.
const std::u16string& D8();                // eight-digit date 19000101 … 20991231
const std::u16string& FreeDateFormat();    // user date format text
const std::u16string& FreeTimeFormat();    // user time format text
const std::u16string& DateFormatBody();    // the <…> parameter of a date name
const std::u16string& Range();             // R: a character or layer range
const std::u16string& PathNames();         // P: names whose value is a path
const std::u16string& GroupablePathNames();  // P without the four Run keys
const std::u16string& Extraction();        // X
const std::u16string& Restructure();       // S
const std::u16string& ExtractRestructure();  // E
const std::u16string& Grouping();          // G

// The alternatives of the all-variables alternation, in order.
const std::u16string& DateNames();        // 1
const std::u16string& DateNameWithParam();  // 2
const std::u16string& ClockNames();       // 3
const std::u16string& Moment();           // 4
const std::u16string& MonthDays();        // 5
const std::u16string& WeekDays();         // 6
const std::u16string& NumberSequence();   // 7
const std::u16string& RandomText();       // 8
const std::u16string& BareNames();        // 9

const std::u16string& AllVariables();     // first pass
const std::u16string& LayerVariables();   // second passes
const std::u16string& LayerDetector();    // does a text still hold a layer variable

// "\{(\\*)((?<VarListWithOptions>N)(?<StrExtractRestructure>E)?(?<StrSplitToGroup>G)?)\}"
std::u16string MasterPattern(std::u16string_view alternation);

}  // namespace patterns

// The compiled master pattern for an alternation, built and compiled once.
const core::Regex& MasterRegex(std::u16string_view alternation);

// Group offsets inside the extraction and restructure section, counted from
// the group `StrExtractRestructure` (E) and inside one range expression R.
namespace var_group {
inline constexpr size_t kRangeText = 2;     // E+2: the whole range expression
inline constexpr size_t kPlainRange = 3;    // E+3: R of a character range alone
inline constexpr size_t kLayerRange = 12;   // E+12: "<" R ">"
inline constexpr size_t kLayerRangeR = 13;  // E+13: R inside the brackets
inline constexpr size_t kCharAfterLayer = 22;  // E+22: R after the layer range
inline constexpr size_t kPart1 = 32, kPart2 = 33, kPart3 = 34, kPart4 = 42;
// Inside R (relative to the group that opens R).
inline constexpr size_t kRFirst = 0, kRFirstOcc = 1, kRFirstRegex = 2, kRFirstText = 3,
                        kRSep = 4, kRSecond = 5, kRSecondOcc = 6, kRSecondRegex = 7,
                        kRSecondText = 8;
// Inside G (relative to `StrSplitToGroup`).
inline constexpr size_t kGroupSize = 1, kGroupSeparator = 2;
}  // namespace var_group

}  // namespace pathorama::variables
