// A fresh temporary directory per test, removed at the end.
#pragma once

#include <string>

class TempTree {
 public:
  TempTree();
  ~TempTree();
  TempTree(const TempTree&) = delete;
  TempTree& operator=(const TempTree&) = delete;

  const std::string& root() const { return root_; }
  // POSIX path of a relative path inside the tree.
  std::string path(const std::string& relative) const;
  // Creates a directory (with parents) inside the tree.
  void dir(const std::string& relative) const;
  // Creates a file (with parent directories) holding content.
  void file(const std::string& relative, const std::string& content = "") const;

 private:
  std::string root_;
};
