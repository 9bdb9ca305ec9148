#include "geometry/TransformTools.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "base/MessageNumbers.h"
#include "support/MapTestFixture.h"

namespace korvel::test {
namespace {

using TransformToolsTest = MapTest;

TEST(FlipSpriteAngle, EveryEffectorGroupFollowsItsRule) {
    struct Case {
        int16_t picnum, lotag, ang;
        uint8_t pal, axis;
        int16_t wantAng;
        uint8_t wantPal;
    } cases[] = {
        {5, 0, 0, 0, 0, 1024, 0},      // plain sprite, x: 1024 - ang
        {5, 0, 0, 0, 1, 0, 0},         // y: -ang
        {5, 0, 512, 0, 1, 1536, 0},
        {1, 0, 300, 0, 0, 300, 2},     // effector kind 0: palette toggles, angle stays
        {1, 0, 300, 2, 0, 300, 0},
        {1, 1, 1024, 0, 0, 1536, 0},   // kinds 1 and 11: a fixed quarter
        {1, 11, 1025, 0, 1, 512, 0},
        {1, 2, 100, 0, 0, 924, 0},     // default rule
        {1, 30, 100, 0, 1, 1948, 0},
        {1, 4, 100, 0, 0, 100, 0},     // unchanged kinds
        {1, 19, 100, 0, 1, 100, 0},
        {1, 33, 100, 0, 0, 100, 0},
        {1, 34, 100, 0, 0, 924, 0},    // above 33: default again
    };
    for (const Case& c : cases) {
        SpriteRecord sp{};
        sp.picnum = c.picnum;
        sp.lotag = c.lotag;
        sp.ang = c.ang;
        sp.pal = c.pal;
        flipSpriteAngle(sp, c.axis);
        EXPECT_EQ(sp.ang, c.wantAng) << c.picnum << "/" << c.lotag << "/" << c.ang;
        EXPECT_EQ(sp.pal, c.wantPal) << c.picnum << "/" << c.lotag;
    }
}

// Two rooms sharing a wall, the left one selected with a sprite in it.
class TwoRooms : public TransformToolsTest {
protected:
    void SetUp() override {
        build.addRoom(0, 0, 100, 100);
        build.addRoom(100, 0, 200, 100);
        build.link();
        sprite = build.addSprite(20, 30, -50, 0);
        map.sectorSelected[0] = 1;
        map.selectedSectorCount = 1;
    }
    int32_t sprite = -1;
};

TEST_F(TwoRooms, FlippingASectorAwayFromItsNeighbourUnlinksBothSides) {
    flipSelSectors(map, m.events, 1);  // in y: the shared wall stays where it is
    expectValid();
    EXPECT_EQ(map.sprites[sprite].y, 70);
    EXPECT_EQ(map.sprites[sprite].cstat & kSpriteFlipX, kSpriteFlipX);
    flipSelSectors(map, m.events, 1);
    flipSelSectors(map, m.events, 0);  // in x: the shared wall moves to x 0
    expectValid();
    EXPECT_EQ(map.sprites[sprite].x, 80);
    // The old links are gone; turning the loops round links again only walls that meet end to
    // end.
    for (int32_t w = map.sectors[1].wallptr; w < map.sectors[1].wallptr + 4; ++w) {
        const int32_t t = map.walls[w].nextwall;
        if (t < 0) continue;
        const WallRecord &a = map.walls[w], &a2 = map.walls[a.point2];
        const WallRecord &b = map.walls[t], &b2 = map.walls[b.point2];
        EXPECT_TRUE(a.x == b2.x && a.y == b2.y && a2.x == b.x && a2.y == b.y) << w;
    }
}

TEST_F(TwoRooms, MirrorAcrossALineAndRefusals) {
    ASSERT_TRUE(mirrorSelSectors(map, m.events, 0, -10, 0, 10));
    expectValid();
    EXPECT_EQ(map.sprites[sprite].x, -20);
    EXPECT_EQ(map.sprites[sprite].y, 30);
    EXPECT_EQ(map.walls[0].cstat & kWallFlipX, kWallFlipX);
    for (int32_t w = 4; w < 8; ++w) EXPECT_EQ(map.walls[w].nextwall, -1) << w;

    struct Case {
        int32_t x1, y1, x2, y2, message;
    } refused[] = {
        {7, 7, 7, 7, kMsgMirrorLineEmpty},
        {2000000000, 0, 2000000000, 1, kMsgPointsOutOfRange},
    };
    for (const Case& c : refused) {
        const auto before = std::make_unique<MapStore>(map);
        m.events.status.clear();
        EXPECT_FALSE(mirrorSelSectors(map, m.events, c.x1, c.y1, c.x2, c.y2));
        EXPECT_EQ(snapshotDifference(*before, map), "");
        ASSERT_EQ(m.events.status.size(), 1u);
        EXPECT_EQ(m.events.status[0].number, c.message);
    }
}

TEST_F(TwoRooms, ZShiftMovesSectorsAndTheirSpritesWithinTheRange) {
    build.addSprite(150, 50, -50, 1);
    zShiftSelSectors(map, m.events, -1000);
    EXPECT_EQ(map.sectors[0].floorz, -1000);
    EXPECT_EQ(map.sectors[0].ceilingz, -17384);
    EXPECT_EQ(map.sectors[1].floorz, 0);
    EXPECT_EQ(map.sprites[0].z, -1050);
    EXPECT_EQ(map.sprites[1].z, -50);
    zShiftSelSectors(map, m.events, -2147483647);
    EXPECT_EQ(map.sectors[0].ceilingz, -2147483647 - 1);
}

TEST_F(TwoRooms, MirrorByZTurnsASectorUpsideDown) {
    SectorRecord& s = map.sectors[0];
    s.ceilingz = -8192;
    s.floorz = 0;
    s.ceilingpicnum = 7;
    s.floorpicnum = 9;
    s.ceilingheinum = 100;
    s.floorheinum = -32768;
    s.lotag = 16;
    std::vector<int16_t> heights(kTileCount, 0);
    map.sprites[sprite].cstat = kSpriteFloorAligned;
    map.sprites[sprite].z = -1000;
    mirrorSelByZ(map, heights);
    EXPECT_EQ(s.ceilingz, -8192);
    EXPECT_EQ(s.floorz, 0);
    EXPECT_EQ(s.ceilingpicnum, 9);
    EXPECT_EQ(s.floorpicnum, 7);
    EXPECT_EQ(s.floorheinum, -100);
    EXPECT_EQ(s.ceilingheinum, 32767);
    EXPECT_EQ(s.lotag, 17);
    EXPECT_EQ(map.sprites[sprite].z, -7192);
    EXPECT_EQ(map.walls[0].cstat & kWallFlipY, kWallFlipY);
}

TEST_F(TransformToolsTest, BindVertexMergesWithinTheDistanceIncludingItsEnd) {
    build.addRoom(0, 0, 100, 100);
    build.addRoom(102, 0, 200, 100);  // 2 units off: merged with distSq 4
    build.addRoom(0, 103, 100, 200);  // 3 units off: kept
    bindVertex(map, m.events, 1, 4.0);
    EXPECT_EQ(map.walls[4].x, 100);
    EXPECT_EQ(map.walls[8].y, 103);
    bindVertex(map, m.events, 99, 4.0);
    bindVertex(map, m.events, 0, 1e30);  // everything onto one point: walls vanish, no fault
    expectValid();
}

TEST_F(TransformToolsTest, FlippedVerticesKeepLinksValid) {
    build.addGrid(0, 0, 2, 2, 100);
    build.link();
    for (int32_t w = 0; w < map.wallCount; ++w)
        if (map.walls[w].x == 100 && map.walls[w].y == 100) map.vertexSelected[w] = 1;
    for (int32_t w = 0; w < map.wallCount; ++w)
        if (map.walls[w].x == 200 && map.walls[w].y == 0) map.vertexSelected[w] = 1;
    map.selectedVertexCount = 0;
    for (int32_t w = 0; w < map.wallCount; ++w) map.selectedVertexCount += map.vertexSelected[w];
    flipSelVertices(map, m.events, 0);
    expectValid();
    int32_t left = 0;
    for (int32_t w = 0; w < map.wallCount; ++w) left += map.walls[w].x == 100 && map.walls[w].y == 100;
    EXPECT_EQ(left, 0);  // every wall at the middle vertex went to the box's other side
}

// The sprite in the selected sector is also selected: it moves once.
TEST_F(TwoRooms, SegmentTransformMovesEachPointOnceAndRelinks) {
    map.spriteSelected[sprite] = 1;
    map.selectedSpriteCount = 1;
    // A quarter turn about the origin, doubled in size.
    ASSERT_EQ(transformBySegments(map, m.events, {0, 0}, {100, 0}, {0, 0}, {0, 200}),
              HandleResult::Moved);
    EXPECT_EQ(m.events.statusNumbers(), std::vector<int32_t>{kMsgSegmentsTransformed});
    EXPECT_EQ(map.sprites[sprite].x, -60);
    EXPECT_EQ(map.sprites[sprite].y, 40);
    const IntPoint want[] = {{0, 0}, {0, 200}, {-200, 200}, {-200, 0}};
    for (int32_t w = 0; w < 4; ++w) {
        EXPECT_EQ(map.walls[w].x, want[w].x) << w;
        EXPECT_EQ(map.walls[w].y, want[w].y) << w;
    }
    // The room that stayed has lost its twin.
    for (int32_t w = 0; w < 8; ++w) EXPECT_EQ(map.walls[w].nextwall, -1) << w;
    expectValid();

    // The same segment twice changes nothing.
    const auto before = std::make_unique<MapStore>(map);
    ASSERT_EQ(transformBySegments(map, m.events, {3, 4}, {50, -7}, {3, 4}, {50, -7}),
              HandleResult::Moved);
    EXPECT_EQ(snapshotDifference(*before, map), "");
}

TEST_F(TwoRooms, HandleToolsRefuseWithTheMapUnchanged) {
    const IntPoint square[4] = {{0, 0}, {100, 0}, {100, 100}, {0, 100}};
    // A parallelogram of three corners whose fourth corner makes it flat: every point fails.
    const IntPoint flat[3] = {{0, 0}, {100, 0}, {200, 0}};
    const IntPoint para[3] = {{0, 0}, {100, 0}, {0, 100}};
    // A quadrilateral folded onto one point has no edges to measure from.
    const IntPoint point[4] = {{7, 7}, {7, 7}, {7, 7}, {7, 7}};
    // Wall corners at 100 land at twice the target's size: beyond the 32-bit range.
    const IntPoint half[4] = {{0, 0}, {50, 0}, {50, 50}, {0, 50}};
    const IntPoint huge[4] = {{0, 0}, {2000000000, 0}, {2000000000, 2000000000}, {0, 2000000000}};
    struct Case {
        const char* name;
        std::function<HandleResult()> run;
        int32_t message;
    } cases[] = {
        {"source", [&] { return transformBySegments(map, m.events, {5, 5}, {5, 5}, {0, 0}, {1, 1}); },
         kMsgSourceSegmentEmpty},
        {"target", [&] { return transformBySegments(map, m.events, {0, 0}, {1, 1}, {9, 9}, {9, 9}); },
         kMsgTargetSegmentEmpty},
        {"range",
         [&] { return transformBySegments(map, m.events, {0, 0}, {1, 0}, {0, 0}, {100000000, 0}); },
         kMsgPointsOutOfRange},
        {"flat", [&] { return warpByParallelograms(map, m.events, flat, para); }, kMsgWarpOutOfReach},
        {"point", [&] { return warpByQuads(map, m.events, point, square); }, kMsgWarpOutOfReach},
        {"huge", [&] { return warpByQuads(map, m.events, half, huge); }, kMsgPointsOutOfRange},
    };
    for (const Case& c : cases) {
        const auto before = std::make_unique<MapStore>(map);
        m.events.status.clear();
        EXPECT_EQ(c.run(), HandleResult::Refused) << c.name;
        EXPECT_EQ(m.events.statusNumbers(), std::vector<int32_t>{c.message}) << c.name;
        EXPECT_EQ(snapshotDifference(*before, map), "") << c.name;
    }
}

TEST_F(TwoRooms, WarpsMapTheSourceFigureOntoTheTarget) {
    // Selected vertices and a selected sprite besides the selected sector.
    map.vertexSelected[5] = 1;
    map.selectedVertexCount = 1;
    map.spriteSelected[sprite] = 1;
    map.selectedSpriteCount = 1;
    const IntPoint src[3] = {{0, 0}, {200, 0}, {0, 100}};
    const IntPoint same[3] = {{0, 0}, {200, 0}, {0, 100}};
    const auto before = std::make_unique<MapStore>(map);
    ASSERT_EQ(warpByParallelograms(map, m.events, src, same), HandleResult::Moved);
    EXPECT_EQ(snapshotDifference(*before, map), "");
    EXPECT_EQ(m.events.statusNumbers(), std::vector<int32_t>{kMsgParallelogramWarped});

    // The unit square stretched into a trapezoid: the corners land on the target's corners.
    const IntPoint quad[4] = {{0, 0}, {200, 0}, {200, 100}, {0, 100}};
    const IntPoint target[4] = {{0, 0}, {400, 0}, {300, 200}, {100, 200}};
    ASSERT_EQ(warpByQuads(map, m.events, quad, target), HandleResult::Moved);
    EXPECT_EQ(map.walls[0].x, 0);
    EXPECT_EQ(map.walls[0].y, 0);
    EXPECT_EQ(map.walls[2].x, 200);  // (100, 100): halfway along the top side
    EXPECT_EQ(map.walls[2].y, 200);
    EXPECT_EQ(map.walls[5].x, 400);  // the selected vertex (200, 0)
    EXPECT_EQ(map.walls[5].y, 0);
    expectValid();
}

}  // namespace
}  // namespace korvel::test
