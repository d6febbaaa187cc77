#include "jumplist/win32/jump_list_popup.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "core/diagnostics.h"
#include "core/text.h"
#include "core/win32/wide_text.h"
#include "windows/win32/dialogs.h"
#include "windows/win32/folder_managers.h"
#include "windows/win32/window_facts.h"
#include "ui/win32/dpi_scaling.h"
#include "windows/win32/window_rects.h"
#include "windows/window_classes.h"

namespace pathorama::jumplist::win32 {

namespace {

namespace ww = windows::win32;

// Captions measured for the centre estimate; a longer menu fills the screen
// anyway.
constexpr size_t kMeasuredCaptions = 2000;

ScreenRect FromRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

// The caption as the menu draws it: "&x" shows x, "&&" one ampersand.
std::u16string DisplayedCaption(std::u16string_view caption) {
  std::u16string shown;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == u'&' && i + 1 < caption.size()) ++i;
    if (caption[i] == u'\t') break;
    shown += caption[i];
  }
  return shown;
}

// The facts of this screen, read only when the decision asks.
class ScreenFacts : public PopupPlaceFacts {
 public:
  ScreenFacts(HWND owner, ww::TargetWindow& target, const JumpList& list,
              const PreparedMenu& prepared)
      : owner_(owner), target_(target), list_(list), prepared_(prepared) {}

  ScreenRect DteEditRect() override { return FromRect(ww::GetDteEditRect()); }
  std::u16string TopmostManagerClass() override {
    // The DTE window without its path box hands the target on.
    target_ = ww::CaptureTarget(ww::FindTopmostFolderManagerWindow());
    return target_.className;
  }
  ScreenRect ConsoleRect() override { return FromRect(ww::GetConsoleRect(target_.window)); }
  ScreenRect DialogAddressBandRect() override {
    return FromRect(ww::GetDialogAddressBandRect(target_.window));
  }
  ScreenPoint Cursor() override {
    POINT p{};
    GetCursorPos(&p);
    return {p.x, p.y};
  }
  ScreenRect MainWindowRect() override { return FromRect(ww::ScreenRectOf(owner_)); }
  bool TotalCommanderLeftPanelActive() override {
    // Asked of the Total Commander window, with a bounded wait.
    return ww::IsTotalCommanderLeftPanelActive();
  }
  ScreenRect ManagerAreaRect(ManagerArea area, int panel) override {
    switch (area) {
      case ManagerArea::ExplorerAddressBar:
        return FromRect(ww::GetExplorerAddressBarRect());
      case ManagerArea::TotalCommanderPanel:
        return FromRect(ww::GetTotalCommanderPanelRect(panel));
      case ManagerArea::DirectoryOpusFileDisplay:
        return FromRect(ww::GetDirectoryOpusFileDisplayRect(panel));
      case ManagerArea::XYplorerAddress:
        return FromRect(ww::GetXYplorerAddressRect());
      case ManagerArea::Xplorer2Address:
        return FromRect(ww::GetXplorer2AddressRect());
      case ManagerArea::FreeCommanderFileList:
        return FromRect(ww::GetFreeCommanderFileListRect(panel));
      case ManagerArea::None:
        break;
    }
    return {};
  }
  ScreenPoint Centre() override {
    std::vector<TopLevelMeasure> items;
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    HFONT font = nullptr;
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
      font = CreateFontIndirectW(&metrics.lfMenuFont);
    HDC dc = GetDC(owner_);
    HGDIOBJ old = font && dc ? SelectObject(dc, font) : nullptr;
    for (const JumpItem& item : list_.Items()) {
      ItemView view = prepared_.View(item);
      TopLevelMeasure m;
      m.visible = view.visible;
      m.separator = view.separator;
      if (view.visible && !view.separator && dc && items.size() < kMeasuredCaptions) {
        std::u16string shown = DisplayedCaption(view.caption);
        SIZE size{};
        if (GetTextExtentPoint32W(dc, core::win32::AsWide(shown), static_cast<int>(shown.size()),
                                  &size))
          m.captionWidth = size.cx;
      }
      items.push_back(m);
    }
    if (old) SelectObject(dc, old);
    if (dc) ReleaseDC(owner_, dc);
    if (font) DeleteObject(font);
    // The work area of the monitor the user works on: the target's, else
    // the pointer's.
    POINT cursor{};
    GetCursorPos(&cursor);
    HMONITOR monitor = target_.window && IsWindow(target_.window)
                           ? MonitorFromWindow(target_.window, MONITOR_DEFAULTTONEAREST)
                           : MonitorFromPoint(cursor, MONITOR_DEFAULTTONEAREST);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    RECT area{};
    if (GetMonitorInfoW(monitor, &info))
      area = info.rcWork;
    else if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0))
      area = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return EstimateCentre(items, GetSystemMetrics(SM_CYMENU), FromRect(area));
  }

 private:
  HWND owner_;
  ww::TargetWindow& target_;
  const JumpList& list_;
  const PreparedMenu& prepared_;
};

// Resets a flag when the showing ends, however it ends.
class OpenFlag {
 public:
  explicit OpenFlag(bool& flag) : flag_(flag) { flag_ = true; }
  ~OpenFlag() { flag_ = false; }
  OpenFlag(const OpenFlag&) = delete;
  OpenFlag& operator=(const OpenFlag&) = delete;

 private:
  bool& flag_;
};

}  // namespace

ww::TargetWindow CaptureJumpListTarget(HWND owner) {
  // The first shown window below the main window.
  for (HWND below = owner ? GetWindow(owner, GW_HWNDNEXT) : nullptr; below;
       below = GetWindow(below, GW_HWNDNEXT)) {
    if (!IsWindowVisible(below)) continue;
    const std::u16string className = ww::ClassNameOf(below);
    const windows::DialogType dialogType = windows::IsClass(className, windows::kDialogClass)
                                               ? ww::GetDialogType(below)
                                               : windows::DialogType::None;
    if (WindowBelowIsTarget(className, dialogType)) return ww::CaptureTarget(below);
    break;
  }
  return ww::CaptureTarget(ww::FindTopmostFolderManagerWindow());
}

std::u16string ReadCurrentFolder() {
  if (ww::IsDesktopWindow(GetForegroundWindow())) return ww::GetDesktopFolder();
  return ww::GetFolderOfTopmostManager().path;
}

bool LocalPathExists(std::u16string_view path) {
  const std::u16string p(path);
  return GetFileAttributesW(core::win32::AsWide(p)) != INVALID_FILE_ATTRIBUTES;
}

JumpListPopup::JumpListPopup(HINSTANCE instance)
    : instance_(instance), icons_(std::make_unique<MenuIcons>(instance)) {}

JumpListPopup::~JumpListPopup() = default;

bool JumpListPopup::Show(const PopupRequest& request, const PopupHooks& hooks) {
  if (open_) {
    core::Trace(u"jump list: already open; the request to show it again is ignored");
    return false;
  }
  // Open from here until the menu has closed; what was chosen then runs as
  // an ordinary request, which may show the popup again.
  std::optional<OpenFlag> openFlag(std::in_place, open_);
  JumpList& list = *request.list;
  ww::TargetWindow& target = *request.target;
  if (request.captureTarget) target = CaptureJumpListTarget(request.owner);

  SetCurrentFolderItems(list, request.options.currentFolderItemInEveryGroup);
  const std::u16string folder =
      request.currentFolder ? *request.currentFolder : ReadCurrentFolder();
  PreparedMenu prepared = PrepareJumpMenu(list, folder, request.options, request.expand);

  // Icons at the scaling of the monitor the program's window is on.
  icons_->UseDpi(static_cast<int>(ui::win32::WindowDpi(request.owner)));
  PopupMenuBuild build(list, prepared, icons_.get());
  if (!build.Menu()) return true;
  ScreenFacts facts(request.owner, target, list, prepared);
  PopupPlace place = DecidePopupPlace(target.className, request.placement, facts);

  // The owner must be in front, or the menu does not close when the user
  // clicks elsewhere.
  SetForegroundWindow(request.owner);
  build_ = &build;
  request_ = &request;
  ctrlGroup_.reset();
  // The choice is returned, not sent as WM_COMMAND (whose 16 bits would not
  // hold every identifier); the owner still gets the menu's notifications,
  // which fill the submenus and keep the menu-loop state.
  UINT chosen = static_cast<UINT>(
      TrackPopupMenuEx(build.Menu(), TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON,
                       place.at.x, place.at.y, request.owner, nullptr));
  build_ = nullptr;
  request_ = nullptr;
  openFlag.reset();
  PostMessageW(request.owner, WM_NULL, 0, 0);

  // Whatever was chosen runs now that the menu is closed.
  if (ctrlGroup_) {
    const JumpItem* group = list.FindByTag(*ctrlGroup_);
    ctrlGroup_.reset();
    if (group)
      for (const std::u16string& pathInfo : GroupRunPathInfos(list, *group))
        if (hooks.runItem) hooks.runItem(pathInfo);
    return true;
  }
  if (std::optional<MenuCommand> command = build.CommandOf(chosen))
    Dispatch(request, hooks, prepared, *command);
  return true;
}

bool JumpListPopup::HandleOwnerMessage(UINT message, WPARAM wParam, LPARAM) {
  if (message != WM_INITMENUPOPUP || !build_) return false;
  const JumpItem* item = build_->OnInitMenuPopup(reinterpret_cast<HMENU>(wParam));
  if (!item) return false;
  // A group opened with Ctrl held opens all its entries, except from an
  // Open/Save dialog, which takes one folder.
  if (item->IsGroup() && (GetKeyState(VK_CONTROL) & 0x8000) && request_ &&
      !windows::IsClass(request_->target->className, windows::kDialogClass)) {
    ctrlGroup_ = item->tag;
    EndMenu();
  }
  return true;
}

void JumpListPopup::Dispatch(const PopupRequest& request, const PopupHooks& hooks,
                             const PreparedMenu& prepared, const MenuCommand& command) {
  JumpList& list = *request.list;
  switch (command.kind) {
    case MenuCommand::Kind::Item:
      if (hooks.runItem) hooks.runItem(list.PathByTag(command.tag));
      return;
    case MenuCommand::Kind::Function:
      if (std::optional<FunctionItem> item = FunctionItemOfTag(command.tag))
        RunFunction(request, hooks, prepared, *item);
      return;
    case MenuCommand::Kind::CurrentFolderItem: {
      if (prepared.GroupItemOffersDeletion(command.tag)) {
        if (DeleteCurrentFolderFromGroup(list, prepared, command.tag)) Save(hooks);
        return;
      }
      const JumpItem* group = GroupOfCurrentFolderItem(list, command.tag);
      AddCurrentFolderDecision decision = DecideAddCurrentFolder(prepared.CurrentFolder());
      if (decision != AddCurrentFolderDecision::OpenAddDialog) {
        TellAddCurrentFolderRefused(decision, prepared.CurrentFolder(), *request.prompts);
        return;
      }
      if (hooks.openAddDialog)
        hooks.openAddDialog(prepared.CurrentFolder(), group ? group->tag : 0);
      return;
    }
  }
}

void JumpListPopup::RunFunction(const PopupRequest& request, const PopupHooks& hooks,
                                const PreparedMenu& prepared, FunctionItem item) {
  JumpList& list = *request.list;
  switch (item) {
    case FunctionItem::AddOrDeleteCurrentFolder: {
      if (prepared.OffersDeletion()) {
        if (DeleteCurrentFolderEntry(list, prepared)) Save(hooks);
        return;
      }
      AddCurrentFolderDecision decision = DecideAddCurrentFolder(prepared.CurrentFolder());
      if (decision == AddCurrentFolderDecision::OpenAddDialog) {
        if (hooks.openAddDialog) hooks.openAddDialog(prepared.CurrentFolder(), 0);
      } else {
        TellAddCurrentFolderRefused(decision, prepared.CurrentFolder(), *request.prompts);
      }
      return;
    }
    case FunctionItem::ConfigureJumpList:
      if (hooks.openEditor) hooks.openEditor();
      return;
    case FunctionItem::AppSettings:
      if (hooks.openOptions) hooks.openOptions();
      return;
    case FunctionItem::DeleteItemsLocalPathNotExist: {
      BatchDeleteOptions options{request.recognizeWebAddresses, request.expand};
      size_t removed = DeleteItemsLocalPathNotExist(list, request.exists, options);
      core::Trace(u"jump list: " + core::IntToText(static_cast<long long>(removed)) +
                  u" items without an existing local path deleted");
      Save(hooks);
      return;
    }
    case FunctionItem::DeleteItemsAssociateNull: {
      size_t removed = DeleteItemsAssociateNull(list);
      core::Trace(u"jump list: " + core::IntToText(static_cast<long long>(removed)) +
                  u" items without path info deleted");
      Save(hooks);
      return;
    }
    case FunctionItem::ForbidInCurrentWindowClass:
    case FunctionItem::ForbidInCurrentProgram:
    case FunctionItem::ForbidInGivenWindow:
      if (hooks.forbidHotKey) hooks.forbidHotKey(item);
      return;
    default:
      return;
  }
}

void JumpListPopup::Save(const PopupHooks& hooks) {
  if (!hooks.saveJumpList || !hooks.saveJumpList())
    core::Trace(u"jump list: the changed list was not written to the settings file");
}

}  // namespace pathorama::jumplist::win32
