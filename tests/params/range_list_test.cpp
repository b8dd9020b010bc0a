#include "params/range_list.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

// Which of the probe numbers the list contains.
std::set<int32_t> Contained(const char* list) {
  const int32_t probes[] = {-6, -5, -3, -1, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 15, 20, 21,
                            2100000000, 2100000001};
  std::set<int32_t> in;
  for (int32_t n : probes) {
    if (InRangeList(list, n)) in.insert(n);
  }
  return in;
}

using Set = std::set<int32_t>;

TEST(InRangeList, EveryRowOfTheRangeTable) {
  EXPECT_EQ(Contained("").size(), 20u);
  EXPECT_TRUE(InRangeList(nullptr, -123));
  EXPECT_EQ(Contained("5"), (Set{5}));
  EXPECT_EQ(Contained("10:20"), (Set{10, 15, 20}));
  EXPECT_EQ(Contained("10:"), (Set{10, 15, 20, 21, 2100000000}));
  EXPECT_EQ(Contained(":20"), (Set{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 15, 20}));
  EXPECT_EQ(Contained("1,3,5:7"), (Set{1, 3, 5, 6, 7}));
  EXPECT_EQ(Contained("0:0"), (Set{0}));
  EXPECT_EQ(Contained("5:,7"), (Set{5, 6, 7, 8, 9, 10, 15, 20, 21, 2100000000}));
  EXPECT_EQ(Contained("-5:-1"), (Set{-5, -3, -1}));
  EXPECT_EQ(Contained("5-3"), (Set{5}));
  EXPECT_EQ(Contained("1:5:9"), (Set{5, 6, 7, 8, 9}));
  EXPECT_EQ(Contained("1,,3"), (Set{0, 1, 3}));
}

TEST(InRangeList, ATrailingCommaAddsNothing) {
  EXPECT_EQ(Contained("5,"), (Set{5}));
}

TEST(InRangeList, ListsAreReadUpTo255Characters) {
  std::string list = std::string(254, '0') + "1,9";  // the 9 lies past character 255
  EXPECT_FALSE(InRangeList(list.c_str(), 9));
  EXPECT_TRUE(InRangeList(list.c_str(), 1));
}

TEST(IsRangeSyntax, DigitsCommasColonsAndMinus) {
  EXPECT_TRUE(IsRangeSyntax(""));
  EXPECT_TRUE(IsRangeSyntax("10:20,30"));
  EXPECT_TRUE(IsRangeSyntax("--5"));
  EXPECT_FALSE(IsRangeSyntax("10;20"));
  EXPECT_FALSE(IsRangeSyntax("1..5"));
  EXPECT_FALSE(IsRangeSyntax("a:b"));
  EXPECT_EQ(Contained("--5"), (Set{0}));
}

}  // namespace
