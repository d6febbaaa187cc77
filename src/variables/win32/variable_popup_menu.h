// The variable menu (every variable under its heading) as a popup menu, for
// the builder and the editors' path rows alike.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace pathorama::variables::win32 {

struct VariablePopupMenu {
  HMENU menu = nullptr;  // the caller destroys it
  UINT firstId = 0;
  // The leaves' captions; leaf i has the identifier firstId + i.
  std::vector<std::u16string> leafCaptions;

  // The caption of the leaf with identifier `id`; null for any other.
  const std::u16string* CaptionOf(UINT id) const {
    return id >= firstId && id - firstId < leafCaptions.size() ? &leafCaptions[id - firstId] : nullptr;
  }
};

VariablePopupMenu CreateVariablePopupMenu(UINT firstId);

}  // namespace pathorama::variables::win32
