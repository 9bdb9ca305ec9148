#include "geometry/LineOfSight.h"

#include "base/Mainm.h"
#include "geometry/OutlineFeed.h"
#include "map/GeometryQueries.h"
#include "map/WallTables.h"

namespace korvel {

namespace {

constexpr int32_t kMaxSectorSteps = 1024;
constexpr double kOnLine = 1e-10;

IntPoint endOf(const MapStore& map, int32_t w) {
    return wallStart(map, map.walls[w].point2);
}

}  // namespace

bool scanLine(const MapStore& map, double x1, double y1, double z1, int32_t sector1, double x2,
              double y2, double z2) {
    double sx = x1, sy = y1, sz = z1;
    int32_t sector = sector1;
    for (int32_t steps = 0;; ++steps) {
        if (!sectorBlockIsSound(map, sector)) return false;
        const int32_t first = map.sectors[sector].wallptr, n = map.sectors[sector].wallnum;
        double best = 1e31;
        int32_t exit = -1;
        DoublePoint at;
        for (int32_t w = first; w < first + n; ++w) {
            const IntPoint p = wallStart(map, w), q = endOf(map, w);
            if ((p.x == sx && p.y == sy) || (q.x == x2 && q.y == y2) || p == q) continue;
            if (!(signedDistToLine(p.x, p.y, q.x, q.y, sx, sy) > 0)) continue;
            double t = 0;
            const DoublePoint c = segIntersectParam(sx, sy, x2, y2, p.x, p.y, q.x, q.y, t);
            if (c.x == kNoIntersectionF && c.y == kNoIntersectionF) continue;
            if (t < best) {
                best = t;
                exit = w;
                at = c;
            }
        }
        if (exit < 0) return true;
        const int32_t next = map.walls[exit].nextsector;
        if (map.walls[exit].nextwall < 0 || !isSector(map, next)) return false;
        const int32_t rx = safeFloor(at.x + 0.5), ry = safeFloor(at.y + 0.5);
        const int64_t floor =
            std::min(getTrueFloorZ(map, rx, ry, sector), getTrueFloorZ(map, rx, ry, next));
        const int64_t ceiling =
            std::max(getTrueCeilingZ(map, rx, ry, sector), getTrueCeilingZ(map, rx, ry, next));
        const double z = z1 + (z2 - z1) * best;
        if (z < double(ceiling) || z > double(floor)) return false;
        sx = at.x;
        sy = at.y;
        sz = z;
        sector = next;
        if (steps + 1 >= kMaxSectorSteps) return false;
    }
    (void)sz;
}

bool isSelfIntersecting(const MapStore& map, int32_t a, int32_t b, int32_t sector) {
    if (!isWall(map, a) || !isWall(map, b) || !sectorBlockIsSound(map, sector)) return false;
    const IntPoint p = wallStart(map, a), q = wallStart(map, b);
    const int32_t first = map.sectors[sector].wallptr, n = map.sectors[sector].wallnum;
    for (int32_t k = first; k < first + n; ++k) {
        const IntPoint c = wallStart(map, k), d = endOf(map, k);
        if (segmentsCrossStrict(c.x, c.y, d.x, d.y, p.x, p.y, q.x, q.y)) return true;
        if (p == q || distToSegment(p.x, p.y, q.x, q.y, c.x, c.y) >= kOnLine) continue;
        const IntPoint before = wallStart(map, getPrevWall(map, k));
        const double s1 = signedDistToLine(p.x, p.y, q.x, q.y, before.x, before.y);
        const double s2 = signedDistToLine(p.x, p.y, q.x, q.y, d.x, d.y);
        const bool oneSide = (s1 >= kOnLine && s2 >= kOnLine) || (s1 <= -kOnLine && s2 <= -kOnLine);
        if (!oneSide) return true;
    }
    return false;
}

bool isEarTriangle(const MapStore& map, int32_t a, int32_t b, int32_t c, int32_t sector) {
    if (!isWall(map, a) || !isWall(map, b) || !isWall(map, c) || !sectorBlockIsSound(map, sector))
        return false;
    const IntPoint pa = wallStart(map, a), pb = wallStart(map, b), pc = wallStart(map, c);
    const int32_t first = map.sectors[sector].wallptr, n = map.sectors[sector].wallnum;
    for (int32_t k = first; k < first + n; ++k) {
        const IntPoint v = wallStart(map, k);
        if (orient3(pa.x, pa.y, pb.x, pb.y, v.x, v.y) > 0 &&
            orient3(pb.x, pb.y, pc.x, pc.y, v.x, v.y) > 0 &&
            orient3(pc.x, pc.y, pa.x, pa.y, v.x, v.y) > 0)
            return false;
    }
    const double cx = (double(pa.x) + pb.x + pc.x) / 3, cy = (double(pa.y) + pb.y + pc.y) / 3;
    return isPointInSector(map, cx, cy, sector) == 2;
}

SegmentFrame toSegmentFrame(int32_t ax, int32_t ay, int32_t bx, int32_t by, int32_t px,
                            int32_t py) {
    if (ax == bx && ay == by) return {};
    const double ex = double(ax) + (double(by) - ay), ey = double(ay) + (double(ax) - bx);
    return {safeFloor(signedDistToLine(ax, ay, ex, ey, px, py)),
            safeFloor(signedDistToLine(ax, ay, bx, by, px, py))};
}

}  // namespace korvel
