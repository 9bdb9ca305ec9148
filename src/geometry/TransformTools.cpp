#include "geometry/TransformTools.h"

#include <algorithm>
#include <limits>

#include "base/Mainm.h"
#include "base/MessageNumbers.h"
#include "geometry/LoopCopies.h"
#include "geometry/WallLinks.h"
#include "geometry/WallMarks.h"
#include "map/WallTables.h"

namespace korvel {

namespace {

constexpr int64_t kInt32Min = std::numeric_limits<int32_t>::min();
constexpr int64_t kInt32Max = std::numeric_limits<int32_t>::max();

int32_t clamp32(int64_t v) {
    return int32_t(std::clamp(v, kInt32Min, kInt32Max));
}

bool in32(int64_t v) {
    return v >= kInt32Min && v <= kInt32Max;
}

bool moves(int16_t mark) {
    return mark == int16_t(WallMoveState::StartPoint) || mark == int16_t(WallMoveState::BothPoints);
}

// Walls whose sector (by the wall-to-sector table) is selected.
bool wallOfSelectedSector(const MapStore& map, int32_t w) {
    const int32_t s = sectorOfWall(map, w);
    return s >= 0 && map.sectorSelected[s] != 0;
}

bool spriteInSelectedSector(const MapStore& map, int32_t k) {
    const int32_t s = map.sprites[k].sectnum;
    return isSector(map, s) && map.sectorSelected[s] != 0;
}

// Marks the walls for relinking together with the twins they had, so that a moved wall is no
// longer linked to a wall it has left, and relinks them all.
void relinkWalls(MapStore& map, MapEvents& events, const std::vector<int32_t>& walls) {
    for (int32_t w : walls) {
        if (!isWall(map, w)) continue;
        map.wallPassMark[w] |= kPassRelink;
        const int32_t twin = map.walls[w].nextwall;
        if (isWall(map, twin)) map.wallPassMark[twin] |= kPassRelink;
    }
    relinkMarkedWalls(map, events);
}

// Reverses each selected sector's loops and relinks the moved walls.
void restoreSelectedSectors(MapStore& map, MapEvents& events, const std::vector<int32_t>& moved) {
    for (int32_t s = 0; s < map.sectorCount; ++s)
        if (map.sectorSelected[s] != 0) reverseSector(map, events, s);
    relinkWalls(map, events, moved);
}

struct Box {
    int64_t minX = 16777216, minY = 16777216, maxX = -16777216, maxY = -16777216;
    void add(int32_t x, int32_t y) {
        minX = std::min<int64_t>(minX, x);
        maxX = std::max<int64_t>(maxX, x);
        minY = std::min<int64_t>(minY, y);
        maxY = std::max<int64_t>(maxY, y);
    }
};

// x or y mirrored within the box; the sum of the box's ends keeps the result inside it.
void flipPoint(const Box& box, uint8_t axis, int32_t& x, int32_t& y) {
    if (axis == 0)
        x = clamp32(box.minX + box.maxX - x);
    else
        y = clamp32(box.minY + box.maxY - y);
}

}  // namespace

void flipSpriteAngle(SpriteRecord& sprite, uint8_t axis) {
    const auto byDefault = [&] {
        const int32_t a = axis == 0 ? 1024 - sprite.ang : -sprite.ang;
        sprite.ang = int16_t(((a % 2048) + 2048) % 2048);
    };
    if (sprite.picnum != 1) {
        byDefault();
        return;
    }
    switch (sprite.lotag) {
        case 0:
            sprite.pal = sprite.pal == 0 ? 2 : 0;
            return;
        case 1:
        case 11:
            sprite.ang = int16_t(sprite.ang <= 1024 ? 1536 : 512);
            return;
        case 4: case 7: case 8: case 9: case 10: case 12: case 13: case 17: case 18: case 19:
        case 21: case 22: case 25: case 27: case 28: case 29: case 31: case 32: case 33:
            return;
        default:
            byDefault();
    }
}

void moveVertex(MapStore& map, MapEvents& events, int32_t w, int32_t x, int32_t y) {
    if (!isWall(map, w)) return;
    findMovWalls(map, w);
    std::vector<int32_t> marked;
    for (int32_t i = 0; i < map.wallCount; ++i) {
        const int16_t mark = map.wallMoveState[i];
        if (moves(mark)) {
            map.walls[i].x = x;
            map.walls[i].y = y;
        }
        if (mark > 0) marked.push_back(i);
    }
    relinkWalls(map, events, marked);
    map.movedWallCount = 0;
}

void bindVertex(MapStore& map, MapEvents& events, int32_t w, double distSq) {
    if (!isWall(map, w)) return;
    const int32_t tx = map.walls[w].x, ty = map.walls[w].y;
    // Moving may remove walls that became zero-length: the scan reads wallCount afresh.
    for (int32_t i = 0; i < map.wallCount; ++i) {
        if (i == w || map.wallIgnored[i] != 0) continue;
        const double dx = double(map.walls[i].x) - tx, dy = double(map.walls[i].y) - ty;
        if (dx * dx + dy * dy <= distSq) moveVertex(map, events, i, tx, ty);
    }
}

bool mirrorSelSectors(MapStore& map, MapEvents& events, int32_t x1, int32_t y1, int32_t x2,
                      int32_t y2) {
    if (x1 == x2 && y1 == y2) {
        events.statusMessage(kMsgMirrorLineEmpty);
        return false;
    }
    const double nx = double(y2) - y1, ny = -(double(x2) - x1);
    const auto reflect = [&](int32_t px, int32_t py, int64_t& rx, int64_t& ry) {
        const IntPoint f = lineIntersection(x1, y1, x2, y2, px, py, px + nx, py + ny);
        rx = 2 * int64_t(f.x) - px;
        ry = 2 * int64_t(f.y) - py;
    };
    // Every new point is checked before any moves, so that a refusal changes nothing.
    for (int32_t w = 0; w < map.wallCount; ++w) {
        if (!wallOfSelectedSector(map, w)) continue;
        int64_t rx, ry;
        reflect(map.walls[w].x, map.walls[w].y, rx, ry);
        if (!in32(rx) || !in32(ry)) {
            events.statusMessage(kMsgPointsOutOfRange);
            return false;
        }
    }
    for (int32_t k = 0; k < map.spriteCount; ++k) {
        if (!spriteInSelectedSector(map, k)) continue;
        int64_t rx, ry;
        reflect(map.sprites[k].x, map.sprites[k].y, rx, ry);
        if (!in32(rx) || !in32(ry)) {
            events.statusMessage(kMsgPointsOutOfRange);
            return false;
        }
    }
    std::vector<int32_t> moved;
    for (int32_t w = 0; w < map.wallCount; ++w) {
        if (!wallOfSelectedSector(map, w)) continue;
        WallRecord& wall = map.walls[w];
        int64_t rx, ry;
        reflect(wall.x, wall.y, rx, ry);
        wall.x = int32_t(rx);
        wall.y = int32_t(ry);
        wall.cstat ^= kWallFlipX;
        moved.push_back(w);
    }
    for (int32_t k = 0; k < map.spriteCount; ++k) {
        if (!spriteInSelectedSector(map, k)) continue;
        SpriteRecord& sp = map.sprites[k];
        int64_t rx, ry;
        reflect(sp.x, sp.y, rx, ry);
        sp.x = int32_t(rx);
        sp.y = int32_t(ry);
        sp.cstat ^= kSpriteFlipX;
    }
    restoreSelectedSectors(map, events, moved);
    return true;
}

void flipSelSectors(MapStore& map, MapEvents& events, uint8_t axis) {
    Box box;
    for (int32_t w = 0; w < map.wallCount; ++w)
        if (wallOfSelectedSector(map, w)) box.add(map.walls[w].x, map.walls[w].y);
    std::vector<int32_t> moved;
    for (int32_t w = 0; w < map.wallCount; ++w) {
        if (!wallOfSelectedSector(map, w)) continue;
        flipPoint(box, axis, map.walls[w].x, map.walls[w].y);
        map.walls[w].cstat ^= kWallFlipX;
        moved.push_back(w);
    }
    for (int32_t k = 0; k < map.spriteCount; ++k) {
        if (!spriteInSelectedSector(map, k)) continue;
        SpriteRecord& sp = map.sprites[k];
        flipPoint(box, axis, sp.x, sp.y);
        sp.cstat ^= kSpriteFlipX;
        flipSpriteAngle(sp, axis);
    }
    restoreSelectedSectors(map, events, moved);
}

void flipSelSprites(MapStore& map, uint8_t axis) {
    Box box;
    for (int32_t k = 0; k < map.spriteCount; ++k)
        if (map.spriteSelected[k] != 0) box.add(map.sprites[k].x, map.sprites[k].y);
    for (int32_t k = 0; k < map.spriteCount; ++k) {
        if (map.spriteSelected[k] == 0) continue;
        SpriteRecord& sp = map.sprites[k];
        flipPoint(box, axis, sp.x, sp.y);
        sp.cstat ^= kSpriteFlipX;
        flipSpriteAngle(sp, axis);
    }
}

void flipSelVertices(MapStore& map, MapEvents& events, uint8_t axis) {
    Box box;
    for (int32_t w = 0; w < map.wallCount; ++w)
        if (map.vertexSelected[w] != 0) box.add(map.walls[w].x, map.walls[w].y);
    findMovingWallsByVertices(map);
    std::vector<int32_t> moved;
    for (int32_t w = 0; w < map.wallCount; ++w) {
        if (moves(map.wallMoveState[w])) {
            flipPoint(box, axis, map.walls[w].x, map.walls[w].y);
            map.walls[w].cstat ^= kWallFlipX;
            moved.push_back(w);
        } else if (map.vertexSelected[w] != 0) {
            moved.push_back(w);
        }
    }
    relinkWalls(map, events, moved);
}

void mirrorSelByZ(MapStore& map, const std::vector<int16_t>& tileHeights) {
    const auto spriteTurned = [&](SpriteRecord& sp, int64_t mid) {
        sp.cstat ^= kSpriteFlipY;
        int64_t z = sp.z;
        if ((sp.cstat & (kSpriteFloorAligned | kSpriteCentred)) == 0) {
            const int32_t pic = sp.picnum;
            const int64_t h = pic >= 0 && size_t(pic) < tileHeights.size() ? tileHeights[size_t(pic)] : 0;
            z -= 4 * h * sp.yrepeat;
        }
        sp.z = clamp32(2 * mid - z);
    };
    int64_t zmin = kInt32Max, zmax = kInt32Min;
    bool sectors = false;
    for (int32_t s = 0; s < map.sectorCount; ++s) {
        if (map.sectorSelected[s] == 0) continue;
        sectors = true;
        const SectorRecord& sec = map.sectors[s];
        zmin = std::min<int64_t>({zmin, sec.ceilingz, sec.floorz});
        zmax = std::max<int64_t>({zmax, sec.ceilingz, sec.floorz});
    }
    if (sectors) {
        const int64_t mid = (zmin + zmax) / 2;
        for (int32_t s = 0; s < map.sectorCount; ++s) {
            if (map.sectorSelected[s] == 0) continue;
            SectorRecord& sec = map.sectors[s];
            const SectorRecord old = sec;
            sec.ceilingz = clamp32(2 * mid - old.floorz);
            sec.floorz = clamp32(2 * mid - old.ceilingz);
            sec.ceilingheinum = int16_t(-std::max<int32_t>(old.floorheinum, -32767));
            sec.floorheinum = int16_t(-std::max<int32_t>(old.ceilingheinum, -32767));
            sec.ceilingpicnum = old.floorpicnum;
            sec.floorpicnum = old.ceilingpicnum;
            sec.ceilingpal = old.floorpal;
            sec.floorpal = old.ceilingpal;
            sec.ceilingshade = old.floorshade;
            sec.floorshade = old.ceilingshade;
            sec.ceilingstat = old.floorstat;
            sec.floorstat = old.ceilingstat;
            sec.ceilingxpanning = old.floorxpanning;
            sec.floorxpanning = old.ceilingxpanning;
            sec.ceilingypanning = old.floorypanning;
            sec.floorypanning = old.ceilingypanning;
            switch (old.lotag) {
                case 1: sec.lotag = 0; break;
                case 16: sec.lotag = 17; break;
                case 17: sec.lotag = 16; break;
                case 18: sec.lotag = 19; break;
                case 19: sec.lotag = 18; break;
                case 20: sec.lotag = 21; break;
                case 21: sec.lotag = 20; break;
                default: break;
            }
            const int32_t first = std::max<int32_t>(sec.wallptr, 0);
            const int32_t end = std::min<int32_t>(int32_t(sec.wallptr) + sec.wallnum, map.wallCount);
            for (int32_t w = first; w < end; ++w) {
                WallRecord& wall = map.walls[w];
                if (wall.nextwall < 0) wall.cstat ^= kWallAlignBottom;
                wall.cstat ^= kWallFlipY;
            }
        }
        for (int32_t k = 0; k < map.spriteCount; ++k) {
            if (!spriteInSelectedSector(map, k)) continue;
            SpriteRecord& sp = map.sprites[k];
            spriteTurned(sp, mid);
            if (sp.picnum != 1) continue;
            if (sp.lotag == 18 || sp.lotag == 21) sp.ang = int16_t(((-sp.ang) % 2048 + 2048) % 2048);
            else if (sp.lotag == 31) sp.lotag = 32;
            else if (sp.lotag == 32) sp.lotag = 31;
        }
        return;
    }
    bool sprites = false;
    for (int32_t k = 0; k < map.spriteCount; ++k) {
        if (map.spriteSelected[k] == 0) continue;
        sprites = true;
        zmin = std::min<int64_t>(zmin, map.sprites[k].z);
        zmax = std::max<int64_t>(zmax, map.sprites[k].z);
    }
    if (!sprites) return;
    const int64_t mid = (zmin + zmax) / 2;
    for (int32_t k = 0; k < map.spriteCount; ++k)
        if (map.spriteSelected[k] != 0) spriteTurned(map.sprites[k], mid);
}

void zShiftSelSectors(MapStore& map, MapEvents&, int32_t dz) {
    for (int32_t s = 0; s < map.sectorCount; ++s) {
        if (map.sectorSelected[s] == 0) continue;
        map.sectors[s].ceilingz = clamp32(int64_t(map.sectors[s].ceilingz) + dz);
        map.sectors[s].floorz = clamp32(int64_t(map.sectors[s].floorz) + dz);
    }
    for (int32_t k = 0; k < map.spriteCount; ++k)
        if (spriteInSelectedSector(map, k))
            map.sprites[k].z = clamp32(int64_t(map.sprites[k].z) + dz);
}

}  // namespace korvel
