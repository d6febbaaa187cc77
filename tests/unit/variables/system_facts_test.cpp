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

void SetVariable(const char* name, const char* value) {
#ifdef _WIN32
  _putenv_s(name, value);
#else
  setenv(name, value, 1);
#endif
}

TEST(PlatformSystemFacts, EnvironmentVariablesByAnyCase) {
  SystemFacts& facts = PlatformSystemFacts();
  SetVariable("PATHORAMA_FACTS_TEST", "D:\\\xe6\x96\x87\xe4\xbb\xb6");  // D:\文件
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
  const auto now = fs::file_time_type::clock::now();
  fs::last_write_time(root / u"甲", now - std::chrono::hours(2));
  fs::last_write_time(root / "b", now - std::chrono::hours(1));
  fs::last_write_time(root / "c", now - std::chrono::hours(3));

  std::u16string folder = root.u16string();
  folder += fs::path::preferred_separator;
  std::optional<std::vector<Subfolder>> list = PlatformSystemFacts().Subfolders(folder);
  ASSERT_TRUE(list.has_value());
  std::sort(list->begin(), list->end(),
            [](const Subfolder& x, const Subfolder& y) { return x.written < y.written; });
  ASSERT_EQ(list->size(), 3u);  // no file, no ".", "..", nothing deeper
  EXPECT_EQ((*list)[0].name, u"c");
  EXPECT_EQ((*list)[1].name, u"甲");
  EXPECT_EQ((*list)[2].name, u"b");
  // An hour apart, in 100-nanosecond ticks.
  EXPECT_NEAR(static_cast<double>((*list)[2].written - (*list)[1].written), 36000000000.0, 1e7);
  for (const Subfolder& s : *list) EXPECT_GT(s.created, 0);

  EXPECT_FALSE(PlatformSystemFacts().Subfolders(root.u16string() + u"-gone").has_value());
  fs::remove_all(root);
}

}  // namespace
}  // namespace pathorama::variables
