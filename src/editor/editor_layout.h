// Where the editor's controls stand for a client size and a DPI: the tree
// takes what the buttons on the right and the path row below leave.
#pragma once

#include <array>
#include <cstddef>

namespace pathorama::editor {

enum class EditorControl {
  TreeLabel,
  Tree,
  AddItem,
  AddSubItem,
  AddGroup,
  ChangeTitle,
  ImportJumpList,
  DeleteSelected,
  DeleteSpecial,
  ForbidDuplicates,
  RecognizeWebAddresses,
  ShowPathHint,
  AutoAcceleratorKey,
  HideDisabled,
  AlwaysOnTop,
  Save,
  Cancel,
  PathType,
  Paths,
  Browse,
  Usable,
  InsertMode,
  UseVariables,
  InputVariable,
  PathLabel,
  Count
};

struct Box {
  int x = 0, y = 0, width = 0, height = 0;
  friend bool operator==(const Box&, const Box&) = default;
};

struct EditorLayout {
  std::array<Box, static_cast<std::size_t>(EditorControl::Count)> boxes;
  const Box& operator[](EditorControl c) const { return boxes[static_cast<std::size_t>(c)]; }
  Box& operator[](EditorControl c) { return boxes[static_cast<std::size_t>(c)]; }
};

// The client size the window opens with, at 96 DPI.
inline constexpr int kEditorClientWidth = 581, kEditorClientHeight = 642;
// Below this (at 96 DPI) the window is not made smaller.
inline constexpr int kEditorMinClientWidth = 460, kEditorMinClientHeight = 540;

EditorLayout LayOutEditor(int clientWidth, int clientHeight, int dpi);

// The import window "导入收藏夹设置": the editor's controls but 导入跳转列表,
// 隐藏已被禁用条目, 保存 and 取消 (their boxes stay empty), the favourites
// file and its type above the tree, the insertion position and the import
// button in the right column.
enum class ImportControl {
  FileLabel,
  File,
  FileBrowse,
  KindLabel,
  Kind,
  PositionLabel,
  Replace,
  RelativeLabel,
  After,
  Before,
  Inside,
  FirstInLevel,
  LastInLevel,
  BaseEntry,
  Import,
  Count
};

struct ImportFavoritesLayout {
  EditorLayout editor;
  std::array<Box, static_cast<std::size_t>(ImportControl::Count)> boxes;
  const Box& operator[](ImportControl c) const { return boxes[static_cast<std::size_t>(c)]; }
  Box& operator[](ImportControl c) { return boxes[static_cast<std::size_t>(c)]; }
};

inline constexpr int kImportClientWidth = 603, kImportClientHeight = 694;
inline constexpr int kImportMinClientWidth = 480, kImportMinClientHeight = 690;

ImportFavoritesLayout LayOutImportFavorites(int clientWidth, int clientHeight, int dpi);

}  // namespace pathorama::editor
