// The cut of a source specification into its parts.
#pragma once

// Fills each requested part (any may be null, each 256 bytes). Returns false
// and fills nothing when spec is longer than 256 characters.
bool SplitSourceSpec(const char* spec, char* domain, char* server, char* share, char* drive,
                     char* directory, char* file);
