// Small owners for Win32 handles so nothing leaks on an early return.
#pragma once

#include <windows.h>

#include <memory>

namespace pathorama::windows::win32 {

struct HandleCloser {
  void operator()(HANDLE h) const {
    if (h && h != INVALID_HANDLE_VALUE) CloseHandle(h);
  }
};
// Treats INVALID_HANDLE_VALUE (a failed snapshot) as empty.
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(HANDLE h) { reset(h); }
  HANDLE get() const { return handle_.get(); }
  void reset(HANDLE h = nullptr) { handle_.reset(h == INVALID_HANDLE_VALUE ? nullptr : h); }
  explicit operator bool() const { return handle_ != nullptr; }

 private:
  std::unique_ptr<void, HandleCloser> handle_;
};

struct GlobalFreer {
  void operator()(HGLOBAL h) const {
    if (h) GlobalFree(h);
  }
};
using UniqueGlobal = std::unique_ptr<void, GlobalFreer>;

// Locks a global block for the life of the object.
class GlobalLockGuard {
 public:
  explicit GlobalLockGuard(HGLOBAL h) : handle_(h), data_(h ? GlobalLock(h) : nullptr) {}
  ~GlobalLockGuard() {
    if (data_) GlobalUnlock(handle_);
  }
  GlobalLockGuard(const GlobalLockGuard&) = delete;
  GlobalLockGuard& operator=(const GlobalLockGuard&) = delete;
  void* data() const { return data_; }

 private:
  HGLOBAL handle_;
  void* data_;
};

}  // namespace pathorama::windows::win32
