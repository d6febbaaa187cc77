#include "core/ini.h"

#include "core/text.h"

namespace pathorama::core {

const IniEntry* IniSection::Find(std::u16string_view key) const {
  auto it = index_.find(ToLower(key));
  return it == index_.end() ? nullptr : &entries_[it->second];
}

void IniSection::Set(std::u16string_view key, std::u16string_view value) {
  auto it = index_.find(ToLower(key));
  if (it != index_.end()) {
    entries_[it->second].value.assign(value);
    return;
  }
  Append({std::u16string(key), std::u16string(value), true});
}

void IniSection::Append(IniEntry entry) {
  if (entry.hasValue) index_.emplace(ToLower(entry.key), entries_.size());
  entries_.push_back(std::move(entry));
}

bool IniSection::Erase(std::u16string_view key) {
  auto it = index_.find(ToLower(key));
  if (it == index_.end()) return false;
  entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(it->second));
  Reindex();
  return true;
}

void IniSection::Clear() {
  entries_.clear();
  index_.clear();
}

void IniSection::Reindex() {
  index_.clear();
  for (size_t i = 0; i < entries_.size(); ++i)
    if (entries_[i].hasValue) index_.emplace(ToLower(entries_[i].key), i);
}

IniDocument IniDocument::Parse(std::u16string_view text) {
  IniDocument doc;
  if (!text.empty() && text[0] == 0xFEFF) text.remove_prefix(1);
  IniSection* current = nullptr;
  size_t pos = 0;
  while (pos <= text.size()) {
    size_t end = text.find_first_of(u"\r\n", pos);
    if (end == std::u16string_view::npos) end = text.size();
    std::u16string line = TrimChars(text.substr(pos, end - pos), u" \t");
    pos = end + 1;
    if (end < text.size() && text[end] == u'\r' && pos < text.size() && text[pos] == u'\n') ++pos;
    if (line.empty()) {
      if (end >= text.size()) break;
      continue;
    }
    if (line.front() == u'[' && line.back() == u']' && line.size() >= 2) {
      std::u16string name = TrimChars(std::u16string_view(line).substr(1, line.size() - 2), u" \t");
      current = &doc.Section(name);
      continue;
    }
    if (current) {
      size_t eq = line.find(u'=');
      if (eq == std::u16string::npos)
        current->Append({line, u"", false});
      else
        current->Append({TrimChars(std::u16string_view(line).substr(0, eq), u" \t"),
                         line.substr(eq + 1), true});
    }
    if (end >= text.size()) break;
  }
  return doc;
}

std::u16string IniDocument::Serialize() const {
  std::u16string out;
  for (size_t s = 0; s < sections_.size(); ++s) {
    if (s) out += u"\r\n";
    out += u"[" + sections_[s].Name() + u"]\r\n";
    for (const IniEntry& e : sections_[s].Entries()) {
      out += e.key;
      if (e.hasValue) out += u"=" + e.value;
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
