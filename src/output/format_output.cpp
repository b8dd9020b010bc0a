#include "output/format_output.h"

#include <cstring>
#include <string>
#include <string_view>
#include <vector>

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

// A format compiled once: its literal runs and its placeholders in order. The
// text is the loaded format (utf8 as it was read in), so a format file that
// changes between lines compiles anew.
struct FormatStep {
  Placeholder placeholder;  // letter '\0': the literal run
  size_t literalStart;      // into the program's text
  size_t literalLength;
};

struct FormatProgram {
  std::string text;
  bool utf8;
  std::vector<FormatStep> steps;
};

// The last formats compiled; the oldest goes when a new one would pass the number.
constexpr size_t KeptPrograms = 8;
static std::vector<FormatProgram> Programs;

static FormatProgram Compile(std::string_view text, bool utf8) {
  FormatProgram program{std::string(text), utf8, {}};
  const char* start = program.text.c_str();
  const char* p = start;
  while (*p) {
    FormatStep step{};
    if (*p != '~') {
      step.literalStart = (size_t)(p - start);
      while (*p && *p != '~') p += (unsigned char)*p < 0x80 ? 1 : CharLength(p, LineCapacity, utf8);
      step.literalLength = (size_t)(p - start) - step.literalStart;
    } else {
      p = ParsePlaceholder(p + 1, &step.placeholder);
      if (step.placeholder.letter == '\0') continue;  // a ~ at the end prints nothing
    }
    program.steps.push_back(step);
  }
  return program;
}

static const FormatProgram& CompiledFormat(std::string_view text, bool utf8) {
  for (const FormatProgram& program : Programs) {
    if (program.utf8 == utf8 && program.text == text) return program;
  }
  if (Programs.size() == KeptPrograms) Programs.erase(Programs.begin());
  Programs.push_back(Compile(text, utf8));
  return Programs.back();
}

// Writes a literal run whole when it fits, else character by character up
// to the first that does not.
static void WriteLiteral(OutputCursor* out, const char* text, size_t length) {
  if (out->used + (int)length <= out->limit) {
    PutWhole(out, text, length);
    return;
  }
  for (size_t i = 0; i < length && !IsFull(*out);) {
    size_t charLength = (unsigned char)text[i] < 0x80 ? 1 : CharLength(text + i, LineCapacity, out->utf8);
    PutWhole(out, text + i, charLength);
    i += charLength;
  }
}

int FormatOutput(const char* format, char* output, const PlaceholderEntry* table, int capacity) {
  if (capacity <= 0) return 0;
  char loaded[LineCapacity];
  const char* text = LoadedFormat(format ? format : "", loaded);
  OutputCursor out = {output, 0, capacity - 1, AnsiIsUtf8()};
  const FormatProgram& program = CompiledFormat(std::string_view(text, strnlen(text, LineCapacity - 1)), out.utf8);
  for (const FormatStep& step : program.steps) {
    if (IsFull(out)) break;
    if (step.placeholder.letter == '\0') {
      WriteLiteral(&out, program.text.data() + step.literalStart, step.literalLength);
    } else {
      ExpandPlaceholder(&out, step.placeholder, table);
    }
  }
  output[out.used] = '\0';
  return out.used;
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
