#include "core/diagnostics.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>

#include "unit/support/scratch_folder.h"

namespace pathorama::core {
namespace {

using Diagnostics = test_support::ScratchFolderTest;

TEST(TraceLine, StampsTheMessageAndKeepsItOnOneLine) {
  EXPECT_EQ(TraceLine(u"2026-12-10 12:34:56.789", 42, u"save failed:\r\nD:\\a.ini"),
            u"2026-12-10 12:34:56.789 [42] save failed:  D:\\a.ini");
}

TEST(TraceLine, HexTextPadsToTheDigitsAsked) {
  struct Case {
    uint64_t value;
    int minDigits;
    const char16_t* text;
  } cases[] = {
      {0x401, 4, u"0x0401"},
      {0xB3E9, 4, u"0xB3E9"},
      {0, 1, u"0x0"},
      {0, 4, u"0x0000"},
      {0x1234ABCD, 2, u"0x1234ABCD"},  // never cut
      {0xFFFFFFFFFFFFFFFFull, 8, u"0xFFFFFFFFFFFFFFFF"},
  };
  for (const Case& c : cases) EXPECT_EQ(HexText(c.value, c.minDigits), c.text) << c.value;
}

#ifndef _WIN32
TEST_F(Diagnostics, TraceAppendsToTheFileNamedByTheEnvironment) {
  const std::string log = (dir_ / "trace.log").string();
  setenv(kLogFileVariable, log.c_str(), 1);
  Trace(u"热键 Ctrl+D 注册失败");
  Trace(u"second");
  unsetenv(kLogFileVariable);
  Trace(u"not logged");

  std::ifstream in(log, std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(in)), {});
  std::regex line(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{3} \[\d+\] )");
  ASSERT_NE(text.find("\n"), std::string::npos);
  std::string first = text.substr(0, text.find('\n'));
  EXPECT_TRUE(std::regex_search(first, line)) << first;
  EXPECT_NE(first.find("热键 Ctrl+D 注册失败"), std::string::npos);
  EXPECT_NE(text.find("second\n"), std::string::npos);
  EXPECT_EQ(text.find("not logged"), std::string::npos);
}
#endif

}  // namespace
}  // namespace pathorama::core
