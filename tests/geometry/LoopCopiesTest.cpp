#include "geometry/LoopCopies.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>

#include "geometry/OutlineFeed.h"
#include "support/MapBuilder.h"
#include "support/MapInvariants.h"
#include "support/RecordingMapEvents.h"
#include "map/Selection.h"

namespace korvel::test {
namespace {

struct Fixture {
    std::unique_ptr<MapStore> owned = std::make_unique<MapStore>();
    MapStore& map = *owned;
    MapBuilder build{map};
    RecordingMapEvents events;

    void expectSound(const std::string& what) const {
        const auto v = checkMapInvariants(map);
        EXPECT_TRUE(v.empty()) << what << "\n" << describeViolations(v);
    }
};

int64_t area(const MapStore& map, int32_t s) {
    return int64_t(sectorDoubleArea(map, s) / 2);
}

// A room with a hole, linked to a neighbour on its right and to an island in its hole.
void roomWithNeighbours(Fixture& f) {
    f.build.addRoom(0, 0, 1024, 1024);
    f.build.addRectHole(256, 256, 512, 512);
    f.build.addRoom(1024, 0, 2048, 1024);
    f.build.addRoom(256, 256, 512, 512);
    f.build.link();
    f.map.walls[1].picnum = 42;
}

TEST(LoopCopies, ReversingTwiceRestoresAndTwinsStayLinked) {
    for (const int32_t start : {0, 2, 4, 6}) {  // 4..7 is the hole: any of its walls stands for it
        Fixture f;
        roomWithNeighbours(f);
        const auto before = std::make_unique<MapStore>(f.map);
        ASSERT_TRUE(reverseLoop(f.map, f.events, start));
        f.expectSound("once");
        EXPECT_NE(recordDifference(*before, f.map), "") << start;
        ASSERT_TRUE(reverseLoop(f.map, f.events, start));
        f.expectSound("twice");
        EXPECT_EQ(recordDifference(*before, f.map), "") << start;
    }
}

TEST(LoopCopies, ReverseSectorKeepsTheFirstEdgeAndItsLinks) {
    Fixture f;
    roomWithNeighbours(f);
    const int32_t firstPic = f.map.walls[0].picnum = 7;
    f.map.walls[5].extra = -32768;  // a value another wall may hold
    ASSERT_TRUE(reverseSector(f.map, f.events, 0));
    f.expectSound("reversed sector");
    const WallRecord& w0 = f.map.walls[f.map.sectors[0].wallptr];
    const WallRecord& w1 = f.map.walls[w0.point2];
    EXPECT_EQ(w0.x, 1024);  // the edge (0,0)-(1024,0), now running back
    EXPECT_EQ(w1.x, 0);
    EXPECT_EQ(w0.picnum, firstPic);
    int32_t linked = 0;
    for (int32_t w = 0; w < f.map.wallCount; ++w) linked += f.map.walls[w].nextwall >= 0;
    EXPECT_EQ(linked, 0);  // every twin now runs the same way: nothing links
}

TEST(LoopCopies, ExtractAndCloneKeepGeometry) {
    Fixture f;
    roomWithNeighbours(f);
    f.build.addSprite(100, 100, 0, 0);
    f.build.addSprite(900, 900, 0, 0);
    f.build.addSprite(1500, 500, 0, 1);
    const int64_t room = area(f.map, 0);
    ASSERT_TRUE(cloneSector(f.map, f.events, 0));
    EXPECT_EQ(f.map.sectorCount, 4);
    EXPECT_EQ(area(f.map, 3), room);
    EXPECT_EQ(f.map.spriteCount, 5);
    EXPECT_EQ(f.map.sprites[3].sectnum, 3);
    EXPECT_EQ(f.map.sprites[4].sectnum, 3);
    f.expectSound("clone");

    // The hole becomes a sector of its own, stored as an outer loop.
    ASSERT_TRUE(extractLoop(f.map, f.events, 5));
    EXPECT_EQ(area(f.map, f.map.sectorCount - 1), 256 * 256);
    EXPECT_EQ(area(f.map, 0), 1024 * 1024);
    f.expectSound("extract");
}

TEST(LoopCopies, RefusalsAndHostileArguments) {
    Fixture f;
    roomWithNeighbours(f);
    const auto before = std::make_unique<MapStore>(f.map);
    EXPECT_FALSE(reverseLoop(f.map, f.events, -1));
    EXPECT_FALSE(reverseSector(f.map, f.events, 99));
    EXPECT_FALSE(extractLoop(f.map, f.events, 40000));
    EXPECT_FALSE(cloneSector(f.map, f.events, -3));
    EXPECT_FALSE(cloneSprite(f.map, f.events, 0));
    f.map.walls[2].point2 = 30000;  // a ring that leaves the block
    const auto damaged = std::make_unique<MapStore>(f.map);
    EXPECT_FALSE(reverseLoop(f.map, f.events, 0));
    EXPECT_FALSE(reverseSector(f.map, f.events, 0));
    EXPECT_FALSE(extractLoop(f.map, f.events, 0));
    EXPECT_EQ(snapshotDifference(*damaged, f.map), "");
    f.map.walls[2].point2 = 3;
    f.map.wallCount = kMaxWalls - 3;
    noteRecordExtent(f.map);
    const auto full = std::make_unique<MapStore>(f.map);
    EXPECT_FALSE(cloneSector(f.map, f.events, 0));
    EXPECT_EQ(snapshotDifference(*full, f.map), "");
    (void)before;
}

// A second outer loop in the last sector added.
void addOuterLoop(Fixture& f, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    const std::vector<IntPoint> r = rect(x1, y1, x2, y2);
    f.build.addHole({r.rbegin(), r.rend()});
}

void selectLoopOf(MapStore& map, int32_t w) {
    for (int32_t i : loopOf(map, w)) map.wallSelected[i] = 1;
    recountSelection(map);
    map.selectedLoopCount = 1;
}

// A damaged sector whose block claims to start before the first wall: wall 0 still belongs to
// it, and nothing before wall 0 is read while its selected loop is looked at.
TEST(LoopCopies, ExtractionOverABlockStartingBeforeTheFirstWallReadsNoWallBeforeIt) {
    for (const bool withHoles : {false, true}) {
        SCOPED_TRACE(withHoles);
        Fixture f;
        f.build.addRoom(0, 0, 1024, 1024);
        f.build.link();
        f.map.sectors[0].wallptr = -1;
        f.map.sectors[0].wallnum = 5;
        for (int32_t w = 0; w < 4; ++w) f.map.wallSelected[w] = 1;
        recountSelection(f.map);
        f.map.selectedLoopCount = 1;
        ASSERT_EQ(sectorOfWall(f.map, 0), 0);
        if (withHoles)
            extractSelLoopsWi(f.map, f.events);
        else
            extractSelLoops(f.map, f.events);
        EXPECT_LE(f.map.sectorCount, 2);
    }
}

int64_t totalArea(const MapStore& map) {
    int64_t sum = 0;
    for (int32_t s = 0; s < map.sectorCount; ++s) sum += area(map, s);
    return sum;
}

// Sector 0: a big square with two holes, a square beside it with one hole, all one sector.
void twoIslandSector(Fixture& f) {
    f.build.addRoom(0, 0, 1024, 1024);
    f.build.addRectHole(128, 128, 256, 256);
    f.build.addRectHole(512, 512, 768, 768);
    addOuterLoop(f, 2048, 0, 3072, 1024);
    f.build.addRectHole(2304, 256, 2560, 512);
    f.build.addRoom(2048, 2048, 2560, 2560);  // an unrelated room after it
    f.build.link();
    f.build.addSprite(900, 100, 0, 0);
}

TEST(LoopCopies, SelectedLoopsBecomeSectorsWithOrWithoutTheirHoles) {
    constexpr int64_t big = 1024 * 1024 - 128 * 128 - 256 * 256;
    constexpr int64_t beside = 1024 * 1024 - 256 * 256;
    struct Case {
        const char* name;
        bool withHoles;
        int32_t selectWall;  // a wall of the selected loop, not its first
        int64_t newArea, oldArea;
        int32_t newWalls;
    } cases[] = {
        {"outer alone", false, 2, 1024 * 1024, beside - 128 * 128 - 256 * 256, 4},
        {"outer with its holes", true, 2, big, beside, 12},
        {"hole alone", false, 5, 128 * 128, big + 128 * 128 + beside, 4},
        {"hole skipped with holes", true, 5, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Fixture f;
        twoIslandSector(f);
        selectLoopOf(f.map, c.selectWall);
        const int32_t sectors = f.map.sectorCount, selectedWalls = f.map.selectedWallCount;
        const int64_t total = totalArea(f.map);
        ASSERT_TRUE((c.withHoles ? extractSelLoopsWi : extractSelLoops)(f.map, f.events));
        f.expectSound(c.name);
        EXPECT_EQ(f.map.selectedLoopCount, 1);
        EXPECT_EQ(f.map.selectedWallCount, selectedWalls);
        const std::vector<int32_t> said = f.events.statusNumbers();
        EXPECT_NE(std::find(said.begin(), said.end(), 1196), said.end());
        if (c.newWalls == 0) {
            EXPECT_EQ(f.map.sectorCount, sectors);
            continue;
        }
        ASSERT_EQ(f.map.sectorCount, sectors + 1);
        const int32_t made = f.map.sectorCount - 1;
        EXPECT_EQ(f.map.sectors[made].wallnum, c.newWalls);
        EXPECT_EQ(area(f.map, made), c.newArea);
        EXPECT_EQ(area(f.map, 0), c.oldArea);
        if (c.withHoles) EXPECT_EQ(totalArea(f.map), total);
    }
}

TEST(LoopCopies, SplitIsolatedLoopsGivesEachOuterLoopItsHoles) {
    Fixture f;
    twoIslandSector(f);
    const int32_t sectors = f.map.sectorCount;
    const int64_t total = totalArea(f.map);
    ASSERT_TRUE(splitIsolatedLoops(f.map, f.events, 0));
    f.expectSound("split");
    ASSERT_EQ(f.map.sectorCount, sectors + 1);  // sector 0 went with its last loop
    EXPECT_EQ(totalArea(f.map), total);
    EXPECT_EQ(f.map.selectedSectorCount, 2);
    std::vector<int64_t> areas;
    for (int32_t s = 0; s < f.map.sectorCount; ++s)
        if (f.map.sectorSelected[s]) areas.push_back(area(f.map, s));
    std::sort(areas.begin(), areas.end());
    EXPECT_EQ(areas, (std::vector<int64_t>{1024 * 1024 - 128 * 128 - 256 * 256,
                                           1024 * 1024 - 256 * 256}));
    EXPECT_EQ(f.map.sprites[0].sectnum, f.map.sectorCount - 2);  // kept by the big square

    // One outer loop: nothing to split.
    const auto before = std::make_unique<MapStore>(f.map);
    ASSERT_TRUE(splitIsolatedLoops(f.map, f.events, 0));
    EXPECT_EQ(recordDifference(*before, f.map), "");
}

TEST(LoopCopies, ClonesTakeOverTheSelection) {
    Fixture f;
    roomWithNeighbours(f);
    for (int32_t k = 0; k < 3; ++k) f.build.addSprite(100 + 200 * k, 100, 0, 0);
    f.build.addSprite(1500, 500, 0, 1);
    const int64_t room = area(f.map, 0);

    f.map.sectorSelected[0] = 1;
    f.map.spriteSelected[3] = 1;  // in sector 1, which is not copied: only deselected
    recountSelection(f.map);
    ASSERT_TRUE(cloneSelectedSectors(f.map, f.events));
    f.expectSound("sectors");
    ASSERT_EQ(f.map.sectorCount, 4);
    EXPECT_EQ(area(f.map, 3), room);
    EXPECT_EQ(f.map.selectedSectorCount, 1);
    EXPECT_TRUE(f.map.sectorSelected[3]);
    ASSERT_EQ(f.map.spriteCount, 7);
    for (int32_t k = 4; k < 7; ++k) {
        EXPECT_EQ(f.map.sprites[k].sectnum, 3);
        EXPECT_TRUE(f.map.spriteSelected[k]);
    }
    EXPECT_EQ(f.map.selectedSpriteCount, 3);

    ASSERT_TRUE(cloneSelectedSprites(f.map, f.events));
    EXPECT_EQ(f.map.spriteCount, 10);
    EXPECT_EQ(f.map.selectedSpriteCount, 3);
    for (int32_t k = 0; k < 10; ++k) EXPECT_EQ(f.map.spriteSelected[k] != 0, k >= 7) << k;
    EXPECT_EQ(f.map.sprites[7].x, f.map.sprites[4].x);
    f.expectSound("sprites");
}

TEST(LoopCopies, ClonedLoopFollowsItsSourceUnlinked) {
    Fixture f;
    roomWithNeighbours(f);
    f.map.walls[5].picnum = 9;
    selectLoopOf(f.map, 5);  // the hole, linked to the island
    const int32_t islandFirst = f.map.sectors[2].wallptr;
    const int32_t linked = f.map.walls[islandFirst].nextwall;
    ASSERT_GE(linked, 4);
    ASSERT_TRUE(cloneSelectedLoops(f.map, f.events));
    f.expectSound("loop");
    EXPECT_EQ(f.map.wallCount, 20);
    EXPECT_EQ(f.map.sectors[0].wallnum, 12);
    EXPECT_EQ(f.map.walls[f.map.sectors[2].wallptr].nextwall, linked);  // the source keeps it
    for (int32_t w = 4; w < 12; ++w) {
        EXPECT_EQ(f.map.wallSelected[w] != 0, w >= 8) << w;
        if (w >= 8) {
            EXPECT_EQ(f.map.walls[w].nextwall, -1);
            EXPECT_EQ(f.map.walls[w].x, f.map.walls[w - 4].x);
        }
    }
    EXPECT_EQ(f.map.walls[9].picnum, 9);
    EXPECT_EQ(f.map.selectedWallCount, 4);
}

TEST(LoopCopies, SelectOppositeWallsCrossesOnlyToUnselectedTwins) {
    Fixture f;
    roomWithNeighbours(f);
    const int32_t shared = 1;  // room 0's wall on x = 1024
    const int32_t twin = f.map.walls[shared].nextwall;
    ASSERT_GE(twin, 0);
    const int32_t island = f.map.sectors[2].wallptr;
    const int32_t islandTwin = f.map.walls[island].nextwall;
    struct Case {
        std::vector<int32_t> selected, expected;
    } cases[] = {
        {{shared}, {twin}},
        {{0}, {0}},  // one-sided
        {{shared, twin}, {shared, twin}},
        {{shared, island, 2}, {twin, islandTwin, 2}},
    };
    for (const Case& c : cases) {
        deselectWalls(f.map);
        for (int32_t w : c.selected) f.map.wallSelected[w] = 1;
        recountSelection(f.map);
        selectOppositeWalls(f.map);
        std::vector<int32_t> got;
        for (int32_t w = 0; w < f.map.wallCount; ++w)
            if (f.map.wallSelected[w]) got.push_back(w);
        std::vector<int32_t> want = c.expected;
        std::sort(want.begin(), want.end());
        EXPECT_EQ(got, want);
        EXPECT_EQ(f.map.selectedWallCount, int32_t(want.size()));
    }
}

TEST(LoopCopies, SelectionCopiesAndExtractionsRefuseWithoutRoom) {
    struct Case {
        const char* name;
        int32_t spareWalls, spareSectors, spareSprites;
        std::function<bool(MapStore&, MapEvents&)> op;
    } cases[] = {
        {"loops", 3, 10, 10, cloneSelectedLoops},
        {"sectors walls", 19, 10, 10, cloneSelectedSectors},
        {"sectors", 100, 0, 10, cloneSelectedSectors},
        {"sectors sprites", 100, 10, 0, cloneSelectedSectors},
        {"sprites", 100, 10, 0, cloneSelectedSprites},
        {"extract", 3, 10, 10, extractSelLoops},
        {"extract sector", 100, 0, 10, extractSelLoopsWi},
        {"split", 3, 10, 10, [](MapStore& m, MapEvents& e) { return splitIsolatedLoops(m, e, 0); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Fixture f;
        twoIslandSector(f);
        selectLoopOf(f.map, 0);
        f.map.sectorSelected[0] = 1;
        f.map.spriteSelected[0] = 1;
        recountSelection(f.map);
        f.map.selectedLoopCount = 1;
        // Filler beyond the map's objects takes the room away.
        f.map.wallCount = kMaxWalls - c.spareWalls;
        f.map.sectorCount = kMaxSectors - c.spareSectors;
        f.map.spriteCount = kMaxSprites - c.spareSprites;
        for (int32_t s = 3; s < f.map.sectorCount; ++s) f.map.sectors[s] = f.map.sectors[1];
        for (int32_t k = 1; k < f.map.spriteCount; ++k) f.map.sprites[k].sectnum = -1;
        noteRecordExtent(f.map);
        const auto before = std::make_unique<MapStore>(f.map);
        EXPECT_FALSE(c.op(f.map, f.events));
        EXPECT_EQ(snapshotDifference(*before, f.map), "");
    }
}

TEST(LoopCopies, HostileArgumentsAreRefused) {
    Fixture f;
    roomWithNeighbours(f);
    const auto before = std::make_unique<MapStore>(f.map);
    for (const int32_t bad : {-1, 4, 99999}) {
        EXPECT_FALSE(splitIsolatedLoops(f.map, f.events, bad));
        EXPECT_FALSE(cloneLoop(f.map, f.events, bad * 10));
    }
    f.map.walls[6].nextwall = 30000;
    f.map.wallSelected[6] = 1;
    selectOppositeWalls(f.map);
    f.map.walls[6].nextwall = before->walls[6].nextwall;
    f.map.wallSelected[6] = 0;
    f.map.selectedWallCount = 0;
    EXPECT_EQ(snapshotDifference(*before, f.map), "");
}

}  // namespace
}  // namespace korvel::test
