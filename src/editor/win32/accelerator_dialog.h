// The dialog "设置加速键": the user sets a jump-list node's accelerator key
// by hand, or empties the box to remove it. Modal, always on top, dragged by
// its free surface.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "ui/win32/dialog_base.h"

namespace pathorama::editor::win32 {

class AcceleratorDialog : public ui::win32::DialogBase<AcceleratorDialog> {
 public:
  AcceleratorDialog(std::u16string nodeText, bool isGroupHead, POINT topLeft)
      : nodeText_(std::move(nodeText)), isGroupHead_(isGroupHead), topLeft_(topLeft) {}

  // Runs the dialog over `owner`; the node's new text once OK closed it with
  // a change, none after Cancel or when the text stays.
  std::optional<std::u16string> Run(HWND owner);

 private:
  friend DialogBase;
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void Place();
  void SelectBox();
  void Ok();

  std::u16string nodeText_;
  bool isGroupHead_;
  POINT topLeft_;
  std::optional<std::u16string> result_;
};

// Opens the dialog for a node with its top-left corner at `topLeft` (screen
// coordinates; for the editor, the centre of the node's text rectangle),
// kept inside that monitor's work area.
std::optional<std::u16string> SetAcceleratorKey(HWND owner, std::u16string_view nodeText,
                                                bool isGroupHead, POINT topLeft);

}  // namespace pathorama::editor::win32
