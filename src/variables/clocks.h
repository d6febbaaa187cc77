// The clocks a variable can read: the local time of the machine, or a
// moment fixed by the caller (`pathorama-cli expand --now`, tests).
#pragma once

#include <optional>
#include <string_view>

#include "variables/variable_environment.h"

namespace pathorama::variables {

class SystemClock : public Clock {
 public:
  LocalDateTime Now() const override;
};

class FixedClock : public Clock {
 public:
  explicit FixedClock(LocalDateTime now) : now_(now) {}
  LocalDateTime Now() const override { return now_; }

 private:
  LocalDateTime now_;
};

// "YYYY-MM-DD HH:MM:SS" (seconds optional); no value for anything else or an
// impossible date or time.
std::optional<LocalDateTime> ParseLocalDateTime(std::u16string_view text);

}  // namespace pathorama::variables
