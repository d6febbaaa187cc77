// Tracing outside Windows: the log file only.
#include <fcntl.h>
#include <sys/time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "core/diagnostics.h"
#include "core/text.h"

namespace pathorama::core {

void Trace(std::u16string_view message) {
  const char* path = std::getenv(kLogFileVariable);
  if (!path || !*path) return;
  timeval now{};
  gettimeofday(&now, nullptr);
  std::tm local{};
  localtime_r(&now.tv_sec, &local);
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d %02d:%02d:%02d.%03d", local.tm_year + 1900,
                local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec,
                static_cast<int>(now.tv_usec / 1000));
  std::string line =
      Utf16ToUtf8(TraceLine(Utf8ToUtf16(stamp), static_cast<unsigned long>(getpid()), message)) +
      "\n";
  // O_APPEND keeps lines of several processes whole.
  int fd = open(path, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
  if (fd < 0) return;
  ssize_t written = write(fd, line.data(), line.size());
  (void)written;
  close(fd);
}

}  // namespace pathorama::core
