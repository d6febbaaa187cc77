// The computer's facts as a test sets them, counting the round trips to
// other programs.
#pragma once

#include <map>

#include "variables/system_facts.h"

namespace pathorama::variables {

struct FakeSystemFacts final : SystemFacts {
  // Nothing: no "Shell Folders" key at all.
  std::optional<std::map<std::u16string, std::u16string>> shellFolders =
      std::map<std::u16string, std::u16string>{};
  std::map<std::u16string, std::u16string> environment;
  std::u16string executableFolder = u"C:\\Tools\\Pathorama";
  std::map<std::u16string, std::vector<Subfolder>> folders;  // by the folder text asked
  bool is64Bit = true;
  std::optional<std::u16string> openedFolder;
  std::map<OfficeSource, std::u16string> office;
  int openedAsked = 0, officeAsked = 0;
  std::vector<std::u16string> listed;  // the folders Subfolders was asked for

  std::optional<std::u16string> ShellFolder(std::u16string_view name) override {
    if (!shellFolders) return std::nullopt;
    auto it = shellFolders->find(std::u16string(name));
    return it == shellFolders->end() ? u"" : it->second;
  }
  std::u16string Environment(std::u16string_view name) override {
    auto it = environment.find(std::u16string(name));
    return it == environment.end() ? u"" : it->second;
  }
  std::u16string ExecutableFolder() override { return executableFolder; }
  std::optional<std::vector<Subfolder>> Subfolders(std::u16string_view folder) override {
    listed.emplace_back(folder);
    auto it = folders.find(std::u16string(folder));
    if (it == folders.end()) return std::nullopt;
    return it->second;
  }
  bool Is64BitSystem() override { return is64Bit; }
  std::optional<std::u16string> OpenedFolder() override {
    ++openedAsked;
    return openedFolder;
  }
  std::optional<std::u16string> OfficeFolder(OfficeSource source) override {
    ++officeAsked;
    auto it = office.find(source);
    return it == office.end() ? u"" : it->second;
  }
};

}  // namespace pathorama::variables
