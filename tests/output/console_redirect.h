// Runs a piece of a test with standard input fed from a pipe and standard
// output caught in a temporary file, as a console session with typed answers.
#pragma once

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <stdexcept>
#include <string>

#include "output/standard_output.h"

// The line every prompt ends with.
inline const std::string AnswerLine = "\aN=no/Y=yes/A=yes to all (Default:N) ";

class ConsoleSession {
 public:
  // `answers` is what the user types; after it, standard input is at its end.
  explicit ConsoleSession(const std::string& answers) {
    FlushOutput();
    savedInput_ = dup(STDIN_FILENO);
    savedOutput_ = dup(STDOUT_FILENO);
    int ends[2];
    if (savedInput_ < 0 || savedOutput_ < 0 || pipe(ends) != 0) throw std::runtime_error("pipe");
    if (write(ends[1], answers.data(), answers.size()) != (ssize_t)answers.size())
      throw std::runtime_error("answers do not fit the pipe");
    close(ends[1]);
    dup2(ends[0], STDIN_FILENO);
    close(ends[0]);
    clearerr(stdin);
    captured_ = tmpfile();
    if (!captured_) throw std::runtime_error("tmpfile");
    dup2(fileno(captured_), STDOUT_FILENO);
  }

  ~ConsoleSession() {
    FlushOutput();
    dup2(savedInput_, STDIN_FILENO);
    dup2(savedOutput_, STDOUT_FILENO);
    close(savedInput_);
    close(savedOutput_);
    clearerr(stdin);
    fclose(captured_);
  }

  ConsoleSession(const ConsoleSession&) = delete;
  ConsoleSession& operator=(const ConsoleSession&) = delete;

  // Everything written to standard output so far.
  std::string Output() {
    FlushOutput();
    std::string text;
    char chunk[512];
    ssize_t got;
    off_t offset = 0;
    while ((got = pread(fileno(captured_), chunk, sizeof chunk, offset)) > 0) {
      text.append(chunk, (size_t)got);
      offset += got;
    }
    return text;
  }

 private:
  int savedInput_;
  int savedOutput_;
  FILE* captured_;
};
