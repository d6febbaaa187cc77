// `list`: the jump list a Pathorama INI holds, as the program reads it.
#include "app/cli/cli.h"
#include "core/encoding.h"
#include "core/file_io.h"
#include "core/ini.h"
#include "core/text.h"
#include "jumplist/jump_list.h"

namespace pathorama::app::cli {

namespace {

// Two spaces per group level; an entry "CAPTION<TAB>PATHINFO", a group
// "CAPTION/" with "<TAB>PATHINFO" when it has path info, a separator "-".
// Disabled entries are listed too: the file holds them, whether the menu
// shows them or not. Deeper than kIndentedLevels the indentation stops
// growing and the line names its level instead ("[150] "): two spaces per
// level would make the listing of a tree n levels deep n² characters long.
constexpr size_t kIndentedLevels = 100;

std::u16string Indentation(size_t depth) {
  if (depth <= kIndentedLevels) return std::u16string(2 * depth, u' ');
  return std::u16string(2 * kIndentedLevels, u' ') + u"[" +
         core::IntToText(static_cast<long long>(depth)) + u"] ";
}

void PrintItems(const jumplist::JumpList& list, Output& output) {
  jumplist::ForEachItem(list.Items(), [&](const jumplist::JumpItem& item, size_t depth) {
    std::u16string line = Indentation(depth);
    switch (item.kind) {
      case jumplist::JumpItemKind::kEntry:
        line += item.caption + u"\t" + list.PathByTag(item.tag);
        break;
      case jumplist::JumpItemKind::kGroup: {
        line += item.caption + u"/";
        std::u16string path = list.PathByTag(item.tag);
        if (!path.empty()) line += u"\t" + path;
        break;
      }
      case jumplist::JumpItemKind::kSeparator:
        line += u"-";
        break;
      default:
        return;  // placeholders; a file holds no function items
    }
    output.Line(line);
  });
}

}  // namespace

int RunList(const std::vector<std::u16string>& args, Output& output) {
  if (args.empty()) throw UsageError{u"missing FILE"};
  if (args.size() > 1) throw UsageError{u"too many arguments"};
  core::LoadedIni file = core::LoadIniDocument(args[0], core::SystemAnsiCodePage());
  if (file.status != core::FileStatus::kOk) {
    output.ErrLine(u"pathorama-cli list: " + args[0] + u": " + core::FileStatusText(file.status));
    return 1;
  }
  jumplist::JumpList list;
  // Read as at start-up: no caption limit yet. The file is not touched, not
  // even when its legacy section would be migrated.
  list.CreatePathListFromIni(file.document);
  PrintItems(list, output);
  return 0;
}

}  // namespace pathorama::app::cli
