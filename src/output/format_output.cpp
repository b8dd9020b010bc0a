#include "output/format_output.h"

#include <cstring>

#include "output/load_format.h"
#include "base/settings.h"
#include "output/text_columns.h"
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

// The output being written: never more than limit bytes, and never part of
// a character (utf8: characters are UTF-8 sequences).
struct OutputCursor {
  char* text;
  int used;
  int limit;
  bool utf8;
};

// A rendered value; `bytes` when each byte is one character of one column
// whatever the code page (UTF-16 text shown by its low bytes).
struct ValueText {
  const char* text;
  size_t length;
  bool bytes;
};

static bool IsFull(const OutputCursor& out) { return out.used >= out.limit; }

static void Put(OutputCursor* out, char c) {
  if (!IsFull(*out)) out->text[out->used++] = c;
}

// Writes length bytes (a character, or a value that fits) whole, or ends the
// output before them.
static void PutWhole(OutputCursor* out, const char* c, size_t length) {
  if (out->used + (int)length > out->limit) {
    out->limit = out->used;
    return;
  }
  memcpy(out->text + out->used, c, length);
  out->used += (int)length;
}

static void PutRun(OutputCursor* out, char c, int count) {
  for (; count > 0; count--) Put(out, c);
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

// UTF-16 text shown by the low byte of each unit.
static void NarrowWideText(const WCHAR* wide, char* narrow) {
  size_t i = 0;
  for (; wide[i] && i < LineCapacity - 1; i++) narrow[i] = (char)(wide[i] & 0xFF);
  narrow[i] = '\0';
}

// Renders the entry's current value into value (work holds LineCapacity
// bytes); false for a kind the engine does not know.
static bool RenderValue(const PlaceholderEntry& entry, char* work, ValueText* value) {
  *value = {work, 0, false};
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
      value->text = entry.value ? (const char*)entry.value : "";
      break;
    case PK_WTEXT:
      NarrowWideText(entry.value ? (const WCHAR*)entry.value : NoWideText, work);
      value->bytes = true;
      break;
    default:
      return false;
  }
  value->length = strlen(value->text);
  return true;
}

// Columns of the value, counted up to limit.
static int CountColumns(const ValueText& value, bool utf8, int limit) {
  int columns = 0;
  for (size_t i = 0; i < value.length && columns <= limit;) {
    size_t length = CharLength(value.text + i, value.length - i, utf8);
    columns += CharColumns(value.text + i, length, utf8);
    i += length;
  }
  return columns;
}

// Writes a rendered value with the placeholder's justification and cut,
// both in columns. Numbers and times are cut like text: they are text once
// rendered. A character is never split: one that would cross the width is
// left out and its columns are filled (dots or blanks); a combining mark goes
// with the character before it.
static void WriteValue(OutputCursor* out, const Placeholder& placeholder, const ValueText& value) {
  int width = placeholder.width;
  bool utf8 = out->utf8 && !value.bytes;
  char pad = placeholder.zeroPad ? '0' : ' ';
  bool cut = (placeholder.dotCut || placeholder.plainCut) && width > 0;
  bool dots = placeholder.dotCut && !placeholder.plainCut && width > 0;
  if (width == 0 && value.length <= (size_t)(out->limit - out->used)) {
    PutWhole(out, value.text, value.length);
    return;
  }
  if (!placeholder.leftJustify && width > 0) PutRun(out, pad, width - CountColumns(value, utf8, width));
  int column = 0;     // columns of the value written so far
  bool shown = true;  // whether the last character was written as itself
  for (size_t i = 0; i < value.length && !IsFull(*out);) {
    size_t length = CharLength(value.text + i, value.length - i, utf8);
    int columns = length == 1 ? 1 : CharColumns(value.text + i, length, utf8);
    if (cut && column + columns > width) {
      PutRun(out, dots ? '.' : ' ', width - column);
      return;
    }
    if (columns > 0) shown = !dots || column + columns <= width - 2;
    if (shown) {
      PutWhole(out, value.text + i, length);
    } else {
      PutRun(out, '.', columns);
    }
    column += columns;
    i += length;
  }
  if (placeholder.leftJustify) PutRun(out, pad, width - column);
}

static void ExpandPlaceholder(OutputCursor* out, const Placeholder& placeholder,
                              const PlaceholderEntry* table) {
  char work[LineCapacity];
  ValueText value;
  const PlaceholderEntry* entry = FindEntry(table, placeholder.letter);
  if (entry && RenderValue(*entry, work, &value))
    WriteValue(out, placeholder, value);
  else if (placeholder.letter == '~')
    Put(out, '~');
}

void FormatOutput(const char* format, char* output, const PlaceholderEntry* table, int capacity) {
  if (capacity <= 0) return;
  char loaded[LineCapacity];
  LoadFormat(format ? format : "", loaded);
  OutputCursor out = {output, 0, capacity - 1, AnsiIsUtf8()};
  const char* p = loaded;
  while (*p && !IsFull(out)) {
    if (*p != '~') {
      size_t length = (unsigned char)*p < 0x80 ? 1 : CharLength(p, LineCapacity, out.utf8);
      PutWhole(&out, p, length);
      p += length;
      continue;
    }
    Placeholder placeholder;
    p = ParsePlaceholder(p + 1, &placeholder);
    ExpandPlaceholder(&out, placeholder, table);
  }
  output[out.used] = '\0';
}

bool FormatMentions(const char* format, char letter) {
  bool utf8 = AnsiIsUtf8();
  for (const char* p = format; *p;) {
    if (*p != '~') {
      p += (unsigned char)*p < 0x80 ? 1 : CharLength(p, LineCapacity, utf8);
      continue;
    }
    Placeholder placeholder;
    p = ParsePlaceholder(p + 1, &placeholder);
    if (placeholder.letter == letter) return true;
  }
  return false;
}
