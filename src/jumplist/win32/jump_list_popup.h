// Showing the jump list: capture the target window, read the open folder,
// prepare the menu, place it, track it modally, and do what was chosen after
// it closed (an entry is never run inside the menu's own notifications).
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "core/prompts.h"
#include "jumplist/jump_list.h"
#include "jumplist/jump_menu.h"
#include "jumplist/win32/popup_menu.h"
#include "windows/win32/target_window.h"

namespace pathorama::jumplist::win32 {

// What the popup hands to the rest of the program.
struct PopupHooks {
  // Runs one entry's path info (item activation).
  std::function<void(const std::u16string& pathInfo)> runItem;
  // Writes the changed list to the settings file; false when it could not.
  std::function<bool()> saveJumpList;
  // Opens the add-to-jump-list dialog on `folder`, into the group with tag
  // `groupTag` (0: no destination chosen).
  std::function<void(const std::u16string& folder, int32_t groupTag)> openAddDialog;
  std::function<void()> openEditor;
  std::function<void()> openOptions;
  // One of the three forbid items (ForbidInCurrentWindowClass, ...).
  std::function<void(FunctionItem item)> forbidHotKey;
};

// One showing.
struct PopupRequest {
  HWND owner = nullptr;  // the main window
  JumpList* list = nullptr;
  MenuOptions options;
  PlacementOptions placement;
  // Capture the target as for the main menu, the tray and /OpenJumpList.
  // False for a hotkey start, whose target is already set.
  bool captureTarget = true;
  windows::win32::TargetWindow* target = nullptr;  // read and updated
  core::UserPrompts* prompts = nullptr;
  paths::VariableExpander expand;
  PathExists exists;                   // for the batch deletion
  bool recognizeWebAddresses = false;  // the editor's "自动识别网络地址"
  // The open folder; read from the desktop or the topmost folder manager
  // when not given.
  std::optional<std::u16string> currentFolder;
};

// The target for a start from the main menu, the tray or /OpenJumpList: the
// window just below the main window when it is a "DTE" window, a console or
// an Open/Save dialog, else the topmost folder manager (no window when there
// is none).
windows::win32::TargetWindow CaptureJumpListTarget(HWND owner);

// The folder open now: the desktop's folder when the desktop is in front,
// else the topmost folder manager's (empty when unknown).
std::u16string ReadCurrentFolder();

// A path that exists as a folder or a file.
bool LocalPathExists(std::u16string_view path);

class JumpListPopup {
 public:
  explicit JumpListPopup(HINSTANCE instance);
  ~JumpListPopup();

  // Prepares, shows and tracks the popup, then does what was chosen. A
  // request while the menu is open is refused (false): menus do not nest.
  // What was chosen runs after the menu has closed and may show it again.
  bool Show(const PopupRequest& request, const PopupHooks& hooks);
  bool IsOpen() const { return open_; }

  // The owner's window procedure hands WM_INITMENUPOPUP here first: a
  // submenu is filled when it opens, and a group opened with Ctrl held runs
  // all its entries once the menu has closed. True when the message belonged
  // to this popup.
  bool HandleOwnerMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  void Dispatch(const PopupRequest& request, const PopupHooks& hooks, const PreparedMenu& prepared,
                const MenuCommand& command);
  void RunFunction(const PopupRequest& request, const PopupHooks& hooks,
                   const PreparedMenu& prepared, FunctionItem item);
  void Save(const PopupHooks& hooks);

  HINSTANCE instance_;
  std::unique_ptr<MenuIcons> icons_;
  bool open_ = false;
  PopupMenuBuild* build_ = nullptr;  // while open
  const PopupRequest* request_ = nullptr;
  std::optional<int32_t> ctrlGroup_;
};

}  // namespace pathorama::jumplist::win32
