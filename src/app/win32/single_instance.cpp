#include "app/win32/single_instance.h"

#include "app/startup.h"
#include "core/diagnostics.h"
#include "core/text.h"
#include "core/win32/diagnostics.h"
#include "core/win32/wide_text.h"
#include "windows/win32/processes.h"

namespace pathorama::app::win32 {

namespace {

// How long the winner of the mutex waits for other starts of the same moment
// to end before it counts a remaining same-name process as a running
// instance.
constexpr ULONGLONG kRaceSettleMs = 2000;
// A running instance busy in a modal dialog must not hold a second start
// for ever; the message is still handled when the instance gets to it.
constexpr UINT kForwardTimeoutMs = 10000;

}  // namespace

SingleInstanceLock::~SingleInstanceLock() {
  if (mutex_) CloseHandle(mutex_);
}

bool SingleInstanceLock::Acquire(const std::u16string& exeFileName) {
  mutex_ = CreateMutexW(nullptr, FALSE, core::win32::AsWide(SingleInstanceMutexName(exeFileName)));
  if (mutex_ && GetLastError() == ERROR_ALREADY_EXISTS) {
    CloseHandle(mutex_);
    mutex_ = nullptr;
    return false;
  }
  // Without a mutex (creation refused) only the process count decides.
  ULONGLONG deadline = GetTickCount64() + (mutex_ ? kRaceSettleMs : 0);
  for (;;) {
    if (windows::win32::CountProcessesByName(exeFileName) <= 1) return true;
    if (GetTickCount64() >= deadline) break;
    Sleep(50);
  }
  if (mutex_) CloseHandle(mutex_);
  mutex_ = nullptr;
  return false;
}

int ForwardToRunningInstance(const std::vector<std::u16string>& args) {
  StartCommand command = CommandForSecondStart(args);
  if (command == StartCommand::kNone) return 0;
  HWND running = FindWindowW(core::win32::AsWide(kMainWindowClass), nullptr);
  if (!running) return 0;
  if (command == StartCommand::kOpenJumpList) SwitchToThisWindow(running, TRUE);
  DWORD_PTR ignored = 0;
  if (!SendMessageTimeoutW(running, MessageForCommand(command), 0, 0,
                           SMTO_NORMAL | SMTO_ABORTIFHUNG, kForwardTimeoutMs, &ignored)) {
    DWORD error = GetLastError();
    core::Trace(u"the running instance did not take message " +
                core::HexText(MessageForCommand(command), 4) + u" within " +
                core::IntToText(kForwardTimeoutMs) + u" ms: system error " +
                core::win32::SystemErrorText(error));
  }
  return 0;
}

}  // namespace pathorama::app::win32
