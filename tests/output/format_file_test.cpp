// A format that names a file: read again at each expansion, its first 2047
// bytes only. Line breaks and missing files are in entry_formats.t.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "driver/settings.h"
#include "output/format_output.h"
#include "platform/posix/drive_map.h"
#include "support/temp_tree.h"

namespace {

TEST(FormatFileTest, ReadAgainAtEachExpansionUpTo2047Bytes) {
  TempTree tree;
  setenv("KELTRO_DRIVES", ("T=" + tree.root()).c_str(), 1);
  ResetDriveMap();
  char name[16] = "report.doc";
  PlaceholderEntry table[2] = {{PK_TEXT, 'N', name}, {PK_END, 0, nullptr}};
  auto expand = [&](const char* format) {
    static char output[LineCapacity];
    FormatOutput(format, output, table, LineCapacity);
    return std::string(output);
  };
  tree.file("fmt.txt", "first ~N");
  EXPECT_EQ(expand("T:\\fmt.txt"), "first report.doc");
  tree.file("fmt.txt", std::string(2040, 'x') + "~-10N|");
  EXPECT_EQ(expand("T:\\fmt.txt"), std::string(2040, 'x') + "report.");
  unsetenv("KELTRO_DRIVES");
  ResetDriveMap();
}

}  // namespace
