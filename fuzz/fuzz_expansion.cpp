// ExpandPathVariables on arbitrary UTF-16 (the bytes read as UTF-16LE), with
// a fixed clock (2026-12-10 12:34:56), a random source seeded with 1 and the
// default options.
//
// Invariants:
//  - no crash, out-of-bounds access or undefined behaviour (the sanitizers);
//  - expansion is a function of its inputs: the same text in two fresh,
//    identical environments gives the same result, even with another text
//    expanded in between (no state leaks from one expansion to the next);
//  - a text without "{" holds no variable: the result is its pieces with
//    leading blanks and "*" marks removed and empty pieces dropped;
//  - a lone surrogate outside the braces is a character like any other: the
//    result is the same as with U+FFFD in its place.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/text.h"
#include "fuzz_support.h"
#include "variables/clocks.h"
#include "variables/numbering.h"
#include "variables/variable_environment.h"
#include "variables/variable_expansion.h"

namespace pathorama::fuzz {
namespace {

using namespace variables;

struct Environment {
  FixedClock clock{LocalDateTime{2026, 12, 10, 12, 34, 56, 0}};
  SeededRandom random{1};
  VariableOptions options;
  VariableEnvironment env{&clock, &random, &options};
};

std::u16string Expand(std::u16string_view text) {
  Environment environment;
  return ExpandPathVariables(text, environment.env);
}

// What a text without variables becomes, written out independently of the
// expansion driver.
std::u16string WithoutVariables(std::u16string_view text) {
  std::u16string out;
  for (const std::u16string& piece : core::SplitText(text, u"|")) {
    size_t first = piece.find_first_not_of(u" *");
    if (first == std::u16string::npos) continue;
    if (!out.empty()) out += u'|';
    out.append(piece, first);
  }
  return out;
}

// True when a lone surrogate stands between the first "{" and the last "}":
// there it may be part of a user's pattern, which does not compile with it
// (but does with U+FFFD in its place).
bool LoneSurrogateInBraces(std::u16string_view text) {
  size_t open = text.find(u'{');
  size_t close = text.rfind(u'}');
  if (open == std::u16string_view::npos || close == std::u16string_view::npos || close < open)
    return false;
  return HasLoneSurrogate(text.substr(open, close - open));
}

}  // namespace
}  // namespace pathorama::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace pathorama::fuzz;
  const std::u16string text = Utf16FromBytes(data, size);
  auto context = [&text] { return "text \"" + Printable(text) + "\""; };

  const std::u16string first = Expand(text);
  // Something else in between: the text backwards, which has its own
  // variables (or none) and its own layers.
  std::u16string reversed(text.rbegin(), text.rend());
  Expand(reversed);
  const std::u16string second = Expand(text);
  if (first != second) ExpectEqual("expansion is deterministic", first, second, context());

  if (text.find(u'{') == std::u16string::npos && first != WithoutVariables(text))
    ExpectEqual("a text without braces keeps its pieces", WithoutVariables(text), first, context());

  if (LoneSurrogatesOfOneKind(text) && !LoneSurrogateInBraces(text)) {
    const std::u16string replaced = Expand(WithoutLoneSurrogates(text));
    const std::u16string expected = WithoutLoneSurrogates(first);
    if (replaced != expected)
      ExpectEqual("a lone surrogate is a character like any other", expected, replaced, context());
  }
  return 0;
}
