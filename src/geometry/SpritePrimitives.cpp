#include "geometry/SpritePrimitives.h"

#include "geometry/SpriteTools.h"
#include "map/GeometryQueries.h"
#include "map/SectorSearch.h"
#include "map/WallTables.h"

namespace korvel {

namespace {

enum class SectorChoice { FirstOrBracketing, Last };

// The shown sector that holds the point, by the choice: the current one while it holds it; else
// the first or last candidate, the first giving way to a later one whose floor and ceiling
// there bracket z. -1 when none does. Only sound sectors are tried, each over its own walls.
int32_t searchSector(const MapStore& map, const SectorSearch& search, int32_t x, int32_t y,
                     int32_t z, int32_t current, SectorChoice choice, bool searchHidden) {
    if (search.isSound(current) && pointInSectorOrOnEdge(map, x, y, current)) return current;
    int32_t found = -1;
    search.forEachCandidate(x, y, [&](int32_t i) {
        if (!searchHidden && map.sectorIgnored[i] != 0) return;
        if (!pointInSectorOrOnEdge(map, x, y, i)) return;
        if (found < 0 || choice == SectorChoice::Last ||
            (getTrueCeilingZ(map, x, y, i) <= z && z <= getTrueFloorZ(map, x, y, i)))
            found = i;
    });
    return found;
}

// Sector 0 stands in for "none"; a sprite keeps -1 while there is no sector 0, the start
// position takes 0 regardless.
int16_t orSectorZero(const MapStore& map, int32_t found, bool zeroWhenEmpty = false) {
    if (found < 0 && (map.sectorCount > 0 || zeroWhenEmpty)) found = 0;
    return int16_t(found);
}

}  // namespace

std::optional<int32_t> createSprite(MapStore& map, MapEvents& events, int32_t x, int32_t y,
                                    bool spriteNumbers) {
    if (map.spriteCount >= kMaxSprites) {
        events.statusMessage(kMsgNoRoomForSprites);
        return std::nullopt;
    }
    const int32_t k = map.spriteCount;
    ++map.spriteCount;
    clearSpriteEntries(map, k, 1);
    SpriteRecord& sp = map.sprites[k];
    sp = SpriteRecord{};
    sp.x = x;
    sp.y = y;
    sp.picnum = int16_t(map.mostUsedSpriteTile);
    sp.clipdist = sp.xrepeat = sp.yrepeat = 32;
    sp.ang = 1536;
    sp.owner = sp.extra = sp.sectnum = -1;
    updateNewSpriteSectnum(map, k);
    sp.z = getTrueFloorZ(map, x, y, sp.sectnum);
    if (spriteNumbers) {
        for (int32_t i = 0; i < map.spriteCount; ++i)
            if (map.sprites[i].x == x && map.sprites[i].y == y) countStackedSprites(map, i);
    } else {
        map.spriteStacksValid = 0;
    }
    return k;
}

void updateSpriteSectnum(MapStore& map, int32_t k) {
    if (!isSprite(map, k)) return;
    updateSpriteSectnum(map, SectorSearch(map), k);
}

void updateSpriteSectnum(MapStore& map, const SectorSearch& search, int32_t k) {
    if (!isSprite(map, k)) return;
    map.sprites[k].sectnum = orSectorZero(map, findSpriteSector(map, search, k));
}

int16_t findSpriteSector(const MapStore& map, const SectorSearch& search, int32_t k) {
    if (!isSprite(map, k)) return -1;
    const SpriteRecord& sp = map.sprites[k];
    return int16_t(searchSector(map, search, sp.x, sp.y, sp.z, sp.sectnum,
                                SectorChoice::FirstOrBracketing, false));
}

void updateNewSpriteSectnum(MapStore& map, int32_t k) {
    if (!isSprite(map, k)) return;
    SpriteRecord& sp = map.sprites[k];
    sp.sectnum = orSectorZero(map, searchSector(map, SectorSearch(map), sp.x, sp.y, sp.z,
                                                sp.sectnum, SectorChoice::Last, false));
}

void updateStartPosSectnum(MapStore& map) {
    map.startSector =
        orSectorZero(map,
                     searchSector(map, SectorSearch(map), map.startX, map.startY, map.startZ,
                                  map.startSector, SectorChoice::FirstOrBracketing, true),
                     true);
}

}  // namespace korvel
