#include "geometry/SectorTileShift.h"

namespace korvel {

void shiftSectorTile(MapStore&, int32_t, int32_t, int32_t, int32_t) {}

}  // namespace korvel
