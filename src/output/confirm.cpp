// The yes/no/all prompt. Answers are read one byte at a time, so that answers
// fed through a pipe are taken one line per prompt.
#include <cstdio>
#include <cstring>

#include "base/settings.h"
#include "output/console.h"
#include "base/bounded_text.h"
#include "output/progress.h"
#include "output/standard_output.h"
#include "platform/win32.h"

static const char AnswerLine[] = "\aN=no/Y=yes/A=yes to all (Default:N) ";

enum Answer { ANSWER_NO, ANSWER_YES, ANSWER_ALL };

// Writes the prompt in the OEM code page (converted from a copy, so that
// asking again with the same text converts it exactly once) and the answer line.
static void ShowPrompt(const char* prompt) {
  char text[LineCapacity];
  CopyText(text, prompt);
  ToConsoleCodePage(text);
  WriteOutput(text, strlen(text));
  WriteOutput(AnswerLine, sizeof AnswerLine - 1);
  FlushOutput();
}

// The first character of the next answer line; the rest of that line is
// read and dropped. EOF at the end of input.
static int ReadAnswer(void) {
  static bool unbuffered = false;
  if (!unbuffered) {
    setvbuf(stdin, nullptr, _IONBF, 0);
    unbuffered = true;
  }
  int answer = getchar();
  for (int c = answer; c != '\n' && c != EOF;) c = getchar();
  return answer;
}

static Answer Ask(const char* prompt) {
  // Typed-ahead console input is not taken as this answer.
  FlushConsoleInputBuffer(GetStdHandle(STD_INPUT_HANDLE));
  EraseProgress();  // also when the prompt itself goes to a file
  ShowPrompt(prompt);
  switch (ReadAnswer()) {
    case 'A':
    case 'a':
      return ANSWER_ALL;
    case 'Y':
    case 'y':
      return ANSWER_YES;
    default:
      return ANSWER_NO;
  }
}

bool AskConfirm(const char* prompt, int32_t* actionFlag) {
  if (YesToAll) return true;
  Answer answer = Ask(prompt);
  if (answer == ANSWER_ALL) *actionFlag = 1;
  return answer != ANSWER_NO;
}

bool AskConfirmGlobal(const char* prompt) {
  if (YesToAll) return true;
  Answer answer = Ask(prompt);
  if (answer == ANSWER_ALL) YesToAll = 1;
  return answer != ANSWER_NO;
}
