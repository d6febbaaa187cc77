#include "variables/index_list.h"

#include <algorithm>
#include <climits>

#include "core/regex.h"
#include "core/text.h"

namespace pathorama::variables {

std::u16string ExpandIndexList(long long count, std::u16string_view list) {
  static const core::Regex& item = core::Regex::Get(uR"(^(-?\d+)(-)?(-?\d+)?$)");
  std::u16string out;
  auto write = [&out](long long n) {
    if (!out.empty()) out += u',';
    out += core::IntToText(n);
  };
  for (const std::u16string& text : core::SplitText(list, u",")) {
    auto m = item.Search(text);
    if (!m) continue;
    std::optional<long long> first = core::ParseInt(m->Group(1));
    if (!first) continue;
    long long a = *first;
    if (!m->Matched(2)) {
      // "3-" and "3" differ only in the dash; a lone number is one index.
      bool counted = a < 0;
      if (counted) a += count + 1;
      if (a >= 0 && a <= count && !(counted && a == 0)) write(a);
      continue;
    }
    std::optional<long long> last = m->Matched(3) ? core::ParseInt(m->Group(3)) : LLONG_MAX;
    if (!last) continue;
    long long b = *last;
    // A negative end counts from the end; landing on 0 or below that way is
    // "before the first", which clamps to 1, never to a written 0.
    bool aCounted = a < 0, bCounted = b < 0;
    if (aCounted) a += count + 1;
    if (bCounted) b += count + 1;
    bool anyNonNegative = a >= 0 || b >= 0;
    bool overlaps = a <= count || b <= count;
    if (!anyNonNegative || !overlaps) continue;
    auto clamp = [count](long long x, bool counted) {
      if (x < 0 || (counted && x <= 0)) return 1LL;
      return std::min(x, count);
    };
    a = clamp(a, aCounted);
    b = clamp(b, bCounted);
    if (count < 1 && (a != 0 || b != 0)) {
      // Nothing to index but the 0 the list may name.
      if (a == 0 || b == 0) write(0);
      continue;
    }
    if (a <= b)
      for (long long n = a; n <= b; ++n) write(n);
    else
      for (long long n = a; n >= b; --n) write(n);
  }
  return out;
}

}  // namespace pathorama::variables
