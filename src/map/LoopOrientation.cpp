#include "map/LoopOrientation.h"

namespace korvel {

bool isWallLoopClockwise(const MapStore& map, int32_t w) {
    if (map.wallCount == 0) return false;
    const int32_t start = clampWall(map, w);
    int32_t steps = map.wallCount;
    if (map.sectorCount > 0) {
        const int32_t n = map.sectors[clampSector(map, map.wallSector[start])].wallnum;
        if (n < steps) steps = n;
    }
    double sum = 0;
    int32_t cur = start;
    for (int32_t i = 0; i < steps; ++i) {
        const int32_t next = clampWall(map, map.walls[cur].point2);
        const WallRecord& a = map.walls[cur];
        const WallRecord& b = map.walls[next];
        sum += (double(b.y) + a.y) * (double(b.x) - a.x) / 2;
        cur = next;
        if (cur == start) break;
    }
    return sum > 0;
}

}  // namespace korvel
