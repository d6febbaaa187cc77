// The folder-manager options as the live settings hold them, in the form
// the command lines and the opening decisions read.
#pragma once

#include "paths/folder_manager_commands.h"
#include "paths/opening.h"
#include "settings/app_settings.h"

namespace pathorama::paths {

// The options of the chosen manager's page (its per-manager keys are the
// ones `settings` holds).
FolderManagerOptions FolderManagerOptionsFrom(const settings::AppSettings& settings);

// What opening a path reads: the chosen manager, its program and stored
// template, the open method and the options around it.
OpeningOptions OpeningOptionsFrom(const settings::AppSettings& settings);

}  // namespace pathorama::paths
