#include "ui/win32/message_box_prompts.h"

#include <string>

#include "core/win32/wide_text.h"

namespace pathorama::ui::win32 {

UINT MessageBoxIconFlag(core::PromptIcon icon) {
  switch (icon) {
    case core::PromptIcon::Information: return MB_ICONINFORMATION;
    case core::PromptIcon::Warning: return MB_ICONWARNING;
    case core::PromptIcon::Error: return MB_ICONERROR;
    case core::PromptIcon::Question: return MB_ICONQUESTION;
  }
  return 0;
}

namespace {

int Show(HWND owner, std::u16string_view text, std::u16string_view caption, UINT flags) {
  std::u16string t(text), c(caption);
  // The user works in another program: the box must come to the front.
  return MessageBoxW(owner, core::win32::AsWide(t), core::win32::AsWide(c),
                     flags | MB_SETFOREGROUND | (owner ? 0u : MB_TOPMOST));
}

}  // namespace

void MessageBoxPrompts::Tell(std::u16string_view text, std::u16string_view caption,
                             core::PromptIcon icon) {
  Show(owner_, text, caption, MB_OK | MessageBoxIconFlag(icon));
}

bool MessageBoxPrompts::AskYesNo(std::u16string_view text, std::u16string_view caption,
                                 core::PromptIcon icon) {
  return Show(owner_, text, caption, MB_YESNO | MessageBoxIconFlag(icon)) == IDYES;
}

}  // namespace pathorama::ui::win32
