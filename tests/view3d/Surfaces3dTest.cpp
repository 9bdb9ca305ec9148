#include <gtest/gtest.h>

#include <cmath>

#include "view3d/SceneFixture.h"

namespace korvel::test {
namespace {

// Two rooms side by side sharing wall `shared` of room 0.
struct TwoRooms : SceneRig {
    int32_t shared = -1;
    TwoRooms() {
        build.addRoom(0, 0, 1024, 1024);
        build.addRoom(1024, 0, 2048, 1024);
        build.link();
        texturedWalls();
        for (int32_t w = 0; w < 4; ++w)
            if (map.walls[w].nextwall >= 0) shared = w;
    }
    int32_t wallTris(int32_t w, WallTriangles3d& out) { return wallTriangles3d(src(), w, map.wallSector[w], out); }
};

TEST(WallSurfaces3d, PartsCodesAndFlags) {
    struct Case {
        const char* name;
        int32_t floor1, ceiling1;  // the neighbour's heights
        uint16_t cstat;
        int32_t count;
        int32_t codeKind;  // of the first triangle
        uint8_t flags;     // of the last triangle
    };
    const Case cases[] = {
        {"equal rooms", 0, -16384, 0, 0, 0, 0},
        {"equal rooms, masked", 0, -16384, kWallMasked, 2, 3, 11},
        {"masked, one-way", 0, -16384, kWallMasked | kWallOneWayMasked, 2, 3, 3},
        {"masked translucent", 0, -16384, kWallMasked | kWallTranslucent, 2, 3, 10},
        {"masked reverse translucent", 0, -16384,
         kWallMasked | kWallTranslucent | kWallTranslucentReversed, 2, 3, 9},
        {"step up: lower part", -2048, -16384, 0, 2, 1, 3},
        {"lower ceiling: upper part", 0, -8192, 0, 2, 1, 3},
        {"both", -2048, -8192, 0, 4, 1, 3},
    };
    for (const Case& c : cases) {
        TwoRooms rig;
        rig.map.sectors[1].floorz = c.floor1;
        rig.map.sectors[1].ceilingz = c.ceiling1;
        rig.map.walls[rig.shared].cstat = c.cstat;
        rig.map.walls[rig.shared].overpicnum = kTile16x4;
        WallTriangles3d out;
        const int32_t n = rig.wallTris(rig.shared, out);
        ASSERT_EQ(n, c.count) << c.name;
        if (n == 0) continue;
        EXPECT_EQ(out[0].objectCode >> 16, c.codeKind) << c.name;
        EXPECT_EQ(out[0].objectCode & 0xFFFF, rig.shared) << c.name;
        EXPECT_EQ(out[n - 1].drawFlags, c.flags) << c.name;
    }
}

TEST(WallSurfaces3d, CrossingFloorsGiveOneLowerTriangle) {
    TwoRooms rig;
    // The neighbour's floor slopes across the shared wall: it rises above this floor part way.
    SectorRecord& s1 = rig.map.sectors[1];
    s1.floorstat = kSurfaceSloped;
    s1.floorheinum = -2048;
    s1.floorz = 1024;
    WallTriangles3d out;
    const int32_t n = rig.wallTris(rig.shared, out);
    ASSERT_EQ(n, 1);
    EXPECT_EQ(out[0].objectCode, objectCode3d(SurfaceKind::Wall, rig.shared));
}

TEST(WallSurfaces3d, SwappedLowerPartTakesTheNextWall) {
    TwoRooms rig;
    rig.map.sectors[1].floorz = -2048;
    WallRecord& w = rig.map.walls[rig.shared];
    WallRecord& next = rig.map.walls[w.nextwall];
    w.cstat = kWallSwapBottom;
    next.picnum = kTile16x4;
    next.shade = 7;
    next.xpanning = 3;
    WallTriangles3d out;
    ASSERT_EQ(rig.wallTris(rig.shared, out), 2);
    EXPECT_EQ(out[0].objectCode, objectCode3d(SurfaceKind::Wall, w.nextwall));
    EXPECT_EQ(out[0].tileWidth, 16);
    EXPECT_EQ(out[0].shade, 7);
    for (const Vertex3d& v : out[0].p) EXPECT_EQ((v.u - 3 * 256) % 2048, 0);
    // The next wall's y-flip negates V.
    const int32_t vPlain = out[0].p[0].v;
    next.cstat = kWallFlipY;
    ASSERT_EQ(rig.wallTris(rig.shared, out), 2);
    EXPECT_EQ(out[0].p[0].v, -vPlain);
}

TEST(WallSurfaces3d, TextureAcrossAndDown) {
    struct Case {
        uint16_t cstat;
        int32_t uStart, uEnd;  // at the wall's start and end
    };
    const Case cases[] = {{0, 0, 8 * 2048}, {kWallFlipX, 8 * 2048, 0}};
    for (const Case& c : cases) {
        SceneRig rig;
        rig.build.addRoom(0, 0, 1024, 1024);
        rig.texturedWalls();
        rig.map.walls[0].cstat = c.cstat;
        WallTriangles3d out;
        ASSERT_EQ(wallTriangles3d(rig.src(), 0, 0, out), 2);
        // (P0, P3, P7): start floor, start ceiling, end ceiling.
        EXPECT_EQ(out[0].p[0].u, c.uStart);
        EXPECT_EQ(out[0].p[2].u, c.uEnd);
        // Anchored at the ceiling: v is 0 there and grows by yrepeat / 8 per z unit down.
        EXPECT_EQ(out[0].p[1].v, 0);
        EXPECT_EQ(out[0].p[0].v, 16384);
    }
    // Aligned to the bottom: the floor is the anchor.
    SceneRig rig;
    rig.build.addRoom(0, 0, 1024, 1024);
    rig.texturedWalls();
    rig.map.walls[0].cstat = kWallAlignBottom;
    WallTriangles3d out;
    ASSERT_EQ(wallTriangles3d(rig.src(), 0, 0, out), 2);
    EXPECT_EQ(out[0].p[0].v, 0);
    EXPECT_EQ(out[0].p[1].v, -16384);
}

TEST(WallSurfaces3d, ShortEdgesAndEmptyTilesGiveNothing) {
    struct Case {
        int32_t height;  // floor to ceiling, z units
        int16_t picnum;
        int32_t count;
    };
    const Case cases[] = {{7, kTile8x8, 0}, {8, kTile8x8, 2}, {16384, kTileEmpty, 0},
                          {16384, -1, 0},   {16384, 20000, 0}};
    for (const Case& c : cases) {
        SceneRig rig;
        rig.build.addRoom(0, 0, 1024, 1024);
        rig.map.sectors[0].ceilingz = -c.height;
        rig.map.walls[0].picnum = c.picnum;
        WallTriangles3d out;
        EXPECT_EQ(wallTriangles3d(rig.src(), 0, 0, out), c.count) << c.height << " " << c.picnum;
    }
}

TEST(WallSurfaces3d, SkyBetweenParallaxedCeilings) {
    TwoRooms rig;
    rig.map.sectors[1].ceilingz = -8192;
    rig.map.sectors[0].ceilingstat = rig.map.sectors[1].ceilingstat = kSurfaceParallax;
    rig.map.sectors[0].ceilingpicnum = kTile6x5;
    WallTriangles3d out;
    ASSERT_EQ(rig.wallTris(rig.shared, out), 2);
    EXPECT_EQ(out[0].drawFlags, 19);
    EXPECT_EQ(out[0].visibility, 240);
    EXPECT_EQ(out[0].tileWidth, 6);
}

TEST(PlaneSurfaces3d, TextureCoordinatesByStatBits) {
    struct Case {
        uint16_t stat;
        int32_t u, v;  // at (10, 20), panning 0
        uint8_t flags;
    };
    const Case cases[] = {
        {0, 160, -320, 3},
        {kSurfaceFlipX, -160, -320, 3},
        {kSurfaceFlipY, 160, 320, 3},
        {kSurfaceSwapXY, -320, 160, 3},
        {kSurfaceSwapXY | kSurfaceFlipX, 320, 160, 3},
        {kSurfaceSwapXY | kSurfaceFlipY, -320, -160, 3},
        {kSurfaceDoubleSmoosh, 320, -640, 3},
        {kSurfaceParallax, 160, -320, 19},
        {256, 160, -320, 2},
        {256 | 128, 160, -320, 1},
        // Relative to the first wall along x from (0, 0): along = x, across = y.
        {kSurfaceRelativeAlign, 160, 320, 3},
        {kSurfaceRelativeAlign | kSurfaceSwapXY, 320, 160, 3},
        {kSurfaceRelativeAlign | kSurfaceFlipX | kSurfaceFlipY, -160, -320, 3},
    };
    for (const Case& c : cases) {
        SceneRig rig;
        rig.build.addRoom(0, 0, 1024, 1024);
        rig.map.sectors[0].floorstat = c.stat;
        SurfaceTriangle t;
        t.p[0] = {10, 20, 0, 0, 0};
        t.p[1] = {10, 20, 0, 0, 0};
        t.p[2] = {10, 20, 0, 0, 0};
        ASSERT_TRUE(applyPlaneRule3d(rig.src(), 0, false, {0, 0, 1024, 0}, t));
        EXPECT_EQ(t.p[0].u, c.u) << c.stat;
        EXPECT_EQ(t.p[0].v, c.v) << c.stat;
        EXPECT_EQ(t.drawFlags, c.flags) << c.stat;
    }
    // Panning moves by whole tile sizes; a slope stretches the across term.
    SceneRig rig;
    rig.build.addRoom(0, 0, 1024, 1024);
    SectorRecord& s = rig.map.sectors[0];
    s.floorxpanning = 2;
    s.floorypanning = 1;
    s.floorstat = kSurfaceRelativeAlign | kSurfaceSloped;
    s.floorheinum = 4096;
    SurfaceTriangle t;
    t.p[0] = {10, 20, 0, 0, 0};
    ASSERT_TRUE(applyPlaneRule3d(rig.src(), 0, false, {0, 0, 1024, 0}, t));
    EXPECT_EQ(t.p[0].u, 6 * 2 + 160);  // floor tile 6 x 5
    EXPECT_EQ(t.p[0].v, 5 * 1 + int32_t(std::floor(16 * 20 * std::sqrt(2.0) + 0.5)));
}

TEST(SpriteSurfaces3d, KindsFlipsAndFlags) {
    SceneRig rig;
    rig.build.addRoom(0, 0, 1024, 1024);
    const int32_t k = rig.build.addSprite(500, 500, 0, 0, kTile8x8);
    SpriteRecord& sp = rig.map.sprites[k];
    std::array<SurfaceTriangle, 2> out;

    // Flags by cstat.
    const std::pair<uint16_t, uint8_t> flags[] = {{0, 15}, {kSpriteTranslucent, 14},
                                                  {kSpriteTranslucent | kSpriteTranslucentReversed, 13},
                                                  {kSpriteOneSided, 11}};
    for (auto [cstat, want] : flags) {
        sp.cstat = uint16_t(kSpriteWallAligned | cstat);
        ASSERT_TRUE(spriteTriangles3d(rig.src(), k, 0, out));
        EXPECT_EQ(out[0].drawFlags, want) << cstat;
    }

    // A wall sprite: 8 texels wide at xrepeat 32 is 64 units; bottom at z, top 8 x 32 x 4 up.
    sp.cstat = kSpriteWallAligned;
    ASSERT_TRUE(spriteTriangles3d(rig.src(), k, 0, out));
    const Vertex3d& Bbottom = out[0].p[0];
    const Vertex3d& Atop = out[0].p[2];
    EXPECT_NEAR(std::hypot(Bbottom.x - Atop.x, Bbottom.y - Atop.y), 64, 1.5);
    EXPECT_EQ(Bbottom.z, 0);
    EXPECT_EQ(Atop.z, -1024);
    EXPECT_EQ(Bbottom.u, 2048);
    EXPECT_EQ(Atop.u, 0);
    EXPECT_EQ(Bbottom.v, 2048);
    EXPECT_EQ(Atop.v, 0);
    sp.cstat = kSpriteWallAligned | kSpriteFlipX | kSpriteFlipY;
    ASSERT_TRUE(spriteTriangles3d(rig.src(), k, 0, out));
    EXPECT_EQ(out[0].p[0].u, 0);
    EXPECT_EQ(out[0].p[0].v, 0);

    // A face sprite is 0.8333 as wide and turns with the camera.
    sp.cstat = 0;
    ASSERT_TRUE(spriteTriangles3d(rig.src(), k, 0, out));
    EXPECT_NEAR(std::hypot(out[0].p[0].x - out[0].p[1].x, out[0].p[0].y - out[0].p[1].y),
                64 * 0.8333, 1.5);
    EXPECT_EQ(out[0].p[0].u, 2048 - 16);
    const double x0 = out[0].p[0].x;
    ASSERT_TRUE(spriteTriangles3d(rig.src(), k, 512, out));
    EXPECT_NE(out[0].p[0].x, x0);

    // A floor sprite with y-flip: the same texture at each corner, the opposite winding.
    sp.cstat = kSpriteFloorAligned;
    ASSERT_TRUE(spriteTriangles3d(rig.src(), k, 0, out));
    const auto plain = out;
    sp.cstat = kSpriteFloorAligned | kSpriteFlipY;
    ASSERT_TRUE(spriteTriangles3d(rig.src(), k, 0, out));
    EXPECT_LT(planArea(plain[0]) * planArea(out[0]), 0);
    for (const Vertex3d& v : out[0].p) {
        bool found = false;
        for (const auto& t : plain)
            for (const Vertex3d& w : t.p)
                found |= w.u == v.u && w.v == v.v && std::fabs(w.x - v.x) + std::fabs(w.y - v.y) < 1e-9;
        EXPECT_TRUE(found);
    }

    // No sector, no tile: no triangles.
    sp.sectnum = 4000;
    EXPECT_FALSE(spriteTriangles3d(rig.src(), k, 0, out));
    sp.sectnum = 0;
    sp.picnum = kTileEmpty;
    EXPECT_FALSE(spriteTriangles3d(rig.src(), k, 0, out));
}

}  // namespace
}  // namespace korvel::test
