// The per-owner table: first-met order, exact comparison, bounded capacity.
#include "walk/owner_totals.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class OwnerTotalsTest : public ::testing::Test {
 protected:
  void SetUp() override { EmptyOwnerTotals(); }
};

TEST_F(OwnerTotalsTest, SameTextGivesSameRowAndCaseMakesADifference) {
  EXPECT_EQ(FindOrAddOwner("Dom\\Joe"), 0);
  EXPECT_EQ(FindOrAddOwner("DOM\\joe"), 1);
  EXPECT_EQ(FindOrAddOwner(""), 2);
  EXPECT_EQ(FindOrAddOwner("Dom\\Joe"), 0);
  EXPECT_EQ(FindOrAddOwner(""), 2);
  EXPECT_EQ(OwnerTotals.Count, 3);
  EXPECT_STREQ(OwnerName(0), "Dom\\Joe");
  EXPECT_STREQ(OwnerName(1), "DOM\\joe");
  EXPECT_STREQ(OwnerName(2), "");
  EXPECT_EQ(OwnerTotals.Files[1], 0);
  EXPECT_EQ(OwnerTotals.Bytes[1], 0.0);
}

TEST_F(OwnerTotalsTest, EmptyingForgetsEveryOwner) {
  FindOrAddOwner("a\\b");
  EmptyOwnerTotals();
  EXPECT_EQ(OwnerTotals.Count, 0);
  EXPECT_EQ(FindOrAddOwner("c\\d"), 0);
  EXPECT_STREQ(OwnerName(0), "c\\d");
}

TEST_F(OwnerTotalsTest, TheTableHolds2048OwnersAndRefusesTheNext) {
  for (int i = 0; i < OwnerCapacity; i++) {
    ASSERT_EQ(FindOrAddOwner(("D\\u" + std::to_string(i)).c_str()), i);
  }
  testing::internal::CaptureStderr();
  EXPECT_EQ(FindOrAddOwner("D\\late"), -1);
  EXPECT_EQ(FindOrAddOwner("D\\later"), -1);
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(err, "KELTRO-ERROR, owner table full, 'D\\late' and later new owners are not counted\n");
  EXPECT_EQ(FindOrAddOwner("D\\u2047"), 2047);  // known owners are still found
  EXPECT_EQ(OwnerTotals.Count, OwnerCapacity);
}

TEST_F(OwnerTotalsTest, TheNamePoolIsNeverOverrun) {
  // 1536 names of 63 characters fill the pool's 98,304 bytes exactly.
  const int fitting = OwnerNamePoolSize / 64;
  for (int i = 0; i < fitting; i++) {
    std::string name = std::to_string(i);
    name.resize(63, 'x');
    ASSERT_EQ(FindOrAddOwner(name.c_str()), i);
  }
  EXPECT_EQ(OwnerTotals.PoolUsed, OwnerNamePoolSize);
  testing::internal::CaptureStderr();
  EXPECT_EQ(FindOrAddOwner("y"), -1);
  testing::internal::GetCapturedStderr();
  EXPECT_EQ(OwnerTotals.Count, fitting);
}

}  // namespace
