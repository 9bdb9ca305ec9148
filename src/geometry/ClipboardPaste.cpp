#include "geometry/ClipboardPaste.h"

#include "base/Mainm.h"
#include "base/ValueConv.h"
#include "geometry/SpritePrimitives.h"
#include "geometry/WallLinks.h"
#include "map/SectorSearch.h"
#include "map/Selection.h"
#include "map/WallTables.h"

namespace korvel {

bool pasteClipboardAt(MapStore& map, const MapClipboard& clip, MapEvents& events, int32_t dx,
                      int32_t dy) {
    if (map.sectorCount + clip.clipSectorCount > kMaxSectors) {
        events.statusMessage(kMsgNoRoomForSectors);
        return false;
    }
    if (map.wallCount + clip.clipWallCount > kMaxWalls) {
        events.statusMessage(kMsgNoRoomForWalls);
        return false;
    }
    if (map.spriteCount + clip.clipSpriteCount > kMaxSprites) {
        events.statusMessage(kMsgNoRoomForSprites);
        return false;
    }
    deselectSectors(map);
    deselectSprites(map);
    deselectVertices(map);
    deselectWalls(map);
    const int32_t bs = map.sectorCount, bw = map.wallCount;

    clearSectorEntries(map, bs, clip.clipSectorCount);
    for (int32_t c = 0; c < clip.clipSectorCount; ++c) {
        SectorRecord& sec = map.sectors[bs + c];
        sec = clip.clipSectors[c];
        sec.wallptr = wrapToInt16(sec.wallptr + bw);
        map.sectorSelected[bs + c] = 1;
    }
    map.sectorCount += clip.clipSectorCount;
    map.selectedSectorCount = clip.clipSectorCount;

    clearWallEntries(map, bw, clip.clipWallCount);
    for (int32_t i = 0; i < clip.clipWallCount; ++i) {
        WallRecord& w = map.walls[bw + i];
        w = clip.clipWalls[i];
        w.point2 = wrapToInt16(w.point2 + bw);
        w.x = wrap32(int64_t(w.x) + dx);
        w.y = wrap32(int64_t(w.y) + dy);
    }
    map.wallCount += clip.clipWallCount;
    updateWallSectnums(map);
    for (int32_t i = bw; i < map.wallCount; ++i) {
        WallRecord& w = map.walls[i];
        if (w.nextsector >= 0) w.nextsector = wrapToInt16(w.nextsector + bs);
        if (w.nextwall >= 0) w.nextwall = wrapToInt16(w.nextwall + bw);
    }

    // The sprites come before the relinking, which may remove degenerate pasted walls and with
    // them whole sectors; the sprites' sector numbers then follow that renumbering.
    const int32_t bk = map.spriteCount;
    clearSpriteEntries(map, bk, clip.clipSpriteCount);
    for (int32_t k = 0; k < clip.clipSpriteCount; ++k) {
        SpriteRecord& sp = map.sprites[bk + k];
        sp = clip.clipSprites[k];
        sp.x = wrap32(int64_t(sp.x) + dx);
        sp.y = wrap32(int64_t(sp.y) + dy);
        map.spriteSelected[bk + k] = 1;
    }
    map.spriteCount += clip.clipSpriteCount;
    map.selectedSpriteCount = clip.clipSpriteCount;
    // One search serves every sprite that needs a sector: a merged file may bring thousands of
    // them, and damaged sectors are never tried. A sprite that no sector holds keeps -1 rather
    // than taking sector 0, which is one of the map's own.
    const SectorSearch search(map);
    for (int32_t k = bk; k < map.spriteCount; ++k) {
        SpriteRecord& sp = map.sprites[k];
        if (sp.sectnum >= 0) sp.sectnum = wrapToInt16(sp.sectnum + bs);
        if (sp.sectnum < 0 || sp.sectnum < bs || !isSector(map, sp.sectnum)) {
            sp.sectnum = -1;
            sp.sectnum = findSpriteSector(map, search, k);
        }
    }

    for (int32_t i = bw; i < map.wallCount; ++i) map.wallPassMark[i] |= kPassRelink;
    relinkMarkedWalls(map, events);
    map.spriteStacksValid = 0;
    return true;
}

bool pasteClipboard(MapStore& map, const MapClipboard& clip, MapEvents& events, int32_t hitPointX,
                    int32_t hitPointY) {
    return pasteClipboardAt(map, clip, events, hitPointX, hitPointY);
}

bool pasteClipboardInPlace(MapStore& map, const MapClipboard& clip, MapEvents& events) {
    return pasteClipboardAt(map, clip, events, clip.clipOriginX, clip.clipOriginY);
}

}  // namespace korvel
