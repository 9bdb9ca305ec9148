#include "script/ScriptBuiltins.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "map/MapStore.h"
#include "script/ScriptKeywords.h"
#include "support/MapBuilder.h"

namespace korvel {
namespace {

// Runs one arithmetic built-in "op rD a [b]" with rD holding `start`; returns rD (or the
// second destination for two-result built-ins when `second` is set).
int32_t arith(const char* word, int32_t start, int32_t a, int32_t b = 0, bool second = false) {
    const ScriptKeyword* k = findScriptKeyword(word);
    EXPECT_NE(k, nullptr) << word;
    ScriptRegisters r{};
    r[1] = start;
    ScriptOperands o;
    o.reg = {1, 2, 0, 0};
    o.value = {start, a, b, 0};
    if (k->operands.size() == 4) o.value = {start, 0, a, b};
    EXPECT_TRUE(runArithmeticBuiltin(k->opcode, o, r)) << word;
    return r[second ? 2 : 1];
}

TEST(ScriptBuiltins, ArithmeticTable) {
    struct Case {
        const char* word;
        int32_t start, a, b;
        int32_t want;
    };
    const Case cases[] = {
        {"add", INT32_MAX, 1, 0, INT32_MIN},
        {"sub", INT32_MIN, 1, 0, INT32_MAX},
        {"mul", 65536, 65536, 0, 0},
        {"div", -7, 2, 0, -3},
        {"mod", -7, 2, 0, -1},
        {"div", 5, 0, 0, 0},
        {"mod", 5, 0, 0, 0},
        {"div", INT32_MIN, -1, 0, INT32_MIN},
        {"mod", INT32_MIN, -1, 0, 0},
        {"neg", INT32_MIN, 0, 0, INT32_MIN},
        {"inc", INT32_MAX, 0, 0, INT32_MIN},
        {"dec", INT32_MIN, 0, 0, INT32_MAX},
        {"not", 9, 0, 0, -1},
        {"min", 4, -3, 0, -3},
        {"max", 4, -3, 0, 4},
        {"sgn", 9, -8, 0, -1},
        {"xor", 6, 3, 0, 5},
        {"sqrt", 9, 8, 0, 3},
        {"sqrt", 9, 6, 0, 2},
        {"sqrt", 9, -5, 0, 0},
        {"sin", 0, 16384, 0, 65536},
        {"cos", 0, 16384, 0, 0},
        {"exp", 0, 65536 * 40, 0, 0},  // past 2.1e9: 0, not clamped
        {"log", 7, 0, 0, 0},
        {"log", 7, -65536, 0, 0},
        {"fpsqrt", 7, -65536, 0, 0},
        {"fpsqrt", 7, 4 * 65536, 0, 2 * 65536},
        {"pow", 0, -1, 0, 0},  // zero to a negative power
        {"pow", 2, 10, 0, 1024},
        {"fppow", -65536, 32768, 0, 0},  // negative base, fractional exponent
        {"tan", 0, 16384, 0, 0},
        {"asin", 0, 2 * 65536, 0, 0},
        {"acos", 0, -2 * 65536, 0, 0},
        {"atan2", 0, 0, 0, 32768},
        {"atan2", 0, 1, 0, 16384},
        {"atan2", 0, 1, -1, 8191},
        {"hypot", 0, 3, 4, 5},
        {"hypot", 0, INT32_MIN, INT32_MIN, 0},  // past 2.1e9
    };
    for (const Case& c : cases)
        EXPECT_EQ(arith(c.word, c.start, c.a, c.b), c.want)
            << c.word << " " << c.start << " " << c.a << " " << c.b;
    EXPECT_LT(arith("atan2", 0, -1, -1), 0);
    EXPECT_EQ(arith("rectangular", 0, 1024, 16384), 1024);
    EXPECT_EQ(arith("rectangular", 0, 1024, 16384, true), -1);
    EXPECT_EQ(arith("polar", 0, 3, 4), 5);
}

struct MapRig {
    std::unique_ptr<MapStore> map = std::make_unique<MapStore>();
    ScriptRegisters r{};
    MapRig() {
        test::MapBuilder b(*map);
        b.addRoom(0, 0, 1024, 1024);
        b.addSprite(10, 10, 0, 0);
        b.addSprite(20, 20, 0, 0);
        b.link();
    }
    void run(const char* word, std::array<int32_t, 4> values, std::array<int32_t, 4> regs = {}) {
        const ScriptKeyword* k = findScriptKeyword(word);
        ASSERT_NE(k, nullptr) << word;
        ScriptOperands o;
        o.value = values;
        o.reg = regs;
        EXPECT_TRUE(runMapBuiltin(k->opcode, o, r, *map)) << word;
    }
};

// Every field code of every record kind: what a get gives for a value set through it, and that
// the set changes no byte outside the field.
TEST(ScriptBuiltins, FieldsKeepTheirWidthAndSign) {
    const int32_t kSize[3] = {int32_t(sizeof(SpriteRecord)), int32_t(sizeof(SectorRecord)),
                              int32_t(sizeof(WallRecord))};
    for (int32_t kind = 0; kind < 3; ++kind) {
        for (int32_t code = 0; code < kScriptFieldWholeRecord; ++code) {
            SCOPED_TRACE(std::to_string(kind) + " " + std::string(scriptFieldName(code)));
            auto map = std::make_unique<MapStore>();
            int32_t dummy = 0;
            if (!getScriptField(*map, kind, 1, code, dummy)) {
                // A dash: the set changes nothing either.
                EXPECT_FALSE(setScriptField(*map, kind, 1, code, -1));
                continue;
            }
            const uint8_t* rec = kind == 0   ? reinterpret_cast<uint8_t*>(&map->sprites[1])
                                 : kind == 1 ? reinterpret_cast<uint8_t*>(&map->sectors[1])
                                             : reinterpret_cast<uint8_t*>(&map->walls[1]);
            ASSERT_TRUE(setScriptField(*map, kind, 1, code, -1));
            int32_t bytes = 0;
            for (int32_t i = 0; i < kSize[kind]; ++i) bytes += rec[i] == 0xff;
            int32_t v = 0;
            ASSERT_TRUE(getScriptField(*map, kind, 1, code, v));
            // The width follows from the bytes written, the sign from what a get of -1 gives.
            ASSERT_TRUE(bytes == 1 || bytes == 2 || bytes == 4) << bytes;
            const bool isSigned = v == -1;
            if (!isSigned) EXPECT_EQ(v, bytes == 1 ? 255 : 65535);
            ASSERT_TRUE(setScriptField(*map, kind, 1, code, 0x12345678));
            ASSERT_TRUE(getScriptField(*map, kind, 1, code, v));
            const int32_t want = bytes == 4   ? 0x12345678
                                 : bytes == 2 ? (isSigned ? int16_t(0x5678) : 0x5678)
                                              : (isSigned ? int8_t(0x78) : 0x78);
            EXPECT_EQ(v, want);
            int32_t changed = 0;
            for (int32_t i = 0; i < kSize[kind]; ++i) changed += rec[i] != 0;
            EXPECT_LE(changed, bytes);
            // Neighbouring records stay untouched.
            EXPECT_EQ(std::memcmp(rec - kSize[kind], rec + kSize[kind], size_t(kSize[kind])), 0);
        }
    }
    // Widths and signs the tables fix, spot-checked by name.
    struct Spot {
        int32_t kind;
        const char* field;
        int32_t set, get;
    };
    const Spot spots[] = {
        {2, "cstat", 65537, 1},
        {0, "lotag", -1, 65535},
        {0, "extra", -1, -1},
        {0, "shade", 200, -56},
        {0, "xrepeat", 300, 44},
        {1, "floorz", INT32_MIN, INT32_MIN},
        {1, "wallptr", 40000, 40000 - 65536},
        {2, "xpanning", -1, 255},
        {0, "sectnum", 65535, -1},
    };
    for (const Spot& s : spots) {
        auto map = std::make_unique<MapStore>();
        int32_t v = 0;
        ASSERT_TRUE(setScriptField(*map, s.kind, 0, scriptFieldCode(s.field), s.set)) << s.field;
        ASSERT_TRUE(getScriptField(*map, s.kind, 0, scriptFieldCode(s.field), v));
        EXPECT_EQ(v, s.get) << s.field;
    }
}

TEST(ScriptBuiltins, RecordBuiltinsCheckIndexesAndDashesLeaveTheRegister) {
    MapRig m;
    m.r[5] = 77;
    m.run("getsprite", {0, scriptFieldCode("floorz"), 0, 0}, {0, 0, 5, 0});
    EXPECT_EQ(m.r[5], 77);
    m.run("getsector", {0, scriptFieldCode("sectnum"), 0, 0}, {0, 0, 5, 0});
    EXPECT_EQ(m.r[5], 77);
    m.run("getsprite", {kMaxSprites, 3, 0, 0}, {0, 0, 5, 0});
    m.run("getwall", {-1, 3, 0, 0}, {0, 0, 5, 0});
    m.run("getsector", {0, 99, 0, 0}, {0, 0, 5, 0});
    EXPECT_EQ(m.r[5], 77);
    const MapStore before = *m.map;
    m.run("setsprite", {kMaxSprites, 3, 9, 0});
    m.run("setwall", {-5, 3, 9, 0});
    m.run("setsector", {0, 49, 9, 0});
    m.run("setsector", {0, kScriptFieldWholeRecord, kMaxSectors, 0});
    EXPECT_EQ(std::memcmp(&before.sectors[0], &m.map->sectors[0], sizeof(SectorRecord) * 4), 0);
    EXPECT_EQ(std::memcmp(&before.walls[0], &m.map->walls[0], sizeof(WallRecord) * 8), 0);

    // "=" copies the whole record, first wall and wall count too.
    m.map->sectors[1].wallptr = 9;
    m.map->sectors[1].wallnum = 3;
    m.map->sectors[1].lotag = 4;
    m.run("setsector", {0, kScriptFieldWholeRecord, 1, 0});
    EXPECT_EQ(std::memcmp(&m.map->sectors[0], &m.map->sectors[1], sizeof(SectorRecord)), 0);
    // A record written above the count is one an edit keeps.
    m.run("setsprite", {500, 3, 9, 0});
    EXPECT_GE(m.map->recordExtent.sprites, 501);
}

TEST(ScriptBuiltins, SelectionCountsFollowTheFlags) {
    MapRig m;
    m.run("selectsprite", {1, 1, 0, 0});
    m.run("selectsprite", {1, 1, 0, 0});
    EXPECT_EQ(m.map->selectedSpriteCount, 1);
    m.run("selectsprite", {1, 256, 0, 0});  // low byte 0: deselects
    EXPECT_EQ(m.map->selectedSpriteCount, 0);
    EXPECT_EQ(m.map->spriteSelected[1], 0);
    m.run("selectsprite", {1, 258, 0, 0});
    EXPECT_EQ(m.map->spriteSelected[1], 2);
    m.run("selectsprite", {2, 1, 0, 0});  // past the count
    m.run("selectwall", {-1, 1, 0, 0});
    EXPECT_EQ(m.map->selectedSpriteCount, 1);
    EXPECT_EQ(m.map->selectedWallCount, 0);
    m.run("getfirstselectedsprite", {}, {3, 0, 0, 0});
    EXPECT_EQ(m.r[3], 1);

    // Counts clamp to the capacity; a lowered one drops the flags above it.
    m.run("setspritenumber", {-5, 0, 0, 0});
    EXPECT_EQ(m.map->spriteCount, 0);
    EXPECT_EQ(m.map->selectedSpriteCount, 0);
    EXPECT_EQ(m.map->spriteSelected[1], 0);
    m.run("setwallnumber", {kMaxWalls + 10, 0, 0, 0});
    EXPECT_EQ(m.map->wallCount, kMaxWalls);
    EXPECT_EQ(m.map->recordExtent.walls, kMaxWalls);
}

TEST(ScriptBuiltins, StatBitsAndQueriesTakeIndexesBelowTheCount) {
    MapRig m;
    m.run("setwallcstator", {0, 65536 + 5, 0, 0});
    EXPECT_EQ(m.map->walls[0].cstat, 5);
    m.run("setwallcstatnotand", {0, 1, 0, 0});
    EXPECT_EQ(m.map->walls[0].cstat, 4);
    m.run("setwallcstatxor", {0, 6, 0, 0});
    EXPECT_EQ(m.map->walls[0].cstat, 2);
    m.run("setwallcstator", {4, 1, 0, 0});  // no such wall
    EXPECT_EQ(m.map->walls[4].cstat, 0);
    m.r[4] = 55;
    m.run("getprevwall", {4, 0, 0, 0}, {0, 4, 0, 0});
    m.run("gettruefloorz", {1, 1, 1, 0}, {0, 0, 0, 4});
    m.run("ispointinsector", {1, 1, -1, 0}, {0, 0, 0, 4});
    EXPECT_EQ(m.r[4], 55);
    m.run("ispointinsector", {512, 512, 0, 0}, {0, 0, 0, 4});
    EXPECT_EQ(m.r[4], 2);
}

}  // namespace
}  // namespace korvel
