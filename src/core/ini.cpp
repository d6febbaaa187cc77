#include "core/ini.h"

#include "core/text.h"

namespace pathorama::core {

const IniEntry* IniSection::Find(std::u16string_view key) const {
  IndexNewEntries();
  auto it = index_.find(ToLower(key));
  return it == index_.end() ? nullptr : &entries_[it->second];
}

void IniSection::Set(std::u16string_view key, std::u16string_view value) {
  IndexNewEntries();
  auto it = index_.find(ToLower(key));
  if (it != index_.end()) {
    entries_[it->second].value.assign(value);
    return;
  }
  Append({std::u16string(key), std::u16string(value), true});
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
    if (entries_[indexed_].hasValue) index_.emplace(ToLower(entries_[indexed_].key), indexed_);
}

namespace {

std::u16string_view TrimBlanks(std::u16string_view text) {
  while (!text.empty() && (text.front() == u' ' || text.front() == u'\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == u' ' || text.back() == u'\t')) text.remove_suffix(1);
  return text;
}

size_t Find(std::u16string_view text, char16_t c) {
  for (size_t i = 0; i < text.size(); ++i)
    if (text[i] == c) return i;
  return std::u16string_view::npos;
}

}  // namespace

IniDocument IniDocument::Parse(std::u16string_view text) {
  IniDocument doc;
  if (!text.empty() && text[0] == 0xFEFF) text.remove_prefix(1);
  IniSection* current = nullptr;
  size_t pos = 0;
  while (pos <= text.size()) {
    // A plain loop: find_first_of over UTF-16 tests each character against
    // the set one call at a time, most of a parse.
    size_t end = pos;
    while (end < text.size() && text[end] != u'\r' && text[end] != u'\n') ++end;
    // Views of the text until an entry is stored: only its key and value
    // are copied.
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
        current->Append({std::u16string(line), std::u16string(), false});
      else
        current->Append({std::u16string(TrimBlanks(line.substr(0, eq))),
                         std::u16string(line.substr(eq + 1)), true});
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
    for (const IniEntry& e : section.Entries()) size += e.key.size() + e.value.size() + 3;
  }
  std::u16string out;
  out.reserve(size);
  for (size_t s = 0; s < sections_.size(); ++s) {
    if (s) out += u"\r\n";
    out += u'[';
    out += sections_[s].Name();
    out += u"]\r\n";
    for (const IniEntry& e : sections_[s].Entries()) {
      out += e.key;
      if (e.hasValue) {
        out += u'=';
        out += e.value;
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
  return e->value;
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
