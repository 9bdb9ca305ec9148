#include "app/PanelInfo.h"

#include <gtest/gtest.h>

#include "support/ChromeRig.h"

namespace korvel {
namespace {

using test::ChromeRig;

constexpr int32_t kMin = -2147483647 - 1, kMax = 2147483647;

// Numbers of the block: outlined in colour 0.
void outlined(const Canvas& cv, const Fonts& f, const std::string& t, int32_t x, int32_t y,
              int32_t colour) {
    drawOutlinedText(cv, f, t, x, y, colour, 0);
}

TEST(PanelInfo, GaugeColumns) {
    struct Case {
        int32_t offset, z, column;
    };
    const Case cases[] = {
        {0, 0, 692},       {12345, 12345, 692},  // the offset itself
        {0, -65536, 742},  {0, 65536, 642},      // a quarter turn of atan each way
        {0, kMin, 792},    {0, kMax, 592},       // extremes approach the ends
        // Differences beyond 32 bits keep their side instead of wrapping to the other end.
        {kMax, kMin, 792}, {kMin, kMax, 592},  {kMin, kMin + 1, 692}, {kMax, -kMax, 792},
    };
    for (const Case& c : cases)
        EXPECT_EQ(gaugeColumn(c.offset, c.z), c.column) << c.offset << " " << c.z;
}

struct Gauge : ChromeRig {
    Settings& s = ed->settings;
    HoverState& h = ed->hover;
    // Row 7 lies below the gauge's texts.
    uint8_t column(int32_t x) { return px(x, 7); }
};

TEST(PanelInfo, GaugeMarksAndTheirPrecedence) {
    Gauge g;
    g.s.zRangeOffset = 0;
    g.s.zRangeLow = -65536;  // column 742
    g.s.zRangeHigh = 65536;  // column 642
    g.s.zRangeMode = 0;
    drawZRangeGauge(*g.ed);
    EXPECT_EQ(g.column(692), 8);    // the zero mark
    EXPECT_EQ(g.column(642), 83);   // low limit
    EXPECT_EQ(g.column(742), 83);   // high limit
    EXPECT_EQ(g.column(641), 0);    // outside the limits
    EXPECT_EQ(g.column(743), 0);
    EXPECT_EQ(g.px(700, 15), 80);   // between: the ridge at row 15
    EXPECT_EQ(g.px(700, 23), 76);   // |23 - 15| \ 2 below it
    EXPECT_EQ(g.column(793), 0);    // never reached by a height

    // A limit on the zero mark shows the zero mark.
    g.s.zRangeLow = 0;
    drawZRangeGauge(*g.ed);
    EXPECT_EQ(g.column(692), 8);
    // Floor and ceiling marks win over the limits; the columns between them are tinted.
    g.h.hoveredSector = 0;
    g.ed->map.sectorCount = 1;
    g.h.cursorFloorZ = 65536;
    g.h.cursorCeilingZ = -65536;
    drawZRangeGauge(*g.ed);
    const auto& blend = g.ed->colorTables.blendTable;
    EXPECT_EQ(g.column(642), 176);
    EXPECT_EQ(g.column(742), 176);
    EXPECT_EQ(g.column(692), blend[8 * 256 + 174]);
    EXPECT_EQ(g.column(660), blend[76 * 256 + 174]);
    EXPECT_EQ(g.column(720), blend[0 * 256 + 174]);
}

TEST(PanelInfo, GaugeWithLimitsCrossedAndAtTheExtremes) {
    Gauge g;
    g.s.zRangeLow = 65536;  // the low limit left of the high one: XH > XL
    g.s.zRangeHigh = -65536;
    g.s.zRangeOffset = 100;
    drawZRangeGauge(*g.ed);
    for (int32_t x = 592; x <= 793; ++x) {
        const uint8_t c = g.column(x);
        EXPECT_TRUE(c == 0 || c == 8 || c == 83) << x;
    }
    for (const int32_t offset : {kMin, -1, 0, 1, kMax}) {
        g.clearScreen(0);
        g.s.zRangeOffset = offset;
        g.s.zRangeLow = -2147483647;
        g.s.zRangeHigh = 2147483647;
        g.h.hoveredSector = -1;
        drawZRangeGauge(*g.ed);
        EXPECT_EQ(g.column(793), 0) << offset;
        EXPECT_TRUE(g.shows(getMessage(370, g.ed->langs, "2147483647", "-2147483647"), 524, 28,
                            g.ed->colorSettings.colorUiText));
    }
}

TEST(PanelInfo, SectorHeightTextTakesItsDifferenceIn64Bits) {
    Gauge g;
    g.ed->map.sectorCount = 1;
    g.h.hoveredSector = 0;
    g.h.cursorFloorZ = kMax;
    g.h.cursorCeilingZ = kMin;
    drawZRangeGauge(*g.ed);
    const std::string height = "268435455";  // (2^32 - 1) \ 16
    const int32_t xf = gaugeColumn(0, kMax), xc = gaugeColumn(0, kMin);
    EXPECT_TRUE(g.shows(height, (xf + xc - propTextWidth(g.ed->fonts, height)) / 2, 10, 176,
                        &drawPropText));
}

struct Block : ChromeRig {
    int32_t text = ed->colorSettings.colorUiText;
    void draw() {
        clearScreen(0);
        drawPageInformation(*ed);
    }
};

TEST(PanelInfo, PlanViewBlockForEachLayer) {
    Block b;
    Editor& ed = *b.ed;
    ed.app.currentPage = Page::PlanView;
    ed.hover.hoveredSprite = 7;
    ed.hover.hoveredWall = -1;
    ed.hover.hoveredSector = 2;
    ed.map.selectedSpriteCount = 4;
    ed.map.lightSpriteCount = 9;
    // The first line names the layer; the lines below show what each layer counts.
    const int32_t firstLine[8] = {371, 374, 376, 378, 380, 383, 389, 392};
    for (int32_t mode = 0; mode < 8; ++mode) {
        ed.tool.selectionMode = SelectionMode(mode);
        b.draw();
        EXPECT_TRUE(b.shows(b.msg(firstLine[mode]), 8, 52, b.text)) << mode;
    }
    ed.tool.selectionMode = SelectionMode::Sprites;
    b.draw();
    EXPECT_TRUE(b.shows("7", messagePosition(ed.langs, 372).x, 40, 20, &outlined));
    ed.tool.selectionMode = SelectionMode::Walls;  // no wall hovered: "-"
    b.draw();
    EXPECT_TRUE(b.shows("-", messagePosition(ed.langs, 377).x, 40, b.text));
    ed.tool.selectionMode = SelectionMode::AreaSettings;
    b.draw();
    EXPECT_TRUE(b.shows("9", 208, 40, 177, &outlined));
}

TEST(PanelInfo, BooleanTargetOutsideTheSectorsIsReset) {
    Block b;
    Editor& ed = *b.ed;
    ed.app.currentPage = Page::PlanView;
    ed.tool.selectionMode = SelectionMode::BooleanTarget;
    ed.map.sectorCount = 2;
    ed.map.sectors[1].wallnum = 6;
    struct Case {
        int32_t target, after;
        std::string number, walls;
    };
    const Case cases[] = {{1, 1, "1", "6"}, {2, -2, "-", "-"}, {kMax, -2, "-", "-"}, {-2, -2, "-", "-"}};
    for (const Case& c : cases) {
        ed.map.booleanTargetSector = c.target;
        b.draw();
        EXPECT_EQ(ed.map.booleanTargetSector, c.after) << c.target;
        const int32_t colour = c.after < 0 ? b.text : 68;
        const test::TextDrawer draw = c.after < 0 ? &drawText : &outlined;
        EXPECT_TRUE(b.shows(c.number, 200, 40, colour, draw));
        EXPECT_TRUE(b.shows(c.walls, 200, 28, colour, draw));
    }
}

TEST(PanelInfo, SideViewBlockForEachSubjectKind) {
    Block b;
    Editor& ed = *b.ed;
    ed.app.currentPage = Page::SideView;
    ed.view.sideViewSubject = 12;
    ed.view.sideViewX1 = 1, ed.view.sideViewY1 = 2, ed.view.sideViewX2 = 3, ed.view.sideViewY2 = 4;
    struct Case {
        SideViewSubjectKind kind;
        std::string line52, line40;
    };
    const Case cases[] = {
        {SideViewSubjectKind::Point, b.msg(394), b.msg(395, "1", "2")},
        {SideViewSubjectKind::Sprite, b.msg(397, "12"), b.msg(398, "1", "2")},
        {SideViewSubjectKind::Wall, b.msg(399, "12"), getMessage4(400, ed.langs, "1", "2", "3", "4")},
        {SideViewSubjectKind::Section, b.msg(401), getMessage4(402, ed.langs, "1", "2", "3", "4")},
    };
    for (const Case& c : cases) {
        ed.view.sideViewSubjectKind = c.kind;
        b.draw();
        EXPECT_TRUE(b.shows(c.line52, 8, 52, b.text)) << int(c.kind);
        EXPECT_TRUE(b.shows(c.line40, 8, 40, b.text)) << int(c.kind);
    }
}

TEST(PanelInfo, TileBlockOnBothTilePagesAndCursorsOnNoTile) {
    Block b;
    Editor& ed = *b.ed;
    TilePickerState& tp = ed.pages.tilePicker;
    ed.tileCatalog.tileList.assign(size_t(kTileCount) + 1, -1);
    ed.tileCatalog.tileList[0] = 42;
    ed.tiles.tileWidths[42] = 64;
    ed.tiles.tileHeights[42] = 32;
    ed.tiles.tileAnims[42] = (3 << 24) | (0xFE << 16) | (0x05 << 8) | 128 | 4;
    ed.tileCatalog.tileNames.set(42, "DOOR");
    ed.prompt.targetSprite = kWholeSelection;
    ed.prompt.targetSector = ed.prompt.targetWall = -1;

    ed.app.currentPage = Page::TilePicker;
    tp.tilePickerShowAll = 0;
    tp.tilePickerCursor = 0;
    b.draw();
    EXPECT_TRUE(b.shows(b.msg(404, "42"), 8, 52, b.text));
    EXPECT_TRUE(b.shows(b.msg(405, "64", "32"), 8, 40, b.text));
    EXPECT_TRUE(b.shows(b.msg(406, "5", "-2"), messagePosition(ed.langs, 406).x, 40, b.text));
    EXPECT_TRUE(b.shows(b.msg(407, "DOOR"), 8, 28, b.text));
    EXPECT_TRUE(b.shows(b.msg(418), 8, 16, 6));

    ed.app.currentPage = Page::TileZoom;
    ed.tileCatalog.tileNames.set(42, "");
    b.draw();
    EXPECT_TRUE(b.shows(b.msg(420, "42"), 8, 52, b.text));
    EXPECT_TRUE(b.shows(b.msg(408), 8, 28, b.text));
    EXPECT_TRUE(b.shows(getMessage(426, ed.langs, "5", "3", "", 5), 8, 16, b.text));

    // Cursors that name no tile: the end mark, past the list, a number outside the tiles.
    ed.app.currentPage = Page::TilePicker;
    struct Case {
        uint8_t showAll;
        int32_t cursor;
    };
    for (const Case c : {Case{0, 1}, Case{0, kTileCount + 1}, Case{0, kMax}, Case{0, -5},
                         Case{1, kTileCount}, Case{1, kMax}, Case{1, -1}}) {
        tp.tilePickerShowAll = c.showAll;
        tp.tilePickerCursor = c.cursor;
        b.draw();
        EXPECT_TRUE(b.shows(b.msg(409), 8, 52, b.text)) << int(c.showAll) << " " << c.cursor;
        EXPECT_TRUE(b.shows(b.msg(418), 8, 16, 6));
    }
}

}  // namespace
}  // namespace korvel
