// What the dialog "设置加速键" shows for a node and what its OK button does,
// apart from the window.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace pathorama::editor {

// The caption the dialog shows: the node text trimmed of spaces, for a
// group head also without its leading "-" and the spaces after it.
std::u16string AcceleratorDialogLabel(std::u16string_view nodeText, bool isGroupHead);

// The key the box starts with, in upper case: the caption's own key when it
// ends in one this program writes ("[&X]" with a letter or digit), so that
// OK right away keeps it; else the key AddAcceleratorKey would choose for
// it; empty when there is none.
std::u16string ProposedAcceleratorKey(std::u16string_view label);

struct AcceleratorDialogOk {
  // False: the dialog stays open and selects the box's text again.
  bool close = false;
  // The node's new text; none when the node keeps its text.
  std::optional<std::u16string> newText;
};

// OK with `boxText` in the box: one ASCII letter or digit becomes the
// node's only accelerator, an empty box removes them all, anything else
// keeps the dialog open. An end marker or separator is left alone, and an
// edit that would leave the node without a caption is not made.
AcceleratorDialogOk DecideAcceleratorDialogOk(std::u16string_view nodeText, bool isGroupHead,
                                              std::u16string_view boxText);

// A rectangle in screen pixels, right and bottom excluded.
struct DialogBounds {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

// Where the dialog's top-left corner goes when asked for (`left`, `top`):
// moved just enough that a dialog of the given size lies inside the work
// area, so a node near the screen's edge does not push OK off the screen;
// the work area's top-left corner wins when the dialog is larger.
DialogBounds PlaceAcceleratorDialog(int left, int top, int width, int height, DialogBounds workArea);

}  // namespace pathorama::editor
