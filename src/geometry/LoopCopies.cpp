#include "geometry/LoopCopies.h"

#include <algorithm>
#include <vector>

#include "base/MessageNumbers.h"
#include "geometry/OutlineFeed.h"
#include "geometry/SectorDeletion.h"
#include "geometry/WallLinks.h"
#include "geometry/WallPrimitives.h"
#include "map/LoopOrientation.h"
#include "map/Selection.h"
#include "map/WallTables.h"

namespace korvel {

namespace {

// The loop of w as a contiguous run of its sector's block: first stored wall and length; a
// length of 0 when the loop is damaged.
struct LoopRun {
    int32_t first = -1, count = 0;
};

LoopRun runOf(const MapStore& map, int32_t w) {
    if (!isWall(map, w)) return {};
    const std::vector<int32_t> loop = loopOf(map, w);
    if (loop.empty()) return {};
    const auto [lo, hi] = std::minmax_element(loop.begin(), loop.end());
    if (*hi - *lo + 1 != int32_t(loop.size())) return {};
    return {*lo, int32_t(loop.size())};
}

// Reverses the ring stored at first..first+n-1 in place, each wall's record and flags staying
// with its geometric edge; links are left to the caller.
void reverseRun(MapStore& map, int32_t first, int32_t n) {
    std::vector<IntPoint> at(static_cast<size_t>(n));
    std::vector<uint8_t> vertex(static_cast<size_t>(n));
    for (int32_t i = 0; i < n; ++i) {
        at[size_t(i)] = wallStart(map, first + i);
        vertex[size_t(i)] = map.vertexSelected[first + i];
    }
    // The edge from vertex i to vertex i + 1 goes to the place of vertex i + 1 in the new order.
    reorderWallBlock(map, first, n, [&](int32_t old) {
        const int32_t i = old - first;
        return first + ((n - 2 - i) % n + n) % n;
    });
    for (int32_t j = 0; j < n; ++j) {
        const int32_t w = first + n - 1 - j;
        map.walls[w].x = at[size_t(j)].x;
        map.walls[w].y = at[size_t(j)].y;
        map.walls[w].point2 = int16_t(first + (n - j) % n);
        map.vertexSelected[w] = vertex[size_t(j)];
    }
}

}  // namespace

bool extractLoop(MapStore& map, MapEvents& events, int32_t w) {
    const LoopRun run = runOf(map, w);
    const int32_t s = sectorOfWall(map, w);
    if (run.count < 3 || s < 0) {
        events.statusMessage(isWall(map, w) ? kMsgDamagedMap : kMsgNoSuchSectorOrWall);
        return false;
    }
    if (!roomFor(map, events, run.count, 1)) return false;
    const MapBackup backup(map);
    const bool hole = isWallLoopClockwise(map, run.first);
    const int32_t to = map.wallCount, k = map.sectorCount;
    appendWallCopies(map, run.first, run.count);
    for (int32_t i = 0; i < run.count; ++i)
        map.wallSelected[to + i] = map.wallSelected[run.first + i];
    clearSectorEntries(map, k, 1);
    map.sectors[k] = map.sectors[s];
    map.sectors[k].wallptr = int16_t(to);
    map.sectors[k].wallnum = int16_t(run.count);
    map.sectorSelected[k] = map.sectorSelected[s];
    map.sectorCount += 1;
    noteRecordExtent(map);
    if (hole) reverseRun(map, to, run.count);
    updateWallSectnums(map);
    if (deleteLoop(map, events, run.first) == LoopDeletion::Refused) {
        backup.restore(map);
        return false;
    }
    recountSelection(map);
    events.objectsRenumbered();
    return true;
}

bool cloneSector(MapStore& map, MapEvents& events, int32_t s) {
    if (!sectorBlockIsSound(map, s)) {
        events.statusMessage(isSector(map, s) ? kMsgDamagedMap : kMsgNoSuchSectorOrWall);
        return false;
    }
    int32_t sprites = 0;
    for (int32_t k = 0; k < map.spriteCount; ++k) sprites += map.sprites[k].sectnum == s;
    if (!roomFor(map, events, map.sectors[s].wallnum, 1)) return false;
    if (int64_t(map.spriteCount) + sprites > kMaxSprites) {
        events.statusMessage(kMsgNoRoomForSprites);
        return false;
    }
    const int32_t copy = map.sectorCount, spriteCount = map.spriteCount;
    for (int32_t k = 0; k < spriteCount; ++k) {
        if (map.sprites[k].sectnum != s) continue;
        clearSpriteEntries(map, map.spriteCount, 1);
        map.sprites[map.spriteCount] = map.sprites[k];
        map.sprites[map.spriteCount].sectnum = int16_t(copy);
        ++map.spriteCount;
    }
    const int32_t first = map.sectors[s].wallptr, n = map.sectors[s].wallnum;
    clearSectorEntries(map, copy, 1);
    map.sectors[copy] = map.sectors[s];
    map.sectors[copy].wallptr = int16_t(map.wallCount);
    appendWallCopies(map, first, n);
    map.sectorCount += 1;
    map.spriteStacksValid = 0;
    noteRecordExtent(map);
    updateWallSectnums(map);
    return true;
}

bool cloneSprite(MapStore& map, MapEvents& events, int32_t k) {
    if (!isSprite(map, k)) {
        events.statusMessage(kMsgNoSuchSectorOrWall);
        return false;
    }
    if (map.spriteCount >= kMaxSprites) {
        events.statusMessage(kMsgNoRoomForSprites);
        return false;
    }
    clearSpriteEntries(map, map.spriteCount, 1);
    map.sprites[map.spriteCount] = map.sprites[k];
    ++map.spriteCount;
    map.spriteStacksValid = 0;
    noteRecordExtent(map);
    return true;
}

bool reverseLoop(MapStore& map, MapEvents& events, int32_t w) {
    const LoopRun run = runOf(map, w);
    if (run.count < 1) {
        events.statusMessage(isWall(map, w) ? kMsgDamagedMap : kMsgNoSuchSectorOrWall);
        return false;
    }
    for (int32_t i = run.first; i < run.first + run.count; ++i) unlinkBothSides(map, i);
    reverseRun(map, run.first, run.count);
    const int32_t before = map.wallCount;
    for (int32_t i = run.first; i < run.first + run.count && map.wallCount == before; ++i)
        checkWallPointer(map, events, i, false, false);
    return true;
}

bool reverseSector(MapStore& map, MapEvents& events, int32_t s) {
    if (!sectorBlockIsSound(map, s)) {
        events.statusMessage(isSector(map, s) ? kMsgDamagedMap : kMsgNoSuchSectorOrWall);
        return false;
    }
    const int32_t first = map.sectors[s].wallptr, n = map.sectors[s].wallnum;
    const IntPoint p = wallStart(map, first), q = wallStart(map, map.walls[first].point2);
    for (int32_t i = first; i < first + n; ++i)
        if (runOf(map, i).count < 1) {
            events.statusMessage(kMsgDamagedMap);
            return false;
        }
    for (int32_t i = first; i < first + n; ++i) unlinkBothSides(map, i);
    for (int32_t i = first; i < first + n;) {
        const LoopRun run = runOf(map, i);
        if (run.count < 1 || run.first != i) {
            events.statusMessage(kMsgDamagedMap);
            return false;
        }
        reverseRun(map, run.first, run.count);
        i += run.count;
    }
    // The edge that was first, now running from q to p, is made first again.
    int32_t edge = -1;
    for (int32_t i = first; i < first + n && edge < 0; ++i)
        if (wallStart(map, i) == q && wallStart(map, map.walls[i].point2) == p) edge = i;
    if (edge >= 0 && edge != first) setSectorFirstWall(map, events, s, edge);
    const int32_t before = map.wallCount;
    for (int32_t i = first; i < first + n && map.wallCount == before; ++i)
        checkWallPointer(map, events, i, false, false);
    return true;
}

}  // namespace korvel
