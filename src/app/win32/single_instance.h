// Whether this start stays resident, and the forwarding of a second start's
// command to the running instance.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace pathorama::app::win32 {

// Holds the single-instance mutex for the life of the resident instance.
class SingleInstanceLock {
 public:
  SingleInstanceLock() = default;
  SingleInstanceLock(const SingleInstanceLock&) = delete;
  SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;
  ~SingleInstanceLock();

  // True when this start is the only instance and stays resident. Another
  // running process with the same executable file name makes it a second
  // start. Of several starts at the same moment exactly one wins: the
  // process count alone would let them all see each other and all end.
  bool Acquire(const std::u16string& exeFileName);

 private:
  HANDLE mutex_ = nullptr;
};

// A second start: hands the command of the first argument (if any) to the
// running main window. Returns the process exit code (always 0).
int ForwardToRunningInstance(const std::vector<std::u16string>& args);

}  // namespace pathorama::app::win32
