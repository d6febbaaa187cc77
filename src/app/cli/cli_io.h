// The process edge of pathorama-cli: writes UTF-16 text as UTF-8 (or as
// Unicode to a Windows console), lines ending in LF.
#pragma once

#include <string_view>

namespace pathorama::app::cli {

void WriteStdout(std::u16string_view text);
void WriteStderr(std::u16string_view text);

}  // namespace pathorama::app::cli
