// The editor window's portable parts: the context menu with its shortcuts,
// the keys of the tree, and where the controls stand.
#include <gtest/gtest.h>

#include <map>

#include "core/text.h"
#include "editor/editor_commands.h"
#include "editor/editor_layout.h"

namespace pathorama::editor {
namespace {

std::string U8(std::u16string_view s) { return core::Utf16ToUtf8(s); }

// Every shortcut the menu shows is the key that gives its command, and no
// other key gives a command the menu does not show.
TEST(EditorCommands, TheMenuShowsTheKeysTheTreeAnswers) {
  const std::map<std::u16string_view, int> named = {
      {u"Ins", keys::kInsert}, {u"Del", keys::kDelete}, {u"F2", keys::kF2}, {u"F3", keys::kF3},
      {u"F4", keys::kF4},      {u"F6", keys::kF6},      {u"Up", keys::kUp}, {u"Down", keys::kDown},
      {u"Left", keys::kLeft},  {u"Right", keys::kRight}, {u"A", keys::kA},  {u"E", keys::kE},
      {u"V", keys::kV},        {u";", keys::kSemicolon}, {u"/", keys::kSlash}};
  int shortcuts = 0;
  for (const EditorMenuEntry& e : EditorContextMenu()) {
    if (e.shortcut.empty()) continue;
    std::u16string_view rest = e.shortcut;
    bool ctrl = false, shift = false;
    for (;;) {
      if (rest.starts_with(u"Ctrl+")) ctrl = true, rest.remove_prefix(5);
      else if (rest.starts_with(u"Shift+")) shift = true, rest.remove_prefix(6);
      else break;
    }
    ASSERT_TRUE(named.count(rest)) << U8(e.shortcut);
    const std::optional<EditorCommand> got = CommandForKey(named.at(rest), ctrl, shift);
    if (e.command == EditorCommand::ImportClipboard) {
      EXPECT_EQ(got, std::nullopt) << "the clipboard import is never offered";
    } else {
      EXPECT_EQ(got, e.command) << U8(e.caption) << " " << U8(e.shortcut);
    }
    ++shortcuts;
  }
  EXPECT_EQ(shortcuts, 18);
  // Keys without a command.
  EXPECT_EQ(CommandForKey(keys::kE, false, false), std::nullopt);
  EXPECT_EQ(CommandForKey(keys::kDelete, true, false), std::nullopt);
  EXPECT_EQ(CommandForKey(keys::kF2, false, true), std::nullopt);
}

TEST(EditorCommands, TheImportWindowsMenuHasNoImportsAndItsOwnWording) {
  std::string captions;
  for (const EditorMenuEntry& e : ImportFavoritesContextMenu())
    captions += (e.caption.empty() ? std::string("-") : U8(e.caption)) + "\n";
  EXPECT_EQ(captions.find("导入"), std::string::npos);
  EXPECT_NE(captions.find("在分组与普通条目间互转\n启用/禁用已选条目\n-\n修改加速键\n"), std::string::npos)
      << captions;
  EXPECT_NE(captions.find("展开已选条目所有子节点"), std::string::npos);
  EXPECT_EQ(ImportFavoritesContextMenu().size(), EditorContextMenu().size() - 6);
}

bool Overlap(const Box& a, const Box& b) {
  return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
}

TEST(EditorLayout, ControlsStayApartAndInsideAtEverySizeAndScaling) {
  struct Case {
    int width, height, dpi;
  } cases[] = {{581, 642, 96},  {460, 540, 96},   {1900, 1000, 96}, {872, 963, 144},
               {690, 810, 144}, {1162, 1284, 192}, {300, 200, 96}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height) + " at " +
                 std::to_string(c.dpi));
    const EditorLayout l = LayOutEditor(c.width, c.height, c.dpi);
    const int minWidth = (kEditorMinClientWidth * c.dpi + 48) / 96;
    const int minHeight = (kEditorMinClientHeight * c.dpi + 48) / 96;
    for (size_t i = 0; i < l.boxes.size(); ++i) {
      const Box& a = l.boxes[i];
      EXPECT_GT(a.width, 0) << "control " << i;
      EXPECT_GT(a.height, 0) << "control " << i;
      EXPECT_GE(a.x, 0);
      EXPECT_GE(a.y, 0);
      EXPECT_LE(a.x + a.width, std::max(c.width, minWidth)) << "control " << i;
      EXPECT_LE(a.y + a.height, std::max(c.height, minHeight)) << "control " << i;
      for (size_t j = i + 1; j < l.boxes.size(); ++j)
        EXPECT_FALSE(Overlap(a, l.boxes[j])) << "controls " << i << " and " << j;
    }
    // The tree takes the room a larger window gives.
    const Box& tree = l[EditorControl::Tree];
    EXPECT_GE(tree.width * tree.height, l[EditorControl::Save].width * l[EditorControl::Save].height * 10);
  }
  // Growing the window grows the tree and the path box only.
  const EditorLayout small = LayOutEditor(581, 642, 96), large = LayOutEditor(881, 842, 96);
  EXPECT_EQ(large[EditorControl::Tree].width - small[EditorControl::Tree].width, 300);
  EXPECT_EQ(large[EditorControl::Tree].height - small[EditorControl::Tree].height, 200);
  EXPECT_EQ(large[EditorControl::Paths].width - small[EditorControl::Paths].width, 300);
  EXPECT_EQ(large[EditorControl::Save].width, small[EditorControl::Save].width);
  EXPECT_EQ(large[EditorControl::AddItem].x - small[EditorControl::AddItem].x, 300);
}

TEST(ImportFavoritesLayout, ControlsStayApartAndInsideAtEverySizeAndScaling) {
  struct Case {
    int width, height, dpi;
  } cases[] = {{603, 694, 96}, {480, 690, 96}, {1900, 1000, 96}, {905, 1041, 144}, {1206, 1388, 192},
               {300, 200, 96}};
  using C = EditorControl;
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height) + " at " +
                 std::to_string(c.dpi));
    const ImportFavoritesLayout l = LayOutImportFavorites(c.width, c.height, c.dpi);
    // The editor's controls the window has not are nowhere.
    for (C absent : {C::ImportJumpList, C::HideDisabled, C::Save, C::Cancel})
      EXPECT_EQ(l.editor[absent], Box{}) << static_cast<int>(absent);
    std::vector<std::pair<std::string, Box>> boxes;
    for (size_t i = 0; i < l.editor.boxes.size(); ++i)
      if (!(l.editor.boxes[i] == Box{})) boxes.push_back({"editor " + std::to_string(i), l.editor.boxes[i]});
    for (size_t i = 0; i < l.boxes.size(); ++i) boxes.push_back({"import " + std::to_string(i), l.boxes[i]});
    const int width = std::max(c.width, (kImportMinClientWidth * c.dpi + 48) / 96);
    const int height = std::max(c.height, (kImportMinClientHeight * c.dpi + 48) / 96);
    for (size_t i = 0; i < boxes.size(); ++i) {
      const auto& [name, a] = boxes[i];
      EXPECT_GT(a.width, 0) << name;
      EXPECT_GT(a.height, 0) << name;
      EXPECT_GE(a.x, 0) << name;
      EXPECT_GE(a.y, 0) << name;
      EXPECT_LE(a.x + a.width, width) << name;
      EXPECT_LE(a.y + a.height, height) << name;
      for (size_t j = i + 1; j < boxes.size(); ++j)
        EXPECT_FALSE(Overlap(a, boxes[j].second)) << name << " and " << boxes[j].first;
    }
  }
}

}  // namespace
}  // namespace pathorama::editor
