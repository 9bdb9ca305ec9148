#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "view3d/Frame3d.h"
#include "view3d/Render3d.h"
#include "view3d/SceneFixture.h"

namespace korvel::test {
namespace {

struct RasterRig : SceneRig {
    ColorTables colors;
    Random random;
    std::vector<uint8_t> image = std::vector<uint8_t>(size_t(kImageWidth3d) * kImageHeight3d, 0);
    RasterRig() {
        installFixtureColours(colors);
        std::fill(scene.depthBuffer3d.begin(), scene.depthBuffer3d.end(), kDepthCleared3d);
    }
    // A screen-space rectangle of two triangles facing the camera, at depth Y (map units).
    void addRect(double x0, double y0, double x1, double y1, double Y, int32_t tile, uint8_t flags,
                 int32_t sector = 0) {
        SurfaceTriangle t;
        t.objectCode = objectCode3d(SurfaceKind::Wall, scene.renderTriangleCount);
        setTile3d(tiles, tile, t);
        t.drawFlags = flags;
        t.sector = sector;
        const double z = 16777216 / Y;
        const auto v = [&](double x, double y, int32_t u, int32_t vv) {
            return Vertex3d{x, y, z, u, vv};
        };
        const int32_t U = t.tileWidth * 256, V = t.tileHeight * 256;
        t.p = {v(x0, y0, 0, V), v(x0, y1, 0, 0), v(x1, y1, U, 0)};
        scene.renderTriangles[scene.renderTriangleCount++] = t;
        t.objectCode = objectCode3d(SurfaceKind::Wall, scene.renderTriangleCount);
        t.p = {v(x1, y1, U, 0), v(x1, y0, U, V), v(x0, y0, 0, V)};
        scene.renderTriangles[scene.renderTriangleCount++] = t;
    }
    void rasterise(bool dither = false) {
        rasterise3dTriangles(scene, image, RasterInputs3d{tiles, colors, 0, dither, random, {}});
    }
    uint8_t pixel(int32_t col, int32_t row) const {
        return image[size_t(row) * kImageWidth3d + 2 * col];
    }
    int32_t pick(int32_t col, int32_t row) const {
        return scene.pickBuffer3d[size_t(row) * kCellColumns3d + col];
    }
    int16_t depth(int32_t col, int32_t row) const {
        return scene.depthBuffer3d[size_t(row) * kCellColumns3d + col];
    }
};

TEST(Rasterise3d, OpaqueRectangleShowsItsTexelsAndFillsTheBuffers) {
    RasterRig rig;
    rig.addRect(100, 100, 180, 180, 1000, kTile8x8, 3);
    rig.rasterise();
    // Identity colour tables: the pixel is the texel. Cell (110, 170) lies in texel column
    // (110 - 100) / 10 = 1, and row 170 is near the tile's top (v 0 at y1).
    const int32_t col = 110, row = 170;
    EXPECT_EQ(rig.pixel(col, row), fixtureTexel(kTile8x8, 1, 0));
    EXPECT_GE(rig.pick(col, row), 0);
    EXPECT_NEAR(rig.depth(col, row), 1000 / 4.0, 2);
    EXPECT_EQ(rig.pick(50, 50), -1);
    EXPECT_EQ(rig.depth(50, 50), kDepthCleared3d);
}

TEST(Rasterise3d, DepthRulesOfMaskedTranslucentAndSky) {
    struct Case {
        const char* name;
        uint8_t backFlags, frontFlags;
        double backY, frontY;
        bool frontShows;
    };
    const Case cases[] = {
        {"nearer opaque wins", 3, 3, 1000, 900, true},
        {"farther opaque loses", 3, 3, 900, 1000, false},
        {"coplanar opaque loses", 3, 3, 1000, 1000, false},
        {"coplanar masked wins", 3, 11, 1000, 1000, true},
        {"coplanar translucent wins", 3, 2, 1000, 1000, true},
        {"behind a sky triangle still shows", 19, 3, 500, 1000, true},
    };
    for (const Case& c : cases) {
        RasterRig rig;
        rig.addRect(100, 100, 180, 180, c.backY, kTile8x8, c.backFlags);
        rig.addRect(100, 100, 180, 180, c.frontY, kTile16x4, c.frontFlags);
        rig.rasterise();
        const int32_t p = rig.pick(140, 140);
        EXPECT_EQ(p >= 2, c.frontShows) << c.name;
    }
}

TEST(Rasterise3d, BlendModesIndexTheBlendTableAsWritten) {
    for (uint8_t mode : {uint8_t(2), uint8_t(1)}) {
        RasterRig rig;
        rig.addRect(100, 100, 180, 180, 1000, kTile8x8, 3);
        rig.addRect(100, 100, 180, 180, 900, kTile16x4, mode);
        RasterRig under;
        under.addRect(100, 100, 180, 180, 1000, kTile8x8, 3);
        under.rasterise();
        RasterRig over;
        over.addRect(100, 100, 180, 180, 900, kTile16x4, 3);
        over.rasterise();
        rig.rasterise();
        const uint8_t e = under.pixel(120, 120), n = over.pixel(120, 120);
        const uint8_t want = mode == 2 ? rig.colors.blendTable[size_t(e) * 256 + n]
                                       : rig.colors.blendTable[size_t(n) * 256 + e];
        EXPECT_EQ(rig.pixel(120, 120), want) << int(mode);
    }
}

TEST(Rasterise3d, MaskedTexel255IsTransparent) {
    RasterRig rig;
    // A 2 x 2 tile whose left column is 255.
    addTile(rig.tiles, 100, 2, 2, {255, 255, 9, 9});
    rig.addRect(100, 100, 180, 180, 1000, kTile8x8, 3);
    rig.addRect(100, 100, 180, 180, 900, 100, 11);
    rig.rasterise();
    EXPECT_LT(rig.pick(110, 140), 2);  // left half: the wall behind shows through
    EXPECT_GE(rig.pick(170, 140), 2);  // right half: the masked texel
    EXPECT_EQ(rig.pixel(170, 140), 9);
}

TEST(Rasterise3d, DegenerateTrianglesAreSkippedWithoutStatus) {
    RasterRig rig;
    SurfaceTriangle t;
    t.objectCode = 0;
    setTile3d(rig.tiles, kTile8x8, t);
    t.drawFlags = 3;
    t.sector = 5;
    t.p = {Vertex3d{10, 10, 100, 0, 0}, Vertex3d{20, 20, 100, 0, 0},
           Vertex3d{30, 30.00001, 100, 0, 0}};
    rig.scene.renderTriangles[rig.scene.renderTriangleCount++] = t;
    rig.scene.sectorSkipLevel3d[5] = 10;
    rig.rasterise();
    EXPECT_EQ(rig.scene.sectorSkipLevel3d[5], 11);  // untouched: grows by one
    EXPECT_TRUE(std::all_of(rig.image.begin(), rig.image.end(), [](uint8_t c) { return c == 0; }));
}

TEST(Rasterise3d, SkipLevelInterlacesRows) {
    // One triangle (index 0) from row top down to row 180: a level of 16 k draws every k-th row,
    // counted from the triangle's first row on by (index + frame) mod k, rows below the picture
    // counted too.
    struct Case {
        int32_t level, step, top;
    };
    const Case cases[] = {{32, 2, 100}, {48, 3, 100}, {48, 3, -25}, {64, 4, -3}, {79, 4, 101}};
    for (const Case& c : cases)
        for (int32_t frame : {0, 1, 2}) {
            RasterRig rig;
            rig.scene.sectorSkipLevel3d[0] = c.level;
            rig.scene.frame3dCounter = frame;
            rig.addRect(100, c.top, 180, 180, 1000, kTile8x8, 3);
            rig.scene.renderTriangleCount = 1;
            rig.rasterise();
            for (int32_t r = std::max(c.top, 0) + 2; r < 178; ++r) {
                bool drawn = false;
                for (int32_t col = 100; col < 180; ++col) drawn |= rig.pick(col, r) >= 0;
                const bool expected = ((r - c.top - frame % c.step) % c.step) == 0;
                EXPECT_EQ(drawn, expected) << "level " << c.level << " top " << c.top << " frame "
                                           << frame << " row " << r;
            }
        }
}

TEST(Rasterise3d, DitherRepeatsWithTheSameGenerator) {
    std::vector<uint8_t> images[2];
    uint32_t states[2];
    for (int run = 0; run < 2; ++run) {
        RasterRig rig;
        rig.random.randomState = 99;
        rig.addRect(100, 100, 180, 180, 3000, kTile8x8, 3);
        for (auto& t : rig.scene.renderTriangles) t.visibility = 200;
        rig.rasterise(true);
        images[run] = rig.image;
        states[run] = rig.random.randomState;
    }
    EXPECT_EQ(images[0], images[1]);
    EXPECT_EQ(states[0], states[1]);
    EXPECT_NE(states[0], 99u);
}

TEST(Rasterise3d, ALastTileWiderThanItsPowerOfTwoReadsNothingPastThePixels) {
    RasterRig rig;
    std::vector<uint8_t> pixels(257 * 257, 7);
    addTile(rig.tiles, 200, 257, 257, pixels);
    rig.tiles.artPixels.resize(rig.tiles.artPixels.size() - 65536);  // no spare bytes at all
    SurfaceTriangle t;
    setTile3d(rig.tiles, 200, t);
    t.objectCode = 0;
    t.drawFlags = 3;
    t.sector = 0;
    const double z = 16777216 / 1000.0;
    // Texture coordinates running over the whole wrapped range (512 texels).
    t.p = {Vertex3d{0, 0, z, 0, 0}, Vertex3d{0, 449, z, 0, 512 * 256},
           Vertex3d{399, 449, z, 512 * 256, 512 * 256}};
    rig.scene.renderTriangles[rig.scene.renderTriangleCount++] = t;
    rig.rasterise();
    EXPECT_EQ(rig.pixel(10, 300), 7);
}

// --- Projection ---

struct ProjectRig : SceneRig {
    Camera3d cam;
    View3DOptions options;
    void add(std::array<Vertex3d, 3> p, uint8_t flags = 3) {
        SurfaceTriangle t;
        t.objectCode = scene.surfaceTriangleCount;
        setTile3d(tiles, kTile8x8, t);
        t.drawFlags = flags;
        t.sector = 0;
        t.p = p;
        scene.surfaceTriangles[scene.surfaceTriangleCount++] = t;
    }
    void project() { project3dTriangles(scene, frameCameraOf(cam), cam, options); }
};

// A triangle facing a camera at the origin looking along +x, at distance d.
std::array<Vertex3d, 3> facing(double d, double half = 100) {
    return {Vertex3d{d, half, 0, 0, 0}, Vertex3d{d, -half, 0, 0, 0},
            Vertex3d{d, 0, -16 * half, 0, 0}};
}

TEST(Project3d, NearPlaneBackFacesAndOrder) {
    ProjectRig rig;
    rig.options = {false, false, false, false};
    auto a = facing(500);
    auto b = facing(300);
    rig.add(a);
    rig.add(b);
    rig.project();
    ASSERT_EQ(rig.scene.renderTriangleCount, 2);
    EXPECT_EQ(rig.scene.renderTriangles[0].objectCode, 0);  // cache order kept without sorting
    EXPECT_EQ(rig.scene.renderTriangles[1].objectCode, 1);
    rig.options.depthSortFirst = true;
    rig.project();
    EXPECT_EQ(rig.scene.renderTriangles[0].objectCode, 1);  // nearest first

    // Reversed winding: a back face, removed unless two-sided.
    ProjectRig back;
    auto r = facing(500);
    std::swap(r[0], r[1]);
    back.add(r);
    back.add(r, 3 | kDrawTwoSided3d);
    back.project();
    ASSERT_EQ(back.scene.renderTriangleCount, 1);
    EXPECT_EQ(back.scene.renderTriangles[0].objectCode, 1);

    // Entirely nearer than the near plane: dropped; crossing it: cut at depth 64.
    ProjectRig near;
    near.add(facing(40));
    near.add(
        {Vertex3d{400, 100, 0, 0, 0}, Vertex3d{30, -100, 0, 0, 0}, Vertex3d{400, 0, -1600, 0, 0}});
    near.project();
    for (int32_t i = 0; i < near.scene.renderTriangleCount; ++i) {
        EXPECT_EQ(near.scene.renderTriangles[i].objectCode, 1);
        for (const Vertex3d& v : near.scene.renderTriangles[i].p)
            EXPECT_LE(v.z, 16777216 / 64.0 + 1e-6);
    }
}

TEST(Project3d, SkipRuleByLoad) {
    struct Case {
        int32_t load, level, k;
    };
    const Case cases[] = {{63, 64, 9}, {64, 64, 3}, {2047, 64, 3}, {2048, 64, 2}, {0, 0, 1}};
    for (const Case& c : cases) {
        ProjectRig rig;
        for (int i = 0; i < 36; ++i) rig.add(facing(500 + i));
        rig.scene.loadAverage3d = c.load;
        rig.scene.sectorSkipLevel3d[0] = c.level;
        rig.project();
        EXPECT_EQ(rig.scene.drawnTriangleCount, 36 / c.k) << c.load;
    }
}

TEST(Project3d, TextureReductionKeepsEveryTexel) {
    ProjectRig rig;
    auto p = facing(500);
    p[0].u = 8 * 256 * 1000 + 300;
    p[1].u = 8 * 256 * 1000 + 900;
    p[2].u = 8 * 256 * 1000 + 100;
    rig.add(p);
    rig.project();
    ASSERT_EQ(rig.scene.renderTriangleCount, 1);
    const auto& q = rig.scene.renderTriangles[0].p;
    std::array<int32_t, 3> before{300, 900, 100};
    // Each coordinate moved by the same whole number of tile widths.
    std::array<int32_t, 3> after;
    for (int k = 0; k < 3; ++k) after[k] = q[k].u;
    std::sort(after.begin(), after.end());
    std::sort(before.begin(), before.end());
    const int32_t shift = after[0] - before[0];
    EXPECT_EQ(shift % 2048, 0);
    for (int k = 0; k < 3; ++k) EXPECT_EQ(after[k] - before[k], shift);
    EXPECT_LT(std::abs(after[0]), 8 * 256 * 4);
}

// --- Frame driver ---

struct FrameRig : RasterRig {
    Camera3d cam;
    FrameInputs3d inputs() {
        ViewState view;
        return FrameInputs3d{
            map,   tiles,  colors, cam, View3DOptions{}, View3DMode::Live, PlanProjection(view),
            false, random, {}};
    }
};

TEST(Frame3d, PickCodesAreClearedEveryEighthFrameOnly) {
    FrameRig rig;
    rig.build.addRoom(0, 0, 1024, 1024);
    rig.texturedWalls();
    rig.prepare();
    rig.cam.camX = 5000;  // outside, looking away: nothing is drawn
    rig.cam.camY = 5000;
    for (int32_t frame = 0; frame <= 16; ++frame) {
        rig.scene.pickObjectBuffer3d[123] = 4242;
        rig.scene.pickBuffer3d[123] = 77;
        rig.scene.frame3dCounter = frame;
        renderFrame(rig.scene, rig.image, rig.inputs());
        EXPECT_EQ(rig.scene.pickObjectBuffer3d[123], frame % 8 == 0 ? -1 : 4242) << frame;
        EXPECT_EQ(rig.scene.pickBuffer3d[123], -1) << frame;
        EXPECT_EQ(rig.scene.depthBuffer3d[123], kDepthCleared3d);
        EXPECT_EQ(rig.scene.frame3dCounter, frame + 1);
    }
}

TEST(Frame3d, InsideARoomTheWallsAreDrawnAndNamed) {
    FrameRig rig;
    rig.build.addRoom(0, 0, 1024, 1024);
    rig.texturedWalls();
    rig.prepare();
    rig.cam.camX = 512;
    rig.cam.camY = 512;
    rig.cam.camZ = -8192;
    renderFrame(rig.scene, rig.image, rig.inputs());
    const int32_t code = rig.scene.pickObjectBuffer3d[225 * kCellColumns3d + 200];
    ASSERT_GE(code, 0);
    EXPECT_EQ(code >> 16, int32_t(SurfaceKind::Wall));
    const uint8_t c = rig.image[225 * kImageWidth3d + 400];
    EXPECT_TRUE(c >= fixtureTexel(kTile8x8, 0, 0) && c <= fixtureTexel(kTile8x8, 7, 7));
    // Face sprites are rebuilt from the static count every frame.
    rig.build.addSprite(800, 512, 0, 0, kTile8x8);
    const int32_t before = rig.scene.surfaceTriangleCountBeforeSprites;
    renderFrame(rig.scene, rig.image, rig.inputs());
    renderFrame(rig.scene, rig.image, rig.inputs());
    EXPECT_EQ(rig.scene.surfaceTriangleCount, before + 2);
}

TEST(Frame3d, DepthLevelColours) {
    const std::pair<int32_t, uint8_t> table[] = {{-1, 0}, {0, 83},  {1, 71}, {2, 68},
                                                 {3, 92}, {4, 128}, {5, 8},  {6, 7},
                                                 {7, 6},  {8, 5},   {9, 5}};
    for (auto [level, colour] : table) EXPECT_EQ(depthLevelColour(level), colour) << level;
}

TEST(Frame3d, PlanViewsShadeByHeight) {
    FrameRig rig;
    rig.build.addRoom(-1000, -500, 0, 500);
    rig.build.addRoom(0, -500, 1000, 500);
    // The same heights: one colour.
    ViewState view;
    view.viewOriginX = 0;
    view.viewOriginY = 0;
    view.viewZoom = 4;
    auto in = rig.inputs();
    in.plan = PlanProjection(view);
    in.mode = View3DMode::PlanFilled;
    renderFrame(rig.scene, rig.image, in);
    const int32_t row = 300 - 134;
    EXPECT_EQ(rig.image[size_t(row) * 800 + 300], 68);
    EXPECT_EQ(rig.image[size_t(row) * 800 + 500], 68);
    EXPECT_EQ(rig.image[size_t(row) * 800 + 10], 0);
    // Different heights: the lowest floor and the highest take the two ends of the scale.
    rig.map.sectors[1].floorz = -4096;
    const uint32_t stateBefore = rig.random.randomState;
    renderFrame(rig.scene, rig.image, in);
    EXPECT_NE(rig.random.randomState, stateBefore);
    EXPECT_EQ(rig.image[size_t(row) * 800 + 500], depthLevelColour(0));
    const uint8_t low = rig.image[size_t(row) * 800 + 300];
    EXPECT_TRUE(low == depthLevelColour(8) || low == depthLevelColour(7)) << int(low);
}

}  // namespace
}  // namespace korvel::test
