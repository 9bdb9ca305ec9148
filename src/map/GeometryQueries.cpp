#include "map/GeometryQueries.h"

#include <cmath>

#include "base/Mainm.h"
#include "map/LoopOrientation.h"

namespace korvel {

namespace {

// A sector's wall range with both ends clamped to the wall array; empty when last < first.
struct WallSpan {
    int32_t first = 0, last = -1;
};

WallSpan clampedWalls(const MapStore& map, int32_t sector) {
    if (!isSector(map, sector) || map.wallCount == 0) return {};
    const SectorRecord& sec = map.sectors[sector];
    return {clampWall(map, sec.wallptr), clampWall(map, int32_t(sec.wallptr) + sec.wallnum - 1)};
}

struct Segment {
    double x1, y1, x2, y2;
};

// The wall from its start to the start of its point2; a damaged point2 is clamped.
Segment segmentOf(const MapStore& map, int32_t w) {
    const WallRecord& a = map.walls[w];
    const WallRecord& b = map.walls[clampWall(map, a.point2)];
    return {double(a.x), double(a.y), double(b.x), double(b.y)};
}

bool withinX(double x1, double x2, double px) {
    return std::fmin(x1, x2) < px && px <= std::fmax(x1, x2);
}

// The crossing test of the integer queries: the wall's y at px, rounded down, at or beyond py.
bool crossesRounded(const Segment& s, double px, double py) {
    if (!withinX(s.x1, s.x2, px)) return false;
    const double yAt = s.y1 + double(safeFloor((s.y2 - s.y1) / (s.x2 - s.x1) * (px - s.x1)));
    return yAt >= py;
}

bool crossesExact(const Segment& s, double px, double py) {
    if (!withinX(s.x1, s.x2, px)) return false;
    return py <= s.y1 + (s.y2 - s.y1) / (s.x2 - s.x1) * (px - s.x1);
}

bool onEdge(const Segment& s, double px, double py) {
    return distToSegment(s.x1, s.y1, s.x2, s.y2, px, py) < 0.001;
}

// How many walls at most a walk around the loop of w may visit.
int32_t loopWalkBound(const MapStore& map, int32_t w) {
    int32_t bound = map.wallCount;
    if (map.sectorCount > 0) {
        const int32_t n = map.sectors[clampSector(map, map.wallSector[w])].wallnum;
        if (n < bound) bound = n;
    }
    return (bound < 0 ? 0 : bound) + 1;
}

// The sector's plane is level when it is not sloped or has no first line to slope from.
bool planeLevel(const MapStore& map, const SectorRecord& sec, bool floor) {
    const bool sloped = ((floor ? sec.floorstat : sec.ceilingstat) & kSurfaceSloped) != 0;
    if (!sloped || !isWall(map, sec.wallptr)) return true;
    const WallRecord& a = map.walls[sec.wallptr];
    if (!isWall(map, a.point2)) return true;
    const WallRecord& b = map.walls[a.point2];
    return a.x == b.x && a.y == b.y;
}

int32_t planeZ(const MapStore& map, int32_t x, int32_t y, int32_t sector, bool floor) {
    if (map.sectorCount == 0) return 0;
    const SectorRecord& sec = map.sectors[clampSector(map, sector)];
    const int32_t base = floor ? sec.floorz : sec.ceilingz;
    if (planeLevel(map, sec, floor)) return base;
    const WallRecord& a = map.walls[sec.wallptr];
    const WallRecord& b = map.walls[a.point2];
    const int32_t heinum = floor ? sec.floorheinum : sec.ceilingheinum;
    const double d = signedDistToLine(a.x, a.y, b.x, b.y, x, y);
    return wrap32(int64_t(base) + safeFloor(d * heinum / 256));
}

int32_t planeZWithLine(const MapStore& map, int32_t x, int32_t y, int32_t sector, int32_t x1,
                       int32_t y1, int32_t x2, int32_t y2, bool floor) {
    if (map.sectorCount == 0) return 0;
    const SectorRecord& sec = map.sectors[clampSector(map, sector)];
    const int32_t base = floor ? sec.floorz : sec.ceilingz;
    if (((floor ? sec.floorstat : sec.ceilingstat) & kSurfaceSloped) == 0) return base;
    const int32_t heinum = floor ? sec.floorheinum : sec.ceilingheinum;
    const double d = signedDistToLine(x1, y1, x2, y2, x, y);
    return wrap32(int64_t(base) + safeFloor(d * heinum / 256));
}

void extend(int32_t& lo, int32_t& hi, int32_t v) {
    if (v < lo) lo = v;
    if (v > hi) hi = v;
}

template <typename Add>
void forEachSelectedPoint(const MapStore& map, SelectionMode mode, Add add) {
    const bool sprites =
        mode == SelectionMode::Sprites || mode == SelectionMode::SpritesAndVertices;
    const bool vertices =
        mode == SelectionMode::Vertices || mode == SelectionMode::SpritesAndVertices;
    if (sprites)
        for (int32_t k = 0; k < map.spriteCount; ++k)
            if (map.spriteSelected[k])
                add(map.sprites[k].x, map.sprites[k].y, map.sprites[k].z, -1);
    if (vertices)
        for (int32_t w = 0; w < map.wallCount; ++w)
            if (map.vertexSelected[w]) add(map.walls[w].x, map.walls[w].y, 0, map.wallSector[w]);
    if (mode == SelectionMode::Sectors)
        for (int32_t w = 0; w < map.wallCount; ++w) {
            const int32_t s = map.wallSector[w];
            if (isSector(map, s) && map.sectorSelected[s])
                add(map.walls[w].x, map.walls[w].y, 0, s);
        }
}

int32_t halfSum(int32_t a, int32_t b) {
    return int32_t((int64_t(a) + b) / 2);
}

}  // namespace

int32_t pointInSector(const MapStore& map, int32_t px, int32_t py, int32_t sector) {
    const WallSpan span = clampedWalls(map, sector);
    bool inside = false;
    for (int32_t w = span.first; w <= span.last; ++w)
        if (crossesRounded(segmentOf(map, w), px, py)) inside = !inside;
    return inside ? 1 : 0;
}

int32_t pointInSectorFine(const MapStore& map, int32_t qx, int32_t qy, int32_t sector) {
    const WallSpan span = clampedWalls(map, sector);
    bool inside = false;
    for (int32_t w = span.first; w <= span.last; ++w) {
        Segment s = segmentOf(map, w);
        s.x1 *= 64;
        s.y1 *= 64;
        s.x2 *= 64;
        s.y2 *= 64;
        if (crossesRounded(s, qx, qy)) inside = !inside;
    }
    return inside ? 1 : 0;
}

int32_t pointInSectorOrOnEdge(const MapStore& map, int32_t px, int32_t py, int32_t sector) {
    const WallSpan span = clampedWalls(map, sector);
    for (int32_t w = span.first; w <= span.last; ++w)
        if (onEdge(segmentOf(map, w), px, py)) return 1;
    return pointInSector(map, px, py, sector);
}

int32_t isPointInSector(const MapStore& map, double px, double py, int32_t sector) {
    const WallSpan span = clampedWalls(map, sector);
    bool inside = false;
    for (int32_t w = span.first; w <= span.last; ++w) {
        const Segment s = segmentOf(map, w);
        if (onEdge(s, px, py) || (s.x1 == px && s.y1 == py)) return 1;
        if (crossesExact(s, px, py)) inside = !inside;
    }
    return inside ? 2 : 0;
}

int32_t isPointInLoop(const MapStore& map, double px, double py, int32_t wall) {
    if (map.wallCount == 0) return 0;
    const int32_t start = clampWall(map, wall);
    const int32_t bound = loopWalkBound(map, start);
    bool inside = false;
    int32_t w = start;
    for (int32_t visited = 0; visited < bound; ++visited) {
        const Segment s = segmentOf(map, w);
        if (onEdge(s, px, py)) return 1;
        if (crossesExact(s, px, py)) inside = !inside;
        w = clampWall(map, map.walls[w].point2);
        if (w == start) break;
    }
    return inside ? 2 : 0;
}

int32_t isPointInSectorByLoop(const MapStore& map, double px, double py, int32_t sector) {
    const WallSpan span = clampedWalls(map, sector);
    int32_t sum = 0, onEdges = 0;
    for (int32_t w = span.first; w <= span.last; ++w) {
        if (w != 0 && map.walls[w - 1].point2 == w) continue;
        const int32_t r = isPointInLoop(map, px, py, w);
        if (r == 0) continue;
        sum += isWallLoopClockwise(map, w) ? -1 : 1;
        if (r == 1) ++onEdges;
    }
    return onEdges > 1 ? 0 : sum;
}

int32_t isPointInVoidZone(const MapStore& map, double px, double py) {
    for (int32_t s = 0; s < map.sectorCount; ++s)
        if (isPointInSector(map, px, py, s) == 2) return 0;
    return 1;
}

int32_t getTrueFloorZ(const MapStore& map, int32_t x, int32_t y, int32_t sector) {
    return planeZ(map, x, y, sector, true);
}

int32_t getTrueCeilingZ(const MapStore& map, int32_t x, int32_t y, int32_t sector) {
    return planeZ(map, x, y, sector, false);
}

bool surfaceIsLevel(const MapStore& map, int32_t sector, bool ceiling) {
    if (map.sectorCount == 0) return true;
    return planeLevel(map, map.sectors[clampSector(map, sector)], !ceiling);
}

int32_t floorZAtWithLine(const MapStore& map, int32_t x, int32_t y, int32_t sector, int32_t x1,
                         int32_t y1, int32_t x2, int32_t y2) {
    return planeZWithLine(map, x, y, sector, x1, y1, x2, y2, true);
}

int32_t ceilingZAtWithLine(const MapStore& map, int32_t x, int32_t y, int32_t sector, int32_t x1,
                           int32_t y1, int32_t x2, int32_t y2) {
    return planeZWithLine(map, x, y, sector, x1, y1, x2, y2, false);
}

BoundingBox getSelectionBoundingBox(const MapStore& map, SelectionMode mode) {
    BoundingBox box;
    forEachSelectedPoint(map, mode, [&](int32_t x, int32_t y, int32_t z, int32_t sector) {
        extend(box.minX, box.maxX, x);
        extend(box.minY, box.maxY, y);
        if (sector < 0) {
            extend(box.minZ, box.maxZ, z);
        } else {
            extend(box.minZ, box.maxZ, getTrueFloorZ(map, x, y, sector));
            extend(box.minZ, box.maxZ, getTrueCeilingZ(map, x, y, sector));
        }
    });
    return box;
}

BoundingRect getSelectionBoundingRect(const MapStore& map, SelectionMode mode) {
    BoundingRect rect;
    forEachSelectedPoint(map, mode, [&](int32_t x, int32_t y, int32_t, int32_t) {
        extend(rect.minX, rect.maxX, x);
        extend(rect.minY, rect.maxY, y);
    });
    return rect;
}

IntPoint selectedSpritesCenter2D(const MapStore& map) {
    BoundingRect r;
    for (int32_t k = 0; k < map.spriteCount; ++k) {
        if (!map.spriteSelected[k]) continue;
        extend(r.minX, r.maxX, map.sprites[k].x);
        extend(r.minY, r.maxY, map.sprites[k].y);
    }
    return {halfSum(r.minX, r.maxX), halfSum(r.minY, r.maxY)};
}

IntPoint3 selectedSpritesCenter3D(const MapStore& map) {
    if (map.spriteCount == 0) return {};
    BoundingBox b;
    for (int32_t k = 0; k < map.spriteCount; ++k) {
        if (!map.spriteSelected[k]) continue;
        extend(b.minX, b.maxX, map.sprites[k].x);
        extend(b.minY, b.maxY, map.sprites[k].y);
        extend(b.minZ, b.maxZ, map.sprites[k].z);
    }
    return {halfSum(b.minX, b.maxX), halfSum(b.minY, b.maxY), halfSum(b.minZ, b.maxZ)};
}

int32_t getPrevWall(const MapStore& map, int32_t w) {
    if (!isWall(map, w)) return clampWall(map, w);
    int32_t cur = clampWall(map, map.walls[w].point2);
    for (int32_t step = 0; step <= map.wallCount; ++step) {
        if (map.walls[cur].point2 == w) return cur;
        cur = clampWall(map, map.walls[cur].point2);
    }
    return w;
}

int32_t wallAngle(const MapStore& map, int32_t w) {
    if (!isWall(map, w)) return 0;
    const WallRecord& a = map.walls[w];
    const WallRecord& b = map.walls[clampWall(map, a.point2)];
    return angleOf65536(a.x, a.y, b.x, b.y);
}

float wallTexelScale(const MapStore& map, int32_t w) {
    if (!isWall(map, w)) return 0;
    const WallRecord& a = map.walls[w];
    if (a.xrepeat == 0) return 0;
    const WallRecord& b = map.walls[clampWall(map, a.point2)];
    const int32_t length = safeFloor(distSingle(float(a.x), float(a.y), float(b.x), float(b.y)));
    return float(a.yrepeat) / float(a.xrepeat) * float(length) / 1024.0f;
}

int32_t pointNearWallSegment(const MapStore& map, int32_t w, int32_t x, int32_t y, int32_t d) {
    if (!isWall(map, w)) return 0;
    const WallRecord& a = map.walls[w];
    const WallRecord& b = map.walls[clampWall(map, a.point2)];
    const double x1 = a.x, y1 = a.y, x2 = b.x, y2 = b.y;
    const int32_t length = safeFloor(distDouble(x1, y1, x2, y2));
    if (length <= 0) return 0;
    // Distance along the wall: from the line through the start point at right angles to it.
    const double along = signedDistToLine(x1, y1, x1 + (y2 - y1), y1 - (x2 - x1), x, y);
    const double side = ((y1 - y2) * x + (x2 - x1) * y + x1 * y2 - y1 * x2) / length;
    if (std::fabs(along) >= 2e8 || std::abs(int64_t(safeFloor(side))) >= 200000000) return 0;
    const int32_t a1 = safeFloor(along), s1 = safeFloor(side);
    return (a1 >= 0 && a1 <= length && s1 >= 0 && s1 <= d) ? 1 : 0;
}

}  // namespace korvel
