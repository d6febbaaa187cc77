// Calls into other programs that may hang (the shell's window collection in
// Explorer's process, the application objects of Word, Excel and PowerPoint):
// each runs on a helper thread of its own, in an apartment of its own, and
// the caller waits a bounded time. A late answer is no answer; a hung callee
// keeps its helper thread stuck, never the caller.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string_view>
#include <utility>

namespace pathorama::windows::win32 {

// How long a call into another program may take before it counts as no answer.
inline constexpr DWORD kOutsideCallTimeoutMs = 3000;

// Runs `work` on a new helper thread (COM initialised apartment-threaded
// there) and waits up to `timeoutMs` for it. Meanwhile this thread serves the
// messages other threads send to it, as it would during a COM call of its
// own, so that programs sending to our windows do not hang with us; posted
// messages wait. True when the work ended in time. A late answer is traced as
// "<callee> did not answer within N ms: <what>", an exception thrown by the
// work as "asking <callee> failed: <what>: <reason>".
bool RunBounded(std::u16string_view callee, std::u16string_view what, std::function<void()> work,
                DWORD timeoutMs = kOutsideCallTimeoutMs);

// `work`'s answer when it came in time and did not throw, else `fallback`.
template <class Answer>
Answer CallBounded(std::u16string_view callee, std::u16string_view what,
                   std::function<Answer()> work, Answer fallback,
                   DWORD timeoutMs = kOutsideCallTimeoutMs) {
  // Shared with the helper thread, which may write it after the caller gave up.
  auto answer = std::make_shared<std::optional<Answer>>();
  const bool inTime = RunBounded(
      callee, what, [answer, work = std::move(work)] { *answer = work(); }, timeoutMs);
  if (!inTime || !answer->has_value()) return fallback;
  return std::move(**answer);
}

}  // namespace pathorama::windows::win32
