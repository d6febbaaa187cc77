// The facts of the computer that the path and system variables read: the
// user's special folders, environment variables, the program's own file,
// folder listings, the system's bitness, and what other programs have open.
// Injected, so every rule is tested with a fake and `pathorama-cli expand`
// runs wherever the platform has a source.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pathorama::variables {

// A moment in UTC, in 100-nanosecond ticks since 1601-01-01 (the file
// system's own base on Windows): one time base for every comparison.
using UtcTicks = int64_t;

struct Subfolder {
  std::u16string name;
  UtcTicks created = 0;
  UtcTicks written = 0;
};

enum class OfficeSource { Word, Excel, PowerPoint, AnyOffice };

class SystemFacts {
 public:
  virtual ~SystemFacts() = default;
  // A value of the user's "Shell Folders" key: nothing when the key cannot
  // be opened (a platform without one), empty when the value is missing.
  virtual std::optional<std::u16string> ShellFolder(std::u16string_view valueName) = 0;
  // Empty when not set.
  virtual std::u16string Environment(std::u16string_view name) = 0;
  // The folder of the running program's executable, without a trailing
  // separator.
  virtual std::u16string ExecutableFolder() = 0;
  // The direct subfolders of `folder` in the order the file system lists
  // them, "." and ".." left out; nothing when the folder does not exist.
  virtual std::optional<std::vector<Subfolder>> Subfolders(std::u16string_view folder) = 0;
  // Whether the operating system is a 64-bit one, whatever the program's
  // own build.
  virtual bool Is64BitSystem() = 0;
  // Round trips to other programs, each bounded by its reader: the folder of
  // the topmost folder manager window, the folder of an open Office
  // document. Empty when there is none; nothing on a platform without them.
  virtual std::optional<std::u16string> OpenedFolder() = 0;
  virtual std::optional<std::u16string> OfficeFolder(OfficeSource source) = 0;
};

// The platform's own facts, one instance for the process.
SystemFacts& PlatformSystemFacts();

// One expansion batch (a menu preparation, an editor refresh, one
// `pathorama-cli expand`): asks another program for its folder once, however
// many variables want it. Everything local is passed through.
class BatchSystemFacts final : public SystemFacts {
 public:
  explicit BatchSystemFacts(SystemFacts& inner) : inner_(inner) {}

  std::optional<std::u16string> ShellFolder(std::u16string_view valueName) override {
    return inner_.ShellFolder(valueName);
  }
  std::u16string Environment(std::u16string_view name) override { return inner_.Environment(name); }
  std::u16string ExecutableFolder() override { return inner_.ExecutableFolder(); }
  std::optional<std::vector<Subfolder>> Subfolders(std::u16string_view folder) override {
    return inner_.Subfolders(folder);
  }
  bool Is64BitSystem() override { return inner_.Is64BitSystem(); }
  std::optional<std::u16string> OpenedFolder() override;
  std::optional<std::u16string> OfficeFolder(OfficeSource source) override;

 private:
  // A fact asked once: whether it was, and what came back.
  struct Asked {
    bool done = false;
    std::optional<std::u16string> value;
  };
  SystemFacts& inner_;
  Asked opened_;
  std::array<Asked, 4> office_;
};

}  // namespace pathorama::variables
