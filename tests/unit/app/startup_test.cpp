#include "app/startup.h"

#include <gtest/gtest.h>

namespace pathorama::app {
namespace {

TEST(Startup, FirstArgumentOnlyAndWithoutCaseSelectsTheCommand) {
  struct Case {
    std::vector<std::u16string> args;
    StartCommand second;  // what a second start forwards
    StartCommand first;   // what the first instance does at first activation
  };
  const Case cases[] = {
      {{}, StartCommand::kNone, StartCommand::kNone},
      {{u"/openjumplist"}, StartCommand::kOpenJumpList, StartCommand::kOpenJumpList},
      {{u"/SETJUMPLIST", u"x"}, StartCommand::kSetJumpList, StartCommand::kSetJumpList},
      {{u"/OpenSetting"}, StartCommand::kOpenSetting, StartCommand::kOpenSetting},
      // The path after /AddToJumpList is only checked by a first instance.
      {{u"/AddToJumpList"}, StartCommand::kAddToJumpList, StartCommand::kNone},
      {{u"/AddToJumpList", u""}, StartCommand::kAddToJumpList, StartCommand::kNone},
      {{u"/AddToJumpList", u"C:\\a b"},
       StartCommand::kAddToJumpList,
       StartCommand::kAddToJumpList},
      // Only the first argument counts; near misses count for nothing.
      {{u"x", u"/OpenJumpList"}, StartCommand::kNone, StartCommand::kNone},
      {{u"OpenJumpList"}, StartCommand::kNone, StartCommand::kNone},
      {{u"/OpenJumpList "}, StartCommand::kNone, StartCommand::kNone},
      {{u"-OpenSetting"}, StartCommand::kNone, StartCommand::kNone},
  };
  for (const Case& c : cases) {
    std::u16string shown = c.args.empty() ? u"(none)" : c.args[0];
    SCOPED_TRACE(std::string(shown.begin(), shown.end()));
    EXPECT_EQ(CommandForSecondStart(c.args), c.second);
    EXPECT_EQ(CommandForFirstActivation(c.args), c.first);
  }
}

TEST(Startup, EachCommandHasItsMessageBothWays) {
  const std::pair<StartCommand, unsigned> table[] = {
      {StartCommand::kOpenJumpList, 0x401},
      {StartCommand::kSetJumpList, 0x402},
      {StartCommand::kAddToJumpList, 0x403},
      {StartCommand::kOpenSetting, 0x404},
  };
  for (auto [command, message] : table) {
    EXPECT_EQ(MessageForCommand(command), message);
    EXPECT_EQ(CommandForMessage(message), command);
  }
  EXPECT_EQ(MessageForCommand(StartCommand::kNone), 0u);
  EXPECT_EQ(CommandForMessage(0x400), StartCommand::kNone);
  EXPECT_EQ(CommandForMessage(0x405), StartCommand::kNone);
}

TEST(Startup, VersionTextIsMajorDotMinorOrOnePointZero) {
  EXPECT_EQ(FileVersionText(0x00020007, 0x0003000B), u"2.7.3.11");
  EXPECT_EQ(FileVersionText(0xFFFF0000, 0x0000FFFF), u"65535.0.0.65535");
  const std::pair<std::u16string, std::u16string> cases[] = {
      {u"2.7.3.11", u"2.7"},   {u"10.0.0.0", u"10.0"}, {u"", u"1.0"},
      {u"2.7.3", u"1.0"},      {u"2.7.3.11.5", u"1.0"}, {u"a.b.c.d", u"1.0"},
      {u"2..3.4", u"1.0"},     {u" 2.7.3.11", u"1.0"},
  };
  for (const auto& [fileVersion, appVersion] : cases)
    EXPECT_EQ(AppVersionFromFileVersion(fileVersion), appVersion)
        << std::string(fileVersion.begin(), fileVersion.end());
  EXPECT_EQ(MainWindowCaption(u"2.7"), u"Pathorama 2.7");
}

TEST(Startup, PathsBesideTheExecutable) {
  EXPECT_EQ(ExecutableFileName(u"C:\\Tools\\Pathorama.exe"), u"Pathorama.exe");
  EXPECT_EQ(ExecutableFileName(u"pathorama.exe"), u"pathorama.exe");
  EXPECT_EQ(IniPathForExecutable(u"C:\\Tools\\Pathorama.exe"), u"C:\\Tools\\Pathorama.ini");
  // A dot in a folder name is not the extension.
  EXPECT_EQ(IniPathForExecutable(u"C:\\v1.2\\pathorama"), u"C:\\v1.2\\pathorama.ini");
  EXPECT_EQ(IniPathForExecutable(u"C:\\a\\x.y.exe"), u"C:\\a\\x.y.ini");
}

TEST(Startup, MutexNameFollowsTheFileNameWithoutCase) {
  EXPECT_EQ(SingleInstanceMutexName(u"Pathorama.EXE"),
            SingleInstanceMutexName(u"pathorama.exe"));
  EXPECT_NE(SingleInstanceMutexName(u"pathorama.exe"),
            SingleInstanceMutexName(u"other.exe"));
  std::u16string name = SingleInstanceMutexName(u"pathorama.exe");
  // Exactly one backslash: the session namespace prefix.
  EXPECT_EQ(name.find(u'\\'), name.rfind(u'\\'));
  EXPECT_EQ(name.rfind(u"Local\\", 0), 0u);
}

}  // namespace
}  // namespace pathorama::app
