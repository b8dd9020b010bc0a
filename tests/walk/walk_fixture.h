// A temporary tree mapped as drive C:, run-wide settings for a sho walk, and
// the captured output of one walk.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "driver/param_tables.h"
#include "driver/settings.h"
#include "driver/statistics.h"
#include "output/standard_output.h"
#include "params/bounded_text.h"
#include "platform/posix/drive_map.h"
#include "support/temp_tree.h"
#include "walk/path_compose.h"
#include "walk/walk_directory.h"

class WalkTest : public ::testing::Test {
 protected:
  TempTree tree;
  std::string out, err;

  void SetUp() override {
    setenv("KELTRO_DRIVES", ("C=" + tree.root()).c_str(), 1);
    ResetDriveMap();
    FillParamTables();
    Stats = RunStatistics{};
    CurrentCommand = CMD_SHO;
    CopyText(CommandWord, "sho");
    Recurse = 1;
    AnsiOutput = 1;
    NeedOwner = NeedSecurity = 0;
    TargetPath[0] = '\0';
    CopyText(FileFormat, "~f");
    CopyText(DirFormat, "dir ~f T=~T");
    OwnerFormat[0] = TotalsFormat[0] = AceFormat[0] = LocationFormat[0] = '\0';
    Patterns("*");
  }
  void TearDown() override {
    unsetenv("KELTRO_DRIVES");
    ResetDriveMap();
  }

  // FilePatterns from a comma-separated list.
  void Patterns(const char* list) {
    for (char& c : FilePatterns) c = '\0';
    CopyTextN(FilePatterns, sizeof FilePatterns - 1, list, strlen(list));
    for (char& c : FilePatterns) if (c == ',') c = '\0';
  }

  // Walks the root `directory` of C: and keeps what it printed.
  int Walk(const char* directory) {
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    CurrentDirPath[0] = '\0';
    int result = WalkDirectory("", "", "C:", directory, FilePatterns);
    FlushOutput();
    out = testing::internal::GetCapturedStdout();
    err = testing::internal::GetCapturedStderr();
    return result;
  }

  bool Printed(const std::string& line) const { return ("\n" + out).find("\n" + line + "\n") != std::string::npos; }
};
