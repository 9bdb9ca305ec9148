#include "geometry/Lighting.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "geometry/LineOfSight.h"
#include "geometry/LinearCutter.h"
#include "map/GeometryQueries.h"

namespace korvel {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kDirectionalStrength = 1e6;
constexpr double kPointStrength = 1e13;

struct Vec3 {
    double x = 0, y = 0, z = 0;
};
double dot(const Vec3& a, const Vec3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

// The surface the light falls on: its unit normal (zero for a sprite lit from every side), the
// sign its cosines take, what every cosine gets added, and its height at the point.
struct Surface {
    Vec3 normal{0, 0, 1};
    double sign = 1;
    double bias = 0;
    double z = 0;
};

// Downward-facing unit normal of a floor or ceiling; flat when unsloped or when the first wall
// has no length (heights then ignore the slope too).
Vec3 planeNormal(const MapStore& map, int32_t sector, bool ceiling) {
    const SectorRecord& s = map.sectors[sector];
    const uint16_t stat = ceiling ? s.ceilingstat : s.floorstat;
    if (!(stat & kSurfaceSloped)) return {0, 0, 1};
    const int32_t w0 = s.wallptr;
    if (!isWall(map, w0) || !isWall(map, w0 + 1)) return {0, 0, 1};
    const double ex = double(map.walls[w0 + 1].x) - map.walls[w0].x;
    const double ey = double(map.walls[w0 + 1].y) - map.walls[w0].y;
    const double len = std::sqrt(ex * ex + ey * ey);
    if (len == 0) return {0, 0, 1};
    const double alpha = std::atan(-double(ceiling ? s.ceilingheinum : s.floorheinum) / 4096.0);
    return {-ey * std::sin(alpha) / len, ex * std::sin(alpha) / len, std::cos(alpha)};
}

Surface planeSurface(const MapStore& map, int32_t x, int32_t y, int32_t sector, bool ceiling) {
    Surface f;
    f.normal = planeNormal(map, sector, ceiling);
    f.sign = ceiling ? 1 : -1;
    f.z = ceiling ? getTrueCeilingZ(map, x, y, sector) : getTrueFloorZ(map, x, y, sector);
    return f;
}

// The direction a directional light shines from, unit length.
Vec3 towardsLight(const SpriteRecord& sp) {
    const double theta = sp.ang * kPi / 1024.0;
    const double beta = sp.lotag * kPi / 1024.0;
    return {-std::cos(beta) * std::cos(theta), -std::cos(beta) * std::sin(theta), -std::sin(beta)};
}

double brightness(const SpriteRecord& sp) {
    return shadeBrightnessTable()[uint8_t(sp.shade)];
}

// Light sprites that name a sprite of the map, in list order.
template <typename Visit>
void forEachLight(const MapStore& map, Visit visit) {
    const int32_t n = std::clamp(map.lightSpriteCount, 0, kMaxSprites);
    for (int32_t i = 0; i < n; ++i) {
        const int32_t k = map.lightSprites[i];
        if (isSprite(map, k)) visit(map.sprites[k]);
    }
}

// The sector a light placed at (x, y, z) stands in: its own sector while that holds the point,
// else the first holding it whose floor and ceiling there bracket z, else the first holding it,
// else sector 0.
int32_t sectorOfPlacedLight(const MapStore& map, int32_t own, int32_t x, int32_t y, int32_t z) {
    if (isSector(map, own) && pointInSector(map, x, y, own)) return own;
    int32_t first = -1;
    for (int32_t s = 0; s < map.sectorCount; ++s) {
        if (!pointInSector(map, x, y, s)) continue;
        if (first < 0) first = s;
        if (z >= getTrueCeilingZ(map, x, y, s) && z <= getTrueFloorZ(map, x, y, s)) return s;
    }
    return first >= 0 ? first : (map.sectorCount > 0 ? 0 : -1);
}

int32_t roundToInt32(double v) {
    return saturateToInt32(std::floor(v + 0.5));
}

// -(root of the sum, nearest integer, ties to even), no lighter than -2147483647.
int32_t lightValue(double sum) {
    const double root = std::nearbyint(std::sqrt(std::max(sum, 0.0)));
    if (!(root < 2147483647.0)) return -2147483647;
    return -int32_t(root);
}

// Sums every light's contribution at a point of the surface; with shadows, walls between the
// light and the point hold it back.
double sumLights(const MapStore& map, const Surface& f, int32_t x, int32_t y, bool shadows) {
    double sum = 0;
    forEachLight(map, [&](const SpriteRecord& sp) {
        if (sp.cstat & kSpriteWallAligned) {
            const Vec3 d = towardsLight(sp);
            const double c = dot(d, f.normal) * f.sign + f.bias;
            if (c <= 0) return;
            const int32_t h = uint16_t(sp.hitag);
            if (shadows && h != 0) {
                const int32_t lx = roundToInt32(x + double(h) * d.x);
                const int32_t ly = roundToInt32(y + double(h) * d.y);
                const int32_t lz = roundToInt32(f.z + 16.0 * h * d.z);
                const int32_t ls = sectorOfPlacedLight(map, sp.sectnum, lx, ly, lz);
                if (!scanLine(map, lx, ly, lz, ls, x, y, f.z)) return;
            }
            sum += kDirectionalStrength * brightness(sp) * c;
            return;
        }
        const Vec3 v{double(sp.x) - x, double(sp.y) - y, (double(sp.z) - f.z) / 16.0};
        const double d2 = dot(v, v);
        const double len = std::sqrt(d2);
        const Vec3 dir = d2 > 0 ? Vec3{v.x / len, v.y / len, v.z / len} : Vec3{};
        const double c = dot(dir, f.normal) * f.sign + f.bias;
        if (c <= 0) return;
        if (shadows && !scanLine(map, sp.x, sp.y, sp.z, sp.sectnum, x, y, f.z)) return;
        sum += kPointStrength * brightness(sp) * c / std::max(d2, 1.0);
    });
    return sum;
}

}  // namespace

const std::array<double, 256>& shadeBrightnessTable() {
    static const std::array<double, 256> table = [] {
        std::array<double, 256> t{};
        for (int b = 0; b < 256; ++b)
            t[size_t(b)] = b < 128 ? std::exp2(-b / 8.0) : std::exp2((255 - b) / 8.0);
        return t;
    }();
    return table;
}

int32_t lightAtSurfacePoint(const MapStore& map, int32_t x, int32_t y, int32_t sector,
                            int32_t ceiling) {
    if (!isSector(map, sector)) return 0;
    const Surface f = planeSurface(map, x, y, sector, ceiling != 0);
    return lightValue(sumLights(map, f, x, y, true));
}

int32_t lightAtPoint(const MapStore& map, int32_t x, int32_t y, int32_t index, LightTarget kind) {
    Surface f;
    switch (kind) {
        case LightTarget::Floor:
        case LightTarget::Ceiling:
            if (!isSector(map, index)) return 0;
            f = planeSurface(map, x, y, index, kind == LightTarget::Ceiling);
            break;
        case LightTarget::Wall: {
            if (!isWall(map, index)) return 0;
            const WallRecord& a = map.walls[index];
            const WallRecord& b = map.walls[clampWall(map, a.point2)];
            const double dx = double(b.x) - a.x, dy = double(b.y) - a.y;
            const double len = std::sqrt(dx * dx + dy * dy);
            f.normal = len > 0 ? Vec3{-dy / len, dx / len, 0} : Vec3{0, 0, 0};
            const int32_t s = sectorOfWall(map, index);
            f.z = isSector(map, s) ? double((int64_t(getTrueCeilingZ(map, x, y, s)) +
                                             getTrueFloorZ(map, x, y, s)) /
                                            2)
                                   : 0;
            break;
        }
        case LightTarget::Sprite: {
            if (!isSprite(map, index)) return 0;
            const SpriteRecord& sp = map.sprites[index];
            if (sp.cstat & kSpriteWallAligned) {
                const double theta = sp.ang * kPi / 1024.0;
                f.normal = {std::cos(theta), std::sin(theta), 0};
            } else if (sp.cstat & kSpriteFloorAligned) {
                f.normal = {0, 0, (sp.cstat & kSpriteFlipY) ? 1.0 : -1.0};
            } else {
                f.normal = {0, 0, 0};
                f.bias = 1;
            }
            f.z = sp.z;
            break;
        }
        default:
            return 0;
    }
    return lightValue(sumLights(map, f, x, y, false));
}

int32_t getSectorLightValue(const MapStore& map, int32_t sector, int32_t ceiling) {
    if (!isSector(map, sector)) return 0;
    const SectorRecord& s = map.sectors[sector];
    const LightTarget kind = ceiling ? LightTarget::Ceiling : LightTarget::Floor;
    int64_t lo = 0, hi = 0;
    bool any = false;
    const int32_t first = std::max<int32_t>(s.wallptr, 0);
    const int32_t end = std::min<int32_t>(int32_t(s.wallptr) + s.wallnum, map.wallCount);
    for (int32_t w = first; w < end; ++w) {
        const int32_t v = lightAtPoint(map, map.walls[w].x, map.walls[w].y, sector, kind);
        if (v == 0) continue;
        lo = any ? std::min<int64_t>(lo, v) : v;
        hi = any ? std::max<int64_t>(hi, v) : v;
        any = true;
    }
    return any ? int32_t((lo + hi) / 2) : 0;
}

int32_t getWallLightValue(const MapStore& map, int32_t wall) {
    if (!isWall(map, wall)) return 0;
    const WallRecord& a = map.walls[wall];
    const WallRecord& b = map.walls[clampWall(map, a.point2)];
    const int64_t sum = int64_t(lightAtPoint(map, a.x, a.y, wall, LightTarget::Wall)) +
                        lightAtPoint(map, b.x, b.y, wall, LightTarget::Wall);
    return int32_t(sum / 2);
}

int32_t getSpriteLightValue(const MapStore& map, int32_t sprite) {
    if (!isSprite(map, sprite)) return 0;
    const SpriteRecord& sp = map.sprites[sprite];
    return lightAtPoint(map, sp.x, sp.y, sprite, LightTarget::Sprite);
}

int32_t lightValueToShade(int32_t lightShadeBase, int32_t value) {
    return saturateToInt32(double(int64_t(lightShadeBase) + value / 16));
}

void shadeSelectedWallsByLight(MapStore& map, const WallLightParams& light) {
    for (int32_t w = 0; w < map.wallCount; ++w) {
        if (!map.wallSelected[w]) continue;
        WallRecord& wall = map.walls[w];
        const WallRecord& end = map.walls[clampWall(map, wall.point2)];
        const double x1 = wall.x, y1 = wall.y, x2 = end.x, y2 = end.y;
        int64_t d;
        double dist = 0;
        if (light.directional == 1) {
            const int32_t a =
                saturateToInt32(std::floor(angleOfDouble(x2, y2, x1, y1) / kPi * 18000));
            const int32_t target = int32_t(((int64_t(light.angle) % 36000) + 36000) % 36000);
            d = std::abs(int64_t(angleDelta36000(a, target)));
        } else {
            const int32_t a = int32_t(
                (int64_t(std::floor(angleOfDouble(x1, y1, x2, y2) / kPi * 18000)) + 9000) % 36000);
            const int32_t mx = int32_t((int64_t(wall.x) + end.x) / 2);
            const int32_t my = int32_t((int64_t(wall.y) + end.y) / 2);
            const int32_t b =
                saturateToInt32(std::floor(angleOfDouble(mx, my, light.x, light.y) / kPi * 18000));
            d = std::abs(int64_t(angleDelta36000(a, b)));
            if (light.distanceFalloff) {
                const double ex = double(light.x) - mx, ey = double(light.y) - my;
                dist = std::max(std::floor(std::sqrt(ex * ex + ey * ey)), 32.0);
            }
        }
        if (light.falloffMode == 1) {
            d = std::min<int64_t>(2 * d, 18000);
        } else if (light.falloffMode == 2) {
            d = 2 * d;
            if (d > 18000) d = 12000 + (36000 - d) / 3;
        }
        float c = std::cos(float(d) / 36000.0f * float(kPi));
        if (light.directional != 1 && light.distanceFalloff) c = float(c / (dist / 1024.0));
        const int64_t g =
            int64_t(std::floor(double(int64_t(light.shadeMax) - light.shadeMin) * double(c) + 0.5));
        int64_t s = int64_t(light.shadeMax) - g;
        if (light.relative) s = int64_t(wall.shade) + s - 32;
        wall.shade = int8_t(std::clamp<int64_t>(s, -128, 127));
    }
}

VertexAngle getVertexInteriorAngle(const MapStore& map, int32_t wall, std::vector<uint8_t>& seen) {
    VertexAngle r;
    if (!isWall(map, wall)) return r;
    if (seen.size() < size_t(map.wallCount)) seen.resize(size_t(map.wallCount));
    seen[size_t(wall)] = 1;
    const auto twinOf = [&](int32_t w) {
        const int32_t t = map.walls[w].nextwall;
        return isWall(map, t) ? t : -1;
    };
    const WallRecord& v = map.walls[wall];
    r.vertex = {v.x, v.y};

    // Backwards around V to the one-sided wall A that ends there.
    int32_t a = getPrevWall(map, wall);
    for (int32_t steps = 0; twinOf(a) >= 0; ++steps) {
        const int32_t t = twinOf(a);
        if (t == wall || steps > map.wallCount) {
            r.angle = 2 * kPi;
            r.solid = 0;
            return r;
        }
        seen[size_t(t)] = 1;
        a = getPrevWall(map, t);
    }
    // Forwards around V to the one-sided wall B that starts there.
    int32_t b = wall;
    for (int32_t steps = 0; twinOf(b) >= 0 && steps <= map.wallCount; ++steps) {
        b = clampWall(map, map.walls[twinOf(b)].point2);
        seen[size_t(b)] = 1;
    }
    const WallRecord& bEnd = map.walls[clampWall(map, map.walls[b].point2)];
    const WallRecord& aStart = map.walls[a];
    r.outEnd = {bEnd.x, bEnd.y};
    r.inStart = {aStart.x, aStart.y};
    const double h1 = angleOfDouble(v.x, v.y, bEnd.x, bEnd.y);
    const double h2 = angleOfDouble(v.x, v.y, aStart.x, aStart.y);
    double angle = angleDeltaDouble(h1, h2);
    if (angle < 0) angle += 2 * kPi;
    r.angle = angle;
    r.solid = 1;
    return r;
}

std::vector<ShadowRay> shadowRaysFromSprite(const MapStore& map, int32_t sprite) {
    std::vector<ShadowRay> rays;
    if (!isSprite(map, sprite)) return rays;
    const SpriteRecord& sp = map.sprites[sprite];
    std::vector<uint8_t> seen(size_t(map.wallCount));
    for (int32_t i = 0; i < map.wallCount && int32_t(rays.size()) < kMaxShadowRays; ++i) {
        if (seen[size_t(i)] || map.wallIgnored[i] != 0) continue;
        const VertexAngle va = getVertexInteriorAngle(map, i, seen);
        if (!(va.angle > kPi) || va.solid != 1) continue;
        const double vx = va.vertex.x, vy = va.vertex.y;
        const double h = (angleOfDouble(vx, vy, va.outEnd.x, va.outEnd.y) +
                          angleOfDouble(vx, vy, va.inStart.x, va.inStart.y)) /
                         2;
        const double px = 0.1 * std::sin(h), py = -0.1 * std::cos(h);
        const bool in2 = isPointInVoidZone(map, vx + px, vy + py) == 0;
        const bool in1 = isPointInVoidZone(map, vx - px, vy - py) == 0;
        if (in1 == in2) continue;
        const double qx = in2 ? vx + px : vx - px;
        const double qy = in2 ? vy + py : vy - py;
        const int32_t s = sectorOfWall(map, i);
        if (!isSector(map, s)) continue;
        const int32_t ix = saturateToInt32(std::nearbyint(qx));
        const int32_t iy = saturateToInt32(std::nearbyint(qy));
        const double qz =
            (double(getTrueFloorZ(map, ix, iy, s)) + double(getTrueCeilingZ(map, ix, iy, s))) / 2;
        if (!scanLine(map, sp.x, sp.y, sp.z, sp.sectnum, qx, qy, qz)) continue;
        const auto far = [](int32_t corner, int32_t light) {
            return saturateToInt32(double(17 * int64_t(corner) - 16 * int64_t(light)));
        };
        rays.push_back({va.vertex.x, va.vertex.y, far(va.vertex.x, sp.x), far(va.vertex.y, sp.y)});
    }
    return rays;
}

bool cutShadowsFromSprite(MapStore& map, MapEvents& events, ShapeFeed& feed, int32_t sprite) {
    const std::vector<ShadowRay> rays = shadowRaysFromSprite(map, sprite);
    bool cut = false;
    for (const ShadowRay& r : rays)
        cut =
            linearCutter(map, events, feed, CutSegment{r.x1, r.y1, r.x2, r.y2}, true, false) || cut;
    return cut;
}

}  // namespace korvel
