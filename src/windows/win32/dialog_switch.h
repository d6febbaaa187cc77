// Switching an Open/Save dialog of another program to a folder the way a
// user would (type the folder into the file name field, press Enter, give
// the file name back), and filling a folder into any text box.
//
// Callers:
//   - opening a jump-list entry while a dialog was in front:
//       ChangeDialogFolderPath(target, folder, u"", SwitchReason::JumpListItem, context);
//   - the dialog hotkey in a dialog, with its clipboard fallback:
//       context.clipboardFallback = [&](std::u16string_view f) { ... };
//       ChangeDialogFolderPath(target, folder, u"", SwitchReason::DialogHotKey, context);
//   - the dialog hotkey in a text box of any other window:
//       InputFolderPathInSubEdit(target, focus, folder, u"", options.focusedEditMode,
//                                SwitchReason::DialogHotKey, context);
//   - the dialog watch (dialog_watch.h) with SwitchReason::Timer.
// Callers hold a DialogWatch::Pause for the time of the call.
//
// Every message to the other program is bounded; a box that stops answering
// ends the fill at once (NoAnswer), so a call never takes more than a few
// seconds.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/prompts.h"
#include "windows/dialog_fill.h"

namespace pathorama::windows::win32 {

// The options the fill reads ("FillOpenedFolderInActivateEdit",
// "FillFolderPathMethod", "SelTextAfterFillPath").
struct FillOptions {
  bool fillFocusedEdit = true;
  FillMode focusedEditMode = FillMode::CoverAll;
  SelectionAfterFill selectionAfterFill = SelectionAfterFill::WholeText;
};

// One of the program's own file dialogs. They cannot be typed into from
// outside their modal loop, so a switch closes them and opens them again in
// the folder. Each such dialog registers itself with OwnFileDialogs while it
// exists.
class OwnFileDialog {
 public:
  virtual ~OwnFileDialog() = default;
  // Whether `dialog` is this file dialog.
  virtual bool Shows(HWND dialog) const = 0;
  // Closes the dialog and opens it again in `folder` with `fileName`.
  virtual void Reopen(HWND dialog, std::u16string_view folder, std::u16string_view fileName) = 0;
};

class OwnFileDialogs {
 public:
  void Register(OwnFileDialog& dialog);
  void Unregister(OwnFileDialog& dialog);
  // The registered dialog that shows `dialog`, or null.
  OwnFileDialog* Find(HWND dialog) const;

 private:
  std::vector<OwnFileDialog*> dialogs_;
};

// Replaces the program's own file dialog `dialog` by one opened in `folder`.
void ReopenOwnFileDialog(OwnFileDialog& owner, HWND dialog, std::u16string_view folder,
                         std::u16string_view fileName);

// What the dialog hotkey does when nothing could be switched or filled
// (offer the folder on the clipboard, or give the key back).
using ClipboardFallback = std::function<void(std::u16string_view folder)>;

// Where the selection of the topmost file manager comes from, as full
// paths separated by CR LF (see OfferedFileNames); the default asks the
// topmost Explorer, Total Commander or Directory Opus window.
using SelectionReader = std::function<std::u16string()>;
std::u16string ReadTopmostManagerSelection();

struct DialogSwitchContext {
  core::UserPrompts* prompts = nullptr;  // for the "not a folder" warning; none: traced only
  FillOptions options;
  const OwnFileDialogs* ownDialogs = nullptr;
  ClipboardFallback clipboardFallback;  // the dialog hotkey's; may be empty
  SelectionReader managerSelection = ReadTopmostManagerSelection;
};

enum class SwitchResult {
  Switched,           // the dialog shows the folder; the name is back (or offered)
  Filled,             // an ordinary text box got the folder
  ReopenedOwnDialog,  // one of the program's own file dialogs was reopened
  NotAFolder,         // neither an existing folder nor a namespace path: the user was told
  NotTaken,           // the field never showed the folder, or the dialog kept it after Enter
  NoAnswer,           // the box stopped answering within the bound
  NoEdit,             // no box to fill: the window was only brought back
  FellBack,           // the dialog hotkey's clipboard fallback ran
  Nothing,            // nothing to fill for this request
};
std::u16string_view SwitchResultWord(SwitchResult result);

// How long the fill waits for the field to show the folder, and for the
// dialog to take it after Enter.
inline constexpr DWORD kFieldShowsFolderWaitMs = 1000;
inline constexpr DWORD kDialogTakesFolderWaitMs = 3000;
// How long one message to the box may take before the box counts as hung.
inline constexpr UINT kFillMessageTimeoutMs = 1000;

// Switches `dialog` to `folder` and gives `fileName` (or the name the field
// held) back; an own dialog is reopened instead; without a file name field
// the dialog hotkey fills the focused text box or falls back.
SwitchResult ChangeDialogFolderPath(HWND dialog, std::u16string_view folder,
                                    std::u16string_view fileName, SwitchReason reason,
                                    const DialogSwitchContext& context);

// Fills `folder` into `edit` by `mode`. When `edit` is the file name field
// of its dialog the dialog is made to navigate (CoverAll is the way to do
// it) and the user's file name comes back only once the dialog has left the
// folder text behind; otherwise the folder replaces text as one undoable
// edit and the selection follows the option. `topWindow` is brought back to
// the front afterwards.
SwitchResult InputFolderPathInSubEdit(HWND topWindow, HWND edit, std::u16string_view folder,
                                      std::u16string_view dialogFileName, FillMode mode,
                                      SwitchReason reason, const DialogSwitchContext& context);

}  // namespace pathorama::windows::win32
