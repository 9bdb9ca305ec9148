// The invariant checker of the test support: every map the builder makes passes, and a map
// damaged in any one of the ways the checker knows is caught with a line that names it.
#include "support/MapInvariants.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "support/GridMaps.h"
#include "support/MapBuilder.h"
#include "support/RandomMaps.h"

namespace korvel::test {
namespace {

void builderMap(MapStore& map) {
    MapBuilder b(map);
    b.addGrid(0, 0, 2, 2, 100);   // sectors 0..3
    b.addRoom(300, 0, 600, 300);  // 4, with a hole
    b.addRectHole(400, 100, 500, 200);
    b.addRoom(400, 100, 500, 200);  // 5, the island in the hole
    b.addSector({{0, 400}, {100, 400}, {50, 450}});
    b.addSprite(50, 50, 0, 0);
    b.addSprite(450, 150, 0, 5);
    b.addSprite(-50, -50, 0, -1);
    b.link();
}

TEST(MapInvariants, AcceptsEveryBuilderMap) {
    auto map = std::make_unique<MapStore>();
    builderMap(*map);
    EXPECT_EQ(describeViolations(checkMapInvariants(*map)), "");
    EXPECT_EQ(map->walls[16 + 4].nextwall, 24 + 2);  // the hole and the island are linked

    auto grid = std::make_unique<MapStore>();
    buildSplitRoomGrid(*grid, 64, 64, 4);
    EXPECT_EQ(describeViolations(checkMapInvariants(*grid)), "");

    for (uint32_t seed = 0; seed < 50; ++seed) {
        auto random = std::make_unique<MapStore>();
        std::mt19937 rng(seed);
        buildRandomMap(*random, rng);
        EXPECT_EQ(describeViolations(checkMapInvariants(*random)), "") << "seed " << seed;
    }
}

TEST(MapInvariants, RejectsEachKindOfDamage) {
    struct Case {
        const char* damage;
        std::function<void(MapStore&)> apply;
        const char* expected;  // a part of the line that reports it
    } cases[] = {
        {"count over capacity", [](MapStore& m) { m.spriteCount = kMaxSprites + 1; },
         "spriteCount"},
        {"gap between ranges", [](MapStore& m) { m.sectors[1].wallptr = 5; }, "should start at 4"},
        {"range past the walls", [](MapStore& m) { m.sectors[6].wallnum = 5; }, "wallCount is"},
        {"empty sector", [](MapStore& m) { m.sectors[6].wallnum = 0; }, "wallnum 0"},
        {"open ring", [](MapStore& m) { m.walls[2].point2 = 0; }, "has point2"},
        {"one-wall loop",
         [](MapStore& m) {
             m.sectors[4].wallnum = 9;
             m.sectors[5].wallptr = 25;
             m.sectors[5].wallnum = 3;
             m.walls[24].point2 = 24;
             m.walls[27].point2 = 25;
         },
         "loop of its own"},
        {"one-way link", [](MapStore& m) { m.walls[m.walls[1].nextwall].nextwall = -1; },
         "but wall"},
        {"link to no wall", [](MapStore& m) { m.walls[1].nextwall = 999; }, "names no other wall"},
        {"wrong nextsector", [](MapStore& m) { m.walls[1].nextsector = 3; }, "nextsector 3"},
        {"sector without wall", [](MapStore& m) { m.walls[0].nextsector = 2; }, "without nextwall"},
        {"twins apart", [](MapStore& m) { m.walls[1].x += 1; }, "same points"},
        {"stale wall sector", [](MapStore& m) { m.wallSector[9] = 0; }, "wallSector[9]"},
        {"sprite sector", [](MapStore& m) { m.sprites[1].sectnum = 7; }, "sprite 1"},
        {"selection count", [](MapStore& m) { m.wallSelected[3] = 1; }, "wallSelected: 1 flags"},
        {"flag above count", [](MapStore& m) { m.spriteSelected[3] = 1; }, "above the count"},
    };
    for (const auto& c : cases) {
        auto map = std::make_unique<MapStore>();
        builderMap(*map);
        c.apply(*map);
        const std::string report = describeViolations(checkMapInvariants(*map));
        EXPECT_NE(report.find(c.expected), std::string::npos) << c.damage << ":\n" << report;
    }
}

}  // namespace
}  // namespace korvel::test
