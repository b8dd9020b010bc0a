#include "sources/split_source_spec.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

struct SplitRow {
  const char* spec;
  const char* domain;
  const char* server;
  const char* share;
  const char* drive;
  const char* directory;
  const char* file;
};

class SplitSourceSpecTest : public ::testing::TestWithParam<SplitRow> {};

TEST_P(SplitSourceSpecTest, CutsEveryPart) {
  const SplitRow& row = GetParam();
  char domain[256] = "x", server[256] = "x", share[256] = "x", drive[256] = "x", dir[256] = "x",
       file[256] = "x";
  ASSERT_TRUE(SplitSourceSpec(row.spec, &domain, &server, &share, &drive, &dir, &file));
  EXPECT_STREQ(domain, row.domain);
  EXPECT_STREQ(server, row.server);
  EXPECT_STREQ(share, row.share);
  EXPECT_STREQ(drive, row.drive);
  EXPECT_STREQ(dir, row.directory);
  EXPECT_STREQ(file, row.file);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, SplitSourceSpecTest,
    ::testing::Values(SplitRow{"C:\\dir*\\sub\\*.txt", "", "", "", "C:", "\\dir*\\sub\\", "*.txt"},
                      SplitRow{"DISK*:\\tmp\\", "", "", "", "DISK*:", "\\tmp\\", ""},
                      SplitRow{"*.log", "", "", "", "", "", "*.log"},
                      SplitRow{"\\\\srv*\\data\\a\\b\\*.doc", "", "srv*", "data", "", "\\a\\b\\", "*.doc"},
                      SplitRow{"DOM*\\\\srv\\sh*\\x", "DOM*", "srv", "sh*", "", "", "x"},
                      SplitRow{"\\\\srv\\share", "", "srv", "share", "", "", ""},
                      SplitRow{"\\\\srv", "", "srv", "", "", "", ""},
                      SplitRow{"C:", "", "", "", "C:", "", ""},
                      SplitRow{"", "", "", "", "", "", ""},
                      SplitRow{"C:x.txt", "", "", "", "C:", "", "x.txt"}));

TEST(SplitSourceSpec, LengthLimit) {
  char file[256];
  std::string spec256 = "C:\\" + std::string(253, 'a');
  EXPECT_TRUE(SplitSourceSpec(spec256.c_str(), nullptr, nullptr, nullptr, nullptr, nullptr, &file));
  EXPECT_EQ(std::string(file), std::string(253, 'a'));

  strcpy(file, "untouched");
  std::string spec257 = spec256 + "b";
  EXPECT_FALSE(SplitSourceSpec(spec257.c_str(), nullptr, nullptr, nullptr, nullptr, nullptr, &file));
  EXPECT_STREQ(file, "untouched");
}

TEST(SplitSourceSpec, APartOf256CharactersIsCutToFit) {
  char file[256];
  std::string spec(256, 'f');
  EXPECT_TRUE(SplitSourceSpec(spec.c_str(), nullptr, nullptr, nullptr, nullptr, nullptr, &file));
  EXPECT_EQ(std::string(file), std::string(255, 'f'));
}

}  // namespace
