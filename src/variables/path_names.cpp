#include "variables/path_names.h"

#include <unordered_map>

#include "core/text.h"
#include "variables/system_facts.h"

namespace pathorama::variables {

namespace {

enum class Source {
  ShellFolder,     // a value of the "Shell Folders" key
  UserProfile,     // derived from the documents folder
  DefaultProfile,
  AllProfile,
  Public,
  Environment,     // an environment variable
  Program,
  X86Program,
  SelfDir,
  NewestCreated,
  NewestWritten,
  OldestCreated,
  OldestWritten,
  OpenedDir,
  Office,
  Constant,
  SystemBits,
  None,            // recognised, no value anywhere
};

struct Name {
  const char16_t* name;
  Source source;
  const char16_t* argument = nullptr;  // the value name, variable or constant
  OfficeSource office = OfficeSource::AnyOffice;
  bool isPath = true;
};

constexpr const char16_t* kDocuments = u"Personal";

const Name kNames[] = {
    {u"DeskTop", Source::ShellFolder, u"DeskTop"},
    {u"MyDocuments", Source::ShellFolder, kDocuments},
    {u"MyPictures", Source::ShellFolder, u"My Pictures"},
    {u"MyMusic", Source::ShellFolder, u"My Music"},
    {u"MyVideos", Source::ShellFolder, u"My Video"},
    {u"MyDownloads", Source::ShellFolder, u"{374DE290-123F-4565-9164-39C4925E467B}"},
    {u"UserProfile", Source::UserProfile},
    {u"DefaultProfile", Source::DefaultProfile, u"Default User"},
    {u"AllProfile", Source::AllProfile, u"All Users"},
    {u"Public", Source::Public, u"Public"},
    {u"Recent", Source::ShellFolder, u"Recent"},
    {u"AppData", Source::ShellFolder, u"AppData"},
    {u"Fonts", Source::ShellFolder, u"Fonts"},
    {u"SendTo", Source::ShellFolder, u"SendTo"},
    {u"Cookies", Source::ShellFolder, u"Cookies"},
    {u"Favorites", Source::ShellFolder, u"Favorites"},
    {u"History", Source::ShellFolder, u"History"},
    {u"OpenedDir", Source::OpenedDir},
    {u"SelfDir", Source::SelfDir},
    {u"Temp", Source::Environment, u"Temp"},
    {u"Program", Source::Program},
    {u"x86Program", Source::X86Program},
    {u"SysDrive", Source::Environment, u"SystemDrive"},
    {u"WinDir", Source::Environment, u"WinDir"},
    {u"NewestFolderC", Source::NewestCreated},
    {u"NewestFolderW", Source::NewestWritten},
    {u"OldestFolderC", Source::OldestCreated},
    {u"OldestFolderW", Source::OldestWritten},
    {u"DocFolderPath", Source::Office, nullptr, OfficeSource::Word},
    {u"XlsFolderPath", Source::Office, nullptr, OfficeSource::Excel},
    {u"PptFolderPath", Source::Office, nullptr, OfficeSource::PowerPoint},
    {u"OfficeFolderPath", Source::Office, nullptr, OfficeSource::AnyOffice},
    {u"RegAutoRun", Source::Constant,
     u"HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Run", {}, false},
    {u"RegAutoRunOnce", Source::Constant,
     u"HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce", {}, false},
    {u"RegCurUserAutoRun", Source::Constant,
     u"HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run", {}, false},
    {u"RegCurUserAutoRunOnce", Source::Constant,
     u"HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce", {}, false},
    {u"UserName", Source::Environment, u"UserName", {}, false},
    {u"OS", Source::Environment, u"OS", {}, false},
    {u"PCName", Source::Environment, u"COMPUTERNAME", {}, false},
    {u"SystemBits", Source::SystemBits, nullptr, {}, false},
    {u"WorkGroup", Source::None, nullptr, {}, false},
};

const Name* Find(std::u16string_view nameText) {
  static const std::unordered_map<std::u16string, const Name*> byName = [] {
    std::unordered_map<std::u16string, const Name*> map;
    for (const Name& n : kNames) map.emplace(core::ToLower(n.name), &n);
    return map;
  }();
  auto it = byName.find(core::ToLower(nameText));
  return it == byName.end() ? nullptr : it->second;
}

// The folder a path lies in, without a trailing "\" except at a drive root
// ("C:\Users\me\Documents" → "C:\Users\me", "C:\Documents" → "C:\"); empty
// when the path names no folder above it.
std::u16string ContainingFolder(std::u16string_view path) {
  while (!path.empty() && path.back() == u'\\') path.remove_suffix(1);
  const size_t last = path.rfind(u'\\');
  if (last == std::u16string_view::npos) return u"";
  std::u16string folder(path.substr(0, last));
  if (!folder.empty() && folder.back() == u':') folder += u'\\';
  return folder;
}

// A folder's own folder part, with its final "\" ("C:\Users\me" →
// "C:\Users\"); a drive root is its own.
std::u16string FolderPart(std::u16string_view folder) {
  if (!folder.empty() && folder.back() == u'\\') return std::u16string(folder);
  const size_t last = folder.rfind(u'\\');
  if (last == std::u16string_view::npos) return u"";
  return std::u16string(folder.substr(0, last + 1));
}

// The name of the subfolder of the folder before the variable with the
// newest or oldest time; among equal times the one listed last.
std::u16string SubfolderByTime(SystemFacts& facts, std::u16string_view textBefore, bool newest,
                               bool byCreation) {
  const size_t last = textBefore.rfind(u'\\');
  // No folder before the variable: never a listing of the current directory.
  if (last == std::u16string_view::npos) return u"";
  const std::optional<std::vector<Subfolder>> list = facts.Subfolders(textBefore.substr(0, last + 1));
  if (!list) return u"";
  const Subfolder* best = nullptr;
  UtcTicks bestTime = 0;
  for (const Subfolder& s : *list) {
    const UtcTicks t = byCreation ? s.created : s.written;
    if (!best || (newest ? t >= bestTime : t <= bestTime)) {
      best = &s;
      bestTime = t;
    }
  }
  return best ? best->name : u"";
}

// "ProgramFiles" of a 32-bit program on a 64-bit Windows names the 32-bit
// folder ("C:\Program Files (x86)"); the cut before " (" gives the 64-bit
// one. A "(" at the very start is no such suffix.
std::u16string ProgramFolder(std::u16string value) {
  const size_t paren = value.find(u'(');
  if (paren != std::u16string::npos && paren >= 2) value.resize(paren - 1);
  return value;
}

}  // namespace

bool IsPathName(std::u16string_view nameText) {
  const Name* n = Find(nameText);
  return n && n->isPath;
}

bool IsSystemName(std::u16string_view nameText) {
  const Name* n = Find(nameText);
  return n && !n->isPath;
}

std::optional<std::u16string> EvaluatePathName(const VariableRequest& request) {
  const Name* n = Find(request.nameText);
  if (!n) return std::nullopt;
  if (n->source == Source::Constant) return std::u16string(n->argument);
  if (n->source == Source::None || !request.env.system) return std::nullopt;
  SystemFacts& facts = *request.env.system;
  switch (n->source) {
    case Source::ShellFolder:
      return facts.ShellFolder(n->argument);
    case Source::UserProfile:
    case Source::DefaultProfile:
    case Source::AllProfile:
    case Source::Public: {
      const std::optional<std::u16string> documents = facts.ShellFolder(kDocuments);
      if (!documents) return std::nullopt;
      const std::u16string profile = ContainingFolder(*documents);
      if (n->source == Source::UserProfile) return profile;
      // Beside the user's profile folder; nothing when there is none.
      const std::u16string profiles = FolderPart(profile);
      if (profiles.empty()) return std::u16string();
      return profiles + n->argument;
    }
    case Source::Environment:
      return facts.Environment(n->argument);
    case Source::Program:
      return ProgramFolder(facts.Environment(u"ProgramFiles"));
    case Source::X86Program: {
      std::u16string x86 = facts.Environment(u"ProgramFiles(x86)");
      return x86.empty() ? facts.Environment(u"ProgramFiles") : x86;
    }
    case Source::SelfDir:
      return facts.ExecutableFolder();
    case Source::NewestCreated:
      return SubfolderByTime(facts, request.textBefore, true, true);
    case Source::NewestWritten:
      return SubfolderByTime(facts, request.textBefore, true, false);
    case Source::OldestCreated:
      return SubfolderByTime(facts, request.textBefore, false, true);
    case Source::OldestWritten:
      return SubfolderByTime(facts, request.textBefore, false, false);
    case Source::OpenedDir:
      return facts.OpenedFolder();
    case Source::Office:
      return facts.OfficeFolder(n->office);
    case Source::SystemBits:
      return std::u16string(facts.Is64BitSystem() ? u"64" : u"32");
    case Source::Constant:
    case Source::None:
      break;
  }
  return std::nullopt;
}

}  // namespace pathorama::variables
