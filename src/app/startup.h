// Decisions of program start that need no window: which command a start's
// arguments ask for, which message carries it to the running instance, the
// version text of the caption and the name of the single-instance mutex.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pathorama::app {

// The four commands a start can hand to the running instance.
enum class StartCommand { kNone, kOpenJumpList, kSetJumpList, kAddToJumpList, kOpenSetting };

// Messages a later start sends the running instance (WM_USER + 1 .. 4); they
// carry no data (wParam = lParam = 0). Listed with the program's other
// private messages in app/win32/app_messages.h.
inline constexpr unsigned kOpenJumpListMessage = 0x401;
inline constexpr unsigned kSetJumpListMessage = 0x402;
inline constexpr unsigned kAddToJumpListMessage = 0x403;
inline constexpr unsigned kOpenSettingMessage = 0x404;

// Window class by which a second start finds the first one.
inline constexpr char16_t kMainWindowClass[] = u"TfrmPathorama";

// What a second start forwards: the first argument only, without regard to
// case; anything else (or nothing) forwards nothing.
StartCommand CommandForSecondStart(const std::vector<std::u16string>& args);

// What the first instance does with its own command line at first
// activation: the same, except that "/AddToJumpList" needs a non-empty path
// after it.
StartCommand CommandForFirstActivation(const std::vector<std::u16string>& args);

// kOpenJumpListMessage .. kOpenSettingMessage, or 0 for kNone.
unsigned MessageForCommand(StartCommand command);
StartCommand CommandForMessage(unsigned message);

// "a.b.c.d" of a fixed file version (most and least significant 32 bits).
std::u16string FileVersionText(uint32_t versionMs, uint32_t versionLs);
// "a.b" when `fileVersion` is exactly four decimal numbers separated by
// points; otherwise (no version resource) "1.0".
std::u16string AppVersionFromFileVersion(std::u16string_view fileVersion);
// "Pathorama " + AppVersion.
std::u16string MainWindowCaption(std::u16string_view appVersion);

// The file name of an executable path (after the last '\' or '/').
std::u16string ExecutableFileName(std::u16string_view exePath);
// The executable's path with its extension replaced by ".ini" (added when it
// has none).
std::u16string IniPathForExecutable(std::u16string_view exePath);
// Name of the mutex that settles which of several simultaneous starts stays
// resident. Derived from the file name without regard to case, like the
// process-name rule, and made safe for the object namespace.
std::u16string SingleInstanceMutexName(std::u16string_view exeFileName);

}  // namespace pathorama::app
