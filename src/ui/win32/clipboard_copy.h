// A text the user asked to copy, put on the clipboard, and the message that
// tells how it went.
#pragma once

#include <string_view>

#include "core/prompts.h"

namespace pathorama::ui::win32 {

struct CopyMessages {
  std::u16string_view done;  // information
  std::u16string_view busy;  // error: another program holds the clipboard
  std::u16string_view caption;
};

// True when `text` is on the clipboard.
bool CopyAndTell(std::u16string_view text, core::UserPrompts& prompts, const CopyMessages& messages);

}  // namespace pathorama::ui::win32
