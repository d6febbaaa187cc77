// The main window (class "TfrmPathorama"): a small always-on-top tool window
// that shows only its caption and menu bar, owns the process-wide state of
// the running instance and receives the commands of later starts.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/edge_docking.h"
#include "app/win32/global_hotkeys.h"
#include "ui/win32/message_box_prompts.h"
#include "windows/win32/dialog_watch.h"
#include "app/win32/tray_icon.h"
#include "ui/win32/window_base.h"

namespace pathorama::app::win32 {

class AppSession;

// Process-wide state of the running instance; lives as long as the window.
struct AppState {
  std::u16string appVersion = u"1.0";
  uint64_t lastHotKeyTick = 0;      // debounce of the jump-list and dialog hotkeys
  uint64_t lastAddRequestTick = 0;  // debounce of kAddToJumpListMessage
  HWND nextClipboardViewer = nullptr;
  bool clipboardHasText = false;
  bool firstActivationPending = true;
  bool menuLoopActive = false;
  bool askFolderManagerMismatch = true;
  int hotKeySlot = 0;
  int32_t captionMaxLength = 2147483647;
  HWND targetWindow = nullptr;
  std::u16string targetClassName;
  int shellShowCommand = SW_SHOWNORMAL;
  int edgeStrip = 2;
  int offScreenTop = -1000;
  // How long tooltips of the program's windows stay up.
  int tooltipHideDelayMs = 8000;
  HCURSOR addItemCursor = nullptr;  // shown while jump-list items are dragged
};

class MainWindow : public ui::win32::WindowBase<MainWindow> {
 public:
  MainWindow(HINSTANCE instance, std::u16string exePath, std::vector<std::u16string> args);
  ~MainWindow();

  // Registers the class, creates the window (not yet shown). False on failure.
  bool Create();
  // Shows the window; its first activation does the start-up work.
  void Show();
  AppState& State() { return state_; }
  // Settings and jump list of the running instance (after creation).
  // Null until the first activation.
  windows::win32::DialogWatch* DialogWatchOrNull() { return dialogWatch_.get(); }
  AppSession& Session() { return *session_; }

  // For the settings: the window's side of loading, saving and applying.
  // Registers the hotkeys while "启用全局热键(&H)" is checked, else releases them.
  void RegisterHotKeys(const std::array<uint16_t, kHotKeySlotCount>& shortcuts);
  const std::array<uint16_t, kHotKeySlotCount>& HotKeyIds() const { return hotKeys_.HotKeyIds(); }
  void CheckHideOffScreenMenuItem();
  // Placed above the screen at the first activation ("隐藏到屏幕外").
  bool ParkedAtStart() const { return parkedAtStart_; }
  bool UseGlobalHotKeyChecked() const;
  void SetUseGlobalHotKeyChecked(bool checked);
  std::pair<int, int> Position() const;  // left, top

 private:
  friend WindowBase;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  void OnCreate();
  void OnFirstActivation();
  void OnCommandMessage(UINT message);
  void OnAddToJumpList();
  void OnMenuCommand(UINT id);
  void OnTrayIcon(LPARAM mouseMessage);
  void OnDrawClipboard(WPARAM wParam, LPARAM lParam);
  void OnChangeClipboardChain(HWND removed, HWND next);
  void OnClose();
  void OnDestroy();

  void FitHeightToCaptionAndMenu();
  void PlaceAtFirstActivation();
  void MoveTo(int left, int top);
  RECT WorkArea() const;
  app::ScreenRect WindowRectOnScreen() const;
  // The work area the window docks in (remembered while it is docked).
  app::ScreenRect DockingWorkArea(const app::ScreenRect& window);
  int AutoHideDistance() const;
  // Starts or stops the auto-hide timer; off brings a docked window back.
  void SetAutoHide(bool on);
  void AutoHideTick();
  void StartAutoHide();
  void SetMenuCheck(UINT id, bool checked);
  bool MenuChecked(UINT id) const;
  void SetUseGlobalHotKey(bool on);
  void ShowAtCentre();
  void LeaveClipboardChain();
  void StartDialogWatch();

  HINSTANCE instance_;
  std::u16string exePath_;
  std::vector<std::u16string> args_;
  HMENU menu_ = nullptr;
  AppState state_;
  GlobalHotKeys hotKeys_;
  TrayIcon tray_;
  std::unique_ptr<AppSession> session_;
  bool leftClipboardChain_ = false;
  int closeRetries_ = 0;  // rounds of the exit spent waiting for modal dialogs
  bool parkedAtStart_ = false;
  std::optional<app::ScreenRect> dockingArea_;
  std::unique_ptr<ui::win32::MessageBoxPrompts> prompts_;
  // Switches an Open/Save dialog that comes to the front right after a file
  // manager; from the first activation on.
  std::unique_ptr<windows::win32::DialogWatch> dialogWatch_;
};

}  // namespace pathorama::app::win32
