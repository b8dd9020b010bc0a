// The progress line of long changing runs: one line on standard error, kept
// only when standard error is a terminal, erased before any other line.
#pragma once

// Notes that the action now works on `path`; redraws the line (files and
// bytes done, the current file, the rate) at most a few times a second.
void NoteProgress(const char* path);

// Erases the line when one is shown. Every other writer of the console
// calls it before it writes.
void EraseProgress(void);
