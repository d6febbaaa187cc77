// The Win32 half of the diagnostics: how a system error reads in a trace line.
#pragma once

#include <string>

namespace pathorama::core::win32 {

// "1409 (Hot key is already registered)": the code and the system's own
// message for it without its final full stop, or the code alone when the
// system has no message.
std::u16string SystemErrorText(unsigned long error);

}  // namespace pathorama::core::win32
