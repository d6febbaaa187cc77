#include "windows/window_classes.h"

#include "core/text.h"

namespace pathorama::windows {

namespace {

struct ManagerName {
  FolderManager manager;
  std::u16string_view word;
};

constexpr ManagerName kManagerNames[] = {
    {FolderManager::Explorer, u"Explorer"},
    {FolderManager::TotalCommander, u"TotalCommander"},
    {FolderManager::DirectoryOpus, u"DirectoryOpus"},
    {FolderManager::XYplorer, u"XYplorer"},
    {FolderManager::Xplorer2, u"Xplorer2"},
    {FolderManager::FreeCommander, u"FreeCommander"},
};

}  // namespace

std::u16string ManagerWord(FolderManager manager) {
  for (const ManagerName& m : kManagerNames)
    if (m.manager == manager) return std::u16string(m.word);
  return {};
}

FolderManager ManagerFromWord(std::u16string_view word) {
  for (const ManagerName& m : kManagerNames)
    if (core::EqualsIgnoreCase(m.word, word)) return m.manager;
  return FolderManager::None;
}

bool IsClass(std::u16string_view className, std::u16string_view wanted) {
  return core::EqualsIgnoreCase(className, wanted);
}

bool IsFreeCommanderClass(std::u16string_view className) {
  return core::StartsWithIgnoreCase(className, kFreeCommanderClassPrefix);
}

bool IsXYplorerWindow(std::u16string_view className, std::u16string_view title) {
  return IsClass(className, kXYplorerClass) &&
         core::FindIgnoreCase(title, u"XYplorer") != std::u16string_view::npos;
}

FolderManager ManagerOfTopLevelWindow(std::u16string_view className, std::u16string_view title) {
  if (IsClass(className, kExplorerClass)) return FolderManager::Explorer;
  if (IsClass(className, kTotalCommanderClass)) return FolderManager::TotalCommander;
  if (IsClass(className, kDirectoryOpusClass)) return FolderManager::DirectoryOpus;
  if (IsClass(className, kXplorer2Class)) return FolderManager::Xplorer2;
  if (IsFreeCommanderClass(className)) return FolderManager::FreeCommander;
  if (IsXYplorerWindow(className, title)) return FolderManager::XYplorer;
  return FolderManager::None;
}

size_t ChooseTopmostFolderManager(const std::vector<TopLevelFacts>& zOrder,
                                  const std::function<bool(size_t)>& hostsExplorer) {
  for (size_t i = 0; i < zOrder.size(); ++i) {
    const TopLevelFacts& w = zOrder[i];
    if (ManagerOfTopLevelWindow(w.className, w.title) != FolderManager::None) return i;
    // A VB form without "XYplorer" in its title is some other program.
    if (IsClass(w.className, kXYplorerClass)) continue;
    if (hostsExplorer && hostsExplorer(i)) return i;
  }
  return static_cast<size_t>(-1);
}

bool MatchesClassChain(const std::vector<std::u16string>& classesUpward,
                       const std::vector<std::u16string_view>& chain) {
  if (classesUpward.size() < chain.size()) return false;
  for (size_t i = 0; i < chain.size(); ++i)
    if (!IsClass(classesUpward[i], chain[i])) return false;
  return true;
}

std::u16string DialogTypeWord(DialogType type) {
  switch (type) {
    case DialogType::OpenFile: return u"OpenFile";
    case DialogType::OpenFolder: return u"OpenFolder";
    case DialogType::None: break;
  }
  return {};
}

DialogType DialogTypeOf(const std::vector<DialogControlFacts>& descendants) {
  for (const DialogControlFacts& c : descendants) {
    if (!IsClass(c.className, u"Edit")) continue;
    if (IsClass(c.parentClass, u"ComboBox")) return DialogType::OpenFile;
    if (IsClass(c.parentClass, kDialogClass)) return DialogType::OpenFolder;
  }
  return DialogType::None;
}

namespace {

// The file name combo box sits in the dialog itself (classic dialogs), in a
// ComboBoxEx32 of the dialog (the system's Open/Save dialog), or in the
// FloatNotifySink of the newer item dialogs.
bool IsFileNameComboHolder(const DialogControlFacts& c) {
  if (IsClass(c.grandParentClass, kDialogClass)) return true;
  if (IsClass(c.grandParentClass, u"FloatNotifySink")) return true;
  return IsClass(c.grandParentClass, u"ComboBoxEx32") && IsClass(c.greatGrandParentClass, kDialogClass);
}

}  // namespace

size_t ChooseDialogFileNameEdit(const std::vector<DialogControlFacts>& descendants) {
  constexpr size_t kNone = static_cast<size_t>(-1);
  for (size_t i = 0; i < descendants.size(); ++i) {
    const DialogControlFacts& c = descendants[i];
    if (!IsClass(c.className, u"Edit") || !c.visible || !c.enabled) continue;
    // Only the first usable edit is considered: it either is the name field
    // or the dialog has none (a search box first means some other dialog).
    if (c.parentIsDialog && i != 0) return i;
    if (IsClass(c.parentClass, u"ComboBox") && IsFileNameComboHolder(c)) return i;
    return kNone;
  }
  return kNone;
}

size_t ChooseShellWindowItem(const std::vector<bool>& isActiveTab) {
  if (isActiveTab.empty()) return static_cast<size_t>(-1);
  for (size_t i = 0; i < isActiveTab.size(); ++i)
    if (isActiveTab[i]) return i;
  return 0;
}

}  // namespace pathorama::windows
