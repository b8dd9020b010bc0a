// A format given as text or as the name of a file holding it.
#pragma once

// Returns 1 when `format` named a readable file and output (2048 bytes) holds
// its first 2047 bytes; 0 when output holds a copy of the format text.
int LoadFormat(const char* format, char* output);
