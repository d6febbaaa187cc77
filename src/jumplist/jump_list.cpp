#include "jumplist/jump_list.h"

#include <algorithm>
#include <limits>
#include <type_traits>
#include <utility>

#include "core/text.h"
#include "paths/path_info.h"

namespace pathorama::jumplist {

namespace {

constexpr std::u16string_view kSection = u"PathMenu";
constexpr std::u16string_view kLegacySection = u"DirMenu";

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

// Writes the stored items of the tree in menu order: a group's lines, its
// children, then its closing "--". Works through a stack of open groups
// rather than recursing, so any depth that was loaded can be saved.
class Writer {
 public:
  Writer(const JumpList& list, core::IniSection& section) : list_(list), section_(section) {}

  void WriteTopLevel(const std::vector<JumpItem>& items) {
    struct Frame {
      const std::vector<JumpItem>* items;
      size_t next;
    };
    std::vector<Frame> open{{&items, 0}};
    while (!open.empty()) {
      Frame& frame = open.back();
      if (frame.next == frame.items->size()) {
        open.pop_back();
        if (!open.empty()) Line(u"menu", u"--");  // the top level has no closing line
        continue;
      }
      const JumpItem& item = (*frame.items)[frame.next++];
      if (!IsStored(item)) continue;
      if (open.size() == 1 && core::StartsWithIgnoreCase(item.name, kFunctionItemPrefix)) continue;
      if (item.IsGroup()) {
        groupLine_.assign(u"-").append(item.caption);
        Line(u"menu", groupLine_);
        const std::u16string& path = list_.PathByTag(item.tag);
        // "<>" and the like are the editor's empty group markers, not path info.
        if (!core::TrimChars(path, u" \t<>").empty()) Line(u"path", path);
        open.push_back({&item.children, 0});  // `frame` is not used after this
        continue;
      }
      if (item.tag <= 0) continue;  // not an item of the list
      Line(u"menu", item.caption);
      if (item.caption != u"-") Line(u"path", list_.PathByTag(item.tag));
    }
  }

 private:
  // A menu line takes the next number, a path line the number above it.
  void Line(std::u16string_view kind, std::u16string_view value) {
    if (kind == u"menu") ++number_;
    key_.assign(kind).append(core::IntToText(number_));
    section_.Append(core::IniEntry(key_, value));
  }

  const JumpList& list_;
  core::IniSection& section_;
  long long number_ = 0;
  std::u16string key_;        // reused: a line's own copy is made by its entry
  std::u16string groupLine_;
};

// The first item in menu order with this tag (placeholders never match),
// searched with an explicit stack. `Items` is std::vector<JumpItem>, const or
// not.
template <typename Items>
auto Find(Items& items, int32_t tag) -> decltype(&items[0]) {
  std::vector<std::pair<Items*, size_t>> open{{&items, 0}};
  while (!open.empty()) {
    auto& [siblings, next] = open.back();
    if (next == siblings->size()) {
      open.pop_back();
      continue;
    }
    auto& item = (*siblings)[next++];
    if (item.tag == tag && item.kind != JumpItemKind::kPlaceholder) return &item;
    if (!item.children.empty()) open.push_back({&item.children, 0});
  }
  return nullptr;
}

}  // namespace

static_assert(std::is_nothrow_move_constructible_v<JumpItem>,
              "vectors of items must move them, not copy them, when they grow");

JumpItem::JumpItem(const JumpItem& other) : JumpItemFields(other) {
  // Through a list of pending (source, copy) pairs. The copies' addresses
  // stay valid: a children vector is filled completely before its elements
  // are queued, and only the vectors below them grow after that.
  std::vector<std::pair<const JumpItem*, JumpItem*>> pending{{&other, this}};
  while (!pending.empty()) {
    auto [from, to] = pending.back();
    pending.pop_back();
    to->children.reserve(from->children.size());
    for (const JumpItem& child : from->children) {
      JumpItem shallow;
      static_cast<JumpItemFields&>(shallow) = child;
      to->children.push_back(std::move(shallow));
    }
    for (size_t i = 0; i < from->children.size(); ++i)
      pending.push_back({&from->children[i], &to->children[i]});
  }
}

JumpItem& JumpItem::operator=(const JumpItem& other) {
  if (this != &other) *this = JumpItem(other);
  return *this;
}

JumpItem::~JumpItem() {
  // Children without children of their own go with the vector: one level,
  // which is most groups. Deeper trees have every descendant moved into one
  // flat list before it is destroyed, so each destructor below sees no
  // children and the depth of the tree never reaches the machine stack.
  if (std::none_of(children.begin(), children.end(),
                   [](const JumpItem& child) { return !child.children.empty(); }))
    return;
  std::vector<JumpItem> pending = std::move(children);
  while (!pending.empty()) {
    std::vector<JumpItem> grandchildren = std::move(pending.back().children);
    pending.pop_back();
    for (JumpItem& item : grandchildren) pending.push_back(std::move(item));
  }
}

void ForEachItem(const std::vector<JumpItem>& items,
                 const std::function<void(const JumpItem& item, size_t depth)>& visit) {
  std::vector<std::pair<const std::vector<JumpItem>*, size_t>> open{{&items, 0}};
  while (!open.empty()) {
    auto& [siblings, next] = open.back();
    if (next == siblings->size()) {
      open.pop_back();
      continue;
    }
    const JumpItem& item = (*siblings)[next++];
    visit(item, open.size() - 1);
    if (!item.children.empty()) open.push_back({&item.children, 0});
  }
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

const std::u16string& JumpList::PathByTag(int32_t tag) const {
  static const std::u16string kUnmapped;
  auto it = pathByTag_.find(tag);
  return it == pathByTag_.end() ? kUnmapped : it->second;
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
  // About one path line in two: the table is not rehashed while it fills.
  pathByTag_.reserve(section->Entries().size() / 2);

  // The children lists of the open groups, innermost last. Only the
  // innermost one grows, so the pointers to the outer ones stay valid.
  std::vector<std::vector<JumpItem>*> open{&items_};
  // The item a path line may belong to: the one the line directly above made.
  JumpItem* pathTarget = nullptr;

  for (const core::IniEntry& entry : section->Entries()) {
    JumpItem* target = pathTarget;
    pathTarget = nullptr;
    if (!entry.HasValue()) continue;

    if (core::StartsWithIgnoreCase(entry.Key(), u"menu")) {
      // The limit applies to captions, never to the structure around them:
      // applied to the whole line, a short limit would turn "--" or
      // "-Group" into an entry "..." and break the tree apart.
      const std::u16string_view value = entry.Value();
      // A group's caption is what follows its "-", limited on its own;
      // the line as a whole is then "-" followed by `caption`.
      bool group = value.size() > 1 && value[0] == u'-' && value != u"--";
      std::u16string caption =
          value == u"-" || value == u"--"
              ? std::u16string(value)
              : LimitJumpListItemCaptionLength(group ? value.substr(1) : value,
                                               options.captionMaxLength);
      if (group && (caption.empty() || caption == u"-")) {
        caption.insert(0, 1, u'-');  // limited down to a separator or an end line
        group = false;
      }
      if (caption.empty()) continue;
      const int32_t tag = NewTag();
      if (!group && caption == u"--") {
        if (open.size() > 1) open.pop_back();  // a stray "--" at the top level is ignored
        continue;
      }
      JumpItem& item = open.back()->emplace_back();
      item.tag = tag;
      if (!group && caption == u"-") {
        item.kind = JumpItemKind::kSeparator;
        item.caption = caption;
      } else if (group || caption[0] == u'-') {
        item.kind = JumpItemKind::kGroup;
        item.caption = group ? std::move(caption) : caption.substr(1);
        item.clickable = true;
        item.children.push_back(NewPlaceholder());
      } else {
        item.kind = JumpItemKind::kEntry;
        item.caption = std::move(caption);
      }
      pathTarget = &item;
      if (pathTarget->IsGroup()) open.push_back(&pathTarget->children);
      continue;
    }

    if (target && core::StartsWithIgnoreCase(entry.Key(), u"path")) {
      SetPathByTag(target->tag, entry.Value());
      if (target->kind != JumpItemKind::kSeparator) target->clickable = true;
      // The same mark the editor shows and toggles, so what the menu greys
      // out the editor can enable again.
      if (paths::IsPathInfoDisabled(entry.Value())) {
        target->enabled = false;
        if (options.hideDisabledItems) target->visible = false;
      }
    }
  }

  for (JumpItem& item : functionItems) items_.push_back(std::move(item));
  return result;
}

void JumpList::SavePathListFromMenuToIni(core::IniDocument& doc) const {
  // Rewritten where it stands, so that saving a saved file changes nothing.
  core::IniSection& section = doc.Section(kSection);
  section.Clear();
  Writer(*this, section).WriteTopLevel(items_);
}

core::FileStatus SavePathListToIniFile(const JumpList& list, core::IniDocument& doc,
                                       const std::u16string& iniPath) {
  core::FileStatus status = core::ClearReadOnly(iniPath);
  if (status != core::FileStatus::kOk) return status;
  list.SavePathListFromMenuToIni(doc);
  return core::SaveIniDocument(iniPath, doc);
}

}  // namespace pathorama::jumplist
