#include "app/startup.h"

#include <gtest/gtest.h>

namespace pathorama::app {
namespace {

TEST(Startup, FirstArgumentOnlyAndWithoutCaseSelectsTheCommand) {
  struct Case {
    std::vector<std::u16string> args;
    app::StartCommand second;  // what a second start forwards
    app::StartCommand first;   // what the first instance does at first activation
  };
  const Case cases[] = {
      {{}, app::StartCommand::kNone, app::StartCommand::kNone},
      {{u"/openjumplist"}, app::StartCommand::kOpenJumpList, app::StartCommand::kOpenJumpList},
      {{u"/SETJUMPLIST", u"x"}, app::StartCommand::kSetJumpList, app::StartCommand::kSetJumpList},
      {{u"/OpenSetting"}, app::StartCommand::kOpenSetting, app::StartCommand::kOpenSetting},
      // The path after /AddToJumpList is only checked by a first instance.
      {{u"/AddToJumpList"}, app::StartCommand::kAddToJumpList, app::StartCommand::kNone},
      {{u"/AddToJumpList", u""}, app::StartCommand::kAddToJumpList, app::StartCommand::kNone},
      {{u"/AddToJumpList", u"C:\\a b"},
       app::StartCommand::kAddToJumpList,
       app::StartCommand::kAddToJumpList},
      // Only the first argument counts; near misses count for nothing.
      {{u"x", u"/OpenJumpList"}, app::StartCommand::kNone, app::StartCommand::kNone},
      {{u"OpenJumpList"}, app::StartCommand::kNone, app::StartCommand::kNone},
      {{u"/OpenJumpList "}, app::StartCommand::kNone, app::StartCommand::kNone},
      {{u"-OpenSetting"}, app::StartCommand::kNone, app::StartCommand::kNone},
  };
  for (const Case& c : cases) {
    std::u16string shown = c.args.empty() ? u"(none)" : c.args[0];
    SCOPED_TRACE(std::string(shown.begin(), shown.end()));
    EXPECT_EQ(app::CommandForSecondStart(c.args), c.second);
    EXPECT_EQ(app::CommandForFirstActivation(c.args), c.first);
  }
}

TEST(Startup, EachCommandHasItsMessageBothWays) {
  const std::pair<app::StartCommand, unsigned> table[] = {
      {app::StartCommand::kOpenJumpList, 0x401},
      {app::StartCommand::kSetJumpList, 0x402},
      {app::StartCommand::kAddToJumpList, 0x403},
      {app::StartCommand::kOpenSetting, 0x404},
  };
  for (auto [command, message] : table) {
    EXPECT_EQ(app::MessageForCommand(command), message);
    EXPECT_EQ(app::CommandForMessage(message), command);
  }
  EXPECT_EQ(app::MessageForCommand(app::StartCommand::kNone), 0u);
  EXPECT_EQ(app::CommandForMessage(0x400), app::StartCommand::kNone);
  EXPECT_EQ(app::CommandForMessage(0x405), app::StartCommand::kNone);
}

TEST(Startup, VersionTextIsMajorDotMinorOrOnePointZero) {
  EXPECT_EQ(app::FileVersionText(0x00020007, 0x0003000B), u"2.7.3.11");
  EXPECT_EQ(app::FileVersionText(0xFFFF0000, 0x0000FFFF), u"65535.0.0.65535");
  const std::pair<std::u16string, std::u16string> cases[] = {
      {u"2.7.3.11", u"2.7"},   {u"10.0.0.0", u"10.0"}, {u"", u"1.0"},
      {u"2.7.3", u"1.0"},      {u"2.7.3.11.5", u"1.0"}, {u"a.b.c.d", u"1.0"},
      {u"2..3.4", u"1.0"},     {u" 2.7.3.11", u"1.0"},
  };
  for (const auto& [fileVersion, appVersion] : cases)
    EXPECT_EQ(app::AppVersionFromFileVersion(fileVersion), appVersion)
        << std::string(fileVersion.begin(), fileVersion.end());
  EXPECT_EQ(app::MainWindowCaption(u"2.7"), u"Pathorama 2.7");
}

TEST(Startup, PathsBesideTheExecutable) {
  EXPECT_EQ(app::ExecutableFileName(u"C:\\Tools\\Pathorama.exe"), u"Pathorama.exe");
  EXPECT_EQ(app::ExecutableFileName(u"pathorama.exe"), u"pathorama.exe");
  EXPECT_EQ(app::IniPathForExecutable(u"C:\\Tools\\Pathorama.exe"), u"C:\\Tools\\Pathorama.ini");
  // A dot in a folder name is not the extension.
  EXPECT_EQ(app::IniPathForExecutable(u"C:\\v1.2\\pathorama"), u"C:\\v1.2\\pathorama.ini");
  EXPECT_EQ(app::IniPathForExecutable(u"C:\\a\\x.y.exe"), u"C:\\a\\x.y.ini");
}

TEST(Startup, MutexNameFollowsTheFileNameWithoutCase) {
  EXPECT_EQ(app::SingleInstanceMutexName(u"Pathorama.EXE"),
            app::SingleInstanceMutexName(u"pathorama.exe"));
  EXPECT_NE(app::SingleInstanceMutexName(u"pathorama.exe"),
            app::SingleInstanceMutexName(u"other.exe"));
  std::u16string name = app::SingleInstanceMutexName(u"pathorama.exe");
  // Exactly one backslash: the session namespace prefix.
  EXPECT_EQ(name.find(u'\\'), name.rfind(u'\\'));
  EXPECT_EQ(name.rfind(u"Local\\", 0), 0u);
}

}  // namespace
}  // namespace pathorama::app
