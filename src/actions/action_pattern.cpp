#include "actions/action_pattern.h"

#include <cstdio>

#include "output/console.h"

ActionAnswers ActionYesToAll;

bool AskAction(ActionKind kind, const char* prompt) {
  if (AskConfirm(prompt, &ActionYesToAll.yesToAll[kind])) return true;
  // A declined take-over is no skipped action: the action that needed it
  // fails on its own.
  if (kind != AK_PROTECTION) Stats.ActionsSkipped++;
  // A run that ends on a declined action (the target directory at start-up)
  // ends with the code of a cancelled operation, not a stale one.
  SetLastError(ERROR_CANCELLED);
  return false;
}

// A prompt named by a format is composed in 256 bytes, as the set question
// is: a longer text is cut there and still ends its line.
constexpr int PromptCapacity = 256;

bool ConfirmAction(ActionKind kind, const char* format, const char* first, const char* second) {
  return ConfirmAction(kind, [&](char* prompt) {
    if (snprintf(prompt, PromptCapacity, format, first, second) >= PromptCapacity) prompt[PromptCapacity - 2] = '\n';
  });
}

void PrintActionDone(const char* head, const char* first, const char* middle, const char* second) {
  if (middle) WriteOutputParts({head, first, middle, second});
  else WriteOutputParts({head, first});
}
