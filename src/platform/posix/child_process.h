// Programs (Samba's rpcclient) and library calls (libnetapi's) the layer runs
// as children, with a time limit
// and their output captured: nothing they print reaches keltro's standard
// output or error, and they have no terminal to prompt on.
#pragma once

#include <string>
#include <vector>

// At most this much of a child's output is kept; the rest is read and dropped.
constexpr size_t kChildOutputLimit = 1 << 20;

enum class ChildEnd { Exited, TimedOut, NotStarted };

// Runs argv[0], found on PATH, with argv in a session of its own: standard
// input /dev/null, standard output and error both into `output`. Exited, with
// `exitStatus` its exit code (or 128 + the signal that ended it), when it
// ended within timeoutMs; TimedOut when it did not, after killing it and its
// process group; NotStarted when it cannot be started.
ChildEnd RunChild(const std::vector<std::string>& argv, int timeoutMs, std::string& output, int& exitStatus);

// Runs body(out, argument) in a forked child, in a session of its own with
// standard input, output and error on /dev/null; what it writes on `out` is
// `output`. Exited when it returned within timeoutMs (the child then ends),
// TimedOut after killing it and its group, NotStarted when it cannot fork.
ChildEnd RunInChild(void (*body)(int out, const void* argument), const void* argument, int timeoutMs,
                    std::string& output);
