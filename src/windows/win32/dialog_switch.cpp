#include "windows/win32/dialog_switch.h"

#include <algorithm>

#include "core/diagnostics.h"
#include "core/text.h"
#include "core/win32/wide_text.h"
#include "paths/path_info.h"
#include "windows/window_classes.h"
#include "windows/win32/dialogs.h"
#include "windows/win32/folder_managers.h"
#include "windows/win32/path_probe.h"
#include "windows/win32/window_facts.h"

namespace pathorama::windows::win32 {

using core::win32::AsWide;

void OwnFileDialogs::Register(OwnFileDialog& dialog) {
  if (std::find(dialogs_.begin(), dialogs_.end(), &dialog) == dialogs_.end())
    dialogs_.push_back(&dialog);
}

void OwnFileDialogs::Unregister(OwnFileDialog& dialog) {
  dialogs_.erase(std::remove(dialogs_.begin(), dialogs_.end(), &dialog), dialogs_.end());
}

OwnFileDialog* OwnFileDialogs::Find(HWND dialog) const {
  if (!dialog) return nullptr;
  for (OwnFileDialog* own : dialogs_)
    if (own->Shows(dialog)) return own;
  return nullptr;
}

void ReopenOwnFileDialog(OwnFileDialog& owner, HWND dialog, std::u16string_view folder,
                         std::u16string_view fileName) {
  owner.Reopen(dialog, folder, fileName);
}

std::u16string_view SwitchResultWord(SwitchResult result) {
  switch (result) {
    case SwitchResult::Switched: return u"Switched";
    case SwitchResult::Filled: return u"Filled";
    case SwitchResult::ReopenedOwnDialog: return u"ReopenedOwnDialog";
    case SwitchResult::NotAFolder: return u"NotAFolder";
    case SwitchResult::NotTaken: return u"NotTaken";
    case SwitchResult::NoAnswer: return u"NoAnswer";
    case SwitchResult::NoEdit: return u"NoEdit";
    case SwitchResult::FellBack: return u"FellBack";
    case SwitchResult::Nothing: return u"Nothing";
  }
  return u"";
}

std::u16string ReadTopmostManagerSelection() {
  switch (GetTopmostFolderManager()) {
    case FolderManager::Explorer:
      return GetExplorerSelection(FindExplorerWindow(), SelectionMode::Path);
    case FolderManager::TotalCommander:
      return GetTotalCommanderSelection(FindTopmostWindowOfClass(kTotalCommanderClass),
                                        SelectionMode::Path);
    case FolderManager::DirectoryOpus:
      return GetDirectoryOpusSelection();
    default:
      return {};
  }
}

namespace {

// Messages to the box being filled. The first one that gets no answer in
// time marks the box as hung, and every later one is skipped: a fill never
// waits more than once on a box that stopped answering.
class EditChannel {
 public:
  explicit EditChannel(HWND edit) : edit_(edit) {}

  bool Answering() const { return answering_; }

  LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    LRESULT result = 0;
    if (answering_)
      answering_ = SendMessageBounded(edit_, message, wParam, lParam, &result, kFillMessageTimeoutMs);
    return answering_ ? result : 0;
  }

  // The whole text, however long.
  std::u16string Text() {
    LRESULT length = Send(WM_GETTEXTLENGTH);
    if (!answering_ || length <= 0) return {};
    std::wstring buffer(static_cast<size_t>(length) + 1, L'\0');
    LRESULT got = Send(WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
    if (!answering_) return {};
    got = std::clamp<LRESULT>(got, 0, length);
    return core::win32::FromWide(buffer.data(), wcsnlen(buffer.data(), static_cast<size_t>(got)));
  }

  TextRange Selection(size_t textLength) {
    // The packed answer holds 16-bit positions; past them the system hands
    // the two positions back through the pointers.
    if (textLength < 0xFFFF) {
      DWORD packed = static_cast<DWORD>(Send(EM_GETSEL));
      return {LOWORD(packed), HIWORD(packed)};
    }
    DWORD start = 0, end = 0;
    Send(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {start, end};
  }

  void Select(TextRange range) { Send(EM_SETSEL, range.start, range.end); }
  void SelectAll() { Send(EM_SETSEL, 0, -1); }
  void SetText(std::u16string_view text) {
    std::u16string copy(text);
    Send(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(AsWide(copy)));
  }
  // One undoable replacement of the selection.
  void ReplaceSelection(std::u16string_view text) {
    std::u16string copy(text);
    Send(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(AsWide(copy)));
  }
  void PressKey(WPARAM key) {
    UINT scan = MapVirtualKeyW(static_cast<UINT>(key), MAPVK_VK_TO_VSC);
    Send(WM_KEYDOWN, key, 1 | (scan << 16));
    Send(WM_KEYUP, key, 1 | (scan << 16) | (1u << 30) | (1u << 31));
  }
  // Posted, so that the dialog handles it in its own time.
  void PostKey(WPARAM key) {
    UINT scan = MapVirtualKeyW(static_cast<UINT>(key), MAPVK_VK_TO_VSC);
    PostMessageW(edit_, WM_KEYDOWN, key, 1 | (scan << 16));
    PostMessageW(edit_, WM_KEYUP, key, 1 | (scan << 16) | (1u << 30) | (1u << 31));
  }

 private:
  HWND edit_;
  bool answering_ = true;
};

// Lets this thread's pending messages run. Hotkeys stay queued: a second
// request must not start inside this one.
void LetPendingMessagesRun() {
  MSG msg;
  for (int handled = 0; handled < 1000; ++handled) {
    if (!PeekMessageW(&msg, nullptr, 0, WM_HOTKEY - 1, PM_REMOVE) &&
        !PeekMessageW(&msg, nullptr, WM_HOTKEY + 1, 0xFFFFFFFF, PM_REMOVE))
      break;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

// Waits up to `boundMs` for `done`, letting messages run; true when it came.
template <typename Done>
bool WaitUntil(DWORD boundMs, Done done) {
  DWORD start = GetTickCount();
  for (;;) {
    if (done()) return true;
    if (GetTickCount() - start >= boundMs) return false;
    LetPendingMessagesRun();
    Sleep(20);
  }
}

void BringToFront(HWND window) {
  if (!window || !IsWindow(window)) return;
  if (IsIconic(window)) ShowWindowAsync(window, SW_RESTORE);
  SetForegroundWindow(window);
}

void FocusControl(HWND control) {
  if (!control || !IsWindow(control)) return;
  DWORD theirs = GetWindowThreadProcessId(control, nullptr);
  DWORD ours = GetCurrentThreadId();
  if (theirs == ours) {
    SetFocus(control);
    return;
  }
  if (AttachThreadInput(ours, theirs, TRUE)) {
    SetFocus(control);
    AttachThreadInput(ours, theirs, FALSE);
  }
}

std::u16string HandleText(HWND window) {
  return core::HexText(reinterpret_cast<UINT_PTR>(window), 8);
}

SwitchResult TraceNoAnswer(HWND edit) {
  core::Trace(u"the text box " + HandleText(edit) + u" stopped answering: folder not filled");
  return SwitchResult::NoAnswer;
}

SwitchResult FillFileNameField(HWND topWindow, HWND edit, std::u16string_view folder,
                               std::u16string_view dialogFileName, FillMode mode,
                               SwitchReason reason, const DialogSwitchContext& context) {
  EditChannel box(edit);
  if (!dialogFileName.empty()) box.SetText(dialogFileName);
  std::u16string savedName = box.Text();
  TextRange savedSelection = box.Selection(savedName.size());
  if (!savedName.empty()) {
    // Clearing and retyping the name makes the dialog register an edit of
    // its field before the folder goes in.
    box.SelectAll();
    box.PressKey(VK_DELETE);
    box.SetText(savedName);
    box.Select(savedSelection);
  }
  if (mode == FillMode::CoverAll) {
    box.SetText(folder);
  } else {
    EditFillPlan plan =
        PlanEditFill(savedName, savedSelection, folder, mode, SelectionAfterFill::FilledFolder);
    box.Select(plan.replaced);
    box.ReplaceSelection(folder);
  }
  if (!box.Answering()) return TraceNoAnswer(edit);

  LetPendingMessagesRun();
  if (!WaitUntil(kFieldShowsFolderWaitMs,
                 [&] { return !box.Answering() || FieldShowsFolder(box.Text(), folder); }) ||
      !box.Answering()) {
    // Enter now would confirm the dialog with whatever the field holds.
    if (!box.Answering()) return TraceNoAnswer(edit);
    box.SetText(savedName);
    box.Select(savedSelection);
    core::Trace(u"the file name field " + HandleText(edit) +
                u" never showed the folder: the dialog was not switched");
    return SwitchResult::NotTaken;
  }

  HWND parentOwner = GetWindow(GetAncestor(edit, GA_PARENT), GW_OWNER);
  bool confirm = WantsConfirmation(reason, ClassNameOf(parentOwner));
  bool taken = true;
  if (confirm) {
    box.PostKey(VK_RETURN);
    // The name goes back only once the dialog has left the folder text
    // behind: put back earlier, it would be confirmed as the file.
    taken = WaitUntil(kDialogTakesFolderWaitMs, [&] {
      return !box.Answering() || DialogTookFolder(box.Text(), folder);
    }) && box.Answering();
    if (!box.Answering()) return TraceNoAnswer(edit);
    if (!taken)
      core::Trace(u"the dialog of file name field " + HandleText(edit) +
                  u" did not take the folder: the file name is dropped");
  }
  LetPendingMessagesRun();
  BringToFront(topWindow);
  FocusControl(edit);
  if (confirm && taken) {
    std::u16string name = savedName;
    if (name.empty() && context.managerSelection)
      name = OfferedFileNames(context.managerSelection(), folder, ProbePath);
    box.SetText(name);
  }
  box.SelectAll();
  if (!box.Answering()) return TraceNoAnswer(edit);
  return taken ? SwitchResult::Switched : SwitchResult::NotTaken;
}

SwitchResult FillTextBox(HWND topWindow, HWND edit, std::u16string_view folder, FillMode mode,
                         const DialogSwitchContext& context) {
  EditChannel box(edit);
  std::u16string text = box.Text();
  TextRange selection = box.Selection(text.size());
  EditFillPlan plan =
      PlanEditFill(text, selection, folder, mode, context.options.selectionAfterFill);
  box.Select(plan.replaced);
  box.ReplaceSelection(folder);
  BringToFront(topWindow);
  FocusControl(edit);
  box.Select(plan.selection);
  if (!box.Answering()) return TraceNoAnswer(edit);
  return SwitchResult::Filled;
}

}  // namespace

SwitchResult InputFolderPathInSubEdit(HWND topWindow, HWND edit, std::u16string_view folder,
                                      std::u16string_view dialogFileName, FillMode mode,
                                      SwitchReason reason, const DialogSwitchContext& context) {
  if (!edit || !IsWindow(edit)) {
    BringToFront(topWindow);
    return SwitchResult::NoEdit;
  }
  // A box whose program hangs is left alone before anything waits on it:
  // giving it the focus would wait for its thread.
  if (!SendMessageBounded(edit, WM_NULL, 0, 0, nullptr, kFillMessageTimeoutMs))
    return TraceNoAnswer(edit);
  bool fileNameField = IsDialogFileNameEdit(edit, topWindow);
  BringToFront(topWindow);
  FocusControl(edit);
  return fileNameField
             ? FillFileNameField(topWindow, edit, folder, dialogFileName, mode, reason, context)
             : FillTextBox(topWindow, edit, folder, mode, context);
}

SwitchResult ChangeDialogFolderPath(HWND dialog, std::u16string_view folder,
                                    std::u16string_view fileName, SwitchReason reason,
                                    const DialogSwitchContext& context) {
  if (!IsSwitchableFolder(folder, ProbePath)) {
    core::Trace(u"not a folder to switch a dialog to: " + std::u16string(folder));
    if (context.prompts)
      context.prompts->Tell(u"当前待打开的不是本地文件夹路径，无法切换", u"文件夹路径不存在",
                            core::PromptIcon::Warning);
    BringToFront(dialog);
    return SwitchResult::NotAFolder;
  }
  OwnFileDialog* own = context.ownDialogs ? context.ownDialogs->Find(dialog) : nullptr;
  DialogFacts facts;
  facts.ownDialog = own != nullptr;
  HWND field = own ? nullptr : FindDialogFileNameEdit(dialog);
  facts.hasFileNameField = field != nullptr;
  HWND focus = nullptr;
  if (!own && !field && reason == SwitchReason::DialogHotKey) {
    focus = GetForegroundFocus();
    facts.focusIsTextBox = focus && IsFillableTextBoxClass(ClassNameOf(focus));
  }
  SwitchResult result = SwitchResult::Nothing;
  switch (ChooseDialogRoute(facts, reason, context.options.fillFocusedEdit)) {
    case DialogRoute::ReopenOwnDialog:
      ReopenOwnFileDialog(*own, dialog, folder, u"");
      return SwitchResult::ReopenedOwnDialog;
    case DialogRoute::FileNameField:
      result = InputFolderPathInSubEdit(dialog, field, folder, fileName, FillMode::CoverAll, reason,
                                        context);
      break;
    case DialogRoute::FocusedEdit:
      result = InputFolderPathInSubEdit(
          dialog, focus, folder, fileName,
          FocusedEditFillMode(context.options.focusedEditMode, IsDialogFileNameEdit(focus, dialog),
                              paths::IsShellNamespacePath(folder)),
          reason, context);
      break;
    case DialogRoute::Fallback:
      result = SwitchResult::FellBack;
      break;
    case DialogRoute::Nothing:
      return SwitchResult::Nothing;
  }
  // The dialog hotkey offers the folder on the clipboard when it could not
  // be switched or filled.
  bool failed = result == SwitchResult::FellBack || result == SwitchResult::NotTaken ||
                result == SwitchResult::NoAnswer;
  if (failed && reason == SwitchReason::DialogHotKey) {
    if (context.clipboardFallback) {
      context.clipboardFallback(folder);
      return SwitchResult::FellBack;
    }
    if (result == SwitchResult::FellBack) return SwitchResult::Nothing;
  }
  return result;
}

}  // namespace pathorama::windows::win32
