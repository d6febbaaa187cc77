#include "variables/clocks.h"

#include <chrono>
#include <ctime>

#include "core/calendar.h"
#include "core/regex.h"
#include "core/text.h"

namespace pathorama::variables {

LocalDateTime SystemClock::Now() const {
  using namespace std::chrono;
  system_clock::time_point now = system_clock::now();
  std::time_t seconds = system_clock::to_time_t(now);
  std::tm tm{};
#ifdef _WIN32
  localtime_s(&tm, &seconds);
#else
  localtime_r(&seconds, &tm);
#endif
  int ms = static_cast<int>(duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000);
  return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec,
          ms < 0 ? ms + 1000 : ms};
}

std::optional<LocalDateTime> ParseLocalDateTime(std::u16string_view text) {
  std::optional<core::RegexMatch> m =
      core::Regex::Get(uR"(^\s*(\d{4})-(\d{1,2})-(\d{1,2})[ T](\d{1,2}):(\d{2})(?::(\d{2}))?\s*$)")
          .Search(text);
  if (!m) return std::nullopt;
  long long f[6] = {};
  for (int i = 0; i < 6; ++i) {
    if (!m->Matched(i + 1)) continue;
    std::optional<long long> n = core::ParseInt(m->Group(i + 1));
    if (!n) return std::nullopt;
    f[i] = *n;
  }
  if (f[1] > 12 || f[2] > 31 ||
      !core::IsValidDate(f[0], static_cast<int>(f[1]), static_cast<int>(f[2])))
    return std::nullopt;
  if (f[3] > 23 || f[4] > 59 || f[5] > 59) return std::nullopt;
  return LocalDateTime{static_cast<int>(f[0]), static_cast<int>(f[1]), static_cast<int>(f[2]),
                       static_cast<int>(f[3]), static_cast<int>(f[4]), static_cast<int>(f[5]),
                       0};
}

}  // namespace pathorama::variables
