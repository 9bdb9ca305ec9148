#include "geometry/SkyAndSpriteTools.h"

#include <algorithm>
#include <cmath>

#include "base/Mainm.h"
#include "geometry/SpritePrimitives.h"
#include "map/GeometryQueries.h"

namespace korvel {

namespace {

constexpr double kBuildAngleUnit = 325.949323452202;  // 2048 per turn

bool offsetsApply(const MapStore& map, int32_t k) {
    return map.spriteSelected[k] != 0 && map.spriteIgnored[k] == 0;
}

}  // namespace

int32_t alignSprite(MapStore& map, int32_t s) {
    if (!isSprite(map, s)) return -1;
    SpriteRecord& sp = map.sprites[s];
    const double theta = sp.ang / kBuildAngleUnit;
    const float ex = float(std::floor(sp.x - 16777216.0 * std::cos(theta) + 0.5));
    const float ey = float(std::floor(sp.y - 16777216.0 * std::sin(theta) + 0.5));
    float best = 16777216.0f;
    int32_t bestWall = -1;
    IntPoint hit{};
    for (int32_t w = 0; w < map.wallCount; ++w) {
        const WallRecord& wall = map.walls[w];
        if (!isWall(map, wall.point2)) continue;
        const WallRecord& end = map.walls[wall.point2];
        if (signedDistToLine(wall.x, wall.y, end.x, end.y, sp.x, sp.y) <= 0) continue;
        const IntPoint h = segIntersectSingle(float(sp.x), float(sp.y), ex, ey, float(wall.x),
                                              float(wall.y), float(end.x), float(end.y));
        if (h.x == kNoIntersection && h.y == kNoIntersection) continue;
        if (isSector(map, wall.nextsector)) {
            const int32_t ceil = getTrueCeilingZ(map, h.x, h.y, wall.nextsector);
            const int32_t floor = getTrueFloorZ(map, h.x, h.y, wall.nextsector);
            if (ceil <= sp.z && sp.z <= floor) continue;
        }
        const float d = distSingle(float(sp.x), float(sp.y), float(h.x), float(h.y));
        if (d < best) {
            best = d;
            bestWall = w;
            hit = h;
        }
    }
    if (bestWall < 0) return -1;
    const WallRecord& wall = map.walls[bestWall];
    const WallRecord& end = map.walls[wall.point2];
    const double heading = std::atan2(double(end.y) - wall.y, double(end.x) - wall.x);
    sp.ang = int16_t(int32_t(std::floor(heading * kBuildAngleUnit)) & 2047);
    const double a = sp.ang / kBuildAngleUnit;
    sp.x = safeFloor(hit.x + 0.5 + std::cos(a));
    sp.y = safeFloor(hit.y + 0.5 + std::sin(a));
    sp.cstat = uint16_t((sp.cstat & ~kSpriteFloorAligned) | kSpriteWallAligned);
    updateSpriteSectnum(map, s);
    return bestWall;
}

void resetSpriteOffsets(MapStore& map) {
    for (int32_t k = 0; k < map.spriteCount; ++k) {
        if (!offsetsApply(map, k)) continue;
        map.sprites[k].xoffset = 0;
        map.sprites[k].yoffset = 0;
    }
}

void compensateSpriteOffsets(MapStore& map, const std::vector<int32_t>& tileAnims) {
    for (int32_t k = 0; k < map.spriteCount; ++k) {
        const int32_t pic = map.sprites[k].picnum;
        if (!offsetsApply(map, k) || pic < 0 || pic >= kTileCount || size_t(pic) >= tileAnims.size())
            continue;
        const uint32_t anim = uint32_t(tileAnims[size_t(pic)]);
        map.sprites[k].xoffset = int8_t(uint8_t(-int32_t((anim >> 8) & 0xFF)));
        map.sprites[k].yoffset = int8_t(uint8_t(-int32_t((anim >> 16) & 0xFF)));
    }
}

void skySelect(MapStore& map, int32_t s) {
    if (!isSector(map, s)) return;
    // An explicit stack in the order the recursion would visit: a long chain of sky sectors
    // cannot exhaust the call stack.
    struct Frame {
        int32_t sector, next, end;
    };
    std::vector<Frame> stack;
    const auto push = [&](int32_t sector) {
        const SectorRecord& sec = map.sectors[sector];
        const int32_t first = std::max<int32_t>(sec.wallptr, 0);
        const int32_t end = std::min<int32_t>(int32_t(sec.wallptr) + sec.wallnum, map.wallCount);
        stack.push_back({sector, first, end});
    };
    push(s);
    while (!stack.empty()) {
        Frame& f = stack.back();
        if (f.next >= f.end) {
            stack.pop_back();
            continue;
        }
        const int32_t n = map.walls[f.next++].nextsector;
        if (!isSector(map, n) || map.sectorSelected[n] != 0) continue;
        if ((map.sectors[n].ceilingstat & kSurfaceParallax) == 0) continue;
        map.sectorSelected[n] = 1;
        ++map.selectedSectorCount;
        push(n);
    }
}

bool equalizeCeilingHeights(MapStore& map) {
    int32_t highest = 2147483647;
    for (int32_t s = 0; s < map.sectorCount; ++s)
        if (map.sectorSelected[s] != 0) highest = std::min(highest, map.sectors[s].ceilingz);
    bool changed = false;
    for (int32_t s = 0; s < map.sectorCount; ++s)
        if (map.sectorSelected[s] != 0 && map.sectors[s].ceilingz != highest) {
            map.sectors[s].ceilingz = highest;
            changed = true;
        }
    return changed;
}

}  // namespace korvel
