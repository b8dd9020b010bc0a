#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "base/settings.h"
#include "base/bounded_text.h"
#include "params/command_line.h"
#include "output/standard_output.h"
#include "output/text_columns.h"
#include "params/range_list.h"
#include "params/time_values.h"
#include "platform/win32.h"

namespace {

// Which table an argument belongs to; each kind has its own messages.
enum ArgKind { AK_POSITIONAL, AK_OPTION, AK_CRITERION, AK_LOWER, AK_FORMAT };

enum Failure {
  F_OK,
  F_UNKNOWN,      // no descriptor with that letter
  F_NUMBER,       // non-numeric value
  F_FLAG,         // a value given to a flag
  F_ABSTIME,
  F_DELTATIME,
  F_RANGE,
  F_SILENT,       // refused without a message of its own
  F_TOO_LONG,     // the value does not fit the target
  F_INTERNAL,     // a datatype the table does not accept
};

// Messages by kind; %.*s takes the letter (a whole character, so it may be
// more than one byte), %d the argument number. Null: none.
struct KindMessages {
  const char* unknown;
  const char* number;
  const char* flag;
  const char* abstime;
  const char* deltatime;
  const char* range;
  const char* tooLong;
  const char* internal;
};

const KindMessages Messages[] = {
    {"PARAM-ERROR, invalid parameter %d\n", "PARAM-ERROR, non-numeric value for parameter %d\n",
     nullptr, "PARAM-ERROR, AbsTime syntax error for parameter %d\n",
     "PARAM-ERROR, DeltaTime syntax error for parameter %d\n",
     "PARAM-ERROR, range syntax error for parameter %d\n",
     "PARAM-ERROR, value too long for parameter %d (at most 255 characters)\n",
     "PARAM-ERROR, INTERNAL ERROR, invalid param datatype\n"},
    {"PARAM-ERROR, invalid option '/%.*s'\n", "PARAM-ERROR, non-numeric value for option '/%.*s'\n",
     "PARAM-ERROR, no value allowed for option '/%.*s'\n",
     "PARAM-ERROR, AbsTime syntax error for option '/%.*s'\n",
     "PARAM-ERROR, DeltaTime syntax error for option '/%.*s'\n",
     "PARAM-ERROR, range syntax error for option '/%.*s'\n",
     "PARAM-ERROR, value too long for option '/%.*s' (at most 255 characters)\n",
     "PARAM-ERROR, INTERNAL ERROR, invalid OPTION datatype\n"},
    {"PARAM-ERROR, invalid criteria '-%.*s'\n", "PARAM-ERROR, non-numeric value for criteria '-%.*s'\n",
     nullptr, "PARAM-ERROR, Syntax error for criteria '-%.*s'\n",
     "PARAM-ERROR, DeltaTime syntax error for criteria '-%.*s'\n",
     "PARAM-ERROR, range syntax error for criteria '-%.*s'\n",
     "PARAM-ERROR, value too long for criteria '-%.*s' (at most 255 characters)\n",
     "PARAM-ERROR, INTERNAL ERROR, invalid CRITERIA datatype\n"},
    {"PARAM-ERROR, invalid criteria '+%.*s'\n", nullptr, nullptr,
     "PARAM-ERROR, Syntax error for criteria '+%.*s'\n",
     "PARAM-ERROR, Syntax error for criteria '+%.*s'\n", nullptr, nullptr,
     "PARAM-ERROR, invalid LOWER-CRITERIA datatype\n"},
    {"PARAM-ERROR, invalid format '~%.*s'\n", nullptr, nullptr, nullptr, nullptr, nullptr,
     "PARAM-ERROR, value too long for format '~%.*s' (at most 255 characters)\n",
     "PARAM-ERROR, INTERNAL ERROR, invalid FORMAT datatype\n"},
};

const char* MessageFor(ArgKind kind, Failure failure) {
  const KindMessages& m = Messages[kind];
  switch (failure) {
    case F_UNKNOWN: return m.unknown;
    case F_NUMBER: return m.number;
    case F_FLAG: return m.flag;
    case F_ABSTIME: return m.abstime;
    case F_DELTATIME: return m.deltatime;
    case F_RANGE: return m.range;
    case F_TOO_LONG: return m.tooLong;
    case F_INTERNAL: return m.internal;
    default: return nullptr;
  }
}

// Which datatypes each kind accepts.
bool Accepts(ArgKind kind, int type) {
  switch (kind) {
    case AK_POSITIONAL:
    case AK_CRITERION:
      return type == PT_NUMBER || type == PT_CHAR || (type >= PT_STRING && type <= PT_RANGE);
    case AK_OPTION: return (type >= PT_NUMBER && type <= PT_RANGE) || type == PT_BITSET;
    case AK_LOWER: return type == PT_ABSTIME || type == PT_DELTATIME;
    case AK_FORMAT: return type == PT_STRING || type == PT_WSTRING;
  }
  return false;
}

// A number as keltro reads it: refused when it reads as 0 and the text does
// not begin with the digit 0 (so "abc" and "-0" are refused, "5k" is 5).
bool ReadNumber(const char* text, int32_t* value) {
  *value = ReadLong(text);
  return *value != 0 || text[0] == '0';
}

Failure StoreText(const ParamDescriptor& d, const char* value) {
  size_t capacity = d.capacity ? d.capacity : TextCapacity;
  if (capacity > TextCapacity) capacity = TextCapacity;  // at most 255 characters are taken
  if (strlen(value) >= capacity) return F_TOO_LONG;
  CopyText((char*)d.target, capacity, value);
  return F_OK;
}

Failure StoreWideText(const ParamDescriptor& d, const char* value) {
  int capacity = d.capacity ? (int)d.capacity : TextCapacity;
  if (MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, value, -1, (WCHAR*)d.target, capacity) == 0) {
    ((WCHAR*)d.target)[0] = 0;
    return F_TOO_LONG;
  }
  return F_OK;
}

Failure StoreBitset(const ParamDescriptor& d, const char* value) {
  uint32_t bits = 0;
  if (!*value) {
    bits = 0xFFFFFFFFu;
  } else {
    if (!IsRangeSyntax(value)) return F_SILENT;
    for (int n = 0; n < 32; ++n) {
      if (InRangeList(value, n)) bits |= 1u << n;
    }
  }
  *(uint32_t*)d.target = bits;
  return F_OK;
}

// Stores value into target by the descriptor's type. `lettered` tells
// whether an empty number means -1.
Failure StoreValue(const ParamDescriptor& d, void* target, const char* value, bool lettered) {
  switch (d.type) {
    case PT_NUMBER: {
      int32_t number = -1;
      if ((*value || !lettered) && !ReadNumber(value, &number)) return F_NUMBER;
      *(int32_t*)target = number;
      return F_OK;
    }
    case PT_CHAR: *(char*)target = value[0]; return F_OK;
    case PT_FLAG:
      if (*value) return F_FLAG;
      *(int32_t*)target = 1;
      return F_OK;
    case PT_STRING: return StoreText(d, value);
    case PT_WSTRING: return StoreWideText(d, value);
    case PT_ABSTIME: return ParseAbsTime(value, (TimeValue*)target) ? F_OK : F_ABSTIME;
    case PT_DELTATIME: return ParseDeltaTime(value, (TimeValue*)target) ? F_OK : F_DELTATIME;
    case PT_RANGE:
      if (!IsRangeSyntax(value)) return F_RANGE;
      return StoreText(d, value);
    case PT_BITSET: return StoreBitset(d, value);
  }
  return F_INTERNAL;
}

ParamDescriptor* FindLetter(ParamDescriptor* table, char letter) {
  ParamDescriptor* d = table;
  while (d->type != PT_NONE && d->letter != letter) ++d;
  return d;
}

// Prints the message of a failure; returns the parse result for it.
int Report(ArgKind kind, Failure failure, const char* letter, int argNumber) {
  const char* message = MessageFor(kind, failure);
  if (message) {
    if (kind == AK_POSITIONAL) {
      PrintError(message, argNumber);
    } else {
      PrintError(message, FirstCharLength(letter), letter);
    }
  }
  return (failure == F_INTERNAL && kind != AK_LOWER) ? -1 : argNumber;
}

int ParseLettered(const char* word, int argNumber, ParamDescriptor* tables[4]) {
  ArgKind kind;
  ParamDescriptor* table;
  switch (word[0]) {
    case '/': kind = AK_OPTION; table = tables[1]; break;
    case '-': kind = AK_CRITERION; table = tables[2]; break;
    case '+': kind = AK_LOWER; table = tables[2]; break;
    default: kind = AK_FORMAT; table = tables[3]; break;
  }
  if (!table || word[1] == '\0') return argNumber;
  char letter = word[1];
  const char* value = word + 2;
  ParamDescriptor* d = FindLetter(table, letter);
  if (d->type == PT_NONE) return Report(kind, F_UNKNOWN, word + 1, argNumber);
  if (!Accepts(kind, d->type)) return Report(kind, F_INTERNAL, word + 1, argNumber);
  void* target = (kind == AK_LOWER) ? (void*)d->defaultValue : d->target;
  Failure failure = StoreValue(*d, target, value, true);
  if (failure != F_OK) return Report(kind, failure, word + 1, argNumber);
  d->status = PS_GIVEN;
  return 0;
}

int ParsePositional(const char* word, int argNumber, ParamDescriptor* table,
                    int* nextPositional) {
  if (!table || word[0] == '\0') return argNumber;
  ParamDescriptor* d = table;
  for (int i = 0; i < *nextPositional && d->type != PT_NONE; ++i) ++d;
  if (d->type == PT_NONE) return Report(AK_POSITIONAL, F_UNKNOWN, nullptr, argNumber);
  if (!Accepts(AK_POSITIONAL, d->type)) return Report(AK_POSITIONAL, F_INTERNAL, nullptr, argNumber);
  Failure failure = StoreValue(*d, d->target, word, false);
  if (failure != F_OK) return Report(AK_POSITIONAL, failure, nullptr, argNumber);
  d->status = PS_GIVEN;
  ++*nextPositional;
  return 0;
}

void StoreDefault(const ParamDescriptor& d, ArgKind kind) {
  switch (d.type) {
    case PT_NUMBER:
    case PT_BITSET: *(int32_t*)d.target = (int32_t)d.defaultValue; break;
    case PT_CHAR: *(char*)d.target = (char)(d.defaultValue & 0xFF); break;
    case PT_FLAG:
      if (kind == AK_OPTION) *(int32_t*)d.target = 0;
      break;
    case PT_STRING:
    case PT_RANGE:
      CopyText((char*)d.target, d.capacity ? d.capacity : TextCapacity, (const char*)d.defaultValue);
      break;
    case PT_WSTRING: {
      WCHAR* target = (WCHAR*)d.target;
      const WCHAR* source = (const WCHAR*)d.defaultValue;
      size_t capacity = d.capacity ? d.capacity : TextCapacity;
      size_t i = 0;
      for (; source && source[i] && i + 1 < capacity; ++i) target[i] = source[i];
      target[i] = 0;
      break;
    }
    case PT_ABSTIME:
    case PT_DELTATIME:
      *(TimeValue*)d.target = d.defaultValue ? *(const TimeValue*)d.defaultValue : 0;
      break;
  }
}

const char* const MandatoryMessages[] = {
    "PARAM-ERROR, mandatory parameter %d not specified\n",
    "PARAM-ERROR, mandatory option /%c not specified\n",
    "PARAM-ERROR, mandatory criteria -%c not specified\n",
};

int ApplyDefaults(ParamDescriptor* table, ArgKind kind) {
  if (!table) return 0;
  int position = 1;
  for (ParamDescriptor* d = table; d->type != PT_NONE; ++d, ++position) {
    if (d->status == PS_OPTIONAL) {
      StoreDefault(*d, kind);
    } else if (d->status == PS_MANDATORY && kind != AK_FORMAT) {
      if (kind == AK_POSITIONAL) {
        PrintError(MandatoryMessages[kind], position);
      } else {
        PrintError(MandatoryMessages[kind], d->letter);
      }
      return position;
    }
  }
  return 0;
}

}  // namespace

int ParseCommandLine(ParamDescriptor* positional, ParamDescriptor* options,
                     ParamDescriptor* criteria, ParamDescriptor* formats) {
  return ParseCommandLineText(GetCommandLineA(), positional, options, criteria, formats);
}

int ParseCommandLineText(char* line, ParamDescriptor* positional, ParamDescriptor* options,
                         ParamDescriptor* criteria, ParamDescriptor* formats) {
  char* words[MaxCommandWords];
  int count = SplitCommandLine(line, words, MaxCommandWords);
  if (count > MaxCommandWords) {
    PrintError("PARAM-ERROR, too many arguments (at most %d)\n", MaxCommandWords - 1);
    return MaxCommandWords;
  }
  ParamDescriptor* tables[4] = {positional, options, criteria, formats};
  int nextPositional = 0;
  for (int i = 1; i < count; ++i) {
    const char* word = words[i];
    bool lettered = word[0] && strchr("/-+~", word[0]);
    int result = lettered ? ParseLettered(word, i, tables)
                          : ParsePositional(word, i, positional, &nextPositional);
    if (result != 0) return result;
  }
  const ArgKind kinds[4] = {AK_POSITIONAL, AK_OPTION, AK_CRITERION, AK_FORMAT};
  for (int t = 0; t < 4; ++t) {
    int result = ApplyDefaults(tables[t], kinds[t]);
    if (result != 0) return result;
  }
  return 0;
}
