#include "actions/action_pattern.h"

#include <cstdio>

#include "output/console.h"

ActionAnswers ActionYesToAll;

bool AskAction(ActionKind kind, const char* prompt) {
  if (AskConfirm(prompt, &ActionYesToAll.yesToAll[kind])) return true;
  // A declined take-over is no skipped action: the action that needed it
  // fails on its own.
  if (kind != AK_PROTECTION) Stats.ActionsSkipped++;
  return false;
}

bool ConfirmAction(ActionKind kind, const char* format, const char* first, const char* second) {
  return ConfirmAction(kind, [&](char* prompt) { snprintf(prompt, LineCapacity, format, first, second); });
}
