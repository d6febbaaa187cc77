// Accelerator keys of jump-list captions: an ampersand before a character,
// which the menu underlines and which chooses the entry by keyboard. The
// program writes them as "[&" + a letter or digit + "]" at the end of the
// caption ("Docs[&D]", a group head "-Work[&W]"); an automatic key is the
// first ASCII letter of the caption, or else the pinyin initial of its first
// Chinese character.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace pathorama::editor {

// Flag bits of PinyinInitials.
enum PinyinFlags : unsigned {
  kPinyinInitials = 0,
  // Whole syllables (at most 6 letters each) instead of initials.
  kPinyinFullSyllables = 1u << 0,
  // A double-byte code without a reading gives "?" instead of nothing.
  kPinyinMarkUnknown = 1u << 1,
  // Every single-byte character is kept, not only ASCII letters and digits.
  kPinyinKeepAllSingleBytes = 1u << 2,
};

// The upper-case pinyin initials (or syllables) of `text`, read through its
// GBK bytes: ASCII letters and digits as they are, full-width ones as their
// ASCII twins, Greek letters as their Latin transliteration, numbered
// symbols (circled, in parentheses, Roman numerals) as their number.
// A character outside GBK gives nothing. Cut to `maxLength` units.
std::u16string PinyinInitials(std::u16string_view text, unsigned flags, size_t maxLength);
// The same over GBK bytes. A byte below 0x81, a last byte, or a byte
// followed by one below 0x40 is a single-byte character; codes outside the
// tables (a trail of 0xFF, a lead of 0xFF) have no reading.
std::u16string PinyinInitialsOfGbk(std::string_view bytes, unsigned flags, size_t maxLength);

// True when the caption holds an accelerator: an optional "(" or "[", "&",
// any character, an optional ")" or "]". ("&&" counts, as it always has.)
bool HasAcceleratorKey(std::u16string_view caption);

// The key AddAcceleratorKey appends to a caption without an accelerator,
// in upper case: the first ASCII letter anywhere in it, else the initial of
// its first Chinese character ("?" when GBK holds the character but no
// reading is known); empty when there is neither. Digits are never chosen,
// also not for a numbered symbol that counts as Chinese ("㈩").
std::u16string ChooseAcceleratorKey(std::u16string_view caption);

// caption + "[&" + key + "]" for a caption without an accelerator that has
// a key; otherwise the caption unchanged.
std::u16string AddAcceleratorKey(std::u16string_view caption);

// Removes every accelerator from a caption without deleting its text:
// "(&X)" and "[&X]" go whole, a bare "&X" (or one with a single or unmatched
// bracket) loses only its ampersand, so "R&D" becomes "RD"; "&&", the
// menu's written ampersand, stays.
std::u16string RemoveAcceleratorKeys(std::u16string_view caption);

// What a node's text may become by an edit of its accelerator: `edited`
// when it is the same kind of node as `original` (group head, end marker,
// separator or normal item, told by the text trimmed of spaces) and a group
// head or normal item keeps a caption; otherwise `original`. So no edit
// empties a caption or turns "-[&W]" into the separator "-".
std::u16string KeepNodeKind(std::u16string_view original, std::u16string_view edited);

// RemoveAcceleratorKeys on a node's text, under KeepNodeKind.
std::u16string RemoveNodeAcceleratorKeys(std::u16string_view nodeText);

}  // namespace pathorama::editor
