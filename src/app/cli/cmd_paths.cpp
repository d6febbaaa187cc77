// `paths` and `info`: what Pathorama makes of a path info.
#include "app/cli/cli.h"
#include "core/text.h"
#include "paths/path_info.h"

namespace pathorama::app::cli {

namespace {

// Untagged pieces are local paths.
std::u16string TypeOrLocal(paths::PathType type) {
  return std::u16string(
      paths::PathTypeWord(type == paths::PathType::Untagged ? paths::PathType::Local : type));
}

}  // namespace

// One line per path, in the order an activation opens them.
int RunPaths(const std::vector<std::u16string>& args, Output& output) {
  bool autoUrl = false;
  const std::u16string* text = nullptr;
  for (const std::u16string& arg : args) {
    if (arg == u"--auto-url" && !text)
      autoUrl = true;
    else if (!text)
      text = &arg;
    else
      throw UsageError{u"too many arguments"};
  }
  if (!text) throw UsageError{u"missing TEXT"};
  for (const std::u16string& piece : paths::SplitPathInfoPieces(*text)) {
    output.Line(TypeOrLocal(paths::GetCurPathType(piece, autoUrl)) + u"\t" +
                paths::StripPathTags(piece, false) + u"\t" + paths::ExtraPathParam(piece));
  }
  return 0;
}

int RunInfo(const std::vector<std::u16string>& args, Output& output) {
  if (args.size() != 1) throw UsageError{args.empty() ? u"missing TEXT" : u"too many arguments"};
  const std::u16string& text = args[0];
  output.Line(std::u16string(u"disabled: ") + (paths::IsPathInfoDisabled(text) ? u"yes" : u"no"));
  output.Line(std::u16string(u"variables: ") +
              (paths::PathInfoUsesVariables(text) ? u"yes" : u"no"));
  output.Line(u"type: " + TypeOrLocal(paths::GetCurPathType(text, false)));
  output.Line(u"canonical: " + paths::CanonicalPathInfo(text));
  return 0;
}

}  // namespace pathorama::app::cli
