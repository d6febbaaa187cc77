#include "jumplist/jump_list.h"

#include <limits>
#include <utility>

#include "core/text.h"

namespace pathorama::jumplist {

namespace {

constexpr std::u16string_view kSection = u"PathMenu";
constexpr std::u16string_view kLegacySection = u"DirMenu";
constexpr std::u16string_view kBlanks = u" \t";

bool IsStored(const JumpItem& item) {
  switch (item.kind) {
    case JumpItemKind::kPlaceholder:
    case JumpItemKind::kFunction:
    case JumpItemKind::kCurrentFolder: return false;
    default: break;
  }
  return !core::StartsWithIgnoreCase(item.name, kCurrentFolderItemPrefix);
}

// Copies the legacy section, lines in their order, and erases it.
void MigrateLegacySection(core::IniDocument& doc) {
  std::vector<core::IniEntry> entries = doc.FindSection(kLegacySection)->Entries();
  doc.EraseSection(kLegacySection);
  core::IniSection& section = doc.Section(kSection);
  for (core::IniEntry& e : entries) section.Append(std::move(e));
}

class Writer {
 public:
  Writer(const JumpList& list, core::IniSection& section) : list_(list), section_(section) {}

  void Write(const JumpItem& item) {
    if (item.IsGroup()) {
      Line(u"menu", u"-" + item.caption);
      std::u16string path = list_.PathByTag(item.tag);
      // "<>" and the like are the editor's empty group markers, not path info.
      if (!core::TrimChars(path, u" \t<>").empty()) Line(u"path", path);
      for (const JumpItem& child : item.children)
        if (IsStored(child)) Write(child);
      Line(u"menu", u"--");
      return;
    }
    if (item.tag <= 0) return;  // not an item of the list
    Line(u"menu", item.caption);
    if (item.caption != u"-") Line(u"path", list_.PathByTag(item.tag));
  }

 private:
  // A menu line takes the next number, a path line the number above it.
  void Line(std::u16string_view kind, std::u16string_view value) {
    if (kind == u"menu") ++number_;
    section_.Append({std::u16string(kind) + core::IntToText(number_), std::u16string(value), true});
  }

  const JumpList& list_;
  core::IniSection& section_;
  long long number_ = 0;
};

template <typename Item>
Item* Find(std::vector<Item>& items, int32_t tag) {
  for (Item& item : items) {
    if (item.tag == tag && item.kind != JumpItemKind::kPlaceholder) return &item;
    if (Item* found = Find(item.children, tag)) return found;
  }
  return nullptr;
}

template <typename Item>
const Item* Find(const std::vector<Item>& items, int32_t tag) {
  for (const Item& item : items) {
    if (item.tag == tag && item.kind != JumpItemKind::kPlaceholder) return &item;
    if (const Item* found = Find(item.children, tag)) return found;
  }
  return nullptr;
}

}  // namespace

bool IsDisabledPathInfo(std::u16string_view pathInfo) {
  size_t first = pathInfo.find_first_not_of(kBlanks);
  return first != std::u16string_view::npos && pathInfo[first] == u'/';
}

int32_t JumpList::NewTag() {
  // Wraps to 1, never to a non-positive tag, which would not be stored.
  itemCounter_ = itemCounter_ == std::numeric_limits<int32_t>::max() || itemCounter_ < 0
                     ? 1
                     : itemCounter_ + 1;
  return itemCounter_;
}

JumpItem JumpList::NewEntry(std::u16string_view caption) {
  JumpItem item;
  item.kind = JumpItemKind::kEntry;
  item.caption = caption;
  item.tag = NewTag();
  return item;
}

JumpItem JumpList::NewGroup(std::u16string_view caption) {
  JumpItem item;
  item.kind = JumpItemKind::kGroup;
  item.caption = caption;
  item.tag = NewTag();
  item.clickable = true;
  item.children.push_back(NewPlaceholder());
  return item;
}

JumpItem JumpList::NewSeparator() {
  JumpItem item;
  item.kind = JumpItemKind::kSeparator;
  item.caption = u"-";
  item.tag = NewTag();
  return item;
}

JumpItem JumpList::NewPlaceholder() {
  JumpItem item;
  item.kind = JumpItemKind::kPlaceholder;
  item.visible = false;
  return item;
}

std::u16string JumpList::PathByTag(int32_t tag) const {
  auto it = pathByTag_.find(tag);
  return it == pathByTag_.end() ? std::u16string() : it->second;
}

void JumpList::SetPathByTag(int32_t tag, std::u16string_view pathInfo) {
  pathByTag_[tag].assign(pathInfo);
}

JumpItem* JumpList::FindByTag(int32_t tag) { return Find(items_, tag); }
const JumpItem* JumpList::FindByTag(int32_t tag) const { return Find(items_, tag); }

JumpList::LoadResult JumpList::CreatePathListFromIni(core::IniDocument& doc,
                                                     const LoadOptions& options) {
  LoadResult result = LoadResult::kLoaded;
  if (doc.HasSection(kLegacySection) && !doc.HasSection(kSection)) {
    MigrateLegacySection(doc);
    result = LoadResult::kMigrated;
  }
  const core::IniSection* section = doc.FindSection(kSection);
  if (!section) return LoadResult::kNoSection;

  std::vector<JumpItem> functionItems;
  for (JumpItem& item : items_)
    if (core::StartsWithIgnoreCase(item.name, kFunctionItemPrefix))
      functionItems.push_back(std::move(item));
  items_.clear();
  pathByTag_.clear();

  // The children lists of the open groups, innermost last. Only the
  // innermost one grows, so the pointers to the outer ones stay valid.
  std::vector<std::vector<JumpItem>*> open{&items_};
  // The item a path line may belong to: the one the line directly above made.
  JumpItem* pathTarget = nullptr;

  for (const core::IniEntry& entry : section->Entries()) {
    JumpItem* target = pathTarget;
    pathTarget = nullptr;
    if (!entry.hasValue) continue;

    if (core::StartsWithIgnoreCase(entry.key, u"menu")) {
      // The limit applies to captions, never to the structure around them:
      // applied to the whole line, a short limit would turn "--" or
      // "-Group" into an entry "..." and break the tree apart.
      const std::u16string& value = entry.value;
      std::u16string caption;
      if (value == u"-" || value == u"--")
        caption = value;
      else if (!value.empty() && value[0] == u'-')
        caption = u"-" + LimitJumpListItemCaptionLength(std::u16string_view(value).substr(1),
                                                        options.captionMaxLength);
      else
        caption = LimitJumpListItemCaptionLength(value, options.captionMaxLength);
      if (caption.empty()) continue;
      const int32_t tag = NewTag();
      if (caption == u"--") {
        if (open.size() > 1) open.pop_back();  // a stray "--" at the top level is ignored
        continue;
      }
      std::vector<JumpItem>& siblings = *open.back();
      JumpItem item;
      item.tag = tag;
      if (caption == u"-") {
        item.kind = JumpItemKind::kSeparator;
        item.caption = caption;
      } else if (caption[0] == u'-') {
        item.kind = JumpItemKind::kGroup;
        item.caption = caption.substr(1);
        item.clickable = true;
        item.children.push_back(NewPlaceholder());
      } else {
        item.kind = JumpItemKind::kEntry;
        item.caption = std::move(caption);
      }
      siblings.push_back(std::move(item));
      pathTarget = &siblings.back();
      if (pathTarget->IsGroup()) open.push_back(&pathTarget->children);
      continue;
    }

    if (target && core::StartsWithIgnoreCase(entry.key, u"path")) {
      SetPathByTag(target->tag, entry.value);
      if (target->kind != JumpItemKind::kSeparator) target->clickable = true;
      if (IsDisabledPathInfo(entry.value)) {
        target->enabled = false;
        if (options.hideItemWhenForbid) target->visible = false;
      }
    }
  }

  for (JumpItem& item : functionItems) items_.push_back(std::move(item));
  return result;
}

void JumpList::SavePathListFromMenuToIni(core::IniDocument& doc) const {
  doc.EraseSection(kSection);
  core::IniSection& section = doc.Section(kSection);
  Writer writer(*this, section);
  for (const JumpItem& item : items_)
    if (IsStored(item) && !core::StartsWithIgnoreCase(item.name, kFunctionItemPrefix))
      writer.Write(item);
}

core::FileStatus SavePathListToIniFile(const JumpList& list, core::IniDocument& doc,
                                       const std::u16string& iniPath) {
  core::FileStatus status = core::ClearReadOnly(iniPath);
  if (status != core::FileStatus::kOk) return status;
  list.SavePathListFromMenuToIni(doc);
  return core::SaveIniDocument(iniPath, doc);
}

}  // namespace pathorama::jumplist
