// The sections that reshape a variable's value: extraction of a character or
// layer range, restructuring by the ":" parts, and grouping.
//
// A regular expression written by the user (the "*" marks) that does not
// compile, or cannot be run within the match limits and the budget shared by
// all searches of one variable, makes the section fail: the functions that
// can meet one throw core::RegexError, and the driver then leaves the whole
// variable as written. Without a budget, each call takes a fresh one of
// kUserRegexBudget steps.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace pathorama::core {
class RegexBudget;
class RegexMatch;
}  // namespace pathorama::core

namespace pathorama::variables {

inline constexpr unsigned long long kUserRegexBudget = 1'000'000;

// 1-based, inclusive character positions; (0, 0) selects nothing.
struct CharRange {
  long long start = 0, end = 0;
  bool operator==(const CharRange&) const = default;
};

// One end of a range: a number, or a quoted text with its marks.
struct RangeEndpoint {
  bool present = false;
  bool quoted = false;
  long long number = 0;      // unquoted; 0 selects nothing
  std::u16string text;       // quoted
  long long occurrence = 1;  // N-th occurrence, negative from the end
  bool regex = false;        // "*" before the quote
  bool ignoreCase = false;   // "?" after the quote
};

struct RangeSpec {
  RangeEndpoint first, second;
  std::u16string separator;  // "-", "," or empty
};

// The range of a match of the range expression whose groups are named with
// `prefix` (patterns::Range).
RangeSpec RangeSpecFromMatch(const core::RegexMatch& m, std::u16string_view prefix);

// Where a quoted endpoint lies: the 1-based position of the N-th occurrence
// (0 when there is none) and the text that matched.
struct Occurrence {
  long long position = 0;
  std::u16string matched;
};
Occurrence FindOccurrence(std::u16string_view pattern, std::u16string_view text, bool regex,
                          bool ignoreCase, long long n, core::RegexBudget* budget = nullptr);

// Layers of a "\"-separated path (trailing "\" ignored), counted from 1.
long long LayerCount(std::u16string_view text);
long long LayerOfPosition(std::u16string_view text, long long position);
CharRange LayerCharRange(std::u16string_view text, long long layer);

CharRange ComputeRange(std::u16string_view text, const RangeSpec& range, bool byLayer,
                       core::RegexBudget* budget = nullptr);

// Cuts out (or, with a trailing "*", deletes) the range written after the
// name: "1-4", "-2", "5,2", "'Pro'", "-2'\'", "2*'\d+'?", "<2>", "<1-2>3*".
std::u16string ExtractRange(std::u16string_view value, std::u16string_view nameText,
                           std::u16string_view rangeText, core::RegexBudget* budget = nullptr);

// The ":" parts: delimiter, connector, sections list, string to delete. A
// part that was not written is absent (an empty part is present).
struct RestructureParts {
  std::optional<std::u16string> delimiter, connector, sections, deletion;
};
std::u16string Restructure(std::u16string_view value, const RestructureParts& parts,
                           core::RegexBudget* budget = nullptr);

// Deletes `marked` from the value: "*re" and "*re?" regular expressions,
// "abc*" and "abc*?" every character, "abc?" the text ignoring case, "abc".
std::u16string DeleteMarked(std::u16string_view value, std::u16string_view marked,
                            core::RegexBudget* budget = nullptr);

// Groups of |n| characters (counted from the end when n < 0) joined with the
// separator, or in the path-branch format "(a|b)" without one. A size of 0
// leaves the value as it is.
std::u16string SplitToGroups(std::u16string_view value, long long n,
                             const std::optional<std::u16string>& separator);

}  // namespace pathorama::variables
