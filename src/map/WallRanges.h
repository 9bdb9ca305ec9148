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

// owners[w] = s for every wall w in the range of sector s (rangeOf(s), already clamped to the
// walls), the later sector winning where ranges overlap, as if the ranges were written in sector
// order. Walls that no range covers keep their entries. Each wall is written once.
void fillWallOwners(int32_t sectorCount, int32_t wallCount,
                    const std::function<WallRange(int32_t)>& rangeOf, int16_t* owners);

// The ring rule. Sector s is sound when its range (wallptr, wallnum) lies inside the walls and
// holds at least one wall, no other sector's range shares any of its walls, and its walls form
// closed loops one after another: each wall's point2 is the next wall, or, for the last wall of
// a loop, the loop's first wall, a loop holding at least two walls. sound[s] is 1 for a sound
// sector, else 0.
void findSoundSectors(const SectorRecord* sectors, int32_t sectorCount, const WallRecord* walls,
                      int32_t wallCount, std::vector<uint8_t>& sound);

}  // namespace korvel
