// pathorama-cli windows: what Pathorama sees right now, topmost first. One
// line per folder manager window (manager word, handle, folder or empty, the
// number of selected items), then the Open/Save dialog in front, if any.
// It borrows the clipboard the way the program does, and restores it.
#include <windows.h>

#include <cstdio>

#include "app/cli/cli.h"
#include "core/text.h"
#include "windows/window_classes.h"
#include "windows/win32/dialogs.h"
#include "windows/win32/folder_managers.h"
#include "windows/win32/window_facts.h"

namespace pathorama::app::cli {

namespace {

std::u16string HandleText(HWND window) {
  char text[32];
  std::snprintf(text, sizeof text, "0x%08llX",
                static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(window)));
  return core::Utf8ToUtf16(text);
}

}  // namespace

int RunWindows(const std::vector<std::u16string>& args, Output& output) {
  if (!args.empty()) throw UsageError{u"takes no arguments"};
  using namespace pathorama::windows;
  for (HWND window : windows::win32::FindFolderManagerWindows()) {
    // A hosted Explorer view is a child window; it is Explorer all the same.
    std::u16string className = windows::win32::ClassNameOf(window);
    FolderManager manager = ManagerOfTopLevelWindow(className, windows::win32::TitleOf(window));
    windows::win32::OpenedFolder folder = windows::win32::GetFolderOfWindow(window);
    int selected = windows::win32::CountSelectedItems(window);
    output.Line(ManagerWord(manager) + u"\t" + HandleText(window) + u"\t" + folder.path + u"\t" +
                core::IntToText(selected));
  }
  HWND foreground = GetForegroundWindow();
  if (foreground && IsClass(windows::win32::ClassNameOf(foreground), kDialogClass)) {
    DialogType type = windows::win32::GetDialogType(foreground);
    if (type != DialogType::None)
      output.Line(u"dialog\t" + HandleText(foreground) + u"\t" + DialogTypeWord(type));
  }
  return 0;
}

}  // namespace pathorama::app::cli
