#include "core/regex.h"

#define PCRE2_CODE_UNIT_WIDTH 16
#include <pcre2.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <map>
#include <mutex>
#include <utility>

#include "core/text.h"

namespace pathorama::core {

namespace {

// Generous for every pattern the program writes; a pathological subject hits
// these long before it could hang the UI thread or exhaust the stack.
constexpr uint32_t kMatchLimit = 2'000'000;
constexpr uint32_t kDepthLimit = 5'000;
constexpr uint32_t kHeapLimitKiB = 64 * 1024;

PCRE2_SPTR16 Ptr(std::u16string_view text) {
  static const char16_t kEmpty = 0;
  return reinterpret_cast<PCRE2_SPTR16>(text.empty() ? &kEmpty : text.data());
}

pcre2_code_16* Code(void* p) { return static_cast<pcre2_code_16*>(p); }

// The JIT's own stack: the interpreter's depth and heap limits do not apply
// to compiled code, so its stack is what bounds a deep search there.
constexpr size_t kJitStackStart = 32 * 1024;
constexpr size_t kJitStackMax = 1024 * 1024;

struct MatchContext {
  pcre2_match_context_16* ctx;
  pcre2_jit_stack_16* jitStack;
  MatchContext()
      : ctx(pcre2_match_context_create_16(nullptr)),
        jitStack(pcre2_jit_stack_create_16(kJitStackStart, kJitStackMax, nullptr)) {
    pcre2_set_match_limit_16(ctx, kMatchLimit);
    pcre2_set_depth_limit_16(ctx, kDepthLimit);
    pcre2_set_heap_limit_16(ctx, kHeapLimitKiB);
    // Without a stack of its own the JIT would use a small one on the
    // machine stack.
    if (jitStack) pcre2_jit_stack_assign_16(ctx, nullptr, jitStack);
  }
  ~MatchContext() {
    pcre2_match_context_free_16(ctx);
    pcre2_jit_stack_free_16(jitStack);
  }
  MatchContext(const MatchContext&) = delete;
  MatchContext& operator=(const MatchContext&) = delete;
};

// One per thread: a JIT stack must not be used by two searches at once.
// Made at a thread's first search and kept to the end of the process: a
// thread_local object with a destructor crashed a MinGW program under Wine
// at the exit of a std::thread (the destructor was called through a stale
// address), so only a pointer is thread-local.
pcre2_match_context_16* SharedMatchContext() {
  thread_local MatchContext* context = new MatchContext();
  return context->ctx;
}

// Each step of a pattern compiled with automatic callouts costs one unit of
// the budget; an empty budget ends the search with an error.
int CountStep(pcre2_callout_block_16*, void* data) {
  uint64_t& remaining = *static_cast<uint64_t*>(data);
  if (remaining == 0) return PCRE2_ERROR_MATCHLIMIT;
  --remaining;
  return 0;
}

// The shared limits, plus the budget's step counter when there is one.
class ContextFor {
 public:
  explicit ContextFor(uint64_t* budget) {
    if (!budget) return;
    own_ = pcre2_match_context_copy_16(SharedMatchContext());
    if (own_) pcre2_set_callout_16(own_, CountStep, budget);
  }
  ~ContextFor() {
    if (own_) pcre2_match_context_free_16(own_);
  }
  ContextFor(const ContextFor&) = delete;
  ContextFor& operator=(const ContextFor&) = delete;
  pcre2_match_context_16* Get() const { return own_ ? own_ : SharedMatchContext(); }

 private:
  pcre2_match_context_16* own_ = nullptr;
};

// The match data of this thread, reused by every search: a search copies
// its spans out before it returns, so no two searches share it at once.
// Grown to the largest pattern seen.
struct ThreadMatchDataOwner {
  pcre2_match_data_16* data = nullptr;
  uint32_t pairs = 0;
};

// A pointer only, as for the match context above.
ThreadMatchDataOwner& ThisThreadsMatchData() {
  thread_local ThreadMatchDataOwner* owner = new ThreadMatchDataOwner();
  return *owner;
}

pcre2_match_data_16* ThreadMatchData(uint32_t pairs) {
  ThreadMatchDataOwner& owner = ThisThreadsMatchData();
  if (owner.data && owner.pairs >= pairs) return owner.data;
  pcre2_match_data_16* grown = pcre2_match_data_create_16(pairs, nullptr);
  if (!grown) return nullptr;
  pcre2_match_data_free_16(owner.data);
  owner.data = grown;
  owner.pairs = pairs;
  return grown;
}

// The interpreter keeps its backtracking frames in the match data, up to the
// heap limit: after it ran, the data goes, so a deep search leaves no
// memory behind in a program that stays running.
void ReleaseThreadMatchData() {
  ThreadMatchDataOwner& owner = ThisThreadsMatchData();
  pcre2_match_data_free_16(owner.data);
  owner = {};
}

[[noreturn]] void Fail(int status) {
  switch (status) {
    case PCRE2_ERROR_MATCHLIMIT: throw RegexError("regular expression: match limit or budget hit");
    case PCRE2_ERROR_DEPTHLIMIT: throw RegexError("regular expression: depth limit hit");
    case PCRE2_ERROR_HEAPLIMIT: throw RegexError("regular expression: heap limit hit");
    case PCRE2_ERROR_NOMEMORY: throw RegexError("regular expression: out of memory");
    case PCRE2_ERROR_JIT_STACKLIMIT: throw RegexError("regular expression: stack limit hit");
    default: throw RegexError("regular expression: search failed");
  }
}

// The index of the first unpaired surrogate, or npos.
size_t FirstUnpairedSurrogate(std::u16string_view text) {
  for (size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      ++i;
      continue;
    }
    if (IsHighSurrogate(c) || IsLowSurrogate(c)) return i;
  }
  return std::u16string_view::npos;
}

}  // namespace

RegexSubject::RegexSubject(std::u16string_view text) : text_(text), matchable_(text) {
  const size_t first = FirstUnpairedSurrogate(text);
  if (first == std::u16string_view::npos) return;
  auto repaired = std::make_shared<std::u16string>(text);
  for (size_t i = first; i < repaired->size(); ++i) {
    const char16_t c = (*repaired)[i];
    if (IsHighSurrogate(c) && i + 1 < repaired->size() && IsLowSurrogate((*repaired)[i + 1]))
      ++i;
    else if (IsHighSurrogate(c) || IsLowSurrogate(c))
      (*repaired)[i] = 0xFFFD;
  }
  repaired_ = std::move(repaired);
  matchable_ = *repaired_;
}

RegexSubject RegexSubject::Slice(size_t start, size_t end) const {
  RegexSubject part;
  part.text_ = text_.substr(start, end - start);
  part.matchable_ = matchable_.substr(start, end - start);
  part.repaired_ = repaired_;
  return part;
}

size_t RegexMatch::Start(size_t group) const {
  return group < spans_.size() ? spans_[group].first : kUnset;
}
size_t RegexMatch::End(size_t group) const {
  return group < spans_.size() ? spans_[group].second : kUnset;
}
bool RegexMatch::Matched(size_t group) const {
  return group < spans_.size() && spans_[group].first != kUnset;
}
size_t RegexMatch::Length(size_t group) const {
  return Matched(group) ? spans_[group].second - spans_[group].first : 0;
}
std::u16string_view RegexMatch::GroupView(size_t group) const {
  if (!Matched(group)) return {};
  return subject_.substr(spans_[group].first, Length(group));
}
std::u16string RegexMatch::Group(size_t group) const { return std::u16string(GroupView(group)); }
size_t RegexMatch::IndexOf(std::u16string_view name) const {
  int index = regex_ ? regex_->GroupIndex(name) : -1;
  if (index < 0) throw std::logic_error("regular expression: no group of that name");
  return static_cast<size_t>(index);
}
std::u16string RegexMatch::Named(std::u16string_view name) const {
  return Group(IndexOf(name));
}
std::u16string_view RegexMatch::NamedView(std::u16string_view name) const {
  return GroupView(IndexOf(name));
}
bool RegexMatch::NamedMatched(std::u16string_view name) const { return Matched(IndexOf(name)); }
size_t RegexMatch::NamedStart(std::u16string_view name) const { return Start(IndexOf(name)); }

Regex::Regex(std::u16string_view pattern, unsigned options)
    : pattern_(pattern), options_(options) {
  uint32_t flags = 0;
  if (options & kCaseless) flags |= PCRE2_CASELESS;
  // \d and \w stay ASCII, as the patterns expect.
  if (options & kUtf) flags |= PCRE2_UTF;
  if (options & kMultiline) flags |= PCRE2_MULTILINE;
  if (options & kDotAll) flags |= PCRE2_DOTALL;
  if (options & kCountSteps) flags |= PCRE2_AUTO_CALLOUT;
  int errorCode = 0;
  PCRE2_SIZE errorOffset = 0;
  code_ =
      pcre2_compile_16(Ptr(pattern_), pattern_.size(), flags, &errorCode, &errorOffset, nullptr);
  if (code_) {
    uint32_t captures = 0;
    pcre2_pattern_info_16(Code(code_), PCRE2_INFO_CAPTURECOUNT, &captures);
    pairs_ = captures + 1;
    // Compiled to machine code once, where the library can. Counted steps
    // stay with the interpreter, whose callout count is the budget's unit.
    // A library without a JIT leaves the pattern to the interpreter.
    if (!(options & kCountSteps)) jit_ = pcre2_jit_compile_16(Code(code_), PCRE2_JIT_COMPLETE) == 0;
  } else {
    PCRE2_UCHAR16 buffer[256];
    int n = pcre2_get_error_message_16(errorCode, buffer, 256);
    if (n > 0) error_.assign(reinterpret_cast<const char16_t*>(buffer), static_cast<size_t>(n));
  }
}

Regex::~Regex() { pcre2_code_free_16(Code(code_)); }

namespace {

// Orders patterns by length, then by their bytes: most comparisons end at the
// length, and the rest run as one memcmp rather than a character loop.
struct ShortFirst {
  using is_transparent = void;
  bool operator()(std::u16string_view a, std::u16string_view b) const {
    if (a.size() != b.size()) return a.size() < b.size();
    return std::memcmp(a.data(), b.data(), a.size() * sizeof(char16_t)) < 0;
  }
};

}  // namespace

const Regex& Regex::Get(std::u16string_view pattern, unsigned options) {
  static std::mutex mutex;
  // One map per option set, searched by the view itself: a lookup allocates
  // and copies nothing, which matters for the long patterns looked up once
  // per variable.
  static std::map<unsigned, std::map<std::u16string, std::unique_ptr<Regex>, ShortFirst>> cache;
  std::lock_guard<std::mutex> lock(mutex);
  auto& byPattern = cache[options];
  auto it = byPattern.find(pattern);
  if (it == byPattern.end())
    it = byPattern.emplace(std::u16string(pattern), std::make_unique<Regex>(pattern, options)).first;
  return *it->second;
}

bool Regex::MatchAt(const RegexSubject& subject, size_t offset, RegexMatch& out,
                    RegexBudget* budget) const {
  if (!code_) throw RegexError("regular expression: the pattern does not compile");
  if (offset > subject.Size()) return false;
  pcre2_match_data_16* data = ThreadMatchData(pairs_);
  if (!data) Fail(PCRE2_ERROR_NOMEMORY);
  ContextFor context(budget ? &budget->remaining_ : nullptr);
  // The subject was checked when it was prepared; an offset inside a
  // surrogate pair would make it invalid here.
  if (offset > 0 && offset < subject.Size() && IsLowSurrogate(subject.matchable_[offset]) &&
      IsHighSurrogate(subject.matchable_[offset - 1]))
    ++offset;
  const uint32_t flags = (options_ & kUtf) ? PCRE2_NO_UTF_CHECK : 0;
  int rc = pcre2_match_16(Code(code_), Ptr(subject.matchable_), subject.Size(), offset, flags,
                          data, context.Get());
  bool interpreted = !jit_;
  if (jit_ && (rc == PCRE2_ERROR_JIT_STACKLIMIT || rc == PCRE2_ERROR_MATCHLIMIT)) {
    // The machine code counts its limits in its own units: the interpreter
    // has the last word, so the JIT never fails a subject that the
    // interpreter's own limits allow.
    rc = pcre2_match_16(Code(code_), Ptr(subject.matchable_), subject.Size(), offset,
                        flags | PCRE2_NO_JIT, data, context.Get());
    interpreted = true;
  }
  if (rc == PCRE2_ERROR_NOMATCH || rc <= 0) {
    if (interpreted) ReleaseThreadMatchData();
    if (rc == PCRE2_ERROR_NOMATCH) return false;
    Fail(rc);
  }
  PCRE2_SIZE* ovector = pcre2_get_ovector_pointer_16(data);
  const uint32_t pairs = pairs_;
  out.subject_ = subject.text_;
  out.regex_ = this;
  out.spans_.assign(pairs, {RegexMatch::kUnset, RegexMatch::kUnset});
  for (uint32_t i = 0; i < pairs && i < static_cast<uint32_t>(rc); ++i) {
    if (ovector[2 * i] == PCRE2_UNSET) continue;
    out.spans_[i] = {ovector[2 * i], ovector[2 * i + 1]};
  }
  if (interpreted) ReleaseThreadMatchData();
  return true;
}

std::optional<RegexMatch> Regex::Search(std::u16string_view subject, size_t offset,
                                        RegexBudget* budget) const {
  return Search(RegexSubject(subject), offset, budget);
}

std::optional<RegexMatch> Regex::Search(const RegexSubject& subject, size_t offset,
                                        RegexBudget* budget) const {
  RegexMatch m;
  if (!MatchAt(subject, offset, m, budget)) return std::nullopt;
  return m;
}

std::vector<RegexMatch> Regex::FindAll(std::u16string_view subject, RegexBudget* budget) const {
  return FindAll(RegexSubject(subject), budget);
}

std::vector<RegexMatch> Regex::FindAll(const RegexSubject& subject, RegexBudget* budget) const {
  std::vector<RegexMatch> matches;
  const std::u16string_view text = subject.Text();
  size_t offset = 0;
  while (offset <= text.size()) {
    RegexMatch m;
    if (!MatchAt(subject, offset, m, budget)) break;
    size_t end = m.End();
    bool empty = m.Start() == end;
    matches.push_back(std::move(m));
    // Past an empty match by one character, never into a surrogate pair.
    offset = empty ? end + (end < text.size() ? CodePointLength(text, end) : 1) : end;
  }
  return matches;
}

std::vector<std::u16string> Regex::Split(std::u16string_view subject, RegexBudget* budget) const {
  std::vector<std::u16string> parts;
  size_t last = 0;
  for (const RegexMatch& m : FindAll(subject, budget)) {
    if (m.End() == 0) continue;  // an empty match at the start splits nothing
    if (m.Start() == m.End() && m.Start() >= subject.size()) break;
    parts.emplace_back(subject.substr(last, m.Start() - last));
    last = m.End();
  }
  parts.emplace_back(subject.substr(last));
  return parts;
}

namespace {

// Appends the replacement for one match: "$$", "$n", "${n}" and "${name}".
void AppendReplacement(std::u16string& out, std::u16string_view replacement,
                       const RegexMatch& m, const Regex& regex) {
  for (size_t i = 0; i < replacement.size(); ++i) {
    const char16_t c = replacement[i];
    if (c != u'$') {
      out += c;
      continue;
    }
    if (++i >= replacement.size()) throw RegexError("regular expression: bad replacement");
    if (replacement[i] == u'$') {
      out += u'$';
      continue;
    }
    std::u16string_view reference;
    if (replacement[i] == u'{') {
      const size_t close = replacement.find(u'}', i + 1);
      if (close == std::u16string_view::npos || close == i + 1)
        throw RegexError("regular expression: bad replacement");
      reference = replacement.substr(i + 1, close - i - 1);
      i = close;
    } else if (replacement[i] >= u'0' && replacement[i] <= u'9') {
      const size_t start = i;
      while (i + 1 < replacement.size() && replacement[i + 1] >= u'0' && replacement[i + 1] <= u'9')
        ++i;
      reference = replacement.substr(start, i - start + 1);
    } else {
      throw RegexError("regular expression: bad replacement");
    }
    size_t group = RegexMatch::kUnset;
    if (std::optional<long long> number = ParseInt(reference)) {
      if (*number >= 0) group = static_cast<size_t>(*number);
    } else if (int index = regex.GroupIndex(reference); index >= 0) {
      group = static_cast<size_t>(index);
    }
    // An unknown or unset group adds nothing.
    out.append(m.GroupView(group));
  }
}

}  // namespace

std::u16string Regex::ReplaceAll(std::u16string_view subject, std::u16string_view replacement,
                                 bool literal, RegexBudget* budget) const {
  std::u16string out;
  out.reserve(subject.size());
  size_t last = 0;
  for (const RegexMatch& m : FindAll(subject, budget)) {
    out.append(subject.substr(last, m.Start() - last));
    if (literal)
      out.append(replacement);
    else
      AppendReplacement(out, replacement, m, *this);
    last = m.End();
  }
  out.append(subject.substr(last));
  return out;
}

int Regex::GroupIndex(std::u16string_view name) const {
  if (!code_) return -1;
  // Group names are short: terminated in a buffer on the stack, so reading
  // a named group allocates nothing.
  PCRE2_UCHAR16 buffer[64];
  std::u16string owned;
  PCRE2_SPTR16 terminated = buffer;
  if (name.size() < std::size(buffer)) {
    std::copy(name.begin(), name.end(), buffer);
    buffer[name.size()] = 0;
  } else {
    owned.assign(name);
    terminated = Ptr(owned);
  }
  int index = pcre2_substring_number_from_name_16(Code(code_), terminated);
  return index > 0 ? index : -1;
}

}  // namespace pathorama::core
