#include "ui/win32/clipboard_copy.h"

#include "windows/win32/clipboard.h"

namespace pathorama::ui::win32 {

bool CopyAndTell(std::u16string_view text, core::UserPrompts& prompts, const CopyMessages& messages) {
  const bool copied = windows::win32::SetClipboardText(text);
  prompts.Tell(copied ? messages.done : messages.busy, messages.caption,
               copied ? core::PromptIcon::Information : core::PromptIcon::Error);
  return copied;
}

}  // namespace pathorama::ui::win32
