// The projection passes over blocks of the cache that lie wholly outside the view. Whatever the
// camera, the skip levels and the edits since the blocks were bounded, the projected list, its
// depth keys and the counters must be those of projecting every entry one by one.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "support/GridMaps.h"
#include "view3d/Render3d.h"
#include "view3d/SceneFixture.h"

namespace korvel::test {
namespace {

// 8 x 6 rooms of 512 units with floors at three heights (so shared walls have upper and lower
// parts), every wall, plane and sprite textured, and sprites of the three shapes in each room.
struct BlocksRig : SceneRig {
    static constexpr int32_t kCols = 8, kRows = 6;

    BlocksRig() {
        buildSplitRoomGrid(map, kCols, kRows, 3);
        for (int32_t s = 0; s < map.sectorCount; ++s) {
            SectorRecord& sec = map.sectors[s];
            sec.floorz = (s % 3) * 1024 * 16;
            sec.ceilingz = sec.floorz - 16384 * 4;
            sec.floorpicnum = kTile16x4;
            sec.ceilingpicnum = kTile6x5;
        }
        for (int32_t w = 0; w < map.wallCount; ++w) map.walls[w].picnum = kTile8x8;
        const uint16_t shapes[] = {0, kSpriteWallAligned, kSpriteFloorAligned};
        for (int32_t k = 0; k < map.spriteCount; ++k) {
            SpriteRecord& sp = map.sprites[k];
            sp.picnum = kTile8x8;
            sp.xrepeat = sp.yrepeat = 64;
            sp.cstat = uint16_t(shapes[k % 3] | (k % 5 == 0 ? kSpriteTranslucent : 0));
            sp.ang = int16_t(k * 150);
            sp.z = map.sectors[sp.sectnum].floorz;
        }
        prepare();
    }
};

// A room's first wall.
int32_t firstWallOf(int32_t row, int32_t col) {
    return (row * BlocksRig::kCols + col) * 8;
}

struct Projected {
    std::vector<double> list;  // every field of every projected triangle, and its depth key
    int32_t count = 0, drawn = 0;
    bool has(int32_t code, const Scene3d& sc) const {
        for (int32_t i = 0; i < count; ++i)
            if (sc.renderTriangles[size_t(i)].objectCode == code) return true;
        return false;
    }
};

Projected project(Scene3d& sc, const Camera3d& cam, bool passOver) {
    View3DOptions options;
    options.passOverHiddenBlocks = passOver;
    project3dTriangles(sc, frameCameraOf(cam), cam, options);
    Projected out;
    out.count = sc.renderTriangleCount;
    out.drawn = sc.drawnTriangleCount;
    for (int32_t i = 0; i < sc.renderTriangleCount; ++i) {
        const SurfaceTriangle& t = sc.renderTriangles[size_t(i)];
        for (const Vertex3d& v : t.p)
            out.list.insert(out.list.end(), {v.x, v.y, v.z, double(v.u), double(v.v)});
        out.list.insert(out.list.end(),
                        {double(t.objectCode), double(t.tileRef), double(t.tileWidth),
                         double(t.tileHeight), double(t.shade), double(t.pal), double(t.visibility),
                         double(t.drawFlags), double(t.sector), sc.renderTriangleDepth[size_t(i)]});
    }
    return out;
}

// Projects with and without passing over blocks and expects the same; returns the list.
Projected expectSameList(Scene3d& sc, const Camera3d& cam, const std::string& what) {
    const Projected with = project(sc, cam, true);
    const Projected without = project(sc, cam, false);
    EXPECT_EQ(with.count, without.count) << what;
    EXPECT_EQ(with.drawn, without.drawn) << what;
    EXPECT_TRUE(with.list == without.list) << what;
    // The projection leaves the list of the last call in the scene: that of the reference.
    return without;
}

Camera3d camera(double x, double y, double z, double angle, double pitch = 0, double tilt = 0,
                double zoom = 400) {
    Camera3d cam;
    cam.camX = x;
    cam.camY = y;
    cam.camZ = z;
    cam.camAngle = angle;
    cam.pitch3d = pitch;
    cam.tilt3d = tilt;
    cam.zoom3d = zoom;
    return cam;
}

TEST(Project3dBlocks, TheListIsThatOfProjectingEveryEntry) {
    struct Case {
        const char* name;
        Camera3d cam;
        int32_t load, level;  // the load figure and every sector's skip level
        bool nothingShown;
    };
    const double mid = 3 * 512;
    const Case cases[] = {
        {"inside, looking along the rows", camera(256, mid, -8192, 0), 0, 0, false},
        {"inside, looking back", camera(3000, mid, -8192, 1024), 0, 0, false},
        {"inside, looking along the columns", camera(2048, 256, -8192, 512), 0, 0, false},
        {"inside, diagonal", camera(700, 700, -8192, 256), 0, 0, false},
        {"outside, looking at the map", camera(-3000, mid, -8192, 0), 0, 0, false},
        {"outside, looking away", camera(-3000, mid, -8192, 1024), 0, 0, true},
        {"far above, looking up", camera(2048, mid, -900000, 0, -20000), 0, 0, true},
        {"pitched and leaning", camera(1000, 900, -6000, 100, 1200, -900), 0, 0, false},
        {"on a room boundary, along it", camera(1024, 1024, -8192, 0), 0, 0, false},
        {"on a room boundary, across it", camera(1024, 1024, -8192, 512), 0, 0, false},
        {"a wall at the near distance", camera(512 - 64, 256, -8192, 0), 0, 0, false},
        {"wide lens", camera(256, mid, -8192, 0, 0, 0, 40), 0, 0, false},
        {"narrow lens", camera(256, mid, -8192, 0, 0, 0, 8000), 0, 0, false},
        {"every third entry by the load", camera(256, mid, -8192, 0), 100, 64, false},
        {"every other entry by the load", camera(-3000, mid, -8192, 1024), 3000, 64, true},
        {"every ninth entry", camera(3000, mid, -8192, 1024), 10, 64, false},
    };
    for (const Case& c : cases) {
        BlocksRig rig;
        rig.scene.loadAverage3d = c.load;
        std::fill(rig.scene.sectorSkipLevel3d.begin(), rig.scene.sectorSkipLevel3d.end(), c.level);
        for (int32_t frame = 0; frame < 3; ++frame) {
            rig.scene.frame3dCounter = frame;
            const Projected p = expectSameList(rig.scene, c.cam, c.name);
            // Entries out of sight still count as drawn.
            EXPECT_GT(p.drawn, 0) << c.name;
            EXPECT_EQ(p.count == 0, c.nothingShown) << c.name;
        }
    }
}

TEST(Project3dBlocks, SeededCamerasAllOverTheMap) {
    BlocksRig rig;
    uint32_t seed = 12345;
    const auto next = [&](double lo, double hi) {
        seed = seed * 1664525u + 1013904223u;
        return lo + (hi - lo) * double(seed >> 8) / double(1u << 24);
    };
    for (int32_t k = 0; k < 150; ++k) {
        const Camera3d cam =
            camera(next(-2000, 6000), next(-2000, 5000), next(-80000, 20000), next(0, 2048),
                   k % 3 ? 0 : next(-3000, 3000), k % 3 ? 0 : next(-3000, 3000), next(100, 1200));
        rig.scene.frame3dCounter = k;
        expectSameList(rig.scene, cam, "camera " + std::to_string(k));
    }
}

// An edit moves an object's entries into a block that was wholly out of sight, or out of one in
// sight; the blocks' bounds follow, or the moved object would be passed over.
TEST(Project3dBlocks, EditedObjectsAreSeenWhereTheyNowLie) {
    // Outside the map, looking away from it: every block is out of sight.
    const double heading = 1536;
    const Camera3d cam = camera(256, -500, -8192, heading);
    const int32_t far = firstWallOf(BlocksRig::kRows - 1, 1);
    const int32_t farSprite = ((BlocksRig::kRows - 1) * BlocksRig::kCols + 1) * 3;
    struct Case {
        const char* name;
        int32_t code;  // the object moved into sight; -1 when it moves out of sight
        std::function<void(BlocksRig&)> edit;
    };
    // Moves a wall's first corner, and so the end of the wall before it in its room.
    const auto moveCorner = [](BlocksRig& rig, int32_t w, int32_t x, int32_t y) {
        rig.map.walls[w].x = x;
        rig.map.walls[w].y = y;
        refreshWall3d(rig.scene, rig.src(), w);
        refreshWall3d(rig.scene, rig.src(), w % 8 == 0 ? w + 7 : w - 1);
    };
    const auto placeSprite = [](BlocksRig& rig, int32_t k, int32_t x, int32_t y) {
        rig.map.sprites[k].x = x;
        rig.map.sprites[k].y = y;
        rig.map.sprites[k].z = 0;
    };
    const auto moveSprite = [&](BlocksRig& rig, int32_t k, int32_t x, int32_t y) {
        placeSprite(rig, k, x, y);
        refreshSprite3d(rig.scene, rig.src(), k, heading);
    };
    const Case cases[] = {
        // The room's far side, turned to face the camera in front of it.
        {"a wall dragged into sight", objectCode3d(SurfaceKind::Wall, far + 4),
         [&](BlocksRig& rig) {
             moveCorner(rig, far + 4, 100, -2500);
             moveCorner(rig, far + 5, 600, -2500);
         }},
        {"a wall dragged out of sight", -1,
         [&](BlocksRig& rig) { moveCorner(rig, firstWallOf(0, 3) + 2, 1600, 2900); }},
        // A shared wall given a masked part has more entries than slots: they move behind the
        // static ones.
        {"a wall that outgrows its slots", objectCode3d(SurfaceKind::WallPart, far + 7),
         [&](BlocksRig& rig) {
             moveCorner(rig, far + 7, 100, -2500);
             moveCorner(rig, far, 600, -2500);
             WallRecord& w = rig.map.walls[far + 7];
             w.cstat = kWallMasked;
             w.overpicnum = kTile8x8;
             refreshWall3d(rig.scene, rig.src(), far + 7);
         }},
        // Their lower parts gone, shared walls leave blank entries among their sector's.
        {"shared walls that lose a part", -1,
         [&](BlocksRig& rig) {
             rig.map.sectors[far / 8 + 1].floorz = rig.map.sectors[far / 8].floorz;
             for (int32_t w = far; w < far + 8; ++w) refreshWall3d(rig.scene, rig.src(), w);
         }},
        {"a face sprite made invisible", -1,
         [&](BlocksRig& rig) {
             rig.map.sprites[farSprite].cstat |= kSpriteInvisible;
             refreshSprite3d(rig.scene, rig.src(), farSprite, heading);
         }},
        {"a wall sprite moved, then the view prepared again",
         objectCode3d(SurfaceKind::Sprite, farSprite + 1),
         [&](BlocksRig& rig) {
             placeSprite(rig, farSprite + 1, 256, -2000);
             rig.prepare(heading);
         }},
        {"a wall sprite moved into sight", objectCode3d(SurfaceKind::Sprite, farSprite + 1),
         [&](BlocksRig& rig) { moveSprite(rig, farSprite + 1, 256, -2000); }},
        {"a floor sprite moved into sight", objectCode3d(SurfaceKind::Sprite, farSprite + 2),
         [&](BlocksRig& rig) { moveSprite(rig, farSprite + 2, 256, -2000); }},
        {"a face sprite moved into sight", objectCode3d(SurfaceKind::Sprite, farSprite),
         [&](BlocksRig& rig) { moveSprite(rig, farSprite, 256, -2000); }},
        {"a face sprite moved, then the face sprites built",
         objectCode3d(SurfaceKind::Sprite, farSprite),
         [&](BlocksRig& rig) {
             placeSprite(rig, farSprite, 256, -2000);
             buildFaceSpritePolygons3d(rig.scene, rig.src(), heading);
         }},
        {"a face sprite moved out of sight", -1,
         [&](BlocksRig& rig) { moveSprite(rig, 9, 300, 2900); }},
        {"a floor raised", -1,
         [&](BlocksRig& rig) {
             rig.map.sectors[far / 8].floorz = -40000 * 16;
             refreshSectorPlanes3d(rig.scene, rig.src(), far / 8);
         }},
    };
    for (const Case& c : cases) {
        BlocksRig rig;
        buildFaceSpritePolygons3d(rig.scene, rig.src(), heading);
        const Projected before = expectSameList(rig.scene, cam, c.name);
        if (c.code >= 0) EXPECT_EQ(before.count, 0) << c.name;
        c.edit(rig);
        const Projected after = expectSameList(rig.scene, cam, c.name);
        if (c.code >= 0) EXPECT_TRUE(after.has(c.code, rig.scene)) << c.name;
        // The face sprites built again for the next frame.
        buildFaceSpritePolygons3d(rig.scene, rig.src(), heading);
        expectSameList(rig.scene, cam, c.name);
        // Every third entry taking part, from three frames on.
        rig.scene.loadAverage3d = 100;
        std::fill(rig.scene.sectorSkipLevel3d.begin(), rig.scene.sectorSkipLevel3d.end(), 64);
        for (int32_t frame = 0; frame < 3; ++frame) {
            rig.scene.frame3dCounter = frame;
            expectSameList(rig.scene, cam, c.name);
        }
    }
}

// A two-sided triangle at (depth, across, up) from a camera at the origin looking along +x.
SurfaceTriangle seenAt(const TileStore& tiles, std::array<std::array<double, 3>, 3> corners) {
    SurfaceTriangle t;
    t.objectCode = objectCode3d(SurfaceKind::Wall, 1);
    setTile3d(tiles, kTile8x8, t);
    t.drawFlags = kDrawOpaque3d | kDrawTwoSided3d;
    for (size_t k = 0; k < 3; ++k)
        t.p[k] = Vertex3d{corners[k][0], corners[k][1], -16 * corners[k][2], 0, 0};
    return t;
}

// Blocks whose entries reach just past one of the planes into the view, or stop just short of
// it: those reaching in are projected (a sliver each), the others leave nothing.
TEST(Project3dBlocks, BlocksAtTheEdgeOfEachPlane) {
    const double in = 1e-3;
    const double slope = 225.0 / 400;  // of the upper and lower planes at the standard zoom
    struct Case {
        const char* name;
        std::array<std::array<double, 3>, 3> corners;  // for reaching in by d: d = in, -in
        double d;
    };
    std::vector<Case> cases;
    for (const double d : {in, -in}) {
        cases.push_back({"near", {{{64 + d, 0, 0}, {10, 50, 0}, {10, -50, 10}}}, d});
        cases.push_back({"left", {{{1000, -1000 + d, 0}, {1000, -2000, 0}, {900, -2000, 50}}}, d});
        cases.push_back({"right", {{{1000, 1000 - d, 0}, {1000, 2000, 0}, {900, 2000, 50}}}, d});
        cases.push_back(
            {"top", {{{1000, 0, 1000 * slope - d}, {1000, 50, 900}, {1000, -50, 900}}}, d});
        cases.push_back(
            {"bottom", {{{1000, 0, -1000 * slope + d}, {1000, 50, -900}, {1000, -50, -900}}}, d});
    }
    for (const Case& c : cases) {
        SceneRig rig;
        // A block and a half of the same entry, so one block is all of it and one part of it.
        for (int32_t i = 0; i < kEntryBlock3d * 3 / 2; ++i)
            rig.scene.surfaceTriangles[size_t(rig.scene.surfaceTriangleCount++)] =
                seenAt(rig.tiles, c.corners);
        const std::string what =
            std::string(c.name) + (c.d > 0 ? ", reaching in" : ", short of it");
        const Projected p = expectSameList(rig.scene, camera(0, 0, 0, 0), what);
        EXPECT_EQ(p.count > 0, c.d > 0) << what;
        EXPECT_EQ(p.drawn, kEntryBlock3d * 3 / 2) << what;
    }
}

// Entries appended behind the count without a word to the bounds, as the tests' own rigs do,
// are seen in the block they grow into, wherever in it they land.
TEST(Project3dBlocks, EntriesAppendedPastTheCountAreSeen) {
    SceneRig rig;
    Scene3d& sc = rig.scene;
    const Camera3d cam = camera(0, 0, 0, 0);
    const SurfaceTriangle behind =
        seenAt(rig.tiles, {{{-500, 0, 0}, {-500, 50, 0}, {-500, 0, 50}}});
    const SurfaceTriangle ahead = seenAt(rig.tiles, {{{500, 0, 0}, {500, 50, 0}, {500, 0, 50}}});
    for (int32_t k = 0; k < 2 * kEntryBlock3d; ++k) {
        sc.surfaceTriangles[size_t(sc.surfaceTriangleCount++)] = behind;
        EXPECT_EQ(expectSameList(sc, cam, "behind").count, 0) << k;
        // Seen, then taken off again, its place taken by the next entry behind.
        sc.surfaceTriangles[size_t(sc.surfaceTriangleCount++)] = ahead;
        EXPECT_EQ(expectSameList(sc, cam, "ahead").count, 1) << k;
        --sc.surfaceTriangleCount;
    }
}

}  // namespace
}  // namespace korvel::test
