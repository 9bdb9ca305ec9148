#include "geometry/SectorSlope.h"

namespace korvel {

void updateSectorSlope(MapStore& map, int32_t sector) {
    if (!isSector(map, sector)) return;
    SectorRecord& s = map.sectors[sector];
    const auto withSlope = [](uint16_t stat, int16_t heinum) {
        return uint16_t(heinum != 0 ? stat | kSurfaceSloped : stat & ~kSurfaceSloped);
    };
    s.ceilingstat = withSlope(s.ceilingstat, s.ceilingheinum);
    s.floorstat = withSlope(s.floorstat, s.floorheinum);
}

}  // namespace korvel
