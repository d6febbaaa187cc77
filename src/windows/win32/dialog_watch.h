// The dialog watch: an Open/Save dialog that comes to the front right after
// a file manager window is switched to the folder that manager shows, once.
//
// Usage (the main window):
//   DialogWatch watch(context);        // a DialogSwitchContext, reason Timer
//   SetTimer(hwnd, kDialogWatchTimer, DialogWatch::kIntervalMs, nullptr);
//   case WM_TIMER: if (wParam == kDialogWatchTimer) watch.Tick();
// Every action of the program that drives other windows, and every modal
// window of the program, holds a pause for its duration:
//   { DialogWatch::Pause pause(watch); ChangeDialogFolderPath(...); }
// While paused the watch keeps track of the foreground window but never acts.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "windows/win32/dialog_switch.h"

namespace pathorama::windows::win32 {

class DialogWatch {
 public:
  static constexpr UINT kIntervalMs = 200;

  // The folder a manager window shows, given the window that was in front
  // before the dialog. The default asks the topmost file manager, then that
  // window itself.
  using FolderReader = std::function<std::u16string(HWND previousForeground)>;
  static std::u16string ReadManagerFolder(HWND previousForeground);

  explicit DialogWatch(DialogSwitchContext context, FolderReader readFolder = ReadManagerFolder);
  DialogWatch(const DialogWatch&) = delete;
  DialogWatch& operator=(const DialogWatch&) = delete;

  // Looks at the foreground window; switches a file dialog that has just
  // come to the front after a file manager. Never acts on a window of this
  // process or on a "#32770" without a folder view or tree.
  void Tick();

  class Pause {
   public:
    explicit Pause(DialogWatch& watch) : watch_(watch) { ++watch_.pauses_; }
    ~Pause() { --watch_.pauses_; }
    Pause(const Pause&) = delete;
    Pause& operator=(const Pause&) = delete;

   private:
    DialogWatch& watch_;
  };
  bool IsPaused() const { return pauses_ > 0; }

  // How many dialogs the watch has switched (or tried to); for the trace
  // and the tests.
  int Actions() const { return actions_; }

 private:
  DialogSwitchContext context_;
  FolderReader readFolder_;
  HWND lastForeground_ = nullptr;
  std::u16string lastForegroundClass_;
  int pauses_ = 0;
  int actions_ = 0;
};

}  // namespace pathorama::windows::win32
