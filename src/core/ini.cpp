#include "core/ini.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "core/text.h"

namespace pathorama::core {

IniEntry IniEntry::Viewing(std::u16string_view key, std::u16string_view value, bool hasValue) {
  IniEntry entry;
  entry.key_ = key;
  entry.value_ = value;
  entry.hasValue_ = hasValue;
  return entry;
}

IniEntry& IniEntry::operator=(const IniEntry& other) {
  if (this != &other) Own(other.key_, other.value_, other.hasValue_);
  return *this;
}

void IniEntry::Own(std::u16string_view key, std::u16string_view value, bool hasValue) {
  // Copied before the old block goes: `key` or `value` may be in it.
  std::unique_ptr<char16_t[]> block;
  if (!key.empty() || !value.empty()) {
    block.reset(new char16_t[key.size() + value.size()]);
    std::copy(key.begin(), key.end(), block.get());
    std::copy(value.begin(), value.end(), block.get() + key.size());
  }
  key_ = std::u16string_view(block.get(), key.size());
  value_ = std::u16string_view(block.get() + key.size(), value.size());
  owned_ = std::move(block);
  hasValue_ = hasValue;
}

const IniEntry* IniSection::Find(std::u16string_view key) const {
  IndexNewEntries();
  auto it = index_.find(ToLower(key));
  return it == index_.end() ? nullptr : &entries_[it->second];
}

void IniSection::Set(std::u16string_view key, std::u16string_view value) {
  IndexNewEntries();
  auto it = index_.find(ToLower(key));
  if (it != index_.end()) {
    entries_[it->second].SetValue(value);
    return;
  }
  Append(IniEntry(key, value));
}

void IniSection::Append(IniEntry entry) { entries_.push_back(std::move(entry)); }

bool IniSection::Erase(std::u16string_view key) {
  IndexNewEntries();
  auto it = index_.find(ToLower(key));
  if (it == index_.end()) return false;
  entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(it->second));
  // The positions after it moved: indexed again at the next look-up.
  index_.clear();
  indexed_ = 0;
  return true;
}

void IniSection::Clear() {
  entries_.clear();
  index_.clear();
  indexed_ = 0;
}

void IniSection::IndexNewEntries() const {
  // The first entry of a key wins, as it did when it was appended.
  for (; indexed_ < entries_.size(); ++indexed_)
    if (entries_[indexed_].HasValue()) index_.emplace(ToLower(entries_[indexed_].Key()), indexed_);
}

namespace {

std::u16string_view TrimBlanks(std::u16string_view text) {
  while (!text.empty() && (text.front() == u' ' || text.front() == u'\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == u' ' || text.back() == u'\t')) text.remove_suffix(1);
  return text;
}

// Where the line from `from` ends: the first "\r" or "\n", or the end.
// Most of a parse is this search. Four units are tested at a time, for any
// unit below "\x0E" (the bit trick is exact for 16-bit lanes), and only a
// block that has one is looked at unit by unit.
size_t LineEnd(std::u16string_view text, size_t from) {
  constexpr uint64_t kOnes = 0x0001000100010001ULL;
  constexpr uint64_t kHighs = 0x8000800080008000ULL;
  size_t i = from;
  while (i < text.size()) {
    if (i + 4 <= text.size()) {
      uint64_t block;
      std::memcpy(&block, text.data() + i, sizeof block);
      if (((block - kOnes * 0x0E) & ~block & kHighs) == 0) {
        i += 4;
        continue;
      }
    }
    for (const size_t stop = std::min(i + 4, text.size()); i < stop; ++i)
      if (text[i] == u'\r' || text[i] == u'\n') return i;
  }
  return text.size();
}

size_t Find(std::u16string_view text, char16_t c) {
  for (size_t i = 0; i < text.size(); ++i)
    if (text[i] == c) return i;
  return std::u16string_view::npos;
}

}  // namespace

IniDocument IniDocument::Parse(std::u16string decoded) {
  IniDocument doc;
  doc.text_ = std::make_shared<const std::u16string>(std::move(decoded));
  std::u16string_view text = *doc.text_;
  if (!text.empty() && text[0] == 0xFEFF) text.remove_prefix(1);
  IniSection* current = nullptr;
  size_t pos = 0;
  while (pos <= text.size()) {
    const size_t end = LineEnd(text, pos);
    const std::u16string_view line = TrimBlanks(text.substr(pos, end - pos));
    pos = end + 1;
    if (end < text.size() && text[end] == u'\r' && pos < text.size() && text[pos] == u'\n') ++pos;
    if (line.empty()) {
      if (end >= text.size()) break;
      continue;
    }
    if (line.front() == u'[' && line.back() == u']' && line.size() >= 2) {
      current = &doc.Section(TrimBlanks(line.substr(1, line.size() - 2)));
      continue;
    }
    if (current) {
      const size_t eq = Find(line, u'=');
      if (eq == std::u16string_view::npos)
        current->Append(IniEntry::Viewing(line, {}, false));
      else
        current->Append(
            IniEntry::Viewing(TrimBlanks(line.substr(0, eq)), line.substr(eq + 1), true));
    }
    if (end >= text.size()) break;
  }
  return doc;
}

std::u16string IniDocument::Serialize() const {
  // Sized first, then written in place: one allocation for the whole file.
  size_t size = 0;
  for (const IniSection& section : sections_) {
    size += section.Name().size() + 6;
    for (const IniEntry& e : section.Entries()) size += e.Key().size() + e.Value().size() + 3;
  }
  std::u16string out;
  out.reserve(size);
  for (size_t s = 0; s < sections_.size(); ++s) {
    if (s) out += u"\r\n";
    out += u'[';
    out += sections_[s].Name();
    out += u"]\r\n";
    for (const IniEntry& e : sections_[s].Entries()) {
      out += e.Key();
      if (e.HasValue()) {
        out += u'=';
        out += e.Value();
      }
      out += u"\r\n";
    }
  }
  return out;
}

const IniSection* IniDocument::FindSection(std::u16string_view name) const {
  for (const IniSection& s : sections_)
    if (EqualsIgnoreCase(s.Name(), name)) return &s;
  return nullptr;
}

IniSection* IniDocument::FindSectionMutable(std::u16string_view name) {
  for (IniSection& s : sections_)
    if (EqualsIgnoreCase(s.Name(), name)) return &s;
  return nullptr;
}

IniSection& IniDocument::Section(std::u16string_view name) {
  if (IniSection* s = FindSectionMutable(name)) return *s;
  sections_.emplace_back(std::u16string(name));
  return sections_.back();
}

void IniDocument::EraseSection(std::u16string_view name) {
  for (auto it = sections_.begin(); it != sections_.end(); ++it) {
    if (EqualsIgnoreCase(it->Name(), name)) {
      sections_.erase(it);
      return;
    }
  }
}

std::optional<std::u16string> IniDocument::Read(std::u16string_view section,
                                                std::u16string_view key) const {
  const IniSection* s = FindSection(section);
  const IniEntry* e = s ? s->Find(key) : nullptr;
  if (!e) return std::nullopt;
  return std::u16string(e->Value());
}

std::u16string IniDocument::ReadString(std::u16string_view section, std::u16string_view key,
                                       std::u16string_view fallback) const {
  auto v = Read(section, key);
  return v ? *v : std::u16string(fallback);
}

void IniDocument::Write(std::u16string_view section, std::u16string_view key,
                        std::u16string_view value) {
  Section(section).Set(key, value);
}

void IniDocument::DeleteKey(std::u16string_view section, std::u16string_view key) {
  if (IniSection* s = FindSectionMutable(section)) s->Erase(key);
}

}  // namespace pathorama::core
