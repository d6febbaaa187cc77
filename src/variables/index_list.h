// Writes out a list of indexes such as "1,3-5,-1" against a count: shared by
// the weekday filters of the date lists and the section lists of the
// restructuring step.
#pragma once

#include <string>
#include <string_view>

namespace pathorama::variables {

// Items are separated by ","; an item is "n" or "a-b" ("a-" runs to the
// end); negative numbers count from the end (-1 is `count`). Numbers outside
// 0..count are dropped, a range is clamped when it overlaps 0..count and
// runs downwards when b < a. A 0 appears only where the list names 0 itself.
// The result is the numbers joined with ",".
std::u16string ExpandIndexList(long long count, std::u16string_view list);

}  // namespace pathorama::variables
