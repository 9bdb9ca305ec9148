// The three record kinds of a map, laid out byte for byte as in a map file (little-endian), so
// that loading and saving are block copies and the undo snapshot and the clipboard hold the same
// bytes as the map.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>

namespace korvel {

// Tiles 0..15359: the range every picnum is clamped to.
constexpr int32_t kTileCount = 15360;

static_assert(std::endian::native == std::endian::little,
              "records are kept in the file's byte order");

// Bits of a wall's cstat.
constexpr uint16_t kWallBlocking = 1;
constexpr uint16_t kWallSwapBottom = 2;  // the lower part shows nextwall's texture
constexpr uint16_t kWallAlignBottom = 4;
constexpr uint16_t kWallFlipX = 8;
constexpr uint16_t kWallMasked = 16;
constexpr uint16_t kWallOneWayMasked = 32;
constexpr uint16_t kWallHitscan = 64;  // drawn thick on the plan view
constexpr uint16_t kWallTranslucent = 128;
constexpr uint16_t kWallFlipY = 256;
constexpr uint16_t kWallTranslucentReversed = 512;

// Bits of a sprite's cstat.
constexpr uint16_t kSpriteBlocking = 1;
constexpr uint16_t kSpriteTranslucent = 2;
constexpr uint16_t kSpriteFlipX = 4;
constexpr uint16_t kSpriteFlipY = 8;
constexpr uint16_t kSpriteWallAligned = 16;
constexpr uint16_t kSpriteFloorAligned = 32;
constexpr uint16_t kSpriteAlignment = kSpriteWallAligned | kSpriteFloorAligned;
constexpr uint16_t kSpriteOneSided = 64;
constexpr uint16_t kSpriteCentred = 128;
constexpr uint16_t kSpriteHitscan = 256;  // a thick facing line on the plan view
constexpr uint16_t kSpriteTranslucentReversed = 512;
constexpr uint16_t kSpriteInvisible = 32768;

// Bits of a sector's floorstat and ceilingstat.
constexpr uint16_t kSurfaceParallax = 1;
constexpr uint16_t kSurfaceSloped = 2;
constexpr uint16_t kSurfaceSwapXY = 4;
constexpr uint16_t kSurfaceDoubleSmoosh = 8;
constexpr uint16_t kSurfaceFlipX = 16;
constexpr uint16_t kSurfaceFlipY = 32;
constexpr uint16_t kSurfaceRelativeAlign = 64;

struct SectorRecord {
    int16_t wallptr;
    int16_t wallnum;
    int32_t ceilingz;
    int32_t floorz;
    uint16_t ceilingstat;  // kSurface... bits
    uint16_t floorstat;    // kSurface... bits
    int16_t ceilingpicnum;
    int16_t ceilingheinum;
    int8_t ceilingshade;
    uint8_t ceilingpal;
    uint8_t ceilingxpanning;
    uint8_t ceilingypanning;
    int16_t floorpicnum;
    int16_t floorheinum;
    int8_t floorshade;
    uint8_t floorpal;
    uint8_t floorxpanning;
    uint8_t floorypanning;
    uint8_t visibility;
    uint8_t filler;
    int16_t lotag;
    int16_t hitag;
    int16_t extra;
};

struct WallRecord {
    int32_t x;
    int32_t y;
    int16_t point2;
    int16_t nextwall;
    int16_t nextsector;
    uint16_t cstat;  // kWall... bits
    int16_t picnum;
    int16_t overpicnum;
    int8_t shade;
    uint8_t pal;
    uint8_t xrepeat;
    uint8_t yrepeat;
    uint8_t xpanning;
    uint8_t ypanning;
    int16_t lotag;
    int16_t hitag;
    int16_t extra;
};

struct SpriteRecord {
    int32_t x;
    int32_t y;
    int32_t z;
    uint16_t cstat;  // kSprite... bits
    int16_t picnum;
    int8_t shade;
    uint8_t pal;
    uint8_t clipdist;
    uint8_t filler;
    uint8_t xrepeat;
    uint8_t yrepeat;
    int8_t xoffset;
    int8_t yoffset;
    int16_t sectnum;
    int16_t statnum;
    int16_t ang;
    int16_t owner;
    int16_t xvel;
    int16_t yvel;
    int16_t zvel;
    int16_t lotag;
    int16_t hitag;
    int16_t extra;
};

static_assert(sizeof(SectorRecord) == 40);
static_assert(offsetof(SectorRecord, wallptr) == 0 && offsetof(SectorRecord, wallnum) == 2);
static_assert(offsetof(SectorRecord, ceilingz) == 4 && offsetof(SectorRecord, floorz) == 8);
static_assert(offsetof(SectorRecord, ceilingstat) == 12 && offsetof(SectorRecord, floorstat) == 14);
static_assert(offsetof(SectorRecord, ceilingpicnum) == 16);
static_assert(offsetof(SectorRecord, ceilingheinum) == 18);
static_assert(offsetof(SectorRecord, ceilingshade) == 20 &&
              offsetof(SectorRecord, ceilingpal) == 21);
static_assert(offsetof(SectorRecord, ceilingxpanning) == 22);
static_assert(offsetof(SectorRecord, ceilingypanning) == 23);
static_assert(offsetof(SectorRecord, floorpicnum) == 24 &&
              offsetof(SectorRecord, floorheinum) == 26);
static_assert(offsetof(SectorRecord, floorshade) == 28 && offsetof(SectorRecord, floorpal) == 29);
static_assert(offsetof(SectorRecord, floorxpanning) == 30);
static_assert(offsetof(SectorRecord, floorypanning) == 31);
static_assert(offsetof(SectorRecord, visibility) == 32 && offsetof(SectorRecord, filler) == 33);
static_assert(offsetof(SectorRecord, lotag) == 34 && offsetof(SectorRecord, hitag) == 36);
static_assert(offsetof(SectorRecord, extra) == 38);

static_assert(sizeof(WallRecord) == 32);
static_assert(offsetof(WallRecord, x) == 0 && offsetof(WallRecord, y) == 4);
static_assert(offsetof(WallRecord, point2) == 8 && offsetof(WallRecord, nextwall) == 10);
static_assert(offsetof(WallRecord, nextsector) == 12 && offsetof(WallRecord, cstat) == 14);
static_assert(offsetof(WallRecord, picnum) == 16 && offsetof(WallRecord, overpicnum) == 18);
static_assert(offsetof(WallRecord, shade) == 20 && offsetof(WallRecord, pal) == 21);
static_assert(offsetof(WallRecord, xrepeat) == 22 && offsetof(WallRecord, yrepeat) == 23);
static_assert(offsetof(WallRecord, xpanning) == 24 && offsetof(WallRecord, ypanning) == 25);
static_assert(offsetof(WallRecord, lotag) == 26 && offsetof(WallRecord, hitag) == 28);
static_assert(offsetof(WallRecord, extra) == 30);

static_assert(sizeof(SpriteRecord) == 44);
static_assert(offsetof(SpriteRecord, x) == 0 && offsetof(SpriteRecord, y) == 4);
static_assert(offsetof(SpriteRecord, z) == 8 && offsetof(SpriteRecord, cstat) == 12);
static_assert(offsetof(SpriteRecord, picnum) == 14 && offsetof(SpriteRecord, shade) == 16);
static_assert(offsetof(SpriteRecord, pal) == 17 && offsetof(SpriteRecord, clipdist) == 18);
static_assert(offsetof(SpriteRecord, filler) == 19 && offsetof(SpriteRecord, xrepeat) == 20);
static_assert(offsetof(SpriteRecord, yrepeat) == 21 && offsetof(SpriteRecord, xoffset) == 22);
static_assert(offsetof(SpriteRecord, yoffset) == 23 && offsetof(SpriteRecord, sectnum) == 24);
static_assert(offsetof(SpriteRecord, statnum) == 26 && offsetof(SpriteRecord, ang) == 28);
static_assert(offsetof(SpriteRecord, owner) == 30 && offsetof(SpriteRecord, xvel) == 32);
static_assert(offsetof(SpriteRecord, yvel) == 34 && offsetof(SpriteRecord, zvel) == 36);
static_assert(offsetof(SpriteRecord, lotag) == 38 && offsetof(SpriteRecord, hitag) == 40);
static_assert(offsetof(SpriteRecord, extra) == 42);

}  // namespace korvel
