#include "geometry/LoopCopies.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "base/MessageNumbers.h"
#include "geometry/OutlineFeed.h"
#include "geometry/SectorDeletion.h"
#include "geometry/WallLinks.h"
#include "geometry/WallPrimitives.h"
#include "geometry/LineOfSight.h"
#include "map/GeometryQueries.h"
#include "map/LoopOrientation.h"
#include "map/Selection.h"
#include "map/WallTables.h"

namespace korvel {

namespace {

constexpr int32_t kMaxWallsPerSector = 32767;  // wallnum is a 16-bit field
constexpr int32_t kMsgSelectedLoopsExtracted = 1196;

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

// Appends unlinked copies of walls first..first+n-1 that carry every per-wall flag of their
// source: the walls move, they are not new.
void appendWallMoves(MapStore& map, int32_t first, int32_t n) {
    const int32_t to = map.wallCount;
    appendWallCopies(map, first, n);
    forEachTable<WallTables>([&](auto table, TableRole role, const char*) {
        if (role != TableRole::Flags && !(role == TableRole::MoveMarks && tableFollowsObjects(map, role)))
            return;
        auto& entries = map.*table;
        for (int32_t i = 0; i < n; ++i) entries[to + i] = entries[first + i];
    });
}

// Whether wall i starts a loop of sector s's block. The first wall of the array starts one
// whatever a damaged sector's block says, as nothing comes before it.
bool startsLoop(const MapStore& map, int32_t s, int32_t i) {
    return i <= 0 || i == map.sectors[s].wallptr || map.walls[i - 1].point2 != i;
}

// The selection counts again from the flags, keeping the loop count, which the copies and
// extractions take over one for one.
void recountKeepingLoops(MapStore& map) {
    const int32_t loops = map.selectedLoopCount;
    recountSelection(map);
    map.selectedLoopCount = loops;
}

// The hole starting at wall `first` (n walls) of sector s moves to sector t, whose block must
// end the wall array; the hole stays a hole.
bool moveHoleTo(MapStore& map, MapEvents& events, int32_t first, int32_t n, int32_t t) {
    const SectorRecord& target = map.sectors[t];
    if (target.wallptr + target.wallnum != map.wallCount) {
        events.statusMessage(kMsgDamagedMap);
        return false;
    }
    if (!roomFor(map, events, n, 0)) return false;
    if (n > kMaxWallsPerSector - target.wallnum) {
        events.statusMessage(kMsgNoRoomForWalls);
        return false;
    }
    appendWallMoves(map, first, n);
    map.sectors[t].wallnum = int16_t(map.sectors[t].wallnum + n);
    updateWallSectnums(map);
    return deleteLoop(map, events, first) != LoopDeletion::Refused;
}

// The holes of sector s whose first corner lies in sector t (the newest) move to t, each once
// `reachable` says so of it; s is examined from its first wall again after each move, until it
// has no such hole left or went with its last loop. False on a refusal.
template <typename Reachable>
bool takeHolesInside(MapStore& map, MapEvents& events, int32_t s, Reachable reachable) {
    const int32_t sectors = map.sectorCount;
    for (int32_t guard = 0; guard <= kMaxWalls && map.sectorCount == sectors; ++guard) {
        if (!sectorBlockIsSound(map, s)) {
            events.statusMessage(kMsgDamagedMap);
            return false;
        }
        const int32_t t = map.sectorCount - 1;
        const int32_t first = map.sectors[s].wallptr, end = first + map.sectors[s].wallnum;
        LoopRun hole;
        for (int32_t i = first; i < end && hole.count == 0;) {
            const LoopRun run = runOf(map, i);
            if (run.count < 1 || run.first != i) {
                events.statusMessage(kMsgDamagedMap);
                return false;
            }
            i += run.count;
            if (!isWallLoopClockwise(map, run.first)) continue;
            const WallRecord& corner = map.walls[run.first];
            if (isPointInSectorByLoop(map, corner.x, corner.y, t) < 1) continue;
            if (reachable(run, t)) hole = run;
        }
        if (hole.count == 0) return true;
        if (!moveHoleTo(map, events, hole.first, hole.count, t)) return false;
    }
    return true;
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
    appendWallMoves(map, run.first, run.count);
    clearSectorEntries(map, k, 1);
    map.sectors[k] = map.sectors[s];
    map.sectors[k].wallptr = int16_t(to);
    map.sectors[k].wallnum = int16_t(run.count);
    // The loop's sector goes on in the new one: selection and hidden state with it.
    forEachTable<SectorTables>([&](auto table, TableRole role, const char*) {
        if (role == TableRole::Flags) (map.*table)[k] = (map.*table)[s];
    });
    map.sectorCount += 1;
    noteRecordExtent(map);
    if (hole) reverseRun(map, to, run.count);
    updateWallSectnums(map);
    if (deleteLoop(map, events, run.first) == LoopDeletion::Refused) {
        backup.restore(map);
        return false;
    }
    recountKeepingLoops(map);
    events.objectsRenumbered();
    return true;
}


namespace {

// The selected loops (only the outer ones when `withHoles`) become sectors, scanning the walls
// that were there at the start; with `withHoles` each takes the holes of its old sector that
// lie inside it.
bool extractSelected(MapStore& map, MapEvents& events, bool withHoles) {
    // Taken before the first extraction, so that a refusal halfway puts back the earlier ones.
    std::optional<MapBackup> backup;
    const int32_t loops = map.selectedLoopCount;
    int32_t end = map.wallCount;
    for (int32_t i = 0; i < end && i < map.wallCount;) {
        const int32_t s = sectorOfWall(map, i);
        if (!map.wallSelected[i] || s < 0 || !startsLoop(map, s, i) ||
            (withHoles && isWallLoopClockwise(map, i))) {
            ++i;
            continue;
        }
        if (!backup) backup.emplace(map);
        const LoopRun run = runOf(map, i);
        const int32_t sectors = map.sectorCount;
        if (run.count < 3 || run.first != i || !extractLoop(map, events, i)) {
            if (run.count < 3 || run.first != i) events.statusMessage(kMsgDamagedMap);
            backup->restore(map);
            return false;
        }
        end -= run.count;
        if (withHoles && map.sectorCount == sectors + 1) {
            // The old sector kept other loops; its holes inside the new sector go along.
            const int32_t grown = map.sectors[map.sectorCount - 1].wallnum;
            if (!takeHolesInside(map, events, s, [](const LoopRun&, int32_t) { return true; })) {
                backup->restore(map);
                return false;
            }
            end -= map.sectors[map.sectorCount - 1].wallnum - grown;
        }
    }
    recountSelection(map);
    map.selectedLoopCount = loops;
    events.playCue("command");
    events.statusMessage(kMsgSelectedLoopsExtracted);
    return true;
}

}  // namespace

bool extractSelLoops(MapStore& map, MapEvents& events) {
    return extractSelected(map, events, false);
}

bool extractSelLoopsWi(MapStore& map, MapEvents& events) {
    return extractSelected(map, events, true);
}

bool splitIsolatedLoops(MapStore& map, MapEvents& events, int32_t s) {
    if (!sectorBlockIsSound(map, s)) {
        events.statusMessage(isSector(map, s) ? kMsgDamagedMap : kMsgNoSuchSectorOrWall);
        return false;
    }
    int32_t outer = 0, loops = 0;
    const int32_t first = map.sectors[s].wallptr, end = first + map.sectors[s].wallnum;
    for (int32_t i = first; i < end;) {
        const LoopRun run = runOf(map, i);
        if (run.count < 1 || run.first != i) {
            events.statusMessage(kMsgDamagedMap);
            return false;
        }
        outer += !isWallLoopClockwise(map, i);
        ++loops;
        i += run.count;
    }
    if (outer < 2) {
        recountSelection(map);
        return true;
    }
    const MapBackup backup(map);
    auto refuse = [&] {
        backup.restore(map);
        return false;
    };
    bool sGone = false;
    for (int32_t pass = 0; pass <= loops && !sGone; ++pass) {
        if (!sectorBlockIsSound(map, s)) return refuse();
        // The first outer loop of s.
        int32_t at = -1;
        const int32_t b = map.sectors[s].wallptr, e = b + map.sectors[s].wallnum;
        for (int32_t i = b; i < e && at < 0;) {
            const LoopRun run = runOf(map, i);
            if (run.count < 1 || run.first != i) return refuse();
            if (!isWallLoopClockwise(map, i)) at = i;
            i += run.count;
        }
        if (at < 0) break;
        const int32_t sectors = map.sectorCount;
        if (!extractLoop(map, events, at)) return refuse();
        map.sectorSelected[map.sectorCount - 1] = 1;
        if (map.sectorCount == sectors) break;  // s went with its last loop
        const bool ok = takeHolesInside(map, events, s, [&](const LoopRun& hole, int32_t t) {
            const int32_t from = map.sectors[t].wallptr;
            for (int32_t v = hole.first; v < hole.first + hole.count; ++v)
                if (!isSelfIntersecting(map, from, v, s)) return true;
            return false;
        });
        if (!ok) return refuse();
        sGone = map.sectorCount == sectors;
    }
    recountSelection(map);
    for (int32_t k = std::max(0, map.sectorCount - outer); k < map.sectorCount; ++k)
        linkSectorWalls(map, events, k, false);
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

bool cloneLoop(MapStore& map, MapEvents& events, int32_t w) {
    const LoopRun run = runOf(map, w);
    const int32_t s = sectorOfWall(map, w);
    if (run.count < 3 || s < 0) {
        events.statusMessage(isWall(map, w) ? kMsgDamagedMap : kMsgNoSuchSectorOrWall);
        return false;
    }
    const int32_t n = run.count;
    if (!roomFor(map, events, n, 0)) return false;
    if (n > kMaxWallsPerSector - map.sectors[s].wallnum) {
        events.statusMessage(kMsgNoRoomForWalls);
        return false;
    }
    const int32_t at = run.first + n;  // where the copy goes
    const int32_t tail = map.wallCount - at;
    moveWallEntries(map, at + n, at, tail);
    map.wallCount += n;
    const auto grown = [&](int16_t v) { return v >= at ? int16_t(v + n) : v; };
    for (int32_t i = 0; i < map.wallCount; ++i) {
        if (i == at) i += n;
        if (i >= map.wallCount) break;
        map.walls[i].point2 = grown(map.walls[i].point2);
        map.walls[i].nextwall = grown(map.walls[i].nextwall);
    }
    for (int32_t k = 0; k < map.sectorCount; ++k)
        if (k != s && map.sectors[k].wallptr >= at)
            map.sectors[k].wallptr = int16_t(map.sectors[k].wallptr + n);
    renumberMoveList(map, [&](int32_t v) { return v >= at ? v + n : v; });
    clearWallEntries(map, at, n);
    for (int32_t i = 0; i < n; ++i) {
        const int32_t from = run.first + i;
        WallRecord copy = map.walls[from];
        copy.point2 = int16_t(copy.point2 + n);
        copy.nextwall = -1;
        copy.nextsector = -1;
        map.walls[at + i] = copy;
        map.wallIgnored[at + i] = map.wallIgnored[from];
        map.wallSelected[at + i] = 1;
        map.wallSelected[from] = 0;
    }
    map.sectors[s].wallnum = int16_t(map.sectors[s].wallnum + n);
    noteRecordExtent(map);
    updateWallSectnums(map);
    recountKeepingLoops(map);
    events.objectsRenumbered();
    return true;
}

bool cloneSelectedLoops(MapStore& map, MapEvents& events) {
    // Every loop to copy and the room its copies take, before anything changes.
    std::vector<int32_t> grows(static_cast<size_t>(std::clamp(map.sectorCount, 0, kMaxSectors)));
    int64_t need = 0;
    for (int32_t i = 0; i < map.wallCount;) {
        if (!map.wallSelected[i]) {
            ++i;
            continue;
        }
        const LoopRun run = runOf(map, i);
        const int32_t s = sectorOfWall(map, i);
        if (run.count < 3 || s < 0) {
            events.statusMessage(kMsgDamagedMap);
            return false;
        }
        need += run.count;
        grows[size_t(s)] += run.count;
        if (map.sectors[s].wallnum + grows[size_t(s)] > kMaxWallsPerSector) {
            events.statusMessage(kMsgNoRoomForWalls);
            return false;
        }
        i = run.first + run.count;
    }
    if (need == 0) return false;
    if (!roomFor(map, events, need, 0)) return false;
    for (int32_t i = 0; i < map.wallCount;) {
        if (!map.wallSelected[i]) {
            ++i;
            continue;
        }
        const LoopRun run = runOf(map, i);
        if (!cloneLoop(map, events, i)) return false;  // checked above: cannot happen
        // Past the source loop and its copy; the source's walls before i are unselected now.
        i = run.first + 2 * run.count;
    }
    return true;
}

bool cloneSelectedSprites(MapStore& map, MapEvents& events) {
    const int32_t count = std::clamp(map.spriteCount, 0, kMaxSprites);
    int32_t selected = 0;
    for (int32_t k = 0; k < count; ++k) selected += map.spriteSelected[k] != 0;
    if (selected == 0) return false;
    if (int64_t(count) + selected > kMaxSprites) {
        events.statusMessage(kMsgNoRoomForSprites);
        return false;
    }
    for (int32_t k = 0; k < count; ++k) {
        if (!map.spriteSelected[k]) continue;
        const int32_t copy = map.spriteCount;
        clearSpriteEntries(map, copy, 1);
        map.sprites[copy] = map.sprites[k];
        map.spriteSelected[copy] = 1;
        map.spriteSelected[k] = 0;
        ++map.spriteCount;
    }
    map.spriteStacksValid = 0;
    noteRecordExtent(map);
    recountKeepingLoops(map);
    return true;
}

bool cloneSelectedSectors(MapStore& map, MapEvents& events) {
    const int32_t sectors = std::clamp(map.sectorCount, 0, kMaxSectors);
    const int32_t sprites = std::clamp(map.spriteCount, 0, kMaxSprites);
    int64_t needSectors = 0, needWalls = 0, needSprites = 0;
    for (int32_t s = 0; s < sectors; ++s) {
        if (!map.sectorSelected[s]) continue;
        if (!sectorBlockIsSound(map, s)) {
            events.statusMessage(kMsgDamagedMap);
            return false;
        }
        ++needSectors;
        needWalls += map.sectors[s].wallnum;
    }
    if (needSectors == 0) return false;
    for (int32_t k = 0; k < sprites; ++k) {
        const int32_t s = map.sprites[k].sectnum;
        needSprites += s >= 0 && s < sectors && map.sectorSelected[s];
    }
    if (!roomFor(map, events, needWalls, needSectors)) return false;
    if (needSprites > kMaxSprites - sprites) {
        events.statusMessage(kMsgNoRoomForSprites);
        return false;
    }
    for (int32_t s = 0; s < sectors; ++s) {
        if (!map.sectorSelected[s]) continue;
        const int32_t copy = map.sectorCount;
        clearSectorEntries(map, copy, 1);
        map.sectors[copy] = map.sectors[s];
        map.sectors[copy].wallptr = int16_t(map.wallCount);
        appendWallCopies(map, map.sectors[s].wallptr, map.sectors[s].wallnum);
        map.sectorSelected[copy] = 1;
        map.sectorSelected[s] = 0;
        ++map.sectorCount;
        for (int32_t k = 0; k < sprites; ++k) {
            if (map.sprites[k].sectnum != s) continue;
            const int32_t c = map.spriteCount;
            clearSpriteEntries(map, c, 1);
            map.sprites[c] = map.sprites[k];
            map.sprites[c].sectnum = int16_t(copy);
            map.spriteSelected[c] = 1;
            ++map.spriteCount;
        }
    }
    for (int32_t k = 0; k < sprites; ++k) map.spriteSelected[k] = 0;
    map.spriteStacksValid = 0;
    noteRecordExtent(map);
    updateWallSectnums(map);
    recountKeepingLoops(map);
    return true;
}

void selectOppositeWalls(MapStore& map) {
    const int32_t count = std::clamp(map.wallCount, 0, kMaxWalls);
    // A twin that took the selection earlier in the pass counts as selected, not as one to
    // pass on.
    std::vector<uint8_t> crossed(static_cast<size_t>(count), 0);
    for (int32_t w = 0; w < count; ++w) {
        const int32_t twin = map.walls[w].nextwall;
        if (twin < 0 || twin >= count || !map.wallSelected[w] || crossed[size_t(w)] ||
            map.wallSelected[twin] || crossed[size_t(twin)])
            continue;
        crossed[size_t(twin)] = 1;
        map.wallSelected[w] = 0;
    }
    for (int32_t w = 0; w < count; ++w)
        if (crossed[size_t(w)]) map.wallSelected[w] = 1;
    recountKeepingLoops(map);
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
