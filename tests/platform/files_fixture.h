// A temporary tree mapped as drive T: (KELTRO_DRIVES "C=/;T=<tree>"), for
// the file-system tests of the platform layer. Each test starts with a fresh
// drive map and leaves the process's current directory, the environment and
// the injected faults as it found them.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/posix/layer_state.h"
#include "support/syscall_faults.h"
#include "platform/win32.h"
#include "support/temp_tree.h"

class MappedTreeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    savedDir_ = std::filesystem::current_path();
    MapDrives("C=/;T=" + tree_.root());
  }
  void TearDown() override {
    ClearSyscallFaults();
    std::filesystem::current_path(savedDir_);
    unsetenv("KELTRO_DRIVES");
    ResetLayerState();
  }
  static void MapDrives(const std::string& list) {
    setenv("KELTRO_DRIVES", list.c_str(), 1);
    ResetLayerState();
  }
  // The Windows path of a path inside the tree: "T:\" + relative.
  static std::string Drive(const std::string& relative) { return "T:\\" + relative; }

  // Every name a listing gives, in listing order; lastError is the error
  // that ended it.
  static std::vector<std::string> ListNames(const std::string& pattern, DWORD* lastError = nullptr) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE h = FindFirstFileA(pattern.c_str(), &data);
    if (h == INVALID_HANDLE_VALUE) {
      if (lastError) *lastError = GetLastError();
      return names;
    }
    do names.push_back(data.cFileName);
    while (FindNextFileA(h, &data));
    if (lastError) *lastError = GetLastError();
    FindClose(h);
    return names;
  }

  TempTree tree_;
  std::filesystem::path savedDir_;
};
