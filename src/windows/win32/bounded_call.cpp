#include "windows/win32/bounded_call.h"

#include <objbase.h>

#include <exception>
#include <string>
#include <system_error>
#include <thread>

#include "core/diagnostics.h"
#include "core/text.h"
#include "windows/win32/handles.h"

namespace pathorama::windows::win32 {

namespace {

// COM for the calling thread, undone only when this call did it.
class ComScope {
 public:
  ComScope() : hr_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~ComScope() {
    if (SUCCEEDED(hr_)) CoUninitialize();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;

 private:
  HRESULT hr_;
};

// What the caller and the helper thread share; the helper keeps it alive
// after a caller that gave up has returned.
struct PendingCall {
  UniqueHandle done;
  std::function<void()> work;
  std::u16string callee;
  std::u16string what;
};

void TraceFailure(const PendingCall& call, std::u16string_view reason) {
  core::Trace(u"asking " + call.callee + u" failed: " + call.what + u": " + std::u16string(reason));
}

void RunOnHelperThread(const std::shared_ptr<PendingCall>& call) {
  {
    ComScope com;
    try {
      call->work();
    } catch (const std::exception& e) {
      TraceFailure(*call, core::Utf8ToUtf16(e.what()));
    } catch (...) {
      TraceFailure(*call, u"an unknown exception");
    }
    // The work's captures (perhaps COM objects) go inside the apartment.
    call->work = nullptr;
  }
  SetEvent(call->done.get());
}

// Waits for `done` until `timeoutMs` has passed, serving sent messages.
bool WaitServingSentMessages(HANDLE done, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    const DWORD elapsed = GetTickCount() - start;
    if (elapsed >= timeoutMs) return WaitForSingleObject(done, 0) == WAIT_OBJECT_0;
    const DWORD result = MsgWaitForMultipleObjectsEx(1, &done, timeoutMs - elapsed, QS_SENDMESSAGE, 0);
    if (result == WAIT_OBJECT_0) return true;
    if (result == WAIT_OBJECT_0 + 1) {
      // Dispatches the sent messages; posted ones stay queued.
      MSG message;
      PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
      continue;
    }
    if (result == WAIT_TIMEOUT) return false;
    core::Trace(u"waiting for an outside call failed: system error " +
                core::IntToText(static_cast<long long>(GetLastError())));
    return false;
  }
}

}  // namespace

bool RunBounded(std::u16string_view callee, std::u16string_view what, std::function<void()> work,
                DWORD timeoutMs) {
  auto call = std::make_shared<PendingCall>();
  call->done.reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  call->work = std::move(work);
  call->callee = callee;
  call->what = what;
  if (!call->done) {
    TraceFailure(*call, u"no event to wait on");
    return false;
  }
  try {
    std::thread([call] { RunOnHelperThread(call); }).detach();
  } catch (const std::system_error& e) {
    TraceFailure(*call, u"no helper thread: " + core::Utf8ToUtf16(e.what()));
    return false;
  }
  if (WaitServingSentMessages(call->done.get(), timeoutMs)) return true;
  core::Trace(call->callee + u" did not answer within " + core::IntToText(timeoutMs) + u" ms: " +
              call->what);
  return false;
}

}  // namespace pathorama::windows::win32
