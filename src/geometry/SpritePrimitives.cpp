#include "geometry/SpritePrimitives.h"

#include "geometry/SpriteTools.h"
#include "map/GeometryQueries.h"
#include "map/WallTables.h"

namespace korvel {

namespace {

enum class SectorChoice { FirstOrBracketing, Last };

// For sprites, -1 stays when the map has no sector at all; the start position keeps 0.
enum class NoSector { MinusOneWhenEmpty, Zero };

int16_t findSector(const MapStore& map, int32_t x, int32_t y, int32_t z, int32_t current,
                   SectorChoice choice, bool searchHidden,
                   NoSector none = NoSector::MinusOneWhenEmpty) {
    if (isSector(map, current) && pointInSectorOrOnEdge(map, x, y, current))
        return int16_t(current);
    int32_t found = -1;
    for (int32_t i = 0; i < map.sectorCount; ++i) {
        if (!searchHidden && map.sectorIgnored[i] != 0) continue;
        if (!pointInSectorOrOnEdge(map, x, y, i)) continue;
        if (found < 0 || choice == SectorChoice::Last ||
            (getTrueCeilingZ(map, x, y, i) <= z && z <= getTrueFloorZ(map, x, y, i)))
            found = i;
    }
    // Sector 0 stands in for "none"; a sprite keeps -1 while there is no sector 0.
    if (found < 0 && (map.sectorCount > 0 || none == NoSector::Zero)) found = 0;
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
    SpriteRecord& sp = map.sprites[k];
    sp.sectnum =
        findSector(map, sp.x, sp.y, sp.z, sp.sectnum, SectorChoice::FirstOrBracketing, false);
}

void updateNewSpriteSectnum(MapStore& map, int32_t k) {
    if (!isSprite(map, k)) return;
    SpriteRecord& sp = map.sprites[k];
    sp.sectnum = findSector(map, sp.x, sp.y, sp.z, sp.sectnum, SectorChoice::Last, false);
}

void updateStartPosSectnum(MapStore& map) {
    map.startSector = findSector(map, map.startX, map.startY, map.startZ, map.startSector,
                                 SectorChoice::FirstOrBracketing, true, NoSector::Zero);
}

}  // namespace korvel
