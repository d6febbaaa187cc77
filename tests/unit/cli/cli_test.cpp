#include "app/cli/cli.h"

#include <gtest/gtest.h>

namespace pathorama::app::cli {
namespace {

struct Result {
  int code;
  std::u16string out;
  std::u16string err;
};

Result Invoke(std::vector<std::u16string> args) {
  Output output;
  int code = RunCli(args, output);
  return {code, output.out, output.err};
}

TEST(Cli, WrongCallsExitTwoWithUsage) {
  for (const auto& args : std::vector<std::vector<std::u16string>>{
           {}, {u"nope"}, {u"paths"}, {u"info"}, {u"info", u"a", u"b"}, {u"paths", u"a", u"b"}}) {
    Result r = Invoke(args);
    EXPECT_EQ(r.code, 2);
    EXPECT_TRUE(r.out.empty());
    EXPECT_NE(r.err.find(u"usage:"), std::u16string::npos);
  }
  Result help = Invoke({u"--help"});
  EXPECT_EQ(help.code, 0);
  EXPECT_NE(help.out.find(u"pathorama-cli paths"), std::u16string::npos);
}

TEST(Cli, PathsListsTypePathAndExtra) {
  Result r = Invoke({u"paths", u"/*<RegPath>HKCU\\Software | C:\\Tools\\t.exe </S /Wait 3> | D:\\(a|b)"});
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(r.out,
            u"RegPath\tHKCU\\Software\t\n"
            u"LocalPath\tC:\\Tools\\t.exe\t/S /Wait 3\n"
            u"LocalPath\tD:\\a\t\n"
            u"LocalPath\tD:\\b\t\n");
  EXPECT_EQ(Invoke({u"paths", u"www.x.cn"}).out, u"LocalPath\twww.x.cn\t\n");
  EXPECT_EQ(Invoke({u"paths", u"--auto-url", u"www.x.cn"}).out, u"Url\twww.x.cn\t\n");
  EXPECT_EQ(Invoke({u"paths", u""}).out, u"");
}

TEST(Cli, InfoPrintsFourLines) {
  EXPECT_EQ(Invoke({u"info", u" / * C:\\a|<Url>b | "}).out,
            u"disabled: yes\nvariables: yes\ntype: MixedPath\ncanonical: /*C:\\a | <Url>b\n");
  EXPECT_EQ(Invoke({u"info", u""}).out,
            u"disabled: no\nvariables: no\ntype: LocalPath\ncanonical: \n");
}

}  // namespace
}  // namespace pathorama::app::cli
