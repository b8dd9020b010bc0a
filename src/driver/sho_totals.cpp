// The per-owner lines and the totals line that end a sho run.
#include <cstring>

#include "driver/entry.h"
#include "base/statistics.h"
#include "output/console.h"
#include "base/bounded_text.h"
#include "walk/owner_totals.h"

void PrintOwnerLines(void) {
  if (!OwnerFormat[0]) return;
  int32_t files = 0;
  int32_t index = 0;
  double bytes = 0;
  char domain[TextCapacity];
  PlaceholderEntry table[] = {
      {PK_NUMBER, 'T', &files}, {PK_NUMBER, 'i', &index}, {PK_DOUBLE, 's', &bytes},
      {PK_TEXT, 'o', nullptr},  {PK_TEXT, 'x', domain},   {PK_TEXT, 'u', nullptr},
      {PK_END, 0, nullptr},
  };
  for (index = 0; index < OwnerTotals.Count; ++index) {
    files = OwnerTotals.Files[index];
    bytes = OwnerTotals.Bytes[index];
    const char* owner = OwnerName(index);
    const char* backslash = strchr(owner, '\\');
    CopyTextN(domain, sizeof domain, owner, backslash ? (size_t)(backslash - owner) : strlen(owner));
    table[3].value = owner;                              // o: domain\user
    table[5].value = backslash ? backslash + 1 : "";     // u: the part after the backslash
    PrintListingLine(OwnerFormat, table);
  }
}

void PrintTotalsLine(void) {
  if (!TotalsFormat[0]) return;
  const PlaceholderEntry table[] = {
      {PK_NUMBER, 'T', &Stats.Files},          {PK_NUMBER, 'S', &Stats.ServerCounter},
      {PK_DOUBLE, 's', &Stats.Bytes},          {PK_NUMBER, 'd', &Stats.Subdirectories},
      {PK_NUMBER, 'o', &OwnerTotals.Count},    {PK_NUMBER, 'e', &Stats.LocationCounter},
      {PK_END, 0, nullptr},
  };
  PrintListingLine(TotalsFormat, table);
}
