#include "commands/AttributeClipboard.h"

#include "geometry/SectorSlope.h"
#include "geometry/WallTexture.h"

namespace korvel {

namespace {

using Kind = AttributeClipboardKind;

// One side of a sector, seen through references so that the floor and the ceiling share code.
struct SectorSurface {
    uint16_t& stat;
    int16_t& picnum;
    int16_t& heinum;
    int8_t& shade;
    uint8_t& pal;
    uint8_t& xpanning;
    uint8_t& ypanning;
};

SectorSurface floorOf(SectorRecord& s) {
    return {s.floorstat, s.floorpicnum, s.floorheinum, s.floorshade,
            s.floorpal,  s.floorxpanning, s.floorypanning};
}

SectorSurface ceilingOf(SectorRecord& s) {
    return {s.ceilingstat, s.ceilingpicnum, s.ceilingheinum, s.ceilingshade,
            s.ceilingpal,  s.ceilingxpanning, s.ceilingypanning};
}

void copySurface(const SectorRecord& r, SectorSurface s, AttributeClipboard& clip) {
    clip.stat = s.stat;
    clip.kind = Kind::Sector;
    clip.picnum = s.picnum;
    clip.heinum = s.heinum;
    clip.shade = s.shade;
    clip.pal = s.pal;
    clip.xrepeat = 32;
    clip.yrepeat = 32;
    clip.xpanning = s.xpanning;
    clip.ypanning = s.ypanning;
    clip.lotag = r.lotag;
    clip.hitag = r.hitag;
    clip.extra = r.extra;
}

void pasteSurface(MapStore& map, int32_t sector, SectorSurface s, const AttributeClipboard& clip,
                  AttributePasteRules rules) {
    SectorRecord& r = map.sectors[size_t(sector)];
    s.picnum = clip.picnum;
    s.shade = clip.shade;
    s.pal = clip.pal;
    if (clip.kind == Kind::Sector) {
        s.stat = clip.stat;
        if (rules.writeSlope) s.heinum = clip.heinum;
        s.xpanning = clip.xpanning;
        s.ypanning = clip.ypanning;
        r.lotag = clip.lotag;
        r.hitag = clip.hitag;
        r.extra = clip.extra;
    }
    updateSectorSlope(map, sector);
}

void copyWall(const WallRecord& w, int16_t picnum, AttributeClipboard& clip) {
    clip.stat = w.cstat;
    clip.kind = Kind::Wall;
    clip.picnum = picnum;
    clip.heinum = 0;
    clip.shade = w.shade;
    clip.pal = w.pal;
    clip.xrepeat = w.xrepeat;
    clip.yrepeat = w.yrepeat;
    clip.xpanning = w.xpanning;
    clip.ypanning = w.ypanning;
    clip.lotag = w.lotag;
    clip.hitag = w.hitag;
    clip.extra = w.extra;
}

}  // namespace

void copySpriteAttributes(const MapStore& map, AttributeClipboard& clip, int32_t sprite) {
    if (!isSprite(map, sprite)) return;
    const SpriteRecord& s = map.sprites[size_t(sprite)];
    clip.stat = s.cstat;
    clip.kind = Kind::Sprite;
    clip.picnum = s.picnum;
    clip.heinum = 0;
    clip.shade = s.shade;
    clip.pal = s.pal;
    clip.xrepeat = s.xrepeat;
    clip.yrepeat = s.yrepeat;
    clip.xpanning = 0;
    clip.ypanning = 0;
    clip.lotag = s.lotag;
    clip.hitag = s.hitag;
    clip.extra = s.extra;
}

void copySectorFloorAttributes(const MapStore& map, AttributeClipboard& clip, int32_t sector) {
    if (!isSector(map, sector)) return;
    SectorRecord r = map.sectors[size_t(sector)];
    copySurface(r, floorOf(r), clip);
}

void copySectorCeilingAttributes(const MapStore& map, AttributeClipboard& clip, int32_t sector) {
    if (!isSector(map, sector)) return;
    SectorRecord r = map.sectors[size_t(sector)];
    copySurface(r, ceilingOf(r), clip);
}

void copyWallAttributes(const MapStore& map, AttributeClipboard& clip, int32_t wall) {
    if (!isWall(map, wall)) return;
    const WallRecord& w = map.walls[size_t(wall)];
    copyWall(w, w.picnum, clip);
}

void copyMaskedWallAttributes(const MapStore& map, AttributeClipboard& clip, int32_t wall) {
    if (!isWall(map, wall)) return;
    const WallRecord& w = map.walls[size_t(wall)];
    copyWall(w, w.overpicnum, clip);
}

void pasteSpriteAttributes(MapStore& map, const AttributeClipboard& clip, int32_t sprite) {
    if (!isSprite(map, sprite)) return;
    SpriteRecord& s = map.sprites[size_t(sprite)];
    s.picnum = clip.picnum;
    s.shade = clip.shade;
    s.pal = clip.pal;
    if (clip.kind != Kind::Sprite) return;
    s.cstat = clip.stat;
    s.xrepeat = clip.xrepeat;
    s.yrepeat = clip.yrepeat;
    s.lotag = clip.lotag;
    s.hitag = clip.hitag;
    s.extra = clip.extra;
}

void pasteSectorFloorAttributes(MapStore& map, const AttributeClipboard& clip, int32_t sector,
                                AttributePasteRules rules) {
    if (!isSector(map, sector)) return;
    pasteSurface(map, sector, floorOf(map.sectors[size_t(sector)]), clip, rules);
}

void pasteSectorCeilingAttributes(MapStore& map, const AttributeClipboard& clip, int32_t sector,
                                  AttributePasteRules rules) {
    if (!isSector(map, sector)) return;
    pasteSurface(map, sector, ceilingOf(map.sectors[size_t(sector)]), clip, rules);
}

void pasteWallAttributes(MapStore& map, const AttributeClipboard& clip, int32_t wall,
                         AttributePasteRules rules) {
    if (!isWall(map, wall)) return;
    WallRecord& w = map.walls[size_t(wall)];
    w.picnum = clip.picnum;
    w.shade = clip.shade;
    w.pal = clip.pal;
    if (clip.kind == Kind::Wall) {
        w.cstat = clip.stat;
        w.xrepeat = clip.xrepeat;
        w.yrepeat = clip.yrepeat;
        w.xpanning = clip.xpanning;
        w.ypanning = clip.ypanning;
        w.lotag = clip.lotag;
        w.hitag = clip.hitag;
        w.extra = clip.extra;
    }
    if (rules.squareWalls) squareWallTexture(map, wall);
}

void pasteMaskedWallAttributes(MapStore& map, const AttributeClipboard& clip, int32_t wall,
                               AttributePasteRules rules) {
    if (!isWall(map, wall)) return;
    WallRecord& w = map.walls[size_t(wall)];
    w.overpicnum = clip.picnum;
    w.shade = clip.shade;
    w.pal = clip.pal;
    if (clip.kind == Kind::Wall) {
        w.xrepeat = clip.xrepeat;
        w.yrepeat = clip.yrepeat;
        w.xpanning = clip.xpanning;
        w.ypanning = clip.ypanning;
        w.cstat = clip.stat;
    }
    w.cstat |= kWallMasked;
    if (rules.squareWalls) squareWallTexture(map, wall);
}

}  // namespace korvel
