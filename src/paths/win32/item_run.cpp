#include "paths/win32/item_run.h"

#include "core/diagnostics.h"
#include "core/text.h"
#include "windows/window_classes.h"
#include "windows/win32/dialogs.h"
#include "windows/win32/explorer_shell.h"
#include "windows/win32/folder_managers.h"

namespace pathorama::paths::win32 {

namespace {

using windows::win32::TargetWindow;

class Win32PieceActions : public PieceActions {
 public:
  Win32PieceActions(const TargetWindow& target, const OpenContext& context,
                    OpeningFacts& facts, core::UserPrompts& prompts)
      : target_(target), context_(context), facts_(facts), prompts_(prompts),
        show_(ItemShowCommand(context.options)) {}

  TargetKind CurrentTarget() override {
    target_ = windows::win32::Revalidated(target_);
    return TargetKindOf(target_.className);
  }

  void Perform(const PieceAction& a) override {
    switch (a.kind) {
      case PieceAction::Kind::None:
        return;
      case PieceAction::Kind::SwitchDialog:
        if (context_.hooks.switchDialog)
          context_.hooks.switchDialog(target_.window, a.path, a.fileName);
        else
          core::Trace(u"no dialog switcher; the dialog stays at its folder: " + a.path);
        return;
      case PieceAction::Kind::ChangeConsoleFolder:
        ChangeConsoleFolder(target_.window, a.path);
        return;
      case PieceAction::Kind::FillDteBox:
        FillDtePathBox(target_.window, a.path, prompts_);
        return;
      case PieceAction::Kind::ActivateManager: {
        HWND manager = reinterpret_cast<HWND>(a.managerWindow);
        if (manager && IsWindow(manager)) SwitchToThisWindow(manager, TRUE);
        return;
      }
      case PieceAction::Kind::NavigateExplorer:
        if (NavigateOpenExplorer(a.path)) return;
        OpenPathNow(a.type, a.path, a.extra, true);
        return;
      case PieceAction::Kind::OpenPath:
        OpenPathNow(a.type, a.path, a.extra, a.reuse);
        return;
      case PieceAction::Kind::OpenRegistryPath:
        OpenRegistryPath(a.path, prompts_);
        return;
    }
  }

 private:
  bool NavigateOpenExplorer(const std::u16string& path) {
    HWND explorer = windows::win32::FindTopmostWindowOfClass(u"ExploreWClass");
    if (!explorer) explorer = windows::win32::FindTopmostWindowOfClass(windows::kExplorerClass);
    if (!explorer || !windows::win32::NavigateExplorerWindow(path, explorer)) return false;
    SetWindowPos(explorer, HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_ASYNCWINDOWPOS | SWP_NOACTIVATE);
    ShowWindowAsync(explorer, static_cast<int>(show_));
    return true;
  }

  void OpenPathNow(PathType type, const std::u16string& path, const std::u16string& extra,
                   bool reuse) {
    OpenPath(type, path, extra, reuse, target_.window, show_, context_.options, facts_, prompts_,
             context_.hooks);
  }

  TargetWindow target_;
  const OpenContext& context_;
  OpeningFacts& facts_;
  core::UserPrompts& prompts_;
  ShowCommand show_;
};

}  // namespace

ItemRunResult RunJumpListItem(const std::u16string& pathInfo,
                              const windows::win32::TargetWindow& givenTarget,
                              const OpenContext& context, core::UserPrompts& prompts) {
  const TargetWindow target = windows::win32::Revalidated(givenTarget);
  Win32OpeningFacts facts(context.options.manager);
  Win32PieceActions actions(target, context, facts, prompts);
  ItemRunRequest request;
  request.pathInfo = pathInfo;
  request.recognizeWebAddresses = context.recognizeWebAddresses;
  request.expand = context.expand;
  if (TargetKindOf(target.className) == TargetKind::Dialog)
    request.dialogType = windows::win32::GetDialogType(target.window);
  const ItemRunResult result = RunItem(request, context.options, facts, actions, prompts);
  if (result.targetWasDialog && IsWindow(target.window)) SwitchToThisWindow(target.window, TRUE);
  return result;
}

}  // namespace pathorama::paths::win32
