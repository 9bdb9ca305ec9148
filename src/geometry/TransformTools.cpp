#include "geometry/TransformTools.h"

namespace korvel {

// The transform tools arrive with their own change; until then the height shift moves nothing.
void zShiftSelSectors(MapStore&, MapEvents&, int32_t) {}

}  // namespace korvel
