// The pattern every file action follows: ask unless /y or the action's own
// yes to all, try, take the object over after access denied and try once
// more, report and count.
#pragma once

#include <cstdint>

#include "actions/protection.h"
#include "base/settings.h"
#include "base/statistics.h"
#include "output/standard_output.h"
#include "platform/win32.h"

// The kinds of action that ask, each with its own yes to all.
enum ActionKind { AK_PROTECTION, AK_DELETE, AK_REMOVE, AK_COPY, AK_REPLACE, AK_CREATE, AK_COUNT };

// The run's yes-to-all answers per kind, set by an A answer to that kind's
// prompt. Cleared at the start of the run.
struct ActionAnswers {
  int32_t yesToAll[AK_COUNT];
};
extern ActionAnswers ActionYesToAll;

// Shows the prompt and reads the answer; a no counts in "actions skipped"
// (except for the protection removal).
bool AskAction(ActionKind kind, const char* prompt);

// True when an action of `kind` goes ahead without asking: under /y or
// after an A to its kind.
inline bool AnsweredBefore(ActionKind kind) { return YesToAll || ActionYesToAll.yesToAll[kind]; }

// True when the action goes ahead: at once under /y or after an A to its
// kind, else after a yes. `compose(prompt)` fills the prompt (LineCapacity
// bytes) only when it is shown.
template <typename Compose>
bool ConfirmAction(ActionKind kind, Compose compose) {
  if (AnsweredBefore(kind)) return true;
  char prompt[LineCapacity];
  compose(prompt);
  return AskAction(kind, prompt);
}

// The same for a prompt `format` that names one or two texts, composed in
// 256 bytes (a longer prompt is cut and still ends its line).
bool ConfirmAction(ActionKind kind, const char* format, const char* first, const char* second = nullptr);

// The operation, and after a refusal with access denied the take-over of
// `object` and the operation once more. GetLastError tells the last failure.
template <typename Operation>
bool TryAction(Operation operation, const char* object) {
  if (operation()) return true;
  if (GetLastError() != ERROR_ACCESS_DENIED) return false;
  RemoveProtection(object);
  return operation();
}

// The line of an action done, "<head><first>[<middle><second>]\n", on
// standard output: its parts copied straight into the output buffer, as it
// is printed once per file.
void PrintActionDone(const char* head, const char* first, const char* middle = nullptr, const char* second = nullptr);

// The failure line on standard error and one more "errors detected"; false.
template <typename... Values>
bool ActionFailed(const char* format, Values... values) {
  PrintError(format, values...);
  Stats.ErrorsDetected++;
  return false;
}
