// The path info of a jump-list entry: marks ("/" disabled, "*" variables),
// pieces separated by "|", head tags naming a path type, a tail tag with
// extra start parameters, and alternation groups "(a|b)" that multiply out.
// Every caller reads and rebuilds path infos through these functions.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace pathorama::paths {

// Path type words, as written in head tags and read by the opener.
inline constexpr std::u16string_view kLocalPath = u"LocalPath";
inline constexpr std::u16string_view kRegPath = u"RegPath";
inline constexpr std::u16string_view kUrl = u"Url";
inline constexpr std::u16string_view kSharedFolder = u"SharedFolder";
inline constexpr std::u16string_view kNetworkMappingFolder = u"NetworkMappingFolder";
inline constexpr std::u16string_view kMixedPath = u"MixedPath";

// A piece whose alternation groups would multiply out to more paths (or more
// text) than this is left as written: a typing slip must not freeze the UI.
inline constexpr size_t kMaxAlternationPaths = 10000;
inline constexpr size_t kMaxAlternationChars = 16 * 1024 * 1024;

bool IsPathInfoDisabled(std::u16string_view pathInfo);
bool PathInfoUsesVariables(std::u16string_view pathInfo);

std::u16string NormalizePathSeparators(std::u16string_view text);
// The pieces of a path info, alternation groups multiplied out, joined by "|".
std::u16string SplitPathInfo(std::u16string_view pathInfo);
// The same, one element per path.
std::vector<std::u16string> SplitPathInfoPieces(std::u16string_view pathInfo);
std::u16string ExpandPathAlternation(std::u16string_view piece);
std::u16string CompressPathList(std::u16string_view list, std::u16string_view baseFolder);

// Modes of RemovePathTags.
inline constexpr std::u16string_view kHeadOfPerPath = u"HeadOfPerPath";
inline constexpr std::u16string_view kTailOfPerPath = u"TailOfPerPath";
inline constexpr std::u16string_view kHeadTailOfPerPath = u"HeadTailOfPerPath";

std::u16string RemovePathTags(std::u16string_view text, std::u16string_view mode,
                              bool knownTypesOnly);
std::u16string StripPathTags(std::u16string_view text, bool knownHeadOnly);

// Plain paths for existence checks. `expand` is applied to each piece when
// the path info carries the variables mark (the variable language lives in
// another subsystem, so it is passed in).
using VariableExpander = std::function<std::u16string(std::u16string_view)>;
std::u16string PathInfoToPlainPaths(std::u16string_view pathInfo, const VariableExpander& expand);

// A path type word, MixedPath, or empty (read as LocalPath).
std::u16string GetCurPathType(std::u16string_view APathInfo, bool AutoCheckUrl);
std::u16string ApplyPathTypeToPathInfo(std::u16string_view text, std::u16string_view pathType);
std::u16string CanonicalPathInfo(std::u16string_view text);

// The extra start parameter of a piece's tail tag ("/S /Wait 3"), or empty.
std::u16string ExtraPathParam(std::u16string_view piece);

// Whether a path is a shell namespace path such as "::{20D04FE0-...}\0".
bool IsShellNamespacePath(std::u16string_view path);

}  // namespace pathorama::paths
