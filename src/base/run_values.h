// What a run derives from its parameters and its environment, in one place:
// worked out once, after parsing, by WorkOutRunValues (walk/run_values.h),
// and read for every entry and line. Tests that set parameters by hand call
// WorkOutRunValues after them, or, below the walk, the reads of their layer.
#pragma once

#include "base/param_table.h"

constexpr char RunTimeLetters[] = "MLC";
constexpr int PictureCapacity = 16;

struct RunValues {
  // Which of an entry's times (M, L, C, in RunTimeLetters' order) anything
  // in the run reads: a command other than sho, a criterion of that letter,
  // or a ~F format with a '~' before it. Converting a time to local time is
  // a good part of the cost of an entry.
  bool TimeNeeded[sizeof RunTimeLetters - 1];
  // The first row of CriteriaTable with each letter; null where there is none
  // or where it passes every value (a text not given, an empty range not
  // given, a time not given of a time not read); CriteriaTested when any is left.
  ParamDescriptor* CriterionRows[256];
  bool CriteriaTested;

  // Read by ReadOutputConventions (output/value_text.h): the user locale's
  // thousands separator ("." and seven blanks until a read succeeds), the
  // date and time pictures of QX_DATE_FORMAT and QX_TIME_FORMAT, and the
  // current year that "never" is measured against.
  char ThousandsSeparator[9] = ".       ";
  char DatePicture[PictureCapacity] = "dd.MM.yyyy ";
  char TimePicture[PictureCapacity] = "HH:mm";
  int CurrentYear = 0;
};

extern RunValues Run;
