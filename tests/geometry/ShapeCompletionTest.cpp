#include "geometry/ShapeCompletion.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "support/MapBuilder.h"
#include "support/MapInvariants.h"
#include "support/RecordingMapEvents.h"

namespace korvel::test {
namespace {

struct Polygon {
    std::vector<int32_t> xs, ys;
    explicit Polygon(const std::vector<IntPoint>& points) {
        for (IntPoint p : points) {
            xs.push_back(p.x);
            ys.push_back(p.y);
        }
    }
};

struct CompletionRig {
    std::unique_ptr<MapStore> map = std::make_unique<MapStore>();
    RecordingMapEvents events;
    MapBuilder build{*map};

    ShapeCompletion finish(const std::vector<IntPoint>& points, int32_t mode, int32_t target = -1,
                           bool link = true, HeightFilter heights = {}) {
        const Polygon p(points);
        DrawnShape shape;
        shape.xs = p.xs.data();
        shape.ys = p.ys.data();
        shape.count = int32_t(points.size());
        shape.drawMode = mode;
        shape.targetSector = target;
        shape.linkWalls = link;
        shape.heights = heights;
        return finishDrawnShape(*map, events, shape);
    }
    // The shoelace sum of the loop that starts at wall w.
    double loopSum(int32_t w) const {
        std::vector<int32_t> xs, ys;
        int32_t v = w;
        do {
            xs.push_back(map->walls[v].x);
            ys.push_back(map->walls[v].y);
            v = map->walls[v].point2;
        } while (v != w && xs.size() <= size_t(map->wallCount));
        return shoelaceSum(xs.data(), ys.data(), int32_t(xs.size()));
    }
    void expectSound() const { EXPECT_EQ(describeViolations(checkMapInvariants(*map)), ""); }
};

TEST(ShapeCompletion, ANewSectorIsStoredWithItsOuterLoopTurningOneWayWhicheverWayItWasDrawn) {
    const std::vector<IntPoint> clockwise = rect(0, 0, 256, 256);
    const std::vector<IntPoint> other(clockwise.rbegin(), clockwise.rend());
    for (int32_t mode : {DrawMode::Undecided, DrawMode::FreeSpace, DrawMode::FromVertex}) {
        for (const auto* drawn : {&clockwise, &other}) {
            SCOPED_TRACE(mode);
            CompletionRig r;
            const ShapeCompletion done = r.finish(*drawn, mode);
            EXPECT_TRUE(done.made && done.newSector);
            ASSERT_EQ(r.map->sectorCount, 1);
            EXPECT_LE(r.loopSum(0), 0);
            EXPECT_EQ(r.map->walls[0].x, (*drawn)[drawn == &clockwise ? 0 : 3].x);
            EXPECT_EQ(r.events.statusNumbers(), std::vector<int32_t>{718});
            r.expectSound();
            const WallRecord& w = r.map->walls[1];
            EXPECT_EQ(w.yrepeat, 8);
            EXPECT_EQ(w.xrepeat, 2);  // squared: 256 long
            EXPECT_EQ(w.extra, -1);
            EXPECT_EQ(r.map->sectors[0].extra, -1);
        }
    }
    // The fed order is kept even when it turns the other way.
    CompletionRig r;
    EXPECT_TRUE(r.finish(other, DrawMode::FedSector).made);
    EXPECT_GT(r.loopSum(0), 0);
    EXPECT_EQ(r.map->walls[0].x, other[0].x);
}

TEST(ShapeCompletion, ASquareStartedInsideASectorBecomesAHoleOfIt) {
    const std::vector<IntPoint> square = rect(64, 64, 128, 128);
    const std::vector<IntPoint> other(square.rbegin(), square.rend());
    for (const auto* drawn : {&square, &other}) {
        CompletionRig r;
        r.build.addRoom(0, 0, 256, 256);
        r.build.link();
        const ShapeCompletion done = r.finish(*drawn, DrawMode::InsideSector, 0);
        EXPECT_TRUE(done.made);
        EXPECT_FALSE(done.newSector);
        EXPECT_EQ(r.map->sectorCount, 1);
        EXPECT_EQ(r.map->sectors[0].wallnum, 8);
        EXPECT_GT(r.loopSum(4), 0);
        ASSERT_EQ(r.events.status.size(), 1u);
        EXPECT_EQ(r.events.status[0].number, 717);
        EXPECT_EQ(r.events.status[0].args, std::vector<std::string>{"0"});
        // The hole's walls are copies of the sector's first wall.
        EXPECT_EQ(r.map->walls[5].picnum, 4);
        r.expectSound();
    }
}

TEST(ShapeCompletion, HeightsFollowTheFilterAndStayWithin32Bits) {
    struct Case {
        uint8_t mode;
        int32_t low, high;
        int32_t floor, ceiling;
    } const cases[] = {
        {0, 20000, 30000, 8192, -8192},
        {1, 20000, 30000, 20000, 3616},
        {1, 20000, 10000, 10000, -6384},
        {1, 0, 30000, 8192, -8192},
        {2, 20000, 30000, 36384, 20000},
        {2, -30000, -40000, -23616, -40000},
        {1, 2147483647, 2147483647, 2147483647, 2147467263},
        {1, -2147483647, -2147483647, -2147483647, INT32_MIN},
        {2, 2147483647, 2147483647, INT32_MAX, 2147483647},
        {2, -2147483647, 2147483647, 8192, -8192},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << int(c.mode) << " " << c.low << " " << c.high);
        CompletionRig r;
        r.finish(rect(0, 0, 64, 64), DrawMode::FreeSpace, -1, true, {c.mode, c.low, c.high});
        EXPECT_EQ(r.map->sectors[0].floorz, c.floor);
        EXPECT_EQ(r.map->sectors[0].ceilingz, c.ceiling);
    }
}

TEST(ShapeCompletion, ARoomDrawnAgainstANeighbourIsLinkedAndTakesItsAttributes) {
    for (bool link : {true, false}) {
        SCOPED_TRACE(link);
        CompletionRig r;
        r.build.addRoom(0, 0, 256, 256);
        r.build.link();
        SectorRecord& old = r.map->sectors[0];
        old.floorz = 4096;
        old.ceilingz = -12288;
        old.lotag = 7;
        old.floorpicnum = 77;
        for (int32_t w = 0; w < 4; ++w) {
            r.map->walls[w].picnum = 55;
            r.map->walls[w].shade = 9;
            r.map->walls[w].xpanning = 3;
        }
        // The room to the right, sharing the wall at x = 256.
        r.finish(rect(256, 0, 512, 256), DrawMode::FreeSpace, -1, link);
        r.expectSound();
        ASSERT_EQ(r.map->sectorCount, 2);
        const int32_t shared = 1;  // (256, 0) to (256, 256) in the old room
        if (!link) {
            for (int32_t w = 0; w < r.map->wallCount; ++w) EXPECT_EQ(r.map->walls[w].nextwall, -1);
            EXPECT_EQ(r.map->sectors[1].lotag, 0);
            EXPECT_EQ(r.map->walls[5].picnum, 0);
            continue;
        }
        const int32_t twin = r.map->walls[shared].nextwall;
        ASSERT_GE(twin, 4);
        EXPECT_EQ(r.map->walls[twin].nextwall, shared);
        EXPECT_EQ(r.map->walls[twin].nextsector, 0);
        EXPECT_EQ(r.map->walls[shared].nextsector, 1);
        const SectorRecord& made = r.map->sectors[1];
        EXPECT_EQ(made.floorz, 4096);
        EXPECT_EQ(made.ceilingz, -12288);
        EXPECT_EQ(made.lotag, 7);
        EXPECT_EQ(made.floorpicnum, 77);
        EXPECT_EQ(made.wallptr, 4);
        EXPECT_EQ(made.wallnum, 4);
        for (int32_t w = 4; w < 8; ++w) {
            EXPECT_EQ(r.map->walls[w].picnum, 55);
            EXPECT_EQ(r.map->walls[w].shade, 9);
            EXPECT_EQ(r.map->walls[w].xpanning, 0);
        }
    }
}

TEST(ShapeCompletion, ALoopAddedToAMiddleSectorMovesEverythingAfterIt) {
    CompletionRig r;
    r.build.addRoom(0, 0, 256, 256);
    r.build.addRoom(256, 0, 512, 256);
    r.build.addRoom(512, 0, 768, 256);
    r.build.link();
    // Flags on walls of the later sectors must move with them.
    r.map->wallSelected[9] = 1;
    r.map->vertexSelected[10] = 1;
    r.map->selectedWallCount = 1;
    r.map->selectedVertexCount = 1;
    r.map->wallIgnored[11] = 2;
    tagObjects(*r.map, 1000);
    auto before = std::make_unique<MapStore>(*r.map);

    const ShapeCompletion done = r.finish(rect(300, 50, 400, 150), DrawMode::FedFurtherLoop, 1);
    EXPECT_TRUE(done.made);
    r.expectSound();
    EXPECT_EQ(r.events.renumberings, 1);
    EXPECT_EQ(r.map->wallCount, 16);
    EXPECT_EQ(r.map->sectors[1].wallnum, 8);
    EXPECT_EQ(r.map->sectors[2].wallptr, 12);
    EXPECT_EQ(r.map->walls[13].point2, 14);
    // The shared wall between rooms 1 and 2 is still linked both ways.
    for (int32_t w = 0; w < r.map->wallCount; ++w) {
        const int32_t t = r.map->walls[w].nextwall;
        if (t >= 0) EXPECT_EQ(r.map->walls[t].nextwall, w);
    }
    EXPECT_EQ(r.map->wallSelected[13], 1);
    EXPECT_EQ(r.map->vertexSelected[14], 1);
    EXPECT_EQ(r.map->wallIgnored[15], 2);
    for (int32_t w = 8; w < 12; ++w) {
        EXPECT_EQ(r.map->wallSelected[w], 0);
        EXPECT_EQ(r.map->wallIgnored[w], 0);
        EXPECT_EQ(r.map->walls[w].picnum, 4);  // a copy of the first wall
    }
    EXPECT_EQ(describeViolations(checkTablesFollowObjects(*before, *r.map, 1000, false)), "");
}

TEST(ShapeCompletion, RefusalsLeaveTheMapByteForByte) {
    struct Case {
        const char* name;
        void (*prepare)(MapStore&);
        std::vector<IntPoint> points;
        int32_t mode, target, message;
    } const cases[] = {
        {"two corners", [](MapStore&) {}, {{0, 0}, {64, 0}}, DrawMode::FreeSpace, -1, 1349},
        {"the sectors are full", [](MapStore& m) { m.sectorCount = kMaxSectors; },
         rect(0, 0, 64, 64), DrawMode::FreeSpace, -1, 1337},
        {"no room for the walls", [](MapStore& m) { m.wallCount = kMaxWalls - 3; },
         rect(0, 0, 64, 64), DrawMode::FedSector, -1, 1335},
        {"a loop for a missing sector", [](MapStore&) {}, rect(0, 0, 64, 64),
         DrawMode::FedFurtherLoop, 5, 1339},
        {"a loop for sector -1", [](MapStore&) {}, rect(0, 0, 64, 64), DrawMode::InsideSector, -1,
         1339},
        {"a target whose walls run past the map", [](MapStore& m) { m.sectors[0].wallnum = 900; },
         rect(10, 10, 20, 20), DrawMode::FedFurtherLoop, 0, 1339},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CompletionRig r;
        r.build.addRoom(0, 0, 256, 256);
        r.build.link();
        c.prepare(*r.map);
        auto before = std::make_unique<MapStore>(*r.map);
        EXPECT_FALSE(r.finish(c.points, c.mode, c.target).made);
        EXPECT_EQ(contentDifference(*before, *r.map), "");
        EXPECT_EQ(r.events.statusNumbers(), std::vector<int32_t>{c.message});
    }
}

TEST(ShapeCompletion, FedCornersThatRepeatLeaveNoWallOfZeroLength) {
    CompletionRig r;
    r.build.addRoom(0, 0, 256, 256);
    r.build.link();
    const std::vector<IntPoint> fed = {{256, 0}, {512, 0}, {512, 0}, {512, 256}, {256, 256}};
    EXPECT_TRUE(r.finish(fed, DrawMode::FedSector).made);
    r.expectSound();
    EXPECT_EQ(r.map->sectors[1].wallnum, 4);
    // Three repeats of one corner leave two walls: the sector goes again.
    CompletionRig q;
    auto before = std::make_unique<MapStore>(*q.map);
    EXPECT_FALSE(q.finish({{0, 0}, {0, 0}, {0, 0}, {64, 64}}, DrawMode::FedSector).made);
    q.expectSound();
    EXPECT_EQ(q.map->sectorCount, 0);
}

TEST(ShapeCompletion, WithoutATargetTheShapeBecomesTheSelectedTargetOrRipsEverything) {
    struct Discard : ShapeFeed {
        void startLoop(FeedMode, int32_t, bool) override {}
        bool pressPoint(int32_t, int32_t) override { return true; }
        bool closeLoop() override { return false; }
        void batchBegin() override {}
        void batchEnd() override {}
        void holdLinks() override {}
        bool autoWallSquare() const override { return false; }
        bool pressDrawing(int32_t, int32_t) override { return false; }
        void dropDrawing() override {}
    } feed;
    for (int32_t target : {-2, -1, 7}) {
        CompletionRig r;
        r.build.addRoom(0, 0, 256, 256);
        r.build.addRoom(512, 0, 768, 256);
        r.map->sectorSelected[0] = 1;
        r.map->selectedSectorCount = 1;
        r.map->booleanTargetSector = target;
        EXPECT_EQ(runPendingBoolean(*r.map, r.events, feed, BooleanMode::Join, false),
                  BooleanOutcome::TargetSet);
        EXPECT_EQ(r.map->booleanTargetSector, 1);
        EXPECT_EQ(r.map->sectorSelected[0], 0);
        EXPECT_EQ(r.map->sectorSelected[1], 1);
        EXPECT_EQ(r.map->selectedSectorCount, 1);

        r.map->booleanTargetSector = target;
        EXPECT_EQ(runPendingBoolean(*r.map, r.events, feed, BooleanMode::Rip, true),
                  BooleanOutcome::RippedEverything);
        EXPECT_EQ(r.map->booleanTargetSector, -2);
    }
    // With a target the (stand-in) operation runs and its newest sector is the target: a rip
    // that cuts every sector first shows one progress step per other sector.
    CompletionRig r;
    r.build.addRoom(0, 0, 256, 256);
    r.build.addRoom(300, 0, 400, 100);
    r.build.addRoom(512, 0, 768, 256);
    r.map->booleanTargetSector = 0;
    runPendingBoolean(*r.map, r.events, feed, BooleanMode::Rip, true);
    EXPECT_EQ(r.events.progressSteps, 1);
    EXPECT_EQ(r.map->booleanTargetSector, 2);
}

}  // namespace
}  // namespace korvel::test
