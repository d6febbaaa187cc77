// The settings file from arbitrary bytes, the way the program meets it:
// detect the encoding, decode (ANSI = code page 936), parse, load every
// option and the jump list, save everything back into the document and
// serialize it. Then the same again from the saved bytes.
//
// Invariants:
//  - every entry, group and separator of the first load comes back from the
//    saved file: the same tree shape, captions, path infos and enabled flags
//    (what the file does not keep is left out, as the jump-list tests do: a
//    separator's path line and flags, a group's path info of only blanks and
//    angle brackets; and a lone surrogate reads back as U+FFFD, since the file
//    is UTF-8);
//  - an item is disabled exactly when its path info carries the disabled
//    mark as the editor reads it (IsPathInfoDisabled);
//  - every option reads back with the value it was saved with (again with
//    U+FFFD for a lone surrogate);
//  - the saved file reads back as UTF-8, and saving the reloaded file gives
//    the same bytes (a fixed point after one round).
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <optional>
#include <utility>
#include <vector>

#include "core/encoding.h"
#include "core/file_io.h"
#include "core/ini.h"
#include "core/text.h"
#include "fuzz_support.h"
#include "jumplist/caption_limit.h"
#include "jumplist/jump_list.h"
#include "paths/path_info.h"
#include "settings/app_settings.h"
#include "settings/settings_store.h"

namespace pathorama::fuzz {
namespace {

using core::IniDocument;
using core::IniEntry;
using core::IniSection;
using jumplist::JumpItem;
using jumplist::JumpItemKind;
using jumplist::JumpList;
using settings::AppSettings;
using settings::SettingDefinition;
using settings::SettingType;

constexpr core::CalendarDate kToday{2026, 12, 10};
constexpr unsigned kAnsiCodePage = 936;

// The running program around the store, without effects: the jump list is
// built and written as the program does it, with the caption limit the apply
// step hands over; nothing reaches a file, the registry or a hotkey.
class QuietHost : public settings::ProgramFacts,
                  public settings::MainWindowHooks,
                  public settings::SettingsFiles,
                  public settings::ApplyEffects {
 public:
  QuietHost(JumpList& list, const AppSettings& settings) : list_(list), settings_(settings) {}
  settings::SettingsHost Host() { return {*this, *this, *this}; }

  core::CalendarDate Today() const override { return kToday; }
  std::u16string AppVersion() const override { return u"1.0"; }
  std::u16string ExecutablePath() const override { return u"C:\\Pathorama\\pathorama.exe"; }
  unsigned AnsiCodePage() const override { return kAnsiCodePage; }

  void CreatePathListFromIni(IniDocument& ini) override {
    JumpList::LoadOptions options;
    options.captionMaxLength = captionMaxLength_;
    options.hideDisabledItems = settings_.Bool(settings::Setting::HideDisabledItems);
    list_.CreatePathListFromIni(ini, options);
  }
  void SavePathListFromMenuToIni(IniDocument& ini) override {
    list_.SavePathListFromMenuToIni(ini);
  }
  std::optional<std::pair<int, int>> MainWindowPosition() const override { return std::nullopt; }
  void CheckHideOffScreenMenuItem() override {}

  void ClearIniFileAttributes() override {}
  bool WriteIniFile(const IniDocument&) override { return true; }
  core::FileBytes ReadFileBytes(const std::u16string&) override {
    return {core::FileStatus::kNotFound, {}};
  }
  core::FileStatus WriteFileBytes(const std::u16string&, std::string_view) override {
    return core::FileStatus::kOk;
  }

  void ApplyRegistry(const std::vector<settings::RegistryOperation>&) override {}
  void SetVariableOptions(const variables::VariableOptions&) override {}
  void SetFunctionItemsVisible(const settings::FunctionItemVisibility&) override {}
  void SetCaptionMaxLength(int32_t maxLength) override { captionMaxLength_ = maxLength; }
  void RegisterHotKeys(const settings::HotKeyShortcuts&) override {}
  void RefreshFunctionItemIcons() override {}

 private:
  JumpList& list_;
  const AppSettings& settings_;
  int32_t captionMaxLength_ = jumplist::kNoCaptionLimit;
};

// One item of the tree as the file keeps it.
struct StoredItem {
  size_t depth = 0;
  JumpItemKind kind = JumpItemKind::kEntry;
  std::u16string caption;
  std::u16string path;
  bool enabled = true;
  bool visible = true;

  bool operator==(const StoredItem&) const = default;
};

const char* KindName(JumpItemKind kind) {
  switch (kind) {
    case JumpItemKind::kEntry: return "entry";
    case JumpItemKind::kGroup: return "group";
    case JumpItemKind::kSeparator: return "separator";
    case JumpItemKind::kPlaceholder: return "placeholder";
    case JumpItemKind::kFunction: return "function";
    case JumpItemKind::kCurrentFolder: return "current-folder";
  }
  return "?";
}

std::string Describe(const StoredItem& item) {
  return "depth " + std::to_string(item.depth) + " " + KindName(item.kind) + " caption \"" +
         Printable(item.caption) + "\" path \"" + Printable(item.path) + "\"" +
         (item.enabled ? "" : " disabled") + (item.visible ? "" : " hidden");
}

// The tree in order, depth first. Iterative, so a deep tree overflows the
// stack in the code under test, not here.
std::vector<StoredItem> Flatten(const JumpList& list) {
  std::vector<StoredItem> out;
  struct Level {
    const std::vector<JumpItem>* items;
    size_t next;
  };
  std::vector<Level> levels{{&list.Items(), 0}};
  while (!levels.empty()) {
    Level& level = levels.back();
    if (level.next == level.items->size()) {
      levels.pop_back();
      continue;
    }
    const size_t depth = levels.size() - 1;
    const JumpItem& item = (*level.items)[level.next++];
    if (item.kind == JumpItemKind::kPlaceholder) continue;
    StoredItem stored;
    stored.depth = depth;
    stored.kind = item.kind;
    stored.caption = WithoutLoneSurrogates(item.caption);
    if (item.kind != JumpItemKind::kEntry && item.kind != JumpItemKind::kGroup &&
        item.kind != JumpItemKind::kSeparator)
      Fail("a file loads only entries, groups and separators", Describe(stored));
    if (item.kind != JumpItemKind::kSeparator) {
      if (item.enabled == paths::IsPathInfoDisabled(list.PathByTag(item.tag)))
        Fail("an item is disabled exactly when its path info carries the mark",
             std::string(KindName(item.kind)) + " \"" + Printable(stored.caption) +
                 "\" path \"" + Printable(list.PathByTag(item.tag)) + "\" loaded " +
                 (item.enabled ? "enabled" : "disabled"));
      stored.path = WithoutLoneSurrogates(list.PathByTag(item.tag));
      if (item.IsGroup() && core::TrimChars(stored.path, u" \t<>").empty()) stored.path.clear();
      stored.enabled = item.enabled;
      stored.visible = item.visible;
    }
    out.push_back(std::move(stored));
    if (item.IsGroup()) {
      // A group stays a submenu: its first child is the hidden placeholder,
      // and no other child is one.
      if (item.children.empty() || item.children[0].kind != JumpItemKind::kPlaceholder)
        Fail("a group starts with its placeholder", Describe(out.back()));
      for (size_t c = 1; c < item.children.size(); ++c)
        if (item.children[c].kind == JumpItemKind::kPlaceholder)
          Fail("a group has one placeholder", Describe(out.back()));
    } else if (!item.children.empty()) {
      Fail("only a group has children", Describe(out.back()));
    }
    if (!item.children.empty()) levels.push_back({&item.children, 0});  // invalidates `level`
  }
  return out;
}

// Every option as "Key=stored text", in the order of the key table (a lone
// surrogate as U+FFFD, as the UTF-8 file keeps it).
std::vector<std::u16string> SettingTexts(const AppSettings& settings) {
  std::vector<std::u16string> out;
  for (const SettingDefinition& def : settings::SettingDefinitions()) {
    if (def.type == SettingType::WindowPos) continue;  // the host's, not the file's
    out.push_back(std::u16string(def.section) + u"/" +
                  settings::StoredKeyName(def, settings.FolderManagerIndex()) + u"=" +
                  WithoutLoneSurrogates(settings::SettingValueText(settings, def, kToday)));
  }
  return out;
}

struct Round {
  std::vector<StoredItem> items;
  std::vector<std::u16string> settings;
  std::string savedBytes;
};

// Start-up (load "All"), a later reload of the main form with the options in
// force (so the caption limit applies), then the save at exit.
Round LoadAndSave(std::u16string_view text) {
  IniDocument doc = IniDocument::Parse(std::u16string(text));
  AppSettings settings(kToday);
  JumpList list;
  QuietHost host(list, settings);
  settings::SettingsStore store(doc, settings, host.Host());
  store.LoadAppSetting(settings::LoadRange::All);
  store.ApplyAppSetting(settings::ApplyMode::Accepted, host);
  store.LoadAppSetting(settings::LoadRange::MainForm);
  Round round;
  round.items = Flatten(list);
  round.settings = SettingTexts(settings);
  if (!store.SaveAppSetting(settings::SaveRange::All))
    Fail("a save with a writable file succeeds", "");
  round.savedBytes = core::IniDocumentBytes(doc);
  return round;
}

std::u16string Decode(std::string_view bytes) {
  return core::DecodeText(bytes, core::DetectTextEncoding(bytes), kAnsiCodePage);
}

std::string SavedFile(const Round& round) {
  return "saved file:\n" + Printable(Decode(round.savedBytes), 3000);
}

// The first line where two saved files differ, with its number.
std::string FirstDifference(const Round& first, const Round& second) {
  const std::vector<std::u16string> a = core::SplitText(Decode(first.savedBytes), u"\r\n");
  const std::vector<std::u16string> b = core::SplitText(Decode(second.savedBytes), u"\r\n");
  size_t line = 0;
  while (line < a.size() && line < b.size() && a[line] == b[line]) ++line;
  auto at = [line](const std::vector<std::u16string>& lines) {
    return line < lines.size() ? "\"" + Printable(lines[line]) + "\"" : std::string("(end)");
  };
  return "line " + std::to_string(line + 1) + "\n  first save:  " + at(a) +
         "\n  second save: " + at(b);
}

}  // namespace
}  // namespace pathorama::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace pathorama;
  using namespace pathorama::fuzz;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const Round first = LoadAndSave(Decode(bytes));

  if (core::DetectTextEncoding(first.savedBytes) != core::TextEncoding::Utf8)
    Fail("a saved settings file reads back as UTF-8", SavedFile(first));
  const Round second = LoadAndSave(Decode(first.savedBytes));

  const size_t common = std::min(first.items.size(), second.items.size());
  for (size_t i = 0; i < common; ++i) {
    if (first.items[i] != second.items[i])
      Fail("every loaded item survives a save",
           "item " + std::to_string(i) + "\n  loaded:   " + Describe(first.items[i]) +
               "\n  reloaded: " + Describe(second.items[i]) + "\n" + SavedFile(first));
  }
  if (first.items.size() != second.items.size())
    Fail("every loaded item survives a save",
         std::to_string(first.items.size()) + " items loaded, " +
             std::to_string(second.items.size()) + " after the save\n" + SavedFile(first));

  for (size_t i = 0; i < first.settings.size(); ++i)
    if (first.settings[i] != second.settings[i])
      ExpectEqual("every option reads back as saved", first.settings[i], second.settings[i],
                  SavedFile(first));

  if (first.savedBytes != second.savedBytes)
    Fail("saving a saved file gives the same bytes",
         FirstDifference(first, second) + "\n" + SavedFile(first));
  return 0;
}
