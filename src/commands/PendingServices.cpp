#include "commands/PendingServices.h"

namespace korvel {

bool cloneSelectedSprites(MapStore&, MapEvents&) { return false; }
bool cloneSelectedSectors(MapStore&, MapEvents&) { return false; }
bool cloneSelectedLoops(MapStore&, MapEvents&) { return false; }

}  // namespace korvel
