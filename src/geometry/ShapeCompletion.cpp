#include "geometry/ShapeCompletion.h"

#include <algorithm>

#include "base/MessageNumbers.h"
#include "base/ValueConv.h"
#include "geometry/SectorRips.h"
#include "geometry/WallLinks.h"
#include "geometry/WallTexture.h"
#include "map/ProgressScope.h"
#include "map/Selection.h"
#include "map/WallTables.h"

namespace korvel {

namespace {

constexpr int32_t kMaxWallsPerSector = 32767;  // wallnum is a 16-bit field
constexpr int32_t kHalfHeight = 8192;          // a new sector is 16384 units high

int32_t clampToInt32(int64_t v) {
    return int32_t(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

WallRecord newWall(int32_t x, int32_t y, int32_t point2) {
    WallRecord w{};
    w.x = x;
    w.y = y;
    w.point2 = wrapToInt16(point2);
    w.nextwall = -1;
    w.nextsector = -1;
    w.yrepeat = 8;
    w.extra = -1;
    return w;
}

// Corner k of the polygon as it is to be stored.
int32_t cornerIndex(int32_t k, int32_t n, bool reversed) {
    return reversed ? n - 1 - k : k;
}

// What a new sector takes from the neighbour it was drawn against: the linked wall and the
// sector behind it, copied when the link is made, since later link repairs may renumber both.
struct NeighbourTemplate {
    bool found = false;
    WallRecord wall{};
    SectorRecord sector{};
};

// Links the walls marked kPassNewShape with their neighbours (when `link`) and squares them. A
// wall of zero length is removed by its link repair; the marks move with the walls, so none is
// missed. Returns the last link made with a neighbour as the template.
NeighbourTemplate linkNewWalls(MapStore& map, MapEvents& events, bool link, bool ignoreExtra) {
    NeighbourTemplate t;
    for (int32_t i = nextMarkedWall(map, 0, kPassNewShape); i < map.wallCount;) {
        map.wallPassMark[i] &= uint8_t(~kPassNewShape);
        const int32_t before = map.wallCount;
        const int32_t linked = link ? checkWallPointer(map, events, i, false, ignoreExtra) : -1;
        const int32_t removed = before - map.wallCount;
        if (removed == 0) {
            if (linked >= 0) {
                const int32_t s = sectorOfWall(map, linked);
                if (s >= 0) {
                    t.found = true;
                    t.wall = map.walls[linked];
                    t.sector = map.sectors[s];
                }
            }
            squareWallTexture(map, i);
        }
        i = nextMarkedWall(map, std::max(i + 1 - removed, 0), kPassNewShape);
    }
    return t;
}

void takeNeighbourAttributes(MapStore& map, int32_t s, const NeighbourTemplate& t) {
    SectorRecord& sector = map.sectors[s];
    const int16_t wallptr = sector.wallptr, wallnum = sector.wallnum;
    sector = t.sector;
    sector.wallptr = wallptr;
    sector.wallnum = wallnum;
    for (int32_t w = wallptr; w < wallptr + wallnum && w < map.wallCount; ++w) {
        WallRecord& r = map.walls[w];
        r.cstat = t.wall.cstat;
        r.extra = t.wall.extra;
        r.hitag = t.wall.hitag;
        r.lotag = t.wall.lotag;
        r.overpicnum = t.wall.overpicnum;
        r.pal = t.wall.pal;
        r.picnum = t.wall.picnum;
        r.shade = t.wall.shade;
        r.ypanning = t.wall.ypanning;
        r.yrepeat = t.wall.yrepeat;
        squareWallTexture(map, w);
    }
}

ShapeCompletion addSector(MapStore& map, MapEvents& events, const DrawnShape& shape,
                          bool reversed) {
    const int32_t n = shape.count;
    if (map.sectorCount >= kMaxSectors) {
        events.statusMessage(kMsgNoRoomForSectors);
        return {};
    }
    if (n > kMaxWalls - map.wallCount || n > kMaxWallsPerSector) {
        events.statusMessage(kMsgNoRoomForWalls);
        return {};
    }
    const int32_t w0 = map.wallCount;
    for (int32_t k = 0; k < n; ++k) {
        const int32_t c = cornerIndex(k, n, reversed);
        map.walls[w0 + k] = newWall(shape.xs[c], shape.ys[c], w0 + (k + 1) % n);
    }
    clearWallEntries(map, w0, n);
    map.wallCount += n;

    const int32_t s = map.sectorCount;
    const SectorHeights h = heightsFromFilter(shape.heights);
    SectorRecord sector{};
    sector.wallptr = wrapToInt16(w0);
    sector.wallnum = wrapToInt16(n);
    sector.ceilingz = h.ceilingz;
    sector.floorz = h.floorz;
    sector.extra = -1;
    map.sectors[s] = sector;
    clearSectorEntries(map, s, 1);
    ++map.sectorCount;
    noteRecordExtent(map);
    updateWallSectnums(map);

    for (int32_t w = w0; w < w0 + n; ++w) map.wallPassMark[w] |= kPassNewShape;
    const NeighbourTemplate t = linkNewWalls(map, events, shape.linkWalls, true);
    // Walls of zero length may have taken the whole sector with them.
    if (map.sectorCount != s + 1) return {};
    if (t.found) takeNeighbourAttributes(map, s, t);
    events.statusMessage(kMsgNewSectorMade);
    return {true, true};
}

// A further loop of sector t, or an inner one (orientation corrected), stored just after t's
// walls; everything from there up moves up to make room.
ShapeCompletion addLoop(MapStore& map, MapEvents& events, const DrawnShape& shape, bool inner,
                        double sum) {
    const int32_t n = shape.count;
    const int32_t t = shape.targetSector;
    if (!isSector(map, t)) {
        events.statusMessage(kMsgDamagedMap);
        return {};
    }
    const SectorRecord& target = map.sectors[t];
    const int32_t ins = target.wallptr + target.wallnum;
    if (target.wallptr < 0 || target.wallnum < 0 || ins > map.wallCount) {
        events.statusMessage(kMsgDamagedMap);
        return {};
    }
    if (n > kMaxWalls - map.wallCount || n > kMaxWallsPerSector - target.wallnum) {
        events.statusMessage(kMsgNoRoomForWalls);
        return {};
    }
    // A loop of a sector without walls has no first wall to copy: it starts from the defaults.
    WallRecord model = target.wallnum > 0 ? map.walls[target.wallptr] : newWall(0, 0, 0);
    const bool reversed = inner && sum <= 0;

    const int32_t tail = map.wallCount - ins;
    moveWallEntries(map, ins + n, ins, tail);
    map.wallCount += n;
    const auto grown = [&](int16_t v) { return v >= ins ? wrapToInt16(v + n) : v; };
    for (int32_t i = 0; i < map.wallCount; ++i) {
        if (i == ins) i += n;
        if (i >= map.wallCount) break;
        map.walls[i].point2 = grown(map.walls[i].point2);
        map.walls[i].nextwall = grown(map.walls[i].nextwall);
    }
    for (int32_t k = 0; k < map.sectorCount; ++k)
        if (k != t && map.sectors[k].wallptr >= ins)
            map.sectors[k].wallptr = wrapToInt16(map.sectors[k].wallptr + n);
    renumberMoveList(map, [&](int32_t v) { return v >= ins ? v + n : v; });

    for (int32_t j = 0; j < n; ++j) {
        const int32_t c = cornerIndex(j, n, reversed);
        WallRecord& w = map.walls[ins + j];
        w = model;
        w.x = shape.xs[c];
        w.y = shape.ys[c];
        w.point2 = wrapToInt16(ins + (j + 1) % n);
        w.nextwall = -1;
        w.nextsector = -1;
    }
    clearWallEntries(map, ins, n);
    map.sectors[t].wallnum = wrapToInt16(map.sectors[t].wallnum + n);
    noteRecordExtent(map);
    updateWallSectnums(map);
    if (tail > 0) events.objectsRenumbered();

    for (int32_t w = ins; w < ins + n; ++w) map.wallPassMark[w] |= kPassNewShape;
    linkNewWalls(map, events, true, false);
    if (inner) events.statusMessage(kMsgLoopAdded, {std::to_string(t)});
    return {true, false};
}

void selectNewestAsTarget(MapStore& map) {
    deselectSectors(map);
    map.booleanTargetSector = map.sectorCount - 1;
    if (map.booleanTargetSector >= 0) {
        map.sectorSelected[map.booleanTargetSector] = 1;
        map.selectedSectorCount = 1;
    }
}

}  // namespace

SectorHeights heightsFromFilter(const HeightFilter& filter) {
    int64_t z = 0;
    const int64_t low = filter.low, high = filter.high;
    if (filter.mode == 1) {
        if (low > kHalfHeight) z = low - kHalfHeight;
        if (high < z + kHalfHeight) z = high - kHalfHeight;
    } else if (filter.mode == 2) {
        if (low > -kHalfHeight) z = low + kHalfHeight;
        if (high < z - kHalfHeight) z = high + kHalfHeight;
    }
    return {clampToInt32(z - kHalfHeight), clampToInt32(z + kHalfHeight)};
}

double shoelaceSum(const int32_t* xs, const int32_t* ys, int32_t count) {
    double sum = 0;
    for (int32_t i = 0; i < count; ++i) {
        const int32_t j = i + 1 < count ? i + 1 : 0;
        sum += (double(xs[j]) - xs[i]) * (double(ys[i]) + ys[j]);
    }
    return sum;
}

ShapeCompletion finishDrawnShape(MapStore& map, MapEvents& events, const DrawnShape& shape) {
    if (shape.count < 3 || shape.xs == nullptr || shape.ys == nullptr) {
        events.statusMessage(kMsgTooFewCorners);
        return {};
    }
    const double sum = shoelaceSum(shape.xs, shape.ys, shape.count);
    switch (shape.drawMode) {
        case DrawMode::InsideSector:
            return addLoop(map, events, shape, true, sum);
        case DrawMode::FedFurtherLoop:
            return addLoop(map, events, shape, false, sum);
        case DrawMode::FedSector:
            return addSector(map, events, shape, false);
        default:
            return addSector(map, events, shape, sum > 0);
    }
}

BooleanOutcome runPendingBoolean(MapStore& map, MapEvents& events, ShapeFeed& feed,
                                 BooleanMode mode, bool ripCutsAll) {
    const int32_t last = map.sectorCount - 1;
    const int32_t target = map.booleanTargetSector;
    if (isSector(map, target) && target != last) {
        switch (mode) {
            case BooleanMode::Intersect:
                intersectSectors(map, events, feed, target, last);
                break;
            case BooleanMode::Join:
                joinSectors(map, events, feed, target, last);
                break;
            case BooleanMode::Subtract:
                if (target <= last)
                    subtractSectorsAB(map, events, feed, target, last);
                else
                    subtractSectorsBA(map, events, feed, target, last);
                break;
            case BooleanMode::Rip:
                if (ripCutsAll) {
                    ProgressScope progress(events, last - 1);
                    for (int32_t s = 0; s < last; ++s) {
                        if (s == target) continue;
                        insertCrossingVertices(map, events, s, last, 1);
                        progress.step();
                    }
                }
                ripSectors(map, events, feed, target, last);
                break;
            case BooleanMode::None:
                break;
        }
        selectNewestAsTarget(map);
        return BooleanOutcome::TargetSet;
    }
    if (mode == BooleanMode::Rip) {
        map.booleanTargetSector = -2;
        multiSectorRip(map, events, feed);
        return BooleanOutcome::RippedEverything;
    }
    selectNewestAsTarget(map);
    return BooleanOutcome::TargetSet;
}

}  // namespace korvel
