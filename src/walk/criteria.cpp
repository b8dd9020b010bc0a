#include "walk/criteria.h"

#include "params/range_list.h"
#include "platform/win32.h"
#include "match/pattern_match.h"
#include "walk/run_values.h"

constexpr int WideConversionCapacity = 1024;

// An ANSI copy of a wide text, cut to the work area.
static void WideToAnsi(const void* wide, char* ansi) {
  int written = WideCharToMultiByte(CP_ACP, 0, (const WCHAR*)wide, -1, ansi, WideConversionCapacity,
                                    nullptr, nullptr);
  if (written <= 0) ansi[0] = '\0';
  ansi[WideConversionCapacity - 1] = '\0';
}

static bool TextPasses(const PlaceholderEntry& value, const char* pattern) {
  if (value.kind == PK_TEXT) return MatchPattern((const char*)value.value, pattern, false);
  if (value.kind == PK_WTEXT) {
    char text[WideConversionCapacity];
    WideToAnsi(value.value, text);
    return MatchPattern(text, pattern, false);
  }
  return true;
}

static bool StringPasses(const ParamDescriptor& row, const PlaceholderEntry& value) {
  if (row.status == PS_OPTIONAL) return true;
  if (row.type == PT_STRING) return TextPasses(value, (const char*)row.target);
  char pattern[WideConversionCapacity];
  WideToAnsi(row.target, pattern);
  return TextPasses(value, pattern);
}

// Both bounds are inclusive; a lower bound of 0 excludes nothing.
static bool TimePasses(ParamDescriptor& row, const PlaceholderEntry& value) {
  if (value.kind != PK_FILETIME) return true;
  uint64_t time = *(const uint64_t*)value.value;
  uint64_t* upper = (uint64_t*)row.target;
  if (*upper == 0) *upper = OpenUpperTimeBound;
  if (*upper < time) return false;
  const uint64_t* lower = (const uint64_t*)row.defaultValue;
  return !(lower && *lower > time);
}

static bool ValuePasses(ParamDescriptor& row, const PlaceholderEntry& value) {
  switch (row.type) {
    case PT_STRING:
    case PT_WSTRING:
      return StringPasses(row, value);
    case PT_ABSTIME:
      return TimePasses(row, value);
    case PT_RANGE:
      return value.kind != PK_NUMBER || InRangeList((const char*)row.target, *(const int32_t*)value.value);
    case PT_NUMBER:
      return value.kind != PK_NUMBER || *(const int32_t*)value.value == *(const int32_t*)row.target;
    default:
      // There is no character kind among the values, so PT_CHAR rows never meet one.
      return true;
  }
}

bool EntryMatchesCriteria(const PlaceholderEntry* values) {
  if (!Run.CriteriaTested) return true;
  for (const PlaceholderEntry* value = values; value->kind != PK_END; value++) {
    ParamDescriptor* row = Run.CriterionRows[(unsigned char)value->letter];
    if (row && !ValuePasses(*row, *value)) return false;
  }
  return true;
}
