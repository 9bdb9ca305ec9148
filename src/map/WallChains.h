// Where following point2 leads from each wall, computed for all walls at once at the cost of the
// walls: whether a wall lies on a cycle of the point2 chain and how long that cycle is, the wall
// before it on its cycle, and how far along the chain the next wall lies that does not hand on
// to the wall stored after it. A point2 outside the walls is read as clamped, so every wall has
// exactly one successor.
#pragma once

#include <cstdint>
#include <vector>

#include "map/MapStore.h"

namespace korvel {

constexpr int32_t kNoDistance = INT32_MAX;

struct WallChains {
    std::vector<int32_t> cycleLength;  // 0: following point2 from the wall never comes back
    std::vector<int32_t> previous;     // on a cycle: the wall whose point2 leads here; else -1
    // Steps from the wall to the first wall c (itself included) whose point2 is not c + 1, or
    // kNoDistance when the chain holds none.
    std::vector<int32_t> stepsToLoopEnd;
};

// The successor of wall w (0 <= w < walls) in the chain: point2 clamped to the walls.
inline int32_t chainNext(const WallRecord* records, int32_t walls, int32_t w) {
    const int32_t p = records[w].point2;
    return p < 0 ? 0 : (p >= walls ? walls - 1 : p);
}

// The chains of the first `walls` records (at most the capacity).
void findWallChains(const WallRecord* records, int32_t walls, WallChains& out);

}  // namespace korvel
