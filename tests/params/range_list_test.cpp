// Range lists: numbers and lo:hi ranges, both ends inclusive.
#include "params/range_list.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

using Set = std::set<int32_t>;

// Which of the probe numbers the list contains.
Set Contained(const char* list) {
  Set in;
  for (int32_t n : {-6, -5, -3, -1, 0, 1, 3, 5, 6, 7, 9, 10, 15, 20, 21, 2100000000, 2100000001})
    if (InRangeList(list, n)) in.insert(n);
  return in;
}

TEST(InRangeList, NumbersAndRanges) {
  EXPECT_EQ(Contained("").size(), 17u);
  EXPECT_EQ(Contained("5"), (Set{5}));
  EXPECT_EQ(Contained("10:"), (Set{10, 15, 20, 21, 2100000000}));
  EXPECT_EQ(Contained(":5"), (Set{0, 1, 3, 5}));
  EXPECT_EQ(Contained("1,3,5:7"), (Set{1, 3, 5, 6, 7}));
  EXPECT_EQ(Contained("5:,7,"), (Set{5, 6, 7, 9, 10, 15, 20, 21, 2100000000}));
  EXPECT_EQ(Contained("-5:-1"), (Set{-5, -3, -1}));
  EXPECT_EQ(Contained("5-3"), (Set{5}));
  EXPECT_EQ(Contained("1:5:9"), (Set{5, 6, 7, 9}));
  EXPECT_EQ(Contained("1,,3"), (Set{0, 1, 3}));
  std::string list = std::string(254, '0') + "1,9";  // the 9 lies past character 255
  EXPECT_EQ(Contained(list.c_str()), (Set{1}));
}

}  // namespace
