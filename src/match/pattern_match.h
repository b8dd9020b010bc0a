// Wildcard matching of names against patterns.
#pragma once

// True when text is present, not empty and holds '*' or '?'.
bool HasWildcards(const char* text);

// '*' any run, '?' one character. A missing pattern matches everything, a
// missing text nothing. Case-insensitive unless caseSensitive.
bool MatchPattern(const char* text, const char* pattern, bool caseSensitive);

// First matching entry decides; entries beginning with '!' exclude.
bool MatchPatternList(const char* text, const char* patternList);
