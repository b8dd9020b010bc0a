// Runs a piece of a test with standard input fed from a pipe and standard
// output captured, as a console session with typed answers.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <string>

// The line every prompt ends with.
inline const std::string AnswerLine = "\aN=no/Y=yes/A=yes to all (Default:N) ";

class ConsoleSession {
 public:
  // `answers` is what the user types; after it, standard input is at its end.
  explicit ConsoleSession(const std::string& answers) {
    int ends[2];
    savedInput_ = dup(STDIN_FILENO);
    EXPECT_EQ(pipe(ends), 0);
    EXPECT_EQ(write(ends[1], answers.data(), answers.size()), (ssize_t)answers.size());
    close(ends[1]);
    dup2(ends[0], STDIN_FILENO);
    close(ends[0]);
    clearerr(stdin);
    testing::internal::CaptureStdout();
  }
  ~ConsoleSession() {
    if (capturing_) Output();
    dup2(savedInput_, STDIN_FILENO);
    close(savedInput_);
    clearerr(stdin);
  }
  ConsoleSession(const ConsoleSession&) = delete;
  ConsoleSession& operator=(const ConsoleSession&) = delete;

  // Everything written to standard output; ends the capture.
  std::string Output() {
    fflush(stdout);
    capturing_ = false;
    return testing::internal::GetCapturedStdout();
  }

 private:
  int savedInput_;
  bool capturing_ = true;
};
