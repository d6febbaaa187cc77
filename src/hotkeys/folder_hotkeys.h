// What the dialog hotkey and the capture hotkey do in the window in front:
// the folder each of them takes, where it goes (an Open/Save dialog, a
// console, the focused text box, the clipboard, the folder manager) and the
// texts the user reads. Facts are read through the interfaces below, only
// when the decision needs them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "windows/office_documents.h"
#include "windows/selection_text.h"
#include "windows/window_classes.h"

namespace pathorama::hotkeys {

// ---- the open folder ------------------------------------------------------------------
// The folder each file manager shows now.
class ManagerFolderReaders {
 public:
  virtual ~ManagerFolderReaders() = default;
  virtual std::u16string FolderOf(windows::FolderManager manager) = 0;
  virtual std::u16string TopmostManagerFolder() = 0;
};

// The folder of the file manager chosen by "GetFolderFromManager" (0 the
// topmost manager of any kind, 1 Total Commander, 2 Directory Opus,
// 3 XYplorer, 4 xplorer2, 5 FreeCommander, 6 Explorer); the topmost
// manager's when that one shows none.
std::u16string GetFolderFromPriorFolderManager(int getFolderFromManager,
                                               ManagerFolderReaders& readers);

// A folder the dialog hotkey may type: an existing folder or a shell
// namespace path; "." and ".." and anything else give empty.
std::u16string UsableFolder(std::u16string_view folder, const windows::PathKindProbe& probe);

// ---- the dialog hotkey ------------------------------------------------------------------
inline constexpr std::u16string_view kNoFolderCaption = u"没有捕获到文件夹路径";
inline constexpr std::u16string_view kNoFolderForDialogMessage =
    u"当前没有捕获到任何文件夹路径，无法跳转";
inline constexpr std::u16string_view kNoFolderForConsoleMessage =
    u"当前没有捕获到任何文件夹路径，无法切换";

class DialogHotKeyFacts {
 public:
  virtual ~DialogHotKeyFacts() = default;
  virtual std::u16string PriorManagerFolder() = 0;    // GetFolderFromPriorFolderManager
  virtual std::u16string TopmostManagerFolder() = 0;  // GetFolderOfTopmostManager
  // The focused control of the window in front is an "Edit" or "TEdit".
  virtual bool FocusIsTextBox() = 0;
  virtual windows::PathKind KindOf(const std::u16string& path) = 0;
};

struct DialogHotKeyPlan {
  enum class Step {
    SwitchDialog,         // ChangeDialogFolderPath(target, folder)
    WarnNoDialogFolder,   // kNoFolderForDialogMessage, then back to the dialog's file name field
    ChangeConsoleFolder,  // ChangeConsoleFolder(target, folder)
    WarnNoConsoleFolder,  // kNoFolderForConsoleMessage
    FillFocusedEdit,      // InputFolderPathInSubEdit(target, focus, folder, fill mode)
    ClipboardFallback,    // with `folder`
  };
  Step step = Step::ClipboardFallback;
  std::u16string folder;
  friend bool operator==(const DialogHotKeyPlan&, const DialogHotKeyPlan&) = default;
};
// `fillFocusedEdit`: "FillOpenedFolderInActivateEdit". A text box is filled
// only with a usable folder: without one the user's text stays and the
// clipboard fallback decides.
DialogHotKeyPlan PlanDialogHotKey(std::u16string_view targetClass, bool fillFocusedEdit,
                                  DialogHotKeyFacts& facts);

// ---- the clipboard fallback ---------------------------------------------------------------
enum class FallbackStep { GiveBack, Copy };
// Copy when the folder exists, "SaveOpendFolderPathToClip" is on and Caps
// Lock is not lit; otherwise the dialog hotkey goes back to the window.
FallbackStep DecideClipboardFallback(bool folderExists, bool saveToClipboard, bool capsLock);
inline constexpr std::u16string_view kCopiedFolderCaption = u"复制文件夹路径";
// Shown only after the folder is on the clipboard; `shortcut` is the dialog
// hotkey's text.
std::u16string CopiedFolderMessage(std::u16string_view folder, std::u16string_view shortcut);

// ---- the capture hotkey ---------------------------------------------------------------------
// The Office product whose document folder the capture reads for a window
// of this class; Word's main window counts only with its document pane.
std::optional<windows::OfficeProduct> OfficeDocumentProductOf(std::u16string_view className,
                                                              bool hasWordDocumentPane);

// The shell's desktop: "Progman" or "WorkerW".
bool IsShellDesktopClass(std::u16string_view className);

// The folder of a program file: the text before the last backslash, a drive
// root keeping its backslash ("C:\x.exe" -> "C:\"); empty without one.
std::u16string ProgramFolderOf(std::u16string_view programPath);

class CaptureFacts {
 public:
  virtual ~CaptureFacts() = default;
  // The folder of the active document of the Office program of the window.
  virtual std::u16string OfficeFolder(windows::OfficeProduct product) = 0;
  // The full path of the program that owns the window.
  virtual std::u16string ProgramPath() = 0;
  virtual windows::PathKind KindOf(const std::u16string& path) = 0;
};

struct CaptureOptions {
  bool on = true;              // "chkCaptureOfficeOrWindowFolderPath"
  bool copyToClipboard = false;  // "OperateOfficeOrWindowFolderPathCaptured" = 1
  bool capsLock = false;
};

struct CapturePlan {
  enum class Step { GiveBack, Nothing, Open, Copy };
  Step step = Step::Nothing;
  std::u16string folder;
  std::u16string message;  // for Copy: shown once the folder is on the clipboard
  std::u16string caption;
  friend bool operator==(const CapturePlan&, const CapturePlan&) = default;
};
CapturePlan PlanCaptureHotKey(std::u16string_view targetClass, bool hasWordDocumentPane,
                              const CaptureOptions& options, CaptureFacts& facts);

}  // namespace pathorama::hotkeys
