#include "geometry/TransformTools.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace korvel::test
