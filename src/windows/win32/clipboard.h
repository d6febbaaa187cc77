// Saving the user's clipboard around an exchange that borrows it, and the
// patient opening of a clipboard that another program may hold open.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "windows/win32/handles.h"

namespace pathorama::windows::win32 {

// Opens the clipboard for `owner`, retrying with growing pauses (about 1.5 s
// in all) while another program holds it. False when it stayed closed.
bool OpenClipboardWithRetries(HWND owner = nullptr);

// Closes the clipboard when it goes out of scope, if it was opened.
class ClipboardSession {
 public:
  explicit ClipboardSession(HWND owner = nullptr) : open_(OpenClipboardWithRetries(owner)) {}
  ~ClipboardSession() {
    if (open_) CloseClipboard();
  }
  ClipboardSession(const ClipboardSession&) = delete;
  ClipboardSession& operator=(const ClipboardSession&) = delete;
  bool IsOpen() const { return open_; }

 private:
  bool open_;
};

// The clipboard's Unicode text, or empty.
std::u16string GetClipboardText();
// Replaces the clipboard with `text`; false when the clipboard stayed closed.
bool SetClipboardText(std::u16string_view text);
// Empties the clipboard (failure ignored).
void EmptyClipboardQuietly();

// A copy of the clipboard's contents, to be put back after an exchange that
// borrows the clipboard.
class ClipboardBackup {
 public:
  ClipboardBackup() = default;
  ClipboardBackup(const ClipboardBackup&) = delete;
  ClipboardBackup& operator=(const ClipboardBackup&) = delete;

  // Replaces the saved contents with a copy of the clipboard. Formats whose
  // data is not a plain memory block (IsUnsafeClipFormat) are never copied.
  void Backup();
  // Empties the clipboard, puts the saved formats back in their order and
  // forgets them.
  void Restore();

  size_t SavedCount() const { return saved_.size(); }
  std::vector<UINT> SavedFormats() const;

 private:
  struct SavedFormat {
    UINT format = 0;
    UniqueGlobal data;  // a private copy until handed to the clipboard
  };
  std::vector<SavedFormat> saved_;
};

// Backs the clipboard up now and restores it when the scope ends, however
// the exchange in between ends.
class ScopedClipboardBorrow {
 public:
  ScopedClipboardBorrow() { backup_.Backup(); }
  ~ScopedClipboardBorrow() { backup_.Restore(); }
  ScopedClipboardBorrow(const ScopedClipboardBorrow&) = delete;
  ScopedClipboardBorrow& operator=(const ScopedClipboardBorrow&) = delete;

 private:
  ClipboardBackup backup_;
};

}  // namespace pathorama::windows::win32
