// The editor's commands: the context menu of its tree in order, with the
// shortcut of each, and which key presses in the tree give which command.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

namespace pathorama::editor {

enum class EditorCommand {
  AddItem,
  AddSubItem,
  AddGroup,
  Rename,
  ConvertGroupAndItem,
  ToggleEnabled,
  ImportTotalCommander,
  ImportDirectoryOpus,
  ImportTextFile,
  ImportClipboard,  // offered but never enabled
  SetAcceleratorKey,
  AddAcceleratorKeys,
  RemoveAcceleratorKeys,
  DeleteSelected,
  MoveToTop,
  MoveToBottom,
  MoveToTopOfLevel,
  MoveToBottomOfLevel,
  SelectAll,
  SelectAllInLevel,
  SelectToTopInLevel,
  SelectToBottomInLevel,
  InvertSelectionInLevel,
  SelectToTop,
  SelectToBottom,
  InvertSelection,
  ExpandSelected,
};

// One entry of the tree's context menu: a command, a separator (no
// command), or a submenu (its entries follow, up to `endOfSubmenu`).
struct EditorMenuEntry {
  std::u16string_view caption;   // empty: separator
  std::u16string_view shortcut;  // as the menu shows it after a tab
  std::optional<EditorCommand> command;
  int submenuDepth = 0;  // 1 for the entries of a submenu
};
const std::vector<EditorMenuEntry>& EditorContextMenu();
// The import window's: the same without the import submenu, two captions
// worded differently.
const std::vector<EditorMenuEntry>& ImportFavoritesContextMenu();

// The virtual-key codes the tree's shortcuts use (the same numbers as
// Windows' VK_ codes, so the window passes its keys straight through).
namespace keys {
inline constexpr int kInsert = 0x2D, kDelete = 0x2E, kUp = 0x26, kDown = 0x28, kLeft = 0x25,
                     kRight = 0x27, kF2 = 0x71, kF3 = 0x72, kF4 = 0x73, kF6 = 0x75, kA = 0x41,
                     kE = 0x45, kV = 0x56, kSemicolon = 0xBA, kSlash = 0xBF;
}  // namespace keys

// The command of a key pressed in the tree, with Ctrl and Shift as held.
std::optional<EditorCommand> CommandForKey(int virtualKey, bool ctrl, bool shift);

}  // namespace pathorama::editor
