// The three import readers from arbitrary bytes: the first byte picks the
// reader (hot list, favourites XML, text file), the rest is the file.
//
// Invariants:
//  - every group head is followed by its end marker and every end marker
//    follows a group head;
//  - no node text holds a line break or ends in a blank, separators and end
//    markers carry no path, and no entry has an empty caption (the settings
//    loader would drop it);
//  - saving the tree into [PathMenu] and loading it again gives the same
//    lines: nothing an import makes is lost or changed by the next start.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/ini.h"
#include "core/text.h"
#include "editor/imports.h"
#include "editor/tree_conversions.h"
#include "fuzz_support.h"
#include "jumplist/jump_list.h"

namespace pathorama::fuzz {
namespace {

using editor::JumpTree;
using editor::NodeId;
using editor::NodeKind;

std::string Dump(const std::vector<editor::StoredLine>& lines) {
  std::string out;
  for (size_t i = 0; i < lines.size() && i < 60; ++i)
    out += "\n  \"" + Printable(lines[i].menu) + "\"" +
           (lines[i].path ? " \"" + Printable(*lines[i].path) + "\"" : std::string());
  if (lines.size() > 60) out += "\n  ... " + std::to_string(lines.size()) + " lines";
  return out;
}

void CheckNodes(const JumpTree& tree) {
  for (NodeId node : tree.NodesInOrder()) {
    const std::u16string& text = tree.Text(node);
    const NodeKind kind = tree.Kind(node);
    if (text.find_first_of(u"\r\n") != std::u16string::npos ||
        (!text.empty() && text.back() == u' '))
      Fail("a node text holds no line break and ends in no blank", Printable(text));
    if ((kind == NodeKind::Separator || kind == NodeKind::EndMarker) &&
        tree.PathInfo(node) != u"<>")
      Fail("separators and end markers carry no path", Printable(tree.PathInfo(node)));
    if (kind == NodeKind::NormalItem && core::TrimChars(text, u" \t").empty())
      Fail("an entry has a caption", Printable(tree.PathInfo(node)));
    const std::optional<NodeId> next = tree.NextSibling(node), prev = tree.PrevSibling(node);
    if (kind == NodeKind::GroupHead && (!next || tree.Kind(*next) != NodeKind::EndMarker))
      Fail("a group head is followed by its end marker", Printable(text));
    if (kind == NodeKind::EndMarker &&
        (!prev || tree.Kind(*prev) != NodeKind::GroupHead || tree.HasChildren(node)))
      Fail("an end marker follows a group head and holds nothing", "");
  }
}

}  // namespace
}  // namespace pathorama::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace pathorama;
  using namespace pathorama::fuzz;
  if (size == 0) return 0;
  const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  int32_t counter = 0;
  JumpTree tree([&counter] { return ++counter; });
  switch (data[0] % 3) {
    case 0:
      editor::ImportFavoritesBytes(bytes, editor::FavoritesKind::TotalCommander, std::nullopt, 936,
                                   tree);
      break;
    case 1:
      editor::ImportFavoritesBytes(bytes, editor::FavoritesKind::DirectoryOpus, std::nullopt, 936,
                                   tree);
      break;
    default:
      editor::ImportPathListBytes(bytes, std::nullopt, 936, tree);
      break;
  }
  CheckNodes(tree);

  const std::vector<editor::StoredLine> imported = editor::StoredLinesOfTree(tree);
  core::IniDocument doc;
  if (!editor::SavePathListFromTreeViewToIni(tree, doc))
    Fail("the imported tree saves", Dump(imported));
  jumplist::JumpList list;
  list.CreatePathListFromIni(doc, {jumplist::kNoCaptionLimit, false});
  JumpTree reloaded(editor::FreshIdsFrom(list));
  editor::BuildTreeFromJumpListMenu(list, reloaded);
  const std::vector<editor::StoredLine> again = editor::StoredLinesOfTree(reloaded);
  // An entry without path is stored without a path line and comes back with
  // an empty one: both mean no path.
  const auto pathOf = [](const editor::StoredLine& line) { return line.path.value_or(u""); };
  bool same = imported.size() == again.size();
  for (size_t i = 0; same && i < imported.size(); ++i)
    same = imported[i].menu == again[i].menu && pathOf(imported[i]) == pathOf(again[i]);
  if (!same)
    Fail("the imported lines survive a save and a load",
         "imported:" + Dump(imported) + "\nloaded again:" + Dump(again));
  return 0;
}
