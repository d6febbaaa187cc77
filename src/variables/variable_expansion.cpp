#include "variables/variable_expansion.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "core/diagnostics.h"
#include "core/regex.h"
#include "core/text.h"
#include "variables/extraction.h"
#include "variables/folder_layers.h"
#include "variables/variable_families.h"
#include "variables/variable_patterns.h"

namespace pathorama::variables {

namespace {

// Layer values are layers of the text itself, so every pass that changes the
// text resolves at least one variable; the bound only guards against texts
// whose values assemble new layer variables out of their neighbours.
constexpr int kMaxLayerPasses = 64;

constexpr size_t kNone = std::u16string_view::npos;

}  // namespace

ContextText ContextPath(const LayerPosition& at, std::u16string_view prefix) {
  if (!at.passHasCr) return {at.produced, at.rest};
  if (prefix == u"::") return {at.produced, at.rest, true};
  // The parts of the whole text before and after its first carriage return.
  ContextText before, after;
  if (at.producedCr != kNone) {
    before = {at.produced.substr(0, at.producedCr), {}};
    after = {at.produced.substr(at.producedCr + 1), at.rest};
  } else if (at.restCr != kNone) {
    before = {at.produced, at.rest.substr(0, at.restCr)};
    after = {at.rest.substr(at.restCr + 1), {}};
  } else {
    before = {at.produced, at.rest};
  }
  if (prefix == u":") return before;
  return at.beforePassCr ? before : after;
}

namespace {

// No value when a regular expression of the user's cannot be run (it does
// not compile, or it ran out of its budget): RegexError.
std::u16string ApplyExtractRestructure(std::u16string value, std::u16string_view name,
                                       const core::RegexMatch& m, core::RegexBudget& budget) {
  if (m.NamedMatched(u"RangeText") && !m.NamedView(u"RangeText").empty())
    value = ExtractRange(value, name, m.NamedView(u"RangeText"), &budget);
  RestructureParts parts;
  auto part = [&m](std::u16string_view group) -> std::optional<std::u16string> {
    if (!m.NamedMatched(group)) return std::nullopt;
    return m.Named(group);
  };
  parts.delimiter = part(u"Delimiter");
  parts.connector = part(u"Connector");
  parts.sections = part(u"Sections");
  parts.deletion = part(u"Deletion");
  return Restructure(value, parts, &budget);
}

std::u16string ApplyGrouping(const std::u16string& value, const core::RegexMatch& m) {
  std::optional<long long> size = core::ParseInt(m.NamedView(u"GroupSize"));
  if (!size) return value;  // beyond any text
  std::optional<std::u16string> separator;
  if (m.NamedMatched(u"GroupSeparator")) separator = m.Named(u"GroupSeparator");
  return SplitToGroups(value, *size, separator);
}

const core::Regex& NumberedFolder() {
  static const core::Regex& re = core::Regex::Get(uR"(^(:|::)?(\+|\-)?(\d+)Folder)");
  return re;
}

}  // namespace

LayerState& CurrentLayerState() {
  thread_local LayerState state;
  return state;
}

bool IsFolderLayerName(std::u16string_view nameText) {
  // Every form holds the word; most names do not, and need no search.
  if (core::FindIgnoreCase(nameText, u"Folder") == std::u16string_view::npos) return false;
  return core::EndsWithIgnoreCase(nameText, u"pFolder") ||
         core::EndsWithIgnoreCase(nameText, u"gFolder") || NumberedFolder().IsMatch(nameText);
}

std::optional<std::u16string> EvaluateClaimedVariable(const VariableRequest& request) {
  for (const VariableFamily& family : VariableFamilies()) {
    if (!family.claims(request.nameText)) continue;
    if (std::optional<std::u16string> value = family.evaluate(request)) return value;
    return u"{" + std::u16string(request.nameText) + u"}";
  }
  return std::nullopt;
}

std::u16string EvaluateVariable(const VariableRequest& request) {
  return EvaluateClaimedVariable(request).value_or(u"{" + std::u16string(request.nameText) +
                                                   u"}");
}

namespace {

// The text a pass produces, where its first carriage return is and how many
// "\" it holds: found in each appended piece only, so a pass stays linear in
// its text however many folder layers read what came before them.
class Produced {
 public:
  explicit Produced(size_t capacity) { text_.reserve(capacity); }
  void Append(std::u16string_view piece) {
    if (firstCr_ == kNone)
      if (size_t cr = piece.find(u'\r'); cr != kNone) firstCr_ = text_.size() + cr;
    backslashes_ += static_cast<long long>(std::count(piece.begin(), piece.end(), u'\\'));
    text_.append(piece);
  }
  // LayerCount of the text so far: its "\" but those at its end, plus one.
  long long LayerCount() const {
    if (text_.empty()) return 0;
    long long trailing = 0;
    for (size_t i = text_.size(); i > 0 && text_[i - 1] == u'\\'; --i) ++trailing;
    return 1 + backslashes_ - trailing;
  }
  void Append(char16_t c) { Append(std::u16string_view(&c, 1)); }
  const std::u16string& Text() const { return text_; }
  std::u16string Take() { return std::move(text_); }
  size_t FirstCr() const { return firstCr_; }

 private:
  std::u16string text_;
  size_t firstCr_ = kNone;
  long long backslashes_ = 0;
};

// The groups of a master pattern that the driver reads at every variable,
// looked up by name once per pass rather than at every match. A group the
// pattern lacks reads as unset.
struct MasterGroups {
  explicit MasterGroups(const core::Regex& master)
      : escapes(Index(master, u"Escapes")),
        name(Index(master, u"VarListWithOptions")),
        ordNum(Index(master, u"OrdNum")),
        layerOffset(Index(master, u"LayerOffset")),
        extractRestructure(Index(master, u"StrExtractRestructure")),
        splitToGroup(Index(master, u"StrSplitToGroup")) {}
  static size_t Index(const core::Regex& master, std::u16string_view group) {
    const int index = master.GroupIndex(group);
    return index < 0 ? core::RegexMatch::kUnset : static_cast<size_t>(index);
  }
  size_t escapes, name, ordNum, layerOffset, extractRestructure, splitToGroup;
};

// What one pass knows besides its text: which groups its master pattern
// has, and where the carriage returns of the text lie.
struct Pass {
  std::u16string_view text;
  MasterGroups groups;
  bool hasSequences;    // the all-variables pattern: `OrdNum`
  bool hasLayerOffset;  // the folder-layer pattern: `LayerOffset`
  std::vector<size_t> crs;
};

// The value of one variable the master pattern found, or nothing when it
// stays as written.
std::optional<std::u16string> ValueOf(const core::RegexMatch& m, const Pass& pass,
                                      const Produced& produced, const VariableEnvironment& env) {
  const std::u16string_view text = pass.text;
  const std::vector<size_t>& passCrs = pass.crs;
  const MasterGroups& groups = pass.groups;
  const std::u16string name(m.GroupView(groups.name));
  const size_t start = m.Start(), end = m.End();
  const std::u16string_view after = text.substr(end);
  std::u16string value;
  if (pass.hasSequences && !m.GroupView(groups.ordNum).empty()) {
    // A sequence sees only what follows it and takes no extraction.
    std::optional<std::u16string> claimed = EvaluateClaimedVariable({text, name, {}, after, {}, env});
    if (!claimed) return std::nullopt;
    value = std::move(*claimed);
  } else {
    // Only the folder layers read the context path.
    ContextText context;
    long long layerCountBefore = -1;
    if (IsFolderLayerName(name)) {
      layerCountBefore = produced.LayerCount();
      LayerPosition at;
      at.produced = produced.Text();
      at.producedCr = produced.FirstCr();
      at.rest = text.substr(start);
      auto next = std::lower_bound(passCrs.begin(), passCrs.end(), start);
      at.restCr = next == passCrs.end() ? kNone : *next - start;
      at.passHasCr = !passCrs.empty();
      at.beforePassCr = at.passHasCr && start < passCrs.front();
      context =
          ContextPath(at, pass.hasLayerOffset ? m.GroupView(groups.layerOffset) : std::u16string_view());
    }
    const VariableRequest request{text, name, context, after, produced.Text(), env, layerCountBefore};
    std::optional<std::u16string> claimed;
    if (pass.hasLayerOffset) {
      // A layer that cannot be read yet stays as written, sections and all,
      // for a later pass.
      claimed = EvaluateFolderLayer(request);
    } else {
      claimed = EvaluateClaimedVariable(request);
    }
    if (!claimed) return std::nullopt;
    value = std::move(*claimed);
    if (!m.GroupView(groups.extractRestructure).empty()) {
      // One budget for every search the sections of this variable make.
      core::RegexBudget budget(kUserRegexBudget);
      value = ApplyExtractRestructure(std::move(value), name, m, budget);
    }
  }
  if (!m.GroupView(groups.splitToGroup).empty()) value = ApplyGrouping(value, m);
  return value;
}

std::u16string ExpandWith(const core::Regex& master, std::u16string_view text,
                          const VariableEnvironment& env) {
  const MasterGroups groups(master);
  Pass pass{text, groups, groups.ordNum != core::RegexMatch::kUnset,
            groups.layerOffset != core::RegexMatch::kUnset, {}};
  // Where the pass text's carriage returns lie, found once.
  for (size_t cr = text.find(u'\r'); cr != kNone; cr = text.find(u'\r', cr + 1))
    pass.crs.push_back(cr);

  // The text is checked once for the whole pass, not at every search.
  const core::RegexSubject subject(text);
  Produced out(text.size());
  size_t pos = 0;
  for (;;) {
    std::optional<core::RegexMatch> m;
    try {
      m = master.Search(subject, pos);
    } catch (const core::RegexError& e) {
      // The library's own pattern could not run over this text: the rest
      // stays as written.
      core::Trace(u"variable expansion stopped: " + core::Utf8ToUtf16(e.what()));
      break;
    }
    if (!m) break;
    out.Append(text.substr(pos, m->Start() - pos));
    pos = m->End();

    const std::u16string_view escapes = m->GroupView(groups.escapes);
    if (!escapes.empty()) {
      // Escaped: written back without one backslash and without its sections.
      out.Append(u'{');
      out.Append(escapes.substr(1));
      out.Append(m->GroupView(groups.name));
      out.Append(u'}');
      continue;
    }

    std::optional<std::u16string> value;
    try {
      value = ValueOf(*m, pass, out, env);
    } catch (const core::RegexError&) {
      // A regular expression of the user's that cannot run: as written.
      value.reset();
    }
    // No family computes this name (yet), or its sections could not run:
    // as written, like an unknown name.
    out.Append(value ? std::u16string_view(*value) : m->GroupView());
  }
  out.Append(text.substr(pos));
  return out.Take();
}

}  // namespace

std::u16string ExpandVariableList(std::u16string_view text, std::u16string_view alternation,
                                  const VariableEnvironment& env) {
  return ExpandWith(MasterRegex(alternation), text, env);
}

std::u16string ExpandPathVariables(std::u16string_view text, const VariableEnvironment& env) {
  std::u16string result;
  if (text.empty()) return result;
  static const core::Regex& detector = core::Regex::Get(patterns::LayerDetector());
  static const core::Regex& allVariables = MasterRegex(patterns::AllVariables());
  static const core::Regex& layerVariables = MasterRegex(patterns::LayerVariables());
  for (const std::u16string& raw : core::SplitText(text, u"|")) {
    LayerState& layers = CurrentLayerState();
    layers = {};
    std::u16string piece = core::TrimCharsLeft(raw, u" *");
    // Every variable but the folder layers first, so layers are counted in a
    // path whose other variables already hold their values.
    piece = ExpandWith(allVariables, piece, env);
    for (int pass = 0; pass < kMaxLayerPasses && !piece.empty() && !layers.stop; ++pass) {
      bool hasLayers = false;
      try {
        hasLayers = detector.IsMatch(piece);
      } catch (const core::RegexError& e) {
        core::Trace(u"folder layers not expanded: " + core::Utf8ToUtf16(e.what()));
      }
      if (!hasLayers) break;
      std::u16string next = ExpandWith(layerVariables, piece, env);
      if (next == piece) break;
      piece = std::move(next);
    }
    layers = {};
    if (piece.empty()) continue;
    if (!result.empty()) result += u'|';
    result += piece;
  }
  return result;
}

}  // namespace pathorama::variables
