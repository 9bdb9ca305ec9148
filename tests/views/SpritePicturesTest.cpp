#include "views/SpritePictures.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "map/MapStore.h"
#include "resources/TileStore.h"
#include "support/PlanViewRig.h"
#include "support/TileFixtures.h"

namespace korvel::test {
namespace {

int32_t animWord(int32_t type, int32_t frames, int32_t speed) {
    return type | (frames - 1) | (speed << 24) | (0x12 << 8);  // an x offset must not matter
}

TEST(SpritePicturesTest, TileAnimationFrames) {
    struct Case {
        const char* name;
        int32_t word, p, t, frame;
    } cases[] = {
        {"no animation", 0, 100, 5000, 100},
        {"one frame of any type", animWord(128, 1, 3), 100, 5000, 100},
        {"type 0 with frames", animWord(0, 4, 3), 100, 5000, 100},
        {"forward: 64 ms per frame at speed 3", animWord(128, 4, 3), 100, 63, 100},
        {"forward: second frame", animWord(128, 4, 3), 100, 64, 101},
        {"forward: last frame", animWord(128, 4, 3), 100, 255, 103},
        {"forward: wraps after 256 ms", animWord(128, 4, 3), 100, 256, 100},
        {"backward", animWord(192, 4, 3), 100, 64, 99},
        {"backward wraps", animWord(192, 4, 3), 100, 256, 100},
        {"oscillating: up", animWord(64, 3, 0), 100, 8, 101},
        {"oscillating: top", animWord(64, 3, 0), 100, 16, 102},
        {"oscillating: down", animWord(64, 3, 0), 100, 24, 101},
        {"oscillating: bottom again", animWord(64, 3, 0), 100, 32, 100},
        {"slowest speed", animWord(128, 64, 15), 100, 262144 * 5, 105},
        {"last tile animates past the range", animWord(128, 4, 0), kTileCount - 1, 24,
         kTileCount + 2},
    };
    for (const Case& c : cases) {
        TileStore tiles;
        tiles.tileAnims[size_t(clampTile(c.p))] = c.word;
        EXPECT_EQ(getTileAnimFrame(tiles, c.p, c.t), c.frame) << c.name;
    }
}

TEST(SpritePicturesTest, TileNumbersOutsideTheRangeReadTheClampedWord) {
    TileStore tiles;
    tiles.tileAnims[0] = animWord(128, 2, 0);
    tiles.tileAnims[kTileCount - 1] = animWord(192, 2, 0);
    EXPECT_EQ(getTileAnimFrame(tiles, -5, 8), -4);
    EXPECT_EQ(getTileAnimFrame(tiles, 32767, 8), 32766);
}

using P = PlanColours;

// Sprite pictures at zoom 1 with the fixture tiles and colours; sprite 0 stands at map
// (200, -100), screen (600, 400), clear of the origin cross, facing +x with a marker of 24
// pixels. Its face picture of the 8 x 8 tile at repeats 48 and 64 spans columns 560..640 and
// rows 336..464.
struct PictureRig : PlanViewRig {
    PictureRig() {
        installFixtureTiles(tiles);
        installFixtureColours(colorTables);
        settings.spritesFull = 1;
        settings.spriteOffsets = 0;
        settings.constantSpriteSize = 1;
        settings.showWalls = settings.showVertices = 0;
        build.addSprite(200, -100, 0, -1, kTile8x8);
        sprite().xrepeat = 48;
        sprite().yrepeat = 64;
    }
    SpriteRecord& sprite(int32_t i = 0) { return map.sprites[i]; }
    bool picture(int32_t x, int32_t y) {
        const uint8_t v = px(x, y);
        return v != kBackdrop && v != P::sprite && v != highlighted(P::sprite);
    }
};

TEST(SpritePicturesTest, AFaceSpriteCoversItsRepeatsInMapUnits) {
    PictureRig rig;
    rig.paint();
    // W x xrepeat / 4.8 = 80 units wide, H x yrepeat / 4 = 128 high, centred on the point.
    for (const auto& [x, y] : {std::pair{560, 400}, {640, 420}, {600, 336}, {590, 464}})
        EXPECT_TRUE(rig.picture(x, y)) << x << "," << y;
    for (const auto& [x, y] : {std::pair{559, 400}, {641, 420}, {600, 335}, {590, 465}})
        EXPECT_EQ(rig.px(x, y), kBackdrop) << x << "," << y;
    // The bottom left shows the tile's bottom left texel, the top right its top right one: the
    // far edges keep the last column and row.
    EXPECT_EQ(rig.px(560, 336), fixtureTexel(kTile8x8, 0, 7));
    EXPECT_EQ(rig.px(640, 464), fixtureTexel(kTile8x8, 7, 0));
    rig.sprite().cstat = kSpriteFlipX | kSpriteFlipY;
    rig.paint();
    EXPECT_EQ(rig.px(560, 336), fixtureTexel(kTile8x8, 7, 0));
    EXPECT_EQ(rig.px(640, 464), fixtureTexel(kTile8x8, 0, 7));
}

TEST(SpritePicturesTest, SpritesWithoutAPictureKeepTheirMarker) {
    struct Case {
        const char* name;
        void (*change)(PictureRig&);
        bool picture;
    } cases[] = {
        {"a face sprite", [](PictureRig&) {}, true},
        {"xrepeat 0", [](PictureRig& r) { r.sprite().xrepeat = 0; }, false},
        {"yrepeat 0", [](PictureRig& r) { r.sprite().yrepeat = 0; }, false},
        {"invisible", [](PictureRig& r) { r.sprite().cstat = kSpriteInvisible; }, false},
        {"an empty tile", [](PictureRig& r) { r.sprite().picnum = kTileEmpty; }, false},
        {"a wall sprite", [](PictureRig& r) { r.sprite().cstat = kSpriteWallAligned; }, false},
        {"filtered", [](PictureRig& r) { r.map.spriteIgnored[0] = 1; }, false},
        {"pictures off", [](PictureRig& r) { r.settings.spritesFull = 0; }, false},
        // An animation whose frame lies past the tiles, or whose frame has no picture.
        {"frame past the tiles",
         [](PictureRig& r) {
             addTile(r.tiles, kTileCount - 1, 8, 8, std::vector<uint8_t>(64, 7));
             r.tiles.tileAnims[kTileCount - 1] = 128 | 3;  // forward, 4 frames of 8 ms
             r.sprite().picnum = kTileCount - 1;
             r.frameTime = 8;
         },
         false},
        {"frame of height 0",
         [](PictureRig& r) {
             r.tiles.tileAnims[kTile8x8] = 128 | 3;
             r.tiles.tileWidths[kTile8x8 + 1] = 5;
             r.tiles.tileHeights[kTile8x8 + 1] = 0;
             r.frameTime = 8;
         },
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PictureRig rig;
        c.change(rig);
        rig.paint(rig.frameTime);
        EXPECT_EQ(rig.picture(590, 430), c.picture);
        if (c.name != std::string("filtered")) EXPECT_EQ(rig.px(598, 400), P::sprite);
    }
}

TEST(SpritePicturesTest, OneSidedFloorSpritesShowFromTheirSideOnly) {
    struct Case {
        uint16_t flipY;
        bool ceilingView, shown;
    } cases[] = {{0, false, true},
                 {0, true, false},
                 {kSpriteFlipY, false, false},
                 {kSpriteFlipY, true, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.flipY << " " << c.ceilingView);
        PictureRig rig;
        rig.sprite().cstat = kSpriteFloorAligned | kSpriteOneSided | c.flipY;
        rig.sprite().xrepeat = rig.sprite().yrepeat = 32;
        rig.settings.ceilingView = c.ceilingView;
        rig.paint();
        EXPECT_EQ(rig.picture(590, 420), c.shown);
        rig.sprite().cstat &= uint16_t(~kSpriteOneSided);
        rig.paint();
        EXPECT_TRUE(rig.picture(590, 420));
    }
}

TEST(SpritePicturesTest, TranslucentSpritesMixWithTheBackground) {
    struct Case {
        uint16_t cstat;
        bool reversed;
    } cases[] = {{kSpriteTranslucent, false},
                 {kSpriteTranslucent | kSpriteTranslucentReversed, true}};
    for (const Case& c : cases) {
        PictureRig rig;
        rig.paint();
        const uint8_t d = rig.px(590, 430);
        rig.sprite().cstat = c.cstat;
        rig.paint();
        // Bit 9 lays the background over the sprite (more background), else the sprite over
        // the background.
        const uint8_t want = c.reversed ? rig.colorTables.blendTable[d * 256 + kBackdrop]
                                        : rig.colorTables.blendTable[kBackdrop * 256 + d];
        EXPECT_EQ(rig.px(590, 430), want) << c.cstat;
    }
}

TEST(SpritePicturesTest, TheHoveredSpritePulses) {
    struct Case {
        int32_t time;
        uint8_t shade;
    } cases[] = {{0, 2}, {63, 4}, {188, 0}};
    for (const Case& c : cases) {
        PictureRig rig;
        for (int32_t i = 0; i < 32 * 256; ++i)
            rig.colorTables.gameShades[size_t(i)] = uint8_t(i / 256);  // level L shows as L
        rig.sprite().shade = 20;
        rig.paint(c.time);
        EXPECT_EQ(rig.px(590, 430), 20);
        rig.hover.hoveredSprite = 0;
        rig.paint(c.time);
        EXPECT_EQ(rig.px(590, 430), c.shade) << c.time;
    }
}

TEST(SpritePicturesTest, AFloorSpriteTurnsWithItsAngle) {
    // The 8 x 8 tile at repeats 32 lies flat over 64 x 64 pixels around (600, 400); turned by
    // 512 (90 degrees) the texel at screen offset (dx, dy) moves to (dy, -dx).
    PictureRig straight, turned;
    for (PictureRig* rig : {&straight, &turned}) {
        rig->sprite().cstat = kSpriteFloorAligned;
        rig->sprite().xrepeat = rig->sprite().yrepeat = 32;
        rig->sprite().ang = rig == &turned ? 512 : 0;
        rig->paint();
    }
    std::set<uint8_t> texels;
    for (int32_t dx = -28; dx <= 28; dx += 8)
        for (int32_t dy = -28; dy <= 28; dy += 8) {
            const uint8_t want = straight.px(600 + dx, 400 + dy);
            texels.insert(want);
            EXPECT_EQ(turned.px(600 + dy, 400 - dx), want) << dx << "," << dy;
        }
    EXPECT_EQ(texels.size(), 64u);  // every texel once
}

TEST(SpritePicturesTest, PicturesMarkersAndLabelsFollowTheHeights) {
    struct Case {
        bool ceilingView;
        int32_t z0, z1;
        std::vector<int32_t> order;  // of the draw list after painting
    } cases[] = {
        {false, -1000, 0, {1, 0}},                            // floor view: the highest last
        {false, 0, -1000, {0, 1}}, {true, -1000, 0, {0, 1}},  // ceiling view: the lowest last
        {true, 0, -1000, {1, 0}},  {false, 5, 5, {0, 1}},     // equal heights: index order
        {true, 5, 5, {0, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.ceilingView << " " << c.z0 << " " << c.z1);
        PictureRig rig;
        rig.build.addSprite(210, -100, 0, -1, kTile16x4);
        rig.sprite(1).xrepeat = 48;
        rig.sprite(1).yrepeat = 64;
        rig.sprite(0).z = c.z0;
        rig.sprite(1).z = c.z1;
        rig.settings.ceilingView = c.ceilingView;
        rig.paint();
        ASSERT_EQ(rig.planView.spriteDrawCount, 2);
        std::vector<int32_t> order;
        for (int32_t i = 0; i < 2; ++i) order.push_back(rig.planView.spriteDrawList[i].sprite);
        EXPECT_EQ(order, c.order);
        // Where the pictures overlap the last one drawn shows.
        const uint8_t v = rig.px(605, 430);
        const int32_t topTile = c.order[1] == 0 ? kTile8x8 : kTile16x4;
        EXPECT_TRUE(v >= fixtureTexel(topTile, 0, 0) && v < fixtureTexel(topTile, 0, 0) + 64)
            << int(v);
    }
}

// Odd tiles, any repeats, animations leaving the tiles and extreme views, for face and floor
// sprites: nothing is read outside the tile pixels (the sanitizers watch) and nothing written
// outside the map view.
TEST(SpritePicturesTest, OddTilesRepeatsAndViewsStayInBounds) {
    struct Case {
        const char* name;
        void (*setUp)(PictureRig&);
    } cases[] = {
        {"the tile is the last data",
         [](PictureRig& r) {
             r.sprite().picnum = kTile6x5;
             r.tiles.artPixels.resize(r.tiles.artPixels.size() - size_t(kArtPadding));
         }},
        {"tile 1 x 1", [](PictureRig& r) { addTile(r.tiles, kTile8x8, 1, 1, {7}); }},
        {"tile 32767 x 1",
         [](PictureRig& r) {
             addTile(r.tiles, kTile8x8, 32767, 1, std::vector<uint8_t>(32767, 7));
         }},
        {"tile 1 x 32767",
         [](PictureRig& r) {
             addTile(r.tiles, kTile8x8, 1, 32767, std::vector<uint8_t>(32767, 7));
         }},
        {"animation below tile 0", [](PictureRig& r) { r.tiles.tileAnims[kTile8x8] = 192 | 63; }},
        {"animation past the last tile",
         [](PictureRig& r) {
             addTile(r.tiles, kTileCount - 1, 8, 8, std::vector<uint8_t>(64, 9));
             r.tiles.tileAnims[kTileCount - 1] = 128 | 63;
             r.sprite().picnum = int16_t(kTileCount - 1);
         }},
        {"an animation frame of height 0",
         [](PictureRig& r) { r.tiles.tileAnims[kTile8x8] = 128 | 63; }},
        {"zoom 0.005", [](PictureRig& r) { r.view.viewZoom = 0.005f; }},
        {"zoom 65536", [](PictureRig& r) { r.view.viewZoom = 65536; }},
        {"origin near 2^31",
         [](PictureRig& r) { r.view.viewOriginX = r.view.viewOriginY = 2.147e9f; }},
        {"origin near -2^31",
         [](PictureRig& r) { r.view.viewOriginX = r.view.viewOriginY = -2.147e9f; }},
    };
    const uint16_t kinds[] = {0, kSpriteFlipX | kSpriteFlipY | kSpriteCentred, kSpriteFloorAligned,
                              kSpriteFloorAligned | kSpriteFlipX | kSpriteFlipY};
    for (const Case& c : cases) {
        PictureRig rig;
        rig.settings.spriteOffsets = 1;
        rig.settings.constantSpriteSize = 0;
        rig.settings.spriteZoomLimit = 1 << 20;
        rig.sprite().xoffset = -128;
        rig.sprite().yoffset = 127;
        c.setUp(rig);
        for (const uint16_t kind : kinds)
            for (int32_t repeat = 0; repeat < 256; repeat += 15) {
                SCOPED_TRACE(std::string(c.name) + ", cstat " + std::to_string(kind) + ", repeat " +
                             std::to_string(repeat));
                rig.sprite().cstat = kind;
                rig.sprite().xrepeat = uint8_t(repeat);
                rig.sprite().yrepeat = uint8_t(255 - repeat);
                rig.sprite().ang = int16_t(300 + repeat);
                rig.paint(1000);
                EXPECT_TRUE(rig.onlyMapViewTouched());
            }
    }
}

}  // namespace
}  // namespace korvel::test
