// `list`: the jump list a Pathorama INI holds, as the program reads it.
// `import`: another program's list of folders as the editor imports it,
// listed the same way.
#include "app/cli/cli.h"
#include "core/encoding.h"
#include "core/file_io.h"
#include "core/ini.h"
#include "core/text.h"
#include "editor/imports.h"
#include "editor/tree_conversions.h"
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

int RunImport(const std::vector<std::u16string>& args, Output& output) {
  std::u16string kind, file;
  std::optional<editor::ImportEncoding> encoding;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == u"--kind" || args[i] == u"--encoding") {
      if (i + 1 == args.size()) throw UsageError{u"missing value after " + args[i]};
      if (args[i] == u"--kind") {
        kind = args[++i];
        continue;
      }
      const std::optional<long long> codePage = core::ParseInt(args[++i]);
      if (!codePage || *codePage <= 0 || *codePage > 65535)
        throw UsageError{u"CODEPAGE is a Windows code page number (936, 65001, 1200...)"};
      encoding = editor::ImportEncodingOfCodePage(static_cast<unsigned>(*codePage));
    } else if (file.empty()) {
      file = args[i];
    } else {
      throw UsageError{u"too many arguments"};
    }
  }
  if (file.empty()) throw UsageError{u"missing FILE"};
  const bool text = core::EqualsIgnoreCase(kind, u"text");
  const std::optional<editor::FavoritesKind> favorites = editor::FavoritesKindFromName(kind);
  if (!text && !favorites) throw UsageError{u"--kind is totalcommander, directoryopus or text"};

  jumplist::JumpList list;
  editor::JumpTree tree(editor::FreshIdsFrom(list));
  const unsigned ansi = core::SystemAnsiCodePage();
  const editor::ImportResult result =
      text ? editor::ImportPathListText(file, encoding, ansi, tree)
           : editor::ImportFavoritesFile(file, *favorites, encoding, ansi, tree);
  if (result.status != editor::ImportStatus::kOk) {
    output.ErrLine(u"pathorama-cli import: " + result.message);
    return 1;
  }
  // Listed as the program would read the list once the editor has saved it.
  core::IniDocument doc;
  editor::SavePathListFromTreeViewToIni(tree, doc);
  jumplist::JumpList imported;
  imported.CreatePathListFromIni(doc);
  PrintItems(imported, output);
  return 0;
}

}  // namespace pathorama::app::cli
