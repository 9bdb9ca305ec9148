// A short seeded flight through a dozen rooms with every kind of surface, checked frame by frame
// against fingerprints of the picture, the depth and pick buffers, the projected list, the
// adaptive counters and the generator. The fingerprints were taken from the straightforward
// renderer; a faster one must reproduce them bit for bit.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "view3d/Frame3d.h"
#include "view3d/Render3d.h"
#include "view3d/SceneFixture.h"

namespace korvel::test {
namespace {

constexpr int32_t kTile64 = 10, kTile48x40 = 11, kTileSky = 12, kTileMasked = 13;

struct Fingerprint {
    uint64_t h = 1469598103934665603ull;
    void bytes(const void* p, size_t n) {
        const auto* b = static_cast<const uint8_t*>(p);
        for (size_t i = 0; i < n; ++i) h = (h ^ b[i]) * 1099511628211ull;
    }
    template <class T>
    void value(T v) {
        bytes(&v, sizeof v);
    }
    template <class T>
    void all(const std::vector<T>& v, size_t n) {
        bytes(v.data(), n * sizeof(T));
    }
};

struct FlightRig : SceneRig {
    ColorTables colors;
    Random random;
    std::vector<uint8_t> image = std::vector<uint8_t>(size_t(kImageWidth3d) * kImageHeight3d, 0);

    FlightRig() {
        installFixtureColours(colors);
        // Shades that darken, so the interpolated light level shows in the picture.
        for (int32_t l = 0; l < 32; ++l)
            for (int32_t c = 0; c < 256; ++c)
                colors.gameShades[size_t(l * 256 + c)] = uint8_t(c * (40 - l) / 40);
        const auto pattern = [](int32_t w, int32_t h, int32_t seed, bool holes) {
            std::vector<uint8_t> px(size_t(w) * size_t(h));
            for (size_t i = 0; i < px.size(); ++i) px[i] = uint8_t(16 + (i * 7 + size_t(seed) * 31) % 200);
            if (holes)
                for (size_t i = 0; i < px.size(); i += 3) px[i] = 255;
            return px;
        };
        addTile(tiles, kTile64, 64, 64, pattern(64, 64, 1, false));
        addTile(tiles, kTile48x40, 48, 40, pattern(48, 40, 2, false));
        addTile(tiles, kTileSky, 128, 64, pattern(128, 64, 3, false));
        addTile(tiles, kTileMasked, 32, 32, pattern(32, 32, 4, true));

        // 4 x 3 rooms with split sides, pillars, heights, slopes, sky and sprites of all kinds.
        const int32_t S = 1024, cols = 4, rows = 3;
        const int16_t wallTiles[] = {kTile64, kTile48x40, kTile8x8, kTile6x5, kTile16x4};
        for (int32_t r = 0; r < rows; ++r)
            for (int32_t c = 0; c < cols; ++c) {
                const int32_t x = c * S, y = r * S, n = r * cols + c;
                const int32_t s = build.addSector({{x, y}, {x + S / 2, y}, {x + S, y}, {x + S, y + S / 2},
                                                   {x + S, y + S}, {x + S / 2, y + S}, {x, y + S},
                                                   {x, y + S / 2}});
                if (n % 4 == 1) build.addRectHole(x + 400, y + 400, x + 600, y + 600);
                SectorRecord& sec = map.sectors[s];
                sec.floorz = ((r * 7 + c * 3) % 5) * 1024;
                sec.ceilingz = sec.floorz - 16384 - ((r + c) % 3) * 2048;
                sec.floorpicnum = wallTiles[n % 5];
                sec.ceilingpicnum = n % 5 == 2 ? kTileSky : kTile64;
                if (n % 5 == 2) sec.ceilingstat = kSurfaceParallax;
                if (n % 3 == 0) {
                    sec.floorstat = kSurfaceSloped;
                    sec.floorheinum = 512;
                }
                if (n % 4 == 3) {
                    sec.ceilingstat = uint16_t(sec.ceilingstat | kSurfaceSloped);
                    sec.ceilingheinum = -700;
                }
                sec.floorstat = uint16_t(sec.floorstat | ((n % 2) ? kSurfaceSwapXY : 0));
                sec.floorshade = int8_t(n % 7);
                sec.floorpal = uint8_t(n % 3);
                sec.visibility = uint8_t((r * 13 + c * 29) % 250);
            }
        build.link();
        for (int32_t w = 0; w < map.wallCount; ++w) {
            WallRecord& wall = map.walls[w];
            wall.picnum = wallTiles[w % 5];
            wall.shade = int8_t(w % 9);
            wall.xrepeat = uint8_t(8 + w % 5);
            wall.yrepeat = uint8_t(8 + w % 3);
            if (wall.nextwall >= 0 && w % 5 == 0) {
                wall.cstat = uint16_t(kWallMasked | (w % 2 ? kWallTranslucent : 0));
                wall.overpicnum = kTileMasked;
            }
        }
        for (int32_t s = 0; s < rows * cols; ++s)
            for (int32_t k = 0; k < 4; ++k) {
                const int32_t x = (s % cols) * S + 150 + 220 * k, y = (s / cols) * S + 200 + 170 * k;
                const int32_t id = build.addSprite(x, y, map.sectors[s].floorz, s,
                                                   int16_t(k == 3 ? kTileMasked : kTile64));
                SpriteRecord& sp = map.sprites[id];
                const uint16_t kinds[] = {0, kSpriteWallAligned, kSpriteFloorAligned, 0};
                sp.cstat = uint16_t(kinds[k] | (k == 1 ? kSpriteTranslucent : 0) |
                                    (k == 3 ? kSpriteTranslucent | kSpriteTranslucentReversed : 0) |
                                    (s % 2 ? kSpriteFlipX : 0));
                sp.ang = int16_t(k * 300 + s * 50);
                sp.shade = int8_t(k * 3);
            }
        prepare();
    }

    uint64_t frame(const Camera3d& cam, const View3DOptions& options) {
        ViewState view;
        renderFrame(scene, image, FrameInputs3d{map, tiles, colors, cam, options, View3DMode::Live,
                                                PlanProjection(view), false, random, {}});
        Fingerprint f;
        f.all(image, image.size());
        f.all(scene.depthBuffer3d, scene.depthBuffer3d.size());
        f.all(scene.pickBuffer3d, scene.pickBuffer3d.size());
        f.all(scene.pickObjectBuffer3d, scene.pickObjectBuffer3d.size());
        for (int32_t i = 0; i < scene.renderTriangleCount; ++i) {
            const SurfaceTriangle& t = scene.renderTriangles[i];
            for (const Vertex3d& v : t.p) {
                f.value(v.x);
                f.value(v.y);
                f.value(v.z);
                f.value(v.u);
                f.value(v.v);
            }
            f.value(t.objectCode);
            f.value(t.drawFlags);
            f.value(scene.renderTriangleDepth[i]);
        }
        f.all(scene.sectorSkipLevel3d, size_t(map.sectorCount));
        f.value(scene.renderTriangleCount);
        f.value(scene.drawnTriangleCount);
        f.value(scene.surfaceTriangleCount);
        f.value(scene.loadAverage3d);
        f.value(random.randomState);
        return f.h;
    }
};

// The camera of frame f: along the middle row, swaying, turning, and from frame 6 looking up
// and leaning.
Camera3d flightCamera(int32_t f) {
    Camera3d cam;
    const double t = f / 12.0;
    cam.camX = 300 + t * 3300;
    cam.camY = 1500 + 400 * std::sin(t * 6.28);
    cam.camZ = -6000 - 2000 * t;
    cam.camAngle = 300 * std::sin(t * 9.4) + (f % 4) * 4000;
    if (f >= 6) {
        cam.pitch3d = 1200;
        cam.tilt3d = -900;
    }
    return cam;
}

TEST(Frame3d, ASeededFlightKeepsItsPictureBuffersAndCounters) {
    struct Case {
        const char* name;
        View3DOptions options;
        uint64_t want;
    };
    const Case cases[] = {
        {"defaults", {true, true, false, false}, 8675595863316015414ull},
        {"dithered, cleared", {true, true, true, true}, 10514437641594950671ull},
        {"unsorted", {false, false, false, false}, 10089648751312076008ull},
    };
    for (const Case& c : cases) {
        FlightRig rig;
        rig.random.randomState = 12345;
        Fingerprint all;
        for (int32_t f = 0; f < 12; ++f) all.value(rig.frame(flightCamera(f), c.options));
        EXPECT_EQ(all.h, c.want) << c.name;
    }
}

TEST(Frame3d, PlanPicturesKeepTheirFingerprints) {
    struct Case {
        View3DMode mode;
        bool ceiling;
        uint64_t want;
    };
    const Case cases[] = {{View3DMode::PlanFilled, false, 13970317785534895751ull},
                          {View3DMode::PlanFilled, true, 12744462808284666665ull},
                          {View3DMode::PlanFilledAlt, false, 4062908323252437276ull},
                          {View3DMode::PlanFilledAlt, true, 5912527972788929506ull}};
    FlightRig rig;
    // Three light sprites: two points and one directional.
    for (int32_t k = 0; k < 3; ++k) rig.map.lightSprites[size_t(k)] = k * 13 + 1;
    rig.map.lightSpriteCount = 3;
    ViewState view;
    view.viewZoom = 120;
    view.viewOriginX = 2048;
    view.viewOriginY = 1536;
    for (const Case& c : cases) {
        rig.random.randomState = 777;
        renderFrame(rig.scene, rig.image,
                    FrameInputs3d{rig.map, rig.tiles, rig.colors, Camera3d{}, View3DOptions{}, c.mode,
                                  PlanProjection(view), c.ceiling, rig.random, {}});
        Fingerprint f;
        f.all(rig.image, rig.image.size());
        f.value(rig.random.randomState);
        EXPECT_EQ(f.h, c.want) << int(c.mode) << c.ceiling;
    }
}

}  // namespace
}  // namespace korvel::test
