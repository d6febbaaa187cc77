// The options dialog "选项": five pages that edit the live settings object.
// It holds no settings of its own beyond the accelerator letters of the
// function items (which live for the run only); everything else it reads
// from and writes to the host's settings at once, and cancel assigns back
// the copy taken at showing. Modal, owned by the desktop; a second request
// while it is open brings it to the front instead of nesting.
#pragma once

#include <windows.h>

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "settings/app_settings.h"
#include "settings/options_rules.h"
#include "settings/settings_store.h"
#include "ui/win32/dialog_base.h"

namespace pathorama::settings::win32 {

// What the dialog asks of the program.
class OptionsHost {
 public:
  virtual ~OptionsHost() = default;
  virtual AppSettings& LiveSettings() = 0;
  // `DelGlobalHotKey("All")`: a shortcut being edited must not fire.
  virtual void UnregisterHotKeys() = 0;
  // The apply step on OK, or the steps after restoring on cancel (both
  // re-register the hotkeys while global hotkeys are on, and save).
  virtual void ApplySettings(ApplyMode mode) = 0;
  // `ChosenFolderManager` := index and that manager's own keys from the file.
  virtual void SelectFolderManager(int index) = 0;
  virtual void ShowWindowSpy() = 0;
  // The current-folder items of every group, added or removed at once.
  virtual void SetCurrentFolderItems(bool on) = 0;
  // The menu item "靠边时自动隐藏" follows the box.
  virtual void AutoHideChanged(bool on) = 0;
  // Checking "tell me when a hotkey was ignored" forgets the "do not tell
  // again" answers.
  virtual void ClearIgnoredHotKeyNotices() = 0;
  virtual bool AskYesNo(std::u16string_view text, std::u16string_view caption) = 0;
  enum class Icon { Warning, Error };
  virtual void ShowMessage(std::u16string_view text, std::u16string_view caption, Icon icon) = 0;
};

class OptionsDialog : public ui::win32::DialogBase<OptionsDialog> {
 public:
  static OptionsDialog& Instance();

  // Runs the dialog modally; returns true when it was closed with OK. While
  // it is already open it is brought to the front and false returned at once.
  bool Open(OptionsHost& host, int page = 0);
  bool Visible() const { return Handle() && IsWindowVisible(Handle()); }
  HWND PageHandle(int page) const;
  // The accelerator letters the jump list shows (for the run only).
  const AcceleratorLetters& Accelerators() const { return accelerators_; }
  // The settings object changed from outside (the main menu's auto-hide
  // item): the controls follow.
  void SettingsChangedOutside();

  // Public for the pages' procedure, which forwards their notifications.
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  OptionsDialog() = default;
  void OnInit();
  void ShowPage(int page);
  HWND Control(int id) const;
  void LoadControls();
  void LoadFolderManagerControls();
  void ApplyDependencies();
  void OnCommand(int id, int code, HWND control);
  void OnNotify(const NMHDR& header);
  void StoreControl(int id);
  void ShowStoredNumber(int id);
  void OnShortcutChanged(int id);
  void RefreshIgnoreTabs();
  void ShowIgnoreLists();
  void OnCapsLockBox(int id);
  void OnAcceleratorLeft(int index);
  void RebuildFolderManagerParams();
  bool Ok();
  void Cancel();

  OptionsHost* host_ = nullptr;
  std::array<HWND, 5> pages_{};
  std::optional<OptionsSnapshot> snapshot_;
  ShortcutValues lastGood_{};
  AcceleratorLetters accelerators_ = DefaultAcceleratorLetters();
  int initialPage_ = 0;
  bool loading_ = false;          // controls being filled: no change notices
  bool validatingAccelerator_ = false;  // the invalid-letter message is up
  bool closing_ = false;
  bool manualParams_ = false;     // "手工填写参数": run-only
  bool totalCommanderNewTab_ = true, freeCommanderNewTab_ = true;  // run-only
};

}  // namespace pathorama::settings::win32
