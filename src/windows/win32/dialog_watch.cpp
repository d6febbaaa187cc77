#include "windows/win32/dialog_watch.h"

#include <vector>

#include "core/diagnostics.h"
#include "windows/dialog_fill.h"
#include "windows/win32/folder_managers.h"
#include "windows/win32/path_probe.h"
#include "windows/win32/window_facts.h"

namespace pathorama::windows::win32 {

std::u16string DialogWatch::ReadManagerFolder(HWND previousForeground) {
  std::u16string folder = GetFolderOfTopmostManager().path;
  if (folder.empty() && previousForeground && IsWindow(previousForeground))
    folder = GetFolderOfWindow(previousForeground).path;
  return folder;
}

DialogWatch::DialogWatch(DialogSwitchContext context, FolderReader readFolder)
    : context_(std::move(context)), readFolder_(std::move(readFolder)) {}

namespace {

bool BelongsToThisProcess(HWND window) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  return process == GetCurrentProcessId();
}

bool IsFileDialog(HWND dialog) {
  std::vector<std::u16string> classes;
  for (HWND child : DescendantsOf(dialog)) classes.push_back(ClassNameOf(child));
  return IsFileDialogLayout(classes);
}

}  // namespace

void DialogWatch::Tick() {
  HWND foreground = GetForegroundWindow();
  if (foreground == lastForeground_) return;
  HWND previous = lastForeground_;
  std::u16string previousClass = std::move(lastForegroundClass_);
  lastForeground_ = foreground;
  lastForegroundClass_ = ClassNameOf(foreground);
  if (IsPaused() || !foreground) return;
  if (!WatchLooksAt(previousClass, lastForegroundClass_)) return;
  if (BelongsToThisProcess(foreground) || !IsFileDialog(foreground)) return;

  Pause pause(*this);
  std::u16string folder = readFolder_ ? readFolder_(previous) : std::u16string();
  if (ProbePath(folder) != PathKind::Folder) return;
  ++actions_;
  SwitchResult result = ChangeDialogFolderPath(foreground, folder, u"", SwitchReason::Timer, context_);
  if (result != SwitchResult::Switched)
    core::Trace(u"the dialog watch could not switch the dialog to " + folder + u": " +
                std::u16string(SwitchResultWord(result)));
  // The dialog stays the window seen last, whatever came to the front while
  // it was switched: the watch acts once per arrival.
  lastForeground_ = foreground;
  lastForegroundClass_ = ClassNameOf(foreground);
}

}  // namespace pathorama::windows::win32
