// Makes the layer behave as under a locale of `codeset` (its ANSI and OEM
// code pages) until the next ResetLayerState.
#pragma once

#include "platform/posix/layer_state.h"

inline void UseCodeset(const char* codeset) {
  Layer.codePages = CodePagesForCodeset(codeset);
  Layer.codePagesKnown = true;
}
