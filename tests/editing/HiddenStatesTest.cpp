#include "editing/HiddenStates.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "app/Settings.h"
#include "support/DispatchRig.h"
#include "support/MapBuilder.h"

namespace korvel {
namespace {

using test::MapBuilder;

constexpr uint8_t S = uint8_t(HiddenState::Shown);
constexpr uint8_t F = uint8_t(HiddenState::Filtered);
constexpr uint8_t H = uint8_t(HiddenState::Hidden);

constexpr int32_t kLow = -1000, kHigh = 1000;
constexpr int32_t kInside = 0, kOutside = 5000;

// Two rooms side by side: walls 1 and 7 are the shared pair, walls 0 and 4 one-sided walls of
// sectors 0 and 1; one sprite in each room.
struct TwoRooms {
    std::unique_ptr<MapStore> owner = std::make_unique<MapStore>();
    MapStore& map = *owner;
    Settings settings;

    TwoRooms() {
        MapBuilder b(map);
        b.addRoom(0, 0, 100, 100);
        b.addRoom(100, 0, 200, 100);
        b.addSprite(50, 50, kInside, 0);
        b.addSprite(150, 50, kInside, 1);
        b.link();
        settings.zRangeLow = kLow;
        settings.zRangeHigh = kHigh;
    }
    // 'S' in range, 'F' out of range (or stale Filtered with the filter off), 'H' hidden by the
    // user.
    void setSector(int32_t s, char how, ZRangeMode mode) {
        SectorRecord& sec = map.sectors[s];
        const int32_t z = how == 'F' ? kOutside : kInside;
        if (mode == ZRangeMode::ByCeiling)
            sec.ceilingz = z;
        else
            sec.floorz = z;
        map.sectorIgnored[s] = how == 'H' ? H : how == 'F' ? F : S;
    }
    void update(ZRangeMode mode) {
        settings.zRangeMode = uint8_t(mode);
        updateHiddenStates(map, settings);
    }
};

TEST(HiddenStates, SectorsAndWallsFollowTheFilterAndTheHiddenSectors) {
    struct Case {
        ZRangeMode mode;
        char a, b;  // how sectors 0 and 1 are set up
        uint8_t sectorA, sectorB, pair, oneSidedA, oneSidedB;
    };
    using M = ZRangeMode;
    const Case cases[] = {
        {M::Off, 'S', 'S', S, S, S, S, S},
        {M::Off, 'F', 'F', S, S, S, S, S},  // a stale filter is forgotten
        {M::Off, 'H', 'S', H, S, S, H, S},  // a pair between hidden and shown stays shown
        {M::Off, 'H', 'H', H, H, H, H, H},
        {M::ByFloor, 'S', 'S', S, S, S, S, S},
        {M::ByFloor, 'F', 'S', F, S, S, F, S},
        {M::ByFloor, 'F', 'F', F, F, F, F, F},
        {M::ByFloor, 'H', 'F', H, F, F, H, F},
        {M::ByFloor, 'H', 'S', H, S, S, H, S},
        {M::ByFloor, 'H', 'H', H, H, H, H, H},
        {M::ByCeiling, 'F', 'F', F, F, F, F, F},
        {M::ByCeiling, 'H', 'F', H, F, F, H, F},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << int(c.mode) << " " << c.a << c.b);
        TwoRooms r;
        r.setSector(0, c.a, c.mode);
        r.setSector(1, c.b, c.mode);
        r.update(c.mode);
        EXPECT_EQ(r.map.sectorIgnored[0], c.sectorA);
        EXPECT_EQ(r.map.sectorIgnored[1], c.sectorB);
        EXPECT_EQ(r.map.wallIgnored[1], c.pair);
        EXPECT_EQ(r.map.wallIgnored[7], c.pair);
        EXPECT_EQ(r.map.wallIgnored[0], c.oneSidedA);
        EXPECT_EQ(r.map.wallIgnored[4], c.oneSidedB);
    }
}

TEST(HiddenStates, TheTestedHeightIsTheFloorOrTheCeilingWithBothBoundsInside) {
    struct Case {
        ZRangeMode mode;
        int32_t floorz, ceilingz;
        uint8_t expected;
    };
    using M = ZRangeMode;
    const Case cases[] = {
        {M::ByFloor, kLow, kOutside, S},      {M::ByFloor, kHigh, kOutside, S},
        {M::ByFloor, kLow - 1, kInside, F},   {M::ByFloor, kHigh + 1, kInside, F},
        {M::ByCeiling, kOutside, kLow, S},    {M::ByCeiling, kOutside, kHigh, S},
        {M::ByCeiling, kInside, kLow - 1, F}, {M::ByCeiling, kInside, kHigh + 1, F},
        {M(9), kOutside, kOutside, S},  // an unknown mode filters nothing
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << int(c.mode) << " " << c.floorz << " " << c.ceilingz);
        TwoRooms r;
        r.map.sectors[0].floorz = c.floorz;
        r.map.sectors[0].ceilingz = c.ceilingz;
        r.update(c.mode);
        EXPECT_EQ(r.map.sectorIgnored[0], c.expected);
    }
}

TEST(HiddenStates, SpritesFollowTheirHeightAndTheirSector) {
    struct Case {
        ZRangeMode mode;
        char sector;     // how sector 0 is set up
        uint8_t before;  // the sprite's state before
        int32_t z;
        uint8_t expected;
    };
    using M = ZRangeMode;
    const Case cases[] = {
        {M::Off, 'S', F, kOutside, S},  // stale, and no filter on the height
        {M::Off, 'H', S, kInside, F},   // in a hidden sector
        {M::Off, 'S', H, kInside, H},   // hidden by the user
        {M::ByFloor, 'S', S, kInside, S},
        {M::ByFloor, 'S', S, kOutside, F},
        {M::ByFloor, 'S', S, kLow, S},
        {M::ByFloor, 'S', S, kHigh, S},
        {M::ByFloor, 'S', S, kHigh + 1, F},
        {M::ByFloor, 'H', S, kInside, F},  // its own height passes, its sector is hidden
        {M::ByFloor, 'F', S, kInside, S},  // a filtered sector does not filter its sprites
        {M::ByFloor, 'S', H, kOutside, H},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << int(c.mode) << " " << c.sector << " " << c.z);
        TwoRooms r;
        r.setSector(0, c.sector, c.mode);
        r.map.spriteIgnored[0] = c.before;
        r.map.sprites[0].z = c.z;
        r.update(c.mode);
        EXPECT_EQ(r.map.spriteIgnored[0], c.expected);
    }
}

// Indexes that name no object are no objects: nothing is read outside the tables.
TEST(HiddenStates, DamagedIndexesCountAsNoObject) {
    using M = ZRangeMode;
    for (M mode : {M::Off, M::ByFloor}) {
        SCOPED_TRACE(int(mode));
        TwoRooms r;
        r.setSector(0, 'H', mode);
        r.setSector(1, 'H', mode);
        // A link to no sector: judged by its own sector alone.
        r.map.walls[1].nextsector = 77;
        // No owner: wall 4 is taken out of every wall range, wall 5's owner entry names no sector.
        r.map.sectors[1].wallptr = 5;
        r.map.sectors[1].wallnum = 3;
        r.map.wallSector[5] = -1;
        r.map.walls[5].nextsector = 0;
        r.map.walls[6].nextsector = -5;
        // Stale states beyond the wall count.
        r.map.wallIgnored[8] = H;
        // Sprites standing in no sector.
        r.map.sprites[0].sectnum = -1;
        r.map.sprites[1].sectnum = 4096;
        r.update(mode);
        EXPECT_EQ(r.map.wallIgnored[1], H);
        EXPECT_EQ(r.map.wallIgnored[4], S) << "neither side is a sector";
        EXPECT_EQ(r.map.wallIgnored[5], H) << "judged by the sector behind";
        EXPECT_EQ(r.map.wallIgnored[6], H) << "a negative link is no link";
        EXPECT_EQ(r.map.wallIgnored[8], S);
        EXPECT_EQ(r.map.spriteIgnored[0], S);
        EXPECT_EQ(r.map.spriteIgnored[1], S);
        r.map.sprites[0].z = kOutside;
        r.update(mode);
        EXPECT_EQ(r.map.spriteIgnored[0], mode == M::Off ? S : F);
    }
}

// Every field and every owner entry of a full map holding random values.
TEST(HiddenStates, ARandomMapAtCapacityIsHandledSafely) {
    auto map = std::make_unique<MapStore>();
    std::mt19937 rng(9);
    const auto scramble = [&rng](auto& records) {
        for (auto& rec : records) {
            auto* bytes = reinterpret_cast<uint8_t*>(&rec);
            for (size_t i = 0; i < sizeof(rec); ++i) bytes[i] = uint8_t(rng());
        }
    };
    scramble(map->sectors);
    scramble(map->walls);
    scramble(map->sprites);
    for (auto& s : map->wallSector) s = int16_t(rng());
    for (auto& s : map->sectorIgnored) s = uint8_t(rng() % 4);
    for (auto& s : map->spriteIgnored) s = uint8_t(rng() % 4);
    map->sectorCount = kMaxSectors;
    map->wallCount = kMaxWalls;
    map->spriteCount = kMaxSprites;
    Settings settings;
    for (uint8_t mode : {0, 1, 2}) {
        settings.zRangeMode = mode;
        updateHiddenStates(*map, settings);
        for (uint8_t s : map->wallIgnored) ASSERT_LE(s, H);
        for (uint8_t s : map->spriteIgnored) ASSERT_LE(s, 3);
    }
}

TEST(HiddenStates, TheDispatcherRecomputesThemEveryFrame) {
    test::DispatchRig r;
    MapBuilder b(r.ed->map);
    b.addRoom(0, 0, 100, 100);
    b.addSprite(50, 50, 0, 0);
    b.link();
    r.ed->map.sectors[0].floorz = 4096;
    r.ed->settings.zRangeMode = uint8_t(ZRangeMode::ByFloor);
    r.ed->settings.zRangeLow = 0;
    r.ed->settings.zRangeHigh = 1024;
    r.frame();
    EXPECT_EQ(r.ed->map.sectorIgnored[0], F);
    EXPECT_EQ(r.ed->map.wallIgnored[0], F);
    EXPECT_EQ(r.ed->map.spriteIgnored[0], S);
    // The height slider moves the limit between frames; the next frame follows it.
    r.ed->settings.zRangeHigh = 4096;
    r.frame();
    EXPECT_EQ(r.ed->map.sectorIgnored[0], S);
    EXPECT_EQ(r.ed->map.wallIgnored[0], S);
}

}  // namespace
}  // namespace korvel
