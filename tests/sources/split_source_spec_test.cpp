// The cut of a source specification into domain, server, share, drive,
// directory and file part, within 255 characters.
#include "sources/split_source_spec.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct SplitRow {
  const char *spec, *domain, *server, *share, *drive, *directory, *file;
};

TEST(SplitSourceSpec, CutsEveryPart) {
  for (const SplitRow& row : {SplitRow{"C:\\dir*\\sub\\*.txt", "", "", "", "C:", "\\dir*\\sub\\", "*.txt"},
                              SplitRow{"*.log", "", "", "", "", "", "*.log"},
                              SplitRow{"\\\\srv*\\data\\a\\b\\*.doc", "", "srv*", "data", "", "\\a\\b\\", "*.doc"},
                              SplitRow{"DOM*\\\\srv\\sh*\\x", "DOM*", "srv", "sh*", "", "", "x"},
                              SplitRow{"\\\\srv", "", "srv", "", "", "", ""},
                              SplitRow{"C:x.txt", "", "", "", "C:", "", "x.txt"}}) {
    char domain[256] = "x", server[256] = "x", share[256] = "x", drive[256] = "x", dir[256] = "x", file[256] = "x";
    ASSERT_TRUE(SplitSourceSpec(row.spec, &domain, &server, &share, &drive, &dir, &file)) << row.spec;
    EXPECT_EQ(std::string(domain) + "|" + server + "|" + share + "|" + drive + "|" + dir + "|" + file,
              std::string(row.domain) + "|" + row.server + "|" + row.share + "|" + row.drive + "|" +
                  row.directory + "|" + row.file);
  }
}

TEST(SplitSourceSpec, LengthLimits) {
  char file[256] = "untouched";
  std::string spec257 = "C:\\" + std::string(254, 'a');
  EXPECT_FALSE(SplitSourceSpec(spec257.c_str(), nullptr, nullptr, nullptr, nullptr, nullptr, &file));
  EXPECT_STREQ(file, "untouched");
  std::string spec(256, 'f');  // a part of 256 characters is cut to fit
  EXPECT_TRUE(SplitSourceSpec(spec.c_str(), nullptr, nullptr, nullptr, nullptr, nullptr, &file));
  EXPECT_EQ(std::string(file), std::string(255, 'f'));
}

}  // namespace
