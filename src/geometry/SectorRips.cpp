#include "geometry/SectorRips.h"

namespace korvel {

// The rips arrive with their own change; until then they leave the map alone.
void ripSectors(MapStore&, MapEvents&, ShapeFeed&, int32_t, int32_t) {}
void multiSectorRip(MapStore&, MapEvents&, ShapeFeed&) {}

}  // namespace korvel
