// What the program tells and asks the user, in the system message box.
#pragma once

#include <windows.h>

#include "core/prompts.h"

namespace pathorama::ui::win32 {

class MessageBoxPrompts : public core::UserPrompts {
 public:
  // `owner` may be null; the boxes stay on top of other programs' windows,
  // because the user works in one of them.
  explicit MessageBoxPrompts(HWND owner = nullptr) : owner_(owner) {}
  void Tell(std::u16string_view text, std::u16string_view caption, core::PromptIcon icon) override;
  bool AskYesNo(std::u16string_view text, std::u16string_view caption,
                core::PromptIcon icon) override;

 private:
  HWND owner_;
};

}  // namespace pathorama::ui::win32
