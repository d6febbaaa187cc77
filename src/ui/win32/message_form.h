// The program's own message box: the system's look (message font, system
// icon, word-wrapped message, a row of buttons) with the program's Chinese
// button captions, which the system message box cannot show. Built at run
// time from a template in memory; laid out by ui::LayOutMessageBox.
//
// Enter presses the default button, Escape and the close box the cancel
// button (ui::DefaultButton, ui::CancelButton); without a cancel button the
// close box is disabled. Ctrl+C puts ui::MessageBoxCopyText on the
// clipboard. The box is always on top, centred on the work area of the
// monitor of its owner (without one: of the window in front), and never
// taller than that work area: a longer message scrolls.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>

#include "core/prompts.h"
#include "ui/message_box_layout.h"
#include "ui/win32/dialog_base.h"

namespace pathorama::ui::win32 {

class MessageForm : public DialogBase<MessageForm> {
 public:
  // A box not shown yet. An empty button set shows OK.
  MessageForm(std::u16string_view message, std::u16string_view caption, MessageType type,
              MessageButtons buttons);
  ~MessageForm();

  // Shows the box modally until the user presses one of its buttons and
  // returns that button. `owner` null: the box belongs to the desktop.
  // Nothing when the box could not be shown or was ended without an answer
  // (traced).
  std::optional<MessageButton> Run(bool showCloseBox, HWND owner = nullptr);

 private:
  friend DialogBase;
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void CreateControls();
  // Ends the box with `button`; false when `button` is none or Help (which
  // has no help to show and leaves the box open).
  bool Answer(std::optional<MessageButton> button);
  void CopyToClipboard() const;
  static LRESULT CALLBACK FilterKeys(int code, WPARAM wParam, LPARAM lParam);

  std::u16string message_;
  std::u16string caption_;
  MessageType type_;
  MessageButtons shown_;
  RECT workArea_{};
  int screenWidth_ = 0;
  struct FontDeleter {
    void operator()(HFONT font) const;
  };
  std::unique_ptr<std::remove_pointer_t<HFONT>, FontDeleter> font_;
};

// Shows `message` in the program's message box and returns the pressed
// button (see MessageForm::Run).
std::optional<MessageButton> ShowMessageForm(std::u16string_view message,
                                             std::u16string_view caption, MessageType type,
                                             bool showCloseBox, MessageButtons buttons,
                                             HWND owner = nullptr);

// The three-way question in the program's message box: "是(&Y)", "否(&N)",
// "取消(&C)" with the close box; Enter answers Yes, Escape and the close box
// Cancel. A box that could not be shown answers Yes, the answer that leaves
// everything as it is, and the failure is traced.
class MessageFormQuestion : public core::ThreeWayQuestion {
 public:
  explicit MessageFormQuestion(HWND owner = nullptr) : owner_(owner) {}
  core::PromptAnswer Ask(std::u16string_view text, std::u16string_view caption,
                         core::PromptIcon icon) override;

 private:
  HWND owner_;
};

}  // namespace pathorama::ui::win32
