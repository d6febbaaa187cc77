#include "paths/path_info.h"

#include <algorithm>

#include "core/regex.h"
#include "core/text.h"

namespace pathorama::paths {

namespace {

constexpr std::u16string_view kKnownTypes =
    u"LocalPath|RegPath|Url|NetworkMappingFolder|SharedFolder";

const core::Regex& AlternationGroup() {
  return core::Regex::Get(uR"((\(([^\(\)\|]*)\|((?2)\|)*(?2)\)))");
}

const core::Regex& KnownHeadTag() {
  static const std::u16string pattern =
      std::u16string(uR"(^[ \\/\*]*<()") + std::u16string(kKnownTypes) + u")> *";
  return core::Regex::Get(pattern);
}

const core::Regex& AnyHeadTag() { return core::Regex::Get(uR"(^ *<([^<>]+|(?R)+)> *)"); }
const core::Regex& AnyTailTag() { return core::Regex::Get(uR"( *<([^<>]+|(?R)+)> *$)"); }
const core::Regex& AnyHeadOrTailTag() {
  return core::Regex::Get(uR"((^ *<([^<>]+|(?R)+)> *| *<([^<>]+|(?R)+)> *$))");
}
const core::Regex& ExtraParamTag() { return core::Regex::Get(uR"(< *(/[^<>]+|(?R)+)> *$)"); }
const core::Regex& WebAddress() { return core::Regex::Get(uR"(^ *\**(www\.|https?://)[^|]+)"); }

constexpr char16_t kProtectedBar = 0x1E;

// Counts the paths a piece multiplies out to, stopping once past the cap.
size_t CountAlternatives(std::u16string_view text) {
  size_t product = 1;
  for (const core::RegexMatch& m : AlternationGroup().FindAll(text)) {
    size_t alternatives = 1 + static_cast<size_t>(std::count(
                                  text.begin() + static_cast<std::ptrdiff_t>(m.Start()),
                                  text.begin() + static_cast<std::ptrdiff_t>(m.End()), u'|'));
    product *= alternatives;
    if (product > kMaxAlternationPaths) return product;
  }
  return product;
}

void ExpandGroups(const std::u16string& prefix, std::u16string_view rest,
                  std::vector<std::u16string>& out) {
  auto m = AlternationGroup().Search(rest);
  if (!m) {
    out.push_back(prefix + std::u16string(rest));
    return;
  }
  std::u16string_view before = rest.substr(0, m->Start());
  std::u16string_view after = rest.substr(m->End());
  std::u16string group = core::TrimChars(m->Group(), u"()");
  bool afterHasGroup = AlternationGroup().IsMatch(after);
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
  auto first = AlternationGroup().Search(text);
  if (!first) return {text};
  size_t count = CountAlternatives(text);
  if (count > kMaxAlternationPaths || count * text.size() > kMaxAlternationChars) return {text};
  std::vector<std::u16string> out;
  ExpandGroups(text.substr(0, first->Start()), std::u16string_view(text).substr(first->Start()),
               out);
  return out;
}

}  // namespace

bool IsPathInfoDisabled(std::u16string_view pathInfo) {
  return core::TrimCharsLeft(pathInfo, u" /") != core::TrimCharsLeft(pathInfo, u" ");
}

bool PathInfoUsesVariables(std::u16string_view pathInfo) {
  return core::TrimCharsLeft(pathInfo, u" /") != core::TrimCharsLeft(pathInfo, u" /*");
}

std::u16string NormalizePathSeparators(std::u16string_view text) {
  if (text.empty()) return std::u16string();
  std::u16string t = core::Regex::Get(uR"( *\\+ *)").ReplaceAll(text, u"\\", true);
  t = core::Regex::Get(uR"(\\{2,})", core::Regex::kCaseSensitive).ReplaceAll(t, u"\\", true);
  // Bars inside an alternation group are no piece separators: hide them
  // while runs of bars are collapsed.
  size_t lastOpen = std::u16string::npos;
  size_t lastBar = std::u16string::npos;
  size_t protectedUpTo = 0;  // bars before this position are already hidden
  for (size_t i = 0; i < t.size(); ++i) {
    char16_t c = t[i];
    if (c == u'(') {
      lastOpen = i;
    } else if (c == u'|') {
      lastBar = i;
    } else if (c == u')' && lastOpen != std::u16string::npos && lastBar != std::u16string::npos &&
               lastOpen < lastBar) {
      for (size_t j = std::max(lastOpen, protectedUpTo); j < i; ++j)
        if (t[j] == u'|') t[j] = kProtectedBar;
      protectedUpTo = i;
    }
  }
  t = core::Regex::Get(uR"( *\|+ *)").ReplaceAll(t, u"|", true);
  t = core::Regex::Get(uR"(\|{2,})").ReplaceAll(t, u"|", true);
  std::replace(t.begin(), t.end(), kProtectedBar, u'|');
  return core::TrimChars(t, u" ");
}

std::vector<std::u16string> SplitPathInfoPieces(std::u16string_view pathInfo) {
  std::vector<std::u16string> result;
  std::u16string normalized = NormalizePathSeparators(pathInfo);
  for (const std::u16string& line : core::SplitText(normalized, u"\r")) {
    if (line.empty()) continue;
    std::vector<bool> inGroup(line.size(), false);
    for (const core::RegexMatch& m : AlternationGroup().FindAll(line))
      std::fill(inGroup.begin() + static_cast<std::ptrdiff_t>(m.Start()),
                inGroup.begin() + static_cast<std::ptrdiff_t>(m.End()), true);
    auto take = [&](size_t from, size_t to) {
      if (to <= from) return;
      for (std::u16string& path : ExpandAlternationList(std::u16string_view(line).substr(from, to - from)))
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

std::u16string RemovePathTags(std::u16string_view text, std::u16string_view mode,
                              bool knownTypesOnly) {
  std::u16string t = core::TrimChars(core::TrimCharsLeft(text, u" /"), u" /\\*");
  const core::Regex* pattern = nullptr;
  if (core::EqualsIgnoreCase(mode, kHeadOfPerPath))
    pattern = knownTypesOnly ? &KnownHeadTag() : &AnyHeadTag();
  else if (core::EqualsIgnoreCase(mode, kTailOfPerPath))
    pattern = &AnyTailTag();
  else if (core::EqualsIgnoreCase(mode, kHeadTailOfPerPath))
    pattern = &AnyHeadOrTailTag();
  if (!pattern) return core::TrimChars(t, u" ");
  std::vector<std::u16string> pieces = core::SplitText(t, u"|");
  for (std::u16string& piece : pieces) piece = pattern->ReplaceAll(piece, u" ", true);
  return core::TrimChars(core::JoinText(pieces, u"|"), u" ");
}

std::u16string StripPathTags(std::u16string_view text, bool knownHeadOnly) {
  return knownHeadOnly ? RemovePathTags(text, kHeadOfPerPath, true)
                       : RemovePathTags(text, kHeadTailOfPerPath, false);
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

std::u16string GetCurPathType(std::u16string_view APathInfo, bool AutoCheckUrl) {
  auto sameType = [](std::u16string_view a, std::u16string_view b) {
    auto local = [](std::u16string_view t) {
      return t.empty() || core::EqualsIgnoreCase(t, kLocalPath);
    };
    return (local(a) && local(b)) || core::EqualsIgnoreCase(a, b);
  };
  std::u16string type;
  bool first = true;
  for (const std::u16string& piece : core::SplitText(APathInfo, u"|")) {
    std::u16string pieceType;
    if (AutoCheckUrl && WebAddress().IsMatch(piece)) {
      pieceType = kUrl;
    } else if (auto m = KnownHeadTag().Search(piece)) {
      pieceType = m->Group(1);
    }
    if (!first && !sameType(type, pieceType)) return std::u16string(kMixedPath);
    type = pieceType;
    first = false;
  }
  return type;
}

std::u16string ApplyPathTypeToPathInfo(std::u16string_view text, std::u16string_view pathType) {
  if (text.empty()) return std::u16string();
  std::vector<std::u16string> pieces = core::SplitText(text, u"|");
  if (!core::EqualsIgnoreCase(pathType, kMixedPath)) {
    bool local = core::EqualsIgnoreCase(pathType, kLocalPath);
    for (std::u16string& piece : pieces) {
      if (auto m = KnownHeadTag().Search(piece)) piece.erase(m->Start(), m->Length());
      if (!local) piece = u"<" + std::u16string(pathType) + u">" + piece;
    }
  }
  return core::JoinText(pieces, u" | ");
}

std::u16string CanonicalPathInfo(std::u16string_view text) {
  std::u16string t = core::TrimChars(text, u" |");
  if (t.empty()) return t;
  t = core::Regex::Get(uR"( *<+ *)").ReplaceAll(t, u"<", true);
  t = core::Regex::Get(uR"( *>+ *)").ReplaceAll(t, u">", true);
  t = core::Regex::Get(uR"( *\|+( \|+)* *)").ReplaceAll(t, u" | ", true);
  bool disabled = IsPathInfoDisabled(t);
  std::u16string afterSlashes = core::TrimCharsLeft(t, u" /");
  bool star = !afterSlashes.empty() && afterSlashes[0] == u'*';
  t = core::TrimChars(t, u" /*");
  if (!t.empty()) {
    if (star) t.insert(0, u"*");
    if (disabled) t.insert(0, u"/");
  }
  return t;
}

std::u16string ExtraPathParam(std::u16string_view piece) {
  auto m = ExtraParamTag().Search(piece);
  return m ? m->Group(1) : std::u16string();
}

bool IsShellNamespacePath(std::u16string_view path) {
  return core::Regex::Get(uR"(^(::{((([a-z\d]+)-)+(?4))})(\\\d+(\\(?1))?)?$)").IsMatch(path);
}

}  // namespace pathorama::paths
