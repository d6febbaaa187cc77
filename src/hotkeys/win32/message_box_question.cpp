#include "hotkeys/win32/message_box_question.h"

#include <string>

#include "core/win32/wide_text.h"
#include "ui/win32/message_box_prompts.h"

namespace pathorama::hotkeys::win32 {

core::PromptAnswer MessageBoxQuestion::Ask(std::u16string_view text, std::u16string_view caption,
                                           core::PromptIcon icon) {
  const std::u16string t(text), c(caption);
  switch (MessageBoxW(owner_, core::win32::AsWide(t), core::win32::AsWide(c),
                      MB_YESNOCANCEL | MB_DEFBUTTON1 | MB_TOPMOST | MB_SETFOREGROUND |
                          ui::win32::MessageBoxIconFlag(icon))) {
    case IDYES: return core::PromptAnswer::Yes;
    case IDNO: return core::PromptAnswer::No;
    default: return core::PromptAnswer::Cancel;
  }
}

}  // namespace pathorama::hotkeys::win32
