#include "geometry/Terrain.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "base/MessageNumbers.h"
#include "geometry/SectorDeletion.h"
#include "geometry/SectorSlope.h"

namespace korvel {

namespace {

constexpr int64_t kInt32Min = std::numeric_limits<int32_t>::min();
constexpr int64_t kInt32Max = std::numeric_limits<int32_t>::max();

// floor(v + 0.5) as a 64-bit value; NaN and values far outside give a value outside 32 bits.
int64_t rnd64(double v) {
    const double r = std::floor(v + 0.5);
    if (!(r > -4e18 && r < 4e18)) return int64_t(1) << 62;
    return int64_t(r);
}

int64_t floorMod(int64_t a, int64_t m) {
    const int64_t r = a % m;
    return r < 0 ? r + m : r;
}

int32_t pix(const TerrainPicture& pic, int64_t x, int64_t y) {
    const int64_t cx = floorMod(x, pic.width), cy = floorMod(y, pic.height);
    return pic.level[pic.pixels[size_t(cx * pic.height + cy)]];
}

bool pictureUsable(const TerrainPicture& pic) {
    return pic.width > 0 && pic.height > 0 &&
           int64_t(pic.pixels.size()) >= int64_t(pic.width) * pic.height;
}

}  // namespace

std::vector<TerrainTriangle> terrainTriangles(IntPoint p0, int32_t hitX, int32_t cols,
                                              int32_t rows) {
    std::vector<TerrainTriangle> out;
    if (cols < 1 || rows < 1) return out;
    const int64_t w = int64_t(hitX) - p0.x;
    const int64_t s = w / (int64_t(cols) + 1);
    const int64_t h = rnd64(std::sqrt(3.0) * double(w)) / (int64_t(cols) + 1);
    // Corners are checked at the grid's far ends; everything between lies inside them.
    const int64_t far[] = {p0.x + (int64_t(cols) + 1) * s, p0.y + int64_t(rows) * h};
    if (!in32(far[0]) || !in32(far[1])) return out;
    if (int64_t(cols) * rows > int64_t(kMaxSectors)) return out;
    out.reserve(size_t(cols) * size_t(rows));
    for (int64_t r = 0; r < rows; ++r) {
        for (int64_t c = 0; c < cols; ++c) {
            const int32_t x = int32_t(p0.x + c * s), y = int32_t(p0.y + r * h);
            const int32_t x1 = int32_t(x + s), x2 = int32_t(x + 2 * s), y1 = int32_t(y + h);
            TerrainTriangle t;
            if ((c + r) % 2 != 0) {
                t.p[0] = {x2, y};
                t.p[1] = {x1, y1};
                t.p[2] = {x, y};
            } else {
                t.p[0] = {x, y1};
                t.p[1] = {x1, y};
                t.p[2] = {x2, y1};
            }
            out.push_back(t);
        }
    }
    return out;
}

int32_t terrainSample(const TerrainPicture& pic, int64_t u, int64_t v) {
    if (!pictureUsable(pic)) return 0;
    const int64_t col = u / 64, fu = u - 64 * col;
    const int64_t row = v / 64, fv = v - 64 * row;
    const int64_t q00 = pix(pic, col, row), q10 = pix(pic, col + 1, row);
    const int64_t q01 = pix(pic, col, row + 1), q11 = pix(pic, col + 1, row + 1);
    const int64_t top = q00 + (q10 - q00) * fu / 64;
    const int64_t bottom = q01 + (q11 - q01) * fu / 64;
    return int32_t(top + (bottom - top) * fv / 64);
}

bool addTriangleLoop(MapStore& map, MapEvents& events, ShapeFeed& feed, int32_t a, int32_t x1,
                     int32_t y1, int32_t x2, int32_t y2, int32_t f) {
    if (!isSector(map, a) || (x1 == x2 && y1 == y2)) return false;
    const float phi = angleOfSingle(float(x1), float(y1), float(x2), float(y2));
    const float len = distSingle(float(x1), float(y1), float(x2), float(y2));
    const float hgt = len * std::sqrt(3.0f) / 2;
    const double sp = std::sin(double(phi)), cp = std::cos(double(phi));
    const double b1x = std::nearbyint(x1 + double(f) * sp), b1y = std::nearbyint(y1 - double(f) * cp);
    const double b2x = std::nearbyint(x2 + double(f) * sp), b2y = std::nearbyint(y2 - double(f) * cp);
    for (double v : {b1x, b1y, b2x, b2y})
        if (!(v >= double(kInt32Min) && v <= double(kInt32Max))) return false;
    const int64_t ax = (int64_t(b1x) + int64_t(b2x)) / 2 + int64_t(std::floor(double(hgt) * cp));
    const int64_t ay = (int64_t(b1y) + int64_t(b2y)) / 2 + int64_t(std::floor(double(hgt) * sp));
    if (!in32(ax) || !in32(ay)) return false;
    const IntPoint c[3] = {{int32_t(b1x), int32_t(b1y)}, {int32_t(b2x), int32_t(b2y)},
                           {int32_t(ax), int32_t(ay)}};
    // Rounding may fold a short line's triangle onto itself: no loop of zero area.
    if (c[0] == c[1] || c[1] == c[2] || c[0] == c[2]) return false;
    const int32_t wallsBefore = map.sectors[a].wallnum;
    bool made;
    {
        FeedBatch batch(feed);
        feed.startLoop(FeedMode::FurtherLoop, a);
        for (const IntPoint& p : c) feed.pressPoint(p.x, p.y);
        made = feed.closeLoop();
    }
    if (!made || !isSector(map, a) || map.sectors[a].wallnum != wallsBefore + 3) return false;
    const int64_t first = int64_t(map.sectors[a].wallptr) + map.sectors[a].wallnum - 3;
    if (!isWall(map, int32_t(std::clamp<int64_t>(first, -1, kInt32Max)))) return false;
    return setSectorFirstWall(map, events, a, int32_t(first));
}

TerrainResult buildTerrainFromTile(MapStore& map, MapEvents& events, ShapeFeed& feed,
                                   const TerrainParams& params, const TerrainPicture& pic,
                                   IntPoint p0, int32_t hitX,
                                   std::span<const TerrainTriangle> triangles) {
    TerrainResult result;
    const auto refuse = [&](int32_t message) {
        events.statusMessage(message);
        result.refused = true;
        return result;
    };
    if (params.cols < 1 || params.rows < 1) return refuse(kMsgTooFewPieces);
    const int64_t w = int64_t(hitX) - p0.x;
    const int64_t hgt = rnd64(double(w) * std::sqrt(3.0)) * params.rows / params.cols;
    if (w == 0 || hgt == 0 || !pictureUsable(pic)) return refuse(kMsgStructureDegenerate);
    const int64_t pieces = int64_t(params.cols) * params.rows;
    if (pieces > int64_t(kMaxSectors) - map.sectorCount) return refuse(kMsgNoRoomForSectors);
    if (pieces * 6 > int64_t(kMaxWalls) - map.wallCount) return refuse(kMsgNoRoomForWalls);
    const size_t count = std::min(size_t(pieces), triangles.size());
    const int64_t scale = params.heightScale;
    const auto heightAt = [&](IntPoint p) {
        const int64_t u = int64_t(pic.width) * 64 * (int64_t(p.x) - p0.x) / w;
        const int64_t v = int64_t(pic.height) * 64 * (int64_t(p.y) - p0.y) / hgt;
        return -(int64_t(terrainSample(pic, u, v)) * scale / 256);
    };
    const int32_t loopDistance = clamp32(2 * w);
    events.progressBegin(clamp32(pieces));
    FeedBatch batch(feed);
    for (size_t k = 0; k < count; ++k) {
        const TerrainTriangle& t = triangles[k];
        const int32_t sectorsBefore = map.sectorCount;
        feed.startLoop(FeedMode::NewSector, -1);
        for (const IntPoint& p : t.p) feed.pressPoint(p.x, p.y);
        const bool made = feed.closeLoop() && map.sectorCount == sectorsBefore + 1;
        if (made) {
            ++result.sectorsBuilt;
            const int32_t s = map.sectorCount - 1;
            const double x1 = t.p[0].x, y1 = t.p[0].y, x2 = t.p[1].x, y2 = t.p[1].y;
            const double x3 = t.p[2].x, y3 = t.p[2].y;
            const int64_t z1 = heightAt(t.p[0]);
            const double z1d = double(z1), z2 = double(heightAt(t.p[1])),
                         z3 = double(heightAt(t.p[2]));
            map.sectors[s].floorz = clamp32(z1);
            map.sectors[s].ceilingz = clamp32(-2 * scale);
            const double d = x1 * y2 - x1 * y3 - y1 * x2 + y1 * x3 + x2 * y3 - x3 * y2;
            const double pa = (z1d * y2 - z1d * y3 - y1 * z2 + y1 * z3 + z2 * y3 - z3 * y2) / d;
            const double pb = (x1 * z2 - x1 * z3 - z1d * x2 + z1d * x3 + x2 * z3 - x3 * z2) / d;
            const bool sloped = d != 0 && std::isfinite(pa) && std::isfinite(pb) &&
                                (std::fabs(pa) > 0.001 || std::fabs(pb) > 0.001);
            if (sloped) {
                const int64_t heinum = rnd64(256 * std::sqrt(pa * pa + pb * pb));
                map.sectors[s].floorheinum = int16_t(std::clamp<int64_t>(heinum, -32768, 32767));
                updateSectorSlope(map, s);
                const double psi = angleOfDouble(0, 0, pb, pa);
                const int32_t dx = int32_t(rnd64(4096 * std::sin(psi)));
                const int32_t dy = int32_t(rnd64(4096 * std::cos(psi)));
                if (addTriangleLoop(map, events, feed, s, t.p[0].x, t.p[0].y,
                                    clamp32(int64_t(t.p[0].x) + dx),
                                    clamp32(int64_t(t.p[0].y) + dy), loopDistance))
                    ++result.referenceLoops;
            } else {
                map.sectors[s].floorheinum = 0;
                updateSectorSlope(map, s);
            }
        }
        events.progressStep();
    }
    return result;
}

}  // namespace korvel
