#include "editor/win32/jump_list_editor.h"

#include <commctrl.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <windowsx.h>
#include <wrl/client.h>

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

#include "core/diagnostics.h"
#include "core/text.h"
#include "core/win32/wide_text.h"
#include "editor/accelerator_keys.h"
#include "editor/tree_conversions.h"
#include "editor/tree_duplicates.h"
#include "editor/tree_selection.h"
#include "editor/win32/accelerator_dialog.h"
#include "editor/win32/file_system_facts.h"
#include "editor/win32/import_file_dialog.h"
#include "editor/win32/jump_list_editor_ids.h"
#include "jumplist/caption_limit.h"
#include "ui/win32/background_drag.h"
#include "ui/win32/clipboard_copy.h"
#include "ui/win32/common_controls.h"
#include "ui/win32/dropped_files.h"
#include "ui/win32/hints.h"
#include "ui/win32/input_box.h"
#include "ui/win32/message_box_prompts.h"
#include "ui/win32/work_area.h"
#include "windows/win32/folder_managers.h"

namespace pathorama::editor::win32 {

namespace {

using core::win32::AsWide;
using core::win32::FromWide;
using Microsoft::WRL::ComPtr;

uint32_t Key(NodeId node) { return static_cast<uint32_t>(node); }

int DpiOf(HWND window) { return static_cast<int>(ui::win32::WindowDpi(window)); }

std::u16string WindowText(HWND window) {
  std::u16string text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, u'\0');
  text.resize(static_cast<size_t>(
      GetWindowTextW(window, core::win32::AsWide(text.data()), static_cast<int>(text.size()))));
  return text;
}

// The controls of the layout and their IDs, in the layout's order.
constexpr std::array<int, static_cast<size_t>(EditorControl::Count)> kControlIds = {
    IDC_EDITOR_TREE_LABEL,
    IDC_EDITOR_TREE,
    IDC_EDITOR_ADD_ITEM,
    IDC_EDITOR_ADD_SUB_ITEM,
    IDC_EDITOR_ADD_GROUP,
    IDC_EDITOR_CHANGE_TITLE,
    IDC_EDITOR_IMPORT,
    IDC_EDITOR_DELETE_SELECTED,
    IDC_EDITOR_DELETE_SPECIAL,
    IDC_EDITOR_FORBID_DUPLICATES,
    IDC_EDITOR_RECOGNIZE_URLS,
    IDC_EDITOR_SHOW_PATH_HINT,
    IDC_EDITOR_AUTO_ACCELERATOR,
    IDC_EDITOR_HIDE_DISABLED,
    IDC_EDITOR_ALWAYS_ON_TOP,
    IDC_EDITOR_SAVE,
    IDC_EDITOR_CANCEL,
    IDC_EDITOR_PATH_TYPE,
    IDC_EDITOR_PATHS,
    IDC_EDITOR_BROWSE,
    IDC_EDITOR_USABLE,
    IDC_EDITOR_INSERT_MODE,
    IDC_EDITOR_USE_VARIABLES,
    IDC_EDITOR_INPUT_VARIABLE,
    IDC_EDITOR_PATH_LABEL};

// The import window's own controls, in its layout's order.
constexpr std::array<int, static_cast<size_t>(ImportControl::Count)> kImportControlIds = {
    IDC_IMPORT_FILE_LABEL,    IDC_IMPORT_FILE,           IDC_IMPORT_FILE_BROWSE,
    IDC_IMPORT_KIND_LABEL,    IDC_IMPORT_KIND,           IDC_IMPORT_POSITION_LABEL,
    IDC_IMPORT_REPLACE,       IDC_IMPORT_RELATIVE_LABEL, IDC_IMPORT_AFTER,
    IDC_IMPORT_BEFORE,        IDC_IMPORT_INSIDE,         IDC_IMPORT_FIRST_IN_LEVEL,
    IDC_IMPORT_LAST_IN_LEVEL, IDC_IMPORT_BASE_ENTRY,     IDC_IMPORT_RUN};

// The position buttons and what they mean.
struct PositionButton {
  int id;
  CopyPosition position;
};
constexpr PositionButton kPositionButtons[] = {
    {IDC_IMPORT_REPLACE, CopyPosition::Replace},
    {IDC_IMPORT_AFTER, CopyPosition::After},
    {IDC_IMPORT_BEFORE, CopyPosition::Before},
    {IDC_IMPORT_INSIDE, CopyPosition::Inside},
    {IDC_IMPORT_FIRST_IN_LEVEL, CopyPosition::FirstInLevel},
    {IDC_IMPORT_LAST_IN_LEVEL, CopyPosition::LastInLevel}};

constexpr std::u16string_view kFavoritesKindNames[] = {u"TotalCommander", u"DirectoryOpus"};

constexpr int kPathControls[] = {
    IDC_EDITOR_PATH_TYPE,   IDC_EDITOR_PATHS,         IDC_EDITOR_BROWSE,        IDC_EDITOR_USABLE,
    IDC_EDITOR_INSERT_MODE, IDC_EDITOR_USE_VARIABLES, IDC_EDITOR_INPUT_VARIABLE};

constexpr UINT_PTR kSubclassId = 1;

// The controls' hints; the path box's is its own text when that is wider
// than the box.
struct Hint {
  int id;
  const wchar_t* text;
};
constexpr Hint kHints[] = {
    {IDC_EDITOR_RECOGNIZE_URLS,
     L"若条目对应的路径为网址\r\n则把地址栏左侧下拉列表中的选项自动切换为 网络地址"},
    {IDC_EDITOR_SHOW_PATH_HINT,
     L"当焦点在列表框中时\r\n若鼠标在列表框中移动\r\n将实时显示与鼠标下条目关联的路径"},
    {IDC_EDITOR_AUTO_ACCELERATOR,
     L"添加项目/"
     L"子菜单或修改标题时\r\n在标题尾部自动附加第一个英文字母\r\n或者第一个汉字的拼音首字母\r\n"
     L"没有英文或汉字时不添加\r\n已有加速键时不添加"},
    {IDC_EDITOR_HIDE_DISABLED,
     L"当条目被禁用时\r\n在路径跳转列表中把它隐藏起来\r\n不勾选时，将不隐藏，仅不可用"},
    {IDC_EDITOR_BROWSE, L"加按 Ctrl 时，将打开文件而不是文件夹"},
    {IDC_EDITOR_USABLE,
     L"启：当前条目在弹出菜单中可以使用\r\n禁：当前条目在弹出菜单中将被禁止使用"},
    {IDC_EDITOR_INSERT_MODE,
     L"插：把对话框返回/鼠标拖入的路径、菜单输出的变量插入到文本编辑框光标处\r\n"
     L"追：把对话框返回/鼠标拖入的路径、菜单输出的变量追加到文本编辑框尾部\r\n"
     L"覆：把对话框返回/鼠标拖入的路径、菜单输出的变量覆盖文本编辑框"},
    {IDC_EDITOR_USE_VARIABLES, L"对当前路径启用自定义变量"},
};
constexpr const wchar_t* kLabelHint = L"双击可把蓝色部分的文字复制到剪贴板";

COLORREF ColourOf(NodeColour colour) {
  switch (colour) {
    case NodeColour::Black:
      return RGB(0, 0, 0);
    case NodeColour::Blue:
      return RGB(0, 0, 255);
    case NodeColour::Red:
      return RGB(255, 0, 0);
    case NodeColour::Fuchsia:
      return RGB(255, 0, 255);
    case NodeColour::Gray:
      return RGB(128, 128, 128);
    case NodeColour::Default:
      break;
  }
  return GetSysColor(COLOR_WINDOWTEXT);
}

// Takes a window out of the topmost band while a message or a file dialog
// of its own is up, so that neither hides behind it.
class NotTopmostMeanwhile {
 public:
  explicit NotTopmostMeanwhile(HWND window)
      : window_(window), topmost_(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) {
    if (topmost_)
      SetWindowPos(window_, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  ~NotTopmostMeanwhile() {
    if (topmost_)
      SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  NotTopmostMeanwhile(const NotTopmostMeanwhile&) = delete;
  NotTopmostMeanwhile& operator=(const NotTopmostMeanwhile&) = delete;

 private:
  HWND window_;
  bool topmost_;
};

// Prompts shown over the editor, which stops being topmost meanwhile.
class EditorPrompts : public core::UserPrompts {
 public:
  explicit EditorPrompts(HWND window) : window_(window), boxes_(window) {}
  void Tell(std::u16string_view text, std::u16string_view caption, core::PromptIcon icon) override {
    NotTopmostMeanwhile meanwhile(window_);
    boxes_.Tell(text, caption, icon);
  }
  bool AskYesNo(std::u16string_view text, std::u16string_view caption,
                core::PromptIcon icon) override {
    NotTopmostMeanwhile meanwhile(window_);
    return boxes_.AskYesNo(text, caption, icon);
  }

 private:
  HWND window_;
  ui::win32::MessageBoxPrompts boxes_;
};

// Whether the files and drives of a path can be asked at all.
class WindowsPathExistence : public PathExistence {
 public:
  bool IsExistingFolder(std::u16string_view path) override { return facts_.IsExistingFolder(path); }
  bool IsExistingFile(std::u16string_view path) override { return facts_.IsExistingFile(path); }
  bool IsReachable(std::u16string_view root) override {
    std::u16string r(root);
    if (!r.empty() && r.back() != u'\\') r += u'\\';
    // Never a dialog asking for a disk.
    const UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    const bool reachable = GetFileAttributesW(AsWide(r)) != INVALID_FILE_ATTRIBUTES;
    SetErrorMode(oldMode);
    return reachable;
  }

 private:
  WindowsFileSystemFacts facts_;
};

HFONT DerivedFont(HFONT base, bool bold, bool strikeOut) {
  LOGFONTW font{};
  GetObjectW(base ? base : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)), sizeof font,
             &font);
  if (bold) font.lfWeight = FW_BOLD;
  font.lfStrikeOut = strikeOut ? TRUE : FALSE;
  return CreateFontIndirectW(&font);
}

LRESULT CALLBACK TreeKeys(HWND tree, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                          DWORD_PTR) {
  if (message == WM_KEYDOWN) {
    const bool ctrl = GetKeyState(VK_CONTROL) < 0, shift = GetKeyState(VK_SHIFT) < 0;
    if (std::optional<EditorCommand> command =
            CommandForKey(static_cast<int>(wParam), ctrl, shift)) {
      PostMessageW(GetParent(tree), WM_COMMAND,
                   IDM_EDITOR_COMMAND_FIRST + static_cast<int>(*command), 0);
      return 0;
    }
  }
  // The characters of the shortcuts are no search in the tree.
  if (message == WM_CHAR && GetKeyState(VK_CONTROL) < 0) return 0;
  return ui::win32::DefaultSubclassProc(tree, message, wParam, lParam);
}

// The in-place rename box: Enter applies, Esc and leaving it cancel.
constexpr UINT kRenameDone = WM_APP + 41;  // wParam: apply

LRESULT CALLBACK RenameKeys(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                            DWORD_PTR) {
  switch (message) {
    case WM_GETDLGCODE:
      return DLGC_WANTALLKEYS | ui::win32::DefaultSubclassProc(edit, message, wParam, lParam);
    case WM_KEYDOWN:
      if (wParam == VK_RETURN || wParam == VK_ESCAPE) {
        PostMessageW(GetParent(edit), kRenameDone, wParam == VK_RETURN, 0);
        return 0;
      }
      break;
    case WM_CHAR:
      if (wParam == L'\r' || wParam == 27) return 0;
      break;
    case WM_KILLFOCUS:
      PostMessageW(GetParent(edit), kRenameDone, FALSE, 0);
      break;
  }
  return ui::win32::DefaultSubclassProc(edit, message, wParam, lParam);
}

// "删除特定条目" and "插入变量" open their menus when the mouse comes onto
// them, once each time it comes.
constexpr UINT kHoverMenu = WM_APP + 43;  // wParam: the button's ID

LRESULT CALLBACK HoverMenuButton(HWND button, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                 DWORD_PTR data) {
  bool& inside = *reinterpret_cast<bool*>(data);
  if (message == WM_MOUSEMOVE && !inside && IsWindowEnabled(button)) {
    inside = true;
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, button, 0};
    TrackMouseEvent(&track);
    PostMessageW(GetParent(button), kHoverMenu, static_cast<WPARAM>(GetDlgCtrlID(button)), 0);
  } else if (message == WM_MOUSELEAVE) {
    inside = false;
  }
  return ui::win32::DefaultSubclassProc(button, message, wParam, lParam);
}

// The path box's context menu is the variable menu.
constexpr UINT kPathBoxMenu = WM_APP + 42;

LRESULT CALLBACK PathBoxMenu(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                             DWORD_PTR) {
  if (message == WM_CONTEXTMENU) {
    PostMessageW(GetParent(edit), kPathBoxMenu, 0, lParam);
    return 0;
  }
  return ui::win32::DefaultSubclassProc(edit, message, wParam, lParam);
}

}  // namespace

JumpListEditor& JumpListEditor::Instance() {
  static JumpListEditor editor(EditorWindowKind::JumpList);
  return editor;
}

JumpListEditor& JumpListEditor::ImportWindow() {
  static JumpListEditor window(EditorWindowKind::ImportFavorites);
  return window;
}

JumpListEditor::JumpListEditor(EditorWindowKind kind) : kind_(kind) {}

bool JumpListEditor::Visible() const {
  if (Handle() && IsWindowVisible(Handle())) return true;
  if (IsImportWindow()) return false;
  const JumpListEditor& import = ImportWindow();
  return import.editor_ == this && import.Visible();
}

HWND JumpListEditor::FrontWindow() const {
  const JumpListEditor& import = ImportWindow();
  if (!IsImportWindow() && import.editor_ == this && import.Visible()) return import.Handle();
  return Handle();
}

JumpListEditor::~JumpListEditor() {
  if (Handle()) DestroyWindow(Handle());
  for (HFONT font : {boldFont_, strikeFont_, boldStrikeFont_, saveFont_, importFont_})
    if (font) DeleteObject(font);
  if (variableMenu_.menu) DestroyMenu(variableMenu_.menu);
}

void JumpListEditor::Open(EditorHost& host) {
  // While the import window is up, the editor behind it stays as it is.
  if (HWND front = FrontWindow(); front && front != Handle()) {
    if (IsIconic(front)) ShowWindow(front, SW_RESTORE);
    SetForegroundWindow(front);
    return;
  }
  host_ = &host;
  if (!Handle()) {
    ui::win32::LoadCommonControls(ICC_TREEVIEW_CLASSES | ICC_STANDARD_CLASSES);
    if (!CreateModeless(GetModuleHandleW(nullptr), IDD_JUMP_LIST_EDITOR, nullptr)) {
      core::Trace(u"the jump list editor could not be created");
      return;
    }
  }
  if (!Visible()) {
    LARGE_INTEGER frequency{}, start{}, end{};
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    // Closed: a fresh copy of the live list.
    JumpTree::FreshId freshId = FreshIdsFrom(host_->LiveJumpList());
    tree_ = std::make_unique<JumpTree>(std::move(freshId));
    BuildTreeFromJumpListMenu(host_->LiveJumpList(), *tree_);
    if (std::optional<NodeId> first = tree_->FirstRoot()) tree_->SelectOnly(*first);
    selectionAnchor_ = tree_->Focused();
    CheckDlgButton(Handle(), IDC_EDITOR_HIDE_DISABLED,
                   host_->HideDisabledItems() ? BST_CHECKED : BST_UNCHECKED);
    FillTreeView();
    OnFocusedNodeChanged();
    ShowWindow(Handle(), SW_SHOW);
    UpdateWindow(Handle());
    QueryPerformanceCounter(&end);
    // How long a list takes to open is worth knowing on a slow machine.
    core::Trace(
        u"editor: " + core::IntToText(static_cast<long long>(tree_->Size())) + u" nodes shown in " +
        core::IntToText((end.QuadPart - start.QuadPart) * 1000 / frequency.QuadPart) + u" ms");
  }
  if (IsIconic(Handle())) ShowWindow(Handle(), SW_RESTORE);
  SetTopmost(Checked(IDC_EDITOR_ALWAYS_ON_TOP));
  SetForegroundWindow(Handle());
  SetFocus(Item(IDC_EDITOR_TREE));
}

void JumpListEditor::Cancel() {
  if (!Handle()) return;
  if (IsImportWindow()) {
    CloseImportWindow(false);
    return;
  }
  if (renaming_) FinishRename(false);
  variables::win32::VariableBuilderDialog::Instance().Forget(*this);
  ShowWindow(Handle(), SW_HIDE);
  tree_.reset();
  items_.clear();
  TreeView_DeleteAllItems(Item(IDC_EDITOR_TREE));
}

bool JumpListEditor::Checked(int id) const {
  return IsDlgButtonChecked(Handle(), id) == BST_CHECKED;
}

EditorOptions JumpListEditor::Options() const {
  EditorOptions options;
  options.forbidDuplicatePaths = Checked(IDC_EDITOR_FORBID_DUPLICATES);
  options.recognizeWebAddresses = Checked(IDC_EDITOR_RECOGNIZE_URLS);
  options.autoAcceleratorKey = Checked(IDC_EDITOR_AUTO_ACCELERATOR);
  options.captionMaxLength = host_ ? host_->CaptionMaxLength() : 0;
  return options;
}

void JumpListEditor::SetTopmost(bool topmost) {
  SetWindowPos(Handle(), topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  variables::win32::VariableBuilderDialog::Instance().SetTopmost(topmost);
}

void JumpListEditor::InitDialog() {
  HWND tree = Item(IDC_EDITOR_TREE);
  const HFONT font = reinterpret_cast<HFONT>(SendMessageW(Handle(), WM_GETFONT, 0, 0));
  boldFont_ = DerivedFont(font, true, false);
  strikeFont_ = DerivedFont(font, false, true);
  boldStrikeFont_ = DerivedFont(font, true, true);
  saveFont_ = DerivedFont(font, true, false);
  SendMessageW(Item(IDC_EDITOR_SAVE), WM_SETFONT, reinterpret_cast<WPARAM>(saveFont_), FALSE);

  for (int id : {IDC_EDITOR_RECOGNIZE_URLS, IDC_EDITOR_AUTO_ACCELERATOR, IDC_EDITOR_ALWAYS_ON_TOP})
    CheckDlgButton(Handle(), id, BST_CHECKED);
  HWND types = Item(IDC_EDITOR_PATH_TYPE);
  for (PathTypeEntry entry :
       {PathTypeEntry::Local, PathTypeEntry::Url, PathTypeEntry::Registry, PathTypeEntry::Mixed})
    SendMessageW(types, CB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(AsWide(PathTypeEntryCaption(entry).data())));
  SendMessageW(types, CB_SETCURSEL, 0, 0);
  if (IsImportWindow()) InitImportControls();

  const int dpi = DpiOf(Handle());
  TreeView_SetIndent(tree, MulDiv(19, dpi, 96));
  // "实时显示关联路径": the node's path as the tree's tip, shown at once.
  SetWindowLongPtrW(tree, GWL_STYLE, GetWindowLongPtrW(tree, GWL_STYLE) | TVS_INFOTIP);
  if (HWND tips = TreeView_GetToolTips(tree)) SendMessageW(tips, TTM_SETDELAYTIME, TTDT_INITIAL, 0);
  ui::win32::SetSubclass(tree, TreeKeys, kSubclassId, 0);
  ui::win32::SetSubclass(Item(IDC_EDITOR_RENAME), RenameKeys, kSubclassId, 0);
  ui::win32::SetSubclass(Item(IDC_EDITOR_PATHS), PathBoxMenu, kSubclassId, 0);
  ui::win32::SetSubclass(Item(IDC_EDITOR_DELETE_SPECIAL), HoverMenuButton, kSubclassId,
                    reinterpret_cast<DWORD_PTR>(&hoverDeleteSpecial_));
  ui::win32::SetSubclass(Item(IDC_EDITOR_INPUT_VARIABLE), HoverMenuButton, kSubclassId,
                    reinterpret_cast<DWORD_PTR>(&hoverInputVariable_));
  ui::win32::AcceptDroppedFiles(Handle());
  CreateHints();

  // The client area the window opens with, centred on the screen's work area.
  const int clientWidth = IsImportWindow() ? kImportClientWidth : kEditorClientWidth;
  const int clientHeight = IsImportWindow() ? kImportClientHeight : kEditorClientHeight;
  RECT window{0, 0, MulDiv(clientWidth, dpi, 96), MulDiv(clientHeight, dpi, 96)};
  AdjustWindowRectEx(&window, static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_EXSTYLE)));
  ui::win32::CentreInWorkArea(Handle(), ui::win32::WorkAreaOf(Handle()),
                              window.right - window.left, window.bottom - window.top);
  ApplyLayout();
}

void JumpListEditor::CreateHints() {
  hints_ = ui::win32::CreateHintWindow(Handle());
  if (!hints_) return;
  auto add = [this](int id, const wchar_t* text) { ui::win32::AddHint(hints_, Handle(), Item(id), text); };
  for (const Hint& hint : kHints)
    if (!IsImportWindow() || hint.id != IDC_EDITOR_USE_VARIABLES)
      add(hint.id, const_cast<LPWSTR>(hint.text));
  if (IsImportWindow()) {
    add(IDC_IMPORT_FILE_BROWSE, const_cast<LPWSTR>(L"加按 Ctrl 时，将定位到当前打开的文件夹路径"));
    add(IDC_IMPORT_BASE_ENTRY, const_cast<LPWSTR>(L"单击可切换目标菜单项"));
  }
  // Their texts depend on what the controls show.
  add(IDC_EDITOR_PATHS, LPSTR_TEXTCALLBACKW);
  add(IDC_EDITOR_PATH_LABEL, LPSTR_TEXTCALLBACKW);
  // Several lines: wrapped at the width of the screen's work area.
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  SendMessageW(hints_, TTM_SETMAXTIPWIDTH, 0, work.right - work.left);
  SendMessageW(hints_, TTM_SETDELAYTIME, TTDT_AUTOPOP, 8000);
}

// The hint of the path box and the label, asked when it is about to show.
void JumpListEditor::FillHint(NMTTDISPINFOW& info) {
  static std::wstring text;
  text.clear();
  HWND control = reinterpret_cast<HWND>(info.hdr.idFrom);
  if (control == Item(IDC_EDITOR_PATHS)) {
    const std::u16string path = WindowText(control);
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, GetWindowFont(control));
    SIZE size{};
    GetTextExtentPoint32W(dc, AsWide(path), static_cast<int>(path.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    RECT client{};
    GetClientRect(control, &client);
    // Only a text wider than the box needs it; each path on its own part.
    if (size.cx > client.right) {
      const std::u16string shown = core::ReplaceAllText(path, u"|", u"｜");
      text.assign(shown.begin(), shown.end());
    }
  } else if (control == Item(IDC_EDITOR_PATH_LABEL) && !row_.label.empty()) {
    text = kLabelHint;
  }
  info.lpszText = text.data();
}

void JumpListEditor::ApplyLayout() {
  RECT client{};
  GetClientRect(Handle(), &client);
  const int dpi = DpiOf(Handle());
  std::vector<std::pair<int, Box>> places;
  auto take = [&places](const auto& ids, const auto& boxes) {
    for (size_t i = 0; i < ids.size(); ++i) places.push_back({ids[i], boxes[i]});
  };
  if (IsImportWindow()) {
    const ImportFavoritesLayout layout = LayOutImportFavorites(client.right, client.bottom, dpi);
    take(kControlIds, layout.editor.boxes);
    take(kImportControlIds, layout.boxes);
  } else {
    take(kControlIds, LayOutEditor(client.right, client.bottom, dpi).boxes);
  }
  HDWP positions = BeginDeferWindowPos(static_cast<int>(places.size()));
  for (const auto& [id, box] : places) {
    // The import window has not every control of the editor.
    HWND control = Item(id);
    if (!control || !positions) continue;
    // A drop-down list's height is that of its open list.
    const bool list = id == IDC_EDITOR_PATH_TYPE || id == IDC_IMPORT_KIND;
    positions = DeferWindowPos(positions, control, nullptr, box.x, box.y, box.width,
                               list ? box.height * 8 : box.height, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (positions) EndDeferWindowPos(positions);
  if (renaming_) FinishRename(false);
}

// ---- the tree view ------------------------------------------------------------------------

void JumpListEditor::FillTreeView() {
  HWND view = Item(IDC_EDITOR_TREE);
  fillingTree_ = true;
  SendMessageW(view, WM_SETREDRAW, FALSE, 0);
  TreeView_DeleteAllItems(view);
  items_.clear();
  if (tree_) {
    std::vector<NodeId> expand;
    for (NodeId node : tree_->NodesInOrder()) {
      const std::optional<NodeId> parent = tree_->Parent(node);
      TVINSERTSTRUCTW insert{};
      insert.hParent = parent ? ItemOfNode(*parent) : TVI_ROOT;
      insert.hInsertAfter = TVI_LAST;
      insert.item.mask = TVIF_TEXT | TVIF_PARAM;
      std::u16string text = tree_->Text(node);
      insert.item.pszText = AsWide(text.data());
      insert.item.lParam = static_cast<LPARAM>(Key(node));
      items_[Key(node)] = TreeView_InsertItem(view, &insert);
      if (tree_->IsExpanded(node)) expand.push_back(node);
    }
    for (NodeId node : expand)
      if (tree_->HasChildren(node)) TreeView_Expand(view, ItemOfNode(node), TVE_EXPAND);
    if (std::optional<NodeId> focused = tree_->Focused()) {
      TreeView_SelectItem(view, ItemOfNode(*focused));
      TreeView_EnsureVisible(view, ItemOfNode(*focused));
    }
  }
  SendMessageW(view, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(view, nullptr, TRUE);
  fillingTree_ = false;
}

void JumpListEditor::RedrawTree() { InvalidateRect(Item(IDC_EDITOR_TREE), nullptr, FALSE); }

std::optional<NodeId> JumpListEditor::NodeOfItem(HTREEITEM item) const {
  if (!item || !tree_) return std::nullopt;
  TVITEMW data{};
  data.mask = TVIF_PARAM;
  data.hItem = item;
  if (!TreeView_GetItem(Item(IDC_EDITOR_TREE), &data)) return std::nullopt;
  const NodeId node{static_cast<uint32_t>(data.lParam)};
  return tree_->Contains(node) ? std::optional(node) : std::nullopt;
}

HTREEITEM JumpListEditor::ItemOfNode(NodeId node) const {
  auto it = items_.find(Key(node));
  return it == items_.end() ? nullptr : it->second;
}

void JumpListEditor::FocusNodeInView(std::optional<NodeId> node) {
  fillingTree_ = true;
  HWND view = Item(IDC_EDITOR_TREE);
  TreeView_SelectItem(view, node ? ItemOfNode(*node) : nullptr);
  if (node) TreeView_EnsureVisible(view, ItemOfNode(*node));
  fillingTree_ = false;
}

void JumpListEditor::OnSelectionChanged(const NMTREEVIEWW& change) {
  if (fillingTree_ || !tree_) return;
  const std::optional<NodeId> node = NodeOfItem(change.itemNew.hItem);
  if (!node) return;
  const bool ctrl = GetKeyState(VK_CONTROL) < 0, shift = GetKeyState(VK_SHIFT) < 0;
  if (change.action == TVC_UNKNOWN) {
    tree_->SetFocused(node);
  } else if (shift && selectionAnchor_ && tree_->Contains(*selectionAnchor_)) {
    // A range of the visible nodes, from the anchor to this one.
    HWND view = Item(IDC_EDITOR_TREE);
    std::vector<NodeId> visible;
    for (HTREEITEM item = TreeView_GetRoot(view); item; item = TreeView_GetNextVisible(view, item))
      if (std::optional<NodeId> n = NodeOfItem(item)) visible.push_back(*n);
    auto a = std::find(visible.begin(), visible.end(), *selectionAnchor_);
    auto b = std::find(visible.begin(), visible.end(), *node);
    if (!ctrl) tree_->ClearSelection();
    if (a != visible.end() && b != visible.end()) {
      if (a > b) std::swap(a, b);
      for (auto it = a; it <= b; ++it) tree_->SetSelected(*it, true);
    }
    tree_->SetFocused(node);
  } else if (ctrl) {
    tree_->SetSelected(*node, !tree_->IsSelected(*node));
    tree_->SetFocused(node);
    selectionAnchor_ = node;
  } else {
    tree_->SelectOnly(*node);
    selectionAnchor_ = node;
  }
  OnFocusedNodeChanged();
  RedrawTree();
}

void JumpListEditor::OnFocusedNodeChanged() {
  const std::optional<NodeId> focused = tree_ ? tree_->Focused() : std::nullopt;
  const bool titled = focused && (tree_->Kind(*focused) == NodeKind::NormalItem ||
                                  tree_->Kind(*focused) == NodeKind::GroupHead);
  EnableWindow(Item(IDC_EDITOR_DELETE_SELECTED), focused.has_value());
  EnableWindow(Item(IDC_EDITOR_CHANGE_TITLE), titled);
  duplicates_.Reset();
  ShowPathRow();
}

LRESULT JumpListEditor::OnCustomDraw(NMTVCUSTOMDRAW& draw) {
  switch (draw.nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
      return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT: {
      if (!tree_) return CDRF_DODEFAULT;
      const NodeId node{static_cast<uint32_t>(draw.nmcd.lItemlParam)};
      if (!tree_->Contains(node)) return CDRF_DODEFAULT;
      const NodeStyle style = StyleOfNode(*tree_, node);
      // The tree view's own selection is the focus; the model's selection
      // is what shows highlighted.
      draw.nmcd.uItemState &= ~(CDIS_SELECTED | CDIS_FOCUS);
      if (tree_->IsSelected(node)) {
        draw.clrText = GetSysColor(COLOR_HIGHLIGHTTEXT);
        draw.clrTextBk = GetSysColor(COLOR_HIGHLIGHT);
      } else {
        draw.clrText = ColourOf(style.colour);
        draw.clrTextBk = GetSysColor(COLOR_WINDOW);
      }
      // Every item names its font: one left selected by the item before
      // would otherwise draw this one too.
      HFONT font = style.bold
                       ? (style.strikeOut ? boldStrikeFont_ : boldFont_)
                       : (style.strikeOut ? strikeFont_ : GetWindowFont(Item(IDC_EDITOR_TREE)));
      SelectObject(draw.nmcd.hdc, font);
      return CDRF_NEWFONT;
    }
  }
  return CDRF_DODEFAULT;
}

void JumpListEditor::SyncExpandedFromView() {
  if (!tree_) return;
  HWND view = Item(IDC_EDITOR_TREE);
  for (const auto& [key, item] : items_) {
    const NodeId node{key};
    if (!tree_->Contains(node)) continue;
    tree_->SetExpanded(node, TreeView_GetItemState(view, item, TVIS_EXPANDED) & TVIS_EXPANDED);
  }
}

void JumpListEditor::AfterTreeChanged() {
  FillTreeView();
  OnFocusedNodeChanged();
}

// ---- dragging ------------------------------------------------------------------------------

void JumpListEditor::BeginDrag(const NMTREEVIEWW& drag) {
  if (!tree_ || renaming_) return;
  const std::optional<NodeId> node = NodeOfItem(drag.itemNew.hItem);
  if (!node) return;
  // Dragging a node that is not selected drags that node alone.
  if (!tree_->IsSelected(*node)) {
    tree_->SelectOnly(*node);
    FocusNodeInView(node);
    OnFocusedNodeChanged();
    RedrawTree();
  }
  dragging_ = true;
  SetCapture(Handle());
}

JumpListEditor::DropPoint JumpListEditor::DropPointAt(POINT client) const {
  HWND view = Item(IDC_EDITOR_TREE);
  TVHITTESTINFO hit{};
  hit.pt = client;
  MapWindowPoints(Handle(), view, &hit.pt, 1);
  DropPoint at;
  // The band from the tree's top down to half a row moves to the very top.
  at.topZone = hit.pt.y >= 0 && hit.pt.y < TreeView_GetItemHeight(view) / 2;
  RECT r{};
  GetClientRect(view, &r);
  if (PtInRect(&r, hit.pt)) at.node = NodeOfItem(TreeView_HitTest(view, &hit));
  return at;
}

void JumpListEditor::DragTo(POINT client) {
  const DropPoint at = DropPointAt(client);
  HWND view = Item(IDC_EDITOR_TREE);
  const std::optional<NodeId> focused = tree_->Focused();
  // Several nodes, or a whole group: the multi-drag cursor.
  const bool many = tree_->SelectedNodes().size() > 1 ||
                    (focused && (tree_->Kind(*focused) == NodeKind::GroupHead ||
                                 tree_->Kind(*focused) == NodeKind::EndMarker));
  static const HCURSOR single = LoadCursorW(nullptr, IDC_ARROW);
  static const HCURSOR multiple = LoadCursorW(nullptr, IDC_SIZEALL);
  static const HCURSOR none = LoadCursorW(nullptr, IDC_NO);
  static const HCURSOR addItem = [] {
    HCURSOR c = LoadCursorW(GetModuleHandleW(nullptr), L"Cursor_AddItem");
    return c ? c : LoadCursorW(nullptr, IDC_UPARROW);
  }();
  HCURSOR cursor = many ? multiple : single;
  if (!at.node) {
    cursor = none;
  } else if (!at.topZone &&
             (GetKeyState(VK_CONTROL) < 0 || tree_->Kind(*at.node) == NodeKind::GroupHead)) {
    cursor = addItem;
  }
  SetCursor(cursor);
  TreeView_SelectDropTarget(view, at.node ? ItemOfNode(*at.node) : nullptr);
  if (at.node) TreeView_EnsureVisible(view, ItemOfNode(*at.node));
}

void JumpListEditor::Drop(POINT client) {
  const DropPoint at = DropPointAt(client);
  EndDrag();
  if (!at.node || !tree_) return;
  EditorPrompts prompts(Handle());
  SyncExpandedFromView();
  if (GetKeyState(VK_CONTROL) < 0) {
    if (MoveSelectedItems(*tree_, at.node, true, prompts) == MoveOutcome::Moved &&
        tree_->Contains(*at.node))
      tree_->SetSelected(*at.node, true);
  } else if (at.topZone) {
    MoveSelection(*tree_, SelectionMove::ToTop, prompts);
  } else {
    MoveSelectedItems(*tree_, at.node, false, prompts);
  }
  AfterTreeChanged();
}

void JumpListEditor::EndDrag() {
  if (!dragging_) return;
  dragging_ = false;
  TreeView_SelectDropTarget(Item(IDC_EDITOR_TREE), nullptr);
  if (GetCapture() == Handle()) ReleaseCapture();
}

// ---- commands -----------------------------------------------------------------------------

void JumpListEditor::Run(EditorCommand command) {
  if (!tree_ || renaming_) return;
  SyncExpandedFromView();
  using C = EditorCommand;
  switch (command) {
    case C::AddItem:
      AddEntries(false);
      return;
    case C::AddSubItem:
      AddEntries(true);
      return;
    case C::AddGroup:
      AddGroups();
      return;
    case C::Rename:
      StartRename();
      return;
    case C::ConvertGroupAndItem:
      InterConvertGroupAndNormalItem(*tree_);
      break;
    case C::ToggleEnabled:
      ToggleEnabledOfSelection(*tree_);
      break;
    case C::ImportTextFile:
      if (!IsImportWindow()) ImportTextFile();
      return;
    case C::ImportTotalCommander:
      if (!IsImportWindow()) OpenImportWindow(FavoritesKind::TotalCommander);
      return;
    case C::ImportDirectoryOpus:
      if (!IsImportWindow()) OpenImportWindow(FavoritesKind::DirectoryOpus);
      return;
    case C::ImportClipboard:
      return;  // offered, never enabled
    case C::SetAcceleratorKey:
      SetAcceleratorKeyOfFocused();
      return;
    case C::AddAcceleratorKeys:
      AddAcceleratorKeysToSelection(*tree_);
      break;
    case C::RemoveAcceleratorKeys:
      RemoveAcceleratorKeysFromSelection(*tree_);
      break;
    case C::DeleteSelected:
      DeleteSelected();
      return;
    case C::MoveToTop:
      Move(SelectionMove::ToTop);
      return;
    case C::MoveToBottom:
      Move(SelectionMove::ToBottom);
      return;
    case C::MoveToTopOfLevel:
      Move(SelectionMove::ToTopOfLevel);
      return;
    case C::MoveToBottomOfLevel:
      Move(SelectionMove::ToBottomOfLevel);
      return;
    case C::SelectAll:
      SelectNodesInTree(*tree_, SelectMode::All);
      break;
    case C::SelectAllInLevel:
      SelectNodesInLevel(*tree_, SelectMode::All);
      break;
    case C::SelectToTopInLevel:
      SelectNodesInLevel(*tree_, SelectMode::ToTop);
      break;
    case C::SelectToBottomInLevel:
      SelectNodesInLevel(*tree_, SelectMode::ToBottom);
      break;
    case C::InvertSelectionInLevel:
      SelectNodesInLevel(*tree_, SelectMode::Reverse);
      break;
    case C::SelectToTop:
      SelectNodesInTree(*tree_, SelectMode::ToTop);
      break;
    case C::SelectToBottom:
      SelectNodesInTree(*tree_, SelectMode::ToBottom);
      break;
    case C::InvertSelection:
      SelectNodesInTree(*tree_, SelectMode::Reverse);
      break;
    case C::ExpandSelected:
      if (!tree_->Focused()) return;
      NormalizeTreeSelection(*tree_);
      for (NodeId selected : tree_->SelectedNodes()) {
        const NodeId last = tree_->LastInSubtree(selected);
        for (std::optional<NodeId> n = selected; n; n = tree_->NextInOrder(*n)) {
          tree_->SetExpanded(*n, true);
          if (*n == last) break;
        }
      }
      break;
  }
  AfterTreeChanged();
}

std::optional<std::u16string> JumpListEditor::Ask(std::u16string_view title,
                                                  std::u16string_view prompt,
                                                  std::u16string_view initial) {
  NotTopmostMeanwhile meanwhile(Handle());
  return ui::win32::ShowInputBox(Handle(), title, prompt, initial);
}

AddNodeOptions JumpListEditor::NodeOptions(core::UserPrompts& prompts) {
  AddNodeOptions add;
  if (Checked(IDC_EDITOR_AUTO_ACCELERATOR)) add.addAcceleratorKey = AddAcceleratorKey;
  add.forbidDuplicatePaths = Checked(IDC_EDITOR_FORBID_DUPLICATES);
  add.expand = host_->NewExpansionBatch();
  add.prompts = &prompts;
  return add;
}

void JumpListEditor::AddEntries(bool asSubItems) {
  if (asSubItems && !tree_->Focused()) return;
  const std::optional<std::u16string> answer =
      asSubItems ? Ask(u"添加子条目", u"子条目标题:") : Ask(u"添加同级条目", u"新条目标题:");
  if (!answer) return;
  WindowsFileSystemFacts facts;
  EditorPrompts prompts(Handle());
  const AddNodeOptions add = NodeOptions(prompts);
  if (asSubItems)
    editor::AddSubItems(*tree_, *answer, Options(), facts, add);
  else
    editor::AddItems(*tree_, *answer, Options(), facts, add);
  AfterTreeChanged();
  if (IsWindowEnabled(Item(IDC_EDITOR_PATHS))) SetFocus(Item(IDC_EDITOR_PATHS));
}

void JumpListEditor::AddGroups() {
  const std::optional<std::u16string> answer = Ask(u"添加分组", u"分组标题:");
  if (!answer) return;
  editor::AddGroups(*tree_, *answer, Options());
  AfterTreeChanged();
}

void JumpListEditor::ChangeTitle() {
  const std::optional<NodeId> focused = tree_ ? tree_->Focused() : std::nullopt;
  if (!focused) return;
  const std::u16string text = tree_->Text(*focused);
  const std::optional<std::u16string> answer =
      Ask(u"更改标题", u"新标题:", RenamePrefill(text, host_->CaptionMaxLength()));
  if (!answer) return;
  if (std::optional<std::u16string> renamed = RenamedText(text, *answer, Options())) {
    tree_->SetText(*focused, *renamed);
    AfterTreeChanged();
  }
}

void JumpListEditor::StartRename() {
  const std::optional<NodeId> focused = tree_ ? tree_->Focused() : std::nullopt;
  if (!focused) return;
  const NodeKind kind = tree_->Kind(*focused);
  if (kind != NodeKind::NormalItem && kind != NodeKind::GroupHead) return;
  HWND view = Item(IDC_EDITOR_TREE);
  HTREEITEM item = ItemOfNode(*focused);
  TreeView_EnsureVisible(view, item);
  RECT text{};
  if (!item || !TreeView_GetItemRect(view, item, &text, TRUE)) return;
  RECT client{};
  GetClientRect(view, &client);
  // From the node's left edge to the tree's right edge and a little more.
  const int right = client.right + 5;
  POINT topLeft{text.left, text.top};
  MapWindowPoints(view, Handle(), &topLeft, 1);
  HWND edit = Item(IDC_EDITOR_RENAME);
  SetWindowPos(edit, HWND_TOP, topLeft.x, topLeft.y - 2, std::max(40L, right - text.left),
               text.bottom - text.top + 4, SWP_SHOWWINDOW);
  const std::u16string shown = core::TrimCharsLeft(tree_->Text(*focused), u"-");
  SetWindowTextW(edit, AsWide(shown));
  renaming_ = focused;
  SetFocus(edit);
  SendMessageW(edit, EM_SETSEL, 0, -1);
}

void JumpListEditor::FinishRename(bool apply) {
  if (!renaming_) return;
  const NodeId node = *renaming_;
  renaming_.reset();
  HWND edit = Item(IDC_EDITOR_RENAME);
  const std::u16string typed = WindowText(edit);
  ShowWindow(edit, SW_HIDE);
  SetFocus(Item(IDC_EDITOR_TREE));
  if (!apply || !tree_ || !tree_->Contains(node)) return;
  if (std::optional<std::u16string> renamed = RenamedText(tree_->Text(node), typed, Options())) {
    tree_->SetText(node, *renamed);
    AfterTreeChanged();
  }
}

void JumpListEditor::SetAcceleratorKeyOfFocused() {
  const std::optional<NodeId> focused = tree_->Focused();
  if (!focused) return;
  const NodeKind kind = tree_->Kind(*focused);
  if (kind != NodeKind::NormalItem && kind != NodeKind::GroupHead) return;
  HWND view = Item(IDC_EDITOR_TREE);
  RECT text{};
  TreeView_GetItemRect(view, ItemOfNode(*focused), &text, TRUE);
  POINT centre{(text.left + text.right) / 2, (text.top + text.bottom) / 2};
  ClientToScreen(view, &centre);
  std::optional<std::u16string> changed = [&] {
    NotTopmostMeanwhile meanwhile(Handle());
    return SetAcceleratorKey(Handle(), tree_->Text(*focused), kind == NodeKind::GroupHead, centre);
  }();
  if (!changed) return;
  tree_->SetText(*focused, *changed);
  AfterTreeChanged();
}

void JumpListEditor::DeleteSelected() {
  if (!tree_->Focused()) return;
  EditorPrompts prompts(Handle());
  if (!prompts.AskYesNo(u"是否删除当前已选的条目？", u"删除提醒", core::PromptIcon::Question))
    return;
  if (SelectionHasEndMarker(*tree_) &&
      !prompts.AskYesNo(u"当前选择的条目中包含了父条目终止标记 --\r这将导致在后续的删除过程中\r"
                        u"将删除对应的父条目及其下所有层级的子条目\r\r是否仍然删除？",
                        u"删除提醒", core::PromptIcon::Question))
    return;
  editor::DeleteSelection(*tree_);
  AfterTreeChanged();
}

void JumpListEditor::ShowDeleteSpecialMenu() {
  HMENU menu = CreatePopupMenu();
  AppendMenuW(menu, MF_STRING, IDM_EDITOR_DELETE_MISSING, L"删除本地路径不存在的条目(&D)");
  AppendMenuW(menu, MF_STRING, IDM_EDITOR_DELETE_WITHOUT_PATH, L"删除未关联路径或网址的条目(&N)");
  RECT button{};
  GetWindowRect(Item(IDC_EDITOR_DELETE_SPECIAL), &button);
  const UINT chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN,
                                     button.left, button.bottom, 0, Handle(), nullptr);
  DestroyMenu(menu);
  if (chosen) DeleteSpecial(static_cast<int>(chosen));
}

void JumpListEditor::DeleteSpecial(int which) {
  if (!tree_) return;
  EditorPrompts prompts(Handle());
  if (which == IDM_EDITOR_DELETE_MISSING) {
    if (!prompts.AskYesNo(u"是否删除本地路径不存在的条目？", u"删除提醒",
                          core::PromptIcon::Question))
      return;
    WindowsPathExistence facts;
    DeleteItemsWithMissingLocalPaths(*tree_, Checked(IDC_EDITOR_RECOGNIZE_URLS),
                                     host_->NewExpansionBatch(), facts);
  } else {
    if (!prompts.AskYesNo(u"是否删除未关联路径或网址的条目？", u"删除提醒",
                          core::PromptIcon::Question))
      return;
    DeleteItemsWithoutPath(*tree_);
  }
  AfterTreeChanged();
}

void JumpListEditor::Move(SelectionMove move) {
  if (!tree_->Focused()) return;
  EditorPrompts prompts(Handle());
  if (MoveSelection(*tree_, move, prompts) == SelectionMoveResult::NotOneLevel) {
    prompts.Tell(NotOneLevelMessage(move), kCannotMoveCaption, core::PromptIcon::Error);
    return;
  }
  AfterTreeChanged();
}

void JumpListEditor::ShowContextMenu(POINT screen) {
  const std::optional<NodeId> focused = tree_ ? tree_->Focused() : std::nullopt;
  const bool titled = focused && (tree_->Kind(*focused) == NodeKind::NormalItem ||
                                  tree_->Kind(*focused) == NodeKind::GroupHead);
  HMENU menu = CreatePopupMenu();
  HMENU submenu = nullptr;
  for (const EditorMenuEntry& entry :
       IsImportWindow() ? ImportFavoritesContextMenu() : EditorContextMenu()) {
    HMENU into = entry.submenuDepth > 0 && submenu ? submenu : menu;
    if (entry.caption.empty()) {
      AppendMenuW(into, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    std::u16string text(entry.caption);
    if (!entry.shortcut.empty()) text += u"\t" + std::u16string(entry.shortcut);
    if (!entry.command) {
      submenu = CreatePopupMenu();
      AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(submenu), AsWide(text));
      continue;
    }
    UINT flags = MF_STRING;
    switch (*entry.command) {
      case EditorCommand::ImportClipboard:
        flags |= MF_GRAYED;
        break;
      case EditorCommand::Rename:
      case EditorCommand::SetAcceleratorKey:
        if (!titled) flags |= MF_GRAYED;
        break;
      default:
        break;
    }
    AppendMenuW(into, flags, IDM_EDITOR_COMMAND_FIRST + static_cast<int>(*entry.command),
                AsWide(text));
  }
  const UINT chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x, screen.y, 0,
                                     Handle(), nullptr);
  DestroyMenu(menu);
  if (chosen >= IDM_EDITOR_COMMAND_FIRST)
    Run(static_cast<EditorCommand>(chosen - IDM_EDITOR_COMMAND_FIRST));
}

void JumpListEditor::Save() {
  if (!tree_) return;
  if (renaming_) FinishRename(true);
  SyncExpandedFromView();
  const bool saved = host_->SaveTreeToSettings(*tree_);
  // The live list follows the edits either way: they stay for this run.
  // (The popup adds the current-folder items at every showing.)
  RebuildJumpListMenuFromTree(*tree_, host_->LiveJumpList(), Checked(IDC_EDITOR_HIDE_DISABLED));
  if (!saved) {
    EditorPrompts prompts(Handle());
    prompts.Tell(u"无法把路径跳转列表保存到配置文件中\r\r本次的修改只在程序这次运行期间有效",
                 u"保存失败", core::PromptIcon::Error);
  }
  variables::win32::VariableBuilderDialog::Instance().Forget(*this);
  ShowWindow(Handle(), SW_HIDE);
  tree_.reset();
  items_.clear();
  TreeView_DeleteAllItems(Item(IDC_EDITOR_TREE));
}

// ---- the path row -------------------------------------------------------------------------

void JumpListEditor::ShowPathRow() {
  const std::optional<NodeId> focused = tree_ ? tree_->Focused() : std::nullopt;
  FocusedNode kind = FocusedNode::None;
  std::u16string pathInfo;
  if (focused) {
    kind = tree_->Kind(*focused) == NodeKind::NormalItem ? FocusedNode::NormalItem
                                                         : FocusedNode::Other;
    pathInfo = tree_->PathInfo(*focused);
  }
  row_ = ShowItemInControls(kind, pathInfo, row_.typeEntry, Checked(IDC_EDITOR_RECOGNIZE_URLS),
                            host_ ? host_->NewExpansionBatch() : paths::VariableExpander());
  fillingRow_ = true;
  for (int id : kPathControls) EnableWindow(Item(id), row_.enabled);
  SendMessageW(Item(IDC_EDITOR_PATH_TYPE), CB_SETCURSEL, static_cast<WPARAM>(row_.typeEntry), 0);
  SetWindowTextW(Item(IDC_EDITOR_PATHS), AsWide(row_.boxText));
  CheckDlgButton(Handle(), IDC_EDITOR_USE_VARIABLES,
                 row_.usesVariables ? BST_CHECKED : BST_UNCHECKED);
  SetWindowTextW(Item(IDC_EDITOR_PATH_LABEL), AsWide(row_.label));
  InvalidateRect(Item(IDC_EDITOR_USABLE), nullptr, TRUE);
  fillingRow_ = false;
}

void JumpListEditor::StorePathRow(RowSender sender) {
  const std::optional<NodeId> focused = tree_ ? tree_->Focused() : std::nullopt;
  if (!focused || tree_->Kind(*focused) != NodeKind::NormalItem) return;
  const std::u16string pathInfo =
      RefreshCurItemPathInfo(row_, sender, Checked(IDC_EDITOR_RECOGNIZE_URLS));
  tree_->SetPathInfo(*focused, pathInfo);
  fillingRow_ = true;
  SendMessageW(Item(IDC_EDITOR_PATH_TYPE), CB_SETCURSEL, static_cast<WPARAM>(row_.typeEntry), 0);
  CheckDlgButton(Handle(), IDC_EDITOR_USE_VARIABLES,
                 row_.usesVariables ? BST_CHECKED : BST_UNCHECKED);
  InvalidateRect(Item(IDC_EDITOR_USABLE), nullptr, TRUE);
  fillingRow_ = false;
  RefreshPathLabel();
  RedrawTree();
}

void JumpListEditor::RefreshPathLabel() {
  row_.label = PathRowLabel(row_, host_->NewExpansionBatch());
  SetWindowTextW(Item(IDC_EDITOR_PATH_LABEL), AsWide(row_.label));
}

void JumpListEditor::CheckDuplicateOfFocused() {
  if (!tree_ || !Checked(IDC_EDITOR_FORBID_DUPLICATES) || !Visible()) return;
  const std::optional<NodeId> focused = tree_->Focused();
  if (!focused || tree_->Kind(*focused) != NodeKind::NormalItem) return;
  const paths::VariableExpander expand = host_->NewExpansionBatch();
  if (!FindPathAssociatedWithOtherNode(*tree_, *focused, expand)) {
    duplicates_.Reset();
    return;
  }
  // Once for a text, when the edit is committed.
  if (!duplicates_.ShouldReport(tree_->PathInfo(*focused))) return;
  EditorPrompts prompts(Handle());
  IsPathAssociateOtherNode(*tree_, *focused, expand, &prompts);
  HWND box = Item(IDC_EDITOR_PATHS);
  SetFocus(box);
  SendMessageW(box, EM_SETSEL, 0, -1);
}

void JumpListEditor::ShowVariableMenu(HWND anchor, bool fromButton) {
  if (!IsWindowEnabled(Item(IDC_EDITOR_PATHS))) return;
  if (variableMenu_.menu) DestroyMenu(variableMenu_.menu);
  variableMenu_ = variables::win32::CreateVariablePopupMenu(IDM_EDITOR_VARIABLE_FIRST);
  HMENU menu = variableMenu_.menu;
  // The button's menu ends with the builder and the variable options.
  const bool builderShown = variables::win32::VariableBuilderDialog::Instance().Visible();
  if (fromButton) {
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING | (builderShown ? MF_CHECKED : 0), IDM_EDITOR_VARIABLE_BUILDER,
                L"通过面板输入");
    AppendMenuW(menu, MF_STRING, IDM_EDITOR_VARIABLE_OPTIONS, L"变量选项");
  }
  RECT r{};
  GetWindowRect(anchor, &r);
  POINT at{fromButton ? r.left : r.left + 10, fromButton ? r.bottom : r.top + 10};
  if (!fromButton) GetCursorPos(&at);
  const UINT chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_LEFTALIGN, at.x, at.y, 0, Handle(), nullptr);
  if (chosen == IDM_EDITOR_VARIABLE_BUILDER) {
    if (builderShown)
      variables::win32::VariableBuilderDialog::Instance().Forget(*this);
    else
      OpenVariableBuilder({});
  }
  if (chosen == IDM_EDITOR_VARIABLE_OPTIONS) OpenVariableOptions();
  if (const std::u16string* caption = variableMenu_.CaptionOf(chosen)) InsertVariable(*caption);
}

EditText JumpListEditor::PathBoxText() const {
  HWND box = Item(IDC_EDITOR_PATHS);
  DWORD start = 0, end = 0;
  SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return {WindowText(box), start, end};
}

void JumpListEditor::PutIntoPathBox(const EditText& text) {
  HWND box = Item(IDC_EDITOR_PATHS);
  fillingRow_ = true;
  SetWindowTextW(box, AsWide(text.text));
  SendMessageW(box, EM_SETSEL, text.selectionStart, text.selectionEnd);
  fillingRow_ = false;
  // What a dialog, a drop or a menu puts there is the user's edit.
  row_.boxText = text.text;
  StorePathRow(RowSender::PathBox);
}

void JumpListEditor::InsertVariable(const std::u16string& caption) {
  const MenuVariable variable = VariableOfMenuCaption(caption, host_->Today());
  if (variable.action == MenuVariable::Action::OpenBuilder) OpenVariableBuilder(variable.text);
  if (variable.action != MenuVariable::Action::Insert) return;
  HWND box = Item(IDC_EDITOR_PATHS);
  if (!IsWindowEnabled(box)) return;
  std::optional<EditText> next =
      InsertVariableText(PathBoxText(), variable.text, insertMode_, GetFocus() == box);
  if (!next) return;
  row_.usesVariables = true;
  PutIntoPathBox(*next);
  SetFocus(box);
}

void JumpListEditor::OpenVariableBuilder(std::u16string_view variable) {
  variables::win32::VariableBuilderDialog& builder = variables::win32::VariableBuilderDialog::Instance();
  builder.Open(*this);
  builder.SetVariable(variable);
}

bool JumpListEditor::ReceiveExpression(std::u16string_view expression, variables::win32::BuilderOutput mode) {
  // The path box is the editor's only box for paths; without a focused
  // entry it is disabled and nothing is written.
  HWND box = Item(IDC_EDITOR_PATHS);
  if (!tree_ || !IsWindowEnabled(box)) return false;
  const InsertMode insert = mode == variables::win32::BuilderOutput::Insert   ? InsertMode::Insert
                            : mode == variables::win32::BuilderOutput::Append ? InsertMode::Append
                                                                              : InsertMode::Cover;
  // The box keeps its selection while the builder has the focus.
  std::optional<EditText> next = InsertVariableText(PathBoxText(), expression, insert, true);
  if (!next) return false;
  row_.usesVariables = true;
  PutIntoPathBox(*next);
  return true;
}

std::function<std::u16string(std::u16string_view)> JumpListEditor::NewExpansionBatch() {
  return host_->NewExpansionBatch();
}

void JumpListEditor::OpenVariableOptions() {
  // The options dialog is modal: the editor stops being topmost meanwhile.
  const bool topmost = Checked(IDC_EDITOR_ALWAYS_ON_TOP);
  if (topmost) SetTopmost(false);
  host_->OpenVariableOptions();
  if (topmost) SetTopmost(true);
}

void JumpListEditor::BrowseForPaths(bool files) {
  HWND box = Item(IDC_EDITOR_PATHS);
  if (!IsWindowEnabled(box)) return;
  ComPtr<IFileOpenDialog> dialog;
  if (FAILED(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER,
                              IID_PPV_ARGS(&dialog))))
    return;
  FILEOPENDIALOGOPTIONS options = 0;
  dialog->GetOptions(&options);
  options |= FOS_ALLOWMULTISELECT | FOS_FILEMUSTEXIST | FOS_FORCESHOWHIDDEN | FOS_FORCEFILESYSTEM;
  if (!files) options |= FOS_PICKFOLDERS;
  dialog->SetOptions(options);
  WindowsFileSystemFacts facts;
  PathFacts pathFacts;
  pathFacts.isFolder = [&facts](std::u16string_view p) { return facts.IsExistingFolder(p); };
  pathFacts.isFile = [&facts](std::u16string_view p) { return facts.IsExistingFile(p); };
  std::u16string boxPaths = WindowText(box);
  if (Checked(IDC_EDITOR_USE_VARIABLES)) boxPaths = host_->NewExpansionBatch()(boxPaths);
  if (std::optional<std::u16string> start = FileDialogStartFolder(boxPaths, !files, pathFacts)) {
    ComPtr<IShellItem> folder;
    if (SUCCEEDED(SHCreateItemFromParsingName(AsWide(*start), nullptr, IID_PPV_ARGS(&folder))))
      dialog->SetFolder(folder.Get());
  }
  HRESULT shown;
  {
    NotTopmostMeanwhile meanwhile(Handle());
    shown = dialog->Show(Handle());
  }
  if (FAILED(shown)) return;
  ComPtr<IShellItemArray> chosen;
  if (FAILED(dialog->GetResults(&chosen))) return;
  DWORD count = 0;
  chosen->GetCount(&count);
  std::vector<std::u16string> paths;
  for (DWORD i = 0; i < count; ++i) {
    ComPtr<IShellItem> item;
    wchar_t* path = nullptr;
    if (SUCCEEDED(chosen->GetItemAt(i, &item)) &&
        SUCCEEDED(item->GetDisplayName(SIGDN_FILESYSPATH, &path))) {
      paths.push_back(FromWide(path));
      CoTaskMemFree(path);
    }
  }
  std::optional<EditText> next =
      AddPathsListToPathEdit(PathBoxText(), ChosenPathsList(paths), insertMode_);
  if (!next) return;
  PutIntoPathBox(*next);
  SetFocus(box);
}

void JumpListEditor::ImportTextFile() {
  static constexpr FileFilter kFilters[] = {{u"文本文件(*.txt)", u"*.txt"},
                                            {u"所有文件(*.*)", u"*"}};
  EditorPrompts prompts(Handle());
  WindowsFileSystemFacts facts;
  for (;;) {
    std::optional<ChosenImportFile> chosen;
    {
      NotTopmostMeanwhile meanwhile(Handle());
      ImportFileDialogOptions options;
      options.title = u"导入路径列表";
      options.filters = kFilters;
      options.defaultExtension = u"txt";
      chosen = ChooseImportFile(Handle(), options);
    }
    if (!chosen) return;
    const std::u16string name = ImportFileName(chosen->file);
    if (!facts.IsExistingFile(name)) {
      prompts.Tell(ImportFileNotFoundText(name), kImportFileNotFoundCaption,
                   core::PromptIcon::Error);
      continue;
    }
    const ImportResult result =
        ImportPathListText(name, chosen->encoding, core::SystemAnsiCodePage(), *tree_);
    if (result.status != ImportStatus::kOk) {
      prompts.Tell(result.message, u"导入路径列表", core::PromptIcon::Error);
      return;
    }
    // The tree is new: the first entry is the focused one, as at opening.
    if (std::optional<NodeId> first = tree_->FirstRoot()) tree_->SelectOnly(*first);
    selectionAnchor_ = tree_->Focused();
    AfterTreeChanged();
    return;
  }
}

void JumpListEditor::DropFiles(HDROP drop) {
  const std::vector<std::u16string> paths = ui::win32::DroppedFilePaths(drop);
  POINT point{};
  DragQueryPoint(drop, &point);
  DragFinish(drop);
  if (!tree_ || paths.empty()) return;
  HWND target = ChildWindowFromPointEx(Handle(), point, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
  WindowsFileSystemFacts facts;
  if (target == Item(IDC_EDITOR_PATHS)) {
    if (!IsWindowEnabled(target)) return;
    std::vector<DroppedPath> dropped;
    for (const std::u16string& path : paths) {
      DroppedPath d{path, {}};
      if (core::EndsWithIgnoreCase(path, u".lnk") && facts.IsExistingFile(path))
        d.shortcutTarget = facts.ResolveShortcutTarget(path);
      dropped.push_back(std::move(d));
    }
    if (std::optional<EditText> next =
            AddPathsListToPathEdit(PathBoxText(), DroppedPathsText(dropped), insertMode_))
      PutIntoPathBox(*next);
    return;
  }
  if (target != Item(IDC_EDITOR_TREE)) return;
  // On the tree: into an empty or expanded group, after a collapsed one,
  // after any other node, at the end without one.
  HWND view = Item(IDC_EDITOR_TREE);
  TVHITTESTINFO hit{};
  hit.pt = point;
  MapWindowPoints(Handle(), view, &hit.pt, 1);
  std::optional<NodeId> dest = NodeOfItem(TreeView_HitTest(view, &hit));
  SyncExpandedFromView();
  bool asSubNode = false;
  if (dest && tree_->Kind(*dest) == NodeKind::GroupHead) {
    if (!tree_->HasChildren(*dest) || tree_->IsExpanded(*dest)) {
      asSubNode = true;
    } else if (std::optional<NodeId> end = tree_->NextSibling(*dest)) {
      dest = end;
    }
  }
  EditorPrompts prompts(Handle());
  const AddNodeOptions add = NodeOptions(prompts);
  std::vector<std::u16string> order = paths;
  // Next to a node each goes to the same place, so the last goes first.
  if (dest) std::reverse(order.begin(), order.end());
  for (const std::u16string& path : order) {
    const size_t slash = path.find_last_of(u"\\/");
    std::u16string name =
        core::TrimChars(slash == std::u16string::npos ? path : path.substr(slash + 1), u" ");
    if (name.empty()) continue;  // a drive root
    if (name == u"-") {
      AddNodeForPath(*tree_, dest, asSubNode, u"-", u"<>", facts, add);
      continue;
    }
    name = jumplist::LimitJumpListItemCaptionLength(core::TrimCharsLeft(name, u"- "),
                                                    host_->CaptionMaxLength(), u"...");
    if (!name.empty()) AddNodeForPath(*tree_, dest, asSubNode, name, path, facts, add);
  }
  AfterTreeChanged();
  if (IsWindowEnabled(Item(IDC_EDITOR_PATHS))) SetFocus(Item(IDC_EDITOR_PATHS));
}

// ---- messages -----------------------------------------------------------------------------

INT_PTR JumpListEditor::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      InitDialog();
      return FALSE;
    case WM_SIZE:
      if (wParam != SIZE_MINIMIZED) ApplyLayout();
      return TRUE;
    case WM_DPICHANGED:
      // Its own layout, at the new DPI, on the WM_SIZE of the new rectangle.
      DpiScaling().OnDpiChanged(Handle(), wParam, lParam, false);
      ApplyLayout();
      return TRUE;
    case WM_GETMINMAXINFO: {
      auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
      const int dpi = DpiOf(Handle());
      const int minWidth = IsImportWindow() ? kImportMinClientWidth : kEditorMinClientWidth;
      const int minHeight = IsImportWindow() ? kImportMinClientHeight : kEditorMinClientHeight;
      RECT minimum{0, 0, MulDiv(minWidth, dpi, 96), MulDiv(minHeight, dpi, 96)};
      AdjustWindowRectEx(&minimum, static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_STYLE)),
                         FALSE, static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_EXSTYLE)));
      info->ptMinTrackSize = {minimum.right - minimum.left, minimum.bottom - minimum.top};
      return TRUE;
    }
    case WM_MOUSEMOVE:
      if (dragging_) DragTo({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return dragging_;
    case WM_LBUTTONUP:
      if (dragging_) Drop({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return TRUE;
    case WM_CAPTURECHANGED:
      if (dragging_ && reinterpret_cast<HWND>(lParam) != Handle()) EndDrag();
      return FALSE;
    case WM_LBUTTONDOWN:
      // A press on the free surface drags the window.
      ui::win32::MoveByPress(Handle());
      return TRUE;
    case WM_CLOSE:
      Cancel();
      return TRUE;
    case WM_DROPFILES:
      DropFiles(reinterpret_cast<HDROP>(wParam));
      return TRUE;
    case kRenameDone:
      FinishRename(wParam != 0);
      return TRUE;
    case kHoverMenu:
      if (wParam == IDC_EDITOR_DELETE_SPECIAL) ShowDeleteSpecialMenu();
      if (wParam == IDC_EDITOR_INPUT_VARIABLE)
        ShowVariableMenu(Item(IDC_EDITOR_INPUT_VARIABLE), true);
      return TRUE;
    case kPathBoxMenu:
      ShowVariableMenu(Item(IDC_EDITOR_PATHS), false);
      return TRUE;
    case WM_CONTEXTMENU:
      if (reinterpret_cast<HWND>(wParam) == Item(IDC_EDITOR_TREE)) {
        POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        if (at.x == -1 && at.y == -1) {
          RECT r{};
          GetWindowRect(Item(IDC_EDITOR_TREE), &r);
          at = {r.left + 20, r.top + 20};
        }
        ShowContextMenu(at);
        return TRUE;
      }
      return FALSE;
    case WM_CTLCOLORSTATIC:
      if (reinterpret_cast<HWND>(lParam) == Item(IDC_EDITOR_PATH_LABEL) ||
          (IsImportWindow() && reinterpret_cast<HWND>(lParam) == Item(IDC_IMPORT_BASE_ENTRY))) {
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, RGB(0, 0, 255));
        SetBkMode(dc, TRANSPARENT);
        return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
      }
      return FALSE;
    case WM_DRAWITEM: {
      auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
      if (draw->CtlID != IDC_EDITOR_USABLE && draw->CtlID != IDC_EDITOR_INSERT_MODE) return FALSE;
      const bool usable = draw->CtlID == IDC_EDITOR_USABLE;
      const std::u16string_view text =
          usable ? (row_.disabled ? u"禁" : u"启") : InsertModeCaption(insertMode_);
      UINT state = DFCS_BUTTONPUSH;
      if (draw->itemState & ODS_SELECTED) state |= DFCS_PUSHED;
      if (draw->itemState & ODS_DISABLED) state |= DFCS_INACTIVE;
      DrawFrameControl(draw->hDC, &draw->rcItem, DFC_BUTTON, state);
      SetBkMode(draw->hDC, TRANSPARENT);
      SetTextColor(draw->hDC, (draw->itemState & ODS_DISABLED) ? GetSysColor(COLOR_GRAYTEXT)
                              : (usable && row_.disabled)      ? RGB(255, 0, 0)
                                                               : RGB(0, 0, 255));
      HGDIOBJ old = SelectObject(draw->hDC, usable ? GetWindowFont(Handle()) : boldFont_);
      RECT r = draw->rcItem;
      DrawTextW(draw->hDC, AsWide(text.data()), static_cast<int>(text.size()), &r,
                DT_CENTER | DT_VCENTER | DT_SINGLELINE);
      SelectObject(draw->hDC, old);
      if (draw->itemState & ODS_FOCUS) {
        InflateRect(&r, -3, -3);
        DrawFocusRect(draw->hDC, &r);
      }
      return TRUE;
    }
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      if (header->hwndFrom == hints_ && header->code == TTN_GETDISPINFOW) {
        FillHint(*reinterpret_cast<NMTTDISPINFOW*>(lParam));
        return TRUE;
      }
      if (header->hwndFrom == hints_ && header->code == TTN_SHOW) {
        // Over the insertion-mode button the hint stays until the pointer leaves.
        const bool mode = reinterpret_cast<HWND>(header->idFrom) == Item(IDC_EDITOR_INSERT_MODE);
        SendMessageW(hints_, TTM_SETDELAYTIME, TTDT_AUTOPOP, mode ? 32767 : 8000);
        return FALSE;
      }
      if (header->idFrom != IDC_EDITOR_TREE) return FALSE;
      switch (header->code) {
        case TVN_SELCHANGEDW:
          OnSelectionChanged(*reinterpret_cast<NMTREEVIEWW*>(lParam));
          return TRUE;
        case TVN_GETINFOTIPW: {
          auto* tip = reinterpret_cast<NMTVGETINFOTIPW*>(lParam);
          if (tip->cchTextMax > 0) tip->pszText[0] = L'\0';
          if (!tree_ || !Checked(IDC_EDITOR_SHOW_PATH_HINT)) return TRUE;
          const NodeId node{static_cast<uint32_t>(tip->lParam)};
          if (!tree_->Contains(node)) return TRUE;
          if (std::optional<std::u16string> hint =
                  PathHintOfNode(*tree_, node, host_->NewExpansionBatch())) {
            const size_t n = std::min(hint->size(), static_cast<size_t>(tip->cchTextMax - 1));
            std::copy_n(AsWide(*hint), n, tip->pszText);
            tip->pszText[n] = L'\0';
          }
          return TRUE;
        }
        case TVN_BEGINDRAGW:
          BeginDrag(*reinterpret_cast<NMTREEVIEWW*>(lParam));
          return TRUE;
        case TVN_ITEMEXPANDEDW: {
          // The one node that opened or closed; while the view is filled,
          // the model already knows.
          if (fillingTree_ || !tree_) return TRUE;
          const auto& change = *reinterpret_cast<NMTREEVIEWW*>(lParam);
          if (std::optional<NodeId> node = NodeOfItem(change.itemNew.hItem))
            tree_->SetExpanded(*node, (change.itemNew.state & TVIS_EXPANDED) != 0);
          RedrawTree();
          return TRUE;
        }
        case NM_CUSTOMDRAW:
          SetResult(OnCustomDraw(*reinterpret_cast<NMTVCUSTOMDRAW*>(lParam)));
          return TRUE;
        case NM_RCLICK: {
          // A right press selects the node under the mouse.
          TVHITTESTINFO hit{};
          GetCursorPos(&hit.pt);
          ScreenToClient(header->hwndFrom, &hit.pt);
          if (std::optional<NodeId> node = NodeOfItem(TreeView_HitTest(header->hwndFrom, &hit))) {
            if (!tree_->IsSelected(*node)) tree_->SelectOnly(*node);
            tree_->SetFocused(node);
            FocusNodeInView(node);
            OnFocusedNodeChanged();
            RedrawTree();
          }
          POINT at{};
          GetCursorPos(&at);
          ShowContextMenu(at);
          SetResult(TRUE);
          return TRUE;
        }
        case NM_DBLCLK: {
          TVHITTESTINFO hit{};
          GetCursorPos(&hit.pt);
          ScreenToClient(header->hwndFrom, &hit.pt);
          std::optional<NodeId> node = NodeOfItem(TreeView_HitTest(header->hwndFrom, &hit));
          if (node && tree_->Kind(*node) == NodeKind::NormalItem) {
            StartRename();
            SetResult(TRUE);
            return TRUE;
          }
          return FALSE;
        }
      }
      return FALSE;
    }
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      const int code = HIWORD(wParam);
      if (id >= IDM_EDITOR_COMMAND_FIRST && id < IDM_EDITOR_DELETE_MISSING) {
        Run(static_cast<EditorCommand>(id - IDM_EDITOR_COMMAND_FIRST));
        return TRUE;
      }
      switch (id) {
        case IDC_EDITOR_ADD_ITEM:
          Run(EditorCommand::AddItem);
          return TRUE;
        case IDC_EDITOR_ADD_SUB_ITEM:
          Run(EditorCommand::AddSubItem);
          return TRUE;
        case IDC_EDITOR_ADD_GROUP:
          Run(EditorCommand::AddGroup);
          return TRUE;
        case IDC_EDITOR_CHANGE_TITLE:
          ChangeTitle();
          return TRUE;
        case IDC_EDITOR_DELETE_SELECTED:
          Run(EditorCommand::DeleteSelected);
          return TRUE;
        case IDC_EDITOR_DELETE_SPECIAL:
          ShowDeleteSpecialMenu();
          return TRUE;
        case IDC_EDITOR_SAVE:
          Save();
          return TRUE;
        case IDC_EDITOR_IMPORT:
          OpenImportWindow(std::nullopt);
          return TRUE;
        case IDC_IMPORT_FILE:
          if (code == EN_CHANGE) ReloadFavorites();
          return TRUE;
        case IDC_IMPORT_KIND:
          if (code == CBN_SELCHANGE) ReloadFavorites();
          return TRUE;
        case IDC_IMPORT_FILE_BROWSE:
          BrowseForFavorites(GetKeyState(VK_CONTROL) < 0);
          return TRUE;
        case IDC_IMPORT_BASE_ENTRY:
          if (code == STN_CLICKED) ChooseBaseEntry(Item(IDC_IMPORT_BASE_ENTRY));
          return TRUE;
        case IDC_IMPORT_REPLACE:
          base_ = {};
          ShowBaseEntry();
          return TRUE;
        case IDC_IMPORT_AFTER:
        case IDC_IMPORT_BEFORE:
        case IDC_IMPORT_INSIDE:
        case IDC_IMPORT_FIRST_IN_LEVEL:
        case IDC_IMPORT_LAST_IN_LEVEL:
          if (code == BN_CLICKED) ChooseBaseEntry(Item(id));
          return TRUE;
        case IDC_IMPORT_RUN:
          RunImport();
          return TRUE;
        case IDCANCEL:
          // Esc during a drag ends the drag, not the editor.
          if (dragging_) {
            EndDrag();
            return TRUE;
          }
          Cancel();
          return TRUE;
        case IDC_EDITOR_CANCEL:
          Cancel();
          return TRUE;
        case IDC_EDITOR_ALWAYS_ON_TOP:
          SetTopmost(Checked(IDC_EDITOR_ALWAYS_ON_TOP));
          return TRUE;
        case IDC_EDITOR_HIDE_DISABLED:
          if (host_) host_->SetHideDisabledItems(Checked(IDC_EDITOR_HIDE_DISABLED));
          return TRUE;
        case IDC_EDITOR_FORBID_DUPLICATES:
          CheckDuplicateOfFocused();
          return TRUE;
        case IDC_EDITOR_RECOGNIZE_URLS:
          ShowPathRow();
          return TRUE;
        case IDC_EDITOR_PATH_TYPE:
          if (code == CBN_SELCHANGE && !fillingRow_) {
            const LRESULT index = SendMessageW(Item(IDC_EDITOR_PATH_TYPE), CB_GETCURSEL, 0, 0);
            if (index >= 0 && index <= static_cast<LRESULT>(PathTypeEntry::Mixed)) {
              row_.typeEntry = static_cast<PathTypeEntry>(index);
              StorePathRow(RowSender::TypeList);
            }
          }
          return TRUE;
        case IDC_EDITOR_PATHS:
          // Only the user's typing is an edit; text the program sets is not.
          if (code == EN_CHANGE && !fillingRow_ && GetFocus() == Item(IDC_EDITOR_PATHS)) {
            row_.boxText = WindowText(Item(IDC_EDITOR_PATHS));
            StorePathRow(RowSender::PathBox);
          } else if (code == EN_KILLFOCUS) {
            CheckDuplicateOfFocused();
          }
          return TRUE;
        case IDC_EDITOR_USABLE: {
          const std::optional<NodeId> focused = tree_ ? tree_->Focused() : std::nullopt;
          if (focused && tree_->Kind(*focused) != NodeKind::NormalItem) return TRUE;
          row_.disabled = !row_.disabled;
          StorePathRow(RowSender::UsableButton);
          InvalidateRect(Item(IDC_EDITOR_USABLE), nullptr, TRUE);
          return TRUE;
        }
        case IDC_EDITOR_INSERT_MODE:
          insertMode_ = NextInsertMode(insertMode_);
          InvalidateRect(Item(IDC_EDITOR_INSERT_MODE), nullptr, TRUE);
          return TRUE;
        case IDC_EDITOR_USE_VARIABLES:
          row_.usesVariables = Checked(IDC_EDITOR_USE_VARIABLES);
          StorePathRow(RowSender::VariablesBox);
          CheckDuplicateOfFocused();
          return TRUE;
        case IDC_EDITOR_INPUT_VARIABLE:
          ShowVariableMenu(Item(IDC_EDITOR_INPUT_VARIABLE), true);
          return TRUE;
        case IDC_EDITOR_BROWSE:
          BrowseForPaths(GetKeyState(VK_CONTROL) < 0);
          return TRUE;
        case IDC_EDITOR_PATH_LABEL:
          if (code == STN_DBLCLK && !row_.label.empty()) {
            EditorPrompts prompts(Handle());
            ui::win32::CopyAndTell(LabelClipboardText(row_.label), prompts,
                                   {u"已经把路径复制到剪贴板中",
                                    u"无法把路径复制到剪贴板中，剪贴板正被其他程序占用", u"复制路径"});
          }
          return TRUE;
      }
      return FALSE;
    }
  }
  return FALSE;
}

// ---- the import window ---------------------------------------------------------------------

void JumpListEditor::OpenImportWindow(std::optional<FavoritesKind> kind) {
  if (!tree_ || !host_) return;
  if (renaming_) FinishRename(false);
  // The builder writes into the editor's path box, which goes out of sight.
  variables::win32::VariableBuilderDialog::Instance().Forget(*this);
  SyncExpandedFromView();
  ShowWindow(Handle(), SW_HIDE);
  ImportWindow().ShowForEditor(*this, kind);
  // It could not be made: the editor stays.
  if (!ImportWindow().Visible()) {
    ShowWindow(Handle(), SW_SHOW);
    SetForegroundWindow(Handle());
  }
}

void JumpListEditor::ShowForEditor(JumpListEditor& editor, std::optional<FavoritesKind> kind) {
  editor_ = &editor;
  host_ = editor.host_;
  if (!Handle() && !CreateModeless(GetModuleHandleW(nullptr), IDD_IMPORT_FAVORITES, nullptr)) {
    core::Trace(u"the import window could not be created");
    return;
  }
  if (!tree_) {
    tree_ = std::make_unique<JumpTree>(FreshIdsFrom(host_->LiveJumpList()));
  } else {
    // A save of the editor numbers its entries anew from the live list:
    // this tree's numbers are made afresh so that none repeats one of them.
    for (NodeId node : tree_->NodesInOrder()) {
      if (!tree_->Record(node)) continue;
      const std::u16string path(tree_->PathInfo(node));
      tree_->AttachNewRecord(node, path);
    }
  }
  // After or before: the editor's first entry is the base; otherwise the
  // one chosen before, while it is still there.
  const CopyPosition position = ChosenPosition();
  if (position == CopyPosition::After || position == CopyPosition::Before) {
    base_ = {};
    for (const BaseEntryChoice& choice : BaseEntryChoices(*editor.tree_)) {
      if (choice.separator) continue;
      base_ = {choice.customId, BaseEntryCaption(choice)};
      break;
    }
  } else if (!FindBaseEntry(*editor.tree_, base_)) {
    base_ = {};
  }
  ShowBaseEntry();
  if (std::optional<NodeId> first = tree_->FirstRoot()) tree_->SelectOnly(*first);
  selectionAnchor_ = tree_->Focused();
  FillTreeView();
  OnFocusedNodeChanged();
  ShowWindow(Handle(), SW_SHOW);
  if (IsIconic(Handle())) ShowWindow(Handle(), SW_RESTORE);
  SetTopmost(Checked(IDC_EDITOR_ALWAYS_ON_TOP));
  SetForegroundWindow(Handle());
  SetFocus(Item(IDC_EDITOR_TREE));
  // The type chosen in the editor's menu reads the file named again, over
  // the window (a file of the other type is refused with a message).
  if (kind &&
      SendMessageW(Item(IDC_IMPORT_KIND), CB_GETCURSEL, 0, 0) != static_cast<LRESULT>(*kind)) {
    SendMessageW(Item(IDC_IMPORT_KIND), CB_SETCURSEL, static_cast<WPARAM>(*kind), 0);
    ReloadFavorites();
  }
}

void JumpListEditor::InitImportControls() {
  HWND kinds = Item(IDC_IMPORT_KIND);
  for (std::u16string_view name : kFavoritesKindNames)
    SendMessageW(kinds, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(AsWide(name)));
  SendMessageW(kinds, CB_SETCURSEL, 0, 0);
  CheckRadioButton(Handle(), IDC_IMPORT_REPLACE, IDC_IMPORT_LAST_IN_LEVEL, IDC_IMPORT_AFTER);
  importFont_ = DerivedFont(GetWindowFont(Handle()), true, false);
  for (int id : {IDC_IMPORT_RELATIVE_LABEL, IDC_IMPORT_RUN})
    SendMessageW(Item(id), WM_SETFONT, reinterpret_cast<WPARAM>(importFont_), FALSE);
}

void JumpListEditor::CloseImportWindow(bool copied) {
  if (renaming_) FinishRename(false);
  variables::win32::VariableBuilderDialog::Instance().Forget(*this);
  SyncExpandedFromView();
  ShowWindow(Handle(), SW_HIDE);
  JumpListEditor* editor = editor_;
  if (!editor || !editor->Handle()) return;
  ShowWindow(editor->Handle(), SW_SHOW);
  if (copied) {
    editor->selectionAnchor_ = editor->tree_->Focused();
    editor->AfterTreeChanged();
  }
  editor->SetTopmost(editor->Checked(IDC_EDITOR_ALWAYS_ON_TOP));
  SetForegroundWindow(editor->Handle());
  SetFocus(editor->Item(IDC_EDITOR_TREE));
}

void JumpListEditor::ReloadFavorites() {
  if (!tree_) return;
  // Blanks around the name and backslashes after it go; a network path
  // keeps the backslashes it begins with.
  const std::u16string path =
      core::TrimCharsRight(core::TrimChars(WindowText(Item(IDC_IMPORT_FILE)), u" "), u" \\");
  WindowsFileSystemFacts facts;
  if (path.empty() || !facts.IsExistingFile(path)) return;
  const LRESULT index = SendMessageW(Item(IDC_IMPORT_KIND), CB_GETCURSEL, 0, 0);
  const FavoritesKind kind =
      index == 1 ? FavoritesKind::DirectoryOpus : FavoritesKind::TotalCommander;
  const ImportResult result =
      ImportFavoritesFile(path, kind, std::nullopt, core::SystemAnsiCodePage(), *tree_);
  if (result.status != ImportStatus::kOk) {
    EditorPrompts prompts(Handle());
    prompts.Tell(result.message, u"无法导入收藏夹", core::PromptIcon::Error);
    return;
  }
  if (std::optional<NodeId> first = tree_->FirstRoot()) tree_->SelectOnly(*first);
  selectionAnchor_ = tree_->Focused();
  AfterTreeChanged();
}

void JumpListEditor::BrowseForFavorites(bool fromManagerFolder) {
  static constexpr FileFilter kHotListFilters[] = {{u"配置文件(*.ini)", u"*.ini"},
                                                   {u"所有文件(*.*)", u"*"}};
  static constexpr FileFilter kXmlFilters[] = {{u"XML 文件(*.xml)", u"*.xml"},
                                               {u"所有文件(*.*)", u"*"}};
  const bool xml = SendMessageW(Item(IDC_IMPORT_KIND), CB_GETCURSEL, 0, 0) == 1;
  ImportFileDialogOptions options{
      u"选择收藏夹配置文件",
      xml ? std::span<const FileFilter>(kXmlFilters) : std::span<const FileFilter>(kHotListFilters),
      u"",
      false,
      {}};
  if (fromManagerFolder) options.startFolder = windows::win32::GetFolderOfTopmostManager().path;
  EditorPrompts prompts(Handle());
  WindowsFileSystemFacts facts;
  for (;;) {
    std::optional<ChosenImportFile> chosen;
    {
      NotTopmostMeanwhile meanwhile(Handle());
      chosen = ChooseImportFile(Handle(), options);
    }
    if (!chosen) return;
    const std::u16string name = ImportFileName(chosen->file);
    if (!facts.IsExistingFile(name)) {
      prompts.Tell(u"以下文件路径不存在，请重新选择\r\r" + name, kImportFileNotFoundCaption,
                   core::PromptIcon::Error);
      continue;
    }
    HWND box = Item(IDC_IMPORT_FILE);
    SetWindowTextW(box, AsWide(name));
    SetFocus(box);
    SendMessageW(box, EM_SETSEL, 0, -1);
    return;
  }
}

void JumpListEditor::ChooseBaseEntry(HWND anchor) {
  if (!editor_ || !editor_->tree_) return;
  const std::vector<BaseEntryChoice> choices = BaseEntryChoices(*editor_->tree_);
  HMENU menu = CreatePopupMenu();
  for (size_t i = 0; i < choices.size(); ++i) {
    if (choices[i].separator)
      AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    else
      AppendMenuW(menu, MF_STRING, i + 1, AsWide(choices[i].text));
  }
  RECT r{};
  GetWindowRect(anchor, &r);
  const UINT chosen = static_cast<UINT>(
      TrackPopupMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_LEFTALIGN | TPM_TOPALIGN, r.left,
                     r.bottom, 0, Handle(), nullptr));
  DestroyMenu(menu);
  if (chosen == 0 || chosen > choices.size()) return;
  base_ = {choices[chosen - 1].customId, BaseEntryCaption(choices[chosen - 1])};
  ShowBaseEntry();
}

void JumpListEditor::ShowBaseEntry() {
  SetWindowTextW(Item(IDC_IMPORT_BASE_ENTRY), AsWide(base_.caption));
}

CopyPosition JumpListEditor::ChosenPosition() const {
  for (const PositionButton& button : kPositionButtons)
    if (Checked(button.id)) return button.position;
  return CopyPosition::After;
}

void JumpListEditor::RunImport() {
  if (!tree_ || !editor_ || !editor_->tree_) return;
  if (renaming_) FinishRename(false);
  const std::optional<BaseEntry> base =
      base_.customId ? std::optional<BaseEntry>(base_) : std::nullopt;
  const CopyResult result = CopySelectedNodes(*tree_, *editor_->tree_, ChosenPosition(), base);
  switch (result.outcome) {
    case CopyOutcome::kNoBase: {
      EditorPrompts prompts(Handle());
      prompts.Tell(kNoBaseEntryText, kNoBaseEntryCaption, core::PromptIcon::Warning);
      return;
    }
    case CopyOutcome::kNothingToCopy:
      RedrawTree();
      return;
    case CopyOutcome::kCopied:
      CloseImportWindow(true);
      return;
  }
}

}  // namespace pathorama::editor::win32
