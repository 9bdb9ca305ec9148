#include "pages/RecordFields.h"

#include <array>
#include <cstddef>
#include <cstring>

namespace korvel {

namespace {

using F = FieldForm;

#define SECT(m, f) RowField{uint16_t(offsetof(SectorRecord, m)), F::f}
#define WALL(m, f) RowField{uint16_t(offsetof(WallRecord, m)), F::f}
#define SPRI(m, f) RowField{uint16_t(offsetof(SpriteRecord, m)), F::f}

constexpr std::array<RowField, 23> kSectorRows{
    SECT(wallptr, I),         SECT(wallnum, I),        SECT(ceilingz, L),
    SECT(ceilingstat, U),     SECT(ceilingpicnum, I),  SECT(ceilingheinum, I),
    SECT(ceilingshade, S),    SECT(ceilingpal, B),     SECT(ceilingxpanning, B),
    SECT(ceilingypanning, B), SECT(floorz, L),         SECT(floorstat, U),
    SECT(floorpicnum, I),     SECT(floorheinum, I),    SECT(floorshade, S),
    SECT(floorpal, B),        SECT(floorxpanning, B),  SECT(floorypanning, B),
    SECT(visibility, B),      SECT(filler, B),         SECT(lotag, U),
    SECT(hitag, U),           SECT(extra, I),
};

constexpr std::array<RowField, 17> kWallRows{
    WALL(x, L),       WALL(y, L),       WALL(point2, I),     WALL(nextwall, I),
    WALL(nextsector, I), WALL(cstat, U), WALL(picnum, I),     WALL(overpicnum, I),
    WALL(shade, S),   WALL(pal, B),     WALL(xrepeat, B),    WALL(yrepeat, B),
    WALL(xpanning, B), WALL(ypanning, B), WALL(lotag, U),    WALL(hitag, U),
    WALL(extra, I),
};

constexpr std::array<RowField, 23> kSpriteRows{
    SPRI(x, L),        SPRI(y, L),       SPRI(z, L),       SPRI(cstat, U),   SPRI(picnum, I),
    SPRI(shade, S),    SPRI(pal, B),     SPRI(clipdist, B), SPRI(filler, B), SPRI(xrepeat, B),
    SPRI(yrepeat, B),  SPRI(xoffset, S), SPRI(yoffset, S), SPRI(sectnum, I), SPRI(statnum, I),
    SPRI(ang, I),      SPRI(owner, I),   SPRI(xvel, I),    SPRI(yvel, I),    SPRI(zvel, I),
    SPRI(lotag, U),    SPRI(hitag, U),   SPRI(extra, I),
};

#undef SECT
#undef WALL
#undef SPRI

}  // namespace

int32_t recordRowCount(RecordKind kind) {
    return kind == RecordKind::Wall ? int32_t(kWallRows.size()) : 23;
}

RowField recordRow(RecordKind kind, int32_t row) {
    switch (kind) {
        case RecordKind::Sector: return kSectorRows[size_t(row)];
        case RecordKind::Wall: return kWallRows[size_t(row)];
        default: return kSpriteRows[size_t(row)];
    }
}

int32_t statRow(RecordKind kind) { return kind == RecordKind::Wall ? 5 : 3; }

int32_t objectCount(const MapStore& map, RecordKind kind) {
    switch (kind) {
        case RecordKind::Sector: return map.sectorCount;
        case RecordKind::Wall: return map.wallCount;
        default: return map.spriteCount;
    }
}

uint8_t* recordOf(MapStore& map, RecordKind kind, int32_t i) {
    if (i < 0 || i >= objectCount(map, kind)) return nullptr;
    switch (kind) {
        case RecordKind::Sector: return reinterpret_cast<uint8_t*>(&map.sectors[size_t(i)]);
        case RecordKind::Wall: return reinterpret_cast<uint8_t*>(&map.walls[size_t(i)]);
        default: return reinterpret_cast<uint8_t*>(&map.sprites[size_t(i)]);
    }
}

bool objectSelected(const MapStore& map, RecordKind kind, int32_t i) {
    switch (kind) {
        case RecordKind::Sector: return map.sectorSelected[size_t(i)] != 0;
        case RecordKind::Wall: return map.wallSelected[size_t(i)] != 0;
        default: return map.spriteSelected[size_t(i)] != 0;
    }
}

int32_t readField(const uint8_t* r, RowField f) {
    const uint8_t* at = r + f.offset;
    switch (f.form) {
        case F::L: {
            int32_t v;
            std::memcpy(&v, at, 4);
            return v;
        }
        case F::I: {
            int16_t v;
            std::memcpy(&v, at, 2);
            return v;
        }
        case F::U: {
            uint16_t v;
            std::memcpy(&v, at, 2);
            return v;
        }
        case F::S: return int8_t(*at);
        default: return *at;
    }
}

void writeField(uint8_t* r, RowField f, int32_t value) {
    uint8_t* at = r + f.offset;
    switch (f.form) {
        case F::L: std::memcpy(at, &value, 4); break;
        case F::I:
        case F::U: {
            const uint16_t v = uint16_t(uint32_t(value));
            std::memcpy(at, &v, 2);
            break;
        }
        default: *at = uint8_t(uint32_t(value)); break;
    }
}

}  // namespace korvel
