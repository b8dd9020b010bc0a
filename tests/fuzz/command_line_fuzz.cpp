// The splitter drops only blanks and quotes, words inside the line; the parser over
// keltro's tables returns a valid result and leaves every text setting terminated.
#include <cstdint>
#include <cstring>
#include <string>

#include "base/param_tables.h"
#include "fuzz_support.h"
#include "params/command_line.h"

namespace {

std::string WithoutBlanksAndQuotes(std::string text) {
  std::erase_if(text, [](char c) { return c == ' ' || c == '"'; });
  return text;
}

void CheckSplit(const std::string& input) {
  std::string line = input;
  char* words[MaxCommandWords];
  int count = SplitCommandLine(line.data(), words, MaxCommandWords);
  FUZZ_CHECK(count >= 0 && count <= MaxCommandWords + 1, "word count out of range");
  if (count > MaxCommandWords) return;  // the excess is left unsplit
  std::string joined;
  const char* end = line.data() + line.size();
  for (int i = 0; i < count; ++i) {
    FUZZ_CHECK(words[i] >= line.data() && words[i] <= end, "a word outside the line");
    FUZZ_CHECK(i == 0 || words[i] > words[i - 1], "words out of order");
    joined += words[i];
  }
  FUZZ_CHECK(WithoutBlanksAndQuotes(joined) == WithoutBlanksAndQuotes(input),
             "the splitter lost or invented characters");
}

void CheckTextsTerminated(const ParamDescriptor* table) {
  for (; table->type != PT_NONE; ++table)
    if (table->type == PT_STRING || table->type == PT_RANGE)
      FUZZ_CHECK(strnlen((const char*)table->target, table->capacity) < table->capacity,
                 "a text setting is not terminated");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string input = InputText(data, size);
  CheckSplit(input);

  std::string line = "keltro " + input;  // the first word is the program name
  FillParamTables();                     // every row back to its unparsed state
  int result = ParseCommandLineText(line.data(), ParameterTable, OptionTable, CriteriaTable, FormatTable);
  FUZZ_CHECK(result >= -1 && result <= MaxCommandWords, "parse result out of range");
  for (const ParamDescriptor* table : {ParameterTable, OptionTable, CriteriaTable, FormatTable})
    CheckTextsTerminated(table);
  return 0;
}
