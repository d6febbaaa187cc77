#include "variables/index_list.h"

#include <gtest/gtest.h>

namespace pathorama::variables {
namespace {

TEST(ExpandIndexList, WritesNumbersAndRangesAgainstACount) {
  struct Case {
    long long count;
    const char16_t* list;
    const char16_t* want;
  } cases[] = {
      {5, u"1,3", u"1,3"},
      {5, u"0", u"0"},
      {5, u"-1", u"5"},
      {5, u"-5", u"1"},
      {5, u"-6", u""},           // counts down to 0: not a named 0
      {5, u"6", u""},            // beyond the count
      {5, u"2-4", u"2,3,4"},
      {5, u"4-2", u"4,3,2"},     // downwards
      {5, u"3-", u"3,4,5"},      // open end runs to the count
      {5, u"0-2", u"0,1,2"},     // a 0 written as a range end stays
      {5, u"-2--1", u"4,5"},
      {5, u"-9-2", u"1,2"},      // a negative end below the first clamps to 1
      {5, u"2-99", u"2,3,4,5"},
      {5, u"7-9", u""},          // no overlap with 1..count
      {5, u"x,2,,1-a", u"2"},    // malformed items are skipped
      {7, u"5-2", u"5,4,3,2"},
      {3, u"1-99999999999999", u"1,2,3"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ExpandIndexList(c.count, c.list), c.want)
        << "list " << testing::PrintToString(std::u16string(c.list));
}

}  // namespace
}  // namespace pathorama::variables
