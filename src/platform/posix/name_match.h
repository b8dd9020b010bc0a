// Name comparison without regard to case, and the layer's own wildcard
// matcher for FindFirstFileA patterns. Names are read in the ANSI code page
// in force: under UTF-8 a byte that does not start a valid sequence stands for
// itself and equals no character; under 1252 every byte is its character.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The characters of a Linux name as the core is shown it (each character a
// Win32 name cannot hold counts as its stand-in), case folded away: equal for
// names that show the same but for case, and for no others.
std::vector<uint32_t> FoldedCodePoints(const char* text);
// Sets key to the same as a text to hash or compare: under UTF-8, a plain name
// (AppendFoldedIfPlain) upper-cased, with no decoding; else 0xFF and four
// bytes per character (0xFF is no ASCII character). Equal where
// FoldedCodePoints is equal, and nowhere else.
void FoldedKey(const char* text, std::string& key);

// Appends name with case folded away, and a NUL, to out: UTF-8 of the folded
// code points (a byte that starts no valid sequence as it is), so that
// comparing folded texts byte by byte orders names as NTFS does.
void AppendFoldedName(std::string* out, const char* name);

// True when a and b are the same name ignoring case.
bool NamesEqualIgnoringCase(const char* a, const char* b);

// `*` matches any run of characters, `?` exactly one character (not one
// byte); "*.*" matches every name, also one without a period.
bool MatchWildcardIgnoringCase(const char* pattern, const char* name);
