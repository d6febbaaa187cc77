#include "app/startup.h"

#include "core/regex.h"
#include "core/text.h"

namespace pathorama::app {

namespace {

struct ArgumentCommand {
  const char16_t* argument;
  StartCommand command;
};

// In the order a second start tests them.
constexpr ArgumentCommand kArgumentCommands[] = {
    {u"/OpenJumpList", StartCommand::kOpenJumpList},
    {u"/SetJumpList", StartCommand::kSetJumpList},
    {u"/AddToJumpList", StartCommand::kAddToJumpList},
    {u"/OpenSetting", StartCommand::kOpenSetting},
};

}  // namespace

StartCommand CommandForSecondStart(const std::vector<std::u16string>& args) {
  if (args.empty()) return StartCommand::kNone;
  for (const ArgumentCommand& ac : kArgumentCommands)
    if (core::EqualsIgnoreCase(args[0], ac.argument)) return ac.command;
  return StartCommand::kNone;
}

StartCommand CommandForFirstActivation(const std::vector<std::u16string>& args) {
  StartCommand command = CommandForSecondStart(args);
  if (command == StartCommand::kAddToJumpList && (args.size() < 2 || args[1].empty()))
    return StartCommand::kNone;
  return command;
}

unsigned MessageForCommand(StartCommand command) {
  switch (command) {
    case StartCommand::kOpenJumpList: return kOpenJumpListMessage;
    case StartCommand::kSetJumpList: return kSetJumpListMessage;
    case StartCommand::kAddToJumpList: return kAddToJumpListMessage;
    case StartCommand::kOpenSetting: return kOpenSettingMessage;
    case StartCommand::kNone: break;
  }
  return 0;
}

StartCommand CommandForMessage(unsigned message) {
  switch (message) {
    case kOpenJumpListMessage: return StartCommand::kOpenJumpList;
    case kSetJumpListMessage: return StartCommand::kSetJumpList;
    case kAddToJumpListMessage: return StartCommand::kAddToJumpList;
    case kOpenSettingMessage: return StartCommand::kOpenSetting;
    default: return StartCommand::kNone;
  }
}

std::u16string FileVersionText(uint32_t versionMs, uint32_t versionLs) {
  return core::IntToText(versionMs >> 16) + u"." + core::IntToText(versionMs & 0xFFFF) + u"." +
         core::IntToText(versionLs >> 16) + u"." + core::IntToText(versionLs & 0xFFFF);
}

std::u16string AppVersionFromFileVersion(std::u16string_view fileVersion) {
  static const core::Regex& fourNumbers =
      core::Regex::Get(uR"(^(?<major>\d+)\.(?<minor>\d+)\.\d+\.\d+$)", core::Regex::kCaseSensitive);
  if (auto m = fourNumbers.Search(fileVersion))
    return m->Named(u"major") + u"." + m->Named(u"minor");
  return u"1.0";
}

std::u16string MainWindowCaption(std::u16string_view appVersion) {
  return u"Pathorama " + std::u16string(appVersion);
}

std::u16string ExecutableFileName(std::u16string_view exePath) {
  size_t slash = exePath.find_last_of(u"\\/");
  return std::u16string(slash == std::u16string_view::npos ? exePath : exePath.substr(slash + 1));
}

std::u16string IniPathForExecutable(std::u16string_view exePath) {
  size_t slash = exePath.find_last_of(u"\\/");
  size_t dot = exePath.find_last_of(u'.');
  if (dot == std::u16string_view::npos || (slash != std::u16string_view::npos && dot < slash))
    return std::u16string(exePath) + u".ini";
  return std::u16string(exePath.substr(0, dot)) + u".ini";
}

std::u16string SingleInstanceMutexName(std::u16string_view exeFileName) {
  // Per session ("Local\"): one resident instance per logged-on user, as the
  // process rule sees it. A backslash would name a namespace, so none passes.
  std::u16string name = u"Local\\Pathorama.SingleInstance.";
  for (char16_t c : core::ToLower(exeFileName)) name.push_back(c == u'\\' ? u'_' : c);
  return name;
}

}  // namespace pathorama::app
