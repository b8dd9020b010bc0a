#include "platform/posix/layer_state.h"

#include "platform/posix/path_lookup.h"

LayerState Layer;

void ResetLayerState() {
  ForgetCurrentDirectory();  // closes the directory's descriptor
  if (Layer.userLocale) freelocale(Layer.userLocale);
  if (Layer.unicodeCType) freelocale(Layer.unicodeCType);
  Layer = LayerState{};
}
