#include "editor/editor_layout.h"

#include <algorithm>

namespace pathorama::editor {

EditorLayout LayOutEditor(int clientWidth, int clientHeight, int dpi) {
  auto px = [dpi](int at96) { return (at96 * dpi + 48) / 96; };
  // Smaller than the minimum, the controls keep the minimum's places and
  // the window clips them rather than overlapping them.
  const int width = std::max(clientWidth, px(kEditorMinClientWidth));
  const int height = std::max(clientHeight, px(kEditorMinClientHeight));
  const int margin = px(8), gap = px(6);
  const int buttonHeight = px(26), checkHeight = px(20), rowHeight = px(24);
  const int labelHeight = px(40), columnWidth = px(150);

  EditorLayout l;
  using C = EditorControl;
  // Bottom: the blue label, and the path row above it, across the window.
  const int labelY = height - margin - labelHeight;
  const int rowY = labelY - gap - rowHeight;
  l[C::PathLabel] = {margin, labelY, width - 2 * margin, labelHeight};
  int x = margin;
  auto row = [&](C c, int w) {
    l[c] = {x, rowY, w, rowHeight};
    x += w + px(4);
  };
  row(C::PathType, px(96));
  const int fixedRight = px(28) + px(26) + px(26) + px(52) + px(72) + 5 * px(4);
  row(C::Paths, std::max(px(40), width - margin - x - fixedRight));
  row(C::Browse, px(28));
  row(C::Usable, px(26));
  row(C::InsertMode, px(26));
  row(C::UseVariables, px(52));
  row(C::InputVariable, px(72));

  // Right: the buttons from the top, the check boxes, 保存 and 取消 at the
  // bottom of the column.
  const int columnX = width - margin - columnWidth;
  int y = margin + px(18);
  for (C c : {C::AddItem, C::AddSubItem, C::AddGroup, C::ChangeTitle, C::ImportJumpList,
              C::DeleteSelected, C::DeleteSpecial}) {
    l[c] = {columnX, y, columnWidth, buttonHeight};
    y += buttonHeight + px(4);
  }
  y += px(10);
  for (C c : {C::ForbidDuplicates, C::RecognizeWebAddresses, C::ShowPathHint, C::AutoAcceleratorKey,
              C::HideDisabled, C::AlwaysOnTop}) {
    l[c] = {columnX, y, columnWidth, checkHeight};
    y += checkHeight + px(2);
  }
  const int cancelY = rowY - gap - px(30);
  l[C::Cancel] = {columnX, cancelY, columnWidth, px(30)};
  l[C::Save] = {columnX, std::max(y + px(8), cancelY - px(4) - px(30)), columnWidth, px(30)};

  // Left: the label and the tree in what is left.
  const int treeWidth = columnX - gap - margin;
  l[C::TreeLabel] = {margin, margin, treeWidth, px(16)};
  l[C::Tree] = {margin, margin + px(18), treeWidth, rowY - gap - (margin + px(18))};
  return l;
}

ImportFavoritesLayout LayOutImportFavorites(int clientWidth, int clientHeight, int dpi) {
  auto px = [dpi](int at96) { return (at96 * dpi + 48) / 96; };
  const int width = std::max(clientWidth, px(kImportMinClientWidth));
  const int height = std::max(clientHeight, px(kImportMinClientHeight));
  const int margin = px(8), gap = px(6), rowHeight = px(24), labelWidth = px(120);
  // The editor's places, then the rows of the file above the tree.
  ImportFavoritesLayout l{LayOutEditor(width, height, dpi), {}};
  EditorLayout& e = l.editor;
  using C = EditorControl;
  using I = ImportControl;
  const int fileRows = 2 * rowHeight + px(4) + gap;
  // The column closes up where 导入跳转列表 and 隐藏已被禁用条目 were.
  const int buttonStep = e[C::DeleteSelected].y - e[C::ImportJumpList].y;
  const int checkStep = e[C::AlwaysOnTop].y - e[C::HideDisabled].y;
  const int fileWidth = width - 2 * margin - labelWidth - px(4);
  l[I::FileLabel] = {margin, margin + px(4), labelWidth, px(18)};
  l[I::File] = {margin + labelWidth + px(4), margin, fileWidth - px(32), rowHeight};
  l[I::FileBrowse] = {width - margin - px(28), margin, px(28), rowHeight};
  const int kindY = margin + rowHeight + px(4);
  l[I::KindLabel] = {margin, kindY + px(4), labelWidth, px(18)};
  l[I::Kind] = {margin + labelWidth + px(4), kindY, px(160), rowHeight};
  for (C c : {C::TreeLabel, C::AddItem, C::AddSubItem, C::AddGroup, C::ChangeTitle,
              C::DeleteSelected, C::DeleteSpecial, C::ForbidDuplicates, C::RecognizeWebAddresses,
              C::ShowPathHint, C::AutoAcceleratorKey, C::AlwaysOnTop})
    e[c].y += fileRows;
  e[C::Tree].y += fileRows;
  e[C::Tree].height -= fileRows;
  e[C::DeleteSelected].y -= buttonStep;
  e[C::DeleteSpecial].y -= buttonStep;
  for (C c : {C::ForbidDuplicates, C::RecognizeWebAddresses, C::ShowPathHint, C::AutoAcceleratorKey,
              C::AlwaysOnTop})
    e[c].y -= buttonStep;
  e[C::AlwaysOnTop].y -= checkStep;
  for (C c : {C::ImportJumpList, C::HideDisabled, C::Save, C::Cancel}) e[c] = {};

  // Below the check boxes: the position, then the import button at the foot
  // of the column.
  const Box column = e[C::AddItem];
  const int radioHeight = px(18);
  int y = e[C::AlwaysOnTop].y + e[C::AlwaysOnTop].height + px(8);
  l[I::PositionLabel] = {column.x, y, column.width, px(16)};
  y += px(18);
  l[I::Replace] = {column.x, y, column.width, radioHeight};
  y += radioHeight + px(4);
  l[I::RelativeLabel] = {column.x, y, px(40), px(16)};
  l[I::BaseEntry] = {column.x + px(42), y, column.width - px(42), px(32)};
  y += px(34);
  for (I c : {I::After, I::Before, I::Inside, I::FirstInLevel, I::LastInLevel}) {
    l[c] = {column.x + px(12), y, column.width - px(12), radioHeight};
    y += radioHeight + px(2);
  }
  const int importHeight = px(30);
  const int importY = e[C::PathType].y - gap - importHeight;
  l[I::Import] = {column.x, std::max(y + px(6), importY), column.width, importHeight};
  return l;
}

}  // namespace pathorama::editor
