#include "app/win32/feature_entry_points.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/win32/about_box.h"
#include "app/win32/app_messages.h"
#include "app/win32/app_session.h"
#include "app/win32/main_window.h"
#include "app/win32/window_spy.h"
#include "core/diagnostics.h"
#include "core/text.h"
#include "editor/tree_conversions.h"
#include "editor/win32/add_to_jump_list_dialog.h"
#include "editor/win32/jump_list_editor.h"
#include "hotkeys/win32/hotkey_press.h"
#include "jumplist/jump_menu.h"
#include "jumplist/jump_menu_settings.h"
#include "jumplist/win32/jump_list_popup.h"
#include "paths/folder_manager_settings.h"
#include "paths/win32/item_run.h"
#include "windows/win32/dialog_switch.h"
#include "windows/win32/office_documents.h"
#include "settings/apply_step.h"
#include "settings/win32/options_dialog.h"
#include "resources/resource_ids.h"
#include "ui/win32/message_box_prompts.h"
#include "ui/win32/message_form.h"
#include "variables/clocks.h"
#include "variables/numbering.h"
#include "variables/system_facts.h"
#include "variables/variable_expansion.h"
#include "variables/win32/variable_builder_dialog.h"

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

jumplist::win32::JumpListPopup* popup = nullptr;

jumplist::win32::JumpListPopup& Popup() {
  static std::unique_ptr<jumplist::win32::JumpListPopup> instance =
      std::make_unique<jumplist::win32::JumpListPopup>(GetModuleHandleW(nullptr));
  popup = instance.get();
  return *instance;
}

// The editor's "自动识别网络地址": an untagged "www." or "http(s)://" piece is
// a web address. The box is on at every start until the user unticks it.
bool RecognizeWebAddresses() { return editor::win32::JumpListEditor::Instance().RecognizeWebAddresses(); }

// The hotkeys' own state for the run (the "do not ask again" tables).
hotkeys::win32::HotKeyRunState& HotKeyState() {
  static hotkeys::win32::HotKeyRunState state;
  return state;
}

core::CalendarDate Today() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return {now.wYear, now.wMonth, now.wDay};
}

}  // namespace

void OpenAboutBox(HWND mainWindow) {
  NotTopmostWhileModal notTopmost(mainWindow);
  ShowAboutBox(mainWindow);
}

namespace {

// What the editor reads and changes of the running program.
class SessionEditorHost final : public editor::win32::EditorHost {
 public:
  explicit SessionEditorHost(MainWindow& window) : window_(window) {}

  jumplist::JumpList& LiveJumpList() override { return window_.Session().JumpListItems(); }
  bool HideDisabledItems() override {
    return window_.Session().Settings().Bool(settings::Setting::HideDisabledItems);
  }
  void SetHideDisabledItems(bool hide) override {
    window_.Session().Settings().SetInt(settings::Setting::HideDisabledItems, hide ? 1 : 0);
  }
  int32_t CaptionMaxLength() override { return window_.State().captionMaxLength; }
  bool SaveTreeToSettings(const editor::JumpTree& tree) override {
    return window_.Session().SaveJumpListTree(tree);
  }
  paths::VariableExpander NewExpansionBatch() override {
    // Everything one expansion batch holds, alive as long as the expander.
    struct Batch {
      variables::SystemClock clock;
      variables::SeededRandom random;
      variables::VariableOptions options;
      variables::BatchSystemFacts facts{variables::PlatformSystemFacts()};
      variables::VariableEnvironment env;
    };
    auto batch = std::make_shared<Batch>();
    batch->options = settings::VariableOptionsFromSettings(window_.Session().Settings(), Today());
    batch->env = {&batch->clock, &batch->random, &batch->options};
    batch->env.system = &batch->facts;
    return [batch](std::u16string_view text) { return variables::ExpandPathVariables(text, batch->env); };
  }
  core::CalendarDate Today() override { return window_.Session().Today(); }
  void OpenVariableOptions() override { OpenOptionsDialog(window_.Handle(), OptionsPage::Variables); }

 private:
  MainWindow& window_;
};

// While the editor is open, it holds the jump list: whatever would change
// the live list behind its back brings it to the front instead (its save
// would erase their change, or a rebuild its unsaved edits).
bool EditorTakesOver() {
  editor::win32::JumpListEditor& editor = editor::win32::JumpListEditor::Instance();
  if (!editor.Visible()) return false;
  // The editor, or its import window while that is up.
  HWND front = editor.FrontWindow();
  if (IsIconic(front)) ShowWindow(front, SW_RESTORE);
  SetForegroundWindow(front);
  return true;
}

}  // namespace

void OpenJumpListEditor(HWND mainWindow) {
  MainWindow* window = MainWindow::FromHandle(mainWindow);
  if (!window) return;
  static SessionEditorHost host(*window);
  editor::win32::JumpListEditor::Instance().Open(host);
}

namespace {

// What the options dialog reads and changes of the running program.
class SessionOptionsHost final : public settings::win32::OptionsHost {
 public:
  explicit SessionOptionsHost(MainWindow& window) : window_(window) {}

  settings::AppSettings& LiveSettings() override { return window_.Session().Settings(); }
  void UnregisterHotKeys() override { window_.RegisterHotKeys({}); }
  void ApplySettings(settings::ApplyMode mode) override { window_.Session().ApplySettings(mode); }
  void SelectFolderManager(int index) override { window_.Session().SelectFolderManager(index); }
  void ShowWindowSpy() override { WindowSpy::Instance().Show(); }
  void SetCurrentFolderItems(bool on) override {
    jumplist::SetCurrentFolderItems(window_.Session().JumpListItems(), on);
  }
  void AutoHideChanged(bool on) override {
    const bool checked =
        (GetMenuState(GetMenu(window_.Handle()), ID_MAIN_AUTO_HIDE_AT_EDGE, MF_BYCOMMAND) & MF_CHECKED) != 0;
    if (checked != on) SendMessageW(window_.Handle(), WM_COMMAND, ID_MAIN_AUTO_HIDE_AT_EDGE, 0);
  }
  void ClearIgnoredHotKeyNotices() override { HotKeyState().noShow.Clear(); }
  bool AskYesNo(std::u16string_view text, std::u16string_view caption) override {
    return MessageBoxW(settings::win32::OptionsDialog::Instance().Handle(), AsWideText(text).c_str(),
                       AsWideText(caption).c_str(), MB_YESNO | MB_ICONWARNING) == IDYES;
  }
  void ShowMessage(std::u16string_view text, std::u16string_view caption, Icon icon) override {
    MessageBoxW(settings::win32::OptionsDialog::Instance().Handle(), AsWideText(text).c_str(),
                AsWideText(caption).c_str(), MB_OK | (icon == Icon::Error ? MB_ICONERROR : MB_ICONWARNING));
  }

 private:
  static std::wstring AsWideText(std::u16string_view text) { return {text.begin(), text.end()}; }
  MainWindow& window_;
};

}  // namespace

void OpenOptionsDialog(HWND mainWindow, OptionsPage page) {
  MainWindow* window = MainWindow::FromHandle(mainWindow);
  if (!window) return;
  static SessionOptionsHost host(*window);
  settings::win32::OptionsDialog& dialog = settings::win32::OptionsDialog::Instance();
  if (dialog.Handle()) {
    dialog.Open(host);  // brings the open dialog forward
    return;
  }
  NotTopmostWhileModal notTopmost(mainWindow);
  dialog.Open(host, static_cast<int>(page));
}
namespace {

// What the add dialog reads and changes of the running program.
class SessionAddDialogHost final : public editor::win32::AddDialogHost {
 public:
  explicit SessionAddDialogHost(MainWindow& window) : window_(window) {}

  jumplist::JumpList& LiveJumpList() override { return window_.Session().JumpListItems(); }
  int32_t CaptionMaxLength() override { return window_.State().captionMaxLength; }
  bool CurrentFolderItemsOn() override {
    return window_.Session().Settings().Bool(settings::Setting::AddCurrentFolderItemToEveryGroup);
  }
  bool SaveJumpList() override { return window_.Session().SaveJumpList(); }
  bool EditorHoldsJumpList() override { return editor::win32::JumpListEditor::Instance().Visible(); }

 private:
  MainWindow& window_;
};

void OpenAddDialog(HWND mainWindow, const editor::win32::AddDialogRequest& request) {
  MainWindow* window = MainWindow::FromHandle(mainWindow);
  if (!window) return;
  static SessionAddDialogHost host(*window);
  editor::win32::AddToJumpListDialog::Instance().Show(host, editor::win32::SystemManagerFacts(),
                                                      request);
}

}  // namespace

// "/AddToJumpList" and the context-menu verbs: what is selected in the
// manager in front, simplified, in a window that stays on top.
void AddToJumpListFromSelection(HWND mainWindow) {
  editor::win32::AddDialogRequest request;
  request.source = editor::AddSource::kSelectedPaths;
  request.onTop = true;
  request.simplifyEnabled = true;
  request.simplifyChecked = true;
  request.returnTo = GetForegroundWindow();
  OpenAddDialog(mainWindow, request);
}
void AutoHideWhenScreenEdgeChanged(HWND mainWindow, bool checked) {
  MainWindow* window = MainWindow::FromHandle(mainWindow);
  if (!window) return;
  window->Session().Settings().SetBool(settings::Setting::AutoHideAtScreenEdge, checked);
  settings::win32::OptionsDialog::Instance().SettingsChangedOutside();
}

namespace {

void ShowJumpList(HWND mainWindow, bool fromHotKey);

}  // namespace

void ShowJumpListMenu(HWND mainWindow) { ShowJumpList(mainWindow, false); }

namespace {

void ShowJumpList(HWND mainWindow, bool fromHotKey) {
  MainWindow* window = MainWindow::FromHandle(mainWindow);
  if (!window) return;
  if (EditorTakesOver()) return;
  AppSession& session = window->Session();
  AppState& state = window->State();
  const settings::AppSettings& options = session.Settings();

  variables::SystemClock clock;
  variables::SeededRandom random;
  const variables::VariableOptions variableOptions =
      settings::VariableOptionsFromSettings(options, Today());
  // One showing of the list asks other programs once, however many entries
  // ask.
  variables::BatchSystemFacts facts(variables::PlatformSystemFacts());
  variables::VariableEnvironment env{&clock, &random, &variableOptions};
  env.system = &facts;
  windows::win32::TargetWindow target{state.targetWindow, state.targetClassName};
  ui::win32::MessageBoxPrompts prompts(mainWindow);

  jumplist::win32::PopupRequest request;
  request.owner = mainWindow;
  request.list = &session.JumpListItems();
  request.options = jumplist::MenuOptionsFromSettings(options);
  {
    // The letters of the options dialog's accelerator boxes (run only).
    const settings::AcceleratorLetters& keys = settings::win32::OptionsDialog::Instance().Accelerators();
    request.options.accelerators = {keys[0], keys[1], keys[2], keys[3], keys[4], keys[5]};
  }
  // A hotkey has captured the target; the forbid items act on it.
  request.captureTarget = !fromHotKey;
  request.options.forbidJumpListHotKeyEnabled = fromHotKey;
  request.placement = jumplist::PlacementOptionsFromSettings(options);
  request.target = &target;
  request.prompts = &prompts;
  request.expand = [&](std::u16string_view text) {
    return variables::ExpandPathVariables(text, env);
  };
  request.exists = jumplist::win32::LocalPathExists;
  request.recognizeWebAddresses = RecognizeWebAddresses();

  jumplist::win32::PopupHooks hooks;
  // Folders chosen from the jump list switch an Open/Save dialog in front.
  windows::win32::DialogSwitchContext dialogContext;
  dialogContext.prompts = &prompts;
  paths::win32::OpenContext openContext;
  openContext.options = paths::OpeningOptionsFrom(options);
  openContext.expand = request.expand;
  openContext.recognizeWebAddresses = request.recognizeWebAddresses;
  openContext.hooks.switchDialog = [&dialogContext](HWND dialog, const std::u16string& folder,
                                                    const std::u16string& fileName) {
    windows::win32::ChangeDialogFolderPath(dialog, folder, fileName,
                                           windows::SwitchReason::JumpListItem, dialogContext);
  };
  openContext.hooks.showFolderManagerOptions = [mainWindow] {
    OpenOptionsDialog(mainWindow, OptionsPage::FolderManager);
  };
  // Runs after the menu has closed; the popup has captured `target`.
  hooks.runItem = [&](const std::u16string& pathInfo) {
    const paths::ItemRunResult result =
        paths::win32::RunJumpListItem(pathInfo, target, openContext, prompts);
    if (result.targetWasDialog) target = {};
  };
  hooks.saveJumpList = [&session] { return session.SaveJumpList(); };
  // "添加当前文件夹" (no group) and a group's "添加当前文件夹到本层(&A)".
  hooks.openAddDialog = [&session, &target, mainWindow](const std::u16string& folder,
                                                        int32_t groupTag) {
    core::Trace(u"jump list: add dialog for " + folder + u", group " + core::IntToText(groupTag));
    editor::win32::AddDialogRequest add;
    add.source = editor::AddSource::kOpenFolder;
    add.simplifyEnabled = false;
    add.returnTo = target.window;
    const jumplist::JumpItem* group =
        groupTag != 0 ? session.JumpListItems().FindByTag(groupTag) : nullptr;
    add.toMenuItem = group != nullptr;
    if (group) {
      add.position = editor::InsertPosition::kInsertAsSubItem;
      add.destination = std::make_pair(groupTag, group->caption);
    }
    OpenAddDialog(mainWindow, add);
  };
  hooks.openEditor = [mainWindow] {
    core::Trace(u"jump list: 配置路径跳转列表 opens the editor");
    OpenJumpListEditor(mainWindow);
  };
  hooks.openOptions = [mainWindow] {
    core::Trace(u"jump list: 程序设置 opens the options dialog");
    OpenOptionsDialog(mainWindow);
  };
  hooks.forbidHotKey = [&](jumplist::FunctionItem item) {
    using hotkeys::win32::ForbidKind;
    switch (item) {
      case jumplist::FunctionItem::ForbidInCurrentWindowClass:
      case jumplist::FunctionItem::ForbidInCurrentProgram:
        hotkeys::win32::ForbidJumpListHotKey(
            item == jumplist::FunctionItem::ForbidInCurrentWindowClass ? ForbidKind::WindowClass
                                                                       : ForbidKind::Program,
            target, state.hotKeySlot, session.Settings());
        break;
      default:
        core::Trace(u"jump list: 在特定窗口/程序中禁用 opens the options dialog on the ignore lists "
                    u"of hotkey " + core::IntToText(state.hotKeySlot));
        OpenOptionsDialog(mainWindow, OptionsPage::IgnoredWindows);
        break;
    }
  };

  // Nothing may switch a dialog behind the popup or the items it runs.
  std::optional<windows::win32::DialogWatch::Pause> pause;
  if (windows::win32::DialogWatch* watch = window->DialogWatchOrNull()) pause.emplace(*watch);
  hotkeys::win32::HotKeyRunState& hotKeyState = HotKeyState();
  // A press that closed another menu of the program left nothing to do here.
  hotKeyState.returnAfterPopup = false;
  Popup().Show(request, hooks);
  if (hotKeyState.returnAfterPopup) {
    // A second jump-list press closed the list: back to where it was opened.
    hotKeyState.returnAfterPopup = false;
    if (target.window && IsWindow(target.window)) SwitchToThisWindow(target.window, TRUE);
    target = {};
  }
  state.targetWindow = target.window;
  state.targetClassName = target.className;
}

// The visible window of the program that a jump-list press brings forward.
HWND VisibleOwnWindow(HWND mainWindow, hotkeys::OwnWindow which) {
  switch (which) {
    case hotkeys::OwnWindow::AboutBox: {
      // Modal and owned by the main window: "#32770" captioned "关于".
      for (HWND w = FindWindowExW(nullptr, nullptr, L"#32770", L"关于"); w;
           w = FindWindowExW(nullptr, w, L"#32770", L"关于"))
        if (GetWindow(w, GW_OWNER) == mainWindow && IsWindowVisible(w)) return w;
      return nullptr;
    }
    case hotkeys::OwnWindow::WindowSpy:
      return WindowSpy::ShownWindow();
    case hotkeys::OwnWindow::OptionsDialog: {
      settings::win32::OptionsDialog& options = settings::win32::OptionsDialog::Instance();
      return options.Visible() ? options.Handle() : nullptr;
    }
    case hotkeys::OwnWindow::JumpListEditor: {
      editor::win32::JumpListEditor& editor = editor::win32::JumpListEditor::Instance();
      return editor.Visible() ? editor.FrontWindow() : nullptr;
    }
    case hotkeys::OwnWindow::AddToJumpListDialog: {
      editor::win32::AddToJumpListDialog& add = editor::win32::AddToJumpListDialog::Instance();
      return add.Visible() ? add.Handle() : nullptr;
    }
    default:
      // The accelerator keys dialog is modal over the editor.
      return nullptr;
  }
}

}  // namespace

void HotKeyPress(HWND mainWindow, WPARAM wParam, LPARAM lParam) {
  MainWindow* window = MainWindow::FromHandle(mainWindow);
  if (!window) return;
  AppSession& session = window->Session();
  AppState& state = window->State();
  ui::win32::MessageBoxPrompts prompts(mainWindow);
  ui::win32::MessageFormQuestion question(nullptr);

  hotkeys::win32::HotKeyContext context;
  context.mainWindow = mainWindow;
  context.hotKeyIds = window->HotKeyIds();
  context.settings = &session.Settings();
  context.values = {&state.targetWindow, &state.targetClassName, &state.hotKeySlot,
                    &state.lastHotKeyTick, &state.askFolderManagerMismatch};
  context.state = &HotKeyState();
  context.globalHotKeysOn = window->UseGlobalHotKeyChecked();
  context.popupOpen = state.menuLoopActive;
  context.question = &question;
  context.prompts = &prompts;
  context.officeFolder = windows::win32::GetOfficeFolderOfWindow;
  context.ownWindow = [mainWindow](hotkeys::OwnWindow which) {
    return VisibleOwnWindow(mainWindow, which);
  };
  context.showJumpList = [mainWindow] { ShowJumpList(mainWindow, true); };
  context.closeJumpList = [] { EndMenu(); };
  context.selectFolderManager = [&session](paths::FolderManagerChoice choice) {
    session.SelectFolderManager(static_cast<int>(choice));
  };
  context.openFolderManagerOptions = [mainWindow] {
    core::Trace(u"hotkey: the options dialog opens on its folder manager page");
    OpenOptionsDialog(mainWindow);
  };
  context.dialogSwitch.prompts = &prompts;
  context.dialogSwitch.options = windows::win32::FillOptions{
      session.Settings().Bool(settings::Setting::FillOpenedFolderIntoFocusedEdit),
      windows::FillModeFromIndex(session.Settings().Int(settings::Setting::FillFolderPathMethod)),
      windows::SelectionAfterFillFromIndex(
          session.Settings().Int(settings::Setting::SelectionAfterFillPath))};
  // Nothing may switch a dialog behind the press's own switch or questions.
  std::optional<windows::win32::DialogWatch::Pause> pause;
  if (windows::win32::DialogWatch* watch = window->DialogWatchOrNull()) pause.emplace(*watch);
  hotkeys::win32::HotKeyPress(wParam, lParam, context);
}

bool CloseOpenDialogs(HWND) {
  editor::win32::JumpListEditor& editor = editor::win32::JumpListEditor::Instance();
  editor::win32::JumpListEditor& import = editor::win32::JumpListEditor::ImportWindow();
  editor::win32::AddToJumpListDialog& add = editor::win32::AddToJumpListDialog::Instance();
  variables::win32::VariableBuilderDialog& builder = variables::win32::VariableBuilderDialog::Instance();
  // Asked without making it: a spy never opened has nothing to close.
  const HWND spy = WindowSpy::ShownWindow();

  // Every other dialog box of the program is modal (the options, the about
  // box, a message, a file dialog): each is asked to end as its 取消 would.
  struct Search {
    std::vector<HWND> modeless;
    std::vector<HWND> modal;
  } search{{editor.Handle(), import.Handle(), add.Handle(), builder.Handle(), spy}, {}};
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM param) -> BOOL {
        auto& found = *reinterpret_cast<Search*>(param);
        wchar_t name[16] = {};
        GetClassNameW(window, name, 16);
        if (std::wstring_view(name) == L"#32770" && IsWindowVisible(window) &&
            std::find(found.modeless.begin(), found.modeless.end(), window) == found.modeless.end())
          found.modal.push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  for (HWND dialog : search.modal) PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  if (!search.modal.empty()) return true;

  add.Close();
  builder.Close();
  if (import.Visible()) import.Cancel();
  if (editor.Visible()) editor.Cancel();
  if (spy) WindowSpy::Instance().Hide();
  return false;
}

void CopyFunctionItemsIntoJumpList(HWND mainWindow) {
  MainWindow* window = MainWindow::FromHandle(mainWindow);
  if (!window) return;
  static int copies = 0;
  jumplist::CopyFunctionItemsIntoJumpList(window->Session().JumpListItems(), ++copies);
}

bool HandleJumpListMenuMessage(HWND mainWindow, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ENTERMENULOOP:
      SendMessageW(mainWindow, kMenuLoopEnterMessage, 0, 0);
      return false;
    case WM_EXITMENULOOP:
      SendMessageW(mainWindow, kMenuLoopExitMessage, 0, 0);
      return false;
    case WM_MENUSELECT:
      if (HIWORD(wParam) == 0xFFFF && lParam == 0)
        SendMessageW(mainWindow, kMenuClosedMessage, 0, 0);
      return false;
    case WM_INITMENUPOPUP:
      return popup && popup->HandleOwnerMessage(message, wParam, lParam);
  }
  return false;
}

}  // namespace pathorama::app::win32
