#include "walk/entry_handling.h"

#include "base/settings.h"

bool HandleEntry(const WIN32_FIND_DATAA* entry) {
  switch (CurrentCommand) {
    case CMD_SHO:
      return ShowEntry();
    case CMD_DEL:
      return DeleteEntry(entry);
    case CMD_SET:
      return SetEntry(entry);
    case CMD_COP:
    case CMD_UPD:
    case CMD_MIR:
      return CopyEntry(entry);
    default:
      return false;
  }
}
