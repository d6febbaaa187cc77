// The values the apply step hands to the rest of the program, computed from
// the live settings. Pure functions: the Win32 side only carries them out.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "settings/app_settings.h"
#include "variables/variable_environment.h"

namespace pathorama::settings {

// --- Registry: start with Windows and the Explorer context-menu verbs -------

enum class RegistryRoot { CurrentUser, LocalMachine };
enum class RegistryAction {
  SetString,    // create the key when needed, write value `valueName` = `data`
  DeleteValue,  // remove value `valueName`; a missing key or value is fine
  DeleteTree,   // remove the key with everything below it; missing is fine
};

struct RegistryOperation {
  RegistryRoot root;
  std::u16string key;        // below the root, no leading backslash
  std::u16string valueName;  // empty: the key's default value
  std::u16string data;
  RegistryAction action;
  // Values of earlier releases under the machine-wide root: removed when the
  // user may, silently left otherwise.
  bool bestEffort = false;
  friend bool operator==(const RegistryOperation&, const RegistryOperation&) = default;
};

inline constexpr std::u16string_view kRunKey = u"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr std::u16string_view kRunValueName = u"Pathorama";
inline constexpr std::u16string_view kVerbName = u"添加到 Pathorama 列表中";
inline constexpr std::u16string_view kClassesKey = u"Software\\Classes";

// The three shell keys the verb lives under, and the text that follows the
// quoted executable path in each verb's command.
struct ShellVerbTarget {
  std::u16string_view shellKey;        // "Directory\\shell", "*\\shell", ...
  std::u16string_view argumentsAfter;  // ` /AddToJumpList "%1"`
};
std::vector<ShellVerbTarget> ShellVerbTargets();

// Everything steps 1 and 2 of the apply step write and remove, in order:
// per-user Run value, per-user verbs (or their removal), removal of the
// legacy no-space verb keys, then best-effort removal of the machine-wide
// values of earlier releases.
std::vector<RegistryOperation> RegistryOperationsFor(const AppSettings& settings,
                                                     std::u16string_view executablePath);

// --- Variables ---------------------------------------------------------------

// The random character set: the switched-on classes concatenated in a fixed
// order (duplicates kept: they are drawn more often).
std::u16string RandomCharacterSet(const AppSettings& settings);

// The options the variable families read, from the live settings. `today` is
// the day the settings are applied: the empty-parameter date when its box is
// off.
variables::VariableOptions VariableOptionsFromSettings(const AppSettings& settings,
                                                       core::CalendarDate today);

// --- Jump-list menu and hotkeys -----------------------------------------------

struct FunctionItemVisibility {
  bool addOrDeleteCurrentFolder = true;  // "添加当前文件夹(&A)" / "删除当前文件夹"
  bool configureJumpList = true;        // "配置路径跳转列表(&C)"
  bool batchDeleteItems = true;      // "批量删除特定条目(&D)"
  bool appSettings = true;         // "程序设置(&S)"
  bool disableJumpListHotKey = true;  // "禁用弹出跳转列表的热键(&J)"
  friend bool operator==(const FunctionItemVisibility&, const FunctionItemVisibility&) = default;
};
FunctionItemVisibility FunctionItemVisibilityFrom(const AppSettings& settings);

// `CaptionMaxLength`: the limit when it is switched on, else 2147483647.
int32_t CaptionMaxLengthFrom(const AppSettings& settings);

// The four hotkeys in slot order: jump list 1, jump list 2, Open/Save
// dialog, Office capture. 16-bit shortcut codes (0 = none).
struct HotKeyShortcuts {
  uint16_t jumpMenu1 = 0, jumpMenu2 = 0, openSaveDialog = 0, captureOfficeFolderPath = 0;
  friend bool operator==(const HotKeyShortcuts&, const HotKeyShortcuts&) = default;
};
HotKeyShortcuts HotKeyShortcutsFrom(const AppSettings& settings);

}  // namespace pathorama::settings
