#include "geometry/SectorBooleans.h"

namespace korvel {

// The boolean operations arrive with their own change; until then they leave the map alone.
void intersectSectors(MapStore&, MapEvents&, ShapeFeed&, int32_t, int32_t) {}
void joinSectors(MapStore&, MapEvents&, ShapeFeed&, int32_t, int32_t) {}
void subtractSectorsAB(MapStore&, MapEvents&, ShapeFeed&, int32_t, int32_t) {}
void subtractSectorsBA(MapStore&, MapEvents&, ShapeFeed&, int32_t, int32_t) {}
void insertCrossingVertices(MapStore&, MapEvents&, int32_t, int32_t, int32_t) {}

}  // namespace korvel
