// The options of the jump-list popup as the live settings hold them.
#pragma once

#include "jumplist/jump_menu.h"
#include "settings/app_settings.h"

namespace pathorama::jumplist {

// Visibility of the function items, the current-folder items of groups; the
// accelerator letters are the defaults (they live for a run only).
MenuOptions MenuOptionsFromSettings(const settings::AppSettings& settings);
// Where the popup appears: the position option and the chosen manager's panel.
PlacementOptions PlacementOptionsFromSettings(const settings::AppSettings& settings);

}  // namespace pathorama::jumplist
