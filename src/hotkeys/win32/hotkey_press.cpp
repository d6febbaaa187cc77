#include "hotkeys/win32/hotkey_press.h"

#include <optional>

#include "core/diagnostics.h"
#include "core/text.h"
#include "hotkeys/folder_hotkeys.h"
#include "hotkeys/win32/give_back.h"
#include "paths/folder_manager_settings.h"
#include "paths/win32/open_path.h"
#include "settings/apply_step.h"
#include "windows/win32/clipboard.h"
#include "windows/win32/dialogs.h"
#include "windows/win32/folder_managers.h"
#include "windows/win32/office_documents.h"
#include "windows/win32/path_probe.h"
#include "windows/win32/processes.h"
#include "windows/win32/window_facts.h"

namespace pathorama::hotkeys::win32 {

namespace {

using app::HotKeySlot;
using settings::Setting;
namespace ww = windows::win32;

Shortcuts ShortcutsOf(const settings::AppSettings& settings) {
  const settings::HotKeyShortcuts s = settings::HotKeyShortcutsFrom(settings);
  return {s.jumpMenu1, s.jumpMenu2, s.openSaveDialog, s.captureOfficeFolderPath};
}

bool CapsLockLit() { return (GetKeyState(VK_CAPITAL) & 1) != 0; }

void BringBack(HWND window) {
  if (window && IsWindow(window)) SwitchToThisWindow(window, TRUE);
}

// Marks a press as running for as long as it is handled.
class RunningPress {
 public:
  explicit RunningPress(bool& flag) : flag_(flag) { flag_ = true; }
  ~RunningPress() { flag_ = false; }
  RunningPress(const RunningPress&) = delete;
  RunningPress& operator=(const RunningPress&) = delete;

 private:
  bool& flag_;
};

class Press {
 public:
  Press(HotKeyContext& context, HotKeySlot slot)
      : context_(context),
        state_(*context.state),
        values_(context.values),
        target_{*context.values.targetWindow, *context.values.targetClassName},
        settings_(*context.settings),
        shortcuts_(ShortcutsOf(settings_)),
        slot_(slot) {}

  void Run() {
    switch (slot_) {
      case HotKeySlot::kJumpMenu1:
      case HotKeySlot::kJumpMenu2: JumpList(); break;
      case HotKeySlot::kOpenSaveDialog: DialogHotKey(); break;
      case HotKeySlot::kCaptureOfficeFolderPath: Capture(); break;
    }
  }

 private:
  void GiveBack(HotKeySlot slot) {
    const int i = static_cast<int>(slot);
    TempUseHotKeyOrigFunc(context_.mainWindow, shortcuts_[i], context_.hotKeyIds[i]);
  }

  // ---- jump list ----
  class JumpListFacts : public JumpListHotKeyFacts {
   public:
    explicit JumpListFacts(Press& press) : p_(press) {}
    bool GlobalHotKeysOn() override { return p_.context_.globalHotKeysOn; }
    bool CapsLockBypassesIgnoreLists() override {
      return p_.settings_.Bool(Setting::DirectJumpListWhenCapsLock) && CapsLockLit();
    }
    bool IgnoreListsPassOn() override { return p_.IgnoreListsPassOn(); }
    bool OwnWindowVisible(OwnWindow window) override {
      HWND handle = p_.context_.ownWindow ? p_.context_.ownWindow(window) : nullptr;
      if (handle) inFront_[static_cast<int>(window)] = handle;
      return handle != nullptr;
    }
    bool TargetIsDialogOfOwnWindow() override { return p_.TargetIsDialogOfOwnWindow(); }
    ManagerMatch CheckFolderManager() override { return p_.CheckFolderManager(); }
    HWND Handle(OwnWindow window) const { return inFront_[static_cast<int>(window)]; }

   private:
    Press& p_;
    HWND inFront_[8]{};
  };

  class MatchEffects : public ManagerMatchEffects {
   public:
    explicit MatchEffects(HotKeyContext& context) : context_(context) {}
    void SelectFolderManager(paths::FolderManagerChoice choice) override {
      if (context_.selectFolderManager) context_.selectFolderManager(choice);
    }
    void OpenFolderManagerOptions() override {
      if (context_.openFolderManagerOptions) context_.openFolderManagerOptions();
    }

   private:
    HotKeyContext& context_;
  };

  bool IgnoreListsPassOn() {
    const int slot = *values_.hotKeySlot;
    const HWND window = target_.window;
    IgnoreTestInput input;
    input.slot = slot;
    input.showMessage = settings_.Bool(Setting::ShowMessageWhenHotKeyIgnored);
    input.shortcutText = app::ShortcutText(shortcuts_[static_cast<int>(slot_)]);
    input.targetIsDialog = windows::IsClass(target_.className, windows::kDialogClass);
    bool asked = false;
    bool passOn = RunOne(ListKind::WindowClass, target_.className, input, asked);
    if (!passOn) passOn = RunOne(ListKind::ProgramName, ProgramNameOf(window), input, asked);
    // The question took the foreground: the key must reach the window again.
    if (asked) BringBack(window);
    return passOn;
  }

  bool RunOne(ListKind kind, std::u16string candidate, IgnoreTestInput input, bool& asked) {
    input.kind = kind;
    input.candidate = std::move(candidate);
    const settings::IgnoreList list = IgnoreListFor(kind, input.slot);
    std::vector<std::u16string> lines = settings_.IgnoreListLines(list);
    IgnoreTestResult result = RunIgnoreTest(input, lines, state_.noShow, *context_.question);
    if (result.listChanged) {
      settings_.SetIgnoreListLines(list, std::move(lines));
      core::Trace(u"hotkey: the ignore entry " + input.candidate +
                  u" is disabled; the list is written with the next save of the options");
    }
    asked = asked || result.asked;
    return result.passOn;
  }

  bool TargetIsDialogOfOwnWindow() {
    const HWND target = target_.window;
    if (!target || !windows::IsClass(target_.className, windows::kDialogClass)) return false;
    for (OwnWindow w : OwnWindowsByPriority())
      if (context_.ownWindow && context_.ownWindow(w) == target) return false;
    HWND owner = GetWindow(target, GW_OWNER);
    if (!owner) owner = GetParent(target);
    DWORD ownerProcess = 0;
    if (owner) GetWindowThreadProcessId(owner, &ownerProcess);
    return owner && ownerProcess == GetCurrentProcessId();
  }

  ManagerMatch CheckFolderManager() {
    MatchEffects effects(context_);
    const auto chosen = paths::FolderManagerChoiceFromIndex(settings_.FolderManagerIndex())
                            .value_or(paths::FolderManagerChoice::Explorer);
    return CheckFolderManagerMatch(target_.className, chosen,
                                   settings_.Bool(Setting::FolderManagerAutoMatch),
                                   *values_.askFolderManagerMismatch, *context_.question, effects);
  }

  void JumpList() {
    *values_.hotKeySlot = JumpListSlotNumber(slot_);
    JumpListFacts facts(*this);
    const JumpListDecision decision = DecideJumpListHotKey(facts);
    switch (decision.action) {
      case JumpListAction::Swallow:
      case JumpListAction::Nothing: break;
      case JumpListAction::GiveBack: GiveBack(slot_); break;
      case JumpListAction::BringOwnWindowToFront:
        BringBack(facts.Handle(*decision.ownWindow));
        break;
      case JumpListAction::PopUp:
        if (context_.showJumpList) context_.showJumpList();
        break;
    }
  }

  // ---- dialog hotkey ----
  class DialogFacts : public DialogHotKeyFacts {
   public:
    explicit DialogFacts(Press& press) : p_(press) {}
    std::u16string PriorManagerFolder() override { return p_.PriorManagerFolder(); }
    std::u16string TopmostManagerFolder() override { return ww::GetFolderOfTopmostManager().path; }
    bool FocusIsTextBox() override {
      focus_ = ww::GetForegroundFocus();
      return focus_ && windows::IsFillableTextBoxClass(ww::ClassNameOf(focus_));
    }
    windows::PathKind KindOf(const std::u16string& path) override { return ww::ProbePath(path); }
    HWND Focus() const { return focus_; }

   private:
    Press& p_;
    HWND focus_ = nullptr;
  };

  class Readers : public ManagerFolderReaders {
   public:
    std::u16string FolderOf(windows::FolderManager manager) override {
      return ww::GetFolderOfManager(manager).path;
    }
    std::u16string TopmostManagerFolder() override { return ww::GetFolderOfTopmostManager().path; }
  };

  std::u16string PriorManagerFolder() {
    Readers readers;
    return GetFolderFromPriorFolderManager(settings_.Int(Setting::GetFolderFromManager), readers);
  }

  void ClipboardFallback(std::u16string_view folder) {
    const std::u16string text(folder);
    const bool exists = !text.empty() && ww::ProbePath(text) == windows::PathKind::Folder;
    if (DecideClipboardFallback(exists, settings_.Bool(Setting::SaveOpenedFolderPathToClipboard),
                                CapsLockLit()) == FallbackStep::GiveBack) {
      GiveBack(HotKeySlot::kOpenSaveDialog);
      return;
    }
    if (!ww::SetClipboardText(text)) {
      // Nothing was copied: the message would tell a lie.
      core::Trace(u"dialog hotkey: the folder could not be put on the clipboard: " + text);
      GiveBack(HotKeySlot::kOpenSaveDialog);
      return;
    }
    context_.prompts->Tell(
        CopiedFolderMessage(text, app::ShortcutText(shortcuts_[static_cast<int>(
                                      HotKeySlot::kOpenSaveDialog)])),
        kCopiedFolderCaption, core::PromptIcon::Information);
  }

  void DialogHotKey() {
    using Step = DialogHotKeyPlan::Step;
    const HWND target = target_.window;
    DialogFacts facts(*this);
    const DialogHotKeyPlan plan = PlanDialogHotKey(
        target_.className, settings_.Bool(Setting::FillOpenedFolderIntoFocusedEdit), facts);
    ww::DialogSwitchContext switchContext = context_.dialogSwitch;
    switchContext.clipboardFallback = [this](std::u16string_view f) { ClipboardFallback(f); };
    switch (plan.step) {
      case Step::SwitchDialog:
        ww::ChangeDialogFolderPath(target, plan.folder, u"", windows::SwitchReason::DialogHotKey,
                                   switchContext);
        break;
      case Step::WarnNoDialogFolder: {
        context_.prompts->Tell(kNoFolderForDialogMessage, kNoFolderCaption,
                               core::PromptIcon::Warning);
        BringBack(target);
        // Found now: the field the last fill worked on may be gone.
        if (HWND field = target && IsWindow(target) ? ww::FindDialogFileNameEdit(target) : nullptr)
          ww::SendMessageBounded(field, WM_SETFOCUS, 0, 0);
        break;
      }
      case Step::ChangeConsoleFolder:
        if (!paths::win32::ChangeConsoleFolder(target, plan.folder))
          core::Trace(u"dialog hotkey: the console did not take the folder " + plan.folder);
        break;
      case Step::WarnNoConsoleFolder:
        context_.prompts->Tell(kNoFolderForConsoleMessage, kNoFolderCaption,
                               core::PromptIcon::Warning);
        break;
      case Step::FillFocusedEdit: {
        const ww::SwitchResult result = ww::InputFolderPathInSubEdit(
            target, facts.Focus(), plan.folder, u"", context_.dialogSwitch.options.focusedEditMode,
            windows::SwitchReason::DialogHotKey, switchContext);
        if (result == ww::SwitchResult::NoEdit || result == ww::SwitchResult::NotTaken ||
            result == ww::SwitchResult::NoAnswer)
          ClipboardFallback(plan.folder);
        break;
      }
      case Step::ClipboardFallback:
        ClipboardFallback(plan.folder);
        break;
    }
  }

  // ---- capture hotkey ----
  class Capturing : public CaptureFacts {
   public:
    Capturing(HotKeyContext& context, HWND target) : context_(context), target_(target) {}
    std::u16string OfficeFolder(windows::OfficeProduct) override {
      return context_.officeFolder ? context_.officeFolder(target_) : std::u16string();
    }
    std::u16string ProgramPath() override { return ww::GetWindowProcessPath(target_); }
    windows::PathKind KindOf(const std::u16string& path) override { return ww::ProbePath(path); }

   private:
    HotKeyContext& context_;
    HWND target_;
  };

  void Capture() {
    const HWND target = target_.window;
    CaptureOptions options;
    options.on = settings_.Bool(Setting::CaptureOfficeOrWindowFolderPath);
    options.copyToClipboard = settings_.Int(Setting::CapturedFolderPathAction) == 1;
    options.capsLock = CapsLockLit();
    const bool wordPane = target && ww::HasWordDocumentPane(target);
    Capturing facts(context_, target);
    const CapturePlan plan = PlanCaptureHotKey(target_.className, wordPane, options, facts);
    switch (plan.step) {
      case CapturePlan::Step::GiveBack:
        GiveBack(HotKeySlot::kCaptureOfficeFolderPath);
        break;
      case CapturePlan::Step::Nothing:
        core::Trace(u"capture hotkey: no program folder for the window in front");
        break;
      case CapturePlan::Step::Open: {
        const paths::OpeningOptions opening = paths::OpeningOptionsFrom(settings_);
        paths::win32::Win32OpeningFacts openingFacts(opening.manager);
        paths::win32::OpeningHooks hooks;
        hooks.showFolderManagerOptions = context_.openFolderManagerOptions;
        paths::win32::OpenPath(paths::PathType::Local, plan.folder, u"", true, target,
                               paths::ShowCommand::Normal, opening, openingFacts,
                               *context_.prompts, hooks);
        break;
      }
      case CapturePlan::Step::Copy:
        if (!ww::SetClipboardText(plan.folder)) {
          core::Trace(u"capture hotkey: the folder could not be put on the clipboard: " +
                      plan.folder);
          GiveBack(HotKeySlot::kCaptureOfficeFolderPath);
          break;
        }
        context_.prompts->Tell(plan.message, plan.caption, core::PromptIcon::Information);
        break;
    }
  }

  HotKeyContext& context_;
  HotKeyRunState& state_;
  MainWindowValues values_;
  const ww::TargetWindow target_;
  settings::AppSettings& settings_;
  const Shortcuts shortcuts_;
  const HotKeySlot slot_;
};

}  // namespace

settings::IgnoreList IgnoreListFor(ListKind kind, int slot) {
  if (kind == ListKind::WindowClass)
    return slot == 2 ? settings::IgnoreList::WindowClass2 : settings::IgnoreList::WindowClass1;
  return slot == 2 ? settings::IgnoreList::AppName2 : settings::IgnoreList::AppName1;
}

std::u16string ProgramNameOf(HWND window) {
  DWORD process = 0;
  if (!window || !GetWindowThreadProcessId(window, &process) || !process) return {};
  return ww::GetProcessExeName(process);
}

void HotKeyPress(WPARAM, LPARAM lParam, HotKeyContext& context) {
  HotKeyRunState& state = *context.state;
  const unsigned modifiers = LOWORD(lParam), virtualKey = HIWORD(lParam);
  const std::optional<HotKeySlot> slot =
      MatchHotKey(modifiers, virtualKey, ShortcutsOf(*context.settings));
  switch (StartPress(slot, GetTickCount64(), *context.values.lastHotKeyTick, context.popupOpen,
                     state.pressRunning)) {
    case PressStart::Ignore:
    case PressStart::Debounced:
      return;
    case PressStart::Busy:
      core::Trace(u"hotkey " + app::ShortcutText(ShortcutsOf(*context.settings)[int(*slot)]) +
                  u" while an earlier press is at work: ignored");
      return;
    case PressStart::ClosePopup:
      // The popup's own target stays: it is where the user goes back to.
      state.returnAfterPopup = true;
      if (context.closeJumpList) context.closeJumpList();
      return;
    case PressStart::Handle:
      break;
  }
  RunningPress running(state.pressRunning);
  const ww::TargetWindow target = ww::CaptureTarget(GetForegroundWindow());
  *context.values.targetWindow = target.window;
  *context.values.targetClassName = target.className;
  Press(context, *slot).Run();
}

bool ForbidJumpListHotKey(ForbidKind kind, const ww::TargetWindow& target, int slot,
                          settings::AppSettings& settings) {
  const ListKind listKind = kind == ForbidKind::WindowClass ? ListKind::WindowClass
                                                            : ListKind::ProgramName;
  const std::u16string name =
      kind == ForbidKind::WindowClass ? target.className : ProgramNameOf(target.window);
  const settings::IgnoreList list = IgnoreListFor(listKind, slot);
  std::vector<std::u16string> lines = settings.IgnoreListLines(list);
  const bool changed = AddNameToList(lines, name);
  if (changed) settings.SetIgnoreListLines(list, std::move(lines));
  BringBack(target.window);
  return changed;
}

}  // namespace pathorama::hotkeys::win32
