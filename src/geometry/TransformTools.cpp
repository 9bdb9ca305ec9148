#include "geometry/TransformTools.h"

#include <algorithm>
#include <cmath>
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

namespace {

// The points a handle tool moves, each once: walls by their start point, sprites by (x, y).
struct HandlePoints {
    std::vector<int32_t> walls, sprites;
};

HandlePoints collectHandlePoints(MapStore& map) {
    std::vector<uint8_t> wall(size_t(map.wallCount), 0), sprite(size_t(map.spriteCount), 0);
    if (map.selectedVertexCount > 0) {
        findMovingWallsByVertices(map);
        for (int32_t w = 0; w < map.wallCount; ++w)
            if (moves(map.wallMoveState[w])) wall[size_t(w)] = 1;
    }
    if (map.selectedSpriteCount > 0)
        for (int32_t k = 0; k < map.spriteCount; ++k)
            if (map.spriteSelected[k] != 0) sprite[size_t(k)] = 1;
    if (map.selectedSectorCount > 0) {
        for (int32_t w = 0; w < map.wallCount; ++w)
            if (wallOfSelectedSector(map, w)) wall[size_t(w)] = 1;
        for (int32_t k = 0; k < map.spriteCount; ++k)
            if (spriteInSelectedSector(map, k)) sprite[size_t(k)] = 1;
    }
    HandlePoints pts;
    for (int32_t w = 0; w < map.wallCount; ++w)
        if (wall[size_t(w)]) pts.walls.push_back(w);
    for (int32_t k = 0; k < map.spriteCount; ++k)
        if (sprite[size_t(k)]) pts.sprites.push_back(k);
    return pts;
}

// Maps every collected point through `to` (false: the point is outside the mapping's reach),
// checks all of them first, then moves them and relinks the walls.
template <class Map>
HandleResult moveHandlePoints(MapStore& map, MapEvents& events, int32_t failMessage, Map to) {
    const HandlePoints pts = collectHandlePoints(map);
    std::vector<IntPoint> wallTo, spriteTo;
    wallTo.reserve(pts.walls.size());
    spriteTo.reserve(pts.sprites.size());
    const auto place = [&](int32_t x, int32_t y, std::vector<IntPoint>& out) {
        double nx = 0, ny = 0;
        if (!to(double(x), double(y), nx, ny) || !std::isfinite(nx) || !std::isfinite(ny)) {
            events.statusMessage(failMessage);
            return false;
        }
        nx = std::nearbyint(nx);
        ny = std::nearbyint(ny);
        if (!(nx >= double(kInt32Min) && nx <= double(kInt32Max) && ny >= double(kInt32Min) &&
              ny <= double(kInt32Max))) {
            events.statusMessage(kMsgPointsOutOfRange);
            return false;
        }
        out.push_back({int32_t(nx), int32_t(ny)});
        return true;
    };
    for (int32_t w : pts.walls)
        if (!place(map.walls[w].x, map.walls[w].y, wallTo)) return HandleResult::Refused;
    for (int32_t k : pts.sprites)
        if (!place(map.sprites[k].x, map.sprites[k].y, spriteTo)) return HandleResult::Refused;
    for (size_t i = 0; i < pts.walls.size(); ++i) {
        map.walls[pts.walls[i]].x = wallTo[i].x;
        map.walls[pts.walls[i]].y = wallTo[i].y;
    }
    for (size_t i = 0; i < pts.sprites.size(); ++i) {
        map.sprites[pts.sprites[i]].x = spriteTo[i].x;
        map.sprites[pts.sprites[i]].y = spriteTo[i].y;
    }
    relinkWalls(map, events, pts.walls);
    map.movedWallCount = 0;
    return HandleResult::Moved;
}

// The fractions along the two directions of a four-sided figure from the signed distances to
// its edges: a to the first, b to the second, c to the third, e to the fourth.
bool warpFractions(double a, double b, double c, double e, double& f, double& g) {
    if (e + b == 0 || c + a == 0) return false;
    f = e / (e + b);
    g = a / (c + a);
    return std::isfinite(f) && std::isfinite(g);
}

double distTo(IntPoint p, IntPoint q, double x, double y) {
    return signedDistToLine(p.x, p.y, q.x, q.y, x, y);
}

}  // namespace

HandleResult transformBySegments(MapStore& map, MapEvents& events, IntPoint a0, IntPoint a1,
                                 IntPoint b0, IntPoint b1) {
    if (a0 == a1) {
        events.statusMessage(kMsgSourceSegmentEmpty);
        return HandleResult::Refused;
    }
    if (b0 == b1) {
        events.statusMessage(kMsgTargetSegmentEmpty);
        return HandleResult::Refused;
    }
    const double k = distDouble(b0.x, b0.y, b1.x, b1.y) / distDouble(a0.x, a0.y, a1.x, a1.y);
    const double phi = angleOfDouble(b0.x, b0.y, b1.x, b1.y) - angleOfDouble(a0.x, a0.y, a1.x, a1.y);
    const double cp = std::cos(phi), sp = std::sin(phi);
    const HandleResult r = moveHandlePoints(
        map, events, kMsgPointsOutOfRange, [&](double x, double y, double& nx, double& ny) {
            const double dx = x - a0.x, dy = y - a0.y;
            nx = b0.x + k * (dx * cp - dy * sp);
            ny = b0.y + k * (dx * sp + dy * cp);
            return true;
        });
    if (r == HandleResult::Moved) events.statusMessage(kMsgSegmentsTransformed);
    return r;
}

HandleResult warpByParallelograms(MapStore& map, MapEvents& events, const IntPoint s[3],
                                  const IntPoint t[3]) {
    const IntPoint s3{clamp32(int64_t(s[1].x) + s[2].x - s[0].x),
                      clamp32(int64_t(s[1].y) + s[2].y - s[0].y)};
    const double t3x = double(t[1].x) + t[2].x - t[0].x, t3y = double(t[1].y) + t[2].y - t[0].y;
    const HandleResult r = moveHandlePoints(
        map, events, kMsgWarpOutOfReach, [&](double x, double y, double& nx, double& ny) {
            double f = 0, g = 0;
            if (!warpFractions(distTo(s[0], s[1], x, y), distTo(s[1], s3, x, y),
                               distTo(s3, s[2], x, y), distTo(s[2], s[0], x, y), f, g))
                return false;
            nx = lerpDouble(lerpDouble(t[0].x, t[1].x, f), lerpDouble(t[2].x, t3x, f), g);
            ny = lerpDouble(lerpDouble(t[0].y, t[1].y, f), lerpDouble(t[2].y, t3y, f), g);
            return true;
        });
    if (r == HandleResult::Moved) events.statusMessage(kMsgParallelogramWarped);
    return r;
}

HandleResult warpByQuads(MapStore& map, MapEvents& events, const IntPoint s[4], const IntPoint t[4]) {
    const HandleResult r = moveHandlePoints(
        map, events, kMsgWarpOutOfReach, [&](double x, double y, double& nx, double& ny) {
            double f = 0, g = 0;
            if (!warpFractions(distTo(s[0], s[1], x, y), distTo(s[1], s[2], x, y),
                               distTo(s[2], s[3], x, y), distTo(s[3], s[0], x, y), f, g))
                return false;
            nx = lerpDouble(lerpDouble(t[0].x, t[1].x, f), lerpDouble(t[3].x, t[2].x, f), g);
            ny = lerpDouble(lerpDouble(t[0].y, t[1].y, f), lerpDouble(t[3].y, t[2].y, f), g);
            return true;
        });
    if (r == HandleResult::Moved) events.statusMessage(kMsgQuadWarped);
    return r;
}

}  // namespace korvel
