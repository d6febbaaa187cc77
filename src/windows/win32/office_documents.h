// The folder of the document open in Word, Excel or PowerPoint, read from
// the product's running application object (GetActiveObject only: an Office
// that does not run is never started). Each exchange with an application
// runs on a helper thread with a bound: a hung or busy Office gives no
// folder, and the caller goes on.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "windows/office_documents.h"
#include "windows/win32/bounded_call.h"

namespace pathorama::windows::win32 {

// What the running application object of `product` tells: the process of
// its window and the active document's Path. Nothing when none runs, a call
// failed (no document open, the call rejected) or it did not answer within
// `timeoutMs`.
std::optional<OfficeAnswer> AskOfficeApplication(OfficeProduct product,
                                                 DWORD timeoutMs = kOutsideCallTimeoutMs);

// An "OpusApp" window with a "_WwF" child: Word showing a document.
bool HasWordDocumentPane(HWND window);

// Each product's reader: the folder of the active document, for the window
// `start` (null: the topmost top-level window) and, with `walk`, the windows
// below it in Z order, until a folder is found; empty when none is. An
// answer counts only for a window of the application's own process.
std::u16string GetWordDocumentFolder(HWND start = nullptr, bool walk = true);
std::u16string GetExcelWorkbookFolder(HWND start = nullptr, bool walk = true);
std::u16string GetPowerPointFolder(HWND start = nullptr, bool walk = true);

// The document folder of the first Office window from the top that gives
// one, whichever the product; empty when none does.
std::u16string GetOfficeDocumentFolder();

// For the capture hotkey: the folder of the document shown in `window`, an
// Office main window (the product from its class; Word's only with its
// document pane). Empty for any other window, an unsaved or cloud document,
// or an application that belongs to another window's process or does not
// answer in time. Only this window is asked: walking on could only give the
// folder of a document the user is not working in.
std::u16string GetOfficeFolderOfWindow(HWND window);

}  // namespace pathorama::windows::win32
