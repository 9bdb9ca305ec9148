#include "views/SideViewSprites.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "support/SideViewRig.h"

namespace korvel {
namespace {

using test::PlanColours;
using test::SideViewRig;

constexpr int32_t kTile = 4;
constexpr uint8_t kSprite = PlanColours::sprite;

// Pixel (x, y) of the 2 x 2 tile, y from the top.
uint8_t texel(int32_t x, int32_t y) {
    return uint8_t(30 + 2 * x + y);
}

// Sprites seen along a section from (0, 0) to (1000, 0) at scale 1, height 0 on row 300;
// originX puts position p on column p + 400 + originX. Pictures on, markers plain.
struct SpriteScene {
    SideViewRig r;
    explicit SpriteScene(float originX = 0) {
        r.decodableColours();
        r.addTile(kTile, 2, 2, [](int32_t x, int32_t y) { return texel(x, y); });
        r.settings.spritesFull = 1;
        r.settings.spriteOffsets = 0;
        r.settings.spriteOrientation = 0;
        r.settings.spriteTags = 0;
        r.settings.spriteZoomLimit = 1000;
        r.view.sideViewOriginX = originX;
    }
    int32_t add(int32_t x, int32_t y, int32_t z, uint16_t cstat = 0) {
        const int32_t k = r.build.addSprite(x, y, z, -1, int16_t(kTile));
        r.map.sprites[k].cstat = cstat;
        r.map.sprites[k].ang = 512;  // a wall sprite facing along the line
        return k;
    }
    void along() { r.viewSection(0, 0, 1000, 0); }
    const SpriteDrawItem* itemOf(int32_t sprite) const {
        for (int32_t i = 0; i < r.lists.spriteDrawCount; ++i)
            if (r.lists.spriteDrawList[i].sprite == sprite) return &r.lists.spriteDrawList[i];
        return nullptr;
    }
};

TEST(SideViewSprites, DrawListPlacesSpritesOnTheirColumnAndRow) {
    // A point subject stacks every sprite of its column on column 400, each on its height.
    SpriteScene column;
    const int32_t low = column.add(50, 50, 0), high = column.add(50, 50, -1600);
    column.add(51, 50, 0);  // beside the point: not shown
    column.r.viewPoint(50, 50);
    column.r.paint();
    ASSERT_EQ(column.r.lists.spriteDrawCount, 2);
    EXPECT_EQ(column.itemOf(low)->x, 400);
    EXPECT_EQ(column.itemOf(low)->y, 300);
    EXPECT_EQ(column.itemOf(high)->x, 400);
    EXPECT_EQ(column.itemOf(high)->y, 400);

    // Along a line, positions 0 and 1 land on columns -3 and -2: only the second is listed.
    SpriteScene line(-403);
    const int32_t off = line.add(0, 0, 0), edge = line.add(1, 0, 0);
    line.along();
    line.r.paint();
    EXPECT_EQ(line.itemOf(off), nullptr);
    ASSERT_NE(line.itemOf(edge), nullptr);
    EXPECT_EQ(line.itemOf(edge)->x, -2);
}

TEST(SideViewSprites, LabelsShowHitagCommaLotagThenTheTilesName) {
    struct Case {
        int16_t lotag, hitag;
        const char* name;
        std::string want;
    };
    const Case cases[] = {{1, 2, "", "2,1"},
                          {1, 2, "DOOR", "2,1 DOOR"},
                          {0, 0, "DOOR", "DOOR"},
                          {-1, 0, "", "0,65535"}};
    for (const Case& c : cases) {
        SpriteScene s;
        s.r.settings.spriteTags = 1;
        s.r.tileCatalog.tileNames.set(kTile, c.name);
        const int32_t k = s.add(50, 50, 0);
        s.r.map.sprites[k].lotag = c.lotag;
        s.r.map.sprites[k].hitag = c.hitag;
        s.r.viewPoint(50, 50);
        s.r.paint();
        ASSERT_EQ(s.r.lists.spriteDrawCount, 1);
        EXPECT_EQ(s.r.lists.spriteDrawList[0].label, c.want);
    }
}

// The rows and columns a sprite's picture covers: where its pixels differ from the backdrop,
// markers excluded by looking only at rows 3 or more away from the sprite's own.
struct Extent {
    int32_t left = 9999, right = -9999, bottom = 9999, top = -9999;
};
Extent pictureExtent(SideViewRig& r, int32_t ownRow) {
    Extent e;
    for (int32_t y = kMapViewBottom; y <= kMapViewTop; ++y) {
        if (std::abs(y - ownRow) < 3) continue;
        for (int32_t x = 0; x < kScreenWidth; ++x) {
            const uint8_t p = r.px(x, y);
            if (p < texel(0, 0) || p > texel(1, 1)) continue;
            e.left = std::min(e.left, x);
            e.right = std::max(e.right, x);
            e.bottom = std::min(e.bottom, y);
            e.top = std::max(e.top, y);
        }
    }
    return e;
}

TEST(SideViewSprites, PicturesStandOnTheirHeightOrCentreOnIt) {
    struct Case {
        const char* name;
        uint16_t cstat;
        int16_t ang;
        bool drawn;
        int32_t bottom, top;
        uint8_t leftColumnTexel;  // the texel column nearest the line's start
    };
    // A 2 x 2 tile at repeats 32 on the sprite at column 500, row 300: face sprites 6 columns
    // each side, wall sprites 8; 16 rows tall (rows near 300 are left to the marker). The line
    // runs along angle 512.
    const Case cases[] = {
        {"face, standing", 0, 512, true, 303, 316, texel(0, 0)},
        {"face, centred", kSpriteCentred, 512, true, 292, 308, texel(0, 0)},
        {"wall sprite facing along the line", kSpriteWallAligned, 512, true, 303, 316, texel(0, 0)},
        {"two-sided wall sprite from behind: mirrored", kSpriteWallAligned, 1536, true, 303, 316,
         texel(1, 0)},
        {"one-sided wall sprite from behind", kSpriteWallAligned | kSpriteOneSided, 1536, false, 0,
         0, 0},
        {"floor sprite: marker only", kSpriteFloorAligned, 512, false, 0, 0, 0},
        {"invisible", kSpriteInvisible, 512, false, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SpriteScene s;
        const int32_t k = s.add(100, 0, 0, c.cstat);
        s.r.map.sprites[k].ang = c.ang;
        s.along();
        s.r.paint();
        const Extent e = pictureExtent(s.r, 300);
        if (!c.drawn) {
            EXPECT_EQ(e.right, -9999) << c.name;
            continue;
        }
        EXPECT_EQ(e.bottom, c.bottom) << c.name;
        EXPECT_EQ(e.top, c.top) << c.name;
        EXPECT_EQ(e.left + e.right, 2 * 500) << c.name << ": centred on column 500";
        EXPECT_EQ(s.r.px(e.left, e.top - 2), c.leftColumnTexel) << c.name;
    }
}

TEST(SideViewSprites, MagnifiedPicturesAreRunsCutAtBothViewEdges) {
    // A wall sprite along the line at repeats 32 shows each texel as 8 columns and 8 rows; one
    // sprite lies 4 columns inside the left edge, one 3 inside the right.
    // The line runs towards -y, whose direction is exactly angle 0, so that a wall sprite at
    // angle 0 faces along it without rounding.
    SpriteScene s(-396);
    s.add(0, 0, 0, kSpriteWallAligned);
    s.add(0, -792, 0, kSpriteWallAligned);
    for (int32_t k = 0; k < 2; ++k) s.r.map.sprites[k].ang = 0;
    s.r.viewSection(0, 0, 0, -1000);
    s.r.paint();
    struct Probe {
        int32_t x;
        uint8_t column;
    };
    // Left: texel 0 covers -4..3, texel 1 from 4. Right: the run of the whole texel 0 from 788
    // is 9 long and covers 796; the partial texel 1 fills what is left to the edge.
    const Probe probes[] = {{0, 0},   {3, 0},   {4, 1},   {11, 1}, {12, 1},
                            {788, 0}, {796, 0}, {797, 1}, {799, 1}};
    for (const Probe& p : probes) {
        EXPECT_EQ(s.r.px(p.x, 305), texel(p.column, 1)) << "bottom row, column " << p.x;
        EXPECT_EQ(s.r.px(p.x, 312), texel(p.column, 0)) << "top row, column " << p.x;
    }
    EXPECT_EQ(s.r.px(13, 305), s.r.backdrop);
    EXPECT_EQ(s.r.px(787, 305), s.r.backdrop);
    EXPECT_TRUE(s.r.onlyMapViewTouched());
}

TEST(SideViewSprites, HoveredSpriteBreathesAndPicturesSkipBrokenTiles) {
    SpriteScene s;
    const int32_t k = s.add(100, 0, 0);
    s.along();
    s.r.hover.hoveredSprite = k;
    // Shade 2 + 2 sin(t / 40): 2 at 0, 4 at a quarter of the period, 0 at three quarters.
    struct Phase {
        int32_t time, shade;
    };
    for (const Phase p : {Phase{0, 2}, Phase{63, 4}, Phase{188, 0}}) {
        s.r.paint(p.time);
        EXPECT_EQ(s.r.px(497, 305), SideViewRig::gameColour(texel(0, 1), p.shade, 0)) << p.time;
    }

    struct Case {
        const char* name;
        void (*spoil)(SpriteScene&, SpriteRecord&);
    };
    const Case broken[] = {
        {"tile beyond the tiles", [](SpriteScene&, SpriteRecord& sp) { sp.picnum = 32767; }},
        {"negative tile", [](SpriteScene&, SpriteRecord& sp) { sp.picnum = -1; }},
        {"no width", [](SpriteScene& sc, SpriteRecord&) { sc.r.tiles.tileWidths[kTile] = 0; }},
        {"no height", [](SpriteScene& sc, SpriteRecord&) { sc.r.tiles.tileHeights[kTile] = 0; }},
        {"xrepeat 0", [](SpriteScene&, SpriteRecord& sp) { sp.xrepeat = 0; }},
        {"yrepeat 0", [](SpriteScene&, SpriteRecord& sp) { sp.yrepeat = 0; }},
        {"wider than the store",
         [](SpriteScene& sc, SpriteRecord&) { sc.r.tiles.tileWidths[kTile] = 32767; }},
        {"animation past the last tile",
         [](SpriteScene& sc, SpriteRecord& sp) {
             sp.picnum = kTileCount - 1;
             sc.r.tiles.tileAnims[kTileCount - 1] = 128 | 5;
         }},
    };
    for (const Case& c : broken) {
        SpriteScene b;
        const int32_t i = b.add(100, 0, 0);
        c.spoil(b, b.r.map.sprites[i]);
        b.along();
        b.r.paint(5000);
        EXPECT_EQ(pictureExtent(b.r, 300).right, -9999) << c.name;
        EXPECT_TRUE(b.r.onlyMapViewTouched()) << c.name;
    }
}

TEST(SideViewSprites, SoundSpritesShowTheirRadiusWhenLitInAQuietSector) {
    struct Case {
        const char* name;
        int32_t sector;
        int16_t sectorLotag;
        bool hovered;
        bool circle;
    };
    const Case cases[] = {{"hovered", 0, 0, true, true},
                          {"not lit", 0, 0, false, false},
                          {"sector lotag 3", 0, 3, true, false},
                          {"no sector", -1, 0, true, false},
                          {"sector past the count", 7, 0, true, false}};
    for (const Case& c : cases) {
        SpriteScene s;
        s.r.settings.spritesFull = 0;
        s.r.build.addRoom(0, -100, 1000, 100);
        s.r.map.sectors[0].lotag = c.sectorLotag;
        s.r.view.sideViewScale = 8;
        const int32_t k = s.add(500, 0, 0);
        s.r.map.sprites[k].picnum = 5;
        s.r.map.sprites[k].hitag = 2048;
        s.r.map.sprites[k].sectnum = int16_t(c.sector);
        if (c.hovered) s.r.hover.hoveredSprite = k;
        s.r.viewSection(0, 0, 1000, 0);
        s.r.paint();
        // The sprite sits on column 462, row 300; the circle's radius is 256 pixels.
        const int32_t x = s.r.column(500);
        EXPECT_EQ(s.r.px(x, 300 + 256) == kSprite + 2, c.circle) << c.name;
    }
}

TEST(SideViewSprites, MarkersShowFloorSpritesAsTheirRowAndWallSpritesAsTheirBox) {
    SpriteScene s;
    s.r.settings.spritesFull = 0;
    s.r.settings.spriteOrientation = 1;
    s.r.view.sideViewScale = 0.125f;
    // A floor sprite wider than the view: its row is filled from edge to edge.
    s.add(100, 0, -200, kSpriteFloorAligned);
    s.r.map.sprites[0].xrepeat = 255;
    s.along();
    s.r.view.sideViewOriginX = -100;  // position 100 on column 400
    s.r.paint();
    const int32_t floorRow = s.r.row(-200);
    ASSERT_TRUE(floorRow >= kMapViewBottom && floorRow <= kMapViewTop);
    for (const int32_t x : {0, 200, 799}) EXPECT_EQ(s.r.px(x, floorRow), kSprite) << x;

    // A wall sprite's box: 9 columns each side and 17 rows up at scale 1; the offsets move it.
    struct Case {
        uint8_t offsets;
        int8_t xoffset;
        int32_t left, right;
    };
    for (const Case c : {Case{0, 0, 491, 509}, Case{1, 4, 459, 477}}) {
        SpriteScene w;
        w.r.settings.spritesFull = 0;
        w.r.settings.spriteOrientation = 1;
        w.r.settings.spriteOffsets = c.offsets;
        const int32_t k = w.add(100, 0, 0, kSpriteWallAligned);
        w.r.map.sprites[k].xoffset = c.xoffset;
        w.along();
        w.r.paint();
        EXPECT_EQ(w.r.px(c.left, 308), kSprite) << "offsets " << int(c.offsets);
        EXPECT_EQ(w.r.px(c.right, 308), kSprite) << "offsets " << int(c.offsets);
        EXPECT_EQ(w.r.px(c.left + 1, 308), w.r.backdrop) << "offsets " << int(c.offsets);
        EXPECT_EQ(w.r.px(c.left + 4, 317), kSprite) << "top edge, offsets " << int(c.offsets);
    }
}

}  // namespace
}  // namespace korvel
