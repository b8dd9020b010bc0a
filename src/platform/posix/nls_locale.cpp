// The user's locale, opened once from the environment; the process locale
// (setlocale) is left as the program set it.
#include "platform/posix/nls_locale.h"

#include <cstring>

#include "platform/posix/layer_state.h"

namespace {

locale_t OpenUserLocale() {
  locale_t whole = newlocale(LC_ALL_MASK, "", nullptr);
  if (whole) return whole;
  // Some category names a locale the system lacks: take the others.
  locale_t loc = newlocale(LC_ALL_MASK, "C", nullptr);
  const int masks[] = {LC_CTYPE_MASK, LC_NUMERIC_MASK, LC_TIME_MASK,
                       LC_COLLATE_MASK, LC_MONETARY_MASK, LC_MESSAGES_MASK};
  for (int mask : masks) {
    if (!loc) break;
    locale_t next = newlocale(mask, "", loc);
    if (next) loc = next;  // on failure `loc` stays valid and unchanged
  }
  return loc;
}

locale_t UserLocale() {
  if (!Layer.userLocale) Layer.userLocale = OpenUserLocale();
  return Layer.userLocale;
}

}  // namespace

const char* UserLocaleText(nl_item item) {
  locale_t loc = UserLocale();
  if (!loc) return "";
  const char* text = nl_langinfo_l(item, loc);
  return text ? text : "";
}

const char* UserCodeset() { return UserLocaleText(CODESET); }

locale_t UnicodeCaseLocale() {
  if (strcmp(UserCodeset(), "UTF-8") == 0) return UserLocale();
  if (!Layer.unicodeCTypeTried) {
    Layer.unicodeCTypeTried = true;
    Layer.unicodeCType = newlocale(LC_CTYPE_MASK, "C.UTF-8", nullptr);
  }
  return Layer.unicodeCType;
}

const char* MonthName(int month, bool abbreviated) {
  if (month < 1 || month > 12) return "";
  return UserLocaleText((abbreviated ? ABMON_1 : MON_1) + month - 1);
}

const char* DayName(int dayOfWeek, bool abbreviated) {
  if (dayOfWeek < 0 || dayOfWeek > 6) return "";
  return UserLocaleText((abbreviated ? ABDAY_1 : DAY_1) + dayOfWeek);
}

const char* TimeMarker(bool afternoon) { return UserLocaleText(afternoon ? PM_STR : AM_STR); }
