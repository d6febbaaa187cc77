// Failures the program handles but must not hide: a hotkey that could not be
// registered, a save that failed or was refused, an exception caught at a
// window's edge, a bounded wait that ran out. Each is one line of text.
//
// On Windows every line goes to the debugger (OutputDebugStringW); on every
// platform it is also appended to the file named by the environment variable
// PATHORAMA_LOG, when that is set. Tracing never fails and never throws.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace pathorama::core {

// Records `message` with a local time stamp and the process id:
// "2026-12-10 12:34:56.789 [1234] message".
void Trace(std::u16string_view message);

// The environment variable that names the log file.
inline constexpr char kLogFileVariable[] = "PATHORAMA_LOG";

// The line Trace writes, without its end of line; for tests and for the
// platform halves of Trace.
std::u16string TraceLine(std::u16string_view timeStamp, unsigned long processId,
                         std::u16string_view message);

// "0x" and upper-case hexadecimal digits, at least `minDigits` of them: how
// trace lines show messages, handles and shortcuts.
std::u16string HexText(uint64_t value, int minDigits = 1);

}  // namespace pathorama::core
