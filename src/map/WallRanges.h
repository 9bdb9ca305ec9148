// The sectors' wall ranges: which sector owns each wall, and whether a sector's range holds
// closed rings. Both are computed at a cost of the walls and sectors, never of the walls times
// the sectors, however a damaged map's ranges overlap.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "map/MapRecords.h"

namespace korvel {

// Walls first..last; empty when last < first.
struct WallRange {
    int32_t first = 0, last = -1;
};

// fillWallOwners for ranges that overlap: from the last sector back, each wall is written once,
// by the last sector that claims it.
void fillOverlappingWallOwners(int32_t sectorCount, int32_t wallCount,
                               const std::function<WallRange(int32_t)>& rangeOf, int16_t* owners);

// owners[w] = s for every wall w in the range of sector s (rangeOf(s), already clamped to the
// walls), the later sector winning where ranges overlap, as if the ranges were written in sector
// order. Walls that no range covers keep their entries. However the ranges overlap, the cost is
// that of the walls and sectors.
template <typename RangeOf>
void fillWallOwners(int32_t sectorCount, int32_t wallCount, RangeOf rangeOf, int16_t* owners) {
    if (wallCount <= 0) return;
    auto usable = [&](const WallRange& r) {
        return r.first >= 0 && r.last < wallCount && r.first <= r.last;
    };
    // Ranges written as they stand cost what they claim, which in a sound map is each wall
    // once. Past twice that the ranges overlap badly, and the walk takes over: it writes every
    // wall they cover once more, with its right owner.
    int64_t budget = 2 * int64_t(wallCount);
    for (int32_t s = 0; s < sectorCount; ++s) {
        const WallRange r = rangeOf(s);
        if (!usable(r)) continue;
        budget -= int64_t(r.last) - r.first + 1;
        if (budget < 0) {
            fillOverlappingWallOwners(sectorCount, wallCount, rangeOf, owners);
            return;
        }
        for (int32_t w = r.first; w <= r.last; ++w) owners[w] = int16_t(s);
    }
}

// The ring rule. Sector s is sound when its range (wallptr, wallnum) lies inside the walls and
// holds at least one wall, no other sector's range shares any of its walls, and its walls form
// closed loops one after another: each wall's point2 is the next wall, or, for the last wall of
// a loop, the loop's first wall, a loop holding at least two walls. sound[s] is 1 for a sound
// sector, else 0.
void findSoundSectors(const SectorRecord* sectors, int32_t sectorCount, const WallRecord* walls,
                      int32_t wallCount, std::vector<uint8_t>& sound);

}  // namespace korvel
