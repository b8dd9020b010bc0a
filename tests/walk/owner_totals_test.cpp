// The per-owner table: first-met order, exact comparison, bounded capacity.
#include "walk/owner_totals.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class OwnerTotalsTest : public ::testing::Test {
 protected:
  void SetUp() override { EmptyOwnerTotals(); }
  int Refused(const char* owner) {
    testing::internal::CaptureStderr();
    int row = FindOrAddOwner(owner);
    message = testing::internal::GetCapturedStderr();
    return row;
  }
  std::string message;
};

TEST_F(OwnerTotalsTest, SameTextGivesSameRowAndCaseMakesADifference) {
  EXPECT_EQ(FindOrAddOwner("Dom\\Joe"), 0);
  EXPECT_EQ(FindOrAddOwner("DOM\\joe"), 1);
  EXPECT_EQ(FindOrAddOwner(""), 2);
  EXPECT_EQ(FindOrAddOwner("Dom\\Joe"), 0);
  EXPECT_STREQ(OwnerName(1), "DOM\\joe");
}

TEST_F(OwnerTotalsTest, TheTableHolds2048OwnersAndRefusesTheNext) {
  for (int i = 0; i < OwnerCapacity; i++) ASSERT_EQ(FindOrAddOwner(("D\\u" + std::to_string(i)).c_str()), i);
  EXPECT_EQ(Refused("D\\late"), -1);
  EXPECT_EQ(message, "KELTRO-ERROR, owner table full, 'D\\late' and later new owners are not counted\n");
  EXPECT_EQ(Refused("D\\later"), -1);
  EXPECT_EQ(message, "");  // said once
  EXPECT_EQ(FindOrAddOwner("D\\u2047"), 2047);  // known owners are still found
}

TEST_F(OwnerTotalsTest, TheNamePoolIsNeverOverrun) {
  const int fitting = OwnerNamePoolSize / 64;  // names of 63 characters fill the pool exactly
  for (int i = 0; i < fitting; i++) {
    std::string name = std::to_string(i);
    name.resize(63, 'x');
    ASSERT_EQ(FindOrAddOwner(name.c_str()), i);
  }
  EXPECT_EQ(Refused("y"), -1);
  EXPECT_EQ(OwnerTotals.PoolUsed, OwnerNamePoolSize);
}

}  // namespace
