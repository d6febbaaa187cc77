// Every path info function on arbitrary UTF-16 (the bytes read as UTF-16LE,
// so lone surrogates and NULs occur). The text before the first NUL is the
// path info; the text after it, when there is one, is the second argument of
// the functions that take one (the base folder of CompressPathList).
//
// Invariants:
//  - no function crashes, reads out of bounds or runs into undefined
//    behaviour (the sanitizers);
//  - the canonical form and the separator normalization are projections:
//    applied to their own result they change nothing;
//  - the separator normalization never adds a bar;
//  - the canonical form keeps the disabled mark "/" and the variables
//    mark "*";
//  - a text of plain characters and alternation groups splits into the
//    groups multiplied out, checked against a small model written here;
//  - no path that SplitPathInfoPieces gives holds a CR, the line separator
//    of a path info;
//  - a lone surrogate is a character like any other: every result is the
//    same as for the text with U+FFFD in its place.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/text.h"
#include "fuzz_support.h"
#include "paths/path_info.h"

namespace pathorama::fuzz {
namespace {

using namespace paths;
using core::SplitText;
using core::TrimCharsLeft;

constexpr PathType kTypes[] = {PathType::Untagged,     PathType::Local,
                               PathType::Registry,     PathType::Url,
                               PathType::SharedFolder, PathType::NetworkMappingFolder,
                               PathType::Mixed};
constexpr TagMode kTagModes[] = {TagMode::HeadOfPerPath, TagMode::TailOfPerPath,
                                 TagMode::HeadTailOfPerPath};

std::u16string Flag(bool value) { return value ? u"1" : u"0"; }

// Every function's result on one input, in a fixed order, so two inputs can
// be compared result by result.
std::vector<std::u16string> Results(std::u16string_view info, std::u16string_view other) {
  std::vector<std::u16string> r;
  r.push_back(NormalizePathSeparators(info));
  r.push_back(SplitPathInfo(info));
  for (std::u16string& piece : SplitPathInfoPieces(info)) {
    if (piece.find(u'\r') != std::u16string::npos)
      Fail("a path from SplitPathInfoPieces holds no CR (the line separator)",
           "path info \"" + Printable(info) + "\"\n  path \"" + Printable(piece) + "\"");
    r.push_back(ExtraPathParam(piece));
    r.push_back(Flag(IsShellNamespacePath(piece)));
    r.push_back(std::move(piece));
  }
  r.push_back(ExpandPathAlternation(info));
  r.push_back(CompressPathList(info, other));
  for (TagMode mode : kTagModes) {
    r.push_back(RemovePathTags(info, mode, false));
    r.push_back(RemovePathTags(info, mode, true));
  }
  r.push_back(StripPathTags(info, false));
  r.push_back(StripPathTags(info, true));
  r.push_back(std::u16string(PathTypeWord(GetCurPathType(info, false))));
  r.push_back(std::u16string(PathTypeWord(GetCurPathType(info, true))));
  for (PathType type : kTypes) r.push_back(ApplyPathTypeToPathInfo(info, type));
  r.push_back(CanonicalPathInfo(info));
  r.push_back(ExtraPathParam(info));
  r.push_back(Flag(IsShellNamespacePath(info)));
  r.push_back(Flag(IsPathInfoDisabled(info)));
  r.push_back(Flag(PathInfoUsesVariables(info)));
  r.push_back(
      PathInfoToPlainPaths(info, [](std::u16string_view piece) { return std::u16string(piece); }));
  r.push_back(PathInfoToPlainPaths(info, nullptr));
  r.push_back(PathInfoToPlainPaths(info, [](std::u16string_view) { return std::u16string(); }));
  return r;
}

// Characters outside the alternation model: closing parentheses and bars
// outside a group, and what the normalization or the line split would touch.
constexpr char16_t kOutsideModelChars[] = {u')', u'|', u' ', u'\t', u'\\', u'\r', u'\n', u'\0'};
constexpr std::u16string_view kOutsideModel(kOutsideModelChars, std::size(kOutsideModelChars));

// The paths of a text made only of plain characters and alternation groups
// "(a|b|...)": no bar outside a group, no nested or unbalanced parentheses,
// no blank, backslash, CR, LF or NUL, which the normalization or the line
// split would touch. No value for a text outside that form. A lone surrogate
// is an ordinary character here too.
std::optional<std::vector<std::u16string>> ModelAlternation(std::u16string_view text) {
  if (text.empty()) return std::nullopt;
  std::vector<std::vector<std::u16string>> parts;  // each: its alternatives, a literal has one
  std::u16string literal;
  for (size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c == u'(') {
      const size_t close = text.find(u')', i);
      if (close == std::u16string_view::npos) return std::nullopt;
      const std::u16string_view group = text.substr(i + 1, close - i - 1);
      if (group.find(u'(') != std::u16string_view::npos ||
          group.find(u'|') == std::u16string_view::npos)
        return std::nullopt;
      for (char16_t g : group)
        if (g != u'|' && kOutsideModel.find(g) != std::u16string_view::npos) return std::nullopt;
      parts.push_back({literal});
      literal.clear();
      parts.push_back(SplitText(group, u"|"));
      i = close;
    } else if (kOutsideModel.find(c) != std::u16string_view::npos) {
      return std::nullopt;
    } else {
      literal.push_back(c);
    }
  }
  parts.push_back({literal});

  size_t count = 1;
  for (const auto& alternatives : parts) {
    count *= alternatives.size();
    if (count > kMaxAlternationPaths) return std::vector<std::u16string>{std::u16string(text)};
  }
  std::vector<std::u16string> paths{u""};
  for (const auto& alternatives : parts) {
    std::vector<std::u16string> longer;
    for (const std::u16string& path : paths)
      for (const std::u16string& alternative : alternatives) longer.push_back(path + alternative);
    paths = std::move(longer);
  }
  size_t chars = 0;
  for (const std::u16string& path : paths) chars += path.size();
  if (chars > kMaxAlternationChars) return std::vector<std::u16string>{std::u16string(text)};
  return paths;
}

void CheckAlternation(std::u16string_view info) {
  const std::optional<std::vector<std::u16string>> expected = ModelAlternation(info);
  if (!expected) return;
  const std::vector<std::u16string> paths = SplitPathInfoPieces(info);
  if (paths == *expected) return;
  std::string details = "path info \"" + Printable(info) + "\"\n  " +
                        std::to_string(expected->size()) + " paths expected, " +
                        std::to_string(paths.size()) + " given";
  for (size_t i = 0; i < paths.size() && i < expected->size(); ++i) {
    if (paths[i] == (*expected)[i]) continue;
    details += "\n  path " + std::to_string(i) + ": expected \"" + Printable((*expected)[i]) +
               "\", given \"" + Printable(paths[i]) + "\"";
    break;
  }
  Fail("alternation groups multiply out", details);
}

void CheckProjections(std::u16string_view info) {
  auto context = [info] { return "path info \"" + Printable(info) + "\""; };
  const std::u16string canonical = CanonicalPathInfo(info);
  const std::u16string canonicalAgain = CanonicalPathInfo(canonical);
  if (canonicalAgain != canonical)
    ExpectEqual("CanonicalPathInfo(CanonicalPathInfo(x)) == CanonicalPathInfo(x)", canonical,
                canonicalAgain, context());
  if (!canonical.empty()) {
    if (IsPathInfoDisabled(canonical) != IsPathInfoDisabled(info))
      Fail("the canonical form keeps the disabled mark",
           context() + "\n  canonical \"" + Printable(canonical) + "\"");
    if (PathInfoUsesVariables(canonical) != PathInfoUsesVariables(info))
      Fail("the canonical form keeps the variables mark",
           context() + "\n  canonical \"" + Printable(canonical) + "\"");
  }

  const std::u16string normalized = NormalizePathSeparators(info);
  const std::u16string normalizedAgain = NormalizePathSeparators(normalized);
  if (normalizedAgain != normalized)
    ExpectEqual("NormalizePathSeparators is idempotent", normalized, normalizedAgain, context());
  // It only collapses runs of bars; it never makes a new one.
  if (std::count(normalized.begin(), normalized.end(), u'|') >
      std::count(info.begin(), info.end(), u'|'))
    Fail("NormalizePathSeparators adds no bar",
         context() + "\n  normalized \"" + Printable(normalized) + "\"");
}

void CheckLoneSurrogates(std::u16string_view info, std::u16string_view other) {
  if (!LoneSurrogatesOfOneKind(std::u16string(info) + std::u16string(other))) return;
  const std::vector<std::u16string> raw = Results(info, other);
  const std::vector<std::u16string> replaced =
      Results(WithoutLoneSurrogates(info), WithoutLoneSurrogates(other));
  if (raw.size() != replaced.size())
    Fail("a lone surrogate is a character like any other",
         "path info \"" + Printable(info) + "\": " + std::to_string(raw.size()) + " results, " +
             std::to_string(replaced.size()) + " with U+FFFD in its place");
  for (size_t i = 0; i < raw.size(); ++i) {
    std::u16string expected = WithoutLoneSurrogates(raw[i]);
    if (expected != replaced[i])
      ExpectEqual("a lone surrogate is a character like any other", expected, replaced[i],
                  "path info \"" + Printable(info) + "\", result " + std::to_string(i));
  }
}

}  // namespace
}  // namespace pathorama::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace pathorama::fuzz;
  const std::u16string text = Utf16FromBytes(data, size);
  const size_t nul = text.find(u'\0');
  const std::u16string_view info = std::u16string_view(text).substr(0, nul);
  const std::u16string_view other = nul == std::u16string::npos
                                        ? std::u16string_view(u"D:\\Work")
                                        : std::u16string_view(text).substr(nul + 1);

  Results(info, other);
  CheckProjections(info);
  CheckAlternation(info);
  CheckLoneSurrogates(info, other);
  return 0;
}
