// The source name list of /d: its lookup, and its two limits, the pool and the index.
#include "walk/source_names.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class SourceNamesTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(CreateSourceNameList(&list_)); }
  void TearDown() override { ReleaseSourceNameList(&list_); }
  // Adds count names made of `length` characters; how many were taken.
  int AddNames(int count, size_t length) {
    int taken = 0;
    for (int i = 0; i < count; ++i) {
      std::string name = std::to_string(i);
      name.resize(length, 'x');
      if (!AddSourceName(&list_, name.c_str())) break;
      taken++;
    }
    return taken;
  }
  SourceNameList list_;
};

TEST_F(SourceNamesTest, EveryNameIsFoundWhateverTheListingOrderAndTheCaseOfAToZ) {
  for (const char* name : {"zeta", "b", "Alpha", "..", "é", "a b", "."}) ASSERT_TRUE(AddSourceName(&list_, name));
  for (const char* name : {"ZETA", "B", "alpha", "..", "é", "A B", "."}) EXPECT_TRUE(HasSourceName(&list_, name)) << name;
  for (const char* name : {"É", "alph", "c", ""}) EXPECT_FALSE(HasSourceName(&list_, name)) << name;
  ASSERT_TRUE(AddSourceName(&list_, "c"));  // a name added after a lookup is found too
  EXPECT_TRUE(HasSourceName(&list_, "C"));
}

TEST_F(SourceNamesTest, ThePoolTakesANameExactlyWhenItAndItsTerminatorFit) {
  testing::internal::CaptureStderr();
  EXPECT_EQ(AddNames(2560, 255), 2560);  // 2560 * 256 bytes: the pool is full
  EXPECT_FALSE(AddSourceName(&list_, ""));
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "KELTRO-ERROR, filename buffer exceeded\n");
  EXPECT_TRUE(HasSourceName(&list_, ("2559XXXX" + std::string(247, 'X')).c_str()));  // letters without case
  EXPECT_FALSE(HasSourceName(&list_, "2559"));
}

TEST_F(SourceNamesTest, TheIndexRefusesTheNameAfterItsLast) {
  testing::internal::CaptureStderr();
  EXPECT_EQ(AddNames(SourceNameIndexSize + 1, 1), SourceNameIndexSize);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "KELTRO-ERROR, filename buffer exceeded\n");
  EXPECT_EQ(list_.Count, SourceNameIndexSize);
}

}  // namespace
