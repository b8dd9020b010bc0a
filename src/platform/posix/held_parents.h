// The directories that located paths outside the current directory lie in
// (a walk's target directories), held open from their drive's root down so
// that the entries in them are reached relative to a descriptor.
#pragma once

#include <sys/stat.h>

#include <memory>
#include <string>

#include "platform/posix/path_lookup.h"

// The held directory posixDir, where root is its drive's root: the deepest
// one held on its way is checked by its path (statx, the identity it had
// when it was opened; the path followed from the first held directory, a
// drive's root trusted as opened), the rest opened from it name by name without
// following a link. A link met there is followed (as Windows follows a
// junction) unless a held directory of that path was found replaced, which
// refuses (null, refused set): a directory swapped for a link during a run
// never leads its entries out of the tree. Null with errno set when the
// directory cannot be held (also one more than 128 levels below its drive's
// root); stx is the directory's state when it is held.
std::shared_ptr<HeldDirectory> HoldParentDirectory(const std::string& root, const std::string& posixDir,
                                                   struct statx& stx, bool& refused);

// Lets go of the held directory posixDir and those below it: the layer
// removed it.
void ForgetHeldDirectory(const std::string& posixDir);
