// The path info of a jump-list entry: marks ("/" disabled, "*" variables),
// pieces separated by "|", head tags naming a path type, a tail tag with
// extra start parameters, and alternation groups "(a|b)" that multiply out.
// Every caller reads and rebuilds path infos through these functions.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pathorama::paths {

// The type of a piece, named in its head tag ("<RegPath>"), or of a whole
// path info whose pieces differ (Mixed, never a tag). Untagged pieces are
// local paths; GetCurPathType keeps the difference because the editor does.
enum class PathType { Untagged, Local, Registry, Url, SharedFolder, NetworkMappingFolder, Mixed };

// The word of a type as head tags and the settings write it ("LocalPath",
// "RegPath", "Url", "SharedFolder", "NetworkMappingFolder", "MixedPath");
// empty for Untagged.
std::u16string_view PathTypeWord(PathType type);
// The type a word names, compared without regard to case; none for any
// other word.
std::optional<PathType> PathTypeFromWord(std::u16string_view word);

// A piece whose alternation groups would multiply out to more paths (or more
// text) than this is left as written: a typing slip must not freeze the UI.
inline constexpr size_t kMaxAlternationPaths = 10000;
inline constexpr size_t kMaxAlternationChars = 2 * 1024 * 1024;

bool IsPathInfoDisabled(std::u16string_view pathInfo);
bool PathInfoUsesVariables(std::u16string_view pathInfo);

std::u16string NormalizePathSeparators(std::u16string_view text);
// The pieces of a path info, alternation groups multiplied out, joined by "|".
std::u16string SplitPathInfo(std::u16string_view pathInfo);
// The same, one element per path.
std::vector<std::u16string> SplitPathInfoPieces(std::u16string_view pathInfo);
std::u16string ExpandPathAlternation(std::u16string_view piece);
std::u16string CompressPathList(std::u16string_view list, std::u16string_view baseFolder);

// Which tags RemovePathTags removes from each piece: the head tag, the tail
// tag, or both. Any tag in angle brackets counts, unless `knownTypesOnly`
// limits the head tag to the five path types.
enum class TagMode { HeadOfPerPath, TailOfPerPath, HeadTailOfPerPath };

std::u16string RemovePathTags(std::u16string_view text, TagMode mode, bool knownTypesOnly);
std::u16string StripPathTags(std::u16string_view text, bool knownHeadOnly);

// Plain paths for existence checks. `expand` is applied to each piece when
// the path info carries the variables mark (the variable language lives in
// another subsystem, so it is passed in).
using VariableExpander = std::function<std::u16string(std::u16string_view)>;
std::u16string PathInfoToPlainPaths(std::u16string_view pathInfo, const VariableExpander& expand);

// The type of the pieces: Mixed when two pieces differ (Untagged and Local
// count as the same), else the type of the last piece. With
// `recognizeWebAddresses`, an untagged piece that begins with "www." or
// "http(s)://" is a Url.
PathType GetCurPathType(std::u16string_view pathInfo, bool recognizeWebAddresses);
// Gives every piece the head tag of `type` (Local and Untagged: none; Mixed:
// the pieces stay as they are).
std::u16string ApplyPathTypeToPathInfo(std::u16string_view text, PathType type);
std::u16string CanonicalPathInfo(std::u16string_view text);

// The extra start parameter of a piece's tail tag ("/S /Wait 3"), or empty.
std::u16string ExtraPathParam(std::u16string_view piece);

// Whether a path is a shell namespace path such as "::{20D04FE0-...}\0".
bool IsShellNamespacePath(std::u16string_view path);

}  // namespace pathorama::paths
