// Loading a Pathorama settings file for a command, as `settings` loads it.
#pragma once

#include <optional>
#include <string>

#include "app/cli/cli.h"
#include "settings/app_settings.h"

namespace pathorama::app::cli {

core::CalendarDate LocalToday();

// The settings in `path` (all ranges); none after an error line on `output`
// that names `command`.
std::optional<settings::AppSettings> LoadSettingsFile(const std::u16string& path,
                                                      std::u16string_view command, Output& output);

}  // namespace pathorama::app::cli
