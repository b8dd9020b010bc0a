// The typed description of the command line: four tables of descriptors drive
// the parser (params/command_line.h).
#pragma once

#include <cstddef>
#include <cstdint>

enum ParamType : int16_t {
  PT_NONE = 0,  // ends a table; an unknown letter lands here
  PT_NUMBER = 1,
  PT_CHAR = 2,
  PT_FLAG = 3,
  PT_STRING = 4,
  PT_WSTRING = 5,
  PT_ABSTIME = 6,
  PT_DELTATIME = 7,
  PT_RANGE = 8,
  PT_BITSET = 10,
};

enum ParamStatus : uint8_t {
  PS_OPTIONAL = 0,   // not given, the default applies
  PS_MANDATORY = 1,  // not given, must be given
  PS_GIVEN = 2,      // set by the parser
};

struct ParamDescriptor {
  int16_t type;
  char letter;          // after the prefix character; unused for positional descriptors
  uint8_t status;
  void* target;
  // The default: the value itself for PT_NUMBER and PT_BITSET, its low byte
  // for PT_CHAR, otherwise a pointer to the default (text, wide text or time).
  // For criteria times it points at the lower-bound variable.
  intptr_t defaultValue;
  size_t capacity;      // bytes (or wide characters) the target holds, for texts
};

constexpr int MaxCommandWords = 256;  // the program name and 255 arguments
