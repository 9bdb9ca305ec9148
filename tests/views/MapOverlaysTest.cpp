// The plan view's overlays: the region being selected, the crosshair, the pointer text, the
// property box, the attribute clipboard panel, the help popup's growth and the light list purge.
#include "views/MapOverlays.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "commands/AttributeClipboard.h"
#include "geometry/LightSourceList.h"
#include "resources/TileStore.h"
#include "support/LanguageFixture.h"
#include "support/PlanViewRig.h"
#include "ui/Languages.h"
#include "ui/Text.h"
#include "views/HelpPanel.h"
#include "views/PropertyBox.h"

namespace korvel::test {
namespace {

// Pixels that differ from the backdrop, as a set of rows and the extreme columns.
struct Changes {
    std::set<int32_t> rows;
    int32_t minX = 9999, maxX = -1, minY = 9999, maxY = -1;
};
Changes changes(PlanViewRig& rig, uint8_t backdrop) {
    Changes c;
    for (int32_t y = 0; y < kScreenHeight; ++y)
        for (int32_t x = 0; x < kScreenWidth; ++x)
            if (rig.px(x, y) != backdrop) {
                c.rows.insert(y);
                c.minX = std::min(c.minX, x), c.maxX = std::max(c.maxX, x);
                c.minY = std::min(c.minY, y), c.maxY = std::max(c.maxY, y);
            }
    return c;
}

// The backdrop everywhere and the guard bytes after every row.
void clearScreen(PlanViewRig& rig) {
    for (int32_t y = 0; y < kScreenHeight; ++y)
        for (int32_t x = 0; x < kGuardedRowLength; ++x)
            rig.px(x, y) = x < kScreenWidth ? kBackdrop : kGuardByte;
}

// How many draws separate two generator states (up to a limit).
int32_t drawsBetween(Random before, const Random& after) {
    for (int32_t n = 0; n < 100000; ++n) {
        if (before.randomState == after.randomState) return n;
        randomSingle(before);
    }
    return -1;
}

TEST(RegionSelection, CirclesTintTheirRowsAndSkipTheRimWhenHuge) {
    PlanViewRig rig;
    fillSyntheticBlend(rig.colorTables);
    clearScreen(rig);
    Random random{7};
    drawRegionSelection(rig.frame().cv, random, 401, 300, 400, 300, true);
    EXPECT_EQ(changes(rig, kBackdrop).rows, (std::set<int32_t>{299, 300, 301}));

    // A radius of a billion pixels: the rows in view are tinted, the rim is left out.
    clearScreen(rig);
    const Random before = random;
    drawRegionSelection(rig.frame().cv, random, 400, 300, 400, 300 - 1000000000, true);
    EXPECT_EQ(drawsBetween(before, random), 0);
    EXPECT_FALSE(changes(rig, kBackdrop).rows.empty());
    EXPECT_TRUE(rig.guardsIntact());
}

struct BoxRig {
    PlanViewRig rig;
    Languages langs = languageWith({{600, "S&1"}, {601, "W&1"}, {602, "P&1"}});
    BoxRig() {
        rig.build.addRoom(0, 0, 100, 100);
        rig.build.addSprite(10, 10, 0, 0);
        clearScreen(rig);
    }
    // The box with its lower left corner at screen (x0, y0).
    void draw(uint8_t kind, int32_t object, int32_t x0, int32_t y0, int32_t focus = -1,
              int32_t frameTime = 0) {
        PropertyBoxInput in;
        in.kind = kind;
        in.object = object;
        in.anchorX = x0 - 400;
        in.anchorY = 300 - y0;
        in.focusedField = focus;
        in.frameTime = frameTime;
        PlanFrame f = rig.frame();
        drawPropertyBox(f.cv, rig.fonts, langs, rig.map, f.view, in);
    }
};

TEST(PropertyBox, SizeFocusBandAndClipping) {
    BoxRig wall;
    wall.draw(2, 0, 300, 200);
    EXPECT_EQ(wall.rig.px(300, 290), 0);  // the top edge of a 90-row box
    EXPECT_EQ(wall.rig.px(310, 291), kBackdrop);
    EXPECT_EQ(wall.rig.px(555, 200), 0);  // right border

    struct Band {
        const char* name;
        uint8_t kind;
        int32_t focus, frameTime;
        int32_t row;  // a row of the band above y0
        uint8_t colour;
    } const bands[] = {
        {"wall PAL heads the right column", 2, 200, 0, 90 - 6, 18},
        {"the same later in the pulse", 2, 200, 79, 90 - 6, 20},
        {"sector EXTRA, the right column's 11th row", 1, 213, 0, 27, 18},
        {"sprite first row", 3, 191, 0, 114 - 6, 18},
    };
    for (const Band& b : bands) {
        SCOPED_TRACE(b.name);
        BoxRig box;
        box.draw(b.kind, 0, 300, 200, b.focus, b.frameTime);
        const bool right = b.focus >= (b.kind == 2 ? 200 : 203);
        EXPECT_EQ(box.rig.px(300 + (right ? 250 : 123), 200 + b.row), b.colour);
        EXPECT_EQ(box.rig.px(300 + (right ? 123 : 250), 200 + b.row), 77);
    }
    // A field of the page that is not a row of this box shows no band.
    BoxRig other;
    other.draw(2, 0, 300, 200, 208);
    EXPECT_EQ(other.rig.px(550, 200 + 84), 77);

    struct Clip {
        const char* name;
        uint8_t kind;
        int32_t object, x0, y0;
        int32_t minX, maxX, minY, maxY;  // -1: nothing drawn
    } const clips[] = {
        {"partly below the view", 1, 0, 300, 108, 300, 555, 128, 222},
        {"wholly below the view", 1, 0, 300, 10, -1, -1, -1, -1},
        {"partly left of the view", 3, 0, -200, 200, 0, 55, 200, 314},
        {"wholly left of the view", 3, 0, -257, 200, -1, -1, -1, -1},
        {"a sprite past the count", 3, 1, 300, 200, -1, -1, -1, -1},
        {"a negative wall", 2, -1, 300, 200, -1, -1, -1, -1},
        {"an unknown kind", 4, 0, 300, 200, -1, -1, -1, -1},
        {"an anchor at the end of the range", 1, 0, 2147483647, 200, -1, -1, -1, -1},
    };
    for (const Clip& c : clips) {
        SCOPED_TRACE(c.name);
        BoxRig box;
        PropertyBoxInput in;
        in.kind = c.kind;
        in.object = c.object;
        in.anchorX = c.x0 == 2147483647 ? c.x0 : c.x0 - 400;
        in.anchorY = 300 - c.y0;
        PlanFrame f = box.rig.frame();
        drawPropertyBox(f.cv, box.rig.fonts, box.langs, box.rig.map, f.view, in);
        const Changes ch = changes(box.rig, kBackdrop);
        EXPECT_EQ(ch.maxX, c.maxX);
        if (c.minX >= 0) {
            EXPECT_EQ(ch.minX, c.minX);
            EXPECT_EQ(ch.minY, c.minY);
            EXPECT_EQ(ch.maxY, c.maxY);
        }
        EXPECT_TRUE(box.rig.guardsIntact());
    }
}

TEST(PropertyBox, ByteFieldsShowUnsigned) {
    BoxRig box;
    box.rig.map.sprites[0].shade = -8;
    box.draw(3, 0, 300, 200);
    // "SHADE" is the 6th row on the left; its value cell shows what "248" over the body shows.
    const int32_t row = 200 + 114 - 10 - 8 * 5;
    BoxRig text;
    for (int32_t y = row; y < row + 6; ++y)
        for (int32_t x = 384; x < 400; ++x) text.rig.px(x, y) = 77;
    drawSmallTextMapClipped(text.rig.frame().cv, text.rig.fonts, "248", 384, row, 20);
    for (int32_t y = row; y < row + 6; ++y)
        for (int32_t x = 384; x < 400; ++x)
            EXPECT_EQ(box.rig.px(x, y), text.rig.px(x, y)) << x << "," << y;
}

struct PanelRig {
    PlanViewRig rig;
    std::unique_ptr<TileStore> tiles = std::make_unique<TileStore>();
    Languages langs;
    AttributeClipboard clip;
    PanelRig() {
        std::map<int32_t, std::string> texts;
        for (int32_t n = 583; n <= 599; ++n) texts[n] = "MM&1";
        langs = languageWith(texts);
        fillSyntheticBlend(rig.colorTables);
        rig.colorTables.gamePaletteMap[0] = 0x0302;
        tiles->tileWidths[5] = 64;
        tiles->tileHeights[5] = 64;
        tiles->tileOffsets[5] = 0;
        tiles->artPixels.assign(64 * 64 + 1, 7);
        clearScreen(rig);
    }
    void draw(int32_t frame = 0, bool pasteHeinum = true) {
        drawAttributeClipboardPanel(rig.frame().cv, rig.fonts, langs, *tiles, clip, pasteHeinum,
                                    frame);
    }
    // Whether text row i (0 the title, 1.. the attributes) has pixels of the colour.
    bool lineHas(int32_t i, uint8_t colour) {
        const int32_t y0 = i == 0 ? 556 : 532 - 12 * (i - 1);
        for (int32_t y = y0; y < y0 + 11; ++y)
            for (int32_t x = 24; x < 120; ++x)
                if (rig.px(x, y) == colour) return true;
        return false;
    }
};

TEST(AttributeClipboardPanel, TextureOnlyLightsThreeLines) {
    PanelRig p;
    p.clip.kind = AttributeClipboardKind(3);
    p.clip.picnum = -1;
    p.draw();
    EXPECT_TRUE(p.lineHas(0, 20));
    for (int32_t i = 1; i <= 12; ++i) {
        const bool bright = i == 2 || i == 4 || i == 5;
        EXPECT_EQ(p.lineHas(i, 20), bright) << i;
        EXPECT_EQ(p.lineHas(i, 17), !bright) << i;
    }
    // Kind 5: the panel alone.
    PanelRig none;
    none.clip.kind = AttributeClipboardKind(5);
    none.clip.picnum = -1;
    none.draw();
    for (int32_t i = 0; i <= 12; ++i) EXPECT_FALSE(none.lineHas(i, 20) || none.lineHas(i, 17));
    EXPECT_EQ(none.rig.px(8, 300), 20);
    EXPECT_EQ(none.rig.px(100, 300), none.rig.colorTables.blendTable[kBackdrop * 256 + 16]);
}

TEST(AttributeClipboardPanel, SlopeLineOfASectorFollowsPasteHeinum) {
    // The slope line's message differs, so its text differs.
    PanelRig with, without;
    std::map<int32_t, std::string> texts;
    for (int32_t n = 583; n <= 599; ++n) texts[n] = n == 587 ? "X" : "MM";
    with.langs = without.langs = languageWith(texts);
    with.clip.picnum = without.clip.picnum = -1;
    with.draw(0, true);
    without.draw(0, false);
    bool differs = false;
    for (int32_t y = 508; y < 519; ++y)
        for (int32_t x = 24; x < 60; ++x) differs |= with.rig.px(x, y) != without.rig.px(x, y);
    EXPECT_TRUE(differs);
}

TEST(AttributeClipboardPanel, TilePictureScaleCornerAndBadTiles) {
    PanelRig p;
    p.clip.kind = AttributeClipboardKind(0);
    p.clip.picnum = 5;
    p.draw(0);
    const auto drawn = [&](int32_t x, int32_t y) {
        return p.rig.px(x, y) == 2 || p.rig.px(x, y) == 3;
    };
    EXPECT_TRUE(drawn(72, 236));
    EXPECT_TRUE(drawn(199, 363));
    EXPECT_FALSE(drawn(71, 236));
    EXPECT_FALSE(drawn(72, 235));
    EXPECT_FALSE(drawn(200, 363));
    EXPECT_FALSE(drawn(199, 364));
    // The dither alternates by column and swaps with the frame's parity.
    EXPECT_EQ(p.rig.px(72, 236), 2);
    EXPECT_EQ(p.rig.px(73, 236), 3);
    PanelRig odd;
    odd.clip.picnum = 5;
    odd.draw(1);
    EXPECT_EQ(odd.rig.px(72, 236), 3);

    for (int32_t picnum : {-1, 20000, 15359}) {
        PanelRig bad;
        bad.clip.picnum = int16_t(picnum);
        bad.tiles->tileWidths[5] = 0;
        bad.draw();
        EXPECT_FALSE(bad.rig.px(136, 300) == 2 || bad.rig.px(136, 300) == 3);
    }
    PanelRig flat;
    flat.clip.picnum = 5;
    flat.tiles->tileWidths[5] = 0;
    flat.draw();
    EXPECT_FALSE(flat.rig.px(136, 300) == 2 || flat.rig.px(136, 300) == 3);
}

TEST(HelpPopup, GrowsFromItsStartToTheTopicsBox) {
    struct Case {
        int32_t topic, step;
        HelpRect rect;
    } const cases[] = {
        {0, 0, {400, 356, 400, 356}},   {0, 16, {256, 283, 544, 429}},
        {0, 32, {112, 210, 688, 502}},  {1, 40, {136, 263, 664, 459}},
        {23, 32, {250, 140, 550, 572}}, {2, 0, {8, 136, 792, 136}},
        {2, 32, {8, 136, 792, 174}},    {5, 16, {8, 136, 792, 149}},
        {99, 32, {8, 136, 792, 162}},   {-4, 32, {8, 136, 792, 162}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(helpPopupRect(c.topic, c.step), c.rect) << c.topic << " at " << c.step;
}

TEST(LightSources, PurgeRemovesEntriesNamingNoSprite) {
    struct Case {
        std::vector<int32_t> entries;
        int32_t count;
        std::vector<int32_t> kept;
    } const cases[] = {
        {{5, 90, 7}, 3, {5, 7}},
        {{60, 70, 3}, 3, {3}},
        {{-3, 4}, 2, {4}},
        {{}, 0, {}},
        {{1}, -5, {}},
    };
    for (const Case& c : cases) {
        auto map = std::make_unique<MapStore>();
        map->spriteCount = 50;
        for (size_t i = 0; i < c.entries.size(); ++i) map->lightSprites[i] = c.entries[i];
        map->lightSpriteCount = c.count;
        purgeLightSprites(*map);
        std::vector<int32_t> kept(map->lightSprites.begin(),
                                  map->lightSprites.begin() + map->lightSpriteCount);
        EXPECT_EQ(kept, c.kept);
    }
    // A count past the capacity is cut to it; removing outside the list changes nothing.
    auto map = std::make_unique<MapStore>();
    map->spriteCount = 1;
    map->lightSpriteCount = 20000;
    purgeLightSprites(*map);
    EXPECT_EQ(map->lightSpriteCount, kMaxLightSprites);
    removeLightSpriteAt(*map, kMaxLightSprites);
    EXPECT_EQ(map->lightSpriteCount, kMaxLightSprites);
    removeLightSpriteAt(*map, 0);
    EXPECT_EQ(map->lightSpriteCount, kMaxLightSprites - 1);
}

}  // namespace
}  // namespace korvel::test
