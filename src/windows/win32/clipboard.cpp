#include "windows/win32/clipboard.h"

#include <cstring>

#include "core/diagnostics.h"
#include "core/text.h"
#include "core/win32/diagnostics.h"
#include "windows/clip_formats.h"

namespace pathorama::windows::win32 {

bool OpenClipboardWithRetries(HWND owner) {
  if (OpenClipboard(owner)) return true;
  int waited = 0;
  for (int delay : kClipboardRetryDelaysMs) {
    Sleep(delay);
    waited += delay;
    if (OpenClipboard(owner)) return true;
  }
  DWORD error = GetLastError();
  HWND holder = GetOpenClipboardWindow();
  core::Trace(u"the clipboard stayed closed for " + core::IntToText(waited) +
              u" ms, held by window " + core::HexText(reinterpret_cast<UINT_PTR>(holder), 8) +
              u": system error " + core::win32::SystemErrorText(error));
  return false;
}

std::u16string GetClipboardText() {
  ClipboardSession session;
  if (!session.IsOpen()) return {};
  HANDLE data = GetClipboardData(CF_UNICODETEXT);
  if (!data) return {};
  SIZE_T bytes = GlobalSize(data);
  GlobalLockGuard lock(data);
  if (!lock.data()) return {};
  // The block may lack its terminating zero: never read past its size.
  const char16_t* text = static_cast<const char16_t*>(lock.data());
  size_t maxChars = bytes / sizeof(char16_t);
  size_t length = 0;
  while (length < maxChars && text[length] != 0) ++length;
  return std::u16string(text, length);
}

bool SetClipboardText(std::u16string_view text) {
  UniqueGlobal block(GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(char16_t)));
  if (!block) return false;
  {
    GlobalLockGuard lock(block.get());
    if (!lock.data()) return false;
    std::memcpy(lock.data(), text.data(), text.size() * sizeof(char16_t));
    static_cast<char16_t*>(lock.data())[text.size()] = 0;
  }
  ClipboardSession session;
  if (!session.IsOpen()) return false;
  EmptyClipboard();
  if (!SetClipboardData(CF_UNICODETEXT, block.get())) return false;
  block.release();  // the system owns it now
  return true;
}

void EmptyClipboardQuietly() {
  ClipboardSession session;
  if (session.IsOpen()) EmptyClipboard();
}

namespace {

// A private copy of one clipboard block, or null when the handle is not a
// readable global memory block.
HGLOBAL CopyGlobalBlock(HANDLE source) {
  if (GlobalFlags(source) == GMEM_INVALID_HANDLE) return nullptr;
  SIZE_T size = GlobalSize(source);
  if (size == 0) return nullptr;
  GlobalLockGuard from(source);
  if (!from.data()) return nullptr;
  UniqueGlobal copy(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT | GMEM_SHARE, size));
  if (!copy) return nullptr;
  GlobalLockGuard to(copy.get());
  if (!to.data()) return nullptr;
  std::memcpy(to.data(), from.data(), size);
  return copy.release();
}

}  // namespace

void ClipboardBackup::Backup() {
  saved_.clear();
  ClipboardSession session;
  if (!session.IsOpen()) return;
  for (UINT format = EnumClipboardFormats(0); format != 0; format = EnumClipboardFormats(format)) {
    if (IsUnsafeClipFormat(format)) continue;
    HANDLE data = GetClipboardData(format);
    if (!data) continue;
    HGLOBAL copy = CopyGlobalBlock(data);
    if (!copy) continue;
    saved_.push_back({format, UniqueGlobal(copy)});
  }
}

void ClipboardBackup::Restore() {
  std::vector<SavedFormat> saved = std::move(saved_);
  saved_.clear();
  ClipboardSession session;
  if (!session.IsOpen()) return;  // the copies are freed with `saved`
  EmptyClipboard();
  for (SavedFormat& item : saved) {
    if (SetClipboardData(item.format, item.data.get())) item.data.release();
  }
}

std::vector<UINT> ClipboardBackup::SavedFormats() const {
  std::vector<UINT> formats;
  for (const SavedFormat& item : saved_) formats.push_back(item.format);
  return formats;
}

}  // namespace pathorama::windows::win32
