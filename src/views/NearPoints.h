#pragma once
// The walks over every wall and sprite that the plan view takes each frame to find the few near
// the view. They read only the records' positions and links, and run four records to a step
// where the processor allows; the plain forms give the same results one record at a time.
#include <cstdint>

#include "map/MapRecords.h"

namespace korvel {

// A window's edges as 32-bit limits: beyond the left edge is x < left, beyond the right one
// x > right, below y > below, above y < above.
struct NearLimits {
    int32_t left = 0, right = 0, below = 0, above = 0;
};

// For each of the first n walls: the edges its start point lies beyond (bits 1 left, 2 right,
// 4 below, 8 above) into sides, and its point2 cut to 0..n-1 into ends. n at most kMaxWalls.
void placeWallPoints(const WallRecord* walls, int32_t n, const NearLimits& limits,
                     uint8_t* sides, uint16_t* ends);
void placeWallPointsPlain(const WallRecord* walls, int32_t n, const NearLimits& limits,
                          uint8_t* sides, uint16_t* ends);

// Lists in index order the walls i < n whose line may cross the window: those whose start and
// end (ends[i]) do not lie beyond one same edge. Gives the count. sides holds n entries.
int32_t listNearWalls(const uint8_t* sides, const uint16_t* ends, int32_t n, int32_t* near);
int32_t listNearWallsPlain(const uint8_t* sides, const uint16_t* ends, int32_t n, int32_t* near);

// Lists in index order the sprites i < n placed beyond no edge of the window. Gives the count.
int32_t listSpritesInside(const SpriteRecord* sprites, int32_t n, const NearLimits& limits,
                          int32_t* inside);
int32_t listSpritesInsidePlain(const SpriteRecord* sprites, int32_t n, const NearLimits& limits,
                               int32_t* inside);

}  // namespace korvel
