#include "geometry/ArrayTool.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "base/Mainm.h"
#include "base/MessageNumbers.h"
#include "geometry/ClipboardPaste.h"
#include "geometry/OutlineFeed.h"
#include "geometry/SpritePrimitives.h"
#include "map/GeometryQueries.h"
#include "map/Selection.h"

namespace korvel {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int64_t kInt32Min = std::numeric_limits<int32_t>::min();
constexpr int64_t kInt32Max = std::numeric_limits<int32_t>::max();

// floor(v) as a 64-bit value kept well inside its range; NaN gives 0.
int64_t floor64(double v) {
    if (std::isnan(v)) return 0;
    return int64_t(std::clamp(std::floor(v), -1e15, 1e15));
}

int32_t nearest32(double v) {
    if (std::isnan(v)) return 0;
    return clamp32(int64_t(std::clamp(std::nearbyint(v), -1e15, 1e15)));
}

// Adds the accumulated step to a field at the field's own width, wrapping.
template <class T>
void addWrapped(T& field, uint32_t step) {
    using U = std::make_unsigned_t<T>;
    field = T(U(U(field) + U(step)));
}

void addSteps(SpriteRecord& s, const std::array<uint32_t, kArrayStepFields>& a) {
    addWrapped(s.x, a[0]);
    addWrapped(s.y, a[1]);
    addWrapped(s.z, a[2]);
    addWrapped(s.cstat, a[3]);
    addWrapped(s.picnum, a[4]);
    addWrapped(s.shade, a[5]);
    addWrapped(s.pal, a[6]);
    addWrapped(s.clipdist, a[7]);
    addWrapped(s.filler, a[8]);
    addWrapped(s.xrepeat, a[9]);
    addWrapped(s.yrepeat, a[10]);
    addWrapped(s.xoffset, a[11]);
    addWrapped(s.yoffset, a[12]);
    addWrapped(s.sectnum, a[13]);
    addWrapped(s.statnum, a[14]);
    addWrapped(s.ang, a[15]);
    addWrapped(s.owner, a[16]);
    addWrapped(s.xvel, a[17]);
    addWrapped(s.yvel, a[18]);
    addWrapped(s.zvel, a[19]);
    addWrapped(s.lotag, a[20]);
    addWrapped(s.hitag, a[21]);
    addWrapped(s.extra, a[22]);
}

struct Vec3 {
    int64_t x = 0, y = 0, z = 0;
};

// Turns the sprite's place about c by phi and its angle with it.
void turnSprite(SpriteRecord& s, double cx, double cy, double phi) {
    const float h = angleOfSingle(float(s.x), float(s.y), float(cx), float(cy));
    const float d = distSingle(float(s.x), float(s.y), float(cx), float(cy));
    s.x = nearest32(cx - double(d) * std::sin(phi + double(h)));
    s.y = nearest32(cy + double(d) * std::cos(phi + double(h)));
    const int64_t turn = floor64(phi / kPi * 1024);
    s.ang = int16_t(((int64_t(s.ang) + turn) % 2048 + 2048) % 2048);
}

struct Box3 {
    int64_t minX = kInt32Max, minY = kInt32Max, minZ = kInt32Max;
    int64_t maxX = kInt32Min, maxY = kInt32Min, maxZ = kInt32Min;
    int64_t cx() const { return (minX + maxX) / 2; }
    int64_t cy() const { return (minY + maxY) / 2; }
    int64_t cz() const { return (minZ + maxZ) / 2; }
};

Box3 selectedBox(const MapStore& map) {
    Box3 b;
    for (int32_t k = 0; k < map.spriteCount; ++k) {
        if (map.spriteSelected[k] == 0) continue;
        const SpriteRecord& s = map.sprites[k];
        b.minX = std::min<int64_t>(b.minX, s.x);
        b.maxX = std::max<int64_t>(b.maxX, s.x);
        b.minY = std::min<int64_t>(b.minY, s.y);
        b.maxY = std::max<int64_t>(b.maxY, s.y);
        b.minZ = std::min<int64_t>(b.minZ, s.z);
        b.maxZ = std::max<int64_t>(b.maxZ, s.z);
    }
    return b;
}

// A free place in sector t at least `clearance` from its walls and corners, or false after
// 512 tries.
bool scatterPlace(const MapStore& map, Random& random, int32_t t, int32_t clearance, int64_t& px,
                  int64_t& py) {
    const int32_t first = map.sectors[t].wallptr, n = map.sectors[t].wallnum;
    int64_t minX = kInt32Max, minY = kInt32Max, maxX = kInt32Min, maxY = kInt32Min;
    for (int32_t w = first; w < first + n; ++w) {
        minX = std::min<int64_t>(minX, map.walls[w].x);
        maxX = std::max<int64_t>(maxX, map.walls[w].x);
        minY = std::min<int64_t>(minY, map.walls[w].y);
        maxY = std::max<int64_t>(maxY, map.walls[w].y);
    }
    for (int32_t tries = 0; tries < 512; ++tries) {
        const double r1 = randomSingle(random), r2 = randomSingle(random);
        const int64_t x = minX + floor64(double(maxX - minX) * r1);
        const int64_t y = minY + floor64(double(maxY - minY) * r2);
        const auto x32 = int32_t(x), y32 = int32_t(y);
        if (pointInSectorOrOnEdge(map, x32, y32, t) == 0) continue;
        bool free = true;
        for (int32_t w = first; w < first + n && free; ++w) {
            if (pointNearWallSegment(map, w, x32, y32, clearance) != 0) free = false;
            const double d = distDouble(double(x), double(y), map.walls[w].x, map.walls[w].y);
            if (!(floor64(d) > clearance)) free = false;
        }
        if (free) {
            px = x;
            py = y;
            return true;
        }
    }
    return false;
}

}  // namespace

ArrayResult arrayPasteTool(MapStore& map, MapClipboard& clip, MapEvents& events, ArrayParams& p,
                           Random& random) {
    ArrayResult result;
    deselectSectors(map);
    int32_t selected = 0;
    for (int32_t k = 0; k < map.spriteCount; ++k)
        if (map.spriteSelected[k] != 0) ++selected;
    const int64_t copies = selected > 0 ? std::max<int64_t>(int64_t(p.copyCount) - 1, 0) : 0;
    if (copies * selected > int64_t(kMaxSprites) - map.spriteCount) {
        events.statusMessage(kMsgNoRoomForSprites);
        result.refused = true;
        return result;
    }
    const IntPoint3 s0 = selectedSpritesCenter3D(map);
    map.spriteStacksValid = 0;
    std::array<uint32_t, kArrayStepFields> step{};
    for (int32_t i = 0; i < kArrayStepFields; ++i) step[size_t(i)] = uint32_t(p.steps[size_t(i)]);
    const int32_t scatterSector =
        selected > 0 ? map.sprites[getFirstSelectedSprite(map)].sectnum : -1;
    // With no length the path's first turn is a right angle toward the sign of C.
    const double slope = p.paramD != 0 ? std::atan(double(p.paramC) / double(p.paramD))
                         : p.paramC > 0 ? kPi / 2
                         : p.paramC < 0 ? -kPi / 2
                                        : 0.0;
    double turn = kPi / 2 - slope;
    if (p.option7 != 0) turn = -turn;
    double w = 0;
    if (copies > 0) {
        clearClipboard(clip);
        for (int32_t k = 0; k < map.spriteCount; ++k)
            if (map.spriteSelected[k] != 0) copySpriteToClipboard(clip, map, events, k);
        balanceClipboard(clip);
    }
    double phi = 0;
    Vec3 d;
    std::array<uint32_t, kArrayStepFields> acc{};
    for (int64_t copy = 1; copy <= copies; ++copy) {
        if (!pasteClipboardInPlace(map, clip, events)) break;
        ++result.copiesMade;
        for (size_t i = 0; i < acc.size(); ++i) acc[i] += step[i];
        if (p.option1 != 0) {
            p.centerX = int32_t(uint32_t(p.centerX) + step[0]);
            p.centerY = int32_t(uint32_t(p.centerY) + step[1]);
        }
        const bool turnEach = p.pattern == 1 && p.check != 0 && p.radioA == 2;
        Box3 q;
        switch (p.pattern) {
            case 1: {
                const double a = double(p.rotationStep) * kPi / 18000;
                if (p.radioB == 0) phi += a / double(int64_t(p.copyCount) - 1);
                else if (p.radioB == 1) phi += a;
                else if (p.radioB == 2) phi += a / double(p.copyCount);
                if (turnEach) break;
                const double cx = p.centerX, cy = p.centerY, cz = p.centerZ;
                // The plane's two axes, z counted in sixteenths.
                double u0 = 0, v0 = 0, u1 = 0, v1 = 0;
                if (p.radioA == 0) {
                    u0 = s0.y, v0 = s0.z / 16.0, u1 = cy, v1 = cz / 16.0;
                } else if (p.radioA == 1) {
                    u0 = s0.x, v0 = s0.z / 16.0, u1 = cx, v1 = cz / 16.0;
                } else {
                    u0 = s0.x, v0 = s0.y, u1 = cx, v1 = cy;
                }
                const double h = angleOfSingle(float(u0), float(v0), float(u1), float(v1));
                const double dist = distSingle(float(u0), float(v0), float(u1), float(v1));
                const double du = nearest32((u1 - u0) - dist * std::sin(phi + h));
                const double dvPlane = (v1 - v0) + dist * std::cos(phi + h);
                if (p.radioA == 0) {
                    d = {0, int64_t(du), nearest32((cz - s0.z) + 16 * dist * std::cos(phi + h))};
                } else if (p.radioA == 1) {
                    d = {int64_t(du), 0, nearest32((cz - s0.z) + 16 * dist * std::cos(phi + h))};
                } else {
                    d = {int64_t(du), nearest32(dvPlane), 0};
                }
                break;
            }
            case 2: {
                const int32_t t = scatterSector;
                int64_t px = 0, py = 0;
                if (!isSector(map, t) || !sectorBlockIsSound(map, t) ||
                    !scatterPlace(map, random, t, p.paramA, px, py)) {
                    result.noFreePlace = true;
                    events.statusMessage(kMsgNoFreePlace);
                    return result;
                }
                q = selectedBox(map);
                d.x = px - q.cx();
                d.y = py - q.cy();
                d.z = 0;
                if (p.option3 != 0) {
                    const auto qx = clamp32(q.cx()), qy = clamp32(q.cy());
                    const int64_t lift = q.cz() - q.minZ;
                    const int64_t top = int64_t(getTrueCeilingZ(map, qx, qy, t)) + lift;
                    const int64_t bottom = int64_t(getTrueFloorZ(map, qx, qy, t)) - lift;
                    d.z = top + floor64(double(bottom - top) * randomSingle(random)) - q.cz();
                }
                if (p.option2 != 0) phi = 2 * kPi * randomSingle(random);
                break;
            }
            case 3: {
                if (p.check != 0) q = selectedBox(map);
                const double theta =
                    p.option6 != 0
                        ? (double(p.angleCenter) - p.angleRange +
                           2.0 * p.angleRange * randomSingle(random)) * kPi / 18000
                        : 2 * kPi * randomSingle(random);
                const double r = p.paramB;
                if (p.option4 != 0) {
                    if (p.option5 != 0) {
                        const double e = kPi * randomSingle(random) - kPi / 2;
                        d.x += floor64(r * std::cos(e) * std::cos(theta));
                        d.y += floor64(r * std::cos(e) * std::sin(theta));
                        d.z += floor64(16 * r * std::sin(e));
                    } else {
                        const double rho = r * randomSingle(random);
                        const double s = randomSingle(random);
                        d.x += floor64(s * rho * std::cos(theta));
                        d.y += floor64(s * rho * std::sin(theta));
                        d.z += floor64(16 * rho * std::cos(kPi * s));
                    }
                } else {
                    const double len = p.option5 != 0 ? r : r * randomSingle(random);
                    d.x += floor64(len * std::cos(theta));
                    d.y += floor64(len * std::sin(theta));
                    d.z = 0;
                }
                phi = theta;
                break;
            }
            case 4:
                if (p.check != 0) q = selectedBox(map);
                d.x += floor64(double(p.paramD) * std::cos(w));
                d.y += floor64(double(p.paramD) * std::sin(w));
                w += turn * kPi / 2;
                turn = std::atan(turn);
                phi = w;
                break;
            default:
                break;
        }
        const double qx = double(q.cx()), qy = double(q.cy());
        for (int32_t k = 0; k < map.spriteCount; ++k) {
            if (map.spriteSelected[k] == 0) continue;
            SpriteRecord& s = map.sprites[k];
            addSteps(s, acc);
            const auto shift = [&] {
                s.x = clamp32(s.x + d.x);
                s.y = clamp32(s.y + d.y);
                s.z = clamp32(s.z + d.z);
            };
            switch (p.pattern) {
                case 1:
                    if (turnEach)
                        turnSprite(s, p.centerX, p.centerY, phi);
                    else
                        shift();
                    break;
                case 2:
                    if (p.option2 != 0) turnSprite(s, qx, qy, phi);
                    shift();
                    break;
                case 3:
                case 4:
                    if (p.check != 0) turnSprite(s, qx, qy, phi);
                    shift();
                    break;
                default:
                    break;
            }
            // A stepped sector number outside the map is no sector at all.
            if (!isSector(map, s.sectnum)) s.sectnum = -1;
            updateSpriteSectnum(map, k);
        }
    }
    events.statusMessage(kMsgCopiesMade);
    return result;
}

}  // namespace korvel
