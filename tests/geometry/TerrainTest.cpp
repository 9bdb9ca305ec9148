#include "geometry/Terrain.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "base/MessageNumbers.h"
#include "map/GeometryQueries.h"
#include "support/CompletionFeed.h"
#include "support/MapTestFixture.h"

namespace korvel::test {
namespace {

// A w x h picture (column after column) whose colour index is its own level.
struct Picture {
    std::vector<uint8_t> pixels;
    TerrainPicture pic;
    Picture(int32_t w, int32_t h, uint8_t (*at)(int32_t x, int32_t y)) {
        for (int32_t x = 0; x < w; ++x)
            for (int32_t y = 0; y < h; ++y) pixels.push_back(at(x, y));
        pic.width = w;
        pic.height = h;
        pic.pixels = pixels;
        for (int32_t i = 0; i < 256; ++i) pic.level[size_t(i)] = uint8_t(i);
    }
};

class TerrainTest : public MapTest {
protected:
    CompletionFeed feed{map, m.events};
    std::vector<int32_t> statuses() const {
        std::vector<int32_t> n;
        for (const MessageRef& r : m.events.status) n.push_back(r.number);
        return n;
    }
    TerrainResult grid(const TerrainParams& p, const TerrainPicture& pic, int32_t width) {
        const auto tris = terrainTriangles({0, 0}, width, p.cols, p.rows);
        return buildTerrainFromTile(map, m.events, feed, p, pic, {0, 0}, width, tris);
    }
};

TEST_F(TerrainTest, AFlatTileGivesFlatTrianglesOfThreeWalls) {
    const Picture flat(4, 4, [](int32_t, int32_t) { return uint8_t(10); });
    const TerrainResult r = grid({3, 2, 2560}, flat.pic, 4096);
    EXPECT_EQ(r.sectorsBuilt, 6);
    EXPECT_EQ(r.referenceLoops, 0);
    ASSERT_EQ(map.sectorCount, 6);
    EXPECT_EQ(map.wallCount, 18);
    for (int32_t s = 0; s < map.sectorCount; ++s) {
        EXPECT_EQ(map.sectors[s].floorz, -100) << s;
        EXPECT_EQ(map.sectors[s].ceilingz, -5120) << s;
        EXPECT_EQ(map.sectors[s].floorheinum, 0) << s;
        EXPECT_EQ(map.sectors[s].floorstat & kSurfaceSloped, 0) << s;
    }
    expectValid();
}

// Each sloped triangle's floor passes through its corners' sampled heights, measured from the
// reference loop's first wall, which lies on the contour through the first corner.
TEST_F(TerrainTest, SlopedTrianglesPassThroughTheirCornerHeights) {
    const Picture ramp(4, 4, [](int32_t x, int32_t y) { return uint8_t(x * 60 + y * 15); });
    const int32_t width = 4096;
    const TerrainParams p{3, 2, 8192};
    const auto tris = terrainTriangles({0, 0}, width, p.cols, p.rows);
    const TerrainResult r = buildTerrainFromTile(map, m.events, feed, p, ramp.pic, {0, 0}, width, tris);
    ASSERT_EQ(r.sectorsBuilt, 6);
    EXPECT_GT(r.referenceLoops, 0);
    const int64_t hgt = int64_t(std::floor(width * std::sqrt(3.0) + 0.5)) * p.rows / p.cols;
    int32_t sloped = 0;
    for (int32_t s = 0; s < 6; ++s) {
        const SectorRecord& sec = map.sectors[s];
        if (sec.floorheinum == 0) {
            EXPECT_EQ(sec.wallnum, 3);
            continue;
        }
        ++sloped;
        EXPECT_EQ(sec.wallnum, 6) << s;
        const TerrainTriangle& t = tris[size_t(s)];
        // The first wall lies on the line through the first corner.
        const WallRecord& a = map.walls[sec.wallptr];
        const WallRecord& b = map.walls[a.point2];
        const double offLine = signedDistToLine(a.x, a.y, b.x, b.y, t.p[0].x, t.p[0].y);
        EXPECT_LT(std::fabs(offLine), 2.0) << s;
        for (const IntPoint& c : t.p) {
            const int64_t u = int64_t(4) * 64 * c.x / width, v = int64_t(4) * 64 * c.y / hgt;
            const int32_t want = -(terrainSample(ramp.pic, u, v) * p.heightScale / 256);
            const double reach = distDouble(c.x, c.y, t.p[0].x, t.p[0].y);
            EXPECT_NEAR(getTrueFloorZ(map, c.x, c.y, s), want, 4 + reach * 0.02)
                << "sector " << s << " corner " << c.x << "," << c.y;
        }
    }
    EXPECT_EQ(sloped, r.referenceLoops);
    expectValid();
}

TEST_F(TerrainTest, SamplesWrapAroundTheTileAndBlendNeighbours) {
    const Picture pic(2, 3, [](int32_t x, int32_t y) { return uint8_t(10 * x + 100 * y); });
    struct Case {
        int64_t u, v;
        int32_t want;
    } cases[] = {
        {0, 0, 0},    {64, 0, 10},  {128, 0, 0},  // column 2 is column 0
        {-64, 0, 10}, {32, 0, 5},   {0, 64, 100},  // column -1 is column 1
        {0, 192, 0},  {0, -64, 200}, {32, 32, 55},
    };
    for (const Case& c : cases)
        EXPECT_EQ(terrainSample(pic.pic, c.u, c.v), c.want) << c.u << "," << c.v;
}

TEST_F(TerrainTest, HostileSettingsBuildNothing) {
    const Picture flat(4, 4, [](int32_t, int32_t) { return uint8_t(1); });
    TerrainPicture empty;
    struct Case {
        TerrainParams p;
        const TerrainPicture* pic;
        int32_t width;
        int32_t message;
    } cases[] = {
        {{0, 2, 256}, &flat.pic, 4096, kMsgTooFewPieces},
        {{-5, 2, 256}, &flat.pic, 4096, kMsgTooFewPieces},
        {{2, 0, 256}, &flat.pic, 4096, kMsgTooFewPieces},
        {{2, 2, 256}, &flat.pic, 0, kMsgStructureDegenerate},
        {{2, 2, 256}, &empty, 4096, kMsgStructureDegenerate},
        {{2147483647, 2147483647, 256}, &flat.pic, 4096, kMsgNoRoomForSectors},
    };
    for (const Case& c : cases) {
        m.events.status.clear();
        const std::vector<TerrainTriangle> none;
        const TerrainResult r = buildTerrainFromTile(map, m.events, feed, c.p, *c.pic, {0, 0},
                                                     c.width, none);
        EXPECT_TRUE(r.refused);
        EXPECT_EQ(statuses(), std::vector<int32_t>{c.message}) << c.p.cols << " x " << c.p.rows;
        EXPECT_EQ(map.sectorCount, 0);
        EXPECT_EQ(feed.loopsClosed, 0);
    }
    // Room for the sectors but not for six walls each.
    std::vector<IntPoint> ring;
    for (int32_t i = 0; i < 20000; ++i) ring.push_back({i, i % 2 == 0 ? 0 : -1});
    ring.push_back({20000, 5000});
    build.addSector(ring);
    m.events.status.clear();
    EXPECT_TRUE(grid({3000, 1, 256}, flat.pic, 4096).refused);
    EXPECT_EQ(statuses(), std::vector<int32_t>{kMsgNoRoomForWalls});
    clearMapRecords(map);
    resetMapState(map);
    // Fewer triangles than rows x cols: only those given are read.
    const auto tris = terrainTriangles({0, 0}, 4096, 3, 2);
    const TerrainResult r = buildTerrainFromTile(map, m.events, feed, {3, 2, 256}, flat.pic,
                                                 {0, 0}, 4096, std::span(tris).first(4));
    EXPECT_EQ(r.sectorsBuilt, 4);
    EXPECT_EQ(map.sectorCount, 4);
}

TEST_F(TerrainTest, TriangleLoopsLieOnTheLineAndBecomeFirst) {
    build.addRoom(0, 0, 1024, 1024);
    build.addRoom(2048, 0, 3072, 1024);
    build.link();
    const struct {
        IntPoint a, b;
    } lines[] = {{{0, 0}, {1000, 0}}, {{100, 50}, {-300, 777}}, {{5, 5}, {5, -900}}};
    for (const auto& l : lines) {
        for (int32_t s = 0; s < 2; ++s) {
            const int32_t walls = map.sectors[s].wallnum;
            ASSERT_TRUE(addTriangleLoop(map, m.events, feed, s, l.a.x, l.a.y, l.b.x, l.b.y, 16384));
            EXPECT_EQ(map.sectors[s].wallnum, walls + 3);
            const WallRecord& a = map.walls[map.sectors[s].wallptr];
            const WallRecord& b = map.walls[a.point2];
            EXPECT_LT(std::fabs(signedDistToLine(l.a.x, l.a.y, l.b.x, l.b.y, a.x, a.y)), 1.0);
            EXPECT_LT(std::fabs(signedDistToLine(l.a.x, l.a.y, l.b.x, l.b.y, b.x, b.y)), 1.0);
            // f units further along the line.
            EXPECT_NEAR(distDouble(a.x, a.y, l.a.x, l.a.y), 16384, 1.5);
        }
        expectValid();
    }
    // Coincident points, corners beyond the 32-bit range and sectors outside the map add nothing.
    const MapContent before = map;
    EXPECT_FALSE(addTriangleLoop(map, m.events, feed, 0, 7, 7, 7, 7, 16384));
    EXPECT_FALSE(addTriangleLoop(map, m.events, feed, 0, 2147483000, 0, 2147483600, 0, 2147483647));
    EXPECT_FALSE(addTriangleLoop(map, m.events, feed, 0, 0, -2147483000, 0, 2147483000, 0));
    EXPECT_FALSE(addTriangleLoop(map, m.events, feed, 2, 0, 0, 100, 0, 16384));
    EXPECT_FALSE(addTriangleLoop(map, m.events, feed, -1, 0, 0, 100, 0, 16384));
    EXPECT_EQ(contentDifference(before, map), "");
}

}  // namespace
}  // namespace korvel::test
