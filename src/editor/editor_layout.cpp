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

}  // namespace pathorama::editor
