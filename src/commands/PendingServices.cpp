#include "commands/PendingServices.h"

namespace korvel {

void updateSelectionLayerMask(Editor&) {}

}  // namespace korvel

namespace korvel {

bool cloneSelectedSprites(MapStore&, MapEvents&) { return false; }
bool cloneSelectedSectors(MapStore&, MapEvents&) { return false; }
bool cloneSelectedLoops(MapStore&, MapEvents&) { return false; }
void skySelect(MapStore&, int32_t) {}
bool equalizeCeilingHeights(MapStore&) { return false; }

}  // namespace korvel

namespace korvel {

void build3dView(Editor&) {}

}  // namespace korvel
