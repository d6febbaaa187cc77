#include "settings/settings_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "core/text.h"
#include "unit/support/scratch_folder.h"

namespace pathorama::settings {
namespace {

namespace fs = std::filesystem;
using std::string_literals::operator""s;
using SettingsFile = test_support::ScratchFolderTest;

std::string Slurp(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void Spit(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

TEST_F(SettingsFile, OpeningJudgesWhatTheFileHolds) {
  using State = SettingsFileState;
  struct Case {
    const char* name;
    std::string bytes;
    State state;
    core::TextEncoding encoding;
  };
  const Case cases[] = {
      {"empty", "", State::Readable, core::TextEncoding::Utf8},
      {"only a byte-order mark and line ends", "\xEF\xBB\xBF\r\n\r\n", State::Readable,
       core::TextEncoding::Utf8},
      {"zero bytes left by a power loss", std::string(4096, '\0'), State::Readable,
       core::TextEncoding::Utf16LE},
      {"options", "[Option]\r\nRandomLength=9\r\n", State::Readable, core::TextEncoding::Utf8},
      {"section names without regard to case", "[pathmenu]\r\nmenu1=A\r\n", State::Readable,
       core::TextEncoding::Utf8},
      {"only the legacy jump list", "[DirMenu]\r\nmenu1=A\r\n", State::Readable,
       core::TextEncoding::Utf8},
      {"UTF-16LE without mark", "[\0M\0a\0i\0n\0]\0\r\0\n\0V\0e\0r\0=\0001\0"s, State::Readable,
       core::TextEncoding::Utf16LE},
      {"GBK", "[PathMenu]\r\nmenu1=\xD6\xD0\xCE\xC4\r\n", State::Readable,
       core::TextEncoding::Ansi},
      {"text without sections", "Docs=D:\\Docs\r\n", State::Unrecognised, core::TextEncoding::Utf8},
      {"only sections of another program", "[Window]\r\nLeft=10\r\n", State::Unrecognised,
       core::TextEncoding::Utf8},
      {"binary", "\x89PNG\r\n\x1A\n\x01\x02\x03\xFE", State::Unrecognised,
       core::TextEncoding::Ansi},
  };
  const fs::path file = dir_ / "pathorama.ini";
  for (const Case& c : cases) {
    Spit(file, c.bytes);
    OpenedSettingsFile opened = OpenSettingsFile(Path("pathorama.ini"), 936);
    EXPECT_EQ(opened.state, c.state) << c.name;
    EXPECT_EQ(opened.status, core::FileStatus::kOk) << c.name;
    EXPECT_EQ(opened.encoding, c.encoding) << c.name;
    // Only a readable file's content is used: an unrecognised one is not
    // mixed into the new file.
    if (c.state == State::Unrecognised) {
      EXPECT_TRUE(opened.document.Sections().empty()) << c.name;
    }
    if (c.state == State::Readable && c.bytes.find('[') != std::string::npos) {
      EXPECT_TRUE(HasKnownSection(opened.document)) << c.name;
    }
  }
  Spit(file, "[PathMenu]\r\nmenu1=\xD6\xD0\xCE\xC4\r\n");
  EXPECT_EQ(
      OpenSettingsFile(Path("pathorama.ini"), 936).document.ReadString(u"PathMenu", u"menu1", u""),
      u"中文");
}

TEST_F(SettingsFile, AMissingOrUnreadableFileIsToldApart) {
  OpenedSettingsFile missing = OpenSettingsFile(Path("missing.ini"), 936);
  EXPECT_EQ(missing.state, SettingsFileState::Missing);
  EXPECT_EQ(missing.status, core::FileStatus::kNotFound);

  Spit(dir_ / "huge.ini", "[Option]\r\n");
  fs::resize_file(dir_ / "huge.ini", core::kMaxFileBytes + 1);  // sparse: costs no disk
  OpenedSettingsFile huge = OpenSettingsFile(Path("huge.ini"), 936);
  EXPECT_EQ(huge.state, SettingsFileState::Unreadable);
  EXPECT_EQ(huge.status, core::FileStatus::kTooLarge);
  EXPECT_TRUE(huge.document.Sections().empty());

  fs::create_directory(dir_ / "folder.ini");
  EXPECT_EQ(OpenSettingsFile(Path("folder.ini"), 936).state, SettingsFileState::Unreadable);
}

TEST(KeptAsideFilePath, NamesTheFileAfterTheTimeAndTheAttempt) {
  struct Case {
    LocalTimestamp at;
    int attempt;
    std::u16string path;
  };
  const Case cases[] = {
      {{{2026, 12, 10}, 12, 34, 56}, 1, u"C:\\P\\pathorama.ini.unreadable-20261210-123456"},
      {{{2026, 1, 2}, 3, 4, 5}, 1, u"C:\\P\\pathorama.ini.unreadable-20260102-030405"},
      {{{987, 1, 2}, 0, 0, 0}, 2, u"C:\\P\\pathorama.ini.unreadable-09870102-000000-2"},
      {{{2026, 12, 10}, 23, 59, 59}, 17, u"C:\\P\\pathorama.ini.unreadable-20261210-235959-17"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(KeptAsideFilePath(u"C:\\P\\pathorama.ini", c.at, c.attempt), c.path)
        << core::Utf16ToUtf8(c.path);
}

TEST_F(SettingsFile, KeepingAsideNeverReplacesAFileKeptBefore) {
  const LocalTimestamp at{{2026, 12, 10}, 12, 34, 56};
  const fs::path file = dir_ / "pathorama.ini";
  Spit(file, "first");
  KeptAside first = KeepSettingsFileAside(Path("pathorama.ini"), at);
  ASSERT_EQ(first.status, core::FileStatus::kOk);
  EXPECT_EQ(first.path, Path("pathorama.ini.unreadable-20261210-123456"));
  EXPECT_FALSE(fs::exists(file));

  // The same second again (a second start, a clock set back).
  Spit(file, "second");
  KeptAside second = KeepSettingsFileAside(Path("pathorama.ini"), at);
  ASSERT_EQ(second.status, core::FileStatus::kOk);
  EXPECT_EQ(second.path, Path("pathorama.ini.unreadable-20261210-123456-2"));
  EXPECT_EQ(Slurp(dir_ / "pathorama.ini.unreadable-20261210-123456"), "first");
  EXPECT_EQ(Slurp(dir_ / "pathorama.ini.unreadable-20261210-123456-2"), "second");
  EXPECT_FALSE(fs::exists(file));

  KeptAside missing = KeepSettingsFileAside(Path("pathorama.ini"), at);
  EXPECT_EQ(missing.status, core::FileStatus::kNotFound);
  EXPECT_TRUE(missing.path.empty());
}

}  // namespace
}  // namespace pathorama::settings
