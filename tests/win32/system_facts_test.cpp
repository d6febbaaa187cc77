// The path and system variables with the computer's real facts: the
// prefix's shell folders and environment, the program's own folder, folder
// times set with SetFileTime, a file-manager stand-in's open folder and the
// Office stand-in's document folder.
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "core/text.h"
#include "core/win32/wide_text.h"
#include "standin_log.h"
#include "standin_process.h"
#include "variables/clocks.h"
#include "variables/numbering.h"
#include "variables/system_facts.h"
#include "variables/variable_expansion.h"

namespace pathorama::variables {
namespace {

using core::win32::FromWide;
using test_support::Standin;

std::string U8(std::u16string_view s) { return core::Utf16ToUtf8(s); }

// Expands `text` as one batch with the platform's facts.
std::u16string Expand(std::u16string_view text) {
  SystemClock clock;
  SeededRandom random(1);
  VariableOptions options;
  BatchSystemFacts facts(PlatformSystemFacts());
  VariableEnvironment env{&clock, &random, &options};
  env.system = &facts;
  return ExpandPathVariables(text, env);
}

std::u16string KnownFolder(int csidl) {
  wchar_t path[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path))) return u"";
  return FromWide(path);
}

std::u16string Variable(const wchar_t* name) {
  wchar_t value[4096] = {};
  const DWORD n = GetEnvironmentVariableW(name, value, 4096);
  return n && n < 4096 ? FromWide(value) : u"";
}

// A scratch folder, removed at the end.
struct Scratch {
  std::wstring root;
  Scratch() {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    root = std::wstring(temp) + L"pathorama-facts-" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(root.c_str(), nullptr);
  }
  ~Scratch() {
    std::wstring from = root + L'\0';
    SHFILEOPSTRUCTW op{};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NO_UI;
    SHFileOperationW(&op);
  }
  std::u16string Root() const { return FromWide(root); }
};

// A subfolder whose creation and last write times are `days` after
// 2020-01-01 (UTC).
void MakeFolder(const std::wstring& path, int createdDays, int writtenDays) {
  ASSERT_TRUE(CreateDirectoryW(path.c_str(), nullptr));
  HANDLE dir = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  ASSERT_NE(dir, INVALID_HANDLE_VALUE);
  SYSTEMTIME base{2020, 1, 3, 1, 0, 0, 0, 0};
  FILETIME start{};
  SystemTimeToFileTime(&base, &start);
  auto plusDays = [&](int days) {
    ULARGE_INTEGER t{};
    t.LowPart = start.dwLowDateTime;
    t.HighPart = start.dwHighDateTime;
    t.QuadPart += static_cast<ULONGLONG>(days) * 864000000000ULL;
    return FILETIME{t.LowPart, t.HighPart};
  };
  const FILETIME created = plusDays(createdDays), written = plusDays(writtenDays);
  EXPECT_TRUE(SetFileTime(dir, &created, nullptr, &written));
  CloseHandle(dir);
}

// Of the folders 甲, 乙 and 丙 under `root`, the one the file system reports
// as created last (or first).
std::u16string ByCreation(const std::wstring& root, bool newest) {
  std::u16string best;
  ULONGLONG bestTime = 0;
  for (const wchar_t* name : {L"甲", L"乙", L"丙"}) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    EXPECT_TRUE(GetFileAttributesExW((root + L"\\" + name).c_str(), GetFileExInfoStandard, &data));
    const ULONGLONG t =
        (static_cast<ULONGLONG>(data.ftCreationTime.dwHighDateTime) << 32) | data.ftCreationTime.dwLowDateTime;
    EXPECT_NE(t, bestTime) << "creation times must differ";
    if (best.empty() || (newest ? t > bestTime : t < bestTime)) {
      best = FromWide(name);
      bestTime = t;
    }
  }
  return best;
}

TEST(SystemFacts, ShellFoldersEnvironmentAndTheProgramItself) {
  const std::u16string documents = KnownFolder(CSIDL_PERSONAL);
  ASSERT_FALSE(documents.empty());
  EXPECT_EQ(U8(Expand(u"{MyDocuments}")), U8(documents));
  EXPECT_EQ(U8(Expand(u"{DeskTop}")), U8(KnownFolder(CSIDL_DESKTOPDIRECTORY)));
  EXPECT_EQ(U8(Expand(u"{AppData}")), U8(KnownFolder(CSIDL_APPDATA)));
  // The profile is the folder of the documents folder.
  const std::u16string profile = Variable(L"USERPROFILE");
  EXPECT_TRUE(core::EqualsIgnoreCase(Expand(u"{UserProfile}"), profile))
      << U8(Expand(u"{UserProfile}")) << " vs " << U8(profile);

  EXPECT_EQ(U8(Expand(u"{Temp}|{SysDrive}|{WinDir}|{UserName}|{PCName}")),
            U8(Variable(L"TEMP") + u"|" + Variable(L"SystemDrive") + u"|" + Variable(L"WINDIR") +
               u"|" + Variable(L"USERNAME") + u"|" + Variable(L"COMPUTERNAME")));
  EXPECT_EQ(U8(Expand(u"{Program}|{x86Program}")),
            U8(Variable(L"ProgramFiles") + u"|" + Variable(L"ProgramFiles(x86)")));
  EXPECT_EQ(Expand(u"{SystemBits}"), u"64");

  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::u16string selfDir = FromWide(self);
  selfDir.resize(selfDir.rfind(u'\\'));
  EXPECT_EQ(U8(Expand(u"{SelfDir}")), U8(selfDir));
}

TEST(SystemFacts, NewestAndOldestSubfoldersByTheirTimes) {
  Scratch scratch;
  MakeFolder(scratch.root + L"\\甲", 10, 40);
  MakeFolder(scratch.root + L"\\乙", 30, 20);
  MakeFolder(scratch.root + L"\\丙", 20, 10);
  // A file is no subfolder, however new.
  HANDLE file = CreateFileW((scratch.root + L"\\newest.txt").c_str(), GENERIC_WRITE, 0, nullptr,
                            CREATE_ALWAYS, 0, nullptr);
  CloseHandle(file);
  const std::u16string root = scratch.Root() + u"\\";
  // Wine on a file system without creation times reports the last write
  // time as the creation time: expect what the file system reports.
  EXPECT_EQ(U8(Expand(root + u"{NewestFolderC}|" + root + u"{OldestFolderC}")),
            U8(root + ByCreation(scratch.root, true) + u"|" + root + ByCreation(scratch.root, false)));
  EXPECT_EQ(U8(Expand(root + u"{NewestFolderW}|" + root + u"{OldestFolderW}")),
            U8(root + u"甲|" + root + u"丙"));
  EXPECT_EQ(U8(Expand(root + u"不在\\{NewestFolderW}")), U8(root + u"不在\\"));
}

TEST(SystemFacts, OpenedDirIsTheTopmostManagersFolder) {
  Scratch scratch;
  Standin tc(L"Totalcmd.exe", L"--left=\"" + scratch.root + L"\"", L"TTOTAL_CMD");
  ASSERT_TRUE(tc.Window());
  EXPECT_EQ(U8(Expand(u"{OpenedDir}\\sub|{OpenedDir}")),
            U8(scratch.Root() + u"\\sub|" + scratch.Root()));
}

TEST(SystemFacts, OfficeFoldersFromTheRunningApplication) {
  Scratch scratch;
  test_support::StandinLog log(L"office");
  {
    Standin word(L"OfficeStandin.exe",
                 L"--product=word --mode=saved \"--folder=" + scratch.root + L"\"", L"OpusApp");
    ASSERT_TRUE(word.Window());
    EXPECT_EQ(U8(Expand(u"{DocFolderPath}|{OfficeFolderPath}|[{XlsFolderPath}]")),
              U8(scratch.Root() + u"|" + scratch.Root() + u"|[]"));
  }
  // A hung Office gives an empty value within its reader's bound.
  Standin hung(L"OfficeStandin.exe",
               L"--product=excel --mode=hang \"--folder=" + scratch.root + L"\"", L"XLMAIN");
  ASSERT_TRUE(hung.Window());
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(Expand(u"[{XlsFolderPath}]"), u"[]");
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
}

}  // namespace
}  // namespace pathorama::variables
