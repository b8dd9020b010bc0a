#include "driver/statistics.h"
#include "output/standard_output.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Report(CommandCode command, int32_t verbose) {
  CurrentCommand = command;
  Verbose = verbose;
  testing::internal::CaptureStdout();
  PrintStatistics();
  FlushOutput();
  return testing::internal::GetCapturedStdout();
}

class StatisticsTest : public ::testing::Test {
 protected:
  void SetUp() override { Stats = RunStatistics{}; }
  void TearDown() override { Stats = RunStatistics{}; }
};

TEST_F(StatisticsTest, DeleteBlockThenClosingBlock) {
  Stats.FilesDeleted = 3;
  Stats.BytesDeleted = 3000;
  Stats.ErrorsDetected = 5;
  EXPECT_EQ(Report(CMD_DEL, 0),
            "KELTRO-STATISTICS=           3 files deleted\n"
            "KELTRO-STATISTICS=        3000 bytes deleted\n"
            "KELTRO-STATISTICS=           0 directories removed\n"
            "KELTRO-STATISTICS=           0 files taken\n"
            "KELTRO-STATISTICS=           0 actions skipped\n"
            "KELTRO-STATISTICS=           5 errors detected\n");
}

TEST_F(StatisticsTest, SumsRoundToWholeBytesAndPrintInFull) {
  Stats.Files = 2;
  Stats.Bytes = 1536.4;
  Stats.Subdirectories = 1;
  EXPECT_EQ(Report(CMD_SHO, 1),
            "KELTRO-STATISTICS=           2 files\n"
            "KELTRO-STATISTICS=        1536 bytes\n"
            "KELTRO-STATISTICS=           1 subdirectories\n"
            "KELTRO-STATISTICS=           0 files taken\n"
            "KELTRO-STATISTICS=           0 actions skipped\n"
            "KELTRO-STATISTICS=           0 errors detected\n");
  Stats.Bytes = 5000000000.0;
  EXPECT_NE(Report(CMD_SHO, 1).find("=  5000000000 bytes\n"), std::string::npos);
  Stats.Bytes = 123456789012345.0;
  EXPECT_NE(Report(CMD_SHO, 1).find("= 123456789012345 bytes\n"), std::string::npos);
}

TEST_F(StatisticsTest, ShowPrintsNothingWithoutVerbose) {
  Stats.Files = 9;
  EXPECT_EQ(Report(CMD_SHO, 0), "");
}

TEST_F(StatisticsTest, EachCommandHasItsBlock) {
  auto lines = [](const std::string& text) {
    std::string words;
    size_t start = 0;
    while ((start = text.find("KELTRO-STATISTICS=", start)) != std::string::npos) {
      size_t end = text.find('\n', start);
      words += text.substr(start + 31, end - start - 31) + ";";
      start = end;
    }
    return words;
  };
  EXPECT_EQ(lines(Report(CMD_SET, 0)), "files set;files taken;actions skipped;errors detected;");
  EXPECT_EQ(lines(Report(CMD_COP, 0)),
            "files in source;bytes in source;subdirectories in source;files copied;bytes copied;"
            "directories created;protections replaced;files taken;actions skipped;errors detected;");
  std::string mirror =
      "files in source;bytes in source;subdirectories in source;files copied;bytes copied;"
      "files replaced;files deleted;bytes deleted;directories created;directories removed;"
      "protections replaced;attributes replaced;files taken;actions skipped;errors detected;";
  EXPECT_EQ(lines(Report(CMD_MIR, 0)), mirror);
  EXPECT_EQ(lines(Report(CMD_UPD, 1)), mirror);
  EXPECT_EQ(lines(Report(CMD_INVALID, 0)), "files taken;actions skipped;errors detected;");
}

TEST_F(StatisticsTest, NegativeCountsKeepTheirSign) {
  Stats.FilesTaken = -7;
  EXPECT_NE(Report(CMD_INVALID, 0).find("=          -7 files taken\n"), std::string::npos);
}

}  // namespace
