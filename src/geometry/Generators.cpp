#include "geometry/Generators.h"

#include <cmath>
#include <limits>
#include <vector>

#include "base/MessageNumbers.h"
#include "geometry/SectorSlope.h"

namespace korvel {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int64_t kInt32Min = std::numeric_limits<int32_t>::min();
constexpr int64_t kInt32Max = std::numeric_limits<int32_t>::max();

struct Piece {
    IntPoint corner[4];
    int32_t corners = 0;
    int32_t floorz = 0, ceilingz = 0;
    int16_t floorheinum = 0, ceilingheinum = 0;
};

// A corner in map range, or false when the value leaves the 32-bit range.
bool toCorner(double x, double y, IntPoint& out) {
    const double rx = std::floor(x + 0.5), ry = std::floor(y + 0.5);
    if (!(rx >= double(kInt32Min) && rx <= double(kInt32Max))) return false;
    if (!(ry >= double(kInt32Min) && ry <= double(kInt32Max))) return false;
    out = {int32_t(rx), int32_t(ry)};
    return true;
}

int32_t height32(int64_t v) {
    return int32_t(v < kInt32Min ? kInt32Min : v > kInt32Max ? kInt32Max : v);
}

// Room for the pieces and their walls; the walls are counted only once the pieces fit, so that
// no count can overflow.
template <class Walls>
bool haveRoom(const MapStore& map, MapEvents& events, int64_t pieces, Walls walls) {
    if (pieces > int64_t(kMaxSectors) - map.sectorCount) {
        events.statusMessage(kMsgNoRoomForSectors);
        return false;
    }
    if (walls() > int64_t(kMaxWalls) - map.wallCount) {
        events.statusMessage(kMsgNoRoomForWalls);
        return false;
    }
    return true;
}

GeneratorResult feedPieces(MapStore& map, ShapeFeed& feed, const std::vector<Piece>& pieces) {
    GeneratorResult result;
    FeedBatch batch(feed);
    for (const Piece& piece : pieces) {
        feed.startLoop(FeedMode::NewSector, -1);
        for (int32_t i = 0; i < piece.corners; ++i)
            feed.pressPoint(piece.corner[i].x, piece.corner[i].y);
        if (!feed.closeLoop() || map.sectorCount <= 0) {
            ++result.piecesSkipped;
            continue;
        }
        SectorRecord& s = map.sectors[map.sectorCount - 1];
        s.floorz = piece.floorz;
        s.ceilingz = piece.ceilingz;
        s.floorheinum = piece.floorheinum;
        s.ceilingheinum = piece.ceilingheinum;
        updateSectorSlope(map, map.sectorCount - 1);
        ++result.piecesBuilt;
    }
    return result;
}

GeneratorResult refuse(MapEvents& events, int32_t message) {
    events.statusMessage(message);
    GeneratorResult r;
    r.refused = true;
    return r;
}

// The strips shared by the reel and the arch: `count` strips across a band of half width
// `halfWidth` along p0->p1; `heights` fills a piece's heights and slopes from the strip's angle
// a and the angle step.
template <class Heights>
GeneratorResult buildStrips(MapStore& map, MapEvents& events, ShapeFeed& feed, IntPoint p0,
                            IntPoint p1, int32_t count, double halfWidth, Heights heights) {
    const float len = distSingle(float(p0.x), float(p0.y), float(p1.x), float(p1.y));
    if (!(len > 0)) return {};
    const double ox = std::floor((double(p1.y) - p0.y) / len * halfWidth);
    const double oy = std::floor((double(p1.x) - p0.x) / len * halfWidth);
    if (ox == 0 && oy == 0) return refuse(events, kMsgStructureDegenerate);
    if (!haveRoom(map, events, count, [&] { return int64_t(count) * 4; })) {
        GeneratorResult r;
        r.refused = true;
        return r;
    }
    const double step = kPi / count;
    std::vector<Piece> pieces(static_cast<size_t>(count));
    IntPoint a, b;
    if (!toCorner(p0.x + ox, p0.y - oy, a) || !toCorner(p1.x + ox, p1.y - oy, b))
        return refuse(events, kMsgStructureDegenerate);
    double angle = 0;
    for (Piece& piece : pieces) {
        angle += step;
        const double c = std::cos(angle);
        const double dx = std::floor(ox * c + 0.5), dy = std::floor(oy * c + 0.5);
        IntPoint a2, b2;
        if (!toCorner(p0.x + dx, p0.y - dy, a2) || !toCorner(p1.x + dx, p1.y - dy, b2))
            return refuse(events, kMsgStructureDegenerate);
        piece.corner[0] = b2;
        piece.corner[1] = a2;
        piece.corner[2] = a;
        piece.corner[3] = b;
        piece.corners = 4;
        heights(piece, angle, step);
        a = a2;
        b = b2;
    }
    return feedPieces(map, feed, pieces);
}

}  // namespace

int64_t roundClamped(double v, int64_t lo, int64_t hi) {
    if (std::isnan(v)) return 0;
    const double r = std::floor(v + 0.5);
    if (r <= double(lo)) return lo;
    if (r >= double(hi)) return hi;
    return int64_t(r);
}

GeneratorResult buildReel(MapStore& map, MapEvents& events, ShapeFeed& feed, const ReelParams& p,
                          IntPoint p0, IntPoint p1) {
    if (p0 == p1) return {};
    if (p.reelC < 1 || p.reelD < 1) return refuse(events, kMsgTooFewPieces);
    const double k = p.reelB * 0.0016;
    return buildStrips(map, events, feed, p0, p1, p.reelC, p.reelD,
                       [&](Piece& piece, double a, double step) {
                           const int64_t h = roundClamped(p.reelD * std::sin(a) * k, kInt32Min,
                                                          kInt32Max);
                           piece.floorz = height32(int64_t(p.reelA) + h);
                           piece.ceilingz = height32(int64_t(p.reelA) - h);
                           const int64_t s = roundClamped(
                               std::tan(kPi / 2 - (a - step / 2)) * 256 * k, -32767, 32767);
                           piece.ceilingheinum = int16_t(s);
                           piece.floorheinum = int16_t(-s);
                       });
}

GeneratorResult buildArch(MapStore& map, MapEvents& events, ShapeFeed& feed, const ArchParams& p,
                          IntPoint p0, IntPoint p1) {
    if (p0 == p1) return {};
    if (p.arch2C < 1 || p.arch1C < 1) return refuse(events, kMsgTooFewPieces);
    const double w = p.arch1C * 0.5;
    return buildStrips(map, events, feed, p0, p1, p.arch2C, w,
                       [&](Piece& piece, double a, double step) {
                           const double sa = std::sin(a);
                           piece.floorz = height32(int64_t(p.arch1A) + p.arch2A -
                                                   roundClamped(p.arch2A * sa, kInt32Min, kInt32Max));
                           piece.ceilingz = height32(int64_t(p.arch1B) + p.arch2B -
                                                     roundClamped(p.arch2B * sa, kInt32Min, kInt32Max));
                           const double t = std::tan(kPi / 2 - (a - step / 2));
                           piece.floorheinum =
                               int16_t(roundClamped(t * 256 * p.arch2A / w, -32768, 32767));
                           piece.ceilingheinum =
                               int16_t(roundClamped(t * 256 * p.arch2B / w, -32768, 32767));
                       });
}

GeneratorResult buildSphere(MapStore& map, MapEvents& events, ShapeFeed& feed,
                            const SphereParams& p, IntPoint p0, IntPoint p1) {
    if (p0 == p1) return {};
    // Fewer than three sides folds the dome onto a line (one side) or gives slopes of infinite
    // steepness (two).
    if (p.sphere1C < 3 || p.sphere2C < 1) return refuse(events, kMsgTooFewPieces);
    const int64_t sides = p.sphere1C, rings = p.sphere2C;
    if (!haveRoom(map, events, sides * rings, [&] { return sides * (3 + 4 * (rings - 1)); }))
        return GeneratorResult{0, 0, true};
    const double cx = p0.x, cy = p0.y;
    double px = p1.x, py = p1.y;
    const double r = distDouble(cx, cy, px, py);
    const double theta = 2 * kPi / double(sides);
    const double g = 256 / std::cos(theta / 2);
    const double phiStep = kPi / (2 * double(rings));
    std::vector<Piece> pieces(size_t(sides * rings));
    size_t next = 0;
    for (int64_t side = 0; side < sides; ++side) {
        IntPoint q1 = p0, q2 = p0;
        const double ct = std::cos(theta), st = std::sin(theta);
        const double rx = cx + (px - cx) * ct - (py - cy) * st;
        const double ry = cy + (py - cy) * ct + (px - cx) * st;
        double phi = 0;
        for (int64_t ring = 1; ring <= rings; ++ring) {
            phi += phiStep;
            const double s = std::sin(phi);
            IntPoint n1, n2;
            if (!toCorner(cx + (px - cx) * s, cy + (py - cy) * s, n1) ||
                !toCorner(cx + (rx - cx) * s, cy + (ry - cy) * s, n2))
                return refuse(events, kMsgStructureDegenerate);
            Piece& piece = pieces[next++];
            piece.corner[0] = n1;
            piece.corner[1] = n2;
            piece.corner[2] = q2;
            piece.corners = 3;
            if (ring > 1) piece.corner[piece.corners++] = q1;
            const double c = std::cos(phi);
            piece.floorz = height32(int64_t(p.sphere1A) + p.sphere2A -
                                    roundClamped(p.sphere2A * c, kInt32Min, kInt32Max));
            piece.ceilingz = height32(int64_t(p.sphere1B) + p.sphere2B -
                                      roundClamped(p.sphere2B * c, kInt32Min, kInt32Max));
            const double u = std::tan(phiStep / 2 - phi);
            piece.floorheinum = int16_t(roundClamped(u * p.sphere2A / r * g, -32768, 32767));
            piece.ceilingheinum = int16_t(roundClamped(u * p.sphere2B / r * g, -32768, 32767));
            q1 = n1;
            q2 = n2;
        }
        px = rx;
        py = ry;
    }
    return feedPieces(map, feed, pieces);
}

}  // namespace korvel
