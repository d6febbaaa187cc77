// A small facade over PCRE2's 16-bit library. Patterns are compiled once
// (`Regex::Get` caches by pattern and options) and matched caselessly with
// UTF semantics unless told otherwise.
//
// Subjects may hold unpaired surrogates (legal in NTFS file names). A
// subject is checked once (RegexSubject); where it holds such a unit, the
// search runs over a copy in which each one reads as U+FFFD, so it is one
// character like any other, and every match still reports the caller's own
// text. A loop of searches over one text checks it once, not per search.
//
// A search that cannot be run to its end (the pattern does not compile, or
// the subject makes it hit a match, depth or heap limit, or a budget runs
// out) throws RegexError. It never passes for "no match": a caller that took
// a limit hit for a missing group would act on a wrong answer.
//
// Patterns are also compiled to machine code (PCRE2's JIT) where the library
// has it, except those that count steps against a budget. The machine code
// runs on a bounded stack of its own; when it hits that bound or the match
// limit, the interpreter runs the search again under its usual limits.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace pathorama::core {

class Regex;

// A text prepared for searching: its UTF-16 checked once. Views the text,
// which must outlive it.
class RegexSubject {
 public:
  explicit RegexSubject(std::u16string_view text);
  std::u16string_view Text() const { return text_; }
  size_t Size() const { return text_.size(); }
  // The part [start, end), without checking again. Both ends must lie on
  // code point boundaries.
  RegexSubject Slice(size_t start, size_t end) const;

 private:
  friend class Regex;
  RegexSubject() = default;
  std::u16string_view text_;       // the caller's text
  std::u16string_view matchable_;  // text_, or the same part of `repaired_`
  std::shared_ptr<const std::u16string> repaired_;  // unpaired surrogates as U+FFFD
};

class RegexError : public std::runtime_error {
 public:
  explicit RegexError(const char* what) : std::runtime_error(what) {}
};

// Work allowed to a series of searches with a user's pattern, counted in
// pattern steps over all of them: a loop of searches stays bounded as a
// whole, not only each search. Only patterns compiled with kCountSteps
// count against it.
class RegexBudget {
 public:
  explicit RegexBudget(uint64_t steps) : remaining_(steps) {}
  uint64_t Remaining() const { return remaining_; }

 private:
  friend class Regex;
  uint64_t remaining_;
};

// One successful match: the spans of the whole match (group 0) and of every
// capturing group. A group that did not take part has no span.
class RegexMatch {
 public:
  static constexpr size_t kUnset = static_cast<size_t>(-1);

  size_t Start(size_t group = 0) const;  // kUnset when the group did not match
  size_t End(size_t group = 0) const;
  size_t Length(size_t group = 0) const;
  bool Matched(size_t group) const;
  size_t GroupCount() const { return spans_.size(); }  // including group 0
  std::u16string Group(size_t group = 0) const;        // empty when unset
  std::u16string_view GroupView(size_t group = 0) const;
  // Groups by name; a name the pattern does not have is an error of the
  // program, not of the subject, and throws std::logic_error.
  std::u16string Named(std::u16string_view name) const;
  std::u16string_view NamedView(std::u16string_view name) const;
  bool NamedMatched(std::u16string_view name) const;
  size_t NamedStart(std::u16string_view name) const;

 private:
  friend class Regex;
  size_t IndexOf(std::u16string_view name) const;
  std::u16string_view subject_;
  std::vector<std::pair<size_t, size_t>> spans_;
  const Regex* regex_ = nullptr;
};

class Regex {
 public:
  enum Options : unsigned {
    kNone = 0,
    kCaseless = 1u << 0,
    kUtf = 1u << 1,
    kMultiline = 1u << 2,
    kDotAll = 1u << 3,
    // Counts the steps of every search against a RegexBudget: for patterns
    // the user writes.
    kCountSteps = 1u << 4,
    kDefault = kCaseless | kUtf,
    kCaseSensitive = kUtf,
  };

  explicit Regex(std::u16string_view pattern, unsigned options = kDefault);
  ~Regex();
  Regex(const Regex&) = delete;
  Regex& operator=(const Regex&) = delete;

  // The compiled pattern for (pattern, options), compiled on first use and
  // kept for the life of the process.
  static const Regex& Get(std::u16string_view pattern, unsigned options = kDefault);

  bool IsValid() const { return code_ != nullptr; }
  const std::u16string& Error() const { return error_; }
  const std::u16string& Pattern() const { return pattern_; }

  // First match at or after `offset`; none for an offset past the end.
  // Throws RegexError as described at the top; with a budget, also when the
  // budget runs out.
  std::optional<RegexMatch> Search(std::u16string_view subject, size_t offset = 0,
                                   RegexBudget* budget = nullptr) const;
  // The same over a prepared subject: for a loop of searches over one text.
  std::optional<RegexMatch> Search(const RegexSubject& subject, size_t offset = 0,
                                   RegexBudget* budget = nullptr) const;
  bool IsMatch(std::u16string_view subject) const { return Search(subject).has_value(); }
  // Every non-overlapping match, left to right (an empty match advances by
  // one character so the scan always ends).
  std::vector<RegexMatch> FindAll(std::u16string_view subject,
                                  RegexBudget* budget = nullptr) const;
  // Texts between matches. Like Perl's split with a negative limit: empty
  // fields are kept, an empty match at the very start is ignored.
  std::vector<std::u16string> Split(std::u16string_view subject,
                                    RegexBudget* budget = nullptr) const;
  // Replaces every match. The replacement understands $n, ${n} and ${name}
  // (and $$ for a dollar; an unset or unknown group is empty) unless
  // `literal` is set; a "$" followed by anything else is an error.
  std::u16string ReplaceAll(std::u16string_view subject, std::u16string_view replacement,
                            bool literal = false, RegexBudget* budget = nullptr) const;
  // Index of a named group, or -1.
  int GroupIndex(std::u16string_view name) const;

 private:
  bool MatchAt(const RegexSubject& subject, size_t offset, RegexMatch& out,
               RegexBudget* budget) const;
  std::vector<RegexMatch> FindAll(const RegexSubject& subject, RegexBudget* budget) const;

  std::u16string pattern_;
  std::u16string error_;
  unsigned options_ = 0;
  void* code_ = nullptr;  // pcre2_code_16*
  uint32_t pairs_ = 0;    // capturing groups, plus the whole match
  bool jit_ = false;      // compiled to machine code as well
};

}  // namespace pathorama::core
