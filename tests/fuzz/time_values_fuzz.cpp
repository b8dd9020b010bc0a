// The time parsers: full dates ("24.12.2024 18:30", "12/24/2024 1:2:3:4") against
// a reference calendar; other texts give 0 or 1 and write the target on success only.
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "params/time_values.h"

namespace {

constexpr size_t TextLimit = 31;  // a time text is read up to 31 characters
constexpr uint64_t TicksPerMillisecond = 10000;
constexpr uint64_t TicksPerSecond = 1000 * TicksPerMillisecond;
constexpr TimeValue Untouched = 0x5A5A5A5A5A5A5A5AULL;

// Days from 1 January 1601 to the given day of the proleptic Gregorian calendar.
int64_t DaysSince1601(int64_t year, int64_t month, int64_t day) {
  year -= month <= 2;
  int64_t era = year / 400;
  int64_t yearOfEra = year - era * 400;
  int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 584694;  // 584694: 1 March 0000 to 1 January 1601
}

int64_t DaysInMonth(int64_t year, int64_t month) {
  static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : days[month - 1];
}

// Splits text at separator into fields of 1 to 9 digits; false otherwise.
bool DigitFields(const std::string& text, char separator, std::vector<uint64_t>* fields) {
  fields->clear();
  size_t start = 0;
  for (;;) {
    size_t end = text.find(separator, start);
    std::string field = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (field.empty() || field.size() > 9 || field.find_first_not_of("0123456789") != std::string::npos)
      return false;
    fields->push_back(std::stoull(field) % 65536);  // the fields are 16 bits wide
    if (end == std::string::npos) return true;
    start = end + 1;
  }
}

// Parses the reference's own subset; false when text is outside it.
// Otherwise *valid tells whether the time exists, *value what it is.
bool ReferenceAbsTime(const std::string& text, bool* valid, TimeValue* value) {
  if (text.size() > TextLimit) return false;
  size_t blank = text.find(' ');
  std::string date = text.substr(0, blank);
  std::string clock = blank == std::string::npos ? "" : text.substr(blank + 1);
  char separator = date.find('/') != std::string::npos ? '/' : '.';
  std::vector<uint64_t> d, c = {0, 0, 0, 0};
  if (!DigitFields(date, separator, &d) || d.size() != 3) return false;
  if (blank != std::string::npos) {
    std::vector<uint64_t> given;
    if (!DigitFields(clock, ':', &given) || given.size() > 4) return false;
    for (size_t i = 0; i < given.size(); ++i) c[i] = given[i];
  }
  int64_t day = separator == '/' ? d[1] : d[0], month = separator == '/' ? d[0] : d[1], year = d[2];
  *valid = year >= 1601 && year <= 30827 && month >= 1 && month <= 12 && day >= 1 &&
           day <= DaysInMonth(year, month) && c[0] <= 23 && c[1] <= 59 && c[2] <= 59 && c[3] <= 999;
  if (*valid) {
    uint64_t seconds = (uint64_t)DaysSince1601(year, month, day) * 86400 + c[0] * 3600 + c[1] * 60 + c[2];
    *value = seconds * TicksPerSecond + c[3] * TicksPerMillisecond;
  }
  return true;
}

void CheckCleanResult(int result, TimeValue value) {
  FUZZ_CHECK(result == 0 || result == 1, "a parser returns 0 or 1");
  FUZZ_CHECK(result == 1 || value == Untouched, "a failed parse leaves the target alone");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text = InputText(data, size);
  TimeValue value = Untouched;
  int result = ParseAbsTime(text.c_str(), &value);
  CheckCleanResult(result, value);
  bool valid = false;
  TimeValue expected = 0;
  if (ReferenceAbsTime(text, &valid, &expected)) {
    FUZZ_CHECK(result == (valid ? 1 : 0), "absolute time accepted differently from the reference");
    FUZZ_CHECK(!valid || value == expected, "absolute time differs from the reference");
  }
  TimeValue delta = Untouched;
  CheckCleanResult(ParseDeltaTime(text.c_str(), &delta), delta);
  return 0;
}
