// An INI document held in memory: sections and keys in file order, names
// compared without regard to case, values as text. Lines that are not
// "key=value" (a stray word, a comment) are kept so a rewrite loses nothing.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace pathorama::core {

// One line of a section. A parsed line views the document's decoded text,
// so a load makes no allocation per line; a written line, and any copy, owns
// its key and value in one block of its own. Moving keeps what it views.
class IniEntry {
 public:
  IniEntry(std::u16string_view key, std::u16string_view value, bool hasValue = true) {
    Own(key, value, hasValue);
  }
  // A line without "=", kept verbatim.
  static IniEntry Verbatim(std::u16string_view line) { return IniEntry(line, {}, false); }
  // Views `key` and `value`: whatever holds them must outlive the entry.
  static IniEntry Viewing(std::u16string_view key, std::u16string_view value, bool hasValue);

  IniEntry(const IniEntry& other) { Own(other.key_, other.value_, other.hasValue_); }
  IniEntry& operator=(const IniEntry& other);
  IniEntry(IniEntry&&) noexcept = default;
  IniEntry& operator=(IniEntry&&) noexcept = default;

  std::u16string_view Key() const { return key_; }
  std::u16string_view Value() const { return value_; }
  bool HasValue() const { return hasValue_; }  // false for a line without "="
  void SetValue(std::u16string_view value) { Own(key_, value, true); }

 private:
  IniEntry() = default;
  void Own(std::u16string_view key, std::u16string_view value, bool hasValue);
  std::u16string_view key_;
  std::u16string_view value_;
  std::unique_ptr<char16_t[]> owned_;  // key then value, when not viewing
  bool hasValue_ = true;
};

class IniSection {
 public:
  explicit IniSection(std::u16string name) : name_(std::move(name)) {}
  const std::u16string& Name() const { return name_; }
  const std::vector<IniEntry>& Entries() const { return entries_; }
  // First entry with this key (a line with "="), or nullptr.
  const IniEntry* Find(std::u16string_view key) const;
  void Set(std::u16string_view key, std::u16string_view value);  // replace or append
  void Append(IniEntry entry);  // no look-up: keeps duplicates, for fast bulk writes
  void Reserve(size_t entries) { entries_.reserve(entries); }
  bool Erase(std::u16string_view key);
  // Every line goes; the section keeps its place in the document.
  void Clear();

 private:
  // Brings the index up to the last entry. Appending leaves it behind, so a
  // load or a bulk write builds it once, at the first look-up, if ever.
  void IndexNewEntries() const;
  std::u16string name_;
  std::vector<IniEntry> entries_;
  mutable std::unordered_map<std::u16string, size_t> index_;  // lowercased key -> first entry
  mutable size_t indexed_ = 0;                                  // entries the index covers
};

class IniDocument {
 public:
  // Never fails: a line outside any section is dropped, anything else kept.
  // The document keeps `text`; its entries view it until they are written.
  static IniDocument Parse(std::u16string text);
  // CRLF line ends, a blank line between sections.
  std::u16string Serialize() const;

  bool HasSection(std::u16string_view name) const { return FindSection(name) != nullptr; }
  const IniSection* FindSection(std::u16string_view name) const;
  IniSection& Section(std::u16string_view name);  // created at the end when missing
  const std::vector<IniSection>& Sections() const { return sections_; }
  void EraseSection(std::u16string_view name);

  std::optional<std::u16string> Read(std::u16string_view section, std::u16string_view key) const;
  std::u16string ReadString(std::u16string_view section, std::u16string_view key,
                            std::u16string_view fallback) const;
  void Write(std::u16string_view section, std::u16string_view key, std::u16string_view value);
  void DeleteKey(std::u16string_view section, std::u16string_view key);

 private:
  IniSection* FindSectionMutable(std::u16string_view name);
  // The parsed text, shared by copies of the document; on the heap, so that
  // moving the document keeps the entries' views valid.
  std::shared_ptr<const std::u16string> text_;
  std::vector<IniSection> sections_;
};

}  // namespace pathorama::core
