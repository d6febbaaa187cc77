#include "editor/win32/add_to_jump_list_dialog.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <vector>

#include "core/text.h"
#include "core/win32/wide_text.h"
#include "paths/path_info.h"
#include "editor/win32/add_to_jump_list_dialog_ids.h"
#include "ui/control_anchors.h"
#include "ui/win32/background_drag.h"
#include "ui/win32/hints.h"
#include "ui/win32/message_box_prompts.h"
#include "ui/win32/work_area.h"
#include "windows/win32/clipboard.h"
#include "windows/win32/folder_managers.h"
#include "windows/win32/path_probe.h"
#include "windows/win32/window_facts.h"

namespace pathorama::editor::win32 {

namespace {

using core::win32::AsWide;
using core::win32::FromWide;
using ui::Anchor;

constexpr std::array<AddSource, 4> kSources = {AddSource::kOpenFolder, AddSource::kSelectedFolders,
                                               AddSource::kSelectedFiles, AddSource::kSelectedPaths};

struct PositionButton {
  int id;
  InsertPosition position;
};
constexpr std::array<PositionButton, 5> kPositionButtons = {{
    {IDC_ADD_AFTER, InsertPosition::kInsertAfter},
    {IDC_ADD_BEFORE, InsertPosition::kInsertBefore},
    {IDC_ADD_INSIDE, InsertPosition::kInsertAsSubItem},
    {IDC_ADD_FIRST_IN_LEVEL, InsertPosition::kAddFirstAtSibling},
    {IDC_ADD_LAST_IN_LEVEL, InsertPosition::kAddLastAtSibling},
}};

// How each control follows the window's width.
struct AnchoredControl {
  int id;
  Anchor anchor;
};
constexpr std::array<AnchoredControl, 18> kAnchors = {{
    {IDC_ADD_SOURCE, Anchor::kLeft},
    {IDC_ADD_COLLECT, Anchor::kLeft},
    {IDC_ADD_SIMPLIFY, Anchor::kRight},
    {IDC_ADD_PATHS, Anchor::kStretch},
    {IDC_ADD_TITLE_LABEL, Anchor::kLeft},
    {IDC_ADD_TITLE, Anchor::kStretch},
    {IDC_ADD_SAME_ENTRY, Anchor::kLeft},
    {IDC_ADD_TO_MENU_ITEM, Anchor::kLeft},
    {IDC_ADD_DESTINATION, Anchor::kStretch},
    {IDC_ADD_AFTER, Anchor::kLeft},
    {IDC_ADD_BEFORE, Anchor::kLeft},
    {IDC_ADD_INSIDE, Anchor::kLeft},
    {IDC_ADD_FIRST_IN_LEVEL, Anchor::kLeft},
    {IDC_ADD_LAST_IN_LEVEL, Anchor::kLeft},
    {IDC_ADD_PATH_COUNT, Anchor::kLeft},
    {IDC_ADD_ON_TOP, Anchor::kLeft},
    {IDCANCEL, Anchor::kRight},
    {IDOK, Anchor::kRight},
}};

// Each control's box as the template laid it out, in client pixels.
std::array<ui::ControlBox, kAnchors.size()> templateBoxes;

std::u16string TextOf(HWND control) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
  return FromWide(text);
}

class ManagerFacts final : public AddDialogFacts {
 public:
  windows::FolderManager TopmostManager() override { return windows::win32::GetTopmostFolderManager(); }
  std::u16string OpenFolder() override { return windows::win32::GetFolderOfTopmostManager().path; }
  std::u16string ExplorerAddressText() override {
    HWND bar = windows::win32::FindDescendantByChain(
        windows::win32::FindExplorerWindow(),
        {u"ToolbarWindow32", u"Breadcrumb Parent", u"msctls_progress32"});
    return bar ? windows::win32::ControlTextOf(bar, 1024) : std::u16string();
  }
  std::u16string Selection(windows::SelectionMode mode) override {
    using windows::FolderManager;
    switch (TopmostManager()) {
      case FolderManager::Explorer:
        return windows::win32::GetExplorerSelection(windows::win32::FindExplorerWindow(), mode);
      case FolderManager::TotalCommander:
        // Its own list of full names: folders end in "\" already.
        return windows::win32::GetTotalCommanderSelection(
            windows::win32::FindTopmostWindowOfClass(windows::kTotalCommanderClass),
            windows::SelectionMode::Path);
      case FolderManager::DirectoryOpus:
        return windows::MarkDirectoryOpusSelection(windows::win32::GetDirectoryOpusSelection(), mode,
                                                   windows::win32::ProbePath);
      default:
        return {};
    }
  }
  bool PathExists(std::u16string_view path) override {
    return windows::win32::ProbePath(std::u16string(path)) != windows::PathKind::Missing;
  }
};

bool SelectionManager(windows::FolderManager manager) {
  return manager == windows::FolderManager::Explorer ||
         manager == windows::FolderManager::TotalCommander ||
         manager == windows::FolderManager::DirectoryOpus;
}

windows::SelectionMode ModeOf(AddSource source) {
  switch (source) {
    case AddSource::kSelectedFolders: return windows::SelectionMode::Folder;
    case AddSource::kSelectedFiles: return windows::SelectionMode::File;
    default: return windows::SelectionMode::Path;
  }
}

}  // namespace

AddDialogFacts& SystemManagerFacts() {
  static ManagerFacts facts;
  return facts;
}

AddToJumpListDialog& AddToJumpListDialog::Instance() {
  static AddToJumpListDialog dialog;
  return dialog;
}

AddToJumpListDialog::~AddToJumpListDialog() {
  if (Handle()) DestroyWindow(Handle());
  if (hoverFont_) DeleteObject(hoverFont_);
}

void AddToJumpListDialog::Show(AddDialogHost& host, AddDialogFacts& facts,
                               const AddDialogRequest& request) {
  host_ = &host;
  facts_ = &facts;
  if (!Handle() && !CreateModeless(GetModuleHandleW(nullptr), IDD_ADD_TO_JUMP_LIST, nullptr)) return;
  if (host.EditorHoldsJumpList()) {
    // Whatever were added here, the editor's save would write over it.
    Prompts().Tell(u"“配置路径跳转列表”窗口正在编辑路径跳转列表，\r\n请在其中添加条目，或保存并关闭它后再添加",
                   u"无法添加到路径跳转列表", core::PromptIcon::Warning);
    return;
  }
  Apply(request);
  // The editor's save renumbers the entries: a remembered destination must
  // still be the same entry.
  if (destinationTag_ != 0 &&
      !DestinationStillValid(host.LiveJumpList(), destinationTag_, destinationCaption_)) {
    destinationTag_ = 0;
    destinationCaption_.clear();
  }
  ShowDestination();
  if (!IsWindowVisible(Handle())) {
    RECT window{};
    GetWindowRect(Handle(), &window);
    ui::win32::CentreInWorkArea(
        Handle(), ui::win32::WorkAreaOf(request.returnTo ? request.returnTo : GetForegroundWindow()),
        window.right - window.left, window.bottom - window.top);
  }
  SetOnTop();
  ShowWindow(Handle(), SW_SHOW);
  SetForegroundWindow(Handle());
  CollectPathsToAdd();
}

void AddToJumpListDialog::Close() {
  if (Visible()) Hide();
}

core::UserPrompts& AddToJumpListDialog::Prompts() {
  if (host_ && host_->Prompts()) return *host_->Prompts();
  if (!ownPrompts_) ownPrompts_ = std::make_unique<ui::win32::MessageBoxPrompts>(Handle());
  return *ownPrompts_;
}

void AddToJumpListDialog::Initialize() {
  HWND sources = Item(IDC_ADD_SOURCE);
  for (AddSource source : kSources)
    SendMessageW(sources, CB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(AsWide(std::u16string(AddSourceCaption(source)))));
  SendMessageW(sources, CB_SETCURSEL, 0, 0);
  Check(IDC_ADD_SIMPLIFY, true);
  EnableWindow(Item(IDC_ADD_SIMPLIFY), FALSE);
  Check(IDC_ADD_ON_TOP, true);
  Check(IDC_ADD_SAME_ENTRY, true);
  Check(IDC_ADD_AFTER, true);
  ShowWindow(Item(IDC_ADD_SAME_ENTRY), SW_HIDE);
  ShowWindow(Item(IDC_ADD_PATH_COUNT), SW_HIDE);

  RECT window{};
  GetWindowRect(Handle(), &window);
  templateSize_ = {window.right - window.left, window.bottom - window.top};
  RECT client{};
  GetClientRect(Handle(), &client);
  templateClientWidth_ = client.right;
  for (size_t i = 0; i < kAnchors.size(); ++i) {
    RECT r{};
    GetWindowRect(Item(kAnchors[i].id), &r);
    MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&r), 2);
    templateBoxes[i] = {r.left, r.top, r.right - r.left, r.bottom - r.top};
  }
  MakeHoverFont();
  CreateHints();
}

void AddToJumpListDialog::CreateHints() {
  hints_ = ui::win32::CreateHintWindow(Handle());
  if (!hints_) return;
  auto add = [this](int id, const wchar_t* text) { ui::win32::AddHint(hints_, Handle(), Item(id), text); };
  add(IDC_ADD_SIMPLIFY,
      L"如果捕获到多个文件（夹）\r\n则把路径列表简化为如下格式：\r\n　　在当前已打开的文件夹路径之后\r\n"
      L"　　把多个文件（夹）名称包裹在括号对中，并用 ｜分隔");
  add(IDC_ADD_SAME_ENTRY, L"不勾选时\r\n将为每条路径关联一个单独的条目");
  add(IDC_ADD_TO_MENU_ITEM, L"不勾选时\r\n将添加到路径跳转列表的头部");
  add(IDC_ADD_DESTINATION, L"单击可切换目标菜单项");
  add(IDC_ADD_PATHS, LPSTR_TEXTCALLBACKW);
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  SendMessageW(hints_, TTM_SETMAXTIPWIDTH, 0, work.right - work.left);
}

void AddToJumpListDialog::Apply(const AddDialogRequest& request) {
  SendMessageW(Item(IDC_ADD_SOURCE), CB_SETCURSEL, static_cast<WPARAM>(request.source), 0);
  if (request.simplifyEnabled) EnableWindow(Item(IDC_ADD_SIMPLIFY), *request.simplifyEnabled);
  if (request.simplifyChecked) Check(IDC_ADD_SIMPLIFY, *request.simplifyChecked);
  if (request.onTop) Check(IDC_ADD_ON_TOP, *request.onTop);
  if (request.toMenuItem) Check(IDC_ADD_TO_MENU_ITEM, *request.toMenuItem);
  if (request.position)
    for (const PositionButton& button : kPositionButtons)
      Check(button.id, button.position == *request.position);
  if (request.destination) {
    destinationTag_ = request.destination->first;
    destinationCaption_ = core::TrimCharsLeft(request.destination->second, u"-");
  }
  returnTo_ = request.returnTo;
}

AddSource AddToJumpListDialog::Source() const {
  const LRESULT index = SendMessageW(Item(IDC_ADD_SOURCE), CB_GETCURSEL, 0, 0);
  return index >= 0 && static_cast<size_t>(index) < kSources.size() ? kSources[index]
                                                                     : AddSource::kOpenFolder;
}

void AddToJumpListDialog::CollectPathsToAdd() {
  if (!facts_) return;
  // Only these managers can tell their selection.
  const bool selections = SelectionManager(facts_->TopmostManager());
  EnableWindow(Item(IDC_ADD_SOURCE), selections);
  if (!selections) SendMessageW(Item(IDC_ADD_SOURCE), CB_SETCURSEL, 0, 0);
  const AddSource source = Source();
  // Only a selection can be several paths to simplify.
  EnableWindow(Item(IDC_ADD_SIMPLIFY), source != AddSource::kOpenFolder);
  SetWindowTextW(Handle(), AsWide(AddDialogCaption(source)));

  CollectedPaths collected;
  if (source == AddSource::kOpenFolder) {
    const std::u16string folder = facts_->OpenFolder();
    const std::u16string address =
        paths::IsShellNamespacePath(folder)
            ? windows::FolderFromAddressText(facts_->ExplorerAddressText())
            : std::u16string();
    collected = CollectOpenFolder(folder, address);
    collected.count = 0;  // the count is for selections
  } else {
    collected = CollectSelection(facts_->Selection(ModeOf(source)), source);
  }
  const std::u16string count = PathCountText(collected.count);
  SetDlgItemTextW(Handle(), IDC_ADD_PATH_COUNT, AsWide(count));
  ShowWindow(Item(IDC_ADD_PATH_COUNT), count.empty() ? SW_HIDE : SW_SHOW);

  std::u16string list = collected.list;
  if (IsWindowEnabled(Item(IDC_ADD_SIMPLIFY)) && Checked(IDC_ADD_SIMPLIFY))
    list = SimplifyPathList(list);
  ShowList(std::move(list));

  HWND title = Item(IDC_ADD_TITLE);
  SetWindowTextW(title, AsWide(collected.title));
  UpdateTitleBox();
  if (IsWindowEnabled(title) && !collected.title.empty()) {
    SetFocus(title);
    SendMessageW(title, EM_SETSEL, 0, -1);
  }
}

void AddToJumpListDialog::ShowList(std::u16string list) {
  list_ = std::move(list);
  SetDlgItemTextW(Handle(), IDC_ADD_PATHS, AsWide(list_));
  ShowWindow(Item(IDC_ADD_SAME_ENTRY), list_.find(u'|') != std::u16string::npos ? SW_SHOW : SW_HIDE);
  UpdateTitleBox();
}

void AddToJumpListDialog::UpdateTitleBox() {
  EnableWindow(Item(IDC_ADD_TITLE), TitleBoxEnabled(Source(), list_, Checked(IDC_ADD_SAME_ENTRY)));
}

void AddToJumpListDialog::ToggleSimplify() {
  if (list_.find(u'|') == std::u16string::npos) return;
  ShowList(Checked(IDC_ADD_SIMPLIFY) ? SimplifyPathList(list_) : ExpandSimplifiedPathList(list_));
}

void AddToJumpListDialog::ChooseDestination(HWND anchor) {
  if (!host_) return;
  const std::vector<DestinationChoice> choices = DestinationChoices(host_->LiveJumpList());
  if (choices.empty()) return;
  HMENU menu = CreatePopupMenu();
  for (size_t i = 0; i < choices.size(); ++i)
    AppendMenuW(menu, MF_STRING | (choices[i].tag == destinationTag_ ? MF_CHECKED : 0),
                IDM_ADD_DESTINATION_FIRST + i, AsWide(choices[i].text));
  RECT r{};
  GetWindowRect(anchor, &r);
  const UINT chosen = static_cast<UINT>(
      TrackPopupMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_LEFTALIGN | TPM_TOPALIGN, r.left,
                     r.bottom, 0, Handle(), nullptr));
  DestroyMenu(menu);
  if (chosen < IDM_ADD_DESTINATION_FIRST || chosen - IDM_ADD_DESTINATION_FIRST >= choices.size())
    return;
  const DestinationChoice& choice = choices[chosen - IDM_ADD_DESTINATION_FIRST];
  destinationTag_ = choice.tag;
  destinationCaption_ = DestinationCaption(choice.text);
  ShowDestination();
}

void AddToJumpListDialog::ShowDestination() {
  SetDlgItemTextW(Handle(), IDC_ADD_DESTINATION, AsWide(destinationCaption_));
}

InsertPosition AddToJumpListDialog::ChosenPosition() const {
  for (const PositionButton& button : kPositionButtons)
    if (Checked(button.id)) return button.position;
  return InsertPosition::kInsertAfter;
}

void AddToJumpListDialog::SetOnTop() {
  SetWindowPos(Handle(), Checked(IDC_ADD_ON_TOP) ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void AddToJumpListDialog::Confirm() {
  if (!host_ || !facts_) return;
  if (host_->EditorHoldsJumpList()) {
    Prompts().Tell(u"“配置路径跳转列表”窗口正在编辑路径跳转列表，\r\n请在其中添加条目，或保存并关闭它后再添加",
                   u"无法添加到路径跳转列表", core::PromptIcon::Warning);
    return;
  }
  ConfirmInput input;
  input.source = Source();
  input.list = list_;
  input.title = TextOf(Item(IDC_ADD_TITLE));
  input.simplifyChecked = Checked(IDC_ADD_SIMPLIFY);
  input.sameEntryChecked = Checked(IDC_ADD_SAME_ENTRY);
  const ConfirmPlan plan = PlanConfirm(
      input, [this](std::u16string_view path) { return facts_->PathExists(path); },
      [this](std::u16string_view path) {
        return Prompts().AskYesNo(u"以下本地路径不存在\r" + std::u16string(path) + u"\r\r" + u"是否仍然添加？",
                                  u"本地路径不存在", core::PromptIcon::Question);
      });
  switch (plan.outcome) {
    case ConfirmPlan::Outcome::kClose:
      Hide();
      return;
    case ConfirmPlan::Outcome::kTitleMissing:
      Prompts().Tell(u"尚未填写新菜单项的标题，请完善", u"未填写标题", core::PromptIcon::Warning);
      if (IsWindowEnabled(Item(IDC_ADD_TITLE))) SetFocus(Item(IDC_ADD_TITLE));
      return;
    case ConfirmPlan::Outcome::kAdd:
      break;
  }
  jumplist::JumpList& list = host_->LiveJumpList();
  InsertTarget target;
  target.toMenuItem = Checked(IDC_ADD_TO_MENU_ITEM);
  // A destination gone meanwhile (another save) sends the entries to the top.
  target.destinationTag =
      DestinationStillValid(list, destinationTag_, destinationCaption_) ? destinationTag_ : 0;
  target.position = ChosenPosition();
  InsertOptions options;
  options.captionMaxLength = host_->CaptionMaxLength();
  options.currentFolderItems = host_->CurrentFolderItemsOn();
  AddJumpListEntries(list, plan.entries, target, options);
  if (!host_->SaveJumpList())
    Prompts().Tell(u"无法保存路径跳转列表：设置文件无法写入。\r\n新条目已加入本次运行的路径跳转列表",
                   u"保存失败", core::PromptIcon::Error);
  Hide();
}

void AddToJumpListDialog::Hide() {
  ShowWindow(Handle(), SW_HIDE);
  if (returnTo_ && IsWindow(returnTo_)) SetForegroundWindow(returnTo_);
  returnTo_ = nullptr;
}

void AddToJumpListDialog::CopyList() {
  if (list_.empty()) return;
  if (windows::win32::SetClipboardText(PathListCopyText(list_)))
    Prompts().Tell(u"已经把路径列表复制到剪贴板中", u"复制路径列表", core::PromptIcon::Information);
  else
    Prompts().Tell(u"无法把路径列表复制到剪贴板中，剪贴板正被其他程序占用", u"复制路径列表",
                   core::PromptIcon::Error);
}

void AddToJumpListDialog::FillListHint(NMTTDISPINFOW& info) {
  HWND label = Item(IDC_ADD_PATHS);
  bool cutOff = false;
  if (HDC dc = GetDC(label)) {
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)));
    SIZE extent{};
    GetTextExtentPoint32W(dc, AsWide(list_), static_cast<int>(list_.size()), &extent);
    SelectObject(dc, old);
    ReleaseDC(label, dc);
    RECT r{};
    GetClientRect(label, &r);
    cutOff = extent.cx > r.right;
  }
  hintText_.assign(reinterpret_cast<const wchar_t*>(PathListHint(list_, cutOff).c_str()));
  info.lpszText = hintText_.data();
}

void AddToJumpListDialog::LayOut(int clientWidth) {
  const int growth = clientWidth - templateClientWidth_;
  HDWP positions = BeginDeferWindowPos(static_cast<int>(kAnchors.size()));
  for (size_t i = 0; i < kAnchors.size() && positions; ++i) {
    const ui::ControlBox box = ui::AnchoredBox(templateBoxes[i], growth, kAnchors[i].anchor);
    positions = DeferWindowPos(positions, Item(kAnchors[i].id), nullptr, box.x, box.y, box.width,
                               box.height, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (positions) EndDeferWindowPos(positions);
  InvalidateRect(Handle(), nullptr, TRUE);
}

void AddToJumpListDialog::OnDpiChanged(WPARAM wParam, LPARAM lParam) {
  // The layout's own measures first: the suggested size brings a WM_SIZE.
  const int from = static_cast<int>(DpiScaling().Dpi()), to = LOWORD(wParam);
  for (ui::ControlBox& box : templateBoxes) box = ui::ScaledBox(box, from, to);
  templateSize_ = {ui::ScaledLength(templateSize_.cx, from, to),
                   ui::ScaledLength(templateSize_.cy, from, to)};
  templateClientWidth_ = ui::ScaledLength(templateClientWidth_, from, to);
  DpiScaling().OnDpiChanged(Handle(), wParam, lParam, false);
  RECT client{};
  GetClientRect(Handle(), &client);
  LayOut(client.right);
  MakeHoverFont();
}

void AddToJumpListDialog::MakeHoverFont() {
  if (hoverFont_) DeleteObject(hoverFont_);
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(Handle(), WM_GETFONT, 0, 0)), sizeof font, &font);
  font.lfItalic = TRUE;
  font.lfUnderline = TRUE;
  hoverFont_ = CreateFontIndirectW(&font);
  hovering_ = false;
}

void AddToJumpListDialog::Hover(bool on) {
  if (on == hovering_) return;
  hovering_ = on;
  SendMessageW(Item(IDC_ADD_DESTINATION), WM_SETFONT,
               reinterpret_cast<WPARAM>(on ? hoverFont_
                                           : reinterpret_cast<HFONT>(
                                                 SendMessageW(Handle(), WM_GETFONT, 0, 0))),
               TRUE);
}

INT_PTR AddToJumpListDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      Initialize();
      return TRUE;
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      const int code = HIWORD(wParam);
      switch (id) {
        case IDOK:
          Confirm();
          return TRUE;
        case IDCANCEL:
          Hide();
          return TRUE;
        case IDC_ADD_COLLECT:
          CollectPathsToAdd();
          return TRUE;
        case IDC_ADD_SOURCE:
          if (code == CBN_SELCHANGE) CollectPathsToAdd();
          return TRUE;
        case IDC_ADD_SIMPLIFY:
          if (code == BN_CLICKED) ToggleSimplify();
          return TRUE;
        case IDC_ADD_SAME_ENTRY:
          if (code == BN_CLICKED) UpdateTitleBox();
          return TRUE;
        case IDC_ADD_ON_TOP:
          if (code == BN_CLICKED) SetOnTop();
          return TRUE;
        case IDC_ADD_TO_MENU_ITEM:
          if (code == BN_CLICKED && Checked(IDC_ADD_TO_MENU_ITEM))
            ChooseDestination(Item(IDC_ADD_TO_MENU_ITEM));
          return TRUE;
        case IDC_ADD_DESTINATION:
          if (code == STN_CLICKED) ChooseDestination(Item(IDC_ADD_DESTINATION));
          return TRUE;
        case IDC_ADD_PATHS:
          if (code == STN_DBLCLK) CopyList();
          return TRUE;
        case IDC_ADD_AFTER:
        case IDC_ADD_BEFORE:
        case IDC_ADD_INSIDE:
        case IDC_ADD_FIRST_IN_LEVEL:
        case IDC_ADD_LAST_IN_LEVEL:
          if (code == BN_CLICKED && Checked(IDC_ADD_TO_MENU_ITEM)) ChooseDestination(Item(id));
          return TRUE;
      }
      return FALSE;
    }
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      if (header->hwndFrom == hints_ && header->code == TTN_GETDISPINFOW &&
          reinterpret_cast<HWND>(header->idFrom) == Item(IDC_ADD_PATHS)) {
        FillListHint(*reinterpret_cast<NMTTDISPINFOW*>(lParam));
        return TRUE;
      }
      return FALSE;
    }
    case WM_CTLCOLORSTATIC: {
      // The list and the destination in blue, the count in red.
      const HWND control = reinterpret_cast<HWND>(lParam);
      COLORREF color;
      if (control == Item(IDC_ADD_PATHS) || control == Item(IDC_ADD_DESTINATION))
        color = RGB(0, 0, 255);
      else if (control == Item(IDC_ADD_PATH_COUNT))
        color = RGB(255, 0, 0);
      else
        return FALSE;
      HDC dc = reinterpret_cast<HDC>(wParam);
      SetTextColor(dc, color);
      SetBkMode(dc, TRANSPARENT);
      return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
    }
    case WM_SETCURSOR:
      // The destination reads as a link: a hand, italic and underlined.
      Hover(reinterpret_cast<HWND>(wParam) == Item(IDC_ADD_DESTINATION));
      if (hovering_) {
        SetCursor(LoadCursorW(nullptr, IDC_HAND));
        SetResult(TRUE);
        return TRUE;
      }
      return FALSE;
    case WM_NCHITTEST:
      // Dragging the background or a plain label moves the window.
      SetResult(ui::win32::HitTestWithBackgroundAsCaption(Handle(), wParam, lParam));
      return TRUE;
    case WM_MOUSEWHEEL: {
      // The wheel anywhere over the window turns the source list.
      HWND sources = Item(IDC_ADD_SOURCE);
      if (!IsWindowEnabled(sources)) return TRUE;
      SetFocus(sources);
      const LRESULT index = SendMessageW(sources, CB_GETCURSEL, 0, 0);
      const LRESULT next = index + (GET_WHEEL_DELTA_WPARAM(wParam) > 0 ? -1 : 1);
      if (next >= 0 && next < static_cast<LRESULT>(kSources.size()) && next != index) {
        SendMessageW(sources, CB_SETCURSEL, static_cast<WPARAM>(next), 0);
        CollectPathsToAdd();
      }
      return TRUE;
    }
    case WM_GETMINMAXINFO: {
      // Wider only: the height stays as the template made it.
      auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
      if (templateSize_.cx > 0) {
        info->ptMinTrackSize = {templateSize_.cx, templateSize_.cy};
        info->ptMaxTrackSize.y = templateSize_.cy;
      }
      return TRUE;
    }
    case WM_SIZE:
      if (templateClientWidth_ > 0) LayOut(LOWORD(lParam));
      return TRUE;
    case WM_DPICHANGED:
      OnDpiChanged(wParam, lParam);
      return TRUE;
    case WM_CLOSE:
      Hide();
      return TRUE;
  }
  return FALSE;
}

}  // namespace pathorama::editor::win32
