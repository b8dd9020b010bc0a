// Access-control lists as one line of text: "domain\user:RIGHTflags " per
// entry, in list order.
#pragma once

#include <cstddef>

#include "platform/win32.h"

// Reads the DACL of `path` and writes its text into `text` (`capacity`
// bytes). The ACE count; 0 and an empty text when it cannot be read.
int ReadAclText(const char* systemName, const char* path, char* text, size_t capacity);

// The text of `dacl` (null: the null DACL, empty text). The ACE count.
int AclToText(const char* systemName, PACL dacl, char* text, size_t capacity);
