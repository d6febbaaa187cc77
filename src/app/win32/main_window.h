// The main window `TfrmPathorama`: a small always-on-top tool window that
// shows only its caption and menu bar, owns the process-wide state of the
// running instance and receives the commands of later starts.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/win32/global_hotkeys.h"
#include "app/win32/tray_icon.h"

namespace pathorama::app::win32 {

class AppSession;

// Process-wide state of the running instance; lives as long as the window.
struct AppState {
  std::u16string AppVersion = u"1.0";
  uint64_t LastHotKeyTick = 0;      // debounce of the jump-list and dialog hotkeys
  uint64_t LastAddRequestTick = 0;  // debounce of WM_ADDTOJUMPLIST
  HWND NextClipboardViewer = nullptr;
  bool ClipboardHasText = false;
  bool FirstActivationPending = true;
  bool MenuLoopActive = false;
  bool AskFolderManagerMismatch = true;
  int HotKeySlot = 0;
  int32_t CaptionMaxLength = 2147483647;
  HWND TargetWindow = nullptr;
  std::u16string TargetClassName;
  int ShellShowCommand = SW_SHOWNORMAL;
  int EdgeStrip = 2;
  int OffScreenTop = -1000;
  // How long tooltips of the program's windows stay up.
  int TooltipHideDelayMs = 8000;
  HCURSOR AddItemCursor = nullptr;  // shown while jump-list items are dragged
};

class MainWindow {
 public:
  MainWindow(HINSTANCE instance, std::u16string exePath, std::vector<std::u16string> args);
  ~MainWindow();
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // Registers the class, creates the window (not yet shown). False on failure.
  bool Create();
  // Shows the window; its first activation does the start-up work.
  void Show();
  HWND Handle() const { return hwnd_; }
  AppState& State() { return state_; }

  // For the settings: the window's side of loading, saving and applying.
  void RegisterHotKeys(const std::array<uint16_t, kHotKeySlotCount>& shortcuts);
  void CheckHideOffScreenMenuItem();
  bool UseGlobalHotKeyChecked() const;
  void SetUseGlobalHotKeyChecked(bool checked);
  std::pair<int, int> Position() const;  // left, top

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  void OnCreate();
  void OnFirstActivation();
  void OnCommandMessage(UINT message);
  void OnAddToJumpList();
  void OnMenuCommand(UINT id);
  void OnDrawClipboard(WPARAM wParam, LPARAM lParam);
  void OnChangeClipboardChain(HWND removed, HWND next);
  void OnClose();
  void OnDestroy();

  void FitHeightToCaptionAndMenu();
  void PlaceAtFirstActivation();
  void MoveTo(int left, int top);
  RECT WorkArea() const;
  void SetMenuCheck(UINT id, bool checked);
  bool MenuChecked(UINT id) const;
  void SetUseGlobalHotKey(bool on);
  void ShowAtCentre();

  HINSTANCE instance_;
  std::u16string exePath_;
  std::vector<std::u16string> args_;
  HWND hwnd_ = nullptr;
  HMENU menu_ = nullptr;
  AppState state_;
  GlobalHotKeys hotKeys_;
  TrayIcon tray_;
  std::unique_ptr<AppSession> session_;
  bool leftClipboardChain_ = false;
};

}  // namespace pathorama::app::win32
