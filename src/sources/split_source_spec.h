// The cut of a source specification into its parts.
#pragma once

#include "base/settings.h"

// One part of a source specification.
using SpecPart = char[TextCapacity];

// Fills each requested part (any may be null). Returns false and fills
// nothing when spec is longer than 256 characters.
bool SplitSourceSpec(const char* spec, SpecPart* domain, SpecPart* server, SpecPart* share,
                     SpecPart* drive, SpecPart* directory, SpecPart* file);
