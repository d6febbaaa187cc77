// Accelerator keys of captions and the GBK byte walk of the pinyin initials,
// from arbitrary bytes. The first byte picks the flags and the max length of
// the walk over the rest; the rest, read as UTF-16LE, is also a caption.
//
// Invariants:
//  - the initials never exceed the max length; without the flag that keeps
//    every single byte they hold only A-Z, 0-9, and "?" where the flag that
//    marks codes without reading is set;
//  - AddAcceleratorKey leaves a caption as it is or appends "[&K]" (K an
//    upper-case letter or "?") to a caption that had no accelerator, and
//    the result then has one;
//  - removal never lengthens a caption, leaves a caption without "&" as it
//    is, and a node's removal either keeps its text or gives the caption's
//    removal without emptying it or changing what the node is.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/text.h"
#include "editor/accelerator_keys.h"
#include "fuzz_support.h"

namespace pathorama::fuzz {
namespace {

char Kind(std::u16string_view text) {
  std::u16string t = core::TrimChars(text, u" ");
  if (t == u"-") return 's';
  if (t == u"--") return 'e';
  if (!t.empty() && t[0] == u'-') return 'g';
  return 'n';
}

bool IsUpperOrDigit(char16_t c) { return (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9'); }

}  // namespace
}  // namespace pathorama::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace pathorama;
  using namespace pathorama::fuzz;
  if (size == 0) return 0;
  const unsigned flags = data[0] & 7u;
  const size_t maxLength = data[0] >> 3;
  const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);

  const std::u16string initials = editor::PinyinInitialsOfGbk(bytes, flags, maxLength);
  if (initials.size() > maxLength)
    Fail("the initials are cut to the max length", Printable(initials));
  if (!(flags & editor::kPinyinKeepAllSingleBytes))
    for (char16_t c : initials)
      if (!IsUpperOrDigit(c) && !(c == u'?' && (flags & editor::kPinyinMarkUnknown)))
        Fail("initials are upper-case letters and digits", Printable(initials));

  const std::u16string caption = Utf16FromBytes(data + 1, size - 1);
  const std::u16string added = editor::AddAcceleratorKey(caption);
  if (added != caption) {
    const bool appended = !editor::HasAcceleratorKey(caption) && added.size() == caption.size() + 4 &&
                          added.compare(0, caption.size(), caption) == 0 &&
                          added.compare(caption.size(), 2, u"[&") == 0 && added.back() == u']' &&
                          (IsUpperOrDigit(added[caption.size() + 2]) || added[caption.size() + 2] == u'?');
    if (!appended) Fail("a key is appended as [&K] to a caption without one", Printable(added));
    if (!editor::HasAcceleratorKey(added)) Fail("an added key is an accelerator", Printable(added));
  }

  const std::u16string removed = editor::RemoveAcceleratorKeys(caption);
  if (removed.size() > caption.size()) Fail("removal never lengthens", Printable(caption));
  if (caption.find(u'&') == std::u16string::npos && removed != caption)
    Fail("a caption without & stays", Printable(caption));

  const std::u16string node = editor::RemoveNodeAcceleratorKeys(caption);
  if (node != caption) {
    if (node != removed) Fail("a node's removal is the caption's", Printable(caption));
    if (Kind(node) != Kind(caption)) Fail("removal keeps the node's kind", Printable(caption));
    std::u16string t = core::TrimChars(node, u" ");
    if (t.empty() || (Kind(node) == 'g' && core::TrimChars(t.substr(1), u" ").empty()))
      Fail("removal leaves a caption", Printable(caption));
  }
  return 0;
}
