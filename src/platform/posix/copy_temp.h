// The temporary file a copy writes before renaming it into place, and what
// removes it when SIGINT, SIGTERM or SIGHUP end the process mid-copy.
//
// The signals are caught rather than blocked, so that an interrupt stops a
// long copy at once: the first copy installs a handler for each of them that
// is at its default action (one the program ignores or handles itself is left
// alone). The handler removes the temporary file of the copy under way, if
// any, puts the default action back and raises the signal again, so the
// process ends as it would have without the handler.
#pragma once

#include <functional>
#include <string>

// Picks a fresh name ".keltro-<pid>-<n>.tmp" in the directory dirFd (with
// dirPath, "" or ending in '/', put in front of it) and calls make with it
// until make succeeds or fails with anything but EEXIST. From just before
// the first try until EndCopyTemp, a terminating signal removes the name.
// Returns what make returned (-1 with errno on failure: nothing is left).
int MakeCopyTemp(int dirFd, const std::string& dirPath, const std::function<int(const char* name)>& make);

// The name MakeCopyTemp made, relative to its dirFd.
const char* CopyTempName();

// Ends the copy: with remove, the temporary file is removed first.
void EndCopyTemp(bool remove);

// A copy onto a share cannot remove its temporary file from a signal handler
// (that takes the network). Between BeginDeferredSignals and
// EndDeferredSignals a terminating signal is only noted: the copy asks
// SignalPending between chunks, removes its temporary file itself, and
// EndDeferredSignals then ends the process with the noted signal.
void BeginDeferredSignals();
bool SignalPending();
void EndDeferredSignals();
