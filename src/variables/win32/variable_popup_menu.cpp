#include "variables/win32/variable_popup_menu.h"

#include <utility>

#include "core/win32/wide_text.h"
#include "variables/variable_menu.h"

namespace pathorama::variables::win32 {

VariablePopupMenu CreateVariablePopupMenu(UINT firstId) {
  VariablePopupMenu result;
  result.menu = CreatePopupMenu();
  result.firstId = firstId;
  // Over the menu tree with a stack of its levels, without recursion.
  std::vector<std::pair<const std::vector<VariableMenuEntry>*, HMENU>> work = {{&VariableMenu(), result.menu}};
  while (!work.empty()) {
    auto [entries, into] = work.back();
    work.pop_back();
    for (const VariableMenuEntry& entry : *entries) {
      if (entry.IsSeparator()) {
        AppendMenuW(into, MF_SEPARATOR, 0, nullptr);
      } else if (!entry.children.empty()) {
        HMENU sub = CreatePopupMenu();
        AppendMenuW(into, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), core::win32::AsWide(entry.caption));
        work.push_back({&entry.children, sub});
      } else {
        AppendMenuW(into, MF_STRING, firstId + result.leafCaptions.size(), core::win32::AsWide(entry.caption));
        result.leafCaptions.push_back(entry.caption);
      }
    }
  }
  return result;
}

}  // namespace pathorama::variables::win32
