// The sector split, the boolean operations and the rips, run on the editor's own shape feed:
// their results (sector counts, exact areas, links), their refusals (the map byte for byte as
// before) and their invariants.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <random>
#include <tuple>

#include "commands/CommandTable.h"
#include "editing/DrawingTool.h"
#include "editing/LinearCutTool.h"
#include "geometry/LineOfSight.h"
#include "geometry/LinearCutter.h"
#include "geometry/LoopCopies.h"
#include "geometry/OutlineFeed.h"
#include "geometry/SectorBooleans.h"
#include "geometry/SectorRips.h"
#include "geometry/SectorSplit.h"
#include "map/UndoSnapshot.h"
#include "map/WallTables.h"
#include "support/DrawingRig.h"
#include "support/MapBuilder.h"
#include "support/MapInvariants.h"

namespace korvel::test {
namespace {

int64_t area(const MapStore& map, int32_t s) {
    return int64_t(sectorDoubleArea(map, s) / 2);
}

int64_t totalArea(const MapStore& map) {
    int64_t sum = 0;
    for (int32_t s = 0; s < map.sectorCount; ++s) sum += area(map, s);
    return sum;
}

int32_t twoSidedWalls(const MapStore& map) {
    int32_t n = 0;
    for (int32_t w = 0; w < map.wallCount; ++w) n += map.walls[w].nextwall >= 0;
    return n;
}

// The wall of sector s (or any sector, s = -1) that starts at p.
int32_t wallAt(const MapStore& map, IntPoint p, int32_t s = -1) {
    for (int32_t w = 0; w < map.wallCount; ++w)
        if (map.walls[w].x == p.x && map.walls[w].y == p.y && (s < 0 || sectorOfWall(map, w) == s))
            return w;
    return -1;
}

void expectSound(const MapStore& map, const std::string& what) {
    const auto v = checkMapInvariants(map);
    EXPECT_TRUE(v.empty()) << what << "\n" << describeViolations(v);
}

struct Rig : DrawingRig {
    MapStore& map = ed->map;
    MapBuilder build{map};
    DrawingToolFeed feed{*ed};
    MapEvents& events = ed->events;

    bool split(const std::vector<IntPoint>& path, int32_t s = 0) {
        std::vector<int32_t> xs, ys;
        for (IntPoint p : path) {
            xs.push_back(p.x);
            ys.push_back(p.y);
        }
        const int32_t a = wallAt(map, path.back(), s), b = wallAt(map, path.front(), s);
        const SplitPath sp{xs.data(), ys.data(), int32_t(path.size()) - 1};
        if (allowSectorSplit(map, sp, a, b, false, false) == SplitState::Refused) return false;
        return splitSector(map, events, feed, sp, a, b);
    }
};

SplitState allowed(const MapStore& map, const std::vector<IntPoint>& path, bool eitherSide,
                   bool skipEdgeTest) {
    std::vector<int32_t> xs, ys;
    for (IntPoint p : path) {
        xs.push_back(p.x);
        ys.push_back(p.y);
    }
    const int32_t a = wallAt(map, path.back()), b = wallAt(map, path.front());
    return allowSectorSplit(map, {xs.data(), ys.data(), int32_t(path.size()) - 1}, a, b, eitherSide,
                            skipEdgeTest);
}

// An L-shaped room: the corner (256, 256) is reflex.
const std::vector<IntPoint> kEll{{0, 0}, {512, 0}, {512, 256}, {256, 256}, {256, 512}, {0, 512}};

TEST(SectorSplit, AllowRulesOnSquaresAndConcaveRooms) {
    struct Case {
        const char* what;
        std::vector<IntPoint> room;
        std::vector<IntPoint> path;
        bool eitherSide, skipEdgeTest;
        SplitState expected;
    };
    const std::vector<IntPoint> square = rect(0, 0, 256, 256);
    const std::vector<Case> cases = {
        {"diagonal", square, {{0, 0}, {256, 256}}, false, false, SplitState::SplitsSector},
        {"adjacent corners, one segment",
         square,
         {{0, 0}, {256, 0}},
         false,
         false,
         SplitState::Refused},
        {"adjacent corners through the inside",
         square,
         {{0, 0}, {128, 64}, {256, 0}},
         false,
         false,
         SplitState::SplitsSector},
        {"adjacent corners round the outside",
         square,
         {{0, 0}, {128, -64}, {256, 0}},
         false,
         false,
         SplitState::Refused},
        {"retracing a wall",
         square,
         {{0, 0}, {256, 0}, {256, 256}},
         false,
         false,
         SplitState::Refused},
        {"retracing allowed by skipEdgeTest",
         square,
         {{0, 0}, {256, 0}, {256, 256}},
         false,
         true,
         SplitState::SplitsSector},
        {"concave: outside between two corners",
         kEll,
         {{512, 256}, {256, 512}},
         false,
         false,
         SplitState::Refused},
        {"concave: outside, both ends leaving, eitherSide",
         kEll,
         {{512, 256}, {256, 512}},
         true,
         false,
         SplitState::SplitsSector},
        {"concave: inside cut from the reflex corner",
         kEll,
         {{256, 256}, {0, 0}},
         false,
         false,
         SplitState::SplitsSector},
        {"crossing a wall",
         kEll,
         {{512, 0}, {700, 384}, {100, 384}, {0, 512}},
         true,
         false,
         SplitState::Refused},
        {"through a vertex touching it only",
         kEll,
         {{512, 0}, {0, 512}},
         false,
         false,
         SplitState::SplitsSector},
        {"through a touched vertex, never with eitherSide",
         kEll,
         {{512, 0}, {0, 512}},
         true,
         false,
         SplitState::Refused},
    };
    for (const Case& c : cases) {
        auto owned = std::make_unique<MapStore>();
        MapStore& map = *owned;
        MapBuilder(map).addSector(c.room);
        updateWallSectnums(map);
        EXPECT_EQ(allowed(map, c.path, c.eitherSide, c.skipEdgeTest), c.expected) << c.what;
    }
}

TEST(SectorSplit, JoiningAHoleChecksItsWallsAndSplitsNothing) {
    auto owned = std::make_unique<MapStore>();
    MapStore& map = *owned;
    MapBuilder b(map);
    b.addRoom(0, 0, 512, 512);
    b.addRectHole(128, 128, 384, 384);
    updateWallSectnums(map);
    EXPECT_EQ(allowed(map, {{128, 128}, {0, 0}}, false, false), SplitState::JoinsLoops);
    // Out through the hole's inside: the midpoint lies outside the sector.
    EXPECT_EQ(allowed(map, {{128, 128}, {384, 384}}, false, false), SplitState::Refused);
}

TEST(SectorSplit, PartsSumToTheOldSectorAndTakeItsAttributes) {
    struct Case {
        const char* what;
        bool hole;
        std::vector<IntPoint> path;
        int32_t sectors;
        int32_t message;
    };
    const std::vector<Case> cases = {
        {"diagonal", false, {{0, 0}, {512, 512}}, 2, kMsgSectorSplit},
        {"bent path", false, {{512, 0}, {256, 192}, {0, 512}}, 2, kMsgSectorSplit},
        {"hole opened into the outer loop", true, {{128, 128}, {0, 0}}, 1, kMsgSectorReshaped},
        {"split beside the hole", true, {{512, 0}, {448, 256}, {512, 512}}, 2, kMsgSectorSplit},
        {"closed path round an island",
         false,
         {{0, 0}, {128, 64}, {256, 256}, {64, 128}, {0, 0}},
         2,
         kMsgSectorSplit},
        {"closed path the other way",
         false,
         {{0, 0}, {64, 128}, {256, 256}, {128, 64}, {0, 0}},
         2,
         kMsgSectorSplit},
    };
    for (const Case& c : cases) {
        Rig r;
        r.build.addRoom(-1024, 0, -512, 512);  // a sector before, to see nothing else changes
        r.build.addRoom(0, 0, 512, 512);
        if (c.hole) r.build.addRectHole(128, 128, 384, 384);
        r.build.link();
        r.map.sectors[1].floorpicnum = 77;
        r.map.walls[r.map.sectors[1].wallptr].picnum = 55;
        const int64_t before = area(r.map, 1);
        ASSERT_TRUE(r.split(c.path, 1)) << c.what;
        ASSERT_EQ(r.map.sectorCount, 1 + c.sectors) << c.what;
        int64_t sum = 0;
        for (int32_t s = 1; s < r.map.sectorCount; ++s) {
            sum += area(r.map, s);
            EXPECT_GT(area(r.map, s), 0) << c.what;
            EXPECT_EQ(r.map.sectors[s].floorpicnum, 77) << c.what;
        }
        EXPECT_EQ(sum, before) << c.what;
        EXPECT_EQ(area(r.map, 0), 512 * 512) << c.what;
        EXPECT_EQ(r.status().substr(0, 4), std::to_string(c.message) + ":") << c.what;
        expectSound(r.map, c.what);
        if (c.sectors == 2) EXPECT_GE(twoSidedWalls(r.map), 2) << c.what;
        EXPECT_EQ(r.ed->tool.currentTool, Tool::Idle) << c.what;
    }
}

TEST(SectorSplit, AClosedPathRoundAnIslandKeepsTheHolesWhereTheyLie) {
    Rig r;
    r.build.addRoom(0, 0, 1024, 1024);
    r.build.addRectHole(200, 200, 264, 264);  // inside the island
    r.build.addRectHole(768, 768, 832, 832);  // outside it
    r.build.link();
    ASSERT_TRUE(r.split({{0, 0}, {600, 100}, {600, 600}, {100, 600}, {0, 0}}));
    ASSERT_EQ(r.map.sectorCount, 2);
    std::vector<int64_t> areas{area(r.map, 0), area(r.map, 1)};
    std::sort(areas.begin(), areas.end());
    EXPECT_EQ(areas[0], 300000 - 64 * 64);
    EXPECT_EQ(areas[1], 1024 * 1024 - 300000 - 64 * 64);
    expectSound(r.map, "island");
}

TEST(SectorSplit, RefusalsLeaveTheMapByteForByte) {
    Rig r;
    r.build.addRoom(0, 0, 512, 512);
    r.build.addRoom(512, 0, 1024, 512);
    r.build.link();
    const auto beforeCopy = std::make_unique<MapStore>(r.map);
    const MapStore& before = *beforeCopy;
    const std::vector<int32_t> xs{0, 256, 0}, ys{0, 0, 0};
    const auto trySplit = [&](SplitPath p, int32_t a, int32_t b) {
        EXPECT_FALSE(splitSector(r.map, r.events, r.feed, p, a, b));
        EXPECT_EQ(snapshotDifference(before, r.map), "");
    };
    trySplit({xs.data(), ys.data(), 0}, 0, 2);       // no segment
    trySplit({xs.data(), ys.data(), 2}, 0, 0);       // closed path of area 0
    trySplit({xs.data(), ys.data(), 1}, 0, 5);       // walls of two sectors
    trySplit({xs.data(), ys.data(), 1}, -1, 99999);  // no such walls
    trySplit({nullptr, nullptr, 1}, 0, 2);           // no path
    EXPECT_EQ(allowSectorSplit(r.map, {xs.data(), ys.data(), 1}, 0, 40000, false, false),
              SplitState::Refused);
}

TEST(SectorSplit, NoRoomForThePartsIsRefusedBeforeAnythingChanges) {
    Rig r;
    r.build.addRoom(0, 0, 512, 512);
    updateWallSectnums(r.map);
    const std::vector<int32_t> xs{0, 512}, ys{0, 512};
    const SplitPath path{xs.data(), ys.data(), 1};
    // A split of a 4-wall sector along one segment needs 4 + 2 x 2 walls and 2 sectors.
    for (const auto& [walls, sectors, ok] : std::vector<std::tuple<int32_t, int32_t, bool>>{
             {kMaxWalls - 8, 1, true}, {kMaxWalls - 7, 1, false}, {4, kMaxSectors - 1, false}}) {
        Rig big;
        big.build.addRoom(0, 0, 512, 512);
        updateWallSectnums(big.map);
        big.map.wallCount = walls;
        big.map.sectorCount = sectors;
        noteRecordExtent(big.map);
        const auto beforeCopy = std::make_unique<MapStore>(big.map);
        const MapStore& before = *beforeCopy;
        EXPECT_EQ(splitSector(big.map, big.events, big.feed, path, 2, 0), ok) << walls;
        if (!ok) EXPECT_EQ(snapshotDifference(before, big.map), "") << walls;
    }
}

// Three 512-unit squares, each pair in its own place: a corner overlap, a shared wall, nested
// with and without contact.
struct Pair {
    const char* what;
    std::vector<IntPoint> a, b;
    int64_t common;
};
const std::vector<Pair> kPairs = {
    {"corner overlap", rect(0, 0, 512, 512), rect(256, 256, 768, 768), 256 * 256},
    {"shared wall", rect(0, 0, 512, 512), rect(512, 0, 1024, 512), 0},
    {"nested, touching one edge", rect(0, 0, 1024, 1024), rect(0, 256, 512, 768), 512 * 512},
    {"nested, no contact", rect(0, 0, 1024, 1024), rect(256, 256, 768, 768), 512 * 512},
    {"disjoint", rect(0, 0, 512, 512), rect(1024, 0, 1536, 512), 0},
};

int64_t rectArea(const std::vector<IntPoint>& r) {
    return int64_t(r[1].x - r[0].x) * (r[2].y - r[1].y);
}

// What each operation leaves, summed over the sectors it made.
int64_t expectedArea(BooleanKind kind, int64_t a, int64_t b, int64_t common, bool lowFirst) {
    switch (kind) {
        case BooleanKind::Join:
            return a + b - common;
        case BooleanKind::Intersect:
            return common;
        case BooleanKind::SubtractAB:
            return (lowFirst ? a : b) - common;
        case BooleanKind::SubtractBA:
            return (lowFirst ? b : a) - common;
    }
    return -1;
}

TEST(SectorBooleans, EveryVariantOnTheTypicalPairsInBothOrders) {
    for (const Pair& p : kPairs)
        for (BooleanKind kind : {BooleanKind::Join, BooleanKind::Intersect, BooleanKind::SubtractAB,
                                 BooleanKind::SubtractBA})
            for (bool lowFirst : {true, false}) {
                Rig r;
                r.build.addRoom(-4096, 0, -3584, 512);  // a bystander, kept as it is
                r.build.addSector(p.a);
                r.build.addSector(p.b);
                r.build.link();
                r.map.sectors[lowFirst ? 1 : 2].ceilingpicnum = 321;
                const int32_t a = lowFirst ? 1 : 2, b = lowFirst ? 2 : 1;
                const std::string what = std::string(p.what) + " kind " +
                                         std::to_string(int(kind)) + (lowFirst ? "" : " swapped");
                const BooleanResult res = combineSectors(r.map, r.events, r.feed, kind, a, b);
                const int64_t want =
                    expectedArea(kind, rectArea(p.a), rectArea(p.b), p.common, true);
                // The operands go either way; what is left beside the bystander is the result.
                EXPECT_EQ(area(r.map, 0), 512 * 512) << what;
                EXPECT_EQ(totalArea(r.map) - 512 * 512, want) << what;
                EXPECT_EQ(res == BooleanResult::Made, want > 0 && r.map.sectorCount == 2) << what;
                if (res == BooleanResult::Made)
                    EXPECT_EQ(r.map.sectors[1].ceilingpicnum, 321) << what;
                expectSound(r.map, what);
                EXPECT_EQ(r.ed->tool.currentTool, Tool::Idle) << what;
            }
}

TEST(SectorBooleans, RefusalsLeaveTheMapByteForByte) {
    Rig r;
    r.build.addRoom(0, 0, 512, 512);
    r.build.addRoom(256, 256, 768, 768);
    r.build.link();
    const auto beforeCopy = std::make_unique<MapStore>(r.map);
    const MapStore& before = *beforeCopy;
    for (auto [a, b] :
         std::vector<std::pair<int32_t, int32_t>>{{0, 0}, {1, 1}, {-1, 0}, {0, 2}, {4096, 1}}) {
        EXPECT_FALSE(joinSectors(r.map, r.events, r.feed, a, b)) << a << "," << b;
        EXPECT_FALSE(ripSectors(r.map, r.events, r.feed, a, b)) << a << "," << b;
        EXPECT_EQ(snapshotDifference(before, r.map), "") << a << "," << b;
    }
    // No room for the crossing vertices: one wall short.
    r.map.wallCount = kMaxWalls - 1;
    noteRecordExtent(r.map);
    const auto fullCopy = std::make_unique<MapStore>(r.map);
    const MapStore& full = *fullCopy;
    EXPECT_FALSE(joinSectors(r.map, r.events, r.feed, 0, 1));
    EXPECT_EQ(snapshotDifference(full, r.map), "");
}

TEST(SectorBooleans, InsertCrossingVerticesTouchesOnlyWhatItMay) {
    for (bool keepSecond : {false, true}) {
        auto owned = std::make_unique<MapStore>();
        MapStore& map = *owned;
        SilentMapEvents events;
        MapBuilder(map).addRoom(0, 0, 512, 512);
        MapBuilder(map).addRoom(256, 256, 768, 768);
        updateWallSectnums(map);
        insertCrossingVertices(map, events, 0, 1, keepSecond ? 1 : 0);
        EXPECT_EQ(map.sectors[0].wallnum, 6) << keepSecond;
        EXPECT_EQ(map.sectors[1].wallnum, keepSecond ? 4 : 6) << keepSecond;
        EXPECT_EQ(area(map, 0), 512 * 512);
        EXPECT_EQ(area(map, 1), 512 * 512);
        expectSound(map, "crossings");
    }
}

TEST(SectorBooleans, SeededRectanglesKeepTheAreaIdentities) {
    constexpr uint32_t kSeed = 2024;
    std::mt19937 gen(kSeed);
    std::uniform_int_distribution<int32_t> cell(0, 8), size(1, 6), coin(0, 3);
    enum Kind { Shared, Corner, Nested, NestedTouching, Disjoint, Other, KindCount };
    int32_t seen[KindCount] = {};
    Rig r;  // one editor for every case: the map is put in place before each
    for (int32_t round = 0; round < 60; ++round) {
        const auto pick = [&] {
            const int32_t x = cell(gen) * 64, y = cell(gen) * 64;
            return std::array<int32_t, 4>{x, y, x + size(gen) * 64, y + size(gen) * 64};
        };
        const auto ra = pick();
        auto rb = pick();
        if (coin(gen) == 0) {  // now and then one inside the other, so nesting occurs
            rb = {ra[0], ra[1], ra[0] + 64 * (1 + coin(gen)), ra[1] + 64 * (1 + coin(gen))};
            const int32_t shift = 64 * coin(gen);
            rb = {rb[0] - shift, rb[1] - shift, rb[2] + 256 + shift, rb[3] + 256 + shift};
        }
        const int64_t ix = std::max(0, std::min(ra[2], rb[2]) - std::max(ra[0], rb[0]));
        const int64_t iy = std::max(0, std::min(ra[3], rb[3]) - std::max(ra[1], rb[1]));
        const int64_t common = ix * iy;
        const auto inside = [](auto p, auto q) {
            return p[0] >= q[0] && p[1] >= q[1] && p[2] <= q[2] && p[3] <= q[3];
        };
        const bool nested = inside(ra, rb) || inside(rb, ra);
        const bool touching = std::min(ra[2], rb[2]) == std::max(ra[0], rb[0]) ||
                              std::min(ra[3], rb[3]) == std::max(ra[1], rb[1]);
        const bool shared = touching && (ix > 0 || iy > 0);
        const bool edgeContact =
            ra[0] == rb[0] || ra[1] == rb[1] || ra[2] == rb[2] || ra[3] == rb[3];
        Kind k = Other;
        if (nested)
            k = edgeContact ? NestedTouching : Nested;
        else if (shared)
            k = Shared;
        else if (touching)
            k = Corner;
        else if (common == 0)
            k = Disjoint;
        ++seen[k];
        const int64_t areaA = int64_t(ra[2] - ra[0]) * (ra[3] - ra[1]),
                      areaB = int64_t(rb[2] - rb[0]) * (rb[3] - rb[1]);
        clearMapRecords(r.map);
        resetMapState(r.map);
        r.build.addRoom(ra[0], ra[1], ra[2], ra[3]);
        r.build.addRoom(rb[0], rb[1], rb[2], rb[3]);
        r.build.link();
        const auto base = std::make_unique<MapContent>(r.map);
        for (BooleanKind kind : {BooleanKind::Join, BooleanKind::Intersect, BooleanKind::SubtractAB,
                                 BooleanKind::SubtractBA})
            for (bool swapped : {false, true}) {
                static_cast<MapContent&>(r.map) = *base;
                const std::string what = "seed " + std::to_string(kSeed) + " round " +
                                         std::to_string(round) + " kind " +
                                         std::to_string(int(kind)) + (swapped ? " swapped" : "");
                combineSectors(r.map, r.events, r.feed, kind, swapped ? 1 : 0, swapped ? 0 : 1);
                EXPECT_EQ(totalArea(r.map), expectedArea(kind, areaA, areaB, common, true)) << what;
                expectSound(r.map, what);
            }
    }
    for (int32_t k = 0; k < Other; ++k) EXPECT_GT(seen[k], 0) << "kind " << k << " never occurred";
}

TEST(SectorBooleans, JoinSelectedSectorsJoinsThemAllAndSelectsTheResult) {
    Rig r;
    r.build.addRoom(0, 0, 512, 512);
    r.build.addRoom(256, 0, 768, 512);
    r.build.addRoom(2048, 0, 2560, 512);  // not selected
    r.build.addRoom(640, 256, 1024, 768);
    r.build.link();
    for (int32_t s : {0, 1, 3}) r.map.sectorSelected[s] = 1;
    r.map.selectedSectorCount = 7;  // stale: recounted first
    EXPECT_TRUE(joinSelectedSectors(r.map, r.events, r.feed));
    ASSERT_EQ(r.map.sectorCount, 2);
    EXPECT_EQ(r.map.selectedSectorCount, 1);
    EXPECT_EQ(r.map.sectorSelected[1], 1);
    EXPECT_EQ(area(r.map, 1), 768 * 512 + 384 * 512 - 128 * 256);
    expectSound(r.map, "joined");
}

TEST(SectorRips, ARipAcrossTwoSectorsLeavesInsideAndOutsideParts) {
    constexpr int64_t kRoom = 512 * 512, kInside = 256 * 256;
    const auto threeRooms = [](Rig& r) {
        r.build.addRoom(0, 0, 512, 512);
        r.build.addRoom(512, 0, 1024, 512);
        r.build.addRoom(256, 128, 768, 384);  // the cutter, across both
        r.build.link();
    };
    Rig r;
    threeRooms(r);
    EXPECT_TRUE(ripSectors(r.map, r.events, r.feed, 0, 2));
    ASSERT_EQ(r.map.sectorCount, 3);  // the other room, then the inside and outside parts
    EXPECT_EQ(area(r.map, 0), kRoom);
    EXPECT_EQ(area(r.map, 1), kInside);
    EXPECT_EQ(area(r.map, 2), kRoom - kInside);
    expectSound(r.map, "rip");

    Rig m;
    threeRooms(m);
    EXPECT_TRUE(multiSectorRip(m.map, m.events, m.feed));
    ASSERT_EQ(m.map.sectorCount, 4);
    for (int32_t s = 0; s < 4; ++s)
        EXPECT_EQ(area(m.map, s), s % 2 == 0 ? kInside : kRoom - kInside) << s;
    expectSound(m.map, "multi rip");
    // The parts are linked to one another along the cutter's outline and the old shared wall.
    EXPECT_GE(twoSidedWalls(m.map), 8);
}

// Three 512-unit rooms in a row along x, sharing their walls.
void threeInARow(Rig& r) {
    r.build.addGrid(0, 0, 3, 1, 512);
    r.build.link();
}

TEST(LinearCutter, CutsAcrossRoomsKeepTheTotalAndShareTheirVertices) {
    struct Case {
        const char* what;
        CutSegment cut;
        bool bounded, verticesOnly;
        int32_t sectors;
    };
    const std::vector<Case> cases = {
        {"across all three, from outside to outside", {-100, 200, 1700, 300}, false, false, 6},
        {"starting inside the first room", {100, 200, 1700, 300}, false, false, 5},
        {"corner to corner through existing vertices", {256, -256, 1280, 768}, false, false, 4},
        {"Ctrl: vertices only", {-100, 200, 1700, 300}, false, true, 3},
    };
    for (const Case& c : cases) {
        Rig r;
        threeInARow(r);
        const int64_t before = totalArea(r.map);
        const int32_t wallsBefore = r.map.wallCount;
        EXPECT_TRUE(linearCutter(r.map, r.events, r.feed, c.cut, c.bounded, c.verticesOnly))
            << c.what;
        EXPECT_EQ(r.map.sectorCount, c.sectors) << c.what;
        EXPECT_EQ(totalArea(r.map), before) << c.what;
        if (c.verticesOnly) EXPECT_EQ(r.map.wallCount, wallsBefore + 6) << c.what;
        expectSound(r.map, c.what);
        // Every vertex on a shared wall is one vertex of both sides: no one-sided wall is left
        // inside the block of rooms.
        int32_t oneSided = 0;
        for (int32_t w = 0; w < r.map.wallCount; ++w) {
            const IntPoint p = wallStart(r.map, w);
            const IntPoint q = wallStart(r.map, r.map.walls[w].point2);
            const bool onBorder = (p.y == 0 && q.y == 0) || (p.y == 512 && q.y == 512) ||
                                  (p.x == 0 && q.x == 0) || (p.x == 1536 && q.x == 1536);
            oneSided += r.map.walls[w].nextwall < 0 && !onBorder;
        }
        EXPECT_EQ(oneSided, 0) << c.what;
        EXPECT_EQ(r.ed->tool.currentTool, Tool::Idle) << c.what;
    }
}

TEST(LinearCutter, ACutThatMeetsNothingChangesNothing) {
    Rig r;
    threeInARow(r);
    const auto beforeCopy = std::make_unique<MapStore>(r.map);
    const MapStore& before = *beforeCopy;
    EXPECT_FALSE(linearCutter(r.map, r.events, r.feed, {0, 2000, 1000, 2500}, false, false));
    EXPECT_EQ(snapshotDifference(before, r.map), "");
    EXPECT_EQ(r.status().substr(0, 5), "1386:");
}

TEST(LinearCutter, BoundedCutStopsAtTheFirstOuterWall) {
    Rig r;
    r.build.addRoom(0, 0, 512, 512);
    r.build.addRoom(1024, 0, 1536, 512);
    r.build.link();
    EXPECT_TRUE(linearCutter(r.map, r.events, r.feed, {256, -100, 1280, 612}, false, false));
    Rig b;
    b.build.addRoom(0, 0, 512, 512);
    b.build.addRoom(1024, 0, 1536, 512);
    b.build.link();
    // From inside the first room: the cut ends where it leaves that room.
    EXPECT_TRUE(linearCutter(b.map, b.events, b.feed, {100, 256, 1400, 256}, true, true));
    EXPECT_EQ(b.map.sectors[0].wallnum, 5);
    EXPECT_EQ(b.map.sectors[1].wallnum, 4);
    expectSound(b.map, "bounded");
}

TEST(LinearCutter, SplitWallsAtVerticesSplitsTheRemainingPieceToo) {
    auto owned = std::make_unique<MapStore>();
    MapStore& map = *owned;
    SilentMapEvents events;
    MapBuilder b(map);
    b.addRoom(0, 0, 1024, 512);
    b.addRoom(256, -512, 512, 0);  // corners (256, 0) and (512, 0) lie on the first room's wall
    b.link();
    const int32_t w = wallAt(map, {0, 0}, 0);
    map.wallSelected[w] = 1;
    map.selectedWallCount = 1;
    EXPECT_TRUE(splitWallsAtVertices(map, events, true));
    EXPECT_EQ(map.sectors[0].wallnum, 6);
    EXPECT_EQ(twoSidedWalls(map), 2);
    expectSound(map, "split walls");
}

TEST(LineOfSight, OpeningsHeightsAndDeadEnds) {
    auto owned = std::make_unique<MapStore>();
    MapStore& map = *owned;
    MapBuilder b(map);
    b.addGrid(0, 0, 3, 1, 512);
    b.link();
    for (int32_t s = 0; s < 3; ++s) {
        map.sectors[s].ceilingz = -8192;
        map.sectors[s].floorz = 8192;
    }
    struct Case {
        const char* what;
        int32_t middleFloor;
        double z1, z2;
        int32_t startSector;
        bool visible;
    };
    const std::vector<Case> cases = {
        {"level line through two openings", 8192, 0, 0, 0, true},
        {"raised floor in the middle blocks", -1000, 0, 0, 0, false},
        {"line passing above the raised floor", -1000, -4000, -4000, 0, true},
        {"start outside the map", 8192, 0, 0, 7, false},
    };
    for (const Case& c : cases) {
        map.sectors[1].floorz = c.middleFloor;
        EXPECT_EQ(scanLine(map, 100, 256, c.z1, c.startSector, 1400, 256, c.z2), c.visible)
            << c.what;
    }
    EXPECT_TRUE(scanLine(map, 100, 100, 0, 0, 400, 400, 0)) << "inside one sector";
    EXPECT_FALSE(scanLine(map, 100, 256, 0, 0, 100, 900, 0)) << "through a one-sided wall";
    map.walls[wallAt(map, {512, 0}, 0)].nextsector = 999;  // an exit leading nowhere
    map.walls[wallAt(map, {512, 512}, 0)].nextsector = 999;
    EXPECT_FALSE(scanLine(map, 100, 256, 0, 0, 1400, 256, 0));

    const SegmentFrame atB = toSegmentFrame(0, 0, 300, 400, 300, 400);
    EXPECT_EQ(atB.along, 500);
    EXPECT_EQ(atB.across, 0);
}

TEST(LineOfSight, SelfIntersectionOnConvexAndConcaveRooms) {
    auto owned = std::make_unique<MapStore>();
    MapStore& map = *owned;
    MapBuilder(map).addSector(kEll);
    updateWallSectnums(map);
    EXPECT_FALSE(isSelfIntersecting(map, wallAt(map, {0, 0}), wallAt(map, {256, 256}), 0));
    EXPECT_TRUE(isSelfIntersecting(map, wallAt(map, {512, 256}), wallAt(map, {0, 512}), 0));
}

// Through the editor's own presses, as a user would make them.
TEST(SectorOperationsEndToEnd, SplitJoinAndCutEachUndoneByTheSnapshot) {
    Rig r;
    threeInARow(r);
    r.ed->tool.selectionMode = SelectionMode::Sectors;
    const auto startCopy = std::make_unique<MapStore>(r.map);
    const MapStore& start = *startCopy;

    // Space from the middle room's corner (512, 0) through (768, 256) to (1024, 512).
    r.press(512, 0, 1);
    r.press(768, 256, 1);
    r.press(1024, 512, 1);
    ASSERT_EQ(r.map.sectorCount, 4);
    EXPECT_EQ(totalArea(r.map), 3 * 512 * 512);
    expectSound(r.map, "split by presses");
    ASSERT_EQ(r.map.undoState, UndoState::Snapshot);
    restoreUndo(r.map, r.ed->undo, r.ed->clipboard, r.ed->tool.selectionMode, r.events);
    EXPECT_EQ(recordDifference(start, r.map), "");

    // Two overlapping rooms selected, then J.
    Rig j;
    j.build.addRoom(0, 0, 512, 512);
    j.build.addRoom(256, 256, 768, 768);
    j.build.link();
    const auto twoRoomsCopy = std::make_unique<MapStore>(j.map);
    const MapStore& twoRooms = *twoRoomsCopy;
    j.map.sectorSelected[0] = j.map.sectorSelected[1] = 1;
    j.map.selectedSectorCount = 2;
    j.ed->app.currentPage = Page::PlanView;
    runCommand(*j.ed, CommandId::JoinSectorsCommand);
    ASSERT_EQ(j.map.sectorCount, 1);
    EXPECT_EQ(area(j.map, 0), 2 * 512 * 512 - 256 * 256);
    expectSound(j.map, "join by J");
    restoreUndo(j.map, j.ed->undo, j.ed->clipboard, j.ed->tool.selectionMode, j.events);
    EXPECT_EQ(recordDifference(twoRooms, j.map), "");

    // The linear cut tool across all three rooms.
    startLinearCutTool(*r.ed);
    r.press(-100, 200);
    r.press(1700, 300);
    EXPECT_EQ(r.map.sectorCount, 6);
    EXPECT_EQ(totalArea(r.map), 3 * 512 * 512);
    EXPECT_EQ(r.ed->tool.currentTool, Tool::LinearCut);
    expectSound(r.map, "cut by the tool");
    restoreUndo(r.map, r.ed->undo, r.ed->clipboard, r.ed->tool.selectionMode, r.events);
    EXPECT_EQ(recordDifference(start, r.map), "");
}

// The ambient state a fed operation must not see: each operation gives the same map whatever
// the page, the modifiers or the boolean-target mode, and puts the mode back.
TEST(SectorOperationsEndToEnd, AmbientStateDoesNotChangeTheResult) {
    const auto run = [](const std::function<void(Editor&)>& setUp) {
        Rig r;
        r.build.addRoom(0, 0, 512, 512);
        r.build.addRoom(256, 256, 768, 768);
        r.build.addRoom(1024, 0, 1536, 512);
        r.build.link();
        setUp(*r.ed);
        const Page page = r.ed->app.currentPage;
        const SelectionMode mode = r.ed->tool.selectionMode;
        joinSectors(r.map, r.events, r.feed, 0, 1);
        const std::vector<int32_t> xs{1024, 1536}, ys{0, 512};
        const int32_t a = wallAt(r.map, {1536, 512}), b = wallAt(r.map, {1024, 0});
        splitSector(r.map, r.events, r.feed, {xs.data(), ys.data(), 1}, a, b);
        linearCutter(r.map, r.events, r.feed, {-100, 100, 800, 100}, false, false);
        EXPECT_EQ(r.ed->app.currentPage, page);
        EXPECT_EQ(r.ed->tool.selectionMode, mode);
        return std::make_unique<MapStore>(r.map);
    };
    const auto reference = run([](Editor&) {});
    EXPECT_EQ(reference->sectorCount, 4);
    const std::vector<std::pair<const char*, std::function<void(Editor&)>>> states = {
        {"side view", [](Editor& ed) { ed.app.currentPage = Page::SideView; }},
        {"degenerate preview", [](Editor& ed) { ed.overlays.toolPreviewDegenerate = 1; }},
        {"boolean target with a target",
         [](Editor& ed) {
             ed.tool.selectionMode = SelectionMode::BooleanTarget;
             ed.map.booleanTargetSector = 2;
         }},
        {"Ctrl held", [](Editor& ed) { ed.dispatch.ctrlHeld = 1; }},
        {"Shift held", [](Editor& ed) { ed.dispatch.shiftHeld = 1; }},
        {"a shape tool armed", [](Editor& ed) { ed.tool.currentTool = Tool::Rectangle; }},
    };
    for (const auto& [what, setUp] : states) {
        const auto got = run(setUp);
        EXPECT_EQ(recordDifference(*reference, *got), "") << what;
    }
}

// High wall numbers: the operands' walls lie above index 24576 behind a sector of 28000 walls,
// and the results are those of a small map.
TEST(SectorOperationsLargeMap, HighWallNumbersGiveTheSmallMapsResults) {
    const auto build = [](Rig& r, bool large) {
        if (large) {
            std::vector<IntPoint> filler;
            for (int32_t i = 0; i < 27998; ++i) filler.push_back({i, -100000});
            filler.push_back({27998, -90000});
            filler.push_back({0, -90000});
            r.build.addSector(filler);
        }
        r.build.addRoom(0, 0, 512, 512);
        r.build.addRoom(256, 256, 768, 768);
        r.build.link();
    };
    for (bool split : {false, true}) {
        std::vector<int64_t> areas[2];
        for (bool large : {false, true}) {
            Rig r;
            build(r, large);
            const int32_t first = large ? 1 : 0;
            if (large) ASSERT_GT(r.map.sectors[first].wallptr, 24576);
            if (split) {
                const std::vector<int32_t> xs{0, 512}, ys{0, 512};
                ASSERT_TRUE(splitSector(r.map, r.events, r.feed, {xs.data(), ys.data(), 1},
                                        wallAt(r.map, {512, 512}, first),
                                        wallAt(r.map, {0, 0}, first)));
            } else {
                ASSERT_TRUE(joinSectors(r.map, r.events, r.feed, first, first + 1));
            }
            for (int32_t s = first; s < r.map.sectorCount; ++s)
                areas[large].push_back(area(r.map, s));
            expectSound(r.map, large ? "large" : "small");
        }
        EXPECT_EQ(areas[0], areas[1]) << (split ? "split" : "join");
    }
}

// Damaged maps: whatever a record holds, every operation ends, with no sanitizer finding.
TEST(SectorOperationsHostile, DamagedRecordsNeverCrashOrHang) {
    std::mt19937 gen(77);
    Rig r;
    for (int32_t round = 0; round < 40; ++round) {
        clearMapRecords(r.map);
        resetMapState(r.map);
        r.build.addGrid(0, 0, 2, 1, 512);
        r.build.addRoom(256, 128, 768, 384);
        r.build.addRectHole(300, 200, 400, 300);
        r.build.link();
        std::uniform_int_distribution<int32_t> anyWall(0, r.map.wallCount - 1), any(-5, 40);
        const int32_t far[] = {2147483000, -2147483000, 1 << 30};
        for (int32_t n = 0; n < 3; ++n) {
            WallRecord& w = r.map.walls[anyWall(gen)];
            switch (gen() % 6) {
                case 0:
                    w.point2 = int16_t(any(gen));
                    break;
                case 1:
                    w.nextwall = int16_t(any(gen));
                    break;
                case 2:
                    w.nextsector = int16_t(any(gen));
                    break;
                case 3:
                    w.x = far[gen() % 3];
                    break;
                case 4:
                    r.map.sectors[gen() % 3].wallptr = int16_t(any(gen));
                    break;
                default:
                    r.map.sectors[gen() % 3].wallnum = int16_t(any(gen));
                    break;
            }
        }
        const int32_t a = anyWall(gen), b = anyWall(gen);
        const std::vector<int32_t> xs{r.map.walls[b].x, 500, r.map.walls[a].x},
            ys{r.map.walls[b].y, 300, r.map.walls[a].y};
        switch (round % 8) {
            case 0:
                splitSector(r.map, r.events, r.feed, {xs.data(), ys.data(), 2}, a, b);
                break;
            case 1:
                joinSectors(r.map, r.events, r.feed, int32_t(gen() % 3), 2);
                break;
            case 2:
                subtractSectorsBA(r.map, r.events, r.feed, 0, int32_t(gen() % 3));
                break;
            case 3:
                ripSectors(r.map, r.events, r.feed, int32_t(gen() % 3), 2);
                break;
            case 4:
                multiSectorRip(r.map, r.events, r.feed);
                break;
            case 5:
                linearCutter(r.map, r.events, r.feed, {-100, 250, 1200, 260}, false, false);
                break;
            case 6:
                reverseSector(r.map, r.events, int32_t(gen() % 3));
                break;
            default:
                scanLine(r.map, 100, 100, 0, int32_t(gen() % 4), 900, 300, 0);
                break;
        }
    }
}

}  // namespace
}  // namespace korvel::test
