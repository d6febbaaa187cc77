// The computer's facts natively: the environment, the program's own folder
// and folder listings. There is no "Shell Folders" key and no Windows
// program to ask, so those names stay as written.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <algorithm>
#include <string>

#include "core/text.h"
#include "variables/system_facts.h"

extern char** environ;

namespace pathorama::variables {

namespace {

// Seconds between 1601-01-01 and 1970-01-01.
constexpr int64_t kUnixEpochSeconds = 11644473600LL;

UtcTicks Ticks(int64_t seconds, int64_t nanoseconds) {
  return (seconds + kUnixEpochSeconds) * 10000000LL + nanoseconds / 100;
}

class PosixSystemFacts final : public SystemFacts {
 public:
  std::optional<std::u16string> ShellFolder(std::u16string_view) override { return std::nullopt; }

  // Windows names its variables without regard to case ("Temp" is "TEMP").
  std::u16string Environment(std::u16string_view name) override {
    for (char** entry = environ; entry && *entry; ++entry) {
      const std::u16string text = core::Utf8ToUtf16(*entry);
      const size_t equals = text.find(u'=');
      if (equals == std::u16string::npos) continue;
      if (core::EqualsIgnoreCase(std::u16string_view(text).substr(0, equals), name))
        return text.substr(equals + 1);
    }
    return u"";
  }

  std::u16string ExecutableFolder() override {
    std::string path(4096, '\0');
    const ssize_t n = readlink("/proc/self/exe", path.data(), path.size());
    if (n <= 0) return u"";
    path.resize(static_cast<size_t>(n));
    const size_t slash = path.rfind('/');
    return core::Utf8ToUtf16(slash == std::string::npos ? std::string() : path.substr(0, std::max<size_t>(slash, 1)));
  }

  // Paths in the jump list separate their layers with "\".
  std::optional<std::vector<Subfolder>> Subfolders(std::u16string_view folder) override {
    std::u16string native(folder);
    std::replace(native.begin(), native.end(), u'\\', u'/');
    const std::string path = core::Utf16ToUtf8(native);
    DIR* dir = opendir(path.c_str());
    if (!dir) return std::nullopt;
    std::vector<Subfolder> list;
    while (const dirent* entry = readdir(dir)) {
      const std::string name = entry->d_name;
      if (name == "." || name == "..") continue;
      struct statx sx {};
      if (statx(dirfd(dir), entry->d_name, AT_STATX_SYNC_AS_STAT, STATX_TYPE | STATX_MTIME | STATX_BTIME,
                &sx) != 0 ||
          !S_ISDIR(sx.stx_mode))
        continue;
      Subfolder s;
      s.name = core::Utf8ToUtf16(name);
      s.written = Ticks(sx.stx_mtime.tv_sec, sx.stx_mtime.tv_nsec);
      // A file system that keeps no creation time: the last write stands in.
      s.created = (sx.stx_mask & STATX_BTIME) ? Ticks(sx.stx_btime.tv_sec, sx.stx_btime.tv_nsec)
                                              : s.written;
      list.push_back(std::move(s));
    }
    closedir(dir);
    return list;
  }

  bool Is64BitSystem() override {
    utsname info{};
    if (uname(&info) != 0) return sizeof(void*) == 8;
    return std::string(info.machine).find("64") != std::string::npos;
  }

  std::optional<std::u16string> OpenedFolder() override { return std::nullopt; }
  std::optional<std::u16string> OfficeFolder(OfficeSource) override { return std::nullopt; }
};

}  // namespace

SystemFacts& PlatformSystemFacts() {
  static PosixSystemFacts facts;
  return facts;
}

}  // namespace pathorama::variables
