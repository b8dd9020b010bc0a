// A fresh temporary tree per test, mapped as drive T: (KELTRO_DRIVES "C=/;T=<tree>");
// each test leaves the current directory, the environment and the faults as found.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/posix/layer_state.h"
#include "platform/win32.h"
#include "support/syscall_faults.h"

namespace fs = std::filesystem;

class TempTree {
 public:
  TempTree() : root_((fs::temp_directory_path() / "keltro-test-XXXXXX").string()) {
    if (!mkdtemp(root_.data())) ADD_FAILURE() << "mkdtemp failed";
  }
  ~TempTree() {  // gives back write permission so read-only entries can go
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(root_, fs::directory_options::skip_permission_denied, ec);
         it != fs::recursive_directory_iterator(); it.increment(ec))
      if (!it->is_symlink(ec)) fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(root_, ec);
  }
  const std::string& root() const { return root_; }
  std::string path(const std::string& relative) const { return root_ + "/" + relative; }
  void dir(const std::string& relative) const { fs::create_directories(path(relative)); }
  void file(const std::string& relative, const std::string& content = "") const {
    fs::create_directories(fs::path(path(relative)).parent_path());
    std::ofstream(path(relative), std::ios::binary) << content;
  }

 private:
  std::string root_;
};

class MappedTreeTest : public ::testing::Test {
 protected:
  void SetUp() override { MapDrives("C=/;T=" + tree_.root()); }
  void TearDown() override {
    ClearSyscallFaults();
    fs::current_path(savedDir_);
    unsetenv("KELTRO_DRIVES");
    ResetLayerState();
  }
  static void MapDrives(const std::string& list) {
    setenv("KELTRO_DRIVES", list.c_str(), 1);
    ResetLayerState();
  }
  TempTree tree_;
  fs::path savedDir_ = fs::current_path();
};
