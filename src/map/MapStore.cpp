#include "map/MapStore.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "base/MessageNumbers.h"
#include "map/Selection.h"
#include "map/WallRanges.h"

namespace korvel {

int32_t clampTile(int32_t tile) {
    return tile < 0 ? 0 : tile >= kTileCount ? kTileCount - 1 : tile;
}

int32_t clampSector(const MapStore& map, int32_t index) {
    if (index > map.sectorCount - 1) index = map.sectorCount - 1;
    return index < 0 ? 0 : index;
}

int32_t clampWall(const MapStore& map, int32_t index) {
    if (index > map.wallCount - 1) index = map.wallCount - 1;
    return index < 0 ? 0 : index;
}

void updateWallSectnums(MapStore& map) {
    fillWallOwners(
        map.sectorCount, map.wallCount,
        [&](int32_t s) {
            const SectorRecord& sec = map.sectors[s];
            return WallRange{clampWall(map, sec.wallptr),
                             clampWall(map, int32_t(sec.wallptr) + sec.wallnum - 1)};
        },
        map.wallSector.data());
}

int32_t sectorOfWall(const MapStore& map, int32_t w) {
    if (!isWall(map, w)) return -1;
    const int32_t s = map.wallSector[w];
    if (!isSector(map, s)) return -1;
    const SectorRecord& sec = map.sectors[s];
    if (w < sec.wallptr || w >= int32_t(sec.wallptr) + sec.wallnum) return -1;
    return s;
}

void countSpriteTiles(MapStore& map) {
    std::vector<int32_t> counts(kTileCount, 0);
    int32_t best = 0;
    for (int32_t k = 0; k < map.spriteCount; ++k) {
        const int32_t tile = map.sprites[k].picnum;
        if (tile < 0 || tile >= kTileCount) continue;
        if (++counts[size_t(tile)] > best) {
            best = counts[size_t(tile)];
            map.mostUsedSpriteTile = tile;
        }
    }
}

namespace {

// Zeroes entries from..to-1, both clamped to the array.
template <typename T, int32_t N>
void zeroRange(FixedArray<T, N>& a, int32_t from, int32_t to) {
    from = std::clamp(from, 0, N);
    to = std::clamp(to, 0, N);
    if (from >= to) return;
    std::memset(static_cast<void*>(a.data() + from), 0, size_t(to - from) * sizeof(T));
}

}  // namespace

void noteRecordExtent(MapStore& map) {
    RecordExtent& e = map.recordExtent;
    e.sectors = std::max(e.sectors, std::min(map.sectorCount, kMaxSectors));
    e.walls = std::max(e.walls, std::min(map.wallCount, kMaxWalls));
    e.sprites = std::max(e.sprites, std::min(map.spriteCount, kMaxSprites));
}

void markAllRecordsUsed(MapStore& map) {
    map.recordExtent = RecordExtent{};
}

void clearObjectFlags(MapStore& map) {
    forEachObjectTable([&](auto table, TableRole role, const char*) {
        if (role == TableRole::Flags || role == TableRole::Working) (map.*table).fill({});
    });
    map.selectedSectorCount = map.selectedWallCount = map.selectedSpriteCount = 0;
    map.selectedVertexCount = map.selectedLoopCount = 0;
    map.booleanTargetSector = -2;
}

void resetMapState(MapStore& map) {
    countSpriteTiles(map);
    clearObjectFlags(map);
    // The tables are clear as a whole above; of the records only those the previous contents
    // may have reached need zeroing.
    const RecordExtent& used = map.recordExtent;
    zeroRange(map.sectors, map.sectorCount, used.sectors);
    zeroRange(map.sprites, map.spriteCount, used.sprites);
    zeroRange(map.walls, map.wallCount, used.walls);
    map.recordExtent = RecordExtent{std::clamp(map.sectorCount, 0, kMaxSectors),
                                    std::clamp(map.wallCount, 0, kMaxWalls),
                                    std::clamp(map.spriteCount, 0, kMaxSprites)};
    map.movedWallCount = 0;
    map.lightSpriteCount = 0;
    map.mapModified = MapModifiedState::Unmodified;
    map.undoState = UndoState::Nothing;
    updateWallSectnums(map);
    map.spriteStacksValid = 0;
}

void clearMapRecords(MapStore& map) {
    map.sectorCount = map.wallCount = map.spriteCount = 0;
    map.sectors.fill({});
    map.walls.fill({});
    map.sprites.fill({});
    map.recordExtent = RecordExtent{0, 0, 0};
    map.startX = map.startY = map.startZ = 0;
    map.startAngle = map.startSector = 0;
}

void resetMap(MapStore& map, MapEvents& events) {
    clearMapRecords(map);
    events.newMapStarted();
    resetMapState(map);
    events.statusMessage(kMsgNewMap);
}

}  // namespace korvel
