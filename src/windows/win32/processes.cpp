#include "windows/win32/processes.h"

#include <tlhelp32.h>

#include "core/text.h"
#include "core/win32/wide_text.h"
#include "windows/win32/handles.h"

namespace pathorama::windows::win32 {

using core::win32::FromWide;

namespace {

std::u16string FileNamePart(std::u16string_view path) {
  size_t slash = path.find_last_of(u"\\/");
  return std::u16string(slash == std::u16string_view::npos ? path : path.substr(slash + 1));
}

// "\Device\HarddiskVolume2\x\y.exe" -> "C:\x\y.exe", by the drive whose
// device name starts the path.
std::u16string DeviceToDrivePath(const std::u16string& devicePath) {
  wchar_t drives[512] = {};
  DWORD length = GetLogicalDriveStringsW(511, drives);
  if (length == 0 || length > 511) return devicePath;
  for (const wchar_t* drive = drives; *drive; drive += wcslen(drive) + 1) {
    wchar_t name[3] = {drive[0], L':', 0};
    wchar_t device[MAX_PATH] = {};
    if (!QueryDosDeviceW(name, device, MAX_PATH)) continue;
    std::u16string prefix = FromWide(device);
    if (prefix.empty() || devicePath.size() <= prefix.size()) continue;
    if (core::EqualsIgnoreCase(std::u16string_view(devicePath).substr(0, prefix.size()), prefix) &&
        devicePath[prefix.size()] == u'\\')
      return FromWide(name) +
             devicePath.substr(prefix.size());
  }
  return devicePath;
}

}  // namespace

int CountProcessesByName(std::u16string_view name) {
  if (name.empty()) return 0;
  UniqueHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return 0;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  int count = 0;
  for (BOOL more = Process32FirstW(snapshot.get(), &entry); more;
       more = Process32NextW(snapshot.get(), &entry)) {
    std::u16string exe = FromWide(entry.szExeFile);
    if (core::EqualsIgnoreCase(FileNamePart(exe), name) || core::EqualsIgnoreCase(exe, name))
      ++count;
  }
  return count;
}

std::u16string GetProcessExeName(DWORD processId) {
  UniqueHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return {};
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot.get(), &entry); more;
       more = Process32NextW(snapshot.get(), &entry)) {
    if (entry.th32ProcessID == processId)
      return FileNamePart(FromWide(entry.szExeFile));
  }
  return {};
}

std::u16string GetWindowProcessPath(HWND window) {
  DWORD processId = 0;
  if (!window || !GetWindowThreadProcessId(window, &processId) || processId == 0) return {};
  UniqueHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
  if (!process) process.reset(OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, processId));
  if (!process) return {};
  wchar_t image[1024] = {};
  DWORD size = 1024;
  // The device form needs no drive letters to exist in the process' view;
  // translate it ourselves.
  if (QueryFullProcessImageNameW(process.get(), PROCESS_NAME_NATIVE, image, &size))
    return DeviceToDrivePath(FromWide(image));
  size = 1024;
  if (QueryFullProcessImageNameW(process.get(), 0, image, &size))
    return FromWide(image);
  return {};
}

}  // namespace pathorama::windows::win32
