// SIDs between their binary form (as the layer keeps them, in std::string
// bytes) and the text Samba's tools print and read ("S-1-22-1-0").
#pragma once

#include <string>

#include "platform/win32.h"

// "S-1-5-21-1-2-3" as the binary SID; empty when the text is none.
std::string SidOfText(const std::string& text);

// The text of a valid SID: "S-1-" and its authority (in hex from 2^32 on,
// as Windows writes it), then each sub-authority.
std::string TextOfSid(const void* sid);
