// Facts and prompts for the opening decisions, without any window.
#pragma once

#include <deque>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/prompts.h"
#include "core/text.h"
#include "paths/opening.h"

namespace pathorama::paths::testing {

class FakeFacts : public OpeningFacts {
 public:
  std::set<std::u16string> folders, files;  // compared without regard to case
  std::set<std::u16string> registryKeys;    // "root index:subkey"
  std::u16string baseFolder = u"D:\\App";
  std::u16string windowsFolder = u"C:\\windows";
  bool capsLock = false;
  bool createSucceeds = true;
  ManagerFolder managerFolder;
  std::vector<std::u16string> created;
  int managerFolderReads = 0;

  windows::PathKind KindOf(const std::u16string& path) override {
    const std::u16string key = core::ToLower(path);
    if (folders.count(key)) return windows::PathKind::Folder;
    if (files.count(key)) return windows::PathKind::File;
    return windows::PathKind::Missing;
  }
  bool RegistryKeyExists(const RegistryKeyPath& key) override {
    return registryKeys.count(KeyText(key)) > 0;
  }
  std::u16string BaseFolder() override { return baseFolder; }
  std::u16string WindowsFolder() override { return windowsFolder; }
  bool CapsLockLit() override { return capsLock; }
  ManagerFolder CurrentManagerFolder(bool) override {
    ++managerFolderReads;
    return managerFolder;
  }
  bool CreateFolders(const std::u16string& path) override {
    created.push_back(path);
    if (createSucceeds) AddFolder(path);
    return createSucceeds;
  }

  FakeFacts& AddFolder(std::u16string_view path) {
    folders.insert(core::ToLower(path));
    return *this;
  }
  FakeFacts& AddFile(std::u16string_view path) {
    files.insert(core::ToLower(path));
    return *this;
  }
  static std::u16string KeyText(const RegistryKeyPath& key) {
    return core::IntToText(static_cast<int>(key.root)) + u":" + core::ToLower(key.subKey);
  }
};

struct Prompt {
  std::u16string text, caption;
  core::PromptIcon icon;
  bool question;
};

class FakePrompts : public core::UserPrompts {
 public:
  std::deque<bool> answers;  // answered in order; No when none are left
  std::vector<Prompt> shown;

  void Tell(std::u16string_view text, std::u16string_view caption, core::PromptIcon icon) override {
    shown.push_back({std::u16string(text), std::u16string(caption), icon, false});
  }
  bool AskYesNo(std::u16string_view text, std::u16string_view caption,
                core::PromptIcon icon) override {
    shown.push_back({std::u16string(text), std::u16string(caption), icon, true});
    if (answers.empty()) return false;
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

}  // namespace pathorama::paths::testing
