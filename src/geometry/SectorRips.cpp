#include "geometry/SectorRips.h"

#include <algorithm>
#include <array>

#include "base/MessageNumbers.h"
#include "geometry/OutlineFeed.h"
#include "geometry/SectorBooleans.h"
#include "geometry/SectorDeletion.h"
#include "geometry/SpritePrimitives.h"
#include "geometry/WallLinks.h"
#include "geometry/WallMarks.h"
#include "geometry/WallTexture.h"
#include "map/GeometryQueries.h"
#include "map/WallTables.h"

namespace korvel {

namespace {

// Appends an unlinked copy of sector s with its walls, fresh flags. Room is checked by the caller.
void appendSectorCopy(MapStore& map, int32_t s) {
    const int32_t first = map.sectors[s].wallptr, n = map.sectors[s].wallnum;
    const int32_t to = map.wallCount, k = map.sectorCount;
    appendWallCopies(map, first, n);
    clearSectorEntries(map, k, 1);
    map.sectors[k] = map.sectors[s];
    map.sectors[k].wallptr = int16_t(to);
    map.sectorCount += 1;
    noteRecordExtent(map);
    updateWallSectnums(map);
}

int32_t ownerOf(const MapStore& map, int32_t w) {
    return isWall(map, w) ? sectorOfWall(map, w) : -1;
}

bool oneSided(const MapStore& map, int32_t w) {
    return isWall(map, w) && map.walls[w].nextwall < 0;
}

// Whether walls i and j (two-sided, starting within a unit of each other) are the ends of two
// neighbouring parts' seams that rounding left apart.
bool weldable(const MapStore& map, int32_t i, int32_t j) {
    std::array<int32_t, 4> w{i, map.walls[i].nextwall, j, map.walls[j].nextwall};
    for (int32_t k : w)
        if (!isWall(map, k)) return false;
    std::sort(w.begin(), w.end());
    const int32_t s0 = ownerOf(map, w[0]), s1 = ownerOf(map, w[1]), s2 = ownerOf(map, w[2]),
                  s3 = ownerOf(map, w[3]);
    if (s0 < 0 || s2 < 0 || s1 != s0 + 1 || s3 != s2 + 1) return false;
    const auto next = [&](int32_t k) { return map.walls[k].point2; };
    const auto prev = [&](int32_t k) { return getPrevWall(map, k); };
    return (oneSided(map, next(w[0])) && oneSided(map, next(w[3])) && oneSided(map, prev(w[1])) &&
            oneSided(map, prev(w[2]))) ||
           (oneSided(map, next(w[1])) && oneSided(map, next(w[2])) && oneSided(map, prev(w[0])) &&
            oneSided(map, prev(w[3])));
}

void weldParts(MapStore& map, MapEvents& events, bool square) {
    const int32_t walls = map.wallCount;
    for (int32_t i = 0; i < walls && i < map.wallCount; ++i) {
        if (map.wallIgnored[i] != 0) continue;
        if (isWall(map, map.walls[i].nextwall)) {
            const int32_t bound = map.wallCount;
            for (int32_t j = 0; j < bound; ++j) {
                if (!isWall(map, map.walls[j].nextwall) || !isWall(map, map.walls[i].nextwall))
                    continue;
                const int64_t dx = int64_t(map.walls[j].x) - map.walls[i].x,
                              dy = int64_t(map.walls[j].y) - map.walls[i].y;
                if ((dx == 0 && dy == 0) || dx < -1 || dx > 1 || dy < -1 || dy > 1) continue;
                if (!weldable(map, i, j)) continue;
                const IntPoint to = wallStart(map, j);
                findMovWalls(map, i);
                for (int32_t k = 0; k < map.wallCount; ++k) {
                    const auto mark = WallMoveState(map.wallMoveState[k]);
                    if (mark == WallMoveState::StartPoint || mark == WallMoveState::BothPoints) {
                        map.walls[k].x = to.x;
                        map.walls[k].y = to.y;
                    }
                }
            }
        }
        checkWallPointer(map, events, i, false, false);
        if (square && isWall(map, i)) squareWallTexture(map, i);
    }
}

}  // namespace

bool ripSectors(MapStore& map, MapEvents& events, ShapeFeed& feed, int32_t target, int32_t shape) {
    if (!isSector(map, target) || !isSector(map, shape)) {
        events.statusMessage(kMsgNoSuchSectorOrWall);
        return false;
    }
    if (target == shape) {
        events.statusMessage(kMsgSameSectorTwice);
        return false;
    }
    const MapBackup backup(map);
    const int32_t before = map.sectorCount;
    const BooleanOptions keep{true, true};
    if (combineSectors(map, events, feed, BooleanKind::Intersect, target, shape, keep) ==
        BooleanResult::Refused) {
        backup.restore(map);
        return false;
    }
    const BooleanKind minus = shape < target ? BooleanKind::SubtractBA : BooleanKind::SubtractAB;
    if (combineSectors(map, events, feed, minus, target, shape, keep) == BooleanResult::Refused) {
        backup.restore(map);
        return false;
    }
    FeedBatch batch(feed);
    if (!deleteSectorWos(map, events, target) ||
        !deleteSectorWos(map, events, target < shape ? shape - 1 : shape)) {
        backup.restore(map);
        return false;
    }
    const bool square = feed.autoWallSquare();
    const int32_t last = map.sectorCount - 1;
    if (last >= 0) {
        linkSectorWalls(map, events, last, square);
        if (map.sectorCount == before && last >= 1) linkSectorWalls(map, events, last - 1, square);
    }
    return true;
}

bool multiSectorRip(MapStore& map, MapEvents& events, ShapeFeed& feed) {
    const int32_t n = map.sectorCount;
    if (n < 1) return false;
    for (int32_t s = 0; s < n; ++s)
        if (!sectorBlockIsSound(map, s)) {
            events.statusMessage(kMsgDamagedMap);
            return false;
        }
    const MapBackup backup(map);
    const auto giveUp = [&] {
        backup.restore(map);
        return false;
    };
    FeedBatch batch(feed);
    int32_t cutter = n - 1;
    events.progressBegin(std::max(n - 2, 1));
    for (int32_t pass = 0; pass + 1 < n; ++pass) {
        if (map.sectorIgnored[0] != 0) {
            if (!moveSectorSp(map, events, 0, cutter)) return giveUp();
            --cutter;
            continue;
        }
        const int64_t walls = 2 * (int64_t(map.sectors[0].wallnum) + map.sectors[cutter].wallnum);
        if (!roomFor(map, events, walls, 4)) return giveUp();
        for (int32_t copy = 0; copy < 2; ++copy) {
            appendSectorCopy(map, 0);
            appendSectorCopy(map, cutter);
        }
        if (!deleteSectorWos(map, events, 0)) return giveUp();
        --cutter;
        const int32_t count = map.sectorCount;
        const BooleanOptions quiet{false, true};
        if (combineSectors(map, events, feed, BooleanKind::Intersect, count - 2, count - 1,
                           quiet) == BooleanResult::Refused)
            return giveUp();
        const bool none = map.sectorCount == count - 2;
        const int32_t x = none ? map.sectorCount - 2 : map.sectorCount - 3;
        if (combineSectors(map, events, feed, BooleanKind::SubtractAB, x, x + 1, quiet) ==
            BooleanResult::Refused)
            return giveUp();
        events.progressStep();
    }
    events.progressEnd();
    if (!deleteSectorWos(map, events, 0)) return giveUp();
    weldParts(map, events, feed.autoWallSquare());
    map.movedWallCount = 0;
    for (int32_t w = 0; w < map.wallCount; ++w) map.wallMoveState[w] = 0;
    for (int32_t k = 0; k < map.spriteCount; ++k) updateSpriteSectnum(map, k);
    return true;
}

}  // namespace korvel
