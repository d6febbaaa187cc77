// The platform's own facts, natively and (the same test program) under Wine:
// environment variables by any case, folder listings with their times.
#include "variables/system_facts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "core/text.h"

namespace pathorama::variables {
namespace {

namespace fs = std::filesystem;

void SetVariable(const char16_t* name, const char16_t* value) {
#ifdef _WIN32
  _wputenv_s(reinterpret_cast<const wchar_t*>(name), reinterpret_cast<const wchar_t*>(value));
#else
  setenv(core::Utf16ToUtf8(name).c_str(), core::Utf16ToUtf8(value).c_str(), 1);
#endif
}

TEST(PlatformSystemFacts, EnvironmentVariablesByAnyCase) {
  SystemFacts& facts = PlatformSystemFacts();
  SetVariable(u"PATHORAMA_FACTS_TEST", u"D:\\文件");
  EXPECT_EQ(facts.Environment(u"Pathorama_Facts_Test"), u"D:\\文件");
  EXPECT_EQ(facts.Environment(u"PATHORAMA_FACTS_UNSET"), u"");
  EXPECT_TRUE(fs::is_directory(fs::path(facts.ExecutableFolder())));
  EXPECT_EQ(facts.Is64BitSystem(), sizeof(void*) == 8);  // both builds run on 64-bit hosts here
}

TEST(PlatformSystemFacts, ListsDirectSubfoldersWithTheirTimes) {
  const fs::path root = fs::temp_directory_path() / "pathorama-facts-listing";
  fs::remove_all(root);
  fs::create_directories(root / u"甲" / "deeper");
  fs::create_directories(root / "b");
  fs::create_directories(root / "c");
  std::ofstream(root / "file.txt") << "x";
  // The library cannot set a folder's times under Wine; the Windows-side
  // test sets them with SetFileTime.
  const bool setTimes = fs::path::preferred_separator == '/';
  if (setTimes) {
    const auto now = fs::file_time_type::clock::now();
    fs::last_write_time(root / u"甲", now - std::chrono::hours(2));
    fs::last_write_time(root / "b", now - std::chrono::hours(1));
    fs::last_write_time(root / "c", now - std::chrono::hours(3));
  }

  std::u16string folder = root.u16string();
  folder += fs::path::preferred_separator;
  std::optional<std::vector<Subfolder>> list = PlatformSystemFacts().Subfolders(folder);
  ASSERT_TRUE(list.has_value());
  ASSERT_EQ(list->size(), 3u);  // no file, no ".", "..", nothing deeper
  for (const Subfolder& s : *list) EXPECT_GT(s.created, 0);
  if (setTimes) {
    std::sort(list->begin(), list->end(),
              [](const Subfolder& x, const Subfolder& y) { return x.written < y.written; });
    EXPECT_EQ((*list)[0].name, u"c");
    EXPECT_EQ((*list)[1].name, u"甲");
    EXPECT_EQ((*list)[2].name, u"b");
    // An hour apart, in 100-nanosecond ticks.
    EXPECT_NEAR(static_cast<double>((*list)[2].written - (*list)[1].written), 36000000000.0, 1e7);
  } else {
    std::sort(list->begin(), list->end(),
              [](const Subfolder& x, const Subfolder& y) { return x.name < y.name; });
    EXPECT_EQ((*list)[0].name, u"b");
    EXPECT_EQ((*list)[2].name, u"甲");
  }

  EXPECT_FALSE(PlatformSystemFacts().Subfolders(root.u16string() + u"-gone").has_value());
  fs::remove_all(root);
}

}  // namespace
}  // namespace pathorama::variables
