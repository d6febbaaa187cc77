// Folder layers, special folders and the other path and system names,
// through the expansion driver with the computer's facts faked.
#include <gtest/gtest.h>

#include "core/text.h"
#include "fake_system_facts.h"
#include "test_environment.h"
#include "variables/variable_expansion.h"

namespace pathorama::variables {
namespace {

std::string U8(std::u16string_view s) { return core::Utf16ToUtf8(s); }

struct Case {
  const char16_t* text;
  const char16_t* want;
};

// Each case on a fixed Sunday 2026-03-08, with `facts`.
void ExpectAll(const std::vector<Case>& cases, FakeSystemFacts& facts) {
  for (const Case& c : cases) {
    TestEnvironment t;
    t.env.system = &facts;
    EXPECT_EQ(U8(ExpandPathVariables(c.text, t.env)), U8(c.want)) << "text " << U8(c.text);
  }
}

TEST(FolderLayers, CountInThePathAroundThem) {
  FakeSystemFacts facts;
  ExpectAll(
      {
          // The parent of the item being named, and the folder above it.
          {u"D:\\Work\\Projects\\{pFolder}_old", u"D:\\Work\\Projects\\Projects_old"},
          {u"D:\\Work\\Projects\\{gFolder}", u"D:\\Work\\Projects\\Work"},
          {u"D:\\Work\\Projects\\{-1Folder}|D:\\Work\\Projects\\{-2Folder}",
           u"D:\\Work\\Projects\\Projects|D:\\Work\\Projects\\Work"},
          {u"D:\\Work\\Pro{pFolder}", u"D:\\Work\\ProWork"},
          // Counted from the drive, and on after the variable's own layer.
          {u"D:\\Work\\Projects\\{1Folder}|D:\\Work\\Projects\\{2Folder}",
           u"D:\\Work\\Projects\\D:|D:\\Work\\Projects\\Work"},
          {u"D:\\Work\\{+1Folder}\\2024\\x", u"D:\\Work\\2024\\2024\\x"},
          {u"D:\\{+2Folder}\\a\\b", u"D:\\b\\a\\b"},
          // Layers that do not exist give an empty text.
          {u"D:\\a\\{5Folder}|D:\\a\\{0Folder}x|D:\\{-3Folder}y|{pFolder}z", u"D:\\a\\|D:\\a\\x|D:\\y|z"},
          {u"D:\\a\\{+1Folder}", u"D:\\a\\"},
          {u"D:\\a\\{99999999999999999999Folder}x|D:\\a\\{+99999999999999999999Folder}x",
           u"D:\\a\\x|D:\\a\\x"},
          // Counted after the other variables have their values.
          {u"D:\\{YYYY}\\{MM}\\{gFolder}-{pFolder}", u"D:\\2026\\03\\2026-03"},
          // A folder merely named like a layer variable is a value.
          {u"D:\\AppFolder\\{pFolder}|D:\\Backup2Folder\\{-1Folder}",
           u"D:\\AppFolder\\AppFolder|D:\\Backup2Folder\\Backup2Folder"},
          // Sections apply to the layer.
          {u"D:\\Projects\\{pFolder1-3}|D:\\Projects\\{pFolder<2>}", u"D:\\Projects\\Pro|D:\\Projects\\(Pr|oj|ec|ts)"},
      },
      facts);
}

TEST(FolderLayers, ReferringToEachOtherStayAsWritten) {
  FakeSystemFacts facts;
  ExpectAll(
      {
          // Itself, and each other: the passes end with the variables in
          // place, sections and all.
          {u"D:\\a\\{3Folder}", u"D:\\a\\{3Folder}"},
          {u"D:\\{+1Folder}\\{-1Folder}", u"D:\\{+1Folder}\\{-1Folder}"},
          {u"D:\\{+1Folder1-2}\\{-1Folder:x}", u"D:\\{+1Folder1-2}\\{-1Folder:x}"},
          // One waits for the other, which has a value: both resolve.
          {u"D:\\x\\{+1Folder}\\{-2Folder}\\y", u"D:\\x\\x\\x\\y"},
          {u"D:\\{3Folder}\\{+1Folder}\\q", u"D:\\q\\q\\q"},
          {u"D:\\{2Folder}\\{+1Folder}\\q", u"D:\\{2Folder}\\q\\q"},  // itself
      },
      facts);
}

TEST(FolderLayers, PrefixesChooseTheLineOfAMultiLineText) {
  FakeSystemFacts facts;
  ExpectAll(
      {
          {u"D:\\a\rE:\\b\\{2Folder}", u"D:\\a\rE:\\b\\b"},
          {u"D:\\a\rE:\\b\\{:2Folder}", u"D:\\a\rE:\\b\\a"},
          {u"D:\\a\rE:\\{::3Folder}", u"D:\\a\rE:\\E:"},
      },
      facts);
}

TEST(PathNames, SpecialFoldersComeFromTheShellFoldersKey) {
  FakeSystemFacts facts;
  facts.shellFolders = std::map<std::u16string, std::u16string>{
      {u"Personal", u"C:\\Users\\李雷\\Documents"},
      {u"DeskTop", u"C:\\Users\\李雷\\Desktop"},
      {u"My Video", u"D:\\Videos"},
      {u"{374DE290-123F-4565-9164-39C4925E467B}", u"E:\\下载"},
      {u"SendTo", u"C:\\Users\\李雷\\AppData\\Roaming\\Microsoft\\Windows\\SendTo"},
  };
  ExpectAll(
      {
          {u"{desktop}|{MyDocuments}|{MyVideos}|{MyDownloads}",
           u"C:\\Users\\李雷\\Desktop|C:\\Users\\李雷\\Documents|D:\\Videos|E:\\下载"},
          {u"{UserProfile}|{DefaultProfile}|{AllProfile}|{Public}",
           u"C:\\Users\\李雷|C:\\Users\\Default User|C:\\Users\\All Users|C:\\Users\\Public"},
          {u"{SendTo<-1>}|{MyDocuments<2-3>}", u"SendTo|Users\\李雷"},
          // A missing value is an empty text.
          {u"a{MyMusic}b{Fonts}c", u"abc"},
      },
      facts);

  // Documents at a drive root, and no documents folder at all: never a
  // relative name such as "Default User".
  facts.shellFolders = std::map<std::u16string, std::u16string>{{u"Personal", u"C:\\Documents"}};
  ExpectAll({{u"{UserProfile}|{DefaultProfile}", u"C:\\|C:\\Default User"}}, facts);
  facts.shellFolders->clear();
  ExpectAll({{u"[{UserProfile}][{DefaultProfile}][{AllProfile}][{Public}]", u"[][][][]"}}, facts);
  facts.shellFolders = std::map<std::u16string, std::u16string>{{u"Personal", u"Documents"}};
  ExpectAll({{u"[{UserProfile}][{Public}]", u"[][]"}}, facts);

  // No key to open: the names stay in braces.
  facts.shellFolders.reset();
  ExpectAll({{u"{MyDocuments}|{UserProfile}", u"{MyDocuments}|{UserProfile}"}}, facts);
}

TEST(PathNames, EnvironmentProgramAndSystemNames) {
  FakeSystemFacts facts;
  facts.environment = {
      {u"Temp", u"C:\\Users\\li\\AppData\\Local\\Temp"},
      {u"ProgramFiles", u"C:\\Program Files (x86)"},
      {u"SystemDrive", u"C:"},
      {u"WinDir", u"C:\\Windows"},
      {u"UserName", u"li"},
      {u"OS", u"Windows_NT"},
      {u"COMPUTERNAME", u"DESK-01"},
  };
  ExpectAll(
      {
          {u"{Temp}|{SysDrive}|{WinDir}", u"C:\\Users\\li\\AppData\\Local\\Temp|C:|C:\\Windows"},
          {u"{UserName}@{PCName} {OS} {SystemBits}", u"li@DESK-01 Windows_NT 64"},
          // The 64-bit program folder from a 32-bit one's "ProgramFiles".
          {u"{Program}|{x86Program}", u"C:\\Program Files|C:\\Program Files (x86)"},
          {u"{SelfDir}\\ini", u"C:\\Tools\\Pathorama\\ini"},
          {u"{RegAutoRun}|{regcuruserautorunonce}",
           u"HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Run|"
           u"HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce"},
          // Recognised, but nothing gives a work group.
          {u"{WorkGroup}", u"{WorkGroup}"},
      },
      facts);

  // A 64-bit program: "ProgramFiles" is the 64-bit folder and
  // "ProgramFiles(x86)" the 32-bit one.
  facts.environment[u"ProgramFiles"] = u"C:\\Program Files";
  facts.environment[u"ProgramFiles(x86)"] = u"C:\\Program Files (x86)";
  ExpectAll({{u"{Program}|{x86Program}", u"C:\\Program Files|C:\\Program Files (x86)"}}, facts);
  // A "(" at the start cuts nothing away; a 32-bit Windows.
  facts.environment[u"ProgramFiles"] = u"(C)\\Programs";
  facts.is64Bit = false;
  ExpectAll({{u"{Program}|{SystemBits}", u"(C)\\Programs|32"}}, facts);
  // Unset variables are empty.
  facts.environment.clear();
  ExpectAll({{u"[{Temp}][{Program}][{x86Program}][{UserName}]", u"[][][][]"}}, facts);
}

TEST(PathNames, WithoutTheComputersFactsStayInBraces) {
  TestEnvironment t;  // no system facts
  EXPECT_EQ(ExpandPathVariables(u"{Temp}|{OpenedDir}|{SystemBits}|{RegAutoRunOnce}", t.env),
            u"{Temp}|{OpenedDir}|{SystemBits}|"
            u"HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce");
}

TEST(PathNames, NewestAndOldestSubfolders) {
  const UtcTicks day = 864000000000LL;
  FakeSystemFacts facts;
  // Listing order: b, a, c, d; c and d tie on the newest write time.
  facts.folders[u"D:\\Projects\\"] = {
      {u"b", 5 * day, 1 * day},
      {u"a", 2 * day, 2 * day},
      {u"c", 9 * day, 7 * day},
      {u"d", 1 * day, 7 * day},
  };
  facts.folders[u"D:\\Empty\\"] = {};
  ExpectAll(
      {
          {u"D:\\Projects\\{NewestFolderC}", u"D:\\Projects\\c"},
          {u"D:\\Projects\\{OldestFolderC}", u"D:\\Projects\\d"},
          {u"D:\\Projects\\{NewestFolderW}", u"D:\\Projects\\d"},  // the tie: listed last
          {u"D:\\Projects\\{OldestFolderW}", u"D:\\Projects\\b"},
          {u"D:\\Projects\\x{newestfolderw}", u"D:\\Projects\\xd"},
          // No subfolder, no folder, nothing before the variable.
          {u"D:\\Empty\\{NewestFolderW}|D:\\Gone\\{OldestFolderC}", u"D:\\Empty\\|D:\\Gone\\"},
          {u"{NewestFolderW}", u""},
      },
      facts);
  // The current directory is never listed.
  for (const std::u16string& folder : facts.listed) EXPECT_FALSE(folder.empty());
}

TEST(PathNames, SubfolderTimesBeforeTheEpochAndInTheFuture) {
  FakeSystemFacts facts;
  // Times before 1970 and far ahead compare as they are.
  facts.folders[u"D:\\T\\"] = {{u"old", 1, 1}, {u"future", 1LL << 62, 1LL << 62}, {u"mid", 100, 100}};
  ExpectAll({{u"D:\\T\\{OldestFolderW}|D:\\T\\{NewestFolderW}", u"D:\\T\\old|D:\\T\\future"}}, facts);
  facts.folders[u"D:\\T\\"] = {{u"ahead", 1LL << 62, 1LL << 62}};
  ExpectAll({{u"D:\\T\\{OldestFolderC}", u"D:\\T\\ahead"}}, facts);
}

TEST(PathNames, OtherProgramsAreAskedOncePerBatch) {
  FakeSystemFacts facts;
  facts.openedFolder = u"E:\\打开的";
  facts.office = {{OfficeSource::Word, u"F:\\Docs"}, {OfficeSource::AnyOffice, u"F:\\Sheets"}};
  TestEnvironment t;
  BatchSystemFacts batch(facts);
  t.env.system = &batch;
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(U8(ExpandPathVariables(
                  u"{OpenedDir}\\a|{OpenedDir}\\{DocFolderPath}|{DocFolderPath}\\{OfficeFolderPath}",
                  t.env)),
              U8(u"E:\\打开的\\a|E:\\打开的\\F:\\Docs|F:\\Docs\\F:\\Sheets"));
  }
  EXPECT_EQ(facts.openedAsked, 1);
  EXPECT_EQ(facts.officeAsked, 2);  // Word and any product, each once

  // Nothing open is an empty text; without such programs, braces.
  facts.openedFolder = u"";
  BatchSystemFacts next(facts);
  t.env.system = &next;
  EXPECT_EQ(ExpandPathVariables(u"[{OpenedDir}][{XlsFolderPath}]", t.env), u"[][]");
  facts.openedFolder.reset();
  BatchSystemFacts none(facts);
  t.env.system = &none;
  EXPECT_EQ(ExpandPathVariables(u"{OpenedDir}\\x", t.env), u"{OpenedDir}\\x");
}

}  // namespace
}  // namespace pathorama::variables
