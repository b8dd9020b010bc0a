// Wildcard matching of names against patterns, and the cut of a source
// specification into its parts.
#pragma once

// True when text is present, not empty and holds '*' or '?'.
bool HasWildcards(const char* text);

// '*' any run, '?' one character. A missing pattern matches everything, a
// missing text nothing. Case-insensitive unless caseSensitive.
bool MatchPattern(const char* text, const char* pattern, bool caseSensitive);

// First matching entry decides; entries beginning with '!' exclude.
bool MatchPatternList(const char* text, const char* patternList);

// Fills each requested part (any may be null, each 256 bytes). Returns false
// and fills nothing when spec is longer than 256 characters.
bool SplitSourceSpec(const char* spec, char* domain, char* server, char* share, char* drive,
                     char* directory, char* file);
