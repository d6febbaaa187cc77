// The three-way question in a system message box (Yes, No, Cancel; Escape
// and the close box answer Cancel), always on top and in front.
#pragma once

#include <windows.h>

#include "core/prompts.h"

namespace pathorama::hotkeys::win32 {

class MessageBoxQuestion : public core::ThreeWayQuestion {
 public:
  explicit MessageBoxQuestion(HWND owner = nullptr) : owner_(owner) {}
  core::PromptAnswer Ask(std::u16string_view text, std::u16string_view caption,
                         core::PromptIcon icon) override;

 private:
  HWND owner_;
};

}  // namespace pathorama::hotkeys::win32
