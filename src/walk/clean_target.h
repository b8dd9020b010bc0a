// The mirror clean-up of /d: what a target directory holds beyond its source
// directory is deleted, whole subtrees with /S.
//
// Deletions never leave the target tree: the target is entered from its root
// one name at a time, and every step down is a subdirectory of the directory
// the walk holds, which the platform opens without following a link. A
// target directory swapped for a link during the run is therefore not entered.
#pragma once

#include <cstddef>

#include "base/settings.h"
#include "walk/source_names.h"

// The length of TargetPath at the root of the walk (the target as typed).
extern size_t TargetRootLength;

// The directory being emptied by RemoveTree, ending in '\'.
extern char RemovalPath[PathCapacity];

// Deletes every entry of the directory TargetPath whose name the list lacks
// (subdirectories only with /S, by RemoveTree).
void CleanTarget(SourceNameList* list);

// Deletes everything below `path` (ending in '\', a subdirectory of the
// current directory), then the directory itself; ends in its parent. A
// subtree too deep for RemovalPath is reported and left in place.
void RemoveTree(const char* path);
