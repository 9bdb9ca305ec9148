#include "geometry/SectorSplit.h"

namespace korvel {

// The split arrives with its own change; until then no path splits a sector.
bool allowSectorSplit(const MapStore&, int32_t, int32_t, int32_t, int32_t) {
    return false;
}
void splitSector(MapStore&, MapEvents&, ShapeFeed&, int32_t, int32_t) {}

}  // namespace korvel
