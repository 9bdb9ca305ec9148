// Splitting a sector along a path drawn between two of its vertices.
#pragma once

#include <cstdint>

#include "geometry/ShapeFeed.h"
#include "map/MapEvents.h"
#include "map/MapStore.h"

namespace korvel {

// The drawn path: points 0..m, point 0 on the start vertex of wall b, point m on that of wall a.
struct SplitPath {
    const int32_t* xs = nullptr;
    const int32_t* ys = nullptr;
    int32_t m = 0;
};

// What a path may do to the sector of walls a and b.
enum class SplitState : uint8_t {
    Refused = 0,
    JoinsLoops = 1,   // b lies on another loop than a: the path joins the two loops
    SplitsSector = 2  // both lie on one loop: the path cuts the sector in two
};

// Whether the path from the vertex of wall b to the vertex of wall a may split their sector.
// eitherSide lets a path run outside the sector between its ends (both ends leaving or both
// entering); skipEdgeTest lets a segment retrace a wall.
SplitState allowSectorSplit(const MapStore& map, const SplitPath& path, int32_t a, int32_t b,
                            bool eitherSide, bool skipEdgeTest);
// Splits the sector of walls a and b along the path, feeding the parts; a = b is a closed path
// from that vertex round and back. The path is copied first, so it may live in what the feed
// writes. Refused (false, the map as it was) for walls out of range or of different sectors,
// a path of no segment, a closed path of area 0 or no room for the parts.
bool splitSector(MapStore& map, MapEvents& events, ShapeFeed& feed, const SplitPath& path,
                 int32_t a, int32_t b);

}  // namespace korvel
