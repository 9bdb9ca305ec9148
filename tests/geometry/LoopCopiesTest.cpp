#include "geometry/LoopCopies.h"

#include <gtest/gtest.h>

#include <memory>

#include "geometry/OutlineFeed.h"
#include "support/MapBuilder.h"
#include "support/MapInvariants.h"
#include "support/RecordingMapEvents.h"

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

}  // namespace
}  // namespace korvel::test
