#include "output/format_output.h"

#include <cstring>

#include "output/load_format.h"
#include "base/settings.h"
#include "output/value_text.h"
#include "platform/win32.h"

constexpr int MaxWidth = 255;
static const WCHAR NoWideText[1] = {0};

// One ~ placeholder as written in the format.
struct Placeholder {
  bool leftJustify;  // -
  bool dotCut;       // .
  bool plainCut;     // !
  bool zeroPad;      // 0
  int width;
  char letter;
};

// The output being written: never more than limit characters.
struct OutputCursor {
  char* text;
  int used;
  int limit;
};

// A rendered value: narrow characters, or UTF-16 units shown by their low byte.
struct ValueText {
  const char* narrow;
  const WCHAR* wide;
  size_t length;
};

static bool IsFull(const OutputCursor& out) { return out.used >= out.limit; }

static void Put(OutputCursor* out, char c) {
  if (!IsFull(*out)) out->text[out->used++] = c;
}

static bool SkipRun(const char** p, char modifier) {
  bool given = false;
  while (**p == modifier) {
    ++*p;
    given = true;
  }
  return given;
}

// Reads the modifiers and the letter behind a '~'; returns where the format
// goes on (the letter is skipped, the end of the format is not).
static const char* ParsePlaceholder(const char* p, Placeholder* placeholder) {
  placeholder->leftJustify = SkipRun(&p, '-');
  placeholder->dotCut = SkipRun(&p, '.');
  placeholder->plainCut = SkipRun(&p, '!');
  placeholder->zeroPad = SkipRun(&p, '0');
  placeholder->width = 0;
  for (; *p >= '0' && *p <= '9'; p++) {
    placeholder->width = placeholder->width * 10 + (*p - '0');
    if (placeholder->width > MaxWidth) placeholder->width = MaxWidth;
  }
  placeholder->letter = *p;
  return *p ? p + 1 : p;
}

static const PlaceholderEntry* FindEntry(const PlaceholderEntry* table, char letter) {
  if (!table || letter == '\0') return nullptr;
  for (; table->kind != PK_END; table++)
    if (table->letter == letter) return table;
  return nullptr;
}

static size_t WideLength(const WCHAR* text) {
  size_t length = 0;
  while (text[length]) length++;
  return length;
}

// Renders the entry's current value into value (work holds TimeTextCapacity
// bytes); false for a kind the engine does not know.
static bool RenderValue(const PlaceholderEntry& entry, char* work, ValueText* value) {
  *value = {work, nullptr, 0};
  switch (entry.kind) {
    case PK_NUMBER:
      RenderNumber(*(const int32_t*)entry.value, work);
      break;
    case PK_DOUBLE:
      RenderDouble(*(const double*)entry.value, work);
      break;
    case PK_FILETIME:
      RenderFileTime(*(const uint64_t*)entry.value, work);
      break;
    case PK_TEXT:
      value->narrow = entry.value ? (const char*)entry.value : "";
      break;
    case PK_WTEXT:
      value->narrow = nullptr;
      value->wide = entry.value ? (const WCHAR*)entry.value : NoWideText;
      value->length = WideLength(value->wide);
      return true;
    default:
      return false;
  }
  value->length = strlen(value->narrow);
  return true;
}

static char ValueChar(const ValueText& value, size_t position) {
  return value.narrow ? value.narrow[position] : (char)(value.wide[position] & 0xFF);
}

// Writes a rendered value with the placeholder's justification and cut.
// Numbers and times are cut like text: they are text once rendered.
static void WriteValue(OutputCursor* out, const Placeholder& placeholder, const ValueText& value) {
  size_t width = (size_t)placeholder.width;
  char pad = placeholder.zeroPad ? '0' : ' ';
  bool cut = (placeholder.dotCut || placeholder.plainCut) && width > 0;
  bool dots = placeholder.dotCut && !placeholder.plainCut && width > 0;
  size_t written = 0;
  if (!placeholder.leftJustify && width > value.length)
    for (; written < width - value.length; written++) Put(out, pad);
  for (size_t i = 0; i < value.length && !IsFull(*out); i++) {
    if (cut && i >= width) break;
    Put(out, dots && i + 2 >= width ? '.' : ValueChar(value, i));
    written++;
  }
  if (placeholder.leftJustify)
    for (; written < width && !IsFull(*out); written++) Put(out, pad);
}

static void ExpandPlaceholder(OutputCursor* out, const Placeholder& placeholder,
                              const PlaceholderEntry* table) {
  char work[TimeTextCapacity];
  ValueText value;
  const PlaceholderEntry* entry = FindEntry(table, placeholder.letter);
  if (entry && RenderValue(*entry, work, &value))
    WriteValue(out, placeholder, value);
  else if (placeholder.letter == '~')
    Put(out, '~');
}

void FormatOutput(const char* format, char* output, const PlaceholderEntry* table, int capacity) {
  if (capacity <= 0) return;
  ReadThousandsSeparator();
  char loaded[LineCapacity];
  LoadFormat(format ? format : "", loaded);
  OutputCursor out = {output, 0, capacity - 1};
  const char* p = loaded;
  while (*p && !IsFull(out)) {
    if (*p != '~') {
      Put(&out, *p++);
      continue;
    }
    Placeholder placeholder;
    p = ParsePlaceholder(p + 1, &placeholder);
    ExpandPlaceholder(&out, placeholder, table);
  }
  output[out.used] = '\0';
}
