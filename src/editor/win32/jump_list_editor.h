// The window "配置路径跳转列表": the jump list as a tree on the left, the
// commands and options on the right, the path row of the focused entry
// below. It edits a copy of the live list (the tree model); nothing reaches
// the live list or the settings file before 保存. Created once, hidden when
// closed; its check boxes keep their states for the whole run.
#pragma once

#include <windows.h>
// After windows.h, which they need.
#include <commctrl.h>
#include <shellapi.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "editor/editor_actions.h"
#include "editor/editor_commands.h"
#include "editor/editor_layout.h"
#include "editor/favorites_copy.h"
#include "editor/imports.h"
#include "editor/jump_tree.h"
#include "editor/path_row.h"
#include "editor/win32/jump_list_editor_ids.h"
#include "jumplist/jump_list.h"
#include "ui/win32/dialog_base.h"
#include "variables/win32/variable_builder_dialog.h"
#include "variables/win32/variable_popup_menu.h"

namespace pathorama::editor::win32 {

// What the editor needs of the running program.
class EditorHost {
 public:
  virtual ~EditorHost() = default;
  virtual jumplist::JumpList& LiveJumpList() = 0;
  // The stored option "隐藏已被禁用条目".
  virtual bool HideDisabledItems() = 0;
  virtual void SetHideDisabledItems(bool hide) = 0;
  virtual int32_t CaptionMaxLength() = 0;
  // Writes the tree into the settings file; false when it could not be
  // written (the file is then as it was).
  virtual bool SaveTreeToSettings(const JumpTree& tree) = 0;
  // An expander for one refresh of the window: other programs' folders are
  // asked once however many variables it expands.
  virtual paths::VariableExpander NewExpansionBatch() = 0;
  virtual core::CalendarDate Today() = 0;
  // "变量选项": the options dialog on its variables page.
  virtual void OpenVariableOptions() = 0;
};

// The editor's window, or the import window "导入收藏夹设置", which edits a
// tree of another program's favourites with the same tools and copies
// entries from it into the editor's tree.
enum class EditorWindowKind { JumpList, ImportFavorites };

class JumpListEditor : public ui::win32::DialogBase<JumpListEditor>,
                       private variables::win32::VariableBuilderCaller {
 public:
  static JumpListEditor& Instance();
  static JumpListEditor& ImportWindow();

  // Shows the editor over the live list: built afresh when it was closed,
  // brought to the front when it is open (unsaved edits stay).
  void Open(EditorHost& host);
  // The editor is open: shown, or hidden behind its import window.
  bool Visible() const;
  // The window of an open editor that the user works in: the import window
  // while it is up, else the editor's.
  HWND FrontWindow() const;
  // Hides the window as 取消 does.
  void Cancel();
  // "自动识别网络地址", which the popup and the opening of entries follow too;
  // on until the user unticks it (it is not stored).
  bool RecognizeWebAddresses() const {
    return !Handle() || IsDlgButtonChecked(Handle(), IDC_EDITOR_RECOGNIZE_URLS) == BST_CHECKED;
  }
  // "通过面板输入": the variable builder, set to `variable` unless empty,
  // writing into the path box.
  void OpenVariableBuilder(std::u16string_view variable);

 private:
  friend DialogBase;
  explicit JumpListEditor(EditorWindowKind kind);
  ~JumpListEditor();
  bool IsImportWindow() const { return kind_ == EditorWindowKind::ImportFavorites; }
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  // Window and controls.
  void InitDialog();
  void ApplyLayout();
  void CreateHints();
  void FillHint(NMTTDISPINFOW& info);
  HWND Item(int id) const { return GetDlgItem(Handle(), id); }
  bool Checked(int id) const;
  EditorOptions Options() const;
  void SetTopmost(bool topmost);

  // The tree view as a picture of the model.
  void FillTreeView();
  void RedrawTree();
  std::optional<NodeId> NodeOfItem(HTREEITEM item) const;
  HTREEITEM ItemOfNode(NodeId node) const;
  void FocusNodeInView(std::optional<NodeId> node);
  void OnSelectionChanged(const NMTREEVIEWW& change);
  void OnFocusedNodeChanged();
  LRESULT OnCustomDraw(NMTVCUSTOMDRAW& draw);
  void SyncExpandedFromView();

  // Dragging the selection within the tree.
  void BeginDrag(const NMTREEVIEWW& drag);
  void DragTo(POINT client);
  void Drop(POINT client);
  void EndDrag();
  struct DropPoint {
    std::optional<NodeId> node;
    bool topZone = false;
  };
  DropPoint DropPointAt(POINT client) const;

  // Commands.
  void Run(EditorCommand command);
  // An input box over the editor, which stops being topmost meanwhile.
  std::optional<std::u16string> Ask(std::u16string_view title, std::u16string_view prompt,
                                    std::u16string_view initial = {});
  // How nodes added now are made: the check boxes' states, the warnings
  // shown over the editor.
  AddNodeOptions NodeOptions(core::UserPrompts& prompts);
  // "添加同级条目", or with `asSubItems` "添加子条目".
  void AddEntries(bool asSubItems);
  void AddGroups();
  void ChangeTitle();
  void StartRename();
  void FinishRename(bool apply);
  void SetAcceleratorKeyOfFocused();
  void DeleteSelected();
  void DeleteSpecial(int which);
  void ShowDeleteSpecialMenu();
  void Move(SelectionMove move);
  void ShowContextMenu(POINT screen);
  void Save();
  void AfterTreeChanged();

  // The path row.
  void ShowPathRow();
  void StorePathRow(RowSender sender);
  void RefreshPathLabel();
  void ShowVariableMenu(HWND anchor, bool fromButton);
  void InsertVariable(const std::u16string& caption);
  // The path box's text and selection, and new ones put there as the user's
  // edit (stored into the focused entry).
  EditText PathBoxText() const;
  void PutIntoPathBox(const EditText& text);
  void BrowseForPaths(bool files);
  // "从文本文件导入": the whole tree from a text file of paths.
  void ImportTextFile();
  void DropFiles(HDROP drop);
  void CheckDuplicateOfFocused();

  // The import window. On the editor: hides it and shows the import window
  // (its file type preset when given). On the import window: the rest.
  void OpenImportWindow(std::optional<FavoritesKind> kind);
  void ShowForEditor(JumpListEditor& editor, std::optional<FavoritesKind> kind);
  void InitImportControls();
  // Hidden again; the editor comes back (showing the copies when there are).
  void CloseImportWindow(bool copied);
  // The favourites file named in the path box, of the chosen type, into the
  // tree (unchanged when the file is not there or cannot be read).
  void ReloadFavorites();
  void BrowseForFavorites(bool fromManagerFolder);
  // The list of the editor's entries under `anchor`; the one chosen becomes
  // the base of the insertion.
  void ChooseBaseEntry(HWND anchor);
  void ShowBaseEntry();
  CopyPosition ChosenPosition() const;
  void RunImport();

  const EditorWindowKind kind_;
  JumpListEditor* editor_ = nullptr;  // the import window's editor
  BaseEntry base_;                    // the import window's base entry
  HFONT importFont_ = nullptr;

  HWND CallerWindow() override { return Handle(); }
  bool ReceiveExpression(std::u16string_view expression, variables::win32::BuilderOutput mode) override;
  std::function<std::u16string(std::u16string_view)> NewExpansionBatch() override;
  core::CalendarDate Today() override { return host_->Today(); }
  void OpenVariableOptions() override;
  void BuilderClosed() override {}

  EditorHost* host_ = nullptr;
  std::unique_ptr<JumpTree> tree_;
  std::unordered_map<uint32_t, HTREEITEM> items_;
  PathRowState row_;
  InsertMode insertMode_ = InsertMode::Insert;
  DuplicateReportGate duplicates_;
  bool fillingRow_ = false;  // text set by the program is no edit of the user's
  bool fillingTree_ = false;
  std::optional<NodeId> renaming_;
  std::optional<NodeId> selectionAnchor_;
  bool dragging_ = false;
  HWND hints_ = nullptr;
  bool hoverDeleteSpecial_ = false, hoverInputVariable_ = false;
  HFONT boldFont_ = nullptr, strikeFont_ = nullptr, boldStrikeFont_ = nullptr, saveFont_ = nullptr;
  variables::win32::VariablePopupMenu variableMenu_;
};

}  // namespace pathorama::editor::win32
