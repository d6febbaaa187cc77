// Shortcut files made with the shell's own link object, and their targets.
#include "paths/win32/shortcut_target.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <wrl/client.h>

#include <gtest/gtest.h>

#include <string>

namespace pathorama::paths::win32 {
namespace {

using Microsoft::WRL::ComPtr;

std::wstring TempFolder() {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  std::wstring t = temp;
  if (!t.empty() && t.back() == L'\\') t.pop_back();
  return t;
}

// Writes a shortcut to `target` as `file`.
bool MakeShortcut(const std::wstring& file, const std::wstring& target) {
  ComPtr<IShellLinkW> link;
  ComPtr<IPersistFile> persist;
  return SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&link))) &&
         SUCCEEDED(link->SetPath(target.c_str())) && SUCCEEDED(link.As(&persist)) &&
         SUCCEEDED(persist->Save(file.c_str(), TRUE));
}

std::u16string U(const std::wstring& s) { return std::u16string(s.begin(), s.end()); }

TEST(ShortcutTarget, ReadsTheTargetOfAShortcut) {
  ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  const std::wstring temp = TempFolder();
  const std::wstring folder = temp + L"\\快捷方式目标";
  CreateDirectoryW(folder.c_str(), nullptr);
  const std::wstring lnk = temp + L"\\目标.lnk";
  ASSERT_TRUE(MakeShortcut(lnk, folder));
  EXPECT_EQ(ResolveShortcutTarget(U(lnk)), U(folder));
  EXPECT_TRUE(IsShortcutFile(U(lnk)));
  EXPECT_TRUE(IsShortcutFile(u"D:\\A.LNK"));
  EXPECT_FALSE(IsShortcutFile(u"D:\\a.lnk.txt"));

  // Not a shortcut, and no file at all: no target.
  const std::wstring text = temp + L"\\not-a-link.lnk";
  HANDLE h = CreateFileW(text.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(h, "text", 4, &written, nullptr);
  CloseHandle(h);
  EXPECT_EQ(ResolveShortcutTarget(U(text)), u"");
  EXPECT_EQ(ResolveShortcutTarget(u"C:\\不存在\\x.lnk"), u"");
  DeleteFileW(lnk.c_str());
  DeleteFileW(text.c_str());
  RemoveDirectoryW(folder.c_str());
  CoUninitialize();
}

}  // namespace
}  // namespace pathorama::paths::win32
