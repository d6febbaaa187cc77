#include "ui/win32/message_box_prompts.h"

#include <string>

#include "core/win32/wide_text.h"

namespace pathorama::ui::win32 {

namespace {

UINT IconFlag(core::PromptIcon icon) {
  switch (icon) {
    case core::PromptIcon::Information: return MB_ICONINFORMATION;
    case core::PromptIcon::Warning: return MB_ICONWARNING;
    case core::PromptIcon::Error: return MB_ICONERROR;
    case core::PromptIcon::Question: return MB_ICONQUESTION;
  }
  return 0;
}

int Show(HWND owner, std::u16string_view text, std::u16string_view caption, UINT flags) {
  const std::u16string t(text), c(caption);
  return MessageBoxW(owner, core::win32::AsWide(t), core::win32::AsWide(c),
                     flags | MB_TOPMOST | MB_SETFOREGROUND);
}

}  // namespace

void MessageBoxPrompts::Tell(std::u16string_view text, std::u16string_view caption,
                             core::PromptIcon icon) {
  Show(owner_, text, caption, MB_OK | IconFlag(icon));
}

bool MessageBoxPrompts::AskYesNo(std::u16string_view text, std::u16string_view caption,
                                 core::PromptIcon icon) {
  return Show(owner_, text, caption, MB_YESNO | IconFlag(icon)) == IDYES;
}

}  // namespace pathorama::ui::win32
