#include "app/win32/feature_entry_points.h"

#include "app/win32/about_box.h"

namespace pathorama::app::win32 {

namespace {

// A modal dialog would otherwise open behind the always-on-top main window.
class NotTopmostWhileModal {
 public:
  explicit NotTopmostWhileModal(HWND window) : window_(window) {
    SetWindowPos(window_, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  ~NotTopmostWhileModal() {
    SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  NotTopmostWhileModal(const NotTopmostWhileModal&) = delete;
  NotTopmostWhileModal& operator=(const NotTopmostWhileModal&) = delete;

 private:
  HWND window_;
};

}  // namespace

void OpenAboutBox(HWND mainWindow) {
  NotTopmostWhileModal notTopmost(mainWindow);
  ShowAboutBox(mainWindow);
}

// The jump-list popup, the editor, the options dialog and the add dialog are
// not part of the program yet: their entry points accept the call and do
// nothing, so the commands that reach them are safe to send.

void ShowJumpListMenu(HWND) {}
void OpenJumpListEditor(HWND) {}
void OpenOptionsDialog(HWND) {}
void AddToJumpListFromSelection(HWND) {}
void CopyFunctionItemsIntoJumpList(HWND) {}
void AutoHideWhenScreenEdgeChanged(HWND, bool) {}

}  // namespace pathorama::app::win32
