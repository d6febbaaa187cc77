#include "core/file_io.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "core/text.h"
#include "unit/support/scratch_folder.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace pathorama::core {
namespace {

namespace fs = std::filesystem;
using std::string_literals::operator""s;

std::u16string U16(const fs::path& path) { return test_support::ScratchFolderTest::AsText(path); }

std::string Slurp(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void Spit(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

using FileIo = test_support::ScratchFolderTest;

TEST_F(FileIo, SaveReplacesTheWholeFileAndLeavesNoTemporaryFile) {
  fs::path ini = dir_ / "设置.ini";
  ASSERT_EQ(SaveFileSafely(U16(ini), std::string(10000, 'x')), FileStatus::kOk);
  ASSERT_EQ(SaveFileSafely(U16(ini), "short\0tail"s), FileStatus::kOk);
  FileBytes file = ReadFileBytes(U16(ini));
  ASSERT_EQ(file.status, FileStatus::kOk);
  EXPECT_EQ(file.bytes, "short\0tail"s);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
  ASSERT_EQ(SaveFileSafely(U16(ini), ""), FileStatus::kOk);
  EXPECT_EQ(fs::file_size(ini), 0u);
}

TEST_F(FileIo, AStaleTemporaryFileFromACrashDoesNotHarm) {
  // A crash between writing the temporary file and the move leaves both.
  fs::path ini = dir_ / "p.ini";
  Spit(ini, "old");
  Spit(dir_ / "p.ini.tmp", std::string(5000, '?'));
  fs::permissions(dir_ / "p.ini.tmp", fs::perms::owner_read);
  FileBytes file = ReadFileBytes(U16(ini));
  ASSERT_EQ(file.status, FileStatus::kOk);
  EXPECT_EQ(file.bytes, "old");
  ASSERT_EQ(SaveFileSafely(U16(ini), "new"), FileStatus::kOk);
  EXPECT_EQ(Slurp(ini), "new");
  EXPECT_FALSE(fs::exists(dir_ / "p.ini.tmp"));
}

TEST_F(FileIo, FailuresAreReportedAndLeaveTheTargetAlone) {
  fs::path ini = dir_ / "p.ini";
  Spit(ini, "old");
  fs::permissions(ini, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  EXPECT_EQ(SaveFileSafely(U16(ini), "new"), FileStatus::kReadOnly);
  EXPECT_EQ(Slurp(ini), "old");
  EXPECT_FALSE(fs::exists(dir_ / "p.ini.tmp"));
  // The caller still has its data: clearing the attribute lets the next save through.
  ASSERT_EQ(ClearReadOnly(U16(ini)), FileStatus::kOk);
  EXPECT_EQ(SaveFileSafely(U16(ini), "new"), FileStatus::kOk);
  EXPECT_EQ(Slurp(ini), "new");

  EXPECT_EQ(ClearReadOnly(U16(dir_ / "missing.ini")), FileStatus::kOk);
  EXPECT_EQ(SaveFileSafely(U16(dir_ / "no folder" / "p.ini"), "x"),
            FileStatus::kNotFound);
  EXPECT_FALSE(fs::exists(dir_ / "no folder"));
  fs::create_directory(dir_ / "a folder.ini");
  EXPECT_EQ(SaveFileSafely(U16(dir_ / "a folder.ini"), "x"), FileStatus::kFailed);
  EXPECT_TRUE(fs::is_directory(dir_ / "a folder.ini"));

  FileBytes missing = ReadFileBytes(U16(dir_ / "missing.ini"));
  EXPECT_EQ(missing.status, FileStatus::kNotFound);
  EXPECT_TRUE(missing.bytes.empty());
  EXPECT_FALSE(FileExists(U16(dir_ / "missing.ini")));
  EXPECT_FALSE(FileExists(U16(dir_ / "a folder.ini")));
  EXPECT_TRUE(FileExists(U16(ini)));
}

TEST_F(FileIo, RenamingWithoutReplaceLeavesAnExistingFileAlone) {
  Spit(dir_ / "a.ini", "a");
  Spit(dir_ / "taken", "taken");
  EXPECT_EQ(RenameFileNoReplace(U16(dir_ / "a.ini"), U16(dir_ / "taken")),
            FileStatus::kAlreadyExists);
  EXPECT_EQ(Slurp(dir_ / "a.ini"), "a");
  EXPECT_EQ(Slurp(dir_ / "taken"), "taken");
  ASSERT_EQ(RenameFileNoReplace(U16(dir_ / "a.ini"), U16(dir_ / "新.ini")), FileStatus::kOk);
  EXPECT_FALSE(fs::exists(dir_ / "a.ini"));
  EXPECT_EQ(Slurp(dir_ / "新.ini"), "a");
  EXPECT_EQ(RenameFileNoReplace(U16(dir_ / "a.ini"), U16(dir_ / "b.ini")), FileStatus::kNotFound);
  EXPECT_FALSE(fs::exists(dir_ / "b.ini"));
}

TEST_F(FileIo, AFileBeyondTheCapIsNotRead) {
  fs::path huge = dir_ / "huge.ini";
  Spit(huge, "");
  fs::resize_file(huge, kMaxFileBytes + 1);  // sparse: costs no disk
  FileBytes file = ReadFileBytes(U16(huge));
  EXPECT_EQ(file.status, FileStatus::kTooLarge);
  EXPECT_TRUE(file.bytes.empty());
}

#ifdef _WIN32
TEST_F(FileIo, ALockedFileIsReportedAndTheNextSaveSucceeds) {
  fs::path ini = dir_ / "p.ini";
  Spit(ini, "old");
  HANDLE lock = CreateFileW(ini.wstring().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  FileStatus status = SaveFileSafely(U16(ini), "new");
  EXPECT_TRUE(status == FileStatus::kLocked || status == FileStatus::kAccessDenied)
      << Utf16ToUtf8(FileStatusText(status));
  CloseHandle(lock);
  EXPECT_EQ(Slurp(ini), "old");
  EXPECT_FALSE(fs::exists(dir_ / "p.ini.tmp"));
  EXPECT_EQ(SaveFileSafely(U16(ini), "new"), FileStatus::kOk);
  EXPECT_EQ(Slurp(ini), "new");
}
#endif

TEST_F(FileIo, IniDocumentsAreSavedAsUtf8WithMark) {
  IniDocument doc;
  doc.Write(u"PathMenu", u"menu1", u"文档(&D)");
  fs::path ini = dir_ / "p.ini";
  ASSERT_EQ(SaveIniDocument(U16(ini), doc), FileStatus::kOk);
  EXPECT_EQ(Slurp(ini), "\xEF\xBB\xBF[PathMenu]\r\nmenu1=\xE6\x96\x87\xE6\xA1\xA3(&D)\r\n");
  LoadedIni back = LoadIniDocument(U16(ini), 936);
  ASSERT_EQ(back.status, FileStatus::kOk);
  EXPECT_EQ(back.encoding, TextEncoding::Utf8);
  EXPECT_EQ(back.document.Serialize(), doc.Serialize());
}

TEST_F(FileIo, StartUpConversionRewritesAnsiAndUtf16AsUtf8WithMark) {
  // "orphan" stands before any section: the INI reader would drop it, the
  // conversion must not.
  const std::string utf8Text = "orphan\r\n[PathMenu]\r\nmenu1=\xE4\xB8\xAD\xE6\x96\x87(&A)\r\n";
  struct Case {
    const char* name;
    std::string bytes;
    TextEncoding detected;
    bool rewritten;
  };
  const Case cases[] = {
      {"GBK", "orphan\r\n[PathMenu]\r\nmenu1=\xD6\xD0\xCE\xC4(&A)\r\n", TextEncoding::Ansi,
       true},
      {"UTF-16LE",
       "\xFF\xFEo\0r\0p\0h\0a\0n\0\r\0\n\0[\0P\0a\0t\0h\0M\0e\0n\0u\0]\0\r\0\n\0"
       "m\0e\0n\0u\0001\0=\0\x2D\x4E\x87\x65(\0&\0A\0)\0\r\0\n\0"s,
       TextEncoding::Utf16LE, true},
      {"UTF-16LE without mark",
       "o\0r\0p\0h\0a\0n\0\r\0\n\0[\0P\0a\0t\0h\0M\0e\0n\0u\0]\0\r\0\n\0"
       "m\0e\0n\0u\0001\0=\0\x2D\x4E\x87\x65(\0&\0A\0)\0\r\0\n\0"s,
       TextEncoding::Utf16LE, true},
      {"UTF-16BE without mark",
       "\0o\0r\0p\0h\0a\0n\0\r\0\n\0[\0P\0a\0t\0h\0M\0e\0n\0u\0]\0\r\0\n"
       "\0m\0e\0n\0u\0001\0=\x4E\x2D\x65\x87\0(\0&\0A\0)\0\r\0\n"s,
       TextEncoding::Utf16BE, true},
      {"UTF-16BE",
       "\xFE\xFF\0o\0r\0p\0h\0a\0n\0\r\0\n\0[\0P\0a\0t\0h\0M\0e\0n\0u\0]\0\r\0\n"
       "\0m\0e\0n\0u\0001\0=\x4E\x2D\x65\x87\0(\0&\0A\0)\0\r\0\n"s,
       TextEncoding::Utf16BE, true},
      {"UTF-8 without mark", utf8Text, TextEncoding::Utf8, false},
      {"UTF-8 with mark", "\xEF\xBB\xBF" + utf8Text, TextEncoding::Utf8, false},
  };
  fs::path ini = dir_ / "p.ini";
  for (const Case& c : cases) {
    Spit(ini, c.bytes);
    IniConversion conversion = ConvertIniFileToUtf8(U16(ini), 936);
    ASSERT_EQ(conversion.status, FileStatus::kOk) << c.name;
    EXPECT_EQ(conversion.encoding, c.detected) << c.name;
    EXPECT_EQ(Slurp(ini), c.rewritten ? "\xEF\xBB\xBF" + utf8Text : c.bytes) << c.name;
    LoadedIni loaded = LoadIniDocument(U16(ini), 936);
    ASSERT_EQ(loaded.status, FileStatus::kOk) << c.name;
    EXPECT_EQ(loaded.document.ReadString(u"PathMenu", u"menu1", u""), u"中文(&A)") << c.name;
  }
  fs::path missing = dir_ / "missing.ini";
  IniConversion conversion = ConvertIniFileToUtf8(U16(missing), 936);
  EXPECT_EQ(conversion.status, FileStatus::kOk);
  EXPECT_EQ(conversion.encoding, TextEncoding::Ansi);
  EXPECT_FALSE(fs::exists(missing));
}

TEST_F(FileIo, AReadOnlyFileIsStillReadInItsOwnEncoding) {
  fs::path ini = dir_ / "p.ini";
  const std::string gbk = "[PathMenu]\r\nmenu1=\xD6\xD0\xCE\xC4\r\n";
  Spit(ini, gbk);
  fs::permissions(ini, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  IniConversion conversion = ConvertIniFileToUtf8(U16(ini), 936);
  EXPECT_EQ(conversion.status, FileStatus::kReadOnly);
  EXPECT_EQ(conversion.encoding, TextEncoding::Ansi);
  EXPECT_EQ(Slurp(ini), gbk);
  LoadedIni loaded = LoadIniDocument(U16(ini), 936);
  ASSERT_EQ(loaded.status, FileStatus::kOk);
  EXPECT_EQ(loaded.encoding, TextEncoding::Ansi);
  EXPECT_EQ(loaded.document.ReadString(u"PathMenu", u"menu1", u""), u"中文");
  LoadedIni missing = LoadIniDocument(U16(dir_ / "missing.ini"), 936);
  EXPECT_EQ(missing.status, FileStatus::kNotFound);
  EXPECT_TRUE(missing.document.Sections().empty());
}

}  // namespace
}  // namespace pathorama::core
