// A small facade over PCRE2's 16-bit library. Patterns are compiled once
// (`Regex::Get` caches by pattern and options) and matched caselessly with
// UTF semantics unless told otherwise. Match and depth limits turn a
// pathological subject into "no match" instead of a hang or a stack overflow.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pathorama::core {

class Regex;

// One successful match: the spans of the whole match (group 0) and of every
// capturing group. A group that did not take part has no span.
class RegexMatch {
 public:
  static constexpr size_t kUnset = static_cast<size_t>(-1);

  size_t Start(size_t group = 0) const;   // kUnset when the group did not match
  size_t End(size_t group = 0) const;
  size_t Length(size_t group = 0) const;
  bool Matched(size_t group) const;
  size_t GroupCount() const { return spans_.size(); }  // including group 0
  std::u16string Group(size_t group = 0) const;        // empty when unset
  std::u16string Named(std::u16string_view name) const;
  bool NamedMatched(std::u16string_view name) const;

 private:
  friend class Regex;
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

  // First match at or after `offset`. An invalid pattern, an offset past the
  // end or a match limit hit give no match.
  std::optional<RegexMatch> Search(std::u16string_view subject, size_t offset = 0) const;
  bool IsMatch(std::u16string_view subject) const { return Search(subject).has_value(); }
  // Like Search, but tells a match that could not be run (invalid pattern,
  // a limit hit) from a plain "no match": `failed` is set for the former.
  std::optional<RegexMatch> Search(std::u16string_view subject, size_t offset, bool& failed) const;
  // Every non-overlapping match, left to right (an empty match advances by
  // one character so the scan always ends).
  std::vector<RegexMatch> FindAll(std::u16string_view subject) const;
  // Texts between matches. Like Perl's split with a negative limit: empty
  // fields are kept, an empty match at the very start is ignored.
  std::vector<std::u16string> Split(std::u16string_view subject) const;
  // Replaces every match. The replacement understands $n, ${n} and ${name}
  // (and $$ for a dollar) unless `literal` is set.
  std::u16string ReplaceAll(std::u16string_view subject, std::u16string_view replacement,
                            bool literal = false) const;
  // Index of a named group, or -1.
  int GroupIndex(std::u16string_view name) const;

 private:
  bool MatchAt(std::u16string_view subject, size_t offset, unsigned flags, RegexMatch& out,
               int* status = nullptr) const;

  std::u16string pattern_;
  std::u16string error_;
  void* code_ = nullptr;  // pcre2_code_16*
};

}  // namespace pathorama::core
