// The domain-controller lookup of account names given as domain\user.
#pragma once

#include <cstddef>

// Writes into `controller` (`capacity` bytes) the name of a controller of
// `domain`, or the empty text when none is found (an empty domain finds none).
void FindDomainController(const char* domain, char* controller, size_t capacity);
