#include "paths/path_info.h"

#include <algorithm>
#include <array>

#include "core/regex.h"
#include "core/text.h"

// The structure of a path info (alternation groups, runs of separators, tags
// in angle brackets) is found by scanning, not by backtracking patterns: a
// group of thousands of alternatives or a tag followed by thousands of
// nested brackets must give the same answer as a short one, in linear time.
// The scanners follow the patterns the format is defined by, quoted beside
// each.

namespace pathorama::paths {

namespace {

constexpr size_t kNone = std::u16string_view::npos;

struct TypeName {
  PathType type;
  std::u16string_view word;
};
constexpr std::array<TypeName, 6> kTypeNames = {{
    {PathType::Local, u"LocalPath"},
    {PathType::Registry, u"RegPath"},
    {PathType::Url, u"Url"},
    {PathType::NetworkMappingFolder, u"NetworkMappingFolder"},
    {PathType::SharedFolder, u"SharedFolder"},
    {PathType::Mixed, u"MixedPath"},
}};

// An alternation group, "(\(([^\(\)\|]*)\|((?2)\|)*(?2)\))": "(", at least
// two alternatives separated by "|", none holding "(", ")" or "|", then ")".
// The span [first, second) of the leftmost group at or after `from`.
std::pair<size_t, size_t> FindGroup(std::u16string_view text, size_t from) {
  size_t open = kNone;
  bool bar = false;
  for (size_t i = from; i < text.size(); ++i) {
    switch (text[i]) {
      case u'(':
        open = i;
        bar = false;
        break;
      case u'|':
        bar = open != kNone;
        break;
      case u')':
        if (open != kNone && bar) return {open, i + 1};
        open = kNone;
        break;
    }
  }
  return {kNone, kNone};
}

bool HasGroup(std::u16string_view text) { return FindGroup(text, 0).first != kNone; }

// Counts the paths a piece multiplies out to, stopping once past the cap.
// How much a piece multiplies out to: the number of paths (counting stops
// once past the cap) and, below the cap, the characters of all of them.
struct ExpansionSize {
  size_t paths = 1;
  size_t chars = 0;
};
ExpansionSize MeasureExpansion(std::u16string_view text) {
  struct Group {
    size_t alternatives;
    size_t chars;  // of all its alternatives together
  };
  std::vector<Group> groups;
  ExpansionSize size;
  size_t literal = text.size();
  for (auto [start, end] = FindGroup(text, 0); start != kNone;
       std::tie(start, end) = FindGroup(text, end)) {
    const size_t bars = static_cast<size_t>(std::count(
        text.begin() + static_cast<std::ptrdiff_t>(start),
        text.begin() + static_cast<std::ptrdiff_t>(end), u'|'));
    groups.push_back({bars + 1, end - start - 2 - bars});
    literal -= end - start;
    size.paths *= bars + 1;
    if (size.paths > kMaxAlternationPaths) return size;
  }
  // Every path holds the literal text and one alternative of each group;
  // each alternative of a group stands in paths / alternatives paths.
  size.chars = size.paths * literal;
  for (const Group& g : groups) size.chars += g.chars * (size.paths / g.alternatives);
  return size;
}

// Depth is one level per group; the cap on paths keeps it below twenty.
void ExpandGroups(const std::u16string& prefix, std::u16string_view rest,
                  std::vector<std::u16string>& out) {
  auto [start, end] = FindGroup(rest, 0);
  if (start == kNone) {
    out.push_back(prefix + std::u16string(rest));
    return;
  }
  std::u16string_view before = rest.substr(0, start);
  std::u16string_view after = rest.substr(end);
  std::u16string_view group = rest.substr(start + 1, end - start - 2);
  const bool afterHasGroup = HasGroup(after);
  for (const std::u16string& alternative : core::SplitText(group, u"|")) {
    std::u16string formed = prefix + std::u16string(before) + alternative;
    if (afterHasGroup)
      ExpandGroups(formed, after, out);
    else
      out.push_back(formed + std::u16string(after));
  }
}

std::vector<std::u16string> ExpandAlternationList(std::u16string_view piece) {
  std::u16string text = core::TrimChars(piece, u" \\");
  const size_t first = FindGroup(text, 0).first;
  if (first == kNone) return {text};
  const ExpansionSize size = MeasureExpansion(text);
  if (size.paths > kMaxAlternationPaths || size.chars > kMaxAlternationChars) return {text};
  std::vector<std::u16string> out;
  ExpandGroups(text.substr(0, first), std::u16string_view(text).substr(first), out);
  return out;
}

// " *X+ *" replaced by X, then "X{2,}" by X: every run of spaces and X that
// holds an X becomes one X; runs of spaces alone stay. A separator marked
// in `kept` (a bar inside an alternation group) is an ordinary character.
std::u16string CollapseSeparatorRuns(std::u16string_view text, char16_t separator,
                                     const std::vector<bool>& kept = {}) {
  auto isSeparator = [&](size_t i) {
    return text[i] == separator && (kept.empty() || !kept[i]);
  };
  std::u16string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    if (text[i] != u' ' && !isSeparator(i)) {
      out += text[i++];
      continue;
    }
    size_t end = i;
    bool holdsSeparator = false;
    while (end < text.size() && (text[end] == u' ' || isSeparator(end)))
      holdsSeparator |= isSeparator(end++);
    if (holdsSeparator)
      out += separator;
    else
      out.append(text.substr(i, end - i));
    i = end;
  }
  return out;
}

// " *\|+( \|+)* *" replaced by " | ": leading spaces, bars, then any number
// of single spaces each followed by bars, then trailing spaces.
std::u16string CanonicalBars(std::u16string_view text) {
  std::u16string out;
  out.reserve(text.size());
  size_t i = 0;
  auto skip = [&text](size_t at, char16_t c) {
    while (at < text.size() && text[at] == c) ++at;
    return at;
  };
  while (i < text.size()) {
    const size_t afterSpaces = skip(i, u' ');
    if (afterSpaces >= text.size() || text[afterSpaces] != u'|') {
      // No match starts in this run of spaces, nor at the character after it.
      out.append(text.substr(i, afterSpaces - i));
      if (afterSpaces < text.size()) out += text[afterSpaces];
      i = afterSpaces + 1;
      continue;
    }
    size_t end = skip(afterSpaces, u'|');
    while (end + 1 < text.size() && text[end] == u' ' && text[end + 1] == u'|')
      end = skip(end + 1, u'|');
    end = skip(end, u' ');
    out += u" | ";
    i = end;
  }
  return out;
}

// A tag in angle brackets: "<" one or more characters other than "<" and
// ">", then ">". (The quoted tag patterns offer a recursive alternative as
// well, but it restarts at "^" or must end at "$" and so can never match
// inside a tag; a plain tag is what they find.)

// "^ *<([^<>]+|(?R)+)> *": the end of the head tag and the spaces after it,
// or npos.
size_t HeadTagEnd(std::u16string_view piece) {
  size_t i = piece.find_first_not_of(u' ');
  if (i == kNone || piece[i] != u'<') return kNone;
  const size_t close = piece.find_first_of(u"<>", i + 1);
  if (close == kNone || piece[close] != u'>' || close == i + 1) return kNone;
  const size_t end = piece.find_first_not_of(u' ', close + 1);
  return end == kNone ? piece.size() : end;
}

// Where "$" may match: the end, and before a final line feed.
size_t LineEnd(std::u16string_view piece) {
  return !piece.empty() && piece.back() == u'\n' ? piece.size() - 1 : piece.size();
}

// " *<([^<>]+|(?R)+)> *$": the span of the tail tag with the spaces around
// it, starting at or after `from`; {npos, npos} when there is none.
std::pair<size_t, size_t> TailTagSpan(std::u16string_view piece, size_t from) {
  const size_t end = LineEnd(piece);
  size_t close = end;
  while (close > from && piece[close - 1] == u' ') --close;
  if (close == from || piece[close - 1] != u'>') return {kNone, kNone};
  const size_t open = piece.find_last_of(u"<>", close - 2);
  if (open == kNone || open < from || piece[open] != u'<' || open + 2 == close)
    return {kNone, kNone};
  size_t start = open;
  while (start > from && piece[start - 1] == u' ') --start;
  return {start, end};
}

std::u16string ReplaceSpans(std::u16string_view piece,
                            const std::vector<std::pair<size_t, size_t>>& spans) {
  std::u16string out;
  size_t at = 0;
  for (auto [start, end] : spans) {
    out.append(piece.substr(at, start - at));
    out += u' ';
    at = end;
  }
  out.append(piece.substr(at));
  return out;
}

std::u16string RemoveTagsOfPiece(std::u16string_view piece, TagMode mode, bool knownTypesOnly) {
  std::vector<std::pair<size_t, size_t>> spans;
  if (mode == TagMode::HeadOfPerPath || mode == TagMode::HeadTailOfPerPath) {
    if (mode == TagMode::HeadOfPerPath && knownTypesOnly) {
      static const core::Regex& known = core::Regex::Get(
          uR"(^[ \\/\*]*<(?:LocalPath|RegPath|Url|NetworkMappingFolder|SharedFolder)> *)");
      if (auto m = known.Search(piece)) spans.push_back({m->Start(), m->End()});
    } else if (size_t end = HeadTagEnd(piece); end != kNone) {
      spans.push_back({0, end});
    }
  }
  if (mode == TagMode::TailOfPerPath || mode == TagMode::HeadTailOfPerPath) {
    const size_t from = spans.empty() ? 0 : spans.back().second;
    // A head tag that took the whole piece leaves no tail to find.
    if (spans.empty() || from < piece.size()) {
      auto tail = TailTagSpan(piece, from);
      if (tail.first != kNone) spans.push_back(tail);
    }
  }
  return ReplaceSpans(piece, spans);
}

const core::Regex& KnownHeadTag() {
  return core::Regex::Get(
      uR"(^[ \\/\*]*<(?<Type>LocalPath|RegPath|Url|NetworkMappingFolder|SharedFolder)> *)");
}

const core::Regex& WebAddress() { return core::Regex::Get(uR"(^ *\**(?:www\.|https?://)[^|]+)"); }

}  // namespace

std::u16string_view PathTypeWord(PathType type) {
  for (const TypeName& t : kTypeNames)
    if (t.type == type) return t.word;
  return {};
}

std::optional<PathType> PathTypeFromWord(std::u16string_view word) {
  for (const TypeName& t : kTypeNames)
    if (core::EqualsIgnoreCase(t.word, word)) return t.type;
  return std::nullopt;
}

bool IsPathInfoDisabled(std::u16string_view pathInfo) {
  return core::TrimCharsLeft(pathInfo, u" /") != core::TrimCharsLeft(pathInfo, u" ");
}

bool PathInfoUsesVariables(std::u16string_view pathInfo) {
  return core::TrimCharsLeft(pathInfo, u" /") != core::TrimCharsLeft(pathInfo, u" /*");
}

std::u16string NormalizePathSeparators(std::u16string_view text) {
  if (text.empty()) return std::u16string();
  std::u16string t = CollapseSeparatorRuns(text, u'\\');
  // Bars inside an alternation group are no piece separators: they are kept
  // as they are while runs of bars are collapsed.
  std::vector<bool> inGroup(t.size(), false);
  size_t lastOpen = kNone;
  size_t lastBar = kNone;
  size_t protectedUpTo = 0;  // bars before this position are already kept
  for (size_t i = 0; i < t.size(); ++i) {
    char16_t c = t[i];
    if (c == u'(') {
      lastOpen = i;
    } else if (c == u'|') {
      lastBar = i;
    } else if (c == u')' && lastOpen != kNone && lastBar != kNone && lastOpen < lastBar) {
      for (size_t j = std::max(lastOpen, protectedUpTo); j < i; ++j) inGroup[j] = t[j] == u'|';
      protectedUpTo = i;
    }
  }
  return core::TrimChars(CollapseSeparatorRuns(t, u'|', inGroup), u" ");
}

std::vector<std::u16string> SplitPathInfoPieces(std::u16string_view pathInfo) {
  std::vector<std::u16string> result;
  std::u16string normalized = NormalizePathSeparators(pathInfo);
  bool firstLine = true;
  for (std::u16string line : core::SplitText(normalized, u"\r")) {
    // A line feed after a carriage return belongs to the line break.
    if (!firstLine && !line.empty() && line[0] == u'\n') line.erase(0, 1);
    firstLine = false;
    if (line.empty()) continue;
    std::vector<bool> inGroup(line.size(), false);
    for (auto [start, end] = FindGroup(line, 0); start != kNone;
         std::tie(start, end) = FindGroup(line, end))
      std::fill(inGroup.begin() + static_cast<std::ptrdiff_t>(start),
                inGroup.begin() + static_cast<std::ptrdiff_t>(end), true);
    auto take = [&](size_t from, size_t to) {
      if (to <= from) return;
      for (std::u16string& path :
           ExpandAlternationList(std::u16string_view(line).substr(from, to - from)))
        result.push_back(std::move(path));
    };
    size_t start = 0;
    for (size_t i = 0; i < line.size(); ++i) {
      if (line[i] != u'|' || inGroup[i]) continue;
      take(start, i);
      start = i + 1;
    }
    take(start, line.size());
  }
  return result;
}

std::u16string SplitPathInfo(std::u16string_view pathInfo) {
  return core::JoinText(SplitPathInfoPieces(pathInfo), u"|");
}

std::u16string ExpandPathAlternation(std::u16string_view piece) {
  return core::JoinText(ExpandAlternationList(piece), u"|");
}

std::u16string CompressPathList(std::u16string_view list, std::u16string_view baseFolder) {
  std::u16string base = core::TrimChars(baseFolder, u" \\");
  if (base.empty() || list.find(u'|') == std::u16string_view::npos) return std::u16string(list);
  std::u16string prefix = base + u"\\";
  std::u16string rest = core::TrimChars(core::ReplaceAllText(list, prefix, u""), u" |");
  if (rest.find(u'|') != std::u16string::npos) return prefix + u"(" + rest + u")";
  return rest;
}

std::u16string RemovePathTags(std::u16string_view text, TagMode mode, bool knownTypesOnly) {
  std::u16string t = core::TrimChars(core::TrimCharsLeft(text, u" /"), u" /\\*");
  std::vector<std::u16string> pieces = core::SplitText(t, u"|");
  for (std::u16string& piece : pieces) piece = RemoveTagsOfPiece(piece, mode, knownTypesOnly);
  return core::TrimChars(core::JoinText(pieces, u"|"), u" ");
}

std::u16string StripPathTags(std::u16string_view text, bool knownHeadOnly) {
  return knownHeadOnly ? RemovePathTags(text, TagMode::HeadOfPerPath, true)
                       : RemovePathTags(text, TagMode::HeadTailOfPerPath, false);
}

std::u16string PathInfoToPlainPaths(std::u16string_view pathInfo,
                                    const VariableExpander& expand) {
  std::u16string t = core::TrimCharsLeft(pathInfo, u" /");
  bool wanted = core::TrimCharsLeft(t, u" *") != core::TrimCharsLeft(t, u" ");
  std::u16string result;
  for (const std::u16string& raw : core::SplitText(StripPathTags(t, true), u"|")) {
    std::u16string piece = core::TrimChars(raw, u" *");
    if (wanted && expand) piece = expand(piece);
    piece = core::TrimChars(piece, u" ");
    if (piece.empty()) continue;
    if (!result.empty()) result += u"|";
    result += piece;
  }
  return core::TrimChars(result, u"|");
}

PathType GetCurPathType(std::u16string_view pathInfo, bool recognizeWebAddresses) {
  auto local = [](PathType t) { return t == PathType::Untagged || t == PathType::Local; };
  PathType type = PathType::Untagged;
  bool first = true;
  for (const std::u16string& piece : core::SplitText(pathInfo, u"|")) {
    PathType pieceType = PathType::Untagged;
    if (recognizeWebAddresses && WebAddress().IsMatch(piece)) {
      pieceType = PathType::Url;
    } else if (auto m = KnownHeadTag().Search(piece)) {
      pieceType = PathTypeFromWord(m->NamedView(u"Type")).value_or(PathType::Untagged);
    }
    if (!first && pieceType != type && !(local(type) && local(pieceType))) return PathType::Mixed;
    type = pieceType;
    first = false;
  }
  return type;
}

std::u16string ApplyPathTypeToPathInfo(std::u16string_view text, PathType type) {
  if (text.empty()) return std::u16string();
  std::vector<std::u16string> pieces = core::SplitText(text, u"|");
  if (type != PathType::Mixed) {
    const bool local = type == PathType::Local || type == PathType::Untagged;
    for (std::u16string& piece : pieces) {
      if (auto m = KnownHeadTag().Search(piece)) piece.erase(m->Start(), m->Length());
      if (!local) piece = u"<" + std::u16string(PathTypeWord(type)) + u">" + piece;
    }
  }
  return core::JoinText(pieces, u" | ");
}

std::u16string CanonicalPathInfo(std::u16string_view text) {
  // The marks are read from the text as given: a bar before them makes them
  // part of a piece, and trimming it must not turn them into marks.
  const bool disabled = IsPathInfoDisabled(text);
  const std::u16string afterSlashes = core::TrimCharsLeft(text, u" /");
  const bool star = !afterSlashes.empty() && afterSlashes[0] == u'*';
  std::u16string t = core::TrimChars(text, u" |");
  if (t.empty()) return t;
  // Runs of brackets become one bracket, spaces around them go.
  t = CanonicalBars(CollapseSeparatorRuns(CollapseSeparatorRuns(t, u'<'), u'>'));
  // No leading or trailing blanks, bars, slashes or stars but the marks, so
  // the canonical form of a canonical form is itself.
  t = core::TrimChars(t, u" /*|");
  if (!t.empty()) {
    if (star) t.insert(0, u"*");
    if (disabled) t.insert(0, u"/");
  }
  return t;
}

// "< *(/[^<>]+|(?R)+)> *$", group 1 being the parameter.
std::u16string ExtraPathParam(std::u16string_view piece) {
  const size_t end = LineEnd(piece);
  size_t close = end;
  while (close > 0 && piece[close - 1] == u' ') --close;
  if (close == 0 || piece[close - 1] != u'>') return {};
  const size_t open = close >= 2 ? piece.find_last_of(u"<>", close - 2) : kNone;
  if (open == kNone || piece[open] != u'<') return {};
  const size_t slash = piece.find_first_not_of(u' ', open + 1);
  // The parameter starts with "/" and holds at least one more character.
  if (slash == kNone || slash >= close - 1 || piece[slash] != u'/' || slash + 2 > close - 1)
    return {};
  return std::u16string(piece.substr(slash, close - 1 - slash));
}

bool IsShellNamespacePath(std::u16string_view path) {
  return core::Regex::Get(uR"(^(::{((([a-z\d]+)-)+(?4))})(\\\d+(\\(?1))?)?$)").IsMatch(path);
}

}  // namespace pathorama::paths
