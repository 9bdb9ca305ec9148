#include "script/ScriptBuiltins.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>

#include "base/Mainm.h"
#include "map/GeometryQueries.h"
#include "map/LoopOrientation.h"
#include "map/MapStore.h"
#include "map/Selection.h"
#include "script/ScriptKeywords.h"

namespace korvel {

namespace {

// The turn constant of script angles.
constexpr double kScriptPi = 3.14159265358979;

enum class FieldType : uint8_t { None, I32, U16, S16, U8, S8 };

struct FieldSlot {
    FieldType type = FieldType::None;
    uint8_t offset = 0;
};

struct FieldRow {
    FieldSlot sprite, sector, wall;
};

#define SP(f, t)                                         \
    FieldSlot {                                          \
        FieldType::t, uint8_t(offsetof(SpriteRecord, f)) \
    }
#define SE(f, t)                                         \
    FieldSlot {                                          \
        FieldType::t, uint8_t(offsetof(SectorRecord, f)) \
    }
#define WA(f, t)                                       \
    FieldSlot {                                        \
        FieldType::t, uint8_t(offsetof(WallRecord, f)) \
    }
constexpr FieldSlot kNone{};

const std::array<FieldRow, kScriptFieldCount - 1> kFields = {{
    {SP(x, I32), kNone, WA(x, I32)},
    {SP(y, I32), kNone, WA(y, I32)},
    {SP(z, I32), kNone, kNone},
    {SP(lotag, U16), SE(lotag, U16), WA(lotag, U16)},
    {SP(hitag, U16), SE(hitag, U16), WA(hitag, U16)},
    {SP(extra, S16), SE(extra, S16), WA(extra, S16)},
    {SP(xrepeat, U8), kNone, WA(xrepeat, U8)},
    {SP(yrepeat, U8), kNone, WA(yrepeat, U8)},
    {SP(xoffset, S8), kNone, kNone},
    {SP(yoffset, S8), kNone, kNone},
    {kNone, kNone, WA(xpanning, U8)},
    {kNone, kNone, WA(ypanning, U8)},
    {SP(shade, S8), kNone, WA(shade, S8)},
    {SP(pal, U8), kNone, WA(pal, U8)},
    {SP(picnum, S16), kNone, WA(picnum, S16)},
    {kNone, kNone, WA(overpicnum, S16)},
    {SP(xvel, S16), kNone, kNone},
    {SP(yvel, S16), kNone, kNone},
    {SP(zvel, S16), kNone, kNone},
    {SP(cstat, U16), kNone, WA(cstat, U16)},
    {SP(owner, S16), kNone, kNone},
    {kNone, kNone, WA(point2, S16)},
    {SP(filler, U8), SE(filler, U8), kNone},
    {SP(ang, S16), kNone, kNone},
    {SP(statnum, S16), kNone, kNone},
    {SP(clipdist, U8), kNone, kNone},
    {kNone, kNone, WA(nextwall, S16)},
    {kNone, kNone, WA(nextsector, S16)},
    {kNone, SE(wallptr, S16), kNone},
    {kNone, SE(wallnum, S16), kNone},
    {kNone, SE(floorz, I32), kNone},
    {kNone, SE(floorstat, U16), kNone},
    {kNone, SE(floorpicnum, S16), kNone},
    {kNone, SE(floorheinum, S16), kNone},
    {kNone, SE(floorshade, S8), kNone},
    {kNone, SE(floorpal, U8), kNone},
    {kNone, SE(floorxpanning, U8), kNone},
    {kNone, SE(floorypanning, U8), kNone},
    {kNone, SE(ceilingz, I32), kNone},
    {kNone, SE(ceilingstat, U16), kNone},
    {kNone, SE(ceilingpicnum, S16), kNone},
    {kNone, SE(ceilingheinum, S16), kNone},
    {kNone, SE(ceilingshade, S8), kNone},
    {kNone, SE(ceilingpal, U8), kNone},
    {kNone, SE(ceilingxpanning, U8), kNone},
    {kNone, SE(ceilingypanning, U8), kNone},
    {kNone, SE(visibility, U8), kNone},
    {SP(sectnum, S16), kNone, kNone},
}};
#undef SP
#undef SE
#undef WA

// The bytes of record `index` of a kind, or nullptr outside its array.
uint8_t* recordBytes(MapStore& map, int32_t kind, int32_t index) {
    if (kind == 0 && index >= 0 && index < kMaxSprites)
        return reinterpret_cast<uint8_t*>(&map.sprites[index]);
    if (kind == 1 && index >= 0 && index < kMaxSectors)
        return reinterpret_cast<uint8_t*>(&map.sectors[index]);
    if (kind == 2 && index >= 0 && index < kMaxWalls)
        return reinterpret_cast<uint8_t*>(&map.walls[index]);
    return nullptr;
}

size_t recordSize(int32_t kind) {
    return kind == 0 ? sizeof(SpriteRecord) : kind == 1 ? sizeof(SectorRecord) : sizeof(WallRecord);
}

// A record written above the count must be part of what edits keep and roll back.
void noteWrittenRecord(MapStore& map, int32_t kind, int32_t index) {
    RecordExtent& e = map.recordExtent;
    int32_t& bound = kind == 0 ? e.sprites : kind == 1 ? e.sectors : e.walls;
    bound = std::max(bound, index + 1);
}

FieldSlot slotOf(int32_t kind, int32_t code) {
    if (code < 0 || code >= kScriptFieldWholeRecord) return kNone;
    const FieldRow& row = kFields[size_t(code)];
    return kind == 0 ? row.sprite : kind == 1 ? row.sector : row.wall;
}

int32_t fold(double v) {
    return safeFloor(v);
}

// The script angle of the vector (a, b).
double scriptAngle(double a, double b) {
    return angleOfDouble(0, 0, a, b) * 32768.0 / kScriptPi;
}

// Selection flags and their counts of the four selectable kinds (0 sprite, 1 sector, 2 wall,
// 3 vertex).
struct FlagTable {
    uint8_t* flags;
    int32_t* selectedCount;
    int32_t count;
};

FlagTable selectionTable(MapStore& map, int32_t kind) {
    switch (kind) {
        case 0:
            return {map.spriteSelected.data(), &map.selectedSpriteCount, map.spriteCount};
        case 1:
            return {map.sectorSelected.data(), &map.selectedSectorCount, map.sectorCount};
        case 2:
            return {map.wallSelected.data(), &map.selectedWallCount, map.wallCount};
        default:
            return {map.vertexSelected.data(), &map.selectedVertexCount, map.wallCount};
    }
}

uint8_t* ignoreFlags(MapStore& map, int32_t kind) {
    return kind == 0   ? map.spriteIgnored.data()
           : kind == 1 ? map.sectorIgnored.data()
                       : map.wallIgnored.data();
}

int32_t countOf(const MapStore& map, int32_t kind) {
    return kind == 0 ? map.spriteCount : kind == 1 ? map.sectorCount : map.wallCount;
}

// Sets an object count within 0..capacity. Flags above a lowered count are cleared and the
// selection recounted, so the counts keep matching the flags.
void setObjectCount(MapStore& map, int32_t kind, int32_t n) {
    const int32_t capacity = kind == 0 ? kMaxSprites : kind == 1 ? kMaxSectors : kMaxWalls;
    n = std::clamp(n, 0, capacity);
    int32_t& count = kind == 0 ? map.spriteCount : kind == 1 ? map.sectorCount : map.wallCount;
    const int32_t old = std::clamp(count, 0, capacity);
    count = n;
    if (n < old) {
        for (int32_t i = n; i < old; ++i) {
            if (kind == 0) map.spriteSelected[i] = 0;
            if (kind == 1) map.sectorSelected[i] = 0;
            if (kind == 2) map.wallSelected[i] = map.vertexSelected[i] = 0;
        }
        recountSelection(map);
    }
    noteRecordExtent(map);
}

uint16_t* statField(MapStore& map, int32_t which, int32_t index) {
    switch (which) {
        case 0:
            return isSprite(map, index) ? &map.sprites[index].cstat : nullptr;
        case 1:
            return isWall(map, index) ? &map.walls[index].cstat : nullptr;
        case 2:
            return isSector(map, index) ? &map.sectors[index].floorstat : nullptr;
        default:
            return isSector(map, index) ? &map.sectors[index].ceilingstat : nullptr;
    }
}

}  // namespace

bool readScriptOperands(const ScriptInstruction& ins, const ScriptRegisters& r, ScriptOperands& o) {
    const std::string_view pattern = scriptOperandPattern(ins.opcode);
    for (size_t i = 0; i < pattern.size() && i < 4; ++i) {
        const int32_t raw = ins.operands[i];
        if (pattern[i] == 'F') {
            o.value[i] = raw;
        } else if (pattern[i] == 'R' || ins.kinds[i] != 0) {
            if (raw < 0 || raw >= kScriptRegisterCount) return false;
            o.reg[i] = raw;
            o.value[i] = r[size_t(raw)];
        } else {
            o.value[i] = raw;
        }
    }
    return true;
}

bool getScriptField(const MapStore& map, int32_t kind, int32_t index, int32_t code,
                    int32_t& value) {
    const FieldSlot slot = slotOf(kind, code);
    const uint8_t* rec = recordBytes(const_cast<MapStore&>(map), kind, index);
    if (slot.type == FieldType::None || !rec) return false;
    const uint8_t* p = rec + slot.offset;
    switch (slot.type) {
        case FieldType::I32:
            std::memcpy(&value, p, 4);
            break;
        case FieldType::U16: {
            uint16_t v;
            std::memcpy(&v, p, 2);
            value = v;
            break;
        }
        case FieldType::S16: {
            int16_t v;
            std::memcpy(&v, p, 2);
            value = v;
            break;
        }
        case FieldType::U8:
            value = *p;
            break;
        case FieldType::S8:
            value = int8_t(*p);
            break;
        case FieldType::None:
            return false;
    }
    return true;
}

bool setScriptField(MapStore& map, int32_t kind, int32_t index, int32_t code, int32_t value) {
    const FieldSlot slot = slotOf(kind, code);
    uint8_t* rec = recordBytes(map, kind, index);
    if (slot.type == FieldType::None || !rec) return false;
    uint8_t* p = rec + slot.offset;
    const uint32_t bits = uint32_t(value);
    switch (slot.type) {
        case FieldType::I32:
            std::memcpy(p, &bits, 4);
            break;
        case FieldType::U16:
        case FieldType::S16: {
            const uint16_t v = uint16_t(bits);
            std::memcpy(p, &v, 2);
            break;
        }
        case FieldType::U8:
        case FieldType::S8:
            *p = uint8_t(bits);
            break;
        case FieldType::None:
            return false;
    }
    noteWrittenRecord(map, kind, index);
    return true;
}

bool runArithmeticBuiltin(int32_t op, const ScriptOperands& o, ScriptRegisters& r) {
    const int32_t d = o.reg[0];
    const int32_t cur = o.value[0];
    const int32_t a = o.value[1];
    auto set = [&](int32_t reg, int32_t v) { r[size_t(reg)] = v; };
    switch (op) {
        case 3:
            set(d, a);
            return true;
        case 5:
            set(d, cur ^ a);
            return true;
        case 6:
            set(d, cur | a);
            return true;
        case 7:
            set(d, cur & a);
            return true;
        case 8:
            set(d, ~a);
            return true;
        case 9:
            set(d, std::min(cur, a));
            return true;
        case 10:
            set(d, std::max(cur, a));
            return true;
        case 11:
            set(d, a < 0 ? -1 : a > 0 ? 1 : 0);
            return true;
        case 12:
            set(d, wrap32(int64_t(cur) + a));
            return true;
        case 13:
            set(d, wrap32(int64_t(cur) - a));
            return true;
        case 14:
            set(d, wrap32(int64_t(cur) * a));
            return true;
        case 15:
            set(d, a == 0 ? 0 : wrap32(int64_t(cur) / a));
            return true;
        case 16:
            set(d, a == 0 ? 0 : wrap32(int64_t(cur) % a));
            return true;
        case 17:
            set(d, fold(std::exp(a / 65536.0) * 65536.0));
            return true;
        case 18:
            set(d, a <= 0 ? 0 : fold(std::log(a / 65536.0) * 65536.0));
            return true;
        case 19:
            set(d, isqrt(a));
            return true;
        case 20:
            set(d, a < 0 ? 0 : fold(std::sqrt(a / 65536.0) * 65536.0));
            return true;
        case 21:
            set(d, fold(std::pow(double(cur), double(a))));
            return true;
        case 22:
            set(d, fold(std::pow(cur / 65536.0, a / 65536.0) * 65536.0));
            return true;
        case 23:
            set(d, fold(std::sin(a * kScriptPi / 32768.0) * 65536.0));
            return true;
        case 24:
            set(d, fold(std::cos(a * kScriptPi / 32768.0) * 65536.0));
            return true;
        case 25:
            set(d, fold(std::tan(a * kScriptPi / 32768.0) * 65536.0));
            return true;
        case 26:
            set(d, fold(arcSin(a / 65536.0) * 32768.0 / kScriptPi));
            return true;
        case 27:
            set(d, fold(arcCos(a / 65536.0) * 32768.0 / kScriptPi));
            return true;
        case 28:
            set(d, fold(std::atan(a / 65536.0) * 32768.0 / kScriptPi));
            return true;
        case 29:
            set(d, wrap32(-int64_t(cur)));
            return true;
        case 30:
            set(d, wrap32(int64_t(cur) + 1));
            return true;
        case 31:
            set(d, wrap32(int64_t(cur) - 1));
            return true;
        case 32: {
            const double x = o.value[1], y = o.value[2];
            set(d, fold(std::sqrt(x * x + y * y)));
            return true;
        }
        case 33:
            set(d, fold(scriptAngle(o.value[1], o.value[2])));
            return true;
        case 34: {
            const double x = o.value[2], y = o.value[3];
            set(o.reg[0], fold(std::sqrt(x * x + y * y)));
            set(o.reg[1], fold(scriptAngle(x, y)));
            return true;
        }
        case 35: {
            const double len = o.value[2];
            const double t = o.value[3] * kScriptPi / 32768.0;
            set(o.reg[0], fold(std::sin(t) * len));
            set(o.reg[1], fold(-len * std::cos(t)));
            return true;
        }
        default:
            return false;
    }
}

bool runMapBuiltin(int32_t op, const ScriptOperands& o, ScriptRegisters& r, MapStore& map) {
    const int32_t a = o.value[0];
    const int32_t b = o.value[1];
    auto set = [&](int32_t reg, int32_t v) { r[size_t(reg)] = v; };
    switch (op) {
        case 36:
        case 37:
        case 38: {
            int32_t v = 0;
            if (getScriptField(map, op - 36, a, o.value[1], v)) set(o.reg[2], v);
            return true;
        }
        case 39:
        case 40:
        case 41: {
            const int32_t kind = op - 39;
            if (o.value[1] == kScriptFieldWholeRecord) {
                uint8_t* to = recordBytes(map, kind, a);
                const uint8_t* from = recordBytes(map, kind, o.value[2]);
                if (to && from) {
                    std::memmove(to, from, recordSize(kind));
                    noteWrittenRecord(map, kind, a);
                }
            } else {
                setScriptField(map, kind, a, o.value[1], o.value[2]);
            }
            return true;
        }
        case 42:
        case 43:
        case 44:
        case 45: {
            const int32_t kind = op == 42 ? 0 : op == 43 ? 1 : op == 44 ? 2 : 3;
            const FlagTable t = selectionTable(map, kind);
            if (a >= 0 && a < t.count) set(o.reg[1], t.flags[a]);
            return true;
        }
        case 46:
        case 47:
        case 48:
        case 49: {
            const int32_t kind = op == 46 ? 0 : op == 47 ? 1 : op == 48 ? 2 : 3;
            const FlagTable t = selectionTable(map, kind);
            if (a < 0 || a >= t.count) return true;
            const uint8_t low = uint8_t(b);
            if (t.flags[a] == 0 && low != 0) ++*t.selectedCount;
            if (t.flags[a] != 0 && low == 0) --*t.selectedCount;
            t.flags[a] = low;
            return true;
        }
        case 50:
        case 51:
        case 52:
            if (a >= 0 && a < countOf(map, op - 50)) set(o.reg[1], ignoreFlags(map, op - 50)[a]);
            return true;
        case 53:
        case 54:
        case 55:
            if (a >= 0 && a < countOf(map, op - 53)) ignoreFlags(map, op - 53)[a] = uint8_t(b);
            return true;
        case 56:
            set(o.reg[0], map.spriteCount);
            return true;
        case 57:
            set(o.reg[0], map.sectorCount);
            return true;
        case 58:
            set(o.reg[0], map.wallCount);
            return true;
        case 59:
            setObjectCount(map, 0, a);
            return true;
        case 60:
            setObjectCount(map, 1, a);
            return true;
        case 61:
            setObjectCount(map, 2, a);
            return true;
        case 62:
            set(o.reg[0], map.selectedSpriteCount > 0 ? getFirstSelectedSprite(map) : 0);
            return true;
        case 63:
            set(o.reg[0], map.selectedSectorCount > 0 ? getFirstSelectedSector(map) : 0);
            return true;
        case 64:
            set(o.reg[0], map.selectedWallCount > 0 ? getFirstSelectedWall(map) : 0);
            return true;
        case 65:
            set(o.reg[0], map.selectedVertexCount > 0 ? getFirstSelectedVertex(map) : 0);
            return true;
        case 74:
        case 75:
        case 76:
        case 77:
            if (uint16_t* f = statField(map, op - 74, a)) *f = uint16_t(*f | uint16_t(b));
            return true;
        case 78:
        case 79:
        case 80:
        case 81:
            if (uint16_t* f = statField(map, op - 78, a)) *f = uint16_t(*f & ~uint16_t(b));
            return true;
        case 82:
        case 83:
        case 84:
        case 85:
            if (uint16_t* f = statField(map, op - 82, a)) *f = uint16_t(*f ^ uint16_t(b));
            return true;
        case 115:
            deselectSectors(map);
            deselectVertices(map);
            deselectWalls(map);
            deselectSprites(map);
            return true;
        case 116:
            deselectSectors(map);
            return true;
        case 117:
            deselectVertices(map);
            return true;
        case 118:
            deselectWalls(map);
            return true;
        case 119:
            deselectSprites(map);
            return true;
        case 130:
            updateWallSectnums(map);
            return true;
        case 170:
            if (isWall(map, a)) set(o.reg[1], isWallLoopClockwise(map, a) ? -1 : 0);
            return true;
        case 171:
            if (isWall(map, a)) set(o.reg[1], getPrevWall(map, a));
            return true;
        case 180:
            if (isWall(map, a)) set(o.reg[1], map.wallSector[a]);
            return true;
        case 181:
        case 182:
            if (isSector(map, o.value[2]))
                set(o.reg[3], op == 181 ? getTrueFloorZ(map, a, b, o.value[2])
                                        : getTrueCeilingZ(map, a, b, o.value[2]));
            return true;
        case 190:
            if (isSector(map, o.value[2])) set(o.reg[3], isPointInSector(map, a, b, o.value[2]));
            return true;
        case 191:
            set(o.reg[2], isPointInVoidZone(map, a, b));
            return true;
        case 192:
            if (isSector(map, o.value[2]))
                set(o.reg[3], isPointInSectorByLoop(map, a, b, o.value[2]));
            return true;
        case 193:
            if (isWall(map, o.value[2])) set(o.reg[3], isPointInLoop(map, a, b, o.value[2]));
            return true;
        case 206:
            if (isWall(map, a)) set(o.reg[1], map.wallMoveState[a]);
            return true;
        default:
            return false;
    }
}

}  // namespace korvel
