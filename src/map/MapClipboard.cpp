#include "map/MapClipboard.h"

#include <climits>

#include "base/Mainm.h"
#include "base/ValueConv.h"
#include "map/Selection.h"
#include "map/WallRanges.h"
#include "map/WallTables.h"

namespace korvel {

void clearClipboard(MapClipboard& clip) {
    clip.clipSectorCount = clip.clipWallCount = clip.clipSpriteCount = 0;
}

bool copySectorToClipboard(MapClipboard& clip, const MapStore& map, MapEvents& events, int32_t s,
                           bool withSprites) {
    if (!isSector(map, s)) return false;
    const SectorRecord& sec = map.sectors[s];
    const int32_t first = sec.wallptr, n = sec.wallnum;
    if (first < 0 || n < 0 || first + n > map.wallCount) {
        events.statusMessage(kMsgDamagedMap);
        return false;
    }
    int32_t spriteCount = 0;
    if (withSprites)
        for (int32_t k = 0; k < map.spriteCount; ++k)
            if (map.sprites[k].sectnum == s) ++spriteCount;
    if (clip.clipSectorCount >= kMaxSectors || clip.clipWallCount + n > kMaxWalls ||
        clip.clipSpriteCount + spriteCount > kMaxSprites) {
        events.statusMessage(kMsgClipboardFull);
        return false;
    }
    const int32_t c = clip.clipSectorCount, b = clip.clipWallCount;
    clip.clipSectors[c] = sec;
    clip.clipSectors[c].wallptr = wrapToInt16(b);
    for (int32_t i = 0; i < n; ++i) {
        WallRecord& w = clip.clipWalls[b + i];
        w = map.walls[first + i];
        w.point2 = wrapToInt16(w.point2 - first + b);
        w.nextwall = -1;
        w.nextsector = -1;
        clip.clipWallSector[b + i] = int16_t(c);
    }
    clip.clipWallCount += n;
    clip.clipSectorCount = c + 1;
    if (withSprites)
        for (int32_t k = 0; k < map.spriteCount; ++k)
            if (map.sprites[k].sectnum == s) {
                clip.clipSprites[clip.clipSpriteCount] = map.sprites[k];
                clip.clipSprites[clip.clipSpriteCount].sectnum = int16_t(c);
                ++clip.clipSpriteCount;
            }
    return true;
}

bool copySpriteToClipboard(MapClipboard& clip, const MapStore& map, MapEvents& events, int32_t k) {
    if (!isSprite(map, k)) return false;
    if (clip.clipSpriteCount >= kMaxSprites) {
        events.statusMessage(kMsgClipboardFull);
        return false;
    }
    clip.clipSprites[clip.clipSpriteCount] = map.sprites[k];
    clip.clipSprites[clip.clipSpriteCount].sectnum = -1;
    ++clip.clipSpriteCount;
    return true;
}

void balanceClipboard(MapClipboard& clip) {
    int32_t mx = INT32_MAX, my = INT32_MAX;
    for (int32_t i = 0; i < clip.clipWallCount; ++i) {
        mx = minLong(mx, clip.clipWalls[i].x);
        my = minLong(my, clip.clipWalls[i].y);
    }
    for (int32_t k = 0; k < clip.clipSpriteCount; ++k) {
        mx = minLong(mx, clip.clipSprites[k].x);
        my = minLong(my, clip.clipSprites[k].y);
    }
    clip.clipOriginX = mx;
    clip.clipOriginY = my;
    for (int32_t i = 0; i < clip.clipWallCount; ++i) {
        clip.clipWalls[i].x = wrap32(int64_t(clip.clipWalls[i].x) - mx);
        clip.clipWalls[i].y = wrap32(int64_t(clip.clipWalls[i].y) - my);
    }
    for (int32_t k = 0; k < clip.clipSpriteCount; ++k) {
        clip.clipSprites[k].x = wrap32(int64_t(clip.clipSprites[k].x) - mx);
        clip.clipSprites[k].y = wrap32(int64_t(clip.clipSprites[k].y) - my);
    }
}

void rebuildClipWallSector(MapClipboard& clip) {
    clip.clipWallSector.fill(-1);
    const int32_t count = clip.clipWallCount;
    fillWallOwners(
        clip.clipSectorCount, count,
        [&](int32_t c) {
            const SectorRecord& sec = clip.clipSectors[c];
            const int32_t first = sec.wallptr, last = int32_t(sec.wallptr) + sec.wallnum - 1;
            return WallRange{first < 0 ? 0 : first, last > count - 1 ? count - 1 : last};
        },
        clip.clipWallSector.data());
}

void swapClipboard(MapStore& map, MapClipboard& clip) {
    map.undoState = UndoState::SwapBack;
    swap(map.sectors, clip.clipSectors);
    swap(map.walls, clip.clipWalls);
    swap(map.sprites, clip.clipSprites);
    markAllRecordsUsed(map);  // the clipboard's arrays keep whatever lay above its counts
    std::swap(map.sectorCount, clip.clipSectorCount);
    std::swap(map.wallCount, clip.clipWallCount);
    std::swap(map.spriteCount, clip.clipSpriteCount);
    // Selection, hidden state, drag marks and pass marks named objects of the other map.
    clearObjectFlags(map);
    map.movedWallCount = 0;
    updateWallSectnums(map);
    rebuildClipWallSector(clip);
    map.spriteStacksValid = 0;
}

}  // namespace korvel
