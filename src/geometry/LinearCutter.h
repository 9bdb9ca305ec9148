// The linear cutter: every shown sector cut along a straight segment, and the subdivision of
// walls at the vertices that lie on them.
#pragma once

#include <cstdint>

#include "geometry/ShapeFeed.h"
#include "map/MapEvents.h"
#include "map/MapStore.h"

namespace korvel {

struct CutSegment {
    int32_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

// Puts a vertex wherever the segment meets a wall of a shown sector (both sides of a two-sided
// wall get the same one) and, unless verticesOnly, splits each sector between consecutive
// meeting points through the polygon tool. With `bounded` the cut ends at the first one-sided
// wall it leaves by. A sector holding the start strictly inside is not split at its first
// piece. Refused (false, message, the map as it was) when the segment meets no wall or there
// is no room for the vertices.
bool linearCutter(MapStore& map, MapEvents& events, ShapeFeed& feed, const CutSegment& cut,
                  bool bounded, bool verticesOnly);

// Splits every shown, selected wall at each vertex of a shown wall lying on it within one unit,
// then links those walls again. False when nothing was split.
bool splitWallsAtVertices(MapStore& map, MapEvents& events, bool autoWallSquare);

}  // namespace korvel
