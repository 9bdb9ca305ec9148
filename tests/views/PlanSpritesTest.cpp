#include "views/PlanSprites.h"

#include <gtest/gtest.h>

#include <cmath>

#include "support/DrawFixtures.h"
#include "support/PlanViewRig.h"
#include "ui/Text.h"

namespace korvel::test {
namespace {

using P = PlanColours;

// A room with one sprite at map (50, 50), screen (450, 250), facing +x.
struct SpriteRig : PlanViewRig {
    SpriteRig() {
        build.addRoom(0, 0, 100, 100);
        build.addSprite(50, 50, 0, 0);
        sprite().xrepeat = sprite().yrepeat = 4;
        settings.spriteOffsets = 0;
        colorSettings.colorServiceLines = kBackdrop;
        settings.showWalls = settings.showVertices = 0;
    }
    SpriteRecord& sprite(int32_t i = 0) { return map.sprites[i]; }
    const SpriteDrawItem& item(int32_t i = 0) { return planView.spriteDrawList[i]; }
};

TEST(PlanSpritesTest, LabelsReadUnsignedTagsAndTheTileName) {
    struct Case {
        const char* name;
        int16_t hitag, lotag, picnum;
        uint8_t spriteTags, ignored;
        const char* label;
    } cases[] = {
        {"name alone", 0, 0, 1, 1, 0, "GUARD"},
        {"no name, no tags", 0, 0, 2, 1, 0, ""},
        {"unsigned tags and name", -25536, 7, 1, 1, 0, "40000,7 GUARD"},
        {"tags without a name", 1, 0, 2, 1, 0, "1,0"},
        {"labels off", 1, 1, 1, 0, 0, ""},
        {"filtered", 1, 1, 1, 1, 1, ""},
        {"picnum beyond the tiles", 0, 0, -1, 1, 0, ""},
    };
    for (const Case& c : cases) {
        SpriteRig rig;
        rig.tileCatalog.tileNames.set(1, "GUARD");
        rig.sprite().hitag = c.hitag;
        rig.sprite().lotag = c.lotag;
        rig.sprite().picnum = c.picnum;
        rig.settings.spriteTags = c.spriteTags;
        rig.map.spriteIgnored[0] = c.ignored;
        rig.paint();
        SCOPED_TRACE(c.name);
        ASSERT_EQ(rig.planView.spriteDrawCount, 1);
        EXPECT_EQ(rig.item().label, c.label);
    }
}

TEST(PlanSpritesTest, ASpriteWithALabelHasNoDot) {
    SpriteRig rig;
    SpriteDrawItem item{450, 250, 99, 512, 0, 0, 0, {}, 0};
    PlanFrame pf = rig.frame();
    draw2DSprite(pf, item, 0);
    EXPECT_EQ(rig.px(448, 250), 99);  // the ring
    EXPECT_EQ(rig.px(449, 249), 99);
    EXPECT_EQ(rig.px(448, 248), 0);  // without its corners
    item.x = 300;
    item.label = "1,0";
    draw2DSprite(pf, item, 0);
    EXPECT_EQ(rig.px(298, 250), 0);
}

TEST(PlanSpritesTest, MarkerColoursAndFacingLines) {
    struct Case {
        const char* name;
        uint16_t cstat;
        bool hovered, dragged;
        uint8_t ignored;
        uint8_t line, core;  // on the facing line and beside it
    } cases[] = {
        {"plain", 0, false, false, 0, P::sprite, kBackdrop},
        {"blocking", 1, false, false, 0, P::spriteBlocking, kBackdrop},
        {"hovered", 0, true, false, 0, highlighted(P::sprite), kBackdrop},
        {"dragged", 1, false, true, 0, highlighted(P::spriteBlocking), kBackdrop},
        {"thick facing with a bright core", 256, false, false, 0, highlighted(P::sprite),
         P::sprite},
        {"filtered: a dot only", 0, false, false, 1, kBackdrop, kBackdrop},
    };
    for (const Case& c : cases) {
        SpriteRig rig;
        rig.sprite().cstat = c.cstat;
        rig.hover.hoveredSprite = c.hovered ? 0 : -1;
        rig.tool.draggedSprite = c.dragged ? 0 : -1;
        rig.map.spriteIgnored[0] = c.ignored;
        rig.paint();
        SCOPED_TRACE(c.name);
        // The facing line runs from (450, 250) for 192 pixels along +x.
        EXPECT_EQ(rig.px(600, 250), c.line);
        EXPECT_EQ(rig.px(600, 251), c.core);
        if (c.ignored) {
            EXPECT_EQ(rig.px(448, 250), P::filtered);
        }
    }
}

TEST(PlanSpritesTest, FootprintsOfWallAndFloorSprites) {
    struct Case {
        const char* name;
        uint16_t cstat;
        int8_t xoffset;
        uint8_t offsets;
        std::vector<std::pair<int32_t, int32_t>> set, clear;
    } cases[] = {
        // Half width 8 x 4 + 1 = 33 pixels without tiles, across the facing direction.
        {"wall sprite", 16, 0, 0, {{450, 218}, {450, 282}}, {{450, 285}}},
        {"wall sprite moved by its offset", 16, 10, 1, {{450, 208}, {450, 272}}, {{450, 276}}},
        {"flipped offset", 16 | 4, 10, 1, {{450, 228}, {450, 292}}, {{450, 225}}},
        // A square of corners (417, 217) .. (483, 283).
        {"floor sprite", 32, 0, 0, {{483, 240}, {417, 240}, {440, 283}, {440, 217}}, {{484, 240}}},
        {"face sprite: no footprint", 0, 0, 0, {}, {{450, 218}, {483, 240}}},
    };
    for (const Case& c : cases) {
        SpriteRig rig;
        rig.sprite().cstat = c.cstat;
        rig.sprite().xoffset = c.xoffset;
        rig.settings.spriteOffsets = c.offsets;
        rig.paint();
        SCOPED_TRACE(c.name);
        for (const auto& [x, y] : c.set) EXPECT_EQ(rig.px(x, y), P::sprite) << x << "," << y;
        for (const auto& [x, y] : c.clear) EXPECT_EQ(rig.px(x, y), kBackdrop) << x << "," << y;
    }
}

TEST(PlanSpritesTest, FootprintSizeFollowsTheTileWhenTilesAreLoaded) {
    SpriteRig rig;
    rig.tiles.artLoaded = 1;
    rig.tiles.tileWidths[1] = 64;
    rig.tiles.tileHeights[1] = 16;
    rig.sprite().xrepeat = 8;
    rig.sprite().cstat = 32;
    rig.build.addSprite(60, 50, 0, 0, kTileCount - 1);
    rig.tiles.tileAnims[kTileCount - 1] = 128 | 3 | (0 << 24);  // animates past the last tile
    rig.paint(10);
    EXPECT_EQ(rig.item(0).halfWidth, 64 * 8 / 8 + 1);
    EXPECT_EQ(rig.item(0).halfHeight, 16 * 4 / 8 + 1);
    EXPECT_EQ(rig.item(1).halfWidth, 1);
}

// The ink of a text drawn alone, in colour 1.
PixelSet textInk(const Fonts& fonts, const std::string& text, int32_t x, int32_t y) {
    DrawRig draw;
    drawSmallTextMapClipped(draw.canvas, fonts, text, x, y, 1);
    return changedPixels(screenView(*draw.fb), 0);
}

TEST(PlanSpritesTest, AStackShowsItsCountOnceAboveTheSprites) {
    SpriteRig rig;
    rig.build.addSprite(50, 50, 0, 0);
    rig.build.addSprite(50, 50, 0, 0);
    rig.build.addSprite(60, 50, 0, 0);
    rig.settings.spriteNumbers = 1;
    rig.paint();
    EXPECT_EQ(rig.map.spriteStacksValid, 1);
    EXPECT_EQ(rig.map.spriteStackCount[2], 3);
    // "3x" in colour 83 at (446, 241) over its shadow at (447, 240); the single sprite has none.
    const PixelSet ink = textInk(rig.fonts, "3x", 446, 241);
    ASSERT_FALSE(ink.empty());
    for (const auto& [x, y] : ink) EXPECT_EQ(rig.px(x, y), 83) << x << "," << y;
    for (const auto& [x, y] : textInk(rig.fonts, "1x", 456, 241)) EXPECT_NE(rig.px(x, y), 83);
}

TEST(PlanSpritesTest, AnEffectorShowsItsRadiusWhenHighlighted) {
    struct Case {
        const char* name;
        int16_t picnum, sectorLotag, sectnum;
        bool hovered;
        bool circle;
    } cases[] = {
        {"hovered effector", 5, 0, 0, true, true}, {"sector lotag 2", 5, 2, 0, true, true},
        {"sector lotag 3", 5, 3, 0, true, false},  {"not highlighted", 5, 0, 0, false, false},
        {"other tile", 6, 0, 0, true, false},      {"sector out of range", 5, 0, 300, true, false},
    };
    for (const Case& c : cases) {
        SpriteRig rig;
        rig.sprite().picnum = c.picnum;
        rig.sprite().hitag = 100;
        rig.sprite().sectnum = c.sectnum;
        rig.map.sectors[0].lotag = c.sectorLotag;
        rig.hover.hoveredSprite = c.hovered ? 0 : -1;
        rig.paint();
        SCOPED_TRACE(c.name);
        // The circle starts at its leftmost point.
        EXPECT_EQ(rig.px(350, 250), c.circle ? highlighted(P::sprite) : kBackdrop);
    }
}

TEST(PlanSpritesTest, CirclesAreDrawnOnlyWhereTheyCrossTheView) {
    struct Case {
        const char* name;
        int32_t cx, cy, r;
        int32_t probeX, probeY;  // a pixel of the outline, or -1
        int32_t maxPixels;
    } cases[] = {
        {"small circle", 400, 300, 100, 300, 300, 700},
        {"wholly outside", 5000, 5000, 100, -1, -1, 0},
        {"enclosing the view", 400, 300, 5000, -1, -1, 0},
        {"huge circle through the view", -100000, 300, 100399, 399, 300, 2 * (800 + 456)},
        {"huge circle near the top", 400, -2000000000, 2000000300, 400, 300, 2 * (800 + 456)},
        {"no radius", 400, 300, 0, -1, -1, 0},
        {"negative radius", 400, 300, -50, -1, -1, 0},
    };
    for (const Case& c : cases) {
        DrawRig draw;
        drawCircleAcrossView(draw.canvas, c.cx, c.cy, c.r, 7);
        SCOPED_TRACE(c.name);
        const PixelSet set = changedPixels(screenView(*draw.fb), 0);
        EXPECT_LE(int32_t(set.size()), c.maxPixels);
        EXPECT_TRUE(allInside(set, kMapView));
        if (c.probeX >= 0) {
            EXPECT_EQ(draw.px(c.probeX, c.probeY), 7);
        }
        EXPECT_TRUE(draw.guardsIntact());
    }
}

TEST(PlanSpritesTest, SpritesNearTheViewAreListedAndFarOnesAreNot) {
    SpriteRig rig;
    rig.settings.constantSpriteSize = 1;  // marker size 24
    rig.build.addSprite(-425, 50, 0, 0);  // column -25: within the marker size
    rig.build.addSprite(-427, 50, 0, 0);  // column -27: beyond it
    rig.build.addSprite(50, 333, 0, 0);   // row -33
    rig.paint();
    ASSERT_EQ(rig.planView.spriteDrawCount, 2);
    EXPECT_EQ(rig.item(1).sprite, 1);
    EXPECT_TRUE(rig.onlyMapViewTouched());
}

}  // namespace
}  // namespace korvel::test
