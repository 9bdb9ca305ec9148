#include "commands/SideViewCommands.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "resources/TileStore.h"
#include "support/CommandRig.h"
#include "views/Projection.h"

namespace korvel {
namespace {

using test::CommandRig;
using test::kAltKey;

// Stands for the hovered wall's own end points, read from the loaded map.
constexpr int32_t kWallEnds = -999;

// Two rooms side by side, (0, 0)-(256, 256) and (256, 0)-(512, 256), sharing the wall at
// x = 256, floors at 0 and ceilings at -2048; a sprite in the first room.
struct TwoRooms : CommandRig {
    int32_t sharedWall = -1;
    TwoRooms() {
        auto m = std::make_unique<MapStore>();
        test::MapBuilder b(*m);
        b.addRoom(0, 0, 256, 256);
        b.addRoom(256, 0, 512, 256);
        b.link();
        for (int32_t s = 0; s < 2; ++s) m->sectors[s].ceilingz = -2048;
        b.addSprite(100, 100, -512, 0);
        loadMap(*ed, dir.write("two.map", serializeMap(*m)), false);
        EXPECT_EQ(ed->mapFile.mapLoadFailed, 0);
        for (int32_t w = 0; w < ed->map.wallCount; ++w)
            if (ed->map.walls[w].nextwall >= 0 && ed->map.wallSector[w] == 0) sharedWall = w;
        ed->view.sideViewScale = 2;
        ed->settings.showGrid = 0;
        ed->settings.twoColorBlend = 0;
        // The pointer rests over the toolbar, away from every probe.
        platform->setPointer(790, 5);
        platform->clearPlayedSounds();
    }
    uint8_t px(int32_t x, int32_t y) const {
        const FrameBuffer& f = ed->frameBuffer;
        return f.screen[size_t(y) * size_t(f.screenRowLength) + size_t(x)];
    }
    void drawSegment(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
        ed->tool.currentTool = Tool::DrawPolygon;
        ed->drawVertices.toolPointCount = 0;
        appendToolPoint(ed->drawVertices, x1, y1);
        ed->hover.hitPointX = x2;
        ed->hover.hitPointY = y2;
    }
};

TEST(EnterSideView, OpensOnWhatLiesUnderThePointer) {
    struct Case {
        const char* name;
        void (*setUp)(TwoRooms&);
        SideViewSubjectKind kind;
        int32_t x1, y1, x2, y2;
        float originX, originZ;
    };
    const Case cases[] = {
        {"segment being drawn", [](TwoRooms& r) { r.drawSegment(50, 128, 450, 128); },
         SideViewSubjectKind::Section, 50, 128, 450, 128, 0, 0},
        {"hovered sprite", [](TwoRooms& r) { r.ed->hover.hoveredSprite = 0; },
         SideViewSubjectKind::Sprite, 100, 100, -1, -1, 0, -32},
        {"hovered wall", [](TwoRooms& r) { r.ed->hover.hoveredWall = r.sharedWall; },
         SideViewSubjectKind::Wall, kWallEnds, kWallEnds, kWallEnds, kWallEnds, -128, -64},
        {"a point",
         [](TwoRooms& r) {
             r.ed->hover.hitPointX = 30;
             r.ed->hover.hitPointY = 40;
         },
         SideViewSubjectKind::Point, 30, 40, -1, -1, 0, 0},
    };
    for (Case c : cases) {
        TwoRooms r;
        r.ed->view.sideViewOriginX = r.ed->view.sideViewOriginZ = 77;
        r.ed->view.sideViewX2 = r.ed->view.sideViewY2 = -1;
        c.setUp(r);
        enterSideView(*r.ed);
        const ViewState& v = r.ed->view;
        if (c.x1 == kWallEnds) {
            const WallRecord& a = r.ed->map.walls[r.sharedWall];
            const WallRecord& b = r.ed->map.walls[a.point2];
            EXPECT_EQ(v.sideViewSubject, r.sharedWall);
            EXPECT_EQ(std::abs(a.x - b.x) + std::abs(a.y - b.y), 256);
            c.x1 = a.x, c.y1 = a.y, c.x2 = b.x, c.y2 = b.y;
        }
        EXPECT_EQ(r.ed->app.currentPage, Page::SideView) << c.name;
        EXPECT_EQ(v.sideViewSubjectKind, c.kind) << c.name;
        EXPECT_EQ(v.sideViewX1, c.x1) << c.name;
        EXPECT_EQ(v.sideViewY1, c.y1) << c.name;
        EXPECT_EQ(v.sideViewX2, c.x2) << c.name;
        EXPECT_EQ(v.sideViewY2, c.y2) << c.name;
        EXPECT_FLOAT_EQ(v.sideViewOriginX, c.originX) << c.name;
        EXPECT_FLOAT_EQ(v.sideViewOriginZ, c.originZ) << c.name;
        EXPECT_TRUE(r.played("mode1")) << c.name;
    }

    // The segment ends the drawing tool and closes its hint; its slices are built.
    TwoRooms r;
    r.ed->app.helpPopupStep = 2;
    r.drawSegment(50, 128, 450, 128);
    enterSideView(*r.ed);
    EXPECT_EQ(r.ed->tool.currentTool, Tool::Idle);
    EXPECT_EQ(r.ed->app.helpPopupStep, -1);
    EXPECT_EQ(r.ed->view.sectionSliceCount, 2);
}

TEST(EnterSideView, KeepsTheSubjectForASegmentOfNoLengthAndRefusesDuringAnAreaDrag) {
    // The hit point still on the last placed point: the earlier subject stays.
    TwoRooms same;
    same.drawSegment(50, 128, 450, 128);
    enterSideView(*same.ed);
    same.ed->app.currentPage = Page::PlanView;
    same.drawSegment(300, 50, 300, 50);
    enterSideView(*same.ed);
    EXPECT_EQ(same.ed->app.currentPage, Page::SideView);
    EXPECT_EQ(same.ed->view.sideViewX1, 50);
    EXPECT_EQ(same.ed->view.sideViewX2, 450);
    EXPECT_EQ(same.ed->view.sectionSliceCount, 2);

    // Alt held while an area selection is being dragged belongs to the selection.
    struct Case {
        int32_t anchorX;
        bool opens;
    };
    for (const Case c : {Case{30, true}, Case{31, false}}) {
        TwoRooms r;
        r.ed->hover.hitPointX = 30;
        r.ed->hover.hitPointY = 40;
        r.ed->dispatch.areaSelectLatch = 1;
        r.ed->dispatch.areaAnchorX = c.anchorX;
        r.ed->dispatch.areaAnchorY = 40;
        enterSideView(*r.ed);
        EXPECT_EQ(r.ed->app.currentPage == Page::SideView, c.opens) << c.anchorX;
        EXPECT_EQ(r.played("mode1"), c.opens) << c.anchorX;
    }
}

TEST(EnterSideView, AltZShowsTheSectionAcrossBothRoomsAndKeypadZeroItsCrosshair) {
    TwoRooms r;
    runFrame(*r.ed);
    ASSERT_EQ(r.ed->app.currentPage, Page::PlanView);
    r.drawSegment(50, 128, 450, 128);
    r.press({kAltKey, 'Z'});
    ASSERT_EQ(r.ed->app.currentPage, Page::SideView);
    ASSERT_EQ(r.ed->view.sectionSliceCount, 2);
    EXPECT_EQ(r.ed->view.sectionSlices[0].endWall, r.sharedWall);

    // The floors at z 0, the ceilings at -2048; the shared wall at position 206 shows open
    // between them. Z held with Alt also zooms the side view a little, as held keys do.
    const SideProjection view(r.ed->view);
    const ColorSettings& cs = r.ed->colorSettings;
    const uint8_t line = uint8_t(cs.colorWallOneSided + 2);
    const int32_t ceiling = view.row(-2048);
    EXPECT_NEAR(ceiling - view.row(0), 64, 2) << "about scale 2";
    EXPECT_EQ(r.px(450, ceiling), line) << "first slice's ceiling";
    EXPECT_EQ(r.px(550, ceiling), line) << "second slice's ceiling";
    EXPECT_EQ(r.px(view.column(206), 330), uint8_t(cs.colorWallOpen + 2)) << "the opening";

    // Keypad 0 held: the crosshair through the pointer's place tints its column.
    r.ed->hover.sideMousePos = 0;
    r.ed->hover.sideMouseZ = -1024;  // column 400, row 332
    runFrame(*r.ed);
    const uint8_t plain = r.px(400, 400), gap = r.px(400, 336);
    r.platform->setKeyDown(96, true);
    runFrame(*r.ed);
    const uint8_t* blend = r.ed->colorTables.blendTable.data();
    EXPECT_EQ(r.px(400, 400), blend[116 * 256 + plain]);
    EXPECT_EQ(r.px(400, 336), gap) << "inside the gap";
    r.platform->setKeyDown(96, false);
}

// A tile of one colour for wall 0 of the editor's tiles.
void giveUniformTile(TileStore& t, int32_t tile, int16_t w, int16_t h, uint8_t value) {
    t.artPixels.assign(size_t(1 + w * h), value);
    t.artPixels[0] = 0;
    t.artPixels.resize(t.artPixels.size() + size_t(kArtPadding), 0);
    t.tileOffsets[size_t(tile)] = 0;
    t.tileWidths[size_t(tile)] = w;
    t.tileHeights[size_t(tile)] = h;
    t.tileAnims[size_t(tile)] = 0;
    t.artLoaded = 1;
}

TEST(EnterSideView, AWallShowsItsTexelsBetweenItsFloorAndCeilingAndItsPad) {
    struct Case {
        bool twoSided;
        bool otherSideButton;
    };
    for (const Case c : {Case{true, true}, Case{false, false}}) {
        TwoRooms r;
        giveUniformTile(r.ed->tiles, 0, 8, 8, 40);
        int32_t w = r.sharedWall;
        if (!c.twoSided) {
            // A wall of the first room on its outer side.
            w = 0;
            ASSERT_LT(r.ed->map.walls[0].nextwall, 0);
        }
        for (int32_t i = 0; i < r.ed->map.wallCount; ++i) r.ed->map.walls[i].picnum = 0;
        r.ed->map.sectors[1].floorz = -512;  // a step up behind the shared wall
        r.ed->hover.hoveredWall = w;
        enterSideView(*r.ed);
        r.ed->view.sideViewScale = 2;
        runFrame(*r.ed);
        ASSERT_EQ(r.ed->view.sideViewSubjectKind, SideViewSubjectKind::Wall);
        const ColorTables& ct = r.ed->colorTables;
        // Without dithering the lower part shows each pair's second colour, the rest the first.
        const ColorPair pair = ct.gamePaletteMap[ct.gameShades[ct.palRemaps[40]]];
        const uint8_t first = uint8_t(pair & 255), second = uint8_t(pair >> 8);
        // The wall's middle column, between its floor and ceiling rows.
        const SideProjection view(r.ed->view);
        const int32_t x = view.column(128), floorRow = view.row(0), ceilingRow = view.row(-2048);
        ASSERT_EQ(x, 400);
        EXPECT_EQ(r.px(x, floorRow + 3), c.twoSided ? second : first) << "above the floor";
        EXPECT_NE(r.px(x, floorRow - 3), c.twoSided ? second : first) << "under the floor";
        if (c.twoSided)
            EXPECT_NE(r.px(x, view.row(-1024)), first) << "the opening";
        else
            EXPECT_EQ(r.px(x, ceilingRow - 3), first) << "below the ceiling";

        // The pad: buttons 5 and 6 always, 7 only for a two-sided wall.
        auto blank = [&](int32_t left, int32_t bottom) {
            int32_t marks = 0;
            for (int32_t y = bottom; y < bottom + 24; ++y)
                for (int32_t xx = left; xx < left + 24; ++xx)
                    marks += r.px(xx, y) != r.px(left, bottom);
            return marks == 0;
        };
        EXPECT_FALSE(blank(8, 288)) << "button 5";
        EXPECT_FALSE(blank(768, 288)) << "button 6";
        EXPECT_EQ(!blank(388, 136), c.otherSideButton) << "button 7";
    }
}

}  // namespace
}  // namespace korvel
