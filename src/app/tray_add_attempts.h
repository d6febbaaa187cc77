// When the tray icon is added again. The shell refuses an icon while Explorer
// is still starting, and no "TaskbarCreated" may follow once it has started:
// a refused add is tried again on later occasions (the owner window moving, a
// timer), at least a second apart and a bounded number of times.
#pragma once

#include <cstdint>

namespace pathorama::app {

class TrayAddAttempts {
 public:
  static constexpr int kMaxAttempts = 30;
  static constexpr uint64_t kMinSpacingMs = 1000;

  // The icon is wanted from now on, with a fresh budget: the first add, or a
  // new taskbar ("TaskbarCreated") that has none of the icons.
  void Start() {
    wanted_ = true;
    added_ = false;
    made_ = 0;
  }
  // The icon was removed: nothing is due any more.
  void Stop() { wanted_ = added_ = false; }
  // The outcome of one attempt to add the icon, made at `nowMs`.
  void Record(bool added, uint64_t nowMs) {
    ++made_;
    added_ = added;
    lastMs_ = nowMs;
  }

  bool Added() const { return added_; }
  int Made() const { return made_; }
  // Another attempt is due at `nowMs`: the icon is wanted, was refused, the
  // budget is not spent, and the last attempt is long enough ago.
  bool RetryDue(uint64_t nowMs) const {
    return wanted_ && !added_ && made_ > 0 && made_ < kMaxAttempts &&
           nowMs - lastMs_ >= kMinSpacingMs;
  }
  // Every attempt of the budget was refused.
  bool GaveUp() const { return wanted_ && !added_ && made_ >= kMaxAttempts; }

 private:
  bool wanted_ = false;
  bool added_ = false;
  int made_ = 0;
  uint64_t lastMs_ = 0;
};

}  // namespace pathorama::app
