// Wildcards in the directory part of a source: every existing directory that
// matches is walked, followed by its ~e line.
#pragma once

// Expands the wildcard components of `directory` (which begins and ends with
// '\', or is empty) on the drive or share `location`, one after the other and
// depth first, and walks every concrete directory with `patterns`. A name
// found in a listing is never taken for a wildcard.
void ExpandWildcardPath(const char* domain, const char* server, const char* location,
                        const char* directory, const char* patterns);
