#include "geometry/Generators.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <vector>

#include "base/MessageNumbers.h"
#include "support/MapTestFixture.h"

namespace korvel::test {
namespace {

// Stands in for the polygon tool: keeps every loop fed and makes each closed one a plain
// sector, so that the tests see the corners and the heights the generator gave.
struct SectorFeed : ShapeFeed {
    explicit SectorFeed(MapBuilder& b) : build(b) {}
    void startLoop(FeedMode mode, int32_t target, bool) override {
        EXPECT_EQ(mode, FeedMode::NewSector);
        EXPECT_EQ(target, -1);
        loop.clear();
    }
    bool pressPoint(int32_t x, int32_t y) override {
        EXPECT_EQ(batch, 1) << "pressed outside the batch bracket";
        loop.push_back({x, y});
        return true;
    }
    bool closeLoop() override {
        loops.push_back(loop);
        if (refuseEvery > 0 && loops.size() % size_t(refuseEvery) == 0) return false;
        build.addSector(loop);
        return true;
    }
    void batchBegin() override { ++batch; }
    void batchEnd() override { --batch; }
    void holdLinks() override {}
    bool autoWallSquare() const override { return false; }
    bool pressDrawing(int32_t, int32_t) override {
        ADD_FAILURE() << "the generators feed closed loops only";
        return false;
    }
    void dropDrawing() override {}

    MapBuilder& build;
    std::vector<IntPoint> loop;
    std::vector<std::vector<IntPoint>> loops;
    int32_t batch = 0;
    int32_t refuseEvery = 0;
};

class GeneratorsTest : public MapTest {
protected:
    SectorFeed feed{build};
    // An empty map and no messages, for the next case of a table.
    void fresh() {
        clearMapRecords(map);
        resetMapState(map);
        m.events.status.clear();
    }
    std::vector<int32_t> statuses() const {
        std::vector<int32_t> n;
        for (const MessageRef& r : m.events.status) n.push_back(r.number);
        return n;
    }
};

TEST_F(GeneratorsTest, OneReelStripSpansTheBandFlatAtTheAxis) {
    const GeneratorResult r = buildReel(map, m.events, feed, {-512, 10000, 1, 100}, {0, 0},
                                        {1000, 0});
    EXPECT_EQ(r.piecesBuilt, 1);
    ASSERT_EQ(feed.loops.size(), 1u);
    // Clicked B', A', A, B: the first wall runs along the new edge.
    EXPECT_EQ(feed.loops[0], (std::vector<IntPoint>{{1000, 100}, {0, 100}, {0, -100}, {1000, -100}}));
    const SectorRecord& s = map.sectors[0];
    EXPECT_EQ(s.floorz, -512);
    EXPECT_EQ(s.ceilingz, -512);
    EXPECT_EQ(s.floorheinum, 0);
    EXPECT_EQ(s.ceilingheinum, 0);
    EXPECT_EQ(s.floorstat & kSurfaceSloped, 0);
    EXPECT_EQ(feed.batch, 0);
}

TEST_F(GeneratorsTest, CircularReelHeightsFollowACircleAndSlopesReachTheirLimits) {
    // reelB 10000: the cross-section is a circle of radius reelD map units (16 z per unit).
    const int32_t radius = 1000;
    buildReel(map, m.events, feed, {0, 10000, 8, radius}, {0, 0}, {0, 4000});
    ASSERT_EQ(map.sectorCount, 8);
    for (int32_t i = 0; i < 8; ++i) {
        const SectorRecord& s = map.sectors[i];
        const IntPoint edge = feed.loops[size_t(i)][0];  // on the strip's new edge
        const double h = s.floorz / 16.0;
        EXPECT_NEAR(std::hypot(double(edge.x), h), radius, 1.5) << i;
        EXPECT_EQ(s.ceilingz, -s.floorz) << i;
        EXPECT_EQ(s.floorheinum, -s.ceilingheinum) << i;
        EXPECT_EQ((s.floorstat & kSurfaceSloped) != 0, s.floorheinum != 0) << i;
    }
    // Many strips: the outermost are steeper than the field holds and stop at +-32767.
    fresh();
    SectorFeed many{build};
    buildReel(map, m.events, many, {0, 10000, 64, radius}, {0, 0}, {4000, 0});
    ASSERT_EQ(map.sectorCount, 64);
    EXPECT_EQ(map.sectors[0].ceilingheinum, 32767);
    EXPECT_EQ(map.sectors[0].floorheinum, -32767);
    EXPECT_EQ(map.sectors[63].ceilingheinum, -32767);
    EXPECT_EQ(map.sectors[63].floorheinum, 32767);
}

TEST_F(GeneratorsTest, ArchHeightsAndSlopes) {
    struct Case {
        int32_t rise;  // arch2A = arch2B
        bool flat;
    } cases[] = {{0, true}, {2048, false}, {-2048, false}};
    for (const Case& c : cases) {
        fresh();
        SectorFeed f{build};
        buildArch(map, m.events, f, {1024, -8192, 512, c.rise, c.rise, 8}, {0, 0}, {2000, 0});
        ASSERT_EQ(map.sectorCount, 8) << c.rise;
        for (int32_t i = 0; i < 8; ++i) {
            const SectorRecord& s = map.sectors[i];
            if (c.flat) {
                EXPECT_EQ(s.floorz, 1024);
                EXPECT_EQ(s.ceilingz, -8192);
                EXPECT_EQ(s.floorheinum, 0);
                EXPECT_EQ(s.ceilingheinum, 0);
            } else {
                // The crown is the highest point of a rise, the lowest of a negative one.
                const double a = (i + 1) * M_PI / 8;
                EXPECT_EQ(s.floorz, 1024 + c.rise - int32_t(std::floor(c.rise * std::sin(a) + 0.5)));
            }
        }
        if (!c.flat) {
            EXPECT_EQ(map.sectors[0].floorheinum > 0, c.rise > 0);
            EXPECT_EQ(map.sectors[7].floorheinum < 0, c.rise > 0);
        }
    }
}

TEST_F(GeneratorsTest, SphereMakesSidesTimesRingsWithTrianglesAtTheCentre) {
    for (int32_t drop : {4096, -4096}) {
        fresh();
        SectorFeed f{build};
        const GeneratorResult r =
            buildSphere(map, m.events, f, {0, -16384, 6, drop, -drop, 3}, {500, 500}, {1500, 500});
        EXPECT_EQ(r.piecesBuilt, 18);
        ASSERT_EQ(map.sectorCount, 18);
        for (size_t k = 0; k < f.loops.size(); ++k) {
            const int32_t ring = int32_t(k % 3) + 1;
            EXPECT_EQ(f.loops[k].size(), ring == 1 ? 3u : 4u) << k;
            if (ring == 1) EXPECT_EQ(f.loops[k][2], (IntPoint{500, 500})) << k;
        }
        // Positive drops lower the floor towards the rim (a dome); negative ones raise it (a bowl).
        for (int32_t side = 0; side < 6; ++side) {
            const SectorRecord* s = &map.sectors[side * 3];
            EXPECT_EQ(s[2].floorz > s[0].floorz, drop > 0) << side;
            EXPECT_EQ(s[2].ceilingz < s[0].ceilingz, drop > 0) << side;
        }
        // The next side starts where the last one ended: the first corner of side 1's outer
        // ring is side 0's second.
        EXPECT_EQ(f.loops[3][0], f.loops[0][1]);
    }
}

TEST_F(GeneratorsTest, UnclosedPiecesAreSkippedAndTheRestGetTheirHeights) {
    feed.refuseEvery = 2;
    const GeneratorResult r = buildArch(map, m.events, feed, {0, -4096, 400, 256, 256, 4}, {0, 0},
                                        {800, 0});
    EXPECT_EQ(r.piecesBuilt, 2);
    EXPECT_EQ(r.piecesSkipped, 2);
    // Pieces 1 and 3 were built: sector 1 has the heights of strip 3 (angle 3 pi / 4).
    EXPECT_EQ(map.sectors[1].floorz, 256 - int32_t(std::floor(256 * std::sin(3 * M_PI / 4) + 0.5)));
}

TEST_F(GeneratorsTest, NothingIsBuiltFromBadParametersOrPoints) {
    const int32_t big = 2147483647;
    struct Case {
        const char* what;
        int32_t kind;  // 0 reel, 1 arch, 2 sphere
        std::vector<int32_t> values;
        IntPoint p0, p1;
        int32_t message;  // 0: none
    } cases[] = {
        {"coincident points", 0, {0, 10000, 16, 2048}, {5, 5}, {5, 5}, 0},
        {"coincident sphere", 2, {0, 0, 8, 0, 0, 2}, {5, 5}, {5, 5}, 0},
        {"no strips", 0, {0, 10000, 0, 2048}, {0, 0}, {900, 0}, kMsgTooFewPieces},
        {"negative strips", 0, {0, 10000, -5, 2048}, {0, 0}, {900, 0}, kMsgTooFewPieces},
        {"no radius", 0, {0, 10000, 4, 0}, {0, 0}, {900, 0}, kMsgTooFewPieces},
        {"huge count", 0, {0, 10000, big, 2048}, {0, 0}, {900, 0}, kMsgNoRoomForSectors},
        {"arch of no width", 1, {0, 0, 0, 512, 512, 8}, {0, 0}, {900, 0}, kMsgTooFewPieces},
        {"arch, no strips", 1, {0, 0, 512, 512, 512, 0}, {0, 0}, {900, 0}, kMsgTooFewPieces},
        {"one side", 2, {0, 0, 1, 512, 512, 2}, {0, 0}, {900, 0}, kMsgTooFewPieces},
        {"two sides", 2, {0, 0, 2, 512, 512, 2}, {0, 0}, {900, 0}, kMsgTooFewPieces},
        {"no rings", 2, {0, 0, 8, 512, 512, 0}, {0, 0}, {900, 0}, kMsgTooFewPieces},
        {"huge sphere", 2, {0, 0, big, 512, 512, big}, {0, 0}, {900, 0}, kMsgNoRoomForSectors},
        {"offset rounds to 0", 0, {0, 10000, 4, 1}, {0, 0}, {700, 700}, kMsgStructureDegenerate},
        {"band beyond range", 0, {0, 10000, 4, big}, {1000000, 0}, {1000000, 900},
         kMsgStructureDegenerate},
        {"rim beyond range", 2, {0, 0, 8, 512, 512, 2}, {0, 0}, {2000000000, 2000000000},
         kMsgStructureDegenerate},
    };
    for (const Case& c : cases) {
        fresh();
        build.addRoom(0, 0, 64, 64);
        const auto before = std::make_unique<MapStore>(map);
        SectorFeed f{build};
        const auto& v = c.values;
        GeneratorResult r;
        if (c.kind == 0) r = buildReel(map, m.events, f, {v[0], v[1], v[2], v[3]}, c.p0, c.p1);
        if (c.kind == 1)
            r = buildArch(map, m.events, f, {v[0], v[1], v[2], v[3], v[4], v[5]}, c.p0, c.p1);
        if (c.kind == 2)
            r = buildSphere(map, m.events, f, {v[0], v[1], v[2], v[3], v[4], v[5]}, c.p0, c.p1);
        EXPECT_EQ(r.piecesBuilt, 0) << c.what;
        EXPECT_TRUE(f.loops.empty()) << c.what;
        EXPECT_EQ(snapshotDifference(*before, map), "") << c.what;
        EXPECT_EQ(statuses(), c.message ? std::vector<int32_t>{c.message} : std::vector<int32_t>{})
            << c.what;
    }
}

TEST_F(GeneratorsTest, HeightsBeyondThe32BitRangeAreKeptAtItsEnds) {
    buildSphere(map, m.events, feed, {2147480000, -2147480000, 4, 2147480000, -2147480000, 2},
                {0, 0}, {1000, 0});
    ASSERT_EQ(map.sectorCount, 8);
    EXPECT_EQ(map.sectors[1].floorz, 2147483647);
    EXPECT_EQ(map.sectors[1].ceilingz, -2147483647 - 1);
}

}  // namespace
}  // namespace korvel::test
