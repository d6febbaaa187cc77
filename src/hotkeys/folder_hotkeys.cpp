#include "hotkeys/folder_hotkeys.h"

#include "paths/path_info.h"

namespace pathorama::hotkeys {

using windows::FolderManager;
using windows::IsClass;
using windows::PathKind;

std::u16string GetFolderFromPriorFolderManager(int getFolderFromManager,
                                               ManagerFolderReaders& readers) {
  std::u16string folder;
  switch (getFolderFromManager) {
    case 1: folder = readers.FolderOf(FolderManager::TotalCommander); break;
    case 2: folder = readers.FolderOf(FolderManager::DirectoryOpus); break;
    case 3: folder = readers.FolderOf(FolderManager::XYplorer); break;
    case 4: folder = readers.FolderOf(FolderManager::Xplorer2); break;
    // FreeCommander's folder cannot be read.
    case 6: folder = readers.FolderOf(FolderManager::Explorer); break;
    default: break;
  }
  if (folder.empty()) folder = readers.TopmostManagerFolder();
  return folder;
}

std::u16string UsableFolder(std::u16string_view folder, const windows::PathKindProbe& probe) {
  if (folder.empty() || folder == u"." || folder == u"..") return {};
  const std::u16string text(folder);
  if (paths::IsShellNamespacePath(text)) return text;
  return probe(text) == PathKind::Folder ? text : std::u16string();
}

DialogHotKeyPlan PlanDialogHotKey(std::u16string_view targetClass, bool fillFocusedEdit,
                                  DialogHotKeyFacts& facts) {
  using Step = DialogHotKeyPlan::Step;
  const auto probe = [&facts](const std::u16string& p) { return facts.KindOf(p); };
  if (IsClass(targetClass, windows::kDialogClass)) {
    std::u16string folder = UsableFolder(facts.PriorManagerFolder(), probe);
    if (folder.empty()) return {Step::WarnNoDialogFolder, {}};
    return {Step::SwitchDialog, folder};
  }
  if (IsClass(targetClass, windows::kConsoleClass)) {
    std::u16string folder = facts.TopmostManagerFolder();
    if (folder.empty()) return {Step::WarnNoConsoleFolder, {}};
    return {Step::ChangeConsoleFolder, folder};
  }
  if (fillFocusedEdit && facts.FocusIsTextBox()) {
    std::u16string folder = UsableFolder(facts.PriorManagerFolder(), probe);
    if (!folder.empty()) return {Step::FillFocusedEdit, folder};
  }
  return {Step::ClipboardFallback, facts.TopmostManagerFolder()};
}

FallbackStep DecideClipboardFallback(bool folderExists, bool saveToClipboard, bool capsLock) {
  return folderExists && saveToClipboard && !capsLock ? FallbackStep::Copy : FallbackStep::GiveBack;
}

std::u16string CopiedFolderMessage(std::u16string_view folder, std::u16string_view shortcut) {
  return u"已经把当前打开的以下文件夹路径复制到剪贴板中\r\n\r\n" + std::u16string(folder) +
         u"\r\n\r\n点亮 CapsLock 时，将临时恢复快捷键 " + std::u16string(shortcut) +
         u" 在本窗口中的原有功能";
}

std::optional<windows::OfficeProduct> OfficeDocumentProductOf(std::u16string_view className,
                                                              bool hasWordDocumentPane) {
  const std::optional<windows::OfficeProduct> product = windows::OfficeProductOfClass(className);
  if (product == windows::OfficeProduct::Word && !hasWordDocumentPane) return std::nullopt;
  return product;
}

bool IsShellDesktopClass(std::u16string_view className) {
  return IsClass(className, u"Progman") || IsClass(className, u"WorkerW");
}

std::u16string ProgramFolderOf(std::u16string_view programPath) {
  const size_t slash = programPath.find_last_of(u'\\');
  if (slash == std::u16string_view::npos) return {};
  std::u16string folder(programPath.substr(0, slash));
  if (folder.size() == 2 && folder[1] == u':') folder += u'\\';
  return folder;
}

CapturePlan PlanCaptureHotKey(std::u16string_view targetClass, bool hasWordDocumentPane,
                              const CaptureOptions& options, CaptureFacts& facts) {
  using Step = CapturePlan::Step;
  if (!options.on || options.capsLock) return {Step::GiveBack, {}, {}, {}};
  const std::optional<windows::OfficeProduct> office =
      OfficeDocumentProductOf(targetClass, hasWordDocumentPane);
  std::u16string folder, message, caption;
  if (office) {
    folder = facts.OfficeFolder(*office);
    // An unsaved document, a web location, a folder that is gone: no folder.
    if (folder.empty() || facts.KindOf(folder) != PathKind::Folder)
      return {Step::GiveBack, {}, {}, {}};
    const std::u16string word = windows::OfficeProductWord(*office);
    message = u"已经把当前 " + word + u" 文件所在的文件夹路径复制到剪贴板中\r\n\r\n" + folder;
    caption = u"复制 " + word + u" 文件夹路径";
  } else {
    if (IsShellDesktopClass(targetClass)) return {Step::GiveBack, {}, {}, {}};
    folder = ProgramFolderOf(facts.ProgramPath());
    if (folder.empty()) return {Step::Nothing, {}, {}, {}};
    message = u"已经把当前窗口/程序所在的文件夹路径复制到剪贴板中\r\n\r\n" + folder;
    caption = std::u16string(kCopiedFolderCaption);
  }
  if (!options.copyToClipboard) return {Step::Open, folder, {}, {}};
  return {Step::Copy, folder, message, caption};
}

}  // namespace pathorama::hotkeys
