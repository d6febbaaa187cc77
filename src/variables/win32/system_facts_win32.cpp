// The computer's facts on Windows.
#include <windows.h>

#include <string>

#include "core/win32/wide_text.h"
#include "variables/system_facts.h"
#include "windows/win32/folder_managers.h"
#include "windows/win32/office_documents.h"

namespace pathorama::variables {

namespace {

using core::win32::FromWide;
using core::win32::AsWide;

UtcTicks Ticks(const FILETIME& t) {
  return static_cast<UtcTicks>((static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime);
}

bool Is64BitWindows() {
  // IsWow64Process2 (Windows 10 1709 and later) also tells an x64 or ARM64
  // host running this program under emulation.
  using IsWow64Process2Fn = BOOL(WINAPI*)(HANDLE, USHORT*, USHORT*);
  HMODULE kernel = GetModuleHandleW(L"KERNEL32.DLL");
  if (auto isWow64Process2 = reinterpret_cast<IsWow64Process2Fn>(
          reinterpret_cast<void*>(GetProcAddress(kernel, "IsWow64Process2")))) {
    USHORT process = 0, native = 0;
    if (isWow64Process2(GetCurrentProcess(), &process, &native))
      return native == IMAGE_FILE_MACHINE_AMD64 || native == IMAGE_FILE_MACHINE_ARM64 ||
             native == IMAGE_FILE_MACHINE_IA64;
  }
  if (sizeof(void*) == 8) return true;
  BOOL wow64 = FALSE;
  if (!IsWow64Process(GetCurrentProcess(), &wow64) || !wow64) return false;
  SYSTEM_INFO info{};
  GetNativeSystemInfo(&info);
  return info.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_AMD64 ||
         info.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_IA64 ||
         info.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_ARM64;
}

class WindowsSystemFacts final : public SystemFacts {
 public:
  std::optional<std::u16string> ShellFolder(std::u16string_view valueName) override {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER,
                      L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", 0,
                      KEY_READ, &key) != ERROR_SUCCESS)
      return std::nullopt;
    const std::u16string name(valueName);
    std::wstring value;
    DWORD bytes = 0;
    const DWORD types = RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND;
    if (RegGetValueW(key, nullptr, AsWide(name), types, nullptr, nullptr, &bytes) == ERROR_SUCCESS &&
        bytes > 0) {
      value.resize(bytes / sizeof(wchar_t));
      if (RegGetValueW(key, nullptr, AsWide(name), types, nullptr, value.data(), &bytes) ==
          ERROR_SUCCESS)
        value.resize(wcsnlen(value.c_str(), bytes / sizeof(wchar_t)));
      else
        value.clear();
    }
    RegCloseKey(key);
    return FromWide(value);
  }

  std::u16string Environment(std::u16string_view name) override {
    const std::u16string wide(name);
    std::wstring value(256, L'\0');
    for (;;) {
      const DWORD n = GetEnvironmentVariableW(AsWide(wide), value.data(), static_cast<DWORD>(value.size()));
      if (n == 0) return u"";
      if (n < value.size()) {
        value.resize(n);
        return FromWide(value);
      }
      value.resize(n);
    }
  }

  std::u16string ExecutableFolder() override {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
      const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
      if (n == 0) return u"";
      if (n < path.size()) {
        path.resize(n);
        break;
      }
      path.resize(path.size() * 2);
    }
    const size_t slash = path.rfind(L'\\');
    return FromWide(slash == std::wstring::npos ? std::wstring() : path.substr(0, slash));
  }

  std::optional<std::vector<Subfolder>> Subfolders(std::u16string_view folder) override {
    std::wstring pattern(AsWide(folder), folder.size());
    if (!pattern.empty() && pattern.back() != L'\\') pattern += L'\\';
    pattern += L'*';
    WIN32_FIND_DATAW data{};
    HANDLE find = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data,
                                   FindExSearchLimitToDirectories, nullptr, 0);
    if (find == INVALID_HANDLE_VALUE) return std::nullopt;
    std::vector<Subfolder> list;
    do {
      if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
      const std::wstring_view name = data.cFileName;
      if (name == L"." || name == L"..") continue;
      list.push_back({FromWide(name), Ticks(data.ftCreationTime), Ticks(data.ftLastWriteTime)});
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return list;
  }

  bool Is64BitSystem() override { return Is64BitWindows(); }

  std::optional<std::u16string> OpenedFolder() override {
    return windows::win32::GetFolderOfTopmostManager().path;
  }

  std::optional<std::u16string> OfficeFolder(OfficeSource source) override {
    switch (source) {
      case OfficeSource::Word:
        return windows::win32::GetWordDocumentFolder();
      case OfficeSource::Excel:
        return windows::win32::GetExcelWorkbookFolder();
      case OfficeSource::PowerPoint:
        return windows::win32::GetPowerPointFolder();
      case OfficeSource::AnyOffice:
        return windows::win32::GetOfficeDocumentFolder();
    }
    return u"";
  }
};

}  // namespace

SystemFacts& PlatformSystemFacts() {
  static WindowsSystemFacts facts;
  return facts;
}

}  // namespace pathorama::variables
