// The reel, arch and sphere generators: curved structures built of many small sloped sectors,
// each piece handed to the shape feed as clicked corners and then given its heights and slopes.
#pragma once

#include <cstdint>

#include "base/Mainm.h"
#include "geometry/ShapeFeed.h"
#include "map/MapEvents.h"
#include "map/MapStore.h"

namespace korvel {

// A tube lying along a segment: a z axis, a cross-section ratio (10000 = circle), a radius and a
// number of strips.
struct ReelParams {
    int32_t reelA = 0, reelB = 10000, reelC = 16, reelD = 2048;
};
// A vaulted passage: crown floor and ceiling z, full width; floor and ceiling rise, strips.
struct ArchParams {
    int32_t arch1A = 0, arch1B = 0, arch1C = 0;
    int32_t arch2A = 0, arch2B = 0, arch2C = 0;
};
// A dome or bowl: centre floor and ceiling z, sides; floor and ceiling drop, rings.
struct SphereParams {
    int32_t sphere1A = 0, sphere1B = 0, sphere1C = 0;
    int32_t sphere2A = 0, sphere2B = 0, sphere2C = 0;
};

struct GeneratorResult {
    int32_t piecesBuilt = 0;   // pieces that became sectors
    int32_t piecesSkipped = 0; // pieces the feed did not close
    bool refused = false;      // nothing was tried; the reason went to the status line
};

// p0 and p1 are the ends of the axis (reel, arch) or the centre and a rim point (sphere). With
// coincident points nothing is built and nothing is said. Counts below what the setup pages
// allow give message 1198, a structure too flat to have pieces or with corners beyond the
// 32-bit range 1387, one that would not fit the map's capacity the no-room message; in each
// case before any piece is built. Every new sector is the last one when it is made.
GeneratorResult buildReel(MapStore& map, MapEvents& events, ShapeFeed& feed, const ReelParams& p,
                          IntPoint p0, IntPoint p1);
GeneratorResult buildArch(MapStore& map, MapEvents& events, ShapeFeed& feed, const ArchParams& p,
                          IntPoint p0, IntPoint p1);
GeneratorResult buildSphere(MapStore& map, MapEvents& events, ShapeFeed& feed,
                            const SphereParams& p, IntPoint p0, IntPoint p1);

// floor(v + 0.5) limited to lo..hi; NaN gives 0.
int64_t roundClamped(double v, int64_t lo, int64_t hi);

}  // namespace korvel
