#include "base/settings.h"

#include "base/run_values.h"
#include "base/statistics.h"

CommandCode CurrentCommand = CMD_INVALID;

char CommandWord[TextCapacity];
char LineBuffer[LineCapacity];
char TargetPath[TextCapacity];

char DomainPattern[TextCapacity];
char ServerPattern[TextCapacity];
char SharePattern[TextCapacity];
char DrivePart[TextCapacity];
char DirectoryPart[TextCapacity];
char FilePatterns[TextCapacity + 1];
int32_t WholeDirectorySpec;
int32_t NeedOwner;
int32_t NeedSecurity;

char FilePermissions[TextCapacity];
int32_t Verbose;
int32_t YesToAll;
int32_t AnsiOutput;
int32_t ShowHelp;
int32_t Recurse;
char AttribsToSet[TextCapacity];
char DirPermissions[TextCapacity];
char NewOwner[TextCapacity];
TimeValue ModTimeToSet;
TimeValue CreateTimeToSet;
TimeValue AccessTimeToSet;
int32_t RemoveDirs;
int32_t CleanupTarget;
int32_t NewerOnly;
int32_t CopyPermissions;
int32_t NoAttribCopy;
int32_t HiddenShareLevel;

char AttribPattern[TextCapacity];
char GrantsPattern[2 * TextCapacity];
char OwnerPattern[2 * TextCapacity];
TimeValue ModifiedBefore, ModifiedAfter;
TimeValue CreatedBefore, CreatedAfter;
TimeValue AccessedBefore, AccessedAfter;
char SizeRange[TextCapacity];
char AceCountRange[TextCapacity];

char FileFormat[TextCapacity];
char ServerFormat[TextCapacity];
char TotalsFormat[TextCapacity];
char AceFormat[TextCapacity];
char DirFormat[TextCapacity];
char OwnerFormat[TextCapacity];
char LocationFormat[TextCapacity];

char DefaultFileFormat[TextCapacity];

RunStatistics Stats;
RunValues Run;
