#include "app/win32/feature_entry_points.h"

#include <memory>
#include <optional>
#include <string>

#include "app/win32/about_box.h"
#include "app/win32/app_messages.h"
#include "app/win32/app_session.h"
#include "app/win32/main_window.h"
#include "core/diagnostics.h"
#include "core/text.h"
#include "jumplist/jump_menu.h"
#include "jumplist/jump_menu_settings.h"
#include "jumplist/win32/jump_list_popup.h"
#include "paths/folder_manager_settings.h"
#include "paths/win32/item_run.h"
#include "windows/win32/dialog_switch.h"
#include "settings/apply_step.h"
#include "ui/win32/message_box_prompts.h"
#include "variables/clocks.h"
#include "variables/numbering.h"
#include "variables/variable_expansion.h"

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
// a web address. The box is on until the user unticks it, and the editor
// is not part of the program yet.
constexpr bool kRecognizeWebAddresses = true;

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

// The jump-list popup, the editor, the options dialog and the add dialog are
// not part of the program yet: their entry points accept the call and do
// nothing, so the commands that reach them are safe to send.

void OpenJumpListEditor(HWND) {}
void OpenOptionsDialog(HWND) {}
void AddToJumpListFromSelection(HWND) {}
void AutoHideWhenScreenEdgeChanged(HWND, bool) {}

void ShowJumpListMenu(HWND mainWindow) {
  MainWindow* window = MainWindow::FromHandle(mainWindow);
  if (!window) return;
  AppSession& session = window->Session();
  AppState& state = window->State();
  const settings::AppSettings& options = session.Settings();

  variables::SystemClock clock;
  variables::SeededRandom random;
  const variables::VariableOptions variableOptions =
      settings::VariableOptionsFromSettings(options, Today());
  variables::VariableEnvironment env{&clock, &random, &variableOptions};
  windows::win32::TargetWindow target{state.targetWindow, state.targetClassName};
  ui::win32::MessageBoxPrompts prompts(mainWindow);

  jumplist::win32::PopupRequest request;
  request.owner = mainWindow;
  request.list = &session.JumpListItems();
  request.options = jumplist::MenuOptionsFromSettings(options);
  request.placement = jumplist::PlacementOptionsFromSettings(options);
  request.target = &target;
  request.prompts = &prompts;
  request.expand = [&](std::u16string_view text) {
    return variables::ExpandPathVariables(text, env);
  };
  request.exists = jumplist::win32::LocalPathExists;
  request.recognizeWebAddresses = kRecognizeWebAddresses;

  // The item run, the add dialog, the ignore lists, the editor and the
  // options dialog are not part of the program yet: their requests are traced.
  jumplist::win32::PopupHooks hooks;
  // Folders chosen from the jump list switch an Open/Save dialog in front.
  windows::win32::DialogSwitchContext dialogContext;
  dialogContext.prompts = &prompts;
  paths::win32::OpenContext openContext;
  openContext.options = paths::OpeningOptionsFrom(options);
  openContext.expand = request.expand;
  openContext.recognizeWebAddresses = kRecognizeWebAddresses;
  openContext.hooks.switchDialog = [&dialogContext](HWND dialog, const std::u16string& folder,
                                                    const std::u16string& fileName) {
    windows::win32::ChangeDialogFolderPath(dialog, folder, fileName,
                                           windows::SwitchReason::JumpListItem, dialogContext);
  };
  openContext.hooks.showFolderManagerOptions = [mainWindow] { OpenOptionsDialog(mainWindow); };
  // Runs after the menu has closed; the popup has captured `target`.
  hooks.runItem = [&](const std::u16string& pathInfo) {
    const paths::ItemRunResult result =
        paths::win32::RunJumpListItem(pathInfo, target, openContext, prompts);
    if (result.targetWasDialog) target = {};
  };
  hooks.saveJumpList = [&session] { return session.SaveJumpList(); };
  hooks.openAddDialog = [](const std::u16string& folder, int32_t groupTag) {
    core::Trace(u"jump list: add dialog not built yet; would add " + folder + u" to group " +
                core::IntToText(groupTag));
  };
  hooks.openEditor = [mainWindow] {
    core::Trace(u"jump list: 配置路径跳转列表 opens the editor");
    OpenJumpListEditor(mainWindow);
  };
  hooks.openOptions = [mainWindow] {
    core::Trace(u"jump list: 程序设置 opens the options dialog");
    OpenOptionsDialog(mainWindow);
  };
  hooks.forbidHotKey = [](jumplist::FunctionItem item) {
    core::Trace(u"jump list: ignore lists not built yet; forbid item " +
                std::u16string(jumplist::TemplateOf(item).name));
  };

  // Nothing may switch a dialog behind the popup or the items it runs.
  std::optional<windows::win32::DialogWatch::Pause> pause;
  if (windows::win32::DialogWatch* watch = window->DialogWatchOrNull()) pause.emplace(*watch);
  Popup().Show(request, hooks);
  state.targetWindow = target.window;
  state.targetClassName = target.className;
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
