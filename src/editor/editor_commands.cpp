#include "editor/editor_commands.h"

namespace pathorama::editor {

const std::vector<EditorMenuEntry>& EditorContextMenu() {
  using C = EditorCommand;
  static const std::vector<EditorMenuEntry> menu = {
      {u"添加同级条目", u"Ins", C::AddItem},
      {u"添加子条目", u"Shift+Ins", C::AddSubItem},
      {u"添加分组", u"Ctrl+Ins", C::AddGroup},
      {u"修改标题", u"F2", C::Rename},
      {u"在分组及普通条目间互转", u"Ctrl+/", C::ConvertGroupAndItem},
      {u"启用/禁用已选条目", u"Ctrl+;", C::ToggleEnabled},
      {u"", u"", {}},
      {u"导入路径跳转列表(&I)", u"", {}},
      {u"从 TotalCommander 收藏夹中导入", u"", C::ImportTotalCommander, 1},
      {u"从 DirectoryOpus 收藏夹中导入", u"", C::ImportDirectoryOpus, 1},
      {u"从文本文件导入", u"", C::ImportTextFile, 1},
      {u"从剪贴板导入", u"Ctrl+V", C::ImportClipboard, 1},
      {u"", u"", {}},
      {u"修改加速键", u"F3", C::SetAcceleratorKey},
      {u"自动添加加速键", u"F4", C::AddAcceleratorKeys},
      {u"删除加速键", u"F6", C::RemoveAcceleratorKeys},
      {u"", u"", {}},
      {u"删除已选条目", u"Del", C::DeleteSelected},
      {u"", u"", {}},
      {u"上移到顶部", u"Ctrl+Up", C::MoveToTop},
      {u"下移到底部", u"Ctrl+Down", C::MoveToBottom},
      {u"上移到本级顶部", u"Ctrl+Left", C::MoveToTopOfLevel},
      {u"下移到本级底部", u"Ctrl+Right", C::MoveToBottomOfLevel},
      {u"", u"", {}},
      {u"全选条目", u"Ctrl+A", C::SelectAll},
      {u"全选本级条目", u"Shift+Ctrl+A", C::SelectAllInLevel},
      {u"更多选择(&M)...", u"", {}},
      {u"在本级条目中选择到顶", u"", C::SelectToTopInLevel, 1},
      {u"在本级条目中选择到底", u"", C::SelectToBottomInLevel, 1},
      {u"在本级条目中反向选择", u"", C::InvertSelectionInLevel, 1},
      {u"", u"", {}, 1},
      {u"选择到顶", u"", C::SelectToTop, 1},
      {u"选择到底", u"", C::SelectToBottom, 1},
      {u"反向选择", u"", C::InvertSelection, 1},
      {u"", u"", {}},
      {u"展开已选条目的所有子节点", u"Ctrl+E", C::ExpandSelected},
  };
  return menu;
}

const std::vector<EditorMenuEntry>& ImportFavoritesContextMenu() {
  static const std::vector<EditorMenuEntry> menu = [] {
    std::vector<EditorMenuEntry> entries;
    const std::vector<EditorMenuEntry>& editor = EditorContextMenu();
    for (size_t i = 0; i < editor.size(); ++i) {
      EditorMenuEntry entry = editor[i];
      // The import submenu goes, with the separator after it.
      if (entry.caption == u"导入路径跳转列表(&I)") {
        while (i + 1 < editor.size() && editor[i + 1].submenuDepth > 0) ++i;
        if (i + 1 < editor.size() && editor[i + 1].caption.empty()) ++i;
        continue;
      }
      if (entry.command == EditorCommand::ConvertGroupAndItem)
        entry.caption = u"在分组与普通条目间互转";
      if (entry.command == EditorCommand::ExpandSelected) entry.caption = u"展开已选条目所有子节点";
      entries.push_back(entry);
    }
    return entries;
  }();
  return menu;
}

std::optional<EditorCommand> CommandForKey(int key, bool ctrl, bool shift) {
  using C = EditorCommand;
  if (!ctrl && !shift) {
    switch (key) {
      case keys::kInsert:
        return C::AddItem;
      case keys::kDelete:
        return C::DeleteSelected;
      case keys::kF2:
        return C::Rename;
      case keys::kF3:
        return C::SetAcceleratorKey;
      case keys::kF4:
        return C::AddAcceleratorKeys;
      case keys::kF6:
        return C::RemoveAcceleratorKeys;
    }
    return std::nullopt;
  }
  if (shift && !ctrl) return key == keys::kInsert ? std::optional(C::AddSubItem) : std::nullopt;
  if (ctrl && shift) return key == keys::kA ? std::optional(C::SelectAllInLevel) : std::nullopt;
  switch (key) {
    case keys::kInsert:
      return C::AddGroup;
    case keys::kSlash:
      return C::ConvertGroupAndItem;
    case keys::kSemicolon:
      return C::ToggleEnabled;
    case keys::kUp:
      return C::MoveToTop;
    case keys::kDown:
      return C::MoveToBottom;
    case keys::kLeft:
      return C::MoveToTopOfLevel;
    case keys::kRight:
      return C::MoveToBottomOfLevel;
    case keys::kA:
      return C::SelectAll;
    case keys::kE:
      return C::ExpandSelected;
  }
  // Ctrl+V would import from the clipboard, which is never offered.
  return std::nullopt;
}

}  // namespace pathorama::editor
