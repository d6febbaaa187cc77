// The resident program's way of telling and asking the user: the system
// message box, owned by a window of the program.
#pragma once

#include <windows.h>

#include "core/prompts.h"

namespace pathorama::ui::win32 {

class MessageBoxPrompts : public core::UserPrompts {
 public:
  explicit MessageBoxPrompts(HWND owner) : owner_(owner) {}
  void Tell(std::u16string_view text, std::u16string_view caption, core::PromptIcon icon) override;
  bool AskYesNo(std::u16string_view text, std::u16string_view caption,
                core::PromptIcon icon) override;

 private:
  HWND owner_;
};

}  // namespace pathorama::ui::win32
