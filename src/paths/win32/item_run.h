// Running one jump-list entry on Windows. The jump-list popup calls
// RunJumpListItem with the chosen entry's path info once its menu has
// closed (never from inside the menu's own messages).
#pragma once

#include <windows.h>

#include <string>

#include "core/prompts.h"
#include "paths/item_run.h"
#include "paths/opening.h"
#include "paths/win32/open_path.h"
#include "windows/win32/target_window.h"

namespace pathorama::paths::win32 {

struct OpenContext {
  OpeningOptions options;            // OpeningOptionsFrom(the live settings)
  bool recognizeWebAddresses = false;  // the editor's "自动识别网络地址"
  VariableExpander expand;           // ExpandPathVariables with the live environment
  OpeningHooks hooks;
};

// Opens every path of `pathInfo` in `target` (checked again first: a window
// that went away or changed class is "any other window"). When the target
// was an Open/Save dialog it is brought back to the front, and the caller
// forgets the target (result.targetWasDialog).
ItemRunResult RunJumpListItem(const std::u16string& pathInfo,
                              const windows::win32::TargetWindow& target,
                              const OpenContext& context, core::UserPrompts& prompts);

}  // namespace pathorama::paths::win32
