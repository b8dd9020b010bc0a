#include "output/progress.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "base/bounded_text.h"
#include "base/settings.h"
#include "base/statistics.h"
#include "output/console.h"
#include "output/text_columns.h"
#include "platform/win32.h"

namespace {

constexpr ULONGLONG RedrawInterval = 250;  // milliseconds, so at most 4 redraws a second
constexpr int MaxColumns = 255;            // a wider terminal gets a line this wide
constexpr int ProgressCapacity = 2048;     // "\r", MaxColumns of up to 4 bytes, blanks

enum ProgressMode { PM_UNDECIDED, PM_OFF, PM_ON };

ProgressMode Mode = PM_UNDECIDED;
HANDLE ErrorHandle;
ULONGLONG StartTick;
ULONGLONG LastDraw;
bool DrawnBefore = false;
int ShownColumns = 0;  // columns the line takes on the terminal; 0 when none is shown

void EraseAtExit(void) { EraseProgress(); }

// Decided once per run: only the changing commands, and only when standard
// error is a console.
void DecideProgress(void) {
  Mode = PM_OFF;
  if (CurrentCommand != CMD_DEL && !IsCopyCommand(CurrentCommand)) return;
  ErrorHandle = GetStdHandle(STD_ERROR_HANDLE);
  DWORD consoleMode;
  if (!GetConsoleMode(ErrorHandle, &consoleMode)) return;
  Mode = PM_ON;
  StartTick = GetTickCount64();
  atexit(EraseAtExit);
}

// The columns the line may take: one less than the window, so that it never
// reaches the last column and wraps.
int LineColumns(void) {
  CONSOLE_SCREEN_BUFFER_INFO info;
  int width = 80;
  if (GetConsoleScreenBufferInfo(ErrorHandle, &info)) width = info.srWindow.Right - info.srWindow.Left + 1;
  if (width > MaxColumns + 1) width = MaxColumns + 1;
  return width > 1 ? width - 1 : 0;
}

// "950 B", "12.3 kB", "4.5 MB", up to "TB"; `suffix` follows the unit.
void FormatAmount(char* text, size_t capacity, double bytes, const char* suffix) {
  static const char* const units[] = {"kB", "MB", "GB", "TB"};
  if (bytes < 1000) {
    snprintf(text, capacity, "%.0f B%s", bytes, suffix);
    return;
  }
  int unit = 0;
  for (bytes /= 1000; bytes >= 1000 && unit < 3; unit++) bytes /= 1000;
  snprintf(text, capacity, "%.1f %s%s", bytes, units[unit], suffix);
}

// "12 files, 4.5 MB, 1.5 MB/s  " (files/s for del), measured since the first
// file of the run.
void FormatCounts(char* text, size_t capacity, ULONGLONG now) {
  long files = (long)Stats.FilesCopied + Stats.FilesReplaced + Stats.FilesDeleted;
  double bytes = Stats.BytesCopied + Stats.BytesDeleted;
  double seconds = (double)(now - StartTick) / 1000;
  char amount[32], rate[32];
  FormatAmount(amount, sizeof amount, bytes, "");
  if (CurrentCommand == CMD_DEL)
    snprintf(rate, sizeof rate, "%.0f files/s", seconds > 0 ? files / seconds : 0.0);
  else
    FormatAmount(rate, sizeof rate, seconds > 0 ? bytes / seconds : 0.0, "/s");
  snprintf(text, capacity, "%ld %s, %s, %s  ", files, files == 1 ? "file" : "files", amount, rate);
}

// The columns `length` bytes of ANSI text take on the console.
int TextColumns(const char* text, size_t length, bool utf8) {
  int columns = 0;
  for (size_t at = 0; at < length;) {
    size_t step = CharLength(text + at, length - at, utf8);
    columns += CharColumns(text + at, step, utf8);
    at += step;
  }
  return columns;
}

// The end of `path` that fits in `columns`, cut at a character and led by
// "..." when the start had to go; *taken gets its columns.
void FittingEnd(char* text, size_t capacity, const char* path, int columns, int* taken) {
  bool utf8 = AnsiIsUtf8();
  size_t length = strlen(path);
  int total = TextColumns(path, length, utf8);
  text[0] = '\0';
  *taken = 0;
  if (total <= columns) {
    CopyText(text, capacity, path);
    *taken = total;
    return;
  }
  if (columns <= 3) return;
  const char* start = path;
  while (total > columns - 3) {
    size_t step = CharLength(start, length - (size_t)(start - path), utf8);
    total -= CharColumns(start, step, utf8);
    start += step;
  }
  CopyText(text, capacity, "...");
  AppendText(text, capacity, start);
  *taken = total + 3;
}

// Appends what fits of `length` bytes.
void Put(char* line, size_t* used, const char* text, size_t length) {
  if (length > ProgressCapacity - *used) length = ProgressCapacity - *used;
  memcpy(line + *used, text, length);
  *used += length;
}

void PutBlanks(char* line, size_t* used, int count) {
  for (; count > 0 && *used < ProgressCapacity; count--) line[(*used)++] = ' ';
}

void WriteProgress(const char* line, size_t length) {
  DWORD written;
  if (!WriteFile(ErrorHandle, line, (DWORD)length, &written, nullptr)) {
    Mode = PM_OFF;  // a console that takes no text gets no more lines
    ShownColumns = 0;
  }
}

// Writes the line over the one shown: the counts, then as much of the path's
// end as the width leaves; blanks cover what is left of a longer line.
void DrawProgress(const char* path, ULONGLONG now) {
  int columns = LineColumns();
  char counts[128];
  FormatCounts(counts, sizeof counts, now);
  int countColumns = (int)strlen(counts);
  if (countColumns > columns) countColumns = columns;
  char end[ProgressCapacity];
  int endColumns;
  FittingEnd(end, sizeof end, path, columns - countColumns, &endColumns);
  ToConsoleCodePage(end);
  static char line[ProgressCapacity];
  size_t used = 0;
  Put(line, &used, "\r", 1);
  Put(line, &used, counts, (size_t)countColumns);
  Put(line, &used, end, strlen(end));
  int drawn = countColumns + endColumns;
  PutBlanks(line, &used, ShownColumns - drawn);
  ShownColumns = drawn;
  WriteProgress(line, used);
}

}  // namespace

void NoteProgress(const char* path) {
  if (Mode == PM_OFF) return;
  if (Mode == PM_UNDECIDED) {
    DecideProgress();
    if (Mode == PM_OFF) return;
  }
  ULONGLONG now = GetTickCount64();
  if (DrawnBefore && now - LastDraw < RedrawInterval) return;
  DrawnBefore = true;
  LastDraw = now;
  DrawProgress(path, now);
}

void EraseProgress(void) {
  if (ShownColumns == 0) return;
  static char line[ProgressCapacity];
  size_t used = 0;
  Put(line, &used, "\r", 1);
  PutBlanks(line, &used, ShownColumns);
  Put(line, &used, "\r", 1);
  ShownColumns = 0;
  WriteProgress(line, used);
}
