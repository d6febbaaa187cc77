#include "variables/variable_expansion.h"

#include <optional>

#include "core/regex.h"
#include "core/text.h"
#include "variables/extraction.h"
#include "variables/variable_families.h"
#include "variables/variable_patterns.h"

namespace pathorama::variables {

namespace {

// Layer values are layers of the text itself, so every pass that changes the
// text resolves at least one variable; the bound only guards against texts
// whose values assemble new layer variables out of their neighbours.
constexpr int kMaxLayerPasses = 64;

}  // namespace

std::u16string ContextPath(std::u16string_view whole, std::u16string_view passText,
                           size_t matchStart, std::u16string_view prefix) {
  size_t passCr = passText.find(u'\r');
  if (passCr == std::u16string_view::npos) return std::u16string(whole);
  if (prefix == u"::") return core::ReplaceAllText(whole, u"\r", u"\\");
  size_t cr = whole.find(u'\r');
  std::u16string_view before = whole.substr(0, cr);
  std::u16string_view after =
      cr == std::u16string_view::npos ? std::u16string_view() : whole.substr(cr + 1);
  if (prefix == u":") return std::u16string(before);
  return std::u16string(matchStart < passCr ? before : after);
}

namespace {

// No value when a regular expression of the user's cannot be run.
std::optional<std::u16string> ApplyExtractRestructure(std::u16string value,
                                                      std::u16string_view name,
                                                      const core::RegexMatch& m, size_t e) {
  if (m.Length(e + var_group::kRangeText) > 0) {
    std::optional<std::u16string> cut =
        ExtractRange(value, name, m.Group(e + var_group::kRangeText));
    if (!cut) return std::nullopt;
    value = std::move(*cut);
  }
  RestructureParts parts;
  auto part = [&m, e](size_t offset) -> std::optional<std::u16string> {
    if (!m.Matched(e + offset)) return std::nullopt;
    return m.Group(e + offset);
  };
  parts.delimiter = part(var_group::kPart1);
  parts.connector = part(var_group::kPart2);
  parts.sections = part(var_group::kPart3);
  parts.deletion = part(var_group::kPart4);
  return Restructure(value, parts);
}

std::u16string ApplyGrouping(const std::u16string& value, const core::RegexMatch& m, size_t g) {
  std::optional<long long> size = core::ParseInt(m.Group(g + var_group::kGroupSize));
  if (!size) return value;  // beyond any text
  std::optional<std::u16string> separator;
  if (m.Matched(g + var_group::kGroupSeparator)) separator = m.Group(g + var_group::kGroupSeparator);
  return SplitToGroups(value, *size, separator);
}

const core::Regex& NumberedFolder() {
  static const core::Regex& re = core::Regex::Get(uR"(^(:|::)?(\+|\-)?(\d+)Folder)");
  return re;
}

size_t GroupOf(const core::Regex& regex, std::u16string_view name) {
  int index = regex.GroupIndex(name);
  return index < 0 ? core::RegexMatch::kUnset : static_cast<size_t>(index);
}

}  // namespace

LayerState& CurrentLayerState() {
  thread_local LayerState state;
  return state;
}

bool IsFolderLayerName(std::u16string_view nameText) {
  return core::EndsWithIgnoreCase(nameText, u"pFolder") ||
         core::EndsWithIgnoreCase(nameText, u"gFolder") || NumberedFolder().IsMatch(nameText);
}

std::optional<std::u16string> EvaluateClaimedVariable(const VariableRequest& request) {
  for (const VariableFamily& family : VariableFamilies()) {
    if (!family.claims(request.nameText)) continue;
    std::u16string value;
    if (family.evaluate(request, value)) return value;
    return u"{" + std::u16string(request.nameText) + u"}";
  }
  return std::nullopt;
}

std::u16string EvaluateVariable(const VariableRequest& request) {
  return EvaluateClaimedVariable(request).value_or(u"{" + std::u16string(request.nameText) +
                                                   u"}");
}

namespace {

std::u16string ExpandWith(const core::Regex& master, std::u16string_view text,
                          const VariableEnvironment& env) {
  const size_t gName = GroupOf(master, u"VarListWithOptions");
  const size_t gSections = GroupOf(master, u"StrExtractRestructure");
  const size_t gGroups = GroupOf(master, u"StrSplitToGroup");
  const size_t gOrdNum = GroupOf(master, u"OrdNum");
  const size_t gLayer = GroupOf(master, u"LayerOffset");

  std::u16string out;  // O: the text produced so far
  out.reserve(text.size());
  size_t pos = 0;
  for (;;) {
    std::optional<core::RegexMatch> m = master.Search(text, pos);
    if (!m) break;
    const size_t start = m->Start(), end = m->End();
    out.append(text.substr(pos, start - pos));
    pos = end;

    if (m->Length(1) > 0) {
      // Escaped: written back without one backslash and without its sections.
      out += u'{';
      out += text.substr(m->Start(1) + 1, m->Length(1) - 1);
      out += m->Group(3);
      out += u'}';
      continue;
    }

    const std::u16string name = m->Group(gName);
    const std::u16string_view after = text.substr(end);
    std::optional<std::u16string> claimed;
    std::u16string value;
    if (gOrdNum != core::RegexMatch::kUnset && m->Length(gOrdNum) > 0) {
      // A sequence sees only what follows it and takes no extraction.
      claimed = EvaluateClaimedVariable({text, name, {}, after, {}, env});
      if (claimed) value = std::move(*claimed);
    } else {
      // The context path is a copy of the whole text; only the folder layers
      // read it, and building it for every variable would make a text with
      // thousands of variables cost quadratic time.
      std::u16string context;
      if (IsFolderLayerName(name)) {
        std::u16string whole = out;
        whole.append(text.substr(start));
        std::u16string prefix = gLayer != core::RegexMatch::kUnset ? m->Group(gLayer) : u"";
        context = ContextPath(whole, text, start, prefix);
      }
      claimed = EvaluateClaimedVariable({text, name, context, after, out, env});
      if (claimed) value = std::move(*claimed);
      if (claimed && gSections != core::RegexMatch::kUnset && m->Length(gSections) > 0) {
        std::optional<std::u16string> shaped =
            ApplyExtractRestructure(std::move(value), name, *m, gSections);
        if (!shaped) {
          // A broken expression of the user's: the variable stays as written.
          out += m->Group();
          continue;
        }
        value = std::move(*shaped);
      }
    }
    if (!claimed) {
      // No family computes this name (yet): as written, like an unknown one.
      out += m->Group();
      continue;
    }
    if (gGroups != core::RegexMatch::kUnset && m->Length(gGroups) > 0)
      value = ApplyGrouping(value, *m, gGroups);
    out += value;
  }
  out.append(text.substr(pos));
  return out;
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
    for (int pass = 0; pass < kMaxLayerPasses && !piece.empty() && !layers.stop &&
                       detector.IsMatch(piece);
         ++pass) {
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
