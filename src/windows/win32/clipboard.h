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

struct TClipData {
  UINT Format = 0;
  UniqueGlobal Data;  // a private copy until handed to the clipboard
};

class TClipBackuper {
 public:
  TClipBackuper() = default;
  TClipBackuper(const TClipBackuper&) = delete;
  TClipBackuper& operator=(const TClipBackuper&) = delete;

  // Replaces the saved contents with a copy of the clipboard. Formats whose
  // data is not a plain memory block are skipped; `IgnorUnSafeFormat` is
  // kept for callers, which all pass true: such a format is never copied.
  void BackupClip(bool IgnorUnSafeFormat = true);
  // Empties the clipboard, puts the saved formats back in their order and
  // forgets them.
  void RestoreClip();

  size_t SavedCount() const { return ClipList.size(); }
  std::vector<UINT> SavedFormats() const {
    std::vector<UINT> formats;
    for (const TClipData& item : ClipList) formats.push_back(item.Format);
    return formats;
  }

 private:
  std::vector<TClipData> ClipList;
};

// Backs the clipboard up now and restores it when the scope ends, however
// the exchange in between ends.
class ScopedClipBorrow {
 public:
  ScopedClipBorrow() { backup_.BackupClip(true); }
  ~ScopedClipBorrow() { backup_.RestoreClip(); }
  ScopedClipBorrow(const ScopedClipBorrow&) = delete;
  ScopedClipBorrow& operator=(const ScopedClipBorrow&) = delete;

 private:
  TClipBackuper backup_;
};

}  // namespace pathorama::windows::win32
