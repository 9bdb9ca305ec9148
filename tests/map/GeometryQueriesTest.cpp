#include "map/GeometryQueries.h"

#include "map/LoopOrientation.h"

#include <gtest/gtest.h>

#include "support/MapTestFixture.h"

namespace korvel::test {
namespace {

class GeometryQueriesTest : public MapTest {
protected:
    void SetUp() override {
        build.addRoom(0, 0, 100, 100);  // sector 0, walls 0..3
        build.link();
    }
};

TEST_F(GeometryQueriesTest, PointInSectorVariantsOnTheSquare) {
    struct Case {
        double x, y;
        int32_t isIn, orEdge, plain, voidZone;
    } cases[] = {
        {50, 50, 2, 1, 1, 0}, {150, 50, 0, 0, 0, 1},  {50, 0, 1, 1, -1, 1},
        {0, 0, 1, -1, -1, 1}, {100, 50, 1, 1, -1, 1}, {50, 100, 1, 1, -1, 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(isPointInSector(map, c.x, c.y, 0), c.isIn) << c.x << "," << c.y;
        if (c.orEdge >= 0) {
            EXPECT_EQ(pointInSectorOrOnEdge(map, int32_t(c.x), int32_t(c.y), 0), c.orEdge);
        }
        if (c.plain >= 0) {
            EXPECT_EQ(pointInSector(map, int32_t(c.x), int32_t(c.y), 0), c.plain);
        }
        EXPECT_EQ(isPointInVoidZone(map, c.x, c.y), c.voidZone) << c.x << "," << c.y;
    }
    // The fine test works in 1/64 units: half a unit inside the left edge is inside.
    EXPECT_EQ(pointInSectorFine(map, 32, 50 * 64, 0), 1);
    EXPECT_EQ(pointInSectorFine(map, -32, 50 * 64, 0), 0);
    // Without the start-point test a vertex is decided by the crossing rule: one corner falls
    // outside, the opposite one inside.
    EXPECT_EQ(isPointInLoop(map, 0, 0, 0), 0);
    EXPECT_EQ(isPointInLoop(map, 100, 100, 0), 2);
    EXPECT_EQ(pointInSectorOrOnEdge(map, 0, 0, 0), 0);
    EXPECT_EQ(isPointInLoop(map, 50, 0, 2), 1);
    EXPECT_EQ(isPointInLoop(map, 50, 50, 1), 2);
}

TEST_F(GeometryQueriesTest, LoopsCountPlusForOuterAndMinusForHoles) {
    MapStore holed;
    MapBuilder b(holed);
    b.addRoom(0, 0, 300, 300);
    b.addRectHole(100, 100, 200, 200);
    b.link();
    EXPECT_FALSE(isWallLoopClockwise(holed, 0));
    EXPECT_TRUE(isWallLoopClockwise(holed, 4));
    EXPECT_EQ(isPointInSectorByLoop(holed, 50, 50, 0), 1);
    EXPECT_EQ(isPointInSectorByLoop(holed, 150, 150, 0), 0);  // in the hole
    EXPECT_EQ(isPointInSectorByLoop(holed, 400, 150, 0), 0);
    EXPECT_EQ(isPointInSector(holed, 150, 150, 0), 0);
}

TEST_F(GeometryQueriesTest, SlopedPlanesRiseFromTheFirstWall) {
    SectorRecord& sec = map.sectors[0];
    sec.floorz = 0;
    sec.floorheinum = 256;
    sec.floorstat = kSurfaceSloped;
    sec.ceilingz = -1000;
    sec.ceilingheinum = -512;
    struct Case {
        int32_t x, y, floor, ceiling;
    } cases[] = {{50, 30, 30, -1000}, {50, -30, -30, -1000}};
    for (const auto& c : cases) {
        EXPECT_EQ(getTrueFloorZ(map, c.x, c.y, 0), c.floor);
        EXPECT_EQ(getTrueCeilingZ(map, c.x, c.y, 0), c.ceiling);
    }
    sec.ceilingstat = kSurfaceSloped;
    EXPECT_EQ(getTrueCeilingZ(map, 50, 30, 0), -1060);
    EXPECT_EQ(ceilingZAtWithLine(map, 50, 30, 0, 0, 0, 100, 0), -1060);
    EXPECT_EQ(floorZAtWithLine(map, 50, 30, 0, 0, 0, 0, 0), 0);  // no line, no slope
    sec.floorstat = 0;
    EXPECT_EQ(getTrueFloorZ(map, 50, 30, 0), 0);
    sec.floorstat = kSurfaceSloped;
    map.walls[1].x = 0;  // the first wall loses its length
    EXPECT_EQ(getTrueFloorZ(map, 50, 30, 0), 0);
}

TEST_F(GeometryQueriesTest, SelectionExtents) {
    const BoundingRect none = getSelectionBoundingRect(map, SelectionMode::Sectors);
    EXPECT_EQ(none.minX, 16777216);
    EXPECT_EQ(none.minY, 16777216);
    EXPECT_EQ(none.maxX, -16777216);
    EXPECT_EQ(none.maxY, -16777216);
    EXPECT_EQ(selectedSpritesCenter2D(map), (IntPoint{0, 0}));
    EXPECT_EQ(selectedSpritesCenter3D(map), (IntPoint3{0, 0, 0}));

    build.addSprite(10, 20, -300, 0);
    build.addSprite(31, 60, -100, 0);
    map.spriteSelected[0] = map.spriteSelected[1] = 1;
    map.selectedSpriteCount = 2;
    EXPECT_EQ(selectedSpritesCenter2D(map), (IntPoint{20, 40}));
    EXPECT_EQ(selectedSpritesCenter3D(map), (IntPoint3{20, 40, -200}));
    map.vertexSelected[2] = 1;
    map.selectedVertexCount = 1;
    const BoundingBox both = getSelectionBoundingBox(map, SelectionMode::SpritesAndVertices);
    EXPECT_EQ(both.minX, 10);
    EXPECT_EQ(both.maxX, 100);
    EXPECT_EQ(both.maxY, 100);
    EXPECT_EQ(both.minZ, -16384);  // the ceiling at the vertex
    EXPECT_EQ(both.maxZ, 0);
    const BoundingRect sprites = getSelectionBoundingRect(map, SelectionMode::Sprites);
    EXPECT_EQ(sprites.maxX, 31);
    map.sectorSelected[0] = 1;
    map.selectedSectorCount = 1;
    const BoundingRect sector = getSelectionBoundingRect(map, SelectionMode::Sectors);
    EXPECT_EQ(sector.minX, 0);
    EXPECT_EQ(sector.maxY, 100);
    EXPECT_EQ(getSelectionBoundingRect(map, SelectionMode::Walls).maxX, -16777216);
}

TEST_F(GeometryQueriesTest, WallQueries) {
    EXPECT_EQ(getPrevWall(map, 0), 3);
    EXPECT_EQ(getPrevWall(map, 2), 1);
    EXPECT_EQ(wallAngle(map, 0), 16384);  // towards +x
    EXPECT_EQ(wallAngle(map, 1), 32768);  // towards +y

    MapStore one;
    MapBuilder b(one);
    b.addSector({{0, 0}, {1024, 0}, {1024, 1024}});
    one.walls[0].xrepeat = one.walls[0].yrepeat = 8;
    EXPECT_FLOAT_EQ(wallTexelScale(one, 0), 1.0f);
    one.walls[0].xrepeat = 0;
    EXPECT_EQ(wallTexelScale(one, 0), 0.0f);

    // On the wall's front side (inside the room), projecting onto it.
    struct Case {
        int32_t x, y, d, want;
    } cases[] = {{50, 10, 20, 1}, {50, 30, 20, 0}, {50, -10, 20, 0},    {150, 10, 20, 0},
                 {0, 0, 5, 1},    {100, 5, 5, 1},  {300000000, 5, 5, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(pointNearWallSegment(map, 0, c.x, c.y, c.d), c.want) << c.x << "," << c.y;
}

TEST_F(GeometryQueriesTest, DamagedRingsAndRangesStillGiveAnAnswer) {
    // A ring that never comes back, a range off the array, a point2 off the array.
    map.walls[3].point2 = 1;
    EXPECT_EQ(getPrevWall(map, 0), 0);
    (void)isPointInLoop(map, 50, 50, 0);
    map.walls[2].point2 = 20000;
    map.sectors[0].wallnum = 30000;
    map.sectors[0].wallptr = -7;
    for (int32_t s : {0, 1, -1, 99}) {
        (void)pointInSector(map, 50, 50, s);
        (void)pointInSectorFine(map, 50, 50, s);
        (void)pointInSectorOrOnEdge(map, 50, 50, s);
        (void)isPointInSector(map, 50, 50, s);
        (void)isPointInSectorByLoop(map, 50, 50, s);
        (void)getTrueFloorZ(map, 50, 50, s);
    }
    map.wallSector[2] = 300;
    (void)isPointInLoop(map, 50, 50, 2);
    (void)isWallLoopClockwise(map, 2);
    (void)wallAngle(map, 2);
    (void)getPrevWall(map, 40000);
}

}  // namespace
}  // namespace korvel::test
