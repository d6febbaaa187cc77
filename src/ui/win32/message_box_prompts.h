// The program's messages and questions as system message boxes.
#pragma once

#include <windows.h>

#include "core/prompts.h"

namespace pathorama::ui::win32 {

class MessageBoxPrompts : public core::UserPrompts {
 public:
  // `owner` may be null: the box then stands on its own, in front.
  explicit MessageBoxPrompts(HWND owner = nullptr) : owner_(owner) {}

  void Tell(std::u16string_view text, std::u16string_view caption, core::PromptIcon icon) override;
  bool AskYesNo(std::u16string_view text, std::u16string_view caption,
                core::PromptIcon icon) override;

 private:
  HWND owner_;
};

// The MessageBoxW icon flag of a prompt icon.
UINT MessageBoxIconFlag(core::PromptIcon icon);

}  // namespace pathorama::ui::win32
