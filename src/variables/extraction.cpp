#include "variables/extraction.h"

#include <algorithm>
#include <vector>

#include "core/regex.h"
#include "core/text.h"
#include "variables/index_list.h"
#include "variables/variable_patterns.h"

namespace pathorama::variables {

namespace {

// Range numbers beyond any text length act alike; bounding them keeps the
// endpoint arithmetic far from overflow.
constexpr long long kNumberBound = 1LL << 40;

long long BoundedNumber(std::u16string_view text) {
  std::optional<long long> n = core::ParseInt(text);
  // Only a run of digits too long for 64 bits has no value.
  if (!n) return !text.empty() && text[0] == u'-' ? -kNumberBound : kNumberBound;
  return std::clamp(*n, -kNumberBound, kNumberBound);
}

std::u16string_view TrimmedPath(std::u16string_view text) {
  size_t end = text.size();
  while (end > 0 && text[end - 1] == u'\\') --end;
  return text.substr(0, end);
}

// Each public function below takes the caller's budget or, without one, a
// fresh budget of its own.
class BudgetOrOwn {
 public:
  explicit BudgetOrOwn(core::RegexBudget* given) : given_(given) {}
  core::RegexBudget* Get() { return given_ ? given_ : &own_; }

 private:
  core::RegexBudget* given_;
  core::RegexBudget own_{kUserRegexBudget};
};

// A user's expression, compiled so that its steps count against a budget.
// Compiled for each use and not kept: compiling a short pattern costs far
// less than the searches, and a cache would grow with every text ever typed.
class UserRegex : public core::Regex {
 public:
  UserRegex(std::u16string_view pattern, bool ignoreCase)
      : core::Regex(pattern, (ignoreCase ? kDefault : kCaseSensitive) | kCountSteps) {}
};

// A delimiter or a string to delete with its marks.
struct Marked {
  enum class Kind { kPlain, kPerChar, kRegex } kind = Kind::kPlain;
  bool ignoreCase = false;
  std::u16string body;
};

Marked ParseMarks(std::u16string_view text) {
  Marked m;
  auto endsWith = [&text](std::u16string_view s) {
    return text.size() >= s.size() && text.substr(text.size() - s.size()) == s;
  };
  if (!text.empty() && text[0] == u'*') {
    m.kind = Marked::Kind::kRegex;
    text.remove_prefix(1);
    if (endsWith(u"?")) {
      m.ignoreCase = true;
      text.remove_suffix(1);
    }
  } else if (endsWith(u"*?") || endsWith(u"?*")) {
    m.kind = Marked::Kind::kPerChar;
    m.ignoreCase = true;
    text.remove_suffix(2);
  } else if (endsWith(u"*")) {
    m.kind = Marked::Kind::kPerChar;
    text.remove_suffix(1);
  } else if (endsWith(u"?")) {
    m.ignoreCase = true;
    text.remove_suffix(1);
  }
  m.body = std::u16string(text);
  return m;
}

std::u16string EscapeRegexChar(std::u16string_view c) {
  static const std::u16string_view kSpecial = u"^$()[]{}?*+.\\|/-#";
  if (c.size() == 1 && kSpecial.find(c[0]) != std::u16string_view::npos)
    return u"\\" + std::u16string(c);
  return std::u16string(c);
}

std::u16string DelimiterExpression(const Marked& d) {
  if (d.body.empty()) return u"^";
  switch (d.kind) {
    case Marked::Kind::kRegex: return d.body;
    case Marked::Kind::kPerChar: {
      std::u16string alternation;
      for (std::u16string_view c : core::CodePoints(d.body)) {
        if (!alternation.empty()) alternation += u'|';
        alternation += EscapeRegexChar(c);
      }
      return u"(" + alternation + u")";
    }
    case Marked::Kind::kPlain: {
      std::u16string out;
      for (std::u16string_view c : core::CodePoints(d.body)) out += EscapeRegexChar(c);
      return out;
    }
  }
  return u"^";
}

// Character positions, 1-based and inclusive, kept inside 1..length.
CharRange ClampToLength(CharRange r, long long length, bool allowEmpty) {
  if (r.start == 0 && r.end == 0) return r;
  if (!allowEmpty && r.end < r.start) std::swap(r.start, r.end);
  if (r.start < 1 && r.end < 1) return {};
  if (r.start > length && r.end > length) return {};
  if (r.start < 1) r.start = 1;
  if (r.end > length) r.end = length;
  return r;
}

std::u16string CutOut(std::u16string_view v, CharRange r) {
  if (r.end < r.start) return {};
  return std::u16string(v.substr(static_cast<size_t>(r.start - 1),
                                 static_cast<size_t>(r.end - r.start + 1)));
}

// Keeps the characters before the range and from `resume` (1-based) on.
std::u16string CutAway(std::u16string_view v, CharRange r, long long resume) {
  std::u16string out(v.substr(0, static_cast<size_t>(r.start - 1)));
  if (resume >= 1 && static_cast<size_t>(resume - 1) < v.size())
    out += v.substr(static_cast<size_t>(resume - 1));
  return out;
}

}  // namespace

RangeSpec RangeSpecFromMatch(const core::RegexMatch& m, std::u16string_view prefix) {
  const std::u16string p(prefix);
  RangeSpec spec;
  auto endpoint = [&m, &p](std::u16string_view which) {
    const std::u16string name = p + std::u16string(which);
    RangeEndpoint e;
    const std::u16string_view whole = m.NamedView(name);
    if (whole.empty()) return e;
    e.present = true;
    if (m.NamedMatched(name + u"Text")) {
      e.quoted = true;
      e.text = m.Named(name + u"Text");
      if (!m.NamedView(name + u"Occ").empty()) e.occurrence = BoundedNumber(m.NamedView(name + u"Occ"));
      e.regex = !m.NamedView(name + u"Regex").empty();
      e.ignoreCase = whole.back() == u'?';
    } else {
      e.number = BoundedNumber(whole);
    }
    return e;
  };
  spec.first = endpoint(u"First");
  spec.separator = m.Named(p + u"Sep");
  spec.second = endpoint(u"Second");
  return spec;
}

Occurrence FindOccurrence(std::u16string_view pattern, std::u16string_view text, bool regex,
                          bool ignoreCase, long long n, core::RegexBudget* givenBudget) {
  Occurrence none;
  if (n == 0) n = 1;
  if (!regex) {
    if (pattern.empty()) return none;
    std::u16string lowText, lowPattern;
    if (ignoreCase) {
      lowText = core::ToLower(text);
      lowPattern = core::ToLower(pattern);
      text = lowText;
      pattern = lowPattern;
    }
    size_t found = std::u16string_view::npos;
    if (n > 0) {
      // Occurrences may overlap: each search starts one past the last find.
      size_t from = 0;
      for (long long k = 0; k < n; ++k) {
        found = text.find(pattern, from);
        if (found == std::u16string_view::npos) return none;
        from = found + 1;
      }
    } else {
      // From the end: the last occurrence that fits before the previous one.
      size_t limit = text.size();
      for (long long k = 0; k < -n; ++k) {
        if (limit < pattern.size()) return none;
        found = text.rfind(pattern, limit - pattern.size());
        if (found == std::u16string_view::npos) return none;
        limit = found;
      }
    }
    return Occurrence{static_cast<long long>(found) + 1, std::u16string(pattern)};
  }

  BudgetOrOwn budget(givenBudget);
  const UserRegex re(pattern, ignoreCase);
  const core::RegexSubject subject(text);
  if (n > 0) {
    size_t offset = 0;
    for (long long k = 0;; ++k) {
      std::optional<core::RegexMatch> m = re.Search(subject, offset, budget.Get());
      if (!m) return none;
      if (k + 1 == n) return Occurrence{static_cast<long long>(m->Start()) + 1, m->Group()};
      offset = m->End() > m->Start() ? m->End() : m->End() + 1;
      if (offset > text.size()) return none;
    }
  }
  // From the end: grow a suffix one character at a time until it holds a
  // match, count it, and start again before it. The budget bounds the whole
  // loop, not only each search in it.
  size_t limit = text.size();
  long long counted = 0;
  for (size_t k = limit; k-- > 0;) {
    // A suffix starts with a whole character, never inside a surrogate pair.
    if (k > 0 && core::CodePointLength(text, k - 1) == 2) continue;
    std::optional<core::RegexMatch> m = re.Search(subject.Slice(k, limit), 0, budget.Get());
    if (!m) continue;
    if (++counted == -n) return Occurrence{static_cast<long long>(k) + 1, m->Group()};
    limit = k;
  }
  return none;
}

long long LayerCount(std::u16string_view text) {
  if (text.empty()) return 0;
  std::u16string_view t = TrimmedPath(text);
  return 1 + static_cast<long long>(std::count(t.begin(), t.end(), u'\\'));
}

long long LayerOfPosition(std::u16string_view text, long long p) {
  std::u16string_view t = TrimmedPath(text);
  long long length = static_cast<long long>(t.size());
  if (t.empty() || p == 0 || p > length) return 0;
  if (p < 0) p += length + 1;
  if (p <= 0) return 0;
  return 1 + static_cast<long long>(std::count(t.begin(), t.begin() + (p - 1), u'\\'));
}

CharRange LayerCharRange(std::u16string_view text, long long n) {
  std::u16string_view t = TrimmedPath(text);
  if (t.empty()) return {};
  long long layers = 1 + static_cast<long long>(std::count(t.begin(), t.end(), u'\\'));
  if (n > layers) return {};
  if (n < 0) n += layers + 1;
  if (n <= 0) return {};
  size_t start = 0;
  for (long long k = 1; k < n; ++k) start = t.find(u'\\', start) + 1;
  size_t end = t.find(u'\\', start);
  if (end == std::u16string_view::npos) end = t.size();
  // An empty layer ("a\\b") gives an end one before its start.
  return {static_cast<long long>(start) + 1, static_cast<long long>(end)};
}

CharRange ComputeRange(std::u16string_view text, const RangeSpec& range, bool byLayer,
                       core::RegexBudget* givenBudget) {
  BudgetOrOwn budget(givenBudget);
  const long long length = byLayer ? LayerCount(text) : static_cast<long long>(text.size());
  struct End {
    long long at = 0;       // the endpoint (a position or a layer)
    long long matchAt = 0;  // where its quoted text matched, 1-based
    std::u16string matched;
  };
  // False when the endpoint selects nothing.
  auto resolve = [&](const RangeEndpoint& e, End& out) {
    if (!e.quoted) {
      out.at = e.number;
      return e.number != 0;
    }
    Occurrence occ =
        FindOccurrence(e.text, text, e.regex, e.ignoreCase, e.occurrence, budget.Get());
    if (occ.position == 0) return false;
    out.matchAt = occ.position;
    out.matched = occ.matched;
    out.at = byLayer ? LayerOfPosition(text, occ.position) : occ.position;
    return true;
  };

  End a, b;
  if (!resolve(range.first, a)) return CharRange{};
  if (range.second.present) {
    if (!resolve(range.second, b)) return CharRange{};
  } else {
    // A lone layer is that layer; a lone character position runs to the end.
    b.at = byLayer && range.separator.empty() ? a.at : length;
  }

  const bool countForm = range.separator == u"," && range.second.present;
  const bool negativeStart = countForm && a.at < 0;
  if (countForm) {
    if (a.at < 0) a.at += length + 1;
    b.at = a.at + b.at - 1;
  }
  if (b.at < a.at) std::swap(a, b);
  if (!negativeStart) {
    if (a.at < 0) a.at += length + 1;
    if (b.at < 0) b.at += length + 1;
    if (b.at < a.at) std::swap(a, b);
  }
  if (!b.matched.empty()) {
    long long last = b.matchAt + static_cast<long long>(b.matched.size()) - 1;
    b.at = byLayer ? LayerOfPosition(text, last) : b.at + static_cast<long long>(b.matched.size()) - 1;
  }
  if (a.at < 1 && b.at < 1) return CharRange{};
  if (a.at > length && b.at > length) return CharRange{};
  if (a.at < 1) a.at = 1;
  if (b.at > length) b.at = length;

  CharRange r{a.at, b.at};
  if (byLayer) {
    CharRange first = LayerCharRange(text, a.at), last = LayerCharRange(text, b.at);
    if (first == CharRange{} || last == CharRange{}) return CharRange{};
    r = {first.start, last.end};
  }
  return ClampToLength(r, static_cast<long long>(text.size()), byLayer);
}

std::u16string ExtractRange(std::u16string_view value, std::u16string_view nameText,
                           std::u16string_view rangeText, core::RegexBudget* givenBudget) {
  BudgetOrOwn budget(givenBudget);
  // The name is put before the range only for the look-behinds of the pattern.
  std::u16string subject = std::u16string(nameText) + std::u16string(rangeText);
  static const core::Regex& x = core::Regex::Get(u"\\G" + patterns::Extraction());
  std::optional<core::RegexMatch> m = x.Search(subject, nameText.size());
  if (!m) return std::u16string(value);

  std::u16string v(value);
  auto applyChars = [&v, &budget](const RangeSpec& spec, bool remove) {
    CharRange r = ComputeRange(v, spec, false, budget.Get());
    if (r == CharRange{}) {
      if (!remove) v.clear();
    } else {
      v = remove ? CutAway(v, r, r.end + 1) : CutOut(v, r);
    }
  };

  if (m->NamedMatched(u"LayerRange")) {
    std::u16string_view layerText = m->NamedView(u"LayerRange");
    bool remove = layerText.ends_with(u"*>");
    CharRange r = ComputeRange(v, RangeSpecFromMatch(*m, u"Layer"), true, budget.Get());
    if (r == CharRange{}) {
      if (!remove) v.clear();
    } else {
      // Deleting layers takes the "\" after them too.
      v = remove ? CutAway(v, r, r.end + 2) : CutOut(v, r);
    }
    if (std::u16string_view after = m->NamedView(u"After"); !after.empty())
      applyChars(RangeSpecFromMatch(*m, u"After"), after.back() == u'*');
    return v;
  }

  std::u16string range = m->Named(u"RangeText");
  bool remove = !range.empty() && range.back() == u'*';
  RangeSpec spec = RangeSpecFromMatch(*m, u"Plain");
  if (remove) {
    range.pop_back();
    static const core::Regex& alone =
        core::Regex::Get(u"^(?:" + patterns::Range(u"Plain") + u")$");
    if (std::optional<core::RegexMatch> again = alone.Search(range))
      spec = RangeSpecFromMatch(*again, u"Plain");
  }
  applyChars(spec, remove);
  return v;
}

std::u16string DeleteMarked(std::u16string_view value, std::u16string_view marked,
                            core::RegexBudget* givenBudget) {
  Marked x = ParseMarks(marked);
  if (x.body.empty()) return std::u16string(value);
  switch (x.kind) {
    case Marked::Kind::kPerChar: {
      std::vector<std::u16string_view> set = core::CodePoints(x.body);
      std::u16string out;
      for (std::u16string_view c : core::CodePoints(value)) {
        bool drop = std::any_of(set.begin(), set.end(), [&](std::u16string_view s) {
          return x.ignoreCase ? core::EqualsIgnoreCase(s, c) : s == c;
        });
        if (!drop) out += c;
      }
      return out;
    }
    case Marked::Kind::kRegex: {
      BudgetOrOwn budget(givenBudget);
      return UserRegex(x.body, x.ignoreCase).ReplaceAll(value, u"", true, budget.Get());
    }
    case Marked::Kind::kPlain: {
      if (!x.ignoreCase) return core::ReplaceAllText(value, x.body, u"");
      std::u16string out;
      size_t from = 0;
      for (size_t at; (at = core::FindIgnoreCase(value, x.body, from)) != std::u16string_view::npos;
           from = at + x.body.size())
        out += value.substr(from, at - from);
      out += value.substr(from);
      return out;
    }
  }
  return std::u16string(value);
}

std::u16string Restructure(std::u16string_view value, const RestructureParts& parts,
                           core::RegexBudget* givenBudget) {
  BudgetOrOwn budget(givenBudget);
  if (!parts.delimiter) return std::u16string(value);
  if (!parts.connector) {
    // A single part is a string to delete.
    if (parts.delimiter->empty()) return std::u16string(value);
    return DeleteMarked(value, *parts.delimiter, budget.Get());
  }
  Marked d = ParseMarks(*parts.delimiter);
  const UserRegex re(DelimiterExpression(d), d.ignoreCase);
  const std::u16string& connector = *parts.connector;

  std::u16string result;
  if (parts.sections && !parts.sections->empty()) {
    std::vector<std::u16string> pieces = re.Split(value, budget.Get());
    const long long count = static_cast<long long>(pieces.size());
    bool first = true;
    for (const std::u16string& index :
         core::SplitText(ExpandIndexList(count, *parts.sections), u",")) {
      std::optional<long long> parsed = core::ParseInt(index);
      if (!parsed) continue;
      const long long k = *parsed;
      std::u16string_view text;
      if (k == 0) text = value;
      else if (k >= 1 && k <= count) text = pieces[static_cast<size_t>(k - 1)];
      else continue;
      if (first) {
        result = text;
        first = false;
      } else if (!text.empty()) {
        result += connector;
        result += text;
      }
    }
  } else {
    result = re.ReplaceAll(value, connector, false, budget.Get());
  }
  if (parts.deletion && !parts.deletion->empty()) return DeleteMarked(result, *parts.deletion, budget.Get());
  return result;
}

std::u16string SplitToGroups(std::u16string_view value, long long n,
                             const std::optional<std::u16string>& separator) {
  if (n == 0) return std::u16string(value);
  std::vector<std::u16string_view> chars = core::CodePoints(value);
  const size_t total = chars.size();
  const size_t k = static_cast<size_t>(std::min<unsigned long long>(
      n < 0 ? 0ULL - static_cast<unsigned long long>(n) : static_cast<unsigned long long>(n),
      total + 1));
  std::vector<std::u16string> groups;
  // Counted from the start, or from the end so that the short group comes first.
  size_t firstSize = n > 0 || total % k == 0 ? k : total % k;
  for (size_t i = 0; i < total;) {
    size_t size = groups.empty() ? firstSize : k;
    std::u16string g;
    for (size_t j = i; j < std::min(total, i + size); ++j) g += chars[j];
    groups.push_back(std::move(g));
    i += size;
  }
  std::u16string joined =
      core::JoinText(groups, separator ? std::u16string_view(*separator) : u"|");
  if (separator) return joined;
  return groups.size() > 1 ? u"(" + joined + u")" : std::u16string(value);
}

}  // namespace pathorama::variables
