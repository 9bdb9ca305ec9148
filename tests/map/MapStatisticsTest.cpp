// The map statistics: the counts of small maps, the free numbers and channels against the
// scans they replace, and bounded work on hostile maps.
#include "map/MapStatistics.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "resources/TileCatalog.h"
#include "support/MapBuilder.h"
#include "support/RandomMaps.h"

namespace korvel::test {
namespace {

struct Categories {
    std::vector<uint8_t> bits = std::vector<uint8_t>(kTileCount, 0);
};

MapStatistics statsOf(const MapStore& map, const Categories& c = {}) {
    MapStatistics st;
    computeMapStatistics(map, c.bits, st);
    return st;
}

TEST(MapStatistics, CountsOfSmallMaps) {
    struct Case {
        const char* name;
        std::function<void(MapBuilder&)> build;
        int32_t loops, groups, vertices;
    };
    const std::vector<Case> cases = {
        {"one square", [](MapBuilder& b) { b.addRoom(0, 0, 10000, 10000); }, 1, 1, 4},
        {"two squares sharing an edge",
         [](MapBuilder& b) {
             b.addRoom(0, 0, 100, 100);
             b.addRoom(100, 0, 200, 100);
             b.link();
         },
         2, 1, 6},
        {"two separate squares",
         [](MapBuilder& b) {
             b.addRoom(0, 0, 100, 100);
             b.addRoom(300, 0, 400, 100);
         },
         2, 2, 8},
        {"a 2 x 2 grid",
         [](MapBuilder& b) {
             b.addGrid(0, 0, 2, 2, 100);
             b.link();
         },
         4, 1, 9},
    };
    for (const Case& c : cases) {
        auto map = std::make_unique<MapStore>();
        MapBuilder b(*map);
        c.build(b);
        const MapStatistics st = statsOf(*map);
        EXPECT_EQ(st.statLoopCount, c.loops) << c.name;
        EXPECT_EQ(st.statSectorGroupCount, c.groups) << c.name;
        EXPECT_EQ(st.statVertexCount, c.vertices) << c.name;
    }
    auto square = std::make_unique<MapStore>();
    MapBuilder(*square).addRoom(0, 0, 10000, 10000);
    const MapStatistics st = statsOf(*square);
    EXPECT_DOUBLE_EQ(st.statArea, 625);
    EXPECT_DOUBLE_EQ(st.statWallLengthSum, 40000);
    EXPECT_EQ(st.statMapFileSize, 194);
    EXPECT_EQ(st.statTileCount, 4);  // wall 4, masked wall 0, ceiling 2, floor 3
}

TEST(MapStatistics, SpriteCategoriesAndTiles) {
    auto map = std::make_unique<MapStore>();
    MapBuilder b(*map);
    b.addRoom(0, 0, 1000, 1000);
    Categories c;
    c.bits[1] = TileCategory::Effectors;
    c.bits[9] = TileCategory::Effectors;
    c.bits[20] = TileCategory::Actors;
    c.bits[30] = TileCategory::Pickups;
    const struct {
        int16_t picnum, lotag, hitag;
    } sprites[] = {{20, 0, 0}, {20, 2, 0}, {20, 3, 0}, {20, -5, 0}, {20, 9, 0}, {30, 0, 0},
                   {9, 0, 20}, {9, 0, 30}, {9, 0, -1}, {1, 0, 0},   {-4, 0, 0}, {20000, 0, 20}};
    for (const auto& s : sprites) {
        const int32_t k = b.addSprite(10, 10, 0, 0, s.picnum);
        map->sprites[k].lotag = s.lotag;
        map->sprites[k].hitag = s.hitag;
    }
    map->sectors[0].lotag = 32767;
    const MapStatistics st = statsOf(*map, c);
    EXPECT_EQ(st.statCategory1SpriteCount, 4);
    EXPECT_EQ(st.statSpriteClassCounts, (std::array<int32_t, 5>{2, 3, 4, 5, 1}));
    EXPECT_EQ(st.statCategory4SpriteCount, 1);
    EXPECT_EQ(st.statLotag32767SectorCount, 1);
    // Tiles 4, 0, 2, 3 of the room and 20, 30, 9, 1 of the sprites; -4 and 20000 are no tiles.
    EXPECT_EQ(st.statTileCount, 8);
}

TEST(MapStatistics, FirstFreeTriggerNumber) {
    Categories c;
    c.bits[100] = TileCategory::Switches;
    c.bits[101] = TileCategory::MultiSwitches;
    c.bits[102] = TileCategory::DoorTiles;
    struct Case {
        const char* name;
        std::function<void(MapStore&, MapBuilder&)> build;
        int32_t expected;
    };
    auto sprite = [](MapBuilder& b, MapStore& m, int16_t pic, int16_t lotag, int16_t hitag) {
        const int32_t k = b.addSprite(1, 1, 0, 0, pic);
        m.sprites[k].lotag = lotag;
        m.sprites[k].hitag = hitag;
    };
    const std::vector<Case> cases = {
        {"nothing used", [](MapStore&, MapBuilder&) {}, 1},
        {"switch sprite 1, multi-switch wall 2",
         [&](MapStore& m, MapBuilder& b) {
             sprite(b, m, 100, 1, 0);
             m.walls[0].picnum = 101;
             m.walls[0].lotag = 2;
         },
         6},
        {"activator lotag 30 marks hitag and hitag + 1",
         [&](MapStore& m, MapBuilder& b) {
             sprite(b, m, 1, 30, 1);
             sprite(b, m, 102, 3, 0);
         },
         4},
        {"multi-switch 65534 marks only up to 65535",
         [&](MapStore& m, MapBuilder& b) { sprite(b, m, 101, -2, 0); }, 1},
        {"tile outside the tiles marks nothing",
         [&](MapStore& m, MapBuilder& b) { sprite(b, m, -100, 1, 0); }, 1},
    };
    for (const Case& cs : cases) {
        auto map = std::make_unique<MapStore>();
        MapBuilder b(*map);
        b.addRoom(0, 0, 100, 100);
        cs.build(*map, b);
        EXPECT_EQ(statsOf(*map, c).statFirstFreeNumber, cs.expected) << cs.name;
    }

    // Every number 1..65535 used by multi-switches four at a time, 16384 sprites (lotag 65532
    // covers the end).
    auto full = std::make_unique<MapStore>();
    MapBuilder b(*full);
    b.addRoom(0, 0, 100, 100);
    for (int32_t v = 1; v <= 65529; v += 4) sprite(b, *full, 101, int16_t(uint16_t(v)), 0);
    sprite(b, *full, 101, int16_t(uint16_t(65532)), 0);
    EXPECT_EQ(statsOf(*full, c).statFirstFreeNumber, 65536);
}

// The restart scan: raise a group's value whenever a sprite of the group uses it, then scan again
// from the first sprite until a whole scan changes nothing.
std::array<int32_t, kEffectorGroups> restartScan(const MapStore& map) {
    std::array<int32_t, kEffectorGroups> value;
    value.fill(1);
    for (bool changed = true; changed;) {
        changed = false;
        for (int32_t k = 0; k < map.spriteCount && !changed; ++k) {
            const SpriteRecord& sp = map.sprites[k];
            const int32_t g = sp.picnum == 1 ? effectorGroupOf(sp.lotag) : -1;
            if (g >= 0 && sp.hitag == value[size_t(g)]) {
                ++value[size_t(g)];
                changed = true;
            }
        }
    }
    return value;
}

TEST(MapStatistics, FreeEffectorChannelsMatchTheRestartScan) {
    auto map = std::make_unique<MapStore>();
    MapBuilder b(*map);
    b.addRoom(0, 0, 100, 100);
    for (int16_t hitag : {1, 2, 4}) {
        const int32_t k = b.addSprite(1, 1, 0, 0, 1);
        map->sprites[k].lotag = 3;
        map->sprites[k].hitag = hitag;
    }
    EXPECT_EQ(statsOf(*map).statFreeEffectorHitags[1], 3);

    std::mt19937 rng(11);
    const int16_t lotags[] = {0, 1, 2, 3, 4, 6, 7, 14, 23, 28, 40, 45, 46, -1};
    for (int32_t round = 0; round < 30; ++round) {
        map->spriteCount = 0;
        const int32_t n = int32_t(rng() % 400);
        for (int32_t i = 0; i < n; ++i) {
            const int32_t k = b.addSprite(1, 1, 0, 0, int16_t(rng() % 3));
            map->sprites[k].lotag = lotags[rng() % std::size(lotags)];
            map->sprites[k].hitag = int16_t(int32_t(rng() % 40) - 5);
        }
        EXPECT_EQ(statsOf(*map).statFreeEffectorHitags, restartScan(*map)) << "round " << round;
    }
}

TEST(MapStatistics, LongSectorChainIsGroupedWithoutRecursion) {
    auto map = std::make_unique<MapStore>();
    MapBuilder b(*map);
    for (int32_t s = 0; s < kMaxSectors; ++s) b.addRoom(s * 100, 0, s * 100 + 100, 100);
    // Each room's right wall (4s + 1) is the next room's left wall (4s + 7) reversed.
    for (int32_t s = 0; s + 1 < kMaxSectors; ++s) {
        WallRecord& right = map->walls[4 * s + 1];
        WallRecord& left = map->walls[4 * s + 7];
        right.nextwall = int16_t(4 * s + 7), right.nextsector = int16_t(s + 1);
        left.nextwall = int16_t(4 * s + 1), left.nextsector = int16_t(s);
    }
    const MapStatistics st = statsOf(*map);
    EXPECT_EQ(st.statSectorGroupCount, 1);
    EXPECT_EQ(st.statLoopCount, kMaxSectors);
    EXPECT_EQ(st.statVertexCount, 2 * (kMaxSectors + 1));
}

TEST(MapStatistics, HostileMapsStayInBounds) {
    const std::vector<std::pair<const char*, std::function<void(MapStore&)>>> cases = {
        {"links past the counts",
         [](MapStore& m) {
             for (int32_t w = 0; w < m.wallCount; ++w)
                 m.walls[w].nextsector = 5000, m.walls[w].nextwall = 32767;
         }},
        {"point2 never back",
         [](MapStore& m) {
             for (int32_t w = 0; w < m.wallCount; ++w) m.walls[w].point2 = int16_t(w + 1);
         }},
        {"self links",
         [](MapStore& m) {
             for (int32_t w = 0; w < m.wallCount; ++w) m.walls[w].nextwall = int16_t(w);
         }},
        {"every sector claims every wall",
         [](MapStore& m) {
             for (int32_t s = 0; s < m.sectorCount; ++s)
                 m.sectors[s].wallptr = -3, m.sectors[s].wallnum = 32767;
         }},
    };
    for (const auto& [name, damage] : cases) {
        auto grid = std::make_unique<MapStore>();
        MapBuilder b(*grid);
        b.addGrid(0, 0, 4, 4, 64);
        b.link();
        damage(*grid);
        const MapStatistics st = statsOf(*grid);
        EXPECT_GE(st.statSectorGroupCount, 1) << name;
        EXPECT_LE(st.statVertexCount, grid->wallCount) << name;
    }
    std::mt19937 rng(3);
    auto map = std::make_unique<MapStore>();
    for (int32_t round = 0; round < 500; ++round) {
        clearMapRecords(*map);
        resetMapState(*map);
        buildRandomMap(*map, rng);
        for (int32_t i = 0; i < 4 && map->wallCount > 0; ++i) {
            auto* bytes =
                reinterpret_cast<uint8_t*>(&map->walls[int32_t(rng() % uint32_t(map->wallCount))]);
            bytes[rng() % sizeof(WallRecord)] = uint8_t(rng());
        }
        const MapStatistics a = statsOf(*map), b2 = statsOf(*map);
        ASSERT_EQ(a.statVertexCount, b2.statVertexCount);
    }
}

}  // namespace
}  // namespace korvel::test
