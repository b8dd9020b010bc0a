// Run-wide settings: written once by the parser and the start-up steps of the
// entry, read everywhere else. One instance each, for the whole run.
#pragma once

#include <cstdint>

#include "base/time_value.h"
#include "platform/win32.h"

typedef int32_t CommandCode;

enum : CommandCode {
  CMD_DEL = 2,
  CMD_SET = 3,
  CMD_UPD = 16,
  CMD_VER = 30,
  CMD_COP = 70,
  CMD_MIR = 72,
  CMD_SHO = 100,
  CMD_HEL = 901,
  CMD_INVALID = -1,
};

// cop, upd and mir: the commands that bring files into a target.
constexpr bool IsCopyCommand(CommandCode code) {
  return code == CMD_COP || code == CMD_UPD || code == CMD_MIR;
}

constexpr int TextCapacity = 256;      // parameter texts, patterns, spec parts
constexpr int LineCapacity = 2048;     // LineBuffer and format files
constexpr int PathCapacity = 512;      // paths of the walk

extern CommandCode CurrentCommand;

// Positional parameters. The source specification is parsed into LineBuffer.
extern char CommandWord[TextCapacity];
extern char LineBuffer[LineCapacity];
extern char TargetPath[TextCapacity];
#define SourceSpec LineBuffer

// Parts of the source specification (set by the entry).
extern char DomainPattern[TextCapacity];
extern char ServerPattern[TextCapacity];
extern char SharePattern[TextCapacity];
extern char DrivePart[TextCapacity];
extern char DirectoryPart[TextCapacity];
extern char FilePatterns[TextCapacity + 1];  // PatternList: entries ended by NUL, then an empty one
extern int32_t WholeDirectorySpec;
extern int32_t NeedOwner;
extern int32_t NeedSecurity;

// Options (/).
extern char FilePermissions[TextCapacity];   // /g
extern int32_t Verbose;                      // /v
extern int32_t YesToAll;                     // /y
extern int32_t AnsiOutput;                   // /A
extern int32_t ShowHelp;                     // /?
extern int32_t Recurse;                      // /S
extern char AttribsToSet[TextCapacity];      // /a
extern char DirPermissions[TextCapacity];    // /G
extern char NewOwner[TextCapacity];          // /o
extern TimeValue ModTimeToSet;               // /M
extern TimeValue CreateTimeToSet;            // /C
extern TimeValue AccessTimeToSet;            // /L
extern int32_t RemoveDirs;                   // /E
extern int32_t CleanupTarget;                // /d
extern int32_t NewerOnly;                    // /T
extern int32_t CopyPermissions;              // /P
extern int32_t NoAttribCopy;                 // /n
extern int32_t HiddenShareLevel;             // /h

// Criteria (-, and + for the lower time bounds).
extern char AttribPattern[TextCapacity];     // -a
extern char GrantsPattern[2 * TextCapacity]; // -g
extern char OwnerPattern[2 * TextCapacity];  // -o
extern TimeValue ModifiedBefore, ModifiedAfter;   // -M, +M
extern TimeValue CreatedBefore, CreatedAfter;     // -C, +C
extern TimeValue AccessedBefore, AccessedAfter;   // -L, +L
extern char SizeRange[TextCapacity];         // -s
extern char AceCountRange[TextCapacity];     // -T

// Formats (~).
extern char FileFormat[TextCapacity];        // ~F
extern char ServerFormat[TextCapacity];      // ~S
extern char TotalsFormat[TextCapacity];      // ~T
extern char AceFormat[TextCapacity];         // ~g
extern char DirFormat[TextCapacity];         // ~d
extern char OwnerFormat[TextCapacity];       // ~o
extern char LocationFormat[TextCapacity];    // ~e

// The default of ~F: BELMIX_FORMAT, else "~f".
extern char DefaultFileFormat[TextCapacity];
