// The window "把…路径添加到路径跳转列表": adds the folder open in the
// foreground file manager, or what is selected in it, to the live jump list
// and saves it at once, without the editor. Modeless, created once and
// reused; its controls keep their states between showings except what the
// opening command sets.
#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "core/prompts.h"
#include "editor/add_to_jump_list.h"
#include "jumplist/jump_list.h"
#include "ui/win32/dialog_base.h"
#include "windows/selection_text.h"
#include "windows/window_classes.h"

namespace pathorama::editor::win32 {

// What the dialog needs of the running program.
class AddDialogHost {
 public:
  virtual ~AddDialogHost() = default;
  virtual jumplist::JumpList& LiveJumpList() = 0;
  virtual int32_t CaptionMaxLength() = 0;
  // The setting "AddCurDirForEverySubJumplist".
  virtual bool CurrentFolderItemsOn() = 0;
  // Writes the live list into the settings file; false when it could not.
  virtual bool SaveJumpList() = 0;
  // True while the editor holds a copy of the list that its save would
  // write over anything added here.
  virtual bool EditorHoldsJumpList() = 0;
  // The messages and questions; null: message boxes over the dialog.
  virtual core::UserPrompts* Prompts() { return nullptr; }
};

// What the dialog reads of the folder managers on the screen.
class AddDialogFacts {
 public:
  virtual ~AddDialogFacts() = default;
  virtual windows::FolderManager TopmostManager() = 0;
  // The folder of the topmost manager; empty when it cannot be read.
  virtual std::u16string OpenFolder() = 0;
  // The address bar of the Explorer window in front ("地址: 控制面板").
  virtual std::u16string ExplorerAddressText() = 0;
  // The topmost manager's selection, one full path per line, folders ending
  // in "\".
  virtual std::u16string Selection(windows::SelectionMode mode) = 0;
  virtual bool PathExists(std::u16string_view path) = 0;
};

// The facts as the system has them.
AddDialogFacts& SystemManagerFacts();

// What an opening command sets; what it leaves unset keeps its state.
struct AddDialogRequest {
  AddSource source = AddSource::kOpenFolder;
  std::optional<bool> simplifyEnabled;
  std::optional<bool> simplifyChecked;
  std::optional<bool> onTop;
  std::optional<bool> toMenuItem;
  std::optional<InsertPosition> position;
  // The destination: a group's tag and caption (0: none).
  std::optional<std::pair<int32_t, std::u16string>> destination;
  // Activated again when the dialog closes: the window in front when the
  // command came.
  HWND returnTo = nullptr;
};

class AddToJumpListDialog : public ui::win32::DialogBase<AddToJumpListDialog> {
 public:
  static AddToJumpListDialog& Instance();
  ~AddToJumpListDialog();

  // Shows the dialog (creating it the first time) and collects the paths;
  // refuses with a message while the editor holds the list.
  void Show(AddDialogHost& host, AddDialogFacts& facts, const AddDialogRequest& request);
  bool Visible() const { return Handle() && IsWindowVisible(Handle()); }
  // Closes it as 取消 does.
  void Close();

 private:
  friend DialogBase;
  AddToJumpListDialog() = default;
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  HWND Item(int id) const { return GetDlgItem(Handle(), id); }
  bool Checked(int id) const { return IsDlgButtonChecked(Handle(), id) == BST_CHECKED; }
  void Check(int id, bool on) { CheckDlgButton(Handle(), id, on ? BST_CHECKED : BST_UNCHECKED); }

  void Initialize();
  void CreateHints();
  void Apply(const AddDialogRequest& request);
  AddSource Source() const;
  void CollectPathsToAdd();
  void ShowList(std::u16string list);
  void UpdateTitleBox();
  void ToggleSimplify();
  void ChooseDestination(HWND anchor);
  void ShowDestination();
  InsertPosition ChosenPosition() const;
  void SetOnTop();
  void Confirm();
  void Hide();
  void CopyList();
  void FillListHint(NMTTDISPINFOW& info);
  void LayOut(int clientWidth);
  void Hover(bool on);
  void MakeHoverFont();
  void OnDpiChanged(WPARAM wParam, LPARAM lParam);
  core::UserPrompts& Prompts();

  AddDialogHost* host_ = nullptr;
  AddDialogFacts* facts_ = nullptr;
  std::unique_ptr<core::UserPrompts> ownPrompts_;
  std::u16string list_;
  int32_t destinationTag_ = 0;
  std::u16string destinationCaption_;
  HWND returnTo_ = nullptr;
  HWND hints_ = nullptr;
  HFONT hoverFont_ = nullptr;
  bool hovering_ = false;
  SIZE templateSize_{};  // the window as the template made it
  int templateClientWidth_ = 0;
  std::wstring hintText_;
};

}  // namespace pathorama::editor::win32
