// A temporary tree mapped as drive C:, run-wide settings for a sho walk, and
// the captured output of one walk.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "base/param_tables.h"
#include "base/settings.h"
#include "base/statistics.h"
#include "base/bounded_text.h"
#include "params/command_line.h"
#include "platform/posix/layer_state.h"
#include "output/standard_output.h"
#include "support/temp_tree.h"
#include "walk/path_compose.h"
#include "walk/run_values.h"
#include "walk/walk_directory.h"

class WalkTest : public ::testing::Test {
 protected:
  TempTree tree;
  std::string out, err;

  void SetUp() override {
    setenv("KELTRO_DRIVES", ("C=" + tree.root()).c_str(), 1);
    ResetLayerState();
    Stats = RunStatistics{};
    Settings("/S /A ~F~f \"~ddir ~f T=~T\"");
    Patterns("*");
  }
  void TearDown() override {
    unsetenv("KELTRO_DRIVES");
    ResetLayerState();
  }

  // Every setting from a sho command line (the defaults for the rest), and
  // the values the run derives from them.
  void Settings(const std::string& arguments) {
    FillParamTables();
    CopyText(DefaultFileFormat, "~f");
    std::string line = "keltro sho x " + arguments;
    ASSERT_EQ(ParseCommandLineText(line.data(), ParameterTable, OptionTable, CriteriaTable, FormatTable), 0);
    CurrentCommand = CMD_SHO;
    WorkOutRunValues();
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
    WorkOutRunValues();
    int result = WalkDirectory("", "", "C:", directory, FilePatterns);
    FlushOutput();
    out = testing::internal::GetCapturedStdout();
    err = testing::internal::GetCapturedStderr();
    return result;
  }

  bool Printed(const std::string& line) const { return ("\n" + out).find("\n" + line + "\n") != std::string::npos; }
};
