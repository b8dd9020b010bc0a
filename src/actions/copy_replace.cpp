#include "actions/copy_replace.h"

#include "actions/action_pattern.h"
#include "base/time_value.h"
#include "output/format_output.h"
#include "output/progress.h"

// The replace prompt: the target after "Replace", the source after "with".
static const char ReplacePrompt[] = "Replace\n\t~n\n\t~s Bytes\n\t~t\nwith\n\t~N\n\t~S Bytes\n\t~T\n";

static void ReportCopied(const char* source, uint32_t size, const char* targetDirectory) {
  PrintActionDone("KELTRO-INFO, copy: ", source, " -> ", targetDirectory);
  Stats.FilesCopied++;
  Stats.BytesCopied += size;
}

bool CopyNew(const char* source, uint32_t size, const char* targetDirectory, const char* targetFile,
             DWORD firstError) {
  NoteProgress(source);
  if (!ConfirmAction(AK_COPY, "Copy %s to %s ?\n", source, targetDirectory)) return false;
  auto copy = [&] {
    if (!firstError) return CopyFileA(source, targetFile, TRUE) != 0;
    SetLastError(firstError);  // the try already made
    firstError = 0;
    return false;
  };
  // A directory that refuses the new file is taken over, not the file.
  if (!TryAction(copy, targetDirectory)) {
    return ActionFailed("KELTRO-ERROR, cannot copy %s to %s, error=%ld\n", source, targetDirectory,
                        (long)GetLastError());
  }
  ReportCopied(source, size, targetDirectory);
  return true;
}

bool CopyUnasked(const char* source, uint32_t size, const char* targetDirectory, const char* targetFile) {
  NoteProgress(source);
  if (!CopyFileA(source, targetFile, TRUE)) return false;
  ReportCopied(source, size, targetDirectory);
  return true;
}

bool ReplaceExisting(const char* source, uint32_t sourceSize, FILETIME sourceTime, const char* targetFile,
                     uint32_t targetSize, FILETIME targetTime) {
  NoteProgress(source);
  auto compose = [&](char* prompt) {
    // Sizes show as the walk's ~s does: 32-bit numbers.
    int32_t sourceBytes = (int32_t)sourceSize, targetBytes = (int32_t)targetSize;
    uint64_t sourceWritten = TimeValueOf(sourceTime), targetWritten = TimeValueOf(targetTime);
    const PlaceholderEntry table[] = {
        {PK_NUMBER, 'S', &sourceBytes},  {PK_NUMBER, 's', &targetBytes}, {PK_FILETIME, 'T', &sourceWritten},
        {PK_FILETIME, 't', &targetWritten}, {PK_TEXT, 'N', source},        {PK_TEXT, 'n', targetFile},
        {PK_END, 0, nullptr}};
    FormatOutput(ReplacePrompt, prompt, table, LineCapacity);
  };
  if (!ConfirmAction(AK_REPLACE, compose)) return false;
  if (!TryAction([&] { return CopyFileA(source, targetFile, FALSE); }, targetFile)) {
    return ActionFailed("KELTRO-ERROR, cannot replace %s, error=%ld\n", targetFile, (long)GetLastError());
  }
  PrintActionDone("KELTRO-INFO, replace: ", targetFile);
  Stats.FilesReplaced++;
  Stats.BytesCopied += sourceSize;
  Stats.BytesDeleted += sourceSize;
  return true;
}
