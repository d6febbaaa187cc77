// The jump list in memory: the tree the popup menu is built from, the map
// from tag to path info (`PathByTag`) and the tag counter (`ItemCounter`),
// with its stored form, section "PathMenu" of the settings file:
//
//   menu1=Docs(&D)      an entry
//   path1=D:\Docs       its path info (always written for an entry, maybe empty)
//   menu2=-Work         opens the group "Work"
//   path2=E:\Work       a group's path info (only when it has one)
//   menu3=Reports       an entry inside "Work"
//   path3=E:\Reports
//   menu4=--            closes "Work"
//   menu5=-             a separator
//
// Readers use only the order of the keys, not their numbers; writers number
// the menu lines 1, 2, 3, ... without gaps and give a path line the number of
// the menu line above it.
//
// Typical use:
//   JumpList list;                                   // lives for the whole run
//   list.CreatePathListFromIni(doc, {CaptionMaxLength, hide});
//   ... build the popup from list.Items(), look paths up with list.PathByTag(tag) ...
//   list.SavePathListFromMenuToIni(doc);             // then the document to disk
// The program writes the document through its session (AppSession), which
// never writes over a settings file it could not read; a migrated "DirMenu"
// is written by the next save. SavePathListToIniFile is the same for tools.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/file_io.h"
#include "core/ini.h"
#include "jumplist/caption_limit.h"

namespace pathorama::jumplist {

enum class JumpItemKind {
  kEntry,
  kGroup,          // children; the first child is the placeholder
  kSeparator,      // caption "-"
  kPlaceholder,    // hidden, empty caption: keeps a group a submenu when it has no entries
  kFunction,       // a function item of the menu (name "mni_..."), never stored
  kCurrentFolder,  // a current-folder item at the end of a group (name "mni_AddCurFolder_..."), never stored
};

// What an item is, apart from its children.
struct JumpItemFields {
  JumpItemKind kind = JumpItemKind::kEntry;
  std::u16string name;     // component name: "mni_..." for function and current-folder items
  std::u16string caption;  // a group's caption is without the "-" of the file
  int32_t tag = 0;         // unique for the run; the key of PathByTag
  bool enabled = true;     // false for a disabled entry (path info beginning with "/")
  bool visible = true;     // false for the placeholder and, when asked, disabled entries
  bool clickable = false;  // choosing it runs item activation (entries with a path line, groups)
};

// An item and the items below it. A file may nest groups as deep as it
// likes, so copying and destroying work through an explicit list of
// pending items instead of recursing once per level on the machine stack
// (the Windows program's main thread has 2 MB of it).
struct JumpItem : JumpItemFields {
  std::vector<JumpItem> children;

  JumpItem() = default;
  JumpItem(const JumpItem& other);
  JumpItem(JumpItem&& other) noexcept = default;
  JumpItem& operator=(const JumpItem& other);
  JumpItem& operator=(JumpItem&& other) noexcept = default;
  ~JumpItem();

  bool IsGroup() const { return kind == JumpItemKind::kGroup; }
};

// Calls visit(item, depth) for every item of `items` and below in menu order
// (a group before its children; depth 0 for `items` themselves), without
// recursion, so a tree of any depth that loads can be walked.
void ForEachItem(const std::vector<JumpItem>& items,
                 const std::function<void(const JumpItem& item, size_t depth)>& visit);

// Name prefixes of the items that are never stored (compared without case).
inline constexpr std::u16string_view kFunctionItemPrefix = u"mni_";
inline constexpr std::u16string_view kCurrentFolderItemPrefix = u"mni_AddCurFolder_";

class JumpList {
 public:
  struct LoadOptions {
    // Captions longer than this are shortened with "...". At start-up the
    // options are not yet in force, so the default is no limit.
    int32_t captionMaxLength = kNoCaptionLimit;
    // Disabled entries are hidden rather than greyed (Setting::HideDisabledItems).
    bool hideDisabledItems = true;
  };

  enum class LoadResult {
    kNoSection,  // neither "PathMenu" nor "DirMenu": the list was left as it was
    kLoaded,
    kMigrated,   // loaded after moving legacy "DirMenu" to "PathMenu": write the document
  };

  // Rebuilds the list from section "PathMenu" of `doc`. A document with
  // "DirMenu" but no "PathMenu" first has the legacy section copied key by
  // key into "PathMenu" and erased (with both, "DirMenu" is left alone).
  // Every stored item is replaced and PathByTag cleared; function items
  // ("mni_...") at the top level are kept, after the loaded entries.
  // ItemCounter goes on from its current value, so tags stay unique across
  // rebuilds. Current-folder items are the menu's to add afterwards.
  //
  // Damaged input loads what can be loaded: a "--" with no open group is
  // ignored, groups still open at the end are closed there, and a path line
  // counts only directly after a menu line that made an item (not after
  // "--", a dropped empty caption or a line without "="), so it never lands
  // on an unrelated item.
  LoadResult CreatePathListFromIni(core::IniDocument& doc, const LoadOptions& options);
  LoadResult CreatePathListFromIni(core::IniDocument& doc) {
    return CreatePathListFromIni(doc, LoadOptions());
  }

  // Replaces section "PathMenu" of `doc` with the list. Function items,
  // current-folder items and placeholders are not written; hidden disabled
  // entries are. Does not touch the disk (see SavePathListToIniFile).
  void SavePathListFromMenuToIni(core::IniDocument& doc) const;

  // The tree, top level first. Others may edit it (add, remove, reorder),
  // taking tags from NewTag().
  const std::vector<JumpItem>& Items() const { return items_; }
  std::vector<JumpItem>& Items() { return items_; }

  // `PathByTag`: the path info of an entry or group; empty when unmapped.
  // Valid until the map changes.
  const std::u16string& PathByTag(int32_t tag) const;
  bool HasPathByTag(int32_t tag) const { return pathByTag_.count(tag) != 0; }
  void SetPathByTag(int32_t tag, std::u16string_view pathInfo);
  void ErasePathByTag(int32_t tag) { pathByTag_.erase(tag); }
  void ClearPathByTag() { pathByTag_.clear(); }
  const std::unordered_map<int32_t, std::u16string>& PathByTagMap() const { return pathByTag_; }

  // `ItemCounter`: the last tag given out. The editor's save renumbers and
  // sets it to its last tag.
  int32_t ItemCounter() const { return itemCounter_; }
  void SetItemCounter(int32_t value) { itemCounter_ = value; }
  int32_t NewTag();

  // Items with fresh tags, for the parts that add to the list.
  JumpItem NewEntry(std::u16string_view caption);
  JumpItem NewGroup(std::u16string_view caption);  // with its placeholder
  JumpItem NewSeparator();
  static JumpItem NewPlaceholder();

  // Searches the whole tree; nullptr when no item has this tag.
  JumpItem* FindByTag(int32_t tag);
  const JumpItem* FindByTag(int32_t tag) const;

 private:
  std::vector<JumpItem> items_;
  std::unordered_map<int32_t, std::u16string> pathByTag_;
  int32_t itemCounter_ = 0;
};

// Writes the list into `doc` and saves `doc` to `iniPath` safely (UTF-8 with
// byte-order mark). The file's read-only attribute is cleared first; when
// that fails nothing is written. On any failure the list and `doc` stay as
// they are, so the next save tries again.
core::FileStatus SavePathListToIniFile(const JumpList& list, core::IniDocument& doc,
                                       const std::u16string& iniPath);

}  // namespace pathorama::jumplist
